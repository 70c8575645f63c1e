#pragma once

// The catalogue of priced work operations, filed in a tree of groups whose
// roots are device brands. An operation's Classification is the path of its
// group: the names from the root down, each followed by a backslash.

#include <QList>
#include <QString>

#include <optional>

namespace morlenta {
class Prompt;
}
namespace morlenta::data {
class Database;
}

namespace morlenta::orders {

struct WorkOperation {
    int id = 0; // 0 for a new one
    QString classification, code, operation;
    double clientPrice = 0, warrantyPrice = 0, workerPrice = 0, fromGarant = 0;
    int idMarka = 0;
};

struct OpGroup {
    int id = 0;
    int parent = -1; // -1 for a root
    QString name;
};

// The amounts of an operation that can be edited in the list.
enum class OpPrice { Client, Warranty, Worker, FromGarant };
QString opPriceColumn(OpPrice price); // clientPrice, warrantyPrice, ...

enum class OpField { None, Prices, Code, Name };
struct OpSaveResult {
    bool saved = false;
    OpField field = OpField::None; // where the focus goes when refused
    QString storedCode;            // put back into the code box after a repeated code
};

struct OpSearchResult {
    QList<WorkOperation> rows; // sorted by code
    int focus = 0;             // the row to focus
};

class WorkOperations {
public:
    WorkOperations(data::Database &db, Prompt &prompt) : db_(db), prompt_(prompt) {}

    // The groups in the order they were made.
    QList<OpGroup> groups();
    // "A\B\" for "B" under root "A"; empty for an unknown group.
    QString pathOf(int groupId);
    bool hasChildGroups(int groupId);
    bool hasOperations(int groupId);
    bool canDeleteGroup(int groupId) { return !hasChildGroups(groupId) && !hasOperations(groupId); }

    // True when the name is a brand, or the user agreed to add it as one.
    bool ensureBrand(const QString &name);
    // A new root named after a brand; 0 when refused (an empty name gives no message).
    int addRoot(const QString &name);
    // A new group under `parent` (-1 or an unknown parent makes a root); 0 when refused.
    int addGroup(int parent, const QString &name);
    // False when nothing changed (unchanged name or refused); the operations
    // under the old path move to the new one.
    bool renameGroup(int groupId, const QString &name);
    // The group goes under `newParent`, its operations with it.
    bool moveGroup(int groupId, int newParent);
    // Asks first; only a group without child groups and operations.
    bool deleteGroup(int groupId);

    // The group's own operations and those of every group below it.
    QList<WorkOperation> operationsUnder(const QString &path);
    QList<WorkOperation> allOperations(); // by classification
    std::optional<WorkOperation> operation(int id);

    // The checks of the operation panel in order, then the insert or update.
    // A new operation carries its classification and idMarka; an edited one
    // keeps those it has.
    OpSaveResult saveOperation(WorkOperation &op);
    bool setPrice(int id, OpPrice price, double value);
    // Asks first; false when there is nothing to delete or the user declined.
    bool deleteOperations(const QList<int> &ids);
    // Operations dropped on a group are filed under its path.
    void fileOperations(const QList<int> &ids, int groupId);

    // Code search with the user's "*" wildcards; nothing when the text is too short.
    std::optional<OpSearchResult> searchByCode(const QString &text);

    static QString duplicateGroupMessage();

private:
    bool nameTaken(int parent, const QString &name, int exceptId);
    void refile(const QString &oldPath, const QString &newPath);
    int insertGroup(int parent, const QString &name);
    QList<WorkOperation> read(const QString &where, const QVariantList &params, const QString &order);

    data::Database &db_;
    Prompt &prompt_;
};

} // namespace morlenta::orders

#pragma once

// The catalogue of parts and goods: saving an article with its checks, the
// catalogue search and the barcode look-up. The catalogue never changes the
// quantity in stock (see stock_quantity.h).

#include <QList>
#include <QString>
#include <QVariant>

#include <optional>
#include <utility>

namespace morlenta {
class Prompt;
namespace data {
class Database;
}
} // namespace morlenta

namespace morlenta::stock {

// One article as the edit panel holds it; id 0 is a new article.
struct PartEntry {
    qint64 id = 0;
    QString part;                  // designation
    std::optional<qint64> typeId;  // typeparts.id
    std::optional<qint64> idMarka; // partMarka.id
    QString partNo;
    QString barcode;
    QString catalogs; // catalogue numbers and free text, what the memo edits
};

// The field a refused save puts the focus on.
enum class PartField { None, Part, Type, Marka, Barcode };

struct SaveOutcome {
    bool saved = false;
    PartField focus = PartField::None;
};

// A statement with its bound values, for a grid to load.
struct Statement {
    QString sql;
    QVariantList params;
};

// The columns the catalogue search may look at, in the order they are joined.
enum SearchColumn { SearchPart = 1, SearchPartNo = 2, SearchCatalogs = 4, SearchBarcode = 8 };

// An id with its text (a part type or a brand).
using NamedItem = std::pair<qint64, QString>;

class PartsCatalogue {
public:
    PartsCatalogue(data::Database &db, Prompt &prompt) : db_(db), prompt_(prompt) {}

    // Checks and writes the article. The designation is trimmed in `entry`; a new
    // article gets its id. Every refusal is shown ("Внимание") and names the field.
    SaveOutcome save(PartEntry &entry);

    // The article with exactly this barcode.
    std::optional<qint64> findByBarcode(const QString &code);
    PartEntry load(qint64 id);

    // Every article; the articles in stock; one article.
    static Statement fullList();
    static Statement inStockList();
    static Statement oneArticle(qint64 id);
    // The search of the user's text (his "*" is the wildcard) over the ticked columns;
    // an empty text lists the articles in stock. Nothing when no column is ticked.
    std::optional<Statement> searchStatement(const QString &text, int columns) const;

    // The choice lists of the edit panel, sorted by their text.
    QList<NamedItem> types();
    QList<NamedItem> brands();

private:
    QString describe(const PartEntry &entry);
    data::Database &db_;
    Prompt &prompt_;
};

} // namespace morlenta::stock

#include "orders/work_operations.h"

#include "common/prompt.h"
#include "data/database.h"
#include "data/dialect.h"
#include "data/transaction.h"
#include "orders/order_intake.h"

#include <QSet>
#include <QSqlQuery>

#include <algorithm>

namespace morlenta::orders {

using data::Database;
using data::Transaction;

namespace {

const QString kSelect =
    QStringLiteral("select id, Classification, Code, Operation, clientPrice, warrantyPrice, "
                   "workerPrice, fromGarant, idMarka from Operations");

QString text(const QSqlQuery &q, const char *column)
{
    return q.value(QLatin1String(column)).toString();
}

double amount(const QSqlQuery &q, const char *column)
{
    return q.value(QLatin1String(column)).toDouble();
}

bool startsWithText(const QString &value, const QString &prefix)
{
    return value.startsWith(prefix, Qt::CaseInsensitive);
}

} // namespace

QString opPriceColumn(OpPrice price)
{
    switch (price) {
    case OpPrice::Client: return QStringLiteral("clientPrice");
    case OpPrice::Warranty: return QStringLiteral("warrantyPrice");
    case OpPrice::Worker: return QStringLiteral("workerPrice");
    case OpPrice::FromGarant: return QStringLiteral("fromGarant");
    }
    return {};
}

QString WorkOperations::duplicateGroupMessage()
{
    return QStringLiteral("Не сте въвели спецификация или \nтакава спецификация вече е въведена!");
}

QList<OpGroup> WorkOperations::groups()
{
    QList<OpGroup> out;
    QSqlQuery q = db_.exec(QStringLiteral("select id, Parent, Classification from opTree order by id"));
    while (q.next()) {
        const QVariant parent = q.value(QStringLiteral("Parent"));
        out.append({q.value(QStringLiteral("id")).toInt(), parent.isNull() ? -1 : parent.toInt(),
                    text(q, "Classification")});
    }
    return out;
}

QString WorkOperations::pathOf(int groupId)
{
    QString path;
    QSet<int> seen; // a damaged tree must not loop for ever
    for (int id = groupId; id >= 0 && !seen.contains(id);) {
        seen.insert(id);
        QSqlQuery q =
            db_.exec(QStringLiteral("select Parent, Classification from opTree where id = ?"), {id});
        if (!q.next())
            break;
        path.prepend(text(q, "Classification") + QLatin1Char('\\'));
        const QVariant parent = q.value(QStringLiteral("Parent"));
        id = parent.isNull() ? -1 : parent.toInt();
    }
    return path;
}

bool WorkOperations::hasChildGroups(int groupId)
{
    return !db_.scalar(QStringLiteral("select id from opTree where Parent = ?"), {groupId}).isNull();
}

bool WorkOperations::hasOperations(int groupId)
{
    const QString path = pathOf(groupId);
    if (path.isEmpty())
        return false;
    return !db_.scalar(QStringLiteral("select id from Operations where ") +
                           db_.likeCondition(QStringLiteral("Classification")),
                       {data::prefixPattern(path)})
                .isNull();
}

bool WorkOperations::nameTaken(int parent, const QString &name, int exceptId)
{
    // Siblings are compared without regard to letter case, as the operations
    // of a group are found by their path.
    for (const OpGroup &g : groups()) {
        const bool sibling = parent < 0 ? g.parent < 0 : g.parent == parent;
        if (sibling && g.id != exceptId && g.name.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool WorkOperations::ensureBrand(const QString &name)
{
    if (name.isEmpty())
        return false;
    OrderIntake brands(db_);
    if (brands.hasBrand(name))
        return true;
    const PromptAnswer answer =
        prompt_.ask(QStringLiteral("Добавяне на марка"),
                    QStringLiteral("Не е намерена марка \"") + name +
                        QStringLiteral("\"\n\nЖелаете ли да бъде добавена в базата данни?"),
                    PromptIcon::Question, PromptButtons::YesNo);
    if (answer != PromptAnswer::Yes)
        return false;
    brands.addBrand(name);
    return true;
}

int WorkOperations::insertGroup(int parent, const QString &name)
{
    if (name.isEmpty() || nameTaken(parent, name, 0)) {
        prompt_.show(Prompt::errorCaption(), duplicateGroupMessage(), PromptIcon::Error);
        return 0;
    }
    return int(db_.insert(QStringLiteral("opTree"),
                          {{QStringLiteral("Parent"), parent}, {QStringLiteral("Classification"), name}}));
}

int WorkOperations::addRoot(const QString &name)
{
    const QString n = name.trimmed();
    if (n.isEmpty())
        return 0;
    // A taken name is refused before a brand is offered for it.
    if (nameTaken(-1, n, 0)) {
        prompt_.show(Prompt::errorCaption(), duplicateGroupMessage(), PromptIcon::Error);
        return 0;
    }
    if (!ensureBrand(n))
        return 0;
    return insertGroup(-1, n);
}

int WorkOperations::addGroup(int parent, const QString &name)
{
    if (parent >= 0 && db_.scalar(QStringLiteral("select id from opTree where id = ?"), {parent}).isNull())
        parent = -1;
    if (parent < 0)
        return addRoot(name);
    return insertGroup(parent, name.trimmed());
}

bool WorkOperations::renameGroup(int groupId, const QString &name)
{
    const QString n = name.trimmed();
    QSqlQuery q =
        db_.exec(QStringLiteral("select Parent, Classification from opTree where id = ?"), {groupId});
    if (!q.next())
        return false;
    const QVariant p = q.value(QStringLiteral("Parent"));
    const int parent = p.isNull() ? -1 : p.toInt();
    if (n == text(q, "Classification"))
        return false;
    if (n.isEmpty() || nameTaken(parent, n, groupId)) {
        prompt_.show(Prompt::errorCaption(), duplicateGroupMessage(), PromptIcon::Error);
        return false;
    }
    // A root stays a brand.
    if (parent < 0 && !ensureBrand(n))
        return false;
    const QString oldPath = pathOf(groupId);
    Transaction tx(db_);
    db_.execute(QStringLiteral("update opTree set Classification = ? where id = ?"), {n, groupId});
    refile(oldPath, pathOf(groupId));
    tx.commit();
    return true;
}

bool WorkOperations::moveGroup(int groupId, int newParent)
{
    if (groupId == newParent || pathOf(newParent).isEmpty())
        return false;
    // Under itself or one of its own groups it would leave the tree.
    QSet<int> seen;
    for (int id = newParent; id >= 0 && !seen.contains(id);) {
        if (id == groupId) {
            prompt_.warning(QStringLiteral("Групата не може да бъде преместена в някоя от своите подгрупи!"));
            return false;
        }
        seen.insert(id);
        const QVariant parent = db_.scalar(QStringLiteral("select Parent from opTree where id = ?"), {id});
        id = parent.isNull() ? -1 : parent.toInt();
    }
    QSqlQuery q =
        db_.exec(QStringLiteral("select Parent, Classification from opTree where id = ?"), {groupId});
    if (!q.next() || q.value(QStringLiteral("Parent")).toInt() == newParent)
        return false;
    if (nameTaken(newParent, text(q, "Classification"), groupId)) {
        prompt_.show(Prompt::errorCaption(), duplicateGroupMessage(), PromptIcon::Error);
        return false;
    }
    const QString oldPath = pathOf(groupId);
    Transaction tx(db_);
    db_.execute(QStringLiteral("update opTree set Parent = ? where id = ?"), {newParent, groupId});
    refile(oldPath, pathOf(groupId));
    tx.commit();
    return true;
}

void WorkOperations::refile(const QString &oldPath, const QString &newPath)
{
    if (oldPath.isEmpty() || oldPath == newPath)
        return;
    QSqlQuery q = db_.exec(QStringLiteral("select id, Classification from Operations where ") +
                               db_.likeCondition(QStringLiteral("Classification")),
                           {data::prefixPattern(oldPath)});
    QList<std::pair<int, QString>> moved;
    while (q.next()) {
        const QString c = text(q, "Classification");
        if (startsWithText(c, oldPath))
            moved.append({q.value(QStringLiteral("id")).toInt(), newPath + c.mid(oldPath.size())});
    }
    for (const auto &[id, c] : moved)
        db_.execute(QStringLiteral("update Operations set Classification = ? where id = ?"), {c, id});
}

bool WorkOperations::deleteGroup(int groupId)
{
    if (pathOf(groupId).isEmpty() || !canDeleteGroup(groupId))
        return false;
    if (prompt_.ask(QStringLiteral("Изтриване"), QStringLiteral("Изтриване на селекцията?"),
                    PromptIcon::Warning, PromptButtons::YesNo) != PromptAnswer::Yes)
        return false;
    Transaction tx(db_);
    // Another computer may have filed something under it meanwhile.
    if (!canDeleteGroup(groupId))
        return false;
    db_.execute(QStringLiteral("delete from opTree where id = ?"), {groupId});
    tx.commit();
    return true;
}

QList<WorkOperation> WorkOperations::read(const QString &where, const QVariantList &params,
                                          const QString &order)
{
    QList<WorkOperation> out;
    QSqlQuery q = db_.exec(kSelect + (where.isEmpty() ? QString() : QStringLiteral(" where ") + where) +
                               QStringLiteral(" order by ") + order,
                           params);
    while (q.next()) {
        WorkOperation op;
        op.id = q.value(QStringLiteral("id")).toInt();
        op.classification = text(q, "Classification");
        op.code = text(q, "Code");
        op.operation = text(q, "Operation");
        op.clientPrice = amount(q, "clientPrice");
        op.warrantyPrice = amount(q, "warrantyPrice");
        op.workerPrice = amount(q, "workerPrice");
        op.fromGarant = amount(q, "fromGarant");
        op.idMarka = q.value(QStringLiteral("idMarka")).toInt();
        out.append(op);
    }
    return out;
}

QList<WorkOperation> WorkOperations::operationsUnder(const QString &path)
{
    if (path.isEmpty())
        return {};
    return read(db_.likeCondition(QStringLiteral("Classification")), {data::prefixPattern(path)},
                QStringLiteral("id"));
}

QList<WorkOperation> WorkOperations::allOperations()
{
    return read({}, {}, QStringLiteral("Classification, id"));
}

std::optional<WorkOperation> WorkOperations::operation(int id)
{
    const QList<WorkOperation> rows = read(QStringLiteral("id = ?"), {id}, QStringLiteral("id"));
    if (rows.isEmpty())
        return std::nullopt;
    return rows.first();
}

OpSaveResult WorkOperations::saveOperation(WorkOperation &op)
{
    OpSaveResult r;
    op.code = op.code.trimmed();
    op.operation = op.operation.trimmed();
    if (op.clientPrice < 0 || op.fromGarant < 0 || op.workerPrice < 0 || op.warrantyPrice < 0) {
        prompt_.warning(QStringLiteral("Не може да въвеждате отрицателни стойности!"));
        r.field = OpField::Prices;
        return r;
    }
    auto codeTaken = [this, &op] {
        if (op.code.isEmpty())
            return false;
        return !db_.scalar(QStringLiteral("select id from Operations where Code = ? and id <> ?"),
                           {op.code, op.id})
                    .isNull();
    };
    auto refuseCode = [this, &op, &r] {
        prompt_.show(QStringLiteral("Повтаряне"), QStringLiteral("Такъв код вече е въведен!"),
                     PromptIcon::Warning);
        r.field = OpField::Code;
        if (op.id > 0) {
            const std::optional<WorkOperation> stored = operation(op.id);
            r.storedCode = stored ? stored->code : QString();
        }
        return r;
    };
    if (codeTaken())
        return refuseCode();
    if (op.operation.isEmpty()) {
        prompt_.show(Prompt::messageCaption(), QStringLiteral("Въведете наименование на операцията!"),
                     PromptIcon::Error);
        r.field = OpField::Name;
        return r;
    }
    try {
        if (op.id == 0) {
            op.id = int(db_.insert(QStringLiteral("Operations"),
                                   {{QStringLiteral("Classification"), op.classification},
                                    {QStringLiteral("Code"), op.code},
                                    {QStringLiteral("Operation"), op.operation},
                                    {QStringLiteral("clientPrice"), op.clientPrice},
                                    {QStringLiteral("warrantyPrice"), op.warrantyPrice},
                                    {QStringLiteral("idMarka"), op.idMarka},
                                    {QStringLiteral("workerPrice"), op.workerPrice},
                                    {QStringLiteral("fromGarant"), op.fromGarant}}));
        } else {
            db_.execute(QStringLiteral("update Operations set Code = ?, Operation = ?, clientPrice = ?, "
                                       "warrantyPrice = ?, workerPrice = ?, fromGarant = ? where id = ?"),
                        {op.code, op.operation, op.clientPrice, op.warrantyPrice, op.workerPrice,
                         op.fromGarant, op.id});
        }
    } catch (const data::DbError &e) {
        // Another computer gave the same code meanwhile.
        if (!e.isUniqueViolation())
            throw;
        return refuseCode();
    }
    r.saved = true;
    return r;
}

bool WorkOperations::setPrice(int id, OpPrice price, double value)
{
    if (value < 0) {
        prompt_.warning(QStringLiteral("Не може да въвеждате отрицателни стойности!"));
        return false;
    }
    return db_.execute(QStringLiteral("update Operations set ") + opPriceColumn(price) +
                           QStringLiteral(" = ? where id = ?"),
                       {value, id}) > 0;
}

bool WorkOperations::deleteOperations(const QList<int> &ids)
{
    if (ids.isEmpty())
        return false;
    if (prompt_.ask(QStringLiteral("Изтриване"),
                    QStringLiteral("Ще изтриете всички селектирани редове, \nжелаете ли да продължите?"),
                    PromptIcon::Question, PromptButtons::YesNo) != PromptAnswer::Yes)
        return false;
    Transaction tx(db_);
    for (int id : ids)
        db_.execute(QStringLiteral("delete from Operations where id = ?"), {id});
    tx.commit();
    return true;
}

void WorkOperations::fileOperations(const QList<int> &ids, int groupId)
{
    const QString path = pathOf(groupId);
    if (path.isEmpty() || ids.isEmpty())
        return;
    const QVariant parent = db_.scalar(QStringLiteral("select Parent from opTree where id = ?"), {groupId});
    Transaction tx(db_);
    for (int id : ids)
        db_.execute(QStringLiteral("update Operations set Classification = ?, idMarka = ? where id = ?"),
                    {path, parent.isNull() ? -1 : parent.toInt(), id});
    tx.commit();
}

std::optional<OpSearchResult> WorkOperations::searchByCode(const QString &text)
{
    const QString t = text.trimmed();
    if (t.size() < 3) {
        prompt_.warning(QStringLiteral("Въведете поне 3 символа за търсене"));
        return std::nullopt;
    }
    OpSearchResult r;
    r.rows = read(db_.likeCondition(QStringLiteral("Code")), {data::likePattern(t)}, QStringLiteral("id"));
    std::stable_sort(r.rows.begin(), r.rows.end(), [](const WorkOperation &a, const WorkOperation &b) {
        return a.code.compare(b.code, Qt::CaseInsensitive) < 0;
    });
    if (!t.startsWith(QLatin1Char('*'))) {
        QString start = t;
        if (start.endsWith(QLatin1Char('*')))
            start.chop(1);
        for (int i = 0; i < r.rows.size(); ++i) {
            if (startsWithText(r.rows[i].code, start)) {
                r.focus = i;
                break;
            }
        }
    }
    return r;
}

} // namespace morlenta::orders

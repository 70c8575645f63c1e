#include "stock/parts_catalogue.h"

#include "common/prompt.h"
#include "data/database.h"
#include "data/transaction.h"

#include <QSqlRecord>

namespace morlenta::stock {

namespace {

constexpr int kBarcodeLength = 13;
constexpr int kCatalogsLength = 200;

QVariant optionalId(const std::optional<qint64> &id)
{
    return id ? QVariant(*id) : QVariant(QMetaType(QMetaType::LongLong));
}

QVariant textOrNull(const QString &text)
{
    return text.isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(text);
}

QList<NamedItem> namedItems(data::Database &db, const QString &sql)
{
    QList<NamedItem> items;
    QSqlQuery q = db.exec(sql);
    while (q.next())
        items.append({q.value(0).toLongLong(), q.value(1).toString()});
    return items;
}

} // namespace

QString PartsCatalogue::describe(const PartEntry &e)
{
    const QString brand =
        db_.scalar(QStringLiteral("select Marka from partMarka where id = ?"), {optionalId(e.idMarka)})
            .toString();
    const QString type =
        db_.scalar(QStringLiteral("select Type from typeparts where id = ?"), {optionalId(e.typeId)})
            .toString();
    return brand + QLatin1Char(' ') + type + QLatin1Char(' ') + e.part;
}

SaveOutcome PartsCatalogue::save(PartEntry &e)
{
    e.part = e.part.trimmed();
    e.barcode = e.barcode.trimmed().left(kBarcodeLength);
    e.catalogs = e.catalogs.left(kCatalogsLength);
    auto refuse = [this](const QString &text, PartField focus) {
        prompt_.show(Prompt::warningCaption(), text, PromptIcon::Warning);
        return SaveOutcome{false, focus};
    };
    if (e.part.isEmpty())
        return refuse(QStringLiteral("Моля въведете обозначение за частта!"), PartField::Part);
    if (!e.typeId)
        return refuse(QStringLiteral("Моля въведете тип за частта!"), PartField::Type);
    if (!e.idMarka)
        return refuse(QStringLiteral("Моля въведете марка (производител) за частта!"), PartField::Marka);

    // The checks and the write share one transaction, so that no other computer
    // slips the same article in between; the messages wait until it has ended.
    QString refusal;
    PartField focus = PartField::None;
    const qint64 originalId = e.id;
    try {
        data::Transaction tx(db_);
        if (!e.barcode.isEmpty() &&
            !db_.scalar(QStringLiteral("select id from parts where barcode = ? and id <> ?"),
                        {e.barcode, e.id})
                 .isNull()) {
            refusal = QStringLiteral("Такъв баркод вече е въведен!");
            focus = PartField::Barcode;
        } else if (!db_.scalar(QStringLiteral("select id from parts where ") +
                                   db_.likeCondition(QStringLiteral("Part")) +
                                   QStringLiteral(" and idMarka = ? and TypeID = ? and id <> ?"),
                               {data::exactPattern(e.part), *e.idMarka, *e.typeId, e.id})
                        .isNull()) {
            refusal = describe(e) + QStringLiteral(" вече е въведен!");
            focus = PartField::Part;
        } else if (e.id == 0) {
            e.id = db_.insert(QStringLiteral("parts"), {{QStringLiteral("Part"), e.part},
                                                        {QStringLiteral("TypeID"), *e.typeId},
                                                        {QStringLiteral("idMarka"), *e.idMarka},
                                                        {QStringLiteral("PartNo"), e.partNo},
                                                        {QStringLiteral("barcode"), textOrNull(e.barcode)},
                                                        {QStringLiteral("catalogs"), e.catalogs},
                                                        {QStringLiteral("ipVal"), 1},
                                                        {QStringLiteral("opVal"), 1}});
        } else {
            db_.execute(
                QStringLiteral("update parts set Part = ?, TypeID = ?, idMarka = ?, PartNo = ?, barcode = ?, "
                               "catalogs = ? where id = ?"),
                {e.part, *e.typeId, *e.idMarka, e.partNo, textOrNull(e.barcode), e.catalogs, e.id});
        }
        if (refusal.isEmpty())
            tx.commit();
    } catch (const data::DbError &err) {
        e.id = originalId;
        if (!err.isUniqueViolation()) {
            prompt_.error(err.message());
            return {false, PartField::Part};
        }
        prompt_.error(QStringLiteral("Такава част вече е въведена!"));
        return {false, PartField::Part};
    }
    if (!refusal.isEmpty())
        return refuse(refusal, focus);
    return {true, PartField::None};
}

std::optional<qint64> PartsCatalogue::findByBarcode(const QString &code)
{
    const QVariant id = db_.scalar(QStringLiteral("select id from parts where barcode = ?"), {code});
    return id.isNull() ? std::nullopt : std::optional<qint64>(id.toLongLong());
}

PartEntry PartsCatalogue::load(qint64 id)
{
    PartEntry e;
    QSqlQuery q = db_.exec(
        QStringLiteral("select id, Part, TypeID, idMarka, PartNo, barcode, catalogs from parts where id = ?"),
        {id});
    if (!q.next())
        return e;
    const QSqlRecord r = q.record();
    e.id = q.value(r.indexOf(QStringLiteral("id"))).toLongLong();
    e.part = q.value(r.indexOf(QStringLiteral("Part"))).toString();
    if (const QVariant v = q.value(r.indexOf(QStringLiteral("TypeID"))); !v.isNull())
        e.typeId = v.toLongLong();
    if (const QVariant v = q.value(r.indexOf(QStringLiteral("idMarka"))); !v.isNull())
        e.idMarka = v.toLongLong();
    e.partNo = q.value(r.indexOf(QStringLiteral("PartNo"))).toString();
    e.barcode = q.value(r.indexOf(QStringLiteral("barcode"))).toString();
    e.catalogs = q.value(r.indexOf(QStringLiteral("catalogs"))).toString();
    return e;
}

Statement PartsCatalogue::fullList()
{
    return {QStringLiteral("select * from parts order by id"), {}};
}

Statement PartsCatalogue::inStockList()
{
    return {QStringLiteral("select * from parts where amnt > 0 order by id"), {}};
}

Statement PartsCatalogue::oneArticle(qint64 id)
{
    return {QStringLiteral("select * from parts where id = ?"), {id}};
}

std::optional<Statement> PartsCatalogue::searchStatement(const QString &text, int columns) const
{
    static const std::pair<int, const char *> kColumns[] = {{SearchPart, "Part"},
                                                            {SearchPartNo, "PartNo"},
                                                            {SearchCatalogs, "catalogs"},
                                                            {SearchBarcode, "barcode"}};
    if ((columns & (SearchPart | SearchPartNo | SearchCatalogs | SearchBarcode)) == 0)
        return std::nullopt;
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return inStockList();
    Statement s;
    QStringList conditions;
    for (const auto &[flag, column] : kColumns) {
        if (!(columns & flag))
            continue;
        conditions << db_.likeCondition(QLatin1String(column));
        s.params << data::likePattern(trimmed);
    }
    s.sql = QStringLiteral("select * from parts where ") + conditions.join(QStringLiteral(" or ")) +
            QStringLiteral(" order by id");
    return s;
}

QList<NamedItem> PartsCatalogue::types()
{
    return namedItems(db_, QStringLiteral("select id, Type from typeparts order by Type"));
}

QList<NamedItem> PartsCatalogue::brands()
{
    return namedItems(db_, QStringLiteral("select id, Marka from partMarka order by Marka"));
}

} // namespace morlenta::stock

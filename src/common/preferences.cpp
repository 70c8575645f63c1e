#include "common/preferences.h"

#include "data/database.h"
#include "data/transaction.h"

#include <QDate>
#include <QSqlQuery>
#include <QStringList>

namespace morlenta {

namespace {

QString quoted(const QString &field)
{
    if (!field.contains(QLatin1Char(',')) && !field.contains(QLatin1Char('"')) &&
        !field.contains(QLatin1Char('\n')) && !field.contains(QLatin1Char('\r')))
        return field;
    QString s = field;
    s.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + s + QLatin1Char('"');
}

// Splits the text into records of fields; quoted fields may hold commas,
// quotes (doubled) and line breaks.
QList<QStringList> parseCsv(const QString &text)
{
    QList<QStringList> records;
    QStringList fields;
    QString field;
    bool inQuotes = false;
    bool any = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (inQuotes) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"')) {
                    field += c;
                    ++i;
                } else {
                    inQuotes = false;
                }
            } else {
                field += c;
            }
            continue;
        }
        if (c == QLatin1Char('"')) {
            inQuotes = true;
            any = true;
        } else if (c == QLatin1Char(',')) {
            fields << field;
            field.clear();
            any = true;
        } else if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
            if (any || !field.isEmpty()) {
                fields << field;
                records << fields;
            }
            fields.clear();
            field.clear();
            any = false;
        } else {
            field += c;
            any = true;
        }
    }
    if (any || !field.isEmpty()) {
        fields << field;
        records << fields;
    }
    return records;
}

const QString kHeader = QStringLiteral("id,key,str,num,int,reg");

} // namespace

QString Preferences::toText(const QList<PreferenceRow> &rows)
{
    QString out = kHeader + QLatin1Char('\n');
    for (const PreferenceRow &r : rows) {
        out += QString::number(r.id) + QLatin1Char(',') + quoted(r.key) + QLatin1Char(',') + quoted(r.str) +
               QLatin1Char(',') + QString::number(r.num, 'g', 17) + QLatin1Char(',') +
               QString::number(r.intValue) + QLatin1Char(',') + quoted(r.reg) + QLatin1Char('\n');
    }
    return out;
}

QList<PreferenceRow> Preferences::fromText(const QString &text)
{
    QList<PreferenceRow> rows;
    const QList<QStringList> records = parseCsv(text);
    for (const QStringList &f : records) {
        if (f.join(QLatin1Char(',')) == kHeader || f.size() < 2)
            continue;
        PreferenceRow r;
        r.id = f.value(0).toInt();
        r.key = f.value(1);
        r.str = f.value(2);
        r.num = f.value(3).toDouble();
        r.intValue = f.value(4).toInt();
        r.reg = f.value(5);
        if (!r.key.isEmpty())
            rows << r;
    }
    return rows;
}

void Preferences::load()
{
    rows_ = fromText(db_.scalar(QStringLiteral("select Special from connect where id = 1")).toString());
}

void Preferences::save()
{
    const QString text = toText(rows_);
    data::Transaction tx(db_);
    if (db_.execute(QStringLiteral("update connect set Special = ? where id = 1"), {text}) < 1)
        db_.insert(QStringLiteral("connect"), {{QStringLiteral("id"), 1}, {QStringLiteral("Special"), text}});
    tx.commit();
}

void Preferences::loadAtStart(const QDate &today)
{
    if (db_.hasTable(QStringLiteral("prefs"))) {
        rows_.clear();
        QSqlQuery q = db_.exec(QStringLiteral("select * from prefs order by id"));
        while (q.next()) {
            PreferenceRow r;
            r.id = q.value(QStringLiteral("id")).toInt();
            r.key = q.value(QStringLiteral("key")).toString();
            r.str = q.value(QStringLiteral("str")).toString();
            r.num = q.value(QStringLiteral("num")).toDouble();
            r.intValue = q.value(QStringLiteral("int")).toInt();
            r.reg = q.value(QStringLiteral("reg")).toString();
            rows_ << r;
        }
        q.finish();
        // The values live on in the store before the old table goes.
        data::Transaction tx(db_);
        save();
        db_.dropTable(QStringLiteral("prefs"));
        tx.commit();
    } else {
        load();
    }
    if (rows_.isEmpty())
        fillDefaults(today);
}

void Preferences::fillDefaults(const QDate &today)
{
    setInt(QLatin1String(Pref::FirstTimeMonth), today.month());
    setInt(QLatin1String(Pref::FirstTimeYear), today.year());
    setInt(QLatin1String(Pref::PrintSize), 9);
    setInt(QLatin1String(Pref::AutoArchive), 0);
    setStr(QLatin1String(Pref::Printer), QStringLiteral("Windows Printer"));
    setStr(QLatin1String(Pref::PrintFont), QStringLiteral("Arial"));
    setNum(QLatin1String(Pref::Taksa), 0);
    setInt(QLatin1String(Pref::Prices), 0);
    setInt(QLatin1String(Pref::Currency), 0);
}

const PreferenceRow *Preferences::find(const QString &key) const
{
    for (const PreferenceRow &r : rows_)
        if (r.key == key)
            return &r;
    return nullptr;
}

PreferenceRow &Preferences::row(const QString &key)
{
    for (PreferenceRow &r : rows_)
        if (r.key == key)
            return r;
    int next = 0;
    for (const PreferenceRow &r : rows_)
        next = std::max(next, r.id);
    PreferenceRow r;
    r.id = next + 1;
    r.key = key;
    rows_ << r;
    return rows_.last();
}

QString Preferences::str(const QString &key, const QString &fallback) const
{
    const PreferenceRow *r = find(key);
    return r ? r->str : fallback;
}

double Preferences::num(const QString &key, double fallback) const
{
    const PreferenceRow *r = find(key);
    return r ? r->num : fallback;
}

int Preferences::intValue(const QString &key, int fallback) const
{
    const PreferenceRow *r = find(key);
    return r ? r->intValue : fallback;
}

void Preferences::setStr(const QString &key, const QString &value)
{
    row(key).str = value;
    save();
}

void Preferences::setNum(const QString &key, double value)
{
    row(key).num = value;
    save();
}

void Preferences::setInt(const QString &key, int value)
{
    row(key).intValue = value;
    save();
}

} // namespace morlenta

#pragma once

// Shop-wide preferences: a keyed list held in memory and kept in the
// database as one comma-separated text (connect.Special of row 1), written
// whole after every change.

#include <QList>
#include <QString>

namespace morlenta::data {
class Database;
}

namespace morlenta {

struct PreferenceRow {
    int id = 0;
    QString key;
    QString str;
    double num = 0;
    int intValue = 0;
    QString reg;
};

// Keys of the preferences.
namespace Pref {
inline const char *const FirstTimeMonth = "FirstTimeMonth";
inline const char *const FirstTimeYear = "FirstTimeYear";
inline const char *const PrintSize = "PrintSize";
inline const char *const AutoArchive = "AutoArchive";
inline const char *const Printer = "Printer";
inline const char *const PrintFont = "PrintFont";
inline const char *const Taksa = "Taksa";
inline const char *const Prices = "Prices";
inline const char *const Currency = "Currency";
inline const char *const UseSN = "UseSN";
inline const char *const PaymentWorkers = "Payment workers";
inline const char *const SumAllJobs = "SumAllJobs";
inline const char *const SumWarJobs = "SumWarJobs";
} // namespace Pref

class Preferences {
public:
    explicit Preferences(data::Database &db) : db_(db) {}

    // Loads the store at start: moves an old "prefs" table into it (and drops
    // the table), or reads the memo; an empty list gets the defaults.
    void loadAtStart(const class QDate &today);
    void load(); // the memo only
    void save(); // the whole list into the memo
    void fillDefaults(const class QDate &today);

    const QList<PreferenceRow> &rows() const { return rows_; }
    bool contains(const QString &key) const { return find(key) != nullptr; }
    QString str(const QString &key, const QString &fallback = {}) const;
    double num(const QString &key, double fallback = 0) const;
    int intValue(const QString &key, int fallback = 0) const;

    // Each write finds the row by key (appending it when missing) and saves the store.
    void setStr(const QString &key, const QString &value);
    void setNum(const QString &key, double value);
    void setInt(const QString &key, int value);

    // The memo's text and its reading; only this program reads it.
    static QString toText(const QList<PreferenceRow> &rows);
    static QList<PreferenceRow> fromText(const QString &text);

private:
    const PreferenceRow *find(const QString &key) const;
    PreferenceRow &row(const QString &key);

    data::Database &db_;
    QList<PreferenceRow> rows_;
};

} // namespace morlenta

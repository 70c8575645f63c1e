#pragma once

// What every window and logic class works with: the database, the user's
// prompts, the settings, the preferences and the logged-in clerk. Passed
// explicitly; there are no globals.

#include "common/rights.h"

#include <QString>

#include <functional>

class QDate;

namespace morlenta::data {
class Database;
}

namespace morlenta {

class Prompt;
class LocalSettings;
class Preferences;

struct Session {
    data::Database *db = nullptr;
    Prompt *prompt = nullptr;
    LocalSettings *settings = nullptr;
    Preferences *prefs = nullptr;

    int clerkId = 0; // eUserID
    QString clerkName;
    QString rights;           // ePrefs, as read at login
    QString pcId;             // this computer, for its unfinished package sale
    QString printFooter;      // prnText: the footer of every printed page
    QString templatesFolder;  // where the document templates of this database are
    bool saleVisible = false; // the shop sale window is open
    // Asks the clerk for the rates of a day that has none (the rate entry
    // window); true when they were saved. See finance/rates.h.
    std::function<bool(const QDate &day)> enterRates;

    bool hasRight(int position) const { return morlenta::hasRight(rights, position); }
};

// An identifier of this computer that stays the same between starts.
QString computerId();

} // namespace morlenta

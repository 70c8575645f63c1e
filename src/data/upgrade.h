#pragma once

// Bringing a database made by an earlier version up to the current schema.
// Runs at every start, after opening and before anything reads the data.

namespace morlenta {
class Prompt;
}

namespace morlenta::data {

class Database;

struct UpgradeResult {
    int tablesCreated = 0;
    int columnsAdded = 0;
    bool rightsFilled = false;
    bool makersFilled = false;
    bool changed() const { return tablesCreated > 0 || columnsAdded > 0; }
};

// Missing tables are created (a failure there is ignored: the window that
// needs the table reports it later); missing columns are added and filled.
// A failing column step throws DbError, which the start-up reports as an
// open failure. A current database is left unchanged and nothing is shown.
UpgradeResult upgradeDatabase(Database &db, Prompt &prompt);

} // namespace morlenta::data

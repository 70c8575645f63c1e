#pragma once

// One business action, all or nothing. Transactions nest by joining: an
// inner one that ends without commit makes the whole action roll back.

#include "data/database.h"

namespace morlenta::data {

class Transaction {
public:
    explicit Transaction(Database &db);
    ~Transaction(); // rolls back unless committed
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    void commit();

private:
    Database &db_;
    bool done_ = false;
};

// Runs `action` inside a transaction and commits. When the outermost action
// fails on a unique index (a number another computer took in the meantime),
// it is rolled back and run again, at most `attempts` times in all.
template <class F> void inTransaction(Database &db, F &&action, int attempts = 3)
{
    for (int attempt = 1;; ++attempt) {
        try {
            Transaction tx(db);
            action();
            tx.commit();
            return;
        } catch (const DbError &e) {
            if (!e.isUniqueViolation() || db.transactionDepth() > 0 || attempt >= attempts)
                throw;
        }
    }
}

} // namespace morlenta::data

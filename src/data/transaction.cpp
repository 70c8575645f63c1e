#include "data/transaction.h"

namespace morlenta::data {

Transaction::Transaction(Database &db) : db_(db)
{
    db_.begin();
}

Transaction::~Transaction()
{
    if (!done_) {
        try {
            db_.rollbackLevel();
        } catch (...) {
            // A destructor must not throw; the engine drops the transaction with the connection.
        }
    }
}

void Transaction::commit()
{
    done_ = true;
    db_.commitLevel();
}

} // namespace morlenta::data

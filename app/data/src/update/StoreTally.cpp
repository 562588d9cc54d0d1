#include "appdata/update/StoreTally.h"

#include "appdata/AppError.h"
#include "appdata/Trap.h"
#include "db/Connection.h"
#include "db/Error.h"
#include "db/Transaction.h"

namespace tarnwick {

void RequireOpenTransaction(const db::Connection& connection) {
    if (!connection.inTransaction()) {
        throw AppError(
            db::errnum::kProvider,
            "The database ended the transaction after an error (is the disk full?); nothing of this "
            "update was stored.");
    }
}

bool KeepStoredRows(db::Transaction& transaction, std::string_view procName) noexcept {
    return Trap(procName, [&] {
        try {
            transaction.commit();
        } catch (...) {
            transaction.rollback();
            throw;
        }
    });
}

}  // namespace tarnwick

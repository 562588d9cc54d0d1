#include "Authorizer.h"

#include <string_view>

namespace db::detail {

AuthorizerScope::AuthorizerScope(sqlite3* db, const Confinement& rules) : db_(db), rules_(rules) {
    sqlite3_set_authorizer(db_, &AuthorizerScope::decide, this);
}

AuthorizerScope::~AuthorizerScope() {
    sqlite3_set_authorizer(db_, nullptr, nullptr);
}

int AuthorizerScope::decide(void* self, int action, const char* a, const char* b, const char* database,
                            const char* trigger) {
    return static_cast<AuthorizerScope*>(self)->decide(action, a, b, database, trigger);
}

int AuthorizerScope::decide(int action, const char* a, const char* b, const char* database,
                            const char* trigger) {
    const int verdict = answer(action, a, b, database, trigger);
    denied_ = denied_ || verdict != SQLITE_OK;
    return verdict;
}

int AuthorizerScope::answer(int action, const char* a, const char* b, const char* database,
                            const char* trigger) {
    // Whatever a trigger or a view would do is out of reach of the rules; no market table has one.
    if (trigger != nullptr) {
        return SQLITE_DENY;
    }
    // A read that names no column (count(*)) comes without a database name; ATTACH is refused, so
    // only the main database can be meant.
    const auto tableAllowed = [&] {
        return a != nullptr && (database == nullptr || std::string_view(database) == "main") &&
               rules_.allowsTable && rules_.allowsTable(a);
    };
    switch (action) {
        case SQLITE_SELECT:
            sawData_ = true;
            return SQLITE_OK;
        case SQLITE_INSERT:
        case SQLITE_UPDATE:
        case SQLITE_DELETE:
            sawData_ = true;
            return tableAllowed() ? SQLITE_OK : SQLITE_DENY;
        case SQLITE_READ:
            return tableAllowed() ? SQLITE_OK : SQLITE_DENY;
        case SQLITE_FUNCTION:
            return b != nullptr && rules_.allowsFunction && rules_.allowsFunction(b) ? SQLITE_OK
                                                                                     : SQLITE_DENY;
        default:
            // PRAGMA, ATTACH, DETACH, transactions, save points, CREATE, DROP, ALTER, virtual tables,
            // ANALYZE, REINDEX, recursive queries.
            return SQLITE_DENY;
    }
}

}  // namespace db::detail

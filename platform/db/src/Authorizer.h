// Internal: the engine's authorizer, installed while a statement from outside the program is
// prepared and run.
#pragma once

#include <sqlite3.h>

#include "db/Confinement.h"

namespace db::detail {

class AuthorizerScope {
public:
    AuthorizerScope(sqlite3* db, const Confinement& rules);
    AuthorizerScope(const AuthorizerScope&) = delete;
    AuthorizerScope& operator=(const AuthorizerScope&) = delete;
    ~AuthorizerScope();

    // True when the engine asked about a data statement (SELECT, INSERT, UPDATE, DELETE) while the
    // statement was prepared. Statements such as VACUUM ask about nothing and are refused by this.
    bool sawDataStatement() const { return sawData_; }
    // True when the authorizer refused an action; the engine then reports some of them as a plain
    // error (a function), which this tells apart.
    bool deniedSomething() const { return denied_; }

private:
    static int decide(void* self, int action, const char* a, const char* b, const char* database,
                      const char* trigger);
    int decide(int action, const char* a, const char* b, const char* database, const char* trigger);
    int answer(int action, const char* a, const char* b, const char* database, const char* trigger);

    sqlite3* db_;
    const Confinement& rules_;
    bool sawData_ = false;
    bool denied_ = false;
};

}  // namespace db::detail

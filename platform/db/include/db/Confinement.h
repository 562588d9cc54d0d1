// What a statement that comes from outside the program may do: read and change rows of the named
// tables of the main database and call the named functions, nothing else, and within a bounded amount
// of work. Schema changes, PRAGMA, ATTACH/DETACH, VACUUM, transactions and save points, virtual
// tables, and anything reached through a trigger or a view are refused whatever the rules say.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

namespace db {

// Instructions of the engine's virtual machine that one statement from outside may take: well under
// a second, and room for a change of every row of a table of some hundred thousand rows.
inline constexpr std::int64_t kOutsideStatementWork = 25'000'000;

struct Confinement {
    // Names as the statement spells them; the rules decide about case.
    std::function<bool(std::string_view table)> allowsTable;
    std::function<bool(std::string_view function)> allowsFunction;
    // The whole statement's work; past it the statement is stopped and undone.
    std::int64_t workLimit = kOutsideStatementWork;
};

}  // namespace db

// What a statement that comes from outside the program may do: read and change rows of the named
// tables of the main database and call the named functions, nothing else. Schema changes, PRAGMA,
// ATTACH/DETACH, VACUUM, transactions and save points, virtual tables, and anything reached through
// a trigger or a view are refused whatever the rules say.
#pragma once

#include <functional>
#include <string_view>

namespace db {

struct Confinement {
    // Names as the statement spells them; the rules decide about case.
    std::function<bool(std::string_view table)> allowsTable;
    std::function<bool(std::string_view function)> allowsFunction;
};

}  // namespace db

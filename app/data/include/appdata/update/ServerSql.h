// The SQL lines of an update stream, written in the data server's dialect, and how they run.
//
// Translation (on tokens, never on the raw text):
//   #y-m-d#                    the stored date text 'YYYY-MM-DD' (years 100 to 9999)
//   True / False               1 / 0
//   -1 for a Boolean column    1 (in "column = -1", "column <> -1" and in INSERT ... VALUES)
//   DELETE * FROM t            DELETE FROM t (also DELETE t.* FROM t)
//   "text"                     'text': double quotes delimit text in the dialect
//   [name], `name`             [name]
// Only one SELECT, INSERT, UPDATE or DELETE per line is translated; anything else, or anything
// the translation cannot carry over faithfully, is refused.
//
// A translated statement then runs confined to the rows of the market tables (Markets, Category,
// Company, MARKETDAILYn, Split, Notes, WatchLists, WatchListItem, Templates, Settings, tempData) and
// a short list of built-in functions.
#pragma once

#include <string>
#include <string_view>

#include "db/Confinement.h"

namespace db {
class Connection;
}

namespace tarnwick {

struct TranslatedSql {
    std::string sql;      // the statement for the engine; empty when refused
    std::string refusal;  // why the line cannot be translated; empty when it can
};

TranslatedSql TranslateServerSql(std::string_view line);

// What a statement from the server may touch.
const db::Confinement& MarketConfinement();

// Translates and runs one line. A refused or failing line raises AppError whose description quotes
// the line (made printable) and says why; nothing is changed then.
void RunServerSql(db::Connection& connection, std::string_view line);

}  // namespace tarnwick

// Helpers the record classes and the readers share: look-ups by key on the shared connection and
// the reading of display columns.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "db/RowSet.h"
#include "db/Value.h"

namespace tarnwick {

class clsCompany;
class clsNote;

// True when the query over the shared connection returns at least one row.
bool HasRow(std::string_view sql, std::initializer_list<db::Value> params);

// The text of the Arabic column in Arabic mode, else of the English one; NULL reads as empty text.
std::string DisplayText(const db::RowSet& rows, std::string_view arabicColumn,
                        std::string_view englishColumn);

// A Boolean written as its word ("True"/"False", any case) or as a number; AppError 13 otherwise.
bool BooleanWord(std::string_view text);

// -id, the number of a market's system watch list and back; AppError 6 for the one id without one.
std::int32_t NegatedID(std::int32_t id);

// A company as the lists show it: ID, display Name, Category_ID, Symbol, Market_ID, IS_INDEX.
clsCompany ListedCompany(const db::RowSet& rows);
// A note as the notes lists show it: Text in the display language, isNew empty when NULL.
clsNote ListedNote(const db::RowSet& rows);

}  // namespace tarnwick

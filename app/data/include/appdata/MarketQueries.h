// Questions the windows ask of the market database while the program runs. Every value goes into
// the query as a bound parameter; each result is a new collection owned by the caller.
#pragma once

#include <cstdint>
#include <string_view>

#include "appdata/KeyedCollection.h"
#include "appdata/records/clsCategory.h"
#include "appdata/records/clsCompany.h"
#include "appdata/records/clsNote.h"
#include "appdata/records/clsSplit.h"
#include "db/Value.h"

namespace tarnwick {

// Every sector that a company row of the market refers to, once, keyed "ID_n", Name by language.
// Errors reach the caller.
KeyedCollection<clsCategory> ReadMarketCategories(std::int32_t MarketID);

// The live splits of the company dated from FirstDate to LastDate inclusive, oldest first, without
// keys. An error is logged and the splits read so far are returned.
KeyedCollection<clsSplit> GetSplits(std::int32_t CompanyID, db::Date FirstDate, db::Date LastDate);

// The live companies whose ticker equals Ticker without regard to case, or whose ID is CompanyID,
// by name. An empty Ticker looks up the ID alone. An error is logged and the companies read so far
// are returned.
KeyedCollection<clsCompany> GetCompaniyInfo(std::string_view Ticker, std::int32_t CompanyID);

// Every note, deleted ones included, newest first, Text in the display language. An error is logged
// and the notes read so far are returned.
KeyedCollection<clsNote> GetAllNotes();

// Live indexes (IsIndex) or live companies whose display-language name contains NamePart as typed
// (an empty NamePart matches all), of the market and sector given (-1: any), by market and name. An
// error is logged and the companies read so far are returned.
KeyedCollection<clsCompany> SearchCompanies(std::string_view NamePart, std::int32_t MarketID,
                                            std::int32_t CategoryID, bool IsIndex);

}  // namespace tarnwick

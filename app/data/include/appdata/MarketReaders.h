// The readers that load the reference tables into the global collections of MarketCollections.h.
// Each replaces its collection entirely; names are taken in the display language (gArabic) once for
// the run. Rows marked deleted are skipped, NULL texts read as empty text. A failing query or a
// malformed row ends the reader with a db::Error or AppError; the records read before it stay.
#pragma once

namespace tarnwick {

// Live markets by English name: ID, Name (by language), Aprev and the two update tags.
void ReadMarkets();
// Live sectors by English name: ID and Name (by language).
void ReadCategories();
// One system list per live market (ID = the market's ID negated, Name by language, isSystem), in the
// order of ReadMarkets, then every user list in table order.
void ReadWatchLists();
// Every row of the Settings table under its SettingName; a NULL or empty value reads as empty text.
void ReadSettings();
// Every template in table order.
void ReadTemplates();

}  // namespace tarnwick

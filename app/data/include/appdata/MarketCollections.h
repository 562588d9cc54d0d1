// The reference data every window uses instead of asking the database again, loaded once per run by
// the readers of MarketReaders.h. Keys are "ID_" followed by the record's number (RecordKey); the
// settings are keyed by their name.
#pragma once

#include "appdata/KeyedCollection.h"
#include "appdata/records/clsCategory.h"
#include "appdata/records/clsMarket.h"
#include "appdata/records/clsSettings.h"
#include "appdata/records/clsTemplate.h"
#include "appdata/records/clsWL.h"

namespace tarnwick {

extern KeyedCollection<clsMarket> gMarkets;
extern KeyedCollection<clsCategory> gCategories;
extern KeyedCollection<clsWL> gWatchLists;  // the system list of each market first, then the user lists
extern KeyedCollection<clsTemplate> gTemplates;
extern KeyedCollection<clsSettings> gSettings;

}  // namespace tarnwick

#include "appdata/MarketCollections.h"

namespace tarnwick {

KeyedCollection<clsMarket> gMarkets;
KeyedCollection<clsCategory> gCategories;
KeyedCollection<clsWL> gWatchLists;
KeyedCollection<clsTemplate> gTemplates;
KeyedCollection<clsSettings> gSettings;

}  // namespace tarnwick

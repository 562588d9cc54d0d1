#include "appdata/Globals.h"

bool gArabic = false;

namespace tarnwick {

db::Connection gConnection;
bool gSpecial = true;
bool gStarting = false;
std::int32_t gDefaultMarket = 1;
db::Date gBaseDate{};

}  // namespace tarnwick

#include "appdata/Globals.h"

namespace tarnwick {

db::Connection gConnection;
bool gArabic = false;
bool gSpecial = true;
bool gStarting = false;
db::Date gBaseDate{};

}  // namespace tarnwick

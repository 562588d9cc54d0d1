#include "appdata/Globals.h"

bool gArabic = false;

namespace tarnwick {

db::Connection gConnection;
bool gSpecial = true;
bool gStarting = false;
db::Date gBaseDate{};

}  // namespace tarnwick

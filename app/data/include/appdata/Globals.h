// Program-wide state set at start-up and shared by every window and record class.
#pragma once

#include <cstdint>

#include "db/Connection.h"
#include "db/Value.h"

// The interface language for this run: true = Arabic. One flag for the whole program, read by the
// language table and every window, so it lives outside the namespace.
extern bool gArabic;

namespace tarnwick {

using ::gArabic;
extern db::Connection gConnection;  // the one open connection to the market database
extern bool gSpecial;               // the chart shows 30 empty days after the last trading day
extern bool gStarting;              // true from just before the frame window shows until the chart has loaded
extern db::Date gBaseDate;          // the day the program started
extern std::int32_t gDefaultMarket;  // the market a new watch list or search starts from

}  // namespace tarnwick

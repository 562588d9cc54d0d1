// The procedure name under which the chart fill logs its errors.
#pragma once

#include <string_view>

namespace tarnwick::chart {

inline constexpr std::string_view kGetDataProc = "GetData";

}  // namespace tarnwick::chart

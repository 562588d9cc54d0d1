#pragma once

// The command texts of the chart's three tool bars (the financial extension's, the annotation list's
// and the chart's own) in the interface language, from fixed rows of the language table.

#include <cstdint>
#include <functional>

#include <QString>

namespace korvel {
struct IKvlChart;
}

namespace frame::chart {

// Sets every listed command's text to its row in the current language (`text` gives a row's text).
// The extensions are fetched from the chart by their ProgIDs. A command a bar does not have is an error
// of the caller (the program's error is thrown).
void LocalizeChartCommands(korvel::IKvlChart& chart, const std::function<QString(std::int32_t)>& text);

}  // namespace frame::chart

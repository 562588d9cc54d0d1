#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "com/OleDate.h"
#include "locale/LocaleRegistry.h"
#include "special/LabelMask.h"

namespace dravik {
namespace {

// Elements 10-12 at point 0 (buy 1), 12-9.5 at point 3 (sell 2), 9.5-11 at point 4 (no signal).
SpecialFigure figure() {
    SpecialFigure f;
    f.Allocate(3);
    f.Set(0, 10, 12, 0);
    f.Set(1, 12, 9.5, 3);
    f.Set(2, 9.5, 11, 4);
    f.signal = {1, -2, 0};
    return f;
}

// Values with two decimals and dates as "day<n>", so that the mask's work shows apart from formatting.
LabelMaskContext context(std::span<const double> dates = {}) {
    LabelMaskContext c;
    c.formatValue = [](double v) {
        char text[32];
        std::snprintf(text, sizeof text, "%.2f", v);
        return std::string(text);
    };
    c.formatDate = [](double date) { return "day" + std::to_string(static_cast<int>(date)); };
    c.dates = dates;
    c.buyMask = "Buy #";
    c.sellMask = "Sell #";
    return c;
}

TEST(LabelMask, SignalTextsCarryTheirNumber) {
    const SpecialFigure f = figure();
    EXPECT_EQ(SignalText(f, 0, "B", "S"), "B1");
    EXPECT_EQ(SignalText(f, 1, "B", "S"), "S2");
    EXPECT_EQ(SignalText(f, 2, "B", "S"), "");
    EXPECT_EQ(SignalText(f, 3, "B", "S"), "");
    EXPECT_EQ(SignalText(f, -1, "B", "S"), "");
}

TEST(LabelMask, DefaultMaskShowsSignalAndPointNumber) {
    const SpecialFigure f = figure();
    EXPECT_EQ(ExpandLabelMask("%t (%s)", f, 0, context()), "Buy #1 (1)");  // chart point 0 is "1"
    EXPECT_EQ(ExpandLabelMask("%t (%s)", f, 1, context()), "Sell #2 (4)");
    EXPECT_EQ(ExpandLabelMask("%t (%s)", f, 2, context()), " (5)");
    EXPECT_EQ(ExpandLabelMask("%T", f, 2, context()), "");
}

TEST(LabelMask, CodesInEitherCase) {
    const SpecialFigure f = figure();
    const std::vector<double> dates{100, 101, 102, 103, 104};
    EXPECT_EQ(ExpandLabelMask("%I-%v", f, 1, context()), "12.00-9.50");
    EXPECT_EQ(ExpandLabelMask("%i-%V", f, 2, context()), "9.50-11.00");
    EXPECT_EQ(ExpandLabelMask("%F to %D", f, 1, context(dates)), "day100 to day103");
    EXPECT_EQ(ExpandLabelMask("%f to %d", f, 0, context(dates)), "day100 to day100");  // first: its own
    // Without dates the point itself, in brackets and followed by a blank.
    EXPECT_EQ(ExpandLabelMask("%F|%D|", f, 2, context()), "[3] |[4] |");
    EXPECT_EQ(ExpandLabelMask("%S\\n%T\\N.", f, 1, context()), "4\nSell #2\n.");
}

TEST(LabelMask, EverythingElseIsCopiedAsItStands) {
    const SpecialFigure f = figure();
    EXPECT_EQ(ExpandLabelMask("100% %x %%D\\t\\", f, 0, context()), "100% %x %%D\\t\\");
    EXPECT_EQ(ExpandLabelMask("end%", f, 0, context()), "end%");
    EXPECT_EQ(ExpandLabelMask("", f, 0, context()), "");
    EXPECT_EQ(ExpandLabelMask("%S", f, 3, context()), "");  // no such element
    EXPECT_EQ(ExpandLabelMask("%S", SpecialFigure{}, 0, context()), "");
}

TEST(LabelMask, DatesInTheShortFormWithTheTimeOnlyWhenNotMidnight) {
    loc::LocaleRegistry::reset();
    loc::LocaleRegistry::setUserDefault(loc::LocaleInfo::english());
    const double midnight = *com::toOleDate({2024, 3, 6, 0, 0, 0});
    const double afternoon = *com::toOleDate({2024, 3, 6, 14, 5, 9});
    EXPECT_EQ(FormatLabelDate(midnight, loc::LOCALE_USER_DEFAULT), "3/6/2024");
    EXPECT_EQ(FormatLabelDate(afternoon, loc::LOCALE_USER_DEFAULT), "3/6/2024 2:05:09 PM");
    EXPECT_EQ(FormatLabelDate(1e308, loc::LOCALE_USER_DEFAULT), "");

    // The mask uses it when no date formatter is given.
    const std::vector<double> dates{midnight, midnight, midnight, midnight, afternoon};
    LabelMaskContext c = context(dates);
    c.formatDate = nullptr;
    EXPECT_EQ(ExpandLabelMask("%D", figure(), 2, c), "3/6/2024 2:05:09 PM");
    loc::LocaleRegistry::reset();
}

}  // namespace
}  // namespace dravik

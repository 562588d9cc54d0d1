// The studies tool's descriptions: which text each calculation kind takes, the series names, the
// positional filling (never a printf format) and the Arabic texts.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "res/LanguageBundle.h"
#include "resources/BuiltInResources.h"
#include "state/StudyRecord.h"
#include "state/StudyTable.h"
#include "studiestool/StudyDescription.h"

namespace dravik {
namespace {

const res::ResourceModule& english() {
    return *BuiltInResources();
}

StudyRecord studyOfKind(int kind) {
    StudyRecord record = MakeDefaultStudyRecord(kind, &english());
    record.workSeries = -1;
    return record;
}

TEST(StudyDescription, TextIdsByCalculationKind) {
    const std::array<std::pair<int, std::uint32_t>, 11> cases{{{0, 500},
                                                               {3, 500},
                                                               {4, 501},
                                                               {18, 515},
                                                               {31, 528},
                                                               {32, 530},
                                                               {37, 535},
                                                               {38, 539},
                                                               {57, 539},
                                                               {-1, 539},
                                                               {12, 509}}};
    for (const auto& [kind, id] : cases)
        EXPECT_EQ(DescriptionTextId(kind), id) << "kind " << kind;
}

TEST(StudyDescription, SeriesNames) {
    EXPECT_EQ(WorkSeriesName(english(), -4), "Open Price");
    EXPECT_EQ(WorkSeriesName(english(), -3), "High Price");
    EXPECT_EQ(WorkSeriesName(english(), -2), "Low Price");
    EXPECT_EQ(WorkSeriesName(english(), -1), "Close Price");
    EXPECT_EQ(WorkSeriesName(english(), 0), "Series 0");
    EXPECT_EQ(WorkSeriesName(english(), 17), "Series 17");
    EXPECT_EQ(WorkSeriesName(english(), -5), "Bad Series Number");
    EXPECT_EQ(WorkSeriesName(english(), -32768), "Bad Series Number");
}

TEST(StudyDescription, KindFourOnTheCloseNamesTheClosePrice) {
    StudyRecord record = studyOfKind(4);
    record.periods = 20;
    EXPECT_EQ(DescribeStudy(english(), record), "Exponential moving average of Close Price over 20 periods");
}

TEST(StudyDescription, ParametersOfTheKindsThatTakeMore) {
    StudyRecord bollinger = studyOfKind(7);
    bollinger.periods = 20;
    bollinger.parameters.setD(2.5);
    bollinger.workSeries = 3;
    EXPECT_EQ(DescribeStudy(english(), bollinger),
              "Bollinger bands of Series 3 over 20 periods,  2.50 standard deviations")
        << "the decimal is shown %5.2f, padded to five characters";

    StudyRecord macd = studyOfKind(24);
    macd.parameters.setSignalPeriod(9);
    macd.parameters.setShortPeriod(12);
    macd.parameters.setLongPeriod(26);
    EXPECT_EQ(DescribeStudy(english(), macd), "MACD of Close Price: signal 9, short 12 and long 26 periods");

    StudyRecord chaikin = studyOfKind(19);
    chaikin.parameters.setLongPeriod(10);
    chaikin.parameters.setShortPeriod(3);
    EXPECT_EQ(DescribeStudy(english(), chaikin), "Chaikin oscillator: long period 10, short period 3");

    StudyRecord williams = studyOfKind(31);
    williams.periods = 14;
    EXPECT_EQ(DescribeStudy(english(), williams), "Williams %R over 14 periods") << "a percent sign stays";
}

TEST(StudyDescription, KindsWithoutParametersShowTheirTextAlone) {
    for (const int kind : {9, 10, 11, 12, 13, 15, 18}) {
        const std::string text = DescribeStudy(english(), studyOfKind(kind));
        EXPECT_EQ(text, *english().string(DescriptionTextId(kind))) << "kind " << kind;
    }
}

TEST(StudyDescription, AStudyOfNoBuiltInKindIsNotAvailable) {
    StudyRecord custom = MakeDefaultStudyRecord(50, &english());
    EXPECT_EQ(DescribeStudy(english(), custom), "Not Available");
}

TEST(StudyDescription, FillingIsPositionalAndNeverAPrintfFormat) {
    const std::array<std::string, 2> arguments{"A", "B"};
    EXPECT_EQ(FillText("%2 then %1", arguments), "B then A");
    EXPECT_EQ(FillText("%s %n %d %x %3 %", arguments), "%s %n %d %x %3 %")
        << "conversions and placeholders without an argument stay text";
    EXPECT_EQ(FillText("100%% of %1", arguments), "100% of A");
    EXPECT_EQ(FillText("%1%1%1", arguments), "AAA");
}

TEST(StudyDescription, AMissingTextShowsAVisibleMark) {
    res::ResourceModule empty(QStringLiteral("Empty"));
    StudyRecord record = studyOfKind(4);
    EXPECT_EQ(DescribeStudy(empty, record), "<text 501 missing>");
    EXPECT_EQ(WorkSeriesName(empty, -1), "<text 153 missing>");
    EXPECT_EQ(TextOrMark(empty, 539), "<text 539 missing>");
}

TEST(StudyDescription, ArabicTextsCoverEveryDescription) {
    const res::BundleLoad arabic =
        res::LanguageBundle::load(QStringLiteral(DRAVIK_ARABIC_RESOURCES), BuiltInResources());
    ASSERT_TRUE(arabic.loaded()) << arabic.result.message.toStdString();
    StudyRecord record = studyOfKind(4);
    record.periods = 20;
    EXPECT_EQ(DescribeStudy(*arabic.module, record), "المتوسط المتحرك الأسي لـ سعر الإغلاق على 20 فترة");
    for (std::uint32_t id = 500; id <= 539; ++id) {
        if (id == 529 || id == 538)
            continue;
        const auto english = BuiltInResources()->string(id);
        const auto translated = arabic.module->string(id);
        ASSERT_TRUE(english.has_value()) << id;
        ASSERT_TRUE(translated.has_value()) << id;
        EXPECT_NE(*translated, *english) << "text " << id << " is translated";
        for (const char* placeholder : {"%1", "%2", "%3", "%4", "%5"})
            EXPECT_EQ(english->find(placeholder) == std::string::npos,
                      translated->find(placeholder) == std::string::npos)
                << "text " << id << " fills the same values: " << placeholder;
    }
}

}  // namespace
}  // namespace dravik

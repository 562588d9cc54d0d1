#include <gtest/gtest.h>

#include "StateTestSupport.h"
#include "state/ChartStateBlocks.h"
#include "state/ExchangeKeys.h"
#include "state/StudyTable.h"

namespace dravik {
namespace {

using test::Bytes;
using test::ByteWriter;

Bytes storeStudies(StudiesBlock& block, std::uint32_t version, std::uint32_t flags = EXCHANGE_TOOLBAR) {
    return test::storeWith(
        [&](CPropertyArchive& archive) { return ExchangeStudiesBlock(block, archive, version, flags); });
}

com::HRESULT loadStudies(const Bytes& bytes, StudiesBlock& block, std::uint32_t version) {
    return test::loadWith(bytes, [&](CPropertyArchive& archive) {
        return ExchangeStudiesBlock(block, archive, version, EXCHANGE_TOOLBAR);
    });
}

Bytes storeSpecial(SpecialChartSeriesBlock& block, std::uint32_t version,
                   std::uint32_t flags = EXCHANGE_TOOLBAR, const SeriesBinding& binding = {}) {
    return test::storeWith([&](CPropertyArchive& archive) {
        return ExchangeSpecialChartSeries(block, archive, version, flags, binding);
    });
}

// A studies block with a few studies in use, custom weights and changed axes.
StudiesBlock sampleStudies() {
    StudiesBlock block = MakeDefaultStudiesBlock(nullptr);
    block.priceDisplay = 3;
    block.priceStartInZero = 1;
    block.priceSeries[1].setMask |= SA_COLOR;
    block.priceSeries[1].color = {0xFF, 0};
    for (int study : {0, 6, 24, 40, 52}) {
        block.studies[static_cast<std::size_t>(study)].inUse = 1;
        block.studies[static_cast<std::size_t>(study)].visible = 1;
    }
    StudyRecord& wma = block.studies[WEIGHTED_MOVINGAVG];
    wma.periods = 5;
    wma.parameters.linearWeights = 0;
    wma.parameters.weights = {3, 3, 2, 1, 1};
    block.studies[24].usedAxis = 2;
    block.studyAxes[24].usedFields |= AUF_TITLE;
    block.studyAxes[24].setTitle("MACD");
    block.studyAxes[40].usedFields |= AUF_MIN;
    block.studyAxes[40].min = -100;
    block.studyAxes[3].usedFields |= AUF_MAX;  // study 3 is not in use: its axis is not saved
    return block;
}

TEST(StudiesBlock, RoundTripAndSecondSaveIdentical) {
    StudiesBlock block = sampleStudies();
    const Bytes saved = storeStudies(block, kFormatVersion);
    StudiesBlock loaded = MakeDefaultStudiesBlock(nullptr);
    ASSERT_EQ(loadStudies(saved, loaded, kFormatVersion), com::S_OK);
    EXPECT_EQ(loaded.priceDisplay, 3);
    EXPECT_EQ(loaded.priceStartInZero, 1);
    EXPECT_EQ(loaded.priceSeries[1].color[0], 0xFFu);
    EXPECT_EQ(loaded.studies[WEIGHTED_MOVINGAVG].parameters.weights,
              (std::vector<std::int16_t>{3, 3, 2, 1, 1}));
    EXPECT_EQ(loaded.studies[WEIGHTED_MOVINGAVG].parameters.linearWeights, 0);
    EXPECT_EQ(loaded.studies[40].visible, 1);
    EXPECT_EQ(loaded.studies[52].inUse, 1);
    EXPECT_EQ(loaded.studies[1].inUse, 0);
    EXPECT_EQ(loaded.studyAxes[24].titleText(), "MACD");
    EXPECT_EQ(loaded.studyAxes[40].min, -100.0);
    EXPECT_EQ(loaded.studyAxes[3].usedFields, DefaultAxisRecord(StudyDefaultAxisRecord(3)).usedFields);
    EXPECT_EQ(storeStudies(loaded, kFormatVersion), saved);
}

TEST(StudiesBlock, CountsAreCheckedAgainstTheirArrays) {
    StudiesBlock block = MakeDefaultStudiesBlock(nullptr);
    const Bytes before = storeStudies(block, 33);

    ByteWriter fivePrices;
    fivePrices.i16(0).u8(0).i16(5);
    EXPECT_EQ(loadStudies(fivePrices.bytes(), block, 33), kDamagedState);

    ByteWriter negative;
    negative.i16(0).u8(0).i16(-1);
    EXPECT_EQ(loadStudies(negative.bytes(), block, 33), kDamagedState);
    EXPECT_EQ(storeStudies(block, 33), before);
}

TEST(StudiesBlock, TooManyStudiesFailAndChangeNothing) {
    StudiesBlock block = MakeDefaultStudiesBlock(nullptr);
    block.priceDisplay = 1;
    Bytes saved = storeStudies(block, 33);
    // The studies count is the short after the price series: every study not in use is one short 0,
    // so it sits 58 shorts before the end.
    const std::size_t countAt = saved.size() - 2 * kStudyCount - 2;
    ASSERT_EQ(saved[countAt], 58);
    saved[countAt] = 59;
    saved.push_back(0);
    saved.push_back(0);
    StudiesBlock loaded = MakeDefaultStudiesBlock(nullptr);
    EXPECT_EQ(loadStudies(saved, loaded, 33), kDamagedState);
    EXPECT_EQ(loaded.priceDisplay, 0);
}

TEST(StudiesBlock, TruncatedSavesFailAndChangeNothing) {
    StudiesBlock block = sampleStudies();
    const Bytes saved = storeStudies(block, kFormatVersion);
    StudiesBlock target = MakeDefaultStudiesBlock(nullptr);
    const Bytes before = storeStudies(target, kFormatVersion);
    test::expectEveryTruncationFails(
        saved,
        [&](CPropertyArchive& archive) {
            return ExchangeStudiesBlock(target, archive, kFormatVersion, EXCHANGE_TOOLBAR);
        },
        [&] { return storeStudies(target, kFormatVersion) == before; });
}

TEST(SpecialChartSeries, ByteImageAtVersion33) {
    SpecialChartSeriesBlock block = MakeDefaultSpecialChartSeries();
    block.workSeries = 2;
    ByteWriter expected;
    expected.i16(2).u8(1).i16(4);
    // Point & Figure and Kagi: line style, volume, border, line widths, colours.
    const auto lineFigure = [&](std::int16_t width) {
        expected.u32(0x51220).i16(0).i16(100).u8(0).i16(width).i16(1).u32(0).u32(0);
    };
    // Renko and Three Line Break: volume, border, border colour, line widths, colours, background colours.
    const auto boxChart = [&] {
        expected.u32(0x1D1200).i16(100).u8(1).u32(0).i16(1).i16(1).u32(0).u32(0xFFFFFF).u32(0xC0C0C0).u32(
            0xC0C0C0);
    };
    lineFigure(2);
    boxChart();
    lineFigure(3);
    boxChart();
    const Bytes saved = storeSpecial(block, 33);
    EXPECT_EQ(saved, expected.bytes());

    SpecialChartSeriesBlock loaded;
    ASSERT_EQ(test::loadWith(saved,
                             [&](CPropertyArchive& a) {
                                 return ExchangeSpecialChartSeries(loaded, a, 33, EXCHANGE_TOOLBAR,
                                                                   SeriesBinding{});
                             }),
              com::S_OK);
    EXPECT_EQ(loaded.workSeries, 2);
    EXPECT_EQ(loaded.series[2].lineWidth[0], 3);
    EXPECT_EQ(storeSpecial(loaded, 33), saved);
}

TEST(SpecialChartSeries, MoreThanFourSeriesFail) {
    SpecialChartSeriesBlock block = MakeDefaultSpecialChartSeries();
    const Bytes five = ByteWriter().i16(-1).u8(1).i16(5).bytes();
    EXPECT_EQ(test::loadWith(five,
                             [&](CPropertyArchive& a) {
                                 return ExchangeSpecialChartSeries(block, a, 33, EXCHANGE_TOOLBAR,
                                                                   SeriesBinding{});
                             }),
              kDamagedState);
    EXPECT_EQ(block.series[0].lineWidth[0], 2);
}

TEST(SpecialChartSeries, BodyOnlyKeepsTheBoundPriceSeries) {
    SpecialChartSeriesBlock block = MakeDefaultSpecialChartSeries();
    SeriesBinding binding;
    binding.closeSeries = 2;
    // No count; only series 2 (Kagi), without "_UsedFields" and with index 0 of each indexed entry.
    const Bytes expected = ByteWriter().i16(-1).u8(1).i16(0).i16(100).u8(0).i16(3).u32(0).bytes();
    EXPECT_EQ(storeSpecial(block, 33, EXCHANGE_BODY_ONLY, binding), expected);
}

}  // namespace
}  // namespace dravik

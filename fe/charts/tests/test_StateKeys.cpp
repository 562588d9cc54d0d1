#include <gtest/gtest.h>

#include "StateTestSupport.h"
#include "com/ComPtr.h"
#include "persist/CPropertyBagArchive.h"
#include "series/SeriesAttributeExchange.h"
#include "state/ChartStateBlocks.h"
#include "state/ExchangeKeys.h"
#include "state/ExtensionSettings.h"
#include "state/StudyTable.h"
#include "storage/PropertyBag.h"

namespace dravik {
namespace {

using test::ByteWriter;

com::Variant property(com::IPropertyBag* bag, const char16_t* name) {
    com::Variant value;
    bag->Read(name, &value, nullptr);
    return value;
}

// The named-property medium shows every key an exchange uses.
TEST(StateKeys, NamesOfSeriesStudyAndAxisEntries) {
    com::ComPtr<com::IPropertyBag> bag;
    ASSERT_EQ(com::createMemoryPropertyBag(bag.put()), com::S_OK);
    StudiesBlock block = MakeDefaultStudiesBlock(nullptr);
    block.priceSeries[0].setMask |= SA_PATTERN;
    block.priceSeries[0].pattern = {3, 4};
    StudyRecord& wma = block.studies[WEIGHTED_MOVINGAVG];
    wma.inUse = 1;
    wma.parameters.linearWeights = 0;
    wma.parameters.weights[2] = 30;
    block.studyAxes[WEIGHTED_MOVINGAVG].usedFields |= AUF_GRIDCOLOR;
    block.studyAxes[WEIGHTED_MOVINGAVG].gridColor = 0x123;
    block.studies[24].inUse = 1;
    {
        CPropertyBagArchive archive(bag.get(), true, true);
        EXPECT_EQ(ExchangeStudiesBlock(block, archive, kFormatVersion, EXCHANGE_TOOLBAR), com::S_OK);
    }
    EXPECT_EQ(property(bag.get(), u"PriceSeries(0).Pattern(1)").i2(), 4);
    EXPECT_EQ(property(bag.get(), u"PriceSeries(0)._UsedFields").i4(), static_cast<std::int32_t>(0x31060));
    EXPECT_EQ(property(bag.get(), u"WeightedMA.Weight(2)").i2(), 30);
    EXPECT_EQ(property(bag.get(), u"WeightedMA.LinearWeights").boolVal(), com::VARIANT_FALSE);
    EXPECT_EQ(property(bag.get(), u"WeightedMA.Periods").vt(), com::VT_EMPTY);  // its default: not written
    EXPECT_EQ(property(bag.get(), u"WeightedMA.Axis.GridColor").i4(), 0x123);
    EXPECT_EQ(property(bag.get(), u"MACD.SignalPeriod").vt(), com::VT_EMPTY);
    EXPECT_EQ(property(bag.get(), u"MACD._UsedIndicator").i2(), 1);
    // An output at its defaults writes nothing under its own prefix; its legend is an own text.
    EXPECT_EQ(property(bag.get(), u"MACD.Series(2)._UsedFields").vt(), com::VT_EMPTY);
    EXPECT_EQ(property(bag.get(), u"MACD.Series(2).Legend").bstr().toUtf8(), "Macd Signal");

    StudiesBlock loaded = MakeDefaultStudiesBlock(nullptr);
    CPropertyBagArchive reader(bag.get(), false, true);
    ASSERT_EQ(ExchangeStudiesBlock(loaded, reader, kFormatVersion, EXCHANGE_TOOLBAR), com::S_OK);
    EXPECT_EQ(loaded.studies[WEIGHTED_MOVINGAVG].parameters.weights[2], 30);
    EXPECT_EQ(loaded.priceSeries[0].pattern[1], 4);
    EXPECT_EQ(loaded.studyAxes[WEIGHTED_MOVINGAVG].gridColor, 0x123u);
}

TEST(StateKeys, SettingsAndSnapshotNames) {
    com::ComPtr<com::IPropertyBag> bag;
    ASSERT_EQ(com::createMemoryPropertyBag(bag.put()), com::S_OK);
    ExtensionSettings settings;
    settings.SetDefaults(nullptr);
    settings.dateFormatCodes[3] = FC_TIME;
    settings.dateAxis.usedFields |= AUF_TITLE;
    settings.dateAxis.setTitle("Dates");
    settings.chartSnapshot.persistData = 1;
    settings.chartSnapshot.Allocate(1, 4);
    settings.chartSnapshot.axes[1].step = 2.5;
    settings.chartSnapshot.series[0].pointType = 6;
    {
        CPropertyBagArchive archive(bag.get(), true, true);
        EXPECT_EQ(settings.Exchange(archive, kFormatVersion, EXCHANGE_TOOLBAR), com::S_OK);
    }
    EXPECT_EQ(property(bag.get(), u"DateAxis.Format(3)").i4(), FC_TIME);
    EXPECT_EQ(property(bag.get(), u"DateAxis.Title").bstr().toUtf8(), "Dates");
    EXPECT_EQ(property(bag.get(), u"_kvlaxis(1)._okvlaxisStep").r8(), 2.5);
    EXPECT_EQ(property(bag.get(), u"_kvlseries(0)._kvlseriesPointType").i2(), 6);
    EXPECT_EQ(property(bag.get(), u"_kvlinfoNumSeries").i4(), 1);
}

TEST(StateKeys, ChartTypeFlagWordOnlyAbove31) {
    std::uint32_t word = 0x55;
    const auto store = [&](std::uint32_t version, std::uint32_t flags) {
        return test::storeWith([&](CPropertyArchive& archive) {
            ExchangeChartTypeFlags(archive, &word, version, flags);
            return ArchiveResult(archive);
        });
    };
    EXPECT_EQ(store(31, EXCHANGE_TOOLBAR), test::Bytes{});
    EXPECT_EQ(store(32, EXCHANGE_TOOLBAR), ByteWriter().u32(0x55).bytes());
    EXPECT_EQ(store(33, EXCHANGE_BODY_ONLY), test::Bytes{});
}

TEST(StateKeys, KeyHelpers) {
    EXPECT_EQ(ExchangeKey("Kagi.Series.", "Color"), u"Kagi.Series.Color");
    EXPECT_EQ(IndexedKey("PriceSeries(3).", "BkColor", 1), u"PriceSeries(3).BkColor(1)");
    EXPECT_EQ(IndexedPrefix("_kvlaxis(%d).", 6), "_kvlaxis(6).");
    EXPECT_EQ(IndexedPrefix("no mark", 6), "no mark");
}

}  // namespace
}  // namespace dravik

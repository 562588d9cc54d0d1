#include <gtest/gtest.h>

#include "AxisTestOwner.h"
#include "StateTestSupport.h"
#include "axes/AxisObjectFactory.h"
#include "axes/AxisPropertyCodes.h"
#include "axes/CAxisBase.h"
#include "com/ComPtr.h"
#include "format/DefaultRecords.h"
#include "state/AxisSettingsExchange.h"
#include "state/ExchangeKeys.h"

namespace dravik {
namespace {

using test::AxisTestOwner;
using test::pricesAxis;

// What the user set through the price-axis object of one chart.
void setUp(ILomexAxis& axis) {
    axis.put_Min(5);
    axis.put_Max(50);
    axis.put_Format(com::Variant::utf8("#,##0.000"));
    axis.put_Grid(com::VARIANT_TRUE);
    axis.put_GridStyle(2);
    axis.put_TickMark(3);
    axis.put_Title(com::Bstr(u"Price"));
    axis.put_CurrencySymbol(com::Bstr(u"SAR"));
}

test::Bytes save(AxisSettingsRecord& record, std::uint32_t version) {
    return test::storeWith([&](CPropertyArchive& archive) {
        return ExchangeAxisSettings(record, archive, "PricesAxis.", version, EXCHANGE_TOOLBAR,
                                    DefaultAxisRecord(kPriceAxisDefault));
    });
}

com::HRESULT load(const test::Bytes& bytes, AxisSettingsRecord& record, std::uint32_t version) {
    return test::loadWith(bytes, [&](CPropertyArchive& archive) {
        return ExchangeAxisSettings(record, archive, "PricesAxis.", version, EXCHANGE_TOOLBAR,
                                    DefaultAxisRecord(kPriceAxisDefault));
    });
}

// Saved with one chart, loaded with another whose price axis is then applied to its chart.
TEST(AxisExchange, UserSettingsReachTheNextChartAtVersion33) {
    auto first = com::makeComObject<AxisTestOwner>();
    setUp(*pricesAxis(*first));
    const test::Bytes bytes = save(first->settings.priceAxis, 33);

    auto second = com::makeComObject<AxisTestOwner>();
    ASSERT_EQ(load(bytes, second->settings.priceAxis, 33), com::S_OK);
    const AxisSettingsRecord& loaded = second->settings.priceAxis;
    EXPECT_EQ(loaded.usedFields, first->settings.priceAxis.usedFields);
    EXPECT_EQ(loaded.format, 0x8001);
    EXPECT_EQ(loaded.decimals, 3);
    EXPECT_EQ(loaded.prepared.pictureText(), "#,##0.000");

    CAxisBase axis;
    axis.Bind(second.get(), nullptr, &second->settings.priceAxis);
    axis.SetAxis(0, kAllAxisProperties);
    axis.Apply(kAllAxisProperties);
    EXPECT_EQ(second->chartValue(0, 0), 5);
    EXPECT_EQ(second->chartValue(0, 1), 50);
    EXPECT_EQ(second->chartValue(0, 12), 32768);
    EXPECT_EQ(second->chartValue(0, 14), 2);
    EXPECT_EQ(second->chartValue(0, 21), 3);
    EXPECT_EQ(second->chartValue(0, 5), 3);
    EXPECT_EQ(second->chartAxis(0).format, com::Variant(std::int32_t{0x8001}));
    EXPECT_EQ(second->chart->model().axisTitles()[0], "Price");
    EXPECT_EQ(second->chartAxis(0).text, "SAR");
    // What the user never set stays the chart's own.
    EXPECT_EQ(second->chartValue(0, 13), 0);
    EXPECT_EQ(second->chartValue(0, 2), 10);
}

// A save of version 22 carries no locale and no currency symbol: the loading chart keeps its own.
TEST(AxisExchange, OlderSaveLeavesOutLocaleAndSymbol) {
    auto first = com::makeComObject<AxisTestOwner>();
    setUp(*pricesAxis(*first));
    first->settings.priceAxis.locale = 1025;
    const test::Bytes newer = save(first->settings.priceAxis, 33);
    const test::Bytes older = save(first->settings.priceAxis, 22);
    EXPECT_EQ(newer.size() - older.size(), 8u);  // the currency symbol's 8 bytes; locale not marked

    auto second = com::makeComObject<AxisTestOwner>();
    second->settings.priceAxis.setSymbol("EUR");
    ASSERT_EQ(load(older, second->settings.priceAxis, 22), com::S_OK);
    const AxisSettingsRecord& loaded = second->settings.priceAxis;
    EXPECT_EQ(loaded.symbol(), "EUR");
    EXPECT_EQ(loaded.min, 5);
    EXPECT_EQ(loaded.titleText(), "Price");
    EXPECT_EQ(loaded.tickStyle, static_cast<std::int16_t>(0x8003));

    CAxisBase apply;
    apply.Bind(second.get(), nullptr, &second->settings.priceAxis);
    apply.SetAxis(0, 0);
    apply.Apply(kAllAxisProperties);
    EXPECT_EQ(second->chartAxis(0).text, "EUR");
    double max = 0;
    ASSERT_EQ(pricesAxis(*second)->get_Max(&max), com::S_OK);
    EXPECT_EQ(max, 50);
}

}  // namespace
}  // namespace dravik

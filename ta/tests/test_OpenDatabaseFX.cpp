#include "FakeChart.h"
#include "TestSupport.h"
#include "containers/Database.h"
#include "loading/ChartPriceReader.h"

namespace indikon::test {
namespace {

com::HRESULT loadChart(_Database* database, com::LONG points, com::LONG trimDays,
                       com::ComPtr<com::IUnknown> extension = com::makeComObject<FakeExtension>()) {
    com::ComPtr<FakeChart> chart = com::makeComObject<FakeChart>(points);
    chart->extension = std::move(extension);
    return database->OpenDatabaseFX(chart.get(), trimDays);
}

TEST(OpenDatabaseFX, TrimDaysDropsTheLastPoints) {
    com::ComPtr<_Database> database = com::makeComObject<Database>();
    ASSERT_EQ(loadChart(database.get(), 250, 5), com::S_OK);
    ASSERT_EQ(recordCount(database.get()), 245);
    EXPECT_EQ(position(database.get()), 1);
    // Series s holds 1000 * s + point; the fake extension puts open, high, low, close, volume in
    // series 1, 2, 3, 4 and 6.
    const struct {
        const char16_t* field;
        double series;
    } columns[] = {{u"Open", 1}, {u"High", 2}, {u"Low", 3}, {u"Close", 4}, {u"Volume", 6}};
    for (const auto& column : columns) {
        const std::vector<double> values = valuesOf(fieldOf(database.get(), column.field).get());
        ASSERT_EQ(values.size(), 245u);
        EXPECT_EQ(values.front(), 1000 * column.series);
        EXPECT_EQ(values.back(), 1000 * column.series + 244);
    }
    com::ComPtr<_Field> dates = fieldOf(database.get(), u"Date");
    com::Bstr first;
    com::Bstr last;
    dates->getStrValue(1, &first);
    dates->getStrValue(245, &last);
    EXPECT_EQ(first.view(), u"2001-01-01");
    EXPECT_EQ(last.view(), u"2001-09-02");  // point 244
}

TEST(OpenDatabaseFX, NothingLeftAfterTrimmingFails) {
    com::ComPtr<_Database> database = com::makeComObject<Database>();
    EXPECT_TRUE(
        failedWith(loadChart(database.get(), 250, 250), {1012, "OpenDatabase", "Subscript out of range"}));
}

TEST(OpenDatabaseFX, MoreThanAnIntegerOfPointsOverflows) {
    com::ComPtr<_Database> database = com::makeComObject<Database>();
    EXPECT_TRUE(failedWith(loadChart(database.get(), 40000, 7232), {1012, "OpenDatabase", "Overflow"}));
    EXPECT_EQ(loadChart(database.get(), 40000, 7233), com::S_OK);
    EXPECT_EQ(recordCount(database.get()), 32767);
}

TEST(OpenDatabaseFX, ChartWithoutTheExtensionFails) {
    com::ComPtr<_Database> database = com::makeComObject<Database>();
    EXPECT_TRUE(failedWith(loadChart(database.get(), 10, 0, com::makeComObject<NotAnExtension>()),
                           {1012, "OpenDatabase", "Type mismatch"}));
    com::ComPtr<com::IUnknown> notAChart = com::makeComObject<NotAnExtension>();
    EXPECT_TRUE(
        failedWith(database->OpenDatabaseFX(notAChart.get(), 0), {1012, "OpenDatabase", "Type mismatch"}));
}

TEST(OpenDatabaseFX, SeriesTheChartRefusesFails) {
    com::ComPtr<FakeExtension> extension = com::makeComObject<FakeExtension>();
    extension->series[4] = -1;  // no volume series
    com::ComPtr<_Database> database = com::makeComObject<Database>();
    com::ComPtr<com::IUnknown> unknown(static_cast<com::IUnknown*>(extension.get()));
    const com::HRESULT result = loadChart(database.get(), 10, 0, unknown);
    const std::optional<com::ErrorInfo> info = com::takeErrorInfo();
    EXPECT_EQ(result, errorResult(1012));
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->source, "OpenDatabase");
    EXPECT_EQ(info->description, com::describeHResult(com::E_INVALIDARG));
}

TEST(ChartDateText, DayOrDayAndTime) {
    EXPECT_EQ(chartDateText(36892).view(), u"2001-01-01");
    EXPECT_EQ(chartDateText(36892.5).view(), u"2001-01-01 12:00:00");
}

}  // namespace
}  // namespace indikon::test

#include <gtest/gtest.h>

#include "com/Activation.h"
#include "com/OleDate.h"
#include "db/Connection.h"
#include "korvel/KvlChart.h"
#include "korvel/KvlDataAdo.h"

namespace korvel {
namespace {

// A price table as the chart fill hands it over: nine value columns, the date, the legend.
db::Connection priceTable() {
    db::Connection connection = db::Connection::openInMemory();
    connection.executeScript(
        "CREATE TABLE t (o REAL, h REAL, l REAL, c REAL, v REAL, a REAL, b REAL, d REAL, e REAL,"
        " day TEXT, note TEXT);"
        "INSERT INTO t VALUES (10, 12, 9, 11, 1000, 1, 2, 3, 4, '2005-01-03', 'first');"
        "INSERT INTO t VALUES (11, 13, NULL, 12, 1500, 1, 2, 3, 4, '2005-01-04', NULL);"
        "INSERT INTO t VALUES (12, 14, 11, NULL, 900, 1, 2, 3, 4, '2005-01-05', 'third');");
    return connection;
}

com::ComPtr<KvlChart> boundChart() {
    auto chart = KvlChart::create();
    for (SHORT c = 0; c < 9; ++c)
        chart->put_ColumnKind(c, kColumnValue);
    chart->put_ColumnKind(9, kColumnXValue);
    chart->put_ColumnKind(10, kColumnLegend);
    return chart;
}

TEST(KvlDataAdo, ElevenColumnRowSetFillsTheChart) {
    ASSERT_EQ(registerChartClasses(), com::S_OK);
    com::ComPtr<IKvlDataProvider> provider;
    ASSERT_EQ(com::createInstance(kDataProviderProgId, provider), com::S_OK);

    db::Connection connection = priceTable();
    auto recordset = makeRecordset(connection.query("SELECT * FROM t ORDER BY day"));
    ASSERT_EQ(provider->SetRecordset(recordset.get()), com::S_OK);
    recordset.reset();  // the provider has read every row already
    auto chart = boundChart();
    ASSERT_EQ(chart->SetDataProvider(provider.get()), com::S_OK);

    LONG count = 0;
    chart->get_SeriesCount(&count);
    EXPECT_EQ(count, 9);
    chart->get_PointCount(&count);
    EXPECT_EQ(count, 3);
    const struct {
        SHORT series;
        LONG point;
        double value;
    } cells[] = {{0, 0, 10}, {1, 2, 14}, {2, 1, kNoValue}, {3, 2, kNoValue}, {4, 1, 1500}, {8, 0, 4}};
    for (const auto& cell : cells) {
        double value = 0;
        ASSERT_EQ(chart->get_ValueAt(cell.series, cell.point, &value), com::S_OK);
        EXPECT_EQ(value, cell.value) << cell.series << "," << cell.point;
    }
    double day = 0;
    ASSERT_EQ(chart->get_PointXValue(1, &day), com::S_OK);
    EXPECT_EQ(day, *com::toOleDate({2005, 1, 4}));
    EXPECT_EQ(chart->model().pointLegend(0), "first");
    EXPECT_EQ(chart->model().pointLegend(1), "");
}

TEST(KvlDataAdo, ForwardOnlyRowSetsAreReadOnce) {
    db::Connection connection = priceTable();
    auto provider = com::makeComObject<KvlDataAdo>();
    auto recordset = makeRecordset(connection.query("SELECT o, day FROM t", {}, db::CursorType::ForwardOnly));
    ASSERT_EQ(provider->SetRecordset(recordset.get()), com::S_OK);
    LONG columns = 0, rows = 0;
    ASSERT_EQ(provider->GetShape(&columns, &rows), com::S_OK);
    EXPECT_EQ(columns, 2);
    EXPECT_EQ(rows, 3);
    com::Variant cell;
    EXPECT_EQ(provider->GetCell(3, 0, &cell), com::E_INVALIDARG);
    EXPECT_EQ(provider->GetCell(0, 2, &cell), com::E_INVALIDARG);
    ASSERT_EQ(provider->GetCell(2, 1, &cell), com::S_OK);
    EXPECT_EQ(cell.bstr().toUtf8(), "2005-01-05");
}

TEST(KvlDataAdo, ObjectsThatAreNoRowSetAreRefused) {
    auto provider = com::makeComObject<KvlDataAdo>();
    auto chart = KvlChart::create();
    EXPECT_EQ(provider->SetRecordset(static_cast<IKvlChart*>(chart.get())), com::E_NOINTERFACE);
    EXPECT_EQ(provider->SetRecordset(nullptr), com::E_POINTER);
    LONG columns = 1, rows = 1;
    EXPECT_EQ(provider->GetShape(&columns, &rows), com::E_FAIL);
    EXPECT_EQ(rows, 0);
    EXPECT_EQ(chart->SetDataProvider(provider.get()), com::E_FAIL)
        << "a provider without rows changes nothing";
}

}  // namespace
}  // namespace korvel

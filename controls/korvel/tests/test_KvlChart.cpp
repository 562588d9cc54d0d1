#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "KvlTestCharts.h"
#include "com/ComObject.h"
#include "com/OleDate.h"
#include "korvel/KvlChart.h"

namespace korvel {
namespace {

using FakeRows = test::Rows;

// Eleven columns as the chart window binds them: 0-8 values, 9 the date, 10 the legend.
com::ComPtr<FakeRows> elevenColumns() {
    auto rows = com::makeComObject<FakeRows>();
    rows->columns = 11;
    for (int r = 0; r < 3; ++r) {
        std::vector<com::Variant> row;
        for (int c = 0; c < 9; ++c)
            row.push_back((r == 1 && c == 3) ? com::Variant::null() : com::Variant(100.0 * c + r));
        row.push_back(com::Variant::date(*com::toOleDate({2004, 3, 1 + r})));
        row.push_back(r == 2 ? com::Variant::null() : com::Variant::utf8("day " + std::to_string(r)));
        rows->rows.push_back(std::move(row));
    }
    return rows;
}

void bindElevenColumns(KvlChart& chart) {
    for (SHORT c = 0; c < 9; ++c)
        ASSERT_EQ(chart.put_ColumnKind(c, kColumnValue), com::S_OK);
    ASSERT_EQ(chart.put_ColumnKind(9, kColumnXValue), com::S_OK);
    ASSERT_EQ(chart.put_ColumnKind(10, kColumnLegend), com::S_OK);
}

TEST(KvlChartBinding, ElevenColumnRowSetGivesSeriesDatesAndLegends) {
    auto chart = KvlChart::create();
    bindElevenColumns(*chart);
    auto rows = elevenColumns();
    ASSERT_EQ(chart->SetDataProvider(rows.get()), com::S_OK);

    LONG count = 0;
    chart->get_SeriesCount(&count);
    EXPECT_EQ(count, 9);
    chart->get_PointCount(&count);
    EXPECT_EQ(count, 3);
    double value = 0;
    ASSERT_EQ(chart->get_ValueAt(8, 2, &value), com::S_OK);
    EXPECT_EQ(value, 802);
    ASSERT_EQ(chart->get_ValueAt(3, 1, &value), com::S_OK);
    EXPECT_EQ(value, kNoValue) << "a NULL cell is no value";
    ASSERT_EQ(chart->get_PointXValue(2, &value), com::S_OK);
    EXPECT_EQ(com::formatIsoDate(value), "2004-03-03");
    ASSERT_EQ(chart->get_XValueAt(kXValues, 0, &value), com::S_OK);
    EXPECT_EQ(com::formatIsoDate(value), "2004-03-01");
    // The third row is the last point; there is no fourth.
    ASSERT_EQ(chart->get_XValueAt(kXValues, 2, &value), com::S_OK);
    EXPECT_EQ(com::formatIsoDate(value), "2004-03-03");
    EXPECT_EQ(chart->get_XValueAt(kXValues, 3, &value), com::E_INVALIDARG);
    EXPECT_EQ(value, 0);
    EXPECT_EQ(chart->put_XValueAt(kXValues, 3, 1.0), com::E_INVALIDARG);
    EXPECT_EQ(chart->get_PointXValue(3, &value), com::E_INVALIDARG);
    EXPECT_EQ(chart->model().pointLegend(0), "day 0");
    EXPECT_EQ(chart->model().pointLegend(2), "");
    EXPECT_EQ(chart->model().colouredCount(), 9);
}

TEST(KvlChartBinding, FailingRowLeavesTheOldDataInPlace) {
    auto chart = KvlChart::create();
    bindElevenColumns(*chart);
    ASSERT_EQ(chart->SetDataProvider(elevenColumns().get()), com::S_OK);
    auto broken = elevenColumns();
    broken->rows.push_back({});  // a row without cells
    EXPECT_EQ(chart->SetDataProvider(broken.get()), com::E_INVALIDARG);
    LONG points = 0;
    chart->get_PointCount(&points);
    EXPECT_EQ(points, 3);
}

TEST(KvlChartBinding, ColumnKindsOutsideTheTableAreRefused) {
    auto chart = KvlChart::create();
    EXPECT_EQ(chart->put_ColumnKind(0, 1), com::E_INVALIDARG);
    EXPECT_EQ(chart->put_ColumnKind(-1, kColumnValue), com::E_INVALIDARG);
    EXPECT_EQ(chart->SetDataProvider(nullptr), com::E_POINTER);
}

TEST(KvlChartServices, ValuesPropertyReflectsTheLoadedData) {
    auto chart = KvlChart::create();
    bindElevenColumns(*chart);
    ASSERT_EQ(chart->SetDataProvider(elevenColumns().get()), com::S_OK);

    LONG series = 0;
    void* pointer = nullptr;
    ASSERT_EQ(chart->GetProperty(&series, &pointer, 0, kValues | kCopyFlag), com::S_OK);
    std::unique_ptr<KvlValueBlock> copy(static_cast<KvlValueBlock*>(pointer));
    EXPECT_EQ(series, 9);
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->pointCount(), 3);
    EXPECT_EQ(copy->at(4, 2), 402);
    EXPECT_EQ(copy->at(3, 1), kNoValue);

    // A copy leaves the chart's table alone; editing it changes nothing in the chart.
    copy->at(0, 0) = -1;
    double value = 0;
    chart->get_ValueAt(0, 0, &value);
    EXPECT_EQ(value, 0);

    LONG points = 0;
    ASSERT_EQ(chart->GetProperty(&points, nullptr, 0, kPointCount), com::S_OK);
    EXPECT_EQ(points, 3);
}

TEST(KvlChartServices, BlocksChangeHandsExactlyOnce) {
    auto chart = KvlChart::create();
    chart->model().resize(2, 4);
    chart->model().setValue(1, 1, 3, 7.5);

    // Without the copy flag the chart gives its own table away.
    void* pointer = nullptr;
    LONG series = 0;
    ASSERT_EQ(chart->GetProperty(&series, &pointer, 0, kValues), com::S_OK);
    std::unique_ptr<KvlValueBlock> taken(static_cast<KvlValueBlock*>(pointer));
    EXPECT_EQ(series, 2);
    EXPECT_EQ(chart->model().seriesCount(), 0);
    EXPECT_EQ(taken->at(1, 3), 7.5);

    // SetProperty takes it back; the caller no longer owns it.
    ASSERT_EQ(chart->SetProperty(2, 4, taken.release(), kValues), com::S_OK);
    double value = 0;
    chart->get_ValueAt(1, 3, &value);
    EXPECT_EQ(value, 7.5);

    // A block of another shape than the counts given is refused and still freed by the chart.
    EXPECT_EQ(chart->SetProperty(3, 4, new KvlValueBlock(2, 4), kValues), com::E_INVALIDARG);
    EXPECT_EQ(chart->SetProperty(1, 1, new KvlValueBlock(1, 1), kPalette), com::E_INVALIDARG);
    EXPECT_EQ(chart->model().seriesCount(), 2);

    // A null block gives an empty table of the size asked for.
    ASSERT_EQ(chart->SetProperty(1, 0, nullptr, kValues), com::S_OK);
    EXPECT_EQ(chart->model().seriesCount(), 1);
    EXPECT_EQ(chart->model().pointCount(), 0);
}

TEST(KvlChartServices, TheValuesListenerHearsOfEveryNewTableOfValuesOnly) {
    auto chart = KvlChart::create();
    int told = 0;
    double seen = 0;
    chart->setValuesListener([&] {
        ++told;
        chart->get_ValueAt(0, 1, &seen);  // the new table is in place when the listener hears of it
    });
    auto block = std::make_unique<KvlValueBlock>(1, 2);
    block->at(0, 1) = 4.25;
    ASSERT_EQ(chart->SetProperty(1, 2, block.release(), kValues), com::S_OK);
    EXPECT_EQ(told, 1);
    EXPECT_EQ(seen, 4.25);

    // The second table of values, a refused block and the application's own writes are not news.
    ASSERT_EQ(chart->SetProperty(1, 2, new KvlValueBlock(1, 2), kFromValues), com::S_OK);
    EXPECT_EQ(chart->SetProperty(2, 2, new KvlValueBlock(1, 2), kValues), com::E_INVALIDARG);
    ASSERT_EQ(chart->put_ValueAt(0, 0, 1.5), com::S_OK);
    EXPECT_EQ(told, 1);

    ASSERT_EQ(chart->SetProperty(1, 0, nullptr, kValues), com::S_OK);
    EXPECT_EQ(told, 2);
}

TEST(KvlChartServices, FromValuesAndPalette) {
    auto chart = KvlChart::create();
    chart->model().resize(1, 2);
    LONG used = -1;
    chart->GetProperty(&used, nullptr, 0, kFromValuesUsed);
    EXPECT_EQ(used, 0);
    auto block = std::make_unique<KvlValueBlock>(1, 2, 3.0);
    ASSERT_EQ(chart->SetProperty(1, 2, block.release(), kFromValues), com::S_OK);
    chart->GetProperty(&used, nullptr, 0, kFromValuesUsed);
    EXPECT_EQ(used, 1);

    LONG length = 0;
    void* colours = nullptr;
    ASSERT_EQ(chart->GetProperty(&length, &colours, 0, kPalette), com::S_OK);
    ASSERT_EQ(length, 16);
    EXPECT_EQ(static_cast<const COLORREF*>(colours)[0], 0x0000FFu);
    EXPECT_EQ(chart->GetProperty(&length, &colours, 0, 99), com::E_INVALIDARG);
    EXPECT_EQ(length, 0);
    EXPECT_EQ(colours, nullptr);
}

// A callback that answers every button press and leaves the rest to the chain.
class NullCallback final : public com::ComObject<KvlChainedCallback> {
public:
    LONG ButtonDown(LONG, LONG) override { return 1; }
};

TEST(KvlChartCallbacks, AdviseReturnsThePreviousAndReinstallingRestoresIt) {
    auto chart = KvlChart::create();
    auto first = com::makeComObject<NullCallback>();
    auto second = com::makeComObject<NullCallback>();

    com::ComPtr<IKvlExtensionCallback> previous;
    ASSERT_EQ(chart->AdviseCallback(first.get(), previous.put()), com::S_OK);
    EXPECT_FALSE(previous);
    ASSERT_EQ(chart->AdviseCallback(second.get(), previous.put()), com::S_OK);
    EXPECT_EQ(previous.get(), first.get());
    EXPECT_EQ(chart->callback(), second.get());

    com::ComPtr<IKvlExtensionCallback> mine;
    ASSERT_EQ(chart->AdviseCallback(previous.get(), mine.put()), com::S_OK);
    EXPECT_EQ(mine.get(), second.get());
    EXPECT_EQ(chart->callback(), first.get());
    EXPECT_TRUE(chart->buttonDown(1, 1)) << "the installed callback answered non-zero";
}

TEST(KvlChartSite, QueryInfoColourSchemeAndRefresh) {
    auto chart = KvlChart::create();
    EXPECT_EQ(chart->QueryInfo(nullptr), 0);
    chart->setSiteInfo(1);
    EXPECT_EQ(chart->QueryInfo(nullptr), 1);
    KvlInfoRecord record;
    record.kind = 25;
    record.commandCount = 5;
    EXPECT_EQ(chart->QueryInfo(&record), com::E_INVALIDARG);
    EXPECT_EQ(record.commandCount, 0);
    EXPECT_EQ(record.commands, nullptr);
    EXPECT_EQ(chart->Refresh(kRefreshRepaint, 0), com::S_OK);
    EXPECT_EQ(chart->repaintCount(), 1);
}

TEST(KvlChartSite, QueryInfoHandsOutTheCommandCollection) {
    auto chart = KvlChart::create();
    KvlInfoRecord record;
    record.kind = kInfoCommands;
    ASSERT_EQ(chart->QueryInfo(&record), com::S_OK);
    ASSERT_NE(record.commands, nullptr);
    auto commands = com::ComPtr<com::IUnknown>::attach(record.commands).as<ostbar::IOstCommands>();
    ASSERT_TRUE(commands);
    SHORT count = 0;
    commands->get_Count(&count);
    EXPECT_EQ(record.commandCount, count);
    EXPECT_GT(count, 0);
    EXPECT_EQ(record.containerId, ostbar::kToolbarContainer);

    // What an extension does with it: its gallery commands go on the chart's row.
    com::ComPtr<ostbar::IOstCommandContainer> row;
    ASSERT_EQ(commands->GetContainer(record.containerId, row.put()), com::S_OK);
    SHORT position = 0;
    row->get_InsertPosition(&position);
    commands->Add(30000, nullptr);
    ASSERT_EQ(row->InsertAt(position, 30000), com::S_OK);
    EXPECT_EQ(chart->commandBar().table()->row().back(), 30000);
    // The control's own commands are there for the application.
    com::ComPtr<ostbar::IOstCommand> zoomOut;
    ASSERT_EQ(chart->commandBar().Command(29440, zoomOut.put()), com::S_OK);
    com::Bstr text;
    zoomOut->get_Text(&text);
    EXPECT_EQ(text.text(), u"Zoom Out");
}

TEST(KvlChartSite, RegisteredObjectsAndCommandsAreSeparateIdSpaces) {
    auto chart = KvlChart::create();
    auto object = com::makeComObject<FakeRows>();
    // 29464 is both the chart's copy command and the id the studies tool is registered under.
    ASSERT_EQ(chart->RegisterCommandObject(29464, object.get()), com::S_OK);
    ASSERT_NE(chart->commandBar().table()->find(29464), nullptr);
    EXPECT_EQ(chart->UnregisterCommandObject(29464), com::S_OK);
    EXPECT_NE(chart->commandBar().table()->find(29464), nullptr);
    EXPECT_EQ(chart->commandBar().table()->find(29464)->text, u"Copy to Clipboard");
}

TEST(KvlChartSite, HostsCommandBarsOfExtensions) {
    auto chart = KvlChart::create();
    auto host = com::ComPtr<IKvlExtensionSite>(chart.get()).as<ostbar::IOstToolbarHost>();
    ASSERT_TRUE(host);
    auto first = ostbar::OstCommandBar::create();
    auto second = ostbar::OstCommandBar::create();
    EXPECT_EQ(host->AddCommandBar(first.get(), -1, 0), com::S_OK);
    EXPECT_EQ(host->AddCommandBar(second.get(), 0, 0), com::S_OK);
    // Adding a hosted bar again moves it rather than showing it twice.
    EXPECT_EQ(host->AddCommandBar(first.get(), 0, 0), com::S_OK);
    ASSERT_EQ(chart->hostedBars().size(), 2u);
    EXPECT_EQ(chart->hostedBars()[0].get(), static_cast<ostbar::IOstCommandBar*>(first.get()));
    EXPECT_EQ(host->RemoveCommandBar(first.get()), com::S_OK);
    EXPECT_EQ(host->RemoveCommandBar(first.get()), com::S_FALSE);
    EXPECT_EQ(host->AddCommandBar(nullptr, -1, 0), com::E_POINTER);
    ASSERT_EQ(chart->hostedBars().size(), 1u);
}

TEST(KvlChartText, FixedBuffersAreBoundedAtCharacterBoundaries) {
    auto chart = KvlChart::create();
    chart->model().resize(1, 1);
    ASSERT_EQ(chart->SetSeriesLegend(0, com::Bstr(u"\u0633\u0639\u0631")), com::S_OK);  // 6 bytes of UTF-8
    char buffer[6] = {'x', 'x', 'x', 'x', 'x', 'x'};
    EXPECT_EQ(chart->GetSeriesLegendA(0, buffer, sizeof buffer), com::S_FALSE);
    EXPECT_STREQ(buffer, "\xd8\xb3\xd8\xb9");
    EXPECT_EQ(chart->GetSeriesLegendA(5, buffer, sizeof buffer), com::E_INVALIDARG);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(chart->GetCaptionTextA(nullptr, 10), com::E_POINTER);
}

}  // namespace
}  // namespace korvel

namespace korvel {
namespace {

TEST(KvlChartApplication, AValueWrittenAfterAPaintMarksTheWholeChartForTheNext) {
    auto chart = KvlChart::create();
    chart->model().resize(2, 3);
    chart->model().setClientSize(200, 100);
    chart->paintSurface();
    ASSERT_FALSE(chart->invalidRect().has_value());
    ASSERT_EQ(chart->put_ValueAt(1, 2, 9.25), com::S_OK);
    ASSERT_TRUE(chart->invalidRect().has_value());
    EXPECT_EQ(chart->invalidRect()->left, 0);
    EXPECT_EQ(chart->invalidRect()->top, 0);
    EXPECT_EQ(chart->invalidRect()->right, 200);
    EXPECT_EQ(chart->invalidRect()->bottom, 100);
    chart->paintSurface();
    EXPECT_EQ(chart->put_ValueAt(2, 0, 1), com::E_INVALIDARG);
    EXPECT_FALSE(chart->invalidRect().has_value()) << "a refused write changes nothing to show";
}

TEST(KvlChartApplication, SeriesListTextsAndValues) {
    auto chart = KvlChart::create();
    chart->model().resize(2, 3);
    ASSERT_EQ(chart->put_ValueAt(1, 2, 9.25), com::S_OK);
    EXPECT_EQ(chart->put_ValueAt(2, 0, 1), com::E_INVALIDARG);

    com::ComPtr<IKvlCollection> list;
    ASSERT_EQ(chart->get_Series(list.put()), com::S_OK);
    LONG count = 0;
    list->get_Count(&count);
    EXPECT_EQ(count, 2);
    com::ComPtr<com::IUnknown> item;
    EXPECT_EQ(list->Item(2, item.put()), com::E_INVALIDARG);
    ASSERT_EQ(list->Item(1, item.put()), com::S_OK);
    auto series = item.as<IKvlSeries>();
    ASSERT_TRUE(series);
    double value = 0;
    ASSERT_EQ(series->get_YValue(2, &value), com::S_OK);
    EXPECT_EQ(value, 9.25);
    ASSERT_EQ(series->put_Legend(com::Bstr(u"Close")), com::S_OK);
    char legend[8];
    chart->GetSeriesLegendA(1, legend, sizeof legend);
    EXPECT_STREQ(legend, "Close");
    ASSERT_EQ(series->put_Visible(com::VARIANT_FALSE), com::S_OK);
    com::VARIANT_BOOL visible = com::VARIANT_TRUE;
    series->get_Visible(&visible);
    EXPECT_EQ(visible, com::VARIANT_FALSE);

    ASSERT_EQ(chart->put_TextAt(kTextTitle, com::Bstr(u"ACME")), com::S_OK);
    com::Bstr title;
    ASSERT_EQ(chart->get_TextAt(kTextTitle, &title), com::S_OK);
    EXPECT_EQ(title.text(), u"ACME");
    EXPECT_EQ(chart->put_TextAt(-1, com::Bstr(u"x")), com::E_INVALIDARG);

    // The list item keeps the chart alive after the caller's own reference is gone.
    list.reset();
    chart.reset();
    ASSERT_EQ(series->get_YValue(2, &value), com::S_OK);
    EXPECT_EQ(value, 9.25);
}

}  // namespace
}  // namespace korvel

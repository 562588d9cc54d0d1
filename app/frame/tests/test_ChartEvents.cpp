// The chart window's answers to its chart's and extension's events, and its tool-bar texts in both
// languages: real chart control, real extension and annotation list, real database.
#include <QApplication>
#include <QTest>

#include "ArabicLetters.h"
#include "ChartWindowFixture.h"
#include "dravik/Events.h"
#include "frame/LanguageTable.h"
#include "frame/chart/ChartCommandTexts.h"
#include "frame/chart/ChartEvents.h"
#include "frame/chart/DrawingHandles.h"
#include "frame/chart/DrawingKinds.h"
#include "korvel/IKvlControl.h"
#include "korvel/KvlChart.h"

namespace {

using frame::chart::ChartValueText;

using frame::test::hasArabicLetters;

QString textOf(ostbar::IOstCommand* command) {
    com::Bstr text;
    EXPECT_EQ(command->get_Text(&text), com::S_OK);
    return QString::fromStdU16String(text.text());
}

struct CommandRow {
    com::SHORT id;
    std::int32_t row;
};

// Every command of the three bars and the row its text comes from.
const CommandRow kFinancialRows[] = {
    {0, 138},   {5, 139},  {6, 140},   {7, 141},   {8, 142},   {1, 143},   {86, 144},  {87, 145},  {4, 146},
    {79, 147},  {80, 152}, {171, 147}, {172, 152}, {170, 161}, {69, 193},  {70, 193},  {71, 193},  {72, 193},
    {68, 193},  {74, 193}, {73, 193},  {76, 193},  {75, 193},  {77, 193},  {97, 194},  {105, 194}, {113, 194},
    {121, 194}, {89, 194}, {137, 194}, {129, 194}, {153, 194}, {145, 194}, {161, 194},
};
const CommandRow kAnnotationRows[] = {
    {3, 163},  {4, 168},  {7, 167},  {2, 164},  {5, 166},  {1, 162},  {6, 165},  {0, 171},
    {10, 169}, {11, 170}, {13, 172}, {24, 173}, {12, 176}, {14, 174}, {15, 175}, {20, 177},
    {25, 178}, {26, 179}, {27, 152}, {16, 181}, {17, 180}, {19, 182}, {18, 183}, {30, 184},
};
const CommandRow kChartRows[] = {
    {29499, 147}, {29448, 148}, {29440, 192}, {29464, 154}, {29471, 155}, {29472, 156},
    {29449, 157}, {29450, 158}, {29442, 160}, {29444, 159}, {29457, 149}, {29463, 150},
    {29488, 151}, {29451, 152}, {29452, 153}, {4, 146},
};

class ChartEventsTest : public ChartWindowTest {
protected:
    void load(bool arabic = false) {
        gArabic = arabic;
        loadFrame();
        QApplication::processEvents();
    }

    dravik::IFinancialCharts& ext() { return *window().financialExtension(); }

    com::ComPtr<ostbar::IOstToolbar> chartBar() {
        com::ComPtr<com::IUnknown> object;
        EXPECT_EQ(chart().get_ToolBarObject(object.put()), com::S_OK);
        return object.as<ostbar::IOstToolbar>();
    }
    com::ComPtr<ostbar::IOstCommand> chartCommand(com::SHORT id) {
        com::ComPtr<ostbar::IOstCommand> command;
        EXPECT_EQ(chartBar()->Command(id, command.put()), com::S_OK);
        return command;
    }
    com::ComPtr<ostbar::IOstCommand> financialCommand(com::SHORT id) {
        com::ComPtr<ostbar::IOstToolbarObj> bar;
        EXPECT_EQ(ext().get_ToolBarObj(bar.put()), com::S_OK);
        com::ComPtr<ostbar::IOstCommands> commands;
        EXPECT_EQ(bar->get_Commands(commands.put()), com::S_OK);
        com::ComPtr<ostbar::IOstCommand> command;
        EXPECT_EQ(commands->Item(id, command.put()), com::S_OK);
        return command;
    }
    com::ComPtr<ostbar::IOstCommand> annotationCommand(com::SHORT id) {
        com::ComPtr<com::IUnknown> object;
        EXPECT_EQ(chart().AddExtension(com::Bstr(u"Scribant.AnnList"), object.put()), com::S_OK);
        com::ComPtr<ostbar::IOstToolbar> bar;
        EXPECT_EQ(object.as<glossor::IGlosxList>()->get_ToolBarObject(bar.put()), com::S_OK);
        com::ComPtr<ostbar::IOstCommand> command;
        EXPECT_EQ(bar->Command(id, command.put()), com::S_OK);
        return command;
    }

    com::ComPtr<korvel::IKvlSeries> series(com::SHORT n) {
        com::ComPtr<korvel::IKvlCollection> list;
        EXPECT_EQ(chart().get_Series(list.put()), com::S_OK);
        com::ComPtr<com::IUnknown> item;
        EXPECT_EQ(list->Item(n, item.put()), com::S_OK);
        return item.as<korvel::IKvlSeries>();
    }
    com::ComPtr<dravik::IIndexSeries> priceSeries(com::SHORT n) {
        com::ComPtr<dravik::IIndexSeries> object;
        EXPECT_EQ(ext().get_PriceSeries(n, object.put()), com::S_OK);
        return object;
    }
    // Open, high, low, close of a point and the legends O, H, L, C.
    void setPrices(com::LONG point, double open, double high, double low, double close) {
        com::SHORT numbers[4] = {};
        ext().get_OpenSeries(&numbers[0]);
        ext().get_HighSeries(&numbers[1]);
        ext().get_LowSeries(&numbers[2]);
        ext().get_CloseSeries(&numbers[3]);
        const double prices[4] = {open, high, low, close};
        const char16_t* legends[4] = {u"O", u"H", u"L", u"C"};
        for (int i = 0; i < 4; ++i) {
            ASSERT_EQ(series(numbers[i])->put_YValue(point, prices[i]), com::S_OK);
            ASSERT_EQ(priceSeries(numbers[i])->put_Legend(com::Bstr(legends[i])), com::S_OK);
        }
    }
    com::ComPtr<dravik::IIndex> study(com::HRESULT (dravik::IFinancialCharts::*getter)(dravik::IIndex**)) {
        com::ComPtr<dravik::IIndex> object;
        EXPECT_EQ((ext().*getter)(object.put()), com::S_OK);
        return object;
    }
    void hideAverages() {
        for (auto getter :
             {&dravik::IFinancialCharts::get_SimpleMA10, &dravik::IFinancialCharts::get_SimpleMA50,
              &dravik::IFinancialCharts::get_SimpleMA200, &dravik::IFinancialCharts::get_ExponentialMA})
            ASSERT_EQ(study(getter)->put_Visible(com::VARIANT_FALSE), com::S_OK);
        for (auto getter : {&dravik::IFinancialCharts::get_CUSTOM1, &dravik::IFinancialCharts::get_CUSTOM2,
                            &dravik::IFinancialCharts::get_CUSTOM3}) {
            com::ComPtr<dravik::ICustomIndex> custom;
            ASSERT_EQ((ext().*getter)(custom.put()), com::S_OK);
            ASSERT_EQ(custom->put_Visible(com::VARIANT_FALSE), com::S_OK);
        }
    }
    // The extension's own event source, to raise its events as it does.
    com::ConnectionPoint* extensionEvents() {
        com::ComPtr<com::IConnectionPointContainer> container;
        EXPECT_EQ(ext().QueryInterface(com::IConnectionPointContainer::iid, container.putVoid()), com::S_OK);
        com::ComPtr<com::IConnectionPoint> point;
        EXPECT_EQ(container->FindConnectionPoint(dravik::DIID_DLomex_Events, point.put()), com::S_OK);
        return dynamic_cast<com::ConnectionPoint*>(point.get());
    }
    com::LONG options() {
        com::LONG value = 0;
        EXPECT_EQ(ext().get_Options(&value), com::S_OK);
        return value;
    }
    bool zoomMode() { return (options() & dravik::FEO_UI_SHIFTMODE_ZOOM) != 0; }
    com::LONG internalCommand(com::LONG command) {
        return frame::chart::ChartInternalCommand(chart(), ext(), command, 0, links_);
    }
    std::string tip(const char16_t* shown, com::SHORT seriesNumber, com::LONG point, com::LONG* result) {
        EXPECT_EQ(chart().put_TipText(com::Bstr(shown)), com::S_OK);
        *result = frame::chart::ChartTip(chart(), ext(), seriesNumber, point, links_);
        com::Bstr text;
        EXPECT_EQ(chart().get_TipText(&text), com::S_OK);
        return text.toUtf8();
    }

    frame::chart::ChartEventLinks links_{[](std::int32_t row) { return GetLangString(row); }, {}, {}, {}, {}};
};

TEST(ChartValueText, ThreeDecimalsHalvesToEvenNoTrailingZerosAndNoValueEmpty) {
    EXPECT_EQ(ChartValueText(10.12345), "10.123");
    EXPECT_EQ(ChartValueText(12.5), "12.5");
    EXPECT_EQ(ChartValueText(12), "12");
    EXPECT_EQ(ChartValueText(12.4125), "12.412") << "half to even";
    EXPECT_EQ(ChartValueText(12.4135), "12.414") << "half to even";
    EXPECT_EQ(ChartValueText(-0.0005), "0") << "half to even, no sign";
    EXPECT_EQ(ChartValueText(-2.0015), "-2.002");
    EXPECT_EQ(ChartValueText(9999999999.99), "9999999999.99");
    EXPECT_EQ(ChartValueText(korvel::kNoValue), "") << "the chart's mark for no value";
    EXPECT_EQ(ChartValueText(1e10), "10000000000") << "a volume, not a mark";
    EXPECT_EQ(ChartValueText(3.5e12), "3500000000000");
    EXPECT_EQ(ChartValueText(123456789012.3456), "123456789012.346") << "fifteen digits at most";
    EXPECT_EQ(ChartValueText(1e307), "1e+307") << "just below the mark";
}

TEST_F(ChartEventsTest, EveryCommandOfTheThreeBarsShowsItsArabicRow) {
    load(true);
    for (const CommandRow& c : kChartRows) {
        const QString text = textOf(chartCommand(c.id).get());
        EXPECT_TRUE(hasArabicLetters(text)) << "chart command " << c.id;
        EXPECT_EQ(text, GetLangString(c.row)) << "chart command " << c.id;
    }
    for (const CommandRow& c : kFinancialRows) {
        const QString text = textOf(financialCommand(c.id).get());
        EXPECT_TRUE(hasArabicLetters(text)) << "financial command " << c.id;
        EXPECT_EQ(text, GetLangString(c.row)) << "financial command " << c.id;
    }
    for (const CommandRow& c : kAnnotationRows) {
        const QString text = textOf(annotationCommand(c.id).get());
        EXPECT_TRUE(hasArabicLetters(text)) << "annotation command " << c.id;
        EXPECT_EQ(text, GetLangString(c.row)) << "annotation command " << c.id;
    }
}

TEST_F(ChartEventsTest, EnglishCommandTextsComeBackWhenLocalisedAgain) {
    load(true);
    gArabic = false;
    frame::chart::LocalizeChartCommands(chart(), [](std::int32_t row) { return GetLangString(row); });
    EXPECT_EQ(textOf(chartCommand(29448).get()), "Zoom In");
    EXPECT_EQ(textOf(chartCommand(29440).get()), "Zoom Out");
    EXPECT_EQ(textOf(chartCommand(29457).get()), "Data Editor");
    EXPECT_EQ(textOf(financialCommand(170).get()), "Grid");
    EXPECT_EQ(textOf(financialCommand(161).get()), "Remove All");
    EXPECT_EQ(textOf(annotationCommand(7).get()), "Baloon with text");
    EXPECT_EQ(textOf(annotationCommand(17).get()), "Flip Vertical");
}

TEST_F(ChartEventsTest, TheAnnotationLineStyleComboGetsNoTextAndIsEmptied) {
    load();
    // What a template import may leave in the combo: two entries of its list and a caption.
    const com::ComPtr<ostbar::IOstCommand> combo = annotationCommand(29);
    ASSERT_TRUE(combo.as<ostbar::IOstCombo>()) << "the annotation list's line-style command is a combo";
    ASSERT_EQ(combo->put_SubCommands(0, 2), com::S_OK);
    ASSERT_EQ(combo->put_SubCommand(0, 3), com::S_OK);
    ASSERT_EQ(combo->put_SubCommand(1, 4), com::S_OK);
    ASSERT_EQ(combo->put_Text(com::Bstr(u"kept")), com::S_OK);
    frame::chart::LocalizeChartCommands(chart(), [](std::int32_t row) { return GetLangString(row); });
    com::SHORT entries = -1;
    ASSERT_EQ(combo->get_SubCommands(0, &entries), com::S_OK);
    EXPECT_EQ(entries, 0);
    com::SHORT selection = 0;
    ASSERT_EQ(combo.as<ostbar::IOstCombo>()->get_Selection(&selection), com::S_OK);
    EXPECT_EQ(selection, -1);
    EXPECT_EQ(textOf(combo.get()), "kept") << "no text of the table is given to it";
    // The commands its entries named are still on the bar with their own texts.
    EXPECT_EQ(textOf(annotationCommand(3).get()), "Arrow/Line");
}

TEST_F(ChartEventsTest, TheControlsAreaTipsAreSuppressed) {
    load();
    for (const char16_t* area : {u"X Axis", u"Y Axis", u"&Top title", u"Plot area", u"Chart area"}) {
        com::LONG result = 0;
        EXPECT_EQ(tip(area, -1, -1, &result), "");
        EXPECT_EQ(result, 1);
    }
    com::LONG result = 0;
    EXPECT_EQ(tip(u"plot area", 6, 0, &result), "plot area") << "case-sensitive; other series keep their tip";
    EXPECT_EQ(result, 0);
}

TEST_F(ChartEventsTest, ThePriceTipShowsDateAndTheFourPricesWithTheirLegends) {
    load();
    setPrices(0, 10.12345, 11, 9.0005, 10.5);
    com::LONG result = 0;
    EXPECT_EQ(tip(u"whatever", 3, 0, &result), "2 Nov 2026\r\nO: 10.123 - H: 11\r\nL: 9 - C: 10.5");
    EXPECT_EQ(result, 0);
    EXPECT_EQ(tip(u"whatever", -1, 0, &result), "2 Nov 2026\r\nO: 10.123 - H: 11\r\nL: 9 - C: 10.5")
        << "a negative series counts as a price series";
}

TEST_F(ChartEventsTest, TheSplitMarkersTipNamesTheRatio) {
    load();
    ASSERT_EQ(series(8)->put_YValue(1, 3), com::S_OK);
    com::LONG result = 0;
    EXPECT_EQ(tip(u"marker", 5, 1, &result), "3 Nov 2026\r\nData Adjustment\r\n3 for 1");
    EXPECT_EQ(result, 0);
}

TEST_F(ChartEventsTest, TheControlShowsTheWindowsPriceTipWhereThePointerRests) {
    load();
    setPrices(2, 12.5, 12.75, 12.25, 12.5);
    com::LONG x = 0, y = 0;
    ASSERT_EQ(chart().ValueToPixel(3, 12.5, &x, &y, 0), com::S_OK);
    const std::optional<std::string> shown = chartObject().tipToShow(x, y);
    ASSERT_TRUE(shown.has_value());
    EXPECT_EQ(*shown, "4 Nov 2026\r\nO: 12.5 - H: 12.75\r\nL: 12.25 - C: 12.5");
}

TEST_F(ChartEventsTest, TheControlShowsNoTipOverItsAxesOrTitle) {
    load();
    const korvel::KvlLayout where = chartObject().layout();
    ASSERT_GT(where.bottomAxis.bottom, where.bottomAxis.top);
    EXPECT_FALSE(chartObject().tipToShow((where.bottomAxis.left + where.bottomAxis.right) / 2,
                                         (where.bottomAxis.top + where.bottomAxis.bottom) / 2))
        << "x axis";
    ASSERT_GT(where.leftAxis.right, where.leftAxis.left);
    EXPECT_FALSE(chartObject().tipToShow((where.leftAxis.left + where.leftAxis.right) / 2,
                                         (where.leftAxis.top + where.leftAxis.bottom) / 2))
        << "y axis";
    ASSERT_GT(where.title.bottom, where.title.top) << "the chart is titled with the company";
    EXPECT_FALSE(chartObject().tipToShow((where.title.left + where.title.right) / 2,
                                         (where.title.top + where.title.bottom) / 2))
        << "title";
}

TEST_F(ChartEventsTest, ZoomInSwitchesTheExtensionsZoomModeWithTheControlsZoom) {
    load();
    ASSERT_EQ(chart().put_Zoom(com::VARIANT_FALSE), com::S_OK);
    ASSERT_EQ(ext().put_Options(options() | dravik::FEO_UI_SHIFTMODE_ZOOM), com::S_OK);
    const com::LONG others = options() & ~com::LONG{dravik::FEO_UI_SHIFTMODE_ZOOM};
    EXPECT_EQ(internalCommand(frame::chart::kCommandZoomIn), 0) << "not zoomed: the control zooms itself";
    EXPECT_FALSE(zoomMode());
    com::LONG setting = 0;
    ASSERT_EQ(chart().get_Setting(26, &setting), com::S_OK);
    EXPECT_EQ(setting, 3);

    ASSERT_EQ(chart().put_Zoom(com::VARIANT_TRUE), com::S_OK);
    ASSERT_EQ(chartCommand(29448)->put_Checked(com::VARIANT_FALSE), com::S_OK);
    EXPECT_EQ(internalCommand(frame::chart::kCommandZoomIn), 1);
    EXPECT_TRUE(zoomMode());
    ASSERT_EQ(chartCommand(29448)->put_Checked(com::VARIANT_TRUE), com::S_OK);
    EXPECT_EQ(internalCommand(frame::chart::kCommandZoomIn), 1);
    EXPECT_FALSE(zoomMode());
    EXPECT_EQ(options(), others) << "only the zoom bit changes";
}

TEST_F(ChartEventsTest, ZoomOutShowsEveryPointUnchecksZoomInAndDisablesItself) {
    load();
    const auto whole = chartObject().model().visibleRange(korvel::kXAxis);
    ASSERT_EQ(chart().ShowRange(2, 0, 4, 0), com::S_OK);
    ASSERT_EQ(chartCommand(29448)->put_Checked(com::VARIANT_TRUE), com::S_OK);
    ASSERT_EQ(chartCommand(29440)->put_Enabled(com::VARIANT_TRUE), com::S_OK);
    EXPECT_EQ(internalCommand(frame::chart::kCommandZoomOut), 1);
    EXPECT_EQ(chartObject().model().visibleRange(korvel::kXAxis), whole);
    EXPECT_TRUE(zoomMode());
    com::VARIANT_BOOL flag = com::VARIANT_TRUE;
    ASSERT_EQ(chart().get_Zoom(&flag), com::S_OK);
    EXPECT_EQ(flag, com::VARIANT_FALSE);
    ASSERT_EQ(chartCommand(29448)->get_Checked(&flag), com::S_OK);
    EXPECT_EQ(flag, com::VARIANT_FALSE);
    ASSERT_EQ(chartCommand(29440)->get_Enabled(&flag), com::S_OK);
    EXPECT_EQ(flag, com::VARIANT_FALSE);
}

TEST_F(ChartEventsTest, TheInformationLineShowsPricesAndTheVisibleAverages) {
    load();
    hideAverages();
    setPrices(3, 12.5, 12.75, 12.25, 12.5);
    QString info;
    frame::chart::ExtensionStudySlots studies(&ext());
    frame::chart::PointInfoText(chart(), ext(), studies, 3, info);
    EXPECT_EQ(info.toStdString(), "D:5 Nov 2026 | O:12.5 | H:12.75 | L:12.25 | C:12.5") << "no average shown";

    const auto ma10 = study(&dravik::IFinancialCharts::get_SimpleMA10);
    const auto ma200 = study(&dravik::IFinancialCharts::get_SimpleMA200);
    ASSERT_EQ(ma10->put_Periods(10), com::S_OK);
    ASSERT_EQ(ma10->put_Visible(com::VARIANT_TRUE), com::S_OK);
    ASSERT_EQ(ma200->put_Periods(200), com::S_OK);
    ASSERT_EQ(ma200->put_Visible(com::VARIANT_TRUE), com::S_OK);
    // Showing a study draws the chart again from its data: the prices are set again after it.
    setPrices(3, 12.5, 12.75, 12.25, 12.5);
    com::SHORT ma10Series = 0, ma200Series = 0;
    ASSERT_EQ(ma10->get_SeriesIndex(com::Variant::missing(), &ma10Series), com::S_OK);
    ASSERT_EQ(ma200->get_SeriesIndex(com::Variant::missing(), &ma200Series), com::S_OK);
    ASSERT_EQ(chart().put_ValueAt(ma10Series, 3, 12.4127), com::S_OK);
    ASSERT_EQ(chart().put_ValueAt(ma200Series, 3, korvel::kNoValue), com::S_OK);
    frame::chart::PointInfoText(chart(), ext(), studies, 3, info);
    EXPECT_EQ(info.toStdString(),
              "D:5 Nov 2026 | O:12.5 | H:12.75 | L:12.25 | C:12.5 | S.MA (10)=12.413  | S.MA (200)=");
}

TEST_F(ChartEventsTest, IndexAmountsOfTenBillionAndMoreAreWrittenInTipsAndTheInformationLine) {
    load();
    hideAverages();
    setPrices(1, 1e10, 12500000000.25, 9999999999.5, 31000000000);
    com::LONG result = 0;
    EXPECT_EQ(tip(u"whatever", 2, 1, &result),
              "3 Nov 2026\r\nO: 10000000000 - H: 12500000000.25\r\nL: 9999999999.5 - C: 31000000000");
    QString info;
    frame::chart::ExtensionStudySlots studies(&ext());
    frame::chart::PointInfoText(chart(), ext(), studies, 1, info);
    EXPECT_EQ(info.toStdString(),
              "D:3 Nov 2026 | O:10000000000 | H:12500000000.25 | L:9999999999.5 | C:31000000000");
    ASSERT_EQ(series(8)->put_YValue(1, 2e10), com::S_OK);
    EXPECT_EQ(tip(u"marker", 5, 1, &result), "3 Nov 2026\r\nData Adjustment\r\n20000000000 for 1");
}

TEST_F(ChartEventsTest, TheExtensionAsksForTheInformationLineThroughItsEvent) {
    load();
    hideAverages();
    setPrices(0, 10, 11, 9, 10.5);
    com::ConnectionPoint* events = extensionEvents();
    ASSERT_NE(events, nullptr);
    com::Bstr info(u"the extension's own");
    events->raiseWith(dravik::kEventGetDateInfo, com::LONG{0}, com::LONG{0}, &info);
    EXPECT_EQ(info.toUtf8(), "D:2 Nov 2026 | O:10 | H:11 | L:9 | C:10.5");
}

TEST_F(ChartEventsTest, AChosenPriceDisplayIsKeptForTheFillAndRestylesThePrices) {
    load();
    com::ConnectionPoint* events = extensionEvents();
    ASSERT_NE(events, nullptr);
    events->raiseWith(dravik::kEventChangePriceGallery, com::LONG{3});
    EXPECT_EQ(window().chartFill()->PriceDisplay, 3);
    com::SHORT low = 0;
    ASSERT_EQ(ext().get_LowSeries(&low), com::S_OK);
    com::LONG color = 0;
    ASSERT_EQ(priceSeries(low)->get_Color(&color), com::S_OK);
    EXPECT_EQ(color, 0x40000000);
}

TEST_F(ChartEventsTest, HoverEventsPauseTheDrawingHoverTest) {
    load();
    frame::chart::DrawingHandles& handles = *window().drawingHandles();
    handles.setHoverBusy(false);
    chartObject().hoverOff(10, 10);
    EXPECT_TRUE(handles.hoverBusy());
    chartObject().hoverOn(10, 10);
    EXPECT_FALSE(handles.hoverBusy());
    handles.Korvel1_MouseMoving(10, 10);
    EXPECT_FALSE(handles.hoverBusy()) << "reset when the handler ends";
}

// The hover test would take away the handle being dragged: it waits while a mouse button is held.
TEST_F(ChartEventsTest, TheHoverTestWaitsWhileAMouseButtonIsHeld) {
    load();
    frame::chart::DrawingHandles& handles = *window().drawingHandles();
    glossor::IGlosxList& list = *window().annotationList();
    drawLine(list);
    com::ComPtr<glossor::IGlosxObject> handle;
    ASSERT_EQ(list.Item(1, handle.put()), com::S_OK);
    ASSERT_EQ(handle->put_Tag(frame::chart::DrawingTag(dravik::DF_TREND_LINE, 0)), com::S_OK);
    const auto count = [&] {
        com::LONG n = -1;
        list.get_Count(&n);
        return n;
    };
    QWidget* canvas = window().Korvel1()->canvas();
    QTest::mousePress(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    ASSERT_EQ(QApplication::mouseButtons(), Qt::LeftButton);
    handles.Korvel1_MouseMoving(400, 300);  // over no drawing
    EXPECT_EQ(count(), 1) << "the handle stays while the button is held";
    EXPECT_FALSE(handles.hoverBusy());
    QTest::mouseRelease(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    ASSERT_EQ(QApplication::mouseButtons(), Qt::NoButton);
    handles.Korvel1_MouseMoving(400, 300);
    EXPECT_EQ(count(), 0) << "off every drawing, the handles go";
}

TEST_F(ChartEventsTest, AStudiesPageCommitNamesTheAveragesAfterTheirPeriods) {
    load();
    com::ComPtr<dravik::ICustomIndex> custom2;
    ASSERT_EQ(ext().get_CUSTOM2(custom2.put()), com::S_OK);
    ASSERT_EQ(custom2->put_Periods(20), com::S_OK);
    const auto ma50 = study(&dravik::IFinancialCharts::get_SimpleMA50);
    ASSERT_EQ(ma50->put_Periods(14), com::S_OK);
    frame::chart::ExtensionStudySlots studies(&ext());
    int recalculated = 0;
    const auto recalculate = [&] { ++recalculated; };
    frame::chart::CommitStudiesPage(studies, 50, recalculate);
    frame::chart::CommitStudiesPage(studies, 1, recalculate);
    com::Bstr name;
    ASSERT_EQ(custom2->get_Name(&name), com::S_OK);
    EXPECT_EQ(name.toUtf8(), "20 periods Moving Avarage");
    ASSERT_EQ(ma50->get_Name(&name), com::S_OK);
    EXPECT_EQ(name.toUtf8(), "14 periods Simple M.A.");
    com::ComPtr<dravik::IIndexSeries> legend;
    ASSERT_EQ(custom2->get_Series(com::Variant::missing(), legend.put()), com::S_OK);
    ASSERT_EQ(legend->get_Legend(&name), com::S_OK);
    EXPECT_EQ(name.toUtf8(), "20 Simple M.A.");
    EXPECT_EQ(recalculated, 0);

    ASSERT_EQ(ma50->put_Periods(30), com::S_OK);
    frame::chart::CommitStudiesPage(studies, 3, recalculate);
    ASSERT_EQ(ma50->get_Name(&name), com::S_OK);
    EXPECT_EQ(name.toUtf8(), "14 periods Simple M.A.") << "a study not in the table is left alone";
    frame::chart::CommitStudiesPage(studies, 25, recalculate);
    frame::chart::CommitStudiesPage(studies, 52, recalculate);
    EXPECT_EQ(recalculated, 2);
    com::ComPtr<dravik::ICustomIndex> custom4;
    ASSERT_EQ(ext().get_CUSTOM4(custom4.put()), com::S_OK);
    com::VARIANT_BOOL visible = com::VARIANT_FALSE;
    ASSERT_EQ(custom4->get_Visible(&visible), com::S_OK);
    EXPECT_NE(visible, com::VARIANT_FALSE);
}

TEST_F(ChartEventsTest, CandlesticksGiveTheCloseABorderAndOtherDisplaysTakeItAway) {
    load();
    com::SHORT n[4] = {};
    ext().get_OpenSeries(&n[0]);
    ext().get_HighSeries(&n[1]);
    ext().get_LowSeries(&n[2]);
    ext().get_CloseSeries(&n[3]);
    ASSERT_EQ(priceSeries(n[0])->put_Color(0x0000FF), com::S_OK);
    ASSERT_EQ(priceSeries(n[1])->put_Color(0x00FF00), com::S_OK);
    const auto close = priceSeries(n[3]);
    const auto low = priceSeries(n[2]);
    com::LONG color = 0;
    com::VARIANT_BOOL border = com::VARIANT_FALSE;
    com::SHORT width = 0;

    frame::chart::RestylePriceSeries(ext(), 3);
    low->get_Color(&color);
    EXPECT_EQ(color, 0x40000000);
    close->get_Color(&color);
    EXPECT_EQ(color, 0x0000FF);
    close->get_Border(&border);
    EXPECT_NE(border, com::VARIANT_FALSE);
    close->get_BorderColor(&color);
    EXPECT_EQ(color, 0x0000FF);
    close->get_VOLUME(&width);
    EXPECT_EQ(width, 75);

    frame::chart::RestylePriceSeries(ext(), 1);
    low->get_Color(&color);
    EXPECT_EQ(color, 0x00FF00) << "the low series takes the high series' colour";
    close->get_Color(&color);
    EXPECT_EQ(color, 0x0000FF);
    close->get_Border(&border);
    EXPECT_EQ(border, com::VARIANT_FALSE);
    close->get_VOLUME(&width);
    EXPECT_EQ(width, 5);
}

}  // namespace

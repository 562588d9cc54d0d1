// The COM surface of the extension object: the series assignment and its check, settings and their
// range checks, the study and drawing members, the chart's gallery commands, coordinate conversion,
// property pages and late binding by dispid.
#include <algorithm>
#include <cstring>

#include "ExtensionFixture.h"
#include "dravik/AxisInterfaces.h"
#include "dravik/Commands.h"
#include "dravik/Identities.h"
#include "dravik/StudyInterfaces.h"
#include "ostbar/OstCommandTable.h"

namespace dravik::test {
namespace {

class SurfaceTest : public ExtensionFixture {
protected:
    IFinancialCharts& surface() { return *extension; }
    // Chart series count as the control reports it.
    void chartSeries(LONG count) { chart->model().resize(count, 10); }
    LONG seriesDataErr() {
        LONG code = -100;
        EXPECT_EQ(surface().get_SeriesDataErr(&code), com::S_OK);
        return code;
    }
    void bind(SHORT open, SHORT high, SHORT low, SHORT close, SHORT volume) {
        surface().put_OpenSeries(open);
        surface().put_HighSeries(high);
        surface().put_LowSeries(low);
        surface().put_CloseSeries(close);
        surface().put_VolumeSeries(volume);
    }
};

// --- The series assignment -------------------------------------------------------------------------------

TEST_F(SurfaceTest, SeriesDataErrSequences) {
    ASSERT_EQ(attach(), com::S_OK);
    EXPECT_EQ(seriesDataErr(), SERIES_ERR_MISSING_CLOSE);

    // Close only: the chart's series are exactly the close series.
    bind(-1, -1, -1, 0, -1);
    chartSeries(1);
    EXPECT_EQ(seriesDataErr(), SERIES_ERR_OK);
    chartSeries(2);
    EXPECT_EQ(seriesDataErr(), SERIES_ERR_NUMSERIES);

    struct Case {
        SHORT open, high, low, close, volume;
        LONG code;
    };
    const Case cases[] = {
        {0, -1, 1, 2, -1, SERIES_ERR_BADOPENHIGHLOWCLOSE},  // open set, high missing
        {0, 3, -1, 2, -1, SERIES_ERR_BADOPENHIGHLOWCLOSE},  // open set, low missing
        {2, 3, 0, 1, -1, SERIES_ERR_OPENORDER},             // open not below close
        {-1, 3, -1, 2, -1, SERIES_ERR_BADHILOWCLOSE},       // high without low
        {-1, 1, 0, 2, -1, SERIES_ERR_HIGHORDER},            // close above high
        {-1, -1, 1, 0, -1, SERIES_ERR_LOWORDER},            // low without high
        {1, 3, 0, 2, 3, SERIES_ERR_VOLUMEORDER},            // volume on the high series
        {1, 3, 0, 2, 0, SERIES_ERR_VOLUMEORDER},            // volume on the low series
    };
    chartSeries(5);
    for (const Case& c : cases) {
        bind(c.open, c.high, c.low, c.close, c.volume);
        EXPECT_EQ(seriesDataErr(), c.code) << c.open << c.high << c.low << c.close << c.volume;
    }
}

TEST_F(SurfaceTest, TheApplicationsBindingWithThreeUserSeriesPasses) {
    ASSERT_EQ(attach(), com::S_OK);
    // O=1, H=3, L=0, C=2, V=4, then the user studies USER0-USER2 in series 5-7.
    bind(1, 3, 0, 2, 4);
    surface().put_FirstUserIndex(5);
    surface().put_UserSeries(3);
    chartSeries(8);
    EXPECT_EQ(seriesDataErr(), SERIES_ERR_NUMUSER);  // no user study has an output yet
    for (LONG user = 38; user <= 40; ++user)
        extension->studyRecord(user)->subIndicators = 1;
    EXPECT_EQ(seriesDataErr(), SERIES_ERR_OK);
    chartSeries(9);
    EXPECT_EQ(seriesDataErr(), SERIES_ERR_NUMSERIES);
}

TEST_F(SurfaceTest, EveryOneOfTheTenUserStudiesCounts) {
    ASSERT_EQ(attach(), com::S_OK);
    bind(-1, -1, -1, 0, -1);
    extension->studyRecord(47)->subIndicators = 2;  // USER9
    surface().put_UserSeries(2);
    chartSeries(3);
    EXPECT_EQ(seriesDataErr(), SERIES_ERR_OK);
    surface().put_UserSeries(0);
    EXPECT_EQ(seriesDataErr(), SERIES_ERR_NUMUSER);
}

TEST_F(SurfaceTest, SeriesNumbersAreStoredAsGiven) {
    // Far beyond the chart's three series: checked by whoever uses them, not here.
    EXPECT_EQ(surface().put_CloseSeries(300), com::S_OK);
    EXPECT_EQ(surface().put_FirstUserIndex(-7), com::S_OK);
    SHORT value = 0;
    surface().get_CloseSeries(&value);
    EXPECT_EQ(value, 300);
    surface().get_FirstUserIndex(&value);
    EXPECT_EQ(value, -7);
    surface().get_OpenSeries(&value);
    EXPECT_EQ(value, -1);
    EXPECT_EQ(surface().get_OpenSeries(nullptr), com::E_POINTER);
}

TEST_F(SurfaceTest, KvlAndUsedSeriesCodes) {
    SHORT value = 99;
    EXPECT_EQ(surface().GetKvlSeries(-1, &value), com::S_OK);
    EXPECT_EQ(value, 0);  // no close series
    bind(1, 3, 0, 2, 4);
    const SHORT kvl[][2] = {{-4, 1}, {-3, 3}, {-2, 0}, {-1, 2}, {7, 7}, {-5, -5}};
    for (const auto& [code, series] : kvl) {
        surface().GetKvlSeries(code, &value);
        EXPECT_EQ(value, series) << code;
    }
    const SHORT used[][2] = {{1, -4}, {3, -3}, {0, -2}, {2, -1}, {4, 4}, {6, 6}, {-1, 0}, {-32768, 0}};
    for (const auto& [series, code] : used) {
        surface().GetUsedSeries(series, &value);
        EXPECT_EQ(value, code) << series;
    }
    // An unassigned price series (-1) is not matched by a negative number.
    bind(-1, -1, -1, 2, -1);
    surface().GetUsedSeries(-1, &value);
    EXPECT_EQ(value, 0);
}

// --- Switches and settings -------------------------------------------------------------------------------

TEST_F(SurfaceTest, BooleanPuts) {
    com::VARIANT_BOOL value = 0;
    // AutoRecalc and PriceStartInZero count only -1 as true.
    surface().put_AutoRecalc(com::VARIANT_TRUE);
    surface().get_AutoRecalc(&value);
    EXPECT_EQ(value, com::VARIANT_TRUE);
    surface().put_AutoRecalc(1);
    surface().get_AutoRecalc(&value);
    EXPECT_EQ(value, com::VARIANT_FALSE);
    surface().put_PriceStartInZero(1);
    surface().get_PriceStartInZero(&value);
    EXPECT_EQ(value, com::VARIANT_FALSE);
    surface().put_PriceStartInZero(-1);
    surface().get_PriceStartInZero(&value);
    EXPECT_EQ(value, com::VARIANT_TRUE);
    // The others take any non-zero value, and answer -1.
    surface().put_ZoomRescale(5);
    surface().get_ZoomRescale(&value);
    EXPECT_EQ(value, com::VARIANT_TRUE);
    surface().put_Top2BottomStudyAxis(2);
    EXPECT_EQ(extension->settings().top2BottomStudyAxis, 1);

    // DateInfo on turns DateLine on; DateLine off leaves DateInfo.
    surface().put_DateLine(0);
    surface().put_DateInfo(0);
    surface().put_DateInfo(com::VARIANT_TRUE);
    surface().get_DateLine(&value);
    EXPECT_EQ(value, com::VARIANT_TRUE);
    surface().put_DateLine(0);
    surface().get_DateInfo(&value);
    EXPECT_EQ(value, com::VARIANT_TRUE);
}

TEST_F(SurfaceTest, DefaultsOfTheSettingsWords) {
    LONG value = 0;
    surface().get_PropPageMask(&value);
    EXPECT_EQ(value, 895);
    surface().get_Options(&value);
    EXPECT_EQ(value, 1);
    surface().get_FullTechnicalStudyAxis(&value);
    EXPECT_EQ(value, 2);
    surface().get_DataUnit(&value);
    EXPECT_EQ(value, 5);
    // Words are stored unchecked; the study-axis setting must fit its 16 bits.
    surface().put_Options(-2048);
    surface().get_Options(&value);
    EXPECT_EQ(value, -2048);
    EXPECT_EQ(surface().put_FullTechnicalStudyAxis(70000), com::E_INVALIDARG);
    surface().get_FullTechnicalStudyAxis(&value);
    EXPECT_EQ(value, 2);
}

TEST_F(SurfaceTest, RangeChecksGiveNeutralResults) {
    double number = 7;
    EXPECT_EQ(surface().get_Data(0, &number), com::E_FAIL);  // no buffer
    EXPECT_EQ(number, 0);
    extension->setDataBuffer({1.5, 2.5, 3.5});
    EXPECT_EQ(surface().put_Data(2, 9.25), com::S_OK);
    EXPECT_EQ(surface().get_Data(2, &number), com::S_OK);
    EXPECT_EQ(number, 9.25);
    for (LONG index : {-1, 3}) {
        number = 7;
        EXPECT_EQ(surface().get_Data(index, &number), com::E_INVALIDARG) << index;
        EXPECT_EQ(number, 0);
        EXPECT_EQ(surface().put_Data(index, 1), com::E_INVALIDARG) << index;
    }

    EXPECT_EQ(surface().put_DataUnit(6), com::E_INVALIDARG);
    EXPECT_EQ(surface().put_DataUnit(-1), com::E_INVALIDARG);
    LONG unit = 0;
    surface().get_DataUnit(&unit);
    EXPECT_EQ(unit, 5);

    LONG type = 0;
    EXPECT_EQ(surface().get_GalleryType(6, &type), com::E_INVALIDARG);
    EXPECT_EQ(type, -1);
    type = 0;
    EXPECT_EQ(surface().get_GalleryType(0, &type), com::E_FAIL);  // gallery commands not yet registered
    EXPECT_EQ(type, -1);

    SHORT count = 5;
    EXPECT_EQ(surface().get_DrawingNumber(10, &count), com::E_INVALIDARG);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(surface().get_PriceDisplay(nullptr), com::E_POINTER);
    EXPECT_EQ(surface().put_PriceDisplay(5), com::E_INVALIDARG);
}

TEST_F(SurfaceTest, DataUnitNeedsTheTableOfItsLevel) {
    // Without dated points there are no periods to aggregate into: the unit stays.
    EXPECT_EQ(surface().put_DataUnit(DL_MONTH), com::S_OK);
    LONG unit = 0;
    surface().get_DataUnit(&unit);
    EXPECT_EQ(unit, DL_POINTS);
    const double values[] = {1, 2, 3};
    const double dates[] = {36892, 36923, 36951};  // 2001-01-01, 2001-02-01, 2001-03-01
    extension->settings().dateScale.Build(1, 3, values, dates, {});
    EXPECT_EQ(surface().put_DataUnit(DL_MONTH), com::S_OK);
    surface().get_DataUnit(&unit);
    EXPECT_EQ(unit, DL_MONTH);
    EXPECT_EQ(extension->settings().dateScale.GetLevel(), DL_MONTH);
}

TEST_F(SurfaceTest, GalleryTypesOnceTheCommandsAreRegistered) {
    ASSERT_EQ(attach(), com::S_OK);
    ASSERT_EQ(extension->UpdateCommandTexts(130, 30000), com::S_OK);
    LONG type = 0;
    EXPECT_EQ(surface().get_GalleryType(FINANCIAL_BARTYPE, &type), com::S_OK);
    EXPECT_EQ(type, 135);
    // The default study galleries: VOLUME and MACD draw their first output with the bar type.
    EXPECT_EQ(extension->studyRecord(12)->series[0].gallery, 135);
    EXPECT_EQ(extension->studyRecord(24)->series[0].gallery, 135);
    EXPECT_NE(extension->studyRecord(24)->series[0].setMask & SA_GALLERY, 0u);
    EXPECT_EQ(extension->studyRecord(25)->series[0].gallery, 0);
    // A gallery already chosen stays.
    extension->studyRecord(12)->series[0].gallery = 1;
    ASSERT_EQ(extension->UpdateCommandTexts(140, 31000), com::S_OK);
    EXPECT_EQ(extension->studyRecord(12)->series[0].gallery, 1);
    EXPECT_EQ(extension->studyRecord(24)->series[0].gallery, 135);
}

TEST_F(SurfaceTest, MaskTextsKeepTheirFortyByteField) {
    com::Bstr text;
    const std::string longText(60, 'x');
    ASSERT_EQ(surface().put_BuyMask(com::Bstr::fromUtf8(longText)), com::S_OK);
    surface().get_BuyMask(&text);
    EXPECT_EQ(text.toUtf8(), std::string(39, 'x'));
    // A two-byte character that would cross the end is left out whole.
    ASSERT_EQ(surface().put_SellMask(com::Bstr::fromUtf8(std::string(38, 'y') + "\xC3\xA9")), com::S_OK);
    surface().get_SellMask(&text);
    EXPECT_EQ(text.toUtf8(), std::string(38, 'y'));
}

TEST_F(SurfaceTest, WorkSeriesAndDataUnitReachTheActiveChartType) {
    chartSeries(5);
    ASSERT_EQ(attach(), com::S_OK);
    ASSERT_EQ(extension->ActivateGallery(CHART_KAGI, 1, -1), com::S_OK);
    SHORT current = -1;
    surface().get_CurrentGallery(&current);
    EXPECT_EQ(current, CHART_KAGI);
    surface().put_AutoRecalc(com::VARIANT_TRUE);
    type(CHART_KAGI).clearCalls();
    ASSERT_EQ(surface().put_WorkSeries(3), com::S_OK);
    EXPECT_EQ(type(CHART_KAGI).callNames(), std::vector<std::string>{"Recalculate"});
    LONG work = 0;
    surface().get_WorkSeries(&work);
    EXPECT_EQ(work, 3);

    const double values[] = {1, 2, 3};
    const double dates[] = {36892, 36893, 36894};
    extension->settings().dateScale.Build(1, 3, values, dates, {});
    type(CHART_KAGI).clearCalls();
    ASSERT_EQ(surface().put_DataUnit(DL_DAY), com::S_OK);
    ASSERT_EQ(surface().put_DataUnit(DL_DAY), com::S_OK);  // unchanged: not handed on again
    ASSERT_EQ(type(CHART_KAGI).calls().size(), 1u);
    EXPECT_EQ(type(CHART_KAGI).calls()[0].name, "SetDataUnit");
    EXPECT_EQ(type(CHART_KAGI).calls()[0].args, std::vector<std::intptr_t>{DL_DAY});
}

TEST_F(SurfaceTest, ToolbarObjectsAndTheStudiesTool) {
    ostbar::IOstToolbar* toolbar = nullptr;
    ASSERT_EQ(surface().get_Commands(&toolbar), com::S_OK);
    ASSERT_NE(toolbar, nullptr);
    auto commands = com::ComPtr<ostbar::IOstToolbar>::attach(toolbar);
    EXPECT_EQ(commands.get(),
              com::ComPtr<ostbar::IOstCommandBar>(extension->commandBar()).as<ostbar::IOstToolbar>().get());
    ostbar::IOstToolbarObj* object = nullptr;
    ASSERT_EQ(surface().get_ToolBarObj(&object), com::S_OK);
    ASSERT_NE(object, nullptr);
    com::ComPtr<ostbar::IOstToolbarObj>::attach(object);

    com::VARIANT_BOOL shown = -1;
    EXPECT_EQ(surface().get_StudiesTool(&shown), com::S_OK);
    EXPECT_EQ(shown, com::VARIANT_FALSE);  // no tool yet
    EXPECT_EQ(surface().put_StudiesTool(com::VARIANT_TRUE), com::S_OK);
    extension->GetStudiesToolObject(false);
    // Shown only while the analytical chart is active.
    surface().put_StudiesTool(com::VARIANT_TRUE);
    surface().get_StudiesTool(&shown);
    EXPECT_EQ(shown, com::VARIANT_FALSE);
    chartSeries(5);
    ASSERT_EQ(attach(), com::S_OK);
    ASSERT_EQ(extension->ActivateGallery(FINANCIAL_ANALYTICAL, 1, -1), com::S_OK);
    surface().put_StudiesTool(com::VARIANT_TRUE);
    surface().get_StudiesTool(&shown);
    EXPECT_EQ(shown, com::VARIANT_TRUE);
    surface().put_StudiesTool(com::VARIANT_FALSE);
    surface().get_StudiesTool(&shown);
    EXPECT_EQ(shown, com::VARIANT_FALSE);
}

TEST_F(SurfaceTest, LanguageWithoutABundleFallsBackToTheOwnTexts) {
    LONG loaded = -1;
    EXPECT_EQ(surface().Language(com::Bstr(u"/no/such/bundle"), &loaded), com::S_OK);
    EXPECT_EQ(loaded, 0);
    std::vector<com::Variant> args{com::Variant(com::Bstr(u""))};
    com::Variant result;
    EXPECT_EQ(extension->InvokeMember(DISPID_Language, DISPATCH_METHOD, args, &result), com::S_OK);
    EXPECT_EQ(result, com::Variant(LONG{0}));
}

TEST_F(SurfaceTest, PriceDisplayKinds) {
    SHORT display = -1;
    surface().get_PriceDisplay(&display);
    EXPECT_EQ(display, CLOSE_PRICE);
    EXPECT_EQ(surface().put_PriceDisplay(CANDLESTICK_PRICE), com::S_OK);
    EXPECT_EQ(surface().put_PriceDisplay(-1), com::E_INVALIDARG);
    surface().get_PriceDisplay(&display);
    EXPECT_EQ(display, CANDLESTICK_PRICE);
}

// --- Studies and drawings --------------------------------------------------------------------------------

TEST(StudyMembers, DispidsMapToStudyNumbers) {
    EXPECT_EQ(kStudyOfMember[47 - DISPID_FirstStudy], 12);  // VOLUME
    EXPECT_EQ(kStudyOfMember[67 - DISPID_FirstStudy], 8);   // ENVELOPES
    EXPECT_EQ(kStudyOfMember[87 - DISPID_FirstStudy], 48);  // CUSTOM0
    EXPECT_EQ(kStudyOfMember[DISPID_FirstStudy - DISPID_FirstStudy], 0);
    EXPECT_EQ(kStudyOfMember[DISPID_LastStudy - DISPID_FirstStudy], 57);
    // Every study number once.
    std::vector<int> seen(58, 0);
    for (std::int16_t study : kStudyOfMember)
        ++seen.at(static_cast<std::size_t>(study));
    EXPECT_EQ(seen, std::vector<int>(58, 1));
}

TEST_F(SurfaceTest, ObjectGettersCheckTheirArgumentsAndTheChartType) {
    // Over a chart type that is not the Kagi chart (the recording
    // chart types here) the getter fails cleanly.
    IKagi* kagi = reinterpret_cast<IKagi*>(this);
    EXPECT_EQ(surface().get_Kagi(&kagi), com::E_FAIL);
    EXPECT_EQ(kagi, nullptr);
    // Arguments are checked first.
    IIndexSeries* series = nullptr;
    bind(1, 3, 0, 2, 4);
    EXPECT_EQ(surface().get_PriceSeries(4, &series), com::E_INVALIDARG);  // the volume is no price
    EXPECT_EQ(surface().get_PriceSeries(-1, &series), com::E_INVALIDARG);
    EXPECT_EQ(surface().get_PriceSeries(3, &series), com::E_FAIL);  // no analytical chart here
    EXPECT_EQ(series, nullptr);
    IStudiesTool* tool = nullptr;
    EXPECT_EQ(surface().get_StudiesToolObj(&tool), com::E_INVALIDARG);  // no tool yet
    extension->GetStudiesToolObject(false);
    ASSERT_EQ(surface().get_StudiesToolObj(&tool), com::S_OK);
    ASSERT_NE(tool, nullptr);
    EXPECT_EQ(tool->UpdateStatus(58), com::E_INVALIDARG);
    tool->Release();
}

TEST_F(SurfaceTest, AxisObjectsViewTheExtensionsSettings) {
    ILomexDateAxis* date = nullptr;
    ASSERT_EQ(surface().get_DateAxis(&date), com::S_OK);
    auto dateAxis = com::ComPtr<ILomexDateAxis>::attach(date);
    ASSERT_TRUE(dateAxis.as<ILomexDateAxis>());
    ASSERT_EQ(dateAxis->put_DateStep(3), com::S_OK);
    EXPECT_EQ(extension->settings().dateStep, 3);

    // Without a chart type the price axis is chart axis 0 over the settings' price-axis record: two
    // objects see one record.
    ILomexAxis* first = nullptr;
    ILomexAxis* second = nullptr;
    ASSERT_EQ(surface().get_PricesAxis(&first), com::S_OK);
    ASSERT_EQ(surface().get_PricesAxis(&second), com::S_OK);
    auto a = com::ComPtr<ILomexAxis>::attach(first);
    auto b = com::ComPtr<ILomexAxis>::attach(second);
    ASSERT_NE(a.get(), b.get());  // a new object per call
    ASSERT_EQ(a->put_Decimals(4), com::S_OK);
    SHORT decimals = 0;
    b->get_Decimals(&decimals);
    EXPECT_EQ(decimals, 4);

    // Without the analytical chart (these chart types only record their calls) there is no axis of it.
    chartSeries(5);
    ASSERT_EQ(attach(), com::S_OK);
    ASSERT_EQ(extension->ActivateGallery(FINANCIAL_ANALYTICAL, 1, -1), com::S_OK);
    ILomexAxis* axis = reinterpret_cast<ILomexAxis*>(this);
    EXPECT_EQ(surface().get_PricesAxis(&axis), com::E_FAIL);
    EXPECT_EQ(axis, nullptr);
    ASSERT_EQ(extension->ActivateGallery(FINANCIAL_ANALYTICAL, 0, -1), com::S_OK);
    // Any other chart type's price axis views the same price-axis record.
    ASSERT_EQ(extension->ActivateGallery(CHART_RENKO, 1, -1), com::S_OK);
    ASSERT_EQ(surface().get_PricesAxis(&axis), com::S_OK);
    auto renko = com::ComPtr<ILomexAxis>::attach(axis);
    ASSERT_EQ(renko->put_Decimals(6), com::S_OK);
    EXPECT_EQ(extension->settings().priceAxis.decimals, 6);
}

TEST_F(SurfaceTest, DrawingOrdinalsZeroToFive) {
    IDrawFeature* drawing = nullptr;
    EXPECT_EQ(surface().get_TrendLine(com::Variant(SHORT{6}), &drawing), com::E_INVALIDARG);
    EXPECT_EQ(surface().get_GannFan(com::Variant(LONG{-1}), &drawing), com::E_INVALIDARG);
    EXPECT_EQ(surface().get_GannFan(com::Variant::utf8("two"), &drawing), com::E_INVALIDARG);
    EXPECT_EQ(surface().get_GannFan(com::Variant(LONG{70000}), &drawing), com::E_INVALIDARG);
    EXPECT_EQ(drawing, nullptr);

    // A missing ordinal is 0; an ordinal at or beyond the number of drawings of the kind adds one.
    ASSERT_EQ(surface().get_QuadrantLines(com::Variant::missing(), &drawing), com::S_OK);
    const auto first = com::ComPtr<IDrawFeature>::attach(drawing);
    ASSERT_EQ(surface().get_QuadrantLines(com::Variant(5.0), &drawing), com::S_OK);
    const auto second = com::ComPtr<IDrawFeature>::attach(drawing);
    EXPECT_NE(first.get(), second.get());
    SHORT count = 0;
    EXPECT_EQ(surface().get_DrawingNumber(8, &count), com::S_OK);
    EXPECT_EQ(count, 2);

    // Kept past the extension, an object fails instead of reaching it.
    extension.reset();
    com::Bstr name;
    EXPECT_EQ(second->get_Name(&name), com::E_FAIL);
}

TEST_F(SurfaceTest, DrawingCountsAndDeletion) {
    CDrawingList& list = extension->drawingList();
    int index = 0;
    ASSERT_EQ(list.DrawingOfKind(9, 0, &index), com::S_OK);
    ASSERT_EQ(list.DrawingOfKind(9, 1, &index), com::S_OK);
    ASSERT_EQ(list.DrawingOfKind(3, 0, &index), com::S_OK);
    SHORT count = 0;
    surface().get_DrawingNumber(-1, &count);
    EXPECT_EQ(count, 3);
    surface().get_DrawingNumber(9, &count);
    EXPECT_EQ(count, 2);

    EXPECT_EQ(surface().DeleteDrawing(9, 2), com::E_INVALIDARG);  // no third trend line
    EXPECT_EQ(surface().DeleteDrawing(10, 0), com::E_INVALIDARG);
    EXPECT_EQ(surface().DeleteDrawing(9, 0), com::S_OK);
    surface().get_DrawingNumber(9, &count);
    EXPECT_EQ(count, 1);

    // Deleting all of a kind is the analytical chart's command of that kind.
    type(FINANCIAL_ANALYTICAL).clearCalls();
    EXPECT_EQ(surface().DeleteAllDrawing(11), com::E_INVALIDARG);
    EXPECT_EQ(surface().DeleteAllDrawing(3), com::S_OK);
    EXPECT_EQ(surface().DeleteAllDrawing(-1), com::S_OK);
    const auto& calls = type(FINANCIAL_ANALYTICAL).calls();
    ASSERT_EQ(calls.size(), 11u);
    EXPECT_EQ(calls[0].name, "OnAxisMenuCommand");
    EXPECT_EQ(calls[0].args[1], ID_DELETEALL_FIBONACCI_RETRACEMENTS);
    EXPECT_EQ(calls[1].args[1], ID_DELETEALL_GANN_FAN);
    EXPECT_EQ(calls[10].args[1], ID_DELETEALL_TREND_LINE);
}

TEST(StudyParameterBlocks, ChosenByTypeAndKind) {
    struct Case {
        LONG type, kind;
        std::size_t block;
    };
    const Case cases[] = {
        {22, 0, 2}, {22, 5, 2}, {14, 1, 2}, {28, 1, 2}, {32, 1, 2}, {24, 2, 2},  // third
        {12, 0, 1}, {12, 1, 1}, {24, 0, 1}, {24, 3, 1},                          // second
        {24, 1, 0}, {14, 0, 0}, {32, 2, 0}, {0, 0, 0},  {57, 1, 0},              // first
    };
    StudyParameterEntry entry;
    for (const Case& c : cases)
        EXPECT_EQ(&CFinancialCharts::GetStudyParamBlock(entry, c.type, c.kind), &entry.blocks[c.block])
            << c.type << "/" << c.kind;
}

TEST_F(SurfaceTest, StudySelectionWithoutTheCalculatedList) {
    extension->studyRecord(25)->visible = 1;
    bool shown = false;
    EXPECT_EQ(extension->FindCalculatedStudy(25, &shown), -1);
    EXPECT_TRUE(shown);  // the record's flag
    EXPECT_EQ(extension->FindCalculatedStudy(58, &shown), -1);
    EXPECT_FALSE(shown);
    EXPECT_EQ(extension->ToggleStudy(58, false), com::E_INVALIDARG);
    // Without the analytical chart (these chart types only record their calls) nothing joins a list.
    EXPECT_EQ(extension->AddStudy(25), -1);
    EXPECT_EQ(extension->ToggleStudy(25, false), com::E_FAIL);
}

// --- The chart's gallery commands ------------------------------------------------------------------------

class GalleryItemsTest : public SurfaceTest {
protected:
    ostbar::OstCommandTable& table() { return *chart->commandBar().table(); }
    // Two entries of the chart, then the extension's toolbar entry and five gallery commands.
    void SetUp() override {
        SurfaceTest::SetUp();
        for (SHORT id : {7, 8}) {
            table().add(id);
            table().insertAt(ostbar::kToolbarContainer, table().row().size(), id);
        }
        ASSERT_EQ(attach(), com::S_OK);
        ASSERT_EQ(extension->UpdateCommandTexts(130, 30000), com::S_OK);
    }
};

TEST_F(GalleryItemsTest, MaskPicksTheGalleryCommandsThatGo) {
    const std::vector<SHORT> before = table().row();
    ASSERT_GT(before.size(), 7u);  // the chart's own entries, ours and the extension's toolbar
    for (SHORT id : {SHORT{7}, SHORT{8}, extension->toolbarId()})
        EXPECT_NE(std::find(before.begin(), before.end(), id), before.end()) << id;
    ASSERT_EQ(surface().RemoveGalleryItems(0b01010), com::S_OK);  // Renko and Three Line Break go
    EXPECT_EQ(table().row(), (std::vector<SHORT>{30000, 30002, 30004}));
}

TEST_F(GalleryItemsTest, MaskZeroKeepsEveryGalleryCommand) {
    ASSERT_EQ(surface().RemoveGalleryItems(0), com::S_OK);
    EXPECT_EQ(table().row(), (std::vector<SHORT>{30000, 30001, 30002, 30003, 30004}));
}

TEST_F(GalleryItemsTest, AllFiveCannotGo) {
    const std::vector<SHORT> before = table().row();
    EXPECT_EQ(surface().RemoveGalleryItems(0x1F), com::E_INVALIDARG);
    EXPECT_EQ(surface().RemoveGalleryItems(0xFF), com::E_INVALIDARG);
    EXPECT_EQ(table().row(), before);
    ASSERT_EQ(surface().RemoveGalleryItems(0x0F), com::S_OK);
    EXPECT_EQ(table().row(), (std::vector<SHORT>{30004}));
}

TEST_F(SurfaceTest, RemoveGalleryItemsNeedsAChart) {
    EXPECT_EQ(surface().RemoveGalleryItems(0), com::E_FAIL);
}

// --- Coordinates -----------------------------------------------------------------------------------------

class ConversionTest : public SurfaceTest {
protected:
    void SetUp() override {
        SurfaceTest::SetUp();
        const double values[] = {1, 2, 3, 4};
        const double dates[] = {10, 20, 30, 40};  // four days: the day level's table is 10, 20, 30, 40
        extension->settings().dateScale.Build(1, 4, values, dates, {});
        extension->settings().dateScale.SetLevel(DL_DAY);
    }
    HRESULT convert(LONG kind, std::vector<korvel::KvlCoordinate>& points, char* text = nullptr,
                    LONG capacity = 0) {
        korvel::KvlTextBuffer buffer{text, capacity};
        return extension->ConvertCoordinates(FINANCIAL_ANALYTICAL, kind, points.data(),
                                             static_cast<LONG>(points.size()), 0, &buffer);
    }
};

TEST_F(ConversionTest, PositionsAndValuesOverTheDateTable) {
    std::vector<korvel::KvlCoordinate> points{{2.5, 0}};
    ASSERT_EQ(convert(1, points), com::S_OK);
    EXPECT_DOUBLE_EQ(points[0].value, 35);
    points = {{4, 0}, {0, 0}};
    ASSERT_EQ(convert(1, points), com::S_OK);
    EXPECT_EQ(points[0].value, -1);
    EXPECT_EQ(points[1].value, 10);

    points = {{0, 25}};
    ASSERT_EQ(convert(0, points), com::S_OK);
    EXPECT_DOUBLE_EQ(points[0].position, 1.5);
    points = {{0, 50}, {7, -1}};  // -1 is no value: its position stays
    ASSERT_EQ(convert(0, points), com::S_OK);
    EXPECT_EQ(points[0].position, -4);
    EXPECT_EQ(points[1].position, 7);

    EXPECT_EQ(extension->ConvertCoordinates(6, 1, points.data(), 1, 0, nullptr), com::E_INVALIDARG);
}

TEST_F(ConversionTest, AppendsValuesWithTenDecimals) {
    char text[64] = "3,1";
    std::vector<korvel::KvlCoordinate> points{{0, 25.5}};
    ASSERT_EQ(convert(3, points, text, sizeof text), com::S_OK);
    EXPECT_STREQ(text, "3,1,25.5000000000");
    std::strcpy(text, "p");
    points = {{0, 1.0 / 3}, {0, -2}};
    ASSERT_EQ(convert(3, points, text, sizeof text), com::S_OK);
    EXPECT_STREQ(text, "p,0.3333333333,-2.0000000000");
    // A text that would not fit is left as it was.
    char small[12] = "abc";
    points = {{0, 12345.678}};
    EXPECT_EQ(convert(3, points, small, sizeof small), com::E_INVALIDARG);
    EXPECT_STREQ(small, "abc");
}

TEST_F(ConversionTest, ReadsValuesAfterTheChartsFields) {
    char text[] = "4,9,12.25,77";
    std::vector<korvel::KvlCoordinate> points{{0, 0}};
    ASSERT_EQ(convert(2, points, text, sizeof text), com::S_OK);
    EXPECT_EQ(points[0].value, 12.25);
    char two[] = "1,2,3,4,5.5,6.5";
    points = {{0, 0}, {0, 0}};
    ASSERT_EQ(convert(2, points, two, sizeof two), com::S_OK);
    EXPECT_EQ(points[0].value, 5.5);
    EXPECT_EQ(points[1].value, 6.5);
    // Too few fields: nothing changes.
    char few[] = "1,2,3,4,5";
    points = {{0, 8}, {0, 9}};
    EXPECT_EQ(convert(2, points, few, sizeof few), com::E_INVALIDARG);
    EXPECT_EQ(points[0].value, 8);
    EXPECT_EQ(points[1].value, 9);
}

// --- Property pages --------------------------------------------------------------------------------------

TEST_F(SurfaceTest, PagesByChartTypeAndMask) {
    auto pages = com::ComPtr<com::IUnknown>(static_cast<IFinancialCharts*>(extension.get()))
                     .as<com::ISpecifyPropertyPages>();
    ASSERT_TRUE(pages);
    std::vector<com::CLSID> offered{CLSID_KagiPage};
    ASSERT_EQ(pages->GetPages(&offered), com::S_OK);
    EXPECT_TRUE(offered.empty());  // no chart type active
    chartSeries(5);
    ASSERT_EQ(attach(), com::S_OK);

    const std::vector<std::vector<com::CLSID>> expected = {
        {CLSID_AxisGeneralPage, CLSID_PointFigPage}, {CLSID_AxisGeneralPage, CLSID_RenkoPage},
        {CLSID_AxisGeneralPage, CLSID_KagiPage},     {CLSID_AxisGeneralPage, CLSID_ThreeLineBreakPage},
        {CLSID_AxisGeneralPage, CLSID_Indices},      {CLSID_AxisGeneralPage},
    };
    for (LONG index = 0; index < kChartTypeCount; ++index) {
        ASSERT_EQ(extension->ActivateGallery(index, 1, -1), com::S_OK);
        surface().put_PropPageMask(kDefaultPropPageMask);
        pages->GetPages(&offered);
        EXPECT_EQ(offered, expected[static_cast<std::size_t>(index)]) << index;
        surface().put_PropPageMask(0);
        pages->GetPages(&offered);
        EXPECT_TRUE(offered.empty()) << index;
        ASSERT_EQ(extension->ActivateGallery(index, 0, -1), com::S_OK);
    }

    // The analytical chart offers the drawing page once there are drawings; each page by its own bit.
    ASSERT_EQ(extension->ActivateGallery(FINANCIAL_ANALYTICAL, 1, -1), com::S_OK);
    int index = 0;
    extension->drawingList().DrawingOfKind(0, 0, &index);
    surface().put_PropPageMask(kDefaultPropPageMask);
    pages->GetPages(&offered);
    EXPECT_EQ(offered, (std::vector<com::CLSID>{CLSID_AxisGeneralPage, CLSID_Indices, CLSID_DrawPage}));
    surface().put_PropPageMask(FEPPM_DRAWING | FEPPM_KAGI);
    pages->GetPages(&offered);
    EXPECT_EQ(offered, (std::vector<com::CLSID>{CLSID_DrawPage}));
    EXPECT_EQ(pages->GetPages(nullptr), com::E_POINTER);
}

// --- Late binding ----------------------------------------------------------------------------------------

TEST_F(SurfaceTest, MembersInvokedByDispid) {
    auto dispatch =
        com::ComPtr<com::IUnknown>(static_cast<IFinancialCharts*>(extension.get())).as<com::IDispatch>();
    ASSERT_TRUE(dispatch);
    auto financial = dispatch.as<IFinancialCharts>();

    // A put of the close series with a 32-bit argument, read back as a 16-bit value.
    std::vector<com::Variant> args{com::Variant(LONG{2})};
    com::Variant result;
    ASSERT_EQ(financial->InvokeMember(DISPID_CloseSeries, DISPATCH_PROPERTYPUT, args, nullptr), com::S_OK);
    ASSERT_EQ(financial->InvokeMember(DISPID_CloseSeries, DISPATCH_PROPERTYGET, {}, &result), com::S_OK);
    EXPECT_EQ(result, com::Variant(SHORT{2}));

    // A Boolean comes back as VT_BOOL.
    ASSERT_EQ(financial->InvokeMember(DISPID_DateInfo, DISPATCH_PROPERTYGET | DISPATCH_METHOD, {}, &result),
              com::S_OK);
    EXPECT_EQ(result, com::Variant(true));

    // A method with a result.
    args = {com::Variant(SHORT{-1})};
    ASSERT_EQ(financial->InvokeMember(DISPID_GetKvlSeries, DISPATCH_METHOD, args, &result), com::S_OK);
    EXPECT_EQ(result, com::Variant(SHORT{2}));

    // The user-series count is 16-bit: a wider value is refused, the stored one stays.
    args = {com::Variant(LONG{70000})};
    EXPECT_EQ(financial->InvokeMember(DISPID_UserSeries, DISPATCH_PROPERTYPUT, args, nullptr),
              com::DISP_E_OVERFLOW);
    args = {com::Variant(LONG{3})};
    EXPECT_EQ(financial->InvokeMember(DISPID_UserSeries, DISPATCH_PROPERTYPUT, args, nullptr), com::S_OK);
    SHORT userSeries = 0;
    financial->get_UserSeries(&userSeries);
    EXPECT_EQ(userSeries, 3);

    // A failing member answers its own result; bad calls answer the dispatch errors.
    args = {com::Variant(SHORT{6})};
    EXPECT_EQ(financial->InvokeMember(DISPID_GalleryType, DISPATCH_PROPERTYGET, args, &result),
              com::E_INVALIDARG);
    EXPECT_TRUE(result.isEmpty());
    EXPECT_EQ(financial->InvokeMember(14, DISPATCH_PROPERTYGET, {}, &result), com::DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(financial->InvokeMember(DISPID_SeriesDataErr, DISPATCH_PROPERTYPUT, args, nullptr),
              com::DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(financial->InvokeMember(DISPID_Data, DISPATCH_PROPERTYGET, {}, &result),
              com::DISP_E_BADPARAMCOUNT);
    args = {com::Variant::utf8("many")};
    EXPECT_EQ(financial->InvokeMember(DISPID_OpenSeries, DISPATCH_PROPERTYPUT, args, nullptr),
              com::DISP_E_TYPEMISMATCH);

    // Study and drawing members by dispid; the plain dispatch call runs methods.
    EXPECT_EQ(financial->InvokeMember(87, DISPATCH_PROPERTYGET, {}, &result), com::S_OK);  // CUSTOM0
    com::ComPtr<ICustomIndex> custom;
    ASSERT_TRUE(result.unknown());
    EXPECT_EQ(result.unknown()->QueryInterface(IID_ICustomIndex, reinterpret_cast<void**>(custom.put())),
              com::S_OK);
    result = com::Variant();
    args = {com::Variant(SHORT{6})};
    EXPECT_EQ(financial->InvokeMember(DISPID_LastDrawing, DISPATCH_PROPERTYGET, args, &result),
              com::E_INVALIDARG);
    args = {com::Variant(LONG{11})};
    EXPECT_EQ(dispatch->Invoke(DISPID_DeleteAllDrawing, args), com::E_INVALIDARG);
    args = {com::Variant(LONG{FINANCIAL_ANALYTICAL})};
    EXPECT_EQ(dispatch->Invoke(DISPID_DrawingNumber, args), com::DISP_E_MEMBERNOTFOUND);  // a property
}

}  // namespace
}  // namespace dravik::test

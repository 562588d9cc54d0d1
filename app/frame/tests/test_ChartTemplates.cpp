// Chart templates in the chart window: a template saved from one chart comes back in a fresh window,
// the window joins the extension objects the template created, and what a template must not change
// is put back; a template the chart refuses leaves the chart as it was.
#include <fstream>
#include <iterator>

#include "ChartWindowFixture.h"
#include "appdata/MarketReaders.h"
#include "frame/chart/TemplateLoad.h"
#include "korvel/KvlChart.h"

namespace {

constexpr com::SHORT kChangedPeriods = 15;
constexpr com::SHORT kCandles = 3;
constexpr com::SHORT kVolumeAtLoad = 65;  // what the window's load gives the volume series
constexpr com::LONG kChartColor = 0x123456;

class ChartTemplateTest : public ChartWindowTest {
protected:
    dravik::IFinancialCharts& ext() { return *window().financialExtension(); }

    std::filesystem::path templateFile(std::int32_t id) const {
        return m_home / "Templates" / ("T" + std::to_string(id));
    }

    static void addTemplate(std::int32_t id) {
        tarnwick::gConnection.execute(R"(INSERT INTO "Templates" ("ID", "NAME") VALUES (?, ?))",
                                      {id, "Template " + std::to_string(id)});
        tarnwick::ReadTemplates();
    }

    com::ComPtr<dravik::IIndexSeries> seriesOf(frame::chart::Study study) {
        frame::chart::ExtensionStudySlots studies(&ext());
        return frame::chart::seriesOf(studies, study);
    }

    com::ComPtr<dravik::IIndex> fiftyAverage() {
        com::ComPtr<dravik::IIndex> average;
        EXPECT_EQ(ext().get_SimpleMA50(average.put()), com::S_OK);
        return average;
    }

    bool overlayShown(com::HRESULT (dravik::IFinancialCharts::*getter)(dravik::IIndex**)) {
        com::ComPtr<dravik::IIndex> overlay;
        EXPECT_EQ((ext().*getter)(overlay.put()), com::S_OK);
        com::VARIANT_BOOL visible = com::VARIANT_FALSE;
        EXPECT_EQ(overlay->get_Visible(&visible), com::S_OK);
        return visible != com::VARIANT_FALSE;
    }

    void showOverlay(com::HRESULT (dravik::IFinancialCharts::*getter)(dravik::IIndex**), bool shown) {
        com::ComPtr<dravik::IIndex> overlay;
        ASSERT_EQ((ext().*getter)(overlay.put()), com::S_OK);
        ASSERT_EQ(overlay->put_Visible(shown ? com::VARIANT_TRUE : com::VARIANT_FALSE), com::S_OK);
    }

    // Saves template `id` from the default chart changed by hand: the 50-period average over 15
    // periods, the 20-period one drawn as bars, candles, the volume drawn as 7, the general index overlay
    // shown, the SAR without a border colour and a chart colour of its own.
    void saveChangedTemplate(std::int32_t id) {
        ASSERT_EQ(fiftyAverage()->put_Periods(kChangedPeriods), com::S_OK);
        ASSERT_EQ(seriesOf(frame::chart::Study::CUSTOM1)->put_Gallery(2), com::S_OK);
        ASSERT_EQ(ext().put_PriceDisplay(kCandles), com::S_OK);
        ASSERT_EQ(seriesOf(frame::chart::Study::VOLUME)->put_VOLUME(7), com::S_OK);
        showOverlay(&dravik::IFinancialCharts::get_USER1, false);
        showOverlay(&dravik::IFinancialCharts::get_USER2, true);
        ASSERT_EQ(seriesOf(frame::chart::Study::CUSTOM4)->put_BorderColor(0), com::S_OK);
        ASSERT_EQ(chart().put_ChartColor(kChartColor), com::S_OK);
        ASSERT_EQ(chart().ExportFile(korvel::kFileTemplate, com::Bstr::fromUtf8(templateFile(id).string())),
                  com::S_OK);
        addTemplate(id);
    }

    // The program starts again with `lastTemplate` as the template of the last run.
    void startAgainWith(std::int32_t lastTemplate) {
        m_frame.reset();
        tarnwick::gStarting = true;
        m_fills = 0;
        m_loadTemplates = true;
        saveSetting("LastTemplate", std::to_string(lastTemplate).c_str());
        loadFrame();
    }

    // What a load must bring back or keep, as the chart shows it now.
    struct Look {
        com::SHORT periods = 0;
        com::SHORT priceDisplay = 0;
        com::SHORT firstAverageGallery = 0;
        com::SHORT volumeDrawing = 0;
        com::LONG sarBorder = 0;
        bool operator==(const Look&) const = default;
    };
    Look look() {
        Look l;
        EXPECT_EQ(fiftyAverage()->get_Periods(&l.periods), com::S_OK);
        EXPECT_EQ(ext().get_PriceDisplay(&l.priceDisplay), com::S_OK);
        EXPECT_EQ(seriesOf(frame::chart::Study::CUSTOM1)->get_Gallery(&l.firstAverageGallery), com::S_OK);
        EXPECT_EQ(seriesOf(frame::chart::Study::VOLUME)->get_VOLUME(&l.volumeDrawing), com::S_OK);
        EXPECT_EQ(seriesOf(frame::chart::Study::CUSTOM4)->get_BorderColor(&l.sarBorder), com::S_OK);
        return l;
    }

    // The window holds the extension objects the chart answers now.
    void expectWindowHoldsTheChartsExtensions() {
        com::ComPtr<com::IUnknown> object;
        ASSERT_EQ(chart().AddExtension(com::Bstr(u"Lomex.Financial"), object.put()), com::S_OK);
        EXPECT_EQ(object.as<dravik::IFinancialCharts>().get(), window().financialExtension());
        object = nullptr;
        ASSERT_EQ(chart().AddExtension(com::Bstr(u"Scribant.AnnList"), object.put()), com::S_OK);
        EXPECT_EQ(object.as<glossor::IGlosxList>().get(), window().annotationList());
    }

    // A line drawn into the window's annotation list is picked by a click on the chart and removed
    // by the Delete key: the list lies over the chart and takes its input.
    void expectAnnotationsWork() {
        korvel::KvlChart& c = chartObject();
        ASSERT_NE(dynamic_cast<glossor::GlosxHost*>(c.overlay()), nullptr);
        glossor::IGlosxList* list = window().annotationList();
        drawLine(*list);
        EXPECT_TRUE(c.buttonDown(130, 80));
        EXPECT_TRUE(c.buttonUp(130, 80));
        EXPECT_TRUE(c.keyDown(glossor::kKeyDelete, 0));
        com::LONG count = -1;
        list->get_Count(&count);
        EXPECT_EQ(count, 0);
    }

    void writeFile(const std::filesystem::path& file, const std::string& bytes) {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out << bytes;
    }
    std::string readFile(const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
};

TEST_F(ChartTemplateTest, TheLastTemplateComesBackAtTheNextStartWithWhatItMustNotChangeKept) {
    loadFrame();
    saveChangedTemplate(1);
    ASSERT_EQ(errorLog(), "");

    startAgainWith(1);
    EXPECT_EQ(m_selectedTemplate, std::optional<std::string>("ID_1"));
    // The template's study period and price display, its average drawn as lines again, the volume
    // as the load set it, the SAR's border in the chart's colour.
    EXPECT_EQ(look(), (Look{kChangedPeriods, kCandles, 1, kVolumeAtLoad, kChartColor}));
    EXPECT_EQ(window().chartFill()->PriceDisplay, kCandles);
    // Charted once, by the template load: the default chart was not laid out.
    EXPECT_EQ(m_fills, 1);
    EXPECT_EQ(chartCompanyID(chart()), "199");
    EXPECT_FALSE(overlayShown(&dravik::IFinancialCharts::get_USER2));
    expectWindowHoldsTheChartsExtensions();
    expectAnnotationsWork();
    EXPECT_EQ(errorLog(), "");
}

TEST_F(ChartTemplateTest, ALaterLoadJoinsTheNewExtensionsAndChartsTheCompanyAgain) {
    loadFrame();
    saveChangedTemplate(1);
    ASSERT_EQ(chart().put_ChartColor(frame::chart::kNoChartColor), com::S_OK);
    ASSERT_EQ(seriesOf(frame::chart::Study::VOLUME)->put_VOLUME(30), com::S_OK);
    const dravik::IFinancialCharts* oldExtension = window().financialExtension();
    const glossor::IGlosxList* oldList = window().annotationList();
    const korvel::KvlOverlay* oldOverlay = chartObject().overlay();
    // The overlay lines follow the check boxes, whatever the template held.
    window().chartChoices().sectorIndex = 1;
    window().chartChoices().generalIndex = 0;
    m_fills = 0;
    forgetDrawingSaves();

    ASSERT_TRUE(window().LoadTemplate(1));
    EXPECT_NE(window().financialExtension(), oldExtension);
    EXPECT_NE(window().annotationList(), oldList);
    EXPECT_NE(chartObject().overlay(), oldOverlay);
    expectWindowHoldsTheChartsExtensions();
    // The company's drawings were stored before the chart was replaced, then it was charted again.
    EXPECT_EQ(savedDrawingsOf(), std::vector<std::int32_t>{kDefaultCompany});
    EXPECT_EQ(m_fills, 1);
    EXPECT_EQ(chartCompanyID(chart()), "199");
    EXPECT_TRUE(overlayShown(&dravik::IFinancialCharts::get_USER1));
    EXPECT_FALSE(overlayShown(&dravik::IFinancialCharts::get_USER2));
    // The template's chart colour was saved: the SAR takes it. The volume stays as drawn before.
    EXPECT_EQ(look(), (Look{kChangedPeriods, kCandles, 1, 30, kChartColor}));
    expectAnnotationsWork();
    EXPECT_EQ(errorLog(), "");

    // A second load joins the objects of that load in turn.
    const dravik::IFinancialCharts* second = window().financialExtension();
    ASSERT_TRUE(window().LoadTemplate(1));
    EXPECT_NE(window().financialExtension(), second);
    expectWindowHoldsTheChartsExtensions();
    expectAnnotationsWork();
}

// The template's averages come back named after their period counts, as a studies page commit names
// them: the name says "<n> periods Simple M.A.", the legend "<n> Simple M.A.".
TEST_F(ChartTemplateTest, ALoadNamesTheBuiltInAveragesAfterTheirPeriods) {
    loadFrame();
    com::ComPtr<dravik::IIndex> ten, twoHundred;
    ASSERT_EQ(ext().get_SimpleMA10(ten.put()), com::S_OK);
    ASSERT_EQ(ext().get_SimpleMA200(twoHundred.put()), com::S_OK);
    ASSERT_EQ(ten->put_Periods(14), com::S_OK);
    ASSERT_EQ(twoHundred->put_Periods(150), com::S_OK);
    saveChangedTemplate(1);  // the 50-period average over 15 periods

    ASSERT_TRUE(window().LoadTemplate(1));
    const std::pair<frame::chart::Study, const char*> expected[] = {
        {frame::chart::Study::SimpleMA10, "14"},
        {frame::chart::Study::SimpleMA50, "15"},
        {frame::chart::Study::SimpleMA200, "150"},
    };
    for (const auto& [study, periods] : expected) {
        frame::chart::ExtensionStudySlots studies(&ext());
        const auto object = studies.defaultSeries(study);
        ASSERT_TRUE(object) << periods;
        com::Bstr legend;
        ASSERT_EQ(object.as<dravik::IIndexSeries>()->get_Legend(&legend), com::S_OK);
        EXPECT_EQ(legend.toUtf8(), std::string(periods) + " Simple M.A.");
    }
    com::Bstr name;
    ASSERT_EQ(ext().get_SimpleMA10(ten.put()), com::S_OK);
    ASSERT_EQ(ten->get_Name(&name), com::S_OK);
    EXPECT_EQ(name.toUtf8(), "14 periods Simple M.A.");
    ASSERT_EQ(fiftyAverage()->get_Name(&name), com::S_OK);
    EXPECT_EQ(name.toUtf8(), "15 periods Simple M.A.");
    ASSERT_EQ(ext().get_SimpleMA200(twoHundred.put()), com::S_OK);
    ASSERT_EQ(twoHundred->get_Name(&name), com::S_OK);
    EXPECT_EQ(name.toUtf8(), "150 periods Simple M.A.");
    EXPECT_EQ(errorLog(), "");
}

// The chart fill runs inside a load; a load started from there does nothing, and once the load is
// over the next one runs.
TEST_F(ChartTemplateTest, ALoadStartedWhileOneRunsDoesNothing) {
    loadFrame();
    saveChangedTemplate(1);
    std::vector<bool> nested;
    m_duringFill = [&] { nested.push_back(window().LoadTemplate(1)); };
    m_fills = 0;
    EXPECT_TRUE(window().LoadTemplate(1));
    EXPECT_EQ(nested, std::vector<bool>{false});
    EXPECT_EQ(m_fills, 1);
    m_duringFill = nullptr;
    EXPECT_TRUE(window().LoadTemplate(1));
    EXPECT_EQ(m_fills, 2);
    EXPECT_EQ(errorLog(), "");
}

TEST_F(ChartTemplateTest, ARefusedTemplateLeavesTheChartAsItWasAndTheNextOneLoads) {
    loadFrame();
    ASSERT_EQ(chart().ExportFile(korvel::kFileTemplate, com::Bstr::fromUtf8(templateFile(1).string())),
              com::S_OK);
    addTemplate(1);
    const std::string valid = readFile(templateFile(1));
    ASSERT_GT(valid.size(), 64U);
    writeFile(templateFile(2), valid.substr(0, valid.size() / 2));
    addTemplate(2);
    writeFile(templateFile(3), "not a chart template");
    addTemplate(3);
    addTemplate(4);  // its file is missing

    const Look before = look();
    const dravik::IFinancialCharts* extension = window().financialExtension();
    const glossor::IGlosxList* list = window().annotationList();
    const korvel::KvlOverlay* overlay = chartObject().overlay();
    const int fills = m_fills;
    for (const std::int32_t id : {2, 3, 4, 99}) {
        EXPECT_FALSE(window().LoadTemplate(id)) << id;
        EXPECT_EQ(look(), before) << id;
        EXPECT_EQ(window().financialExtension(), extension) << id;
        EXPECT_EQ(window().annotationList(), list) << id;
        EXPECT_EQ(chartObject().overlay(), overlay) << id;
        EXPECT_EQ(m_fills, fills) << id;
    }
    EXPECT_EQ(chartCompanyID(chart()), "199");
    expectAnnotationsWork();
    const std::string log = errorLog();
    std::size_t logged = 0;
    for (std::size_t at = log.find("Function:LoadTemplate"); at != std::string::npos;
         at = log.find("Function:LoadTemplate", at + 1))
        ++logged;
    EXPECT_EQ(logged, 4U) << log;

    EXPECT_TRUE(window().LoadTemplate(1));
    expectWindowHoldsTheChartsExtensions();
    EXPECT_EQ(m_fills, fills + 1);
}

TEST_F(ChartTemplateTest, AStartWithARefusedTemplateLaysOutTheDefaultChart) {
    loadFrame();
    writeFile(templateFile(2), "not a chart template");
    addTemplate(2);
    startAgainWith(2);
    EXPECT_EQ(m_selectedTemplate, std::optional<std::string>("ID_2"));
    EXPECT_EQ(m_fills, 1);
    EXPECT_EQ(chartCompanyID(chart()), "199");
    com::ComPtr<dravik::ICustomIndex> twenty;
    ASSERT_EQ(ext().get_CUSTOM1(twenty.put()), com::S_OK);
    com::SHORT periods = 0;
    twenty->get_Periods(&periods);
    EXPECT_EQ(periods, 20);
    com::ComPtr<dravik::ICustomIndex> sar;
    ASSERT_EQ(ext().get_CUSTOM4(sar.put()), com::S_OK);
    com::Bstr name;
    sar->get_Name(&name);
    EXPECT_EQ(name.toUtf8(), "Parabolic SAR");
    expectWindowHoldsTheChartsExtensions();
    expectAnnotationsWork();
    EXPECT_NE(errorLog().find("Function:LoadTemplate"), std::string::npos);
    EXPECT_EQ(errorLog().find("Function:frmMain Form_Load"), std::string::npos);
}

}  // namespace

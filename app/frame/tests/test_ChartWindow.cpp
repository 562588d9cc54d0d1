// The chart window over a small market database: its load from an empty or a doctored settings store,
// its close, the key that restores the chart's standard size, the command state and the default chart.
#include "ChartWindowFixture.h"
#include "appchart/fill/ChartDataSet.h"
#include "korvel/KvlChart.h"

namespace {

using frame::ChartWindowPeers;
using frame::frmMain;
using frame::MDIForm1;

TEST_F(ChartWindowTest, AFirstStartChartsTheDefaultCompanyOnceWithTheDefaultChoices) {
    loadFrame();
    EXPECT_EQ(m_fills, 1);
    EXPECT_EQ(m_notesOf, std::vector<std::int32_t>{kDefaultCompany});
    EXPECT_EQ(chartCompanyID(chart()), "199");
    EXPECT_EQ(window().chartFill()->CompanyID, kDefaultCompany);
    com::LONG points = 0;
    chart().get_PointCount(&points);
    EXPECT_GE(points, 5);
    EXPECT_EQ(choices(), (Choices{4, 0, 1, 0, 0}));
    EXPECT_EQ(tarnwick::gDefaultMarket, 1);
    EXPECT_EQ(tarnwick::gProxyPort, 8080);
    // Watch list -2 does not exist: the first entry is marked, without a click.
    EXPECT_EQ(m_wlClicks, 0);
    EXPECT_EQ(m_selectedWL, std::optional<std::string>("ID_-1"));
    EXPECT_TRUE(m_frame->windowState() & Qt::WindowMaximized);
    EXPECT_FALSE(tarnwick::gStarting);
    EXPECT_NE(window().financialExtension(), nullptr);
    EXPECT_NE(window().annotationList(), nullptr);
    EXPECT_NE(window().gifWriter(), nullptr);
    for (const char* folder : {"Templates", "Notes", "Documentation"})
        EXPECT_TRUE(std::filesystem::is_directory(m_home / folder)) << folder;
    EXPECT_EQ(errorLog(), "");
}

TEST_F(ChartWindowTest, WithoutTheCompanyTheLoadStillSetsUpTheChartAndOnlyTheFillComplains) {
    exec(R"(DELETE FROM "Company")");
    loadFrame();
    EXPECT_EQ(chartCompanyID(chart()), "");
    const std::string log = errorLog();
    EXPECT_NE(log.find("Function:GetData"), std::string::npos) << log;
    EXPECT_EQ(log.find("Function:frmMain Form_Load"), std::string::npos) << log;
    com::ComPtr<com::IUnknown> options;
    ASSERT_EQ(chart().get_Object80(options.put()), com::S_OK);
    com::VARIANT_BOOL enabled = com::VARIANT_FALSE;
    options.as<korvel::IKvlOptions>()->get_Enabled(&enabled);
    EXPECT_EQ(enabled, com::VARIANT_TRUE);
    EXPECT_FALSE(tarnwick::gStarting);
}

TEST_F(ChartWindowTest, StoredChoicesComeBackAndAWatchListThatExistsIsClicked) {
    saveSetting("LastWL", "5");
    saveSetting("SelectedCompany", "205");
    saveSetting("Period", "9");
    saveSetting("Interval", "2");
    saveSetting("Adjusted", "0");
    saveSetting("GeneralIndex", "1");
    saveSetting("SectorIndex", "1");
    saveSetting("DefaultMarket", "7");
    saveSetting("ProxyPort", "3128");
    saveSetting("MainLeft", "1500");
    saveSetting("MainTop", "750");
    saveSetting("MainWidth", "9000");
    saveSetting("MainHeight", "6000");
    loadFrame();
    EXPECT_EQ(m_wlClicks, 1);
    EXPECT_EQ(m_selectedWL, std::optional<std::string>("ID_5"));
    EXPECT_EQ(chartCompanyID(chart()), "205");
    EXPECT_EQ(choices(), (Choices{9, 2, 0, 1, 1}));
    EXPECT_EQ(tarnwick::gDefaultMarket, 7);
    EXPECT_EQ(tarnwick::gProxyPort, 3128);
    EXPECT_FALSE(m_frame->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(m_frame->geometry(), QRect(100, 50, 600, 400));
    EXPECT_EQ(m_fills, 1);
}

TEST_F(ChartWindowTest, OutOfRangeAndUnreadableStoredValuesCountAsTheirDefaults) {
    const std::pair<const char*, const char*> stored[] = {
        {"Period", "-1"},
        {"Interval", "-1"},
        {"Adjusted", "7"},
        {"GeneralIndex", "x"},
        {"SectorIndex", "-3"},
        {"DefaultMarket", "0"},
        {"ProxyPort", "99999999999"},
        {"MainLeft", "wide"},
        {"SelectedCompany", "-4"},
    };
    for (const auto& [key, value] : stored)
        saveSetting(key, value);
    loadFrame();
    EXPECT_EQ(choices(), (Choices{4, 0, 1, 0, 0}));
    EXPECT_EQ(tarnwick::gDefaultMarket, 1);
    EXPECT_EQ(tarnwick::gProxyPort, 8080);
    EXPECT_EQ(window().chartFill()->CompanyID, 1);
    // An unreadable Left is the default -100: nothing was stored, the frame is maximised.
    EXPECT_TRUE(m_frame->windowState() & Qt::WindowMaximized);
    EXPECT_FALSE(tarnwick::gStarting);

    saveSetting("Period", "10");
    saveSetting("Interval", "3");
    saveSetting("DefaultMarket", "-8");
    saveSetting("SelectedCompany", "0");  // 0 is below 1 too
    const frame::chart::StoredChartChoices again = frame::chart::ReadStoredChartChoices();
    EXPECT_EQ(again.period, 4);
    EXPECT_EQ(again.interval, 0);
    EXPECT_EQ(again.defaultMarket, 1);
    EXPECT_EQ(again.selectedCompany, 1);
}

TEST_F(ChartWindowTest, FinalizeWritesEveryKeyItOwnsAndSavesTheDrawings) {
    loadFrame();
    m_frame->setWindowState(Qt::WindowNoState);
    m_frame->setGeometry(40, 20, 700, 500);
    frmMain::ChartChoices& c = window().chartChoices();
    c.period = 6;
    c.interval = 1;
    c.adjusted = 0;
    c.generalIndex = 1;
    c.sectorIndex = 1;
    tarnwick::gDefaultMarket = 3;
    tarnwick::gProxyUsed = true;
    tarnwick::gProxyServer = "proxy.example.net";
    tarnwick::gProxyPort = 3128;
    tarnwick::gProxyUserName = "me";
    tarnwick::gProxyPassword = "secret";
    m_selectedWL = "ID_5";
    m_selectedTemplate.reset();
    window().Finalize();

    const std::map<std::string, QString> expected = {
        {"MainLeft", "600"},    {"MainTop", "300"},      {"MainWidth", "10500"},
        {"MainHeight", "7500"}, {"Period", "6"},         {"Interval", "1"},
        {"Adjusted", "0"},      {"SectorIndex", "1"},    {"GeneralIndex", "1"},
        {"DefaultMarket", "3"}, {"ProxyUsed", "True"},   {"ProxyServer", "proxy.example.net"},
        {"ProxyPort", "3128"},  {"ProxyUserName", "me"}, {"ProxyPassword", "secret"},
        {"LastWL", "5"},        {"LastTemplate", "1"},   {"SelectedCompany", "199"},
    };
    for (const auto& [key, value] : expected)
        EXPECT_EQ(setting(key.c_str()), std::optional<QString>(value)) << key;
    for (const char* key : {"ShowChartSettings", "ShowWatchList", "ShowNotes"})
        EXPECT_TRUE(setting(key).has_value()) << key;
    EXPECT_EQ(savedDrawingsOf(), std::vector<std::int32_t>{kDefaultCompany});
    EXPECT_FALSE(tarnwick::gConnection.isOpen());
    EXPECT_EQ(window().gifWriter(), nullptr);
}

TEST_F(ChartWindowTest, AMinimisedFrameKeepsItsStoredPlacement) {
    saveSetting("MainLeft", "1500");
    saveSetting("MainTop", "750");
    saveSetting("MainWidth", "9000");
    saveSetting("MainHeight", "6000");
    loadFrame();
    m_frame->setWindowState(Qt::WindowMinimized);
    m_selectedWL.reset();
    window().Finalize();
    EXPECT_EQ(setting("MainLeft"), std::optional<QString>("1500"));
    EXPECT_EQ(setting("MainTop"), std::optional<QString>("750"));
    EXPECT_EQ(setting("MainWidth"), std::optional<QString>("9000"));
    EXPECT_EQ(setting("MainHeight"), std::optional<QString>("6000"));
    // No watch list selected: "1".
    EXPECT_EQ(setting("LastWL"), std::optional<QString>("1"));
    EXPECT_EQ(setting("Period"), std::optional<QString>("4"));
}

TEST_F(ChartWindowTest, NothingIsSavedBeforeAFillOrForACompanyThatIsGone) {
    loadFrame();
    chart().put_ChartCompanyID(com::Bstr(u""));
    window().SaveKorvelCompanyProfile();
    chart().put_ChartCompanyID(com::Bstr(u"4711"));
    window().SaveKorvelCompanyProfile();
    EXPECT_TRUE(savedDrawingsOf().empty());
    chart().put_ChartCompanyID(com::Bstr(u"205"));
    window().SaveKorvelCompanyProfile();
    EXPECT_EQ(savedDrawingsOf(), std::vector<std::int32_t>{kOtherCompany});
}

TEST_F(ChartWindowTest, TheChartTakesTheWindowLessItsMarginsAndAllOfALowWindow) {
    loadFrame();
    frmMain& w = window();
    w.resize(600, 400);  // 9000 x 6000 twips
    w.Form_Resize();
    com::LONG width = 0, height = 0;
    chart().get_Width(&width);
    chart().get_Height(&height);
    // The control keeps its size in whole pixels: 8900 and 5600 twips are 593 and 373 pixels.
    EXPECT_EQ(width, 593 * 15);
    EXPECT_EQ(height, 373 * 15);
    w.resize(600, 20);  // 300 twips high
    w.Form_Resize();
    chart().get_Height(&height);
    EXPECT_EQ(height, 300);
}

TEST_F(ChartWindowTest, OnlyALowerCaseRRestoresTheChartsStandardSize) {
    loadFrame();
    m_frame->setWindowState(Qt::WindowNoState);
    m_frame->setGeometry(10, 10, 700, 500);
    window().Form_Resize();
    std::int16_t upper = 'R';
    window().Form_KeyPress(upper);
    EXPECT_EQ(upper, 'R');
    EXPECT_EQ(m_frame->size(), QSize(700, 500));

    com::LONG width = 0, height = 0;
    chart().get_Width(&width);
    chart().get_Height(&height);
    int bars = 0;
    com::VARIANT_BOOL shown = com::VARIANT_FALSE;
    bars += com::SUCCEEDED(chart().get_ToolBar(&shown)) && shown ? 1 : 0;
    shown = com::VARIANT_FALSE;
    bars += com::SUCCEEDED(window().annotationList()->get_ToolBar(&shown)) && shown ? 1 : 0;
    shown = com::VARIANT_FALSE;
    bars += com::SUCCEEDED(window().financialExtension()->get_ToolBar(&shown)) && shown ? 1 : 0;
    std::int16_t lower = 'r';
    window().Form_KeyPress(lower);
    EXPECT_EQ(lower, 'r');
    EXPECT_EQ(m_frame->width(), (700 * 15 + 9300 - width) / 15);
    EXPECT_EQ(m_frame->height(), (500 * 15 + 8370 - height + 450 * bars) / 15);

    m_frame->setWindowState(Qt::WindowMaximized);
    window().Form_KeyPress(lower);
    EXPECT_FALSE(m_frame->windowState() & Qt::WindowMaximized);
}

TEST_F(ChartWindowTest, CommandsFollowTheSelectedWatchListCompanyAndTemplate) {
    loadFrame();
    frmMain& w = window();
    const auto menu = [&](const char* item) { return w.menuEnabled(QString::fromLatin1(item)); };
    const auto button = [&](const char* key) { return m_buttons.at(QString::fromLatin1(key)); };
    const char* listMenus[] = {"mnuWLDelete", "mnuWLEdit", "mnuWLAdd", "mnuPopUPAdd"};
    const char* listButtons[] = {"frmWatchList.DeleteWL", "frmWatchList.EditWLName",
                                 "frmWatchList.AddSysmbol"};
    const char* removeMenus[] = {"mnuWLRemove", "mnuPopupRemove"};
    const char* templateMenus[] = {"mnuCTSave", "mnuCTDelete", "mnuCTChange"};
    const char* templateButtons[] = {"frmChartSettings.SaveCurrentTemplate",
                                     "frmChartSettings.DeleteTemplate", "frmChartSettings.EditTemplateName"};
    const bool saveAsBefore = menu("mnuCTSaveAs");

    struct Case {
        std::optional<std::string> list;
        bool company;
        std::optional<std::string> templ;
        bool listGroup, removeGroup, templateGroup;
    };
    const Case cases[] = {
        {"ID_-1", true, std::nullopt, false, false, false},  // a system list
        {"ID_5", false, "ID_1", true, false, true},          // a user list, no company
        {"ID_5", true, std::nullopt, true, true, false},     // a user list with a company
        {std::nullopt, true, "ID_1", false, false, true},    // no list
    };
    for (const Case& k : cases) {
        m_selectedWL = k.list;
        m_companySelected = k.company;
        m_selectedTemplate = k.templ;
        w.EnableDisable();
        for (const char* item : listMenus)
            EXPECT_EQ(menu(item), k.listGroup) << item;
        for (const char* key : listButtons)
            EXPECT_EQ(button(key), k.listGroup) << key;
        for (const char* item : removeMenus)
            EXPECT_EQ(menu(item), k.removeGroup) << item;
        EXPECT_EQ(button("frmWatchList.RemoveSymbol"), k.removeGroup);
        for (const char* item : templateMenus)
            EXPECT_EQ(menu(item), k.templateGroup) << item;
        for (const char* key : templateButtons)
            EXPECT_EQ(button(key), k.templateGroup) << key;
        EXPECT_EQ(menu("mnuCTSaveAs"), saveAsBefore);
    }
}

TEST_F(ChartWindowTest, AMenuCommandNobodyProvidesStaysDisabled) {
    loadFrame(false);
    m_selectedWL = "ID_5";
    m_companySelected = true;
    m_selectedTemplate = "ID_1";
    window().EnableDisable();
    for (const char* item : {"mnuWLDelete", "mnuWLAdd", "mnuPopUPAdd", "mnuPopupRemove", "mnuCTSave"})
        EXPECT_FALSE(window().menuEnabled(QString::fromLatin1(item))) << item;
    EXPECT_TRUE(m_buttons.at("frmWatchList.DeleteWL"));
    EXPECT_TRUE(m_buttons.at("frmChartSettings.SaveCurrentTemplate"));
}

com::ComPtr<ostbar::IOstCommand> chartCommand(korvel::IKvlChart& chart, std::int16_t id) {
    com::ComPtr<com::IUnknown> object;
    EXPECT_EQ(chart.get_ToolBarObject(object.put()), com::S_OK);
    com::ComPtr<ostbar::IOstCommand> command;
    EXPECT_EQ(object.as<ostbar::IOstToolbar>()->Command(id, command.put()), com::S_OK);
    return command;
}

TEST_F(ChartWindowTest, TheDefaultChartOffersTheTenDrawingToolsUnderOneDropDown) {
    loadFrame();
    korvel::IKvlChart& c = chart();
    const std::pair<std::int16_t, const char*> tools[] = {
        {77, "Trend Line"},         {69, "Fibonacci Arcs"},
        {70, "Fibonacci Fan"},      {71, "Fibonacci Retracement"},
        {72, "Fibonacci TimeZone"}, {68, "Gann Fan"},
        {74, "Mean Tirone Level"},  {73, "Midpoint Tirone Level"},
        {76, "Quadrant Line"},      {75, "Speed Resistance Line"},
    };
    com::SHORT value = 0;
    const auto opener = chartCommand(c, 29505);
    ASSERT_TRUE(opener);
    opener->get_SubCommands(0, &value);
    EXPECT_EQ(value, 1);
    opener->get_SubCommand(0, &value);
    EXPECT_EQ(value, 4);
    const auto drawing = chartCommand(c, 4);
    ASSERT_TRUE(drawing);
    com::VARIANT_BOOL flag = com::VARIANT_FALSE;
    drawing->get_Flag(&flag);
    EXPECT_EQ(flag, com::VARIANT_TRUE);
    drawing->get_SubCommands(0, &value);
    EXPECT_EQ(value, 10);
    for (std::int16_t slot = 0; slot < 10; ++slot) {
        drawing->get_SubCommand(slot, &value);
        EXPECT_EQ(value, tools[slot].first) << slot;
        const auto tool = chartCommand(c, tools[slot].first);
        ASSERT_TRUE(tool);
        com::Bstr text;
        tool->get_Text(&text);
        EXPECT_EQ(text.toUtf8(), tools[slot].second);
        flag = com::VARIANT_FALSE;
        tool->get_Flag(&flag);
        EXPECT_EQ(flag, com::VARIANT_TRUE);
    }
    com::LONG setting = 0;
    c.get_Setting(21, &setting);
    EXPECT_EQ(setting, 0xFFFFFF);
    c.get_Setting(26, &setting);
    EXPECT_EQ(setting, 3);
    c.get_Setting(8, &setting);
    EXPECT_EQ(setting, 35);
    com::SHORT display = 0;
    window().financialExtension()->get_PriceDisplay(&display);
    EXPECT_EQ(display, 1);
    com::ComPtr<com::IUnknown> options;
    ASSERT_EQ(c.get_Object80(options.put()), com::S_OK);
    com::VARIANT_BOOL enabled = com::VARIANT_FALSE;
    options.as<korvel::IKvlOptions>()->get_Enabled(&enabled);
    EXPECT_EQ(enabled, com::VARIANT_TRUE);
}

// The extension's study slots as the settings the set-up leaves on them.
class StudyModel final : public frame::chart::StudySlots {
public:
    struct Slot {
        std::optional<std::int16_t> base;
        std::string name;
        std::map<frame::chart::StudyMember, com::Variant> values;
    };
    void put(frame::chart::Study s, frame::chart::StudyMember m, com::Variant v) override {
        studySlots[s].values[m] = std::move(v);
    }
    void setUpAs(frame::chart::Study s, std::int16_t base, std::string_view name) override {
        // A set-up copies the base study afresh: earlier settings go.
        studySlots[s] = Slot{base, std::string(name), {}};
    }
    std::int16_t get16(frame::chart::Study s, frame::chart::StudyMember m, std::int16_t fallback) override {
        const auto it = studySlots[s].values.find(m);
        return it == studySlots[s].values.end() ? fallback : it->second.i2();
    }
    com::ComPtr<com::IUnknown> defaultSeries(frame::chart::Study) override { return {}; }
    com::ComPtr<com::IUnknown> axis(frame::chart::Study) override { return {}; }

    std::map<frame::chart::Study, Slot> studySlots;
};

TEST_F(ChartWindowTest, TheDefaultChartSetsUpTheSarTheThreeAveragesAndTheOverlays) {
    loadFrame();
    StudyModel studies;
    int charted = 0;
    frame::chart::DefaultChartSetUpSteps steps;
    steps.chartCompany = [&] {
        // The SAR is ready before the company is charted.
        EXPECT_EQ(studies.studySlots[frame::chart::Study::CUSTOM4].values[frame::chart::kStudyPeriods].i2(),
                  2);
        ++charted;
    };
    frame::chart::SetUpDefaultChart(chart(), *window().financialExtension(), studies, steps);
    EXPECT_EQ(charted, 1);
    using frame::chart::Study;
    const auto& sar = studies.studySlots[Study::CUSTOM4];
    EXPECT_EQ(sar.base, std::optional<std::int16_t>(0));
    EXPECT_EQ(sar.name, "Parabolic SAR");
    EXPECT_EQ(sar.values.at(frame::chart::kStudyD).r8(), 0.2);
    EXPECT_EQ(sar.values.at(frame::chart::kStudyPeriods).i2(), 2);
    EXPECT_EQ(sar.values.at(frame::chart::kStudyPriceIndicator).boolVal(), com::VARIANT_TRUE);
    EXPECT_EQ(sar.values.at(frame::chart::kStudyName).bstr().toUtf8(), "Parabolic SAR");
    const std::tuple<Study, std::int16_t, const char*> averages[] = {
        {Study::CUSTOM1, 20, "20 periods Simple M.A."},
        {Study::CUSTOM2, 35, "35 periods Simple M.A."},
        {Study::CUSTOM3, 100, "100 periods Simple M.A."},
    };
    for (const auto& [study, periods, name] : averages) {
        const auto& slot = studies.studySlots[study];
        EXPECT_EQ(slot.base, std::optional<std::int16_t>(0)) << name;
        EXPECT_EQ(slot.name, name);
        EXPECT_EQ(slot.values.at(frame::chart::kStudyPeriods).i2(), periods) << name;
    }
    EXPECT_EQ(studies.studySlots[Study::USER0].values.at(frame::chart::kStudyName).bstr().toUtf8(),
              "Data Adjustment");
    EXPECT_EQ(studies.studySlots[Study::USER1].values.at(frame::chart::kStudyName).bstr().toUtf8(),
              "Sector Index");
    EXPECT_EQ(studies.studySlots[Study::USER2].values.at(frame::chart::kStudyName).bstr().toUtf8(),
              "Market General Index");
    com::VARIANT_BOOL rescale = com::VARIANT_FALSE;
    window().financialExtension()->get_ZoomRescale(&rescale);
    EXPECT_EQ(rescale, com::VARIANT_TRUE);
}

}  // namespace

namespace {

// The annotation list lies over the chart: it sees the chart's size, takes the mouse and the keys first,
// and its repaints reach the chart.
TEST_F(ChartWindowTest, TheAnnotationListIsDrawnOverTheChartAndTakesItsInputFirst) {
    loadFrame();
    korvel::KvlChart& c = chartObject();
    ASSERT_NE(c.overlay(), nullptr);
    auto* host = dynamic_cast<glossor::GlosxHost*>(c.overlay());
    ASSERT_NE(host, nullptr);
    const korvel::KvlRect client = c.model().clientRect();
    EXPECT_EQ(host->clientWidth(), client.right - client.left);
    EXPECT_EQ(host->clientHeight(), client.bottom - client.top);

    c.paintSurface();
    ASSERT_FALSE(c.invalidRect().has_value());
    glossor::IGlosxList* list = window().annotationList();
    drawLine(*list);
    EXPECT_TRUE(c.invalidRect().has_value());

    // A press on the line selects it and stays with the list; Delete then removes it.
    EXPECT_TRUE(c.buttonDown(130, 80));
    EXPECT_TRUE(c.buttonUp(130, 80));
    com::ComPtr<glossor::IGlosxSelection> selection;
    ASSERT_EQ(list->get_Selection(selection.put()), com::S_OK);
    com::LONG selected = 0;
    selection->get_Count(&selected);
    EXPECT_EQ(selected, 1);
    EXPECT_TRUE(c.keyDown(glossor::kKeyDelete, 0));
    com::LONG count = -1;
    list->get_Count(&count);
    EXPECT_EQ(count, 0);
}

// The texts of the three tool bars, as the language table's English rows give them.
TEST_F(ChartWindowTest, TheLoadPutsTheToolBarsTextsIntoTheInterfaceLanguage) {
    loadFrame();
    const auto textOf = [](ostbar::IOstCommand* command) {
        com::Bstr text;
        EXPECT_NE(command, nullptr);
        if (command)
            command->get_Text(&text);
        return text.toUtf8();
    };
    com::ComPtr<ostbar::IOstToolbarObj> financialBar;
    ASSERT_EQ(window().financialExtension()->get_ToolBarObj(financialBar.put()), com::S_OK);
    com::ComPtr<ostbar::IOstCommands> financial;
    ASSERT_EQ(financialBar->get_Commands(financial.put()), com::S_OK);
    const auto financialText = [&](com::SHORT id) {
        com::ComPtr<ostbar::IOstCommand> command;
        financial->Item(id, command.put());
        return textOf(command.get());
    };
    EXPECT_EQ(financialText(0), "Show Price As");
    EXPECT_EQ(financialText(8), "Candlestick");
    EXPECT_EQ(financialText(80), "Properties...");
    EXPECT_EQ(financialText(170), "Grid");
    EXPECT_EQ(financialText(69), "Add");
    EXPECT_EQ(financialText(161), "Remove All");

    com::ComPtr<ostbar::IOstToolbar> annotations;
    ASSERT_EQ(window().annotationList()->get_ToolBarObject(annotations.put()), com::S_OK);
    const auto annotationText = [&](com::SHORT id) {
        com::ComPtr<ostbar::IOstCommand> command;
        annotations->Command(id, command.put());
        return textOf(command.get());
    };
    EXPECT_EQ(annotationText(3), "Arrow/Line");
    EXPECT_EQ(annotationText(7), "Baloon with text");
    EXPECT_EQ(annotationText(30), "Rotate/Flip");

    com::ComPtr<com::IUnknown> chartBar;
    ASSERT_EQ(chart().get_ToolBarObject(chartBar.put()), com::S_OK);
    const auto own = chartBar.as<ostbar::IOstToolbar>();
    ASSERT_TRUE(own);
    const auto chartText = [&](com::SHORT id) {
        com::ComPtr<ostbar::IOstCommand> command;
        own->Command(id, command.put());
        return textOf(command.get());
    };
    EXPECT_EQ(chartText(29448), "Zoom In");
    EXPECT_EQ(chartText(29440), "Zoom Out");
    EXPECT_EQ(chartText(4), "Technical Drawing");
    EXPECT_EQ(errorLog(), "");
}

}  // namespace

namespace {

std::string nameOf(dravik::IIndex0& study) {
    com::Bstr name;
    EXPECT_EQ(study.get_Name(&name), com::S_OK);
    return name.toUtf8();
}

com::SHORT periodsOf(dravik::IIndex0& study) {
    com::SHORT periods = 0;
    EXPECT_EQ(study.get_Periods(&periods), com::S_OK);
    return periods;
}

// What the extension itself holds after a first start without templates.
TEST_F(ChartWindowTest, TheExtensionHoldsTheDefaultStudiesAfterTheLoad) {
    loadFrame();
    EXPECT_EQ(errorLog(), "");
    dravik::IFinancialCharts& ext = *window().financialExtension();
    com::ComPtr<dravik::ICustomIndex> sar;
    ASSERT_EQ(ext.get_CUSTOM4(sar.put()), com::S_OK);
    EXPECT_EQ(nameOf(*sar), "Parabolic SAR");
    EXPECT_EQ(periodsOf(*sar), 2);
    double d = 0;
    sar->get_D(&d);
    EXPECT_EQ(d, 0.2);
    com::VARIANT_BOOL onPrices = com::VARIANT_FALSE;
    sar->get_PriceIndicator(&onPrices);
    EXPECT_EQ(onPrices, com::VARIANT_TRUE);
    com::SHORT cloned = -1;
    sar->get_ClonedStudy(&cloned);
    EXPECT_EQ(cloned, 0);

    const std::tuple<com::HRESULT (dravik::IFinancialCharts::*)(dravik::ICustomIndex**), com::SHORT,
                     const char*>
        averages[] = {
            {&dravik::IFinancialCharts::get_CUSTOM1, 20, "20 periods Simple M.A."},
            {&dravik::IFinancialCharts::get_CUSTOM2, 35, "35 periods Simple M.A."},
            {&dravik::IFinancialCharts::get_CUSTOM3, 100, "100 periods Simple M.A."},
        };
    for (const auto& [getter, periods, name] : averages) {
        com::ComPtr<dravik::ICustomIndex> average;
        ASSERT_EQ((ext.*getter)(average.put()), com::S_OK);
        EXPECT_EQ(nameOf(*average), name);
        EXPECT_EQ(periodsOf(*average), periods) << name;
    }
    const std::pair<com::HRESULT (dravik::IFinancialCharts::*)(dravik::IIndex**), const char*> users[] = {
        {&dravik::IFinancialCharts::get_USER0, "Data Adjustment"},
        {&dravik::IFinancialCharts::get_USER1, "Sector Index"},
        {&dravik::IFinancialCharts::get_USER2, "Market General Index"},
    };
    for (const auto& [getter, name] : users) {
        com::ComPtr<dravik::IIndex> user;
        ASSERT_EQ((ext.*getter)(user.put()), com::S_OK);
        EXPECT_EQ(nameOf(*user), name);
    }
    // The series of the studies.
    const auto seriesOf = [](dravik::IIndex0& study) {
        com::ComPtr<dravik::IIndexSeries> series;
        EXPECT_EQ(study.get_Series(com::Variant::missing(), series.put()), com::S_OK);
        return series;
    };
    const auto legendOf = [](dravik::IIndexSeries& series) {
        com::Bstr legend;
        series.get_Legend(&legend);
        return legend.toUtf8();
    };
    const auto sarSeries = seriesOf(*sar);
    ASSERT_TRUE(sarSeries);
    EXPECT_EQ(legendOf(*sarSeries), "Parabolic SAR");
    com::SHORT shape = 0, size = 0, gallery = 0, volume = 0;
    com::VARIANT_BOOL border = com::VARIANT_FALSE;
    sarSeries->get_MarkerShape(&shape);
    sarSeries->get_MarkerSize(&size);
    sarSeries->get_Border(&border);
    EXPECT_EQ(shape, 2);
    EXPECT_EQ(size, 2);
    EXPECT_EQ(border, com::VARIANT_TRUE);
    com::ComPtr<dravik::ICustomIndex> twenty;
    ASSERT_EQ(ext.get_CUSTOM1(twenty.put()), com::S_OK);
    const auto twentySeries = seriesOf(*twenty);
    ASSERT_TRUE(twentySeries);
    EXPECT_EQ(legendOf(*twentySeries), "20 Simple M.A.");
    twentySeries->get_Gallery(&gallery);
    EXPECT_EQ(gallery, 1);
    com::ComPtr<dravik::IIndex> longAverage;
    ASSERT_EQ(ext.get_SimpleMA200(longAverage.put()), com::S_OK);
    EXPECT_EQ(legendOf(*seriesOf(*longAverage)), "200 Simple M.A.");
    com::ComPtr<dravik::IIndex> volumeStudy;
    ASSERT_EQ(ext.get_VOLUME(volumeStudy.put()), com::S_OK);
    seriesOf(*volumeStudy)->get_VOLUME(&volume);
    EXPECT_EQ(volume, 65);
    // No index overlays were chosen: both stay hidden.
    for (const auto getter : {&dravik::IFinancialCharts::get_USER1, &dravik::IFinancialCharts::get_USER2}) {
        com::ComPtr<dravik::IIndex> overlay;
        ASSERT_EQ((ext.*getter)(overlay.put()), com::S_OK);
        com::VARIANT_BOOL visible = com::VARIANT_TRUE;
        overlay->get_Visible(&visible);
        EXPECT_EQ(visible, com::VARIANT_FALSE);
    }
}

// Volumes of ten billion shares and more are ordinary values: neither the fill nor the chart may
// take them for the empty mark.
class LargeVolumeChartTest : public ChartWindowTest {
protected:
    void seedMarket() override {
        ChartWindowTest::seedMarket();
        // The default company's week of 2 to 6 November 2026.
        const double shares[] = {6e9, 5e9, 1e9, 2e10, 0};
        const char* days[] = {"2026-11-02", "2026-11-03", "2026-11-04", "2026-11-05", "2026-11-06"};
        for (int i = 0; i < 5; ++i)
            tarnwick::gConnection.execute(
                R"(UPDATE "MARKETDAILY1" SET "TotalShares" = ? WHERE "COMPANYID" = ? AND "DATE" = ?)",
                {shares[i], kDefaultCompany, std::string(days[i])});
    }
    double volumeAt(com::LONG point) {
        double value = 0;
        EXPECT_EQ(chart().get_ValueAt(tarnwick::chart::kVolumeColumn, point, &value), com::S_OK);
        return value;
    }
};

TEST_F(LargeVolumeChartTest, ADaysVolumeOfTwentyBillionReachesTheChart) {
    loadFrame();
    ASSERT_EQ(choices()[1], 0) << "daily";
    EXPECT_EQ(volumeAt(0), 6e9);
    EXPECT_EQ(volumeAt(3), 2e10);
    EXPECT_EQ(volumeAt(4), 0);
}

TEST_F(LargeVolumeChartTest, AWeeksVolumeIsTheSumOfItsDaysPastTenBillion) {
    saveSetting("Interval", "1");
    loadFrame();
    ASSERT_EQ(choices()[1], 1) << "weekly";
    // 6e9 + 5e9 + 1e9 + 2e10 + 0
    EXPECT_EQ(volumeAt(0), 32000000000.0);
}

}  // namespace

// The extension's commands: its command bar, the indicator menus and study commands that follow the
// analytical chart, the financial toolbar's entry on the chart, the studies tool, the context menu and
// commands fired from outside.
#include "ExtensionFixture.h"
#include "dravik/Commands.h"
#include "ostbar/OstCommandBar.h"
#include "ui/ScriptedModalServices.h"

namespace dravik::test {
namespace {

class CommandsTest : public ExtensionFixture {
protected:
    com::ComPtr<ostbar::IOstCommand> command(SHORT id) {
        auto toolbar = com::ComPtr<ostbar::IOstCommandBar>(extension->commandBar()).as<ostbar::IOstToolbar>();
        com::ComPtr<ostbar::IOstCommand> found;
        EXPECT_EQ(toolbar->Command(id, found.put()), com::S_OK) << id;
        return found;
    }
    std::vector<SHORT> menu(SHORT id) {
        auto menuCommand = command(id);
        SHORT count = 0;
        menuCommand->get_SubCommands(0, &count);
        std::vector<SHORT> entries(static_cast<std::size_t>(count));
        for (SHORT slot = 0; slot < count; ++slot)
            menuCommand->get_SubCommand(slot, &entries[static_cast<std::size_t>(slot)]);
        return entries;
    }
    void addUserEntries(SHORT menuId, std::initializer_list<SHORT> ids) {
        auto menuCommand = command(menuId);
        SHORT count = 0;
        menuCommand->get_SubCommands(0, &count);
        menuCommand->put_SubCommands(0, static_cast<SHORT>(count + ids.size()));
        for (SHORT id : ids)
            menuCommand->put_SubCommand(count++, id);
    }
    bool enabled(SHORT id) {
        com::VARIANT_BOOL value = 0;
        command(id)->get_Enabled(&value);
        return value != 0;
    }
    std::u16string text(SHORT id) {
        com::Bstr value;
        command(id)->get_Text(&value);
        return value.text();
    }
    bool toolbarShown() {
        com::VARIANT_BOOL shown = 0;
        extension->get_ToolBar(&shown);
        return shown != 0;
    }
    com::VARIANT_BOOL toolVisible() {
        auto tool = com::ComPtr<com::IUnknown>(extension->GetStudiesToolObject(false)).as<ostbar::IOstTool>();
        com::VARIANT_BOOL visible = 0;
        tool->get_Visible(&visible);
        return visible;
    }
};

TEST_F(CommandsTest, TheCommandSetCoversEveryIdWithItsCaption) {
    ASSERT_NE(extension->commandBar(), nullptr);
    EXPECT_EQ(text(ID_PRICESVIEW), u"Prices");
    EXPECT_EQ(text(ID_NEW_TREND_LINE), u"New Trend Line");
    EXPECT_EQ(text(ID_AXISPROPERTIES), u"Properties...");
    EXPECT_EQ(menu(ID_PRICE_INDICATORS).size(), 11u);
    EXPECT_EQ(menu(ID_TECHNICAL_INDICATORS).size(), 30u);
    EXPECT_EQ(menu(ID_AXIS_MENU),
              (std::vector<SHORT>{ID_AXISTITLE, ID_AXISGRID, ID_AXISCOLOR, ID_AXISPROPERTIES}));
}

TEST_F(CommandsTest, TheToolbarRowOffersPricesAveragesStudiesTheStudiesToolAndDrawings) {
    auto bar = ostbar::OstCommandBar::implementationOf(extension->commandBar());
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->table()->row(), (std::vector<SHORT>{ID_PRICESVIEW, ID_MOVING_AVERAGES, ID_STUDIES_MENU,
                                                       ID_OTHERSTUDIES, ID_DRAWING}));
    // The studies drop-down reaches every study: RSI and MACD among the technical indicators,
    // Bollinger bands among the price indicators.
    EXPECT_EQ(menu(ID_STUDIES_MENU),
              (std::vector<SHORT>{ID_PRICE_INDICATORS, ID_TECHNICAL_INDICATORS, -1, ID_OTHERSTUDIES}));
    const std::vector<SHORT> technical = menu(ID_TECHNICAL_INDICATORS);
    EXPECT_NE(std::find(technical.begin(), technical.end(), ID_RSI), technical.end());
    EXPECT_NE(std::find(technical.begin(), technical.end(), ID_MACD), technical.end());
    const std::vector<SHORT> price = menu(ID_PRICE_INDICATORS);
    EXPECT_NE(std::find(price.begin(), price.end(), ID_BOLLINGER), price.end());
}

TEST_F(CommandsTest, StudyCommandsAndMenuTrimmingFollowOnlyTheAnalyticalChart) {
    ASSERT_EQ(attach(), com::S_OK);
    command(StudyCommand(10))->put_Enabled(com::VARIANT_FALSE);
    command(StudyCommand(10))->put_Text(com::Bstr(u"old"));
    addUserEntries(ID_PRICE_INDICATORS, {ID_USER0, ID_USER1, ID_CUSTOM0});
    addUserEntries(ID_TECHNICAL_INDICATORS, {ID_USER2, ID_CUSTOM1});
    const std::vector<SHORT> priceMenu = menu(ID_PRICE_INDICATORS);
    const std::vector<SHORT> technicalMenu = menu(ID_TECHNICAL_INDICATORS);

    // Kagi leaves the study commands and the menus alone.
    ASSERT_EQ(extension->ActivateGallery(CHART_KAGI, 1, -1), com::S_OK);
    ASSERT_EQ(extension->ActivateGallery(CHART_KAGI, 0, -1), com::S_OK);
    EXPECT_FALSE(enabled(StudyCommand(10)));
    EXPECT_EQ(text(StudyCommand(10)), u"old");
    EXPECT_EQ(menu(ID_PRICE_INDICATORS), priceMenu);
    EXPECT_EQ(menu(ID_TECHNICAL_INDICATORS), technicalMenu);

    ASSERT_EQ(extension->ActivateGallery(FINANCIAL_ANALYTICAL, 1, -1), com::S_OK);
    EXPECT_TRUE(enabled(StudyCommand(10)));
    EXPECT_EQ(text(StudyCommand(10)), u"Typical Price");
    EXPECT_EQ(text(StudyCommand(37)), u"Chaikin's Volatility");
    EXPECT_EQ(menu(ID_PRICE_INDICATORS), priceMenu);  // trimmed only when the chart is left

    ASSERT_EQ(extension->ActivateGallery(FINANCIAL_ANALYTICAL, 0, -1), com::S_OK);
    EXPECT_EQ(menu(ID_PRICE_INDICATORS), std::vector<SHORT>(priceMenu.begin(), priceMenu.begin() + 11));
    EXPECT_EQ(menu(ID_TECHNICAL_INDICATORS),
              std::vector<SHORT>(technicalMenu.begin(), technicalMenu.begin() + 30));
}

TEST_F(CommandsTest, StudyCommandsJoinTheirMenuOnceAndOnlyWithTheAnalyticalChart) {
    ASSERT_EQ(attach(), com::S_OK);
    const std::vector<SHORT> technicalMenu = menu(ID_TECHNICAL_INDICATORS);
    extension->RegisterStudyCommand(40, true);  // USER2, not while no chart type is active
    EXPECT_EQ(menu(ID_TECHNICAL_INDICATORS), technicalMenu);

    ASSERT_EQ(extension->ActivateGallery(FINANCIAL_ANALYTICAL, 1, -1), com::S_OK);
    extension->RegisterStudyCommand(40, true);
    extension->RegisterStudyCommand(40, true);
    std::vector<SHORT> expected = technicalMenu;
    expected.push_back(ID_USER2);
    EXPECT_EQ(menu(ID_TECHNICAL_INDICATORS), expected);
    EXPECT_EQ(text(ID_USER2), u"User Study 2");
    com::VARIANT_BOOL checked = 0;
    command(ID_USER2)->get_Checked(&checked);
    EXPECT_EQ(checked, com::VARIANT_TRUE);

    // A price indicator already in its menu stays once; a bad study number changes nothing.
    const std::vector<SHORT> priceMenu = menu(ID_PRICE_INDICATORS);
    extension->UpdateStudyCommand(3);
    extension->UpdateStudyCommand(58);
    extension->UpdateStudyCommand(-1);
    EXPECT_EQ(menu(ID_PRICE_INDICATORS), priceMenu);
    extension->UpdateStudyCommand(11);  // weighted close: a price indicator not yet in the menu
    EXPECT_EQ(menu(ID_PRICE_INDICATORS).back(), StudyCommand(11));
}

TEST_F(CommandsTest, CheckedStatesAndTheStudiesToolFollowActivation) {
    ASSERT_EQ(attach(), com::S_OK);
    extension->setCommandState(ID_OTHERSTUDIES, kCommandStateChecked);
    ASSERT_EQ(extension->ActivateGallery(CHART_RENKO, 1, -1), com::S_OK);
    EXPECT_EQ(toolVisible(), com::VARIANT_FALSE);

    ASSERT_EQ(extension->ActivateGallery(FINANCIAL_ANALYTICAL, 1, -1), com::S_OK);
    com::VARIANT_BOOL checked = 0;
    command(ID_OTHERSTUDIES)->get_Checked(&checked);
    EXPECT_EQ(checked, com::VARIANT_TRUE);
    EXPECT_EQ(toolVisible(), com::VARIANT_TRUE);
    ASSERT_EQ(extension->ActivateGallery(FINANCIAL_ANALYTICAL, 0, -1), com::S_OK);
    EXPECT_EQ(toolVisible(), com::VARIANT_FALSE);
}

TEST_F(CommandsTest, TheToolbarShowsOnlyWithTheAnalyticalChart) {
    // The chart itself (not the recorder) hosts command bars.
    ASSERT_EQ(extension->SetChart(static_cast<korvel::IKvlExtensionSite*>(chart.get())), com::S_OK);
    ASSERT_EQ(chart->hostedBars().size(), 1u);
    EXPECT_EQ(chart->hostedBars()[0].get(), extension->commandBar());
    ASSERT_NE(extension->toolbarId(), -1);
    EXPECT_FALSE(toolbarShown());

    ASSERT_EQ(extension->ActivateGallery(CHART_KAGI, 1, -1), com::S_OK);
    extension->put_ToolBar(com::VARIANT_TRUE);
    EXPECT_FALSE(toolbarShown());

    ASSERT_EQ(extension->ActivateGallery(FINANCIAL_ANALYTICAL, 1, -1), com::S_OK);
    EXPECT_TRUE(toolbarShown());
    extension->put_ToolBar(com::VARIANT_FALSE);
    EXPECT_FALSE(toolbarShown());
    // The toolbar's entry on the chart's bar toggles it.
    ASSERT_EQ(chart->commandBar().choose(extension->toolbarId()), com::S_OK);
    EXPECT_TRUE(toolbarShown());

    const SHORT entry = extension->toolbarId();
    ASSERT_EQ(extension->SetChart(nullptr), com::S_OK);
    EXPECT_TRUE(chart->hostedBars().empty());
    EXPECT_EQ(extension->toolbarId(), -1);
    const auto& row = chart->commandBar().table()->row();
    EXPECT_EQ(std::find(row.begin(), row.end(), entry), row.end());
    EXPECT_EQ(chart->commandBar().table()->find(entry), nullptr);
}

TEST_F(CommandsTest, TheBarLeavesAChartWithoutCommandsToo) {
    // A chart whose command bar holds no commands reports no collection worth keeping.
    auto bare = korvel::KvlChart::create();
    bare->model().resize(2, 4);
    for (SHORT id : bare->commandBar().table()->ids())
        bare->commandBar().table()->remove(id);
    ASSERT_EQ(extension->SetChart(static_cast<korvel::IKvlExtensionSite*>(bare.get())), com::S_OK);
    EXPECT_EQ(bare->hostedBars().size(), 1u);
    EXPECT_EQ(extension->toolbarId(), -1);
    ASSERT_EQ(extension->SetChart(nullptr), com::S_OK);
    EXPECT_TRUE(bare->hostedBars().empty());
}

TEST_F(CommandsTest, TheStudiesToolIsRegisteredWhileAttached) {
    ASSERT_EQ(attach(), com::S_OK);
    EXPECT_EQ(callsAmong({"RegisterCommandObject", "UnregisterCommandObject"}),
              (std::vector<std::string>{"RegisterCommandObject"}));
    com::IUnknown* tool = extension->GetStudiesToolObject(false);
    ASSERT_NE(tool, nullptr);
    EXPECT_TRUE(com::ComPtr<com::IUnknown>(tool).as<ostbar::IOstTool>());
    EXPECT_EQ(extension->GetStudiesToolObject(false), tool);  // made once
    ASSERT_EQ(extension->SetChart(nullptr), com::S_OK);
    EXPECT_EQ(callsAmong({"RegisterCommandObject", "UnregisterCommandObject"}),
              (std::vector<std::string>{"RegisterCommandObject", "UnregisterCommandObject"}));
    // Unregistered: the chart answers S_FALSE for an id it no longer has.
    EXPECT_EQ(chart->UnregisterCommandObject(kStudiesToolCommandId), com::S_FALSE);
}

TEST_F(CommandsTest, ContextMenuOnlyWhenTheChartAllowsIt) {
    ui::ScriptedModalServices modal;
    ASSERT_EQ(attach(), com::S_OK);
    ASSERT_EQ(extension->ActivateGallery(FINANCIAL_ANALYTICAL, 1, -1), com::S_OK);
    chart->SetChartFlags(0x3);
    EXPECT_EQ(extension->ShowContextMenu(ID_AXIS_MENU, 40, 50), com::S_FALSE);
    EXPECT_TRUE(modal.questions().empty());

    chart->SetChartFlags(kChartFlagContextMenu);
    modal.answerMenu(ID_AXISGRID);
    type(FINANCIAL_ANALYTICAL).clearCalls();
    EXPECT_EQ(extension->ShowContextMenu(ID_AXIS_MENU, 40, 50), com::S_OK);
    ASSERT_EQ(modal.questions().size(), 1u);
    EXPECT_EQ(modal.questions()[0].kind, ui::ScriptedModalServices::Kind::Menu);
    EXPECT_EQ(modal.questions()[0].style, 4);               // the axis menu's four entries
    EXPECT_EQ(modal.questions()[0].point, QPoint(40, 50));  // no window: the client point as it is
    // The chosen entry reaches the active chart type as a command.
    ASSERT_FALSE(type(FINANCIAL_ANALYTICAL).calls().empty());
    EXPECT_EQ(type(FINANCIAL_ANALYTICAL).calls().back().name, "OnAxisMenuCommand");
    EXPECT_EQ(type(FINANCIAL_ANALYTICAL).calls().back().args,
              (std::vector<std::intptr_t>{ostbar::kWmCommand, ID_AXISGRID, 0}));
}

TEST_F(CommandsTest, FiredCommandReachesTheActiveChartTypeFirst) {
    ASSERT_EQ(attach(), com::S_OK);
    ASSERT_EQ(extension->ActivateGallery(FINANCIAL_ANALYTICAL, 1, -1), com::S_OK);
    type(FINANCIAL_ANALYTICAL).clearCalls();
    type(FINANCIAL_ANALYTICAL).setAnswer("OnAxisMenuCommand", 1);
    EXPECT_EQ(extension->FireCommand(ID_NEW_GANN_FAN), com::S_OK);
    ASSERT_EQ(type(FINANCIAL_ANALYTICAL).calls().size(), 1u);
    EXPECT_EQ(type(FINANCIAL_ANALYTICAL).calls()[0].name, "OnAxisMenuCommand");
    EXPECT_EQ(type(FINANCIAL_ANALYTICAL).calls()[0].args, (std::vector<std::intptr_t>{273, 68, 0}));

    // The toolbar's own id, with its entry checked: taken by the chart type it changes nothing, else it
    // shows the toolbar.
    extension->put_ToolBar(com::VARIANT_FALSE);
    chart->commandBar().table()->find(extension->toolbarId())->checked = true;
    EXPECT_EQ(extension->FireCommand(extension->toolbarId()), com::S_OK);
    EXPECT_FALSE(toolbarShown());
    EXPECT_EQ(type(FINANCIAL_ANALYTICAL).calls().size(), 2u);
    type(FINANCIAL_ANALYTICAL).setAnswer("OnAxisMenuCommand", 0);
    EXPECT_EQ(extension->FireCommand(extension->toolbarId()), com::S_OK);
    EXPECT_TRUE(toolbarShown());
}

TEST_F(CommandsTest, LanguageRefreshesTheCommandBar) {
    LONG loaded = -1;
    EXPECT_EQ(extension->SetResourceLanguage(u"", &loaded), com::S_OK);
    EXPECT_EQ(loaded, 0);
    EXPECT_EQ(text(ID_PRICESVIEW), u"Prices");
}

}  // namespace
}  // namespace dravik::test

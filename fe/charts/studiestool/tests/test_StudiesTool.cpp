// The studies tool over a modelled owner: which studies it lists and how, UpdateStatus, the check
// boxes (InternalCommand first, then the toggle), the tool's own menu commands and the aggregated tool.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include <QLabel>
#include <QListWidget>

#include "resources/BuiltInResources.h"
#include "state/StudyRecord.h"
#include "state/StudyTable.h"
#include "studiestool/CStudiesTool.h"
#include "studiestool/CStudiesToolWnd.h"
#include "studiestool/StudiesToolOwner.h"

namespace dravik {
namespace {

// A small model of the extension: 58 default study records and the analytical chart's calculated list
// (study -> shown). Toggling puts a missing study into the list, as the analytical chart does.
class ModelOwner final : public StudiesToolOwner {
public:
    ModelOwner() {
        for (int study = 0; study < static_cast<int>(kStudyCount); ++study)
            records.push_back(MakeDefaultStudyRecord(study, BuiltInResources().get()));
    }

    const StudyRecord* ToolStudyRecord(int study) override {
        return study >= 0 && study < static_cast<int>(records.size())
                   ? &records[static_cast<std::size_t>(study)]
                   : nullptr;
    }
    std::string ToolStudyName(int study) override {
        return records[static_cast<std::size_t>(study)].name.GetText(BuiltInResources().get());
    }
    com::SHORT ToolFindCalculatedStudy(int study, bool* shown) override {
        const auto found = calculated.find(study);
        if (shown)
            *shown = found != calculated.end() && found->second;
        if (found == calculated.end())
            return -1;
        return static_cast<com::SHORT>(std::distance(calculated.begin(), found));
    }
    com::LONG ToolInternalCommand(com::LONG id) override {
        commands.push_back(id);
        return commandAnswer;
    }
    com::HRESULT ToolToggleStudy(int study, bool hide) override {
        toggles.emplace_back(study, hide);
        if (!toggleWorks)
            return com::E_NOTIMPL;
        calculated[study] = !hide;
        return com::S_OK;
    }
    std::shared_ptr<const res::ResourceModule> ToolResources() override { return BuiltInResources(); }

    std::vector<StudyRecord> records;
    std::map<int, bool> calculated;
    std::vector<com::LONG> commands;
    std::vector<std::pair<int, bool>> toggles;
    com::LONG commandAnswer = 0;
    bool toggleWorks = true;
};

class StudiesToolTest : public ::testing::Test {
protected:
    void SetUp() override {
        tool = CStudiesTool::Create(owner);
        ASSERT_TRUE(tool);
    }
    void TearDown() override {
        if (tool)
            tool->Disconnect();
        tool.reset();
    }
    void show() { ASSERT_EQ(tool->put_Visible(com::VARIANT_TRUE), com::S_OK); }
    QListWidget& list() { return *tool->window()->list(); }
    std::vector<std::string> names() {
        std::vector<std::string> shown;
        for (int row = 0; row < list().count(); ++row)
            shown.push_back(list().item(row)->text().toStdString());
        return shown;
    }
    QListWidgetItem* itemOf(int study) { return list().item(tool->window()->RowOf(study)); }

    ModelOwner owner;
    com::ComPtr<CStudiesTool> tool;
};

TEST_F(StudiesToolTest, TheWindowExistsWhileTheToolIsShown) {
    EXPECT_EQ(tool->window(), nullptr);
    EXPECT_EQ(tool->UpdateStatus(-1), com::S_OK) << "nothing to do without a window";
    show();
    ASSERT_NE(tool->window(), nullptr);
    tool->put_Visible(com::VARIANT_FALSE);
    EXPECT_EQ(tool->window(), nullptr);
}

TEST_F(StudiesToolTest, UpdateStatusOfAllListsTheThirtyEightBuiltInStudiesSorted) {
    show();
    ASSERT_EQ(tool->UpdateStatus(-1), com::S_OK);
    ASSERT_EQ(list().count(), 38);
    std::vector<std::string> sorted = names();
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(names(), sorted);
    EXPECT_EQ(list().currentRow(), 0) << "the first entry is selected";
    EXPECT_EQ(tool->window()->StudyAt(0), 18) << "Accumulation/Distribution comes first";
    EXPECT_EQ(itemOf(22)->data(Qt::UserRole).toInt(), 22 * 256) << "study * 256 + state";
}

TEST_F(StudiesToolTest, UpdateStatusRefusesNumbersOutsideTheStudies) {
    show();
    EXPECT_EQ(tool->UpdateStatus(58), com::E_INVALIDARG);
    EXPECT_EQ(tool->UpdateStatus(-2), com::E_INVALIDARG);
    EXPECT_EQ(tool->UpdateStatus(57), com::S_OK);
    EXPECT_EQ(list().count(), 38);
}

TEST_F(StudiesToolTest, UserStudiesWhileCalculatedAndCustomStudiesOnceSetUp) {
    show();
    owner.calculated[40] = true;      // USER2 in the calculated list
    owner.records[49].calcIndex = 4;  // CUSTOM1 set up as an exponential average
    owner.records[49].name.SetText("My EMA", BuiltInResources().get());
    ASSERT_EQ(tool->UpdateStatus(-1), com::S_OK);
    EXPECT_EQ(list().count(), 40);
    ASSERT_NE(itemOf(40), nullptr);
    EXPECT_EQ(itemOf(40)->checkState(), Qt::Checked);
    EXPECT_EQ(itemOf(40)->data(Qt::UserRole).toInt(), 40 * 256 + 1);
    ASSERT_NE(itemOf(49), nullptr);
    EXPECT_EQ(itemOf(49)->text(), "My EMA");

    owner.calculated.erase(40);
    ASSERT_EQ(tool->UpdateStatus(40), com::S_OK);
    EXPECT_EQ(tool->window()->RowOf(40), -1) << "a user study out of the list goes";
    EXPECT_EQ(list().count(), 39);
}

TEST_F(StudiesToolTest, ARenamedStudyMovesAndTheSelectionStays) {
    show();
    const int macdRow = tool->window()->RowOf(24);
    list().setCurrentRow(macdRow);
    owner.records[0].name.SetText("Zeta average", BuiltInResources().get());
    ASSERT_EQ(tool->UpdateStatus(0), com::S_OK);
    EXPECT_EQ(list().item(list().count() - 1)->text(), "Zeta average");
    EXPECT_EQ(tool->window()->StudyAt(list().currentRow()), 24);
}

TEST_F(StudiesToolTest, ACheckBoxRaisesTheCommandThenTogglesTheStudy) {
    show();
    itemOf(22)->setCheckState(Qt::Checked);  // the user ticks Lane's Stochastics
    EXPECT_EQ(owner.commands, std::vector<com::LONG>{32}) << "InternalCommand with 10 + study";
    ASSERT_EQ(owner.toggles.size(), 1u);
    EXPECT_EQ(owner.toggles[0], (std::pair<int, bool>{22, false})) << "shown";
    EXPECT_EQ(itemOf(22)->checkState(), Qt::Checked);
    EXPECT_EQ(itemOf(22)->data(Qt::UserRole).toInt(), 22 * 256 + 1);

    itemOf(22)->setCheckState(Qt::Unchecked);
    ASSERT_EQ(owner.toggles.size(), 2u);
    EXPECT_EQ(owner.toggles[1], (std::pair<int, bool>{22, true})) << "hidden";
    EXPECT_EQ(itemOf(22)->checkState(), Qt::Unchecked);
}

TEST_F(StudiesToolTest, AListenerThatTakesTheCommandOrAFailedToggleLeavesTheBoxAsTheStudyIs) {
    show();
    owner.commandAnswer = 1;
    itemOf(24)->setCheckState(Qt::Checked);
    EXPECT_TRUE(owner.toggles.empty());
    EXPECT_EQ(itemOf(24)->checkState(), Qt::Unchecked);

    owner.commandAnswer = 0;
    owner.toggleWorks = false;
    itemOf(24)->setCheckState(Qt::Checked);
    EXPECT_EQ(owner.toggles.size(), 1u);
    EXPECT_EQ(itemOf(24)->checkState(), Qt::Unchecked);
}

TEST_F(StudiesToolTest, TheDescriptionFollowsTheSelection) {
    owner.records[4].periods = 20;
    owner.records[4].workSeries = -1;
    show();
    list().setCurrentRow(tool->window()->RowOf(4));
    EXPECT_EQ(tool->window()->description()->text(),
              "Exponential moving average of Close Price over 20 periods");
    owner.records[4].periods = 30;
    tool->UpdateStatus(4);
    EXPECT_EQ(tool->window()->description()->text(),
              "Exponential moving average of Close Price over 30 periods");
}

TEST_F(StudiesToolTest, ToolMenuCommandsChangeTheAggregatedTool) {
    auto toolWindow = tool.as<ostbar::IOstToolWindow>();
    ASSERT_TRUE(toolWindow) << "the aggregated tool's window part is the studies tool's";
    com::LONG style = 0;
    tool->get_Style(&style);
    ASSERT_EQ(style, ostbar::kToolStyleDocked);
    com::LONG result = 0;
    ASSERT_EQ(toolWindow->FireToolCommand(ostbar::kToolCommandFloat, &result), com::S_OK);
    EXPECT_EQ(result, 1) << "the studies tool carries it out";
    tool->get_Style(&style);
    EXPECT_EQ(style, ostbar::kToolStyleFloating);
    toolWindow->FireToolCommand(ostbar::kToolCommandFloat, &result);
    tool->get_Style(&style);
    EXPECT_EQ(style, ostbar::kToolStyleDocked);

    toolWindow->FireToolCommand(29494, &result);
    com::LONG dock = -1;
    tool->get_DockPosition(&dock);
    EXPECT_EQ(dock, 3);

    show();
    toolWindow->FireToolCommand(ostbar::kToolCommandHide, &result);
    com::VARIANT_BOOL visible = com::VARIANT_TRUE;
    tool->get_Visible(&visible);
    EXPECT_EQ(visible, com::VARIANT_FALSE);
    EXPECT_EQ(tool->window(), nullptr);
}

TEST_F(StudiesToolTest, OneIdentityForTheToolAndItsInterfaces) {
    auto studies = tool.as<IStudiesTool>();
    auto plain = tool.as<ostbar::IOstTool>();
    ASSERT_TRUE(studies);
    ASSERT_TRUE(plain);
    auto back = plain.as<IStudiesTool>();
    EXPECT_EQ(back.get(), studies.get());
    auto fromWindow = tool.as<ostbar::IOstToolWindow>().as<com::IUnknown>();
    EXPECT_EQ(fromWindow.get(), tool->identity());
}

}  // namespace
}  // namespace dravik

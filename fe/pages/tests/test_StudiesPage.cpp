// The studies page over the real extension's study objects: the studies it lists by option, the
// parameter rows each calculation kind shows, committing a study and an output series with their events,
// and no commit for what was not edited.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QListWidget>

#include "DrawingFixture.h"
#include "pages/CStudiesPage.h"
#include "state/StudyRecord.h"
#include "studiestool/CStudiesTool.h"
#include "studiestool/CStudiesToolWnd.h"

namespace dravik::test {
namespace {

struct SeenStudyEvent {
    com::DISPID dispid;
    com::LONG study;
    com::SHORT output;
    friend bool operator==(const SeenStudyEvent&, const SeenStudyEvent&) = default;
};

class StudiesPage : public DrawingFixture {
protected:
    void SetUp() override {
        DrawingFixture::SetUp();
        sink->on(kEventStudiesPageCommit, [this](std::span<com::Variant> args) {
            studyEvents.push_back({kEventStudiesPageCommit, args[0].i4(), -1});
            return com::S_OK;
        });
        sink->on(kEventStudiesPageSeriesCommit, [this](std::span<com::Variant> args) {
            studyEvents.push_back({kEventStudiesPageSeriesCommit, args[0].i4(), args[1].i2()});
            return com::S_OK;
        });
    }
    void TearDown() override {
        page.deactivate();
        DrawingFixture::TearDown();
    }
    ui::Dialog& open() {
        com::IUnknown* objects[] = {chart->identity()};
        EXPECT_EQ(page.setObjects(objects), com::S_OK);
        page.activate(&parent);
        return *page.dialog();
    }
    static void choose(ui::Dialog& dialog, int id, int index) {
        auto* box = qobject_cast<QComboBox*>(dialog.item(id));
        ASSERT_NE(box, nullptr);
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
    void chooseStudy(ui::Dialog& dialog, int study) {
        for (int i = 0; i < dialog.count(IDC_STUDY_LIST); ++i) {
            if (dialog.itemData(IDC_STUDY_LIST, i) == study)
                return choose(dialog, IDC_STUDY_LIST, i);
        }
        ADD_FAILURE() << "study " << study << " is not listed";
    }
    static bool shown(ui::Dialog& dialog, int id) { return !dialog.item(id)->isHidden(); }
    // The parameter labels and edits that are shown, in id order.
    static std::vector<int> shownParameterControls(ui::Dialog& dialog) {
        std::vector<int> ids;
        for (const int id :
             {534, 535, 536, 537, 538, 539, 540, 541, 542, 543, 544, 545, 546, 547, 548, 550, 551})
            if (shown(dialog, id))
                ids.push_back(id);
        return ids;
    }
    StudyRecord& study(int number) { return *charts->studyRecord(number); }

    QWidget parent;
    CStudiesPage page;
    std::vector<SeenStudyEvent> studyEvents;
};

TEST_F(StudiesPage, ListsTheBuiltInStudiesAndUserStudiesOnlyWithTheOption) {
    ui::Dialog& dialog = open();
    EXPECT_EQ(page.title(), "Studies");
    ASSERT_EQ(dialog.count(IDC_STUDY_LIST), 38);
    EXPECT_EQ(dialog.listText(IDC_STUDY_LIST, 0), "Simple Moving Average 10");
    EXPECT_EQ(dialog.itemData(IDC_STUDY_LIST, 37), 37);
    EXPECT_EQ(page.currentStudy(), 0);
    EXPECT_TRUE(dialog.item(IDC_NAME)->isHidden()) << "names are edited only with the option";
    page.deactivate();

    // With the option a user study is listed only once it is in the analytical chart's calculated list,
    // which none is here.
    ASSERT_EQ(financial->put_Options(FEO_UI_USERSTUDIES_ON_STUDIESPAGE | FEO_UI_CHANGE_STUDYNAME), com::S_OK);
    ui::Dialog& again = open();
    EXPECT_EQ(again.count(IDC_STUDY_LIST), 38);
    EXPECT_FALSE(again.item(IDC_NAME)->isHidden());
    EXPECT_EQ(again.itemText(IDC_NAME), "Simple Moving Average 10");
}

TEST_F(StudiesPage, StochasticsShowsOnlyTheKRow) {
    study(22).periods = 14;
    study(22).parameters.setSignalPeriod(3);
    ui::Dialog& dialog = open();
    chooseStudy(dialog, 22);
    EXPECT_EQ(shownParameterControls(dialog), (std::vector<int>{537, 544}));
    EXPECT_EQ(dialog.itemText(537), "3");
    EXPECT_EQ(dialog.itemText(535), "14") << "the periods ride along in the hidden edit";
    EXPECT_FALSE(shown(dialog, kWorkSeriesItem)) << "stochastics works on high, low and close";
    EXPECT_TRUE(shown(dialog, IDC_SPACE)) << "drawn in a pane of its own";
}

TEST_F(StudiesPage, MacdShowsThreePeriodRowsAndItsOutputs) {
    study(24).parameters.setSignalPeriod(9);
    study(24).parameters.setShortPeriod(12);
    study(24).parameters.setLongPeriod(26);
    ui::Dialog& dialog = open();
    chooseStudy(dialog, 24);
    EXPECT_EQ(shownParameterControls(dialog), (std::vector<int>{536, 537, 540, 541, 542, 543}));
    EXPECT_EQ(dialog.itemText(537), "9");
    EXPECT_EQ(dialog.itemText(542), "12");
    EXPECT_EQ(dialog.itemText(543), "26");
    EXPECT_TRUE(shown(dialog, kWorkSeriesItem));
    EXPECT_EQ(dialog.itemText(IDC_SPACE), "15");
    EXPECT_EQ(dialog.itemText(IDC_GAP), "3");
    EXPECT_EQ(dialog.count(IDC_OUTPUT_LIST), study(24).subIndicators);
    EXPECT_EQ(page.currentOutput(), 0);
}

TEST_F(StudiesPage, ADeviationIsShownWithTwoDecimalsAndPriceIndicatorsHaveNoPane) {
    study(7).parameters.setD(2);
    ui::Dialog& dialog = open();
    chooseStudy(dialog, 7);
    EXPECT_EQ(shownParameterControls(dialog), (std::vector<int>{537, 538}));
    EXPECT_EQ(dialog.itemText(537), " 2.00");
    EXPECT_FALSE(shown(dialog, IDC_SPACE));
    EXPECT_FALSE(shown(dialog, IDC_GAP));
}

TEST_F(StudiesPage, SwitchingStudiesWithoutAnEditCommitsNothing) {
    ui::Dialog& dialog = open();
    chooseStudy(dialog, 24);
    chooseStudy(dialog, 22);
    chooseStudy(dialog, 4);
    EXPECT_TRUE(studyEvents.empty());
    EXPECT_FALSE(page.isDirty());
    EXPECT_EQ(page.apply(), com::S_FALSE);
}

TEST_F(StudiesPage, AnEditedStudyIsCommittedWhenAnotherIsChosenAndOnApply) {
    ui::Dialog& dialog = open();
    chooseStudy(dialog, 4);
    dialog.setItemText(IDC_PERIODS, QStringLiteral("33"));
    ASSERT_TRUE(page.isDirty());
    chooseStudy(dialog, 24);
    EXPECT_EQ(study(4).periods, 33);
    EXPECT_EQ(studyEvents, (std::vector<SeenStudyEvent>{{kEventStudiesPageCommit, 4, -1}}));

    dialog.setItemText(542, QStringLiteral("abc"));        // not a number: 0
    dialog.setItemText(543, QStringLiteral("123456789"));  // read from at most 8 characters
    ASSERT_EQ(page.apply(), com::S_OK);
    EXPECT_EQ(study(24).parameters.shortPeriod(), 0);
    EXPECT_EQ(study(24).parameters.longPeriod(), 32767)
        << "12345678 is held at the 16-bit limit, not wrapped";
    EXPECT_EQ(studyEvents.back(), (SeenStudyEvent{kEventStudiesPageCommit, 24, -1}));
    EXPECT_EQ(studyEvents.size(), 2u) << "no output series was edited";
}

TEST_F(StudiesPage, AnEditedOutputSeriesIsCommittedWithItsEvent) {
    ui::Dialog& dialog = open();
    chooseStudy(dialog, 24);
    choose(dialog, IDC_OUTPUT_LIST, 1);
    ASSERT_EQ(page.currentOutput(), 1);
    dialog.setItemText(IDC_LEGEND, QStringLiteral("Signal line"));
    ASSERT_EQ(page.apply(), com::S_OK);
    EXPECT_EQ(studyEvents, (std::vector<SeenStudyEvent>{{kEventStudiesPageSeriesCommit, 24, 1}}));
    EXPECT_EQ(std::string(study(24).series[1].legend.GetText()), "Signal line");
}

TEST_F(StudiesPage, ApplyTellsTheStudiesToolAboutTheRenamedStudy) {
    ASSERT_EQ(financial->put_Options(FEO_UI_CHANGE_STUDYNAME), com::S_OK);
    CStudiesTool* tool = charts->studiesToolForTests();
    ASSERT_NE(tool, nullptr) << "made when the extension was attached";
    tool->put_Visible(com::VARIANT_TRUE);
    ui::Dialog& dialog = open();
    chooseStudy(dialog, 25);
    dialog.setItemText(IDC_NAME, QStringLiteral("RSI (14)"));
    ASSERT_EQ(page.apply(), com::S_OK);
    EXPECT_EQ(charts->studyName(25), "RSI (14)");
    CStudiesToolWnd* window = tool->window();
    ASSERT_NE(window, nullptr);
    const int row = window->RowOf(25);
    ASSERT_GE(row, 0);
    EXPECT_EQ(window->list()->item(row)->text(), "RSI (14)");
    tool->put_Visible(com::VARIANT_FALSE);
}

}  // namespace
}  // namespace dravik::test

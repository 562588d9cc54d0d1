// The general axis page: its title, the axis list or the axis name, what it shows of an axis, and that
// Apply writes exactly the properties the user changed.
#include <map>

#include <QLabel>

#include "AxisPageFixture.h"
#include "pages/CAxisGeneralPage.h"

namespace dravik::test {
namespace {

using GeneralPage = AxisPageTest;

TEST_F(GeneralPage, TitleFollowsTheSharedFlag) {
    CAxisGeneralPage page;
    EXPECT_EQ(page.title(), QString("Axes"));
    std::vector<com::CLSID> pages;
    ASSERT_EQ(barType().GetPropertyPages(&pages), com::S_OK);
    EXPECT_EQ(page.title(), QString("General")) << "inside the chart type's axis frame";
    ASSERT_EQ(extension->GetPages(&pages), com::S_OK);
    EXPECT_EQ(page.title(), QString("Axes")) << "the extension's own page list clears the flag";
    EXPECT_EQ(pages.front(), CLSID_AxisGeneralPage);
}

TEST_F(GeneralPage, OpenedForTheChartTypeItListsItsAxes) {
    extension->settings().propPageMask = 64 | 256;
    CAxisGeneralPage page;
    ui::Dialog& dialog = open(page, -1);
    EXPECT_FALSE(dialog.item(IDC_AXISLIST)->isHidden());
    EXPECT_FALSE(dialog.item(IDC_AXISDETAILS)->isHidden());
    EXPECT_TRUE(dialog.item(IDC_AXISTITLE)->isHidden());
    ASSERT_EQ(dialog.count(IDC_AXISLIST), 2);
    EXPECT_EQ(dialog.listText(IDC_AXISLIST, 0), QString("Price axis"));
    EXPECT_EQ(dialog.itemData(IDC_AXISLIST, 0), 0);
    EXPECT_EQ(dialog.listText(IDC_AXISLIST, 1), QString("Date axis"));
    EXPECT_EQ(dialog.itemData(IDC_AXISLIST, 1), 2);
    EXPECT_EQ(dialog.curSel(IDC_AXISLIST), 0);
    EXPECT_EQ(page.boundAxis(), 0);
    EXPECT_NE(page.axisObject(), nullptr);
    EXPECT_EQ(page.isPageDirty(), com::S_FALSE) << "loading is no edit";

    // Without the scale and grid pages there are no details to open.
    extension->settings().propPageMask = 64;
    CAxisGeneralPage bare;
    ui::Dialog& bareDialog = open(bare, -1);
    EXPECT_TRUE(bareDialog.item(IDC_AXISDETAILS)->isHidden());
}

TEST_F(GeneralPage, OpenedForOneAxisItShowsItsName) {
    CAxisGeneralPage page;
    ui::Dialog& dialog = open(page, 0);
    EXPECT_TRUE(dialog.item(IDC_AXISLIST)->isHidden());
    EXPECT_TRUE(dialog.item(IDC_AXISDETAILS)->isHidden());
    EXPECT_FALSE(dialog.item(IDC_AXISTITLE)->isHidden());
    EXPECT_EQ(dialog.itemText(IDC_AXISTITLE), QString("Price axis"));
    EXPECT_EQ(page.boundAxis(), 0);
    EXPECT_FALSE(page.dateAxis());
}

TEST_F(GeneralPage, ShowsTheAxisValuesAClientSetThroughThePricesAxis) {
    com::ComPtr<ILomexAxis> axis;
    ASSERT_EQ(financial->get_PricesAxis(axis.put()), com::S_OK);
    ASSERT_EQ(axis->put_Decimals(2), com::S_OK);
    ASSERT_EQ(axis->put_Step(5), com::S_OK);
    ASSERT_EQ(axis->put_Grid(com::VARIANT_TRUE), com::S_OK);
    ASSERT_EQ(axis->put_MinorGrid(com::VARIANT_FALSE), com::S_OK);
    ASSERT_EQ(axis->put_TickMark(2), com::S_OK);
    ASSERT_EQ(axis->put_MinorTickMark(3), com::S_OK);
    com::LONG style = 0;
    axis->get_Style(&style);
    ASSERT_EQ(axis->put_Style(style | AS_HIDE), com::S_OK);

    CAxisGeneralPage page;
    ui::Dialog& dialog = open(page, 0);
    EXPECT_EQ(page.usedFields() & (kUsedStep | kUsedMinorStep), kUsedStep);
    EXPECT_EQ(dialog.itemText(IDC_MAJORUNIT), QString("5.00"));
    EXPECT_EQ(dialog.itemText(IDC_MINORUNIT), QString("Auto")) << "a minor step nobody chose";
    EXPECT_TRUE(dialog.isItemEnabled(IDC_MAJORUNIT));
    EXPECT_TRUE(dialog.isButtonChecked(IDC_MAJORGRID));
    EXPECT_FALSE(dialog.isButtonChecked(IDC_MINORGRID));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(dialog.isButtonChecked(IDC_MAJORTICK_NONE + i), i == 2) << i;
        EXPECT_EQ(dialog.isButtonChecked(IDC_MINORTICK_NONE + i), i == 3) << i;
    }
    EXPECT_FALSE(dialog.isButtonChecked(IDC_AXISVISIBLE)) << "a hidden axis";
}

TEST_F(GeneralPage, TheDateAxisShowsAutoStepsThatCannotBeEdited) {
    CAxisGeneralPage page;
    ui::Dialog& dialog = open(page, 2);
    EXPECT_TRUE(page.dateAxis());
    EXPECT_EQ(dialog.itemText(IDC_MAJORUNIT), QString("Auto"));
    EXPECT_EQ(dialog.itemText(IDC_MINORUNIT), QString("Auto"));
    EXPECT_FALSE(dialog.isItemEnabled(IDC_MAJORUNIT));
    EXPECT_FALSE(dialog.isItemEnabled(IDC_MINORUNIT));
}

TEST_F(GeneralPage, ApplyWritesOnlyWhatChanged) {
    CAxisGeneralPage page;
    ui::Dialog& dialog = open(page, 0);
    const std::uint32_t before = priceRecord().usedFields;
    EXPECT_EQ(page.apply(), com::S_FALSE) << "nothing changed";
    EXPECT_EQ(priceRecord().usedFields, before);

    dialog.setItemText(IDC_MINORUNIT, "1.5");
    EXPECT_EQ(page.isPageDirty(), com::S_OK);
    ASSERT_EQ(page.apply(), com::S_OK);
    EXPECT_EQ(page.isPageDirty(), com::S_FALSE);
    EXPECT_EQ(priceRecord().usedFields, before | kUsedMinorStep)
        << "the minor step alone; Auto stays unwritten";
    EXPECT_DOUBLE_EQ(priceRecord().minorStep, 1.5);

    // Each of the switches, then all written in one Apply.
    dialog.clickButton(IDC_MAJORTICK_NONE + 3);
    EXPECT_FALSE(dialog.isButtonChecked(IDC_MAJORTICK_NONE)) << "one button of a group is checked";
    dialog.clickButton(IDC_MINORTICK_NONE + 1);
    dialog.clickButton(IDC_MAJORGRID);
    dialog.clickButton(IDC_AXISVISIBLE);
    ASSERT_EQ(page.apply(), com::S_OK);
    EXPECT_EQ(priceRecord().usedFields,
              before | kUsedMinorStep | kUsedTick | kUsedMinorTick | kUsedGrid | kUsedStyle);
    EXPECT_EQ(priceRecord().tickStyle & 0x7FFF, 3);
    EXPECT_NE(priceRecord().tickStyle & 0x8000, 0) << "grid shown";
    EXPECT_EQ(priceRecord().style & AS_HIDE, static_cast<std::uint32_t>(AS_HIDE));

    // Clicking back and forth is a change of nothing.
    dialog.clickButton(IDC_MINORGRID);
    dialog.clickButton(IDC_MINORGRID);
    ASSERT_EQ(page.apply(), com::S_OK);
    EXPECT_EQ(priceRecord().usedFields & kUsedMinorGrid, 0u);
}

TEST_F(GeneralPage, AStepLeftAsShownKeepsItsExactValue) {
    const auto axis = axisObject(0);
    ASSERT_EQ(axis->put_Decimals(2), com::S_OK);
    ASSERT_EQ(axis->put_Step(0.125), com::S_OK);
    CAxisGeneralPage page;
    ui::Dialog& dialog = open(page, 0);
    EXPECT_EQ(dialog.itemText(IDC_MAJORUNIT), QString("0.13"));
    dialog.clickButton(IDC_MINORTICK_NONE + 2);
    ASSERT_EQ(page.apply(), com::S_OK);
    EXPECT_DOUBLE_EQ(priceRecord().step, 0.125) << "not rewritten rounded";
}

TEST_F(GeneralPage, ChoosingAnotherAxisAppliesTheShownOneAndReloads) {
    extension->settings().propPageMask = 64;
    CAxisGeneralPage page;
    ui::Dialog& dialog = open(page, -1);
    dialog.clickButton(IDC_MAJORGRID);
    ASSERT_EQ(page.isPageDirty(), com::S_OK);
    const std::uint32_t dateBefore = dateRecord().usedFields;

    // The user picks the date axis.
    auto* list = dialog.item(IDC_AXISLIST);
    ASSERT_NE(list, nullptr);
    dialog.setCurSel(IDC_AXISLIST, 1);
    QMetaObject::invokeMethod(list, "activated", Q_ARG(int, 1));
    EXPECT_NE(priceRecord().usedFields & kUsedGrid, 0u) << "the price axis got its change first";
    EXPECT_EQ(page.boundAxis(), 2);
    EXPECT_TRUE(page.dateAxis());
    EXPECT_EQ(dialog.itemText(IDC_MAJORUNIT), QString("Auto"));
    EXPECT_EQ(page.isPageDirty(), com::S_FALSE) << "the reload leaves the page unchanged";
    EXPECT_EQ(dateRecord().usedFields, dateBefore);
}

// The unit labels' access keys are drawn as keys, not as '&', and lead to the unit fields beside them.
TEST_F(GeneralPage, TheUnitLabelsKeysLeadToTheirFields) {
    CAxisGeneralPage page;
    ui::Dialog& dialog = open(page, 0);
    std::map<QString, QWidget*> buddies;
    for (QLabel* label : dialog.findChildren<QLabel*>())
        buddies[label->text()] = label->buddy();
    ASSERT_EQ(buddies.count("Major &unit:"), 1u);
    ASSERT_EQ(buddies.count("M&inor unit:"), 1u);
    EXPECT_EQ(buddies["Major &unit:"], dialog.item(IDC_MAJORUNIT));
    EXPECT_EQ(buddies["M&inor unit:"], dialog.item(IDC_MINORUNIT));
}

}  // namespace
}  // namespace dravik::test

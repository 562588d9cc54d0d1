// The grid axis page: the pens of both grids and the interlaced bands, shown and written.
#include "AxisPageFixture.h"
#include "pages/CAxisGridPage.h"
#include "pages/PageCombos.h"

namespace dravik::test {
namespace {

class GridPage : public AxisPageTest {
protected:
    CAxisGridPage page;
};

TEST_F(GridPage, ShowsBothGridPensAndTheBands) {
    const auto axis = axisObject(0);
    ASSERT_EQ(axis->put_GridWidth(3), com::S_OK);
    ASSERT_EQ(axis->put_GridStyle(2), com::S_OK);
    ASSERT_EQ(axis->put_MinorGridWidth(8), com::S_OK);
    ASSERT_EQ(axis->put_MinorGridStyle(4), com::S_OK);
    ASSERT_EQ(axis->put_MinorGridColor(0x123456), com::S_OK);
    com::LONG style = 0;
    axis->get_Style(&style);
    ASSERT_EQ(axis->put_Style(style | AS_INTERLACED), com::S_OK);

    ui::Dialog& dialog = open(page, 0);
    EXPECT_EQ(page.title(), QString("Grid Lines"));
    EXPECT_EQ(dialog.itemText(IDC_AXISTITLE), QString("Price axis"));
    EXPECT_EQ(GetSelectedItemData(dialog, IDC_GRIDWIDTH), 3);
    EXPECT_EQ(dialog.curSel(IDC_GRIDWIDTH), 2) << "widths 1-6 in order";
    EXPECT_EQ(dialog.curSel(IDC_GRIDSTYLE), 2);
    EXPECT_EQ(dialog.count(IDC_GRIDSTYLE), 5);
    EXPECT_EQ(GetSelectedItemData(dialog, IDC_MINORGRIDWIDTH), 8) << "a width the list lacks is added";
    EXPECT_EQ(dialog.curSel(IDC_MINORGRIDSTYLE), 4);
    EXPECT_EQ(GetSelectedItemData(dialog, IDC_MINORGRIDCOLOR), 0x123456);
    ASSERT_FALSE(page.colorTable().empty());
    EXPECT_EQ(dialog.itemData(IDC_GRIDCOLOR, 0), static_cast<std::intptr_t>(page.colorTable()[0]))
        << "the chart's colours first";
    EXPECT_TRUE(dialog.isButtonChecked(IDC_INTERLACED));
    EXPECT_EQ(page.isPageDirty(), com::S_FALSE);
}

TEST_F(GridPage, ApplyWritesBothPensAndTheStyleOnlyAfterAChange) {
    ui::Dialog& dialog = open(page, 0);
    const std::uint32_t before = priceRecord().usedFields;
    EXPECT_EQ(page.apply(), com::S_FALSE);
    EXPECT_EQ(priceRecord().usedFields, before);

    dialog.setCurSel(IDC_GRIDWIDTH, 4);
    QMetaObject::invokeMethod(dialog.item(IDC_GRIDWIDTH), "activated", Q_ARG(int, 4));
    dialog.clickButton(IDC_INTERLACED);
    ASSERT_EQ(page.isPageDirty(), com::S_OK);
    ASSERT_EQ(page.apply(), com::S_OK);
    EXPECT_EQ(priceRecord().gridWidth, 5);
    EXPECT_NE(priceRecord().style & AS_INTERLACED, 0u);
    // The page writes its whole set of pens.
    const std::uint32_t pens = kUsedGridWidth | kUsedGridStyle | kUsedGridColor | kUsedMinorGridWidth |
                               kUsedMinorGridStyle | kUsedMinorGridColor | kUsedStyle;
    EXPECT_EQ(priceRecord().usedFields, before | pens);

    dialog.clickButton(IDC_INTERLACED);
    ASSERT_EQ(page.apply(), com::S_OK);
    EXPECT_EQ(priceRecord().style & AS_INTERLACED, 0u);
}

TEST_F(GridPage, WithoutAnAxisThePageShowsAndWritesNothing) {
    ui::Dialog& dialog = open(page, -1);
    EXPECT_EQ(page.axisObject(), nullptr);
    const std::uint32_t before = priceRecord().usedFields;
    dialog.clickButton(IDC_INTERLACED);
    EXPECT_EQ(page.apply(), com::S_OK);
    EXPECT_EQ(priceRecord().usedFields, before);
}

}  // namespace
}  // namespace dravik::test

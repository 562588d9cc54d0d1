// Lists that carry values as item data, and the drawing of width, style and colour items.
#include <gtest/gtest.h>

#include "gdi/DeviceContext.h"
#include "gdi/SystemColors.h"
#include "pages/CFinancialPropertyPage.h"
#include "pages/PageColors.h"
#include "pages/PageCombos.h"

namespace dravik {
namespace {

constexpr int kList = 300;

class PageCombos : public ::testing::Test {
protected:
    ui::Dialog dialog{nullptr,
                      QStringLiteral("t"),
                      QSize(200, 100),
                      {{kList, ui::ControlKind::OwnerDrawList, QString(), QRect(0, 0, 100, 20)}},
                      nullptr};

    void addData(std::initializer_list<std::intptr_t> values) {
        for (const std::intptr_t value : values)
            dialog.addString(kList, QString(), value);
    }
    std::vector<std::intptr_t> data() const {
        std::vector<std::intptr_t> values;
        for (int i = 0; i < dialog.count(kList); ++i)
            values.push_back(dialog.itemData(kList, i));
        return values;
    }
};

TEST_F(PageCombos, ItemsAreFoundByTheirData) {
    EXPECT_EQ(GetComboItemData(dialog, kList), 0) << "no item chosen";
    EXPECT_EQ(GetSelectedItemData(dialog, kList), ui::CB_ERR);
    addData({3, 7, 9});
    SelectComboItemByData(dialog, kList, 7);
    EXPECT_EQ(dialog.curSel(kList), 1);
    EXPECT_EQ(GetComboItemData(dialog, kList), 7);
    SelectComboItemByData(dialog, kList, 5);
    EXPECT_EQ(dialog.curSel(kList), 0) << "a value no item carries selects the first item";
    EXPECT_EQ(GetSelectedItemData(dialog, kList), 3);
}

TEST_F(PageCombos, ItemDataIsReadAsASixteenBitValue) {
    addData({0x18000});
    dialog.setCurSel(kList, 0);
    EXPECT_EQ(GetComboItemData(dialog, kList), static_cast<com::SHORT>(-32768));
    EXPECT_EQ(GetSelectedItemData(dialog, kList), 0x18000);
}

TEST_F(PageCombos, OffsetListsMapPositionsToValues) {
    AddLineStyleItems(dialog, kList);
    EXPECT_EQ(dialog.count(kList), 5);
    AddEmptyItems(dialog, kList, 2);
    EXPECT_EQ(dialog.count(kList), 7);
    SelectByOffset(dialog, kList, 4, 1);
    EXPECT_EQ(dialog.curSel(kList), 3);
    EXPECT_EQ(GetSelectionPlusBase(dialog, kList, 1), 4);
    EXPECT_EQ(GetSelectionPlusBase(dialog, kList, 10), 13);
}

TEST_F(PageCombos, ColourListHoldsTheColoursInOrder) {
    addData({42});
    const gdi::COLORREF colours[] = {0x0000FF, 0x00FF00, kNoColor};
    FillColorList(colours, dialog, kList, 16);
    EXPECT_EQ(data(), (std::vector<std::intptr_t>{0x0000FF, 0x00FF00, 0x80000000}))
        << "the old items are gone";
}

TEST_F(PageCombos, WidthListOffersOneToTenAndKeepsAnyOtherWidthShown) {
    FillWidthList(dialog, kList);
    EXPECT_EQ(data(), (std::vector<std::intptr_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    SelectListValue(dialog, kList, 4);
    EXPECT_EQ(dialog.curSel(kList), 3);
    SelectListValue(dialog, kList, 12);
    EXPECT_EQ(dialog.count(kList), 11) << "a width the list lacks is added, not replaced by the first";
    EXPECT_EQ(GetSelectedItemData(dialog, kList), 12);
    SelectListValue(dialog, kList, 12);
    EXPECT_EQ(dialog.count(kList), 11) << "added once";
}

TEST_F(PageCombos, ColourTextSelectsItsItemOrTheCustomEntry) {
    dialog.addString(kList, QStringLiteral("Red"), 0x0000FF);
    dialog.addString(kList, QStringLiteral("Blue"), 0xFF0000);
    SelectColorItemByText(dialog, kList, QStringLiteral("blue"));
    EXPECT_EQ(dialog.curSel(kList), 1) << "found without regard to case";
    SelectColorItemByText(dialog, kList, QStringLiteral("Teal"));
    EXPECT_EQ(GetSelectedItemData(dialog, kList), ui::CUSTOM_ENTRY_DATA);
    EXPECT_EQ(dialog.listText(kList, dialog.curSel(kList)), QStringLiteral("Teal"));
}

class ItemDrawing : public ::testing::Test {
protected:
    ItemDrawing() : dc(gdi::createImageDC(60, 16)) {
        item.dc = dc.get();
        item.rect = {0, 0, 60, 16};
    }
    std::unique_ptr<gdi::DeviceContext> dc;
    ui::DrawItem item;
};

TEST_F(ItemDrawing, LineStyleItemIsALineThroughTheMiddleInsetByFive) {
    DrawLineStyleItem(item, gdi::PS_SOLID, 3, 0x0000FF);
    EXPECT_EQ(dc->getPixel(30, 8), 0x0000FFu);
    EXPECT_EQ(dc->getPixel(6, 8), 0x0000FFu);
    EXPECT_EQ(dc->getPixel(2, 8), 0xFFFFFFu) << "the window colour left of the line";
    EXPECT_EQ(dc->getPixel(30, 2), 0xFFFFFFu);
}

TEST_F(ItemDrawing, FocusedLineStyleItemIsFramedInTheWindowTextColour) {
    item.state = ui::ODS_FOCUS;
    DrawLineStyleItem(item, gdi::PS_SOLID, 1, 0x00FF00);
    EXPECT_EQ(dc->getPixel(30, 1), gdi::getSysColor(gdi::COLOR_WINDOWTEXT))
        << "frame inset 1 more than the focus";
    EXPECT_EQ(dc->getPixel(30, 8), 0x00FF00u);
}

TEST_F(ItemDrawing, ColourItemFillsItsCellAndLeavesNoColourUnfilled) {
    item.itemData = 0x00FF00;
    DrawColorItem(*CFinancialPropertyPage::textModule(), item);
    EXPECT_EQ(dc->getPixel(30, 8), 0x00FF00u);
    EXPECT_EQ(dc->getPixel(0, 0), gdi::getSysColor(gdi::COLOR_BTNSHADOW)) << "framed in the shadow colour";

    item.itemData = kNoColor;
    DrawColorItem(*CFinancialPropertyPage::textModule(), item);
    EXPECT_NE(dc->getPixel(30, 8), 0x00FF00u);
    EXPECT_NE(dc->getPixel(30, 8), 0x000080u) << "not filled with the marker's own bits";
}

TEST_F(ItemDrawing, SelectedSwatchIsShrunkByTwo) {
    const gdi::COLORREF table[] = {0x0000FF, 0x00FF00};
    item.itemData = 2;
    item.state = ui::ODS_SELECTED;
    dc->fillRect(item.rect, gdi::getStockObject(gdi::BLACK_BRUSH));
    PaintColorSwatch(item, table, 0, gdi::NULL_HANDLE, 20, 12, 4, 2);
    EXPECT_EQ(dc->getPixel(14, 8), 0x00FF00u) << "the item's 1-based table entry";
    EXPECT_EQ(dc->getPixel(5, 3), 0xFFFFFFu) << "the two-pixel margin of a selected cell";
    EXPECT_EQ(dc->getPixel(40, 8), 0u) << "nothing drawn outside the cell";
}

}  // namespace
}  // namespace dravik

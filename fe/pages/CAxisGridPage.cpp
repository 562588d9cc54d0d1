#include "CAxisGridPage.h"

#include <array>
#include <optional>

#include "PageCombos.h"

namespace dravik {
namespace {

constexpr int kGridPageDialogId = 368;

// One group of the page: the lists of one grid's pen and the members of the axis they show.
struct GridGroup {
    int colorId;
    int widthId;
    int styleId;
    com::HRESULT (ILomexAxis::*getColor)(com::LONG*);
    com::HRESULT (ILomexAxis::*putColor)(com::LONG);
    com::HRESULT (ILomexAxis::*getWidth)(com::SHORT*);
    com::HRESULT (ILomexAxis::*putWidth)(com::SHORT);
    com::HRESULT (ILomexAxis::*getStyle)(com::SHORT*);
    com::HRESULT (ILomexAxis::*putStyle)(com::SHORT);
};

constexpr std::array<GridGroup, 2> kGroups{{
    {IDC_GRIDCOLOR, IDC_GRIDWIDTH, IDC_GRIDSTYLE, &ILomexAxis::get_GridColor, &ILomexAxis::put_GridColor,
     &ILomexAxis::get_GridWidth, &ILomexAxis::put_GridWidth, &ILomexAxis::get_GridStyle,
     &ILomexAxis::put_GridStyle},
    {IDC_MINORGRIDCOLOR, IDC_MINORGRIDWIDTH, IDC_MINORGRIDSTYLE, &ILomexAxis::get_MinorGridColor,
     &ILomexAxis::put_MinorGridColor, &ILomexAxis::get_MinorGridWidth, &ILomexAxis::put_MinorGridWidth,
     &ILomexAxis::get_MinorGridStyle, &ILomexAxis::put_MinorGridStyle},
}};

std::vector<ui::ControlTemplate> gridControls() {
    using K = ui::ControlKind;
    std::vector<ui::ControlTemplate> controls{
        {IDC_AXISTITLE, K::Static, "axis title", QRect(10, 10, 320, 22)},
        {IDC_INTERLACED, K::CheckBox, "&Interlaced", QRect(10, 240, 150, 22)},
    };
    const std::array<const char*, 2> groupNames{"Major gridlines", "Minor gridlines"};
    for (std::size_t g = 0; g < kGroups.size(); ++g) {
        const int top = 40 + static_cast<int>(g) * 100;
        const GridGroup& group = kGroups[g];
        controls.push_back({-1, K::GroupBox, groupNames[g], QRect(10, top, 320, 95)});
        controls.push_back({-1, K::Static, "C&olor:", QRect(20, top + 18, 70, 22)});
        controls.push_back({group.colorId, K::OwnerDrawList, QString(), QRect(95, top + 18, 120, 22)});
        controls.push_back({-1, K::Static, "St&yle:", QRect(20, top + 44, 70, 22)});
        controls.push_back({group.styleId, K::OwnerDrawList, QString(), QRect(95, top + 44, 120, 22)});
        controls.push_back({-1, K::Static, "&Weight:", QRect(20, top + 70, 70, 22)});
        controls.push_back({group.widthId, K::OwnerDrawList, QString(), QRect(95, top + 70, 120, 22)});
    }
    return controls;
}

PageLayout gridLayout() {
    return {kAxisGridTitleId,  kAxisGridTitleId + 1, kAxisGridTitleId + 2,
            kGridPageDialogId, QSize(340, 275),      gridControls()};
}

const GridGroup* groupOfColor(int id) {
    for (const GridGroup& group : kGroups) {
        if (group.colorId == id)
            return &group;
    }
    return nullptr;
}

bool isWidthList(int id) {
    return id == IDC_GRIDWIDTH || id == IDC_MINORGRIDWIDTH;
}

bool isStyleList(int id) {
    return id == IDC_GRIDSTYLE || id == IDC_MINORGRIDSTYLE;
}

// The value of the chosen item; none when no item is chosen.
std::optional<std::intptr_t> chosenData(const ui::Dialog& dialog, int id) {
    if (dialog.curSel(id) == ui::CB_ERR)
        return std::nullopt;
    return GetSelectedItemData(dialog, id);
}

}  // namespace

CAxisGridPage::CAxisGridPage() : CAxisPage(gridLayout()) {}

void CAxisGridPage::PrepareControls(ui::Dialog& dialog) {
    ShowAxisName(dialog);
    for (const GridGroup& group : kGroups) {
        FillColorList(colorTable(), dialog, group.colorId, 16);
        // Item data is the width or the pen style the item stands for.
        dialog.resetContent(group.widthId);
        for (int width = 1; width <= kGridWidthCount; ++width)
            dialog.addString(group.widthId, QString(), width);
        dialog.resetContent(group.styleId);
        for (int style = 0; style < kLineStyleItemCount; ++style)
            dialog.addString(group.styleId, QString(), style);
    }
}

void CAxisGridPage::LoadControls(ui::Dialog& dialog) {
    ILomexAxis* axis = axisObject();
    if (!axis)
        return;
    // A value the lists do not offer is added to them, so that the page gives back what it showed.
    for (const GridGroup& group : kGroups) {
        com::LONG colour = 0;
        com::SHORT width = 1;
        com::SHORT style = 0;
        (axis->*group.getColor)(&colour);
        (axis->*group.getWidth)(&width);
        (axis->*group.getStyle)(&style);
        SelectListValue(dialog, group.colorId,
                        static_cast<std::intptr_t>(static_cast<gdi::COLORREF>(colour)));
        SelectListValue(dialog, group.widthId, width);
        SelectListValue(dialog, group.styleId, style);
    }
    com::LONG axisStyle = 0;
    axis->get_Style(&axisStyle);
    dialog.checkButton(IDC_INTERLACED, (axisStyle & AS_INTERLACED) != 0);
}

com::HRESULT CAxisGridPage::ApplyPage(ui::Dialog& dialog) {
    ILomexAxis* axis = axisObject();
    if (!axis)
        return com::S_OK;
    FirstFailure note;
    for (const GridGroup& group : kGroups) {
        if (const auto colour = chosenData(dialog, group.colorId))
            note((axis->*group.putColor)(static_cast<com::LONG>(static_cast<gdi::COLORREF>(*colour))));
        if (const auto width = chosenData(dialog, group.widthId))
            note((axis->*group.putWidth)(static_cast<com::SHORT>(*width)));
        if (const auto style = chosenData(dialog, group.styleId))
            note((axis->*group.putStyle)(static_cast<com::SHORT>(*style)));
    }
    com::LONG style = 0;
    if (com::SUCCEEDED(axis->get_Style(&style))) {
        const bool interlaced = dialog.isButtonChecked(IDC_INTERLACED);
        note(axis->put_Style(interlaced ? style | AS_INTERLACED : style & ~com::LONG{AS_INTERLACED}));
    }
    return note.result();
}

bool CAxisGridPage::onCommand(ui::Dialog& dialog, int id, int code) {
    if (loading())
        return false;
    if (code == ui::BN_CLICKED && id == IDC_INTERLACED) {
        MarkChanged1();
        return true;
    }
    if (code != ui::CBN_SELCHANGE)
        return false;
    if (const GridGroup* group = groupOfColor(id)) {
        // The group's width and style lists are drawn again with the new choice.
        for (const int list : {group->widthId, group->styleId}) {
            if (QWidget* widget = dialog.item(list))
                widget->update();
        }
    } else if (!isWidthList(id) && !isStyleList(id)) {
        return false;
    }
    MarkChanged1();
    return true;
}

void CAxisGridPage::onDrawItem(ui::Dialog&, const ui::DrawItem& item) {
    if (isWidthList(item.controlId)) {
        DrawLineStyleItem(item, gdi::PS_SOLID, static_cast<int>(item.itemData), 0);
    } else if (isStyleList(item.controlId)) {
        DrawLineStyleItem(item, static_cast<int>(item.itemData), 1, 0);
    } else if (groupOfColor(item.controlId)) {
        DrawColorItem(*textModule(), item);
    }
}

}  // namespace dravik

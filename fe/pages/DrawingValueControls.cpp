#include "pages/DrawingValueControls.h"

#include <array>

#include <QColor>
#include <QWidget>

#include "datescale/DateScale.h"
#include "dravik/IFinancialCharts.h"
#include "drawing/DrawingOwner.h"
#include "drawing/DrawingPageOwner.h"
#include "drawing/DrawingTexts.h"
#include "pages/PageCombos.h"
#include "pages/WorkSeriesCombo.h"

namespace dravik {
namespace {

constexpr int kValueRowHeight = 28;
constexpr int kValueLabelWidth = 90;
constexpr int kValueControlWidth = 170;

// Pen styles of the style list's items.
constexpr std::array<int, kLineStyleItemCount> kStyleTable{gdi::PS_SOLID, gdi::PS_DASH, gdi::PS_DOT,
                                                           gdi::PS_DASHDOT, gdi::PS_DASHDOTDOT};

// The controls that take a drawing's values (all but the parameter button).
constexpr std::array<int, 8> kValueControls{IDC_DRAW_FROM,      IDC_DRAW_TO,     IDC_DRAW_FREE,
                                            IDC_DRAW_ON_SERIES, IDC_DRAW_SERIES, IDC_DRAW_COLOR,
                                            IDC_DRAW_WIDTH,     IDC_DRAW_STYLE};

com::LONG optionsOf(const DrawingControlContext& context) {
    com::LONG options = 0;
    if (context.extension)
        context.extension->PageExtension().get_Options(&options);
    return options;
}

QString colourText(gdi::COLORREF colour) {
    return QColor(gdi::redOf(colour), gdi::greenOf(colour), gdi::blueOf(colour)).name();
}

// The colour the width and style items are drawn in: the chosen one, black for the original entry.
gdi::COLORREF chosenColour(const ui::Dialog& dialog) {
    const std::intptr_t data = GetSelectedItemData(dialog, IDC_DRAW_COLOR);
    return data == ui::CB_ERR || data == ui::CUSTOM_ENTRY_DATA ? 0 : static_cast<gdi::COLORREF>(data);
}

QString dateText(const DrawingControlContext& context, double x) {
    const CDateScale* scale =
        context.extension ? context.extension->PageDrawingOwner().DrawingDateScale() : nullptr;
    if (!scale)
        return {};
    return QString::fromStdString(
        DrawingDateText(*scale, x, context.extension->PageDrawingOwner().DrawingPointDates()));
}

// Reads a date text into an anchor, a date after the data taken as the last period; false (nothing
// changed) for a text that is no date.
bool readDate(const ui::Dialog& dialog, int id, const DrawingControlContext& context, double& position,
              double& x) {
    const CDateScale* scale =
        context.extension ? context.extension->PageDrawingOwner().DrawingDateScale() : nullptr;
    if (!scale)
        return false;
    const QString shown = dialog.itemText(id);
    // A date left as it was shown keeps the anchor: read back, it would move an anchor that lies between
    // two periods onto the next one.
    if (shown == dateText(context, x))
        return false;
    const std::optional<DrawingAnchor> anchor =
        ParseDrawingDate(*scale, shown.left(kDrawingDateChars).toStdString(), true,
                         context.extension->PageDrawingOwner().DrawingPointDates());
    if (!anchor)
        return false;
    position = anchor->position;
    x = anchor->x;
    return true;
}

// A value the list does not offer leaves it without a choice, so that reading it back keeps the value.
void selectOrNone(ui::Dialog& dialog, int id, int index) {
    if (!dialog.setCurSel(id, index))
        dialog.setCurSel(id, -1);
}

}  // namespace

std::vector<ui::ControlTemplate> DrawingValueControlTemplates(int left, int top, int* height) {
    using ui::ControlKind;
    const int field = left + kValueLabelWidth;
    int row = top;
    std::vector<ui::ControlTemplate> controls;
    const auto labelled = [&](const char* label, int id, ControlKind kind) {
        controls.push_back(
            {-1, ControlKind::Static, QString::fromLatin1(label), QRect(left, row, kValueLabelWidth, 22)});
        controls.push_back({id, kind, QString(), QRect(field, row, kValueControlWidth, 22)});
        row += kValueRowHeight;
    };
    labelled("From:", IDC_DRAW_FROM, ControlKind::Edit);
    labelled("To:", IDC_DRAW_TO, ControlKind::Edit);
    controls.push_back({IDC_DRAW_FREE, ControlKind::RadioButton, QStringLiteral("Draw on selected prices"),
                        QRect(left, row, kValueLabelWidth + kValueControlWidth, 22)});
    row += kValueRowHeight;
    controls.push_back({IDC_DRAW_ON_SERIES, ControlKind::RadioButton, QStringLiteral("Draw\non:"),
                        QRect(left, row, kValueLabelWidth, 26)});
    controls.push_back(
        {IDC_DRAW_SERIES, ControlKind::DropDownList, QString(), QRect(field, row, kValueControlWidth, 22)});
    row += kValueRowHeight + 4;
    labelled("Color:", IDC_DRAW_COLOR, ControlKind::OwnerDrawList);
    labelled("Style:", IDC_DRAW_STYLE, ControlKind::OwnerDrawList);
    labelled("Width:", IDC_DRAW_WIDTH, ControlKind::OwnerDrawList);
    controls.push_back({IDC_DRAW_CONFIGURE, ControlKind::PushButton, QStringLiteral("Configure"),
                        QRect(field, row, 100, 24)});
    row += kValueRowHeight;
    if (height)
        *height = row - top;
    return controls;
}

void FillDrawingValueLists(ui::Dialog& dialog, const DrawingControlContext& context) {
    FillColorList(context.colours, dialog, IDC_DRAW_COLOR, 16);
    dialog.resetContent(IDC_DRAW_WIDTH);
    AddEmptyItems(dialog, IDC_DRAW_WIDTH, kDrawingWidthItems);
    dialog.resetContent(IDC_DRAW_STYLE);
    AddLineStyleItems(dialog, IDC_DRAW_STYLE);
    if (optionsOf(context) & kOptionNoFreeDraw)
        dialog.enableItem(IDC_DRAW_FREE, false);
}

bool FollowPlacementClick(ui::Dialog& dialog, int id, int code) {
    if (code != ui::BN_CLICKED || (id != IDC_DRAW_FREE && id != IDC_DRAW_ON_SERIES))
        return false;
    dialog.checkRadioButton(IDC_DRAW_FREE, IDC_DRAW_ON_SERIES, id);
    return true;
}

void ShowDrawingValues(ui::Dialog& dialog, const DrawingControlContext& context, DrawingRecord& record) {
    const com::LONG options = optionsOf(context);
    if (options & kOptionNoFreeDraw)
        record.freeDraw = 0;
    dialog.setItemText(IDC_DRAW_FROM, dateText(context, record.xFrom));
    dialog.setItemText(IDC_DRAW_TO, dateText(context, record.xTo));
    dialog.checkRadioButton(IDC_DRAW_FREE, IDC_DRAW_ON_SERIES,
                            record.freeDraw ? IDC_DRAW_FREE : IDC_DRAW_ON_SERIES);
    com::SHORT chartSeries = 0;
    if (context.extension) {
        context.extension->PageExtension().GetKvlSeries(record.workSeries, &chartSeries);
        FillWorkSeriesCombo(dialog, IDC_DRAW_SERIES, *context.extension, context.adapter, chartSeries,
                            kDrawingSeriesFlags);
    }
    selectOrNone(dialog, IDC_DRAW_WIDTH, record.lineWidth - 1);
    selectOrNone(dialog, IDC_DRAW_STYLE, record.lineStyle);
    SelectColorItemByText(dialog, IDC_DRAW_COLOR, colourText(record.color));
    dialog.showItem(IDC_DRAW_CONFIGURE,
                    (options & kOptionConfigureDrawings) != 0 && !record.extraBytes.empty());
    const bool enabled = record.Enabled();
    for (const int id : kValueControls)
        dialog.enableItem(id, enabled);
    dialog.enableItem(IDC_DRAW_CONFIGURE, enabled);
    if (enabled && (options & kOptionNoFreeDraw))
        dialog.enableItem(IDC_DRAW_FREE, false);
}

void ReadDrawingValues(const ui::Dialog& dialog, const DrawingControlContext& context,
                       DrawingRecord& record) {
    readDate(dialog, IDC_DRAW_FROM, context, record.from, record.xFrom);
    readDate(dialog, IDC_DRAW_TO, context, record.to, record.xTo);
    record.freeDraw = dialog.isButtonChecked(IDC_DRAW_FREE) ? 1 : 0;
    if (context.extension && dialog.curSel(IDC_DRAW_SERIES) != ui::CB_ERR) {
        com::SHORT used = 0;
        context.extension->PageExtension().GetUsedSeries(GetComboItemData(dialog, IDC_DRAW_SERIES), &used);
        record.workSeries = used;
    }
    const std::intptr_t colour = GetSelectedItemData(dialog, IDC_DRAW_COLOR);
    if (colour != ui::CB_ERR && colour != ui::CUSTOM_ENTRY_DATA)
        record.color = static_cast<gdi::COLORREF>(colour);
    if (dialog.curSel(IDC_DRAW_WIDTH) != ui::CB_ERR)
        record.lineWidth = static_cast<std::int16_t>(GetSelectionPlusBase(dialog, IDC_DRAW_WIDTH, 1));
    if (dialog.curSel(IDC_DRAW_STYLE) != ui::CB_ERR)
        record.lineStyle = static_cast<std::int16_t>(GetSelectionPlusBase(dialog, IDC_DRAW_STYLE, 0));
}

void RepaintLineLists(ui::Dialog& dialog) {
    for (const int id : {IDC_DRAW_WIDTH, IDC_DRAW_STYLE}) {
        if (QWidget* list = dialog.item(id))
            list->update();
    }
}

bool DrawDrawingValueItem(const ui::Dialog& dialog, const res::ResourceModule& module,
                          const ui::DrawItem& item) {
    switch (item.controlId) {
        case IDC_DRAW_COLOR:
            DrawColorItem(module, item);
            return true;
        case IDC_DRAW_WIDTH:
            if (item.itemIndex >= 0)
                DrawLineStyleItem(item, gdi::PS_SOLID, item.itemIndex + 1, chosenColour(dialog));
            return true;
        case IDC_DRAW_STYLE:
            if (item.itemIndex >= 0 && item.itemIndex < kLineStyleItemCount)
                DrawLineStyleItem(item, kStyleTable[static_cast<std::size_t>(item.itemIndex)], 1,
                                  chosenColour(dialog));
            return true;
        default:
            return false;
    }
}

}  // namespace dravik

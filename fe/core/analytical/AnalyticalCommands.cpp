// The analytical chart's commands: the price display, the studies, the drawing commands of the
// command bar (start a new drawing, show or hide one, remove all of a kind) and the menu headers.
// Every command but the removal of a kind's drawings is first offered to the client, who may take it.
#include "analytical/CAnalyticalChartBase.h"
#include "dravik/Commands.h"
#include "drawing/DrawingCommands.h"
#include "extension/CFinancialCharts.h"
#include "ostbar/OstBarContract.h"
#include "studyobjects/StudyOwner.h"

namespace dravik {
namespace {

constexpr SHORT kFirstPriceCommand = 5;  // close only ... no price
constexpr SHORT kLastPriceCommand = 9;
constexpr SHORT kFirstStudyCommand = 10;
constexpr SHORT kLastStudyCommand = 67;
// Menu headers: nothing happens when they are chosen.
constexpr std::array<SHORT, 4> kMenuHeaders{78, 81, 82, 86};

bool isMenuHeader(SHORT id) {
    for (SHORT header : kMenuHeaders) {
        if (id == header)
            return true;
    }
    return false;
}

}  // namespace

LONG CAnalyticalChartBase::MapDrawingCommand(SHORT command) {
    const std::optional<DrawingCommand> meaning = ClassifyDrawingCommand(command);
    if (!meaning || meaning->role == DrawingCommandRole::DeleteAll || !owner())
        return -1;
    CDrawingList& list = owner()->drawingList();
    const int kind = static_cast<int>(meaning->kind);
    const DrawingCommandBlock* block = DrawingCommandsOf(kind);
    if (!block)
        return -1;
    if (meaning->role == DrawingCommandRole::Item) {
        for (int i = 0; i < list.Count(); ++i) {
            DrawingRecord* drawing = list.At(i);
            if (drawing->kind != kind || drawing->toolCommand != command)
                continue;
            const bool show = drawing->state == kDrawingHidden || drawing->state == kDrawingHiddenByRange;
            if (drawing->state == kDrawingHidden || drawing->state == kDrawingShown)
                drawing->state = show ? kDrawingShown : kDrawingHidden;
            else if (drawing->state != kDrawingBeingPlaced)
                drawing->state = show ? kDrawingShownByRange : kDrawingHiddenByRange;
            if (!show && selectedDrawing() == i)
                SelectDrawing(-1);
            owner()->SetDrawingCommandChecked(command, show);
            RepaintIfActive();
            return 0;
        }
        return 0;
    }
    // A new drawing (the kind's menu starts one as well): only one is placed at a time.
    if (const int placing = PlacingDrawing(); placing >= 0)
        owner()->drawingFeatures().DeleteDrawingAt(placing);
    const std::int16_t item = list.FreeItemCommand(kind);
    int index = -1;
    if (item < 0 || com::FAILED(list.Add(kind, item, false, -1, &index)))
        return 0;
    list.At(index)->state = kDrawingBeingPlaced;
    owner()->SetDrawingCommandChecked(item, true);
    if (list.CountOfKind(kind) >= kMaxDrawingsPerKind)
        owner()->SetCommandEnabled(block->newCommand, false);
    return 0;
}

LONG CAnalyticalChartBase::HandleChartCommand(SHORT command) {
    if (!owner())
        return 1;
    const bool drawing = ClassifyDrawingCommand(command).has_value();
    const bool price = command >= kFirstPriceCommand && command <= kLastPriceCommand;
    const bool study = command >= kFirstStudyCommand && command <= kLastStudyCommand;
    if (!drawing && !price && !study && !isMenuHeader(command))
        return 1;
    LONG taken = 0;
    owner()->events().InternalCommand(command, &taken);
    if (taken != 0)
        return 0;
    if (price) {
        owner()->events().ChangePriceGallery(command - kFirstPriceCommand);
        owner()->put_PriceDisplay(static_cast<SHORT>(command - kFirstPriceCommand));
    } else if (study) {
        const SHORT number = static_cast<SHORT>(command - kFirstStudyCommand);
        const StudyRecord* shown = record(number);
        owner()->ToggleStudy(number, shown && shown->visible != 0);
    } else if (drawing) {
        MapDrawingCommand(command);
    }
    return 0;
}

LONG CAnalyticalChartBase::OnCommand(LONG id) {
    if (id >= kFirstPriceCommand && id <= 0x7FFF && HandleChartCommand(static_cast<SHORT>(id)) == 0)
        return 0;
    return CGalleryBase::OnCommand(id);
}

}  // namespace dravik

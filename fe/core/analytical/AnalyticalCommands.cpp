// The analytical chart's commands: the price display, the studies, the drawing commands of the
// command bar (start a new drawing, show or hide one, remove all of a kind) and the menu headers.
// Every command but the removal of a kind's drawings is first offered to the client, who may take it.
#include <algorithm>
#include <vector>

#include "analytical/CAnalyticalChartBase.h"
#include "dravik/Commands.h"
#include "drawing/DrawingCommands.h"
#include "extension/CFinancialCharts.h"
#include "extension/ExtensionMembers.h"
#include "korvel/KvlContract.h"
#include "ostbar/OstBarContract.h"
#include "series/CSeriesAttributes.h"
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

// Series galleries of the context menu: line and area; bar is the control's default gallery, which
// the chart cannot tell here, so its fallback.
constexpr SHORT kLineGallery = 1;
constexpr SHORT kAreaGallery = 6;
constexpr SHORT kDefaultBarGallery = 2;

}  // namespace

SeriesAttributeRecord* CAnalyticalChartBase::SeriesRecordAt(LONG series, SHORT* study) {
    *study = -1;
    if (!owner() || series < 0)
        return nullptr;
    for (const StudyTableEntry& entry : table_) {
        if (entry.isFree())
            break;
        StudyRecord* studyRecord = record(entry.study);
        if (!studyRecord)
            continue;
        const LONG outputs = std::clamp<LONG>(studyRecord->subIndicators, 0, kStudyOutputCount);
        if (series >= entry.firstSeries && series < entry.firstSeries + outputs) {
            *study = entry.study;
            return &studyRecord->series[static_cast<std::size_t>(series - entry.firstSeries)];
        }
    }
    const SeriesBinding& binding = state().binding;
    const std::array<SHORT, 4> roles{binding.openSeries, binding.highSeries, binding.lowSeries,
                                     binding.closeSeries};
    for (std::size_t role = 0; role < roles.size(); ++role) {
        if (roles[role] == series)
            return &owner()->priceSeriesRecord(role);
    }
    return nullptr;
}

LONG CAnalyticalChartBase::OnAxisRightClick(LONG x, LONG y) {
    if (!adapter() || !owner())
        return 1;
    LONG series = -1;
    LONG point = -1;
    SHORT study = -1;
    const SeriesAttributeRecord* attributes = nullptr;
    if (adapter()->HitTest(x, y, &series, &point) == korvel::kHitSeries)
        attributes = SeriesRecordAt(series, &study);
    if (!attributes)
        return CGalleryBase::OnAxisRightClick(x, y);
    contextSeries_ = series;
    SetCommandCheck(ID_LINE_GALLERY, attributes->gallery == kLineGallery);
    SetCommandCheck(ID_AREA_GALLERY, attributes->gallery == kAreaGallery);
    SetCommandCheck(ID_BAR_GALLERY,
                    attributes->gallery != kLineGallery && attributes->gallery != kAreaGallery);
    const StudyRecord* studyRecord = study >= 0 ? record(study) : nullptr;
    owner()->SetCommandEnabled(ID_AREA_GALLERY, !(studyRecord && studyRecord->priceIndicator));
    owner()->ShowContextMenu(study >= 0 ? ID_INDICATORSERIES_MENU : ID_PRICESERIES_MENU, x, y);
    return 0;
}

void CAnalyticalChartBase::SetContextSeriesGallery(SHORT gallery) {
    SHORT study = -1;
    SeriesAttributeRecord* attributes = SeriesRecordAt(contextSeries_, &study);
    if (!attributes || !adapter() || contextSeries_ >= adapter()->GetSeriesCount())
        return;
    attributes->gallery = gallery;
    attributes->setMask |= SA_GALLERY;
    CSeriesAttributes channel;
    channel.Bind(this, adapter(), attributes);
    channel.SetSeriesIndex(static_cast<SHORT>(contextSeries_));
    channel.ApplyToSeries(SA_GALLERY);
    RepaintIfActive();
}

void CAnalyticalChartBase::SyncDrawingMenu(int kind) {
    const DrawingCommandBlock* block = DrawingCommandsOf(kind);
    if (!owner() || !block)
        return;
    const CDrawingList& list = owner()->drawingList();
    // The fixed entries (remove all, a separator), then one item per drawing of the kind in list order.
    std::vector<SHORT> entries{block->deleteAllCommand, -1};
    for (int i = 0; i < list.Count(); ++i) {
        const DrawingRecord* drawing = list.At(i);
        if (drawing->kind == kind && entries.size() < 2 + kMaxDrawingsPerKind)
            entries.push_back(drawing->toolCommand);
    }
    const auto toolbar = com::ComPtr<ostbar::IOstCommandBar>(owner()->commandBar()).as<ostbar::IOstToolbar>();
    com::ComPtr<ostbar::IOstCommand> menu;
    if (toolbar && com::SUCCEEDED(toolbar->Command(block->menuCommand, menu.put())) && menu) {
        menu->put_SubCommands(0, static_cast<SHORT>(entries.size()));
        for (std::size_t slot = 0; slot < entries.size(); ++slot)
            menu->put_SubCommand(static_cast<SHORT>(slot), entries[slot]);
    }
    owner()->SetCommandEnabled(block->newCommand, list.CountOfKind(kind) < kMaxDrawingsPerKind);
}

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
    if (const int placing = PlacingDrawing(); placing >= 0) {
        const int placingKind = list.At(placing)->kind;
        owner()->drawingFeatures().DeleteDrawingAt(placing);
        SyncDrawingMenu(placingKind);
    }
    const std::int16_t item = list.FreeItemCommand(kind);
    int index = -1;
    if (item < 0 || com::FAILED(list.Add(kind, item, false, -1, &index)))
        return 0;
    list.At(index)->state = kDrawingBeingPlaced;
    SyncDrawingMenu(kind);
    owner()->SetDrawingCommandChecked(item, true);
    return 0;
}

LONG CAnalyticalChartBase::HandleChartCommand(SHORT command) {
    if (!owner())
        return 1;
    const bool drawing = ClassifyDrawingCommand(command).has_value();
    const bool price = command >= kFirstPriceCommand && command <= kLastPriceCommand;
    const bool study = command >= kFirstStudyCommand && command <= kLastStudyCommand;
    const bool series = command == ID_LINE_GALLERY || command == ID_AREA_GALLERY || command == ID_BAR_GALLERY;
    if (!drawing && !price && !study && !series && command != ID_OTHERSTUDIES && !isMenuHeader(command))
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
    } else if (series) {
        SetContextSeriesGallery(command == ID_LINE_GALLERY   ? kLineGallery
                                : command == ID_AREA_GALLERY ? kAreaGallery
                                                             : kDefaultBarGallery);
    } else if (command == ID_OTHERSTUDIES) {
        com::VARIANT_BOOL shown = com::VARIANT_FALSE;
        owner()->get_StudiesTool(&shown);
        owner()->put_StudiesTool(shown != 0 ? com::VARIANT_FALSE : com::VARIANT_TRUE);
    }
    return 0;
}

LONG CAnalyticalChartBase::OnCommand(LONG id) {
    if (id >= kFirstPriceCommand && id <= 0x7FFF && HandleChartCommand(static_cast<SHORT>(id)) == 0)
        return 0;
    return CGalleryBase::OnCommand(id);
}

}  // namespace dravik

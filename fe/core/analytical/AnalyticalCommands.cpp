// The analytical chart's commands: the price display, the studies, the drawing commands of the
// command bar (start a new drawing, show or hide one, remove all of a kind) and the menu headers.
// Every command is first offered to the client, who may take it; while the chart's command lock is
// held (one of its commands is acting) a command does nothing more.
#include <algorithm>
#include <vector>

#include "analytical/CAnalyticalChartBase.h"
#include "axes/AxisPropertyCodes.h"
#include "dravik/Commands.h"
#include "dravik/Identities.h"
#include "drawing/DrawingCommands.h"
#include "extension/CFinancialCharts.h"
#include "extension/ExtensionMembers.h"
#include "gdi/Objects.h"
#include "korvel/KvlContract.h"
#include "ostbar/OstBarContract.h"
#include "series/CSeriesAttributes.h"
#include "studyobjects/StudyOwner.h"
#include "ui/ModalServices.h"

namespace dravik {
namespace {

constexpr SHORT kFirstPriceCommand = 5;  // close only ... no price
constexpr SHORT kLastPriceCommand = 9;
constexpr SHORT kFirstStudyCommand = 10;
constexpr SHORT kLastStudyCommand = 67;
// The page kind under which the chart asks for the drawing page.
constexpr LONG kDrawingPageKind = 3;
// The chart's own Horizontal Grid command (its tool bar).
constexpr LONG kChartHorizontalGridCommand = 29450;
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

// The colour palette of a series: one cell of 12 x 12 pixels per colour of the chart's palette, 3
// pixels apart. Its items are numbered from 1 (0 is a dismissed menu).
constexpr LONG kPaletteCell = 12;
constexpr LONG kPaletteGap = 3;

ui::PopupMenu paletteMenu(const com::COLORREF* colors, LONG count) {
    ui::PopupMenu menu;
    for (LONG i = 0; i < count; ++i) {
        ui::MenuItem item;
        item.id = static_cast<int>(i + 1);
        item.ownerDrawn = true;
        menu.items.push_back(item);
    }
    menu.measureItem = [](int) { return gdi::Size{kPaletteCell + kPaletteGap, kPaletteCell + kPaletteGap}; };
    menu.drawItem = [colors, count](int id, gdi::HDC dc, const gdi::Rect& rect, bool selected) {
        if (!dc || id < 1 || id > count)
            return;
        const LONG left = rect.left + 1;
        const LONG top = rect.top + 1;
        const gdi::Rect cell{left, top, left + kPaletteCell, top + kPaletteCell};
        const gdi::HBRUSH brush = gdi::createSolidBrush(colors[id - 1]);
        dc->fillRect(cell, brush);
        gdi::deleteObject(brush);
        if (selected)
            dc->frameRect(cell, gdi::getStockObject(gdi::BLACK_BRUSH));
    };
    return menu;
}

// Holds the chart's command lock while one of its commands acts, so that a command the action
// itself brings about (from a dialog or an event handler) does nothing.
class CommandLockGuard {
public:
    explicit CommandLockGuard(bool& lock) : lock_(lock), was_(lock) { lock_ = true; }
    ~CommandLockGuard() { lock_ = was_; }
    CommandLockGuard(const CommandLockGuard&) = delete;
    CommandLockGuard& operator=(const CommandLockGuard&) = delete;

private:
    bool& lock_;
    bool was_;
};

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

void CAnalyticalChartBase::NoteSeriesUnderMouse(LONG x, LONG y) {
    contextSeries_ = -1;
    LONG series = -1;
    LONG point = -1;
    SHORT study = -1;
    if (adapter() && adapter()->HitTest(x, y, &series, &point) == korvel::kHitSeries &&
        SeriesRecordAt(series, &study) != nullptr) {
        contextSeries_ = series;
        contextPoint_ = gdi::Point{x, y};
    }
}

SHORT CAnalyticalChartBase::ContextStudy(SHORT* output) {
    if (output)
        *output = -1;
    SHORT study = -1;
    if (!SeriesRecordAt(contextSeries_, &study) || study < 0)
        return -1;
    if (output) {
        for (const StudyTableEntry& entry : table_) {
            if (entry.isFree())
                break;
            if (entry.study == study)
                *output = static_cast<SHORT>(contextSeries_ - entry.firstSeries);
        }
    }
    return study;
}

LONG CAnalyticalChartBase::OnAxisDoubleClick(const KvlHitRecord* hit, LONG x, LONG y, LONG keys) {
    if (hit && hit->code == korvel::kHitSeries) {
        NoteSeriesUnderMouse(x, y);
        return 1;
    }
    return CGalleryBase::OnAxisDoubleClick(hit, x, y, keys);
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
    contextPoint_ = gdi::Point{x, y};
    SetCommandCheck(ID_LINE_GALLERY, attributes->gallery == kLineGallery);
    SetCommandCheck(ID_AREA_GALLERY, attributes->gallery == kAreaGallery);
    SetCommandCheck(ID_BAR_GALLERY,
                    attributes->gallery != kLineGallery && attributes->gallery != kAreaGallery);
    const StudyRecord* studyRecord = study >= 0 ? record(study) : nullptr;
    owner()->SetCommandEnabled(ID_AREA_GALLERY, !(studyRecord && studyRecord->priceIndicator));
    owner()->ShowContextMenu(study >= 0 ? ID_INDICATORSERIES_MENU : ID_PRICESERIES_MENU, x, y);
    return 0;
}

HRESULT CAnalyticalChartBase::GetPageClsid(LONG kind, com::CLSID* clsid) {
    if (!clsid)
        return com::E_POINTER;
    *clsid = com::GUID_NULL;
    // The chart asks for the drawings' page itself when its client edits a drawing it selected.
    if (kind == kDrawingPageKind) {
        if (owner() && owner()->drawingList().Count() > 0)
            *clsid = CLSID_DrawPage;
        return com::S_OK;
    }
    if (kind != 1)
        return com::S_OK;
    if (selectedDrawing() >= 0) {
        *clsid = CLSID_DrawPage;
        return com::S_OK;
    }
    SHORT study = -1;
    const bool known = SeriesRecordAt(contextSeries_, &study) != nullptr;
    const bool userStudy =
        study >= static_cast<SHORT>(kFirstUserStudy) && study < static_cast<SHORT>(kFirstCustomStudy);
    if (!known || (study >= 0 && !userStudy))
        *clsid = CLSID_Indices;
    return com::S_OK;
}

void CAnalyticalChartBase::SetContextSeriesGallery(SHORT gallery) {
    SHORT study = -1;
    SeriesAttributeRecord* attributes = SeriesRecordAt(contextSeries_, &study);
    if (!attributes || !adapter() || contextSeries_ >= adapter()->GetSeriesCount())
        return;
    attributes->gallery = gallery;
    WriteContextSeries(*attributes, SA_GALLERY);
}

void CAnalyticalChartBase::WriteContextSeries(SeriesAttributeRecord& attributes, std::uint32_t mask) {
    attributes.setMask |= mask;
    CSeriesAttributes channel;
    channel.Bind(this, adapter(), &attributes);
    channel.SetSeriesIndex(static_cast<SHORT>(contextSeries_));
    channel.ApplyToSeries(mask);
    RepaintIfActive();
}

void CAnalyticalChartBase::ChooseContextSeriesColor() {
    SHORT study = -1;
    SeriesAttributeRecord* attributes = SeriesRecordAt(contextSeries_, &study);
    korvel::IKvlExtensionServices* chart = services();
    LONG count = 0;
    void* palette = nullptr;
    if (!attributes || !adapter() || !chart || contextSeries_ >= adapter()->GetSeriesCount() ||
        com::FAILED(chart->GetProperty(&count, &palette, 0, korvel::kPalette)) || !palette || count <= 0)
        return;
    korvel::KvlPoint point{contextPoint_.x, contextPoint_.y};
    owner()->site()->ClientToScreen(&point);
    const int chosen = ui::modalServices().trackPopupMenu(
        owner()->hostWindow().widget(), paletteMenu(static_cast<const com::COLORREF*>(palette), count),
        QPoint(point.x, point.y));
    if (chosen < 1 || chosen > count)
        return;
    attributes->color[0] = static_cast<const com::COLORREF*>(palette)[chosen - 1];
    WriteContextSeries(*attributes, SA_COLOR);
}

void CAnalyticalChartBase::EditContextSeriesProperties() {
    SHORT study = -1;
    SeriesAttributeRecord* attributes = SeriesRecordAt(contextSeries_, &study);
    if (!attributes || !adapter() || contextSeries_ >= adapter()->GetSeriesCount())
        return;
    // The chart's own dialog edits the series; what the user confirmed is kept in the series' record,
    // which the chart is given again before every paint.
    if (adapter()->RunChartCommand(korvel::kCommandSeriesProperties, contextSeries_) != 1)
        return;
    CSeriesAttributes channel;
    channel.Bind(this, adapter(), attributes);
    channel.SetSeriesIndex(static_cast<SHORT>(contextSeries_));
    channel.ReadFromSeries(SA_GALLERY | SA_COLOR | SA_LINEWIDTH | SA_LINESTYLE | SA_LEGEND, false, true,
                           true);
    RepaintIfActive();
}

void CAnalyticalChartBase::SyncDrawingMenu(int kind) {
    const DrawingCommandBlock* block = DrawingCommandsOf(kind);
    if (!owner() || !block)
        return;
    const CDrawingList& list = owner()->drawingList();
    // The fixed entries (new, remove all, a separator), then one item per drawing of the kind in list
    // order.
    std::vector<SHORT> entries{block->newCommand, block->deleteAllCommand, -1};
    const std::size_t fixedEntries = entries.size();
    for (int i = 0; i < list.Count(); ++i) {
        const DrawingRecord* drawing = list.At(i);
        if (drawing->kind == kind && entries.size() < fixedEntries + kMaxDrawingsPerKind)
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

void CAnalyticalChartBase::SyncDrawingItemCheck(SHORT item) {
    const std::optional<DrawingCommand> meaning = ClassifyDrawingCommand(item);
    if (!meaning || meaning->role != DrawingCommandRole::Item || !owner())
        return;
    const CDrawingList& list = owner()->drawingList();
    for (int i = 0; i < list.Count(); ++i) {
        const DrawingRecord* drawing = list.At(i);
        if (drawing->kind == static_cast<int>(meaning->kind) && drawing->toolCommand == item)
            owner()->SetDrawingCommandChecked(
                item, drawing->state != kDrawingHidden && drawing->state != kDrawingHiddenByRange);
    }
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
    const bool seriesDialog = command == ID_SERIESCOLOR || command == ID_SERPROPERTIES;
    if (!drawing && !price && !study && !series && !seriesDialog && command != ID_OTHERSTUDIES &&
        !isMenuHeader(command))
        return 1;
    LONG taken = 0;
    owner()->events().InternalCommand(command, &taken);
    if (taken != 0 || commandLock_) {
        SyncDrawingItemCheck(command);
        return 0;
    }
    const CommandLockGuard lock(commandLock_);
    const std::optional<DrawingCommand> drawingCommand = ClassifyDrawingCommand(command);
    if (drawingCommand && drawingCommand->role == DrawingCommandRole::DeleteAll) {
        const int kind = static_cast<int>(drawingCommand->kind);
        owner()->drawingFeatures().DeleteAllDrawing(kind);
        SyncDrawingMenu(kind);
    } else if (price) {
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
    } else if (command == ID_SERIESCOLOR) {
        ChooseContextSeriesColor();
    } else if (command == ID_SERPROPERTIES) {
        EditContextSeriesProperties();
    } else if (command == ID_OTHERSTUDIES) {
        com::VARIANT_BOOL shown = com::VARIANT_FALSE;
        owner()->get_StudiesTool(&shown);
        owner()->put_StudiesTool(shown != 0 ? com::VARIANT_FALSE : com::VARIANT_TRUE);
    }
    return 0;
}

// The panes draw the grid of their own settings, so the chart's switch alone would change nothing that
// is drawn: the button's choice goes into every used pane's settings, as the axis menu's Grid puts it
// into one, and the chart's switch follows them.
void CAnalyticalChartBase::SwitchPaneGrids() {
    const AxisSettingsRecord* price = axisSettings_[kPriceAxisIndex]->settings();
    if (!price)
        return;
    const bool shown = (static_cast<std::uint16_t>(price->tickStyle) & kGridBit) == 0;
    for (std::size_t a = 0; a <= kPriceAxisIndex; ++a)
        if (a == kPriceAxisIndex || axes_[a].inUse())
            axisSettings_[a]->put_Grid(com::toVariantBool(shown));
    ShowPaneGridOnChart();
}

LONG CAnalyticalChartBase::OnCommand(LONG id) {
    if (id == kChartHorizontalGridCommand && IsCurrentChartType()) {
        SwitchPaneGrids();
        return 0;
    }
    if (id >= kFirstPriceCommand && id <= 0x7FFF && HandleChartCommand(static_cast<SHORT>(id)) == 0)
        return 0;
    return CGalleryBase::OnCommand(id);
}

}  // namespace dravik

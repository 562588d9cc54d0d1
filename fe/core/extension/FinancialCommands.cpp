// The commands of the extension object: its command bar and command set, the financial toolbar's entry
// in the chart's command collection, the studies tool, and the delivery of chosen commands.
#include <algorithm>
#include <array>
#include <vector>

#include "analytical/CAnalyticalChartBase.h"
#include "com/Activation.h"
#include "dravik/Commands.h"
#include "drawing/DrawingCommands.h"
#include "drawing/DrawingKind.h"
#include "drawing/DrawingRecord.h"
#include "extension/CFinancialCharts.h"
#include "korvel/KvlContract.h"

namespace dravik {
namespace {

using ostbar::OstCommandEntry;

// Commands with an image in the command strip, in strip order.
constexpr SHORT kImagedCommands[] = {
    ID_CLOSEPRICE,
    ID_HILOWCLOSE,
    ID_OPENHILOWCLOSE,
    ID_CANDLESTICK,
    ID_NOPRICE,
    ID_NEW_GANN_FAN,
    ID_NEW_FIBONACCI_ARCS,
    ID_NEW_FIBONACCI_FAN,
    ID_NEW_FIBONACCI_RETRACEMENTS,
    ID_NEW_FIBONACCI_TIMEZONES,
    ID_NEW_MIDPOINT_TIRONE_LEVELS,
    ID_NEW_MEAN_TIRONE_LEVELS,
    ID_NEW_SPEED_RESISTANCE_LINES,
    ID_NEW_QUADRANT_LINES,
    ID_NEW_TREND_LINE,
    ID_OTHERSTUDIES,
};

// A drawing's item carries the tick of its drawing being shown, so the menus must show it as checkable.
bool isCheckCommand(SHORT id) {
    return (id >= ID_CLOSEPRICE && id <= ID_NOPRICE) ||
           (id >= FIRST_STUDY_COMMAND && id <= LAST_STUDY_COMMAND) || id == ID_OTHERSTUDIES ||
           id == ID_AXISGRID || ItemToKind(id).has_value();
}

SHORT imageOf(SHORT id) {
    for (SHORT image = 0; image < static_cast<SHORT>(std::size(kImagedCommands)); ++image) {
        if (kImagedCommands[image] == id)
            return image;
    }
    return -1;
}

// The command set: every command id 0-172, captions from the string table.
const std::array<OstCommandEntry, kFinancialCommandCount>& commandTable() {
    static const auto table = [] {
        std::array<OstCommandEntry, kFinancialCommandCount> entries{};
        for (SHORT id = 0; id < kFinancialCommandCount; ++id) {
            entries[static_cast<std::size_t>(id)] =
                OstCommandEntry{id, imageOf(id), isCheckCommand(id) ? LONG{ostbar::kStyleCheck} : LONG{0},
                                kCommandTextStringBase + static_cast<std::uint32_t>(id)};
        }
        return entries;
    }();
    return table;
}

// The chart's own commands that the extension's bar carries as well: zoom, the studies tool and the
// tool's docking commands.
constexpr OstCommandEntry kExtraCommands[] = {
    {static_cast<SHORT>(kZoomCommandId), -1, ostbar::kStyleCheck, 0},
    {static_cast<SHORT>(kStudiesToolCommandId), -1, ostbar::kStyleCheck, 0},
    {29488, -1, 0, 0},
    {29490, -1, 0, 0},
};

// The drop-down of each menu command (-1 separates groups).
struct MenuLayout {
    SHORT menu;
    std::vector<SHORT> entries;
};

std::vector<SHORT> studyRange(int first, int last, std::initializer_list<int> separatorsBefore = {}) {
    std::vector<SHORT> entries;
    for (int study = first; study <= last; ++study) {
        for (int before : separatorsBefore) {
            if (before == study)
                entries.push_back(-1);
        }
        entries.push_back(StudyCommand(study));
    }
    return entries;
}

std::vector<MenuLayout> menuLayouts() {
    std::vector<MenuLayout> menus = {
        {ID_PRICESVIEW, {ID_CLOSEPRICE, ID_HILOWCLOSE, ID_OPENHILOWCLOSE, ID_CANDLESTICK, ID_NOPRICE}},
        {ID_MOVING_AVERAGES, studyRange(0, 6)},
        // Exactly kPriceIndicatorMenuEntries and kTechnicalIndicatorMenuEntries entries of our own.
        {ID_PRICE_INDICATORS, studyRange(0, 10)},
        {ID_TECHNICAL_INDICATORS, studyRange(11, 37, {12, 22, 32})},
        {ID_DRAWING, {}},
        {ID_PRICESERIES_MENU, {ID_SERIESCOLOR, ID_SERPROPERTIES}},
        {ID_INDICATORSERIES_MENU, {ID_SERIESCOLOR, ID_INDICATORGALLERY, ID_SERPROPERTIES}},
        {ID_INDICATORGALLERY, {ID_LINE_GALLERY, ID_AREA_GALLERY, ID_BAR_GALLERY}},
        {ID_STUDIES_MENU, {ID_PRICE_INDICATORS, ID_TECHNICAL_INDICATORS, -1, ID_OTHERSTUDIES}},
        {ID_AXIS_MENU, {ID_AXISTITLE, ID_AXISGRID, ID_AXISCOLOR, ID_AXISPROPERTIES}},
    };
    // The drawing drop-down holds one menu per kind, named after the kind; each starts a new drawing,
    // removes them all and (once drawn) lists the kind's drawings.
    for (int kind = 0; kind < 10; ++kind) {
        menus[4].entries.push_back(DrawingMenuCommand(kind));
        menus.push_back(
            {DrawingMenuCommand(kind), {NewDrawingCommand(kind), DeleteAllDrawingsCommand(kind), -1}});
    }
    return menus;
}

// The buttons of the financial toolbar: the price display, the averages and studies drop-downs, the
// studies tool and the drawing tools.
constexpr SHORT kToolbarRow[] = {ID_PRICESVIEW, ID_MOVING_AVERAGES, ID_STUDIES_MENU, ID_OTHERSTUDIES,
                                 ID_DRAWING};

void fillToolbarRow(ostbar::IOstCommandBar& bar) {
    com::ComPtr<ostbar::IOstCommands> commands;
    com::ComPtr<ostbar::IOstCommandContainer> row;
    if (com::FAILED(bar.GetCommands(commands.put())) || !commands ||
        com::FAILED(commands->GetContainer(ostbar::kToolbarContainer, row.put())) || !row)
        return;
    for (const SHORT id : kToolbarRow) {
        SHORT position = 0;
        row->get_InsertPosition(&position);
        row->InsertAt(std::max<SHORT>(position, 0), id);
    }
}

com::ComPtr<ostbar::IOstCommand> commandOf(ostbar::IOstToolbar* toolbar, SHORT id) {
    com::ComPtr<ostbar::IOstCommand> command;
    if (toolbar)
        toolbar->Command(id, command.put());
    return command;
}

void fillMenu(ostbar::IOstToolbar* toolbar, const MenuLayout& layout) {
    com::ComPtr<ostbar::IOstCommand> menu = commandOf(toolbar, layout.menu);
    if (!menu)
        return;
    menu->put_SubCommands(0, static_cast<SHORT>(layout.entries.size()));
    for (std::size_t slot = 0; slot < layout.entries.size(); ++slot)
        menu->put_SubCommand(static_cast<SHORT>(slot), layout.entries[slot]);
}

}  // namespace

void CFinancialCharts::createCommandBar() {
    ostbar::registerClasses();
    com::ComPtr<ostbar::IOstCommandBar> bar;
    if (com::FAILED(com::CoCreateInstance(ostbar::CLSID_OstCommandBar, nullptr, ostbar::IID_IOstCommandBar,
                                          bar.putVoid())) ||
        !bar)
        return;  // the object lives on without a command bar
    commandBar_ = bar;
    commandBar_->SetMessageReceiver(this);
    const auto& table = commandTable();
    ostbar::OstCommandSet set;
    set.module = BuiltInResources();
    set.resourceModule = GetResourceInstance();
    set.bitmapId = kCommandBitmapId;
    set.imageWidth = kImageWidth;
    set.maskColor = kImageMaskColor;
    set.commands = table.data();
    set.commandCount = static_cast<LONG>(table.size());
    set.extraCommands = kExtraCommands;
    set.extraCount = static_cast<LONG>(std::size(kExtraCommands));
    commandBar_->SetCommandSet(&set);
    commandBar_->GetToolbar(toolbar_.put());
    toolbarObj_ = commandBar_.as<ostbar::IOstToolbarObj>();
    for (const MenuLayout& layout : menuLayouts())
        fillMenu(toolbar_.get(), layout);
    fillToolbarRow(*commandBar_);
    commandBar_->ResetState(-1);
}

// --- The financial toolbar's entry -----------------------------------------------------------------------

void CFinancialCharts::keepReportedCollection() {
    CommandCollection reported = reportedCommands();
    keptCommands_.reset();
    if (!reported.commands || reported.count == 0)
        return;
    keptCommands_ = std::move(reported.commands);
    keptContainerId_ = reported.containerId;
}

void CFinancialCharts::ShowFinancialToolbar(bool show, bool attach) {
    if (!commandBar_)
        return;
    if (attach && site()) {
        if (auto host = com::ComPtr<com::IUnknown>(site()).as<ostbar::IOstToolbarHost>())
            barHosted_ = com::SUCCEEDED(host->AddCommandBar(commandBar_.get(), -1, 0));
        keepReportedCollection();
        if (keptCommands_)
            registerToolbarEntry(show);
    } else if (keptCommands_ && toolbarId_ != -1) {
        com::ComPtr<ostbar::IOstCommand> entry;
        if (com::SUCCEEDED(keptCommands_->Item(toolbarId_, entry.put())) && entry)
            entry->put_Checked(show ? com::VARIANT_TRUE : com::VARIANT_FALSE);
    }
    if (keptCommands_)
        commandBar_->Show(show ? -1 : 0);
}

void CFinancialCharts::registerToolbarEntry(bool show) {
    com::ComPtr<ostbar::IOstCommand> entry;
    if (toolbarId_ == -1) {
        SHORT id = -1;
        if (com::FAILED(keptCommands_->NewCommandId(&id)) || id == -1 ||
            com::FAILED(keptCommands_->Add(id, entry.put())) || !entry)
            return;
        entry->put_Text(com::Bstr::fromUtf8(GetResourceInstance()->stringOr(kToolbarCaptionStringId)));
        entry->put_Image(-1);
        entry->put_Style(ostbar::kStyleToolbarEntry);
        entry->put_Checked(show ? com::VARIANT_TRUE : com::VARIANT_FALSE);
        com::ComPtr<ostbar::IOstCommandContainer> container;
        SHORT position = 0;
        if (com::SUCCEEDED(keptCommands_->GetContainer(keptContainerId_, container.put())) && container &&
            com::SUCCEEDED(container->get_InsertPosition(&position)))
            container->InsertAt(std::max<SHORT>(position, 0), id);
        toolbarId_ = id;
    } else if (com::FAILED(keptCommands_->Item(toolbarId_, entry.put())) || !entry) {
        return;
    }
    entry->SetReceiver(this);
}

void CFinancialCharts::OnAttachCommands(com::IUnknown*) {
    ShowFinancialToolbar(false, true);
    GetStudiesToolObject(true);
}

void CFinancialCharts::OnDetachCommands(IKvlExtensionSite* site) {
    if (studiesToolRegistered_ && adapter())
        adapter()->UnregisterCommandObject(kStudiesToolCommandId);
    studiesToolRegistered_ = false;
    // The bar goes from the chart whenever it was handed over, also to a chart without commands.
    if (auto host = com::ComPtr<com::IUnknown>(site).as<ostbar::IOstToolbarHost>(); host && barHosted_)
        host->RemoveCommandBar(commandBar_.get());
    barHosted_ = false;
    if (keptCommands_ && toolbarId_ != -1) {
        // Collections are views made per query: the entry is taken off only where the chart still
        // reports it.
        keepReportedCollection();
        com::ComPtr<ostbar::IOstCommandContainer> container;
        SHORT position = -1;
        if (keptCommands_ && com::SUCCEEDED(keptCommands_->GetContainer(keptContainerId_, container.put())) &&
            container && container->PositionOf(toolbarId_, &position) == com::S_OK && position >= 0)
            container->RemoveAt(position);
        // The entry's command holds this object as its receiver: it goes with the entry, so the chart
        // keeps no reference to a detached extension.
        if (keptCommands_)
            keptCommands_->Remove(toolbarId_);
    }
    toolbarId_ = -1;
    keptCommands_.reset();
}

// --- Activation of the analytical chart ------------------------------------------------------------------

void CFinancialCharts::OnActivateCommands(LONG active) {
    if (activeIndex() != FINANCIAL_ANALYTICAL)
        return;
    keepReportedCollection();
    if (active) {
        enableStudyCommands();
    } else {
        trimIndicatorMenu(ID_PRICE_INDICATORS, kPriceIndicatorMenuEntries);
        trimIndicatorMenu(ID_TECHNICAL_INDICATORS, kTechnicalIndicatorMenuEntries);
    }
    applyCommandStates();
    put_ToolBar(active ? com::VARIANT_TRUE : com::VARIANT_FALSE);
    if (studiesTool_)
        showStudiesTool(active && commandState(ID_OTHERSTUDIES) == kCommandStateChecked);
}

void CFinancialCharts::enableStudyCommands() {
    for (SHORT id = FIRST_STUDY_COMMAND; id <= LAST_STUDY_COMMAND; ++id) {
        if (auto command = commandOf(toolbar_.get(), id))
            command->put_Enabled(com::VARIANT_TRUE);
    }
    for (LONG user = 0; user < userStudyCount_ && user < 10; ++user) {
        if (auto command = commandOf(toolbar_.get(), static_cast<SHORT>(ID_USER0 + user)))
            command->put_Enabled(com::VARIANT_TRUE);
    }
    for (LONG study = 0; study < kBuiltInStudyNumberCount; ++study)
        SetCommandText(StudyCommand(study), studyName(study));
}

void CFinancialCharts::SetCommandText(SHORT id, const std::string& text) {
    if (auto command = commandOf(toolbar_.get(), id))
        command->put_Text(com::Bstr::fromUtf8(text));
}

void CFinancialCharts::SetCommandEnabled(SHORT id, bool enabled) {
    if (auto command = commandOf(toolbar_.get(), id))
        command->put_Enabled(enabled ? com::VARIANT_TRUE : com::VARIANT_FALSE);
}

void CFinancialCharts::placeStudyCommand(LONG study) {
    const SHORT id = StudyCommand(study);
    auto menu =
        commandOf(toolbar_.get(), isPriceIndicator(study) ? ID_PRICE_INDICATORS : ID_TECHNICAL_INDICATORS);
    SHORT count = 0;
    if (!menu || com::FAILED(menu->get_SubCommands(0, &count)))
        return;
    for (SHORT slot = 0; slot < count; ++slot) {
        SHORT entry = -1;
        if (com::SUCCEEDED(menu->get_SubCommand(slot, &entry)) && entry == id)
            return;
    }
    if (com::SUCCEEDED(menu->put_SubCommands(0, static_cast<SHORT>(count + 1))))
        menu->put_SubCommand(count, id);
}

void CFinancialCharts::FollowDrawingSeries(DrawingRecord& record) {
    if (CAnalyticalChartBase* analytical = analyticalChart();
        analytical && activeIndex() == FINANCIAL_ANALYTICAL)
        analytical->FollowWorkSeries(record);
}

void CFinancialCharts::RefreshDrawings() {
    if (CAnalyticalChartBase* analytical = analyticalChart();
        analytical && activeIndex() == FINANCIAL_ANALYTICAL)
        analytical->HideDrawingsByRange();
    RepaintIfActive();
}

void CFinancialCharts::SetDrawingCommandChecked(std::int16_t command, bool checked) {
    if (auto item = commandOf(toolbar_.get(), command))
        item->put_Checked(checked ? com::VARIANT_TRUE : com::VARIANT_FALSE);
}

// A drawing has its item in its kind's menu however it came into the list: placed with the mouse, made
// by a client through a drawing getter, or taken out again by either.
void CFinancialCharts::DrawingAdded(int index) {
    const DrawingRecord* drawing = drawings_.list().At(index);
    CAnalyticalChartBase* analytical = analyticalChart();
    if (!drawing || !analytical)
        return;
    analytical->SyncDrawingMenu(drawing->kind);
    SetDrawingCommandChecked(drawing->toolCommand, drawing->state == kDrawingShown);
}

int CFinancialCharts::PageSelectedDrawing() {
    const CAnalyticalChartBase* analytical = analyticalChart();
    return analytical ? analytical->selectedDrawing() : -1;
}

HRESULT CFinancialCharts::SelectDrawing(com::LONG kind, com::SHORT position) {
    CAnalyticalChartBase* analytical = analyticalChart();
    if (!analytical)
        return com::E_FAIL;
    if (position == -1) {
        analytical->SelectDrawing(-1);
        return com::S_OK;
    }
    const int index = IsDrawingKind(kind) ? drawings_.list().IndexOfKind(kind, position) : -1;
    if (index < 0)
        return com::E_INVALIDARG;
    analytical->SelectDrawing(index);
    return com::S_OK;
}

void CFinancialCharts::DrawingRemoved(int, std::int16_t kind, std::int16_t) {
    if (CAnalyticalChartBase* analytical = analyticalChart())
        analytical->SyncDrawingMenu(kind);
    RepaintIfActive();
}

void CFinancialCharts::RegisterStudyCommand(LONG study, bool checked) {
    if (activeIndex() != FINANCIAL_ANALYTICAL || study < 0 || study >= kStudyNumberCount)
        return;
    UpdateStudyCommand(study);
    if (auto command = commandOf(toolbar_.get(), StudyCommand(study)))
        command->put_Checked(checked ? com::VARIANT_TRUE : com::VARIANT_FALSE);
}

void CFinancialCharts::UpdateStudyCommand(LONG study) {
    if (activeIndex() != FINANCIAL_ANALYTICAL || study < 0 || study >= kStudyNumberCount)
        return;
    placeStudyCommand(study);
    SetCommandText(StudyCommand(study), studyName(study));
}

void CFinancialCharts::trimIndicatorMenu(SHORT menu, SHORT keep) {
    com::ComPtr<ostbar::IOstCommand> command = commandOf(toolbar_.get(), menu);
    SHORT count = 0;
    if (command && com::SUCCEEDED(command->get_SubCommands(0, &count)) && count > keep)
        command->put_SubCommands(0, keep);
}

void CFinancialCharts::applyCommandStates() {
    for (const CommandStateEntry& entry : commandStates_) {
        if (entry.state != kCommandStateChecked)
            continue;
        if (auto command = commandOf(toolbar_.get(), entry.id))
            command->put_Checked(com::VARIANT_TRUE);
    }
}

LONG CFinancialCharts::commandState(SHORT id) const {
    for (const CommandStateEntry& entry : commandStates_) {
        if (entry.id == id)
            return entry.state;
    }
    return 0;
}

void CFinancialCharts::setCommandState(SHORT id, LONG state) {
    for (CommandStateEntry& entry : commandStates_) {
        if (entry.id == id) {
            entry.state = state;
            return;
        }
    }
    commandStates_.push_back({id, state});
}

// --- The studies tool ------------------------------------------------------------------------------------

com::IUnknown* CFinancialCharts::GetStudiesToolObject(bool registerWithChart) {
    if (!studiesTool_) {
        studiesToolOwner_ = MakeStudiesToolOwner(*this);
        studiesTool_ = CStudiesTool::Create(*studiesToolOwner_);
        if (!studiesTool_)
            return nullptr;
        studiesTool_->SetCommandBar(commandBar_.get());
    }
    if (registerWithChart && adapter() &&
        com::SUCCEEDED(adapter()->RegisterCommandObject(kStudiesToolCommandId, studiesTool_->identity())))
        studiesToolRegistered_ = true;
    return studiesTool_->identity();
}

void CFinancialCharts::showStudiesTool(bool show) {
    if (auto tool = studiesTool_.as<ostbar::IOstTool>())
        tool->put_Visible(show ? com::VARIANT_TRUE : com::VARIANT_FALSE);
}

// --- The toolbar and chosen commands ---------------------------------------------------------------------

HRESULT CFinancialCharts::put_ToolBar(com::VARIANT_BOOL show) {
    ShowFinancialToolbar(show != 0 && activeIndex() == FINANCIAL_ANALYTICAL, false);
    return com::S_OK;
}

HRESULT CFinancialCharts::get_ToolBar(com::VARIANT_BOOL* shown) {
    if (!shown)
        return com::E_POINTER;
    LONG state = 0;
    if (commandBar_)
        commandBar_->get_State(&state);
    *shown = (state & ostbar::kStateShown) ? com::VARIANT_TRUE : com::VARIANT_FALSE;
    return com::S_OK;
}

HRESULT CFinancialCharts::OnToolbarMessage(std::intptr_t, LONG message, std::intptr_t wParam,
                                           std::intptr_t lParam, LONG* result) {
    if (result)
        *result = 0;
    if (CGalleryBase* active = activeGallery();
        active && active->OnAxisMenuCommand(message, wParam, lParam) != 0)
        return com::S_OK;
    if (message == ostbar::kWmCommand && toolbarId_ != -1 &&
        static_cast<SHORT>(wParam & 0xFFFF) == toolbarId_) {
        com::VARIANT_BOOL checked = com::VARIANT_FALSE;
        com::ComPtr<ostbar::IOstCommand> entry;
        if (keptCommands_ && com::SUCCEEDED(keptCommands_->Item(toolbarId_, entry.put())) && entry)
            entry->get_Checked(&checked);
        ShowFinancialToolbar(checked != 0 && activeIndex() == FINANCIAL_ANALYTICAL, false);
    }
    return com::S_OK;
}

HRESULT CFinancialCharts::FireCommand(LONG id) {
    return OnToolbarMessage(0, ostbar::kWmCommand, id, 0, nullptr);
}

HRESULT CFinancialCharts::ShowContextMenu(SHORT menuId, LONG x, LONG y) {
    if (!adapter() || !commandBar_ || (adapter()->GetChartFlags() & kChartFlagContextMenu) == 0)
        return com::S_FALSE;
    auto menu = commandBar_.as<ostbar::IOstMenu>();
    if (!menu)
        return com::E_FAIL;
    // Without a window the point stays in client pixels.
    korvel::KvlPoint point{x, y};
    site()->ClientToScreen(&point);
    return menu->TrackPopup(menuId, point.x, point.y, this, nullptr);
}

ui::WindowHandle CFinancialCharts::hostWindow() const {
    ui::WindowHandle window;
    if (site())
        site()->GetWindow(&window);
    return window;
}

}  // namespace dravik

// The chart-type base's axis work: the axis context menu with its owner-drawn colour entry, a colour
// dropped on an axis, the axis property frame with the pages PropPageMask offers, and axis names.
#include <algorithm>
#include <cstring>

#include "dravik/Commands.h"
#include "dravik/Identities.h"
#include "extension/CFinancialCharts.h"
#include "gallery/CGalleryBase.h"
#include "gallery/GalleryAxisAccess.h"
#include "gdi/DeviceContext.h"
#include "gdi/Objects.h"
#include "host/CHostChartAdapter.h"
#include "ostbar/OstBarContract.h"
#include "resources/BuiltInResources.h"
#include "ui/PropertyFrame.h"
#include "ui/PropertyPageObject.h"

namespace dravik {
namespace {

// The colour entry of the axis menu: a swatch of 12 by 12 pixels inside a border of 3.
constexpr LONG kSwatchSide = 12;
constexpr LONG kSwatchBorder = 3;
// The frame starts on this property of its object.
constexpr com::DISPID kAxisFrameInitialProperty = 1000;

// The axis of a hit code (5, 6, 7 are axes 0, 1, 2); -1 for any other code.
SHORT axisOfHit(SHORT code) {
    return code >= korvel::kHitAxis0 && code <= korvel::kHitAxis2
               ? static_cast<SHORT>(code - korvel::kHitAxis0)
               : SHORT{-1};
}

std::string loadString(const std::shared_ptr<const res::ResourceModule>& module, std::uint32_t id,
                       std::size_t size) {
    std::string text(size, '\0');
    if (!module || size == 0 || !module->loadString(id, text.data(), size))
        return {};
    text.resize(std::strlen(text.c_str()));
    return text;
}

}  // namespace

// --- Axis menu -----------------------------------------------------------------------------------------

void CGalleryBase::ShowAxisMenu(SHORT axis, LONG x, LONG y) {
    if (!owner_ || !owner_->site())
        return;
    currentAxis_ = axis;
    axisColor_ = GetAxisTextColor(axis);
    bool grid = false;
    galleryAxisAccess().GetGrid(owner_, axis, &grid);
    ostbar::IOstCommandBar* bar = owner_->commandBar();
    if (!bar)
        return;
    com::ComPtr<ostbar::IOstToolbar> toolbar;
    com::ComPtr<ostbar::IOstCommand> gridCommand;
    if (com::SUCCEEDED(bar->GetToolbar(toolbar.put())) && toolbar &&
        com::SUCCEEDED(toolbar->Command(ID_AXISGRID, gridCommand.put())) && gridCommand)
        gridCommand->put_Checked(grid ? com::VARIANT_TRUE : com::VARIANT_FALSE);
    com::ComPtr<ostbar::IOstMenu> menu;
    if (com::FAILED(bar->QueryInterface(ostbar::IOstMenu::iid, reinterpret_cast<void**>(menu.put()))) ||
        !menu)
        return;
    korvel::KvlPoint point{x, y};
    owner_->site()->ClientToScreen(&point);
    // The choice arrives while the menu is open.
    axisMenuOpen_ = true;
    menu->TrackPopup(ID_AXIS_MENU, point.x, point.y, static_cast<ostbar::IOstMessageReceiver*>(owner_),
                     nullptr);
    axisMenuOpen_ = false;
}

LONG CGalleryBase::OnAxisMenuCommand(LONG message, std::intptr_t id, std::intptr_t record) {
    const auto command = static_cast<SHORT>(id & 0xFFFF);
    if (message == ostbar::kWmMeasureItem && command == ID_AXISCOLOR) {
        if (auto* item = reinterpret_cast<ostbar::OstMeasureItem*>(record)) {
            item->width = kSwatchSide;
            item->height = kSwatchSide;
        }
        return 1;
    }
    if (message == ostbar::kWmDrawItem && command == ID_AXISCOLOR) {
        const auto* item = reinterpret_cast<const ostbar::OstDrawItem*>(record);
        if (item && item->dc) {
            const LONG color = adapter() ? adapter()->MapColor(axisColor_) : axisColor_;
            const gdi::HBRUSH brush = gdi::createSolidBrush(static_cast<gdi::COLORREF>(color));
            const LONG left = item->left + kSwatchBorder;
            const LONG top = item->top + kSwatchBorder;
            item->dc->fillRect(gdi::Rect{left, top, left + kSwatchSide, top + kSwatchSide}, brush);
            gdi::deleteObject(brush);
        }
        return 1;
    }
    if (message != ostbar::kWmCommand)
        return 0;
    switch (command) {
        case ID_AXISTITLE:
            EditAxisTitle(currentAxis_);
            break;
        case ID_AXISGRID:
            ToggleAxisGrid(currentAxis_);
            break;
        case ID_AXISCOLOR:
            if (const auto color = PaletteColor(static_cast<LONG>(record)))
                SetAxisTextColor(currentAxis_, *color);
            break;
        case ID_AXISPROPERTIES:
            ShowPropertyFrame(currentAxis_);
            break;
        default:
            // A command the container put into the axis menu is the container's; other commands of
            // the bar are the extension's own.
            if (!axisMenuOpen_ || !owner_)
                return 0;
            owner_->events().FinancialUserCommand(galleryIndex(), static_cast<LONG>(id),
                                                  static_cast<LONG>(record));
            return 1;
    }
    currentAxis_ = -1;
    return 1;
}

std::optional<LONG> CGalleryBase::PaletteColor(LONG index) const {
    korvel::IKvlExtensionServices* chart = services();
    LONG count = 0;
    void* pointer = nullptr;
    if (!chart || index < 0 || com::FAILED(chart->GetProperty(&count, &pointer, 0, korvel::kPalette)) ||
        !pointer || index >= count)
        return std::nullopt;
    return static_cast<LONG>(static_cast<const com::COLORREF*>(pointer)[index]);
}

LONG CGalleryBase::OnAxisColorDrop(const KvlHitRecord* hit, LONG, LONG) {
    if (!hit)
        return 1;
    const SHORT axis = axisOfHit(hit->code);
    if (axis < 0)
        return 1;
    const auto color = PaletteColor(hit->color & 0xFFFFFF);
    if (!color)
        return 1;  // an entry the palette does not have
    SetAxisTextColor(axis, *color);
    return 0;
}

void CGalleryBase::ToggleAxisGrid(SHORT axis) {
    bool shown = false;
    if (com::SUCCEEDED(galleryAxisAccess().GetGrid(owner_, axis, &shown)))
        galleryAxisAccess().SetGrid(owner_, axis, !shown);
}

LONG CGalleryBase::GetAxisTextColor(SHORT axis) {
    LONG color = 0;
    galleryAxisAccess().GetTextColor(owner_, axis, &color);
    return color;
}

void CGalleryBase::SetAxisTextColor(SHORT axis, LONG color) {
    if (com::SUCCEEDED(galleryAxisAccess().SetTextColor(owner_, axis, color)) && owner_)
        owner_->RepaintIfActive();
}

HRESULT CGalleryBase::CreateAxisObject(com::IUnknown** object, SHORT* axisOut, SHORT axis) {
    if (axisOut)
        *axisOut = -1;
    if (!object)
        return com::E_INVALIDARG;
    *object = nullptr;
    if (axis == -1)
        axis = currentAxis_;
    if (axis == -1)
        return com::E_INVALIDARG;
    if (axisOut)
        *axisOut = axis;
    return galleryAxisAccess().CreateAxisObject(owner_, axis, object);
}

// --- Axis clicks ---------------------------------------------------------------------------------------

LONG CGalleryBase::OnAxisDoubleClick(const KvlHitRecord* hit, LONG, LONG, LONG) {
    const SHORT axis = hit ? axisOfHit(hit->code) : SHORT{-1};
    if (axis < 0)
        return 1;
    ShowPropertyFrame(axis);
    return 0;
}

LONG CGalleryBase::OnAxisRightClick(LONG x, LONG y) {
    if (!adapter())
        return 1;
    LONG series = -1;
    LONG point = -1;
    const SHORT axis = axisOfHit(adapter()->HitTest(x, y, &series, &point));
    if (axis < 0)
        return 1;
    ShowAxisMenu(axis, x, y);
    return 0;
}

// --- Axis property frame -------------------------------------------------------------------------------

HRESULT CGalleryBase::GetPropertyPages(std::vector<com::CLSID>* pages) {
    if (!pages)
        return com::E_POINTER;
    pages->clear();
    const LONG mask = owner_ ? state().extension.propPageMask : 0;
    if (mask & kPageMaskAxis)
        pages->push_back(CLSID_AxisGeneralPage);
    if (mask & kPageMaskAxisScale)
        pages->push_back(CLSID_AxisScalePage);
    if (mask & kPageMaskAxisGrid)
        pages->push_back(CLSID_AxisGridPage);
    setAxisGeneralPageTitled(true);
    return com::S_OK;
}

bool CGalleryBase::PropertyFrameRequest(SHORT, ui::PropertyFrameRequest* request) {
    if (!request || !owner_)
        return false;
    std::vector<com::CLSID> pages;
    GetPropertyPages(&pages);
    if (pages.empty())
        return false;
    *request = ui::PropertyFrameRequest{};
    request->owner = owner_->hostWindow().widget();
    const std::string caption =
        loadString(owner_->GetResourceInstance(), kAxisFrameCaptionId, kAxisFrameCaptionLength + 1);
    request->caption = QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()));
    request->objects = {static_cast<IFinancialCharts*>(owner_)};
    request->pages = std::move(pages);
    request->locale = kUserDefaultLocale;
    request->initialProperty = kAxisFrameInitialProperty;
    return true;
}

LONG CGalleryBase::ShowPropertyFrame(SHORT axis) {
    ui::PropertyFrameRequest request;
    if (!PropertyFrameRequest(axis, &request))
        return 0;
    const SHORT previous = currentAxis_;
    if (axis != -1)
        currentAxis_ = axis;
    // The frame holds the extension through its object list for as long as it is open.
    const com::ComPtr<IFinancialCharts> keep(static_cast<IFinancialCharts*>(owner_));
    const HRESULT shown = ui::showPropertyFrame(request, ui::classRegistryPageFactory());
    currentAxis_ = previous;
    return shown == com::S_OK ? 1 : 0;
}

// --- Axis names ----------------------------------------------------------------------------------------

SHORT CGalleryBase::GetAxisName(LONG selector, SHORT* axisOut, char* text, LONG size) {
    const SHORT axis = selector == 0 ? yAxis_ : selector == 1 ? korvel::kXAxis : SHORT{-1};
    if (axisOut)
        *axisOut = axis;
    LoadAxisName(axis, text, size);
    return axis;
}

void CGalleryBase::LoadAxisName(SHORT axis, char* text, LONG size) {
    if (!text || size <= 0)
        return;
    const std::uint32_t id = axis == 0 || axis == 1   ? kPriceAxisNameId
                             : axis == korvel::kXAxis ? kDateAxisNameId
                                                      : kUnknownAxisNameId;
    const auto module = owner_ ? owner_->GetResourceInstance() : BuiltInResources();
    if (!module || !module->loadString(id, text, static_cast<std::size_t>(size)))
        text[0] = '\0';
}

}  // namespace dravik

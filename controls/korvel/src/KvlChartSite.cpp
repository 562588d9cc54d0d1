// The chart as its extensions' site: the information and repaint requests, the window channel that
// extensions draw and open windows through outside a paint, and the services over the chart's tables.
#include <algorithm>
#include <memory>

#include "KvlItems.h"
#include "gdi/Objects.h"
#include "korvel/KvlChart.h"
#include "ui/PropertyPageObject.h"

namespace korvel {

using detail::put;

// --- IKvlExtensionSite ---------------------------------------------------------------------------------

LONG KvlChart::QueryInfo(KvlInfoRecord* record) {
    if (!record)
        return siteInfo_;
    record->commandCount = 0;
    record->containerId = 0;
    record->commands = nullptr;
    if (record->kind != kInfoCommands)
        return com::E_INVALIDARG;
    com::ComPtr<ostbar::IOstCommands> commands;
    if (!commandBar_ || com::FAILED(commandBar_->GetCommands(commands.put())))
        return com::E_FAIL;
    if (com::FAILED(commands->get_Count(&record->commandCount)))
        record->commandCount = 0;
    record->containerId = ostbar::kToolbarContainer;
    record->commands = commands.detach();
    return com::S_OK;
}

HRESULT KvlChart::Refresh(LONG what, LONG) {
    if (what != kRefreshRepaint)
        return com::E_INVALIDARG;
    ++repaints_;
    return InvalidateRect(nullptr);
}

// --- the window channel ----------------------------------------------------------------------------

void KvlChart::setWindow(const ui::WindowHandle& window) {
    window_ = window;
}

HRESULT KvlChart::GetWindow(ui::WindowHandle* window) {
    if (!window)
        return com::E_POINTER;
    *window = window_;
    return window_.isValid() ? com::S_OK : com::S_FALSE;
}

HRESULT KvlChart::ClientToScreen(KvlPoint* point) {
    if (!point)
        return com::E_POINTER;
    if (!window_.isValid())
        return com::S_FALSE;
    const gdi::Point screen = window_.clientToScreen(gdi::Point{point->x, point->y});
    *point = KvlPoint{screen.x, screen.y};
    return com::S_OK;
}

gdi::DeviceContext* KvlChart::surface() {
    const KvlRect client = model_.clientRect();
    if (client.width() <= 0 || client.height() <= 0)
        return nullptr;
    // The surface's size is asked of the DC, not of a copy of its image.
    if (!surface_ || surface_->getDeviceCaps(gdi::HORZRES) != client.width() ||
        surface_->getDeviceCaps(gdi::VERTRES) != client.height()) {
        surface_ = gdi::createImageDC(client.width(), client.height());
        invalid_ = client;
    }
    return surface_.get();
}

void KvlChart::paintSurface() {
    gdi::DeviceContext* dc = surface();
    if (!dc || surfaceDcLevel_)
        return;
    ++surfacePaints_;
    paint(dc, model_.clientRect(), false);
    // The value labels are only known once drawn: where the strip left of the plot did not fit them,
    // it is sized to them and the screen painted again at once (the texts of a value axis do not
    // depend on the plot's width, so once is enough).
    if (fitLabelStrip())
        paint(dc, model_.clientRect(), false);
    invalid_.reset();
    // Extensions switch grids and the legend through the chart's items; the bar catches up here.
    syncCommandStates();
    // A zoom drag in progress keeps its rubber band over the fresh paint.
    zoomDrag_.repaint(dc);
    if (window_.isValid())
        window_.invalidate();
}

HRESULT KvlChart::GetSurfaceDC(gdi::DeviceContext** dc) {
    if (!dc)
        return com::E_POINTER;
    *dc = nullptr;
    if (painting_ || surfaceDcLevel_)
        return com::E_UNEXPECTED;
    gdi::DeviceContext* target = surface();
    if (!target)
        return com::E_FAIL;
    surfaceDcLevel_ = target->saveDC();
    *dc = target;
    return com::S_OK;
}

HRESULT KvlChart::ReleaseSurfaceDC(gdi::DeviceContext* dc) {
    if (!dc || !surfaceDcLevel_ || dc != surface_.get())
        return com::E_INVALIDARG;
    surface_->restoreDC(*surfaceDcLevel_);
    surfaceDcLevel_.reset();
    // What was drawn is on the surface already; the window only has to show it again.
    if (window_.isValid())
        window_.invalidate();
    return com::S_OK;
}

HRESULT KvlChart::InvalidateRect(const KvlRect* rect) {
    const KvlRect client = model_.clientRect();
    KvlRect area = rect ? *rect : client;
    area = KvlRect{std::max(area.left, client.left), std::max(area.top, client.top),
                   std::min(area.right, client.right), std::min(area.bottom, client.bottom)};
    if (area.width() <= 0 || area.height() <= 0)
        return com::S_OK;
    if (invalid_) {
        area = KvlRect{std::min(area.left, invalid_->left), std::min(area.top, invalid_->top),
                       std::max(area.right, invalid_->right), std::max(area.bottom, invalid_->bottom)};
    }
    invalid_ = area;
    if (window_.isValid()) {
        const gdi::Rect marked{area.left, area.top, area.right, area.bottom};
        window_.invalidate(&marked);
    }
    return com::S_OK;
}

HRESULT KvlChart::UpdateWindow() {
    if (painting_)
        return com::E_UNEXPECTED;
    if (invalid_ || !surface_)
        paintSurface();
    return com::S_OK;
}

HRESULT KvlChart::CaptureMouse(LONG capture) {
    return SetMouseCapture(capture);
}

HRESULT KvlChart::SetCursor(ui::HCURSOR cursor, ui::HCURSOR* previous) {
    const ui::HCURSOR old = std::exchange(cursor_, cursor);
    if (previous)
        *previous = old;
    if (window_.isValid() && window_.widget())
        window_.widget()->setCursor(ui::toQCursor(cursor));
    return com::S_OK;
}

// --- the property frame --------------------------------------------------------------------------------

HRESULT KvlChart::propertyFrameRequest(LONG kind, ui::PropertyFrameRequest* request, bool everyPage) {
    if (!request)
        return com::E_POINTER;
    *request = ui::PropertyFrameRequest{};
    // The page of what lies under the mouse opens first; for the chart's Properties command (kind 1)
    // the frame also holds every page the extension lists for the chart type, in its order.
    com::CLSID page{};
    const bool pointed = driver_.pageClsid(kind, &page) == com::S_OK;
    std::vector<com::CLSID> pages;
    if (kind == 1 || everyPage)
        pages = driver_.activeExtensionPages();
    if (pointed && std::find(pages.begin(), pages.end(), page) == pages.end())
        pages.push_back(page);
    if (pages.empty())
        return com::S_FALSE;
    request->owner = window_.widget();
    request->caption = QStringLiteral("Properties");
    request->objects = {identity()};
    request->pages = std::move(pages);
    request->initialPage = pointed ? page : request->pages.front();
    return com::S_OK;
}

HRESULT KvlChart::showPropertyFrame(LONG kind, bool everyPage) {
    ui::PropertyFrameRequest request;
    const HRESULT result = propertyFrameRequest(kind, &request, everyPage);
    if (result != com::S_OK)
        return result;
    // The frame holds the chart through its object list for as long as it is open.
    const com::ComPtr<com::IUnknown> self(identity());
    return ui::showPropertyFrame(request, ui::classRegistryPageFactory());
}

// --- the attached extensions' interfaces ----------------------------------------------------------------

HRESULT KvlChart::queryAggregate(const com::IID& iid, void** object) {
    // An extension that passes a query back to its site would otherwise come back here for ever.
    if (queryingExtensions_)
        return com::E_NOINTERFACE;
    queryingExtensions_ = true;
    const HRESULT result = driver_.queryExtensions(iid, object);
    queryingExtensions_ = false;
    return result;
}

// --- IKvlExtensionServices -----------------------------------------------------------------------------

HRESULT KvlChart::GetProperty(LONG* value, void** pointer, LONG, LONG kind) {
    if (value)
        *value = 0;
    if (pointer)
        *pointer = nullptr;
    const bool copy = (kind & kCopyFlag) != 0;
    switch (kind & ~kCopyFlag) {
        case kValues:
        case kFromValues: {
            const bool values = (kind & ~kCopyFlag) == kValues;
            const KvlValueBlock& table = values ? model_.values() : model_.fromValues();
            if (value)
                *value = values || model_.fromValuesUsed() ? table.seriesCount() : 0;
            if (!pointer)
                return com::S_OK;
            std::unique_ptr<KvlValueBlock> block;
            if (copy)
                block = table.clone();
            else
                block = values ? model_.takeValues() : model_.takeFromValues();
            *pointer = block.release();
            return com::S_OK;
        }
        case kPointCount:
            return put(value, model_.pointCount());
        case kColoured:
            return put(value, model_.colouredCount());
        case kFromValuesUsed:
            return put(value, LONG{model_.fromValuesUsed() ? 1 : 0});
        case kHitRecord:
            if (!pointer)
                return com::E_POINTER;
            *pointer = &lastHit_;
            return com::S_OK;
        case kPalette:
            if (value)
                *value = static_cast<LONG>(model_.palette().size());
            if (pointer)
                *pointer = model_.palette().data();
            return com::S_OK;
        default:
            return com::E_INVALIDARG;
    }
}

HRESULT KvlChart::SetProperty(LONG seriesCount, LONG pointCount, KvlValueBlock* block, LONG kind) {
    std::unique_ptr<KvlValueBlock> owned(block);
    kind &= ~kCopyFlag;
    if (kind != kValues && kind != kFromValues)
        return com::E_INVALIDARG;
    if (seriesCount < 0 || pointCount < 0)
        return com::E_INVALIDARG;
    // The counts given are the truth; a block of another shape is refused rather than misread.
    if (owned && (owned->seriesCount() != seriesCount || owned->pointCount() != pointCount))
        return com::E_INVALIDARG;
    KvlValueBlock table = owned ? std::move(*owned) : KvlValueBlock(seriesCount, pointCount);
    if (kind != kValues) {
        model_.replaceFromValues(std::move(table));
        return com::S_OK;
    }
    model_.replaceValues(std::move(table));
    if (valuesListener_)
        valuesListener_();
    return com::S_OK;
}

}  // namespace korvel

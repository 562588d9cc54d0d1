#include "korvel/KvlExtensionDriver.h"

#include <algorithm>
#include <cctype>

#include "com/Activation.h"
#include "com/PropertyPages.h"
#include "korvel/KvlChartModel.h"

namespace korvel {

namespace {

bool sameProgId(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// Gallery counts travel in the low 16 bits.
LONG galleryCountOf(IKvlExtensionGallery* gallery) {
    if (!gallery)
        return 0;
    return std::clamp<LONG>(gallery->GetGalleryCount() & 0xFFFF, 0, 0x7FFF);
}

}  // namespace

KvlExtensionDriver::~KvlExtensionDriver() {
    unloadAll();
}

HRESULT KvlExtensionDriver::addExtension(std::string_view progId, com::IUnknown* chart,
                                         com::ComPtr<com::IUnknown>& out) {
    out.reset();
    for (const Loaded& loaded : extensions_) {
        if (sameProgId(loaded.progId, progId)) {
            out = loaded.object;
            return com::S_OK;
        }
    }
    Loaded loaded;
    loaded.progId = std::string(progId);
    HRESULT result = com::createInstance(progId, loaded.object);
    if (com::FAILED(result))
        return result;
    loaded.extension = loaded.object.as<IKvlExtension>();
    if (!loaded.extension)
        return com::E_NOINTERFACE;
    loaded.gallery = loaded.object.as<IKvlExtensionGallery>();
    loaded.painter = loaded.object.as<IKvlExtensionPaint>();
    loaded.scroller = loaded.object.as<IKvlExtensionScroll>();
    result = loaded.extension->SetChart(chart);
    if (com::FAILED(result))
        return result;
    loaded.galleryCount = galleryCountOf(loaded.gallery.get());
    loaded.firstType = nextType_;
    const LONG firstCommand = nextCommandId_;
    nextType_ += loaded.galleryCount;
    nextCommandId_ += loaded.galleryCount;
    if (loaded.gallery) {
        // Without a command bar the extension has nothing to register; that does not stop the load.
        loaded.gallery->UpdateCommandTexts(loaded.firstType, firstCommand);
    }
    out = loaded.object;
    extensions_.push_back(std::move(loaded));
    return com::S_OK;
}

KvlExtensionDriver::Loaded* KvlExtensionDriver::owner(LONG chartType, LONG* index) {
    for (Loaded& loaded : extensions_) {
        if (loaded.gallery && chartType >= loaded.firstType &&
            chartType < loaded.firstType + loaded.galleryCount) {
            *index = chartType - loaded.firstType;
            return &loaded;
        }
    }
    return nullptr;
}

bool KvlExtensionDriver::isExtensionType(LONG chartType) const {
    LONG index = 0;
    return const_cast<KvlExtensionDriver*>(this)->owner(chartType, &index) != nullptr;
}

LONG KvlExtensionDriver::activeType() const {
    if (active_.index < 0)
        return -1;
    return extensions_[active_.extension].firstType + active_.index;
}

void KvlExtensionDriver::deactivate() {
    if (active_.index < 0)
        return;
    const Active leaving = std::exchange(active_, Active{});
    extensions_[leaving.extension].gallery->ActivateGallery(leaving.index, 0, -1);
}

HRESULT KvlExtensionDriver::setChartType(LONG chartType) {
    if (chartType == activeType())
        return com::S_OK;
    LONG index = -1;
    Loaded* target = owner(chartType, &index);
    if (!target) {
        if (chartType >= kFirstExtensionGalleryType)
            return com::E_INVALIDARG;
        deactivate();
        return com::S_OK;
    }
    if (target->gallery->IsGalleryEnabled(index) == 0)
        return com::E_INVALIDARG;
    deactivate();
    const HRESULT result = target->gallery->ActivateGallery(index, 1, -1);
    if (com::FAILED(result))
        return result;
    active_ = Active{static_cast<std::size_t>(target - extensions_.data()), index};
    return com::S_OK;
}

void KvlExtensionDriver::notifyNewData() {
    if (active_.index >= 0)
        extensions_[active_.extension].gallery->NotifyGallery(active_.index, 1);
}

void KvlExtensionDriver::notifyValueWritten(LONG series, LONG point) {
    if (active_.index >= 0)
        extensions_[active_.extension].gallery->ActiveGalleryCall(active_.index, kGalleryCallValueWritten,
                                                                  series, point);
}

void KvlExtensionDriver::notifyScroll(LONG first, LONG last) {
    if (active_.index >= 0 && extensions_[active_.extension].scroller)
        extensions_[active_.extension].scroller->OnScrollChange(first, last);
}

namespace {

KvlPaintRecord elementRecord(const KvlChartModel& model, LONG element, LONG count) {
    const KvlRect plot = model.plotRect();
    KvlPaintRecord record;
    record.element = element;
    record.flags = (element == 0 ? kPaintFirst : 0) | (element == count - 1 ? kPaintLast : 0);
    LONG left = 0, top = 0, right = 0, bottom = 0;
    // Any value the axis shows will do for the columns (0 has no place on a log axis).
    const double shown = model.visibleRange(0).first;
    model.valueToPixel(element + 0.5, shown, &left, &top, 0);
    model.valueToPixel(element + 1.5, shown, &right, &bottom, 0);
    record.slotLeft = left;
    record.slotWidth = std::max<LONG>(right - left, 1);
    record.barWidth = std::max<LONG>(record.slotWidth * 2 / 3, 1);
    double end = 0, start = 0;
    model.value(1, 0, element, &end);
    if (model.fromValuesUsed() && model.value(2, 0, element, &start) == com::S_OK && start < kNoValue)
        model.valueToPixel(element + 1, start, &left, &record.rowStart, 0);
    model.valueToPixel(element + 1, end, &left, &record.rowEnd, 0);
    if (!model.fromValuesUsed())
        record.rowStart = record.rowEnd;
    record.rect = KvlRect{record.slotLeft, std::min(record.rowEnd, record.rowStart),
                          record.slotLeft + record.slotWidth, std::max(record.rowEnd, record.rowStart)};
    if (record.rect.bottom == record.rect.top)
        record.rect.bottom = std::min<LONG>(record.rect.top + 1, plot.bottom);
    return record;
}

}  // namespace

void KvlExtensionDriver::paintUnderlay(gdi::DeviceContext* dc, const KvlRect& rect, bool scaled) {
    if (active_.index < 0)
        return;
    const com::ComPtr<IKvlExtensionPaint> painter = extensions_[active_.extension].painter;
    if (painter)
        painter->Paint(dc, &rect, scaled ? kPaintPrinting : 0);
}

LONG KvlExtensionDriver::paint(gdi::DeviceContext* dc, const KvlRect& rect, bool scaled,
                               const KvlChartModel& model, std::vector<KvlDrawnLabel>* labels,
                               const KvlLeftElements& left) {
    if (active_.index < 0)
        return 0;
    // The extension may unload itself from inside a call; keep what the paint talks to.
    const com::ComPtr<IKvlExtensionGallery> gallery = extensions_[active_.extension].gallery;
    const com::ComPtr<IKvlExtensionPaint> painter = extensions_[active_.extension].painter;
    const LONG index = active_.index;
    const LONG scaledFlag = scaled ? 1 : 0;
    if (painter)
        painter->OnMouseInput(dc, &rect, scaledFlag);
    gallery->ActiveGalleryNotify(index, dc, 0, scaledFlag);
    if (dc) {
        KvlLabelLoop loop(model, *dc);
        loop.run(gallery.get(), index);
        if (labels)
            *labels = loop.labels();
    }
    const LONG count = model.pointCount();
    const bool bars = model.fromValuesUsed();
    std::vector<LONG> points;
    LONG leftToChart = 0;
    for (LONG element = 0; element < count; ++element) {
        KvlPaintRecord record = elementRecord(model, element, count);
        record.galleryIndex = static_cast<SHORT>(index);
        record.dc = dc;
        record.flags |= scaled ? kPaintPrinting : 0;
        LONG kind = 0, mode = 0;
        gallery->GalleryCommand(&record, &kind, &mode);
        // A gallery leaves the element to the chart by asking for it (kind kDrawKindChart) or by not
        // handling it (mode 0): a chart type that paints no point itself.
        if (kind != kDrawKindChart && mode != 0)
            continue;
        ++leftToChart;
        if (bars && kind == kDrawKindChart) {
            // In what the gallery selected for this element, before it selects the next one.
            if (left.bar)
                left.bar(record);
        } else {
            points.push_back(element);
        }
    }
    if (!points.empty() && left.points)
        left.points(points);
    if (painter) {
        painter->OnGalleryNotify(dc, kNotifyPaintEnd, 0);
        painter->OnKeyInput(dc, &rect, 0);
    }
    return leftToChart;
}

HRESULT KvlExtensionDriver::pageClsid(LONG kind, com::CLSID* clsid) {
    if (!clsid)
        return com::E_POINTER;
    *clsid = com::CLSID{};
    if (active_.index < 0)
        return com::S_FALSE;
    const HRESULT result = extensions_[active_.extension].gallery->GetPageClsid(active_.index, kind, clsid);
    if (result != com::S_OK || *clsid == com::CLSID{}) {
        *clsid = com::CLSID{};
        return com::S_FALSE;
    }
    return com::S_OK;
}

std::vector<com::CLSID> KvlExtensionDriver::activeExtensionPages() {
    std::vector<com::CLSID> pages;
    if (active_.index < 0)
        return pages;
    com::ComPtr<com::ISpecifyPropertyPages> offered;
    if (com::FAILED(extensions_[active_.extension].object->QueryInterface(com::ISpecifyPropertyPages::iid,
                                                                          offered.putVoid())) ||
        !offered || com::FAILED(offered->GetPages(&pages)))
        pages.clear();
    std::erase(pages, com::CLSID{});
    return pages;
}

HRESULT KvlExtensionDriver::queryExtensions(const com::IID& iid, void** object) {
    if (!object)
        return com::E_POINTER;
    *object = nullptr;
    for (const Loaded& loaded : extensions_) {
        if (com::SUCCEEDED(loaded.object->QueryInterface(iid, object)))
            return com::S_OK;
    }
    return com::E_NOINTERFACE;
}

void KvlExtensionDriver::unloadAll() {
    deactivate();
    // An extension may call back into the chart while it detaches; the list shrinks only afterwards.
    std::vector<Loaded> leaving = std::move(extensions_);
    extensions_.clear();
    for (Loaded& loaded : leaving)
        loaded.extension->SetChart(nullptr);
    leaving.clear();
    nextType_ = kFirstExtensionGalleryType;
    nextCommandId_ = kFirstExtensionCommandId;
}

}  // namespace korvel

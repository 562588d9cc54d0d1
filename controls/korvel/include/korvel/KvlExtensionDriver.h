// What the chart owes the extensions it hosts: loading them by ProgID and attaching them, numbering
// their galleries as chart types, activating and deactivating a gallery when the chart type changes,
// telling the active gallery about new data and scrolling, the paint bracket with its label loop, and
// detaching them before they are released. The order of the calls is the table of KvlContract.h; input
// does not pass through here but through the chart's callback chain.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "com/ComPtr.h"
#include "korvel/KvlContract.h"
#include "korvel/KvlLabelLoop.h"

namespace korvel {

class KvlChartModel;

// Chart types below this number are the chart's own; extension galleries are numbered from here.
inline constexpr LONG kFirstExtensionGalleryType = 130;
// Command ids handed to extensions for their gallery commands.
inline constexpr LONG kFirstExtensionCommandId = 30000;
// Gallery types and gallery command ids advance together by each extension's gallery count, so the
// command of a gallery names its chart type.
inline constexpr LONG chartTypeOfGalleryCommand(LONG commandId) {
    return kFirstExtensionGalleryType + (commandId - kFirstExtensionCommandId);
}

// What the chart draws of the elements a gallery leaves to it.
struct KvlLeftElements {
    // A box chart's element while from-values are in use: its bar, drawn at once in the pen and brush
    // the gallery selected for it.
    std::function<void(const KvlPaintRecord& record)> bar;
    // The points left to the chart's own galleries (every visible series at each of them), drawn
    // together after the gallery's last element and before the end of the bracket.
    std::function<void(const std::vector<LONG>& points)> points;
};

class KvlExtensionDriver {
public:
    KvlExtensionDriver() = default;
    KvlExtensionDriver(const KvlExtensionDriver&) = delete;
    KvlExtensionDriver& operator=(const KvlExtensionDriver&) = delete;
    ~KvlExtensionDriver();

    // The extension loaded under `progId` (compared without case), loading and attaching it to `chart`
    // on the first request. The result holds a reference.
    HRESULT addExtension(std::string_view progId, com::IUnknown* chart, com::ComPtr<com::IUnknown>& out);
    std::size_t extensionCount() const { return extensions_.size(); }
    // The ProgID and object of a loaded extension, in load order (index below extensionCount()).
    const std::string& progIdAt(std::size_t index) const { return extensions_[index].progId; }
    com::IUnknown* objectAt(std::size_t index) const { return extensions_[index].object.get(); }

    // Activates the gallery that owns `chartType` (deactivating the active one first), or only
    // deactivates when the type is one of the chart's own. E_INVALIDARG for a gallery type that no
    // extension has or that its extension does not enable now; nothing changes then.
    HRESULT setChartType(LONG chartType);
    bool isExtensionType(LONG chartType) const;
    // The active gallery's chart type, or -1.
    LONG activeType() const;

    void notifyNewData();
    // The application wrote the chart's value of (series, point).
    void notifyValueWritten(LONG series, LONG point);
    // The visible X range changed to points first .. last.
    void notifyScroll(LONG first, LONG last);
    // The active gallery's fill of the chart's area (the extension's Paint slot), before the chart
    // paints its own background over it; `scaled` for a printer or metafile DC.
    void paintUnderlay(gdi::DeviceContext* dc, const KvlRect& rect, bool scaled);
    // The rest of the paint bracket of the active gallery. The label loop runs when there is a DC,
    // its labels going to `labels` (may be null). Returns the number of elements the gallery left to
    // the chart, which `left` draws.
    LONG paint(gdi::DeviceContext* dc, const KvlRect& rect, bool scaled, const KvlChartModel& model,
               std::vector<KvlDrawnLabel>* labels, const KvlLeftElements& left = {});
    // The active gallery's property page of a kind; S_FALSE and a null CLSID when it has none or no
    // gallery is active.
    HRESULT pageClsid(LONG kind, com::CLSID* clsid);
    // The pages the active gallery's extension offers for itself (ISpecifyPropertyPages), in its
    // order; none when no gallery is active or the extension offers no list.
    std::vector<com::CLSID> activeExtensionPages();
    // Asks each loaded extension, in load order, for the interface; E_NOINTERFACE when none has it.
    HRESULT queryExtensions(const com::IID& iid, void** object);

    // Deactivates, detaches and releases every extension.
    void unloadAll();

private:
    struct Loaded {
        std::string progId;
        com::ComPtr<com::IUnknown> object;
        com::ComPtr<IKvlExtension> extension;
        com::ComPtr<IKvlExtensionGallery> gallery;  // null for an extension without galleries
        com::ComPtr<IKvlExtensionPaint> painter;
        com::ComPtr<IKvlExtensionScroll> scroller;
        LONG firstType = 0;
        LONG galleryCount = 0;
    };
    struct Active {
        std::size_t extension = 0;
        LONG index = -1;
    };

    Loaded* owner(LONG chartType, LONG* index);
    void deactivate();

    std::vector<Loaded> extensions_;
    Active active_;
    LONG nextType_ = kFirstExtensionGalleryType;
    LONG nextCommandId_ = kFirstExtensionCommandId;
};

}  // namespace korvel

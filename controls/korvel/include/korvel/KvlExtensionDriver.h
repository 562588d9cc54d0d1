// What the chart owes the extensions it hosts: loading them by ProgID and attaching them, numbering
// their galleries as chart types, activating and deactivating a gallery when the chart type changes,
// telling the active gallery about new data, the paint bracket, passing input on, and detaching them
// before they are released.
//
// Order of the calls an extension sees:
//   load:      SetChart (chart), UpdateCommandTexts (first gallery type, first command id)
//   type:      ActivateGallery (old, 0, -1) for the gallery being left, then (new, 1, -1)
//   new data:  NotifyGallery (active, 1)
//   paint:     ActiveGalleryNotify (active, dc, 0, printing), Paint (dc, rect, flags),
//              GalleryCommand per element (first/last flags), OnGalleryNotify (dc, kNotifyPaintEnd, 0)
//   input:     OnMouseInput / OnKeyInput of the active extension, then the installed callback chain
//   unload:    ActivateGallery (active, 0, -1), SetChart (null), then the last reference goes
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "com/ComPtr.h"
#include "korvel/KvlContract.h"

namespace korvel {

class KvlChartModel;

// Chart types below this number are the chart's own; extension galleries are numbered from here.
inline constexpr LONG kFirstExtensionGalleryType = 130;
// Command ids handed to extensions for their gallery commands.
inline constexpr LONG kFirstExtensionCommandId = 30000;

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

    // Activates the gallery that owns `chartType` (deactivating the active one first), or only
    // deactivates when the type is one of the chart's own. E_INVALIDARG for a gallery type that no
    // extension has or that its extension does not enable now; nothing changes then.
    HRESULT setChartType(LONG chartType);
    bool isExtensionType(LONG chartType) const;
    // The active gallery's chart type, or -1.
    LONG activeType() const;

    void notifyNewData();
    // The paint bracket around the chart's own paint; `elements` is the number of points to hand to
    // GalleryCommand for series 0. Returns the number of elements the extension left to the chart.
    LONG paint(gdi::DeviceContext* dc, const KvlRect& rect, bool printing, const KvlChartModel& model);
    // Input for the active extension; true when it asked the chart to do nothing more.
    bool mouseInput(LONG message, LONG x, LONG y);
    bool keyInput(LONG key, LONG flags);

    // Deactivates, detaches and releases every extension.
    void unloadAll();

private:
    struct Loaded {
        std::string progId;
        com::ComPtr<com::IUnknown> object;
        com::ComPtr<IKvlExtension> extension;
        com::ComPtr<IKvlExtensionGallery> gallery;  // null for an extension without galleries
        com::ComPtr<IKvlExtensionPaint> painter;
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

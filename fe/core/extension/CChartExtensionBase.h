// The part of the extension object that binds it to one chart and drives its chart types: the gallery
// array and the active index, attach and detach, the gallery commands, activation with the callback
// chain, and the control-side extension interfaces, each of which forwards to the chart type at the
// active index (or the one an index names).
//
// The chart's site and services are held without a reference, only while attached; the control
// detaches (SetChart (null)) before it lets the extension go.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "com/ComObject.h"
#include "gallery/CGalleryBase.h"
#include "host/CHostChartAdapter.h"
#include "korvel/KvlContract.h"
#include "ostbar/OstBarContract.h"
#include "res/ResourceModule.h"
#include "resources/BuiltInResources.h"
#include "state/ExchangeKeys.h"

namespace dravik {

using korvel::IKvlExtension;
using korvel::IKvlExtensionCallback;
using korvel::IKvlExtensionGallery;
using korvel::IKvlExtensionPaint;
using korvel::IKvlExtensionScroll;
using korvel::IKvlExtensionServices;
using korvel::IKvlExtensionSite;
using korvel::KvlCaption;
using korvel::KvlCoordinate;
using korvel::KvlTextBuffer;

// The constants of the extension handed to the saved state.
inline constexpr com::DWORD kExtensionSignature = 0x10012012;
inline constexpr com::DWORD kExtensionEndSignature = 0x20021021;
inline constexpr LONG kExtensionVersion = static_cast<LONG>(kFormatVersion);
// The mask colour of the extension's image strips.
inline constexpr std::uint32_t kImageMaskColor = 0xC0C0C0;
inline constexpr LONG kImageWidth = 16;

class CChartExtensionBase
    : public com::ComObject<IKvlExtension, IKvlExtensionPaint, IKvlExtensionGallery, IKvlExtensionScroll> {
public:
    CChartExtensionBase(LONG galleryCount, LONG commandGalleryCount, std::uint32_t commandBitmapId,
                        com::DWORD signature, com::DWORD endSignature, LONG version);

    // --- IKvlExtension ---
    // A chart attaches; null detaches.
    HRESULT SetChart(com::IUnknown* chart) override;
    HRESULT GetCaption(KvlCaption* caption) override;
    HRESULT SetHostData(LONG value) override;

    // --- IKvlExtensionPaint ---
    LONG Paint(gdi::DeviceContext* dc, const KvlRect* rect, LONG flags) override;
    LONG OnMouseInput(gdi::DeviceContext* dc, const KvlRect* rect, LONG scaled) override;
    LONG OnKeyInput(gdi::DeviceContext* dc, const KvlRect* rect, LONG reserved) override;
    LONG OnGalleryNotify(gdi::DeviceContext* dc, LONG code, LONG reserved) override;
    LONG ReservedCall() override { return 0; }

    // --- IKvlExtensionGallery ---
    HRESULT UpdateCommandTexts(LONG galleryTypeBase, LONG firstId) override;
    LONG GetGalleryCount() override { return galleryCount_ & 0xFFFF; }
    LONG GetGalleryCapabilities(LONG index) override;
    LONG GetGalleryInfo(LONG index) override;
    LONG GalleryCommand(KvlPaintRecord* record, LONG* kind, LONG* mode) override;
    LONG GalleryQuery(LONG index, LONG what, LONG a, LONG b, LONG c) override;
    LONG IsGalleryEnabled(LONG index) override;
    HRESULT ActivateGallery(LONG index, LONG activate, LONG selector) override;
    HRESULT GetGalleryAxisLabel(LONG index, gdi::DeviceContext* dc, LONG axisCode, LONG major, double* gap,
                                double position, double* value, LONG* labelIndex,
                                KvlTextBuffer* text) override;
    LONG GalleryAction(LONG index, LONG* seriesCount, LONG* pointCount, KvlValueBlock** block, LONG which,
                       LONG subCode) override;
    LONG NotifyGallery(LONG index, LONG code) override;
    LONG ActiveGalleryCall(LONG index, LONG code, LONG a, LONG b) override;
    HRESULT GetPageClsid(LONG index, LONG kind, com::CLSID* clsid) override;
    LONG ActiveGalleryNotify(LONG index, gdi::DeviceContext* dc, LONG force, LONG scaled) override;
    LONG MapGalleryItemId(LONG a, LONG b, LONG id) override;
    HRESULT ConvertCoordinates(LONG index, LONG kind, KvlCoordinate* points, LONG count, LONG reserved,
                               KvlTextBuffer* text) override;
    LONG ModifyGalleryFlags(LONG index, LONG set, LONG clear) override;

    // --- IKvlExtensionScroll: the active chart type's OnScrollChange ---
    LONG OnScrollChange(LONG first, LONG last) override;
    LONG OnScrollPosition(LONG first, LONG last) override;
    LONG ScrollReserved() override { return 0; }

    // --- Further operations ---
    // Installs the extension's callback in the chart (connect) or puts the one before it back.
    virtual void ConnectCallback(LONG connect);
    virtual void OnAttachCommands(com::IUnknown*) {}
    virtual void OnDetachCommands(IKvlExtensionSite*) {}
    virtual void OnActivateCommands(LONG) {}
    virtual void PrepareChart(com::IUnknown*) {}
    virtual void OnDetach(IKvlExtensionSite*) {}
    virtual void AttachHost(IKvlExtensionSite* site);
    virtual void DetachHost(IKvlExtensionSite* site);
    // Loads the language bundle `fileName` (empty: the built-in texts); *loaded := 1 when it loaded.
    virtual HRESULT SetResourceLanguage(const std::u16string& fileName, LONG* loaded);
    virtual void RepaintIfActive();
    const std::shared_ptr<const res::ResourceModule>& GetResourceInstance() const { return resourceModule_; }
    LONG IsAutoResumeOn() const { return autoResume_; }

    // --- State ---
    bool isAttached() const { return site_ != nullptr; }
    IKvlExtensionSite* site() const { return site_; }
    IKvlExtensionServices* services() const { return services_; }
    CHostChartAdapter* adapter() const { return adapter_.get(); }
    SHORT activeIndex() const { return activeIndex_; }
    // The chart type at the active index, or null.
    CGalleryBase* activeGallery() const;
    // The chart type of a good index, or null (bit 15 set or not below the gallery count).
    CGalleryBase* gallery(LONG index) const;
    LONG galleryCount() const { return galleryCount_; }
    LONG commandGalleryCount() const { return commandGalleryCount_; }
    SHORT firstCommandId() const { return firstCommandId_; }
    SHORT firstGalleryType() const { return firstGalleryType_; }
    LONG hostData() const { return hostData_; }
    LONG siteInfo() const { return siteInfo_; }
    com::DWORD signature() const { return signature_; }
    com::DWORD endSignature() const { return endSignature_; }
    LONG version() const { return version_; }
    bool isCallbackConnected() const { return callbackConnected_; }

protected:
    ~CChartExtensionBase() override;

    // The extension's own callback interface, which ConnectCallback installs, and where it keeps the
    // callback installed before it.
    virtual IKvlExtensionCallback* callbackInterface() = 0;
    virtual com::ComPtr<IKvlExtensionCallback>& previousCallbackSlot() = 0;
    // Fills the gallery array; called once by the constructor of the derived class.
    void setGalleries(std::vector<std::unique_ptr<CGalleryBase>> galleries);
    bool isGoodIndex(LONG index) const;
    // The command collection the site reports (QueryInfo kind 26); no commands when it reports none.
    struct CommandCollection {
        com::ComPtr<ostbar::IOstCommands> commands;
        SHORT count = 0;
        LONG containerId = 0;
    };
    CommandCollection reportedCommands() const;
    // The active chart type when auto-resume holds it suspended (input then only resumes it).
    bool activeIsHeldSuspended() const;

    LONG autoResume_ = 0;

private:
    HRESULT attach(com::IUnknown* chart);
    HRESULT detach();
    void removeGalleryCommands();
    HRESULT registerGalleryCommands(com::IUnknown* commands, LONG containerId, LONG galleryTypeBase,
                                    LONG firstId);
    HRESULT renumberGalleryCommands(com::IUnknown* commands, LONG firstId);
    HRESULT activate(SHORT index);
    HRESULT deactivate(SHORT index);

    IKvlExtensionSite* site_ = nullptr;  // no reference, while attached
    LONG hostData_ = 0;
    SHORT firstCommandId_ = -1;
    SHORT firstGalleryType_ = 0;
    std::vector<std::unique_ptr<CGalleryBase>> galleries_;
    LONG galleryCount_;
    LONG commandGalleryCount_;
    IKvlExtensionServices* services_ = nullptr;  // no reference, while attached
    std::unique_ptr<CHostChartAdapter> adapter_;
    com::DWORD signature_;
    com::DWORD endSignature_;
    LONG version_;
    SHORT activeIndex_ = -1;
    std::uint32_t commandBitmapId_;
    LONG siteInfo_ = 0;
    std::shared_ptr<const res::ResourceModule> resourceModule_;
    bool callbackConnected_ = false;
};

}  // namespace dravik

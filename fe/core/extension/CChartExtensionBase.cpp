#include "extension/CChartExtensionBase.h"

#include <algorithm>
#include <array>

#include <QImage>
#include <QString>

#include "gdi/DeviceContext.h"
#include "gdi/Objects.h"
#include "gdi/SystemColors.h"
#include "ostbar/OstBarContract.h"
#include "res/LanguageBundle.h"
#include "res/ModuleRegistry.h"
#include "resources/ResourceText.h"

namespace dravik {
namespace {

// The colour behind the chart types when the site asks for the fixed colour table (its entry 2).
constexpr com::COLORREF kFixedActiveCaptionColor = 0x800000;
constexpr int kBackgroundColorIndex = gdi::COLOR_ACTIVECAPTION;
// Characters of a chart type's name given to its command.
constexpr LONG kGalleryNameSize = 56;

}  // namespace

CChartExtensionBase::CChartExtensionBase(LONG galleryCount, LONG commandGalleryCount,
                                         std::uint32_t commandBitmapId, com::DWORD signature,
                                         com::DWORD endSignature, LONG version)
    : galleryCount_(galleryCount),
      commandGalleryCount_(commandGalleryCount),
      signature_(signature),
      endSignature_(endSignature),
      version_(version),
      commandBitmapId_(commandBitmapId),
      resourceModule_(BuiltInResources()) {
    galleries_.resize(static_cast<std::size_t>(galleryCount));
}

CChartExtensionBase::~CChartExtensionBase() = default;

CChartExtensionBase::CommandCollection CChartExtensionBase::reportedCommands() const {
    CommandCollection result;
    if (!site_)
        return result;
    korvel::KvlInfoRecord record;
    record.kind = korvel::kInfoCommands;
    const LONG status = site_->QueryInfo(&record);
    const auto collection = com::ComPtr<com::IUnknown>::attach(record.commands);
    if (com::FAILED(status) || !collection)
        return result;
    result.commands = collection.as<ostbar::IOstCommands>();
    result.count = record.commandCount;
    result.containerId = record.containerId;
    return result;
}

void CChartExtensionBase::setGalleries(std::vector<std::unique_ptr<CGalleryBase>> galleries) {
    galleries_ = std::move(galleries);
    galleries_.resize(static_cast<std::size_t>(galleryCount_));
}

bool CChartExtensionBase::isGoodIndex(LONG index) const {
    return (index & 0x8000) == 0 && index >= 0 && index < galleryCount_;
}

CGalleryBase* CChartExtensionBase::gallery(LONG index) const {
    return isGoodIndex(index) ? galleries_[static_cast<std::size_t>(index)].get() : nullptr;
}

CGalleryBase* CChartExtensionBase::activeGallery() const {
    return activeIndex_ < 0 ? nullptr : gallery(activeIndex_);
}

bool CChartExtensionBase::activeIsHeldSuspended() const {
    CGalleryBase* active = activeGallery();
    return IsAutoResumeOn() && active && active->IsSuspended();
}

// --- Attach and detach ---------------------------------------------------------------------------------

HRESULT CChartExtensionBase::SetChart(com::IUnknown* chart) {
    return chart ? attach(chart) : detach();
}

HRESULT CChartExtensionBase::attach(com::IUnknown* chart) {
    if (site_)
        return com::E_FAIL;
    com::ComPtr<IKvlExtensionSite> site;
    if (com::FAILED(chart->QueryInterface(IKvlExtensionSite::iid, site.putVoid())) || !site)
        return com::E_FAIL;
    site_ = site.get();
    siteInfo_ = site_->QueryInfo(nullptr);
    AttachHost(site_);
    OnAttachCommands(chart);
    PrepareChart(chart);
    return com::S_OK;  // the reference taken above goes; the site stays held without one
}

HRESULT CChartExtensionBase::detach() {
    if (!site_)
        return com::S_OK;
    // The chart deactivates first; should it not have, the chart must not keep calling a callback of
    // an extension that is leaving.
    if (activeIndex_ >= 0)
        ActivateGallery(activeIndex_, 0, -1);
    removeGalleryCommands();
    IKvlExtensionSite* site = site_;
    OnDetachCommands(site);
    OnDetach(site);
    DetachHost(site);
    site_ = nullptr;
    return com::S_OK;
}

void CChartExtensionBase::removeGalleryCommands() {
    // Without registered commands there is nothing of ours in the container: ids counted from -1 would
    // name the chart's own commands.
    if (firstCommandId_ < 0)
        return;
    const CommandCollection collection = reportedCommands();
    if (!collection.commands || collection.count == 0)
        return;
    com::ComPtr<ostbar::IOstCommandContainer> container;
    if (com::FAILED(collection.commands->GetContainer(collection.containerId, container.put())) || !container)
        return;
    for (LONG i = 0; i < commandGalleryCount_; ++i) {
        SHORT position = -1;
        container->PositionOf(static_cast<SHORT>(firstCommandId_ + i), &position);
        if (position != -1)
            container->RemoveAt(position);
    }
}

void CChartExtensionBase::AttachHost(IKvlExtensionSite* site) {
    com::ComPtr<IKvlExtensionServices> services;
    site->QueryInterface(IKvlExtensionServices::iid, services.putVoid());
    services_ = services.get();  // kept without a reference while attached
    adapter_ = CreateHostChartAdapter(site);
}

void CChartExtensionBase::DetachHost(IKvlExtensionSite*) {
    services_ = nullptr;
    adapter_.reset();
}

HRESULT CChartExtensionBase::GetCaption(KvlCaption* caption) {
    if (!caption)
        return com::E_POINTER;
    *caption = KvlCaption{};
    caption->flags = 1;
    resourceModule_->loadString(kCaptionStringId, caption->caption, sizeof caption->caption);
    return com::S_OK;
}

HRESULT CChartExtensionBase::SetHostData(LONG value) {
    hostData_ = value;
    return com::S_OK;
}

// --- Gallery commands ----------------------------------------------------------------------------------

HRESULT CChartExtensionBase::UpdateCommandTexts(LONG galleryTypeBase, LONG firstId) {
    const CommandCollection collection = reportedCommands();
    if (!collection.commands)
        return com::S_OK;
    if (firstCommandId_ == -1)
        return registerGalleryCommands(collection.commands.get(), collection.containerId, galleryTypeBase,
                                       firstId);
    const HRESULT result = renumberGalleryCommands(collection.commands.get(), firstId);
    if (com::SUCCEEDED(result))
        firstGalleryType_ = static_cast<SHORT>(galleryTypeBase);
    return result;
}

HRESULT CChartExtensionBase::registerGalleryCommands(com::IUnknown* unknown, LONG containerId,
                                                     LONG galleryTypeBase, LONG firstId) {
    auto* commands = static_cast<ostbar::IOstCommands*>(unknown);
    // The images come from the extension's own module, whatever language is selected.
    const auto strip = BuiltInResources()->bitmap(commandBitmapId_);
    LONG firstImage = -1;
    if (!strip || com::FAILED(commands->AddBitmap(&*strip, kImageWidth, kImageMaskColor, &firstImage)))
        return com::E_POINTER;
    firstCommandId_ = static_cast<SHORT>(firstId);
    firstGalleryType_ = static_cast<SHORT>(galleryTypeBase);
    for (LONG i = 0; i < commandGalleryCount_; ++i) {
        CGalleryBase* type = gallery(i);
        com::ComPtr<ostbar::IOstCommand> command;
        if (!type || com::FAILED(commands->Add(static_cast<SHORT>(firstId + i), command.put())) || !command)
            return com::E_POINTER;
        std::array<char, kGalleryNameSize> name{};
        type->GetName(name.data(), kGalleryNameSize);
        command->put_Text(com::Bstr::fromUtf8(name.data()));
        command->put_Image(static_cast<SHORT>(firstImage + i));
        command->put_Style(type->GetGalleryFlags());
    }
    com::ComPtr<ostbar::IOstCommandContainer> container;
    if (com::FAILED(commands->GetContainer(containerId, container.put())) || !container)
        return com::E_POINTER;
    SHORT position = 0;
    if (com::FAILED(container->get_InsertPosition(&position)))
        return com::E_POINTER;
    position = std::max<SHORT>(position, 0);
    for (LONG i = 0; i < commandGalleryCount_; ++i) {
        if (com::FAILED(
                container->InsertAt(static_cast<SHORT>(position + i), static_cast<SHORT>(firstId + i))))
            return com::E_POINTER;
    }
    return com::S_OK;
}

HRESULT CChartExtensionBase::renumberGalleryCommands(com::IUnknown* unknown, LONG firstId) {
    auto* commands = static_cast<ostbar::IOstCommands*>(unknown);
    for (LONG i = 0; i < commandGalleryCount_; ++i) {
        com::ComPtr<ostbar::IOstCommand> command;
        if (com::FAILED(commands->Item(static_cast<SHORT>(firstCommandId_ + i), command.put())) || !command ||
            com::FAILED(command->put_Id(static_cast<SHORT>(firstId + i))))
            return com::E_POINTER;
    }
    // Detaching removes the commands by their current ids.
    firstCommandId_ = static_cast<SHORT>(firstId);
    return com::S_OK;
}

// --- Activation and the callback chain -----------------------------------------------------------------

HRESULT CChartExtensionBase::ActivateGallery(LONG index, LONG activate, LONG selector) {
    if (!isGoodIndex(index))
        return com::E_INVALIDARG;
    if (selector != -1)
        return com::S_OK;
    return activate ? this->activate(static_cast<SHORT>(index)) : deactivate(static_cast<SHORT>(index));
}

HRESULT CChartExtensionBase::activate(SHORT index) {
    if (index == activeIndex_)
        return com::S_OK;
    if (activeIndex_ >= 0)
        deactivate(activeIndex_);
    activeIndex_ = index;
    if (!site_)
        return com::S_OK;
    ConnectCallback(1);
    OnActivateCommands(1);
    return gallery(index)->Activate(1, -1);
}

HRESULT CChartExtensionBase::deactivate(SHORT index) {
    if (index != activeIndex_)
        return com::S_OK;
    LONG result = 0;
    if (site_) {
        ConnectCallback(0);
        result = gallery(index)->Activate(0, -1);
        OnActivateCommands(0);
        if (adapter_)
            adapter_->RefreshData(0);
    }
    activeIndex_ = -1;
    return result;
}

void CChartExtensionBase::ConnectCallback(LONG connect) {
    com::ComPtr<IKvlExtensionCallback>& previous = previousCallbackSlot();
    if (!adapter_ || (connect != 0) == callbackConnected_)
        return;
    IKvlExtensionCallback* own = callbackInterface();
    if (connect) {
        IKvlExtensionCallback* before = nullptr;
        if (com::FAILED(adapter_->AdviseCallback(own, &before)))
            return;
        previous = com::ComPtr<IKvlExtensionCallback>::attach(before);
        // Our own callback as its own predecessor would pass every call to itself forever.
        if (previous.get() == own)
            previous.reset();
        callbackConnected_ = true;
        return;
    }
    IKvlExtensionCallback* replaced = nullptr;
    adapter_->AdviseCallback(previous.get(), &replaced);

    const auto dropped = com::ComPtr<IKvlExtensionCallback>::attach(replaced);
    previous.reset();
    callbackConnected_ = false;
}

// --- Forwarding to the chart types ---------------------------------------------------------------------

LONG CChartExtensionBase::Paint(gdi::DeviceContext* dc, const KvlRect* rect, LONG flags) {
    if (dc && rect) {
        const gdi::Rect area{rect->left, rect->top, rect->right, rect->bottom};
        if (siteInfo_ == 0) {
            dc->fillRect(area, gdi::getSysColorBrush(kBackgroundColorIndex));
        } else {
            const gdi::HBRUSH brush = gdi::createSolidBrush(kFixedActiveCaptionColor);
            dc->fillRect(area, brush);
            gdi::deleteObject(brush);
        }
    }
    CGalleryBase* active = activeGallery();
    return active ? active->Paint(dc, rect, flags) : 0;
}

LONG CChartExtensionBase::OnMouseInput(gdi::DeviceContext* dc, const KvlRect* rect, LONG scaled) {
    CGalleryBase* active = activeGallery();
    if (!active)
        return 0;
    if (activeIsHeldSuspended()) {
        active->Resume();
        return 0;
    }
    return active->OnMouseInput(dc, rect, scaled);
}

LONG CChartExtensionBase::OnKeyInput(gdi::DeviceContext* dc, const KvlRect* rect, LONG reserved) {
    if (activeIsHeldSuspended())
        return 0;
    CGalleryBase* active = activeGallery();
    return active ? active->OnKeyInput(dc, rect, reserved) : 0;
}

LONG CChartExtensionBase::OnGalleryNotify(gdi::DeviceContext* dc, LONG code, LONG reserved) {
    CGalleryBase* active = activeGallery();
    return active ? active->OnGalleryNotify(dc, code, reserved) : 0;
}

LONG CChartExtensionBase::GetGalleryCapabilities(LONG index) {
    CGalleryBase* type = gallery(index);
    return type ? type->GetGalleryFlags() : 0;
}

LONG CChartExtensionBase::GetGalleryInfo(LONG index) {
    CGalleryBase* type = gallery(index);
    return type ? type->GetGalleryInfo() : 0;
}

LONG CChartExtensionBase::GalleryCommand(KvlPaintRecord* record, LONG* kind, LONG* mode) {
    if (activeIsHeldSuspended() || !record)
        return 0;
    CGalleryBase* type = gallery(record->galleryIndex);
    return type ? type->DrawPoint(kind, record, mode) : 0;
}

LONG CChartExtensionBase::GalleryQuery(LONG index, LONG what, LONG a, LONG b, LONG c) {
    CGalleryBase* type = gallery(index);
    return type ? type->GalleryQuery(what, a, b, c) : -1;
}

LONG CChartExtensionBase::IsGalleryEnabled(LONG index) {
    return isGoodIndex(index) ? 1 : 0;
}

HRESULT CChartExtensionBase::GetGalleryAxisLabel(LONG index, gdi::DeviceContext* dc, LONG axisCode,
                                                 LONG major, double* gap, double position, double* value,
                                                 LONG* labelIndex, KvlTextBuffer* text) {
    CGalleryBase* type = gallery(index);
    if (!type)
        return com::E_INVALIDARG;
    return type->GetAxisLabel(dc, axisCode, major, gap, position, value, labelIndex, text);
}

LONG CChartExtensionBase::GalleryAction(LONG index, LONG* seriesCount, LONG* pointCount,
                                        KvlValueBlock** block, LONG which, LONG subCode) {
    CGalleryBase* type = gallery(index);
    return type ? type->GalleryAction(seriesCount, pointCount, block, which, subCode) : 0;
}

LONG CChartExtensionBase::NotifyGallery(LONG index, LONG code) {
    CGalleryBase* type = gallery(index);
    return type && site_ ? type->OnSetState(code) : 0;
}

LONG CChartExtensionBase::ActiveGalleryCall(LONG index, LONG code, LONG a, LONG b) {
    CGalleryBase* active = activeGallery();
    if (!isGoodIndex(index) || !active)
        return 0;
    return active->ActiveGalleryCall(code, a, b);
}

HRESULT CChartExtensionBase::GetPageClsid(LONG, LONG, com::CLSID* clsid) {
    if (!clsid)
        return com::E_POINTER;
    *clsid = com::GUID_NULL;
    return com::S_FALSE;
}

LONG CChartExtensionBase::ActiveGalleryNotify(LONG index, gdi::DeviceContext* dc, LONG force, LONG scaled) {
    CGalleryBase* active = activeGallery();
    if (!active || index != activeIndex_)
        return 0;
    return active->OnActiveNotify(dc, force, scaled);
}

LONG CChartExtensionBase::MapGalleryItemId(LONG, LONG, LONG id) {
    return id;
}

HRESULT CChartExtensionBase::ConvertCoordinates(LONG, LONG, KvlCoordinate*, LONG, LONG, KvlTextBuffer*) {
    return com::S_OK;
}

LONG CChartExtensionBase::ModifyGalleryFlags(LONG index, LONG set, LONG clear) {
    if (index == -1) {
        LONG oldFlags = 0;
        for (LONG i = 0; i < galleryCount_; ++i) {
            if (CGalleryBase* type = gallery(i))
                oldFlags |= type->ModifyFlags(set, clear);
        }
        return oldFlags;
    }
    CGalleryBase* type = gallery(index);
    return type ? type->ModifyFlags(set, clear) : 0;
}

LONG CChartExtensionBase::OnScrollChange(LONG first, LONG last) {
    CGalleryBase* active = activeGallery();
    return active ? active->OnScrollChange(first, last) : 0;
}

LONG CChartExtensionBase::OnScrollPosition(LONG first, LONG last) {
    CGalleryBase* active = activeGallery();
    return active ? active->OnScrollChange(first, last) : 0;
}

// --- Resources and repainting --------------------------------------------------------------------------

HRESULT CChartExtensionBase::SetResourceLanguage(const std::u16string& fileName, LONG* loaded) {
    const auto builtIn = BuiltInResources();
    const res::BundleLoad load = res::LanguageBundle::load(QStringView(fileName).toString(), builtIn);
    resourceModule_ = load.module ? load.module : builtIn;
    res::ModuleRegistry::setCurrent(QString::fromLatin1(kResourceComponent), resourceModule_);
    if (loaded)
        *loaded = load.loaded() ? 1 : 0;
    return com::S_OK;
}

void CChartExtensionBase::RepaintIfActive() {
    if (site_ && activeIndex_ >= 0)
        site_->Refresh(korvel::kRefreshRepaint, 0);
}

}  // namespace dravik

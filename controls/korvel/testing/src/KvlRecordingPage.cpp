#include "korvel/testing/KvlRecordingPage.h"

#include <QWidget>

#include "com/ComPtr.h"

namespace korvel::testing {

class KvlRecordingPage::Page final : public ui::PropertyPage {
public:
    ~Page() override { KvlRecordingPage::lastBinding().extension = nullptr; }

    QString title() const override { return QStringLiteral("Recording"); }
    void setPageSite(ui::PropertyPageSite*) override {}
    HRESULT setObjects(std::span<com::IUnknown* const> objects) override {
        KvlPageBinding& binding = KvlRecordingPage::lastBinding();
        binding = KvlPageBinding{};
        site_.reset();
        extension_.reset();
        binding.result = bind(objects);
        if (com::SUCCEEDED(binding.result)) {
            binding.extension = extension_.get();
            binding.colourCount = colours_;
        }
        return binding.result;
    }
    QWidget* activate(QWidget* parent) override { return new QWidget(parent); }
    void deactivate() override {}
    HRESULT isPageDirty() const override { return com::S_FALSE; }
    HRESULT apply() override { return com::S_FALSE; }

private:
    HRESULT bind(std::span<com::IUnknown* const> objects) {
        if (objects.empty() || !objects.front())
            return com::E_INVALIDARG;
        com::ComPtr<IKvlExtensionSite> site;
        if (com::FAILED(objects.front()->QueryInterface(IKvlExtensionSite::iid, site.putVoid())))
            return com::E_INVALIDARG;
        com::ComPtr<IKvlRecordingInfo> extension;
        if (com::FAILED(site->QueryInterface(IKvlRecordingInfo::iid, extension.putVoid())))
            return com::E_INVALIDARG;
        com::ComPtr<IKvlExtensionServices> services;
        colours_ = 0;
        if (com::SUCCEEDED(site->QueryInterface(IKvlExtensionServices::iid, services.putVoid())))
            services->GetProperty(&colours_, nullptr, 0, kPalette);
        site_ = std::move(site);
        extension_ = std::move(extension);
        return com::S_OK;
    }

    com::ComPtr<IKvlExtensionSite> site_;
    com::ComPtr<IKvlRecordingInfo> extension_;
    LONG colours_ = 0;
};

KvlRecordingPage::KvlRecordingPage() : page_(std::make_unique<Page>()) {}

KvlRecordingPage::~KvlRecordingPage() = default;

KvlPageBinding& KvlRecordingPage::lastBinding() {
    static KvlPageBinding binding;
    return binding;
}

ui::PropertyPage* KvlRecordingPage::GetPage() {
    return page_.get();
}

}  // namespace korvel::testing

#include "ui/PropertyPageObject.h"

#include "com/Activation.h"
#include "com/ComPtr.h"

namespace ui {

namespace {

// The frame's owned page in front of a page object: every call goes to the object's page, and the
// object lives as long as this does.
class AdoptedPage final : public PropertyPage {
public:
    AdoptedPage(com::ComPtr<IPropertyPageObject> object, PropertyPage* page)
        : object_(std::move(object)), page_(page) {}

    QString title() const override { return page_->title(); }
    void setPageSite(PropertyPageSite* site) override { page_->setPageSite(site); }
    com::HRESULT setObjects(std::span<com::IUnknown* const> objects) override {
        return page_->setObjects(objects);
    }
    QWidget* activate(QWidget* parent) override { return page_->activate(parent); }
    void deactivate() override { page_->deactivate(); }
    void show(bool shown) override { page_->show(shown); }
    com::HRESULT isPageDirty() const override { return page_->isPageDirty(); }
    com::HRESULT apply() override { return page_->apply(); }
    void editProperty(com::DISPID dispid) override { page_->editProperty(dispid); }

private:
    com::ComPtr<IPropertyPageObject> object_;
    PropertyPage* page_;
};

}  // namespace

std::unique_ptr<PropertyPage> adoptPageObject(IPropertyPageObject* object) {
    if (!object)
        return nullptr;
    PropertyPage* page = object->GetPage();
    if (!page)
        return nullptr;
    return std::make_unique<AdoptedPage>(com::ComPtr<IPropertyPageObject>(object), page);
}

PropertyPageFactory classRegistryPageFactory() {
    return [](const com::CLSID& clsid) -> std::unique_ptr<PropertyPage> {
        com::ComPtr<IPropertyPageObject> object;
        if (com::FAILED(com::createInstance(clsid, object)))
            return nullptr;
        return adoptPageObject(object.get());
    };
}

}  // namespace ui

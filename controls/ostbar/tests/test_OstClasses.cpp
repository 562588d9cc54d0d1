#include <gtest/gtest.h>

#include "com/Activation.h"
#include "ostbar/OstBarContract.h"

namespace ostbar {
namespace {

TEST(OstClasses, CommandBarIsCreatableInProcess) {
    com::ComPtr<IOstCommandBar> bar;
    ASSERT_EQ(com::CoCreateInstance(CLSID_OstCommandBar, nullptr, IID_IOstCommandBar, bar.putVoid()),
              com::S_OK);
    // The bar's interfaces are one object.
    auto toolbar = bar.as<IOstToolbar>();
    auto menu = bar.as<IOstMenu>();
    auto obj = bar.as<IOstToolbarObj>();
    ASSERT_TRUE(toolbar && menu && obj);
    com::ComPtr<IOstToolbar> fromBar;
    bar->GetToolbar(fromBar.put());
    EXPECT_EQ(fromBar.get(), toolbar.get());
    com::ComPtr<IOstCommandBar> byName;
    EXPECT_EQ(com::createInstance(kCommandBarProgId, byName), com::S_OK);
}

// An object that wraps the tool, as the studies tool of an extension does.
class Outer final : public com::ComObject<com::IUnknown> {
public:
    Outer() { com::CoCreateInstance(CLSID_OstTool, this, com::IID_IUnknown, inner_.putVoid()); }
    com::IUnknown* inner() const { return inner_.get(); }

protected:
    HRESULT queryAggregate(const com::IID& iid, void** object) override {
        return inner_ ? inner_->QueryInterface(iid, object) : com::E_NOINTERFACE;
    }

private:
    ~Outer() override = default;
    com::ComPtr<com::IUnknown> inner_;
};

TEST(OstClasses, ToolCanBeAggregated) {
    auto outer = com::makeComObject<Outer>();
    ASSERT_NE(outer->inner(), nullptr);
    auto tool = com::ComPtr<com::IUnknown>(outer.get()).as<IOstTool>();
    ASSERT_TRUE(tool);
    // The tool answers for the outer object: asking it for IUnknown gives the outer identity.
    auto identity = tool.as<com::IUnknown>();
    EXPECT_EQ(identity.get(), static_cast<com::IUnknown*>(outer.get()));

    LONG style = 0;
    tool->get_Style(&style);
    EXPECT_EQ(style, kToolStyleDocked);
    // The studies tool's "float" command: bit 0x20 off, bit 4 on.
    tool->put_Style((style ^ kToolStyleDocked) | kToolStyleFloating);
    tool->get_Style(&style);
    EXPECT_EQ(style, kToolStyleFloating);
    EXPECT_EQ(tool->put_DockPosition(6), com::E_INVALIDARG);
    EXPECT_EQ(tool->put_DockPosition(3), com::S_OK);
    LONG dock = 0;
    tool->get_DockPosition(&dock);
    EXPECT_EQ(dock, 3);
}

TEST(OstClasses, ToolRefusesAggregationForAnInterface) {
    com::ComPtr<IOstTool> tool;
    auto outer = com::makeComObject<Outer>();
    EXPECT_EQ(com::CoCreateInstance(CLSID_OstTool, outer.get(), IID_IOstTool, tool.putVoid()),
              com::CLASS_E_NOAGGREGATION);
}

}  // namespace
}  // namespace ostbar

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

#include "ui/PropertyFrame.h"

using namespace ui;

namespace {

constexpr com::CLSID kScalePage{0x11111111, 0x2222, 0x3333, {1, 2, 3, 4, 5, 6, 7, 8}};
constexpr com::CLSID kGridPage{0x11111111, 0x2222, 0x3333, {1, 2, 3, 4, 5, 6, 7, 9}};
constexpr com::CLSID kUnknownPage{0x99999999, 0x2222, 0x3333, {1, 2, 3, 4, 5, 6, 7, 9}};

struct PageLog {
    int applies = 0;
    std::size_t objects = 0;
};

class FakePage final : public PropertyPage {
public:
    FakePage(QString title, PageLog& log, bool refuseObjects = false)
        : title_(std::move(title)), log_(log), refuse_(refuseObjects) {}

    QString title() const override { return title_; }
    void setPageSite(PropertyPageSite* site) override { site_ = site; }
    com::HRESULT setObjects(std::span<com::IUnknown* const> objects) override {
        log_.objects = objects.size();
        return refuse_ ? com::E_INVALIDARG : com::S_OK;
    }
    QWidget* activate(QWidget* parent) override { return new QLabel(title_, parent); }
    void deactivate() override {}
    com::HRESULT isPageDirty() const override { return dirty_ ? com::S_OK : com::S_FALSE; }
    com::HRESULT apply() override {
        if (!dirty_)
            return com::S_FALSE;
        ++log_.applies;
        dirty_ = false;
        return com::S_OK;
    }

    void markDirty() {
        dirty_ = true;
        site_->onStatusChange(PROPPAGESTATUS_DIRTY | PROPPAGESTATUS_VALIDATE);
    }

private:
    QString title_;
    PageLog& log_;
    bool refuse_;
    PropertyPageSite* site_ = nullptr;
    bool dirty_ = false;
};

struct Fixture {
    PageLog scale, grid;
    PropertyFrameRequest request;
    PropertyPageFactory factory = [this](const com::CLSID& clsid) -> std::unique_ptr<PropertyPage> {
        if (clsid == kScalePage)
            return std::make_unique<FakePage>("Scale", scale);
        if (clsid == kGridPage)
            return std::make_unique<FakePage>("Grid", grid);
        return nullptr;
    };
    Fixture() {
        request.caption = "Axis";
        request.objects = {nullptr};
        request.pages = {kScalePage, kUnknownPage, kGridPage};
    }
};

}  // namespace

TEST(PropertyFrame, ApplyIsEnabledOnlyAfterAPageReportsDirty) {
    Fixture f;
    PropertyFrame frame(f.request, f.factory);
    ASSERT_EQ(frame.pageCount(), 2u) << "the unknown class id is left out";
    EXPECT_EQ(f.scale.objects, 1u);
    QPushButton* apply = frame.button(ID_APPLY_NOW);
    ASSERT_NE(apply, nullptr);
    EXPECT_EQ(frame.button(1)->property("controlId").toInt(), 1);
    EXPECT_EQ(frame.button(2)->property("controlId").toInt(), 2);
    EXPECT_FALSE(apply->isEnabled());

    static_cast<FakePage*>(frame.page(1))->markDirty();
    EXPECT_TRUE(apply->isEnabled());
    apply->click();
    EXPECT_EQ(f.grid.applies, 1);
    EXPECT_EQ(f.scale.applies, 0) << "a clean page is not applied";
    EXPECT_FALSE(apply->isEnabled());
}

TEST(PropertyFrame, OkAppliesEachDirtyPageOnceAndCloses) {
    Fixture f;
    PropertyFrame frame(f.request, f.factory);
    static_cast<FakePage*>(frame.page(0))->markDirty();
    static_cast<FakePage*>(frame.page(1))->markDirty();
    frame.button(1)->click();
    EXPECT_EQ(f.scale.applies, 1);
    EXPECT_EQ(f.grid.applies, 1);
    EXPECT_EQ(frame.result(), QDialog::Accepted);
}

TEST(PropertyFrame, CancelAppliesNothing) {
    Fixture f;
    PropertyFrame frame(f.request, f.factory);
    static_cast<FakePage*>(frame.page(0))->markDirty();
    frame.button(2)->click();
    EXPECT_EQ(f.scale.applies, 0);
    EXPECT_EQ(frame.result(), QDialog::Rejected);
}

TEST(PropertyFrame, NoPagesIsAnError) {
    PageLog log;
    PropertyFrameRequest request;
    request.pages = {kScalePage};
    auto refusing = [&](const com::CLSID&) { return std::make_unique<FakePage>("Scale", log, true); };
    EXPECT_EQ(showPropertyFrame(request, refusing), com::E_INVALIDARG);
}

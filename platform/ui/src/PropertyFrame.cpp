#include "ui/PropertyFrame.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace ui {

class PropertyFrame::Site final : public PropertyPageSite {
public:
    Site(PropertyFrame& frame) : frame_(frame) {}
    void onStatusChange(std::uint32_t) override { frame_.updateApply(); }
    com::LCID locale() const override { return frame_.locale_; }

private:
    PropertyFrame& frame_;
};

PropertyFrame::PropertyFrame(const PropertyFrameRequest& request, const PropertyPageFactory& factory)
    : QDialog(request.owner), locale_(request.locale) {
    // Its pages are dialog templates, laid out left to right also in a program that reads right to left.
    setLayoutDirection(Qt::LeftToRight);
    setWindowTitle(request.caption);
    tabs_ = new QTabWidget(this);
    auto* buttons = new QDialogButtonBox(this);
    ok_ = buttons->addButton(tr("OK"), QDialogButtonBox::AcceptRole);
    cancel_ = buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
    apply_ = buttons->addButton(tr("&Apply"), QDialogButtonBox::ApplyRole);
    ok_->setProperty("controlId", 1);
    cancel_->setProperty("controlId", 2);
    apply_->setProperty("controlId", ID_APPLY_NOW);
    ok_->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons);

    const std::span<com::IUnknown* const> objects(request.objects);
    int initial = -1;
    for (const com::CLSID& clsid : request.pages) {
        std::unique_ptr<PropertyPage> page = factory ? factory(clsid) : nullptr;
        if (!page)
            continue;
        auto site = std::make_unique<Site>(*this);
        page->setPageSite(site.get());
        if (com::FAILED(page->setObjects(objects))) {
            page->setPageSite(nullptr);
            continue;
        }
        if (request.initialProperty != 0)
            page->editProperty(request.initialProperty);
        if (!request.initialPage.isNull() && clsid == request.initialPage && initial < 0)
            initial = static_cast<int>(pages_.size());
        addPage(std::move(page), std::move(site));
    }
    fitPages();
    if (initial > 0)
        tabs_->setCurrentIndex(initial);
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int current) {
        for (std::size_t i = 0; i < pages_.size(); ++i)
            pages_[i]->show(static_cast<int>(i) == current);
    });
    connect(ok_, &QPushButton::clicked, this, &PropertyFrame::onOk);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(apply_, &QPushButton::clicked, this, [this] { applyAll(); });
    updateApply();
}

void PropertyFrame::addPage(std::unique_ptr<PropertyPage> page, std::unique_ptr<Site> site) {
    QWidget* widget = page->activate(tabs_);
    if (!widget)
        widget = new QWidget(tabs_);
    // A page laid out from a dialog template places its controls itself and offers no size hint: the
    // size it was made at, or the extent of its controls, is what it needs.
    const QRect controls = widget->childrenRect();
    widget->setMinimumSize(widget->size().expandedTo(QSize(controls.right() + 1, controls.bottom() + 1)));
    tabs_->addTab(widget, page->title());
    pages_.push_back(std::move(page));
    sites_.push_back(std::move(site));
}

void PropertyFrame::fitPages() {
    layout()->activate();
    resize(sizeHint().expandedTo(minimumSizeHint()));
}

PropertyFrame::~PropertyFrame() {
    for (auto& page : pages_) {
        page->deactivate();
        page->setPageSite(nullptr);
    }
}

PropertyPage* PropertyFrame::page(std::size_t index) const {
    return index < pages_.size() ? pages_[index].get() : nullptr;
}

QPushButton* PropertyFrame::button(int id) const {
    switch (id) {
        case 1:
            return ok_;
        case 2:
            return cancel_;
        case ID_APPLY_NOW:
            return apply_;
        default:
            return nullptr;
    }
}

void PropertyFrame::updateApply() {
    bool dirty = false;
    for (const auto& page : pages_)
        dirty = dirty || page->isPageDirty() == com::S_OK;
    apply_->setEnabled(dirty);
}

bool PropertyFrame::applyAll() {
    bool ok = true;
    for (const auto& page : pages_) {
        if (page->isPageDirty() != com::S_OK)
            continue;
        if (com::FAILED(page->apply()))
            ok = false;
    }
    updateApply();
    return ok;
}

void PropertyFrame::onOk() {
    // A page that refuses its values keeps the frame open so the user can correct them.
    if (applyAll())
        accept();
}

com::HRESULT showPropertyFrame(const PropertyFrameRequest& request, const PropertyPageFactory& factory) {
    PropertyFrame frame(request, factory);
    if (frame.pageCount() == 0)
        return com::E_INVALIDARG;
    frame.exec();
    return com::S_OK;
}

}  // namespace ui

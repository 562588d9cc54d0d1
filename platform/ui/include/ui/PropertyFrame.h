// A modal property frame: one tab per page, pages created by class id, with OK (id 1),
// Cancel (id 2) and Apply (id 12321). Apply is enabled while any page reports itself dirty.
//
// Pages are made by a factory callback from their class ids, so that the frame does not depend on
// how classes are registered; a class id the factory does not know is left out.
#pragma once

#include <memory>
#include <vector>

#include <QDialog>

#include "ui/PropertyFrameRequest.h"

class QPushButton;
class QTabWidget;

namespace ui {

class PropertyFrame final : public QDialog {
    Q_OBJECT
public:
    PropertyFrame(const PropertyFrameRequest& request, const PropertyPageFactory& factory);
    ~PropertyFrame() override;

    std::size_t pageCount() const { return pages_.size(); }
    PropertyPage* page(std::size_t index) const;
    QPushButton* button(int id) const;

    // Applies every dirty page once; false when one failed (the rest are still applied).
    bool applyAll();

private:
    class Site;
    void addPage(std::unique_ptr<PropertyPage> page, std::unique_ptr<Site> site);
    void fitPages();
    void updateApply();
    void onOk();

    std::vector<std::unique_ptr<Site>> sites_;
    std::vector<std::unique_ptr<PropertyPage>> pages_;
    QTabWidget* tabs_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* apply_ = nullptr;
    com::LCID locale_;
};

}  // namespace ui

// DrawPage, the property page of the chart's drawings: the user picks a drawing from the list and edits
// its anchor dates, whether it follows the selected prices or a series, its colour, line style and
// width; he removes a drawing or opens its parameter dialog. Apply writes the edited drawing and raises
// DrawPageCommit; choosing another drawing applies the pending changes first.
//
// The page works on the extension's own drawing list, so it binds only to the extension object of
// this library.
#pragma once

#include <cstdint>
#include <memory>

#include "com/ComObject.h"
#include "pages/CFinancialPropertyPage.h"
#include "pages/DrawingValueControls.h"
#include "ui/PropertyPageObject.h"

namespace dravik {

class IDrawingPageOwner;

inline constexpr int IDC_DRAW_LIST = 564;
inline constexpr int IDC_DRAW_REMOVE = 569;
inline constexpr std::uint32_t kDrawPageTitleId = 344;

class CDrawPage final : public CFinancialPropertyPage {
public:
    CDrawPage();

    // The list index of the drawing being edited; -1 none.
    int currentDrawing() const;

protected:
    com::HRESULT BindPage() override;
    void ReleasePage() override;
    void LoadPage(ui::Dialog& dialog) override;
    com::HRESULT ApplyPage(ui::Dialog& dialog) override;
    bool onCommand(ui::Dialog& dialog, int id, int code) override;
    void onDrawItem(ui::Dialog& dialog, const ui::DrawItem& item) override;

private:
    DrawingControlContext context() const;
    void fillDrawingList(ui::Dialog& dialog);
    // The drawing the page opens on: the one the chart has selected, else the first (-1: none).
    int openingDrawing() const;
    // Shows the drawing at list index `index` (-1: none).
    void showDrawing(ui::Dialog& dialog, int index);
    void chooseDrawing(ui::Dialog& dialog);
    void removeDrawing(ui::Dialog& dialog);
    void configureDrawing(ui::Dialog& dialog);

    IDrawingPageOwner* financial_ = nullptr;
    // The drawing being edited, by its id, so that the page stays with it while the list changes.
    std::uint32_t currentId_ = 0;
    bool showing_ = false;
};

// The page as a class of the server.
class CDrawPageObject final : public com::ComObject<ui::IPropertyPageObject> {
public:
    CDrawPageObject() : page_(std::make_unique<CDrawPage>()) {}
    ui::PropertyPage* GetPage() override { return page_.get(); }

private:
    ~CDrawPageObject() override = default;
    std::unique_ptr<CDrawPage> page_;
};

}  // namespace dravik

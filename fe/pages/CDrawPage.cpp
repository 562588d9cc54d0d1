#include "pages/CDrawPage.h"

#include "com/ComPtr.h"
#include "drawing/CDrawingFeatures.h"
#include "drawing/DrawingOwner.h"
#include "drawing/DrawingPageOwner.h"
#include "pages/PageCombos.h"

namespace dravik {
namespace {

constexpr int kDrawPageMargin = 10;
constexpr int kDrawPageDialogId = 348;
constexpr int kListWidth = 260;

PageLayout drawPageLayout() {
    PageLayout layout;
    layout.titleId = kDrawPageTitleId;
    layout.helpId = kDrawPageTitleId + 1;
    layout.helpDocId = kDrawPageTitleId + 2;
    layout.dialogId = kDrawPageDialogId;
    layout.controls.push_back({IDC_DRAW_LIST, ui::ControlKind::DropDownList, QString(),
                               QRect(kDrawPageMargin, kDrawPageMargin, kListWidth, 22)});
    int height = 0;
    for (ui::ControlTemplate& control :
         DrawingValueControlTemplates(kDrawPageMargin, kDrawPageMargin + 36, &height))
        layout.controls.push_back(std::move(control));
    const int bottom = kDrawPageMargin + 36 + height;
    layout.controls.push_back({IDC_DRAW_REMOVE, ui::ControlKind::PushButton, QStringLiteral("Remove"),
                               QRect(kDrawPageMargin, bottom, 100, 24)});
    layout.size = QSize(2 * kDrawPageMargin + kListWidth + 10, bottom + 24 + kDrawPageMargin);
    return layout;
}

}  // namespace

CDrawPage::CDrawPage() : CFinancialPropertyPage(drawPageLayout()) {}

com::HRESULT CDrawPage::BindPage() {
    financial_ = dynamic_cast<IDrawingPageOwner*>(extension());
    return financial_ ? com::S_OK : com::E_INVALIDARG;
}

void CDrawPage::ReleasePage() {
    financial_ = nullptr;
    currentId_ = 0;
}

DrawingControlContext CDrawPage::context() const {
    return {financial_, colorTable(), adapter()};
}

int CDrawPage::currentDrawing() const {
    return financial_ && currentId_ != 0 ? financial_->PageDrawings().list().IndexOfId(currentId_) : -1;
}

void CDrawPage::fillDrawingList(ui::Dialog& dialog) {
    dialog.resetContent(IDC_DRAW_LIST);
    if (!financial_)
        return;
    const CDrawingList& list = financial_->PageDrawings().list();
    for (int i = 0; i < list.Count(); ++i)
        dialog.addString(IDC_DRAW_LIST, QString::fromStdString(list.At(i)->Name()), i);
}

void CDrawPage::LoadPage(ui::Dialog& dialog) {
    fillDrawingList(dialog);
    FillDrawingValueLists(dialog, context());
    showDrawing(dialog, openingDrawing());
}

int CDrawPage::openingDrawing() const {
    if (!financial_ || financial_->PageDrawings().list().Count() == 0)
        return -1;
    const int selected = financial_->PageSelectedDrawing();
    return selected >= 0 ? selected : 0;
}

void CDrawPage::showDrawing(ui::Dialog& dialog, int index) {
    showing_ = true;
    DrawingRecord* record = financial_ ? financial_->PageDrawings().list().At(index) : nullptr;
    currentId_ = record ? record->id : 0;
    dialog.setCurSel(IDC_DRAW_LIST, record ? index : -1);
    if (record) {
        ShowDrawingValues(dialog, context(), *record);
        dialog.enableItem(IDC_DRAW_REMOVE, record->Enabled());
    } else {
        // Nothing to edit: empty fields, every control but the list disabled.
        dialog.setItemText(IDC_DRAW_FROM, QString());
        dialog.setItemText(IDC_DRAW_TO, QString());
        for (const int id :
             {IDC_DRAW_FROM, IDC_DRAW_TO, IDC_DRAW_FREE, IDC_DRAW_ON_SERIES, IDC_DRAW_SERIES, IDC_DRAW_COLOR,
              IDC_DRAW_WIDTH, IDC_DRAW_STYLE, IDC_DRAW_CONFIGURE, IDC_DRAW_REMOVE})
            dialog.enableItem(id, false);
        dialog.showItem(IDC_DRAW_CONFIGURE, false);
    }
    showing_ = false;
}

com::HRESULT CDrawPage::ApplyPage(ui::Dialog& dialog) {
    const int index = currentDrawing();
    DrawingRecord* record = financial_ ? financial_->PageDrawings().list().At(index) : nullptr;
    if (!record)
        return com::S_OK;
    ReadDrawingValues(dialog, context(), *record);
    financial_->PageDrawingOwner().RepaintDrawings();
    financial_->PageDrawings().RaiseEvent(DrawingEvent::PageCommit, index);
    return com::S_OK;
}

bool CDrawPage::onCommand(ui::Dialog& dialog, int id, int code) {
    if (showing_)
        return true;
    switch (id) {
        case IDC_DRAW_LIST:
            if (code == ui::CBN_SELCHANGE)
                chooseDrawing(dialog);
            return true;
        case IDC_DRAW_REMOVE:
            if (code == ui::BN_CLICKED)
                removeDrawing(dialog);
            return true;
        case IDC_DRAW_CONFIGURE:
            if (code == ui::BN_CLICKED)
                configureDrawing(dialog);
            return true;
        case IDC_DRAW_COLOR:
            RepaintLineLists(dialog);
            break;
        case IDC_DRAW_FREE:
        case IDC_DRAW_ON_SERIES:
            FollowPlacementClick(dialog, id, code);
            break;
        default:
            break;
    }
    return CFinancialPropertyPage::onCommand(dialog, id, code);
}

void CDrawPage::chooseDrawing(ui::Dialog& dialog) {
    const int chosen = dialog.curSel(IDC_DRAW_LIST);
    const std::uint32_t chosenId = financial_ && financial_->PageDrawings().list().At(chosen)
                                       ? financial_->PageDrawings().list().At(chosen)->id
                                       : 0;
    // The pending changes belong to the drawing shown so far.
    if (isDirty())
        apply();
    SetDirty(false);
    showDrawing(dialog, financial_ ? financial_->PageDrawings().list().IndexOfId(chosenId) : -1);
}

void CDrawPage::removeDrawing(ui::Dialog& dialog) {
    const int index = currentDrawing();
    if (index < 0 || !financial_)
        return;
    financial_->PageDrawings().RemoveDrawingByUser(index);
    // The removed drawing's pending changes go with it.
    SetDirty(false);
    showing_ = true;
    fillDrawingList(dialog);
    showing_ = false;
    showDrawing(dialog, financial_->PageDrawings().list().Count() > 0 ? 0 : -1);
}

void CDrawPage::configureDrawing(ui::Dialog& dialog) {
    const int index = currentDrawing();
    if (index < 0 || !financial_)
        return;
    const std::uint32_t id = currentId_;
    com::ComPtr<IDrawFeature> feature;
    if (com::FAILED(financial_->PageDrawings().CreateFeatureObject(index, feature.put())) || !feature)
        return;
    com::VARIANT_BOOL changed = com::VARIANT_FALSE;
    feature->ShowParametersDlg(reinterpret_cast<std::intptr_t>(&dialog), &changed);
    if (changed == com::VARIANT_TRUE)
        financial_->PageDrawings().RaiseEvent(DrawingEvent::PrivateBytesCommit,
                                              financial_->PageDrawings().list().IndexOfId(id));
}

void CDrawPage::onDrawItem(ui::Dialog& dialog, const ui::DrawItem& item) {
    DrawDrawingValueItem(dialog, *textModule(), item);
}

}  // namespace dravik

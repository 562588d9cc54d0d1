#include "pages/CAddDrawingDialog.h"

#include "com/ComPtr.h"
#include "datescale/DateScale.h"
#include "drawing/CDrawingFeatures.h"
#include "drawing/DrawingOwner.h"
#include "drawing/DrawingPageOwner.h"
#include "drawing/DrawingTexts.h"
#include "pages/CFinancialPropertyPage.h"

namespace dravik {
namespace {

constexpr int kAddDialogMargin = 10;
constexpr int kAddDialogLabelWidth = 90;
constexpr int kFieldWidth = 170;
constexpr int kColorItemSide = 12;

std::vector<ui::ControlTemplate> addDialogControls(QSize* size) {
    std::vector<ui::ControlTemplate> controls{
        {-1, ui::ControlKind::Static, QStringLiteral("Name:"),
         QRect(kAddDialogMargin, kAddDialogMargin, kAddDialogLabelWidth, 22)},
        {IDC_DRAW_NAME, ui::ControlKind::Edit, QString(),
         QRect(kAddDialogMargin + kAddDialogLabelWidth, kAddDialogMargin, kFieldWidth, 22)}};
    int height = 0;
    for (ui::ControlTemplate& control :
         DrawingValueControlTemplates(kAddDialogMargin, kAddDialogMargin + 32, &height))
        controls.push_back(std::move(control));
    const int buttons = kAddDialogMargin + 32 + height + 6;
    controls.push_back({1, ui::ControlKind::DefaultPushButton, QStringLiteral("OK"),
                        QRect(kAddDialogMargin, buttons, 80, 24)});
    controls.push_back({2, ui::ControlKind::PushButton, QStringLiteral("Cancel"),
                        QRect(kAddDialogMargin + kAddDialogLabelWidth + kFieldWidth - 80, buttons, 80, 24)});
    *size = QSize(2 * kAddDialogMargin + kAddDialogLabelWidth + kFieldWidth, buttons + 24 + kAddDialogMargin);
    return controls;
}

// The text the From and To fields show for an anchor, so that the default name reads as they do.
std::string dateText(IDrawingOwner& owner, double x) {
    const CDateScale* scale = owner.DrawingDateScale();
    return scale ? DrawingDateText(*scale, x, owner.DrawingPointDates()) : std::string();
}

}  // namespace

CAddDrawingDialog::CAddDrawingDialog(IDrawingPageOwner& extension, int index,
                                     const DrawingPlacement& placement,
                                     std::span<const gdi::COLORREF> colours)
    : extension_(extension), placement_(placement), colours_(colours.begin(), colours.end()) {
    if (const DrawingRecord* drawing = extension_.PageDrawings().list().At(index))
        drawingId_ = drawing->id;
}

CAddDrawingDialog::~CAddDrawingDialog() {
    // The window calls back into this object: it must not outlive it.
    delete dialog_.data();
}

int CAddDrawingDialog::index() const {
    return drawingId_ ? extension_.PageDrawings().list().IndexOfId(drawingId_) : -1;
}

DrawingRecord* CAddDrawingDialog::record() const {
    return extension_.PageDrawings().list().At(index());
}

DrawingControlContext CAddDrawingDialog::context() const {
    return {&extension_, colours_, extension_.PageAdapter()};
}

ui::Dialog* CAddDrawingDialog::build(QWidget* parent) {
    delete dialog_.data();
    confirmed_ = false;
    ended_ = false;
    configured_ = false;
    QSize size;
    std::vector<ui::ControlTemplate> controls = addDialogControls(&size);
    auto* dialog = new ui::Dialog(parent, QStringLiteral("Add"), size, controls, this);
    dialog->setProperty("dialogId", kAddDrawingDialogId);
    dialog_ = dialog;
    return dialog;
}

ui::Dialog* CAddDrawingDialog::Open(QWidget* parent) {
    ui::Dialog* dialog = build(parent);
    dialog->initialise();
    return dialog;
}

bool CAddDrawingDialog::Run(QWidget* parent) {
    if (!record())
        return false;
    ui::Dialog* dialog = build(parent);
    dialog->doModal();
    // Closed without OK or Cancel (the window's close box): as Cancel.
    if (!ended_ && dialog_)
        cancel(*dialog_);
    return confirmed_;
}

bool CAddDrawingDialog::onInitDialog(ui::Dialog& dialog) {
    DrawingRecord* drawing = record();
    FillDrawingValueLists(dialog, context());
    if (!drawing)
        return true;
    // The ends go onto the points whose dates the dialog shows (and the drawing keeps in its texts), so
    // that the drawing is painted, hovered and stored at the same points. It is named after those dates
    // until the user names it.
    IDrawingOwner& owner = extension_.PageDrawingOwner();
    if (const CDateScale* scale = owner.DrawingDateScale()) {
        const DrawingAnchor from = NearestPointAnchor(*scale, placement_.from, owner.DrawingPointDates());
        const DrawingAnchor to = NearestPointAnchor(*scale, placement_.to, owner.DrawingPointDates());
        placement_.from = from.position;
        placement_.to = to.position;
        drawing->xFrom = from.x;
        drawing->xTo = to.x;
    }
    drawing->SetName(dateText(owner, drawing->xFrom) + "-" + dateText(owner, drawing->xTo));
    dialog.setItemText(IDC_DRAW_NAME, QString::fromStdString(drawing->Name()));
    ShowDrawingValues(dialog, context(), *drawing);
    return true;
}

bool CAddDrawingDialog::onCommand(ui::Dialog& dialog, int id, int code) {
    if (id == IDC_DRAW_COLOR && code == ui::CBN_SELCHANGE)
        RepaintLineLists(dialog);
    if (FollowPlacementClick(dialog, id, code))
        return true;
    if (code != ui::BN_CLICKED)
        return false;
    switch (id) {
        case 1:
            confirm(dialog);
            return true;
        case 2:
            cancel(dialog);
            return true;
        case IDC_DRAW_CONFIGURE:
            configure(dialog);
            return true;
        default:
            return false;
    }
}

void CAddDrawingDialog::configure(ui::Dialog& dialog) {
    const int at = index();
    com::ComPtr<IDrawFeature> feature;
    if (at < 0 || com::FAILED(extension_.PageDrawings().CreateFeatureObject(at, feature.put())) || !feature)
        return;
    com::VARIANT_BOOL changed = com::VARIANT_FALSE;
    feature->ShowParametersDlg(reinterpret_cast<std::intptr_t>(&dialog), &changed);
    if (changed == com::VARIANT_TRUE)
        configured_ = true;
}

void CAddDrawingDialog::confirm(ui::Dialog& dialog) {
    ended_ = true;
    DrawingRecord* drawing = record();
    if (!drawing) {
        dialog.endDialog(2);
        return;
    }
    drawing->SetName(dialog.itemText(IDC_DRAW_NAME).left(kDrawingNameChars).toStdString());
    const std::int16_t command = drawing->toolCommand;
    const std::string name = drawing->Name();
    drawing->from = placement_.from;
    drawing->to = placement_.to;
    ReadDrawingValues(dialog, context(), *drawing);
    // The dates typed give the positions; the prices are where the user placed the drawing.
    placement_.from = drawing->from;
    placement_.to = drawing->to;
    drawing->fromPrice = placement_.fromPrice;
    drawing->toPrice = placement_.toPrice;
    // Drawn on a series, the drawing takes the series' values at its points at once: those are what
    // the Created event's handlers read and store.
    extension_.PageDrawingOwner().FollowDrawingSeries(*drawing);
    drawing->state = kDrawingShown;
    confirmed_ = true;
    extension_.PageDrawingOwner().SetDrawingCommandText(command, name);
    CDrawingFeatures& features = extension_.PageDrawings();
    const std::uint32_t id = drawingId_;
    features.RaiseEvent(DrawingEvent::Created, extension_.PageDrawings().list().IndexOfId(id));
    if (configured_)
        features.RaiseEvent(DrawingEvent::PrivateBytesCommit, extension_.PageDrawings().list().IndexOfId(id));
    extension_.PageDrawingOwner().RepaintDrawings();
    dialog.endDialog(1);
}

void CAddDrawingDialog::cancel(ui::Dialog& dialog) {
    ended_ = true;
    confirmed_ = false;
    const int at = index();
    if (at >= 0)
        extension_.PageDrawings().DeleteDrawingAt(at);
    dialog.endDialog(2);
}

void CAddDrawingDialog::onDrawItem(ui::Dialog& dialog, const ui::DrawItem& item) {
    DrawDrawingValueItem(dialog, *CFinancialPropertyPage::textModule(), item);
}

int CAddDrawingDialog::onMeasureItem(ui::Dialog& dialog, int id) {
    return id == IDC_DRAW_COLOR ? kColorItemSide : ui::DialogHandler::onMeasureItem(dialog, id);
}

}  // namespace dravik

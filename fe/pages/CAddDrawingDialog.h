// The "Add" dialog: the user has just placed a new drawing with the mouse and now names it and sets its
// values before it is kept. OK stores them, shows the drawing and raises CreatedDrawing (and
// DrawPrivateBytesCommit when he also changed its parameters); Cancel removes the drawing again, so that
// the drawing list is as it was before he began.
#pragma once

#include <cstdint>

#include <QPointer>

#include "extension/DrawingDialogs.h"
#include "pages/DrawingValueControls.h"
#include "ui/Dialog.h"

namespace dravik {

class IDrawingPageOwner;

inline constexpr int IDC_DRAW_NAME = 525;
inline constexpr int kAddDrawingDialogId = 343;
// Longest name kept (the record holds 59 bytes and a terminator).
inline constexpr int kDrawingNameChars = 59;

class CAddDrawingDialog final : public ui::DialogHandler {
public:
    // For the drawing at list index `index`, placed at `placement`; `colours` is the chart's colour table.
    CAddDrawingDialog(IDrawingPageOwner& extension, int index, const DrawingPlacement& placement,
                      std::span<const gdi::COLORREF> colours);
    ~CAddDrawingDialog() override;

    // Runs the dialog modally over `parent`; true when the user confirmed the drawing.
    bool Run(QWidget* parent);
    // Builds and initialises the window without running it, for a caller that drives it itself.
    ui::Dialog* Open(QWidget* parent);
    // True once OK was pressed; false before, and after Cancel.
    bool confirmed() const { return confirmed_; }

protected:
    bool onInitDialog(ui::Dialog& dialog) override;
    bool onCommand(ui::Dialog& dialog, int id, int code) override;
    void onDrawItem(ui::Dialog& dialog, const ui::DrawItem& item) override;
    // The colour list's cells are 12 pixels square.
    int onMeasureItem(ui::Dialog& dialog, int id) override;

private:
    ui::Dialog* build(QWidget* parent);
    DrawingControlContext context() const;
    DrawingRecord* record() const;
    int index() const;
    void configure(ui::Dialog& dialog);
    void confirm(ui::Dialog& dialog);
    void cancel(ui::Dialog& dialog);

    IDrawingPageOwner& extension_;
    std::uint32_t drawingId_ = 0;
    DrawingPlacement placement_;
    std::vector<gdi::COLORREF> colours_;
    QPointer<ui::Dialog> dialog_;
    bool configured_ = false;
    bool confirmed_ = false;
    bool ended_ = false;
};

}  // namespace dravik

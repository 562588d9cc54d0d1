// A device context on a QPrinter (paper or PDF). Device units are printer pixels.
#pragma once

#include <QPrinter>

#include "gdi/PainterDC.h"

namespace gdi {

class PrinterDC final : public PainterDC {
public:
    // The printer must outlive the context.
    explicit PrinterDC(QPrinter& printer);
    ~PrinterDC() override;

    // Document and pages. Drawing before startDoc starts the document implicitly.
    bool startDoc(const QString& title);
    bool startPage();
    bool endPage();
    bool endDoc();

    int getDeviceCaps(int index) const override;

protected:
    QPainter* beginPainter() override;
    bool supportsRasterOps() const override { return false; }

private:
    QPrinter& printer_;
    QPainter painter_;
    bool pageOpen_ = false;
    int pages_ = 0;
};

}  // namespace gdi

// A device context on a QPrinter (paper or PDF). Device units are printer pixels.
#pragma once

#include <QPainter>
#include <QPrinter>

#include "gdi/PainterDC.h"

namespace gdi {

class PrinterDC final : public PainterDC {
public:
    // The printer must outlive the context.
    explicit PrinterDC(QPrinter& printer);
    ~PrinterDC() override;

    // Document and pages. Drawing before startDoc starts the document implicitly. A printer that
    // prints to a file writes the document beside it and puts it in place at endDoc, which answers
    // false when the file could not be written completely (a full disk): an existing file is then
    // left as it was and nothing new stays behind.
    bool startDoc(const QString& title);
    bool startPage();
    bool endPage();
    bool endDoc();

    int getDeviceCaps(int index) const override;

protected:
    QPainter* beginPainter() override;
    bool supportsRasterOps() const override { return false; }

private:
    // Points the printer at a new temporary file beside its output file, if it has one.
    bool redirectOutput();
    // Gives the printer its file name back and puts a complete document in place.
    bool finishOutput(bool painted);
    void pointPrinterAt(const QString& file);

    QPrinter& printer_;
    QString target_;  // the caller's output file while a document is written beside it
    QString temporary_;
    QPainter painter_;
    bool pageOpen_ = false;
    int pages_ = 0;
};

}  // namespace gdi

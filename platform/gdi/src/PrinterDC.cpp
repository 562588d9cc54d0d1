#include "gdi/PrinterDC.h"

#include <algorithm>
#include <cmath>

#include <QFile>
#include <QPageLayout>
#include <QTemporaryFile>

#include "gdi/WholeFile.h"

namespace gdi {

namespace {

// Every document the print engines write to a file ends with the end-of-file marker; a write that
// failed part-way leaves it out.
bool documentComplete(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() == 0)
        return false;
    file.seek(std::max<qint64>(0, file.size() - 64));
    return file.readAll().contains("%%EOF");
}

}  // namespace

PrinterDC::PrinterDC(QPrinter& printer) : PainterDC(Kind::Printer), printer_(printer) {
    initDefaults(NULL_HANDLE);
}

PrinterDC::~PrinterDC() {
    endDoc();
    releaseSelections();
}

bool PrinterDC::startDoc(const QString& title) {
    if (painter_.isActive())
        return false;
    printer_.setDocName(title);
    if (!redirectOutput())
        return false;
    if (!painter_.begin(&printer_)) {
        finishOutput(false);
        return false;
    }
    pages_ = 0;
    pageOpen_ = false;
    return true;
}

bool PrinterDC::startPage() {
    if (!painter_.isActive() && !startDoc(QString()))
        return false;
    if (pageOpen_)
        return false;
    // The first page comes with the document; later ones are started explicitly.
    if (pages_ > 0 && !printer_.newPage())
        return false;
    pageOpen_ = true;
    ++pages_;
    return true;
}

bool PrinterDC::endPage() {
    if (!pageOpen_)
        return false;
    pageOpen_ = false;
    return true;
}

bool PrinterDC::endDoc() {
    if (!painter_.isActive())
        return false;
    pageOpen_ = false;
    // The engine's own answer stays true when its file writes failed, so the file is checked too.
    const bool painted = painter_.end() && printer_.printerState() != QPrinter::Error;
    return finishOutput(painted);
}

// A file name without the ".pdf" suffix may switch the printer's format: the format is kept.
void PrinterDC::pointPrinterAt(const QString& file) {
    const QPrinter::OutputFormat format = printer_.outputFormat();
    printer_.setOutputFileName(file);
    if (printer_.outputFormat() != format)
        printer_.setOutputFormat(format);
}

bool PrinterDC::redirectOutput() {
    target_ = printer_.outputFileName();
    if (target_.isEmpty())
        return true;
    QTemporaryFile file(target_ + QStringLiteral(".XXXXXX"));
    file.setAutoRemove(false);
    if (!file.open()) {
        target_.clear();
        return false;
    }
    temporary_ = file.fileName();
    file.close();
    pointPrinterAt(temporary_);
    return true;
}

bool PrinterDC::finishOutput(bool painted) {
    if (target_.isEmpty())
        return painted;
    pointPrinterAt(target_);
    const bool complete = painted && documentComplete(temporary_);
    const bool placed = complete && moveIntoPlace(temporary_, target_);
    if (!complete)
        QFile::remove(temporary_);
    target_.clear();
    temporary_.clear();
    return placed;
}

QPainter* PrinterDC::beginPainter() {
    if (!pageOpen_ && !startPage())
        return nullptr;
    return &painter_;
}

int PrinterDC::getDeviceCaps(int index) const {
    const int dpiX = printer_.resolution(), dpiY = printer_.resolution();
    const QRect page = printer_.pageLayout().paintRectPixels(printer_.resolution());
    const QRect paper = printer_.pageLayout().fullRectPixels(printer_.resolution());
    switch (index) {
        case TECHNOLOGY:
            return DT_RASPRINTER;
        case HORZRES:
            return page.width();
        case VERTRES:
            return page.height();
        case HORZSIZE:
            return static_cast<int>(std::lround(page.width() * 25.4 / dpiX));
        case VERTSIZE:
            return static_cast<int>(std::lround(page.height() * 25.4 / dpiY));
        case LOGPIXELSX:
            return dpiX;
        case LOGPIXELSY:
            return dpiY;
        case BITSPIXEL:
            return 24;
        case PLANES:
            return 1;
        case NUMCOLORS:
            return -1;
        case RASTERCAPS:
            return RC_BITBLT | RC_DI_BITMAP | RC_STRETCHBLT;
        case PHYSICALWIDTH:
            return paper.width();
        case PHYSICALHEIGHT:
            return paper.height();
        case PHYSICALOFFSETX:
            return page.left() - paper.left();
        case PHYSICALOFFSETY:
            return page.top() - paper.top();
        default:
            return 0;
    }
}

}  // namespace gdi

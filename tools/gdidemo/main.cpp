// Draws a few shapes and Arabic text through the drawing layer into a PNG image, an EMF file and
// a PDF, all from one drawing routine.
//
//   tarnwick-gdidemo <output folder>
#include <cstdio>

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPrinter>

#include "gdi/EmfRecorder.h"
#include "gdi/PrinterDC.h"

namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 300;

void drawScene(gdi::DeviceContext& dc) {
    using namespace gdi;
    const HPEN frame = createPen(PS_SOLID, 2, rgb(0, 0, 128));
    const HBRUSH fill = createSolidBrush(rgb(200, 220, 255));
    const HPEN dashed = extCreatePen(PS_GEOMETRIC | PS_DASH, 2, LogBrush{BS_SOLID, rgb(200, 0, 0), 0});
    LogFont lf;
    lf.height = -24;
    lf.faceName = "DejaVu Sans";
    const HFONT font = createFontIndirect(lf);

    const HGDIOBJ oldPen = dc.selectObject(frame);
    const HGDIOBJ oldBrush = dc.selectObject(fill);
    dc.rectangle(10, 10, 390, 290);
    dc.ellipse(30, 40, 170, 160);
    dc.pie(200, 40, 340, 180, 340, 110, 270, 40);
    dc.selectObject(dashed);
    const Point zigzag[] = {{20, 250}, {80, 200}, {140, 240}, {200, 190}, {260, 230}, {380, 180}};
    dc.polyline(zigzag);
    const HGDIOBJ oldFont = dc.selectObject(font);
    dc.setBkMode(TRANSPARENT);
    dc.setTextColor(rgb(0, 90, 0));
    dc.setTextAlign(TA_CENTER | TA_BASELINE | TA_RTLREADING);
    dc.textOut(200, 280, std::string_view("\xD8\xA7\xD9\x84\xD8\xB3\xD9\x87\xD9\x85 - Tarnwick"));

    dc.selectObject(oldFont);
    dc.selectObject(oldPen);
    dc.selectObject(oldBrush);
    for (HGDIOBJ object : {HGDIOBJ(frame), HGDIOBJ(fill), HGDIOBJ(dashed), HGDIOBJ(font)})
        deleteObject(object);
}

bool writeImage(const QString& path) {
    auto dc = gdi::createImageDC(kWidth, kHeight);
    if (!dc)
        return false;
    drawScene(*dc);
    return dc->image().save(path, "PNG");
}

bool writeEmf(const QString& path) {
    gdi::EmfRecorder::Options options;
    options.application = "Tarnwick";
    options.picture = "Drawing demonstration";
    gdi::EmfRecorder emf(options);
    drawScene(emf);
    return emf.saveToFile(path);
}

bool writePdf(const QString& path) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    gdi::PrinterDC dc(printer);
    if (!dc.startDoc("Drawing demonstration") || !dc.startPage())
        return false;
    // Logical units of a 96-dpi screen, whatever the printer's resolution.
    dc.setMapMode(gdi::MM_ISOTROPIC);
    dc.setWindowExt(96, 96);
    dc.setViewportExt(dc.getDeviceCaps(gdi::LOGPIXELSX), dc.getDeviceCaps(gdi::LOGPIXELSY));
    drawScene(dc);
    return dc.endPage() && dc.endDoc();
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists() && !QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    struct Output {
        const char* name;
        bool (*write)(const QString&);
    };
    const Output outputs[] = {{"demo.png", writeImage}, {"demo.emf", writeEmf}, {"demo.pdf", writePdf}};
    int failures = 0;
    for (const Output& output : outputs) {
        if (!output.write(folder.filePath(output.name))) {
            std::fprintf(stderr, "could not write %s\n", output.name);
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include "gdi/PrinterDC.h"

using namespace gdi;

TEST(PrinterDC, DrawsPagesIntoAPdf) {
    QTemporaryDir dir;
    const QString path = dir.filePath("chart.pdf");
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        PrinterDC dc(printer);
        EXPECT_EQ(dc.getDeviceCaps(TECHNOLOGY), DT_RASPRINTER);
        EXPECT_EQ(dc.getDeviceCaps(LOGPIXELSX), printer.resolution());
        EXPECT_GT(dc.getDeviceCaps(HORZRES), 1000);
        ASSERT_TRUE(dc.startDoc("Chart"));
        ASSERT_TRUE(dc.startPage());
        EXPECT_FALSE(dc.startPage()) << "a page is already open";
        dc.setMapMode(MM_LOMETRIC);
        EXPECT_TRUE(dc.rectangle(100, -100, 1000, -800));
        EXPECT_TRUE(dc.textOut(150, -150, std::string_view("Close")));
        EXPECT_TRUE(dc.endPage());
        ASSERT_TRUE(dc.startPage());
        EXPECT_TRUE(dc.ellipse(0, 0, -500, -500));
        EXPECT_TRUE(dc.roundRect(100, -100, 600, -400, 50, 50));
        auto logo = createImageDC(4, 4);
        EXPECT_TRUE(dc.stretchBlt(100, -500, 400, -400, logo.get(), 0, 0, 4, 4, SRCCOPY));
        EXPECT_TRUE(dc.stretchBlt(600, -500, 400, -400, logo.get(), 4, 0, -4, 4, SRCCOPY)) << "mirrored";
        EXPECT_TRUE(dc.endPage());
        EXPECT_TRUE(dc.endDoc());
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page "), 2);
}

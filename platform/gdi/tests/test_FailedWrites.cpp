// Files written on a full disk (a file-size limit): the failure is reported, a file that was there
// before is left as it was, and neither an empty nor a partly written file stays behind.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "gdi/BmpWriter.h"
#include "gdi/EmfRecorder.h"
#include "gdi/PrinterDC.h"
#include "gdi/WholeFile.h"
#include "testsupport/FileSizeLimit.h"

using namespace gdi;

namespace {

const QByteArray kPrevious = "the previous good file";
constexpr rlim_t kDiskRoom = 4096;

class FailedWrite : public ::testing::Test {
protected:
    void SetUp() override {
        QFile file(target());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(kPrevious);
    }
    QString target() const { return dir_.filePath("chart.out"); }
    QByteArray contents() const {
        QFile file(target());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
    }
    QStringList files() const { return QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden); }
    void expectPreviousFileAlone() const {
        EXPECT_EQ(contents(), kPrevious);
        EXPECT_EQ(files(), QStringList{"chart.out"}) << "no temporary or partial file is left";
    }

    QTemporaryDir dir_;
};

QImage bigPicture() {
    QImage image(200, 100, QImage::Format_RGB32);  // 60 054 bytes as a bitmap file
    image.fill(Qt::darkCyan);
    return image;
}

}  // namespace

TEST_F(FailedWrite, BitmapFileOnAFullDisk) {
    // A large file fails in the middle; a small one only when the last buffered bytes go out.
    const struct {
        QSize size;
        rlim_t room;
        int fileBytes;
    } cases[] = {{{200, 100}, kDiskRoom, 60054}, {{10, 10}, 100, 374}};
    for (const auto& c : cases) {
        QImage picture(c.size, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        {
            testsupport::FileSizeLimit full(c.room);
            EXPECT_FALSE(saveBmp(picture, target())) << c.fileBytes;
        }
        expectPreviousFileAlone();
    }
    // With room the same call replaces the file, keeping the permissions it had.
    QFile::setPermissions(target(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    ASSERT_TRUE(saveBmp(bigPicture(), target()));
    EXPECT_EQ(contents().size(), 60054);
    EXPECT_EQ(files(), QStringList{"chart.out"});
    const auto ownerGroupOthers = QFile::permissions(target()) & QFile::Permissions(0x7077);
    EXPECT_EQ(ownerGroupOthers, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
}

TEST(WholeFile, SaysWhyAWriteFailed) {
    QTemporaryDir dir;
    QString why;
    EXPECT_FALSE(writeWholeFile(dir.filePath("missing/x.bin"), "abc", &why));
    EXPECT_EQ(why, QString::fromLocal8Bit(std::strerror(ENOENT)));
    {
        testsupport::FileSizeLimit full(2);
        EXPECT_FALSE(writeWholeFile(dir.filePath("x.bin"), "abc", &why));
    }
    EXPECT_EQ(why, QString::fromLocal8Bit(std::strerror(EFBIG)));
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
    EXPECT_TRUE(writeWholeFile(dir.filePath("x.bin"), "abc", &why));
}

TEST_F(FailedWrite, MetafileOnAFullDisk) {
    EmfRecorder emf;
    auto picture = createImageDC(100, 100);  // 40 000 pixel bytes carried by the record
    emf.bitBlt(0, 0, 100, 100, picture.get(), 0, 0, SRCCOPY);
    {
        testsupport::FileSizeLimit full(kDiskRoom);
        EXPECT_FALSE(emf.saveToFile(target()));
    }
    expectPreviousFileAlone();
    ASSERT_TRUE(emf.saveToFile(target()));
    EXPECT_EQ(contents(), emf.close());
}

namespace {

void printTwoPages(PrinterDC& dc) {
    ASSERT_TRUE(dc.startDoc("Chart"));
    for (int page = 0; page < 2; ++page) {
        ASSERT_TRUE(dc.startPage());
        auto picture = createImageDC(300, 300);
        picture->setPixel(5, 5, rgb(200, 10, 10));
        dc.stretchBlt(0, 0, 2000, 2000, picture.get(), 0, 0, 300, 300, SRCCOPY);
        dc.textOut(100, 100, std::string_view("Close"));
        ASSERT_TRUE(dc.endPage());
    }
}

}  // namespace

TEST_F(FailedWrite, PdfOnAFullDiskReportsTheFailure) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(target());
    for (const rlim_t room : {rlim_t(0), kDiskRoom}) {  // nothing at all, or part of the document
        {
            PrinterDC dc(printer);
            testsupport::FileSizeLimit full(room);
            printTwoPages(dc);
            EXPECT_FALSE(dc.endDoc()) << room;
        }
        expectPreviousFileAlone();
        EXPECT_EQ(printer.outputFileName(), target()) << "the printer keeps the caller's file name";
        EXPECT_EQ(printer.outputFormat(), QPrinter::PdfFormat);
    }

    PrinterDC dc(printer);
    printTwoPages(dc);
    EXPECT_TRUE(dc.endDoc());
    EXPECT_TRUE(contents().startsWith("%PDF"));
    EXPECT_EQ(files(), QStringList{"chart.out"});
}

TEST_F(FailedWrite, PdfThatCannotBeCreatedIsRefusedAtTheStart) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir_.filePath("missing/chart.pdf"));
    PrinterDC dc(printer);
    EXPECT_FALSE(dc.startDoc("Chart"));
    EXPECT_FALSE(dc.endDoc());
    expectPreviousFileAlone();
}

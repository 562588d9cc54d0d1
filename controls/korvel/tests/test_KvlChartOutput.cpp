// The chart's output: printing to a PDF file, bitmap and metafile files read back field by field, and
// template files round-tripped with the financial-chart extension loaded by its ProgID, then damaged.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QPrinter>
#include <QTemporaryDir>

#include <dlfcn.h>
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "KvlTestCharts.h"
#include "com/Activation.h"
#include "com/InprocServer.h"
#include "dravik/StudyInterfaces.h"
#include "glossor/IGlosxList.h"
#include "korvel/KvlTemplateFile.h"
#include "testsupport/FileSizeLimit.h"
#include "ui/ModalServices.h"
#include "ui/ScriptedModalServices.h"

namespace korvel {
namespace {

using test::bindOhlc;
using test::twentyDays;

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

std::uint32_t u32At(const QByteArray& bytes, qsizetype offset) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<std::uint8_t>(bytes[offset + i]);
    return value;
}

std::uint16_t u16At(const QByteArray& bytes, qsizetype offset) {
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(bytes[offset]) |
                                      (static_cast<std::uint8_t>(bytes[offset + 1]) << 8));
}

// Answers the print dialog and the preview by printing into a PDF file.
class PdfPrinting final : public ui::ModalServices {
public:
    explicit PdfPrinting(QString path) : path_(std::move(path)) { previous_ = ui::setModalServices(this); }
    ~PdfPrinting() override { ui::setModalServices(previous_); }

    int dialogs = 0;

    int messageBox(QWidget*, const QString&, const QString&, int) override { return 2; }
    std::optional<QString> inputBox(QWidget*, const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    ui::FileDialogResult openFile(const ui::FileDialogRequest&) override { return {}; }
    ui::FileDialogResult saveFile(const ui::FileDialogRequest&) override { return {}; }
    std::optional<gdi::COLORREF> chooseColor(QWidget*, gdi::COLORREF) override { return std::nullopt; }
    std::optional<gdi::LogFont> chooseFont(QWidget*, const gdi::LogFont&) override { return std::nullopt; }
    bool printDialog(QWidget*, QPrinter& printer) override {
        ++dialogs;
        toPdf(printer);
        return true;
    }
    bool printPreview(QWidget*, QPrinter& printer, const std::function<void(QPrinter&)>& paint) override {
        ++dialogs;
        toPdf(printer);
        paint(printer);
        return true;
    }
    int trackPopupMenu(QWidget*, const ui::PopupMenu&, QPoint) override { return 0; }

private:
    void toPdf(QPrinter& printer) const {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path_);
    }

    QString path_;
    ui::ModalServices* previous_ = nullptr;
};

com::ComPtr<KvlChart> chartWithPrices(LONG width = 400, LONG height = 300) {
    auto chart = KvlChart::create();
    chart->put_Width(width * kTwipsPerPixel);
    chart->put_Height(height * kTwipsPerPixel);
    bindOhlc(*chart, twentyDays());
    chart->put_ChartType(kGalleryCandlestick);
    chart->put_TextAt(kTextTitle, com::Bstr::fromUtf8("Prices"));
    return chart;
}

TEST(KvlChartOutput, PrintAndPreviewWriteAPdfThroughThePrintCommands) {
    QTemporaryDir dir;
    for (const LONG command : {kCommandPrint, kCommandPrintPreview}) {
        const QString path = dir.filePath(QStringLiteral("chart%1.pdf").arg(command));
        PdfPrinting printing(path);
        auto chart = chartWithPrices();
        ASSERT_EQ(chart->RunCommand(command, 0), com::S_OK);
        EXPECT_EQ(printing.dialogs, 1);
        const QByteArray pdf = readAll(path);
        EXPECT_TRUE(pdf.startsWith("%PDF-")) << command;
        EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page "), 1) << command;
    }
}

TEST(KvlChartOutput, BitmapHeaderMatchesTheChartsPixelSize) {
    QTemporaryDir dir;
    const QString path = dir.filePath("chart.bmp");
    auto chart = chartWithPrices(321, 207);
    ASSERT_EQ(chart->ExportFile(kFileBitmap, com::Bstr::fromUtf8(path.toStdString())), com::S_OK);
    const QByteArray bmp = readAll(path);
    ASSERT_GE(bmp.size(), 54);
    EXPECT_EQ(bmp.left(2), QByteArray("BM"));
    EXPECT_EQ(u32At(bmp, 2), static_cast<std::uint32_t>(bmp.size()));
    EXPECT_EQ(u32At(bmp, 10), 54u);
    EXPECT_EQ(u32At(bmp, 14), 40u);
    EXPECT_EQ(u32At(bmp, 18), 321u);
    EXPECT_EQ(u32At(bmp, 22), 207u) << "bottom-up rows: a positive height";
    EXPECT_EQ(u16At(bmp, 28), 24);
    // 321 pixels of 3 bytes, padded to 964 bytes a row.
    EXPECT_EQ(bmp.size(), 54 + 964 * 207);
    // The picture is the chart as drawn on screen.
    QImage image;
    ASSERT_TRUE(image.loadFromData(bmp, "BMP"));
    chart->paintSurface();
    EXPECT_EQ(image.convertToFormat(QImage::Format_RGB32),
              chart->surface()->image().convertToFormat(QImage::Format_RGB32));
}

// The records of a metafile, walked from its header to its end-of-file record.
struct EmfWalk {
    std::uint32_t records = 0, texts = 0, shapes = 0;
};
void walkMetafile(const QByteArray& emf, EmfWalk& walk) {
    ASSERT_GE(emf.size(), 108);
    EXPECT_EQ(u32At(emf, 0), 1u) << "header record first";
    EXPECT_EQ(u32At(emf, 40), 0x464D4520u);
    EXPECT_EQ(u32At(emf, 48), static_cast<std::uint32_t>(emf.size())) << "header byte count";
    qsizetype offset = 0;
    std::uint32_t lastType = 0;
    while (offset < emf.size()) {
        ASSERT_LE(offset + 8, emf.size());
        lastType = u32At(emf, offset);
        const std::uint32_t size = u32At(emf, offset + 4);
        ASSERT_GE(size, 8u);
        ASSERT_EQ(size % 4, 0u);
        walk.texts += lastType == 84 ? 1 : 0;
        walk.shapes += (lastType == 43 || lastType == 4 || lastType == 87 || lastType == 54) ? 1 : 0;
        offset += size;
        ++walk.records;
    }
    EXPECT_EQ(offset, emf.size());
    EXPECT_EQ(lastType, 14u) << "ends with the end-of-file record";
    EXPECT_EQ(u32At(emf, 52), walk.records);
}

TEST(KvlChartOutput, MetafileRecordsWalkToItsEnd) {
    QTemporaryDir dir;
    const QString path = dir.filePath("chart.emf");
    auto chart = chartWithPrices();
    ASSERT_EQ(chart->ExportFile(kFileMetafile, com::Bstr::fromUtf8(path.toStdString())), com::S_OK);
    const QByteArray emf = readAll(path);
    EmfWalk walk;
    walkMetafile(emf, walk);
    // The picture frame is the chart's client area in 0.01 mm at 96 dpi: 400 x 300 pixels.
    EXPECT_EQ(static_cast<std::int32_t>(u32At(emf, 32)), 10583 - 1);
    EXPECT_EQ(static_cast<std::int32_t>(u32At(emf, 36)), 7938 - 1);
    EXPECT_GT(walk.texts, 0u) << "labels as text records, not as a picture";
    EXPECT_GT(walk.shapes, 20u) << "candles, frame and grid as vector records";
}

TEST(KvlChartOutput, ACancelledPrintDialogPrintsNothing) {
    QTemporaryDir dir;
    ui::ScriptedModalServices script;
    script.answerPrint(false);
    auto chart = chartWithPrices();
    ASSERT_EQ(chart->RunCommand(kCommandPrint, 0), com::S_OK);
    ASSERT_EQ(script.questions().size(), 1u);
    EXPECT_EQ(script.questions()[0].kind, ui::ScriptedModalServices::Kind::Print);
    EXPECT_EQ(script.unanswered(), 0);
}

TEST(KvlChartOutput, CopyCommandsPutTheDrawingOnTheClipboard) {
    auto chart = chartWithPrices(200, 150);
    QGuiApplication::clipboard()->clear();
    ASSERT_EQ(chart->RunCommand(kCommandCopyMetafile, 0), com::S_OK);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    const QImage image = qvariant_cast<QImage>(data->imageData());
    EXPECT_EQ(image.size(), QSize(200, 150));
    const QByteArray emf = data->data(QStringLiteral("image/x-emf"));
    ASSERT_GE(emf.size(), 108);
    EXPECT_EQ(u32At(emf, 48), static_cast<std::uint32_t>(emf.size()));
    QGuiApplication::clipboard()->clear();
    ASSERT_EQ(chart->RunCommand(kCommandCopyBitmap, 0), com::S_OK);
    EXPECT_EQ(qvariant_cast<QImage>(QGuiApplication::clipboard()->mimeData()->imageData()).size(),
              QSize(200, 150));
    EXPECT_FALSE(QGuiApplication::clipboard()->mimeData()->hasFormat(QStringLiteral("image/x-emf")));
}

TEST(KvlChartOutput, ExportsOnAFullDiskFailAndKeepTheFileThatWasThere) {
    QTemporaryDir dir;
    const QString path = dir.filePath("chart.out");
    const QByteArray previous = "the previous good file";
    auto chart = chartWithPrices();
    for (const LONG format : {kFileBitmap, kFileMetafile, kFileTemplate}) {
        writeAll(path, previous);
        {
            testsupport::FileSizeLimit full(1024);
            EXPECT_EQ(chart->ExportFile(format, com::Bstr::fromUtf8(path.toStdString())), com::E_FAIL)
                << format;
        }
        EXPECT_EQ(readAll(path), previous) << format;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1) << "no temporary file left behind";
    }
}

TEST(KvlChartOutput, UnknownFormatsAndEmptyChartsExportNothing) {
    QTemporaryDir dir;
    const QString path = dir.filePath("chart.gif");
    auto chart = chartWithPrices();
    EXPECT_EQ(chart->ExportFile(3, com::Bstr::fromUtf8(path.toStdString())), com::E_INVALIDARG);
    LONG result = 0;
    EXPECT_EQ(chart->ImportFile(kFileBitmap, com::Bstr::fromUtf8(path.toStdString()), &result),
              com::E_INVALIDARG);
    chart->put_Width(0);
    EXPECT_EQ(chart->ExportFile(kFileBitmap, com::Bstr::fromUtf8(path.toStdString())), com::E_FAIL);
    EXPECT_FALSE(QFile::exists(path));
}

// --- templates ---------------------------------------------------------------------------------------

constexpr const char* kFinancialProgId = "Lomex.Financial";
// The extension's analytical chart, its fifth gallery, holds the chart in these tests.
constexpr LONG kAnalytical = kFirstExtensionGalleryType + 4;

// A class registry of the test's own holding the freshly built financial-chart extension.
class KvlTemplateTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("TARNWICK_CLASS_REGISTRY", dir_.filePath("classes.reg").toLocal8Bit().constData(), 1);
        // Stays loaded, as the activation code keeps every library it loads.
        void* library = ::dlopen(DRAVIK_SERVER_PATH, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(library, nullptr) << ::dlerror();
        const auto registerServer =
            reinterpret_cast<com::DllRegisterServerFunction>(::dlsym(library, "DllRegisterServer"));
        ASSERT_NE(registerServer, nullptr);
        ASSERT_EQ(registerServer(), com::S_OK) << com::lastActivationError();
        chart_ = chartWithPrices();
        financial_ = extension();
        ASSERT_TRUE(financial_);
        ASSERT_EQ(chart_->put_ChartType(kAnalytical), com::S_OK);
    }
    void TearDown() override { ::unsetenv("TARNWICK_CLASS_REGISTRY"); }

    com::ComPtr<dravik::IFinancialCharts> extension() {
        com::ComPtr<com::IUnknown> object;
        EXPECT_EQ(chart_->AddExtension(com::Bstr::fromUtf8(kFinancialProgId), object.put()), com::S_OK);
        return object ? object.as<dravik::IFinancialCharts>() : nullptr;
    }

    static SHORT periodsOf(dravik::IFinancialCharts* financial) {
        com::ComPtr<dravik::IIndex> study;
        EXPECT_EQ(financial->get_ExponentialMA(study.put()), com::S_OK);
        SHORT periods = 0;
        study->get_Periods(&periods);
        return periods;
    }
    static void setPeriods(dravik::IFinancialCharts* financial, SHORT periods) {
        com::ComPtr<dravik::IIndex> study;
        ASSERT_EQ(financial->get_ExponentialMA(study.put()), com::S_OK);
        ASSERT_EQ(study->put_Periods(periods), com::S_OK);
    }
    static SHORT priceDisplayOf(dravik::IFinancialCharts* financial) {
        SHORT display = -1;
        financial->get_PriceDisplay(&display);
        return display;
    }

    LONG import(const QString& path) {
        LONG result = -1;
        EXPECT_EQ(chart_->ImportFile(kFileTemplate, com::Bstr::fromUtf8(path.toStdString()), &result),
                  com::S_OK);
        return result;
    }
    QString path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }
    std::string title() {
        com::Bstr text;
        chart_->get_TextAt(kTextTitle, &text);
        return text.toUtf8();
    }

    // The template this chart writes with a study of 21 periods and price display 3, after which the
    // chart is changed to 5 periods, price display 1 and another title.
    QByteArray exportThenChange() {
        setPeriods(financial_.get(), 21);
        EXPECT_EQ(financial_->put_PriceDisplay(3), com::S_OK);
        EXPECT_EQ(chart_->put_Setting(32, 12031), com::S_OK);
        EXPECT_EQ(chart_->ExportFile(kFileTemplate, com::Bstr::fromUtf8(path("T1").toStdString())),
                  com::S_OK);
        setPeriods(financial_.get(), 5);
        EXPECT_EQ(financial_->put_PriceDisplay(1), com::S_OK);
        chart_->put_TextAt(kTextTitle, com::Bstr::fromUtf8("Changed"));
        chart_->put_Setting(32, 0);
        return readAll(path("T1"));
    }

    // The chart as exportThenChange left it, its extension object included.
    void expectUnchanged() {
        EXPECT_EQ(extension().get(), financial_.get()) << "the same extension object";
        EXPECT_EQ(periodsOf(financial_.get()), 5);
        EXPECT_EQ(priceDisplayOf(financial_.get()), 1);
        EXPECT_EQ(title(), "Changed");
        LONG setting = -1;
        chart_->get_Setting(32, &setting);
        EXPECT_EQ(setting, 0);
        LONG type = 0;
        chart_->get_ChartType(&type);
        EXPECT_EQ(type, kAnalytical);
    }

    QTemporaryDir dir_;
    com::ComPtr<KvlChart> chart_;
    com::ComPtr<dravik::IFinancialCharts> financial_;
};

TEST_F(KvlTemplateTest, RoundTripKeepsTheStudyPeriodsThePriceDisplayAndTheLook) {
    const QByteArray bytes = exportThenChange();
    ASSERT_EQ(chart_->put_ChartType(kGalleryLines), com::S_OK);
    ASSERT_FALSE(bytes.isEmpty());
    EXPECT_EQ(u32At(bytes, 0), kTemplateMagic);
    EXPECT_EQ(u16At(bytes, 6), 2) << "the look and one extension";
    ASSERT_EQ(import(path("T1")), kImportDone);
    const com::ComPtr<dravik::IFinancialCharts> loaded = extension();
    ASSERT_TRUE(loaded);
    EXPECT_NE(loaded.get(), financial_.get()) << "the extensions are created anew";
    EXPECT_EQ(extension().get(), loaded.get()) << "and stay the same afterwards";
    EXPECT_EQ(periodsOf(loaded.get()), 21);
    EXPECT_EQ(priceDisplayOf(loaded.get()), 3);
    EXPECT_EQ(title(), "Prices");
    LONG setting = 0;
    chart_->get_Setting(32, &setting);
    EXPECT_EQ(setting, 12031);
    LONG type = 0;
    chart_->get_ChartType(&type);
    EXPECT_EQ(type, kAnalytical) << "the gallery shown when the template was written";
    // The chart still draws, now through the new extension.
    EXPECT_EQ(chart_->ExportFile(kFileBitmap, com::Bstr::fromUtf8(path("after.bmp").toStdString())),
              com::S_OK);
}

TEST_F(KvlTemplateTest, AnExtensionWithoutSavedStateIsCreatedAnewInItsPlace) {
    // The annotation list attached first, as the chart window does; it keeps no state of its own.
    ASSERT_EQ(glossor::registerAnnotationClasses(), com::S_OK);
    auto fresh = KvlChart::create();
    chart_ = fresh;
    chart_->put_Width(400 * kTwipsPerPixel);
    chart_->put_Height(300 * kTwipsPerPixel);
    bindOhlc(*chart_, twentyDays());
    com::ComPtr<com::IUnknown> annotations;
    ASSERT_EQ(chart_->AddExtension(com::Bstr(u"Scribant.AnnList"), annotations.put()), com::S_OK);
    financial_ = extension();
    ASSERT_TRUE(financial_);
    const QByteArray bytes = exportThenChange();
    ASSERT_EQ(u16At(bytes, 6), 3) << "the look and two extensions";
    ASSERT_EQ(import(path("T1")), kImportDone);
    com::ComPtr<com::IUnknown> annotationsAfter;
    ASSERT_EQ(chart_->AddExtension(com::Bstr(u"Scribant.AnnList"), annotationsAfter.put()), com::S_OK);
    EXPECT_NE(annotationsAfter.get(), annotations.get());
    EXPECT_TRUE(annotationsAfter.as<glossor::IGlosxList>());
    EXPECT_EQ(periodsOf(extension().get()), 21);
    EXPECT_EQ(priceDisplayOf(extension().get()), 3);
}

// Writing what an import gave writes the same file again, however often: the extension's gallery is
// active at each export, and its switches of the chart's styles are not applied twice.
TEST_F(KvlTemplateTest, ExportImportExportWritesTheSameFile) {
    const auto switchedStyles = [](const QByteArray& bytes) {
        const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
        const std::optional<KvlTemplate> content =
            decodeTemplate({data, static_cast<std::size_t>(bytes.size())});
        return content ? content->look.settings.switchedStyles : -1;
    };
    const QByteArray first = exportThenChange();
    const LONG written = switchedStyles(first);
    QByteArray previous;
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        ASSERT_EQ(import(path("T1")), kImportDone);
        ASSERT_EQ(chart_->ExportFile(kFileTemplate, com::Bstr::fromUtf8(path("T1").toStdString())),
                  com::S_OK);
        const QByteArray again = readAll(path("T1"));
        EXPECT_EQ(switchedStyles(again), written);
        if (round > 0) {
            EXPECT_EQ(again, previous);
        }
        previous = again;
    }
}

// Each import attaches the extension anew, which brings its command images to the chart's bar again:
// the bar keeps one copy, however many imports there are.
TEST_F(KvlTemplateTest, RepeatedImportsKeepOneCopyOfTheExtensionsImages) {
    exportThenChange();
    ASSERT_EQ(import(path("T1")), kImportDone);
    const std::size_t images = chart_->commandBar().table()->images().size();
    ASSERT_GT(images, 0u);
    for (int round = 0; round < 5; ++round)
        ASSERT_EQ(import(path("T1")), kImportDone);
    EXPECT_EQ(chart_->commandBar().table()->images().size(), images);
}

// The state kind after an extension's ProgID is 0 (no state) or 1 (a saved state): any other kind is
// a damaged file, refused before anything changes.
TEST_F(KvlTemplateTest, AStateKindOtherThanNoneOrSavedIsRefused) {
    const QByteArray bytes = exportThenChange();
    const qsizetype extensionSection = 16 + u32At(bytes, 12);
    const qsizetype kind = extensionSection + 8 + 2 + static_cast<qsizetype>(std::strlen(kFinancialProgId));
    ASSERT_EQ(bytes[kind], 1);
    for (const char bad : {'\x02', '\x03', '\xFF'}) {
        QByteArray copy = bytes;
        copy[kind] = bad;
        writeAll(path("T7"), copy);
        EXPECT_EQ(import(path("T7")), kImportDamaged) << static_cast<int>(bad);
    }
    expectUnchanged();
}

TEST_F(KvlTemplateTest, TheExtensionsGalleryPrintsAndExportsThroughTheSamePaint) {
    QTemporaryDir out;
    const QString pdf = out.filePath("chart.pdf");
    {
        PdfPrinting printing(pdf);
        ASSERT_EQ(chart_->RunCommand(kCommandPrint, 0), com::S_OK);
    }
    EXPECT_TRUE(readAll(pdf).startsWith("%PDF-"));
    const QString emf = out.filePath("chart.emf");
    ASSERT_EQ(chart_->ExportFile(kFileMetafile, com::Bstr::fromUtf8(emf.toStdString())), com::S_OK);
    EmfWalk walk;
    walkMetafile(readAll(emf), walk);
    EXPECT_GE(walk.shapes, 20u) << "the extension's twenty prices as vector records";
    const QString bmp = out.filePath("chart.bmp");
    ASSERT_EQ(chart_->ExportFile(kFileBitmap, com::Bstr::fromUtf8(bmp.toStdString())), com::S_OK);
    QImage image;
    ASSERT_TRUE(image.loadFromData(readAll(bmp), "BMP"));
    chart_->paintSurface();
    EXPECT_EQ(image.convertToFormat(QImage::Format_RGB32),
              chart_->surface()->image().convertToFormat(QImage::Format_RGB32));
}

TEST_F(KvlTemplateTest, TruncatedTemplatesAreRefusedAndChangeNothing) {
    const QByteArray bytes = exportThenChange();
    ASSERT_GT(bytes.size(), 100);
    // Every prefix fails to parse; the chart is checked on a spread of them.
    for (qsizetype length = 0; length < bytes.size(); ++length) {
        const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
        ASSERT_FALSE(decodeTemplate({data, static_cast<std::size_t>(length)})) << length;
    }
    for (const qsizetype length :
         {qsizetype{0}, qsizetype{7}, qsizetype{20}, bytes.size() / 2, bytes.size() - 1}) {
        writeAll(path("T2"), bytes.left(length));
        EXPECT_EQ(import(path("T2")), kImportDamaged) << length;
    }
    EXPECT_EQ(import(path("missing")), kImportUnreadable);
    expectUnchanged();
}

TEST_F(KvlTemplateTest, CorruptCountsAndLengthsAreRefusedAndChangeNothing) {
    const QByteArray bytes = exportThenChange();
    const std::uint32_t lookLength = u32At(bytes, 12);
    const qsizetype extensionSection = 16 + lookLength;
    auto corrupted = [&](qsizetype offset, QByteArray with) {
        QByteArray copy = bytes;
        copy.replace(offset, with.size(), with);
        return copy;
    };
    const QByteArray cases[] = {
        corrupted(6, QByteArray("\xFF\xFF", 2)),                             // section count
        corrupted(6, QByteArray("\x03\x00", 2)),                             // one section too many
        corrupted(12, QByteArray("\xFF\xFF\xFF\x7F", 4)),                    // look length
        corrupted(12, QByteArray("\x00\x00\x00\x00", 4)),                    // look length 0
        corrupted(16 + 9 + 13 * 4 + 2 + 8, QByteArray("\xFF\xFF", 2)),       // numbered settings count
        corrupted(extensionSection + 4, QByteArray("\xFF\xFF\xFF\xFF", 4)),  // extension length
        corrupted(extensionSection + 8, QByteArray("\xFF\xFF", 2)),          // ProgID length
        corrupted(extensionSection + 8, QByteArray("\x00\x00", 2)),          // no ProgID
        bytes + QByteArray("x"),                                             // bytes after the end
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        writeAll(path("T3"), cases[i]);
        EXPECT_EQ(import(path("T3")), kImportDamaged) << "case " << i;
    }
    // Well framed, but the extension refuses its state: its signature, and its end, broken.
    const qsizetype stateStart = extensionSection + 8 + 2 + std::strlen(kFinancialProgId) + 1;
    for (const qsizetype offset : {stateStart, qsizetype{bytes.size() - 2}}) {
        QByteArray copy = bytes;
        copy[offset] = static_cast<char>(copy[offset] ^ 0x5A);
        writeAll(path("T4"), copy);
        EXPECT_EQ(import(path("T4")), kImportRefused) << offset;
    }
    // An extension nobody registered.
    QByteArray unknown = bytes;
    unknown.replace(extensionSection + 10, 5, "Xomex", 5);
    writeAll(path("T5"), unknown);
    EXPECT_EQ(import(path("T5")), kImportRefused);
    expectUnchanged();
    // The intact file still loads after all that.
    writeAll(path("T6"), bytes);
    EXPECT_EQ(import(path("T6")), kImportDone);
    EXPECT_EQ(periodsOf(extension().get()), 21);
}

TEST(KvlTemplateFile, EveryDamagedByteOfALookParsesOrIsRefusedWithinBounds) {
    KvlTemplate content;
    content.look.series.resize(3);
    content.look.series[1].legend = "Close";
    content.look.texts = {{kTextTitle, "Prices"}};
    content.look.axes.resize(kTemplateAxes);
    content.look.palette = {0x0000FF, 0x00FF00};
    content.extensions.push_back({"Some.Extension", std::vector<std::uint8_t>{1, 2, 3}});
    content.extensions.push_back({"Other.Extension", std::nullopt});
    const std::vector<std::uint8_t> bytes = encodeTemplate(content);
    ASSERT_FALSE(bytes.empty());
    const std::optional<KvlTemplate> back = decodeTemplate(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->look.series[1].legend, "Close");
    EXPECT_EQ(back->look.texts, content.look.texts);
    EXPECT_EQ(back->extensions[0].state, content.extensions[0].state);
    EXPECT_FALSE(back->extensions[1].state);
    EXPECT_EQ(encodeTemplate(*back), bytes);
    for (std::size_t offset = 0; offset < bytes.size(); ++offset) {
        for (const std::uint8_t value : {std::uint8_t{0x00}, std::uint8_t{0xFF}, std::uint8_t{0x80}}) {
            std::vector<std::uint8_t> copy = bytes;
            copy[offset] = value;
            decodeTemplate(copy);  // must neither crash nor allocate beyond the file's size
        }
    }
    // A band outside the plot is no look the chart can take.
    content.look.axes[0].bandTop = 0.9;
    content.look.axes[0].bandBottom = 0.1;
    EXPECT_FALSE(decodeTemplate(encodeTemplate(content)));
}

// Whole-number axis properties (decimals, styles, widths, colours) beyond a 32-bit integer are refused
// with the template; ranges may be any finite value.
TEST(KvlTemplateFile, WholeNumberAxisPropertiesOutsideA32BitIntegerAreRefused) {
    KvlTemplate content;
    content.look.axes.resize(kTemplateAxes);
    content.look.axes[1].properties[kAxisMin] = -1e300;
    content.look.axes[1].properties[kAxisMax] = 1e300;
    content.look.axes[1].properties[kAxisDecimals] = 2147483647.0;
    ASSERT_TRUE(decodeTemplate(encodeTemplate(content)));
    for (const KvlAxisProperty property :
         {kAxisDecimals, kAxisGridWidth, kAxisGridStyle, kAxisMinorGridStyle, kAxisTextColor, kAxisLocale}) {
        for (const double value : {1e300, -1e300, 2147483648.0, -2147483649.0}) {
            KvlTemplate bad = content;
            bad.look.axes[2].properties[static_cast<std::size_t>(property)] = value;
            EXPECT_FALSE(decodeTemplate(encodeTemplate(bad))) << property << " " << value;
        }
    }
}

// The look's section starts at byte 16 (magic 4, version 2, section count 2, tag 4, length 4) with the
// chart type and the active type, four bytes each, then the tool-bar flag: one byte, 0 or 1.
TEST(KvlTemplateFile, TheToolBarFlagIsOneByteThatIsZeroOrOne) {
    constexpr std::size_t kFlag = 24;
    KvlTemplate content;
    content.look.chartType = 3;
    content.look.activeType = -1;
    content.look.toolBarShown = true;
    std::vector<std::uint8_t> bytes = encodeTemplate(content);
    ASSERT_GT(bytes.size(), kFlag + 1);
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 16, bytes.begin() + kFlag + 1),
              (std::vector<std::uint8_t>{3, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 1}));
    content.look.toolBarShown = false;
    EXPECT_EQ(encodeTemplate(content).at(kFlag), 0);

    bytes[kFlag] = 0;
    const std::optional<KvlTemplate> hidden = decodeTemplate(bytes);
    ASSERT_TRUE(hidden);
    EXPECT_FALSE(hidden->look.toolBarShown);
    bytes[kFlag] = 1;
    const std::optional<KvlTemplate> shown = decodeTemplate(bytes);
    ASSERT_TRUE(shown);
    EXPECT_TRUE(shown->look.toolBarShown);
    for (const std::uint8_t bad : {std::uint8_t{2}, std::uint8_t{0x80}, std::uint8_t{0xFF}}) {
        bytes[kFlag] = bad;
        EXPECT_FALSE(decodeTemplate(bytes)) << int{bad};
    }
}

// The same file with the text counted by the u16 at `at` one byte longer (an 'x' after it), and the
// section whose u32 length stands at `sectionLength` one byte longer with it.
std::vector<std::uint8_t> withTextOneByteLonger(std::vector<std::uint8_t> bytes, std::size_t at,
                                                std::size_t sectionLength) {
    const std::size_t count = bytes[at] | std::size_t{bytes[at + 1]} << 8;
    bytes[at] = static_cast<std::uint8_t>((count + 1) & 0xFF);
    bytes[at + 1] = static_cast<std::uint8_t>((count + 1) >> 8);
    bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(at + 2 + count), 'x');
    std::uint32_t length = 0;
    for (int i = 3; i >= 0; --i)
        length = length << 8 | bytes[sectionLength + static_cast<std::size_t>(i)];
    ++length;
    for (std::size_t i = 0; i < 4; ++i)
        bytes[sectionLength + i] = static_cast<std::uint8_t>(length >> (8 * i));
    return bytes;
}

// Texts, ProgIDs, lists and extensions are written and read up to their limit and refused one past it,
// by the writer and, for a file written elsewhere, by the reader.
TEST(KvlTemplateFile, EveryLimitHoldsItsLastValueAndRefusesOnePast) {
    KvlTemplate content;
    content.extensions.push_back({std::string(254, 'a'), std::nullopt});
    const std::vector<std::uint8_t> plain = encodeTemplate(content);
    content.look.caption = std::string(kMaxTemplateText - 1, 'x');
    const std::vector<std::uint8_t> bytes = encodeTemplate(content);
    ASSERT_FALSE(plain.empty());
    ASSERT_FALSE(bytes.empty());
    // Past the look's length, the caption's count is the first byte where the two files differ: 0x0FFF
    // against 0.
    const auto differs = std::mismatch(plain.begin() + 16, plain.end(), bytes.begin() + 16);
    const auto captionCount = static_cast<std::size_t>(differs.first - plain.begin());
    ASSERT_EQ(bytes[captionCount], 0xFF);
    ASSERT_EQ(bytes[captionCount + 1], 0x0F);

    const std::vector<std::uint8_t> atLimit = withTextOneByteLonger(bytes, captionCount, 12);
    const std::optional<KvlTemplate> longest = decodeTemplate(atLimit);
    ASSERT_TRUE(longest);
    EXPECT_EQ(longest->look.caption, std::string(kMaxTemplateText, 'x'));
    EXPECT_EQ(encodeTemplate(*longest), atLimit);
    EXPECT_FALSE(decodeTemplate(withTextOneByteLonger(atLimit, captionCount, 12)));

    // The extension's section follows the look's; its ProgID's count follows its tag and length.
    const std::size_t extension = 16 + (atLimit[12] | std::size_t{atLimit[13]} << 8 |
                                        std::size_t{atLimit[14]} << 16 | std::size_t{atLimit[15]} << 24);
    ASSERT_EQ(atLimit[extension + 8], 254);
    const std::vector<std::uint8_t> longestProgId =
        withTextOneByteLonger(atLimit, extension + 8, extension + 4);
    const std::optional<KvlTemplate> withLongest = decodeTemplate(longestProgId);
    ASSERT_TRUE(withLongest);
    EXPECT_EQ(withLongest->extensions.at(0).progId, std::string(254, 'a') + "x");
    EXPECT_FALSE(decodeTemplate(withTextOneByteLonger(longestProgId, extension + 8, extension + 4)));

    // The writer's side of the same limits.
    KvlTemplate limits;
    limits.look.caption = std::string(kMaxTemplateText, 'x');
    limits.look.palette.assign(kMaxTemplateList, 0x00FF00);
    limits.extensions.assign(kMaxSections - 1, {std::string(kMaxProgIdLength, 'a'), std::nullopt});
    const std::optional<KvlTemplate> back = decodeTemplate(encodeTemplate(limits));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->look.palette.size(), kMaxTemplateList);
    EXPECT_EQ(back->extensions.size(), std::size_t{kMaxSections} - 1);
    const auto refused = [&](auto&& change) {
        KvlTemplate over = limits;
        change(over);
        return encodeTemplate(over).empty();
    };
    EXPECT_TRUE(refused([](KvlTemplate& t) { t.look.caption.push_back('x'); }));
    EXPECT_TRUE(refused([](KvlTemplate& t) { t.look.palette.push_back(0); }));
    EXPECT_TRUE(refused([](KvlTemplate& t) { t.extensions.push_back({"One.More", std::nullopt}); }));
    EXPECT_TRUE(refused([](KvlTemplate& t) { t.extensions[3].progId.push_back('a'); }));
    EXPECT_TRUE(refused([](KvlTemplate& t) { t.extensions[3].progId.clear(); }));
}

}  // namespace
}  // namespace korvel

// The chart window's print, preview and save-as-image commands: the preset file name, the formats the
// chosen name's extension selects, what reaches the user and the error log when a file cannot be
// written, and the command's controls enabled again on every way out; then the same commands in the
// chart window over the market database with the chart control and its extensions.
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QPrinter>
#include <QRegularExpression>

#include <cstdlib>

#include "ChartWindowFixture.h"
#include "frame/chart/ChartImageOutput.h"
#include "korvel/KvlChart.h"

namespace {

using frame::chart::ChartImageFormat;
using frame::chart::ChartImageSaveLinks;

// Answers the save dialog with a name (or cancels it), prints and previews into a PDF file, and keeps
// every request and message box.
class OutputAnswers final : public ui::ModalServices {
public:
    OutputAnswers() { previous_ = ui::setModalServices(this); }
    ~OutputAnswers() override { ui::setModalServices(previous_); }
    OutputAnswers(const OutputAnswers&) = delete;
    OutputAnswers& operator=(const OutputAnswers&) = delete;

    std::optional<QString> saveAs;     // none: the dialog is cancelled
    std::function<void()> whileAsked;  // runs while the save dialog is open
    QString pdf;                       // where printing and the preview write
    std::vector<ui::FileDialogRequest> saveRequests;
    std::vector<std::pair<QString, int>> messages;  // text, style
    int printDialogs = 0;
    int previews = 0;

    int messageBox(QWidget*, const QString& text, const QString&, int style) override {
        messages.emplace_back(text, style);
        return ui::IDOK;
    }
    std::optional<QString> inputBox(QWidget*, const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    ui::FileDialogResult openFile(const ui::FileDialogRequest& request) override {
        return {false, request.fileName, request.filterIndex};
    }
    ui::FileDialogResult saveFile(const ui::FileDialogRequest& request) override {
        saveRequests.push_back(request);
        if (whileAsked)
            whileAsked();
        if (!saveAs)
            return {false, request.fileName, request.filterIndex};
        return {true, *saveAs, request.filterIndex};
    }
    std::optional<gdi::COLORREF> chooseColor(QWidget*, gdi::COLORREF) override { return std::nullopt; }
    std::optional<gdi::LogFont> chooseFont(QWidget*, const gdi::LogFont&) override { return std::nullopt; }
    bool printDialog(QWidget*, QPrinter& printer) override {
        ++printDialogs;
        toPdf(printer);
        return true;
    }
    bool printPreview(QWidget*, QPrinter& printer, const std::function<void(QPrinter&)>& paint) override {
        ++previews;
        toPdf(printer);
        paint(printer);
        return true;
    }
    int trackPopupMenu(QWidget*, const ui::PopupMenu&, QPoint) override { return 0; }

private:
    void toPdf(QPrinter& printer) const {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
    }

    ui::ModalServices* previous_ = nullptr;
};

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::uint32_t u32At(const QByteArray& bytes, qsizetype offset) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<std::uint8_t>(bytes[offset + i]);
    return value;
}

// What kind of file is at `path`, told by its first bytes: an enhanced metafile begins with its header
// record (type 1) carrying " EMF" at byte 40.
enum class Written { Nothing, Metafile, Bitmap, Gif87a, Other };

Written writtenAt(const QString& path) {
    if (!QFile::exists(path))
        return Written::Nothing;
    const QByteArray bytes = fileBytes(path);
    if (bytes.size() >= 44 && u32At(bytes, 0) == 1 && bytes.mid(40, 4) == " EMF")
        return Written::Metafile;
    if (bytes.startsWith("BM"))
        return Written::Bitmap;
    if (bytes.startsWith("GIF87a"))
        return Written::Gif87a;
    return Written::Other;
}

// Every pixel of the GIF file is the bitmap's colour moved to the nearest of the levels 0, 64, 128,
// 192 and 255 in each channel: no channel moves by more than half the widest gap, 32.
void expectGifShowsPicture(const QString& gifPath, const QImage& picture) {
    QImageReader reader(gifPath, "gif");
    const QImage gif = reader.read();
    ASSERT_FALSE(gif.isNull()) << reader.errorString().toStdString();
    ASSERT_EQ(gif.size(), picture.size());
    int worst = 0;
    for (int y = 0; y < gif.height(); ++y) {
        for (int x = 0; x < gif.width(); ++x) {
            const QRgb a = gif.pixel(x, y);
            const QRgb b = picture.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                              std::abs(qBlue(a) - qBlue(b))});
        }
    }
    EXPECT_LE(worst, 32);
}

// A chart control of its own, 200 x 120 pixels, with no data: it still draws its frame and axes.
com::ComPtr<korvel::KvlChart> smallChart(com::LONG width = 200, com::LONG height = 120) {
    auto chart = korvel::KvlChart::create();
    chart->put_Width(width * korvel::kTwipsPerPixel);
    chart->put_Height(height * korvel::kTwipsPerPixel);
    return chart;
}

QImage exportedBitmap(korvel::IKvlChart& chart, const QString& path) {
    EXPECT_EQ(chart.ExportFile(korvel::kFileBitmap, com::Bstr::fromUtf8(path.toStdString())), com::S_OK);
    return QImage(path, "bmp");
}

// Points the system's temporary folder ($TMPDIR) elsewhere while alive.
class TemporaryFolderAt {
public:
    explicit TemporaryFolderAt(const QString& folder) {
        if (const char* old = std::getenv("TMPDIR"); old != nullptr)
            previous_ = old;
        ::setenv("TMPDIR", folder.toLocal8Bit().constData(), 1);
    }
    ~TemporaryFolderAt() {
        if (previous_)
            ::setenv("TMPDIR", previous_->c_str(), 1);
        else
            ::unsetenv("TMPDIR");
    }
    TemporaryFolderAt(const TemporaryFolderAt&) = delete;
    TemporaryFolderAt& operator=(const TemporaryFolderAt&) = delete;

private:
    std::optional<std::string> previous_;
};

class ChartImageSaveTest : public ProgramTest {
protected:
    ChartImageSaveLinks links() {
        ChartImageSaveLinks l;
        l.chart = m_chart.get();
        l.gif = &m_gif;
        l.ticker = [] { return std::string("ABC"); };
        l.enableCommand = [this](bool enabled) { m_enabled.push_back(enabled); };
        l.today = [] { return QDate(2026, 12, 8); };
        return l;
    }
    QString path(const char* name) const { return QString::fromStdString((m_home / name).string()); }
    // Runs the command with the dialog answered `answer`; expects the controls disabled, then enabled.
    void save(std::optional<QString> answer, const ChartImageSaveLinks& with) {
        m_answers.saveAs = std::move(answer);
        m_enabled.clear();
        frame::chart::SaveChartAsImage(with);
        EXPECT_EQ(m_enabled, (std::vector<bool>{false, true}));
    }
    void save(std::optional<QString> answer) { save(std::move(answer), links()); }
    int logRecords() const {
        const std::string log = errorLog();
        int count = 0;
        for (std::size_t at = log.find("Function:SaveAsImage"); at != std::string::npos;
             at = log.find("Function:SaveAsImage", at + 1))
            ++count;
        return count;
    }

    OutputAnswers m_answers;
    com::ComPtr<korvel::KvlChart> m_chart = smallChart();
    appchart::GIF m_gif;
    std::vector<bool> m_enabled;
};

}  // namespace

TEST(ChartImageOutput, PresetNameIsTickerAndDayMonthYearWithoutLeadingZeros) {
    const struct {
        const char* ticker;
        QDate day;
        const char* name;
    } cases[] = {
        {"ABC", QDate(2026, 12, 8), "ABC_8-12-2026"},   {"XYZ", QDate(2027, 1, 31), "XYZ_31-1-2027"},
        {"Q1", QDate(2026, 10, 10), "Q1_10-10-2026"},   {"A.B", QDate(2026, 3, 5), "A.B_5-3-2026"},
        {"BRK/A", QDate(2026, 6, 9), "BRK_A_9-6-2026"}, {"", QDate(2026, 1, 1), "_1-1-2026"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(frame::chart::ImageFileNamePreset(c.ticker, c.day).toStdString(), c.name);
}

TEST(ChartImageOutput, TheExtensionInAnyCaseSelectsTheFormat) {
    const struct {
        const char* name;
        ChartImageFormat format;
    } cases[] = {
        {"/tmp/chart.emf", ChartImageFormat::Metafile},
        {"/tmp/chart.Emf", ChartImageFormat::Metafile},
        {"/tmp/chart.BMP", ChartImageFormat::Bitmap},
        {"chart.bmp", ChartImageFormat::Bitmap},
        {"/tmp/chart.gif", ChartImageFormat::Gif},
        {"/tmp/chart.GiF", ChartImageFormat::Gif},
        {"/tmp/chart.gif.bmp", ChartImageFormat::Bitmap},
        {"/tmp/chart.jpg", ChartImageFormat::None},
        {"/tmp/ABC_8-12-2026", ChartImageFormat::None},
        {"/tmp/dir.gif/chart", ChartImageFormat::None},
        {"/tmp/chart.", ChartImageFormat::None},
        {"/tmp/chart.gifx", ChartImageFormat::None},
        {"", ChartImageFormat::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(frame::chart::ImageFormatOf(QString::fromLatin1(c.name)), c.format) << c.name;
}

TEST_F(ChartImageSaveTest, TheDialogStartsOnTheBitmapFilterWithThePresetName) {
    save(std::nullopt);
    ASSERT_EQ(m_answers.saveRequests.size(), 1u);
    const ui::FileDialogRequest& request = m_answers.saveRequests.front();
    EXPECT_EQ(request.filter.toStdString(),
              "GIF File (*.GIF) | *.gif|Bitmap File (*.bmp) | *.bmp|Windows Metafile (*.emf) | *.emf");
    EXPECT_EQ(request.filterIndex, 2);
    EXPECT_EQ(request.defaultExtension, QStringLiteral(".bmp"));
    EXPECT_EQ(request.fileName, QStringLiteral("ABC_8-12-2026"));
    // A cancelled dialog writes nothing, says nothing and logs nothing.
    EXPECT_TRUE(m_answers.messages.empty());
    EXPECT_EQ(errorLog(), "");
}

TEST_F(ChartImageSaveTest, EachExtensionWritesItsFormatAndAnyOtherNothing) {
    const struct {
        const char* name;
        Written written;
    } cases[] = {
        {"chart.emf", Written::Metafile},   {"upper.Emf", Written::Metafile}, {"chart.bmp", Written::Bitmap},
        {"chart.BMP.gif", Written::Gif87a}, {"chart.jpg", Written::Nothing},  {"chart", Written::Nothing},
    };
    for (const auto& c : cases) {
        save(path(c.name));
        EXPECT_EQ(writtenAt(path(c.name)), c.written) << c.name;
    }
    EXPECT_EQ(m_answers.saveRequests.size(), std::size(cases));
    EXPECT_TRUE(m_answers.messages.empty());
    EXPECT_EQ(errorLog(), "");
}

TEST_F(ChartImageSaveTest, TheGifShowsTheChartsBitmapAndNoTemporaryFileStays) {
    const QString tempFolder = path("temp");
    ASSERT_TRUE(QDir().mkpath(tempFolder));
    {
        const TemporaryFolderAt temporary(tempFolder);
        save(path("chart.gif"));
    }

    expectGifShowsPicture(path("chart.gif"), exportedBitmap(*m_chart, path("chart.bmp")));
    EXPECT_TRUE(QDir(tempFolder).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
    EXPECT_TRUE(m_answers.messages.empty());
}

TEST_F(ChartImageSaveTest, AFileThatCannotBeWrittenIsReportedAndLogged) {
    const QString missing = path("missing/chart");
    for (const char* extension : {".emf", ".bmp", ".gif"}) {
        m_answers.messages.clear();
        save(missing + QLatin1String(extension));
        ASSERT_EQ(m_answers.messages.size(), 1u) << extension;
        EXPECT_NE(m_answers.messages[0].first.indexOf(missing + QLatin1String(extension)), -1)
            << m_answers.messages[0].first.toStdString();
        EXPECT_EQ(m_answers.messages[0].second, ui::MB_ICONEXCLAMATION);
    }
    EXPECT_EQ(logRecords(), 3);
    EXPECT_NE(errorLog().find((missing + ".gif").toStdString()), std::string::npos);
    EXPECT_FALSE(QDir(path("missing")).exists());
}

TEST_F(ChartImageSaveTest, AGifFailsWhenTheChartHasNoPictureOrNoTemporaryFolder) {
    {
        // A chart of no size exports no bitmap.
        ChartImageSaveLinks l = links();
        const auto empty = smallChart(0, 0);
        l.chart = empty.get();
        save(path("empty.gif"), l);
    }
    {
        // A temporary folder that is a plain file cannot hold another folder, whoever runs the test.
        QFile plain(path("plain"));
        ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
        plain.close();
        const TemporaryFolderAt temporary(path("plain"));
        save(path("chart.gif"));
    }

    ASSERT_EQ(m_answers.messages.size(), 2u);
    EXPECT_NE(m_answers.messages[1].first.indexOf("temporary folder"), -1)
        << m_answers.messages[1].first.toStdString();
    EXPECT_EQ(logRecords(), 2);
    EXPECT_FALSE(QFile::exists(path("empty.gif")));
    EXPECT_FALSE(QFile::exists(path("chart.gif")));
}

TEST_F(ChartImageSaveTest, AnErrorBeforeTheDialogIsLoggedWithoutAMessage) {
    ChartImageSaveLinks noCompany = links();
    noCompany.ticker = []() -> std::string { throw tarnwick::AppError(91, "No company is charted"); };
    save(path("a.bmp"), noCompany);
    ChartImageSaveLinks noChart = links();
    noChart.chart = nullptr;
    save(path("b.bmp"), noChart);

    EXPECT_TRUE(m_answers.saveRequests.empty());
    EXPECT_TRUE(m_answers.messages.empty());
    EXPECT_EQ(logRecords(), 2);
    EXPECT_NE(errorLog().find("No company is charted"), std::string::npos);
}

TEST_F(ChartImageSaveTest, TheFailureMessageIsInArabicInArabicMode) {
    gArabic = true;
    save(path("missing/chart.bmp"));
    ASSERT_EQ(m_answers.messages.size(), 1u);
    EXPECT_TRUE(m_answers.messages[0].first.startsWith(QStringLiteral(u"تعذّر حفظ الرسم البياني")))
        << m_answers.messages[0].first.toStdString();
    // The path reads left to right inside the right-to-left text.
    EXPECT_NE(m_answers.messages[0].first.indexOf(QChar(0x2066) + path("missing/chart.bmp") + QChar(0x2069)),
              -1);
    EXPECT_EQ(m_answers.messages[0].second, ui::MB_ICONEXCLAMATION | ui::MB_ARABIC);
}

TEST_F(ChartImageSaveTest, ASecondStartWhileSavingDoesNothing) {
    m_answers.whileAsked = [this] { frame::chart::SaveChartAsImage(links()); };
    save(path("once.bmp"));
    EXPECT_EQ(m_answers.saveRequests.size(), 1u);
    EXPECT_EQ(writtenAt(path("once.bmp")), Written::Bitmap);
    // Afterwards the command runs again.
    m_answers.whileAsked = nullptr;
    save(std::nullopt);
    EXPECT_EQ(m_answers.saveRequests.size(), 2u);
}

TEST_F(ChartImageSaveTest, PrintAndPreviewLogTheirErrorsUnderTheirOwnNames) {
    frame::chart::PrintChart(nullptr);
    frame::chart::PreviewChart(nullptr);
    const std::string log = errorLog();
    const std::size_t print = log.find("Function:mnuPrint_Click");
    const std::size_t preview = log.find("Function:mnuPrintPreview_Click");
    EXPECT_NE(print, std::string::npos) << log;
    EXPECT_NE(preview, std::string::npos) << log;
    EXPECT_LT(print, preview);
    EXPECT_EQ(m_answers.printDialogs + m_answers.previews, 0);
    EXPECT_TRUE(m_answers.messages.empty());
}

// --- in the chart window ------------------------------------------------------------------------------

TEST_F(ChartWindowTest, SaveAsImageWritesTheChartedCompanysChartAsAGif) {
    OutputAnswers answers;
    loadFrame();
    const QString gif = QString::fromStdString((m_home / "chart.gif").string());
    answers.saveAs = gif;
    bool menuWhileAsked = true;
    std::optional<bool> buttonWhileAsked;
    answers.whileAsked = [&] {
        menuWhileAsked = window().menuEnabled(QStringLiteral("mnuSaveChart"));
        if (const auto button = m_buttons.find(QStringLiteral("frmChartSettings.SaveAsImage"));
            button != m_buttons.end())
            buttonWhileAsked = button->second;
    };
    ASSERT_TRUE(window().menuEnabled(QStringLiteral("mnuSaveChart")));
    // The chart settings window's button runs the menu's command.
    m_frame->Toolbar1_ButtonClick(QStringLiteral("SaveAsImage"));

    ASSERT_EQ(answers.saveRequests.size(), 1u);
    const QDate today = QDate::currentDate();
    EXPECT_EQ(answers.saveRequests[0].fileName,
              QStringLiteral("T199_%1-%2-%3").arg(today.day()).arg(today.month()).arg(today.year()));
    EXPECT_FALSE(menuWhileAsked);
    EXPECT_EQ(buttonWhileAsked, false);
    EXPECT_TRUE(window().menuEnabled(QStringLiteral("mnuSaveChart")));
    EXPECT_TRUE(m_buttons.at(QStringLiteral("frmChartSettings.SaveAsImage")));
    EXPECT_TRUE(answers.messages.empty());

    // The GIF is the chart as its bitmap shows it: the window's size, candles and all.
    const QImage bitmap = exportedBitmap(chart(), QString::fromStdString((m_home / "chart.bmp").string()));
    ASSERT_FALSE(bitmap.isNull());
    expectGifShowsPicture(gif, bitmap);
    QSet<QRgb> colours;
    for (int y = 0; y < bitmap.height(); y += 3)
        for (int x = 0; x < bitmap.width(); x += 3)
            colours.insert(bitmap.pixel(x, y));
    EXPECT_GE(colours.size(), 3);
}

TEST_F(ChartWindowTest, AMetafileAndABitmapComeFromTheChartWhichKeepsItsSize) {
    OutputAnswers answers;
    loadFrame();
    window().resize(500, 400);
    window().Form_Resize();
    QWidget* host = window().Korvel1()->parentWidget();
    const QRect before = host->geometry();
    // Not the designed 9300 x 8370 twips.
    ASSERT_NE(before.size(), QSize(620, 558));
    for (const auto& [name, written] :
         {std::pair{"chart.EMF", Written::Metafile}, {"c.bmp", Written::Bitmap}}) {
        const QString file = QString::fromStdString((m_home / name).string());
        answers.saveAs = file;
        ASSERT_TRUE(window().runMenuCommand(QStringLiteral("mnuSaveChart")));
        EXPECT_EQ(writtenAt(file), written) << name;
        EXPECT_EQ(host->geometry(), before) << name;
    }
    // The bitmap holds the chart as the window sized it: the control less the bars above the chart.
    const QImage bitmap(QString::fromStdString((m_home / "c.bmp").string()), "bmp");
    const QWidget* canvas = window().Korvel1()->canvas();
    EXPECT_EQ(bitmap.size(), canvas->size());
    EXPECT_EQ(canvas->y() + canvas->height(), before.height());
    EXPECT_LE(canvas->width(), before.width());
    EXPECT_EQ(errorLog(), "");
}

TEST_F(ChartWindowTest, PrintAndPreviewRunInTheChartControl) {
    OutputAnswers answers;
    loadFrame();
    for (const char* item : {"mnuPrint", "mnuPrintPreview"}) {
        answers.pdf = QString::fromStdString((m_home / (std::string(item) + ".pdf")).string());
        ASSERT_TRUE(window().menuEnabled(QString::fromLatin1(item))) << item;
        ASSERT_TRUE(window().runMenuCommand(QString::fromLatin1(item)));
        EXPECT_TRUE(fileBytes(answers.pdf).startsWith("%PDF-")) << item;
    }
    EXPECT_EQ(answers.printDialogs, 1);
    EXPECT_EQ(answers.previews, 1);
    EXPECT_EQ(errorLog(), "");
}

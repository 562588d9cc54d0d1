#include "frame/chart/ChartImageOutput.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QScopedValueRollback>
#include <QTemporaryDir>

#include <optional>

#include "appdata/AppError.h"
#include "appdata/ErrorLog.h"
#include "appdata/Trap.h"
#include "frame/LanguageTable.h"
#include "frame/MessageBox.h"
#include "frame/chart/ExtensionCalls.h"
#include "ui/ModalServices.h"

namespace frame::chart {
namespace {

using tarnwick::AppError;

// The save dialog's filters, the one selected at first (1-based: the bitmap) and the extension added to
// a name typed without one.
constexpr const char* kImageFileFilter =
    "GIF File (*.GIF) | *.gif|Bitmap File (*.bmp) | *.bmp|Windows Metafile (*.emf) | *.emf";
constexpr int kImageFilterIndex = 2;
constexpr const char* kImageDefaultExtension = ".bmp";

// The error-log names of the commands.
constexpr const char* kPrintProcName = "mnuPrint_Click";
constexpr const char* kPreviewProcName = "mnuPrintPreview_Click";
constexpr const char* kSaveImageProcName = "SaveAsImage";

constexpr std::int32_t kObjectNotSet = 91;
constexpr std::int32_t kFileAccessError = 75;  // the run time's number for a file that cannot be used

struct ExtensionFormat {
    const char* extension;  // upper case
    ChartImageFormat format;
};
constexpr ExtensionFormat kExtensionFormats[] = {
    {"EMF", ChartImageFormat::Metafile},
    {"BMP", ChartImageFormat::Bitmap},
    {"GIF", ChartImageFormat::Gif},
};

[[noreturn]] void objectNotSet() {
    throw AppError(kObjectNotSet, "Object variable or With block variable not set");
}

void exportFile(korvel::IKvlChart& chart, com::LONG format, const QString& path) {
    const com::HRESULT result = chart.ExportFile(format, com::Bstr::fromUtf8(path.toStdString()));
    if (com::FAILED(result))
        throw AppError(result, "The chart control could not write the file.");
}

// The chart as the control exports it as a bitmap, through a folder of its own that only this user
// can open and that goes with its content.
QImage exportedBitmap(korvel::IKvlChart& chart) {
    const QTemporaryDir folder;
    if (!folder.isValid())
        throw AppError(kFileAccessError,
                       "No temporary folder for the chart's bitmap: " + folder.errorString().toStdString());
    const QString path = folder.filePath(QStringLiteral("chart.bmp"));
    exportFile(chart, korvel::kFileBitmap, path);
    QImageReader reader(path, "bmp");
    const QImage picture = reader.read();
    if (picture.isNull())
        throw AppError(kFileAccessError,
                       "The chart's bitmap could not be read: " + reader.errorString().toStdString());
    return picture;
}

void runChartCommand(korvel::IKvlChart* chart, com::LONG command) {
    if (chart == nullptr)
        objectNotSet();
    Succeeded(chart->RunCommand(command, 0), "RunCommand");
}

// The file name stands on a line of its own, kept left to right inside the Arabic text.
QString saveFailureText(const QString& fileName, const std::string& why) {
    const QString text = gArabic ? QStringLiteral(u"تعذّر حفظ الرسم البياني في الملف:\n\u2066%1\u2069\n%2")
                                 : QStringLiteral("The chart could not be saved as:\n%1\n%2");
    return text.arg(QDir::toNativeSeparators(fileName), QString::fromStdString(why));
}

// Disables the command while it runs and enables it again however the command ends.
class CommandDisabled {
public:
    explicit CommandDisabled(const std::function<void(bool)>& enable) : enable_(enable) { set(false); }
    ~CommandDisabled() { set(true); }
    CommandDisabled(const CommandDisabled&) = delete;
    CommandDisabled& operator=(const CommandDisabled&) = delete;

private:
    void set(bool enabled) const noexcept {
        if (enable_)
            tarnwick::Trap(kSaveImageProcName, [&] { enable_(enabled); });
    }

    const std::function<void(bool)>& enable_;
};

}  // namespace

ChartImageFormat ImageFormatOf(const QString& fileName) {
    const QString extension = QFileInfo(fileName).suffix().toUpper();
    for (const ExtensionFormat& known : kExtensionFormats)
        if (extension == QLatin1String(known.extension))
            return known.format;
    return ChartImageFormat::None;
}

QString ImageFileNamePreset(const std::string& ticker, QDate day) {
    QString name = QString::fromStdString(ticker);
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    return QStringLiteral("%1_%2-%3-%4").arg(name).arg(day.day()).arg(day.month()).arg(day.year());
}

void WriteChartImage(korvel::IKvlChart& chart, appchart::GIF& gif, ChartImageFormat format,
                     const QString& fileName) {
    switch (format) {
        case ChartImageFormat::Metafile:
            exportFile(chart, korvel::kFileMetafile, fileName);
            return;
        case ChartImageFormat::Bitmap:
            exportFile(chart, korvel::kFileBitmap, fileName);
            return;
        case ChartImageFormat::Gif:
            if (!gif.SaveGIF(exportedBitmap(chart), fileName))
                throw AppError(kFileAccessError, gif.errorString().toStdString());
            return;
        case ChartImageFormat::None:
            return;
    }
}

void PrintChart(korvel::IKvlChart* chart) {
    tarnwick::Trap(kPrintProcName, [&] { runChartCommand(chart, korvel::kCommandPrint); });
}

void PreviewChart(korvel::IKvlChart* chart) {
    tarnwick::Trap(kPreviewProcName, [&] { runChartCommand(chart, korvel::kCommandPrintPreview); });
}

void SaveChartAsImage(const ChartImageSaveLinks& links) {
    // The GIF writer lets the interface work while it encodes: a second start meanwhile does nothing.
    static bool saving = false;
    if (saving)
        return;
    const QScopedValueRollback<bool> once(saving, true);
    const CommandDisabled running(links.enableCommand);
    std::optional<ui::FileDialogResult> chosen;
    tarnwick::Trap(kSaveImageProcName, [&] {
        if (links.chart == nullptr || links.gif == nullptr || !links.ticker || !links.today)
            objectNotSet();
        ui::FileDialogRequest request;
        request.owner = links.owner;
        request.filter = QString::fromLatin1(kImageFileFilter);
        request.filterIndex = kImageFilterIndex;
        request.defaultExtension = QString::fromLatin1(kImageDefaultExtension);
        request.fileName = ImageFileNamePreset(links.ticker(), links.today());
        chosen = ui::modalServices().saveFile(request);
    });
    if (!chosen || !chosen->accepted)
        return;
    const QString fileName = chosen->fileName;
    try {
        WriteChartImage(*links.chart, *links.gif, ImageFormatOf(fileName), fileName);
    } catch (...) {
        const AppError error = AppError::fromCurrentException();
        tarnwick::WriteErrorLog(fileName.toStdString() + ": " + error.description(), error.number(),
                                kSaveImageProcName);
        showMessage(saveFailureText(fileName, error.description()), ui::MB_OK | ui::MB_ICONEXCLAMATION);
    }
}

}  // namespace frame::chart

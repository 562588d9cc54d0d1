// The chart's output: bitmap and metafile files, printing and its preview, the clipboard, and the
// template files that carry the chart's look and its extensions' saved state to another chart.
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QPrinter>
#include <QScopedValueRollback>

#include <algorithm>
#include <cmath>

#include "gdi/BmpWriter.h"
#include "gdi/EmfRecorder.h"
#include "gdi/PrinterDC.h"
#include "gdi/WholeFile.h"
#include "korvel/KvlChart.h"
#include "storage/GlobalMemory.h"
#include "storage/Persist.h"
#include "ui/ModalServices.h"

namespace korvel {

namespace {

// 0.01 mm per pixel of the 96-dpi reference screen, for the metafile's picture frame.
constexpr double kHundredthsMmPerPixel = 2540.0 / 96.0;
constexpr const char* kMetafileMime = "image/x-emf";

QString toQString(const com::Bstr& text) {
    return QString::fromStdString(text.toUtf8());
}

// The bytes an extension saves through IPersistStream; none for one that has no such interface or
// fails to save (it is then created again without a saved state).
std::optional<std::vector<std::uint8_t>> savedState(com::IUnknown* object) {
    com::ComPtr<com::IPersistStream> persist;
    if (com::FAILED(object->QueryInterface(com::IPersistStream::iid, persist.putVoid())) || !persist)
        return std::nullopt;
    com::ComPtr<com::IStream> stream;
    com::HGLOBAL memory;
    if (com::FAILED(com::createStreamOnHGlobal(nullptr, stream.put())) ||
        com::FAILED(persist->Save(stream.get(), 1)) ||
        com::FAILED(com::getHGlobalFromStream(stream.get(), &memory)) || !memory)
        return std::nullopt;
    com::ULONGLONG written = 0;
    stream->Seek(0, com::STREAM_SEEK_CUR, &written);
    std::vector<std::uint8_t> bytes = memory->bytes;
    bytes.resize(std::min<std::size_t>(bytes.size(), written));
    return bytes;
}

// Lets an extension load its saved state from a stream over exactly those bytes; the load must
// succeed and read them all.
HRESULT loadState(com::IUnknown* object, const std::vector<std::uint8_t>& bytes) {
    com::ComPtr<com::IPersistStream> persist;
    if (com::FAILED(object->QueryInterface(com::IPersistStream::iid, persist.putVoid())) || !persist)
        return com::E_NOINTERFACE;
    auto memory = std::make_shared<com::GlobalBlock>();
    memory->bytes = bytes;
    com::ComPtr<com::IStream> stream;
    if (const HRESULT result = com::createStreamOnHGlobal(memory, stream.put()); com::FAILED(result))
        return result;
    if (const HRESULT result = persist->Load(stream.get()); result != com::S_OK)
        return com::FAILED(result) ? result : com::E_FAIL;
    com::ULONGLONG position = 0;
    if (com::FAILED(stream->Seek(0, com::STREAM_SEEK_CUR, &position)) || position != bytes.size())
        return com::E_FAIL;
    return com::S_OK;
}

std::optional<std::vector<std::uint8_t>> readTemplateFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > static_cast<qint64>(kMaxTemplateBytes))
        return std::nullopt;
    const QByteArray bytes = file.read(static_cast<qint64>(kMaxTemplateBytes) + 1);
    if (bytes.size() > static_cast<qsizetype>(kMaxTemplateBytes))
        return std::nullopt;
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

}  // namespace

// --- files -------------------------------------------------------------------------------------------

HRESULT KvlChart::ExportFile(LONG format, const com::Bstr& path) {
    if (path.isEmpty())
        return com::E_INVALIDARG;
    const QString file = toQString(path);
    bool written = false;
    switch (format) {
        case kFileBitmap: {
            const std::unique_ptr<gdi::DeviceContext> image = drawnImage();
            written = image && gdi::saveBitmapFile(*image, file);
            break;
        }
        case kFileMetafile: {
            const QByteArray metafile = drawnMetafile();
            written = !metafile.isEmpty() && gdi::writeWholeFile(file, metafile);
            break;
        }
        case kFileTemplate:
            written = exportTemplate(file);
            break;
        default:
            return com::E_INVALIDARG;
    }
    return written ? com::S_OK : com::E_FAIL;
}

HRESULT KvlChart::ImportFile(LONG format, const com::Bstr& path, LONG* result) {
    if (!result)
        return com::E_POINTER;
    *result = kImportUnreadable;
    if (format != kFileTemplate)
        return com::E_INVALIDARG;
    *result = importTemplate(toQString(path));
    syncCommandStates();
    return com::S_OK;
}

// --- drawing for output ------------------------------------------------------------------------------

std::unique_ptr<gdi::DeviceContext> KvlChart::drawnImage() {
    const KvlRect client = model_.clientRect();
    if (client.width() <= 0 || client.height() <= 0)
        return nullptr;
    std::unique_ptr<gdi::DeviceContext> image = gdi::createImageDC(client.width(), client.height());
    if (!image)
        return nullptr;
    const QScopedValueRollback output(outputPaint_, true);
    paint(image.get(), client, false);
    return image;
}

QByteArray KvlChart::drawnMetafile() {
    const KvlRect client = model_.clientRect();
    if (client.width() <= 0 || client.height() <= 0)
        return {};
    gdi::EmfRecorder::Options options;
    options.frame = gdi::Rect{0, 0, static_cast<int>(std::lround(client.width() * kHundredthsMmPerPixel)) - 1,
                              static_cast<int>(std::lround(client.height() * kHundredthsMmPerPixel)) - 1};
    options.application = QStringLiteral("Korvel");
    options.picture = QStringLiteral("Chart");
    gdi::EmfRecorder recorder(options);
    const QScopedValueRollback output(outputPaint_, true);
    paint(&recorder, client, false);
    return recorder.close();
}

bool KvlChart::printTo(QPrinter& printer) {
    const KvlRect client = model_.clientRect();
    if (client.width() <= 0 || client.height() <= 0)
        return false;
    gdi::PrinterDC dc(printer);
    const auto title = model_.texts().find(kTextTitle);
    if (!dc.startDoc(title == model_.texts().end() ? QStringLiteral("Chart")
                                                   : QString::fromStdString(title->second)) ||
        !dc.startPage())
        return false;
    // The chart keeps its proportions on the page, as large as the page allows.
    const double scale = std::min(static_cast<double>(dc.getDeviceCaps(gdi::HORZRES)) / client.width(),
                                  static_cast<double>(dc.getDeviceCaps(gdi::VERTRES)) / client.height());
    dc.setMapMode(gdi::MM_ANISOTROPIC);
    dc.setWindowExt(client.width(), client.height());
    dc.setViewportExt(std::max(1, static_cast<int>(client.width() * scale)),
                      std::max(1, static_cast<int>(client.height() * scale)));
    const QScopedValueRollback output(outputPaint_, true);
    paint(&dc, client, true);
    dc.endPage();
    return dc.endDoc();
}

bool KvlChart::printWithDialog() {
    QPrinter printer(QPrinter::HighResolution);
    QWidget* owner = window_.isValid() ? window_.widget() : nullptr;
    if (!ui::modalServices().printDialog(owner, printer))
        return false;
    return printTo(printer);
}

bool KvlChart::printPreview() {
    QPrinter printer(QPrinter::HighResolution);
    QWidget* owner = window_.isValid() ? window_.widget() : nullptr;
    return ui::modalServices().printPreview(owner, printer, [this](QPrinter& target) { printTo(target); });
}

bool KvlChart::copyToClipboard(bool metafile) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    const std::unique_ptr<gdi::DeviceContext> image = drawnImage();
    if (!clipboard || !image)
        return false;
    auto data = std::make_unique<QMimeData>();
    data->setImageData(image->image());
    if (metafile)
        data->setData(QString::fromLatin1(kMetafileMime), drawnMetafile());
    clipboard->setMimeData(data.release());
    return true;
}

// --- templates ---------------------------------------------------------------------------------------

KvlTemplate KvlChart::captureTemplate() {
    KvlTemplate content;
    KvlTemplateLook& look = content.look;
    look.chartType = chartType_;
    look.activeType = driver_.activeType();
    look.toolBarShown = toolBarShown_;
    look.settings = model_.settings();
    look.keptSettings.assign(settings_.begin(), settings_.end());
    look.margins = model_.margins();
    look.legendBox = model_.legendBox();
    look.axisTitles = model_.axisTitles();
    look.caption = model_.caption();
    look.texts.assign(model_.texts().begin(), model_.texts().end());
    look.palette = model_.palette();
    look.textColors.assign(model_.textColors().begin(), model_.textColors().end());
    for (LONG a = 0; a < std::min<LONG>(model_.axisCount(), kTemplateAxes); ++a) {
        const KvlAxisState& state = *model_.axis(a);
        KvlTemplateAxis axis;
        axis.properties = state.properties;
        axis.given = static_cast<std::uint32_t>(state.given.to_ulong());
        axis.bandTop = state.bandTop;
        axis.bandBottom = state.bandBottom;
        axis.logBase = state.logBase;
        axis.text = state.text;
        look.axes.push_back(std::move(axis));
    }
    for (LONG s = 0; s < std::min<LONG>(model_.seriesCount(), kMaxTemplateList); ++s)
        look.series.push_back(*model_.series(s));
    look.constantLines = model_.constantLines();
    look.stripes = model_.stripes();
    for (std::size_t e = 0; e < driver_.extensionCount(); ++e)
        content.extensions.push_back({driver_.progIdAt(e), savedState(driver_.objectAt(e))});
    return content;
}

bool KvlChart::exportTemplate(const QString& path) {
    const std::vector<std::uint8_t> bytes = encodeTemplate(captureTemplate());
    if (bytes.empty())
        return false;
    return gdi::writeWholeFile(
        path, QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())));
}

void KvlChart::applyLook(const KvlTemplateLook& look) {
    model_.settings() = look.settings;
    settings_ = std::map<SHORT, LONG>(look.keptSettings.begin(), look.keptSettings.end());
    model_.margins() = look.margins;
    model_.legendBox() = look.legendBox;
    model_.axisTitles() = look.axisTitles;
    model_.caption() = look.caption;
    model_.texts() = std::map<LONG, std::string>(look.texts.begin(), look.texts.end());
    model_.palette() = look.palette;
    model_.textColors() = std::map<SHORT, LONG>(look.textColors.begin(), look.textColors.end());
    for (std::size_t a = 0; a < look.axes.size(); ++a) {
        KvlAxisState* state = model_.axis(static_cast<LONG>(a));
        if (!state)
            break;
        const KvlTemplateAxis& axis = look.axes[a];
        state->properties = axis.properties;
        state->given = std::bitset<kAxisPropertyCount>(axis.given);
        state->bandTop = axis.bandTop;
        state->bandBottom = axis.bandBottom;
        state->logBase = axis.logBase;
        state->text = axis.text;
    }
    // The series are the data's: the template colours those the chart has.
    for (LONG s = 0; s < std::min<LONG>(model_.seriesCount(), static_cast<LONG>(look.series.size())); ++s)
        *model_.series(s) = look.series[static_cast<std::size_t>(s)];
    // The lists the extensions address by index keep their size.
    auto copyList = [](auto& target, const auto& source) {
        using Entry = typename std::decay_t<decltype(target)>::value_type;
        for (std::size_t i = 0; i < target.size(); ++i)
            target[i] = i < source.size() ? source[i] : Entry{};
    };
    copyList(model_.constantLines(), look.constantLines);
    copyList(model_.stripes(), look.stripes);
    chartType_ = look.chartType;
    if (look.toolBarShown != toolBarShown_)
        put_ToolBar(com::toVariantBool(look.toolBarShown));
    model_.autoScale();
}

bool KvlChart::attachExtensions(const std::vector<KvlTemplateExtension>& extensions) {
    for (const KvlTemplateExtension& extension : extensions) {
        com::ComPtr<com::IUnknown> object;
        if (com::FAILED(driver_.addExtension(extension.progId, identity(), object)) || !object)
            return false;
        if (extension.state && com::FAILED(loadState(object.get(), *extension.state)))
            return false;
    }
    return true;
}

LONG KvlChart::importTemplate(const QString& path) {
    const std::optional<std::vector<std::uint8_t>> bytes = readTemplateFile(path);
    if (!bytes)
        return kImportUnreadable;
    const std::optional<KvlTemplate> content = decodeTemplate(*bytes);
    if (!content)
        return kImportDamaged;
    // One ProgID names one extension of a chart.
    for (std::size_t i = 0; i < content->extensions.size(); ++i)
        for (std::size_t j = 0; j < i; ++j)
            if (QString::fromStdString(content->extensions[i].progId)
                    .compare(QString::fromStdString(content->extensions[j].progId), Qt::CaseInsensitive) == 0)
                return kImportDamaged;
    // The extensions try their saved state on a chart of their own first, so that a state one of them
    // refuses leaves this chart and its extensions untouched.
    {
        const com::ComPtr<KvlChart> trial = KvlChart::create();
        trial->model_.setClientSize(model_.clientRect().width(), model_.clientRect().height());
        trial->applyLook(content->look);
        if (!trial->attachExtensions(content->extensions))
            return kImportRefused;
    }
    const KvlTemplate before = captureTemplate();
    driver_.unloadAll();
    applyLook(content->look);
    if (!attachExtensions(content->extensions)) {
        // Cannot happen for a state the trial took; should it, the chart gets its own state back.
        driver_.unloadAll();
        applyLook(before.look);
        attachExtensions(before.extensions);
        if (before.look.activeType >= 0)
            driver_.setChartType(before.look.activeType);
        return kImportRefused;
    }
    // The gallery shown when the template was written shows again when its extension still offers it.
    // The switched-styles word was written with that gallery's switches applied; activating it switches
    // them once more, so the word is put back as written (the gallery's deactivation switches them off).
    if (content->look.activeType >= 0) {
        driver_.setChartType(content->look.activeType);
        model_.settings().switchedStyles = content->look.settings.switchedStyles;
    }
    if (model_.pointCount() > 0)
        dataChanged();
    ++repaints_;
    InvalidateRect(nullptr);
    return kImportDone;
}

}  // namespace korvel

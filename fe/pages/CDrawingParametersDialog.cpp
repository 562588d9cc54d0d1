#include "pages/CDrawingParametersDialog.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#include "com/FixedText.h"
#include "drawing/DrawingKind.h"
#include "format/LocaleFormats.h"
#include "format/NumberText.h"

namespace dravik {
namespace {

// Decimals of the values shown, and of a retracement level's label.
constexpr int kShownDecimals = 4;
constexpr int kLabelDecimals = 2;
// Characters of a retracement label the dialog writes (the level keeps 16 bytes).
constexpr std::size_t kLabelChars = 10;

constexpr int kParameterMargin = 10;
constexpr int kParameterRowHeight = 28;
constexpr int kParameterLabelWidth = 110;
constexpr int kEditWidth = 120;
constexpr int kButtonWidth = 80;

enum class Conversion { Angle, Percent, LabelledPercent };

Conversion conversionOf(int kind) {
    switch (static_cast<DrawingKind>(kind)) {
        case DrawingKind::GannFan:
            return Conversion::Angle;
        case DrawingKind::FibonacciRetracements:
            return Conversion::LabelledPercent;
        default:
            return Conversion::Percent;
    }
}

std::size_t strideOf(Conversion conversion) {
    return conversion == Conversion::LabelledPercent ? kRetracementLevelBytes : sizeof(double);
}

double readRatio(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    double value;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

void writeRatio(std::vector<std::uint8_t>& bytes, std::size_t offset, double value) {
    std::memcpy(bytes.data() + offset, &value, sizeof value);
}

// The number an edit holds; none when it is no finite number.
std::optional<double> readLevelText(const QString& text, std::string_view decimal) {
    const std::string cut = text.left(kLevelTextChars).toStdString();
    const double value = ParseNumber(cut, decimal);
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

// An angle in degrees as the slope of its line, after taking away whole turns.
double slopeOfAngle(double degrees) {
    const double turns = std::trunc(degrees / 360.0);
    const double angle = degrees - turns * 360.0;
    return std::tan(angle * std::numbers::pi / 180.0);
}

QString shownValue(Conversion conversion, double ratio, std::string_view decimal) {
    const double shown =
        conversion == Conversion::Angle ? std::atan(ratio) * 180.0 / std::numbers::pi : ratio * 100.0;
    return QString::fromStdString(formatDoubleText(shown, kShownDecimals, decimal, false));
}

}  // namespace

std::optional<ParameterDialogShape> DrawingParameterShape(int kind) {
    switch (static_cast<DrawingKind>(kind)) {
        case DrawingKind::GannFan:
            return ParameterDialogShape{
                369,
                "Gann Fan configuration",
                kFirstGannEdit,
                {"8 x 1", "4 x 1", "3 x 1", "2 x 1", "1 x 1", "1 x 2", "1 x 3", "1 x 4", "1 x 8"}};
        case DrawingKind::FibonacciArcs:
        case DrawingKind::FibonacciFan:
            return ParameterDialogShape{370,
                                        "Fibonacci Configuration",
                                        kFirstLevelEdit,
                                        {"Level 1 (%):", "Level 2 (%):", "Level 3 (%):"}};
        case DrawingKind::FibonacciRetracements:
            return ParameterDialogShape{371,
                                        "Retracement Configuration",
                                        kFirstLevelEdit,
                                        {"Level 1 (%):", "Level 2 (%):", "Level 3 (%):", "Level 4 (%):",
                                         "Level 5 (%):", "Level 6 (%):"}};
        default:
            return std::nullopt;
    }
}

std::optional<std::vector<QString>> DrawingParameterTexts(int kind, std::span<const std::uint8_t> bytes,
                                                          std::string_view decimal) {
    const std::optional<ParameterDialogShape> shape = DrawingParameterShape(kind);
    if (!shape || bytes.size() != static_cast<std::size_t>(DrawingExtraByteCount(kind)))
        return std::nullopt;
    const Conversion conversion = conversionOf(kind);
    const std::vector<std::uint8_t> copy(bytes.begin(), bytes.end());
    std::vector<QString> texts;
    for (std::size_t offset = 0; offset < copy.size(); offset += strideOf(conversion))
        texts.push_back(shownValue(conversion, readRatio(copy, offset), decimal));
    return texts;
}

bool StoreDrawingParameterTexts(int kind, std::span<const QString> texts, std::vector<std::uint8_t>& bytes,
                                std::string_view decimal, std::span<const QString> shown) {
    const std::optional<ParameterDialogShape> shape = DrawingParameterShape(kind);
    if (!shape || bytes.size() != static_cast<std::size_t>(DrawingExtraByteCount(kind)) ||
        texts.size() != shape->labels.size())
        return false;
    const Conversion conversion = conversionOf(kind);
    const std::size_t stride = strideOf(conversion);
    for (std::size_t level = 0; level < texts.size(); ++level) {
        if (level < shown.size() && texts[level] == shown[level])
            continue;
        const std::optional<double> value = readLevelText(texts[level], decimal);
        if (!value)
            continue;
        const std::size_t offset = level * stride;
        if (conversion == Conversion::Angle) {
            writeRatio(bytes, offset, slopeOfAngle(*value));
            continue;
        }
        const double percent = std::clamp(*value, 0.0, 100.0);
        writeRatio(bytes, offset, percent / 100.0);
        if (conversion == Conversion::LabelledPercent) {
            const std::string label =
                formatDoubleText(percent, kLabelDecimals, ".", false).substr(0, kLabelChars);
            char* field = reinterpret_cast<char*>(bytes.data() + offset + sizeof(double));
            std::memset(field, 0, kRetracementLabelBytes);
            com::copyToFixed(label, field, kRetracementLabelBytes);
        }
    }
    return true;
}

// --- the dialog -------------------------------------------------------------------------------------------

namespace {

// The values are shown and read with the user's decimal separator.
std::string userDecimalSeparator() {
    const std::string separator = DefaultNumberRecord().decimal();
    return separator.empty() ? std::string(".") : separator;
}

std::vector<ui::ControlTemplate> controlsOf(const ParameterDialogShape& shape) {
    std::vector<ui::ControlTemplate> controls;
    int row = 0;
    for (const char* label : shape.labels) {
        const int top = kParameterMargin + row * kParameterRowHeight;
        controls.push_back({-1, ui::ControlKind::Static, QString::fromLatin1(label),
                            QRect(kParameterMargin, top, kParameterLabelWidth, 22)});
        controls.push_back({shape.firstEdit + row, ui::ControlKind::Edit, QString(),
                            QRect(kParameterMargin + kParameterLabelWidth, top, kEditWidth, 22)});
        ++row;
    }
    const int buttons = kParameterMargin + row * kParameterRowHeight + 6;
    controls.push_back({1, ui::ControlKind::DefaultPushButton, QStringLiteral("OK"),
                        QRect(kParameterMargin, buttons, kButtonWidth, 24)});
    controls.push_back({2, ui::ControlKind::PushButton, QStringLiteral("Cancel"),
                        QRect(kParameterMargin + kParameterLabelWidth + kEditWidth - kButtonWidth, buttons,
                              kButtonWidth, 24)});
    return controls;
}

QSize sizeOf(const ParameterDialogShape& shape) {
    const int rows = static_cast<int>(shape.labels.size());
    return {2 * kParameterMargin + kParameterLabelWidth + kEditWidth,
            2 * kParameterMargin + rows * kParameterRowHeight + 36};
}

}  // namespace

CDrawingParametersDialog::CDrawingParametersDialog(IDrawFeature& feature, int kind,
                                                   ParameterDialogShape shape)
    : feature_(&feature), kind_(kind), shape_(std::move(shape)) {}

CDrawingParametersDialog::~CDrawingParametersDialog() {
    // The window calls back into this object: it must not outlive it.
    delete dialog_.data();
}

std::unique_ptr<CDrawingParametersDialog> CDrawingParametersDialog::Create(IDrawFeature& feature, int kind) {
    std::optional<ParameterDialogShape> shape = DrawingParameterShape(kind);
    if (!shape)
        return nullptr;
    return std::unique_ptr<CDrawingParametersDialog>(
        new CDrawingParametersDialog(feature, kind, std::move(*shape)));
}

ui::Dialog* CDrawingParametersDialog::build(QWidget* parent) {
    delete dialog_.data();
    result_ = kParametersUnchanged;
    auto* dialog =
        new ui::Dialog(parent, QString::fromLatin1(shape_.title), sizeOf(shape_), controlsOf(shape_), this);
    dialog->setProperty("dialogId", shape_.dialogId);
    dialog_ = dialog;
    return dialog;
}

ui::Dialog* CDrawingParametersDialog::Open(QWidget* parent) {
    ui::Dialog* dialog = build(parent);
    dialog->initialise();
    return dialog;
}

int CDrawingParametersDialog::Run(QWidget* parent) {
    const int ended = build(parent)->doModal();
    result_ = ended == kParametersChanged ? kParametersChanged : kParametersUnchanged;
    return result_;
}

std::optional<std::vector<std::uint8_t>> CDrawingParametersDialog::readBytes() const {
    com::SHORT count = 0;
    if (com::FAILED(feature_->get_ExtraBytes(&count)) || count != DrawingExtraByteCount(kind_))
        return std::nullopt;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(count));
    for (com::SHORT i = 0; i < count; ++i) {
        if (com::FAILED(feature_->get_ExtraByte(i, &bytes[static_cast<std::size_t>(i)])))
            return std::nullopt;
    }
    return bytes;
}

bool CDrawingParametersDialog::writeBytes(const std::vector<std::uint8_t>& before,
                                          const std::vector<std::uint8_t>& after) {
    bool written = false;
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (after[i] == before[i])
            continue;
        if (com::FAILED(feature_->put_ExtraByte(static_cast<com::SHORT>(i), after[i])))
            return written;
        written = true;
    }
    return written;
}

bool CDrawingParametersDialog::onInitDialog(ui::Dialog& dialog) {
    loading_ = true;
    shown_.clear();
    const std::optional<std::vector<std::uint8_t>> bytes = readBytes();
    if (bytes) {
        if (auto texts = DrawingParameterTexts(kind_, *bytes, userDecimalSeparator())) {
            for (std::size_t i = 0; i < texts->size(); ++i)
                dialog.setItemText(shape_.firstEdit + static_cast<int>(i), (*texts)[i]);
            shown_ = std::move(*texts);
        }
    }
    loading_ = false;
    changed_ = false;
    return true;
}

bool CDrawingParametersDialog::onCommand(ui::Dialog& dialog, int id, int code) {
    const int levels = static_cast<int>(shape_.labels.size());
    if (code == ui::EN_CHANGE && id >= shape_.firstEdit && id < shape_.firstEdit + levels) {
        if (!loading_)
            changed_ = true;
        return true;
    }
    if (code != ui::BN_CLICKED)
        return false;
    if (id == 1) {
        finish(dialog);
        return true;
    }
    if (id == 2) {
        result_ = kParametersUnchanged;
        dialog.endDialog(kParametersUnchanged);
        return true;
    }
    return false;
}

void CDrawingParametersDialog::finish(ui::Dialog& dialog) {
    result_ = kParametersUnchanged;
    if (changed_) {
        const std::optional<std::vector<std::uint8_t>> before = readBytes();
        if (before) {
            std::vector<QString> texts;
            for (int i = 0; i < static_cast<int>(shape_.labels.size()); ++i)
                texts.push_back(dialog.itemText(shape_.firstEdit + i));
            std::vector<std::uint8_t> after = *before;
            if (StoreDrawingParameterTexts(kind_, texts, after, userDecimalSeparator(), shown_) &&
                writeBytes(*before, after))
                result_ = kParametersChanged;
        }
    }
    dialog.endDialog(result_);
}

bool RunDrawingParametersDialog(IDrawFeature& feature, int kind, QWidget* parent) {
    const std::unique_ptr<CDrawingParametersDialog> dialog = CDrawingParametersDialog::Create(feature, kind);
    return dialog && dialog->Run(parent) == kParametersChanged;
}

}  // namespace dravik

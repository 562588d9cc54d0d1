#include "CAxisScalePage.h"

#include <cfloat>

#include <QApplication>
#include <QPushButton>

#include "format/DialogNumbers.h"
#include "format/LocaleFormats.h"
#include "format/NumberText.h"
#include "format/ScaleRounding.h"
#include "format/ValueFormat.h"
#include "format/ValueParse.h"
#include "ui/PropertyFrame.h"

namespace dravik {
namespace {

constexpr int kScalePageDialogId = 363;
constexpr int kRangeTextChars = 80;
// Range fields are shown in the user's default locale.
constexpr loc::LCID kShownLocale = 1024;
// Strings of the format list (number kinds, then date kinds) and of the data-compression list.
constexpr std::uint32_t kNumberFormatStrings = 567;
constexpr std::uint32_t kDateFormatStrings = 572;
constexpr std::uint32_t kDataUnitStrings = 310;
constexpr int kNumberFormatCount = 5;
constexpr int kDateFormatCount = 4;
constexpr int kDataUnitCount = 6;
// The scale unit is shown with the fewest decimals that do not read back as zero, up to these.
constexpr int kMaxScaleUnitDecimals = 30;
// The frame's Apply button.
constexpr int kApplyButtonId = ui::ID_APPLY_NOW;

std::vector<ui::ControlTemplate> scaleControls() {
    using K = ui::ControlKind;
    return {
        {IDC_AXISTITLE, K::Static, "axis title", QRect(10, 10, 320, 22)},
        {-1, K::Static, "Mi&nimum:", QRect(10, 40, 110, 22)},
        {IDC_AXISMIN, K::Edit, QString(), QRect(125, 40, 160, 22)},
        {-1, K::Static, "Ma&ximum:", QRect(10, 68, 110, 22)},
        {IDC_AXISMAX, K::Edit, QString(), QRect(125, 68, 160, 22)},
        {-1, K::Static, "Scale &unit:", QRect(10, 96, 110, 22)},
        {IDC_SCALEUNIT, K::Edit, QString(), QRect(125, 96, 160, 22)},
        {-1, K::Static, "&Format:", QRect(10, 124, 110, 22)},
        {IDC_AXISFORMAT, K::DropDownList, QString(), QRect(125, 124, 160, 22)},
        {-1, K::Static, "&Decimal places:", QRect(10, 152, 110, 22)},
        {IDC_DECIMALS, K::NumberEdit, QString(), QRect(125, 152, 60, 22)},
        {IDC_DECIMALSSPIN, K::UpDown, QString(), QRect(187, 152, 20, 22)},
        {IDC_DATAUNITLABEL, K::Static, "&Perform:", QRect(10, 40, 110, 22)},
        {IDC_DATAUNIT, K::DropDownList, QString(), QRect(125, 40, 160, 22)},
    };
}

PageLayout scaleLayout() {
    return {kAxisScaleTitleId,  kAxisScaleTitleId + 1, kAxisScaleTitleId + 2,
            kScalePageDialogId, QSize(300, 190),       scaleControls()};
}

FormatCode codeOf(const com::Variant& format) {
    if (format.vt() == com::VT_I2)
        return format.i2();
    return format.i4();
}

bool isRangeField(int id) {
    return id == IDC_AXISMIN || id == IDC_AXISMAX;
}

}  // namespace

CAxisScalePage::CAxisScalePage() : CAxisPage(scaleLayout()) {}

void CAxisScalePage::PrepareControls(ui::Dialog& dialog) {
    FillComboFromStrings(dialog, IDC_DATAUNIT, *textModule(), kDataUnitStrings,
                         kDataUnitStrings + kDataUnitCount - 1);
    ShowAxisName(dialog);
    dialog.setUpDownRange(IDC_DECIMALSSPIN, 0, kMaxAxisDecimals);
    dateLocale_ = static_cast<com::LONG>(loc::LOCALE_USER_DEFAULT);
    com::ComPtr<ILomexDateAxis> date;
    if (extension() && com::SUCCEEDED(extension()->get_DateAxis(date.put())) && date)
        date->get_Locale(&dateLocale_);
    FindFrameButtons(dialog);
}

void CAxisScalePage::FindFrameButtons(const ui::Dialog& dialog) {
    okButton_.clear();
    cancelButton_.clear();
    applyButton_.clear();
    QWidget* frame = dialog.window();
    if (!frame || frame == &dialog)
        return;
    // The first window of each id among the frame's children that is not one of the page's own.
    for (QWidget* child : frame->findChildren<QWidget*>()) {
        if (dialog.isAncestorOf(child))
            continue;
        const QVariant id = child->property("controlId");
        if (!id.isValid())
            continue;
        QPointer<QWidget>* slot = id.toInt() == 1                ? &okButton_
                                  : id.toInt() == 2              ? &cancelButton_
                                  : id.toInt() == kApplyButtonId ? &applyButton_
                                                                 : nullptr;
        if (slot && !*slot)
            *slot = child;
    }
}

void CAxisScalePage::LoadFormatList(ui::Dialog& dialog, FormatCode code) {
    if (code >= FC_DATE) {
        FillComboFromStrings(dialog, IDC_AXISFORMAT, *textModule(), kDateFormatStrings,
                             kDateFormatStrings + kDateFormatCount - 1);
        dialog.setCurSel(IDC_AXISFORMAT, code - FC_DATE);
    } else {
        FillComboFromStrings(dialog, IDC_AXISFORMAT, *textModule(), kNumberFormatStrings,
                             kNumberFormatStrings + kNumberFormatCount - 1);
        dialog.setCurSel(IDC_AXISFORMAT, code);
    }
}

void CAxisScalePage::LoadControls(ui::Dialog& dialog) {
    ILomexAxis* axis = axisObject();
    options_ = 0;
    if (extension())
        extension()->get_Options(&options_);
    if (dateAxis()) {
        if (extension())
            extension()->get_DataUnit(&dataUnit_);
        dialog.setCurSel(IDC_DATAUNIT, dataUnit_);
    } else if (axis) {
        com::Variant format;
        axis->get_Format(&format);
        code_ = codeOf(format) & ~FC_PICTURE;
        LoadFormatList(dialog, code_);
        axis->get_ScaleUnit(&scaleUnit_);
        // A unit of 0 counts as 1, as the field reads it.
        if (scaleUnit_ == 0)
            scaleUnit_ = 1;
        axis->get_Decimals(&decimals_);
        axis->get_Min(&min_);
        axis->get_Max(&max_);
        shownCode_ = code_;
        shownUnit_ = scaleUnit_;
        shownDecimals_ = decimals_;
        ShowRangeValue(dialog, IDC_AXISMIN, shownMin_, min_, code_, decimals_, scaleUnit_);
        ShowRangeValue(dialog, IDC_AXISMAX, shownMax_, max_, code_, decimals_, scaleUnit_);
        ShowScaleUnit(dialog, scaleUnit_);
        dialog.setItemInt(IDC_DECIMALS, decimals_);
        dialog.enableItem(IDC_DECIMALS, code_ < FC_DATE);
    }
    const bool rangeEditable = !dateAxis() && !rangeLocked();
    dialog.enableItem(IDC_AXISMIN, rangeEditable);
    dialog.enableItem(IDC_AXISMAX, rangeEditable);
    dialog.enableItem(IDC_SCALEUNIT, !dateAxis());
    dialog.enableItem(IDC_AXISFORMAT, !dateAxis());
    if (dateAxis())
        dialog.enableItem(IDC_DECIMALS, false);
    const bool dataUnitShown = dateAxis() && (options_ & kOptionNoChangeDataUnit) == 0;
    dialog.showItem(IDC_DATAUNIT, dataUnitShown);
    dialog.showItem(IDC_DATAUNITLABEL, dataUnitShown);
}

FormatCode CAxisScalePage::ChosenCode(const ui::Dialog& dialog) const {
    const int selection = dialog.curSel(IDC_AXISFORMAT);
    if (selection < 0)
        return code_;
    return selection + (code_ >= FC_DATE ? FC_DATE : 0);
}

com::SHORT CAxisScalePage::ReadDecimals(ui::Dialog& dialog) {
    const std::optional<int> typed = dialog.itemInt(IDC_DECIMALS);
    if (typed && *typed >= 0 && *typed <= kMaxAxisDecimals) {
        shownDecimals_ = static_cast<com::SHORT>(*typed);
        return shownDecimals_;
    }
    QApplication::beep();
    dialog.setItemInt(IDC_DECIMALS, shownDecimals_);
    return shownDecimals_;
}

double CAxisScalePage::ReadScaleUnit(const ui::Dialog& dialog) const {
    if (dialog.itemText(IDC_SCALEUNIT) == shownScaleUnit_.text)
        return shownScaleUnit_.value;
    const double unit = GetDlgItemNumber(dialog, IDC_SCALEUNIT);
    return unit == 0 ? 1 : unit;
}

void CAxisScalePage::ShowScaleUnit(ui::Dialog& dialog, double unit) {
    int decimals = 0;
    while (decimals < kMaxScaleUnitDecimals && ReadItemNumber(FormatItemNumber(unit, decimals)) == 0)
        ++decimals;
    // A unit that reads as zero at every count (0 itself, or one too small for the field) shows as 0.
    if (ReadItemNumber(FormatItemNumber(unit, decimals)) == 0)
        decimals = 0;
    SetDlgItemNumber(dialog, IDC_SCALEUNIT, unit, decimals);
    // A unit of 0 counts as 1 wherever the page reads it.
    shownScaleUnit_ = {unit == 0 ? 1 : unit, dialog.itemText(IDC_SCALEUNIT)};
}

void CAxisScalePage::ShowRangeValue(ui::Dialog& dialog, int id, ShownNumber& shown, double value,
                                    FormatCode code, int decimals, double unit) {
    // No value yet (the largest double as a minimum, its negative as a maximum) shows as an empty field.
    const bool none = value == kEmptyValue || (id == IDC_AXISMIN && value == DBL_MAX) ||
                      (id == IDC_AXISMAX && value == -DBL_MAX);
    std::string text;
    if (!none) {
        text = formatAxisValueText(value, CountDecimals(value, code, decimals), code, unit, kShownLocale);
        if (text.size() > static_cast<std::size_t>(kRangeTextChars))
            text.resize(static_cast<std::size_t>(kRangeTextChars));
    }
    shown = ShownNumber{none ? kEmptyValue : value, QString::fromStdString(text)};
    dialog.setItemText(id, shown.text);
}

double CAxisScalePage::ReadRangeValue(const ui::Dialog& dialog, int id, const ShownNumber& shown,
                                      FormatCode code, double unit) const {
    const QString text = dialog.itemText(id).left(kRangeTextChars);
    if (text == shown.text && code == shownCode_ && unit == shownUnit_)
        return shown.value;
    double value = kEmptyValue;
    if (!ParseValueText(text.toStdString(), code, value, unit, DefaultDateOrder(),
                        static_cast<loc::LCID>(dateLocale_)))
        return kEmptyValue;
    return value;
}

void CAxisScalePage::ConvertRangeTexts(ui::Dialog& dialog) {
    const com::SHORT decimals = ReadDecimals(dialog);
    const double unit = ReadScaleUnit(dialog);
    const FormatCode code = ChosenCode(dialog);
    const ShowingTexts showing(showing_);
    const double min = ReadRangeValue(dialog, IDC_AXISMIN, shownMin_, shownCode_, shownUnit_);
    const double max = ReadRangeValue(dialog, IDC_AXISMAX, shownMax_, shownCode_, shownUnit_);
    ShowRangeValue(dialog, IDC_AXISMIN, shownMin_, min, code, decimals, unit);
    ShowRangeValue(dialog, IDC_AXISMAX, shownMax_, max, code, decimals, unit);
    shownCode_ = code;
    shownUnit_ = unit;
}

void CAxisScalePage::RestoreRange(ui::Dialog& dialog) {
    const ShowingTexts showing(showing_);
    ShowRangeValue(dialog, IDC_AXISMIN, shownMin_, min_, shownCode_, shownDecimals_, shownUnit_);
    ShowRangeValue(dialog, IDC_AXISMAX, shownMax_, max_, shownCode_, shownDecimals_, shownUnit_);
}

void CAxisScalePage::ValidateRange(ui::Dialog& dialog, int lostId) {
    if (rangeLocked() || dateAxis())
        return;
    const FormatCode code = ChosenCode(dialog);
    const double unit = ReadScaleUnit(dialog);
    const double min = ReadRangeValue(dialog, IDC_AXISMIN, shownMin_, code, unit);
    const double max = ReadRangeValue(dialog, IDC_AXISMAX, shownMax_, code, unit);
    if (min != kEmptyValue && max != kEmptyValue && min < max)
        return;
    QWidget* focus = QApplication::focusWidget();
    const int focusId = dialog.idOf(focus);
    if (focus && (focus == okButton_ || focus == applyButton_ || (focusId != 0 && !isRangeField(focusId)))) {
        // The user stays in the field until the range is one.
        QApplication::beep();
        dialog.setFocusTo(lostId);
        return;
    }
    // Cancel, the other range field or another window: the loaded range comes back.
    RestoreRange(dialog);
}

void CAxisScalePage::onKillFocus(ui::Dialog& dialog, int id, int) {
    if (loading() || validating_ || !axisObject() || dateAxis())
        return;
    const bool converts = id == IDC_DECIMALS || id == IDC_SCALEUNIT;
    if (!converts && !isRangeField(id))
        return;
    validating_ = true;
    if (converts)
        ConvertRangeTexts(dialog);
    ValidateRange(dialog, id);
    validating_ = false;
}

com::HRESULT CAxisScalePage::ApplyPage(ui::Dialog& dialog) {
    ILomexAxis* axis = axisObject();
    if (!axis)
        return com::S_OK;
    FirstFailure note;
    if (dateAxis()) {
        const com::LONG unit = dialog.curSel(IDC_DATAUNIT);
        if (unit >= 0 && unit != dataUnit_ && extension() && note(extension()->put_DataUnit(unit)))
            dataUnit_ = unit;
        return note.result();
    }
    ConvertRangeTexts(dialog);
    const com::SHORT decimals = ReadDecimals(dialog);
    const double unit = ReadScaleUnit(dialog);
    const FormatCode code = ChosenCode(dialog);
    if (!rangeLocked()) {
        com::LONG style = 0;
        axis->get_Style(&style);
        const double min = ReadRangeValue(dialog, IDC_AXISMIN, shownMin_, code, unit);
        const double max = ReadRangeValue(dialog, IDC_AXISMAX, shownMax_, code, unit);
        if (min != kEmptyValue && max != kEmptyValue && min < max && (min != min_ || max != max_)) {
            if (min != min_ && note(axis->put_Min(min)))
                min_ = min;
            if (max != max_ && note(axis->put_Max(max)))
                max_ = max;
            // A range typed by the user holds: the style goes back without automatic scaling.
            note(axis->put_Style(style & ~com::LONG{AS_AUTOSCALE}));
        }
    }
    if (decimals != decimals_ && note(axis->put_Decimals(decimals)))
        decimals_ = decimals;
    if (unit != scaleUnit_ && note(axis->put_ScaleUnit(unit)))
        scaleUnit_ = unit;
    if (code != code_ && note(axis->put_Format(com::Variant(static_cast<std::int32_t>(code)))))
        code_ = code;
    return note.result();
}

bool CAxisScalePage::onCommand(ui::Dialog& dialog, int id, int code) {
    if (loading() || showing_)
        return false;
    if (code == ui::CBN_SELCHANGE && id == IDC_AXISFORMAT) {
        ConvertRangeTexts(dialog);
        MarkChanged1();
        return true;
    }
    if ((code == ui::CBN_SELCHANGE && id == IDC_DATAUNIT) ||
        (code == ui::EN_CHANGE && (isRangeField(id) || id == IDC_DECIMALS || id == IDC_SCALEUNIT))) {
        MarkChanged1();
        return true;
    }
    return false;
}

}  // namespace dravik

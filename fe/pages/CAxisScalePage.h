// AxisScalePage: the range, scale unit, label format and decimals of a value axis, or the data
// compression of the chart when the page edits the date axis.
//
// The range fields show their values in the format chosen in the format list, with the decimals and
// the scale unit of their fields; changing those converts the texts. A range that is not a range (an
// empty field, a minimum not below the maximum) is refused when its field loses the focus: moving to
// Cancel or to the other range field puts the loaded range back, moving to OK, Apply or another control
// of the page beeps and returns the focus to the field. Decimals outside 0-30 are refused and the
// previous decimals shown again.
#pragma once

#include <QPointer>
#include <QString>

#include "CAxisPage.h"
#include "format/FormatCode.h"

namespace dravik {

// Control ids of the page.
inline constexpr int IDC_DATAUNIT = 522;
inline constexpr int IDC_DATAUNITLABEL = 567;
inline constexpr int IDC_DECIMALS = 1022;
inline constexpr int IDC_AXISFORMAT = 1091;
inline constexpr int IDC_AXISMIN = 1185;
inline constexpr int IDC_AXISMAX = 1186;
inline constexpr int IDC_SCALEUNIT = 1192;
inline constexpr int IDC_DECIMALSSPIN = 1195;

inline constexpr std::uint32_t kAxisScaleTitleId = 359;
inline constexpr int kMaxAxisDecimals = 30;
// Options bits the page reads: the range may not be changed; the data compression may not be changed.
inline constexpr com::LONG kOptionNoChangeStudyMinMax = 0x20;
inline constexpr com::LONG kOptionNoChangeDataUnit = 0x40;

class CAxisScalePage final : public CAxisPage {
public:
    CAxisScalePage();

protected:
    void PrepareControls(ui::Dialog& dialog) override;
    void LoadControls(ui::Dialog& dialog) override;
    com::HRESULT ApplyPage(ui::Dialog& dialog) override;
    bool onCommand(ui::Dialog& dialog, int id, int code) override;
    void onKillFocus(ui::Dialog& dialog, int id, int newFocusId) override;

private:
    // A number as a field shows it: the exact value and the text shown for it. A field whose text is
    // still the one shown gives back the exact value rather than the rounded one.
    struct ShownNumber {
        double value = 0;
        QString text;
    };

    bool rangeLocked() const { return (options_ & kOptionNoChangeStudyMinMax) != 0; }
    void LoadFormatList(ui::Dialog& dialog, FormatCode code);
    FormatCode ChosenCode(const ui::Dialog& dialog) const;
    // The decimals field; out of range (or no number) it is refused: the previous decimals are shown
    // again and answered.
    com::SHORT ReadDecimals(ui::Dialog& dialog);
    double ReadScaleUnit(const ui::Dialog& dialog) const;
    void ShowScaleUnit(ui::Dialog& dialog, double unit);
    void ShowRangeValue(ui::Dialog& dialog, int id, ShownNumber& shown, double value, FormatCode code,
                        int decimals, double unit);
    // The value of a range field read with `code` and `unit`; the empty value 1e308 when it holds none.
    double ReadRangeValue(const ui::Dialog& dialog, int id, const ShownNumber& shown, FormatCode code,
                          double unit) const;
    void ConvertRangeTexts(ui::Dialog& dialog);
    void ValidateRange(ui::Dialog& dialog, int lostId);
    void RestoreRange(ui::Dialog& dialog);
    void FindFrameButtons(const ui::Dialog& dialog);

    com::LONG options_ = 0;
    // Remembered values (as loaded, then as last written).
    double min_ = 0;
    double max_ = 0;
    double scaleUnit_ = 1;
    com::SHORT decimals_ = 0;
    FormatCode code_ = 0;  // without the picture bit
    com::LONG dataUnit_ = 0;
    // What the fields show now.
    FormatCode shownCode_ = 0;
    double shownUnit_ = 1;
    com::SHORT shownDecimals_ = 0;
    ShownNumber shownMin_;
    ShownNumber shownMax_;
    ShownNumber shownScaleUnit_;
    com::LONG dateLocale_ = 0;
    bool validating_ = false;
    // Set while the page shows converted or restored texts: no edit of the user's.
    bool showing_ = false;
    struct ShowingTexts {
        explicit ShowingTexts(bool& flag) : flag_(flag), was_(flag) { flag_ = true; }
        ~ShowingTexts() { flag_ = was_; }
        bool& flag_;
        bool was_;
    };
    QPointer<QWidget> okButton_;
    QPointer<QWidget> cancelButton_;
    QPointer<QWidget> applyButton_;
};

}  // namespace dravik

// AxisGeneralPage: tick marks, grid switches, major and minor steps and visibility of an axis. Opened
// for the chart type as a whole it lists the chart type's axes and edits the one chosen there; opened
// for one axis it shows that axis's name instead.
#pragma once

#include <QString>

#include "CAxisPage.h"

namespace dravik {

// Control ids of the page.
inline constexpr int IDC_AXISLIST = 1090;
inline constexpr int IDC_AXISDETAILS = 1173;
inline constexpr int IDC_AXISVISIBLE = 1094;
inline constexpr int IDC_MAJORUNIT = 1144;
inline constexpr int IDC_MAJORTICK_NONE = 1145;  // + TS_ value: none, outside, inside, cross
inline constexpr int IDC_MAJORTICK_CROSS = 1148;
inline constexpr int IDC_MAJORGRID = 1149;
inline constexpr int IDC_MINORUNIT = 1150;
inline constexpr int IDC_MINORTICK_NONE = 1151;
inline constexpr int IDC_MINORTICK_CROSS = 1154;
inline constexpr int IDC_MINORGRID = 1155;

// Titles: "General" inside the chart types' axis frame, "Axes" elsewhere.
inline constexpr std::uint32_t kAxisGeneralTitleId = 354;
inline constexpr std::uint32_t kAxisesTitleId = 349;
// The text a step field shows while the axis chooses its steps itself.
inline constexpr std::uint32_t kAutoStringId = 550;
// Longest step text shown or read.
inline constexpr int kStepTextChars = 80;

class CAxisGeneralPage final : public CAxisPage {
public:
    CAxisGeneralPage();

    QString title() const override;

protected:
    void PrepareControls(ui::Dialog& dialog) override;
    void LoadControls(ui::Dialog& dialog) override;
    com::HRESULT ApplyPage(ui::Dialog& dialog) override;
    bool onCommand(ui::Dialog& dialog, int id, int code) override;

private:
    // A step as the page loaded it: the value it compares against and the text it showed for it.
    struct RememberedStep {
        double value = 0;
        QString text;
    };

    void LoadStep(ui::Dialog& dialog, int id, double value, std::uint32_t usedBit, com::SHORT decimals,
                  RememberedStep& remembered);
    double ReadStep(const ui::Dialog& dialog, int id, const RememberedStep& remembered) const;
    // The tick style of the checked button of first..first + 3; `remembered` when none is checked.
    static com::SHORT CheckedTick(const ui::Dialog& dialog, int first, com::SHORT remembered);
    void OnAxisChosen(ui::Dialog& dialog);
    void OnDetails(ui::Dialog& dialog);

    RememberedStep step_;
    RememberedStep minorStep_;
    com::SHORT tickMark_ = 0;
    com::SHORT minorTickMark_ = 0;
    bool grid_ = false;
    bool minorGrid_ = false;
    bool visible_ = true;
};

}  // namespace dravik

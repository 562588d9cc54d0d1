// AxisGridPage: the pens of an axis's major and minor grid lines (colour, width, style) and its
// interlaced bands.
#pragma once

#include "CAxisPage.h"

namespace dravik {

// Control ids of the page.
inline constexpr int IDC_GRIDCOLOR = 1099;
inline constexpr int IDC_GRIDWIDTH = 566;
inline constexpr int IDC_GRIDSTYLE = 565;
inline constexpr int IDC_MINORGRIDCOLOR = 1100;
inline constexpr int IDC_MINORGRIDWIDTH = 1074;
inline constexpr int IDC_MINORGRIDSTYLE = 1073;
inline constexpr int IDC_INTERLACED = 1196;

inline constexpr std::uint32_t kAxisGridTitleId = 364;
// Grid widths the width lists offer.
inline constexpr int kGridWidthCount = 6;

class CAxisGridPage final : public CAxisPage {
public:
    CAxisGridPage();

protected:
    void PrepareControls(ui::Dialog& dialog) override;
    void LoadControls(ui::Dialog& dialog) override;
    com::HRESULT ApplyPage(ui::Dialog& dialog) override;
    bool onCommand(ui::Dialog& dialog, int id, int code) override;
    void onDrawItem(ui::Dialog& dialog, const ui::DrawItem& item) override;
};

}  // namespace dravik

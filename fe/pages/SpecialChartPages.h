// The property pages of the four special chart types: PointFigPage, RenkoPage, KagiPage and
// ThreeLineBreakPage. Each binds to the extension (see CFinancialPropertyPage), takes its chart type's
// object from the extension's getter, shows the object's members in its controls and writes them back
// on Apply.
#pragma once

#include <cstdint>
#include <memory>

#include "CFinancialPropertyPage.h"
#include "com/ComObject.h"
#include "com/Guid.h"
#include "ui/PropertyPageObject.h"

namespace dravik {

enum class SpecialChartPage { PointFigure, Renko, Kagi, ThreeLineBreak };

// Control ids of the pages (one id keeps its meaning across the pages that have it).
inline constexpr int IDC_RECTMARKERS = 501;
inline constexpr int IDC_BOXSIZE = 502;  // the Kagi page's reversal amount, a price, sits here too
inline constexpr int IDC_YANGWIDTH = 503;
inline constexpr int IDC_PERCENTUAL = 504;
inline constexpr int IDC_REVERSALBOXES = 505;
inline constexpr int IDC_YINWIDTH = 506;
inline constexpr int IDC_PENWIDTH = 507;
inline constexpr int IDC_BREAKDAYS = 508;
inline constexpr int IDC_LABELMASK = 510;
inline constexpr int IDC_LINECOLOR = 511;  // marker colour of Point & Figure, line colour of Kagi
inline constexpr int IDC_DOWNCOLOR = 512;
inline constexpr int IDC_UPCOLOR = 513;

// Longest texts the page reads back: a number field and the label mask.
inline constexpr int kNumberTextChars = 20;
inline constexpr int kLabelMaskChars = 119;
// Longest number text the page writes.
inline constexpr int kNumberTextLimit = 120;

const com::CLSID& SpecialChartPageClsid(SpecialChartPage page);
std::unique_ptr<CFinancialPropertyPage> CreateSpecialChartPage(SpecialChartPage page);

// The page as a class of the server: created by its class id, it hands the property frame its page.
template <SpecialChartPage Page>
class CSpecialChartPageObject final : public com::ComObject<ui::IPropertyPageObject> {
public:
    CSpecialChartPageObject() : page_(CreateSpecialChartPage(Page)) {}
    ui::PropertyPage* GetPage() override { return page_.get(); }

private:
    ~CSpecialChartPageObject() override = default;
    std::unique_ptr<CFinancialPropertyPage> page_;
};

}  // namespace dravik

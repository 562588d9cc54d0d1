// The extension as an in-process server: the class FinancialCharts under "Lomex.Financial", the
// property pages of the special chart types and of the axes, and the Draw page.
#include "com/InprocServer.h"
#include "dravik/Identities.h"
#include "extension/FinancialChartsClass.h"
#include "pages/CAxisGeneralPage.h"
#include "pages/CAxisGridPage.h"
#include "pages/CAxisScalePage.h"
#include "pages/CDrawPage.h"
#include "pages/CDrawingDialogs.h"
#include "pages/CStudiesPage.h"
#include "pages/SpecialChartPages.h"

namespace dravik {
namespace {

const com::ServerClass kClasses[] = {
    {CLSID_FinancialCharts, kFinancialChartsProgIdText, kFinancialChartsVersionedProgId, "Apartment",
     &CreateFinancialCharts},
    {CLSID_PointFigPage, "Lomex.PointFigPage", nullptr, "Apartment",
     &com::createComObject<CSpecialChartPageObject<SpecialChartPage::PointFigure>>},
    {CLSID_RenkoPage, "Lomex.RenkoPage", nullptr, "Apartment",
     &com::createComObject<CSpecialChartPageObject<SpecialChartPage::Renko>>},
    {CLSID_KagiPage, "Lomex.KagiPage", nullptr, "Apartment",
     &com::createComObject<CSpecialChartPageObject<SpecialChartPage::Kagi>>},
    {CLSID_ThreeLineBreakPage, "Lomex.ThreeLineBreakPage", nullptr, "Apartment",
     &com::createComObject<CSpecialChartPageObject<SpecialChartPage::ThreeLineBreak>>},
    {CLSID_AxisGeneralPage, "Lomex.AxisGeneralPage", nullptr, "Apartment",
     &com::createComObject<CAxisPageObject<CAxisGeneralPage>>},
    {CLSID_AxisScalePage, "Lomex.AxisScalePage", nullptr, "Apartment",
     &com::createComObject<CAxisPageObject<CAxisScalePage>>},
    {CLSID_AxisGridPage, "Lomex.AxisGridPage", nullptr, "Apartment",
     &com::createComObject<CAxisPageObject<CAxisGridPage>>},
    {CLSID_DrawPage, "Lomex.DrawPage", nullptr, "Apartment", &com::createComObject<CDrawPageObject>},
    {CLSID_Indices, "Lomex.Indices", nullptr, "Apartment", &com::createComObject<CStudiesPageObject>},
};

// The drawing features' dialogs live here, beside the pages; the extension finds them once loaded.
[[maybe_unused]] const bool drawingDialogsInstalled = (InstallDrawingDialogs(), true);

}  // namespace
}  // namespace dravik

TARNWICK_INPROC_SERVER(dravik::kClasses)

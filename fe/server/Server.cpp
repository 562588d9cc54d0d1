// The extension as an in-process server: the class FinancialCharts under "Lomex.Financial".
#include "com/InprocServer.h"
#include "dravik/Identities.h"
#include "extension/CFinancialCharts.h"

namespace dravik {
namespace {

const com::ServerClass kClasses[] = {
    {CLSID_FinancialCharts, kFinancialChartsProgIdText, kFinancialChartsVersionedProgId, "Apartment",
     &com::createComObject<CFinancialCharts>},
};

}  // namespace
}  // namespace dravik

TARNWICK_INPROC_SERVER(dravik::kClasses)

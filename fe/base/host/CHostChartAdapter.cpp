#include "host/CHostChartAdapter.h"

#include "host/CHostChartAdapterText.h"

namespace dravik {

std::unique_ptr<CHostChartAdapter> CreateHostChartAdapter(com::IUnknown* control) {
    if (auto adapter = CHostChartAdapterA::Create(control))
        return adapter;
    return CHostChartAdapterB::Create(control);
}

}  // namespace dravik

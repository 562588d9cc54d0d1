// Creation of the extension object (FinancialCharts) for the class tables that register it, so that
// they need not parse the class itself.
#pragma once

#include "com/Guid.h"
#include "com/HResult.h"
#include "com/Unknown.h"

namespace dravik {

// Creates the extension object with the contract of IClassFactory::CreateInstance (com::Creator).
com::HRESULT CreateFinancialCharts(com::IUnknown* outer, const com::IID& iid, void** object);

}  // namespace dravik

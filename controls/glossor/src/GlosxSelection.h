// The selection as the program sees it: a view over the list's selected objects.
#pragma once

#include "com/ComPtr.h"
#include "glossor/IGlosxList.h"

namespace glossor {

class GlosxList;

com::ComPtr<IGlosxSelection> makeSelectionView(GlosxList* list);

}  // namespace glossor

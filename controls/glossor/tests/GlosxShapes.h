// Object data for the tests of the parts below the list.
#pragma once

#include "GlosxGeometry.h"

namespace glossor::testing {

inline GlosxData shape(com::SHORT kind, int x1, int y1, int x2, int y2) {
    GlosxData data;
    data.kind = kind;
    data.x1 = static_cast<com::SHORT>(x1);
    data.y1 = static_cast<com::SHORT>(y1);
    data.x2 = static_cast<com::SHORT>(x2);
    data.y2 = static_cast<com::SHORT>(y2);
    return data;
}

}  // namespace glossor::testing

// The class of the library, creatable in process by CLSID and ProgID.
#include "GlosxList.h"
#include "com/Activation.h"

namespace glossor {

HRESULT registerAnnotationClasses() {
    return com::registerClassObject(com::ServerClass{CLSID_GlosxList, kGlosxListProgId,
                                                     kGlosxListVersionedProgId, "Apartment",
                                                     &com::createComObject<GlosxList>});
}

namespace {
// Every program that loads the library can attach the list to a chart without asking.
[[maybe_unused]] const HRESULT registered = registerAnnotationClasses();
}  // namespace

}  // namespace glossor

// The classes of the library, creatable in process by CLSID and ProgID.
#include "com/Activation.h"
#include "ostbar/OstBarContract.h"
#include "ostbar/OstCommandBar.h"
#include "ostbar/OstTool.h"

namespace ostbar {

HRESULT registerClasses() {
    static const com::ServerClass kClasses[] = {
        {CLSID_OstCommandBar, kCommandBarProgId, "OstBar.CommandBar.1", "Apartment",
         &com::createComObject<OstCommandBar>},
        {CLSID_OstTool, kToolProgId, "OstBar.Tool.1", "Apartment", &com::createComObject<OstTool>},
    };
    for (const com::ServerClass& serverClass : kClasses) {
        if (const HRESULT result = com::registerClassObject(serverClass); com::FAILED(result))
            return result;
    }
    return com::S_OK;
}

namespace {
// Every program that loads the library can create its classes without asking.
[[maybe_unused]] const HRESULT registered = registerClasses();
}  // namespace

}  // namespace ostbar

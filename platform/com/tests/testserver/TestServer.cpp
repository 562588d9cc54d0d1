#include "TestServer.h"

#include "com/ComObject.h"
#include "com/InprocServer.h"

namespace testserver {
namespace {

template <com::LONG kKind>
class Widget final : public com::ComObject<ITestWidget> {
public:
    com::LONG Kind() override { return kKind; }
};

const com::ServerClass kClasses[] = {
    {CLSID_TestWidget, "Tarnwick.TestWidget", "Tarnwick.TestWidget.2", "Apartment",
     &com::createComObject<Widget<1>>},
    {CLSID_TestGadget, "Tarnwick.TestGadget", nullptr, "Apartment", &com::createComObject<Widget<2>>},
};

}  // namespace
}  // namespace testserver

TARNWICK_INPROC_SERVER(testserver::kClasses)

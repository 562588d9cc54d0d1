// Event sink adaptor: an IDispatch sink whose events run C++ handlers.
#pragma once

#include <functional>
#include <span>
#include <unordered_map>

#include "com/ComObject.h"
#include "com/Dispatch.h"

namespace com {

// A sink for one outgoing (event) interface, built from C++ handlers:
//
//   auto sink = com::makeComObject<com::EventSink>(DIID_Events);
//   sink->on(2, [&](std::span<com::Variant> args) { *args[2].bstrRef() = ...; return com::S_OK; });
//   point->Advise(sink->identity(), &cookie);
//
// It answers the event interface's IID (a dispatch interface) and IDispatch. Events without a handler are
// accepted and ignored, as a container ignores events it does not handle.
class EventSink : public ComObject<IDispatch> {
public:
    using Handler = std::function<HRESULT(std::span<Variant> args)>;

    explicit EventSink(const IID& eventsIid) : eventsIid_(eventsIid) {}

    // Replaces the handler of `dispid`; an empty handler removes it.
    void on(DISPID dispid, Handler handler);

    HRESULT Invoke(DISPID dispid, std::span<Variant> args) override;

protected:
    void* queryExtraInterface(const IID& iid) override;

private:
    IID eventsIid_;
    std::unordered_map<DISPID, Handler> handlers_;
};

}  // namespace com

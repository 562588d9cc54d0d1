#include "com/EventSink.h"

namespace com {

void EventSink::on(DISPID dispid, Handler handler) {
    if (handler) {
        handlers_[dispid] = std::move(handler);
    } else {
        handlers_.erase(dispid);
    }
}

HRESULT EventSink::Invoke(DISPID dispid, std::span<Variant> args) {
    const auto found = handlers_.find(dispid);
    if (found == handlers_.end())
        return S_OK;
    // A copy: the handler may replace or remove itself while it runs.
    const Handler handler = found->second;
    return handler(args);
}

void* EventSink::queryExtraInterface(const IID& iid) {
    return iid == eventsIid_ ? static_cast<IDispatch*>(this) : nullptr;
}

}  // namespace com

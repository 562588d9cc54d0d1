#include "com/ConnectionPoint.h"

#include <algorithm>

namespace com {

HRESULT ConnectionPoint::GetConnectionInterface(IID* iid) {
    if (!iid)
        return E_POINTER;
    *iid = eventsIid_;
    return S_OK;
}

HRESULT ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
    if (!cookie)
        return E_POINTER;
    *cookie = 0;
    if (!sink)
        return E_POINTER;
    void* events = nullptr;
    if (FAILED(sink->QueryInterface(eventsIid_, &events)) || !events)
        return CONNECT_E_CANNOTCONNECT;
    // The event interface is a dispatch interface: its pointer is an IDispatch.
    auto dispatch = ComPtr<IDispatch>::attach(static_cast<IDispatch*>(events));
    *cookie = nextCookie();
    connections_.push_back({*cookie, std::move(dispatch)});
    return S_OK;
}

HRESULT ConnectionPoint::Unadvise(DWORD cookie) {
    const auto found = std::find_if(connections_.begin(), connections_.end(),
                                    [cookie](const Connection& c) { return c.cookie == cookie; });
    if (cookie == 0 || found == connections_.end())
        return CONNECT_E_NOCONNECTION;
    // Released after the list is consistent again: releasing may run the sink's destructor, which may
    // call back into this point.
    ComPtr<IDispatch> released = std::move(found->sink);
    connections_.erase(found);
    return S_OK;
}

void ConnectionPoint::raise(DISPID dispid, std::span<Variant> args) {
    // Copying takes a reference on every sink and keeps this point alive until the raise ends.
    const std::vector<Connection> snapshot = connections_;
    const ComPtr<ConnectionPoint> self(this);
    for (const Connection& connection : snapshot) {
        if (isConnected(connection.cookie))
            connection.sink->Invoke(dispid, args);
    }
}

bool ConnectionPoint::isConnected(DWORD cookie) const {
    return std::any_of(connections_.begin(), connections_.end(),
                       [cookie](const Connection& c) { return c.cookie == cookie; });
}

// Cookies count up from 1, skip 0 when the count wraps and never repeat a live one.
DWORD ConnectionPoint::nextCookie() {
    do {
        ++lastCookie_;
    } while (lastCookie_ == 0 || isConnected(lastCookie_));
    return lastCookie_;
}

ComPtr<ConnectionPoint> ConnectionPointList::add(const IID& eventsIid) {
    points_.push_back(makeComObject<ConnectionPoint>(eventsIid));
    return points_.back();
}

HRESULT ConnectionPointList::find(const IID& iid, IConnectionPoint** point) const {
    if (!point)
        return E_POINTER;
    *point = nullptr;
    for (const ComPtr<ConnectionPoint>& candidate : points_) {
        if (candidate->eventsIid() == iid) {
            *point = candidate.get();
            candidate->AddRef();
            return S_OK;
        }
    }
    return CONNECT_E_NOCONNECTION;
}

}  // namespace com

// Connection points: how an object offers its outgoing (event) interfaces and raises events to the sinks
// that containers advise.
//
// A sink is advised by its IUnknown; the connection point asks it for the event interface's IID and
// calls the answer as an IDispatch (an event interface is a dispatch interface), so an object answering
// that IID must hand out its IDispatch for it. EventSink does.
//
// Connection points are not locked: they are advised, unadvised and raised on one thread (the
// user-interface thread), re-entrantly if need be.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <type_traits>
#include <utility>
#include <vector>

#include "com/ComObject.h"
#include "com/Dispatch.h"

namespace com {

// {B196B286-BAB4-101A-B69C-00AA00341D07}
inline constexpr IID IID_IConnectionPoint{
    0xB196B286, 0xBAB4, 0x101A, {0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07}};
// {B196B284-BAB4-101A-B69C-00AA00341D07}
inline constexpr IID IID_IConnectionPointContainer{
    0xB196B284, 0xBAB4, 0x101A, {0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07}};

struct IConnectionPoint : IUnknown {
    static constexpr IID iid = IID_IConnectionPoint;

    // The IID of the event interface offered here.
    virtual HRESULT GetConnectionInterface(IID* iid) = 0;
    // Connects `sink`; *cookie receives a non-zero number that identifies the connection (0 on failure).
    // CONNECT_E_CANNOTCONNECT when the sink does not answer the event interface.
    virtual HRESULT Advise(IUnknown* sink, DWORD* cookie) = 0;
    // CONNECT_E_NOCONNECTION for a cookie that names no current connection.
    virtual HRESULT Unadvise(DWORD cookie) = 0;

protected:
    ~IConnectionPoint() = default;
};

struct IConnectionPointContainer : IUnknown {
    static constexpr IID iid = IID_IConnectionPointContainer;

    // The connection point of event interface `iid` (a new reference); CONNECT_E_NOCONNECTION when the
    // object has none.
    virtual HRESULT FindConnectionPoint(const IID& iid, IConnectionPoint** point) = 0;

protected:
    ~IConnectionPointContainer() = default;
};

class ConnectionPoint final : public ComObject<IConnectionPoint> {
public:
    explicit ConnectionPoint(const IID& eventsIid) : eventsIid_(eventsIid) {}

    HRESULT GetConnectionInterface(IID* iid) override;
    HRESULT Advise(IUnknown* sink, DWORD* cookie) override;
    HRESULT Unadvise(DWORD cookie) override;

    const IID& eventsIid() const { return eventsIid_; }
    std::size_t connectionCount() const { return connections_.size(); }

    // Calls every sink connected when the raise starts, in the order they were advised, with the same
    // argument array; results are ignored. Each sink is held by a reference for the whole raise, so a
    // sink may unadvise itself or others (or raise again) while it is called; a sink unadvised during
    // the raise before its turn is skipped, one advised during it is not called.
    void raise(DISPID dispid, std::span<Variant> args);

    // Raises with arguments given as values; a Bstr* or LONG* becomes a by-reference argument over the
    // caller's variable:  point->raiseWith(2, gallery, point, &text);
    template <typename... Args>
    void raiseWith(DISPID dispid, Args&&... args) {
        std::array<Variant, sizeof...(Args)> array{toArgument(std::forward<Args>(args))...};
        raise(dispid, array);
    }

private:
    struct Connection {
        DWORD cookie;
        ComPtr<IDispatch> sink;
    };

    static Variant toArgument(Bstr* target) { return Variant::byRef(target); }
    static Variant toArgument(LONG* target) { return Variant::byRef(target); }
    template <typename T>
    requires(!std::is_pointer_v<std::remove_cvref_t<T>>) static Variant toArgument(T&& value) {
        return Variant(std::forward<T>(value));
    }

    bool isConnected(DWORD cookie) const;
    DWORD nextCookie();

    IID eventsIid_;
    std::vector<Connection> connections_;
    DWORD lastCookie_ = 0;
};

// The connection points of one object, for its IConnectionPointContainer::FindConnectionPoint:
//
//   HRESULT FindConnectionPoint(const IID& iid, IConnectionPoint** point) override {
//       return points_.find(iid, point);
//   }
class ConnectionPointList {
public:
    // Adds a connection point for `eventsIid` and returns it for raising.
    ComPtr<ConnectionPoint> add(const IID& eventsIid);
    HRESULT find(const IID& iid, IConnectionPoint** point) const;

private:
    std::vector<ComPtr<ConnectionPoint>> points_;
};

}  // namespace com

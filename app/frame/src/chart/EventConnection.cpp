#include "frame/chart/EventConnection.h"

namespace frame::chart {

EventConnection AdviseEvents(com::IUnknown* source, const com::IID& events, com::EventSink* sink) {
    EventConnection connection;
    com::ComPtr<com::IConnectionPointContainer> container;
    if (source == nullptr ||
        com::FAILED(source->QueryInterface(com::IConnectionPointContainer::iid, container.putVoid())) ||
        !container)
        return connection;
    if (com::FAILED(container->FindConnectionPoint(events, connection.point.put())) || !connection.point)
        return connection;
    if (com::FAILED(connection.point->Advise(sink->identity(), &connection.cookie)))
        connection.point = nullptr;
    return connection;
}

void UnadviseEvents(EventConnection& connection) {
    if (connection.point)
        connection.point->Unadvise(connection.cookie);
    connection.point = nullptr;
}

}  // namespace frame::chart

#pragma once

// A sink joined to the events of a chart, an extension or the annotation list, until it is let go.

#include "com/ComPtr.h"
#include "com/ConnectionPoint.h"
#include "com/EventSink.h"

namespace frame::chart {

struct EventConnection {
    com::ComPtr<com::IConnectionPoint> point;
    com::DWORD cookie = 0;
};

// Joins `sink` to the `events` of `source`; an empty connection when the source has no such events.
EventConnection AdviseEvents(com::IUnknown* source, const com::IID& events, com::EventSink* sink);
// Lets go of the events; nothing for an empty connection.
void UnadviseEvents(EventConnection& connection);

}  // namespace frame::chart

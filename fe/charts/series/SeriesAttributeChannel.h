// How a series binding reaches the attributes of its chart series, and what it needs of the object
// that owns the series.
#pragma once

#include "com/HResult.h"
#include "com/Types.h"
#include "res/ResourceModule.h"

namespace dravik {

class CHostChartAdapter;

// Attribute reads and writes of chart series (attribute ids of SeriesAttributeId). Value results are
// 0 when the chart cannot answer.
class SeriesAttributeChannel {
public:
    virtual ~SeriesAttributeChannel() = default;
    virtual com::LONG GetAttribute(com::SHORT series, com::LONG id) = 0;
    virtual com::HRESULT SetAttribute(com::SHORT series, com::LONG id, com::LONG value) = 0;
    virtual com::LONG GetColor(com::SHORT series) = 0;
    virtual com::HRESULT SetColor(com::SHORT series, com::LONG color) = 0;
    virtual com::LONG GetBkColor(com::SHORT series) = 0;
    virtual com::HRESULT SetBkColor(com::SHORT series, com::LONG color) = 0;
    // Legend text into a buffer of `size` bytes, terminator included.
    virtual com::HRESULT GetLegend(com::SHORT series, char* buffer, com::LONG size) = 0;
    virtual com::HRESULT SetLegend(com::SHORT series, const char* text) = 0;
};

// The channel over the chart-control adapter: the one place where series attributes meet the adapter.
class AdapterSeriesChannel final : public SeriesAttributeChannel {
public:
    explicit AdapterSeriesChannel(CHostChartAdapter* adapter = nullptr) : adapter_(adapter) {}
    void SetAdapter(CHostChartAdapter* adapter) { adapter_ = adapter; }
    bool HasAdapter() const { return adapter_ != nullptr; }

    com::LONG GetAttribute(com::SHORT series, com::LONG id) override;
    com::HRESULT SetAttribute(com::SHORT series, com::LONG id, com::LONG value) override;
    com::LONG GetColor(com::SHORT series) override;
    com::HRESULT SetColor(com::SHORT series, com::LONG color) override;
    com::LONG GetBkColor(com::SHORT series) override;
    com::HRESULT SetBkColor(com::SHORT series, com::LONG color) override;
    com::HRESULT GetLegend(com::SHORT series, char* buffer, com::LONG size) override;
    com::HRESULT SetLegend(com::SHORT series, const char* text) override;

private:
    CHostChartAdapter* adapter_;  // not owned; outlives the binding while attached
};

// What a series binding and its COM wrappers need of the chart type or extension that owns the
// series.
class SeriesOwner {
public:
    virtual ~SeriesOwner() = default;
    // The module that string-id legends are loaded from.
    virtual const res::ResourceModule* ResourceModule() = 0;
    // After a colour change: repaint the chart when one of the extension's chart types is active.
    virtual void RepaintIfActive() = 0;
    // The Y axis of a chart series, or of a study's output (study >= 0), as the owning chart type
    // keeps it; the chart type applies a change and knows whether it is the active one.
    virtual com::HRESULT GetSeriesAxis(com::SHORT series, int study, com::SHORT* axis) = 0;
    virtual com::HRESULT SetSeriesAxis(com::SHORT series, int study, com::SHORT axis) = 0;
};

}  // namespace dravik

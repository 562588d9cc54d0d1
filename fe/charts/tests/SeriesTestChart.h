// A chart's series attributes for the series-binding tests: each series holds its attributes by id;
// the colour and background colour of a series are its attributes 2 and 3, whichever call reaches
// them. Every write is logged in order.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "com/FixedText.h"
#include "series/SeriesAttributeChannel.h"
#include "series/SeriesAttributeRecord.h"

namespace dravik::test {

class SeriesTestChart final : public SeriesAttributeChannel {
public:
    com::LONG GetAttribute(com::SHORT series, com::LONG id) override { return attributes[{series, id}]; }
    com::HRESULT SetAttribute(com::SHORT series, com::LONG id, com::LONG value) override {
        attributes[{series, id}] = value;
        writes.push_back("s" + std::to_string(series) + " id" + std::to_string(id) + "=" +
                         std::to_string(value));
        return com::S_OK;
    }
    com::LONG GetColor(com::SHORT series) override { return GetAttribute(series, SAID_COLOR); }
    com::HRESULT SetColor(com::SHORT series, com::LONG color) override {
        return SetAttribute(series, SAID_COLOR, color);
    }
    com::LONG GetBkColor(com::SHORT series) override { return GetAttribute(series, SAID_BKCOLOR); }
    com::HRESULT SetBkColor(com::SHORT series, com::LONG color) override {
        return SetAttribute(series, SAID_BKCOLOR, color);
    }
    com::HRESULT GetLegend(com::SHORT series, char* buffer, com::LONG size) override {
        com::copyToFixed(legends[series], buffer, static_cast<std::size_t>(size));
        return com::S_OK;
    }
    com::HRESULT SetLegend(com::SHORT series, const char* text) override {
        legends[series] = text;
        writes.push_back("s" + std::to_string(series) + " legend=" + text);
        return com::S_OK;
    }

    std::map<std::pair<com::SHORT, com::LONG>, com::LONG> attributes;
    std::map<com::SHORT, std::string> legends;
    std::vector<std::string> writes;
};

// An owner that keeps one axis per series (and per study) and counts repaints.
class SeriesTestOwner final : public SeriesOwner {
public:
    const res::ResourceModule* ResourceModule() override { return nullptr; }
    void RepaintIfActive() override { ++repaints; }
    com::HRESULT GetSeriesAxis(com::SHORT series, int study, com::SHORT* axis) override {
        *axis = axes[{series, study}];
        return com::S_OK;
    }
    com::HRESULT SetSeriesAxis(com::SHORT series, int study, com::SHORT axis) override {
        axes[{series, study}] = axis;
        return com::S_OK;
    }

    int repaints = 0;
    std::map<std::pair<com::SHORT, int>, com::SHORT> axes;
};

}  // namespace dravik::test

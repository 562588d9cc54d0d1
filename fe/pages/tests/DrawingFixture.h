// The real extension loaded into the real chart, with a sink on its events: for the Draw page and the
// drawing dialogs, which work on the extension's own drawing list.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "com/Activation.h"
#include "com/EventSink.h"
#include "dravik/Events.h"
#include "dravik/Identities.h"
#include "extension/CFinancialCharts.h"
#include "korvel/KvlChart.h"

namespace dravik::test {

// One drawing event as the container saw it.
struct SeenDrawingEvent {
    com::DISPID dispid;
    com::LONG kind;
    com::SHORT ordinal;
    friend bool operator==(const SeenDrawingEvent&, const SeenDrawingEvent&) = default;
};

class DrawingFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(com::registerClassObject(com::ServerClass{CLSID_FinancialCharts, kFinancialChartsProgIdText,
                                                            kFinancialChartsVersionedProgId, "Apartment",
                                                            &com::createComObject<CFinancialCharts>}),
                  com::S_OK);
        chart = korvel::KvlChart::create();
        chart->model().resize(4, 10);
        ASSERT_EQ(chart->AddExtension(com::Bstr(u"Lomex.Financial"), extension.put()), com::S_OK);
        ASSERT_EQ(extension->QueryInterface(IFinancialCharts::iid, financial.putVoid()), com::S_OK);
        charts = dynamic_cast<CFinancialCharts*>(financial.get());
        ASSERT_NE(charts, nullptr);
        listen();
    }
    void TearDown() override {
        charts = nullptr;
        financial.reset();
        extension.reset();
        chart->extensions().unloadAll();
        com::revokeClassObject(CLSID_FinancialCharts);
    }

    // Records every drawing event (dispids 6, 7, 9, 10 and 11) that the connection point raises.
    void listen() {
        auto container = financial.as<com::IConnectionPointContainer>();
        com::ComPtr<com::IConnectionPoint> point;
        ASSERT_EQ(container->FindConnectionPoint(DIID_DLomex_Events, point.put()), com::S_OK);
        sink = com::makeComObject<com::EventSink>(DIID_DLomex_Events);
        for (const com::DISPID dispid : {6, 7, 9, 10, 11}) {
            sink->on(dispid, [this, dispid](std::span<com::Variant> args) {
                events.push_back({dispid, args[0].i4(), args[1].i2()});
                return com::S_OK;
            });
        }
        com::DWORD cookie = 0;
        ASSERT_EQ(point->Advise(sink->identity(), &cookie), com::S_OK);
    }

    // The drawing of `kind` at `ordinal` (made when there is none yet); its list index.
    int drawing(com::LONG kind, com::SHORT ordinal = 0) {
        com::ComPtr<IDrawFeature> feature;
        EXPECT_EQ(charts->drawingFeatures().GetDrawing(kind, com::Variant(ordinal), feature.put()),
                  com::S_OK);
        return charts->drawingList().IndexOfKind(kind, ordinal);
    }
    com::ComPtr<IDrawFeature> feature(int index) {
        com::ComPtr<IDrawFeature> object;
        EXPECT_EQ(charts->drawingFeatures().CreateFeatureObject(index, object.put()), com::S_OK);
        return object;
    }
    DrawingRecord& record(int index) { return *charts->drawingList().At(index); }
    // Level `level` of a drawing's extra bytes: a double at `stride` bytes per level.
    double ratio(int index, int level, std::size_t stride = 8) {
        double value = 0;
        std::memcpy(&value, record(index).extraBytes.data() + static_cast<std::size_t>(level) * stride, 8);
        return value;
    }

    com::ComPtr<korvel::KvlChart> chart;
    com::ComPtr<com::IUnknown> extension;
    com::ComPtr<IFinancialCharts> financial;
    CFinancialCharts* charts = nullptr;
    com::ComPtr<com::EventSink> sink;
    std::vector<SeenDrawingEvent> events;
};

}  // namespace dravik::test

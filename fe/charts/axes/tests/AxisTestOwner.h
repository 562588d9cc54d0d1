// Stand-ins for the owners of the axes in tests: an extension object attached to a real chart control
// (through the adapter the extension uses), and an analytical chart with per-axis scales.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

#include "axes/AxisObjectFactory.h"
#include "axes/AxisOwner.h"
#include "com/ComObject.h"
#include "com/ComPtr.h"
#include "host/CHostChartAdapter.h"
#include "korvel/KvlChart.h"
#include "state/ExtensionSettings.h"

namespace dravik::test {

// {5E1D7A0C-2B6F-4C1E-9A53-0D2F8E61B7A4}
struct IAxisTestOwner : com::IUnknown {
    static constexpr com::IID iid{
        0x5E1D7A0C, 0x2B6F, 0x4C1E, {0x9A, 0x53, 0x0D, 0x2F, 0x8E, 0x61, 0xB7, 0xA4}};

protected:
    ~IAxisTestOwner() = default;
};

// Attached on construction; `detach` drops the chart and its adapter, as the extension does when the
// chart lets it go. `destroyed` (when given) is set by the destructor.
class AxisTestOwner final : public com::ComObject<IAxisTestOwner>, public IAxisOwner {
public:
    explicit AxisTestOwner(bool* destroyed = nullptr) : destroyed_(destroyed) {
        settings.SetDefaults(nullptr);
        attach();
    }

    void attach() {
        chart = korvel::KvlChart::create();
        chart->model().resize(2, 5);
        adapter = CreateHostChartAdapter(static_cast<korvel::IKvlChart*>(chart.get()));
    }
    void detach() {
        adapter.reset();
        chart = nullptr;
    }
    korvel::KvlAxisState& chartAxis(com::SHORT axis) { return *chart->model().axis(axis); }
    double chartValue(com::SHORT axis, com::LONG code) {
        return chartAxis(axis).properties[static_cast<std::size_t>(code)];
    }

    com::IUnknown* AxisOwnerIdentity() override { return identity(); }
    CHostChartAdapter* AxisAdapter() override { return adapter.get(); }
    void RepaintAxisChart() override {
        if (adapter)
            ++repaints;
    }
    ExtensionSettings& AxisSettingsBlock() override { return settings; }
    void ApplyDateSteps(com::SHORT step, com::SHORT every, com::SHORT minorStep,
                        com::SHORT minorEvery) override {
        appliedSteps.push_back({step, every, minorStep, minorEvery});
    }

    com::ComPtr<korvel::KvlChart> chart;
    std::unique_ptr<CHostChartAdapter> adapter;
    ExtensionSettings settings;
    int repaints = 0;
    std::vector<std::array<com::SHORT, 4>> appliedSteps;

private:
    ~AxisTestOwner() override {
        if (destroyed_)
            *destroyed_ = true;
    }
    bool* destroyed_;
};

// The analytical chart's side: a scale per axis number, which a value set by the user replaces and
// then "recomputes" (here: the step follows the range as a tenth of it unless the user set it).
class AnalyticalTestChart final : public IAnalyticalAxisChart {
public:
    bool GetAxisScale(com::LONG axisNumber, AnalyticalAxisScale& scale) override {
        if (axisNumber < 0 || axisNumber > 3 || !inUse[static_cast<std::size_t>(axisNumber)])
            return false;
        scale = scales[static_cast<std::size_t>(axisNumber)];
        return true;
    }
    void SetAxisScaleValue(com::LONG axisNumber, AnalyticalScaleField field, double value) override {
        AnalyticalAxisScale& s = scales[static_cast<std::size_t>(axisNumber)];
        switch (field) {
            case AnalyticalScaleField::Min:
                s.min = value;
                break;
            case AnalyticalScaleField::Max:
                s.max = value;
                break;
            case AnalyticalScaleField::Step:
                s.step = value;
                break;
            case AnalyticalScaleField::MinorStep:
                s.minorStep = value;
                break;
        }
        ++recomputes;
    }
    bool IsCurrentChartType() override { return current; }
    com::SHORT StudyChartAxis() override { return 0; }

    std::array<AnalyticalAxisScale, 4> scales{};
    std::array<bool, 4> inUse{true, true, true, true};
    bool current = true;
    int recomputes = 0;
};

// The price axis object over the owner's price axis settings.
inline com::ComPtr<ILomexAxis> pricesAxis(AxisTestOwner& owner) {
    ILomexAxis* axis = nullptr;
    EXPECT_EQ(CreateChartAxisObject(owner, owner.settings.priceAxis, 0, &axis), com::S_OK);
    return com::ComPtr<ILomexAxis>::attach(axis);
}

}  // namespace dravik::test

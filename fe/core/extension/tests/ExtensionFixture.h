// A FinancialCharts object beside a chart of the chart-control model, seen through the recording
// decorator, and a callback that stands for whatever the chart had installed before the extension.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "com/ComObject.h"
#include "extension/CFinancialCharts.h"
#include "gallery/CRecordingGallery.h"
#include "korvel/KvlChart.h"
#include "korvel/testing/KvlRecordingControl.h"

namespace dravik::test {

// The callback installed in the chart before the extension's: answers `answer` from every method and
// logs "prev:<method>" into a shared log.
class FakePreviousCallback final : public com::ComObject<korvel::IKvlExtensionCallback> {
public:
    explicit FakePreviousCallback(std::vector<std::string>* log) : log_(log) {}

    LONG answer = 0;
    std::vector<int> methods;
    // The arguments of the last tip call (methods 12 and 13).
    std::vector<LONG> tipArgs;

    LONG AxisDoubleClick(const korvel::KvlHitRecord*, LONG, LONG, LONG) override { return hit(0); }
    LONG ButtonDown(LONG, LONG) override { return hit(1); }
    LONG ButtonUp(LONG, LONG) override { return hit(2); }
    LONG CancelTracking(LONG, LONG, LONG, LONG) override { return hit(3); }
    LONG AxisRightClick(LONG, LONG) override { return hit(4); }
    LONG MouseLeave(LONG, LONG) override { return hit(5); }
    LONG MouseMove(LONG, LONG) override { return hit(6); }
    LONG ReadDrawArea(gdi::DeviceContext*, const korvel::KvlRect*) override { return hit(7); }
    LONG ClearDrawArea(gdi::DeviceContext*, const korvel::KvlRect*) override { return hit(8); }
    LONG DrawAreaNotify(gdi::DeviceContext*, const korvel::KvlRect*, LONG, LONG) override { return hit(9); }
    LONG DrawAreaPrepare(gdi::DeviceContext*, const korvel::KvlRect*) override { return hit(10); }
    LONG SetCursor(LONG, LONG) override { return hit(11); }
    LONG PointTipText(LONG series, LONG point) override {
        tipArgs = {series, point};
        return hit(12);
    }
    LONG TipText(LONG kind, LONG a, LONG b) override {
        tipArgs = {kind, a, b};
        return hit(13);
    }
    LONG HoverOn(LONG, LONG) override { return hit(14); }
    LONG HoverOff(LONG, LONG) override { return hit(15); }
    LONG KeyDown(LONG, LONG) override { return hit(16); }
    LONG KeyUp(LONG, LONG) override { return hit(17); }
    LONG AxisColorDrop(const korvel::KvlHitRecord*, LONG, LONG) override { return hit(18); }
    LONG BeforePaint(gdi::DeviceContext*, const korvel::KvlRect*) override { return hit(19); }
    LONG AfterPaint(gdi::DeviceContext*, const korvel::KvlRect*) override { return hit(20); }
    LONG BeforePrint(gdi::DeviceContext*, const korvel::KvlRect*) override { return hit(21); }
    LONG AfterPrint(gdi::DeviceContext*, const korvel::KvlRect*) override { return hit(22); }
    LONG DataChanged(LONG, LONG) override { return hit(23); }
    LONG Command(LONG) override { return hit(24); }
    LONG ZoomChanged(LONG, LONG) override { return hit(25); }
    LONG ScrollChanged(LONG, LONG) override { return hit(26); }
    LONG GalleryChanged(LONG, LONG) override { return hit(27); }
    LONG SettingChanged(LONG, LONG) override { return hit(28); }
    LONG HostNotify(LONG, LONG) override { return hit(29); }
    LONG Destroying() override { return hit(30); }

private:
    LONG hit(int method) {
        methods.push_back(method);
        if (log_)
            log_->push_back("prev:" + std::to_string(method));
        return answer;
    }

    std::vector<std::string>* log_;
};

// Creates the extension with recording chart types, as the chart creates it by ProgID.
inline HRESULT createRecordingExtension(com::IUnknown* outer, const com::IID& iid, void** object) {
    if (!object)
        return com::E_POINTER;
    *object = nullptr;
    if (outer)
        return com::CLASS_E_NOAGGREGATION;
    auto made = com::makeComObject<CFinancialCharts>(ChartTypeFactory(&CreateRecordingChartType));
    return made->QueryInterface(iid, object);
}

class ExtensionFixture : public ::testing::Test {
protected:
    void SetUp() override {
        chart = korvel::KvlChart::create();
        chart->model().resize(3, 10);
        recorder = com::makeComObject<korvel::testing::KvlRecordingControl>(chart);
        extension = com::makeComObject<CFinancialCharts>(ChartTypeFactory(&CreateRecordingChartType));
    }
    void TearDown() override {
        CRecordingGallery::setObserver(nullptr);
        if (extension)
            extension->SetChart(nullptr);
    }

    com::IUnknown* chartObject() { return static_cast<korvel::IKvlExtensionSite*>(recorder.get()); }
    HRESULT attach() { return extension->SetChart(chartObject()); }
    CRecordingGallery& type(LONG index) {
        return static_cast<CRecordingGallery&>(*extension->gallery(index));
    }
    korvel::IKvlExtensionCallback* ownCallback() {
        return static_cast<korvel::IKvlExtensionCallback*>(extension.get());
    }
    // Installs a previous callback in the chart, as another extension would have.
    com::ComPtr<FakePreviousCallback> installPrevious(std::vector<std::string>* log = nullptr) {
        auto previous = com::makeComObject<FakePreviousCallback>(log);
        korvel::IKvlExtensionCallback* replaced = nullptr;
        chart->AdviseCallback(previous.get(), &replaced);
        if (replaced)
            replaced->Release();
        return previous;
    }
    // The recorded calls of the control whose names are in `names`, in order.
    std::vector<std::string> callsAmong(const std::vector<std::string>& names) const {
        std::vector<std::string> picked;
        for (const std::string& call : recorder->calls()) {
            if (std::find(names.begin(), names.end(), call) != names.end())
                picked.push_back(call);
        }
        return picked;
    }

    com::ComPtr<korvel::KvlChart> chart;
    com::ComPtr<korvel::testing::KvlRecordingControl> recorder;
    com::ComPtr<CFinancialCharts> extension;
};

}  // namespace dravik::test

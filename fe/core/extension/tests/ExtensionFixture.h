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

using korvel::KvlArg;

// The callback installed in the chart before the extension's: answers `answer` from every method and
// logs "prev:<method>" into a shared log.
class FakePreviousCallback final : public com::ComObject<korvel::IKvlExtensionCallback> {
public:
    explicit FakePreviousCallback(std::vector<std::string>* log) : log_(log) {}

    LONG answer = 0;
    std::vector<int> methods;
    // The text buffer handed to methods 12 and 13.
    KvlArg lastText = 0;

    LONG AxisDoubleClick(KvlArg, KvlArg, KvlArg, KvlArg) override { return hit(0); }
    LONG ButtonDown(KvlArg, KvlArg) override { return hit(1); }
    LONG ButtonUp(KvlArg, KvlArg) override { return hit(2); }
    LONG CancelTracking(KvlArg, KvlArg, KvlArg, KvlArg) override { return hit(3); }
    LONG AxisRightClick(KvlArg, KvlArg) override { return hit(4); }
    LONG MouseLeave(KvlArg, KvlArg) override { return hit(5); }
    LONG MouseMove(KvlArg, KvlArg) override { return hit(6); }
    LONG ReadDrawArea(KvlArg, KvlArg) override { return hit(7); }
    LONG ClearDrawArea(KvlArg, KvlArg) override { return hit(8); }
    LONG DrawAreaNotify(KvlArg, KvlArg, KvlArg, KvlArg) override { return hit(9); }
    LONG DrawAreaPrepare(KvlArg, KvlArg) override { return hit(10); }
    LONG SetCursor(KvlArg, KvlArg) override { return hit(11); }
    LONG PointTipText(KvlArg text, KvlArg) override {
        lastText = text;
        return hit(12);
    }
    LONG TipText(KvlArg text, KvlArg, KvlArg) override {
        lastText = text;
        return hit(13);
    }
    LONG HoverOn(KvlArg, KvlArg) override { return hit(14); }
    LONG HoverOff(KvlArg, KvlArg) override { return hit(15); }
    LONG KeyDown(KvlArg, KvlArg) override { return hit(16); }
    LONG KeyUp(KvlArg, KvlArg) override { return hit(17); }
    LONG AxisColorDrop(KvlArg, KvlArg, KvlArg) override { return hit(18); }
    LONG BeforePaint(KvlArg, KvlArg) override { return hit(19); }
    LONG AfterPaint(KvlArg, KvlArg) override { return hit(20); }
    LONG BeforePrint(KvlArg, KvlArg) override { return hit(21); }
    LONG AfterPrint(KvlArg, KvlArg) override { return hit(22); }
    LONG DataChanged(KvlArg, KvlArg) override { return hit(23); }
    LONG Command(KvlArg) override { return hit(24); }
    LONG ZoomChanged(KvlArg, KvlArg) override { return hit(25); }
    LONG ScrollChanged(KvlArg, KvlArg) override { return hit(26); }
    LONG GalleryChanged(KvlArg, KvlArg) override { return hit(27); }
    LONG SettingChanged(KvlArg, KvlArg) override { return hit(28); }
    LONG HostNotify(KvlArg, KvlArg) override { return hit(29); }
    LONG Destroying(KvlArg, KvlArg) override { return hit(30); }

private:
    LONG hit(int method) {
        methods.push_back(method);
        if (log_)
            log_->push_back("prev:" + std::to_string(method));
        return answer;
    }

    std::vector<std::string>* log_;
};

class ExtensionFixture : public ::testing::Test {
protected:
    void SetUp() override {
        chart = korvel::KvlChart::create();
        chart->model().resize(3, 10);
        recorder = com::makeComObject<korvel::testing::KvlRecordingControl>(chart);
        extension = com::makeComObject<CFinancialCharts>();
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

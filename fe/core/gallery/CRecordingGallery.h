// A chart type that only records what the extension object asks of it, with answers a test can set.
// The six chart types are of this kind until their real classes exist.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "gallery/CGalleryBase.h"

namespace dravik {

class CRecordingGallery : public CGalleryBase {
public:
    struct Call {
        std::string name;
        std::vector<std::intptr_t> args;
    };
    // Called on every recorded call, after it is recorded; lets a test look at the object's state then.
    using Observer = std::function<void(const CRecordingGallery&, const Call&)>;

    CRecordingGallery(CFinancialCharts* owner, SHORT galleryNumber, LONG capabilities);

    const std::vector<Call>& calls() const { return calls_; }
    void clearCalls() { calls_.clear(); }
    // The names of the recorded calls, oldest first.
    std::vector<std::string> callNames() const;
    // What a recorded operation answers from now on (operations without an answer give their neutral one).
    void setAnswer(const std::string& operation, LONG answer) { answers_[operation] = answer; }
    // The text the tip operations write into their buffer.
    void setTipText(std::string text) { tipText_ = std::move(text); }
    // Whether the buffer handed to the last tip call was zeroed when it arrived.
    bool lastTipBufferWasZeroed() const { return lastTipBufferZeroed_; }
    static void setObserver(Observer observer);

    LONG GetGalleryFlags() override { return record("GetGalleryFlags", {}, capabilities_); }
    LONG GetGalleryInfo() override { return record("GetGalleryInfo", {}, 1); }
    LONG DrawPoint(LONG* kind, KvlPaintRecord* record, LONG* mode) override;
    LONG GalleryQuery(LONG what, LONG a, LONG b, LONG c) override;
    LONG Activate(LONG on, LONG selector) override;
    LONG GalleryAction(LONG* seriesCount, LONG* pointCount, KvlValueBlock** block, LONG which,
                       LONG subCode) override;
    HRESULT GetAxisLabel(gdi::DeviceContext* dc, LONG axisCode, LONG major, double* gap, double position,
                         double* value, LONG* labelIndex, KvlTextBuffer* text) override;
    LONG ActiveGalleryCall(LONG code, LONG a, LONG b) override;
    LONG Paint(gdi::DeviceContext* dc, const KvlRect* rect, LONG flags) override;
    LONG OnMouseInput(gdi::DeviceContext* dc, const KvlRect* rect, LONG scaled) override;
    LONG OnKeyInput(gdi::DeviceContext* dc, const KvlRect* rect, LONG reserved) override;
    LONG OnGalleryNotify(gdi::DeviceContext* dc, LONG code, LONG reserved) override;
    void Recalculate() override { record("Recalculate", {}, 0); }
    LONG OnSetState(LONG code) override { return record("OnSetState", {code}, 1); }
    LONG OnAxisMenuCommand(LONG message, std::intptr_t id, std::intptr_t record) override;
    LONG OnAxisColorDrop(const KvlHitRecord* hit, LONG x, LONG y) override;
    LONG OnButtonDown(LONG x, LONG y) override { return record("OnButtonDown", {x, y}, 1); }
    LONG OnButtonUp(LONG x, LONG y) override { return record("OnButtonUp", {x, y}, 1); }
    LONG OnAxisDoubleClick(const KvlHitRecord* hit, LONG x, LONG y, LONG keys) override;
    LONG CancelTracking(LONG reason, LONG x, LONG y, LONG keys) override;
    LONG OnAxisRightClick(LONG x, LONG y) override { return record("OnAxisRightClick", {x, y}, 1); }
    LONG OnMouseMove(LONG x, LONG y) override { return record("OnMouseMove", {x, y}, 1); }
    LONG OnCommand(LONG id) override { return record("OnCommand", {id}, 1); }
    LONG GetTipText(char* text, LONG kind, LONG a, LONG b) override;
    LONG OnHostNotify(LONG code, LONG value) override { return record("OnHostNotify", {code, value}, 0); }
    LONG ReadDrawArea(gdi::DeviceContext* dc, const KvlRect* rect) override;
    LONG ClearDrawArea(gdi::DeviceContext* dc, const KvlRect* rect) override;
    LONG DrawAreaPrepare(gdi::DeviceContext* dc, const KvlRect* rect) override;
    LONG DrawAreaNotify(gdi::DeviceContext* dc, const KvlRect* rect, LONG code, LONG reserved) override;
    LONG GetPointTipText(char* text, LONG series, LONG point) override;
    LONG OnScrollChange(LONG first, LONG last) override { return record("OnScrollChange", {first, last}, 0); }
    void SetDataUnit(LONG unit) override { record("SetDataUnit", {unit}, 0); }
    HRESULT GetPageClsid(LONG kind, com::CLSID* clsid) override;
    LONG OnActiveNotify(gdi::DeviceContext* dc, LONG force, LONG scaled) override;
    void Resume() override;

private:
    LONG record(const char* name, std::vector<std::intptr_t> args, LONG neutral);
    LONG fillTip(const char* name, char* text, std::vector<std::intptr_t> args, LONG neutral);

    LONG capabilities_;
    std::vector<Call> calls_;
    std::map<std::string, LONG> answers_;
    std::string tipText_;
    bool lastTipBufferZeroed_ = false;
};

// Makes a recording chart type for `index` with the capability word of the real one: the chart types
// a test of the extension object's routing gives it in place of the real ones.
std::unique_ptr<CGalleryBase> CreateRecordingChartType(SHORT index, CFinancialCharts* owner);

}  // namespace dravik

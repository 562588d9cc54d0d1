// A chart type that only records what the extension object asks of it, with answers a test can set.
// The six chart types are of this kind until their real classes exist.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
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
    LONG GalleryQuery(KvlArg a, KvlArg b, KvlArg c, KvlArg d) override;
    LONG Activate(LONG on, LONG selector) override;
    LONG GalleryAction(LONG* seriesCount, LONG* pointCount, KvlValueBlock** block, LONG which,
                       LONG subCode) override;
    HRESULT GetAxisLabel(gdi::DeviceContext* dc, LONG axisCode, LONG major, double value, char* text,
                         LONG textSize, LONG* labelIndex, KvlRect* rect) override;
    LONG ActiveGalleryCall(KvlArg b, KvlArg c, KvlArg d) override;
    LONG Paint(gdi::DeviceContext* dc, const KvlRect* rect, LONG flags) override;
    LONG OnMouseInput(KvlArg a, KvlArg b, KvlArg value) override;
    LONG OnKeyInput(KvlArg a, KvlArg b, KvlArg c) override;
    LONG OnGalleryNotify(KvlArg a, KvlArg b, KvlArg c) override;
    void Recalculate() override { record("Recalculate", {}, 0); }
    LONG OnSetState(LONG code) override { return record("OnSetState", {code}, 1); }
    LONG OnAxisMenuCommand(LONG message, std::intptr_t id, std::intptr_t record) override;
    LONG OnAxisColorDrop(KvlArg hit, KvlArg x, KvlArg y) override;
    LONG OnButtonDown(KvlArg x, KvlArg y) override { return record("OnButtonDown", {x, y}, 1); }
    LONG OnButtonUp(KvlArg x, KvlArg y) override { return record("OnButtonUp", {x, y}, 1); }
    LONG OnAxisDoubleClick(KvlArg a, KvlArg b, KvlArg c, KvlArg d) override;
    LONG CancelTracking(KvlArg a, KvlArg b, KvlArg c, KvlArg d) override;
    LONG OnAxisRightClick(KvlArg x, KvlArg y) override { return record("OnAxisRightClick", {x, y}, 1); }
    LONG OnMouseMove(KvlArg x, KvlArg y) override { return record("OnMouseMove", {x, y}, 1); }
    LONG OnCommand(KvlArg id) override { return record("OnCommand", {id}, 1); }
    LONG GetTipText(char* text, KvlArg kind, KvlArg a, KvlArg b) override;
    LONG OnHostNotify(KvlArg a, KvlArg b) override { return record("OnHostNotify", {a, b}, 0); }
    LONG ReadDrawArea(KvlArg a, KvlArg b) override { return record("ReadDrawArea", {a, b}, 0); }
    LONG ClearDrawArea(KvlArg a, KvlArg b) override { return record("ClearDrawArea", {a, b}, 0); }
    LONG DrawAreaPrepare(KvlArg a, KvlArg b) override { return record("DrawAreaPrepare", {a, b}, 0); }
    LONG DrawAreaNotify(KvlArg a, KvlArg b, KvlArg c, KvlArg d) override;
    LONG GetPointTipText(char* text, KvlArg a, KvlArg b) override;
    LONG OnScrollChange(KvlArg a, KvlArg b) override { return record("OnScrollChange", {a, b}, 0); }
    void SetDataUnit(LONG unit) override { record("SetDataUnit", {unit}, 0); }
    HRESULT GetPageClsid(LONG kind, com::CLSID* clsid) override;
    LONG OnActiveNotify(KvlArg dc, KvlArg force, KvlArg scaled) override;
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

}  // namespace dravik

#include "gallery/CRecordingGallery.h"

#include <algorithm>
#include <cstring>

#include "korvel/KvlContract.h"

namespace dravik {
namespace {

CRecordingGallery::Observer& observer() {
    static CRecordingGallery::Observer instance;
    return instance;
}

std::intptr_t pointerArg(const void* pointer) {
    return reinterpret_cast<std::intptr_t>(pointer);
}

}  // namespace

CRecordingGallery::CRecordingGallery(CFinancialCharts* owner, SHORT galleryNumber, LONG capabilities)
    : CGalleryBase(owner, galleryNumber), capabilities_(capabilities) {}

void CRecordingGallery::setObserver(Observer o) {
    observer() = std::move(o);
}

std::vector<std::string> CRecordingGallery::callNames() const {
    std::vector<std::string> names;
    names.reserve(calls_.size());
    for (const Call& call : calls_)
        names.push_back(call.name);
    return names;
}

LONG CRecordingGallery::record(const char* name, std::vector<std::intptr_t> args, LONG neutral) {
    calls_.push_back(Call{name, std::move(args)});
    if (observer())
        observer()(*this, calls_.back());
    const auto answer = answers_.find(name);
    return answer == answers_.end() ? neutral : answer->second;
}

LONG CRecordingGallery::fillTip(const char* name, char* text, std::vector<std::intptr_t> args, LONG neutral) {
    lastTipBufferZeroed_ =
        text && std::all_of(text, text + korvel::kTipTextSize, [](char c) { return c == '\0'; });
    if (text && !tipText_.empty()) {
        const std::size_t length = std::min(tipText_.size(), korvel::kTipTextSize - 1);
        std::memcpy(text, tipText_.data(), length);
        text[length] = '\0';
    }
    args.insert(args.begin(), pointerArg(text));
    return record(name, std::move(args), neutral);
}

LONG CRecordingGallery::DrawPoint(LONG* kind, KvlPaintRecord* paint, LONG* mode) {
    if (kind)
        *kind = korvel::kDrawKindChart;
    if (mode)
        *mode = 1;
    return record("DrawPoint", {paint ? paint->galleryIndex : -1, paint ? paint->element : -1}, 0);
}

LONG CRecordingGallery::GalleryQuery(KvlArg a, KvlArg b, KvlArg c, KvlArg d) {
    return record("GalleryQuery", {a, b, c, d}, 0);
}

LONG CRecordingGallery::Activate(LONG on, LONG selector) {
    const LONG answer = record("Activate", {on, selector}, 0);
    CGalleryBase::Activate(on, selector);
    return answer;
}

LONG CRecordingGallery::GalleryAction(LONG* seriesCount, LONG* pointCount, KvlValueBlock** block, LONG which,
                                      LONG subCode) {
    CGalleryBase::GalleryAction(seriesCount, pointCount, block, which, subCode);
    return record("GalleryAction", {which, subCode}, 0);
}

HRESULT CRecordingGallery::GetAxisLabel(gdi::DeviceContext*, LONG axisCode, LONG major, double, char*, LONG,
                                        LONG*, KvlRect*) {
    return record("GetAxisLabel", {axisCode, major}, com::S_OK);
}

LONG CRecordingGallery::ActiveGalleryCall(KvlArg b, KvlArg c, KvlArg d) {
    return record("ActiveGalleryCall", {b, c, d}, 0);
}

LONG CRecordingGallery::Paint(gdi::DeviceContext* dc, const KvlRect*, LONG flags) {
    return record("Paint", {pointerArg(dc), flags}, 0);
}

LONG CRecordingGallery::OnMouseInput(KvlArg a, KvlArg b, KvlArg value) {
    CGalleryBase::OnMouseInput(a, b, value);
    return record("OnMouseInput", {a, b, value}, 0);
}

LONG CRecordingGallery::OnKeyInput(KvlArg a, KvlArg b, KvlArg c) {
    CGalleryBase::OnKeyInput(a, b, c);
    return record("OnKeyInput", {a, b, c}, 0);
}

LONG CRecordingGallery::OnGalleryNotify(KvlArg a, KvlArg b, KvlArg c) {
    return record("OnGalleryNotify", {a, b, c}, 0);
}

LONG CRecordingGallery::OnAxisMenuCommand(LONG message, std::intptr_t id, std::intptr_t data) {
    return record("OnAxisMenuCommand", {message, id, data}, 0);
}

LONG CRecordingGallery::OnAxisColorDrop(KvlArg hit, KvlArg x, KvlArg y) {
    return record("OnAxisColorDrop", {hit, x, y}, 1);
}

LONG CRecordingGallery::OnAxisDoubleClick(KvlArg a, KvlArg b, KvlArg c, KvlArg d) {
    return record("OnAxisDoubleClick", {a, b, c, d}, 1);
}

LONG CRecordingGallery::CancelTracking(KvlArg a, KvlArg b, KvlArg c, KvlArg d) {
    return record("CancelTracking", {a, b, c, d}, 1);
}

LONG CRecordingGallery::GetTipText(char* text, KvlArg kind, KvlArg a, KvlArg b) {
    return fillTip("GetTipText", text, {kind, a, b}, 0);
}

LONG CRecordingGallery::DrawAreaNotify(KvlArg a, KvlArg b, KvlArg c, KvlArg d) {
    return record("DrawAreaNotify", {a, b, c, d}, 0);
}

LONG CRecordingGallery::GetPointTipText(char* text, KvlArg a, KvlArg b) {
    return fillTip("GetPointTipText", text, {a, b}, 1);
}

HRESULT CRecordingGallery::GetPageClsid(LONG kind, com::CLSID* clsid) {
    if (clsid)
        *clsid = com::GUID_NULL;
    return record("GetPageClsid", {kind}, com::S_OK);
}

LONG CRecordingGallery::OnActiveNotify(KvlArg dc, KvlArg force, KvlArg scaled) {
    return record("OnActiveNotify", {dc, force, scaled}, 0);
}

void CRecordingGallery::Resume() {
    CGalleryBase::Resume();
    record("Resume", {}, 0);
}

}  // namespace dravik

#include "gallery/CRecordingGallery.h"

#include <algorithm>
#include <cstring>

#include "gallery/ChartTypes.h"
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

LONG CRecordingGallery::GalleryQuery(LONG what, LONG a, LONG b, LONG c) {
    return record("GalleryQuery", {what, a, b, c}, 0);
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

HRESULT CRecordingGallery::GetAxisLabel(gdi::DeviceContext*, LONG axisCode, LONG major, double*, double,
                                        double*, LONG*, KvlTextBuffer*) {
    return record("GetAxisLabel", {axisCode, major}, com::S_OK);
}

LONG CRecordingGallery::ActiveGalleryCall(LONG code, LONG a, LONG b) {
    return record("ActiveGalleryCall", {code, a, b}, 0);
}

LONG CRecordingGallery::Paint(gdi::DeviceContext* dc, const KvlRect*, LONG flags) {
    return record("Paint", {pointerArg(dc), flags}, 0);
}

LONG CRecordingGallery::OnMouseInput(gdi::DeviceContext* dc, const KvlRect* rect, LONG scaled) {
    CGalleryBase::OnMouseInput(dc, rect, scaled);
    return record("OnMouseInput", {pointerArg(dc), pointerArg(rect), scaled}, 0);
}

LONG CRecordingGallery::OnKeyInput(gdi::DeviceContext* dc, const KvlRect* rect, LONG reserved) {
    CGalleryBase::OnKeyInput(dc, rect, reserved);
    return record("OnKeyInput", {pointerArg(dc), pointerArg(rect), reserved}, 0);
}

LONG CRecordingGallery::OnGalleryNotify(gdi::DeviceContext* dc, LONG code, LONG reserved) {
    return record("OnGalleryNotify", {pointerArg(dc), code, reserved}, 0);
}

LONG CRecordingGallery::OnAxisMenuCommand(LONG message, std::intptr_t id, std::intptr_t data) {
    return record("OnAxisMenuCommand", {message, id, data}, 0);
}

LONG CRecordingGallery::OnAxisColorDrop(const KvlHitRecord* hit, LONG x, LONG y) {
    return record("OnAxisColorDrop", {pointerArg(hit), x, y}, 1);
}

LONG CRecordingGallery::OnAxisDoubleClick(const KvlHitRecord* hit, LONG x, LONG y, LONG keys) {
    return record("OnAxisDoubleClick", {pointerArg(hit), x, y, keys}, 1);
}

LONG CRecordingGallery::CancelTracking(LONG reason, LONG x, LONG y, LONG keys) {
    return record("CancelTracking", {reason, x, y, keys}, 1);
}

LONG CRecordingGallery::GetTipText(char* text, LONG kind, LONG a, LONG b) {
    return fillTip("GetTipText", text, {kind, a, b}, 0);
}

LONG CRecordingGallery::ReadDrawArea(gdi::DeviceContext* dc, const KvlRect* rect) {
    return record("ReadDrawArea", {pointerArg(dc), pointerArg(rect)}, 0);
}

LONG CRecordingGallery::ClearDrawArea(gdi::DeviceContext* dc, const KvlRect* rect) {
    return record("ClearDrawArea", {pointerArg(dc), pointerArg(rect)}, 0);
}

LONG CRecordingGallery::DrawAreaPrepare(gdi::DeviceContext* dc, const KvlRect* rect) {
    return record("DrawAreaPrepare", {pointerArg(dc), pointerArg(rect)}, 0);
}

LONG CRecordingGallery::DrawAreaNotify(gdi::DeviceContext* dc, const KvlRect* rect, LONG code,
                                       LONG reserved) {
    return record("DrawAreaNotify", {pointerArg(dc), pointerArg(rect), code, reserved}, 0);
}

LONG CRecordingGallery::GetPointTipText(char* text, LONG series, LONG point) {
    return fillTip("GetPointTipText", text, {series, point}, 1);
}

HRESULT CRecordingGallery::GetPageClsid(LONG kind, com::CLSID* clsid) {
    if (clsid)
        *clsid = com::GUID_NULL;
    return record("GetPageClsid", {kind}, com::S_OK);
}

LONG CRecordingGallery::OnActiveNotify(gdi::DeviceContext* dc, LONG force, LONG scaled) {
    return record("OnActiveNotify", {pointerArg(dc), force, scaled}, 0);
}

void CRecordingGallery::Resume() {
    CGalleryBase::Resume();
    record("Resume", {}, 0);
}

std::unique_ptr<CGalleryBase> CreateRecordingChartType(SHORT index, CFinancialCharts* owner) {
    if (index < 0 || index >= kChartTypeCount)
        return nullptr;
    std::unique_ptr<CGalleryBase> real = CreateChartType(index, owner);
    const LONG capabilities = real ? real->GetGalleryFlags() : 0;
    return std::make_unique<CRecordingGallery>(owner, static_cast<SHORT>(kFirstGalleryNumber + index),
                                               capabilities);
}

}  // namespace dravik

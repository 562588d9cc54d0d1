#include "drawing/CDrawingFeatures.h"

#include <optional>
#include <utility>

#include "com/ComPtr.h"

namespace dravik {
namespace {

// The ordinal a getter's optional argument names; nothing when it names none.
std::optional<int> positionArgument(const com::Variant& argument) {
    if (argument.isMissing())
        return 0;
    com::Variant position = argument.dereferenced();
    if (com::FAILED(position.changeType(com::VT_I2)))
        return std::nullopt;
    return position.i2();
}

}  // namespace

CDrawingFeatures::CDrawingFeatures(IDrawingOwner& owner)
    : owner_(owner), link_(std::make_shared<DrawingLink>(DrawingLink{&owner, &list_})) {}

CDrawingFeatures::~CDrawingFeatures() {
    Disconnect();
}

void CDrawingFeatures::Disconnect() {
    *link_ = DrawingLink{};
}

com::HRESULT CreateDrawFeatureObject(std::shared_ptr<const DrawingLink> link, int kind,
                                     std::uint32_t drawingId, IDrawFeature** feature) {
    if (!feature)
        return com::E_POINTER;
    *feature = nullptr;
    com::ComPtr<CDrawFeature> made =
        DrawingExtraByteCount(kind) > 0
            ? com::ComPtr<CDrawFeature>(
                  com::makeComObject<CConfigurableDrawFeature>(std::move(link), drawingId))
            : com::makeComObject<CDrawFeature>(std::move(link), drawingId);
    *feature = made.get();
    (*feature)->AddRef();
    return com::S_OK;
}

com::HRESULT CDrawingFeatures::GetDrawing(com::LONG kind, const com::Variant& position,
                                          IDrawFeature** feature) {
    if (!feature)
        return com::E_POINTER;
    *feature = nullptr;
    const std::optional<int> ordinal = positionArgument(position);
    if (!IsDrawingKind(kind) || !ordinal || *ordinal < 0 || *ordinal >= kMaxDrawingsPerKind)
        return com::E_INVALIDARG;
    const int countBefore = list_.Count();
    int index = -1;
    const com::HRESULT found = list_.DrawingOfKind(kind, *ordinal, &index);
    if (com::FAILED(found))
        return found;
    const std::uint32_t id = list_.At(index)->id;
    if (list_.Count() > countBefore)
        owner_.DrawingAdded(index);
    // The owner may have changed the list while it heard of the new drawing.
    const DrawingRecord* record = list_.At(list_.IndexOfId(id));
    if (!record)
        return com::E_FAIL;
    return CreateDrawFeatureObject(link_, record->kind, id, feature);
}

com::HRESULT CDrawingFeatures::DrawingNumber(com::LONG kind, com::SHORT* count) const {
    if (!count)
        return com::E_POINTER;
    *count = 0;
    if (kind == -1) {
        *count = list_.Count();
        return com::S_OK;
    }
    if (!IsDrawingKind(kind))
        return com::E_INVALIDARG;
    *count = static_cast<com::SHORT>(list_.CountOfKind(kind));
    return com::S_OK;
}

com::HRESULT CDrawingFeatures::DeleteDrawing(com::LONG kind, com::SHORT position) {
    if (!IsDrawingKind(kind))
        return com::E_INVALIDARG;
    const int index = list_.IndexOfKind(kind, position);
    if (index < 0)
        return com::E_INVALIDARG;
    return DeleteDrawingAt(index);
}

com::HRESULT CDrawingFeatures::DeleteAllDrawing(com::LONG kind) {
    if (kind != -1 && !IsDrawingKind(kind))
        return com::E_INVALIDARG;
    // From the end, so that the owner hears of each drawing at the index it had when it left.
    bool removed = false;
    for (int index = list_.Count() - 1; index >= 0; --index) {
        const DrawingRecord* record = list_.At(index);
        if (!record || (kind != -1 && record->kind != kind))
            continue;
        const std::int16_t recordKind = record->kind;
        const std::int16_t command = record->toolCommand;
        list_.RemoveAt(index);
        owner_.DrawingRemoved(index, recordKind, command);
        removed = true;
    }
    if (removed)
        owner_.RepaintDrawings();
    return com::S_OK;
}

com::HRESULT CDrawingFeatures::CreateFeatureObject(int index, IDrawFeature** feature) {
    if (!feature)
        return com::E_POINTER;
    *feature = nullptr;
    const DrawingRecord* record = list_.At(index);
    if (!record)
        return com::E_INVALIDARG;
    return CreateDrawFeatureObject(link_, record->kind, record->id, feature);
}

com::HRESULT CDrawingFeatures::DeleteDrawingAt(int index) {
    const DrawingRecord* record = list_.At(index);
    if (!record)
        return com::E_INVALIDARG;
    const std::int16_t kind = record->kind;
    const std::int16_t command = record->toolCommand;
    list_.RemoveAt(index);
    owner_.DrawingRemoved(index, kind, command);
    owner_.RepaintDrawings();
    return com::S_OK;
}

com::HRESULT CDrawingFeatures::RemoveDrawingByUser(int index) {
    const DrawingRecord* record = list_.At(index);
    if (!record)
        return com::E_INVALIDARG;
    const std::uint32_t id = record->id;
    RaiseEvent(DrawingEvent::Deleting, index);
    // A handler may have deleted drawings (this one too) or added some: find it again.
    const int now = list_.IndexOfId(id);
    return now < 0 ? com::S_OK : DeleteDrawingAt(now);
}

bool CDrawingFeatures::RaiseEvent(DrawingEvent event, int index) {
    std::int16_t kind = 0;
    std::int16_t ordinal = 0;
    if (!list_.At(index) || !list_.GetTypeAndOrdinal(index, &kind, &ordinal))
        return false;
    owner_.RaiseDrawingEvent(event, kind, ordinal);
    return true;
}

}  // namespace dravik

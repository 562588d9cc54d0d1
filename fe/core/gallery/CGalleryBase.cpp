#include "gallery/CGalleryBase.h"

#include "extension/CFinancialCharts.h"

namespace dravik {

CGalleryBase::CGalleryBase(CFinancialCharts* owner, SHORT galleryNumber)
    : owner_(owner), nameId_(galleryNumber == 0 ? kUserDefinedGalleryNumber : galleryNumber) {}

CGalleryBase::~CGalleryBase() = default;

void CGalleryBase::GetName(char* buffer, LONG size) {
    if (!buffer || size <= 0)
        return;
    const auto module = owner_ ? owner_->GetResourceInstance() : BuiltInResources();
    if (!module ||
        !module->loadString(static_cast<std::uint32_t>(nameId_), buffer, static_cast<std::size_t>(size)))
        buffer[0] = '\0';
}

LONG CGalleryBase::DrawPoint(LONG* kind, KvlPaintRecord*, LONG* mode) {
    if (kind)
        *kind = 0;
    if (mode)
        *mode = 0;
    return 0;
}

LONG CGalleryBase::Activate(LONG on, LONG) {
    if (on) {
        OnActivate();
    } else {
        OnDeactivate();
    }
    return 0;
}

LONG CGalleryBase::GalleryAction(LONG* seriesCount, LONG* pointCount, KvlValueBlock** block, LONG, LONG) {
    if (seriesCount)
        *seriesCount = 0;
    if (pointCount)
        *pointCount = 0;
    if (block)
        *block = nullptr;
    return 0;
}

// Nothing to label: the index and the text stay as they were, so the chart labels the pass itself.
HRESULT CGalleryBase::GetAxisLabel(gdi::DeviceContext*, LONG, LONG, double*, double, double*, LONG*,
                                   KvlTextBuffer*) {
    return com::S_OK;
}

LONG CGalleryBase::OnMouseInput(gdi::DeviceContext*, const KvlRect*, LONG scaled) {
    SetViewport(nullptr);
    scaledDc_ = scaled != 0 ? 1 : 0;
    return 0;
}

LONG CGalleryBase::OnKeyInput(gdi::DeviceContext*, const KvlRect*, LONG) {
    scaledDc_ = 0;
    return 0;
}

void CGalleryBase::GetPersistSize(LONG*) {}

LONG CGalleryBase::ExchangeProperties(CPropertyArchive&, LONG, LONG) {
    return 0;
}

void CGalleryBase::SetViewport(const KvlRect*) {}

void CGalleryBase::Recalculate() {
    FreeFigure();
    needsLayout_ = 1;
    AllocateFigure(0);
    BuildFigure(1);
}

LONG CGalleryBase::OnAxisMenuCommand(LONG, std::intptr_t, std::intptr_t) {
    return 0;
}

LONG CGalleryBase::OnHostNotify(LONG code, LONG value) {
    return OnScrollChange(code, value);
}

LONG CGalleryBase::OnScrollChange(LONG, LONG) {
    needsLayout_ = 1;
    return 0;
}

void CGalleryBase::SetYAxis(LONG, LONG, SHORT axis) {
    if (axis == yAxis_ || (axis != 0 && axis != 1))
        return;
    yAxis_ = axis;
}

LONG CGalleryBase::ModifyFlags(LONG set, LONG clear) {
    const LONG old = flags_;
    flags_ = (flags_ | set) & ~clear;
    return old;
}

}  // namespace dravik

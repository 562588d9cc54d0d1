#include "gallery/CKagiChart.h"

#include <algorithm>

#include "axes/LinePen.h"
#include "dravik/Commands.h"
#include "dravik/Identities.h"
#include "gdi/DeviceContext.h"
#include "special/KagiBuilder.h"

namespace dravik {
namespace {

// The wide pens of an alternate paint are this much wider than the line's own.
constexpr int kWidePenExtra = 4;

bool drawsYang(std::int16_t kind) {
    return kind == KAGI_YANG || kind == KAGI_YANG_TO_YIN;
}

}  // namespace

CKagiChart::CKagiChart(CFinancialCharts* owner)
    : CSpecialChartBase(owner, static_cast<SHORT>(kFirstGalleryNumber + CHART_KAGI), u"Kagi.", CHART_KAGI,
                        DSR_KAGI) {}

CKagiChart::~CKagiChart() {
    DeletePens();
}

FigureBuild CKagiChart::BuildOwnFigure(std::span<const double> values) {
    return BuildKagiFigure(values, settings_, figure_, pointType_);
}

void CKagiChart::MarkSignals() {
    MarkKagiSignals(figure_, pointType_);
}

HRESULT CKagiChart::ExchangeOwnSettings(CPropertyArchive& archive, LONG version) {
    return ExchangeKagiSettings(settings_, archive, static_cast<std::uint32_t>(version));
}

const com::CLSID& CKagiChart::PageClsid() const {
    return CLSID_KagiPage;
}

void CKagiChart::DeletePens() {
    for (gdi::HPEN* pen : {&yangPen_, &yinPen_, &yangWidePen_, &yinWidePen_}) {
        if (*pen != gdi::NULL_HANDLE)
            gdi::deleteObject(*pen);
        *pen = gdi::NULL_HANDLE;
    }
}

void CKagiChart::RebuildPens() {
    DeletePens();
    const SeriesAttributeRecord& record = seriesRecord();
    const gdi::COLORREF color = SeriesColor(0);
    const int yangWidth = std::max<int>(record.lineWidth[0], 1);
    const int yinWidth = std::max<int>(record.lineWidth[1], 1);
    yangPen_ = MakeLinePen(record.lineStyle, yangWidth, color);
    yinPen_ = MakeLinePen(record.lineStyle, yinWidth, color);
    yangWidePen_ = gdi::createPen(gdi::PS_SOLID, yangWidth + kWidePenExtra, 0);
    yinWidePen_ = gdi::createPen(gdi::PS_SOLID, yinWidth + kWidePenExtra, 0);
}

gdi::HPEN CKagiChart::PenOf(bool yang, bool alternate) const {
    if (alternate)
        return yang ? yangWidePen_ : yinWidePen_;
    return yang ? yangPen_ : yinPen_;
}

LONG CKagiChart::DrawPoint(LONG* kind, KvlPaintRecord* record, LONG* mode) {
    if (kind)
        *kind = 0;
    if (mode)
        *mode = 1;
    if (!record || !record->dc || record->element < 0 || record->element >= figure_.count() ||
        static_cast<std::size_t>(record->element) >= pointType_.size())
        return 1;
    if (yangPen_ == gdi::NULL_HANDLE)
        RebuildPens();
    gdi::DeviceContext& dc = *record->dc;
    const auto i = static_cast<std::size_t>(record->element);
    const std::int16_t lineKind = pointType_[i];
    const bool alternate = (record->flags & korvel::kPaintAlternate) != 0;
    // The line is continuous: each shoulder and waist runs from the slot's edge to the centre of the bar,
    // so that it meets the half drawn in the neighbouring slot.
    const LONG g = record->slotLeft + (record->slotWidth - record->barWidth) / 2;
    const LONG x = g + record->barWidth / 2;
    const gdi::HGDIOBJ old = dc.selectObject(PenOf(drawsYang(lineKind), alternate));
    if (i > 0) {
        dc.moveTo(record->slotLeft, record->rowStart);
        dc.lineTo(x, record->rowStart);
    } else {
        dc.moveTo(x, record->rowStart);
    }
    const bool turns = lineKind == KAGI_YANG_TO_YIN || lineKind == KAGI_YIN_TO_YANG;
    const double run = figure_.endValues[i] - figure_.startValues[i];
    if (turns && i > 0 && run != 0) {
        // The line changes kind where it passes the start of the element before.
        const double rows = record->rowEnd - record->rowStart;
        const auto d = static_cast<LONG>(rows * (figure_.startValues[i - 1] - figure_.startValues[i]) / run);
        dc.lineTo(x, record->rowStart + d);
        dc.selectObject(PenOf(lineKind == KAGI_YIN_TO_YANG, alternate));
    }
    dc.lineTo(x, record->rowEnd);
    if ((record->flags & korvel::kPaintLast) == 0)
        dc.lineTo(record->slotLeft + record->slotWidth, record->rowEnd);
    dc.selectObject(old);
    return 1;
}

}  // namespace dravik

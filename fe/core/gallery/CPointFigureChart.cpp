#include "gallery/CPointFigureChart.h"

#include <algorithm>

#include "axes/LinePen.h"
#include "dravik/Commands.h"
#include "dravik/Identities.h"
#include "extension/ExtensionMembers.h"
#include "gdi/DeviceContext.h"
#include "special/PointFigureBuilder.h"

namespace dravik {

CPointFigureChart::CPointFigureChart(CFinancialCharts* owner)
    : CSpecialChartBase(owner, static_cast<SHORT>(kFirstGalleryNumber + CHART_POINTANDFIGURE),
                        u"PointAndFigure.", CHART_POINTANDFIGURE, DSR_POINTFIGURE) {}

CPointFigureChart::~CPointFigureChart() {
    if (markerPen_ != gdi::NULL_HANDLE)
        gdi::deleteObject(markerPen_);
}

FigureBuild CPointFigureChart::BuildOwnFigure(std::span<const double> values) {
    const bool extraBox = owner_ && (state().extension.options & FEO_POINTFIG_EXTRABOX) != 0;
    return BuildPointFigure(values, settings_, extraBox, figure_, boxCount_);
}

HRESULT CPointFigureChart::ExchangeOwnSettings(CPropertyArchive& archive, LONG version) {
    return ExchangePointFigureSettings(settings_, archive, static_cast<std::uint32_t>(version));
}

const com::CLSID& CPointFigureChart::PageClsid() const {
    return CLSID_PointFigPage;
}

void CPointFigureChart::RebuildPens() {
    const SeriesAttributeRecord& record = seriesRecord();
    const gdi::HPEN pen = MakeLinePen(record.lineStyle, record.lineWidth[0], SeriesColor(0));
    if (markerPen_ != gdi::NULL_HANDLE)
        gdi::deleteObject(markerPen_);
    markerPen_ = pen;
}

LONG CPointFigureChart::DrawPoint(LONG* kind, KvlPaintRecord* record, LONG* mode) {
    if (kind)
        *kind = 0;
    if (mode)
        *mode = 1;
    if (!record || !record->dc || record->element < 0 || record->element >= figure_.count() ||
        static_cast<std::size_t>(record->element) >= boxCount_.size())
        return 1;
    const std::int32_t boxes = boxCount_[static_cast<std::size_t>(record->element)];
    if (boxes <= 0)
        return 1;
    const LONG top = std::min(record->rowEnd, record->rowStart);
    const LONG bottom = std::max(record->rowEnd, record->rowStart);
    const LONG left = record->slotLeft + (record->slotWidth - record->barWidth) / 2;
    const KvlRect column{left, top, left + record->barWidth, bottom};
    if ((record->flags & korvel::kPaintAlternate) != 0) {
        LONG width = column.width();
        if (settings_.rectMarkers)
            width = std::min<LONG>(width, column.height() / boxes);
        const LONG from = column.left + (column.width() - width) / 2;
        record->dc->fillRect(gdi::Rect{from, column.top, from + width, column.bottom},
                             gdi::getStockObject(gdi::BLACK_BRUSH));
        return 1;
    }
    if (markerPen_ == gdi::NULL_HANDLE)
        RebuildPens();
    DrawBoxes(*record->dc, column, boxes, record->rowEnd < record->rowStart);
    return 1;
}

void CPointFigureChart::DrawBoxes(gdi::DeviceContext& dc, const KvlRect& column, std::int32_t boxes,
                                  bool rising) const {
    const gdi::HGDIOBJ oldPen = dc.selectObject(markerPen_);
    const gdi::HGDIOBJ oldBrush = dc.selectObject(gdi::getStockObject(gdi::NULL_BRUSH));
    const LONG height = column.height() / boxes;
    const LONG taller = column.height() % boxes;
    LONG bottom = column.bottom;
    for (std::int32_t box = 0; box < boxes; ++box) {
        const LONG boxHeight = height + (box < taller ? 1 : 0);
        const LONG top = bottom - boxHeight;
        LONG width = column.width();
        if (settings_.rectMarkers)
            width = std::min(width, boxHeight);
        const LONG left = column.left + (column.width() - width) / 2;
        if (rising) {
            dc.moveTo(left, top);
            dc.lineTo(left + width, bottom);
            dc.moveTo(left, bottom);
            dc.lineTo(left + width, top);
        } else {
            dc.ellipse(left, top, left + width, bottom);
        }
        bottom = top;
    }
    dc.selectObject(oldBrush);
    dc.selectObject(oldPen);
}

}  // namespace dravik

#include "gallery/CBoxChartBase.h"

#include "format/DefaultRecords.h"
#include "gdi/DeviceContext.h"
#include "host/CHostChartAdapter.h"

namespace dravik {

CBoxChartBase::CBoxChartBase(CFinancialCharts* owner, SHORT galleryNumber, const char16_t* prefix,
                             std::size_t seriesRecord)
    : CSpecialChartBase(owner, galleryNumber, prefix, seriesRecord, DSR_BOXCHART) {}

CBoxChartBase::~CBoxChartBase() {
    ReleaseBrushes();
}

void CBoxChartBase::MakeBrushes() {
    ReleaseBrushes();
    downBrush_ = gdi::createSolidBrush(SeriesColor(0));
    upBrush_ = gdi::createSolidBrush(SeriesColor(1));
}

void CBoxChartBase::ReleaseBrushes() {
    // Never delete a brush while it is selected: the DC gets its own brush back first.
    if (paintDc_ && dcBrush_ != gdi::NULL_HANDLE)
        paintDc_->selectObject(dcBrush_);
    paintDc_ = nullptr;
    dcBrush_ = gdi::NULL_HANDLE;
    selected_ = gdi::NULL_HANDLE;
    if (downBrush_ != gdi::NULL_HANDLE)
        gdi::deleteObject(downBrush_);
    if (upBrush_ != gdi::NULL_HANDLE)
        gdi::deleteObject(upBrush_);
    downBrush_ = gdi::NULL_HANDLE;
    upBrush_ = gdi::NULL_HANDLE;
}

LONG CBoxChartBase::DrawPoint(LONG* kind, KvlPaintRecord* record, LONG* mode) {
    if (kind)
        *kind = korvel::kDrawKindChart;
    if (mode)
        *mode = 1;
    if (!record || figure_.empty() || record->element < 0 || record->element >= figure_.count())
        return 1;
    const auto element = static_cast<std::size_t>(record->element);
    const bool rising = figure_.endValues[element] >= figure_.startValues[element];
    // An alternate paint is drawn in the chart's colours of the element positions; nothing to select.
    if ((record->flags & korvel::kPaintAlternate) != 0 || !record->dc)
        return 1;
    if ((record->flags & korvel::kPaintFirst) != 0 || downBrush_ == gdi::NULL_HANDLE) {
        ReleaseBrushes();
        MakeBrushes();
    }
    if (paintDc_ && paintDc_ != record->dc) {
        ReleaseBrushes();
        MakeBrushes();
    }
    const gdi::HBRUSH brush = rising ? upBrush_ : downBrush_;
    const gdi::HGDIOBJ replaced = record->dc->selectObject(brush);
    if (!paintDc_) {
        paintDc_ = record->dc;
        dcBrush_ = replaced;
    }
    selected_ = brush;
    lastWasDown_ = !rising;
    return 1;
}

LONG CBoxChartBase::OnGalleryNotify(gdi::DeviceContext* dc, LONG code, LONG reserved) {
    if (code == korvel::kNotifyPaintEnd)
        ReleaseBrushes();
    return CSpecialChartBase::OnGalleryNotify(dc, code, reserved);
}

LONG CBoxChartBase::OnActivate() {
    const LONG result = CSpecialChartBase::OnActivate();
    CHostChartAdapter* chart = adapter();
    if (!result || !chart)
        return result;
    saved_.saved = true;
    saved_.flagC = chart->GetChartFlagC();
    saved_.flagD = chart->GetChartFlagD();
    saved_.valueA = chart->GetChartValueA();
    saved_.indexedValue = chart->GetIndexedValue(0);
    chart->SetIndexedValue(0, 1);
    return result;
}

void CBoxChartBase::OnDeactivate() {
    ReleaseBrushes();
    CHostChartAdapter* chart = adapter();
    if (chart && saved_.saved) {
        chart->SetChartFlagC(saved_.flagC);
        chart->SetChartFlagD(saved_.flagD);
        chart->SetChartValueA(saved_.valueA);
        chart->SetIndexedValue(0, saved_.indexedValue);
    }
    saved_ = SavedSettings{};
    CSpecialChartBase::OnDeactivate();
}

void CBoxChartBase::SwitchOffChartSettings() {
    if (adapter())
        adapter()->SetChartFlagD(0);
}

}  // namespace dravik

// The title strips of the study panes: each used study pane with a gap above it gets a strip in the
// chart's background colour, edged as the chart's border style asks, with its axis title in it.
#include "analytical/CAnalyticalChartBase.h"
#include "gdi/DeviceContext.h"
#include "gdi/Objects.h"
#include "gdi/SystemColors.h"
#include "host/CHostChartAdapter.h"

namespace dravik {
namespace {

struct TitleEdges {
    bool top;
    bool bottom;
    int topColor;  // system colour indices
    int bottomColor;
};

// The edges of a title strip for each border style of the chart (others: no edges).
TitleEdges edgesOfBorderStyle(SHORT style) {
    switch (style) {
        case 1:
            return {true, true, gdi::COLOR_BTNHIGHLIGHT, gdi::COLOR_BTNSHADOW};
        case 2:
            return {true, false, gdi::COLOR_BTNSHADOW, gdi::COLOR_BTNSHADOW};
        case 3:
            return {true, true, gdi::COLOR_BTNSHADOW, gdi::COLOR_BTNSHADOW};
        default:
            return {false, false, 0, 0};
    }
}

void drawEdge(gdi::DeviceContext& dc, gdi::HPEN pen, LONG from, LONG to, LONG y) {
    const gdi::HGDIOBJ old = dc.selectObject(pen);
    dc.moveTo(from, y);
    dc.lineTo(to, y);
    dc.selectObject(old);
}

}  // namespace

void CAnalyticalChartBase::PaintPaneTitles(gdi::DeviceContext& dc) {
    CHostChartAdapter* chart = adapter();
    if (!chart)
        return;
    blackAndWhite_ = (chart->GetStyleWord() & kStyleBlackAndWhite) != 0;
    ComputeTitleRects();
    const TitleEdges edges =
        blackAndWhite_ ? TitleEdges{true, true, 0, 0} : edgesOfBorderStyle(chart->GetBorderStyle());
    const gdi::HPEN black = blackAndWhite_ ? gdi::createPen(gdi::PS_SOLID, 1, 0) : gdi::NULL_HANDLE;
    const gdi::HPEN topPen =
        blackAndWhite_ ? black : gdi::createPen(gdi::PS_SOLID, 1, gdi::getSysColor(edges.topColor));
    const gdi::HPEN bottomPen =
        blackAndWhite_ ? black : gdi::createPen(gdi::PS_SOLID, 1, gdi::getSysColor(edges.bottomColor));
    const gdi::HBRUSH background =
        blackAndWhite_
            ? gdi::NULL_HANDLE
            : gdi::createSolidBrush(static_cast<gdi::COLORREF>(chart->MapColor(chart->GetBackColor())));
    for (std::size_t a = 0; a < kStudyAxisCount; ++a) {
        const StudyAxisRecord& axis = axes_[a];
        if (!axis.inUse() || axis.gap == 0)
            continue;
        const auto [left, top, right, bottom] = axis.titleRect;
        if (!blackAndWhite_)
            dc.fillRect(gdi::Rect{left, top, right, bottom}, background);
        if (edges.top)
            drawEdge(dc, topPen, left, right, top);
        if (edges.bottom)
            drawEdge(dc, bottomPen, left + 1, right, bottom);
        CAnalyticalAxisBase& settings = *axisSettings_[a];
        const std::string title = settings.GetTitleText();
        if (title.empty())
            continue;
        const AxisSettingsRecord* record = settings.settings();
        const int mode = dc.setBkMode(gdi::TRANSPARENT);
        const gdi::COLORREF color = dc.setTextColor(
            blackAndWhite_ || !record
                ? 0
                : static_cast<gdi::COLORREF>(chart->MapColor(static_cast<LONG>(record->textColor))));
        gdi::Rect inside{left, top + 1, right, bottom - 1};
        dc.drawText(title, inside, gdi::DT_SINGLELINE | gdi::DT_VCENTER | gdi::DT_LEFT);
        dc.setTextColor(color);
        dc.setBkMode(mode);
    }
    if (blackAndWhite_) {
        gdi::deleteObject(black);
    } else {
        gdi::deleteObject(topPen);
        gdi::deleteObject(bottomPen);
        gdi::deleteObject(background);
    }
}

}  // namespace dravik

// One paint of the chart, for the screen, the printer and the metafile alike: the active extension's
// fill and the background over it, then either the rest of the extension's paint bracket (with the
// points it leaves to the chart) or the chart's own labels and galleries, then the title, the legend
// and whatever is attached over the chart.
#include <algorithm>
#include <vector>

#include "KvlSeriesPainter.h"
#include "gdi/Objects.h"
#include "gdi/SystemColors.h"
#include "korvel/KvlChart.h"

namespace korvel {

namespace {

// A negative colour names a system colour by its low byte, as the chart's background does by default.
gdi::COLORREF resolved(LONG color) {
    if (color < 0)
        return gdi::getSysColor(color & 0xFF);
    return static_cast<gdi::COLORREF>(color) & 0xFFFFFF;
}

gdi::Rect toRect(const KvlRect& r) {
    return gdi::Rect{r.left, r.top, r.right, r.bottom};
}

// Side of the colour sample in front of a legend entry, and the height of an entry.
constexpr LONG kLegendSample = 8;
constexpr LONG kLegendLine = 14;
// Distance of a box placed by the chart from the plot's corner.
constexpr LONG kLegendInset = 6;
// Free columns between the chart's left edge and its widest value label.
constexpr LONG kLabelStripPad = 1;

}  // namespace

KvlLayout KvlChart::layout() const {
    const KvlRect client = model_.clientRect();
    return layoutChart(model_, client.width(), client.height());
}

bool KvlChart::fitLabelStrip() {
    const KvlRect plot = model_.plotRect();
    LONG needed = 0;
    for (const KvlDrawnLabel& label : drawnLabels_)
        if (label.axis != kXAxis && label.axis != 1 && label.textRight > label.textLeft)
            needed = std::max<LONG>(needed, plot.left - label.textLeft + kLabelStripPad);
    const LONG before = model_.leftStrip();
    model_.setLabelStripWidth(needed);
    return model_.leftStrip() != before;
}

LONG KvlChart::paint(gdi::DeviceContext* dc, const KvlRect& rect, bool printing) {
    const bool scaled = printing || (dc && dc->kind() != gdi::DeviceContext::Kind::Memory);
    painting_ = true;
    const KvlLayout where = layout();
    const bool extension = driver_.activeType() >= 0;
    if (extension) {
        if (scaled)
            callChain(&IKvlExtensionCallback::ReadDrawArea, dc, &rect);
        // The extension's fill lies under the chart: the chart's background and plot go over it.
        driver_.paintUnderlay(dc, rect, scaled);
    }
    if (dc)
        paintBackground(*dc, where);
    LONG leftToChart = 0;
    if (extension) {
        std::vector<KvlDrawnLabel> labels;
        KvlLeftElements left;
        left.bar = [&](const KvlPaintRecord& record) {
            if (dc)
                drawFloatingBar(*dc, record);
        };
        left.points = [&](const std::vector<LONG>& points) {
            if (dc)
                drawLeftPoints(*dc, points);
        };
        leftToChart = driver_.paint(dc, rect, scaled, model_, &labels, left);
        if (dc)
            drawnLabels_ = std::move(labels);
        if (scaled)
            callChain(&IKvlExtensionCallback::ClearDrawArea, dc, &rect);
    } else if (dc) {
        KvlLabelLoop loop(model_, *dc);
        loop.run(nullptr, -1);
        drawnLabels_ = loop.labels();
        detail::KvlSeriesPainter(model_, *dc, chartType_).drawAll();
    }
    if (dc) {
        paintTitleAndLegend(*dc, where);
        if (overlay_)
            overlay_->paintOverlay(*dc, where.plot,
                                   outputPaint_ ? KvlOverlayPaint::Output : KvlOverlayPaint::Screen);
    }
    painting_ = false;
    return leftToChart;
}

void KvlChart::drawLeftPoints(gdi::DeviceContext& dc, const std::vector<LONG>& points) {
    detail::KvlSeriesPainter painter(model_, dc, chartType_);
    // Every point left: the series are drawn whole, their lines unbroken.
    if (static_cast<LONG>(points.size()) == model_.pointCount()) {
        painter.drawAll();
        return;
    }
    for (const LONG point : points)
        painter.drawPoint(point);
}

void KvlChart::drawFloatingBar(gdi::DeviceContext& dc, const KvlPaintRecord& record) {
    // A bar from the element's start value to its end value (a box chart's element), in the pen and
    // brush the extension selected for it; an element without both values has none.
    double end = kNoValue, start = kNoValue;
    if (com::FAILED(model_.value(1, 0, record.element, &end)) || !(end < kNoValue) ||
        com::FAILED(model_.value(2, 0, record.element, &start)) || !(start < kNoValue))
        return;
    const LONG left = record.slotLeft + (record.slotWidth - record.barWidth) / 2;
    const int saved = dc.saveDC();
    const KvlRect plot = model_.plotRect();
    // The plot's bottom row is where the axis' lowest value sits: a bar from there keeps its edge.
    dc.intersectClipRect(plot.left, plot.top, plot.right, plot.bottom + 1);
    dc.rectangle(left, record.rect.top, left + record.barWidth, record.rect.bottom + 1);
    dc.restoreDC(saved);
}

void KvlChart::paintBackground(gdi::DeviceContext& dc, const KvlLayout& where) {
    const gdi::HBRUSH back = gdi::createSolidBrush(resolved(model_.settings().backColor));
    dc.fillRect(toRect(where.client), back);
    gdi::deleteObject(back);
    if (where.plot.width() <= 0 || where.plot.height() <= 0)
        return;
    const gdi::HBRUSH plot = gdi::createSolidBrush(resolved(model_.settings().chartColor));
    dc.fillRect(toRect(where.plot), plot);
    gdi::deleteObject(plot);
    dc.frameRect(toRect(where.plot), gdi::getStockObject(gdi::BLACK_BRUSH));
}

void KvlChart::paintTitleAndLegend(gdi::DeviceContext& dc, const KvlLayout& where) {
    const int saved = dc.saveDC();
    dc.setBkMode(gdi::TRANSPARENT);
    dc.setTextColor(0);
    const auto title = model_.texts().find(kTextTitle);
    if (where.title.height() > 0 && title != model_.texts().end()) {
        gdi::Rect box = toRect(where.title);
        dc.drawText(QString::fromStdString(title->second), box,
                    gdi::DT_CENTER | gdi::DT_VCENTER | gdi::DT_SINGLELINE);
    }
    paintAxisTitles(dc, where);
    paintLegend(dc, where);
    dc.restoreDC(saved);
}

std::vector<const KvlSeriesState*> KvlChart::legendEntries() const {
    std::vector<const KvlSeriesState*> entries;
    for (LONG s = 0; s < model_.seriesCount(); ++s) {
        const KvlSeriesState* state = model_.series(s);
        if (state && state->attributes[kAttrVisible] != 0 && !state->legend.empty())
            entries.push_back(state);
    }
    return entries;
}

void KvlChart::paintLegend(gdi::DeviceContext& dc, const KvlLayout& where) {
    drawnLegend_ = {};
    const KvlLegendBox& box = model_.legendBox();
    if (!box.visible)
        return;
    const std::vector<const KvlSeriesState*> entries = legendEntries();
    KvlRect area = where.legend;
    gdi::COLORREF fill = resolved(box.color);
    if (area.width() <= 0 || area.height() <= 0) {
        // A box shown without a place of its own sits in the plot's top left corner, as large as its
        // entries, on the plot's colour.
        if (entries.empty() || where.plot.width() <= 0 || where.plot.height() <= 0)
            return;
        LONG widest = 0;
        for (const KvlSeriesState* state : entries)
            widest = std::max<LONG>(widest, dc.getTextExtent(state->legend).cx);
        area.left = where.plot.left + kLegendInset;
        area.top = where.plot.top + kLegendInset;
        area.right = std::min<LONG>(area.left + kLegendSample + widest + 10, where.plot.right - 1);
        area.bottom = std::min<LONG>(area.top + static_cast<LONG>(entries.size()) * kLegendLine + 4,
                                     where.plot.bottom - 1);
        fill = resolved(model_.settings().chartColor);
    }
    drawnLegend_ = area;
    const gdi::HBRUSH brush = gdi::createSolidBrush(fill);
    dc.fillRect(toRect(area), brush);
    gdi::deleteObject(brush);
    dc.frameRect(toRect(area), gdi::getStockObject(gdi::BLACK_BRUSH));
    const int saved = dc.saveDC();
    dc.intersectClipRect(area.left, area.top, area.right, area.bottom);
    LONG y = area.top + 2;
    for (const KvlSeriesState* state : entries) {
        if (y >= area.bottom)
            break;
        const gdi::HBRUSH sample = gdi::createSolidBrush(resolved(state->attributes[kAttrColor]));
        const LONG x = area.left + 3;
        dc.fillRect(gdi::Rect{x, y + 3, x + kLegendSample, y + 3 + kLegendSample}, sample);
        gdi::deleteObject(sample);
        dc.textOut(x + kLegendSample + 4, y, state->legend);
        y += kLegendLine;
    }
    dc.restoreDC(saved);
}

void KvlChart::paintAxisTitles(gdi::DeviceContext& dc, const KvlLayout& where) {
    // Titles by position: 0 over the left axis, 1 over the right one, 2 below the X axis, 3 above the
    // plot's right end.
    const auto& titles = model_.axisTitles();
    const LONG lineHeight = dc.getTextExtent(std::string_view("X")).cy;
    for (std::size_t position = 0; position < titles.size(); ++position) {
        const std::string& title = titles[position];
        if (title.empty())
            continue;
        const LONG width = dc.getTextExtent(title).cx;
        LONG x = where.plot.left - width / 2, y = where.plot.top - lineHeight - 2;
        if (position == 1 || position == 3)
            x = where.plot.right - width / 2;
        if (position == 2) {
            x = (where.plot.left + where.plot.right - width) / 2;
            y = where.client.bottom - lineHeight - 2;
        }
        dc.textOut(std::max<LONG>(x, where.client.left), std::max<LONG>(y, where.client.top), title);
    }
}

}  // namespace korvel

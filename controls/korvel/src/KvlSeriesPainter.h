// The chart's own galleries: draws the series of the model through a DC, either all at once (the
// chart's own chart types) or one point at a time (an extension chart type leaving a point to the
// chart). Empty points are gaps; a log axis leaves out what it cannot show.
#pragma once

#include <vector>

#include "gdi/DeviceContext.h"
#include "gdi/Objects.h"
#include "korvel/KvlChartModel.h"

namespace korvel::detail {

class KvlSeriesPainter {
public:
    // `chartType` is the gallery of series whose own gallery is 0.
    KvlSeriesPainter(const KvlChartModel& model, gdi::DeviceContext& dc, LONG chartType);
    KvlSeriesPainter(const KvlSeriesPainter&) = delete;
    KvlSeriesPainter& operator=(const KvlSeriesPainter&) = delete;
    ~KvlSeriesPainter();

    // Every visible point of every figure, clipped to the plot.
    void drawAll();
    // One point of every figure (a line joins it to the point before).
    void drawPoint(LONG point);

    // How many series a gallery takes.
    static LONG seriesTaken(LONG gallery);

private:
    struct Figure {
        LONG gallery = kGalleryLines;
        LONG series = 0;  // first series
        LONG taken = 1;   // series the figure takes
        KvlChartModel::AxisMapping map;
        gdi::HPEN pen{};
        gdi::HPEN wickPen{};
        gdi::HPEN outlinePen{};  // bars and markers: the border colour with a border, else their own
        gdi::HPEN upPen{};       // bodies too narrow for a rectangle are drawn as lines
        gdi::HPEN downPen{};
        gdi::HBRUSH brush{};
        gdi::HBRUSH downBrush{};
        LONG markerShape = 0;
        LONG markerSize = 0;
        // Whether the figure is cut at its band: zoomed (points beyond the visible range are drawn
        // too), with markers or wide lines, or with values beyond the axis's range. Otherwise the
        // clip, a test for every pixel of a line, is left out.
        bool clip = true;
    };

    // The values of a price figure at a point, from the series as they come (see KvlGallery).
    struct Price {
        double open = 0, high = 0, low = 0, close = 0;
    };

    // The gallery a series is drawn in, `ownType` for one that follows the chart type.
    LONG galleryOf(LONG series, LONG ownType) const;
    // How many series from `first` on share the price gallery, up to as many as it takes.
    LONG priceRun(LONG first, LONG gallery, LONG ownType) const;
    bool priceAt(const Figure& figure, LONG point, Price* price) const;
    void buildFigures(LONG chartType);
    void clipToBand(const Figure& figure);
    void unclip();
    void drawFigure(const Figure& figure);
    void drawPointOf(const Figure& figure, LONG point);
    double value(LONG series, LONG point) const;
    // Whether every value of the figure's series over the visible points lies in its axis's range.
    bool insideRange(const Figure& figure, LONG taken) const;
    bool pixel(const Figure& figure, LONG series, LONG point, LONG* x, LONG* y) const;
    void drawLineRun(const Figure& figure, LONG first, LONG last);
    void drawAreaRun(const Figure& figure, LONG first, LONG last);
    void drawElement(const Figure& figure, LONG point);
    void drawMarker(const Figure& figure, LONG x, LONG y);
    LONG baseline(const Figure& figure) const;

    const KvlChartModel& model_;
    gdi::DeviceContext& dc_;
    std::vector<Figure> figures_;
    LONG slotWidth_ = 1;
    LONG barWidth_ = 1;
    LONG firstPoint_ = 0;
    LONG lastPoint_ = -1;
    int savedDc_ = 0;
};

}  // namespace korvel::detail

#include "resources/CommandImages.h"

#include <cstdint>
#include <initializer_list>
#include <vector>

#include <QColor>
#include <QPainter>
#include <QPen>

namespace dravik {
namespace {

// Crisp pixels in a few plain colours: a tool-bar picture must read at 16 pixels, and an edge blended
// into the mask colour would leave a grey seam once the mask turns transparent.
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kRed = 0xFFC00000;
constexpr QRgb kGreen = 0xFF008000;
constexpr QRgb kBlue = 0xFF0000A0;
constexpr QRgb kNavy = 0xFF000060;
constexpr QRgb kGrey = 0xFF808080;

enum class Shape : std::uint8_t {
    Line,  // from (x1, y1) to (x2, y2)
    Box,   // outline of the rectangle with the corners (x1, y1) and (x2, y2), both included
    Fill,  // the same rectangle filled
    Oval,  // outline of the ellipse inside that rectangle
    Arch,  // upper half of that ellipse
};

struct Mark {
    Shape shape;
    std::int8_t x1, y1, x2, y2;
    QRgb colour;
};

using Picture = std::initializer_list<Mark>;

constexpr Mark line(int x1, int y1, int x2, int y2, QRgb colour) {
    return {Shape::Line,
            static_cast<std::int8_t>(x1),
            static_cast<std::int8_t>(y1),
            static_cast<std::int8_t>(x2),
            static_cast<std::int8_t>(y2),
            colour};
}
constexpr Mark box(int x1, int y1, int x2, int y2, QRgb colour) {
    Mark m = line(x1, y1, x2, y2, colour);
    m.shape = Shape::Box;
    return m;
}
constexpr Mark fill(int x1, int y1, int x2, int y2, QRgb colour) {
    Mark m = line(x1, y1, x2, y2, colour);
    m.shape = Shape::Fill;
    return m;
}
constexpr Mark oval(int x1, int y1, int x2, int y2, QRgb colour) {
    Mark m = line(x1, y1, x2, y2, colour);
    m.shape = Shape::Oval;
    return m;
}
constexpr Mark arch(int x1, int y1, int x2, int y2, QRgb colour) {
    Mark m = line(x1, y1, x2, y2, colour);
    m.shape = Shape::Arch;
    return m;
}

// --- Chart types ------------------------------------------------------------------------------------

// Columns of rising Xs and falling Os.
const Picture kPointAndFigure = {
    line(1, 5, 4, 8, kGreen),   line(4, 5, 1, 8, kGreen),     line(1, 10, 4, 13, kGreen),
    line(4, 10, 1, 13, kGreen), oval(6, 6, 9, 9, kRed),       oval(6, 11, 9, 14, kRed),
    line(11, 0, 14, 3, kGreen), line(14, 0, 11, 3, kGreen),   line(11, 5, 14, 8, kGreen),
    line(14, 5, 11, 8, kGreen), line(11, 10, 14, 13, kGreen), line(14, 10, 11, 13, kGreen),
};
// Equal bricks, each a step above or below the last: three hollow rising, one black falling.
const Picture kRenko = {
    fill(1, 10, 4, 13, kWhite),  box(1, 10, 4, 13, kBlack), fill(4, 7, 7, 10, kWhite),
    box(4, 7, 7, 10, kBlack),    fill(7, 4, 10, 7, kWhite), box(7, 4, 10, 7, kBlack),
    fill(10, 7, 13, 10, kBlack),
};
// One stepped line, thick while it rises, thin while it falls.
const Picture kKagi = {
    line(2, 6, 2, 13, kBlue),   line(3, 6, 3, 13, kBlue),  line(2, 6, 6, 6, kBlue),
    line(6, 6, 6, 10, kRed),    line(6, 10, 10, 10, kRed), line(10, 2, 10, 10, kBlue),
    line(11, 2, 11, 10, kBlue), line(10, 2, 13, 2, kBlue), line(13, 2, 13, 8, kRed),
};
// Lines of different heights side by side: three rising, then a break down.
const Picture kThreeLineBreak = {
    fill(1, 9, 3, 13, kWhite),   box(1, 9, 3, 13, kBlack), fill(4, 6, 6, 10, kWhite),
    box(4, 6, 6, 10, kBlack),    fill(7, 2, 9, 7, kWhite), box(7, 2, 9, 7, kBlack),
    fill(10, 4, 12, 11, kBlack),
};
// Candles with a moving average through them.
const Picture kAnalytical = {
    line(3, 5, 3, 14, kBlack),  fill(2, 8, 4, 12, kBlack), line(7, 3, 7, 12, kBlack),
    fill(6, 5, 8, 10, kWhite),  box(6, 5, 8, 10, kBlack),  line(11, 1, 11, 9, kBlack),
    fill(10, 3, 12, 7, kWhite), box(10, 3, 12, 7, kBlack), line(1, 12, 5, 10, kRed),
    line(5, 10, 9, 8, kRed),    line(9, 8, 14, 4, kRed),
};

// --- Price displays ---------------------------------------------------------------------------------

const Picture kLinePrice = {
    line(1, 14, 14, 14, kGrey), line(1, 12, 4, 7, kBlue),  line(4, 7, 7, 10, kBlue),
    line(7, 10, 10, 4, kBlue),  line(10, 4, 14, 6, kBlue),
};
// Bars from the low to the high with the close to the right.
const Picture kHighLowClose = {
    line(3, 6, 3, 13, kNavy), line(4, 9, 5, 9, kRed),     line(8, 3, 8, 11, kNavy),
    line(9, 5, 10, 5, kRed),  line(12, 5, 12, 12, kNavy), line(13, 7, 14, 7, kRed),
};
// The same bars with the open to the left.
const Picture kOpenHighLowClose = {
    line(3, 6, 3, 13, kNavy),   line(1, 11, 2, 11, kGreen), line(4, 8, 5, 8, kRed),
    line(7, 3, 7, 11, kNavy),   line(5, 9, 6, 9, kGreen),   line(8, 4, 9, 4, kRed),
    line(12, 5, 12, 12, kNavy), line(10, 6, 11, 6, kGreen), line(13, 10, 14, 10, kRed),
};
const Picture kCandlesticks = {
    line(3, 2, 3, 12, kBlack),  fill(2, 4, 4, 10, kWhite), box(2, 4, 4, 10, kBlack),
    line(8, 5, 8, 14, kBlack),  fill(7, 7, 9, 12, kBlack), line(12, 1, 12, 9, kBlack),
    fill(11, 3, 13, 7, kWhite), box(11, 3, 13, 7, kBlack),
};
// Axes without a price series.
const Picture kNoPrice = {
    line(1, 1, 1, 14, kBlack),
    line(1, 14, 14, 14, kBlack),
    line(5, 4, 11, 10, kRed),
    line(11, 4, 5, 10, kRed),
};

// --- New drawings -----------------------------------------------------------------------------------

const Picture kGannFan = {
    line(1, 14, 14, 1, kRed),   line(1, 14, 14, 5, kNavy), line(1, 14, 14, 9, kNavy),
    line(1, 14, 14, 12, kNavy), line(1, 14, 5, 1, kNavy),  line(1, 14, 9, 1, kNavy),
};
// Arcs around the end of a trend line.
const Picture kFibonacciArcs = {
    line(1, 1, 8, 14, kRed),
    arch(5, 11, 11, 17, kBlue),
    arch(2, 8, 14, 20, kBlue),
    arch(-1, 5, 17, 23, kBlue),
};
// A trend line with three lines through the levels of a vertical at its end.
const Picture kFibonacciFan = {
    line(14, 1, 14, 14, kBlack), line(1, 14, 14, 1, kRed),   line(1, 14, 14, 5, kBlue),
    line(1, 14, 14, 8, kBlue),   line(1, 14, 14, 10, kBlue),
};
const Picture kFibonacciRetracements = {
    line(1, 2, 14, 2, kBlue), line(1, 5, 14, 5, kBlue),   line(1, 7, 14, 7, kBlue),
    line(1, 9, 14, 9, kBlue), line(1, 13, 14, 13, kBlue), line(1, 13, 14, 2, kRed),
};
// Vertical lines at 1, 2, 3, 5, 8 and 13 steps.
const Picture kFibonacciTimeZones = {
    line(1, 1, 1, 14, kRed),  line(2, 1, 2, 14, kBlue), line(3, 1, 3, 14, kBlue),
    line(5, 1, 5, 14, kBlue), line(8, 1, 8, 14, kBlue), line(13, 1, 13, 14, kBlue),
};
// Top, mid-point and bottom of the prices.
const Picture kMidPointTironeLevels = {
    line(1, 2, 14, 2, kBlue),   line(1, 8, 14, 8, kRed),   line(1, 14, 14, 14, kBlue),
    line(1, 11, 4, 5, kBlack),  line(4, 5, 8, 10, kBlack), line(8, 10, 11, 4, kBlack),
    line(11, 4, 14, 6, kBlack),
};
// The mean between the two extremes and the resistance and support inside them.
const Picture kMeanTironeLevels = {
    line(1, 2, 14, 2, kBlue),   line(3, 5, 12, 5, kBlue),   line(1, 8, 14, 8, kRed),
    line(3, 11, 12, 11, kBlue), line(1, 14, 14, 14, kBlue),
};
// A falling trend line with the lines through its thirds.
const Picture kSpeedResistanceLines = {
    line(1, 1, 14, 14, kRed),
    line(1, 1, 14, 10, kBlue),
    line(1, 1, 14, 5, kBlue),
    line(1, 1, 1, 6, kBlack),
};
// The range between high and low cut in four.
const Picture kQuadrantLines = {
    box(1, 2, 14, 14, kBlack),
    line(2, 5, 13, 5, kBlue),
    line(2, 8, 13, 8, kRed),
    line(2, 11, 13, 11, kBlue),
};
// A line along the lows of the prices, with its two handles.
const Picture kTrendLine = {
    line(1, 9, 3, 11, kGrey),   line(3, 11, 6, 5, kGrey),   line(6, 5, 8, 8, kGrey),
    line(8, 8, 11, 2, kGrey),   line(11, 2, 14, 3, kGrey),  line(2, 13, 13, 4, kBlue),
    fill(1, 12, 3, 14, kBlack), fill(12, 3, 14, 5, kBlack),
};
// The studies tool: a small window with an oscillator about its middle line.
const Picture kStudiesTool = {
    fill(2, 5, 13, 12, kWhite), box(1, 2, 14, 13, kBlack), fill(2, 3, 13, 4, kNavy),
    line(2, 8, 13, 8, kGrey),   line(2, 10, 4, 7, kRed),   line(4, 7, 6, 9, kRed),
    line(6, 9, 8, 6, kRed),     line(8, 6, 10, 10, kRed),  line(10, 10, 13, 7, kRed),
};

void draw(QPainter& painter, int left, const Picture& picture) {
    painter.save();
    painter.translate(left, 0);
    painter.setClipRect(0, 0, kCommandImageSide, kCommandImageSide);
    painter.setBrush(Qt::NoBrush);
    for (const Mark& m : picture) {
        const QColor colour = QColor::fromRgb(m.colour);
        painter.setPen(QPen(colour, 1));
        const int width = m.x2 - m.x1;
        const int height = m.y2 - m.y1;
        switch (m.shape) {
            case Shape::Line:
                painter.drawLine(m.x1, m.y1, m.x2, m.y2);
                break;
            case Shape::Box:
                painter.drawRect(m.x1, m.y1, width, height);
                break;
            case Shape::Fill:
                painter.fillRect(m.x1, m.y1, width + 1, height + 1, colour);
                break;
            case Shape::Oval:
                painter.drawEllipse(m.x1, m.y1, width, height);
                break;
            case Shape::Arch:
                painter.drawArc(m.x1, m.y1, width, height, 0, 180 * 16);
                break;
        }
    }
    painter.restore();
}

QImage strip(const std::vector<const Picture*>& pictures) {
    const int count = static_cast<int>(pictures.size());
    QImage image(count * kCommandImageSide, kCommandImageSide, QImage::Format_RGB32);
    image.fill(kCommandImageMask);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (int i = 0; i < count; ++i)
        draw(painter, i * kCommandImageSide, *pictures[static_cast<std::size_t>(i)]);
    return image;
}

}  // namespace

QImage GalleryCommandImages() {
    return strip({&kPointAndFigure, &kRenko, &kKagi, &kThreeLineBreak, &kAnalytical});
}

QImage CommandImages() {
    return strip({&kLinePrice, &kHighLowClose, &kOpenHighLowClose, &kCandlesticks, &kNoPrice, &kGannFan,
                  &kFibonacciArcs, &kFibonacciFan, &kFibonacciRetracements, &kFibonacciTimeZones,
                  &kMidPointTironeLevels, &kMeanTironeLevels, &kSpeedResistanceLines, &kQuadrantLines,
                  &kTrendLine, &kStudiesTool});
}

}  // namespace dravik

#include "frame/ProgramPicture.h"

#include <QPainter>
#include <QPainterPath>

namespace frame {

QPixmap programPicture(int side) {
    QPixmap picture(side, side);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = side;
    QPainterPath tile;
    tile.addRoundedRect(QRectF(0, 0, s, s), s * 0.18, s * 0.18);
    p.fillPath(tile, QColor(0x1d, 0x3b, 0x5c));
    // Candles as fractions of the side: centre x, wick top and bottom, body top and bottom, rising.
    struct Candle {
        qreal x, high, low, top, bottom;
        bool rising;
    };
    const Candle candles[] = {{0.28, 0.50, 0.85, 0.58, 0.78, false},
                              {0.50, 0.32, 0.72, 0.40, 0.62, true},
                              {0.72, 0.14, 0.52, 0.20, 0.44, true}};
    for (const Candle& c : candles) {
        const QColor colour = c.rising ? QColor(0x4c, 0xc3, 0x7a) : QColor(0xe0, 0x5a, 0x4f);
        p.setPen(QPen(colour, s * 0.03));
        p.drawLine(QPointF(c.x * s, c.high * s), QPointF(c.x * s, c.low * s));
        p.fillRect(QRectF((c.x - 0.07) * s, c.top * s, 0.14 * s, (c.bottom - c.top) * s), colour);
    }
    return picture;
}

}  // namespace frame

// A full repaint of a 2,500-point candlestick chart with six line series on three value-axis bands,
// into the chart's offscreen back buffer (1280 x 800), in frames per second; beside it the same
// figure (background, grid, candles, lines, labels) drawn with plain QPainter calls. The goal is a
// repaint under 16 ms on one core and within twice the plain drawing's time.
//
//   QT_QPA_PLATFORM=offscreen build/bench/korvelpaint/bench_korvel_paint
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPolygon>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "korvel/KvlChart.h"

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 800;
constexpr int kPoints = 2500;
constexpr int kLines = 6;

// A random walk for the prices and six smooth lines, two on each band.
struct Figure {
    std::vector<double> open, high, low, close;
    std::vector<std::vector<double>> lines;
};

Figure makeFigure() {
    Figure f;
    std::srand(7);
    double price = 100;
    for (int p = 0; p < kPoints; ++p) {
        const double open = price;
        price += (std::rand() % 2001 - 1000) / 1000.0;
        f.open.push_back(open);
        f.close.push_back(price);
        f.high.push_back(std::max(open, price) + (std::rand() % 100) / 100.0);
        f.low.push_back(std::min(open, price) - (std::rand() % 100) / 100.0);
    }
    for (int s = 0; s < kLines; ++s) {
        std::vector<double> line;
        for (int p = 0; p < kPoints; ++p)
            line.push_back(s < 2 ? f.close[static_cast<std::size_t>(p)] + (s + 1) * std::sin(p / 40.0)
                                 : (s + 1) * 10 * std::sin(p / (15.0 + s * 5)));
        f.lines.push_back(std::move(line));
    }
    return f;
}

const Figure& figure() {
    static const Figure f = makeFigure();
    return f;
}

// The figure must be built as described, or the timings mean nothing.
void require(bool done, const char* what) {
    if (!done) {
        std::fprintf(stderr, "setting up the chart failed: %s\n", what);
        std::exit(1);
    }
}

com::ComPtr<korvel::KvlChart> makeChart() {
    using namespace korvel;
    auto chart = KvlChart::create();
    KvlChartModel& model = chart->model();
    model.setClientSize(kWidth, kHeight);
    const Figure& f = figure();
    model.resize(4 + kLines, kPoints);
    const std::vector<double>* price[] = {&f.open, &f.high, &f.low, &f.close};
    for (int s = 0; s < 4; ++s)
        for (int p = 0; p < kPoints; ++p)
            model.setValue(1, s, p, (*price[s])[static_cast<std::size_t>(p)]);
    const LONG third = model.addValueAxis();
    const LONG axes[] = {0, 0, 1, 1, third, third};
    for (int s = 0; s < kLines; ++s) {
        for (int p = 0; p < kPoints; ++p)
            model.setValue(1, 4 + s, p, f.lines[static_cast<std::size_t>(s)][static_cast<std::size_t>(p)]);
        require(model.setAttribute(4 + s, kAttrGallery, kGalleryLines) == com::S_OK, "line gallery");
        require(model.setAttribute(4 + s, kAttrYAxis, axes[s]) == com::S_OK, "line axis");
    }
    require(model.setAxisBand(0, 0, 0.5) == com::S_OK, "price band");
    require(model.setAxisBand(1, 0.5, 0.75) == com::S_OK, "second band");
    require(model.setAxisBand(third, 0.75, 1) == com::S_OK, "third band");
    require(chart->put_ChartType(kGalleryCandlestick) == com::S_OK, "candlesticks");
    chart->dataChanged();
    return chart;
}

void ChartRepaint(benchmark::State& state) {
    auto chart = makeChart();
    for (auto _ : state) {
        chart->paintSurface();
        benchmark::DoNotOptimize(chart->surface());
    }
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

// The same figure with QPainter alone: the scales computed once, as a hand-written chart would.
void PlainQPainter(benchmark::State& state) {
    const Figure& f = figure();
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    const QRect plot(60, 20, kWidth - 80, kHeight - 60);
    struct Band {
        int top, bottom;
        double low, high;
    };
    auto range = [](std::initializer_list<const std::vector<double>*> series) {
        double low = 1e300, high = -1e300;
        for (const auto* s : series)
            for (const double v : *s) {
                low = std::min(low, v);
                high = std::max(high, v);
            }
        return std::pair{low, high};
    };
    const auto [priceLow, priceHigh] = range({&f.low, &f.high, &f.lines[0], &f.lines[1]});
    const auto [lowB, highB] = range({&f.lines[2], &f.lines[3]});
    const auto [lowC, highC] = range({&f.lines[4], &f.lines[5]});
    const int h = plot.height();
    const Band bands[] = {{plot.top(), plot.top() + h / 2, priceLow, priceHigh},
                          {plot.top() + h / 2, plot.top() + h * 3 / 4, lowB, highB},
                          {plot.top() + h * 3 / 4, plot.top() + h, lowC, highC}};
    auto column = [&](int p) { return plot.left() + static_cast<int>((p + 0.5) / kPoints * plot.width()); };
    auto row = [](const Band& b, double v) {
        return b.bottom - static_cast<int>((v - b.low) / (b.high - b.low) * (b.bottom - b.top));
    };
    for (auto _ : state) {
        QPainter painter(&image);
        painter.fillRect(image.rect(), Qt::white);
        painter.fillRect(plot, Qt::white);
        painter.setPen(QColor(0xC0, 0xC0, 0xC0));
        for (const Band& b : bands)
            for (int i = 0; i <= 5; ++i) {
                const int y = b.bottom - i * (b.bottom - b.top) / 5;
                painter.drawLine(plot.left(), y, plot.right(), y);
                painter.drawText(4, y, QString::number(b.low + i * (b.high - b.low) / 5, 'f', 2));
            }
        for (int i = 0; i <= 5; ++i) {
            const int x = plot.left() + i * plot.width() / 5;
            painter.drawLine(x, plot.top(), x, plot.bottom());
            painter.drawText(x, plot.bottom() + 14, QString::number(i * kPoints / 5));
        }
        painter.setPen(Qt::black);
        painter.drawRect(plot);
        for (int p = 0; p < kPoints; ++p) {
            const auto i = static_cast<std::size_t>(p);
            const int x = column(p);
            painter.setPen(Qt::black);
            painter.drawLine(x, row(bands[0], f.high[i]), x, row(bands[0], f.low[i]));
            painter.setBrush(f.close[i] >= f.open[i] ? Qt::green : Qt::red);
            const int top = row(bands[0], std::max(f.open[i], f.close[i]));
            const int bottom = row(bands[0], std::min(f.open[i], f.close[i]));
            painter.drawRect(x, top, 0, bottom - top);
        }
        for (int s = 0; s < kLines; ++s) {
            const Band& b = bands[s / 2];
            QPolygon line(kPoints);
            for (int p = 0; p < kPoints; ++p)
                line[p] = QPoint(column(p),
                                 row(b, f.lines[static_cast<std::size_t>(s)][static_cast<std::size_t>(p)]));
            painter.setPen(QColor::fromHsv(s * 60, 255, 200));
            painter.drawPolyline(line);
        }
        painter.end();
        benchmark::DoNotOptimize(image.bits());
    }
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

BENCHMARK(ChartRepaint)->Unit(benchmark::kMillisecond);
BENCHMARK(PlainQPainter)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // Text needs the application's font machinery.
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

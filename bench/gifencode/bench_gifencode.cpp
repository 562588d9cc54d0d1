// Speed of the GIF writer on a 1920x1080 picture that looks like a price chart: white
// background, grid, 250 candles, a moving-average line and a volume pane. A noise picture of the
// same size shows the worst case, where nearly every pixel pair is new.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

#include <QBuffer>
#include <QPainter>
#include <QTemporaryDir>

#include "appchart/output/GIF.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

void drawGrid(QPainter& painter) {
    painter.setPen(QColor(220, 220, 220));
    for (int x = 60; x < kWidth; x += 120) {
        painter.drawLine(x, 0, x, kHeight);
    }
    for (int y = 40; y < kHeight; y += 80) {
        painter.drawLine(0, y, kWidth, y);
    }
}

void drawCandlesAndAverage(QPainter& painter) {
    std::mt19937 random(42);
    std::normal_distribution<double> step(0.0, 6.0);
    double close = 500.0;
    double average = close;
    QPointF previousAverage(0, average);
    for (int i = 0; i < 250; ++i) {
        const double open = close;
        close = std::clamp(open + step(random), 100.0, 780.0);
        const double high = std::max(open, close) + std::abs(step(random));
        const double low = std::min(open, close) - std::abs(step(random));
        const int x = 20 + i * 7;
        painter.setPen(Qt::black);
        painter.drawLine(QPointF(x + 2, high), QPointF(x + 2, low));
        painter.fillRect(QRectF(x, std::min(open, close), 5, std::max(1.0, std::abs(close - open))),
                         close >= open ? QColor(0, 160, 0) : QColor(200, 0, 0));
        average += (close - average) / 10.0;
        painter.setPen(QPen(QColor(0, 0, 255), 2));
        painter.drawLine(previousAverage, QPointF(x + 2, average));
        previousAverage = QPointF(x + 2, average);
        painter.fillRect(QRect(x, kHeight - 20 - (i * 37) % 180, 5, (i * 37) % 180), QColor(100, 100, 160));
    }
}

QImage chartPicture() {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    drawGrid(painter);
    drawCandlesAndAverage(painter);
    return image;
}

QImage noisePicture() {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    std::mt19937 random(7);
    for (int y = 0; y < kHeight; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < kWidth; ++x) {
            row[x] = 0xFF000000u | (random() & 0xFFFFFFu);
        }
    }
    return image;
}

void encodeToMemory(benchmark::State& state, const QImage& picture) {
    appchart::GIF gif;
    qint64 bytes = 0;
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        if (!gif.writeGIF(picture, buffer)) {
            state.SkipWithError("encoding failed");
            return;
        }
        bytes = buffer.size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["file_bytes"] = static_cast<double>(bytes);
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}

void BM_EncodeChart(benchmark::State& state) {
    encodeToMemory(state, chartPicture());
}
void BM_EncodeNoise(benchmark::State& state) {
    encodeToMemory(state, noisePicture());
}

void BM_SaveChartFile(benchmark::State& state) {
    const QImage picture = chartPicture();
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("chart.gif"));
    appchart::GIF gif;
    for (auto _ : state) {
        if (!gif.SaveGIF(picture, file)) {
            state.SkipWithError("saving failed");
            return;
        }
    }
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}

}  // namespace

BENCHMARK(BM_EncodeChart)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodeNoise)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveChartFile)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

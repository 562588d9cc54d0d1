// Charts the widget tests share: a bound OHLC history and comparison against committed golden images.
#pragma once

#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "com/ComObject.h"
#include "com/Dispatch.h"
#include "gdi/Types.h"
#include "korvel/KvlChart.h"

namespace korvel::test {

// Rows of variants standing in for a row set.
class Rows final : public com::ComObject<IKvlDataProvider> {
public:
    std::vector<std::vector<com::Variant>> rows;
    LONG columns = 0;

    HRESULT SetRecordset(com::IUnknown*) override { return com::S_OK; }
    HRESULT GetShape(LONG* c, LONG* r) override {
        *c = columns;
        *r = static_cast<LONG>(rows.size());
        return com::S_OK;
    }
    HRESULT GetCell(LONG row, LONG column, com::Variant* value) override {
        // A short row (a broken row set) has no cell past its end.
        if (row < 0 || row >= static_cast<LONG>(rows.size()) || column < 0 ||
            column >= static_cast<LONG>(rows[static_cast<std::size_t>(row)].size()))
            return com::E_INVALIDARG;
        *value = rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
        return com::S_OK;
    }
};

// A dispatch sink that answers the chart's events interface.
template <typename Derived>
class EventSink : public com::ComObject<com::IDispatch> {
public:
    HRESULT QueryInterface(const com::IID& iid, void** object) override {
        if (object && iid == DIID_DKvlChartEvents) {
            *object = static_cast<com::IDispatch*>(this);
            AddRef();
            return com::S_OK;
        }
        return com::ComObject<com::IDispatch>::QueryInterface(iid, object);
    }
};

// Colours as the chart's drawing surface reports them (COLORREF is 0x00BBGGRR).
inline constexpr gdi::COLORREF kBlack = 0x000000;
inline constexpr gdi::COLORREF kRed = 0x0000FF;
inline constexpr gdi::COLORREF kGreen = 0x00FF00;
inline constexpr gdi::COLORREF kBlue = 0xFF0000;
inline constexpr gdi::COLORREF kWhite = 0xFFFFFF;

// Twenty days of open, high, low and close: closes step around 10 between 7 and 13, each open is the
// close before, highs and lows half a unit outside the body (lowest low 6.5, highest high 13.5).
struct Ohlc {
    std::vector<double> open, high, low, close;
};
inline Ohlc twentyDays() {
    Ohlc d;
    double previous = 10;
    for (int p = 0; p < 20; ++p) {
        const double close = 10 + ((p * 7) % 9 - 4) * 0.75;
        d.open.push_back(previous);
        d.close.push_back(close);
        d.high.push_back(std::max(previous, close) + 0.5);
        d.low.push_back(std::min(previous, close) - 0.5);
        previous = close;
    }
    return d;
}

// Binds the history as the application does: four value columns (open, high, low, close).
inline void bindOhlc(KvlChart& chart, const Ohlc& d) {
    auto rows = com::makeComObject<Rows>();
    rows->columns = 4;
    for (std::size_t p = 0; p < d.open.size(); ++p)
        rows->rows.push_back({com::Variant(d.open[p]), com::Variant(d.high[p]), com::Variant(d.low[p]),
                              com::Variant(d.close[p])});
    ASSERT_EQ(chart.SetDataProvider(rows.get()), com::S_OK);
}

// Golden images: each channel may differ by kChannelTolerance, and at most kOddPixels pixels may differ
// by more. The tolerance absorbs the anti-aliased edges of label text between font renderer versions;
// a bar, candle or grid line out of place changes far more pixels than that at full contrast.
inline constexpr int kChannelTolerance = 40;
inline constexpr int kOddPixels = 24;

inline std::string goldenPath(const std::string& name) {
    return std::string(KORVEL_GOLDEN_DIR) + "/" + name + ".png";
}

// Set KORVEL_UPDATE_GOLDEN=1 to write the images afresh (and check them by eye before committing).
inline void expectMatchesGolden(const QImage& actual, const std::string& name) {
    const QImage image = actual.convertToFormat(QImage::Format_RGB32);
    if (std::getenv("KORVEL_UPDATE_GOLDEN")) {
        ASSERT_TRUE(image.save(QString::fromStdString(goldenPath(name))));
        return;
    }
    const QImage golden =
        QImage(QString::fromStdString(goldenPath(name))).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(golden.isNull()) << "missing golden image " << goldenPath(name);
    ASSERT_EQ(golden.size(), image.size());
    int odd = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb a = image.pixel(x, y), b = golden.pixel(x, y);
            const int worst = std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                        std::abs(qBlue(a) - qBlue(b))});
            if (worst > kChannelTolerance)
                ++odd;
        }
    EXPECT_LE(odd, kOddPixels) << name << ": pixels beyond the tolerance";
    if (odd > kOddPixels)
        image.save(
            QString::fromStdString(std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") + "/" +
                                   name + ".actual.png"));
}

}  // namespace korvel::test

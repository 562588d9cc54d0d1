// A small chart that answers the members the loader calls: a point count, x values and series values
// (series s at point i holds 1000 * s + i), and a financial extension reporting the price series.
#pragma once

#include <vector>

#include "com/ComObject.h"
#include "dravik/FinancialChartsUnimplemented.h"
#include "korvel/IKvlChart.h"

namespace indikon::test {

class FakeExtension final : public dravik::FinancialChartsUnimplemented {
public:
    // Open, high, low, close and volume series numbers.
    com::SHORT series[5] = {1, 2, 3, 4, 6};

    com::HRESULT get_OpenSeries(com::SHORT* s) override { return answer(s, series[0]); }
    com::HRESULT get_HighSeries(com::SHORT* s) override { return answer(s, series[1]); }
    com::HRESULT get_LowSeries(com::SHORT* s) override { return answer(s, series[2]); }
    com::HRESULT get_CloseSeries(com::SHORT* s) override { return answer(s, series[3]); }
    com::HRESULT get_VolumeSeries(com::SHORT* s) override { return answer(s, series[4]); }

private:
    static com::HRESULT answer(com::SHORT* out, com::SHORT value) {
        if (!out)
            return com::E_POINTER;
        *out = value;
        return com::S_OK;
    }
};

// An object that answers nothing but IUnknown.
class NotAnExtension final : public com::ComObject<com::IUnknown> {};

class FakeChart final : public com::ComObject<korvel::IKvlChart> {
public:
    static constexpr com::SHORT kSeriesCount = 8;
    // Day number of point 0 (2001-01-01).
    static constexpr double kFirstDay = 36892;

    explicit FakeChart(com::LONG points) : points_(points) {}

    // What AddExtension hands out; null for a chart without the extension.
    com::ComPtr<com::IUnknown> extension{com::makeComObject<FakeExtension>()};

    com::HRESULT AddExtension(const com::Bstr& progId, com::IUnknown** out) override {
        if (!out)
            return com::E_POINTER;
        *out = nullptr;
        if (progId.view() != dravik::kFinancialChartsProgId)
            return com::E_INVALIDARG;
        *out = com::ComPtr<com::IUnknown>(extension).detach();
        return com::S_OK;
    }
    com::HRESULT get_PointCount(com::LONG* count) override {
        *count = points_;
        return com::S_OK;
    }
    com::HRESULT get_ValueAt(com::SHORT series, com::LONG point, double* value) override {
        *value = 0;
        if (series < 0 || series >= kSeriesCount || point < 0 || point >= points_)
            return com::E_INVALIDARG;
        *value = 1000.0 * series + point;
        return com::S_OK;
    }
    com::HRESULT get_PointXValue(com::LONG point, double* value) override {
        *value = 0;
        if (point < 0 || point >= points_)
            return com::E_INVALIDARG;
        *value = kFirstDay + point;
        return com::S_OK;
    }

private:
    com::LONG points_;
};

}  // namespace indikon::test

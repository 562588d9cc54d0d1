#include "studies/StudyChartView.h"

namespace tarnwick::chart {

namespace {

// A call on the chart that raises is a failing call for the library.
template <class Body>
com::HRESULT guarded(Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return com::E_FAIL;
    }
}

}  // namespace

com::HRESULT StudyPriceSeries::answer(com::SHORT* out, com::SHORT value) {
    if (!out) {
        return com::E_POINTER;
    }
    *out = value;
    return com::S_OK;
}

StudyChartView::StudyChartView(const StudyChart& chart) : chart_(chart) {}

com::HRESULT StudyChartView::AddExtension(const com::Bstr& progId, com::IUnknown** extension) {
    if (!extension) {
        return com::E_POINTER;
    }
    *extension = nullptr;
    if (progId.toUtf8() != "Lomex.Financial") {
        return com::E_INVALIDARG;
    }
    return guarded([&] {
        if (!prices_) {
            prices_ = com::makeComObject<StudyPriceSeries>(chart_.priceSeries());
        }
        return prices_->QueryInterface(com::IID_IUnknown, reinterpret_cast<void**>(extension));
    });
}

com::HRESULT StudyChartView::get_PointCount(com::LONG* count) {
    if (!count) {
        return com::E_POINTER;
    }
    *count = 0;
    return guarded([&] {
        *count = chart_.pointCount();
        return com::S_OK;
    });
}

com::HRESULT StudyChartView::get_ValueAt(com::SHORT series, com::LONG point, double* value) {
    if (!value) {
        return com::E_POINTER;
    }
    *value = 0;
    return guarded([&] {
        *value = chart_.valueAt(series, point);
        return com::S_OK;
    });
}

com::HRESULT StudyChartView::get_PointXValue(com::LONG point, double* value) {
    if (!value) {
        return com::E_POINTER;
    }
    *value = 0;
    return guarded([&] {
        *value = chart_.xValueAt(point);
        return com::S_OK;
    });
}

}  // namespace tarnwick::chart

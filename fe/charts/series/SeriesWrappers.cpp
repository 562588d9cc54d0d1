#include "series/SeriesWrappers.h"

namespace dravik {

SeriesWrapperBase::SeriesWrapperBase(const SeriesView& view) : lifetime_(view.lifetime), study_(view.study) {
    if (view.channel)
        attributes_.Bind(view.owner, view.channel, view.record);
    else
        attributes_.Bind(view.owner, view.adapter, view.record);
    attributes_.SetSeriesIndex(view.series);
}

com::HRESULT SeriesWrapperBase::getIndexAxis(com::SHORT* value) {
    if (!value)
        return com::E_POINTER;
    *value = 0;
    SeriesOwner* owner = attributes_.Owner();
    if (!owner || (study_ < 0 && !attributes_.IsBound()))
        return com::E_FAIL;
    return owner->GetSeriesAxis(attributes_.GetSeriesIndex(), study_, value);
}

com::HRESULT SeriesWrapperBase::putIndexAxis(com::SHORT value) {
    SeriesOwner* owner = attributes_.Owner();
    if (!owner || (study_ < 0 && !attributes_.IsBound()))
        return com::E_FAIL;
    return owner->SetSeriesAxis(attributes_.GetSeriesIndex(), study_, value);
}

com::HRESULT SeriesWrapperBase::getFigureAxis(com::SHORT* value) {
    if (!value)
        return com::E_POINTER;
    *value = 0;
    SeriesOwner* owner = attributes_.Owner();
    if (!owner || !attributes_.IsBound())
        return com::S_OK;
    return owner->GetSeriesAxis(attributes_.GetSeriesIndex(), -1, value);
}

com::HRESULT SeriesWrapperBase::putFigureAxis(com::SHORT value) {
    SeriesOwner* owner = attributes_.Owner();
    if (!owner || !attributes_.IsBound())
        return com::S_OK;
    return owner->SetSeriesAxis(attributes_.GetSeriesIndex(), -1, value);
}

com::ComPtr<IIndexSeries> CreateIndexSeries(const SeriesView& view) {
    return com::makeComObject<CIndexSeries>(view);
}

com::ComPtr<IKagiSeries> CreateKagiSeries(const SeriesView& view) {
    return com::makeComObject<CKagiSeries>(view);
}

com::ComPtr<IPointFigureSeries> CreatePointFigureSeries(const SeriesView& view) {
    return com::makeComObject<CPointFigureSeries>(view);
}

com::ComPtr<IKvlBasedSeries> CreateKvlBasedSeries(const SeriesView& view) {
    return com::makeComObject<CKvlBasedSeries>(view);
}

}  // namespace dravik

// The COM study objects: `CIndex` (IIndex) over a built-in or user study and `CCustomIndex`
// (ICustomIndex) over a custom study. One class template serves both; every member forwards to the
// object's StudyLink. Members that only ICustomIndex declares (SetUpAs, ClonedStudy) stay unused in
// CIndex.
#pragma once

#include "com/ComObject.h"
#include "com/ComPtr.h"
#include "dravik/StudyInterfaces.h"
#include "studyobjects/StudyLink.h"

namespace dravik {

template <typename Interface>
class CStudyObject final : public com::ComObject<Interface> {
public:
    // The object holds a reference on the owner for its whole life.
    CStudyObject(IStudyOwner& owner, int study)
        : lifetime_(owner.StudyOwnerIdentity()), link_(owner, study) {}

    com::HRESULT get_Visible(com::VARIANT_BOOL* v) { return link_.getVisible(v); }
    com::HRESULT put_Visible(com::VARIANT_BOOL v) { return link_.putVisible(v); }
    com::HRESULT get_SubIndicators(com::SHORT* v) { return link_.getSubIndicators(v); }
    com::HRESULT put_SubIndicators(com::SHORT v) { return link_.putSubIndicators(v); }
    com::HRESULT get_Space(com::SHORT* v) { return link_.getSpace(v); }
    com::HRESULT put_Space(com::SHORT v) { return link_.putSpace(v); }
    com::HRESULT get_SpaceGap(com::SHORT* v) { return link_.getSpaceGap(v); }
    com::HRESULT put_SpaceGap(com::SHORT v) { return link_.putSpaceGap(v); }
    com::HRESULT get_PriceIndicator(com::VARIANT_BOOL* v) { return link_.getPriceIndicator(v); }
    com::HRESULT put_PriceIndicator(com::VARIANT_BOOL v) { return link_.putPriceIndicator(v); }
    com::HRESULT get_StartInZero(com::VARIANT_BOOL* v) { return link_.getStartInZero(v); }
    com::HRESULT put_StartInZero(com::VARIANT_BOOL v) { return link_.putStartInZero(v); }
    com::HRESULT get_Name(com::Bstr* v) { return link_.getName(v); }
    com::HRESULT put_Name(const com::Bstr& v) { return link_.putName(v); }
    com::HRESULT get_Periods(com::SHORT* v) { return link_.getPeriods(v); }
    com::HRESULT put_Periods(com::SHORT v) { return link_.putPeriods(v); }
    com::HRESULT get_Percentage(com::SHORT* v) { return link_.getSignalPeriod(v); }
    com::HRESULT put_Percentage(com::SHORT v) { return link_.putSignalPeriod(v); }
    com::HRESULT get_SignalPeriod(com::SHORT* v) { return link_.getSignalPeriod(v); }
    com::HRESULT put_SignalPeriod(com::SHORT v) { return link_.putSignalPeriod(v); }
    com::HRESULT get_LongPeriod(com::SHORT* v) { return link_.getLongPeriod(v); }
    com::HRESULT put_LongPeriod(com::SHORT v) { return link_.putLongPeriod(v); }
    com::HRESULT get_ShortPeriod(com::SHORT* v) { return link_.getShortPeriod(v); }
    com::HRESULT put_ShortPeriod(com::SHORT v) { return link_.putShortPeriod(v); }
    com::HRESULT get_D(double* v) { return link_.getD(v); }
    com::HRESULT put_D(double v) { return link_.putD(v); }
    com::HRESULT get_Weights(com::SHORT day, com::SHORT* v) { return link_.getWeights(day, v); }
    com::HRESULT put_Weights(com::SHORT day, com::SHORT v) { return link_.putWeights(day, v); }
    com::HRESULT get_SeriesIndex(com::Variant sub, com::SHORT* v) { return link_.getSeriesIndex(sub, v); }
    com::HRESULT get_StartValue(double* v) { return link_.getD(v); }
    com::HRESULT put_StartValue(double v) { return link_.putD(v); }
    com::HRESULT get_WorkSeries(com::SHORT* v) { return link_.getWorkSeries(v); }
    com::HRESULT put_WorkSeries(com::SHORT v) { return link_.putWorkSeries(v); }
    com::HRESULT get_Series(com::Variant sub, IIndexSeries** v) {
        return link_.getSeries(sub, this->identity(), v);
    }
    com::HRESULT get_Axis(ILomexAxis** v) { return link_.getAxis(v); }
    com::HRESULT Recalculate() { return link_.recalculate(); }
    com::HRESULT get_DisplayAxisIndex(com::SHORT* v) { return link_.getDisplayAxisIndex(v); }
    com::HRESULT put_DisplayAxisIndex(com::SHORT v) { return link_.putDisplayAxisIndex(v); }
    com::HRESULT get_RememberAxisIndex(com::VARIANT_BOOL* v) { return link_.getRememberAxisIndex(v); }
    com::HRESULT put_RememberAxisIndex(com::VARIANT_BOOL v) { return link_.putRememberAxisIndex(v); }
    com::HRESULT SetUpAs(com::SHORT base, const com::Bstr& name) { return link_.setUpAs(base, name); }
    com::HRESULT get_ClonedStudy(com::SHORT* v) { return link_.getClonedStudy(v); }

private:
    // Declared first: the owner outlives the link that views its record.
    com::ComPtr<com::IUnknown> lifetime_;
    StudyLink link_;
};

using CIndex = CStudyObject<IIndex>;
using CCustomIndex = CStudyObject<ICustomIndex>;

}  // namespace dravik

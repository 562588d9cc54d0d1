// The link of one study object to its study: the owner, the study number and the study's record.
// Every member of the study interfaces is implemented here once; the COM classes forward to it.
//
// The link is also the series owner of the series objects that `Series` hands out: those hold a
// reference on the study object, which holds one on the extension, so a series object kept after
// both were released still finds its record.
#pragma once

#include "com/Bstr.h"
#include "com/ComPtr.h"
#include "com/HResult.h"
#include "com/Types.h"
#include "com/Variant.h"
#include "series/SeriesAttributeChannel.h"
#include "studyobjects/StudyOwner.h"

namespace dravik {

struct IIndexSeries;
struct StudyRecord;

class StudyLink final : public SeriesOwner {
public:
    // Binds to study `study`, which must have a record, and marks the record as in use. The record is
    // looked up at every use, so that an owner may replace its records (a load) under the link.
    StudyLink(IStudyOwner& owner, int study);

    int study() const { return study_; }

    com::HRESULT getVisible(com::VARIANT_BOOL* value);
    com::HRESULT putVisible(com::VARIANT_BOOL value);
    com::HRESULT getSubIndicators(com::SHORT* value);
    // 0 to 4 outputs; a study has no more series records than that.
    com::HRESULT putSubIndicators(com::SHORT value);
    com::HRESULT getSpace(com::SHORT* value);
    com::HRESULT putSpace(com::SHORT value);
    com::HRESULT getSpaceGap(com::SHORT* value);
    com::HRESULT putSpaceGap(com::SHORT value);
    com::HRESULT getPriceIndicator(com::VARIANT_BOOL* value);
    com::HRESULT putPriceIndicator(com::VARIANT_BOOL value);
    com::HRESULT getStartInZero(com::VARIANT_BOOL* value);
    com::HRESULT putStartInZero(com::VARIANT_BOOL value);
    com::HRESULT getName(com::Bstr* value);
    com::HRESULT putName(const com::Bstr& value);
    com::HRESULT getPeriods(com::SHORT* value);
    com::HRESULT putPeriods(com::SHORT value);
    com::HRESULT getSignalPeriod(com::SHORT* value);
    com::HRESULT putSignalPeriod(com::SHORT value);
    com::HRESULT getLongPeriod(com::SHORT* value);
    com::HRESULT putLongPeriod(com::SHORT value);
    com::HRESULT getShortPeriod(com::SHORT* value);
    com::HRESULT putShortPeriod(com::SHORT value);
    com::HRESULT getD(double* value);
    com::HRESULT putD(double value);
    com::HRESULT getWeights(com::SHORT day, com::SHORT* value);
    com::HRESULT putWeights(com::SHORT day, com::SHORT value);
    com::HRESULT getSeriesIndex(const com::Variant& subIndicator, com::SHORT* value);
    com::HRESULT getWorkSeries(com::SHORT* value);
    com::HRESULT putWorkSeries(com::SHORT value);
    // `self` is the study object, on which the series object keeps a reference.
    com::HRESULT getSeries(const com::Variant& subIndicator, com::IUnknown* self, IIndexSeries** value);
    com::HRESULT getAxis(ILomexAxis** value);
    com::HRESULT recalculate();
    com::HRESULT getDisplayAxisIndex(com::SHORT* value);
    com::HRESULT putDisplayAxisIndex(com::SHORT value);
    com::HRESULT getRememberAxisIndex(com::VARIANT_BOOL* value);
    com::HRESULT putRememberAxisIndex(com::VARIANT_BOOL value);
    com::HRESULT setUpAs(com::SHORT base, const com::Bstr& name);
    com::HRESULT getClonedStudy(com::SHORT* value);

    // --- SeriesOwner, for the series objects of the outputs ---
    const res::ResourceModule* ResourceModule() override { return owner_.StudyResourceModule(); }
    void RepaintIfActive() override { owner_.RepaintStudies(); }
    // A study output's axis is its study's display axis.
    com::HRESULT GetSeriesAxis(com::SHORT series, int study, com::SHORT* axis) override;
    com::HRESULT SetSeriesAxis(com::SHORT series, int study, com::SHORT axis) override;

private:
    // The output a sub-indicator argument names (missing: the default output); -1 when it names none.
    int subIndicatorOf(const com::Variant& argument) const;
    // The chart series of output `output` while the analytical chart is not active (user studies only).
    com::SHORT userSeriesOf(int output) const;
    bool isShown();
    void markForRecalculation();
    // Hides the study while `change` runs and shows it again afterwards when it was shown.
    template <typename Change>
    void changeWhileHidden(Change change);

    StudyRecord& record() const;

    IStudyOwner& owner_;
    int study_;
};

}  // namespace dravik

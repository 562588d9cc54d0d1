#pragma once

// Calls on the chart's financial extension as the chart window makes them: every failure is an error
// of the calling procedure, except that a member the extension does not offer yet (E_NOTIMPL) leaves
// that one setting undone, so the chart still comes up while parts of the extension are missing.
//
// Study objects are fetched late-bound, by the dispid of the extension's study member, and then used
// through their study interface (IIndex, ICustomIndex).

#include <cstdint>
#include <string>
#include <string_view>

#include "com/ComPtr.h"
#include "com/Types.h"
#include "com/Variant.h"
#include "dravik/IFinancialCharts.h"
#include "dravik/SeriesInterfaces.h"

namespace frame::chart {

// Throws the program's error for a failed call; false (nothing done) for E_NOTIMPL.
bool Succeeded(com::HRESULT result, std::string_view member);

// The study members of the extension (dispids).
enum class Study : com::DISPID {
    SimpleMA10 = dravik::DISPID_FirstStudy + 0,
    SimpleMA50 = dravik::DISPID_FirstStudy + 1,
    SimpleMA200 = dravik::DISPID_FirstStudy + 2,
    ExponentialMA = dravik::DISPID_FirstStudy + 4,
    VOLUME = dravik::DISPID_FirstStudy + 8,
    MACD = dravik::DISPID_FirstStudy + 20,
    RSI = dravik::DISPID_FirstStudy + 21,
    USER0 = dravik::DISPID_FirstStudy + 38,
    USER1 = dravik::DISPID_FirstStudy + 39,
    USER2 = dravik::DISPID_FirstStudy + 40,
    USER3 = dravik::DISPID_FirstStudy + 41,
    CUSTOM1 = dravik::DISPID_FirstStudy + 49,
    CUSTOM2 = dravik::DISPID_FirstStudy + 50,
    CUSTOM3 = dravik::DISPID_FirstStudy + 51,
    CUSTOM4 = dravik::DISPID_FirstStudy + 52,
};

// Dispids of the study objects' members.
enum StudyMember : com::DISPID {
    kStudyVisible = 1,
    kStudySubIndicators = 2,
    kStudyPriceIndicator = 5,
    kStudyName = 7,
    kStudyPeriods = 8,
    kStudyD = 13,
    kStudySeriesIndex = 15,
    kStudyWorkSeries = 17,
    kStudySeries = 18,
    kStudyAxis = 19,
    kCustomSetUpAs = 21,
};

// The gallery of a series drawn as a line.
inline constexpr com::SHORT kLinesGallery = 1;

// The settings the chart window gives the extension's fixed study slots.
class StudySlots {
public:
    virtual ~StudySlots() = default;
    virtual void put(Study study, StudyMember member, com::Variant value) = 0;
    virtual void setUpAs(Study study, std::int16_t baseIndex, std::string_view name) = 0;
    // A 16-bit property of the study (Visible as -1 or 0, Periods, SeriesIndex of the first output,
    // WorkSeries); the fallback when the study does not answer.
    virtual std::int16_t get16(Study study, StudyMember member, std::int16_t fallback) = 0;
    // The study's default series and its own axis (null when the study does not offer them).
    virtual com::ComPtr<com::IUnknown> defaultSeries(Study study) = 0;
    virtual com::ComPtr<com::IUnknown> axis(Study study) = 0;
};

// StudySlots over a real extension.
class ExtensionStudySlots final : public StudySlots {
public:
    explicit ExtensionStudySlots(dravik::IFinancialCharts* extension) : extension_(extension) {}
    void put(Study study, StudyMember member, com::Variant value) override;
    void setUpAs(Study study, std::int16_t baseIndex, std::string_view name) override;
    std::int16_t get16(Study study, StudyMember member, std::int16_t fallback) override;
    com::ComPtr<com::IUnknown> defaultSeries(Study study) override;
    com::ComPtr<com::IUnknown> axis(Study study) override;

private:
    com::ComPtr<com::IUnknown> studyObject(Study study);
    dravik::IFinancialCharts* extension_;
};

// The study's default series as a series object (null when the study does not offer one).
com::ComPtr<dravik::IIndexSeries> seriesOf(StudySlots& studies, Study study);

// What an average's name says behind its period count.
inline constexpr std::string_view kAverageCaption = " periods Simple M.A.";

// Names an average after its period count p (p and `caption`) and gives its default series the
// legend p and " Simple M.A."; the period count is read afresh for each. A study that does not answer
// its period count keeps that text.
void CaptionAverage(StudySlots& studies, Study study, std::string_view caption);

}  // namespace frame::chart

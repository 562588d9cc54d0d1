// The study objects as the extension hands them out: the getters, the records they view, the axis of a
// study, the application's set-up of its default custom studies, and an object kept after the client
// released the extension.
#include <gtest/gtest.h>

#include "com/ModuleLock.h"
#include "dravik/AxisInterfaces.h"
#include "dravik/SeriesInterfaces.h"
#include "dravik/StudyInterfaces.h"
#include "extension/CFinancialCharts.h"
#include "gallery/CRecordingGallery.h"

namespace dravik {
namespace {

using com::SHORT;
using com::Variant;

com::ComPtr<CFinancialCharts> makeStudyExtension() {
    return com::makeComObject<CFinancialCharts>(ChartTypeFactory(&CreateRecordingChartType));
}

template <typename Interface>
com::ComPtr<Interface> taken(Interface* object) {
    return com::ComPtr<Interface>::attach(object);
}

std::string nameOf(StudyRecord& record) {
    return record.name.GetText();
}

struct ExtensionStudies : ::testing::Test {
    com::ComPtr<CFinancialCharts> extension = makeStudyExtension();
    IFinancialCharts& surface() { return *extension; }

    com::ComPtr<ICustomIndex> custom(HRESULT (IFinancialCharts::*getter)(ICustomIndex**)) {
        ICustomIndex* object = nullptr;
        EXPECT_EQ((surface().*getter)(&object), com::S_OK);
        return taken(object);
    }
    com::ComPtr<IIndex> index(HRESULT (IFinancialCharts::*getter)(IIndex**)) {
        IIndex* object = nullptr;
        EXPECT_EQ((surface().*getter)(&object), com::S_OK);
        return taken(object);
    }
    com::ComPtr<IIndexSeries> defaultSeries(IIndex0& study) {
        IIndexSeries* series = nullptr;
        EXPECT_EQ(study.get_Series(Variant::missing(), &series), com::S_OK);
        return taken(series);
    }
};

TEST_F(ExtensionStudies, GettersHandOutANewObjectOverTheirStudysRecord) {
    auto volume = index(&IFinancialCharts::get_VOLUME);
    auto again = index(&IFinancialCharts::get_VOLUME);
    ASSERT_TRUE(volume && again);
    EXPECT_NE(volume.get(), again.get());
    ASSERT_EQ(volume->put_Name(com::Bstr(u"Turnover")), com::S_OK);
    com::Bstr name;
    again->get_Name(&name);
    EXPECT_EQ(name, com::Bstr(u"Turnover"));
    EXPECT_EQ(nameOf(*extension->studyRecord(12)), "Turnover");
    // The member order is not the study order: ENVELOPES stands for study 8.
    index(&IFinancialCharts::get_ENVELOPES)->put_Periods(33);
    EXPECT_EQ(extension->studyRecord(8)->periods, 33);
    // The typed getters hand out the typed interface.
    auto user = index(&IFinancialCharts::get_USER9);
    EXPECT_EQ(user.as<IIndex>().get(), user.get());
    auto customStudy = custom(&IFinancialCharts::get_CUSTOM9);
    EXPECT_EQ(customStudy.as<ICustomIndex>().get(), customStudy.get());
    EXPECT_EQ(extension->studyRecord(57)->inUse, 1);
    EXPECT_EQ(surface().get_MACD(nullptr), com::E_POINTER);
}

TEST_F(ExtensionStudies, AxisOfAStudyViewsItsOwnAxisSettings) {
    ILomexAxis* made = nullptr;
    ASSERT_EQ(index(&IFinancialCharts::get_RSI)->get_Axis(&made), com::S_OK);
    auto rsiAxis = taken(made);
    ASSERT_EQ(rsiAxis->put_Decimals(3), com::S_OK);
    EXPECT_EQ(extension->studyAxisSettings(25)->decimals, 3);
    EXPECT_NE(extension->settings().priceAxis.decimals, 3);
    // A price indicator's axis is the price axis.
    ASSERT_EQ(index(&IFinancialCharts::get_SimpleMA10)->get_Axis(&made), com::S_OK);
    auto priceAxis = taken(made);
    ASSERT_EQ(priceAxis->put_Decimals(5), com::S_OK);
    EXPECT_EQ(extension->settings().priceAxis.decimals, 5);
    EXPECT_NE(extension->studyAxisSettings(0)->decimals, 5);
}

// The chart window's default chart: CUSTOM4 as the Parabolic SAR, CUSTOM1-3 as simple averages, the
// legends of the built-in averages and the names of the user studies, as the application sets them.
TEST_F(ExtensionStudies, ApplicationsDefaultCustomStudiesSetUpThroughTheObjects) {
    auto sar = custom(&IFinancialCharts::get_CUSTOM4);
    ASSERT_EQ(sar->SetUpAs(0, com::Bstr(u"Parabolic SAR")), com::S_OK);
    ASSERT_EQ(custom(&IFinancialCharts::get_CUSTOM4)->put_PriceIndicator(com::VARIANT_TRUE), com::S_OK);
    ASSERT_EQ(custom(&IFinancialCharts::get_CUSTOM4)->put_D(0.2), com::S_OK);
    ASSERT_EQ(custom(&IFinancialCharts::get_CUSTOM4)->put_Periods(2), com::S_OK);
    ASSERT_EQ(defaultSeries(*custom(&IFinancialCharts::get_CUSTOM4))->put_Legend(com::Bstr(u"Parabolic SAR")),
              com::S_OK);
    auto sarSeries = defaultSeries(*custom(&IFinancialCharts::get_CUSTOM4));
    ASSERT_EQ(sarSeries->put_BorderColor(0xFFFFFF), com::S_OK);
    ASSERT_EQ(sarSeries->put_Border(com::VARIANT_TRUE), com::S_OK);
    ASSERT_EQ(sarSeries->put_MarkerShape(2), com::S_OK);
    ASSERT_EQ(sarSeries->put_MarkerSize(2), com::S_OK);

    const char16_t* averages[] = {u"20 periods Simple M.A.", u"35 periods Simple M.A.",
                                  u"100 periods Simple M.A."};
    const char16_t* legends[] = {u"20 Simple M.A.", u"35 Simple M.A.", u"100 Simple M.A."};
    const SHORT periods[] = {20, 35, 100};
    HRESULT(IFinancialCharts::*getters[])
    (ICustomIndex**) = {&IFinancialCharts::get_CUSTOM1, &IFinancialCharts::get_CUSTOM2,
                        &IFinancialCharts::get_CUSTOM3};
    for (std::size_t i = 0; i < 3; ++i) {
        ASSERT_EQ(custom(getters[i])->SetUpAs(0, com::Bstr(averages[i])), com::S_OK);
        ASSERT_EQ(custom(getters[i])->put_Periods(periods[i]), com::S_OK);
        ASSERT_EQ(defaultSeries(*custom(getters[i]))->put_Legend(com::Bstr(legends[i])), com::S_OK);
    }
    // The legend of the 200-day average is formed from its period count.
    SHORT longAverage = 0;
    index(&IFinancialCharts::get_SimpleMA200)->get_Periods(&longAverage);
    EXPECT_EQ(longAverage, 200);
    ASSERT_EQ(custom(&IFinancialCharts::get_CUSTOM4)->put_Name(com::Bstr(u"Parabolic SAR")), com::S_OK);
    auto adjustment = index(&IFinancialCharts::get_USER0);
    ASSERT_EQ(adjustment->put_SubIndicators(1), com::S_OK);  // as the chart fill gives it its series
    ASSERT_EQ(defaultSeries(*adjustment)->put_MarkerShape(9), com::S_OK);
    ASSERT_EQ(adjustment->put_Name(com::Bstr(u"Data Adjustment")), com::S_OK);
    index(&IFinancialCharts::get_USER2)->put_Name(com::Bstr(u"Market General Index"));
    index(&IFinancialCharts::get_USER1)->put_Name(com::Bstr(u"Sector Index"));
    for (std::size_t i = 0; i < 3; ++i)
        ASSERT_EQ(defaultSeries(*custom(getters[i]))->put_Gallery(1), com::S_OK);

    StudyRecord& parabolic = *extension->studyRecord(52);
    EXPECT_EQ(parabolic.calcIndex, 0);
    EXPECT_EQ(parabolic.subIndicators, 1);
    EXPECT_EQ(parabolic.priceIndicator, 1);
    EXPECT_EQ(parabolic.periods, 2);
    EXPECT_EQ(parabolic.parameters.D(), 0.2);
    EXPECT_EQ(nameOf(parabolic), "Parabolic SAR");
    EXPECT_STREQ(parabolic.series[0].legend.GetText(nullptr), "Parabolic SAR");
    EXPECT_EQ(parabolic.series[0].borderColor, 0xFFFFFFu);
    EXPECT_EQ(parabolic.series[0].border, 1);
    EXPECT_EQ(parabolic.series[0].pointType, 2);
    EXPECT_EQ(parabolic.series[0].markerSize, 2);
    for (std::size_t i = 0; i < 3; ++i) {
        StudyRecord& average = *extension->studyRecord(49 + static_cast<LONG>(i));
        EXPECT_EQ(average.calcIndex, 0) << i;
        EXPECT_EQ(average.periods, periods[i]) << i;
        EXPECT_EQ(average.priceIndicator, 1) << i;
        EXPECT_EQ(average.series[0].gallery, 1) << i;
        EXPECT_EQ(com::Bstr::fromUtf8(average.series[0].legend.GetText(nullptr)), com::Bstr(legends[i])) << i;
        EXPECT_EQ(com::Bstr::fromUtf8(nameOf(average)), com::Bstr(averages[i])) << i;
    }
    EXPECT_EQ(nameOf(*extension->studyRecord(38)), "Data Adjustment");
    EXPECT_EQ(extension->studyRecord(38)->series[0].pointType, 9);
    EXPECT_EQ(nameOf(*extension->studyRecord(40)), "Market General Index");
    EXPECT_EQ(nameOf(*extension->studyRecord(39)), "Sector Index");
    // The custom-study pass reads the step back from the periods: 2 gives 0.02.
    SHORT step = 0;
    custom(&IFinancialCharts::get_CUSTOM4)->get_Periods(&step);
    EXPECT_EQ(step, 2);
    SHORT cloned = -1;
    custom(&IFinancialCharts::get_CUSTOM4)->get_ClonedStudy(&cloned);
    EXPECT_EQ(cloned, 0);
    // The base study was copied, not changed.
    EXPECT_EQ(extension->studyRecord(0)->periods, 10);
    EXPECT_EQ(nameOf(*extension->studyRecord(0)), "Simple Moving Average 10");
}

TEST_F(ExtensionStudies, NameBecomesTheStudysCommandText) {
    custom(&IFinancialCharts::get_CUSTOM2)->put_Name(com::Bstr(u"35 periods Simple M.A."));
    EXPECT_EQ(extension->studyName(50), "35 periods Simple M.A.");
    index(&IFinancialCharts::get_USER3)->put_Name(com::Bstr(u"Volume of the sector"));
    EXPECT_EQ(extension->studyName(41), "Volume of the sector");
    // A user study that was not named keeps its command's caption.
    EXPECT_EQ(extension->studyName(42), "User Study 4");
}

TEST(ExtensionStudyLifetime, ObjectKeptAfterTheExtensionIsReleased) {
    const com::LONG locksBefore = com::moduleLocks();
    auto extension = makeStudyExtension();
    ICustomIndex* made = nullptr;
    ASSERT_EQ(extension->get_CUSTOM3(&made), com::S_OK);
    auto study = taken(made);
    IIndexSeries* series = nullptr;
    ASSERT_EQ(study->get_Series(Variant::missing(), &series), com::E_INVALIDARG);  // no outputs yet
    extension = nullptr;  // the client lets the extension go and keeps the study

    ASSERT_EQ(study->SetUpAs(25, com::Bstr(u"Kept RSI")), com::S_OK);
    ASSERT_EQ(study->put_Periods(9), com::S_OK);
    com::Bstr name;
    ASSERT_EQ(study->get_Name(&name), com::S_OK);
    EXPECT_EQ(name, com::Bstr(u"Kept RSI"));
    ASSERT_EQ(study->get_Series(Variant::missing(), &series), com::S_OK);
    auto output = taken(series);
    EXPECT_EQ(output->put_Legend(com::Bstr(u"RSI 9")), com::S_OK);
    ILomexAxis* axis = nullptr;
    ASSERT_EQ(study->get_Axis(&axis), com::S_OK);
    auto studyAxis = taken(axis);
    EXPECT_EQ(studyAxis->put_Decimals(1), com::S_OK);
    SHORT index = 0;
    EXPECT_EQ(study->get_SeriesIndex(Variant::missing(), &index), com::S_OK);
    EXPECT_EQ(index, -1);  // not on a chart
    EXPECT_EQ(study->Recalculate(), com::S_OK);

    // The extension goes with the last object that views it.
    study = nullptr;
    studyAxis = nullptr;
    EXPECT_GT(com::moduleLocks(), locksBefore);
    output = nullptr;
    EXPECT_EQ(com::moduleLocks(), locksBefore);
}

}  // namespace
}  // namespace dravik

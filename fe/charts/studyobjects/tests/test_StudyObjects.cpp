#include <gtest/gtest.h>

#include "StudyTestOwner.h"
#include "dravik/SeriesInterfaces.h"
#include "dravik/StudyInterfaces.h"
#include "studyobjects/StudyObjectFactory.h"

namespace dravik {
namespace {

using com::SHORT;
using com::Variant;
using test::StudyTestOwner;

constexpr double E = kEmptyValue;
constexpr int kWeightedMA = 6;
constexpr int kMacd = 24;
constexpr int kUser0 = 38;
constexpr int kCustom1 = 49;

template <typename Interface>
com::ComPtr<Interface> studyObject(StudyTestOwner& owner, int study) {
    com::IUnknown* object = nullptr;
    EXPECT_EQ(CreateStudyObject(owner, study, &object), com::S_OK);
    // The factory hands out the typed interface pointer as it is.
    return com::ComPtr<Interface>::attach(reinterpret_cast<Interface*>(object));
}

struct StudyObjects : ::testing::Test {
    com::ComPtr<StudyTestOwner> owner = com::makeComObject<StudyTestOwner>();
    StudyRecord& record(int study) { return owner->records[static_cast<std::size_t>(study)]; }
    com::ComPtr<IIndex> index(int study) { return studyObject<IIndex>(*owner, study); }
    com::ComPtr<ICustomIndex> custom(int study) { return studyObject<ICustomIndex>(*owner, study); }
    std::vector<std::int16_t> weights(IIndex0& study) {
        SHORT periods = 0;
        study.get_Periods(&periods);
        std::vector<std::int16_t> read;
        for (SHORT day = 0; day < periods; ++day) {
            SHORT weight = 0;
            EXPECT_EQ(study.get_Weights(day, &weight), com::S_OK);
            read.push_back(weight);
        }
        return read;
    }
};

TEST_F(StudyObjects, InterfaceIdentitiesAndClasses) {
    EXPECT_EQ(IID_IIndex,
              (com::IID{0x87A5DAD0, 0x9ADA, 0x4EEF, {0xBC, 0x1B, 0xDD, 0x22, 0xBE, 0x24, 0xE4, 0xFA}}));
    EXPECT_EQ(IID_ICustomIndex,
              (com::IID{0x87A5DAD1, 0x9ADA, 0x4EEF, {0xBC, 0x1B, 0xDD, 0x22, 0xBE, 0x24, 0xE4, 0xFA}}));
    for (int study : {0, 37, 47}) {
        com::IUnknown* object = nullptr;
        ASSERT_EQ(CreateStudyObject(*owner, study, &object), com::S_OK);
        auto made = com::ComPtr<com::IUnknown>::attach(object);
        EXPECT_TRUE(made.as<IIndex>()) << study;
        EXPECT_FALSE(made.as<ICustomIndex>()) << study;
        EXPECT_EQ(record(study).inUse, 1) << study;
    }
    for (int study : {48, 57}) {
        com::IUnknown* object = nullptr;
        ASSERT_EQ(CreateStudyObject(*owner, study, &object), com::S_OK);
        auto made = com::ComPtr<com::IUnknown>::attach(object);
        EXPECT_TRUE(made.as<ICustomIndex>()) << study;
        EXPECT_FALSE(made.as<IIndex>()) << study;
    }
    com::IUnknown* object = reinterpret_cast<com::IUnknown*>(this);
    EXPECT_EQ(CreateStudyObject(*owner, 58, &object), com::E_INVALIDARG);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(CreateStudyObject(*owner, -1, &object), com::E_INVALIDARG);
    EXPECT_EQ(CreateStudyObject(*owner, 0, nullptr), com::E_POINTER);
    EXPECT_EQ(record(1).inUse, 0);  // only bound records are marked
}

TEST_F(StudyObjects, MacdSeriesIndexOfEachOutput) {
    auto macd = index(kMacd);
    SHORT series = 0;
    // Before the analytical chart shows, a built-in study has no series.
    EXPECT_EQ(macd->get_SeriesIndex(Variant::missing(), &series), com::S_OK);
    EXPECT_EQ(series, -1);
    EXPECT_TRUE(owner->log.empty());

    owner->active = true;
    // Asking adds the study to the table by showing it, and hides it again: it was not visible.
    ASSERT_EQ(macd->get_SeriesIndex(Variant::missing(), &series), com::S_OK);
    EXPECT_EQ(series, StudyTestOwner::kDataSeries + 1);  // the MACD line is the default output
    EXPECT_EQ(owner->log, (std::vector<std::string>{"show 24", "hide 24"}));
    const int expected[] = {StudyTestOwner::kDataSeries, StudyTestOwner::kDataSeries + 1,
                            StudyTestOwner::kDataSeries + 2};
    for (SHORT output = 0; output < 3; ++output) {
        EXPECT_EQ(macd->get_SeriesIndex(Variant(output), &series), com::S_OK);
        EXPECT_EQ(series, expected[output]) << output;
    }
    EXPECT_EQ(owner->log.size(), 2u);  // in the table now: nothing more is shown
    EXPECT_EQ(macd->get_SeriesIndex(Variant(SHORT{3}), &series), com::E_INVALIDARG);
    EXPECT_EQ(series, -1);
    EXPECT_EQ(macd->get_SeriesIndex(Variant(SHORT{-1}), &series), com::E_INVALIDARG);
    EXPECT_EQ(macd->get_SeriesIndex(Variant::utf8("two"), &series), com::E_INVALIDARG);
    com::VARIANT_BOOL visible = com::VARIANT_TRUE;
    macd->get_Visible(&visible);
    EXPECT_EQ(visible, com::VARIANT_FALSE);
}

TEST_F(StudyObjects, SeriesObjectsViewTheOutputsOfTheirStudy) {
    owner->active = true;
    auto macd = index(kMacd);
    SHORT series = 0;
    macd->get_SeriesIndex(Variant(SHORT{0}), &series);
    IIndexSeries* made = nullptr;
    ASSERT_EQ(macd->get_Series(Variant::missing(), &made), com::S_OK);
    auto line = com::ComPtr<IIndexSeries>::attach(made);
    ASSERT_EQ(line->put_Legend(com::Bstr(u"MACD line")), com::S_OK);
    EXPECT_EQ(owner->chart.legends[static_cast<SHORT>(StudyTestOwner::kDataSeries + 1)], "MACD line");
    EXPECT_STREQ(record(kMacd).series[1].legend.GetText(nullptr), "MACD line");
    // A study output's axis is its study's display axis.
    ASSERT_EQ(line->put_YAxis(2), com::S_OK);
    EXPECT_EQ(record(kMacd).usedAxis, 2);
    EXPECT_EQ(line->put_YAxis(3), com::E_INVALIDARG);

    ASSERT_EQ(macd->get_Series(Variant(SHORT{2}), &made), com::S_OK);
    auto histogram = com::ComPtr<IIndexSeries>::attach(made);
    histogram->put_Color(0x0000FF);
    EXPECT_EQ((owner->chart.attributes[{static_cast<SHORT>(StudyTestOwner::kDataSeries + 2), SAID_COLOR}]),
              0x0000FF);
    made = reinterpret_cast<IIndexSeries*>(this);
    EXPECT_EQ(macd->get_Series(Variant(SHORT{4}), &made), com::E_INVALIDARG);
    EXPECT_EQ(made, nullptr);
}

TEST_F(StudyObjects, UserStudiesNameTheSeriesTheClientWrites) {
    record(kUser0).subIndicators = 1;
    record(kUser0 + 1).subIndicators = 2;
    record(kUser0 + 2).subIndicators = 2;
    auto user2 = index(kUser0 + 2);
    SHORT series = 0;
    // Before the analytical chart shows: after the series of the user studies before it.
    ASSERT_EQ(user2->get_SeriesIndex(Variant::missing(), &series), com::S_OK);
    EXPECT_EQ(series, 10 + 3);
    ASSERT_EQ(user2->get_SeriesIndex(Variant(SHORT{1}), &series), com::S_OK);
    EXPECT_EQ(series, 10 + 4);
    EXPECT_EQ(user2->get_SeriesIndex(Variant(SHORT{2}), &series), com::E_INVALIDARG);
    EXPECT_EQ(series, -1);
    // A user study without outputs has no series to name.
    EXPECT_EQ(index(kUser0 + 5)->get_SeriesIndex(Variant::missing(), &series), com::E_INVALIDARG);

    // With the analytical chart, the series its table gives the study; the client writes there.
    owner->active = true;
    owner->setCloses({1, 2, 3});
    ASSERT_EQ(user2->get_SeriesIndex(Variant(SHORT{1}), &series), com::S_OK);
    EXPECT_EQ(series, StudyTestOwner::kDataSeries + 1);
    IIndexSeries* made = nullptr;
    ASSERT_EQ(user2->get_Series(Variant(SHORT{1}), &made), com::S_OK);
    auto output = com::ComPtr<IIndexSeries>::attach(made);
    output->put_MarkerSize(9);
    EXPECT_EQ(
        (owner->chart.attributes[{static_cast<SHORT>(StudyTestOwner::kDataSeries + 1), SAID_MARKERSIZE}]), 9);
}

TEST_F(StudyObjects, WeightsOfTheWeightedAverage) {
    auto wma = index(kWeightedMA);
    ASSERT_EQ(record(kWeightedMA).periods, 10);
    EXPECT_EQ(weights(*wma), (std::vector<std::int16_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    ASSERT_EQ(wma->put_Periods(3), com::S_OK);
    EXPECT_EQ(weights(*wma), (std::vector<std::int16_t>{1, 2, 3}));
    // Linear weights grow with the periods.
    ASSERT_EQ(wma->put_Periods(5), com::S_OK);
    EXPECT_EQ(weights(*wma), (std::vector<std::int16_t>{1, 2, 3, 4, 5}));
    // An explicit weight ends the linear weights: new days then weigh 1.
    ASSERT_EQ(wma->put_Periods(3), com::S_OK);
    ASSERT_EQ(wma->put_Weights(0, 7), com::S_OK);
    EXPECT_EQ(record(kWeightedMA).parameters.linearWeights, 0);
    EXPECT_EQ(record(kWeightedMA).recalcPending, 1);
    ASSERT_EQ(wma->put_Periods(5), com::S_OK);
    EXPECT_EQ(weights(*wma), (std::vector<std::int16_t>{7, 2, 3, 1, 1}));
    EXPECT_EQ(record(kWeightedMA).parameters.weights, (std::vector<std::int16_t>{7, 2, 3, 1, 1}));

    SHORT weight = 9;
    EXPECT_EQ(wma->get_Weights(5, &weight), com::E_INVALIDARG);
    EXPECT_EQ(weight, 0);
    EXPECT_EQ(wma->get_Weights(-1, &weight), com::E_INVALIDARG);
    EXPECT_EQ(wma->put_Weights(5, 4), com::E_INVALIDARG);
    EXPECT_EQ(wma->get_Weights(0, nullptr), com::E_POINTER);
    EXPECT_EQ(record(kWeightedMA).parameters.weights.size(), 5u);
    // The weights are their own: the double parameter does not touch them.
    ASSERT_EQ(wma->put_D(2.5), com::S_OK);
    EXPECT_EQ(weights(*wma), (std::vector<std::int16_t>{7, 2, 3, 1, 1}));
}

TEST_F(StudyObjects, ParametersAndTheirViews) {
    auto macd = index(kMacd);
    record(kMacd).recalcPending = 0;
    ASSERT_EQ(macd->put_SignalPeriod(8), com::S_OK);
    SHORT value = 0;
    macd->get_Percentage(&value);
    EXPECT_EQ(value, 8);
    macd->put_LongPeriod(30);
    macd->put_ShortPeriod(10);
    EXPECT_EQ(record(kMacd).parameters.signalPeriod(), 8);
    EXPECT_EQ(record(kMacd).parameters.longPeriod(), 30);
    EXPECT_EQ(record(kMacd).parameters.shortPeriod(), 10);
    EXPECT_EQ(record(kMacd).recalcPending, 1);
    macd->put_StartValue(1.5);
    double d = 0;
    macd->get_D(&d);
    EXPECT_EQ(d, 1.5);
    macd->put_WorkSeries(-3);
    macd->get_WorkSeries(&value);
    EXPECT_EQ(value, -3);
    // StartInZero counts only -1 as true.
    macd->put_StartInZero(1);
    EXPECT_EQ(record(kMacd).startInZero, 0);
    macd->put_StartInZero(com::VARIANT_TRUE);
    EXPECT_EQ(record(kMacd).startInZero, 1);
    macd->put_RememberAxisIndex(5);
    com::VARIANT_BOOL flag = 0;
    macd->get_RememberAxisIndex(&flag);
    EXPECT_EQ(flag, com::VARIANT_TRUE);
    EXPECT_EQ(macd->put_SubIndicators(5), com::E_INVALIDARG);
    EXPECT_EQ(record(kMacd).subIndicators, 3);
}

TEST_F(StudyObjects, NamesAndLayout) {
    auto rsi = index(25);
    com::Bstr name;
    ASSERT_EQ(rsi->get_Name(nullptr), com::E_INVALIDARG);
    ASSERT_EQ(rsi->put_Name(com::Bstr::fromUtf8("A name of far more than forty bytes in all")), com::S_OK);
    ASSERT_EQ(rsi->get_Name(&name), com::S_OK);
    EXPECT_EQ(name.toUtf8(), "A name of far more than forty bytes in ");  // 39 bytes kept
    EXPECT_EQ(owner->log, (std::vector<std::string>{"name 25"}));

    owner->log.clear();
    rsi->put_Space(-4);
    SHORT space = 1;
    rsi->get_Space(&space);
    EXPECT_EQ(space, 0);
    EXPECT_TRUE(owner->log.empty());  // no layout without the analytical chart
    owner->active = true;
    rsi->put_SpaceGap(6);
    EXPECT_EQ(record(25).spaceGap, 6);
    EXPECT_EQ(owner->log, (std::vector<std::string>{"layout 25"}));
}

TEST_F(StudyObjects, DisplayAxisAndPriceIndicatorMoveAShownStudy) {
    owner->active = true;
    auto rsi = index(25);
    EXPECT_EQ(rsi->put_DisplayAxisIndex(3), com::E_INVALIDARG);
    EXPECT_EQ(rsi->put_DisplayAxisIndex(-2), com::E_INVALIDARG);
    EXPECT_EQ(rsi->put_DisplayAxisIndex(-1), com::S_OK);  // the current value: nothing happens
    EXPECT_TRUE(owner->log.empty());
    // Hidden: only the axis changes.
    ASSERT_EQ(rsi->put_DisplayAxisIndex(1), com::S_OK);
    EXPECT_EQ(record(25).usedAxis, 1);
    EXPECT_TRUE(owner->log.empty());
    // Shown: hidden and shown again, so it moves.
    ASSERT_EQ(rsi->put_Visible(com::VARIANT_TRUE), com::S_OK);
    ASSERT_EQ(rsi->put_Visible(-5), com::S_OK);  // already shown
    ASSERT_EQ(rsi->put_DisplayAxisIndex(0), com::S_OK);
    EXPECT_EQ(owner->log, (std::vector<std::string>{"show 25", "hide 25", "show 25"}));
    EXPECT_EQ(record(25).usedAxis, 0);

    owner->log.clear();
    record(25).usedAxis = 3;
    ASSERT_EQ(rsi->put_PriceIndicator(-1), com::S_OK);
    EXPECT_EQ(record(25).priceIndicator, 1);
    EXPECT_EQ(record(25).usedAxis, -1);  // an axis other than a study axis is forgotten
    EXPECT_EQ(owner->log, (std::vector<std::string>{"hide 25", "show 25"}));
    ASSERT_EQ(rsi->put_PriceIndicator(1), com::S_OK);  // unchanged
    EXPECT_EQ(owner->log.size(), 2u);
    com::VARIANT_BOOL visible = 0;
    rsi->get_Visible(&visible);
    EXPECT_EQ(visible, com::VARIANT_TRUE);
}

TEST_F(StudyObjects, RecalculateComputesOnlyAPendingStudyOnTheChart) {
    owner->setCloses({2, 4, 6, 8, 10, 12});
    auto sma = index(3);
    record(3).recalcPending = 1;
    ASSERT_EQ(sma->Recalculate(), com::S_OK);  // no analytical chart
    EXPECT_EQ(record(3).recalcPending, 1);
    owner->active = true;
    ASSERT_EQ(sma->Recalculate(), com::S_OK);  // not in the table
    EXPECT_EQ(record(3).recalcPending, 1);
    EXPECT_TRUE(owner->log.empty());

    sma->put_Visible(com::VARIANT_TRUE);
    sma->put_Periods(3);
    ASSERT_EQ(sma->Recalculate(), com::S_OK);
    EXPECT_EQ(record(3).recalcPending, 0);
    EXPECT_EQ(owner->row(StudyTestOwner::kDataSeries), (std::vector<double>{E, E, 4, 6, 8, 10}));
    ASSERT_EQ(sma->Recalculate(), com::S_OK);  // nothing pending
    EXPECT_EQ(std::count(owner->log.begin(), owner->log.end(), "recalculate 3"), 1);
}

TEST_F(StudyObjects, SetUpAsRefusesVolumeAndNumbersOutsideTheBuiltInStudies) {
    auto customStudy = custom(kCustom1);
    const StudyRecord before = record(kCustom1);
    for (SHORT base : {SHORT{12}, SHORT{38}, SHORT{-1}, SHORT{58}, SHORT{57}}) {
        EXPECT_EQ(customStudy->SetUpAs(base, com::Bstr(u"Refused")), com::E_INVALIDARG) << base;
    }
    EXPECT_EQ(record(kCustom1).calcIndex, before.calcIndex);
    EXPECT_EQ(record(kCustom1).subIndicators, 0);
    EXPECT_TRUE(owner->log.empty());
    SHORT cloned = 0;
    ASSERT_EQ(customStudy->get_ClonedStudy(&cloned), com::S_OK);
    EXPECT_EQ(cloned, -1);
    for (SHORT base : {SHORT{0}, SHORT{11}, SHORT{13}, SHORT{37}}) {
        EXPECT_EQ(customStudy->SetUpAs(base, com::Bstr(u"Taken")), com::S_OK) << base;
        customStudy->get_ClonedStudy(&cloned);
        EXPECT_EQ(cloned, base);
    }
}

TEST_F(StudyObjects, SetUpAsCopiesTheBaseButKeepsTheCustomStudysOwnParts) {
    record(kMacd).series[0].legend.SetText("MACD base legend", nullptr);
    record(kMacd).series[0].color = {0x123456, 0};
    record(kMacd).usedAxis = 2;
    record(kCustom1).series[1].legend.SetText("Own signal", nullptr);
    record(kCustom1).series[1].setMask = SA_LEGEND;
    auto customStudy = custom(kCustom1);
    ASSERT_EQ(customStudy->SetUpAs(kMacd, com::Bstr(u"My MACD")), com::S_OK);
    const StudyRecord& copy = record(kCustom1);
    EXPECT_EQ(copy.calcIndex, kMacd);
    EXPECT_EQ(copy.subIndicators, 3);
    EXPECT_EQ(copy.defaultSeries, 1);
    EXPECT_EQ(copy.parameters, record(kMacd).parameters);
    EXPECT_EQ(copy.series[0].color[0], 0x123456);
    EXPECT_EQ(copy.usedAxis, 2);
    EXPECT_EQ(copy.visible, 0);
    EXPECT_STREQ(record(kCustom1).series[0].legend.GetText(nullptr), "");
    EXPECT_STREQ(record(kCustom1).series[1].legend.GetText(nullptr), "Own signal");
    EXPECT_STREQ(record(kCustom1).name.GetText(nullptr), "My MACD");
    EXPECT_STREQ(record(kMacd).name.GetText(nullptr), "");  // the base keeps its own name (an id)
    EXPECT_EQ(owner->log, (std::vector<std::string>{"name 49", "setup 49"}));
}

TEST_F(StudyObjects, CustomStudyComputesLikeItsBase) {
    owner->active = true;
    owner->setCloses({2, 4, 6, 8, 10, 12});
    auto customStudy = custom(kCustom1);
    ASSERT_EQ(customStudy->SetUpAs(0, com::Bstr(u"3 periods Simple M.A.")), com::S_OK);
    customStudy->put_Periods(3);
    customStudy->put_Visible(com::VARIANT_TRUE);
    ASSERT_EQ(customStudy->Recalculate(), com::S_OK);
    SHORT series = 0;
    customStudy->get_SeriesIndex(Variant::missing(), &series);
    EXPECT_EQ(owner->row(series), (std::vector<double>{E, E, 4, 6, 8, 10}));

    // A weighted average copies the base's weights into a table of its own.
    auto base = index(kWeightedMA);
    base->put_Periods(3);
    base->put_Weights(0, 3);  // 3, 2, 3
    auto weighted = custom(kCustom1 + 1);
    ASSERT_EQ(weighted->SetUpAs(kWeightedMA, com::Bstr(u"Weighted")), com::S_OK);
    EXPECT_EQ(weights(*weighted), (std::vector<std::int16_t>{3, 2, 3}));
    weighted->put_Weights(2, 1);  // 3, 2, 1
    EXPECT_EQ(weights(*base), (std::vector<std::int16_t>{3, 2, 3}));
    for (IIndex0* study : {static_cast<IIndex0*>(base.get()), static_cast<IIndex0*>(weighted.get())}) {
        study->put_Visible(com::VARIANT_TRUE);
        study->Recalculate();
    }
    SHORT baseSeries = 0;
    base->get_SeriesIndex(Variant::missing(), &baseSeries);
    weighted->get_SeriesIndex(Variant::missing(), &series);
    // (3 x 2 + 2 x 4 + 3 x 6) / 8 = 4 and on; (3 x 2 + 2 x 4 + 1 x 6) / 6 = 3.33 and on.
    EXPECT_EQ(owner->row(baseSeries), (std::vector<double>{E, E, 4, 6, 8, 10}));
    const std::vector<double> own = owner->row(series);
    const double expected[] = {E, E, 20.0 / 6, 32.0 / 6, 44.0 / 6, 56.0 / 6};
    for (std::size_t i = 0; i < own.size(); ++i)
        EXPECT_DOUBLE_EQ(own[i], expected[i]) << i;
}

TEST_F(StudyObjects, KeptObjectKeepsItsOwnerAlive) {
    bool destroyed = false;
    auto kept = com::makeComObject<StudyTestOwner>(&destroyed);
    com::IUnknown* object = nullptr;
    ASSERT_EQ(CreateStudyObject(*kept, kCustom1, &object), com::S_OK);
    auto study = com::ComPtr<ICustomIndex>::attach(reinterpret_cast<ICustomIndex*>(object));
    IIndexSeries* made = nullptr;
    study->SetUpAs(0, com::Bstr(u"Kept"));
    ASSERT_EQ(study->get_Series(Variant::missing(), &made), com::S_OK);
    auto series = com::ComPtr<IIndexSeries>::attach(made);
    kept = nullptr;
    EXPECT_FALSE(destroyed);
    study = nullptr;
    EXPECT_FALSE(destroyed);  // the series object holds the study object
    EXPECT_EQ(series->put_Legend(com::Bstr(u"Still there")), com::S_OK);
    series = nullptr;
    EXPECT_TRUE(destroyed);
}

}  // namespace
}  // namespace dravik

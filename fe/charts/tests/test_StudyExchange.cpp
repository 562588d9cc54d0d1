#include <algorithm>

#include <gtest/gtest.h>

#include "StateTestSupport.h"
#include "state/ExchangeKeys.h"
#include "state/StudyExchange.h"
#include "state/StudyTable.h"

namespace dravik {
namespace {

using test::Bytes;
using test::ByteWriter;

Bytes store(StudyRecord& record, int study, std::uint32_t version) {
    return test::storeWith([&](CPropertyArchive& archive) {
        return ExchangeStudy(record, archive, version, EXCHANGE_TOOLBAR, study);
    });
}

com::HRESULT load(const Bytes& bytes, StudyRecord& record, int study, std::uint32_t version) {
    return test::loadWith(bytes, [&](CPropertyArchive& archive) {
        return ExchangeStudy(record, archive, version, EXCHANGE_TOOLBAR, study);
    });
}

ByteWriter& legend(ByteWriter& writer, std::string_view text) {
    return writer.u32(SA_LEGEND).i16(40).fixed(text, 40);
}

TEST(StudyTable, PrefixesBitsAndAxisRecords) {
    EXPECT_EQ(StudyPrefix(0), "SimpleMA10.");
    EXPECT_EQ(StudyPrefix(31), "Williams_R.");
    EXPECT_EQ(StudyPrefix(37), "VolatilityChaikins.");
    EXPECT_EQ(StudyPrefix(38), "User(0).");
    EXPECT_EQ(StudyPrefix(47), "User(9).");
    EXPECT_EQ(StudyPrefix(48), "Custom(0).");
    EXPECT_EQ(StudyPrefix(58), "Error.");
    EXPECT_EQ(StudyPrefix(-1), "Error.");
    EXPECT_EQ(StudyAxisPrefix(24), "MACD.Axis.");

    const std::pair<int, std::uint32_t> bits[] = {
        {0, 0x5},   {6, 0xD},   {7, 0x7},  {12, 0},   {14, 0x104}, {19, 0xC0}, {21, 0x4}, {22, 0x24},
        {24, 0xE1}, {30, 0x25}, {34, 0x1}, {35, 0x5}, {36, 0xC0},  {37, 0x24}, {40, 0},   {55, 0}};
    for (const auto& [study, expected] : bits)
        EXPECT_EQ(StudyParameterBits(study, 19), expected) << study;
    EXPECT_EQ(StudyParameterBits(12, 18), 0x3u);
    EXPECT_EQ(StudyParameterBits(6, 18), 0xBu);

    EXPECT_EQ(StudyDefaultAxisRecord(0), 5u);
    EXPECT_EQ(StudyDefaultAxisRecord(11), 5u);
    EXPECT_EQ(StudyDefaultAxisRecord(12), 1u);
    EXPECT_EQ(StudyDefaultAxisRecord(13), 0u);
    EXPECT_EQ(StudyDefaultAxisRecord(17), 4u);
    EXPECT_EQ(StudyDefaultAxisRecord(37), 1u);
    EXPECT_EQ(StudyDefaultAxisRecord(50), 0u);
}

TEST(StudyTable, DefaultRecords) {
    const StudyRecord macd = MakeDefaultStudyRecord(24, nullptr);
    EXPECT_EQ(macd.subIndicators, 3);
    EXPECT_EQ(macd.defaultSeries, 1);
    EXPECT_EQ(macd.parameters.signalPeriod(), 9);
    EXPECT_EQ(macd.parameters.longPeriod(), 26);
    EXPECT_EQ(macd.parameters.shortPeriod(), 12);
    EXPECT_EQ(macd.name.GetStringId(), 172 + 24);
    CResourceText legend = macd.series[2].legend;
    EXPECT_STREQ(legend.GetText(nullptr), "Macd Signal");

    const StudyRecord bands = MakeDefaultStudyRecord(7, nullptr);
    EXPECT_EQ(bands.parameters.D(), 2.0);
    EXPECT_EQ(bands.periods, 10);
    EXPECT_EQ(bands.priceIndicator, 1);
    const StudyRecord volume = MakeDefaultStudyRecord(12, nullptr);
    EXPECT_EQ(volume.startInZero, 1);
    EXPECT_EQ(volume.priceIndicator, 0);
    const StudyRecord wma = MakeDefaultStudyRecord(WEIGHTED_MOVINGAVG, nullptr);
    EXPECT_EQ(wma.parameters.weights, (std::vector<std::int16_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(wma.parameters.linearWeights, 1);

    StudyRecord user = MakeDefaultStudyRecord(41, nullptr);
    EXPECT_STREQ(user.name.GetText(nullptr), "UserStudy 3");
    EXPECT_EQ(user.subIndicators, 0);
    EXPECT_EQ(user.workSeries, -1);
    EXPECT_EQ(user.space, 15);
    EXPECT_EQ(user.spaceGap, 3);
    EXPECT_EQ(user.calcIndex, 41);
}

TEST(StudyExchange, StudyNotInUseIsItsFlagAlone) {
    StudyRecord record = MakeDefaultStudyRecord(3, nullptr);
    EXPECT_EQ(store(record, 3, 33), ByteWriter().i16(0).bytes());
}

ByteWriter weightedAverageHead() {
    ByteWriter w;
    w.i16(1).i16(0).i16(1).i16(15).i16(3).i16(0).u8(1).u8(0).u8(0).u8(0).i16(6).i16(0);
    legend(w, "Weigted MA").i16(-1).i16(10);
    return w;
}

TEST(StudyExchange, WeightedAverageByteImages) {
    StudyRecord record = MakeDefaultStudyRecord(WEIGHTED_MOVINGAVG, nullptr);
    record.inUse = 1;
    // Default weights: nothing at 33, the flag alone at 34.
    EXPECT_EQ(store(record, WEIGHTED_MOVINGAVG, 33), weightedAverageHead().bytes());
    EXPECT_EQ(store(record, WEIGHTED_MOVINGAVG, 34), weightedAverageHead().u8(1).bytes());

    record.parameters.linearWeights = 0;
    record.parameters.weights = {5, 4, 3, 2, 1, 1, 1, 1, 1, 9};
    ByteWriter custom = weightedAverageHead();
    custom.u8(0);
    for (std::int16_t weight : record.parameters.weights)
        custom.i16(weight);
    const Bytes saved = store(record, WEIGHTED_MOVINGAVG, 34);
    EXPECT_EQ(saved, custom.bytes());

    StudyRecord loaded = MakeDefaultStudyRecord(WEIGHTED_MOVINGAVG, nullptr);
    ASSERT_EQ(load(saved, loaded, WEIGHTED_MOVINGAVG, 34), com::S_OK);
    EXPECT_EQ(loaded.parameters.linearWeights, 0);
    EXPECT_EQ(loaded.parameters.weights, record.parameters.weights);
    EXPECT_EQ(loaded.recalcPending, 1);
    EXPECT_EQ(store(loaded, WEIGHTED_MOVINGAVG, 34), saved);
}

TEST(StudyExchange, Version33LoadsWeightsByTheLoadingRecordsFlag) {
    StudyRecord record = MakeDefaultStudyRecord(WEIGHTED_MOVINGAVG, nullptr);
    record.inUse = 1;
    record.periods = 4;
    record.parameters.weights = {9, 9, 9, 9};
    StudyRecord loaded = MakeDefaultStudyRecord(WEIGHTED_MOVINGAVG, nullptr);
    ASSERT_EQ(load(store(record, WEIGHTED_MOVINGAVG, 33), loaded, WEIGHTED_MOVINGAVG, 33), com::S_OK);
    EXPECT_EQ(loaded.periods, 4);
    EXPECT_EQ(loaded.parameters.weights, (std::vector<std::int16_t>{1, 2, 3, 4}));
}

TEST(StudyExchange, MacdByteImageAtVersion33) {
    StudyRecord record = MakeDefaultStudyRecord(24, nullptr);
    record.inUse = 1;
    record.visible = 1;
    record.labelAxis = 1;
    record.rememberAxisIndex = 1;
    ByteWriter expected;
    expected.i16(1).i16(0).i16(3).i16(15).i16(3).i16(1).u8(0).u8(0).u8(1).u8(1).i16(24).i16(1);
    legend(expected, "Macd Divergence");
    legend(expected, "Macd");
    legend(expected, "Macd Signal");
    expected.i16(-1).i16(9).i16(26).i16(12);
    const Bytes saved = store(record, 24, 33);
    EXPECT_EQ(saved, expected.bytes());

    // Versions 31 and 32 carry "PixelsSpaceGap" after "SpaceGap"; it is read and dropped.
    StudyRecord v31 = MakeDefaultStudyRecord(24, nullptr);
    ASSERT_EQ(load(store(record, 24, 31), v31, 24, 31), com::S_OK);
    EXPECT_EQ(v31.parameters.longPeriod(), 26);
    EXPECT_EQ(v31.labelAxis, 1);
    EXPECT_EQ(v31.rememberAxisIndex, 0);
}

TEST(StudyExchange, ACustomStudyKeepsItsBasesParametersFromVersion34) {
    // CUSTOM1 set up as a 20-period simple average of the closes.
    StudyRecord record = MakeDefaultStudyRecord(49, nullptr);
    record.inUse = 1;
    record.calcIndex = 3;
    record.periods = 20;
    record.workSeries = 2;
    const Bytes v33 = store(record, 49, 33);
    const Bytes v34 = store(record, 49, 34);
    // Version 34 adds the simple average's "WorkSeries" and "Periods" after the rest.
    ASSERT_EQ(v34.size(), v33.size() + 4);
    EXPECT_TRUE(std::equal(v33.begin(), v33.end(), v34.begin()));
    EXPECT_EQ(Bytes(v34.end() - 4, v34.end()), (Bytes{0x02, 0x00, 0x14, 0x00}));

    StudyRecord loaded = MakeDefaultStudyRecord(49, nullptr);
    ASSERT_EQ(load(v34, loaded, 49, 34), com::S_OK);
    EXPECT_EQ(loaded.calcIndex, 3);
    EXPECT_EQ(loaded.periods, 20);
    EXPECT_EQ(loaded.workSeries, 2);
    // A version-33 save of it still loads as it always did.
    StudyRecord older = MakeDefaultStudyRecord(49, nullptr);
    ASSERT_EQ(load(v33, older, 49, 33), com::S_OK);
    EXPECT_EQ(older.calcIndex, 3);
}

TEST(StudyExchange, Version18Layout) {
    StudyRecord record = MakeDefaultStudyRecord(7, nullptr);
    record.inUse = 1;
    record.workSeries = -2;
    record.parameters.setD(2.5);
    record.series[1].setMask = 0;
    ByteWriter expected;
    expected.i16(1).i16(0).i16(2).i16(15).i16(3).i16(0).u8(1).u8(0).i16(10).u8(0).i16(7);
    expected.i16(2).i16(0);
    legend(expected, "Upper Band");
    expected.i16(0).u32(0);
    expected.i16(-2).f64(2.5);
    EXPECT_EQ(store(record, 7, 18), expected.bytes());

    StudyRecord loaded = MakeDefaultStudyRecord(7, nullptr);
    ASSERT_EQ(load(expected.bytes(), loaded, 7, 18), com::S_OK);
    EXPECT_EQ(loaded.workSeries, -2);
    EXPECT_EQ(loaded.parameters.D(), 2.5);
    EXPECT_EQ(loaded.series[1].setMask, 0u);
}

TEST(StudyExchange, OutputCountsOutsideTheRecordFail) {
    StudyRecord record = MakeDefaultStudyRecord(24, nullptr);
    const Bytes fiveOutputs = ByteWriter()
                                  .i16(1)
                                  .i16(0)
                                  .i16(5)
                                  .i16(15)
                                  .i16(3)
                                  .i16(0)
                                  .u8(0)
                                  .u8(0)
                                  .u8(0)
                                  .u8(0)
                                  .i16(24)
                                  .i16(0)
                                  .bytes();
    EXPECT_EQ(load(fiveOutputs, record, 24, 33), kDamagedState);
    const Bytes fiveOld = ByteWriter()
                              .i16(1)
                              .i16(0)
                              .i16(1)
                              .i16(15)
                              .i16(3)
                              .i16(0)
                              .u8(0)
                              .u8(0)
                              .i16(0)
                              .u8(0)
                              .i16(24)
                              .i16(5)
                              .bytes();
    EXPECT_EQ(load(fiveOld, record, 24, 18), kDamagedState);
}

TEST(StudyExchange, IndicesOutsideTheirTablesFail) {
    StudyRecord record = MakeDefaultStudyRecord(24, nullptr);
    record.inUse = 1;
    Bytes saved = store(record, 24, 33);
    // "_CalcIndex" and "_DefaultSeries" are the two shorts after the four flag bytes.
    const std::size_t calcAt = 2 * 6 + 4;
    ASSERT_EQ(saved[calcAt], 24);
    ASSERT_EQ(saved[calcAt + 2], 1);
    Bytes badCalc = saved;
    badCalc[calcAt] = 58;
    StudyRecord loaded = MakeDefaultStudyRecord(24, nullptr);
    EXPECT_EQ(load(badCalc, loaded, 24, 33), kDamagedState);
    Bytes badOutput = saved;
    badOutput[calcAt + 2] = 4;
    EXPECT_EQ(load(badOutput, loaded, 24, 33), kDamagedState);
    Bytes unsetCustom = saved;
    unsetCustom[calcAt] = 0xFF;
    unsetCustom[calcAt + 1] = 0xFF;
    EXPECT_EQ(load(unsetCustom, loaded, 24, 33), com::S_OK);
    EXPECT_EQ(loaded.calcIndex, -1);
}

TEST(StudyExchange, TruncatedSavesFail) {
    StudyRecord record = MakeDefaultStudyRecord(WEIGHTED_MOVINGAVG, nullptr);
    record.inUse = 1;
    record.parameters.linearWeights = 0;
    test::expectEveryTruncationFails(
        store(record, WEIGHTED_MOVINGAVG, 34),
        [](CPropertyArchive& archive) {
            StudyRecord target = MakeDefaultStudyRecord(WEIGHTED_MOVINGAVG, nullptr);
            return ExchangeStudy(target, archive, 34, EXCHANGE_TOOLBAR, WEIGHTED_MOVINGAVG);
        },
        [] { return true; });
}

}  // namespace
}  // namespace dravik

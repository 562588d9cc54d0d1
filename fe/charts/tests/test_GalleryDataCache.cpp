#include <gtest/gtest.h>

#include "StateTestSupport.h"
#include "state/ExchangeKeys.h"
#include "state/GalleryDataCache.h"

namespace dravik {
namespace {

using test::Bytes;
using test::ByteWriter;

Bytes store(GalleryDataCache& cache, std::uint32_t version) {
    return test::storeWith([&](CPropertyArchive& archive) {
        return ExchangeChartInfo(cache, archive, version, EXCHANGE_TOOLBAR);
    });
}

com::HRESULT load(const Bytes& bytes, GalleryDataCache& cache, std::uint32_t version) {
    return test::loadWith(bytes, [&](CPropertyArchive& archive) {
        return ExchangeChartInfo(cache, archive, version, EXCHANGE_TOOLBAR);
    });
}

GalleryDataCache sampleCache() {
    GalleryDataCache cache;
    cache.persistData = 1;
    cache.Allocate(2, 50);
    cache.multipleColors = 1;
    cache.borderColors = 0x11;
    cache.border = 0;
    cache.colorCount = 16;
    cache.allowDrag = 0;
    cache.threeD = 1;
    cache.chartType = 2;
    cache.chartStyle = 0x10000;
    cache.borderStyle = 3;
    cache.propPageMask = 0xFF;
    for (std::size_t i = 0; i < kSnapshotAxisCount; ++i) {
        AxisSnapshot& axis = cache.axes[i];
        const double base = static_cast<double>(i) * 10;
        axis.min = base + 1;
        axis.max = base + 2;
        axis.step = base + 3;
        axis.minorStep = base + 4;
        axis.logBase = 10;
        axis.scaleUnit = base + 6;
        axis.decimals = 2;
        axis.pixPerUnit = base + 8;
        axis.labelValue = base + 9;
        axis.style = static_cast<std::int32_t>(i);
        axis.visible = i % 2 == 0 ? 1 : 0;
        axis.locale = 1025;
        com::copyToFixed("kr", axis.currency);
    }
    cache.series[0] = {1, 0, 2, 1, 1};
    cache.series[1] = {0, 1, 3, 0, 1};
    cache.printForceColors = 1;
    return cache;
}

TEST(GalleryDataCache, ByteImageAtVersion33) {
    GalleryDataCache cache = sampleCache();
    ByteWriter expected;
    expected.i16(1).i32(2).i32(50).u8(1).u32(0x11).u8(0).i32(16).u8(0).u8(1).i32(2).i32(0x10000).i32(3).i32(
        0xFF);
    expected.i16(7);
    for (int i = 0; i < 7; ++i) {
        const double base = i * 10;
        expected.f64(base + 1).f64(base + 2).f64(base + 3).f64(base + 4).f64(10).f64(base + 6).f64(2);
        expected.f64(base + 8).f64(base + 9).i32(i).u8(i % 2 == 0 ? 1 : 0).u32(1025).fixed("kr", 6);
    }
    expected.i16(1).i16(0).i16(2).u8(1).u8(1);
    expected.i16(0).i16(1).i16(3).u8(0).u8(1);
    expected.u8(1);
    const Bytes saved = store(cache, 33);
    EXPECT_EQ(saved, expected.bytes());

    GalleryDataCache loaded;
    ASSERT_EQ(load(saved, loaded, 33), com::S_OK);
    EXPECT_TRUE(loaded == cache);
    EXPECT_EQ(store(loaded, 33), saved);
}

TEST(GalleryDataCache, NotPersistedSavesOnlyTheFlag) {
    GalleryDataCache cache = sampleCache();
    cache.persistData = 0;
    EXPECT_EQ(store(cache, 33), ByteWriter().i16(0).bytes());
    GalleryDataCache loaded = sampleCache();
    std::uint64_t consumed = 0;
    ASSERT_EQ(test::loadWith(
                  ByteWriter().i16(0).i32(99).bytes(),
                  [&](CPropertyArchive& a) { return ExchangeChartInfo(loaded, a, 33, EXCHANGE_TOOLBAR); },
                  &consumed),
              com::S_OK);
    EXPECT_EQ(consumed, 2u);
    EXPECT_EQ(loaded.SeriesCount(), 2);
}

TEST(GalleryDataCache, OlderSavesZeroLogBaseAndLackLocaleAndPrintColours) {
    GalleryDataCache cache = sampleCache();
    GalleryDataCache v30;
    ASSERT_EQ(load(store(cache, 30), v30, 30), com::S_OK);
    EXPECT_EQ(v30.axes[0].logBase, 0.0);
    EXPECT_EQ(v30.axes[0].scaleUnit, 6.0);
    EXPECT_EQ(v30.axes[3].scaleUnit, 36.0);
    GalleryDataCache v31;
    ASSERT_EQ(load(store(cache, 31), v31, 31), com::S_OK);
    EXPECT_EQ(v31.axes[0].logBase, 10.0);

    GalleryDataCache v16;
    v16.printForceColors = 1;
    v16.axes[2].locale = 5;
    const Bytes old = store(cache, 16);
    ASSERT_EQ(load(old, v16, 16), com::S_OK);
    EXPECT_EQ(v16.printForceColors, 0);
    EXPECT_EQ(v16.axes[2].locale, 1024u);
    EXPECT_EQ(v16.axes[2].currencyText(), "");
    // Each axis of version 22 and older: 9 doubles, style and visible.
    EXPECT_EQ(old.size(), 2u + 8u + 1 + 4 + 1 + 4 + 1 + 1 + 16 + 2 + 7 * (72 + 4 + 1) + 2 * 8);
}

TEST(GalleryDataCache, CountsOutsideTheirArraysFail) {
    const Bytes badSeries = ByteWriter().i16(1).i32(-1).i32(0).bytes();
    GalleryDataCache cache;
    EXPECT_EQ(load(badSeries, cache, 33), kDamagedState);
    // More series than the rest of the stream can hold.
    EXPECT_EQ(load(ByteWriter().i16(1).i32(100000).i32(5).bytes(), cache, 33), kDamagedState);
    EXPECT_EQ(cache.SeriesCount(), 0);

    GalleryDataCache sample = sampleCache();
    Bytes eightAxes = store(sample, 33);
    const std::size_t axisCountAt = 2 + 8 + 1 + 4 + 1 + 4 + 1 + 1 + 16;
    eightAxes[axisCountAt] = 8;
    EXPECT_EQ(load(eightAxes, cache, 33), kDamagedState);
}

TEST(GalleryDataCache, TruncatedSavesFail) {
    GalleryDataCache cache = sampleCache();
    test::expectEveryTruncationFails(
        store(cache, 33),
        [](CPropertyArchive& archive) {
            GalleryDataCache target;
            return ExchangeChartInfo(target, archive, 33, EXCHANGE_TOOLBAR);
        },
        [] { return true; });
}

TEST(GalleryDataCache, ResetAllocateFree) {
    GalleryDataCache cache;
    cache.persistData = 1;
    cache.Allocate(3, 10);
    EXPECT_EQ(cache.SeriesCount(), 3);
    EXPECT_EQ(cache.pointCount, 10);
    cache.Free();
    EXPECT_EQ(cache.SeriesCount(), 0);
    EXPECT_EQ(cache.persistData, 1);
    cache.Reset();
    EXPECT_EQ(cache.persistData, 0);
}

}  // namespace
}  // namespace dravik

#include <gtest/gtest.h>

#include "StateTestSupport.h"
#include "format/DefaultRecords.h"
#include "state/ExchangeKeys.h"
#include "state/ExtensionSettings.h"
#include "state/SeriesBinding.h"

namespace dravik {
namespace {

using test::Bytes;
using test::ByteWriter;

ExtensionSettings defaults() {
    ExtensionSettings settings;
    settings.SetDefaults(nullptr);
    return settings;
}

Bytes store(ExtensionSettings& settings, std::uint32_t version, std::uint32_t flags = EXCHANGE_TOOLBAR) {
    return test::storeWith(
        [&](CPropertyArchive& archive) { return settings.Exchange(archive, version, flags); });
}

com::HRESULT load(const Bytes& bytes, ExtensionSettings& settings, std::uint32_t version) {
    return test::loadWith(bytes, [&](CPropertyArchive& archive) {
        return settings.Exchange(archive, version, EXCHANGE_TOOLBAR);
    });
}

// The date-label formats as the defaults save them: a code each, the seven custom ones with their
// 32-byte pictures.
void defaultDateFormats(ByteWriter& w, std::size_t count) {
    const char* pictures[] = {"yyyy", "#S#K yy", "#S#K", "#Q#K yy", "#Q#K", "MMM yy", "MMM"};
    const std::int32_t plainCodes[] = {5, 5, 7, 5, 5, 7};
    for (std::size_t i = 0; i < count; ++i) {
        if (i < 7)
            w.i32(0x8005).fixed(pictures[i], 32);
        else
            w.i32(plainCodes[i - 7]);
    }
}

TEST(ExtensionSettings, DefaultsAsTheBlockStarts) {
    ExtensionSettings settings = defaults();
    EXPECT_EQ(settings.dateLine, 1);
    EXPECT_EQ(settings.dateInfo, 1);
    EXPECT_EQ(settings.options, 1u);
    EXPECT_EQ(settings.propPageMask, 895u);
    EXPECT_EQ(settings.fullTechnicalStudyAxis, 2);
    EXPECT_EQ(settings.buyMask.GetStringId(), 541);
    EXPECT_EQ(settings.sellMask.GetStringId(), 542);
    EXPECT_EQ(settings.buyMask.GetSize(), 40);
    EXPECT_EQ(settings.currentDataUnit, 5);
    EXPECT_EQ(settings.dateScale.GetLevel(), 5);
    EXPECT_EQ(settings.breakInQuarter, 1);
    EXPECT_TRUE(settings.priceAxis == DefaultAxisRecord(kPriceAxisDefault));
    EXPECT_TRUE(settings.dateAxis == DefaultAxisRecord(kDateAxisDefault));
    EXPECT_EQ(settings.dateFormats[FI_FIRSTMONTH].pictureText(), "MMM yy");
    EXPECT_EQ(settings.dateStep, -1);
    EXPECT_EQ(settings.dateStepEvery, 1);
    EXPECT_EQ(settings.cursors[3], ui::loadSystemCursor(ui::IDC_ARROW));
    EXPECT_EQ(settings.cursors[5], ui::loadSystemCursor(ui::IDC_SIZEALL));
}

Bytes defaultImageAt33() {
    ByteWriter w;
    w.u8(1).u8(1).u8(0).u8(1).u32(1).u32(895).i16(2).u8(0);
    w.u8(0).i16(-1).i16(-1).i16(1).i16(1);
    w.u32(0x40).i32(1);  // date axis: its format
    defaultDateFormats(w, 13);
    w.u32(0x40).i32(2);  // price axis: its format
    w.i16(0).i16(0);     // buy and sell masks are string ids
    w.i16(0);            // no chart snapshot
    w.i16(0);            // hidden outputs
    w.i32(5);            // data unit
    return w.bytes();
}

TEST(ExtensionSettings, ByteImageAtVersion33AndSecondSaveIdentical) {
    ExtensionSettings settings = defaults();
    const Bytes saved = store(settings, 33);
    EXPECT_EQ(saved, defaultImageAt33());

    ExtensionSettings loaded = defaults();
    ASSERT_EQ(load(saved, loaded, 33), com::S_OK);
    EXPECT_EQ(store(loaded, 33), saved);
}

TEST(ExtensionSettings, EveryFieldSurvivesARoundTrip) {
    ExtensionSettings settings = defaults();
    settings.dateLine = 0;
    settings.dateInfo = 0;
    settings.options = 0x4801;
    settings.propPageMask = 64;
    settings.fullTechnicalStudyAxis = 0;
    settings.top2BottomStudyAxis = 1;
    settings.buyMask.SetText("Buy %s", nullptr);
    settings.sellMask.SetText("Sell %s", nullptr);
    settings.chartSnapshot.persistData = 1;
    settings.chartSnapshot.Allocate(1, 20);
    settings.chartSnapshot.series[0].volume = 3;
    settings.breakInSemester = 1;
    settings.breakInQuarter = 0;
    settings.zoomRescale = 1;
    settings.priceAxis.usedFields |= AUF_MAX;
    settings.priceAxis.max = 250;
    settings.dateAxis.usedFields |= AUF_TITLECOLOR;
    settings.dateAxis.titleColor = 0xFF;
    settings.dateFormatCodes[FI_WEEK] = FC_PICTURE | FC_DATE;
    settings.dateFormats[FI_WEEK].setPicture("dd/MM");
    settings.dateStep = 3;
    settings.dateMinorStep = 4;
    settings.dateStepEvery = 2;
    settings.dateMinorStepEvery = 5;
    settings.hideOutput = 6;
    settings.dateScale.SetLevel(2);
    const Bytes saved = store(settings, kFormatVersion);

    ExtensionSettings loaded = defaults();
    ASSERT_EQ(load(saved, loaded, kFormatVersion), com::S_OK);
    EXPECT_EQ(loaded.dateLine, 0);
    EXPECT_EQ(loaded.dateInfo, 0);
    EXPECT_EQ(loaded.options, 0x4801u);
    EXPECT_EQ(loaded.propPageMask, 64u);
    EXPECT_EQ(loaded.fullTechnicalStudyAxis, 0);
    EXPECT_EQ(loaded.top2BottomStudyAxis, 1);
    EXPECT_STREQ(loaded.buyMask.GetText(nullptr), "Buy %s");
    EXPECT_STREQ(loaded.sellMask.GetText(nullptr), "Sell %s");
    EXPECT_EQ(loaded.chartSnapshot.SeriesCount(), 1);
    EXPECT_EQ(loaded.chartSnapshot.series[0].volume, 3);
    EXPECT_EQ(loaded.breakInSemester, 1);
    EXPECT_EQ(loaded.breakInQuarter, 0);
    EXPECT_EQ(loaded.zoomRescale, 1);
    EXPECT_EQ(loaded.priceAxis.max, 250.0);
    EXPECT_EQ(loaded.dateAxis.titleColor, 0xFFu);
    EXPECT_EQ(loaded.dateFormatCodes[FI_WEEK], 0x8005);
    EXPECT_EQ(loaded.dateFormats[FI_WEEK].pictureText(), "dd/MM");
    EXPECT_EQ(loaded.dateStep, 3);
    EXPECT_EQ(loaded.dateMinorStep, 4);
    EXPECT_EQ(loaded.dateStepEvery, 2);
    EXPECT_EQ(loaded.dateMinorStepEvery, 5);
    EXPECT_EQ(loaded.hideOutput, 6);
    EXPECT_EQ(loaded.currentDataUnit, 2);
    EXPECT_EQ(loaded.dateScale.GetLevel(), 2);
    EXPECT_EQ(store(loaded, kFormatVersion), saved);
}

TEST(ExtensionSettings, Version17KeepsOptionsAndFormats) {
    ExtensionSettings settings = defaults();
    settings.options = 9;
    settings.dateFormatCodes[FI_YEAR] = 1;
    const Bytes v17 = store(settings, 17);
    ExtensionSettings loaded = defaults();
    ASSERT_EQ(load(v17, loaded, 17), com::S_OK);
    EXPECT_EQ(loaded.options, 1u);
    EXPECT_EQ(loaded.propPageMask, 895u);
    EXPECT_EQ(loaded.dateFormatCodes[FI_YEAR], 0x8005);
}

TEST(ExtensionSettings, Version20ResetsZoomAndDateSteps) {
    ExtensionSettings settings = defaults();
    const Bytes v20 = store(settings, 20);
    ExtensionSettings loaded = defaults();
    loaded.zoomRescale = 1;
    loaded.dateStep = 2;
    loaded.dateMinorStep = 2;
    loaded.dateStepEvery = 7;
    loaded.dateMinorStepEvery = 7;
    ASSERT_EQ(load(v20, loaded, 20), com::S_OK);
    EXPECT_EQ(loaded.zoomRescale, 0);
    EXPECT_EQ(loaded.dateStep, -1);
    EXPECT_EQ(loaded.dateMinorStep, -1);
    EXPECT_EQ(loaded.dateStepEvery, 1);
    EXPECT_EQ(loaded.dateMinorStepEvery, 1);
}

TEST(ExtensionSettings, Version28CarriesTenDateFormats) {
    ExtensionSettings settings = defaults();
    for (FormatCode& code : settings.dateFormatCodes)
        code = FC_TIME;
    // Storing always writes 13 entries; a version-28 reader takes 10.
    ByteWriter w;
    w.u8(1).u8(1).u8(0).u8(1).u32(1).u32(895).i16(2).u8(0).i16(-1).i16(-1).i16(1).i16(1);
    w.u32(0x40).i32(1);
    for (int i = 0; i < 10; ++i)
        w.i32(FC_TIME);
    w.u32(0x40).i32(2).i16(0).i16(0).i16(0).i16(0).i32(5);
    ExtensionSettings loaded = defaults();
    std::uint64_t consumed = 0;
    ASSERT_EQ(test::loadWith(
                  w.bytes(), [&](CPropertyArchive& a) { return loaded.Exchange(a, 28, EXCHANGE_TOOLBAR); },
                  &consumed),
              com::S_OK);
    EXPECT_EQ(consumed, w.bytes().size());
    EXPECT_EQ(loaded.dateFormatCodes[9], FC_TIME);
    EXPECT_EQ(loaded.dateFormatCodes[10], FC_DATE);
    EXPECT_EQ(loaded.dateFormatCodes[12], FC_TIME);  // its default
    EXPECT_EQ(loaded.dateFormats[FI_YEAR].pictureText(), "yyyy");
}

TEST(ExtensionSettings, DataUnitOutsideTheDateLevelsFails) {
    Bytes saved = defaultImageAt33();
    saved[saved.size() - 4] = 6;
    ExtensionSettings loaded = defaults();
    loaded.dateLine = 0;
    EXPECT_EQ(load(saved, loaded, 33), kDamagedState);
    EXPECT_EQ(loaded.dateLine, 0);
    saved[saved.size() - 4] = 0;
    ASSERT_EQ(load(saved, loaded, 33), com::S_OK);
    EXPECT_EQ(loaded.currentDataUnit, 0);
    EXPECT_EQ(loaded.dateScale.GetLevel(), 0);
}

TEST(ExtensionSettings, HiddenOutputsAreNotClearedByAZero) {
    ExtensionSettings settings = defaults();
    const Bytes saved = store(settings, 33);
    ExtensionSettings loaded = defaults();
    loaded.hideOutput = 4;
    ASSERT_EQ(load(saved, loaded, 33), com::S_OK);
    EXPECT_EQ(loaded.hideOutput, 4);
}

// A version-14 save, written out by hand: booleans as shorts, every grid entry, no formats and none of
// the later entries.
Bytes version14Stream() {
    ByteWriter w;
    w.i16(1).i16(0).i16(1).i16(0);  // DateLine, DateInfo, BreakInSemester, BreakInQuarter
    w.u32(AUF_DECIMALS).i16(4);     // date axis: decimals
    w.i16(1).i16(2).u32(0x0000FF).i16(0).i16(0).u32(0);  // its grid lines
    w.u32(0);                                            // price axis: nothing used
    w.i16(0).i16(0).u32(0).i16(3).i16(1).u32(0x808080);
    w.i16(0);                    // buy mask: string id
    w.i16(8).fixed("Sell!", 8);  // sell mask: own text
    w.i16(1).i32(1).i32(3);      // snapshot: one series of three points
    w.i16(1).u32(7).i16(0).i32(2).i16(0).i16(1).i32(1).i32(2).i32(3).i32(4);
    w.i16(7);
    for (int axis = 0; axis < 7; ++axis) {
        for (int i = 0; i < 9; ++i)
            w.f64(axis + i * 0.5);
        w.i32(axis).i16(axis == 1 ? 1 : 0);
    }
    w.i16(4).i16(1).i16(2).i16(1).i16(0);  // the series
    return w.bytes();
}

TEST(ExtensionSettings, Version14StreamLoadsAndSavesAsTheCurrentVersion) {
    ExtensionSettings loaded = defaults();
    loaded.dateStep = 4;
    const Bytes old = version14Stream();
    std::uint64_t consumed = 0;
    ASSERT_EQ(
        test::loadWith(
            old, [&](CPropertyArchive& a) { return loaded.Exchange(a, 14, EXCHANGE_TOOLBAR); }, &consumed),
        com::S_OK);
    EXPECT_EQ(consumed, old.size());
    EXPECT_EQ(loaded.dateLine, 1);
    EXPECT_EQ(loaded.dateInfo, 0);
    EXPECT_EQ(loaded.breakInSemester, 1);
    EXPECT_EQ(loaded.breakInQuarter, 0);
    EXPECT_EQ(loaded.dateStep, -1);
    EXPECT_EQ(loaded.dateAxis.decimals, 4);
    EXPECT_EQ(loaded.dateAxis.gridWidth, 1);
    EXPECT_EQ(loaded.dateAxis.gridColor, 0xFFu);
    EXPECT_EQ(loaded.priceAxis.minorGridColor, 0x808080u);
    EXPECT_STREQ(loaded.sellMask.GetText(nullptr), "Sell!");
    EXPECT_EQ(loaded.chartSnapshot.multipleColors, 1);
    EXPECT_EQ(loaded.chartSnapshot.allowDrag, 0);
    EXPECT_EQ(loaded.chartSnapshot.threeD, 1);
    EXPECT_EQ(loaded.chartSnapshot.propPageMask, 4);
    EXPECT_EQ(loaded.chartSnapshot.axes[1].visible, 1);
    EXPECT_EQ(loaded.chartSnapshot.axes[2].logBase, 0.0);
    EXPECT_EQ(loaded.chartSnapshot.axes[2].scaleUnit, 2 + 5 * 0.5);
    EXPECT_EQ(loaded.chartSnapshot.axes[6].locale, 1024u);
    EXPECT_EQ(loaded.chartSnapshot.series[0].volume, 4);
    EXPECT_EQ(loaded.chartSnapshot.series[0].border, 1);
    EXPECT_EQ(loaded.options, 1u);
    EXPECT_EQ(loaded.currentDataUnit, 5);

    // Saved again: byte booleans, the current layout.
    const Bytes again = store(loaded, kFormatVersion);
    EXPECT_EQ(Bytes(again.begin(), again.begin() + 4), (Bytes{1, 0, 1, 0}));
    ExtensionSettings reloaded = defaults();
    ASSERT_EQ(load(again, reloaded, kFormatVersion), com::S_OK);
    EXPECT_EQ(store(reloaded, kFormatVersion), again);
}

TEST(ExtensionSettings, TruncatedSavesFailAndChangeNothing) {
    ExtensionSettings settings = defaults();
    settings.chartSnapshot.persistData = 1;
    settings.chartSnapshot.Allocate(2, 5);
    settings.sellMask.SetText("Sell", nullptr);
    const Bytes saved = store(settings, 33);
    ExtensionSettings target = defaults();
    const Bytes before = store(target, 33);
    test::expectEveryTruncationFails(
        saved, [&](CPropertyArchive& archive) { return target.Exchange(archive, 33, EXCHANGE_TOOLBAR); },
        [&] { return store(target, 33) == before; });
}

TEST(SeriesBinding, SevenShortsWhateverTheVersion) {
    SeriesBinding binding{1, 2, 0, 3, 4, 2, 5};
    const Bytes expected = ByteWriter().i16(1).i16(2).i16(0).i16(3).i16(4).i16(2).i16(5).bytes();
    EXPECT_EQ(test::storeWith([&](CPropertyArchive& a) { return ExchangeSeriesBinding(binding, a, 33, 1); }),
              expected);
    EXPECT_EQ(expected.size(), kSeriesBindingSavedSize);
    SeriesBinding loaded;
    ASSERT_EQ(test::loadWith(expected,
                             [&](CPropertyArchive& a) { return ExchangeSeriesBinding(loaded, a, 14, 1); }),
              com::S_OK);
    EXPECT_TRUE(loaded == binding);
    SeriesBinding untouched;
    EXPECT_TRUE(
        com::FAILED(test::loadWith(Bytes(expected.begin(), expected.end() - 1), [&](CPropertyArchive& a) {
            return ExchangeSeriesBinding(untouched, a, 33, 1);
        })));
    EXPECT_TRUE(untouched == SeriesBinding{});
}

}  // namespace
}  // namespace dravik

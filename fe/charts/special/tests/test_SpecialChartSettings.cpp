#include <gtest/gtest.h>

#include <string_view>

#include "StateTestSupport.h"
#include "com/ComPtr.h"
#include "persist/CPropertyBagArchive.h"
#include "resources/ResourceText.h"
#include "special/LabelMask.h"
#include "special/SpecialChartSettings.h"
#include "state/ExchangeKeys.h"
#include "storage/PropertyBag.h"

namespace dravik {
namespace {

using test::Bytes;
using test::ByteWriter;

constexpr std::uint32_t kVersion = 33;
constexpr std::uint32_t kFlags = EXCHANGE_TOOLBAR;

// The keys every chart type saves before its own: "_YAxis", the label mask (here the string id, saved
// as its size 0) and "_Flags".
void exchangeCommonKeys(CPropertyArchive& archive, std::string_view prefix) {
    std::int16_t yAxis = 0;
    archive.ExchangeShort(&yAxis, u"_YAxis", 0);
    CResourceText mask;
    mask.SetSize(120);
    mask.SetStringId(kDefaultLabelMaskId);
    mask.Exchange(archive, ExchangeKey(prefix, "LabelMask"));
    std::uint32_t flagWord = 0;
    ExchangeChartTypeFlags(archive, &flagWord, kVersion, kFlags);
}

template <typename Settings, typename Exchange>
Bytes savedChartType(Settings settings, std::string_view prefix, Exchange exchange) {
    return test::storeWith([&](CPropertyArchive& archive) {
        exchangeCommonKeys(archive, prefix);
        return exchange(settings, archive, kVersion);
    });
}

// _YAxis 0, the label mask's size 0 (a string id), _Flags 0.
ByteWriter commonImage() {
    ByteWriter image;
    image.i16(0).i16(0).u32(0);
    return image;
}

TEST(SpecialChartSettings, DefaultsAndTheirPersistedImages) {
    const Bytes pointFigure =
        savedChartType(PointFigureSettings{}, kPointFigurePrefix, ExchangePointFigureSettings);
    EXPECT_EQ(pointFigure.size(), 20u);
    EXPECT_EQ(pointFigure, commonImage().f64(5).i16(1).u8(1).u8(1).bytes());

    const Bytes renko = savedChartType(RenkoSettings{}, kRenkoPrefix, ExchangeRenkoSettings);
    EXPECT_EQ(renko.size(), 17u);
    EXPECT_EQ(renko, commonImage().f64(5).u8(1).bytes());

    const Bytes kagi = savedChartType(KagiSettings{}, kKagiPrefix, ExchangeKagiSettings);
    EXPECT_EQ(kagi.size(), 17u);
    EXPECT_EQ(kagi, commonImage().f64(5).u8(1).bytes());

    const Bytes lineBreak =
        savedChartType(ThreeLineBreakSettings{}, kThreeLineBreakPrefix, ExchangeThreeLineBreakSettings);
    EXPECT_EQ(lineBreak.size(), 10u);
    EXPECT_EQ(lineBreak, commonImage().i16(3).bytes());

    EXPECT_EQ(PointFigureSettings::kPersistSize, 14);
    EXPECT_EQ(RenkoSettings::kPersistSize, 10);
    EXPECT_EQ(KagiSettings::kPersistSize, 10);
    EXPECT_EQ(ThreeLineBreakSettings::kPersistSize, 2);
}

TEST(SpecialChartSettings, ChangedValuesRoundTripAndOldSavesHoldShortBooleans) {
    const PointFigureSettings changed{2.5, 3, 0, 1};
    PointFigureSettings saved = changed;
    const Bytes current = test::storeWith(
        [&](CPropertyArchive& archive) { return ExchangePointFigureSettings(saved, archive, kVersion); });
    EXPECT_EQ(current, ByteWriter().f64(2.5).i16(3).u8(0).u8(1).bytes());
    const Bytes old = test::storeWith(
        [&](CPropertyArchive& archive) { return ExchangePointFigureSettings(saved, archive, 14); });
    EXPECT_EQ(old, ByteWriter().f64(2.5).i16(3).i16(0).i16(1).bytes());

    PointFigureSettings loaded;
    ASSERT_EQ(
        test::loadWith(old, [&](CPropertyArchive& a) { return ExchangePointFigureSettings(loaded, a, 14); }),
        com::S_OK);
    EXPECT_EQ(loaded, changed);

    // Any non-zero short of an old save is true.
    KagiSettings kagi;
    const Bytes oldKagi = ByteWriter().f64(0.75).i16(-1).bytes();
    ASSERT_EQ(test::loadWith(oldKagi, [&](CPropertyArchive& a) { return ExchangeKagiSettings(kagi, a, 14); }),
              com::S_OK);
    EXPECT_EQ(kagi, (KagiSettings{0.75, 1}));

    RenkoSettings renko;
    const Bytes savedRenko = ByteWriter().f64(1.5).u8(0).bytes();
    ASSERT_EQ(
        test::loadWith(savedRenko, [&](CPropertyArchive& a) { return ExchangeRenkoSettings(renko, a, 33); }),
        com::S_OK);
    EXPECT_EQ(renko, (RenkoSettings{1.5, 0}));
}

TEST(SpecialChartSettings, ABreakDaysBelowOneIsADamagedSave) {
    for (const std::int16_t breakDays : {0, -3}) {
        ThreeLineBreakSettings settings{5};
        const com::HRESULT result = test::loadWith(
            ByteWriter().i16(breakDays).bytes(),
            [&](CPropertyArchive& a) { return ExchangeThreeLineBreakSettings(settings, a, kVersion); });
        EXPECT_EQ(result, kDamagedState) << breakDays;
        EXPECT_EQ(settings.breakDays, 5) << breakDays;
    }
    ThreeLineBreakSettings one;
    ASSERT_EQ(
        test::loadWith(ByteWriter().i16(1).bytes(),
                       [&](CPropertyArchive& a) { return ExchangeThreeLineBreakSettings(one, a, kVersion); }),
        com::S_OK);
    EXPECT_EQ(one.breakDays, 1);
}

TEST(SpecialChartSettings, SizesOfZeroOrLessLoadAsSaved) {
    // The figure refuses to build with them; the saved chart still loads.
    PointFigureSettings settings;
    const Bytes image = ByteWriter().f64(0).i16(0).u8(1).u8(1).bytes();
    ASSERT_EQ(test::loadWith(
                  image, [&](CPropertyArchive& a) { return ExchangePointFigureSettings(settings, a, 33); }),
              com::S_OK);
    EXPECT_EQ(settings.boxSize, 0);
    EXPECT_EQ(settings.reversalAmount, 0);
}

TEST(SpecialChartSettings, ATruncatedSaveFailsAndChangesNothing) {
    const PointFigureSettings original{7, 2, 0, 0};
    PointFigureSettings settings = original;
    test::expectEveryTruncationFails(
        ByteWriter().f64(2.5).i16(3).u8(1).u8(1).bytes(),
        [&](CPropertyArchive& a) { return ExchangePointFigureSettings(settings, a, kVersion); },
        [&] { return settings == original; });
    ThreeLineBreakSettings lineBreak{4};
    test::expectEveryTruncationFails(
        ByteWriter().i16(2).bytes(),
        [&](CPropertyArchive& a) { return ExchangeThreeLineBreakSettings(lineBreak, a, kVersion); },
        [&] { return lineBreak.breakDays == 4; });
}

TEST(SpecialChartSettings, NamedPropertiesUseThePrefixOfEachChartType) {
    com::ComPtr<com::IPropertyBag> bag;
    ASSERT_EQ(com::createMemoryPropertyBag(bag.put()), com::S_OK);
    PointFigureSettings pointFigure{2, 3, 0, 1};
    RenkoSettings renko{4, 0};
    KagiSettings kagi{6, 0};
    ThreeLineBreakSettings lineBreak{2};
    {
        CPropertyBagArchive archive(bag.get(), true, true);
        EXPECT_EQ(ExchangePointFigureSettings(pointFigure, archive, kVersion), com::S_OK);
        EXPECT_EQ(ExchangeRenkoSettings(renko, archive, kVersion), com::S_OK);
        EXPECT_EQ(ExchangeKagiSettings(kagi, archive, kVersion), com::S_OK);
        EXPECT_EQ(ExchangeThreeLineBreakSettings(lineBreak, archive, kVersion), com::S_OK);
    }
    auto property = [&](const char16_t* name) {
        com::Variant value;
        bag->Read(name, &value, nullptr);
        return value;
    };
    EXPECT_EQ(property(u"PointAndFigure.BoxSize").r8(), 2);
    EXPECT_EQ(property(u"PointAndFigure.ReversalAmount").i2(), 3);
    EXPECT_EQ(property(u"PointAndFigure.PercentualBox").boolVal(), com::VARIANT_FALSE);
    EXPECT_EQ(property(u"PointAndFigure.RectMarkers").vt(), com::VT_EMPTY);  // its default: not written
    EXPECT_EQ(property(u"Renko.BoxSize").r8(), 4);
    EXPECT_EQ(property(u"Renko.PercentualBox").boolVal(), com::VARIANT_FALSE);
    EXPECT_EQ(property(u"Kagi.ReversalAmount").r8(), 6);
    EXPECT_EQ(property(u"Kagi.Percentual").boolVal(), com::VARIANT_FALSE);
    EXPECT_EQ(property(u"ThreeLineBreak.BreakDays").i2(), 2);

    PointFigureSettings loadedPointFigure;
    KagiSettings loadedKagi;
    CPropertyBagArchive reader(bag.get(), false, true);
    ASSERT_EQ(ExchangePointFigureSettings(loadedPointFigure, reader, kVersion), com::S_OK);
    ASSERT_EQ(ExchangeKagiSettings(loadedKagi, reader, kVersion), com::S_OK);
    EXPECT_EQ(loadedPointFigure, pointFigure);
    EXPECT_EQ(loadedKagi, kagi);
}

}  // namespace
}  // namespace dravik

#include <gtest/gtest.h>

#include "com/ComPtr.h"
#include "drawing/tests/DrawingKindNumbers.h"
#include "drawing/tests/DrawingTestOwner.h"
#include "locale/LocaleRegistry.h"

namespace dravik {
namespace {

using test::DrawingTestOwner;
using test::kGann;
using test::kRetracements;
using test::kTrend;

constexpr loc::LCID kGermanLocale = 0x0407;

// OLE dates of Monday 1 March 2004 to Friday 5 March 2004 (days since 1899-12-30).
constexpr double kMarch1 = 38047;
constexpr double kMarch3 = 38049;
constexpr double kMarch4 = 38050;
constexpr double kMarch5 = 38051;

class DrawFeatureTest : public ::testing::Test {
protected:
    void SetUp() override {
        loc::LocaleRegistry::add(0x0409, loc::LocaleInfo::english());
        loc::LocaleInfo german;
        german.decimalSeparator = ",";
        german.thousandSeparator = ".";
        german.shortDate = "dd.MM.yyyy";
        german.dateOrder = loc::DateOrder::DayMonthYear;
        loc::LocaleRegistry::add(kGermanLocale, german);
        // One series over five trading days, shown day by day.
        const std::vector<double> values{10, 11, 12, 13, 14};
        const std::vector<double> dates{kMarch1, kMarch1 + 1, kMarch3, kMarch4, kMarch5};
        owner->scale.Build(1, 5, values.data(), dates.data(), {});
        owner->scale.SetLevel(DL_DAY);
    }
    void TearDown() override { loc::LocaleRegistry::reset(); }

    com::ComPtr<IDrawFeature> make(com::LONG kind) {
        IDrawFeature* raw = nullptr;
        EXPECT_EQ(owner->features().GetDrawing(kind, com::Variant::missing(), &raw), com::S_OK);
        return com::ComPtr<IDrawFeature>::attach(raw);
    }
    DrawingRecord& record(int index = 0) { return *owner->list().At(index); }
    static std::string text(const com::Bstr& value) { return value.toUtf8(); }

    com::ComPtr<DrawingTestOwner> owner = com::makeComObject<DrawingTestOwner>();
};

TEST_F(DrawFeatureTest, ANewRetracementShowsItsKindsDefaults) {
    com::ComPtr<IDrawFeature> drawing = make(kRetracements);
    com::LONG color = 0;
    com::SHORT style = -1, signal = -1, width = -1, bytes = -1;
    com::LONG series = 0;
    com::VARIANT_BOOL freeDraw = -2, visible = -2, enabled = 0;
    com::Bstr name, userData;
    EXPECT_EQ(drawing->get_Color(&color), com::S_OK);
    EXPECT_EQ(color, 0xFF0000);
    EXPECT_EQ(drawing->get_LineStyle(&style), com::S_OK);
    EXPECT_EQ(style, 2);
    EXPECT_EQ(drawing->get_SignalLineStyle(&signal), com::S_OK);
    EXPECT_EQ(signal, 0);
    EXPECT_EQ(drawing->get_LineWidth(&width), com::S_OK);
    EXPECT_EQ(width, 1);
    EXPECT_EQ(drawing->get_WorkSeries(&series), com::S_OK);
    EXPECT_EQ(series, -1);
    EXPECT_EQ(drawing->get_FreeDraw(&freeDraw), com::S_OK);
    EXPECT_EQ(freeDraw, com::VARIANT_FALSE);
    EXPECT_EQ(drawing->get_Visible(&visible), com::S_OK);
    EXPECT_EQ(visible, com::VARIANT_FALSE);
    EXPECT_EQ(drawing->get_Enable(&enabled), com::S_OK);
    EXPECT_EQ(enabled, com::VARIANT_TRUE);
    EXPECT_EQ(drawing->get_Name(&name), com::S_OK);
    EXPECT_EQ(text(name), "..Usr..");
    EXPECT_EQ(drawing->get_UserData(&userData), com::S_OK);
    EXPECT_FALSE(userData.isNull());
    EXPECT_EQ(text(userData), "");
    EXPECT_EQ(drawing->get_ExtraBytes(&bytes), com::S_OK);
    EXPECT_EQ(bytes, 144);

    // The first level's label "0%" starts at byte 8; the last level's ratio 1.0 ends the block
    // (little-endian 0x3FF0000000000000: byte 127 of the bytes is 0x3F).
    std::uint8_t byte = 0;
    EXPECT_EQ(drawing->get_ExtraByte(8, &byte), com::S_OK);
    EXPECT_EQ(byte, '0');
    EXPECT_EQ(drawing->get_ExtraByte(127, &byte), com::S_OK);
    EXPECT_EQ(byte, 0x3F);
    EXPECT_EQ(drawing->get_ExtraByte(143, &byte), com::S_OK);
    byte = 9;
    EXPECT_EQ(drawing->get_ExtraByte(144, &byte), com::E_INVALIDARG);
    EXPECT_EQ(byte, 0);
    EXPECT_EQ(drawing->get_ExtraByte(-1, &byte), com::E_INVALIDARG);
    EXPECT_EQ(drawing->put_ExtraByte(144, 1), com::E_INVALIDARG);
    EXPECT_EQ(drawing->get_ExtraByte(0, nullptr), com::E_POINTER);
}

TEST_F(DrawFeatureTest, ATrendLineHasNoExtraBytes) {
    com::ComPtr<IDrawFeature> drawing = make(kTrend);
    com::SHORT bytes = -1, style = -1, signal = -1;
    EXPECT_EQ(drawing->get_ExtraBytes(&bytes), com::S_OK);
    EXPECT_EQ(bytes, 0);
    drawing->get_LineStyle(&style);
    drawing->get_SignalLineStyle(&signal);
    EXPECT_EQ(style, 0);
    EXPECT_EQ(signal, 2);
    std::uint8_t byte = 0;
    EXPECT_EQ(drawing->get_ExtraByte(0, &byte), com::E_INVALIDARG);
    EXPECT_EQ(drawing->put_ExtraByte(0, 1), com::E_INVALIDARG);
}

TEST_F(DrawFeatureTest, PenAndSeriesPutsStoreExactlyAndRepaintOnlyOnChange) {
    com::ComPtr<IDrawFeature> drawing = make(kTrend);
    const int repaints = owner->repaints;
    EXPECT_EQ(drawing->put_Color(0xFF0000), com::S_OK);  // the current value
    EXPECT_EQ(owner->repaints, repaints);
    EXPECT_EQ(drawing->put_Color(static_cast<com::LONG>(0x80000005)), com::S_OK);
    com::LONG color = 0;
    drawing->get_Color(&color);
    EXPECT_EQ(color, static_cast<com::LONG>(0x80000005));
    EXPECT_EQ(record().color, 0x80000005u);
    EXPECT_EQ(drawing->put_LineStyle(4), com::S_OK);
    EXPECT_EQ(drawing->put_LineWidth(3), com::S_OK);
    EXPECT_EQ(drawing->put_SignalLineStyle(0), com::S_OK);
    EXPECT_EQ(owner->repaints, repaints + 4);
    // The pens follow: style 4 is dash-dot-dot; a signal style of 0 draws as wide as the lines.
    const DrawingPens pens = record().Pens();
    EXPECT_EQ(pens.main, (DrawingPen{gdi::PS_DASHDOTDOT, 3, 0x80000005u}));
    EXPECT_EQ(pens.signal, (DrawingPen{gdi::PS_SOLID, 3, 0x80000005u}));

    EXPECT_EQ(drawing->put_WorkSeries(2), com::S_OK);
    EXPECT_EQ(drawing->put_WorkSeries(32768), com::E_INVALIDARG);
    EXPECT_EQ(drawing->put_WorkSeries(-32769), com::E_INVALIDARG);
    com::LONG series = 0;
    drawing->get_WorkSeries(&series);
    EXPECT_EQ(series, 2);
    EXPECT_EQ(drawing->put_WorkSeries(-32768), com::S_OK);
    EXPECT_EQ(record().workSeries, -32768);

    // Only VARIANT_TRUE draws freely.
    com::VARIANT_BOOL freeDraw = 0;
    EXPECT_EQ(drawing->put_FreeDraw(1), com::S_OK);
    drawing->get_FreeDraw(&freeDraw);
    EXPECT_EQ(freeDraw, com::VARIANT_FALSE);
    EXPECT_EQ(drawing->put_FreeDraw(com::VARIANT_TRUE), com::S_OK);
    drawing->get_FreeDraw(&freeDraw);
    EXPECT_EQ(freeDraw, com::VARIANT_TRUE);
    EXPECT_EQ(record().freeDraw, 1);

    EXPECT_EQ(drawing->get_Color(nullptr), com::E_POINTER);
    EXPECT_EQ(drawing->get_FreeDraw(nullptr), com::E_POINTER);
    EXPECT_EQ(drawing->get_Visible(nullptr), com::E_POINTER);
}

TEST_F(DrawFeatureTest, VisibleChecksTheMenuItemOfAnEnabledDrawingOnly) {
    com::ComPtr<IDrawFeature> drawing = make(kTrend);
    const int repaints = owner->repaints;
    EXPECT_EQ(drawing->put_Visible(1), com::S_OK);  // any non-zero value shows it
    EXPECT_EQ(record().state, kDrawingShown);
    EXPECT_EQ(owner->checks, (std::map<std::int16_t, bool>{{162, true}}));
    EXPECT_EQ(owner->repaints, repaints + 1);
    EXPECT_EQ(drawing->put_Visible(com::VARIANT_TRUE), com::S_OK);  // unchanged
    EXPECT_EQ(owner->commandCalls, 1);
    EXPECT_EQ(owner->repaints, repaints + 1);

    // Disabled while shown: it counts as hidden and keeps its wish for later.
    EXPECT_EQ(drawing->put_Enable(com::VARIANT_FALSE), com::S_OK);
    EXPECT_EQ(record().state, kDrawingShownByRange);
    EXPECT_EQ(record().lock, 1);
    EXPECT_EQ(owner->refreshes, 0);
    com::VARIANT_BOOL value = 0;
    drawing->get_Visible(&value);
    EXPECT_EQ(value, com::VARIANT_FALSE);
    drawing->get_Enable(&value);
    EXPECT_EQ(value, com::VARIANT_FALSE);

    const int beforeHide = owner->repaints;
    EXPECT_EQ(drawing->put_Visible(com::VARIANT_FALSE), com::S_OK);
    EXPECT_EQ(record().state, kDrawingHiddenByRange);
    EXPECT_EQ(owner->commandCalls, 1);
    EXPECT_EQ(owner->repaints, beforeHide);

    // Enabled again: hidden, and the chart checks the data range once.
    EXPECT_EQ(drawing->put_Enable(-5), com::S_OK);
    EXPECT_EQ(record().state, kDrawingHidden);
    EXPECT_EQ(record().lock, 0);
    EXPECT_EQ(owner->refreshes, 1);
    EXPECT_EQ(owner->repaints, beforeHide + 1);
    drawing->get_Enable(&value);
    EXPECT_EQ(value, com::VARIANT_TRUE);
    EXPECT_EQ(drawing->put_Enable(com::VARIANT_TRUE), com::S_OK);  // unchanged
    EXPECT_EQ(owner->refreshes, 1);
}

TEST_F(DrawFeatureTest, NameAndUserDataKeepTheirFieldSizes) {
    com::ComPtr<IDrawFeature> drawing = make(kTrend);
    EXPECT_EQ(drawing->put_Name(com::Bstr::fromUtf8("Support")), com::S_OK);
    EXPECT_EQ(owner->captions, (std::map<std::int16_t, std::string>{{162, "Support"}}));
    // 30 Arabic letters of two bytes each: 29 fit before the terminator.
    std::string arabic;
    for (int i = 0; i < 30; ++i)
        arabic += "\xD8\xA8";
    EXPECT_EQ(drawing->put_Name(com::Bstr::fromUtf8(arabic)), com::S_OK);
    com::Bstr name;
    drawing->get_Name(&name);
    EXPECT_EQ(text(name), arabic.substr(0, 58));
    EXPECT_EQ(owner->captions[162], arabic.substr(0, 58));
    const int calls = owner->commandCalls;
    EXPECT_EQ(drawing->put_Name(com::Bstr::fromUtf8(arabic + "more")), com::S_OK);  // same stored name
    EXPECT_EQ(owner->commandCalls, calls);

    EXPECT_EQ(drawing->put_UserData(com::Bstr::fromUtf8("3/1/2004!3/5/2004")), com::S_OK);
    com::Bstr data;
    drawing->get_UserData(&data);
    EXPECT_EQ(text(data), "3/1/2004!3/5/2004");
    EXPECT_EQ(drawing->put_UserData(com::Bstr::fromUtf8(std::string(300, 'x'))), com::S_OK);
    drawing->get_UserData(&data);
    EXPECT_EQ(text(data), std::string(255, 'x'));
    EXPECT_EQ(drawing->put_UserData(com::Bstr()), com::S_OK);  // a null string clears it
    drawing->get_UserData(&data);
    EXPECT_EQ(text(data), "");
}

TEST_F(DrawFeatureTest, DatesAreTextsOfOneFixedFormWhateverTheLocale) {
    com::ComPtr<IDrawFeature> drawing = make(kTrend);
    EXPECT_EQ(drawing->put_From(com::Bstr::fromUtf8("2004-03-03")), com::S_OK);
    EXPECT_EQ(record().from, 3.0);
    EXPECT_EQ(record().xFrom, kMarch3);
    com::Bstr from;
    EXPECT_EQ(drawing->get_From(&from), com::S_OK);
    EXPECT_EQ(text(from), "2004-03-03");

    // A Saturday after the last day: no position, the date is kept.
    EXPECT_EQ(drawing->put_To(com::Bstr::fromUtf8("2004-03-06")), com::S_OK);
    EXPECT_EQ(record().to, -1.0);
    EXPECT_EQ(record().xTo, kMarch5 + 1);
    com::Bstr to;
    drawing->get_To(&to);
    EXPECT_EQ(text(to), "2004-03-06");
    // A date before the first day has no position either.
    EXPECT_EQ(drawing->put_To(com::Bstr::fromUtf8(" 2004-02-27 ")), com::S_OK);
    EXPECT_EQ(record().to, -1.0);
    EXPECT_EQ(record().xTo, kMarch1 - 3);

    // The time shows when it is not midnight; the date axis's locale changes nothing.
    record().xTo = kMarch4 + 0.5;
    owner->dateLocale = kGermanLocale;
    drawing->get_To(&to);
    EXPECT_EQ(text(to), "2004-03-04 12:00:00");
    // What the object returned is taken back; an anchor between two days goes to the next day.
    EXPECT_EQ(drawing->put_To(to), com::S_OK);
    EXPECT_EQ(record().to, 5.0);
    EXPECT_EQ(record().xTo, kMarch5) << "the first day not earlier than 12:00 on the 4th";
    record().xTo = kMarch4;
    drawing->get_To(&to);
    EXPECT_EQ(drawing->put_To(to), com::S_OK);
    EXPECT_EQ(record().to, 4.0);
    EXPECT_EQ(record().xTo, kMarch4);

    // Texts that are no date of that form change nothing.
    EXPECT_EQ(drawing->put_From(com::Bstr::fromUtf8("2004-03-05")), com::S_OK);
    const int repaints = owner->repaints;
    for (const char* bad : {"", "31.02.2004", "05.03.2004", "3/5/2004", "2004-02-31", "2004-3-5"})
        EXPECT_EQ(drawing->put_From(com::Bstr::fromUtf8(bad)), com::E_INVALIDARG) << bad;
    EXPECT_EQ(record().from, 5.0);
    EXPECT_EQ(owner->repaints, repaints);
    EXPECT_EQ(drawing->get_From(nullptr), com::E_INVALIDARG);
}

TEST_F(DrawFeatureTest, WithoutDatesTheAnchorsArePointNumbers) {
    com::ComPtr<IDrawFeature> drawing = make(kTrend);
    owner->scale.SetLevel(DL_POINTS);
    EXPECT_EQ(drawing->put_From(com::Bstr::fromUtf8(" 4 ")), com::S_OK);
    EXPECT_EQ(record().from, 4.0);
    EXPECT_EQ(record().xFrom, 4.0);
    com::Bstr from;
    drawing->get_From(&from);
    EXPECT_EQ(text(from), "      4.00");
    EXPECT_EQ(drawing->put_From(com::Bstr::fromUtf8("2004-03-03")), com::E_INVALIDARG);
    // No date scale at all: nothing to read the texts with.
    owner->hasScale = false;
    from = com::Bstr::fromUtf8("x");
    EXPECT_EQ(drawing->get_From(&from), com::E_FAIL);
    EXPECT_TRUE(from.isNull());
    EXPECT_EQ(drawing->put_To(com::Bstr::fromUtf8("2")), com::E_FAIL);
}

TEST_F(DrawFeatureTest, PricesAreTextsOfThePriceAxisFormat) {
    com::ComPtr<IDrawFeature> drawing = make(kTrend);
    // Without a price axis: plain numbers with at least two decimals.
    EXPECT_EQ(drawing->put_FromPrice(com::Bstr::fromUtf8("12.5")), com::S_OK);
    EXPECT_EQ(record().fromPrice, 12.5);
    com::Bstr price;
    EXPECT_EQ(drawing->get_FromPrice(&price), com::S_OK);
    EXPECT_EQ(text(price), "12.50");

    // An axis with a decimal comma and two decimals: a small price gets the decimals it needs.
    owner->hasPriceAxis = true;
    owner->priceAxis.format = FC_PLAIN;
    owner->priceAxis.decimals = 2;
    owner->priceAxis.prepared.number.setDecimal(",");
    owner->priceAxis.prepared.number.setThousand(".");
    owner->priceAxis.locale = kGermanLocale;
    drawing->get_FromPrice(&price);
    EXPECT_EQ(text(price), "12,50");
    EXPECT_EQ(drawing->put_ToPrice(com::Bstr::fromUtf8("0,05")), com::S_OK);
    EXPECT_EQ(record().toPrice, 0.05);
    drawing->get_ToPrice(&price);
    EXPECT_EQ(text(price), "0,050");
    // What the axis writes reads back; "." always reads as the decimal point.
    EXPECT_EQ(drawing->put_ToPrice(com::Bstr::fromUtf8("1.234,75")), com::S_OK);
    EXPECT_EQ(record().toPrice, 1234.75);
    EXPECT_EQ(drawing->put_ToPrice(com::Bstr::fromUtf8("-3.25")), com::S_OK);
    EXPECT_EQ(record().toPrice, -3.25);

    const int repaints = owner->repaints;
    for (const char* bad : {"", "abc", "12abc", "1e999", "nan", "12,5,0"})
        EXPECT_EQ(drawing->put_FromPrice(com::Bstr::fromUtf8(bad)), com::E_INVALIDARG) << bad;
    EXPECT_EQ(record().fromPrice, 12.5);
    EXPECT_EQ(owner->repaints, repaints);
    EXPECT_EQ(drawing->put_FromPrice(com::Bstr::fromUtf8("12.5")), com::S_OK);  // unchanged
    EXPECT_EQ(owner->repaints, repaints);
}

// Every shape a number or currency axis writes a price in reads back as that price: the group
// separators, a currency symbol before or after the number (with or without a blank), and the negative
// shapes (parentheses, a minus before or after the number or the symbol).
TEST_F(DrawFeatureTest, EveryShapeOfTheAxisFormatReadsBackAsThePrice) {
    com::ComPtr<IDrawFeature> drawing = make(kTrend);
    owner->hasPriceAxis = true;
    owner->priceAxis.decimals = 2;
    owner->priceAxis.locale = 0x0409;
    NumberFormatRecord& number = owner->priceAxis.prepared.number;
    number.digits = 2;
    number.grouping = 3;
    number.setDecimal(".");
    number.setThousand(",");
    number.setSymbol("$");
    const double prices[] = {1200.0, 15000.5, -1200.0, -15000.5, 999.99, 0.5, -0.25};
    com::Bstr text;
    for (const FormatCode code : {FC_NUMBER, FC_CURRENCY}) {
        owner->priceAxis.format = code;
        for (std::int32_t negative = 0; negative < (code == FC_NUMBER ? 5 : 16); ++negative) {
            for (std::int32_t positive = 0; positive < 4; ++positive) {
                for (const std::int32_t leadingZero : {0, 1}) {
                    number.negativeOrder = negative;
                    number.positiveOrder = positive;
                    number.leadingZero = leadingZero;
                    for (const double price : prices) {
                        record().toPrice = price;
                        ASSERT_EQ(drawing->get_ToPrice(&text), com::S_OK);
                        record().toPrice = -1.0;
                        EXPECT_EQ(drawing->put_ToPrice(text), com::S_OK) << this->text(text);
                        EXPECT_EQ(record().toPrice, price) << this->text(text);
                    }
                }
            }
        }
    }
    // The shapes the formats write, as written out.
    owner->priceAxis.format = FC_CURRENCY;
    for (const char* shape : {"($1,200.00)", "-$ 1,200.00", "1,200.00 $-", "(1,200.00 $)", "1,200.00-"}) {
        record().toPrice = -1.0;
        EXPECT_EQ(drawing->put_ToPrice(com::Bstr::fromUtf8(shape)), com::S_OK) << shape;
        EXPECT_EQ(record().toPrice, -1200.0) << shape;
    }
    for (const char* bad : {"--1,200.00", "(-1,200.00)", "$", "()", "-", "1,200.00$$", "(1,200.00"})
        EXPECT_EQ(drawing->put_ToPrice(com::Bstr::fromUtf8(bad)), com::E_INVALIDARG) << bad;
}

TEST_F(DrawFeatureTest, ParametersDialogOnlyForKindsWithParameters) {
    com::ComPtr<IDrawFeature> gann = make(kGann);
    com::ComPtr<IDrawFeature> trend = make(kTrend);
    owner->onParameters = [](IDrawFeature& feature) { return feature.put_ExtraByte(0, 0x11) == com::S_OK; };
    com::VARIANT_BOOL changed = 5;
    EXPECT_EQ(trend->ShowParametersDlg(42, &changed), com::S_OK);
    EXPECT_EQ(changed, com::VARIANT_FALSE);
    EXPECT_EQ(owner->dialogs, 0);

    const int repaints = owner->repaints;
    EXPECT_EQ(gann->ShowParametersDlg(42, &changed), com::S_OK);
    EXPECT_EQ(changed, com::VARIANT_TRUE);
    EXPECT_EQ(owner->dialogs, 1);
    EXPECT_EQ(owner->lastParent, 42);
    EXPECT_EQ(record(0).extraBytes[0], 0x11);
    EXPECT_GT(owner->repaints, repaints);

    owner->onParameters = [](IDrawFeature&) { return false; };
    EXPECT_EQ(gann->ShowParametersDlg(0, &changed), com::S_OK);
    EXPECT_EQ(changed, com::VARIANT_FALSE);
    EXPECT_EQ(gann->ShowParametersDlg(0, nullptr), com::E_POINTER);
}

TEST(DrawFeatureLifetime, AnObjectOutlivingItsOwnerFailsCleanly) {
    bool destroyed = false;
    com::ComPtr<DrawingTestOwner> owner = com::makeComObject<DrawingTestOwner>(&destroyed);
    IDrawFeature* raw = nullptr;
    ASSERT_EQ(owner->features().GetDrawing(kTrend, com::Variant::missing(), &raw), com::S_OK);
    com::ComPtr<IDrawFeature> drawing = com::ComPtr<IDrawFeature>::attach(raw);
    // The object holds no reference between calls: releasing the owner destroys it.
    owner.reset();
    ASSERT_TRUE(destroyed);

    com::LONG color = 3;
    EXPECT_EQ(drawing->get_Color(&color), com::E_FAIL);
    EXPECT_EQ(color, 0);
    com::Bstr from = com::Bstr::fromUtf8("x");
    EXPECT_EQ(drawing->get_From(&from), com::E_FAIL);
    EXPECT_TRUE(from.isNull());
    com::VARIANT_BOOL visible = -1;
    EXPECT_EQ(drawing->get_Visible(&visible), com::E_FAIL);
    EXPECT_EQ(visible, com::VARIANT_FALSE);
    EXPECT_EQ(drawing->put_Visible(com::VARIANT_TRUE), com::E_FAIL);
    EXPECT_EQ(drawing->put_Name(com::Bstr::fromUtf8("n")), com::E_FAIL);
    EXPECT_EQ(drawing->put_ExtraByte(0, 1), com::E_FAIL);
    com::VARIANT_BOOL changed = -1;
    EXPECT_EQ(drawing->ShowParametersDlg(0, &changed), com::E_FAIL);
    EXPECT_EQ(changed, com::VARIANT_FALSE);
}

TEST(DrawFeatureLifetime, TheOwnerLivesUntilACallThatReleasedItReturns) {
    bool destroyed = false;
    com::ComPtr<DrawingTestOwner> owner = com::makeComObject<DrawingTestOwner>(&destroyed);
    IDrawFeature* raw = nullptr;
    ASSERT_EQ(owner->features().GetDrawing(kGann, com::Variant::missing(), &raw), com::S_OK);
    com::ComPtr<IDrawFeature> drawing = com::ComPtr<IDrawFeature>::attach(raw);
    bool aliveInDialog = false;
    // The dialog's client drops the last reference on the owner while the dialog runs.
    owner->onParameters = [&](IDrawFeature&) {
        owner.reset();
        aliveInDialog = !destroyed;
        return true;
    };
    com::VARIANT_BOOL changed = 0;
    EXPECT_EQ(drawing->ShowParametersDlg(0, &changed), com::S_OK);
    EXPECT_TRUE(aliveInDialog);
    EXPECT_EQ(changed, com::VARIANT_TRUE);
    EXPECT_TRUE(destroyed);
    com::SHORT count = 5;
    EXPECT_EQ(drawing->get_ExtraBytes(&count), com::E_FAIL);
    EXPECT_EQ(count, 0);
}

TEST(DrawFeatureLifetime, ACallWhileTheOwnerIsBeingDestroyedFailsWithoutReviving) {
    bool destroyed = false;
    com::ComPtr<DrawingTestOwner> owner = com::makeComObject<DrawingTestOwner>(&destroyed);
    IDrawFeature* raw = nullptr;
    ASSERT_EQ(owner->features().GetDrawing(kTrend, com::Variant::missing(), &raw), com::S_OK);
    com::ComPtr<IDrawFeature> drawing = com::ComPtr<IDrawFeature>::attach(raw);
    com::HRESULT during = com::S_OK;
    owner->onDestroy = [&] {
        com::SHORT width = 0;
        during = drawing->get_LineWidth(&width);
    };
    owner.reset();
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(during, com::E_FAIL);
}

}  // namespace
}  // namespace dravik

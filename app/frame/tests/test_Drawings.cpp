// A company's drawings kept in its row, the hover test over the real chart and financial extension,
// and the drawings' handles in the real annotation list.

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <tuple>

#include "ChartWindowFixture.h"
#include "com/OleDate.h"
#include "db/Transaction.h"
#include "dravik/AxisInterfaces.h"
#include "frame/chart/DrawingDates.h"
#include "frame/chart/DrawingHandles.h"
#include "frame/chart/DrawingHover.h"
#include "frame/chart/DrawingInfoStore.h"
#include "frame/chart/DrawingInfoText.h"
#include "frame/chart/DrawingKinds.h"
#include "korvel/KvlChart.h"
#include "locale/LocaleRegistry.h"

using namespace frame::chart;

namespace {

constexpr com::LONG kGann = dravik::DF_GANN_FAN;
constexpr com::LONG kTrend = dravik::DF_TREND_LINE;

com::DATE day(int year, int month, int d) {
    return *com::toOleDate({year, month, d, 0, 0, 0});
}

const std::string kTrendRecord = "255|True|True|2026-11-02|10.5|0|1|Mine|0|2026-11-05|13.5||True|3";

}  // namespace

TEST(DrawingInfoText, SectionsArePaddedAndRecordsReadWhole) {
    EXPECT_EQ(JoinDrawingSections(SplitDrawingSections("")), "$$$$$$$$$");
    const DrawingSections short_ = SplitDrawingSections("a;b$c");
    EXPECT_EQ(short_[0], "a;b");
    EXPECT_EQ(short_[1], "c");
    EXPECT_EQ(JoinDrawingSections(short_), "a;b$c$$$$$$$$");
    // Whatever follows the ninth "$" stays in the tenth section.
    EXPECT_EQ(SplitDrawingSections("$$$$$$$$$x$y")[9], "x$y");
    EXPECT_EQ(SplitDrawingRecords(";a;;b;").size(), 2U);

    const loc::LocaleInfo english = loc::LocaleInfo::english();
    const auto record = ReadDrawingRecord(kTrendRecord, english);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->color, 255);
    EXPECT_EQ(record->from, day(2026, 11, 2));
    EXPECT_EQ(record->to, day(2026, 11, 5));
    EXPECT_EQ(record->workSeries, 3);
    EXPECT_EQ(WriteDrawingRecord(*record), kTrendRecord);
    // Older texts in the short form of the date axis's locale still read.
    EXPECT_EQ(ReadDrawingRecord("255|True|True|11/2/2026|10.5|0|1|x|0|11/5/26|13.5||True|3", english)->to,
              day(2026, 11, 5));
    // Unreadable dates, numbers, Booleans or a missing field: the record is not read at all.
    EXPECT_FALSE(ReadDrawingRecord("255|True|True|2026-13-02|10.5|0|1|x|0|2026-11-05|13.5||True|3", english));
    EXPECT_FALSE(ReadDrawingRecord("255|True|True|soon|10.5|0|1|x|0|2026-11-05|13.5||True|3", english));
    EXPECT_FALSE(ReadDrawingRecord("255|Yes|True|2026-11-02|10.5|0|1|x|0|2026-11-05|13.5||True|3", english));
    EXPECT_FALSE(ReadDrawingRecord("255|True|True|2026-11-02|10.5|0|1|x|0|2026-11-05|13.5||True", english));
    EXPECT_FALSE(
        ReadDrawingRecord("255|True|True|2026-11-02|10.5|99999|1|x|0|2026-11-05|13.5||True|3", english));
    // A field too many is no record of ours either, even when the first fourteen read.
    EXPECT_FALSE(ReadDrawingRecord(kTrendRecord + "|3", english));
    EXPECT_FALSE(ReadDrawingRecord(kTrendRecord + "|", english));
    // Separators inside a text field would cut the text: they are written as blanks, in the prices
    // (a currency symbol of the price axis) as in the name and the user data.
    const std::pair<std::string DrawingRecord::*, const char*> texts[] = {
        {&DrawingRecord::fromPrice, "255|True|True|2026-11-02|a b c d|0|1|Mine|0|2026-11-05|13.5||True|3"},
        {&DrawingRecord::name, "255|True|True|2026-11-02|10.5|0|1|a b c d|0|2026-11-05|13.5||True|3"},
        {&DrawingRecord::toPrice, "255|True|True|2026-11-02|10.5|0|1|Mine|0|2026-11-05|a b c d||True|3"},
        {&DrawingRecord::userData,
         "255|True|True|2026-11-02|10.5|0|1|Mine|0|2026-11-05|13.5|a b c d|True|3"}};
    for (const auto& [field, expected] : texts) {
        DrawingRecord separated = *record;
        separated.*field = "a$b;c|d";
        EXPECT_EQ(WriteDrawingRecord(separated), expected);
    }
}

// Enable, FreeDraw and Visible (fields 1, 2 and 12) are written as words; a number, as older texts
// and hand edits hold, reads as a Boolean does anywhere: 0 is False and any other number True.
TEST(DrawingInfoText, BooleanFieldsReadWordsAndNumbers) {
    const loc::LocaleInfo english = loc::LocaleInfo::english();
    const auto withFlags = [&](const char* enable, const char* freeDraw, const char* visible) {
        return ReadDrawingRecord(std::string("255|") + enable + "|" + freeDraw +
                                     "|2026-11-02|10.5|0|1|x|0|2026-11-05|13.5||" + visible + "|3",
                                 english);
    };
    struct Case {
        const char* text;
        bool value;
    };
    const Case cases[] = {{"True", true}, {"False", false}, {"true", true}, {"FALSE", false},
                          {"-1", true},   {"0", false},     {"1", true},    {"2", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const auto enabled = withFlags(c.text, "False", "False");
        ASSERT_TRUE(enabled);
        EXPECT_EQ(enabled->enable, c.value);
        EXPECT_FALSE(enabled->freeDraw);
        EXPECT_FALSE(enabled->visible);
        const auto freeDrawn = withFlags("False", c.text, "True");
        ASSERT_TRUE(freeDrawn);
        EXPECT_EQ(freeDrawn->freeDraw, c.value);
        EXPECT_FALSE(freeDrawn->enable);
        EXPECT_TRUE(freeDrawn->visible);
        const auto shown = withFlags("True", "True", c.text);
        ASSERT_TRUE(shown);
        EXPECT_EQ(shown->visible, c.value);
    }
    // Words other than True and False, and empty fields, are not Booleans: the record is not read.
    for (const char* text : {"Yes", "", "T", "-"}) {
        EXPECT_FALSE(withFlags(text, "True", "True")) << text;
        EXPECT_FALSE(withFlags("True", "True", text)) << text;
    }
}

TEST(DrawingInfoText, FixedDatesDoNotDependOnTheLocale) {
    loc::LocaleInfo german = loc::LocaleInfo::english();
    german.dateOrder = loc::DateOrder::DayMonthYear;
    EXPECT_EQ(FixedDrawingDate(day(2026, 11, 2)), "2026-11-02");
    EXPECT_EQ(FixedDrawingDate(day(2026, 11, 2) + 0.5), "2026-11-02 12:00:00");
    EXPECT_EQ(ReadDrawingDate("2026-11-02", german), day(2026, 11, 2));
    EXPECT_EQ(ReadDrawingDate("02.11.2026", german), day(2026, 11, 2));
    EXPECT_EQ(ReadDrawingDate("11/2/2026 3:30:00 PM", loc::LocaleInfo::english()),
              day(2026, 11, 2) + 15.5 / 24);
    EXPECT_FALSE(ReadDrawingDate("31.02.2026", german));
    EXPECT_FALSE(ReadDrawingDate("", german));
}

TEST(DrawingTags, KindAndIndexComeBackFromTheTag) {
    EXPECT_EQ(DrawingTag(kGann, 0), 100);
    EXPECT_EQ(DrawingTag(kTrend, 5), 1005);
    EXPECT_EQ(DrawingOfTag(1005)->kind, kTrend);
    EXPECT_EQ(DrawingOfTag(1005)->index, 5);
    EXPECT_FALSE(DrawingOfTag(0));
    EXPECT_EQ(GetValueFromLineEqn(1, 10, 3, 14, 2, false), 12.0);
    EXPECT_EQ(GetValueFromLineEqn(1, 10, 3, 14, 16, true), 4.0);
    EXPECT_EQ(GetValueFromLineEqn(2, 10, 2, 14, 16, false), 0.0);  // vertical: logged, 0
}

class DrawingsTest : public ChartWindowTest {
protected:
    // The chart ends at the last trading day, so that dates after it lie outside.
    void SetUp() override {
        ChartWindowTest::SetUp();
        tarnwick::gSpecial = false;
    }
    void TearDown() override {
        ChartWindowTest::TearDown();
        tarnwick::gSpecial = true;
    }
    dravik::IFinancialCharts& ext() { return *window().financialExtension(); }
    glossor::IGlosxList& list() { return *window().annotationList(); }
    com::SHORT count(com::LONG kind) { return DrawingCount(ext(), kind); }

    com::ComPtr<dravik::IDrawFeature> draw(com::LONG kind, com::DATE from, const char* fromPrice,
                                           com::DATE to, const char* toPrice) {
        const auto drawing = DrawingAt(ext(), kind, count(kind));
        const loc::LCID lcid = DrawingDateLocale(ext());
        EXPECT_EQ(drawing->put_FreeDraw(com::VARIANT_TRUE), com::S_OK);
        EXPECT_EQ(PutAnchorDate(*drawing, true, from, lcid, chart()), com::S_OK);
        EXPECT_EQ(PutAnchorDate(*drawing, false, to, lcid, chart()), com::S_OK);
        EXPECT_EQ(drawing->put_FromPrice(com::Bstr::fromUtf8(fromPrice)), com::S_OK);
        EXPECT_EQ(drawing->put_ToPrice(com::Bstr::fromUtf8(toPrice)), com::S_OK);
        return drawing;
    }
    std::string stored(std::int32_t company) {
        db::RowSet row =
            tarnwick::gConnection.query("SELECT DrawingInfo FROM Company WHERE ID = ?", {company});
        return row.text("DrawingInfo").value_or("<null>");
    }
    void chartCompany(std::int32_t company) {
        window().SaveKorvelCompanyProfile();
        window().chartFill()->CompanyID = company;
        window().chartCurrentCompany();
    }
    // The anchor's date, whichever form the extension writes it in.
    com::DATE anchor(dravik::IDrawFeature& drawing, bool start) {
        com::Bstr text;
        start ? drawing.get_From(&text) : drawing.get_To(&text);
        const loc::LocaleInfo locale = loc::LocaleRegistry::find(DrawingDateLocale(ext()));
        return ReadAnchorDate(text.toUtf8(), locale, chart()).value_or(-1);
    }
    com::DATE from(dravik::IDrawFeature& drawing) { return anchor(drawing, true); }
    // The client pixel of a chart point and value.
    std::pair<std::int16_t, std::int16_t> pixel(double x, double y) {
        com::LONG px = 0, py = 0;
        EXPECT_EQ(chart().ValueToPixel(x, y, &px, &py, 0), com::S_OK);
        return {static_cast<std::int16_t>(px), static_cast<std::int16_t>(py)};
    }
    bool hover(double x, double y) {
        const auto [px, py] = pixel(x, y);
        return CheckPointDrawingHit(px, py, chart(), true);
    }
    std::vector<com::LONG> tags() {
        std::vector<com::LONG> out;
        com::LONG n = 0;
        list().get_Count(&n);
        for (com::LONG i = 1; i <= n; ++i) {
            com::ComPtr<glossor::IGlosxObject> object;
            list().Item(i, object.put());
            com::LONG tag = 0;
            object->get_Tag(&tag);
            out.push_back(tag);
        }
        return out;
    }
    com::ComPtr<glossor::IGlosxObject> item(com::LONG position) {
        com::ComPtr<glossor::IGlosxObject> object;
        list().Item(position, object.put());
        return object;
    }
    std::array<com::SHORT, 4> ends(glossor::IGlosxObject& object) {
        com::ComPtr<glossor::IGlosxPoints> p;
        com::ComPtr<glossor::IGlosxObject>(&object).as<glossor::IGlosxShape>()->get_Points(p.put());
        std::array<com::SHORT, 4> e{};
        p->get_X1(&e[0]);
        p->get_Y1(&e[1]);
        p->get_X2(&e[2]);
        p->get_Y2(&e[3]);
        return e;
    }
    glossor::IGlosxOverlay& overlay() {
        return *com::ComPtr<glossor::IGlosxList>(&list()).as<glossor::IGlosxOverlay>();
    }
    void choose(com::SHORT command) {
        com::ComPtr<ostbar::IOstToolbar> toolbar;
        ASSERT_EQ(list().get_ToolBarObject(toolbar.put()), com::S_OK);
        ASSERT_EQ(toolbar.as<ostbar::IOstCommandBar>()->FireCommand(command), com::S_OK);
    }
};

TEST_F(DrawingsTest, TwoTrendLinesAndAGannFanComeBackWithTheirCompany) {
    loadFrame();
    ASSERT_EQ(chartCompanyID(chart()), std::to_string(kDefaultCompany));
    // A company without drawings keeps the empty text.
    chartCompany(kOtherCompany);
    EXPECT_EQ(stored(kDefaultCompany), "$$$$$$$$$");

    draw(kTrend, day(2026, 11, 2), "10.5", day(2026, 11, 5), "13.5");
    draw(kTrend, day(2026, 11, 3), "12", day(2026, 11, 6), "11");
    draw(kGann, day(2026, 11, 4), "12.5", day(2026, 11, 6), "14");
    chartCompany(kDefaultCompany);
    const std::string text = stored(kOtherCompany);
    const DrawingSections sections = SplitDrawingSections(text);
    EXPECT_EQ(SplitDrawingRecords(sections[0]).size(), 2U);  // trend lines first
    EXPECT_EQ(SplitDrawingRecords(sections[5]).size(), 1U);  // Gann fans sixth
    EXPECT_NE(sections[0].find("|2026-11-02|10.50|"), std::string::npos) << text;
    EXPECT_NE(sections[5].find("|2026-11-04|12.50|"), std::string::npos) << text;
    EXPECT_EQ(count(kTrend), 0);

    chartCompany(kOtherCompany);
    ASSERT_EQ(count(kTrend), 2);
    ASSERT_EQ(count(kGann), 1);
    EXPECT_EQ(from(*DrawingAt(ext(), kTrend, 1)), day(2026, 11, 3));
    EXPECT_EQ(from(*DrawingAt(ext(), kGann, 0)), day(2026, 11, 4));
}

TEST_F(DrawingsTest, DrawingsThatCannotBePlacedWaitInTheLeftoverUnchanged) {
    const std::string later = "1|True|True|2026-11-09|10|0|1|later|0|2026-11-10|11||True|3";
    const std::string damaged = "1|True|True|someday|10|0|1|bad|0|2026-11-04|11||True|3";
    std::string trends = kTrendRecord + ";" + later + ";" + damaged;
    for (int i = 0; i < 6; ++i)
        trends += ";" + kTrendRecord;  // a seventh trend line inside the dates has no place
    tarnwick::gConnection.execute("UPDATE Company SET DrawingInfo = ? WHERE ID = ?",
                                  {trends + "$$$$$$$$$", kDefaultCompany});
    loadFrame();
    EXPECT_EQ(count(kTrend), 6);
    EXPECT_EQ(window().chartFill()->DrawingText, later + ";" + damaged + ";" + kTrendRecord + "$$$$$$$$$");

    // Saved beside the drawings on the chart, and placed once the chart reaches their dates.
    chartCompany(kOtherCompany);
    const std::string text = stored(kDefaultCompany);
    EXPECT_NE(text.find(later), std::string::npos);
    EXPECT_NE(text.find(damaged), std::string::npos);
    for (const char* d : {"2026-11-09", "2026-11-10"})
        tarnwick::gConnection.execute(
            R"(INSERT INTO "MARKETDAILY1" ("DATE", "COMPANYID", "TotalShares", "TotalAmount", "OpeningPrice",)"
            R"( "MaxPrice", "MinPrice", "ClosingPrice") VALUES (?, ?, 100, 1000, 10, 11, 9, 10))",
            {std::string(d), kDefaultCompany});
    tarnwick::gConnection.execute(
        "UPDATE Company SET DrawingInfo = ? WHERE ID = ?",
        {kTrendRecord + ";" + later + ";" + damaged + "$$$$$$$$$", kDefaultCompany});
    chartCompany(kDefaultCompany);
    EXPECT_EQ(count(kTrend), 2);
    EXPECT_EQ(window().chartFill()->DrawingText, damaged + "$$$$$$$$$");
}

TEST_F(DrawingsTest, TheToleranceGrowsWithThePointsOnTheChart) {
    // 250 weekdays for the default company.
    tarnwick::gConnection.execute("DELETE FROM MARKETDAILY1 WHERE COMPANYID = ?", {kDefaultCompany});
    db::Transaction rows(tarnwick::gConnection);
    com::DATE d = day(2025, 12, 1);
    for (int n = 0; n < 250; d += 1) {
        if (com::weekday(d) == 1 || com::weekday(d) == 7)
            continue;
        tarnwick::gConnection.execute(
            R"(INSERT INTO "MARKETDAILY1" ("DATE", "COMPANYID", "TotalShares", "TotalAmount", "OpeningPrice",)"
            R"( "MaxPrice", "MinPrice", "ClosingPrice") VALUES (?, ?, 100, 1000, 10, 11, 9, 10))",
            {com::formatIsoDate(d), kDefaultCompany});
        ++n;
    }
    rows.commit();
    loadFrame();
    com::LONG points = 0;
    chart().get_PointCount(&points);
    ASSERT_EQ(points, 250);
    double first = 0, last = 0;
    chart().get_XValueAt(korvel::kXValues, 0, &first);
    chart().get_XValueAt(korvel::kXValues, 249, &last);
    const auto level = draw(kTrend, first, "10", last, "10");
    const loc::LocaleInfo dates = loc::LocaleRegistry::find(DrawingDateLocale(ext()));
    // Level line at 10: 0.25 / 10.25 = 0.0244 lies within 0.025, 0.3 / 10.3 = 0.0291 does not.
    EXPECT_TRUE(isHit(chart(), *level, 120, 10.25, dates));
    EXPECT_TRUE(isHit(chart(), *level, 120, 9.76, dates));
    EXPECT_FALSE(isHit(chart(), *level, 120, 10.3, dates));
    EXPECT_FALSE(isHit(chart(), *level, 120, 0, dates));  // a cursor value of 0: no hit
    EXPECT_EQ(ValueIndex(chart(), first), 1);
    EXPECT_EQ(ValueIndex(chart(), last), 250);
    EXPECT_EQ(ValueIndex(chart(), first - 1), 0);
    // While the extension writes anchors as point numbers, a number between two points reads as the
    // nearer point's date.
    double point37 = 0;
    chart().get_XValueAt(korvel::kXValues, 36, &point37);
    EXPECT_EQ(ReadAnchorDate("     36.95", dates, chart()), point37);
    EXPECT_EQ(ReadAnchorDate("250.4", dates, chart()), last);
    EXPECT_FALSE(ReadAnchorDate("250.6", dates, chart()));
    EXPECT_FALSE(ReadAnchorDate("-1.00", dates, chart()));
}

TEST_F(DrawingsTest, TheGannFanWinsAndMovingAlongOneDrawingKeepsOneLine) {
    loadFrame();
    drawLine(list());  // the user's own line stays through every highlight
    draw(kTrend, day(2026, 11, 2), "11", day(2026, 11, 6), "15");
    draw(kTrend, day(2026, 11, 2), "11", day(2026, 11, 6), "15");
    EXPECT_TRUE(hover(3, 13));
    EXPECT_EQ(tags(), (std::vector<com::LONG>{0, 1000}));  // the lower index
    draw(kGann, day(2026, 11, 2), "11", day(2026, 11, 6), "15");
    EXPECT_TRUE(hover(3, 13));
    EXPECT_EQ(tags(), (std::vector<com::LONG>{0, 100}));
    const auto line = item(2);
    EXPECT_EQ(ends(*line), (std::array<com::SHORT, 4>{pixel(1, 11).first, pixel(1, 11).second,
                                                      pixel(5, 15).first, pixel(5, 15).second}));
    EXPECT_TRUE(hover(4, 14));
    EXPECT_EQ(tags(), (std::vector<com::LONG>{0, 100}));
    EXPECT_EQ(item(2).get(), line.get());  // the same line, not a new one
    // Off the chart and off every drawing: no hit; the window's mouse handler then clears the handle.
    EXPECT_FALSE(hover(0.4, 13));
    EXPECT_FALSE(hover(2, 20));
    window().drawingHandles()->Korvel1_MouseMoving(pixel(2, 20).first, pixel(2, 20).second);
    EXPECT_EQ(tags(), (std::vector<com::LONG>{0}));
}

// The first and the last point are on the chart: a drawing that starts or ends there is found with
// the cursor exactly on that point, and nothing one pixel column further out, beyond the points.
TEST_F(DrawingsTest, TheCursorExactlyOnTheFirstOrLastPointFindsTheDrawingThere) {
    loadFrame();
    com::LONG points = 0;
    ASSERT_EQ(chart().get_PointCount(&points), com::S_OK);
    ASSERT_EQ(points, 5);
    // Upright lines on the first and the last day: found wherever the cursor is on their point,
    // between their prices.
    draw(kTrend, day(2026, 11, 2), "11", day(2026, 11, 2), "15");
    draw(kTrend, day(2026, 11, 6), "11", day(2026, 11, 6), "15");
    // The pixel column whose x value is the point's number itself; a plot a few pixels wider or
    // narrower has one where this one has none.
    const auto columnOn = [this](double point, std::int16_t py) -> std::optional<std::int16_t> {
        const korvel::KvlRect plot = chartObject().model().plotRect();
        for (com::LONG x = plot.left; x <= plot.right; ++x) {
            double xv = 0, yv = 0;
            if (chart().PixelToValue(x, py, &xv, &yv, 0) == com::S_OK && xv == point)
                return static_cast<std::int16_t>(x);
        }
        return std::nullopt;
    };
    m_frame->showNormal();
    std::optional<std::int16_t> first, last;
    for (int wider = 0; wider < 40 && (!first || !last); ++wider) {
        m_frame->resize(900 + wider, 700);
        processEvents();
        chartObject().paintSurface();
        first = columnOn(1.0, pixel(1, 13).second);
        last = columnOn(5.0, pixel(5, 13).second);
    }
    ASSERT_TRUE(first && last) << "no plot width maps a pixel column exactly on both ends";
    const std::int16_t py = pixel(1, 13).second;
    for (const auto& [column, tag, outward] : {std::tuple{*first, 1000, -1}, std::tuple{*last, 1001, 1}}) {
        SCOPED_TRACE(tag);
        EXPECT_TRUE(CheckPointDrawingHit(column, py, chart(), true));
        EXPECT_EQ(tags(), std::vector<com::LONG>{tag});
        const auto outside = static_cast<std::int16_t>(column + outward);
        double beyond = 0, yv = 0;
        ASSERT_EQ(chart().PixelToValue(outside, py, &beyond, &yv, 0), com::S_OK);
        ASSERT_TRUE(beyond < 1.0 || beyond > 5.0) << beyond;
        EXPECT_FALSE(CheckPointDrawingHit(outside, py, chart(), true));
    }
}

TEST_F(DrawingsTest, DraggingAHandleMovesItsDrawingKeptOnTheChart) {
    loadFrame();
    const auto trend = draw(kTrend, day(2026, 11, 3), "12", day(2026, 11, 5), "14");
    ASSERT_TRUE(hover(3, 13));
    const auto handle = item(1);
    // Drag the handle by its middle two points to the left: its start leaves the chart.
    const auto [mx, my] = pixel(3, 13);
    const auto [lx, ly] = pixel(1, 13);
    overlay().MouseDown(mx, my, 0);
    overlay().MouseMove(lx, ly, 0);
    overlay().MouseUp(lx, ly, 0);
    // The start moved along the handle from point 0 to point 1 (price 12 + 1, the slope is 1 per point).
    EXPECT_EQ(from(*trend), day(2026, 11, 2));
    EXPECT_EQ(anchor(*trend, false), day(2026, 11, 3));
    EXPECT_EQ(ends(*handle)[0], pixel(1, 13).first);

    // Deleting one of the user's own objects deletes no drawing; deleting the handle deletes its drawing.
    drawLine(list());
    window().drawingHandles()->gGlosx_ObjectDeleted(item(2).get());
    EXPECT_EQ(count(kTrend), 1);
    window().drawingHandles()->gGlosx_ObjectDeleted(handle.get());
    EXPECT_EQ(count(kTrend), 0);
}

TEST_F(DrawingsTest, AVerticalHandleDraggedOffTheChartKeepsItsPrice) {
    loadFrame();
    const auto trend = draw(kTrend, day(2026, 11, 3), "11", day(2026, 11, 3), "15");
    ASSERT_TRUE(hover(2, 13));
    const auto [mx, my] = pixel(2, 13);
    const auto [lx, ly] = pixel(-1, 13);
    overlay().MouseDown(mx, my, 0);
    overlay().MouseMove(lx, ly, 0);
    overlay().MouseUp(lx, ly, 0);
    EXPECT_EQ(from(*trend), day(2026, 11, 2));
    com::Bstr fromPrice, toPrice;
    trend->get_FromPrice(&fromPrice);
    trend->get_ToPrice(&toPrice);
    EXPECT_NEAR(std::stod(fromPrice.toUtf8()), 11, 0.1);
    EXPECT_NEAR(std::stod(toPrice.toUtf8()), 15, 0.1);
}

TEST_F(DrawingsTest, APastedHandleMakesANewDrawingUntilTheKindHasSix) {
    loadFrame();
    for (int i = 0; i < 5; ++i)
        draw(kTrend, day(2026, 11, 2), "11", day(2026, 11, 6), "15");
    ASSERT_TRUE(hover(3, 13));
    const auto [mx, my] = pixel(3, 13);
    overlay().MouseDown(mx, my, 0);
    overlay().MouseUp(mx, my, 0);
    choose(glossor::kCmdCopy);
    choose(glossor::kCmdPaste);
    EXPECT_EQ(count(kTrend), 6);
    EXPECT_EQ(tags(), (std::vector<com::LONG>{1000, 1005}));
    // A double click on a handle is swallowed.
    com::LONG result = 0;
    window().drawingHandles()->gGlosx_LButtonDblClk(item(2).get(), result);
    EXPECT_EQ(result, 1);

    // At six drawings the copy goes again: no second handle names drawing 0.
    choose(glossor::kCmdPaste);
    EXPECT_EQ(count(kTrend), 6);
    EXPECT_EQ(tags(), (std::vector<com::LONG>{1000, 1005}));
}

TEST_F(DrawingsTest, PricesOfAThousandAndMoreComeBackExactAfterEveryChartingAndARestart) {
    loadFrame();
    ASSERT_EQ(chartCompanyID(chart()), std::to_string(kDefaultCompany));
    draw(kTrend, day(2026, 11, 2), "1200", day(2026, 11, 5), "15000.5");
    draw(kTrend, day(2026, 11, 3), "15000.5", day(2026, 11, 6), "1200");
    draw(kTrend, day(2026, 11, 4), "12.25", day(2026, 11, 6), "999.99");
    // The price axis writes its labels with "," between the thousands.
    const std::vector<std::pair<std::string, std::string>> expected{
        {"1,200.00", "15,000.50"}, {"15,000.50", "1,200.00"}, {"12.25", "999.99"}};
    const auto prices = [this] {
        std::vector<std::pair<std::string, std::string>> out;
        for (com::SHORT i = 0; i < count(kTrend); ++i) {
            com::Bstr from, to;
            DrawingAt(ext(), kTrend, i)->get_FromPrice(&from);
            DrawingAt(ext(), kTrend, i)->get_ToPrice(&to);
            out.emplace_back(from.toUtf8(), to.toUtf8());
        }
        return out;
    };
    ASSERT_EQ(prices(), expected);

    // Each charting of another company stores the drawings, each charting of this one reads them.
    for (int round = 0; round < 2; ++round) {
        chartCompany(kOtherCompany);
        const std::string text = stored(kDefaultCompany);
        EXPECT_NE(text.find("|2026-11-02|1,200.00|"), std::string::npos) << text;
        EXPECT_NE(text.find("|2026-11-05|15,000.50|"), std::string::npos) << text;
        EXPECT_NE(text.find("|2026-11-03|15,000.50|"), std::string::npos) << text;
        EXPECT_NE(text.find("|2026-11-06|1,200.00|"), std::string::npos) << text;
        EXPECT_NE(text.find("|2026-11-06|999.99|"), std::string::npos) << text;
        EXPECT_EQ(text.find("-1.00"), std::string::npos) << text;
        chartCompany(kDefaultCompany);
        EXPECT_EQ(prices(), expected) << "round " << round;
    }

    // A new start reads them from the company's row.
    m_frame.reset();
    loadFrame();
    ASSERT_EQ(chartCompanyID(chart()), std::to_string(kDefaultCompany));
    EXPECT_EQ(prices(), expected);
}

// With the price axis in the currency format the prices carry the currency symbol "$", the separator
// of the text's sections: stored as a blank, it leaves every section in its place and the prices
// still read back.
TEST_F(DrawingsTest, PricesWithTheCurrencySymbolKeepEveryKindInItsSection) {
    struct EnglishUser {
        EnglishUser() { loc::LocaleRegistry::setUserDefault(loc::LocaleInfo::english()); }
        ~EnglishUser() { loc::LocaleRegistry::reset(); }
    } english;
    loadFrame();
    com::ComPtr<dravik::ILomexAxis> prices;
    ASSERT_EQ(ext().get_PricesAxis(prices.put()), com::S_OK);
    ASSERT_EQ(prices->put_Format(com::Variant(std::int16_t{2})), com::S_OK);
    draw(kTrend, day(2026, 11, 2), "10.5", day(2026, 11, 5), "13.5");
    draw(kGann, day(2026, 11, 4), "12.5", day(2026, 11, 6), "14");
    const auto pricesOf = [this](com::LONG kind) {
        com::Bstr from, to;
        DrawingAt(ext(), kind, 0)->get_FromPrice(&from);
        DrawingAt(ext(), kind, 0)->get_ToPrice(&to);
        return from.toUtf8() + " " + to.toUtf8();
    };
    const std::string trend = pricesOf(kTrend);
    const std::string gann = pricesOf(kGann);
    ASSERT_NE(trend.find('$'), std::string::npos) << trend;

    chartCompany(kOtherCompany);
    const std::string text = stored(kDefaultCompany);
    EXPECT_EQ(std::count(text.begin(), text.end(), '$'), 9) << text;
    const DrawingSections sections = SplitDrawingSections(text);
    EXPECT_EQ(SplitDrawingRecords(sections[0]).size(), 1U) << text;
    EXPECT_EQ(SplitDrawingRecords(sections[5]).size(), 1U) << text;
    chartCompany(kDefaultCompany);
    ASSERT_EQ(count(kTrend), 1);
    ASSERT_EQ(count(kGann), 1);
    EXPECT_EQ(pricesOf(kTrend), trend);
    EXPECT_EQ(pricesOf(kGann), gann);
    EXPECT_EQ(window().chartFill()->DrawingText, "$$$$$$$$$");
}

TEST_F(DrawingsTest, AnUnreadableEndPriceKeepsTheDefaultAndAnUnreadableStartPriceKeepsTheRecord) {
    const std::string noEnd = "255|True|True|2026-11-02|1,200.00|0|1|noEnd|0|2026-11-05|n/a||True|3";
    const std::string noStart = "255|True|True|2026-11-02|about 12|0|1|noStart|0|2026-11-05|13.5||True|3";
    tarnwick::gConnection.execute("UPDATE Company SET DrawingInfo = ? WHERE ID = ?",
                                  {noEnd + ";" + noStart + "$$$$$$$$$", kDefaultCompany});
    loadFrame();
    ASSERT_EQ(count(kTrend), 1);
    const auto line = DrawingAt(ext(), kTrend, 0);
    com::Bstr name, from, to;
    line->get_Name(&name);
    line->get_FromPrice(&from);
    line->get_ToPrice(&to);
    EXPECT_EQ(name.toUtf8(), "noEnd");
    EXPECT_EQ(from.toUtf8(), "1,200.00");
    EXPECT_EQ(to.toUtf8(), "-1.00");  // a new drawing's end price
    // The start price is no price of the axis's form: the record waits unchanged.
    EXPECT_EQ(window().chartFill()->DrawingText, noStart + "$$$$$$$$$");
}

namespace {

// Counts the error records of a procedure in the program's log.
std::size_t logRecordsOf(const std::string& log, const std::string& procedure) {
    const std::string line = "Function:" + procedure + "\r\n";
    std::size_t n = 0;
    for (std::size_t at = log.find(line); at != std::string::npos; at = log.find(line, at + 1))
        ++n;
    return n;
}

std::string nameOf(dravik::IDrawFeature& drawing) {
    com::Bstr name;
    EXPECT_EQ(drawing.get_Name(&name), com::S_OK);
    return name.toUtf8();
}

com::LONG colorOf(dravik::IDrawFeature& drawing) {
    com::LONG color = 0;
    EXPECT_EQ(drawing.get_Color(&color), com::S_OK);
    return color;
}

}  // namespace

TEST_F(DrawingsTest, EachRecordTakesItsPositionAmongThePlacedOnesAndARestoreAgainReplacesThem) {
    const std::string first = "255|True|True|2026-11-02|10.5|0|1|first|0|2026-11-05|13.5||True|3";
    const std::string later = "1|True|True|2026-11-09|10|0|1|later|0|2026-11-10|11||True|3";
    const std::string second = "255|True|True|2026-11-03|11|0|1|second|0|2026-11-06|12||True|3";
    const std::string noStart = "16711680|True|True|2026-11-04|about 12|0|1|noStart|0|2026-11-05|13||True|3";
    const std::string third = "255|True|True|2026-11-04|12|0|1|third|0|2026-11-06|14||True|3";
    const std::string stored = first + ";" + later + ";" + second + ";" + noStart + ";" + third + "$$$$$$$$$";
    tarnwick::gConnection.execute("UPDATE Company SET DrawingInfo = ? WHERE ID = ?",
                                  {stored, kDefaultCompany});
    loadFrame();
    ASSERT_EQ(count(kTrend), 3);
    EXPECT_EQ(nameOf(*DrawingAt(ext(), kTrend, 0)), "first");
    EXPECT_EQ(nameOf(*DrawingAt(ext(), kTrend, 1)), "second") << "position 2 less one skipped";
    EXPECT_EQ(nameOf(*DrawingAt(ext(), kTrend, 2)), "third") << "position 4 less two skipped";
    EXPECT_EQ(window().chartFill()->DrawingText, later + ";" + noStart + "$$$$$$$$$");

    // Over the same drawings, a second restore sets the drawings at those positions again instead of
    // adding copies.
    EXPECT_EQ(GetAnnotationDrawingInfo(chart(), kDefaultCompany), later + ";" + noStart + "$$$$$$$$$");
    ASSERT_EQ(count(kTrend), 3);
    EXPECT_EQ(nameOf(*DrawingAt(ext(), kTrend, 0)), "first");
    EXPECT_EQ(nameOf(*DrawingAt(ext(), kTrend, 1)), "second");
    EXPECT_EQ(nameOf(*DrawingAt(ext(), kTrend, 2)), "third");
}

TEST_F(DrawingsTest, ARecordThatFailsOverADrawingLeavesThatDrawingAsItWas) {
    tarnwick::gConnection.execute("UPDATE Company SET DrawingInfo = ? WHERE ID = ?",
                                  {kTrendRecord + "$$$$$$$$$", kDefaultCompany});
    loadFrame();
    ASSERT_EQ(count(kTrend), 1);
    // Colour and start date are set before the start price that the extension refuses.
    const std::string noStart = "16711680|True|True|2026-11-04|about 12|0|1|noStart|0|2026-11-05|13||True|3";
    tarnwick::gConnection.execute("UPDATE Company SET DrawingInfo = ? WHERE ID = ?",
                                  {noStart + "$$$$$$$$$", kDefaultCompany});
    EXPECT_EQ(GetAnnotationDrawingInfo(chart(), kDefaultCompany), noStart + "$$$$$$$$$");
    ASSERT_EQ(count(kTrend), 1);
    const auto line = DrawingAt(ext(), kTrend, 0);
    EXPECT_EQ(nameOf(*line), "Mine");
    EXPECT_EQ(colorOf(*line), 255);
    EXPECT_EQ(from(*line), day(2026, 11, 2));
}

TEST_F(DrawingsTest, RecordsThatCannotBeReadOrSetAreLoggedUnderTheirProcedures) {
    const std::string noDates = "1|True|True|someday|10|0|1|bad|0|2026-11-04|11||True|3";
    const std::string noStart = "255|True|True|2026-11-02|about 12|0|1|noStart|0|2026-11-05|13.5||True|3";
    const std::string noWidth = "255|True|True|2026-11-02|10|0|wide|noWidth|0|2026-11-05|13.5||True|3";
    tarnwick::gConnection.execute("UPDATE Company SET DrawingInfo = ? WHERE ID = ?",
                                  {noDates + ";" + noStart + ";" + noWidth + "$$$$$$$$$", kDefaultCompany});
    loadFrame();
    EXPECT_EQ(count(kTrend), 0);
    EXPECT_EQ(window().chartFill()->DrawingText, noDates + ";" + noStart + ";" + noWidth + "$$$$$$$$$");
    const std::string log = errorLog();
    EXPECT_EQ(logRecordsOf(log, "clsCompany_CheckDrawingObjectBoundries"), 1U) << log;
    EXPECT_EQ(logRecordsOf(log, "clsCompany_GetDrawingObjectProperties"), 2U) << log;
    EXPECT_NE(
        log.find(
            "Number: 13\r\nDescription: Type mismatch\r\nFunction:clsCompany_CheckDrawingObjectBoundries"),
        std::string::npos)
        << log;
    EXPECT_EQ(logRecordsOf(log, "GetAnnotationDrawingInfo"), 0U) << log;
}

TEST_F(DrawingsTest, AFailedSaveOrRestoreIsLoggedUnderItsProcedureAndWritesNothing) {
    loadFrame();
    const std::string before = stored(kDefaultCompany);
    draw(kTrend, day(2026, 11, 2), "10.5", day(2026, 11, 5), "13.5");
    exec(R"(CREATE TRIGGER "NoDrawingSave" BEFORE UPDATE OF "DrawingInfo" ON "Company")"
         R"( BEGIN SELECT RAISE(ABORT, 'drawings are read-only'); END)");
    forgetDrawingSaves();
    chartCompany(kOtherCompany);
    EXPECT_TRUE(savedDrawingsOf().empty());
    EXPECT_EQ(stored(kDefaultCompany), before);
    std::string log = errorLog();
    EXPECT_EQ(logRecordsOf(log, "clsCompany_SaveAnnotationDrawingInfo"), 1U) << log;
    EXPECT_NE(log.find("drawings are read-only"), std::string::npos) << log;
    EXPECT_EQ(logRecordsOf(log, "SaveKorvelCompanyProfile"), 0U) << log;

    exec(R"(ALTER TABLE "Company" RENAME COLUMN "DrawingInfo" TO "Drawings")");
    chartCompany(kDefaultCompany);
    log = errorLog();
    EXPECT_EQ(logRecordsOf(log, "clsCompany_GetAnnotationDrawingInfo"), 1U) << log;
    EXPECT_EQ(logRecordsOf(log, "GetAnnotationDrawingInfo"), 0U) << log;
    EXPECT_EQ(window().chartFill()->DrawingText, "");
}

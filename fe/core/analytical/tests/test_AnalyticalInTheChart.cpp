// The analytical chart in the chart that loaded it: the labels of the value axis its panes share, as the
// chart's label loop draws them (each pane labelled in its own values from its data minimum up, with
// its own gaps), the title strips of the panes, the band series, the commands and the zoom.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "ExtensionInTheChart.h"
#include "FixedWidthDC.h"
#include "GalleryFixture.h"
#include "analytical/CAnalyticalChart.h"
#include "com/Activation.h"
#include "com/ClassFactory.h"
#include "com/InprocServer.h"
#include "dravik/Commands.h"
#include "dravik/IFinancialCharts.h"
#include "dravik/Identities.h"
#include "format/DefaultRecords.h"
#include "format/LocaleFormats.h"
#include "gdi/DeviceContext.h"
#include "gdi/Objects.h"
#include "gdi/SystemColors.h"
#include "locale/LocaleRegistry.h"
#include "ostbar/OstBarContract.h"
#include "storage/GlobalMemory.h"

namespace dravik::test {
namespace {

constexpr SHORT kBollinger = 7;

// A DC that keeps what is drawn on it: fills with their brush colour, lines with their pen colour,
// texts with where they start.
class PaintRecordingDC final : public gdi::DeviceContext {
public:
    struct Fill {
        gdi::Rect rect;
        gdi::COLORREF color;
    };
    struct Line {
        gdi::Point from, to;
        gdi::COLORREF color;
    };
    PaintRecordingDC() : DeviceContext(Kind::Memory) { initDefaults(gdi::NULL_HANDLE); }
    ~PaintRecordingDC() override { releaseSelections(); }
    int getDeviceCaps(int index) const override {
        return index == gdi::LOGPIXELSX || index == gdi::LOGPIXELSY ? 96 : 0;
    }
    bool filled(const gdi::Rect& rect, gdi::COLORREF color) const {
        for (const Fill& fill : fills)
            if (fill.rect == rect && fill.color == color)
                return true;
        return false;
    }
    bool lined(gdi::Point from, gdi::Point to, gdi::COLORREF color) const {
        for (const Line& line : lines)
            if (line.from == from && line.to == to && line.color == color)
                return true;
        return false;
    }
    std::vector<Fill> fills;
    std::vector<Line> lines;
    std::vector<std::pair<gdi::Point, std::string>> texts;

protected:
    gdi::Size measureText(const QString& text) const override {
        return {static_cast<std::int32_t>(text.size()) * 7, 12};
    }
    bool drawLine(gdi::Point from, gdi::Point to) override {
        const std::optional<gdi::LogPen> pen = gdi::getPen(currentObject(gdi::ObjectType::Pen));
        lines.push_back({from, to, pen ? pen->color : gdi::CLR_INVALID});
        return true;
    }
    bool drawPoly(std::span<const gdi::Point>, bool) override { return true; }
    bool drawShape(Shape, const gdi::Rect&, gdi::Point, gdi::Point) override { return true; }
    bool fillDeviceRect(const gdi::Rect& rect, gdi::HBRUSH brush, gdi::DWORD) override {
        const std::optional<gdi::LogBrush> logBrush = gdi::getBrush(brush);
        fills.push_back({rect, logBrush ? logBrush->color : gdi::CLR_INVALID});
        return true;
    }
    bool renderText(gdi::Point reference, unsigned, const gdi::Rect*, const QString& text) override {
        texts.emplace_back(reference, text.toStdString());
        return true;
    }
    bool blit(const gdi::Rect&, const DeviceContext*, const gdi::Rect&, gdi::DWORD) override { return true; }
    gdi::COLORREF putPixel(gdi::Point, gdi::COLORREF color) override { return color; }
};

// The extension loaded by the chart by its ProgID, as the program loads it, with two user studies in
// panes: 38 over series 5 (10..20) and 39 over series 6 (0..40), above them the prices 100..122.
class AnalyticalInTheChart : public ExtensionInTheChart {
protected:
    static constexpr LONG kPoints = 20;

    void SetUp() override {
        loc::LocaleRegistry::reset();
        loc::LocaleRegistry::setUserDefault(loc::LocaleInfo::english());
        InitLocaleFormats();
        InitDefaultRecords();
        ExtensionInTheChart::SetUp();
    }

    CAnalyticalChartBase& analytical() {
        return static_cast<CAnalyticalChartBase&>(*extension->gallery(FINANCIAL_ANALYTICAL));
    }
    void twoStudyPanes(bool bollinger = false) {
        korvel::KvlChartModel& model = chart->model();
        model.resize(7, kPoints);
        for (LONG p = 0; p < kPoints; ++p) {
            for (LONG s = 0; s < 5; ++s)
                model.setValue(1, s, p, 100.0 + s + p);
            model.setValue(1, 5, p, p == 0 ? 10.0 : p == 1 ? 20.0 : 15.0);
            model.setValue(1, 6, p, p == 0 ? 0.0 : p == 1 ? 40.0 : 20.0);
            model.setXValue(p, 45000.0 + p);
        }
        for (SHORT number : {kUser0, kUser1}) {
            StudyRecord& record = *extension->studyRecord(number);
            record.subIndicators = 1;
            record.visible = 1;
            record.space = 30;
            record.spaceGap = 3;
        }
        if (bollinger)
            extension->studyRecord(kBollinger)->visible = 1;
        extension->chartTypeState().extension.options |= FEO_NOINFLATE;
        chart->dataChanged();
        ASSERT_EQ(chart->put_ChartType(kAnalyticalGalleryNumber), com::S_OK);
    }
    std::vector<korvel::KvlDrawnLabel> paintLabels(LONG axis, LONG major) {
        chart->paint(&dc, korvel::KvlRect{0, 0, 640, 480}, false);
        std::vector<korvel::KvlDrawnLabel> labels;
        for (const korvel::KvlDrawnLabel& drawn : chart->drawnLabels())
            if (drawn.axis == axis && drawn.major == major)
                labels.push_back(drawn);
        return labels;
    }

    FixedWidthDC dc{7};
};

struct ExpectedLabel {
    LONG index;
    double position;
    double value;
    double gap;
    std::string text;
};

void expectLabels(const std::vector<korvel::KvlDrawnLabel>& drawn,
                  const std::vector<ExpectedLabel>& expected) {
    ASSERT_EQ(drawn.size(), expected.size());
    for (std::size_t i = 0; i < drawn.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_FALSE(drawn[i].own);
        EXPECT_EQ(drawn[i].index, expected[i].index);
        EXPECT_NEAR(drawn[i].position, expected[i].position, 1e-9);
        EXPECT_NEAR(drawn[i].value, expected[i].value, 1e-9);
        EXPECT_NEAR(drawn[i].gap, expected[i].gap, 1e-9);
        EXPECT_EQ(drawn[i].text, expected[i].text);
    }
}

// One pane's labels as they should come: `count` labels from `from` up on the shared axis, `step`
// apart, valued from `firstValue` by `valueStep`, the last one's gap reaching up to `to` (where the
// next pane's first label stands; for the top pane, a step past the plot's top, where the control's
// loop ends). Texts with two decimals after `prefix`, or none
// when `prefix` is null (minor labels).
void appendPane(std::vector<ExpectedLabel>& labels, double from, double to, LONG count, double step,
                double firstValue, double valueStep, const char* prefix) {
    for (LONG j = 0; j < count; ++j) {
        const double position = from + j * step;
        const double value = firstValue + j * valueStep;
        char text[32] = {};
        if (prefix)
            std::snprintf(text, sizeof text, "%s%.2f", prefix, value);
        labels.push_back(
            {static_cast<LONG>(labels.size()), position, value, j + 1 == count ? to - position : step, text});
    }
}

// Panes of 30 % with 3 % gaps: the study panes lie over 0..30 % and 33..63 %, the price pane over
// 66..100 %, so the shared axis shows 100 - 22 x 66 / 34 = 57.294.. up to 122 over the plot's 420
// pixels (rows 440 up to 20). The control steps by one and a half text lines of 12 pixels: 18 pixels
// (64.705.. x 18 / 420 = 2.773..) for major labels, 9 for minor ones. The first study pane has 127
// pixels up to its title (rows 440..313) and 138 up to the second pane (row 302); the second 128
// (302..174) and 138 (up to row 164); the price pane 144 (164..20).
TEST_F(AnalyticalInTheChart, EachPaneIsLabelledInItsOwnValuesFromItsMinimumUp) {
    twoStudyPanes();
    const double bottom = 100 - 22.0 * 66 / 34;
    const double shared = 122 - bottom;
    const double pixel = shared / 420;
    const double secondPane = bottom + 138 * pixel;
    const double pricePane = bottom + 276 * pixel;
    // The first study pane shows its 10 over 30 % of the plot (100 / 3 over the whole), the second its
    // 40 (400 / 3 over the whole); the price pane shows the shared range itself.
    const auto firstPaneStep = [&](double step) { return shared * step / (100.0 / 3); };
    const auto secondPaneStep = [&](double step) { return shared * step / (400.0 / 3); };

    // Major: trunc(127 / 18) = 7 steps fit in the first pane, one less as as many reach the second
    // pane (138 / 18 -> 7), so its data range splits in 7: 10 / 7 rounded up to 2. Likewise 40 / 7 ->
    // 6 in the second pane, 22 / (144 / 18 + 1) -> 3 in the price pane. On the shared axis a step of 2
    // in the first pane is 25.2 pixels: 5 fit in 127, and the 12 pixels left up to the second pane
    // are less than a step, so the last label takes them with a step: 5 labels 10..18. A step of 6 in
    // the second pane is 18.9 pixels: 6 fit in 128 and 24.6 are left, 7 labels 0..36. The price pane's
    // 3 is 19.47 pixels: 7 fit in 144 and 7.7 are left, so 6 steps and the top label, 100..121.
    std::vector<ExpectedLabel> major;
    appendPane(major, bottom, secondPane, 5, firstPaneStep(2), 10, 2, "");
    appendPane(major, secondPane, pricePane, 7, secondPaneStep(6), 0, 6, "");
    appendPane(major, pricePane, 122 + 3, 8, 3, 100, 3, "$");
    expectLabels(paintLabels(0, 1), major);
    // Minor, 9 pixels: the first pane fits 14 steps and reaches the second with 15, so 10 / 15 ->
    // 1, 12.6 pixels: 10 fit, 12 left, 10 labels. The second fits 14 and reaches 15: 40 / 15 -> 3,
    // 9.45 pixels: 13 fit, 15.15 left, 14 labels. The price pane fits 144 / 9 = 16: 22 / 17 -> 2,
    // 12.98 pixels: 11 fit, 1.2 left, 10 steps and the top label. Values step by the unrounded
    // quotient (2 / 3, 8 / 3, 22 / 17); no texts.
    std::vector<ExpectedLabel> minor;
    appendPane(minor, bottom, secondPane, 10, firstPaneStep(1), 10, 2.0 / 3, nullptr);
    appendPane(minor, secondPane, pricePane, 14, secondPaneStep(3), 0, 8.0 / 3, nullptr);
    appendPane(minor, pricePane, 122 + 2, 12, 2, 100, 22.0 / 17, nullptr);
    expectLabels(paintLabels(0, 0), minor);
    // The records keep the last pass, the major one: labels 0..4 of step 2.
    const StudyAxisRecord& first = analytical().axisRecord(0);
    EXPECT_EQ(first.labelCount, 4);
    EXPECT_NEAR(first.controlStep, 64.705882352941174 * 2 / (43.333333333333336 - 10), 1e-9);
    EXPECT_EQ(analytical().studyAxisSettings(kUser0)->minorStep, 1.0);
    EXPECT_EQ(analytical().studyAxisSettings(kUser0)->step, 2.0);
}

// Every label stands where its pane shows its value: the value mapped through the pane's display range
// onto the shared axis lands within two pixels of the label (the panes' edges are whole pixels).
TEST_F(AnalyticalInTheChart, EveryLabelSitsAtItsPaneValue) {
    twoStudyPanes();
    const std::vector<korvel::KvlDrawnLabel> labels = paintLabels(0, 1);
    const StudyAxisRecord& price = analytical().axisRecord(3);
    const double onePixel = (price.displayMax - price.displayMin) / 400;
    // Five labels in the first pane, seven in the second, eight in the price pane (see above).
    std::vector<LONG> paneOfLabel(5, 0);
    paneOfLabel.insert(paneOfLabel.end(), 7, 1);
    paneOfLabel.insert(paneOfLabel.end(), 8, 3);
    ASSERT_EQ(labels.size(), paneOfLabel.size());
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const StudyAxisRecord& pane = analytical().axisRecord(paneOfLabel[i]);
        const double shared = price.displayMin + (labels[i].value - pane.displayMin) *
                                                     (price.displayMax - price.displayMin) /
                                                     (pane.displayMax - pane.displayMin);
        EXPECT_NEAR(labels[i].position, shared, 2 * onePixel) << i;
    }
}

TEST_F(AnalyticalInTheChart, TitleRectanglesLieBetweenThePanes) {
    twoStudyPanes();
    chart->paint(&dc, korvel::KvlRect{0, 0, 640, 480}, false);
    CAnalyticalChartBase& type = analytical();
    const korvel::KvlRect plot = type.plotRect();
    // Each study pane's title spans the plot and lies just above its data maximum, below the next
    // pane's data minimum; the price pane ends just below the price minimum.
    EXPECT_EQ(type.axisRecord(0).titleRect, (std::array<LONG, 4>{plot.left, 302, plot.right, 313}));
    EXPECT_EQ(type.axisRecord(1).titleRect, (std::array<LONG, 4>{plot.left, 164, plot.right, 174}));
    EXPECT_EQ(type.axisRecord(3).titleRect, (std::array<LONG, 4>{plot.left, plot.top, plot.right, 164}));
    // The gap between a pane's maximum and the next pane's minimum is 3 % of the plot.
    const double gapPixels = 0.03 * (plot.bottom - plot.top);
    EXPECT_NEAR(313 - 302 + 2, gapPixels, 1.5);
}

// The panes' own grid pens: the first pane's minor grid in red, the second pane's minor grid hidden.
TEST_F(AnalyticalInTheChart, EachLabelGetsItsPanesGridPen) {
    twoStudyPanes();
    AxisSettingsRecord& first = *analytical().studyAxisSettings(kUser0);
    first.minorTickStyle = static_cast<std::int16_t>(first.minorTickStyle | kTickGridShown);
    first.minorGridColor = 0x0000FF;
    first.minorGridWidth = 1;
    first.minorGridStyle = 0;
    AxisSettingsRecord& second = *analytical().studyAxisSettings(kUser1);
    second.minorTickStyle = static_cast<std::int16_t>(second.minorTickStyle & 0x7FFF);
    chart->paint(&dc, korvel::KvlRect{0, 0, 640, 480}, false);

    char text[korvel::kAxisLabelTextSize] = {};
    korvel::KvlTextBuffer buffer{text, static_cast<LONG>(sizeof text)};
    const double step = (122 - 57.294117647058826) / 10;
    double gap = step;
    double value = 0;
    LONG index = 0;
    ASSERT_EQ(analytical().GetAxisLabel(&dc, 0, 0, &gap, 0, &value, &index, &buffer), com::S_OK);
    EXPECT_EQ(index, 1);
    const std::optional<gdi::LogPen> pen = gdi::getPen(dc.currentObject(gdi::ObjectType::Pen));
    ASSERT_TRUE(pen.has_value());
    EXPECT_EQ(pen->color, 0x0000FFu);
    // The first pane's last label hands over to the second pane, whose minor grid is hidden.
    gap = step;
    ASSERT_EQ(analytical().GetAxisLabel(&dc, 0, 0, &gap, 0, &value, &index, &buffer), com::S_OK);
    EXPECT_EQ(index, 2);
    EXPECT_EQ(dc.currentObject(gdi::ObjectType::Pen), gdi::getStockObject(gdi::NULL_PEN));
}

// Calls the loop can end on: a step of zero or one that is not finite, and an index past the panes,
// give nothing and leave the index as it is; a negative step comes back negated.
TEST_F(AnalyticalInTheChart, ALabelOutsideThePanesOrWithoutAStepGivesNothing) {
    twoStudyPanes();
    chart->paint(&dc, korvel::KvlRect{0, 0, 640, 480}, false);
    char text[korvel::kAxisLabelTextSize] = {};
    korvel::KvlTextBuffer buffer{text, static_cast<LONG>(sizeof text)};
    for (const double step : {0.0, std::nan(""), HUGE_VAL}) {
        double gap = step;
        double value = -7;
        LONG index = 0;
        ASSERT_EQ(analytical().GetAxisLabel(&dc, 0, 1, &gap, 0, &value, &index, &buffer), com::S_OK);
        EXPECT_EQ(index, 0);
        EXPECT_EQ(value, -7);
        EXPECT_STREQ(text, "");
    }
    double gap = -(122 - 57.294117647058826) / 5;
    double value = 0;
    LONG index = 0;
    ASSERT_EQ(analytical().GetAxisLabel(&dc, 0, 1, &gap, 0, &value, &index, &buffer), com::S_OK);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(value, 10);
    EXPECT_NEAR(gap, -21.260504201680675, 1e-9);
    // At a fifth of the axis each study pane gets one label and the price pane three: five in all,
    // index 5 lies past the price pane.
    gap = 12;
    value = -7;
    index = 5;
    text[0] = '\0';
    ASSERT_EQ(analytical().GetAxisLabel(&dc, 0, 1, &gap, 0, &value, &index, &buffer), com::S_OK);
    EXPECT_EQ(index, 5);
    EXPECT_EQ(gap, 12);
    EXPECT_EQ(value, -7);
    EXPECT_STREQ(text, "");
}

// A pane whose range has no height gets one label reaching to the next pane, and the loop still ends.
TEST_F(AnalyticalInTheChart, APaneWithoutHeightGetsOneLabel) {
    twoStudyPanes();
    analytical().SetAxisScaleValue(0, AnalyticalScaleField::Max, 10);
    ASSERT_EQ(analytical().axisRecord(0).displayMax, analytical().axisRecord(0).displayMin);
    const std::vector<korvel::KvlDrawnLabel> labels = paintLabels(0, 1);
    ASSERT_FALSE(labels.empty());
    EXPECT_EQ(labels[0].value, 10);
    EXPECT_EQ(analytical().axisRecord(0).labelCount, 0);
    EXPECT_EQ(analytical().axisRecord(0).controlStep, 0);
    // Its one label reaches the 138 pixels (of 420 over the shared 64.705..) up to the second pane,
    // which with the price pane is labelled as when the first pane has its height: 7 and 8 labels.
    EXPECT_NEAR(labels[0].gap, 64.705882352941174 * 138 / 420, 1e-9);
    ASSERT_EQ(labels.size(), 1u + 7u + 8u);
    EXPECT_EQ(labels[1].value, 0);
    EXPECT_EQ(labels[8].value, 100);
    EXPECT_EQ(labels.back().value, 121);
}

// A colour or a line width the chart changed on one band is given to both bands before the next paint.
TEST_F(AnalyticalInTheChart, BothBandSeriesTakeWhatTheChartChangedOnOne) {
    twoStudyPanes(true);
    CAnalyticalChartBase& type = analytical();
    const LONG entry = type.FindStudyEntry(kBollinger);
    ASSERT_GE(entry, 0);
    const SHORT upper = type.entry(entry).firstSeries;
    chart->paint(&dc, korvel::KvlRect{0, 0, 640, 480}, false);
    LONG color = 0;
    ASSERT_EQ(chart->SetSeriesColor(static_cast<SHORT>(upper + 1), 0x00A0B0), com::S_OK);
    chart->model().setAttribute(upper, korvel::kAttrLineWidth, 3);
    chart->paint(&dc, korvel::KvlRect{0, 0, 640, 480}, false);
    for (const SHORT band : {upper, static_cast<SHORT>(upper + 1)}) {
        ASSERT_EQ(chart->GetSeriesColor(band, &color), com::S_OK);
        EXPECT_EQ(color, 0x00A0B0) << band;
        EXPECT_EQ(chart->model().series(band)->attributes[korvel::kAttrLineWidth], 3) << band;
    }
    const StudyRecord& record = *extension->studyRecord(kBollinger);
    EXPECT_EQ(record.series[0].color[0], 0x00A0B0u);
    EXPECT_EQ(record.series[1].color[0], 0x00A0B0u);
    EXPECT_EQ(record.series[0].lineWidth[0], 3);
    EXPECT_EQ(record.series[1].lineWidth[0], 3);
    // Another study's series keep their own colour.
    const SHORT user = type.entry(type.FindStudyEntry(kUser0)).firstSeries;
    ASSERT_EQ(chart->GetSeriesColor(user, &color), com::S_OK);
    EXPECT_NE(color, 0x00A0B0);
}

// Each study pane's title strip (302..313 and 164..174 on this chart, see above) is filled with the
// chart's background and edged by the border style: style 1 a light top edge and a dark bottom edge
// one pixel in from the left. The first pane's axis title is written in it, vertically centred.
TEST_F(AnalyticalInTheChart, StudyPaneTitlesAreDrawnInTheirStrips) {
    twoStudyPanes();
    analytical().studyAxisSettings(kUser0)->setTitle("Pane one");
    chart->model().settings().borderStyle = 1;
    chart->model().settings().backColor = 0x00E0F0;
    PaintRecordingDC recorder;
    chart->paint(&recorder, korvel::KvlRect{0, 0, 640, 480}, false);
    const korvel::KvlRect plot = analytical().plotRect();
    const gdi::COLORREF light = gdi::getSysColor(gdi::COLOR_BTNHIGHLIGHT);
    const gdi::COLORREF dark = gdi::getSysColor(gdi::COLOR_BTNSHADOW);
    for (const auto& [top, bottom] : {std::pair{302, 313}, std::pair{164, 174}}) {
        SCOPED_TRACE(top);
        EXPECT_TRUE(recorder.filled(gdi::Rect{plot.left, top, plot.right, bottom}, 0x00E0F0));
        EXPECT_TRUE(recorder.lined({plot.left, top}, {plot.right, top}, light));
        EXPECT_TRUE(recorder.lined({plot.left + 1, bottom}, {plot.right, bottom}, dark));
    }
    // One line centred in the strip made one pixel smaller at top and bottom (303..312).
    const auto title = std::find_if(recorder.texts.begin(), recorder.texts.end(),
                                    [](const auto& text) { return text.second == "Pane one"; });
    ASSERT_NE(title, recorder.texts.end());
    const int lineHeight = recorder.getTextMetrics().height;
    EXPECT_EQ(title->first, (gdi::Point{plot.left, 303 + (312 - 303 - lineHeight) / 2}));
    // The price pane has no strip of its own.
    EXPECT_FALSE(recorder.filled(gdi::Rect{plot.left, plot.top, plot.right, 164}, 0x00E0F0));
}

// In black and white the strips are not filled and both edges are black.
TEST_F(AnalyticalInTheChart, BlackAndWhiteTitlesHaveBlackEdgesOnly) {
    twoStudyPanes();
    chart->model().settings().borderStyle = 0;
    chart->model().settings().backColor = 0x00E0F0;
    chart->model().settings().styleWord |= 0x1000;
    PaintRecordingDC recorder;
    chart->paint(&recorder, korvel::KvlRect{0, 0, 640, 480}, false);
    const korvel::KvlRect plot = analytical().plotRect();
    EXPECT_TRUE(analytical().blackAndWhite());
    EXPECT_FALSE(recorder.filled(gdi::Rect{plot.left, 302, plot.right, 313}, 0x00E0F0));
    EXPECT_TRUE(recorder.lined({plot.left, 302}, {plot.right, 302}, 0));
    EXPECT_TRUE(recorder.lined({plot.left + 1, 313}, {plot.right, 313}, 0));
}

// Each command that needs price series is enabled exactly while all of them are bound; the commands
// that need none (a moving average over its work series) stay enabled.
TEST_F(AnalyticalInTheChart, CommandsAreEnabledByTheSeriesTheyNeed) {
    twoStudyPanes();
    auto toolbar = com::ComPtr<ostbar::IOstCommandBar>(extension->commandBar()).as<ostbar::IOstToolbar>();
    ASSERT_TRUE(toolbar);
    const auto enabled = [&](SHORT id) {
        com::ComPtr<ostbar::IOstCommand> command;
        EXPECT_EQ(toolbar->Command(id, command.put()), com::S_OK) << id;
        com::VARIANT_BOOL value = 0;
        command->get_Enabled(&value);
        return value != 0;
    };
    constexpr unsigned C = 1, H = 2, L = 4, O = 8, V = 16;
    struct Row {
        unsigned needs;
        std::vector<SHORT> commands;
    };
    const std::vector<Row> table{
        {C, {5}},
        {H | L, {19, 43, 47}},
        {H | L | C, {6, 20, 21, 31, 32, 36, 41}},
        {O | H | L | C, {7, 8}},
        {V, {22, 46}},
        {V | C, {23, 24, 25, 38}},
        {V | H | L, {42}},
        {V | H | L | C, {28, 29, 30}},
    };
    for (const unsigned bound :
         {0u, C, H | L, H | L | C, O | H | L | C, V, V | C, V | H | L, V | H | L | C | O}) {
        SCOPED_TRACE(bound);
        SeriesBinding& binding = extension->seriesBinding();
        binding.closeSeries = (bound & C) != 0 ? 2 : -1;
        binding.highSeries = (bound & H) != 0 ? 3 : -1;
        binding.lowSeries = (bound & L) != 0 ? 0 : -1;
        binding.openSeries = (bound & O) != 0 ? 1 : -1;
        binding.volumeSeries = (bound & V) != 0 ? 4 : -1;
        analytical().EnableStudyCommands();
        for (const Row& row : table)
            for (const SHORT id : row.commands)
                EXPECT_EQ(enabled(id), (row.needs & bound) == row.needs) << id;
        EXPECT_TRUE(enabled(10));  // the 10-point moving average
    }
}

// A zoomed view fits each pane to its visible points; a study starting in zero keeps 0 as its minimum.
TEST_F(AnalyticalInTheChart, AZoomedViewFitsThePanesAndKeepsAZeroStart) {
    twoStudyPanes();
    extension->studyRecord(kUser0)->startInZero = 1;
    extension->chartTypeState().extension.zoomRescale = 1;
    CAnalyticalChartBase& type = analytical();
    // Points 2..9 (0-based): series 5 holds 15 there, series 6 holds 20, the prices 102..112.
    type.OnScrollChange(2, 9);
    EXPECT_EQ(type.axisRecord(0).dataMin, 0.0);
    EXPECT_EQ(type.axisRecord(0).dataMax, 15.0);
    // Series 6 alone is flat: its pane opens around the value instead of mapping it nowhere.
    EXPECT_DOUBLE_EQ(type.axisRecord(1).dataMin, 19.95);
    EXPECT_DOUBLE_EQ(type.axisRecord(1).dataMax, 20.05);
    EXPECT_EQ(type.axisRecord(3).dataMin, 102.0);
    EXPECT_EQ(type.axisRecord(3).dataMax, 112.0);
    // The panes are laid out again: the first pane's band starts at the bottom of the plot.
    EXPECT_EQ(type.axisRecord(0).displayMin, 0.0);
    EXPECT_DOUBLE_EQ(type.axisRecord(0).displayMax, 15.0 + 15.0 * 70.0 / 30.0);
    // Labels of the next paint follow the new ranges.
    const std::vector<korvel::KvlDrawnLabel> labels = paintLabels(0, 1);
    ASSERT_FALSE(labels.empty());
    EXPECT_EQ(labels[0].value, 0.0);
}

// Zooming out after a zoomed view gives every pane the range of all its points back, as the chart
// showed it before the zoom; a full view that was never zoomed leaves the ranges alone.
TEST_F(AnalyticalInTheChart, ZoomingOutGivesThePanesTheirWholeRangesBack) {
    twoStudyPanes();
    extension->chartTypeState().extension.zoomRescale = 1;
    CAnalyticalChartBase& type = analytical();
    const LONG last = type.points() - 1;
    struct Range {
        double min, max;
        bool operator==(const Range&) const = default;
    };
    const auto ranges = [&] {
        std::vector<Range> all;
        for (LONG a : {0, 1, 3})
            all.push_back({type.axisRecord(a).dataMin, type.axisRecord(a).dataMax});
        return all;
    };
    const std::vector<Range> whole = ranges();
    type.OnScrollChange(0, last);
    EXPECT_EQ(ranges(), whole);

    type.OnScrollChange(2, 9);
    ASSERT_NE(ranges(), whole);
    EXPECT_EQ(type.axisRecord(3).dataMax, 112.0);
    type.OnScrollChange(0, last);
    EXPECT_EQ(ranges(), whole);
    EXPECT_NE(type.axisRecord(3).dataMax, 112.0);
}

// Every label of a pane draws its grid line with the pane's pen, though the chart selects its own
// before each label: the price pane's twelve minor labels (indices 24-35, after the study panes' 10
// and 14) in its minor grid colour.
TEST_F(AnalyticalInTheChart, EveryLabelOfAPaneDrawsWithThePanesPen) {
    twoStudyPanes();
    AxisSettingsRecord& price = extension->settings().priceAxis;
    price.minorTickStyle = static_cast<std::int16_t>(price.minorTickStyle | kTickGridShown);
    price.minorGridColor = 0x00C000;
    price.minorGridWidth = 1;
    price.minorGridStyle = 0;
    PaintRecordingDC recorder;
    chart->paint(&recorder, korvel::KvlRect{0, 0, 640, 480}, false);
    LONG priceLabels = 0;
    for (const korvel::KvlDrawnLabel& label : chart->drawnLabels()) {
        if (label.axis != 0 || label.major != 0 || label.index < 24)
            continue;
        ++priceLabels;
        const korvel::KvlRect plot = chart->model().plotRect();
        EXPECT_TRUE(recorder.lined({plot.left, label.pixel}, {plot.right, label.pixel}, 0x00C000))
            << label.index;
    }
    EXPECT_EQ(priceLabels, 12);
}

// The extension's whole saved state through its stream, as the chart saves it.
std::vector<std::uint8_t> savedState(CFinancialCharts& extension) {
    com::ComPtr<com::IStream> stream;
    EXPECT_EQ(com::createStreamOnHGlobal(nullptr, stream.put()), com::S_OK);
    EXPECT_EQ(extension.Save(stream.get(), 1), com::S_OK);
    com::HGLOBAL memory;
    com::getHGlobalFromStream(stream.get(), &memory);
    return memory ? memory->bytes : std::vector<std::uint8_t>{};
}

com::HRESULT loadState(CFinancialCharts& extension, std::vector<std::uint8_t> bytes) {
    com::ComPtr<com::IStream> stream;
    EXPECT_EQ(com::createStreamOnBuffer(bytes.data(), bytes.size(), false, stream.put()), com::S_OK);
    return extension.Load(stream.get());
}

// A saved state cut short at its end is refused after the chart types have read theirs: the analytical
// chart keeps the price axis it worked out for the prices shown (the closes 102..121 rounded to whole
// steps, 100..122), and the next save is the same as before.
TEST_F(AnalyticalInTheChart, ALoadRefusedAtTheEndLeavesThePriceAxisAsItWas) {
    twoStudyPanes();
    const StudyAxisRecord& price = analytical().axisRecord(3);
    ASSERT_EQ(price.dataMin, 100.0);
    ASSERT_EQ(price.dataMax, 122.0);
    const double displayMin = price.displayMin;
    const double displayMax = price.displayMax;
    const LONG userEntry = analytical().FindStudyEntry(kUser0);
    ASSERT_GE(userEntry, 0);
    const std::vector<std::uint8_t> before = savedState(*extension);
    ASSERT_GT(before.size(), 4u);
    for (const std::size_t cut : {std::size_t{1}, std::size_t{4}}) {
        SCOPED_TRACE(cut);
        std::vector<std::uint8_t> broken(before.begin(), before.end() - static_cast<std::ptrdiff_t>(cut));
        EXPECT_EQ(loadState(*extension, broken), com::E_FAIL);
        EXPECT_EQ(price.dataMin, 100.0);
        EXPECT_EQ(price.dataMax, 122.0);
        EXPECT_EQ(price.displayMin, displayMin);
        EXPECT_EQ(price.displayMax, displayMax);
        EXPECT_EQ(analytical().FindStudyEntry(kUser0), userEntry);
        EXPECT_EQ(savedState(*extension), before);
    }
}

}  // namespace
}  // namespace dravik::test

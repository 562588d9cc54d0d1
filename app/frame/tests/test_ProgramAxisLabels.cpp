// The axis labels of the assembled program's chart as a user reads them: the texts the last paint drew,
// where they stand and which columns they cover, after the commands a user gives (studies, special
// chart types, a long monthly chart, a small window, a zoom).
#include <QAbstractButton>
#include <QComboBox>
#include <QImage>
#include <QMenu>
#include <QMouseEvent>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <regex>
#include <string>
#include <vector>

#include "AssembledProgramFixture.h"
#include "CommandActions.h"
#include "dravik/AxisInterfaces.h"
#include "dravik/Commands.h"
#include "frame/frmChartSettings.h"
#include "korvel/KvlLabelLoop.h"
#include "ostbar/OstToolbarWidget.h"

namespace {

using com::LONG;

// The number a value label reads, its thousands separators left out.
double labelNumber(const std::string& text) {
    std::string digits;
    for (const char c : text)
        if (c != ',')
            digits += c;
    return std::atof(digits.c_str());
}

// A whole number as a value label writes it: every digit there, thousands grouped ("-230,000").
bool isWholeGroupedNumber(const std::string& text) {
    static const std::regex whole("-?[1-9][0-9]{0,2}(,[0-9]{3})*|0");
    return std::regex_match(text, whole);
}

bool hasDecimals(const std::string& text) {
    return text.find('.') != std::string::npos;
}

class ProgramAxisLabelsTest : public AssembledProgramTest {
protected:
    // The labels of one kind drawn by the last paint: major labels with a text.
    std::vector<korvel::KvlDrawnLabel> paintedLabels(bool dateAxis) {
        chartObject().paintSurface();
        std::vector<korvel::KvlDrawnLabel> labels;
        for (const korvel::KvlDrawnLabel& label : chartObject().drawnLabels()) {
            const bool isDate = label.axis == korvel::kXAxis;
            if (isDate == dateAxis && label.major != 0 && !label.text.empty() && label.text != " ")
                labels.push_back(label);
        }
        return labels;
    }

    static std::string listed(const std::vector<korvel::KvlDrawnLabel>& labels) {
        std::string out;
        for (const korvel::KvlDrawnLabel& label : labels)
            out += "\"" + label.text + "\"@" + std::to_string(label.pixel) + "[" +
                   std::to_string(label.textLeft) + "," + std::to_string(label.textRight) + "] ";
        return out;
    }

    // Triggers a command of the extension's toolbar, as the user clicks it.
    void triggerFinancial(com::SHORT id) {
        if (ostbar::OstToolbarWidget* row = financialRow())
            if (QAction* action = findCommandAction(row->actions(), id)) {
                action->trigger();
                processEvents();
                return;
            }
        FAIL() << "no command " << id;
    }

    void startProgramAt(int width, int height) {
        startProgram();
        frameWindow().resize(width, height);
        processEvents();
    }

    // Chooses the entry of a list of the chart settings window whose text starts with `text`.
    void chooseListEntry(const char* list, const char* text) {
        frame::Form* settings = frameWindow().toolWindow(QStringLiteral("frmChartSettings"));
        ASSERT_NE(settings, nullptr);
        auto* combo = static_cast<QComboBox*>(settings->controlWidget(QString::fromLatin1(list)));
        int index = -1;
        std::string entries;
        for (int i = 0; i < combo->count(); ++i) {
            entries += combo->itemText(i).toStdString() + "; ";
            if (index < 0 && combo->itemText(i).startsWith(QString::fromLatin1(text), Qt::CaseInsensitive))
                index = i;
        }
        ASSERT_GE(index, 0) << list << " lists " << entries;
        combo->setCurrentIndex(index);
        emit combo->activated(index);
        processEvents();
    }

    // Every label's text lies inside the chart, and no two overlap.
    void expectDateLabelsApartAndInside(const char* when) {
        SCOPED_TRACE(when);
        const std::vector<korvel::KvlDrawnLabel> labels = paintedLabels(true);
        const LONG width = chartObject().model().clientRect().width();
        // Two years a small window labels by year: a label at the right edge without room is left out.
        ASSERT_GE(labels.size(), 2u) << listed(labels);
        std::vector<std::pair<LONG, LONG>> spans;
        for (const korvel::KvlDrawnLabel& label : labels) {
            EXPECT_GT(label.textRight, label.textLeft) << listed(labels);
            spans.emplace_back(label.textLeft, label.textRight);
        }
        std::sort(spans.begin(), spans.end());
        for (std::size_t i = 0; i < spans.size(); ++i) {
            EXPECT_GE(spans[i].first, 0) << listed(labels);
            EXPECT_LE(spans[i].second, width) << listed(labels);
            if (i > 0) {
                EXPECT_LE(spans[i - 1].second, spans[i].first) << "overlap: " << listed(labels);
            }
        }
    }

    // No date label between the first and the last one shown is left out (a blank where a period
    // begins): a step that fits only the first and last texts leaves wider ones between without room.
    void expectNoDateLabelLeftOutBetween(const char* when) {
        SCOPED_TRACE(when);
        const std::vector<korvel::KvlDrawnLabel> shown = paintedLabels(true);
        ASSERT_FALSE(shown.empty());
        const auto [low, high] = std::minmax_element(
            shown.begin(), shown.end(), [](const auto& a, const auto& b) { return a.pixel < b.pixel; });
        for (const korvel::KvlDrawnLabel& label : chartObject().drawnLabels()) {
            const bool between = label.pixel > low->pixel && label.pixel < high->pixel;
            if (label.axis == korvel::kXAxis && label.major != 0 && between) {
                EXPECT_NE(label.text, " ") << "left out at " << label.pixel << ": " << listed(shown);
            }
        }
    }

    // Every date label whole, as the chart types write it ("7 Feb 2024", "Feb 24", "Apr", "2024",
    // "Q1 24"), the labels apart and inside, none left out between the first and the last.
    void expectWholeDateLabels(const char* when) {
        SCOPED_TRACE(when);
        static const std::regex date(
            "[1-9][0-9]? [A-Z][a-z]{2} [0-9]{4}|[A-Z][a-z]{2}( [0-9]{2})?|[0-9]{4}|[QS][1-4]( [0-9]{2})?");
        const std::vector<korvel::KvlDrawnLabel> dates = paintedLabels(true);
        for (const korvel::KvlDrawnLabel& label : dates)
            EXPECT_TRUE(std::regex_match(label.text, date))
                << "\"" << label.text << "\" of " << listed(dates);
        expectDateLabelsApartAndInside(when);
        expectNoDateLabelLeftOutBetween(when);
    }

    // The value labels stand fully inside the chart (none cut at its left edge).
    void expectValueLabelsInside(const std::vector<korvel::KvlDrawnLabel>& labels) {
        const LONG width = chartObject().model().clientRect().width();
        for (const korvel::KvlDrawnLabel& label : labels) {
            EXPECT_GE(label.textLeft, 0) << listed(labels);
            EXPECT_LE(label.textRight, width) << listed(labels);
        }
    }

    // The value labels of the pane whose rows lie between `top` and `bottom`.
    std::vector<korvel::KvlDrawnLabel> labelsBetween(const std::vector<korvel::KvlDrawnLabel>& labels,
                                                     LONG top, LONG bottom) {
        std::vector<korvel::KvlDrawnLabel> pane;
        for (const korvel::KvlDrawnLabel& label : labels)
            if (label.pixel >= top && label.pixel <= bottom)
                pane.push_back(label);
        return pane;
    }
};

}  // namespace

TEST_F(ProgramAxisLabelsTest, StudyPanesShowSeveralWholeLabels) {
    startProgramAt(1280, 900);
    // The Volume Oscillator of the sample runs into the hundreds of thousands, the A/D line into the
    // millions: whole numbers, where the price labels have decimals.
    for (const com::SHORT study : {com::SHORT{dravik::ID_VOLUME_OSCILLATOR}, com::SHORT{dravik::ID_ADI}}) {
        SCOPED_TRACE(study);
        triggerFinancial(study);
        const std::vector<korvel::KvlDrawnLabel> labels = paintedLabels(false);
        expectValueLabelsInside(labels);
        std::vector<korvel::KvlDrawnLabel> paneLabels;
        for (const korvel::KvlDrawnLabel& label : labels)
            if (!hasDecimals(label.text))
                paneLabels.push_back(label);
        // The lowest pane (the study shown last sits at the bottom) has labels of its own.
        std::sort(paneLabels.begin(), paneLabels.end(),
                  [](const auto& a, const auto& b) { return a.pixel > b.pixel; });
        ASSERT_GE(paneLabels.size(), 3u) << listed(labels);
        for (const korvel::KvlDrawnLabel& label : paneLabels)
            EXPECT_TRUE(isWholeGroupedNumber(label.text)) << "\"" << label.text << "\" of " << listed(labels);
        // Up the pane the values grow.
        EXPECT_LT(labelNumber(paneLabels[0].text), labelNumber(paneLabels[1].text)) << listed(labels);
        EXPECT_LT(labelNumber(paneLabels[1].text), labelNumber(paneLabels[2].text)) << listed(labels);
    }
}

TEST_F(ProgramAxisLabelsTest, WilliamsRLabelsStayWithinItsWidenedRange) {
    startProgramAt(1280, 900);
    triggerFinancial(dravik::ID_WILLIAMS_R);
    const std::vector<korvel::KvlDrawnLabel> labels = paintedLabels(false);
    int studyLabels = 0;
    for (const korvel::KvlDrawnLabel& label : labels) {
        if (hasDecimals(label.text))
            continue;  // a price label
        ++studyLabels;
        // -100 .. 0 widened by 1% of each end.
        const double value = labelNumber(label.text);
        EXPECT_GE(value, -101.0) << listed(labels);
        EXPECT_LE(value, 0.0) << listed(labels);
    }
    EXPECT_GE(studyLabels, 2) << listed(labels);
}

TEST_F(ProgramAxisLabelsTest, SpecialChartsShowSeveralPricesAndWholeDates) {
    startProgramAt(1280, 900);
    for (const LONG type : {LONG{0}, LONG{1}, LONG{2}, LONG{3}}) {
        SCOPED_TRACE(type);
        chooseChartType(type);
        const std::vector<korvel::KvlDrawnLabel> prices = paintedLabels(false);
        EXPECT_GE(prices.size(), 3u) << listed(prices);
        expectValueLabelsInside(prices);
        expectWholeDateLabels("special chart");
    }
}

TEST_F(ProgramAxisLabelsTest, DateLabelsOfFiveYearsMonthlyNeitherOverlapNorLeaveTheChart) {
    startProgramAt(1280, 900);
    chooseListEntry("cmbPeriod", "5");
    chooseListEntry("cmbInterval", "Month");
    expectDateLabelsApartAndInside("5 years monthly");
    frameWindow().resize(800, 600);
    processEvents();
    expectDateLabelsApartAndInside("5 years monthly, 800x600");
}

TEST_F(ProgramAxisLabelsTest, DateLabelsOfASmallWindowNeitherOverlapNorLeaveTheChart) {
    startProgramAt(800, 600);
    expectDateLabelsApartAndInside("800x600 daily");
    for (const char* interval : {"Month", "Week"}) {
        chooseListEntry("cmbInterval", interval);
        expectDateLabelsApartAndInside(interval);
    }
    for (const char* period : {"2", "3"}) {
        chooseListEntry("cmbPeriod", period);
        expectDateLabelsApartAndInside(period);
    }
}

TEST_F(ProgramAxisLabelsTest, ZoomedPriceLabelsStepEvenlyByARoundStep) {
    startProgramAt(1280, 900);
    const LONG points = chartObject().model().pointCount();
    for (const auto& [from, to] :
         {std::pair{points / 4.0, points / 2.0}, std::pair{points / 3.0, points / 3.0 + 20}}) {
        ASSERT_EQ(chart().ShowRange(from, 0, to, 0), com::S_OK);
        processEvents();
        std::vector<korvel::KvlDrawnLabel> labels = paintedLabels(false);
        std::sort(labels.begin(), labels.end(),
                  [](const auto& a, const auto& b) { return a.pixel > b.pixel; });
        ASSERT_GE(labels.size(), 3u) << listed(labels);
        const double step = labelNumber(labels[1].text) - labelNumber(labels[0].text);
        ASSERT_GT(step, 0) << listed(labels);
        // One digit times a power of ten (0.2, 0.3, 5), from the zoomed range's rounded minimum up.
        const double unit = std::pow(10.0, std::floor(std::log10(step) + 1e-9));
        EXPECT_NEAR(step / unit, std::round(step / unit), 1e-6) << listed(labels);
        for (std::size_t i = 1; i < labels.size(); ++i)
            EXPECT_NEAR(labelNumber(labels[i].text) - labelNumber(labels[i - 1].text), step, 1e-6)
                << listed(labels);
    }
}

namespace {

// A value label's text is at least this many rows high: labels closer than that overlap.
constexpr LONG kLeastTextRows = 10;

// The value labels of axis 0 in order of their rows, top first.
std::vector<korvel::KvlDrawnLabel> byRow(std::vector<korvel::KvlDrawnLabel> labels) {
    std::sort(labels.begin(), labels.end(), [](const auto& a, const auto& b) { return a.pixel < b.pixel; });
    return labels;
}

}  // namespace

TEST_F(ProgramAxisLabelsTest, SpecialChartsOnAnIndexDrawNoMoreValueLabelsThanTheirHeightHolds) {
    startProgramAt(1280, 900);
    chartTicker("GSMGI");
    for (const LONG type : {LONG{0}, LONG{1}, LONG{2}, LONG{3}}) {
        SCOPED_TRACE(type);
        chooseChartType(type);
        const std::vector<korvel::KvlDrawnLabel> labels = byRow(paintedLabels(false));
        const korvel::KvlRect plot = chartObject().model().plotRect();
        ASSERT_GE(labels.size(), 3u) << listed(labels);
        EXPECT_LE(static_cast<LONG>(labels.size()), plot.height() / kLeastTextRows + 1) << listed(labels);
        for (std::size_t i = 1; i < labels.size(); ++i)
            EXPECT_GE(labels[i].pixel - labels[i - 1].pixel, kLeastTextRows) << listed(labels);
        // The value strip is not a black column: most of its rows are background.
        const QImage image = chartObject().surface()->image().convertToFormat(QImage::Format_RGB32);
        int inked = 0;
        for (LONG y = plot.top; y <= plot.bottom; ++y) {
            bool ink = false;
            for (LONG x = 2; x < plot.left - 3 && !ink; ++x)
                ink = qGray(image.pixel(x, y)) < 128;
            inked += ink ? 1 : 0;
        }
        EXPECT_LT(inked, plot.height() / 2) << listed(labels);
    }
}

TEST_F(ProgramAxisLabelsTest, AUserMajorUnitIsWidenedWhereTheAxisHasNoRoomAndKept) {
    startProgramAt(1280, 900);
    chartTicker("NORB");
    com::ComPtr<dravik::ILomexAxis> axis;
    ASSERT_EQ(extension().get_PricesAxis(axis.put()), com::S_OK);
    ASSERT_EQ(axis->put_Step(0.5), com::S_OK);
    processEvents();
    const auto steps = [this](const char* when) {
        SCOPED_TRACE(when);
        const std::vector<korvel::KvlDrawnLabel> labels = byRow(paintedLabels(false));
        std::vector<double> differences;
        for (std::size_t i = 1; i < labels.size(); ++i)
            differences.push_back(labelNumber(labels[i - 1].text) - labelNumber(labels[i].text));
        EXPECT_GE(labels.size(), 3u) << listed(labels);
        EXPECT_LE(static_cast<LONG>(labels.size()),
                  chartObject().model().plotRect().height() / kLeastTextRows + 1)
            << listed(labels);
        return std::pair{differences, listed(labels)};
    };
    // NORB's prices span a few units: every half unit has its label.
    for (const auto& [differences, shown] = steps("NORB"); const double step : differences)
        EXPECT_NEAR(step, 0.5, 1e-9) << shown;
    // LVX Banks Index spans hundreds: the labels step by a round multiple of the half unit.
    chartTicker("LVXBNK");
    const auto [differences, shown] = steps("LVXBNK");
    ASSERT_FALSE(differences.empty()) << shown;
    const double step = differences.front();
    EXPECT_GT(step, 0.5) << shown;
    EXPECT_NEAR(step / 0.5, std::round(step / 0.5), 1e-9) << shown;
    for (const double difference : differences)
        EXPECT_NEAR(difference, step, 1e-9) << shown;
    double kept = 0;
    ASSERT_EQ(axis->get_Step(&kept), com::S_OK);
    EXPECT_EQ(kept, 0.5);
}

TEST_F(ProgramAxisLabelsTest, EaseOfMovementLabelsReadApart) {
    startProgramAt(1280, 900);
    triggerFinancial(dravik::ID_EASE_OF_MOVE);
    const std::vector<korvel::KvlDrawnLabel> labels = paintedLabels(false);
    ASSERT_GE(labels.size(), 6u) << listed(labels);
    std::vector<std::string> texts;
    for (const korvel::KvlDrawnLabel& label : labels)
        texts.push_back(label.text);
    std::sort(texts.begin(), texts.end());
    EXPECT_EQ(std::adjacent_find(texts.begin(), texts.end()), texts.end()) << listed(labels);
}

TEST_F(ProgramAxisLabelsTest, AZoomHoldingNoValueOfAStudyLabelsItsPaneWithShortNumbers) {
    startProgramAt(1280, 900);
    triggerFinancial(dravik::ID_ATR);
    ASSERT_EQ(chart().ShowRange(262, 0, 280, 0), com::S_OK);
    processEvents();
    const std::vector<korvel::KvlDrawnLabel> labels = paintedLabels(false);
    ASSERT_GE(labels.size(), 3u) << listed(labels);
    for (const korvel::KvlDrawnLabel& label : labels)
        EXPECT_LE(label.text.size(), 12u) << listed(labels);
    EXPECT_LT(chartObject().model().plotRect().left, 150) << listed(labels);
    expectDateLabelsApartAndInside("zoomed over 262-280");
}

TEST_F(ProgramAxisLabelsTest, EdgeDateLabelsAreWholeOrLeftOut) {
    startProgram();
    chooseListEntry("cmbPeriod", "All");
    for (const int width : {1280, 900, 700, 560}) {
        SCOPED_TRACE(width);
        frameWindow().resize(width, 700);
        processEvents();
        for (const char* interval : {"Daily", "Week", "Month"}) {
            SCOPED_TRACE(interval);
            chooseListEntry("cmbInterval", interval);
            expectWholeDateLabels(interval);
        }
    }
}

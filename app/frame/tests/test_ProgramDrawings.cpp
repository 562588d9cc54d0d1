// A trend line on the sample company's chart worked with the mouse and the keyboard as a user works it:
// events at pixels sent to the chart's canvas in the assembled program, the result read from the
// drawing, from the painted chart and from the company's stored drawings.
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "AssembledProgramFixture.h"
#include "CommandActions.h"
#include "com/OleDate.h"
#include "dravik/AxisInterfaces.h"
#include "dravik/Commands.h"
#include "dravik/IFinancialCharts.h"
#include "frame/chart/DrawingDates.h"
#include "frame/chart/DrawingKinds.h"
#include "gdi/DeviceContext.h"
#include "glossor/IGlosxList.h"
#include "locale/LocaleRegistry.h"
#include "ostbar/OstCommandBar.h"
#include "ostbar/OstToolbarWidget.h"
#include "ui/Dialog.h"
#include "ui/PropertyFrame.h"

namespace {

using frame::chart::DrawingAt;
using frame::chart::DrawingCount;
using frame::chart::DrawingDateLocale;

constexpr com::LONG kTrendKind = 9;
// Data days of the sample company; the chart shows empty days after the last one.
constexpr com::LONG kDaysAfterTheData = 30;
// The highlight's colour, RGB(0, 120, 215), and the handles' frame and inside.
const QRgb kHighlightRgb = qRgb(0, 120, 215);
const QRgb kHandleFrame = qRgb(0, 0, 0);
const QRgb kHandleInside = qRgb(255, 255, 255);
// The drawing page's dialog and its controls.
constexpr int kDrawPageDialog = 348;
constexpr int kDrawPageFrom = 553;
constexpr int kDrawPageTo = 554;
constexpr int kDrawPageWidth = 531;
constexpr int kDrawPageList = 564;
// The Trend Line menu of the financial tool bar and the entry of its first drawing.
constexpr com::SHORT kTrendMenu = 160;
constexpr com::SHORT kFirstTrendLineEntry = 162;

class ProgramDrawingsTest : public AssembledProgramTest {
protected:
    QWidget* canvas() { return chartWindow().Korvel1()->canvas(); }

    void mouse(QEvent::Type type, QPoint at, Qt::MouseButtons held,
               Qt::KeyboardModifiers keys = Qt::NoModifier) {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, QPointF(at), canvas()->mapToGlobal(QPointF(at)), button, held, keys);
        QApplication::sendEvent(canvas(), &event);
    }
    void moveTo(QPoint at) { mouse(QEvent::MouseMove, at, Qt::NoButton); }
    // The mouse stays where it is for a while: the canvas's wait for a rest runs out.
    void rest() {
        QTimer* wait = canvas()->findChild<QTimer*>();
        ASSERT_NE(wait, nullptr);
        ASSERT_TRUE(QMetaObject::invokeMethod(wait, "timeout"));
        processEvents();
    }
    // The mouse comes to `from`, is pressed there, dragged to `to` and let go.
    void drag(QPoint from, QPoint to) {
        moveTo(from);
        mouse(QEvent::MouseButtonPress, from, Qt::LeftButton);
        const QPoint half = (from + to) / 2;
        mouse(QEvent::MouseMove, half, Qt::LeftButton);
        mouse(QEvent::MouseMove, to, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, to, Qt::NoButton);
        processEvents();
    }
    void click(QPoint at) { drag(at, at); }
    void pressDelete() {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
        QApplication::sendEvent(canvas(), &press);
        processEvents();
    }
    double dateOf(com::LONG point) {
        double date = 0;
        EXPECT_EQ(chartObject().model().xValue(point - 1, &date), com::S_OK);
        return date;
    }
    std::pair<double, double> priceRange() {
        com::ComPtr<dravik::ILomexAxis> axis;
        EXPECT_EQ(extension().get_PricesAxis(axis.put()), com::S_OK);
        double low = 0, high = 0;
        axis->get_Min(&low);
        axis->get_Max(&high);
        return {low, high};
    }
    // Price units per pixel row.
    double pricePerPixel() {
        const auto [low, high] = priceRange();
        return (high - low) / std::abs(pixel(1, low).y() - pixel(1, high).y());
    }

    // A trend line of the user's from point `from` at price `fromPrice` to point `to` at `toPrice`.
    com::ComPtr<dravik::IDrawFeature> trendLine(com::LONG from, double fromPrice, com::LONG to,
                                                double toPrice) {
        const auto drawing = DrawingAt(extension(), kTrendKind, DrawingCount(extension(), kTrendKind));
        const loc::LCID lcid = DrawingDateLocale(extension());
        EXPECT_EQ(drawing->put_FreeDraw(com::VARIANT_TRUE), com::S_OK);
        EXPECT_EQ(frame::chart::PutAnchorDate(*drawing, true, dateOf(from), lcid, chart()), com::S_OK);
        EXPECT_EQ(frame::chart::PutAnchorDate(*drawing, false, dateOf(to), lcid, chart()), com::S_OK);
        EXPECT_EQ(drawing->put_FromPrice(com::Bstr::fromUtf8(priceText(fromPrice))), com::S_OK);
        EXPECT_EQ(drawing->put_ToPrice(com::Bstr::fromUtf8(priceText(toPrice))), com::S_OK);
        EXPECT_EQ(drawing->put_Visible(com::VARIANT_TRUE), com::S_OK);
        processEvents();
        return drawing;
    }
    static std::string priceText(double price) {
        char text[32];
        std::snprintf(text, sizeof text, "%.2f", price);
        return text;
    }
    double anchor(dravik::IDrawFeature& drawing, bool start) {
        com::Bstr text;
        EXPECT_EQ(start ? drawing.get_From(&text) : drawing.get_To(&text), com::S_OK);
        const loc::LocaleInfo locale = loc::LocaleRegistry::find(DrawingDateLocale(extension()));
        return frame::chart::ReadAnchorDate(text.toUtf8(), locale, chart()).value_or(-1);
    }
    double price(dravik::IDrawFeature& drawing, bool start) {
        com::Bstr text;
        EXPECT_EQ(start ? drawing.get_FromPrice(&text) : drawing.get_ToPrice(&text), com::S_OK);
        return std::stod(text.toUtf8());
    }

    // A 7 x 7 handle box centred on `at`: a black frame round a white inside.
    static bool handleAt(const QImage& image, QPoint at) {
        for (int dy = -3; dy <= 3; ++dy)
            for (int dx = -3; dx <= 3; ++dx) {
                const bool frame = std::abs(dx) == 3 || std::abs(dy) == 3;
                if (image.pixel(at.x() + dx, at.y() + dy) != (frame ? kHandleFrame : kHandleInside))
                    return false;
            }
        return true;
    }

    // The financial tool bar's command `id`; null when the bar has none.
    QAction* financialCommand(com::SHORT id) {
        ostbar::OstToolbarWidget* row = financialRow();
        return row ? findCommandAction(row->actions(), id) : nullptr;
    }
    // The command as the user chooses it from the bar's menus.
    void chooseFinancialCommand(com::SHORT id) {
        QAction* action = financialCommand(id);
        ASSERT_NE(action, nullptr) << "no command " << id << " on the financial tool bar";
        ASSERT_TRUE(action->isEnabled());
        action->trigger();
        processEvents();
    }
    // Technical Drawing > Trend Line, the line dragged from `start` to `end` with the mouse and the add
    // dialog confirmed as it comes ("Draw on: Close Price" chosen); the number of dialogs confirmed.
    int placeTrendLine(QPoint start, QPoint end) {
        chooseFinancialCommand(dravik::ID_NEW_TREND_LINE);
        QTimer confirm;
        confirm.setInterval(10);
        int confirmed = 0;
        QObject::connect(&confirm, &QTimer::timeout, [&] {
            if (QWidget* dialog = QApplication::activeModalWidget())
                for (QPushButton* button : dialog->findChildren<QPushButton*>())
                    if (button->text().remove('&') == QLatin1String("OK")) {
                        ++confirmed;
                        button->click();
                        return;
                    }
        });
        confirm.start();
        drag(start, end);
        confirm.stop();
        return confirmed;
    }
    // The database's close of the chart's point: of its day, or on a monthly chart of the last day the
    // company traded in its month.
    double closeOf(com::LONG point, bool monthly) {
        const std::string day = com::formatIsoDate(dateOf(point));
        db::RowSet row = database().query(
            R"(SELECT "ClosingPrice" FROM "MARKETDAILY1" WHERE "COMPANYID" = ? AND substr("DATE", 1, ?) = ? )"
            R"(ORDER BY "DATE" DESC LIMIT 1)",
            {kSampleCompany, monthly ? 7 : 10, day.substr(0, monthly ? 7 : 10)});
        EXPECT_FALSE(row.eof()) << "no close for " << day;
        return row.eof() ? 0 : row.real(0);
    }
    // The chart bar's Properties; `onFrame` runs on the property frame it opens and closes it.
    // Whether a frame opened.
    bool chooseChartProperties(const std::function<void(ui::PropertyFrame&)>& onFrame) {
        bool opened = false;
        QTimer::singleShot(0, [&] {
            if (auto* frame = qobject_cast<ui::PropertyFrame*>(QApplication::activeModalWidget())) {
                opened = true;
                onFrame(*frame);
            }
        });
        QAction* properties = chartWindow().Korvel1()->toolBar()->actionFor(
            static_cast<com::SHORT>(korvel::kCommandProperties));
        EXPECT_NE(properties, nullptr);
        if (properties)
            properties->trigger();
        processEvents();
        return opened;
    }
    static ui::Dialog* drawPage(ui::PropertyFrame& frame) {
        for (ui::Dialog* page : frame.findChildren<ui::Dialog*>())
            if (page->property("dialogId").toInt() == kDrawPageDialog)
                return page;
        return nullptr;
    }
    // The chart's point whose date lies in `month` ("2024-01"); 0 when none does.
    com::LONG pointInMonth(const std::string& month) {
        for (com::LONG p = 1; p <= chartObject().model().pointCount(); ++p)
            if (com::formatIsoDate(dateOf(p)).starts_with(month))
                return p;
        return 0;
    }
    // Whether the highlight's colour is at `at` or one pixel beside it.
    static bool highlightNear(const QImage& image, QPoint at) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (image.pixel(at + QPoint(dx, dy)) == kHighlightRgb)
                    return true;
        return false;
    }

    // The sample's second bank, and back to the first company.
    void switchCompanyAndBack() {
        chartTicker("AMLB");
        ASSERT_EQ(chartWindow().chartFill()->CompanyID, 102);
        chartTicker("NORB");
        ASSERT_EQ(chartWindow().chartFill()->CompanyID, kSampleCompany);
    }

    // A rising line over the middle of the price range, from 60 to 40 data days before the last.
    void SetUp() override {
        AssembledProgramTest::SetUp();
        startProgramWithChartOf900x600();
        m_last = chartObject().model().pointCount() - kDaysAfterTheData;
        ASSERT_GT(m_last, 100);
        const auto [low, high] = priceRange();
        m_low = std::round((low + (high - low) * 0.3) * 100) / 100;
        m_high = std::round((low + (high - low) * 0.6) * 100) / 100;
        m_from = m_last - 60;
        m_to = m_last - 40;
        // The user's mouse has been on the chart and rested there before it goes to the drawing.
        moveTo(pixel(m_last - 80, high));
        rest();
        moveTo(pixel(m_last - 79, high));
    }

    com::LONG m_last = 0;
    com::LONG m_from = 0;
    com::LONG m_to = 0;
    double m_low = 0;
    double m_high = 0;
};

}  // namespace

TEST_F(ProgramDrawingsTest, HoveringALineHighlightsIt) {
    trendLine(m_from, m_low, m_to, m_high);
    // Half-way along, on a whole point: the line's pixel there.
    const double mid = (m_from + m_to) / 2.0;
    const QPoint on = pixel(mid, (m_low + m_high) / 2);
    EXPECT_NE(painted().pixel(on), kHighlightRgb);
    moveTo(on);
    EXPECT_EQ(painted().pixel(on), kHighlightRgb);
    // Far from the line the highlight goes again.
    moveTo(pixel(mid, m_high + (m_high - m_low)));
    EXPECT_NE(painted().pixel(on), kHighlightRgb);
    EXPECT_EQ(errorLog(), "");
}

// On a daily chart the tolerance relative to the price spans tens of pixels: a line placed 12 pixels
// above an older one is still within it. The mouse on the newer line highlights that line, the nearer
// one, and a click there selects it; on the older line the older one.
TEST_F(ProgramDrawingsTest, OfTwoLinesUnderTheMouseTheNearerIsHighlightedAndSelected) {
    const double apart = std::round(12 * pricePerPixel() * 100) / 100;  // as the line stores it
    com::LONG points = 0;
    ASSERT_EQ(chart().get_PointCount(&points), com::S_OK);
    ASSERT_LT(2 * apart, points / 10000.0 * m_low) << "both lines lie within the tolerance";
    trendLine(m_from, m_low, m_to, m_high);
    trendLine(m_from, m_low + apart, m_to, m_high + apart);
    const double mid = (m_from + m_to) / 2.0;
    const QPoint older = pixel(mid, (m_low + m_high) / 2);
    const QPoint newer = pixel(mid, (m_low + m_high) / 2 + apart);
    moveTo(newer);
    QImage image = painted();
    EXPECT_TRUE(highlightNear(image, newer));
    EXPECT_FALSE(highlightNear(image, older));
    click(newer);
    EXPECT_TRUE(handleAt(painted(), pixel(m_from, m_low + apart)));
    moveTo(pixel(m_last - 79, m_high));
    moveTo(older);
    image = painted();
    EXPECT_TRUE(highlightNear(image, older));
    EXPECT_FALSE(highlightNear(image, newer));
    EXPECT_EQ(errorLog(), "");
}

// OK on the drawing's page moves the line, and its highlight goes with it at once: the old place shows
// no highlight before the mouse moves again, the line's new middle does.
TEST_F(ProgramDrawingsTest, AfterOkOnTheDrawingsPageTheHighlightLiesOnTheMovedLine) {
    const auto line = trendLine(m_from - 20, m_low, m_to, m_high);
    com::Bstr newFrom;
    ASSERT_EQ(line->get_From(&newFrom), com::S_OK);
    ASSERT_EQ(
        frame::chart::PutAnchorDate(*line, true, dateOf(m_from), DrawingDateLocale(extension()), chart()),
        com::S_OK);
    processEvents();
    const double price = (m_low + m_high) / 2;
    const QPoint oldMiddle = pixel((m_from + m_to) / 2.0, price);
    const QPoint newMiddle = pixel(m_from, price);  // half-way from m_from - 20 to m_to
    moveTo(oldMiddle);
    ASSERT_EQ(painted().pixel(oldMiddle), kHighlightRgb);
    bool shown = false;
    chooseChartProperties([&](ui::PropertyFrame& frame) {
        if (ui::Dialog* page = drawPage(frame)) {
            shown = true;
            page->setItemText(kDrawPageFrom, QStringView(newFrom.text()).toString());
        }
        frame.button(1)->click();
    });
    ASSERT_TRUE(shown) << "no drawing page";
    ASSERT_NEAR(anchor(*line, true), dateOf(m_from - 20), 1e-9);
    const QImage image = painted();
    EXPECT_NE(image.pixel(oldMiddle), kHighlightRgb);
    EXPECT_EQ(image.pixel(newMiddle), kHighlightRgb);
    EXPECT_EQ(errorLog(), "");
}

TEST_F(ProgramDrawingsTest, AClickOnTheLineShowsHandlesAtItsEnds) {
    trendLine(m_from, m_low, m_to, m_high);
    const QPoint start = pixel(m_from, m_low);
    const QPoint end = pixel(m_to, m_high);
    EXPECT_FALSE(handleAt(painted(), start));
    click(pixel((m_from + m_to) / 2.0, (m_low + m_high) / 2));
    const QImage image = painted();
    EXPECT_TRUE(handleAt(image, start));
    EXPECT_TRUE(handleAt(image, end));
    EXPECT_EQ(errorLog(), "");
}

TEST_F(ProgramDrawingsTest, AClickExactlyOnTheStartSelectsTheLine) {
    trendLine(m_from, m_low, m_to, m_high);
    const QPoint start = pixel(m_from, m_low);
    click(start);
    EXPECT_TRUE(handleAt(painted(), start));
    EXPECT_TRUE(handleAt(painted(), pixel(m_to, m_high)));
}

// A level line: the distance of a click from it is its distance in pixel rows.
TEST_F(ProgramDrawingsTest, AClickBeyondTheToleranceSelectsNothing) {
    const double level = (m_low + m_high) / 2;
    trendLine(m_from, level, m_to, level);
    const QPoint start = pixel(m_from, level);
    const QPoint middle = pixel((m_from + m_to) / 2.0, level);
    click(middle + QPoint(0, 5));
    EXPECT_FALSE(handleAt(painted(), start));
    click(middle + QPoint(0, 4));
    EXPECT_TRUE(handleAt(painted(), start));
}

TEST_F(ProgramDrawingsTest, DraggingTheBodyMovesBothEnds) {
    const auto line = trendLine(m_from, m_low, m_to, m_high);
    const double mid = (m_from + m_to) / 2.0;
    const QPoint grip = pixel(mid, (m_low + m_high) / 2);
    // Ten points to the right, the same rows.
    const QPoint shift(pixel(mid + 10, m_low).x() - pixel(mid, m_low).x(), 0);
    click(grip);
    drag(grip, grip + shift);
    EXPECT_EQ(anchor(*line, true), dateOf(m_from + 10));
    EXPECT_EQ(anchor(*line, false), dateOf(m_to + 10));
    EXPECT_NEAR(price(*line, true), m_low, pricePerPixel());
    EXPECT_NEAR(price(*line, false), m_high, pricePerPixel());
    EXPECT_TRUE(handleAt(painted(), pixel(m_from + 10, price(*line, true))));

    // The moved line is the company's: it comes back where it was moved to.
    switchCompanyAndBack();
    ASSERT_EQ(DrawingCount(extension(), kTrendKind), 1);
    const auto kept = DrawingAt(extension(), kTrendKind, 0);
    EXPECT_EQ(anchor(*kept, true), dateOf(m_from + 10));
    EXPECT_EQ(anchor(*kept, false), dateOf(m_to + 10));
    EXPECT_NEAR(price(*kept, false), m_high, pricePerPixel());
    EXPECT_EQ(errorLog(), "");
}

TEST_F(ProgramDrawingsTest, DraggingAHandleMovesThatEndOnly) {
    const auto line = trendLine(m_from, m_low, m_to, m_high);
    const QPoint end = pixel(m_to, m_high);
    click(pixel((m_from + m_to) / 2.0, (m_low + m_high) / 2));
    ASSERT_TRUE(handleAt(painted(), end));
    const double raised = m_high + (m_high - m_low) / 4;
    drag(end, pixel(m_to + 5, raised));
    EXPECT_EQ(anchor(*line, true), dateOf(m_from));
    EXPECT_NEAR(price(*line, true), m_low, pricePerPixel());
    EXPECT_EQ(anchor(*line, false), dateOf(m_to + 5));
    EXPECT_NEAR(price(*line, false), raised, pricePerPixel());
    EXPECT_EQ(errorLog(), "");
}

TEST_F(ProgramDrawingsTest, DeleteRemovesTheSelectedLineForGood) {
    trendLine(m_from, m_low, m_to, m_high);
    trendLine(m_from, m_high, m_to, m_high);  // another line, not selected
    ASSERT_EQ(DrawingCount(extension(), kTrendKind), 2);
    click(pixel((m_from + m_to) / 2.0, (m_low + m_high) / 2));
    pressDelete();
    ASSERT_EQ(DrawingCount(extension(), kTrendKind), 1);
    com::Bstr price;
    DrawingAt(extension(), kTrendKind, 0)->get_FromPrice(&price);
    EXPECT_NEAR(std::stod(price.toUtf8()), m_high, 0.005);  // the other one stays
    EXPECT_FALSE(handleAt(painted(), pixel(m_from, m_low)));

    switchCompanyAndBack();
    EXPECT_EQ(DrawingCount(extension(), kTrendKind), 1);
    EXPECT_EQ(errorLog(), "");
}

// The whole way of a user's line: Add on the tool bar, placed with the mouse and confirmed in the add
// dialog, then selected, and deleted with the Delete key. Drawn on the close price as the dialog
// offers, its ends lie on the database's closes of its two days, wherever the mouse let go.
TEST_F(ProgramDrawingsTest, ALinePlacedWithTheMouseIsSelectedAndDeleted) {
    ASSERT_EQ(placeTrendLine(pixel(m_from, m_low), pixel(m_to, m_high)), 1);
    ASSERT_EQ(DrawingCount(extension(), kTrendKind), 1);
    const auto line = DrawingAt(extension(), kTrendKind, 0);
    EXPECT_EQ(anchor(*line, true), dateOf(m_from));
    EXPECT_EQ(anchor(*line, false), dateOf(m_to));
    const double fromClose = closeOf(m_from, false);
    const double toClose = closeOf(m_to, false);
    EXPECT_DOUBLE_EQ(price(*line, true), fromClose);
    EXPECT_DOUBLE_EQ(price(*line, false), toClose);

    const QPoint start = pixel(m_from, fromClose);
    const QPoint end = pixel(m_to, toClose);
    moveTo(pixel(m_last - 79, m_high));
    click(pixel((m_from + m_to) / 2.0, (fromClose + toClose) / 2));
    EXPECT_TRUE(handleAt(painted(), start));
    EXPECT_TRUE(handleAt(painted(), end));
    pressDelete();
    EXPECT_EQ(DrawingCount(extension(), kTrendKind), 0);
    EXPECT_EQ(errorLog(), "");
}

// NORB over two years by month: 25 points about 30 pixels apart. A line placed between points with the
// mouse, on the closes, takes the points of the dates it shows and the closes of those months; the
// mouse finds it between points and a few pixels off; its handles are on those points before and after
// a company switch, and it is dragged by two months and deleted.
TEST_F(ProgramDrawingsTest, OnAMonthlyChartALineOnTheClosesIsHoveredDraggedKeptAndDeleted) {
    constexpr int kTwoYears = 5;
    constexpr int kMonthly = 2;
    chooseChartSetting("cmbPeriod", kTwoYears);
    processEvents();
    chooseChartSetting("cmbInterval", kMonthly);
    processEvents();
    const com::LONG from = pointInMonth("2024-01");
    const com::LONG to = pointInMonth("2024-09");
    ASSERT_EQ(to - from, 8) << "one point a month";
    const auto [low, high] = priceRange();
    // Let go a third of a month after the first point and before the second, far from the closes.
    ASSERT_EQ(placeTrendLine(pixel(from + 0.3, low + (high - low) * 0.2),
                             pixel(to - 0.35, low + (high - low) * 0.9)),
              1);
    ASSERT_EQ(DrawingCount(extension(), kTrendKind), 1);
    const auto line = DrawingAt(extension(), kTrendKind, 0);
    EXPECT_EQ(anchor(*line, true), dateOf(from));
    EXPECT_EQ(anchor(*line, false), dateOf(to));
    const double c1 = closeOf(from, true);
    const double c2 = closeOf(to, true);
    EXPECT_DOUBLE_EQ(price(*line, true), c1);
    EXPECT_DOUBLE_EQ(price(*line, false), c2);

    // Half-way between two points, on the line and three pixels above it: the highlight; well above
    // it, none.
    const QPoint between = pixel(from + 2.5, c1 + (c2 - c1) * 2.5 / (to - from));
    for (const QPoint at : {between, between - QPoint(0, 3)}) {
        moveTo(pixel(from - 2, high));
        ASSERT_FALSE(highlightNear(painted(), between));
        moveTo(at);
        EXPECT_TRUE(highlightNear(painted(), between)) << at.x() << "," << at.y();
    }
    moveTo(between - QPoint(0, 12));
    EXPECT_FALSE(highlightNear(painted(), between));

    // Selected, its handles are on the two points and closes, also after a company switch and back.
    for (const bool switched : {false, true}) {
        SCOPED_TRACE(switched);
        if (switched) {
            switchCompanyAndBack();
            ASSERT_EQ(DrawingCount(extension(), kTrendKind), 1);
            moveTo(pixel(from - 2, high));
        }
        click(between);
        EXPECT_TRUE(handleAt(painted(), pixel(from, c1)));
        EXPECT_TRUE(handleAt(painted(), pixel(to, c2)));
    }

    // Dragged two months to the right and up: the ends go to the points two months later, on their
    // closes.
    const QPoint shift(pixel(from + 2, c1).x() - pixel(from, c1).x(), -20);
    drag(between, between + shift);
    const auto moved = DrawingAt(extension(), kTrendKind, 0);
    EXPECT_EQ(anchor(*moved, true), dateOf(from + 2));
    EXPECT_EQ(anchor(*moved, false), dateOf(to + 2));
    const double m1 = closeOf(from + 2, true);
    const double m2 = closeOf(to + 2, true);
    EXPECT_DOUBLE_EQ(price(*moved, true), m1);
    EXPECT_DOUBLE_EQ(price(*moved, false), m2);
    const QImage image = painted();
    EXPECT_TRUE(handleAt(image, pixel(from + 2, m1)));
    EXPECT_TRUE(handleAt(image, pixel(to + 2, m2)));

    pressDelete();
    EXPECT_EQ(DrawingCount(extension(), kTrendKind), 0);
    switchCompanyAndBack();
    EXPECT_EQ(DrawingCount(extension(), kTrendKind), 0);
    EXPECT_EQ(errorLog(), "");
}

// Copy to Clipboard as a bitmap: the picture is the chart as the screen shows it, the selected line
// with it, but without the selection's handles, which stay on the screen; the chart's own copy button
// gives the same picture.
TEST_F(ProgramDrawingsTest, TheCopiedBitmapLeavesTheSelectionHandlesOut) {
    trendLine(m_from, m_low, m_to, m_high);
    const QPoint start = pixel(m_from, m_low);
    const QPoint end = pixel(m_to, m_high);
    click(pixel((m_from + m_to) / 2.0, (m_low + m_high) / 2));
    const QImage screen = painted();
    ASSERT_TRUE(handleAt(screen, start));
    ASSERT_TRUE(handleAt(screen, end));
    const auto inHandle = [&](QPoint at) {
        return (std::abs(at.x() - start.x()) <= 3 && std::abs(at.y() - start.y()) <= 3) ||
               (std::abs(at.x() - end.x()) <= 3 && std::abs(at.y() - end.y()) <= 3);
    };
    const auto expectScreenWithoutHandles = [&](const QImage& copied) {
        ASSERT_EQ(copied.size(), screen.size());
        EXPECT_FALSE(handleAt(copied, start));
        EXPECT_FALSE(handleAt(copied, end));
        int different = 0;
        for (int y = 0; y < screen.height(); ++y)
            for (int x = 0; x < screen.width(); ++x)
                if (!inHandle({x, y}) && copied.pixel(x, y) != screen.pixel(x, y))
                    ++different;
        EXPECT_EQ(different, 0) << "pixels away from the handles that differ from the screen";
    };

    QGuiApplication::clipboard()->clear();
    ASSERT_EQ(chart().RunCommand(korvel::kCommandCopyBitmap, 0), com::S_OK);
    processEvents();
    expectScreenWithoutHandles(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32));
    // The screen keeps the selection.
    EXPECT_TRUE(handleAt(painted(), start));

    QGuiApplication::clipboard()->clear();
    QAction* copy =
        chartWindow().Korvel1()->toolBar()->actionFor(static_cast<com::SHORT>(korvel::kCommandCopy));
    ASSERT_NE(copy, nullptr);
    copy->trigger();
    processEvents();
    expectScreenWithoutHandles(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(errorLog(), "");
}

// The drawing's entry in the financial tool bar's Technical Drawing menu (under its kind) carries a
// tick while the drawing is shown, and none while it is hidden.
TEST_F(ProgramDrawingsTest, ADrawnLinesMenuEntryIsTickedWhileItIsShown) {
    placeTrendLine(pixel(m_from, m_low), pixel(m_to, m_high));
    ASSERT_EQ(DrawingCount(extension(), kTrendKind), 1);
    const auto entry = [this] { return financialCommand(kFirstTrendLineEntry); };
    processEvents();
    ASSERT_NE(entry(), nullptr);
    EXPECT_TRUE(entry()->isCheckable());
    EXPECT_TRUE(entry()->isChecked());
    const auto line = DrawingAt(extension(), kTrendKind, 0);
    ASSERT_EQ(line->put_Visible(com::VARIANT_FALSE), com::S_OK);
    processEvents();
    ASSERT_NE(entry(), nullptr);
    EXPECT_FALSE(entry()->isChecked());
    // Chosen by the user, the entry shows the line again and ticks it.
    chooseFinancialCommand(kFirstTrendLineEntry);
    com::VARIANT_BOOL visible = com::VARIANT_FALSE;
    EXPECT_EQ(line->get_Visible(&visible), com::S_OK);
    EXPECT_NE(visible, com::VARIANT_FALSE);
    ASSERT_NE(entry(), nullptr);
    EXPECT_TRUE(entry()->isChecked());
    EXPECT_EQ(errorLog(), "");
}

// A drawing has the same entry in its kind's menu whether the user placed it or the program made it
// from the company's stored drawings: listed after the kind's commands, named and ticked as the
// drawing is, and gone with it when the chart shows a company without it.
TEST_F(ProgramDrawingsTest, AMadeOrRestoredLineHasTheMenuEntryOfAPlacedOne) {
    const auto entries = [this] {
        std::vector<QString> shown;
        QAction* menu = financialCommand(kTrendMenu);
        if (!menu || !menu->menu())
            return shown;
        for (QAction* action : menu->menu()->actions())
            if (!action->isSeparator())
                shown.push_back(action->text() + (action->isChecked() ? QStringLiteral(" [x]") : QString()));
        return shown;
    };
    const std::vector<QString> fixed = entries();
    ASSERT_EQ(fixed.size(), 2u) << "Add and Remove All";
    const auto line = trendLine(m_from, m_low, m_to, m_high);
    ASSERT_EQ(line->put_Name(com::Bstr::fromUtf8("Rising")), com::S_OK);
    processEvents();
    std::vector<QString> expected = fixed;
    expected.push_back(QStringLiteral("Rising [x]"));
    EXPECT_EQ(entries(), expected);
    EXPECT_NE(financialCommand(kFirstTrendLineEntry), nullptr);

    chartTicker("AMLB");
    EXPECT_EQ(entries(), fixed) << "the other company has no drawings";
    chartTicker("NORB");
    ASSERT_EQ(DrawingCount(extension(), kTrendKind), 1);
    EXPECT_EQ(entries(), expected) << "restored from the company's stored drawings";
    EXPECT_EQ(errorLog(), "");
}

// The chart bar's Properties opens the frame on the drawing page while a drawing is selected, and the
// page shows the drawing clicked, not the first one listed.
TEST_F(ProgramDrawingsTest, PropertiesWithASelectedLineOpenTheDrawingPageOnThatLine) {
    const com::LONG from = m_to + 5;
    const com::LONG to = m_to + 25;
    ASSERT_EQ(trendLine(m_from, m_low, m_to, m_high)->put_Name(com::Bstr::fromUtf8("First")), com::S_OK);
    const auto second = trendLine(from, m_high, to, m_low);
    ASSERT_EQ(second->put_Name(com::Bstr::fromUtf8("Second")), com::S_OK);
    ASSERT_EQ(second->put_LineWidth(3), com::S_OK);
    processEvents();
    click(pixel((from + to) / 2.0, (m_low + m_high) / 2));
    ASSERT_TRUE(handleAt(painted(), pixel(from, m_high)));
    struct Shown {
        bool opened = false;
        QString tab, name, fromText, toText;
        int width = -1;
    };
    const auto openProperties = [&] {
        Shown shown;
        shown.opened = chooseChartProperties([&](ui::PropertyFrame& frame) {
            if (auto* tabs = frame.findChild<QTabWidget*>())
                shown.tab = tabs->tabText(tabs->currentIndex());
            if (ui::Dialog* page = drawPage(frame))
                shown = {true,
                         shown.tab,
                         page->itemText(kDrawPageList),
                         page->itemText(kDrawPageFrom),
                         page->itemText(kDrawPageTo),
                         page->curSel(kDrawPageWidth)};
            frame.reject();
        });
        return shown;
    };
    const Shown shown = openProperties();
    ASSERT_TRUE(shown.opened) << "no property frame opened";
    EXPECT_EQ(shown.tab, QStringLiteral("Draws"));
    EXPECT_EQ(shown.name, QStringLiteral("Second"));
    // The anchors as the page shows them are the dates of the company's rows the line was placed on.
    const loc::LocaleInfo locale = loc::LocaleRegistry::find(DrawingDateLocale(extension()));
    EXPECT_EQ(frame::chart::ReadAnchorDate(shown.fromText.toStdString(), locale, chart()), dateOf(from))
        << shown.fromText.toStdString();
    EXPECT_EQ(frame::chart::ReadAnchorDate(shown.toText.toStdString(), locale, chart()), dateOf(to))
        << shown.toText.toStdString();
    EXPECT_EQ(shown.width, 2) << "width 3";
    // With the handle gone the chart's Properties is no longer the drawing's.
    moveTo(pixel(m_from - 20, m_high));
    ASSERT_FALSE(handleAt(painted(), pixel(from, m_high)));
    EXPECT_NE(openProperties().tab, QStringLiteral("Draws"));
    EXPECT_EQ(errorLog(), "");
}

namespace {

// Annotations of the user's on the sample company's chart: a filled rectangle and, in front of it, a
// circle of another fill that overlaps it.
class ProgramAnnotationsTest : public ProgramDrawingsTest {
protected:
    com::ComPtr<glossor::IGlosxObject> annotation(com::SHORT kind, QRect box, com::COLORREF fill) {
        com::ComPtr<glossor::IGlosxObject> object;
        EXPECT_EQ(list().Add(kind, com::Variant(), object.put()), com::S_OK);
        com::ComPtr<glossor::IGlosxPoints> points;
        EXPECT_EQ(object.as<glossor::IGlosxShape>()->get_Points(points.put()), com::S_OK);
        points->put_X1(static_cast<com::SHORT>(box.left()));
        points->put_Y1(static_cast<com::SHORT>(box.top()));
        points->put_X2(static_cast<com::SHORT>(box.right()));
        points->put_Y2(static_cast<com::SHORT>(box.bottom()));
        object->put_BackColor(fill);
        list().RefreshObject(object.get());
        return object;
    }
    glossor::IGlosxList& list() { return *chartWindow().annotationList(); }
    // The command as the user chooses it on the annotation tool bar.
    void choose(com::SHORT id) {
        com::ComPtr<ostbar::IOstToolbar> toolbar;
        ASSERT_EQ(list().get_ToolBarObject(toolbar.put()), com::S_OK);
        ASSERT_EQ(toolbar.as<ostbar::IOstCommandBar>()->FireCommand(id), com::S_OK);
        processEvents();
    }
    void shiftClick(QPoint at) {
        mouse(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::ShiftModifier);
        mouse(QEvent::MouseButtonRelease, at, Qt::NoButton, Qt::ShiftModifier);
        processEvents();
    }
    QPoint topLeft(const com::ComPtr<glossor::IGlosxObject>& object) {
        com::ComPtr<glossor::IGlosxPoints> points;
        EXPECT_EQ(object.as<glossor::IGlosxShape>()->get_Points(points.put()), com::S_OK);
        com::SHORT x = 0, y = 0;
        points->get_X1(&x);
        points->get_Y1(&y);
        return {x, y};
    }
};

constexpr com::COLORREF kRectangleFill = 0x0000FF;  // red
constexpr com::COLORREF kCircleFill = 0x00FF00;     // green

}  // namespace

// Grouped, cut and pasted, the two come back overlapping as they did: the circle still in front,
// whichever of them the user clicked to take the group.
TEST_F(ProgramAnnotationsTest, ACutAndPastedGroupKeepsItsObjectsInFrontAndBehindAsTheyWere) {
    const QRect rectangle(100, 100, 100, 100);
    const QPoint overlap(175, 175);  // inside both, and the circle's while it is in front
    const QRgb circleInFront = qRgb(0, 255, 0);
    for (const QPoint taken : {QPoint(230, 230), QPoint(120, 120)}) {
        SCOPED_TRACE(taken.x());
        list().Remove(-1);
        annotation(glossor::kKindRectangle, rectangle, kRectangleFill);
        annotation(glossor::kKindCircle, rectangle.translated(50, 50), kCircleFill);
        ASSERT_EQ(painted().pixel(overlap), circleInFront);
        click({120, 120});
        shiftClick({230, 230});
        choose(glossor::kCmdGroup);
        click({600, 40});
        click(taken);
        choose(glossor::kCmdCut);
        com::LONG count = -1;
        ASSERT_EQ(list().get_Count(&count), com::S_OK);
        ASSERT_EQ(count, 0);
        choose(glossor::kCmdPaste);
        ASSERT_EQ(list().get_Count(&count), com::S_OK);
        ASSERT_EQ(count, 2);
        // The copies lie a little further right and down.
        com::ComPtr<glossor::IGlosxObject> first;
        ASSERT_EQ(list().Item(1, first.put()), com::S_OK);
        com::SHORT kind = 0;
        first->get_Kind(&kind);
        EXPECT_EQ(kind, glossor::kKindRectangle);
        const QPoint moved = topLeft(first) - rectangle.topLeft();
        EXPECT_EQ(painted().pixel(overlap + moved), circleInFront);
    }
    EXPECT_EQ(errorLog(), "");
}

// The parameter dialogs of the configurable drawings and the Add dialog of a new drawing: the
// conversions between stored levels and the texts shown, the dialogs run over the real extension's
// drawings, and the events the Add dialog raises.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>

#include <cstring>
#include <functional>
#include <string>

#include "DrawingFixture.h"
#include "drawing/DrawingKind.h"
#include "pages/CAddDrawingDialog.h"
#include "pages/CDrawingDialogs.h"
#include "pages/CDrawingParametersDialog.h"

namespace dravik::test {
namespace {

std::vector<std::uint8_t> doubles(std::initializer_list<double> values) {
    std::vector<std::uint8_t> bytes;
    for (const double value : values) {
        std::uint8_t raw[8];
        std::memcpy(raw, &value, 8);
        bytes.insert(bytes.end(), raw, raw + 8);
    }
    return bytes;
}

double doubleAt(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    double value = 0;
    std::memcpy(&value, bytes.data() + offset, 8);
    return value;
}

std::string labelAt(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    return std::string(reinterpret_cast<const char*>(bytes.data() + offset));
}

// --- conversions -------------------------------------------------------------------------------------

TEST(DrawingParameterTexts, GannSlopesShowAsDegreesAndFibonacciRatiosAsPercentages) {
    // atan of the default slopes: 1 is 45 degrees, 2 - sqrt(3) is 15 degrees.
    const auto gann = DrawingParameterTexts(0, DefaultDrawingExtraBytes(0), ".");
    ASSERT_TRUE(gann);
    ASSERT_EQ(gann->size(), 9u);
    EXPECT_EQ((*gann)[1], "15.0000");
    EXPECT_EQ((*gann)[4], "45.0000");
    EXPECT_EQ((*gann)[7], "75.0000");  // 2 + sqrt(3)

    const auto fan = DrawingParameterTexts(2, DefaultDrawingExtraBytes(2), ",");
    ASSERT_TRUE(fan);
    EXPECT_EQ(*fan, (std::vector<QString>{"38,2000", "50,0000", "61,8000"}));

    const auto retracement = DrawingParameterTexts(3, DefaultDrawingExtraBytes(3), ".");
    ASSERT_TRUE(retracement);
    EXPECT_EQ(*retracement,
              (std::vector<QString>{"0.0000", "23.6000", "38.2000", "50.0000", "61.8000", "100.0000"}));
}

TEST(DrawingParameterTexts, BytesOfAnotherSizeOrAKindWithoutParametersGiveNothing) {
    std::vector<std::uint8_t> short23(23, 0);
    EXPECT_FALSE(DrawingParameterTexts(1, short23, "."));
    EXPECT_FALSE(DrawingParameterTexts(9, {}, "."));
    const std::vector<QString> three{"1", "2", "3"};
    EXPECT_FALSE(StoreDrawingParameterTexts(1, three, short23, "."));
    EXPECT_EQ(short23, std::vector<std::uint8_t>(23, 0));
    std::vector<std::uint8_t> fan = DefaultDrawingExtraBytes(1);
    const std::vector<QString> two{"1", "2"};
    EXPECT_FALSE(StoreDrawingParameterTexts(1, two, fan, ".")) << "one text per level";
    EXPECT_EQ(fan, DefaultDrawingExtraBytes(1));
}

TEST(DrawingParameterTexts, GannAnglesAreTakenModuloOneTurnAndStoredAsSlopes) {
    struct Case {
        const char* text;
        double slope;
    };
    // tan(45 degrees) = 1; tan(30 degrees) = 1/sqrt(3) = 0.5773502691896257.
    const Case cases[] = {{"405", 1.0}, {"45", 1.0}, {"765", 1.0}, {"-315", 1.0}, {"30", 0.5773502691896257},
                          {"0", 0.0}};
    for (const Case& c : cases) {
        std::vector<std::uint8_t> bytes = DefaultDrawingExtraBytes(0);
        std::vector<QString> texts(9, QString());
        texts[0] = QString::fromLatin1(c.text);
        const auto shown = DrawingParameterTexts(0, bytes, ".");
        for (int i = 1; i < 9; ++i)
            texts[static_cast<std::size_t>(i)] = (*shown)[static_cast<std::size_t>(i)];
        ASSERT_TRUE(StoreDrawingParameterTexts(0, texts, bytes, ".", *shown)) << c.text;
        EXPECT_NEAR(doubleAt(bytes, 0), c.slope, 1e-15) << c.text;
        // The levels left as shown keep their exact stored slopes.
        EXPECT_EQ(doubleAt(bytes, 8), 0.2679491924311) << c.text;
        EXPECT_EQ(doubleAt(bytes, 64), 7.595754112725) << c.text;
    }
}

TEST(DrawingParameterTexts, FibonacciPercentagesAreLimitedToZeroToHundred) {
    std::vector<std::uint8_t> bytes = doubles({0.382, 0.5, 0.618});
    const std::vector<QString> texts{"-5", "250", "61,8"};
    ASSERT_TRUE(StoreDrawingParameterTexts(1, texts, bytes, ","));
    EXPECT_EQ(doubleAt(bytes, 0), 0.0);
    EXPECT_EQ(doubleAt(bytes, 8), 1.0);
    EXPECT_DOUBLE_EQ(doubleAt(bytes, 16), 0.618);
}

TEST(DrawingParameterTexts, ATextThatIsNoFiniteNumberKeepsItsLevel) {
    std::vector<std::uint8_t> bytes = doubles({0.382, 0.5, 0.618});
    const std::vector<QString> texts{"nan", "inf", "12.5"};
    ASSERT_TRUE(StoreDrawingParameterTexts(2, texts, bytes, "."));
    EXPECT_EQ(doubleAt(bytes, 0), 0.382);
    EXPECT_EQ(doubleAt(bytes, 8), 0.5);
    EXPECT_EQ(doubleAt(bytes, 16), 0.125);
}

TEST(DrawingParameterTexts, RetracementLevelsGetTheirPercentageAsLabel) {
    std::vector<std::uint8_t> bytes = DefaultDrawingExtraBytes(3);
    const std::vector<QString> texts{"0", "23.6", "38.2", "-1", "250", "12.345"};
    ASSERT_TRUE(StoreDrawingParameterTexts(3, texts, bytes, "."));
    constexpr std::size_t level = kRetracementLevelBytes;
    EXPECT_DOUBLE_EQ(doubleAt(bytes, level), 0.236);
    EXPECT_EQ(labelAt(bytes, level + 8), "23.60");
    EXPECT_EQ(doubleAt(bytes, 3 * level), 0.0);
    EXPECT_EQ(labelAt(bytes, 3 * level + 8), "0.00");
    EXPECT_EQ(doubleAt(bytes, 4 * level), 1.0);
    EXPECT_EQ(labelAt(bytes, 4 * level + 8), "100.00");
    EXPECT_EQ(labelAt(bytes, 5 * level + 8), "12.35");  // 12.345 is stored just above the tie
    EXPECT_EQ(bytes.size(), 144u);
}

// --- the dialogs over the extension's drawings ------------------------------------------------------------

// Runs `act` on the modal dialog once the event loop shows it.
void whenModal(std::function<void(ui::Dialog&)> act) {
    QTimer::singleShot(0, [act] {
        auto* dialog = qobject_cast<ui::Dialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr) << "no modal dialog is open";
        act(*dialog);
    });
}

class DrawingDialogs : public DrawingFixture {
protected:
    void SetUp() override {
        DrawingFixture::SetUp();
        previous = SetDrawingDialogs(&dialogs);
    }
    void TearDown() override {
        SetDrawingDialogs(previous);
        DrawingFixture::TearDown();
    }

    CDrawingDialogs dialogs;
    IDrawingDialogs* previous = nullptr;
};

TEST_F(DrawingDialogs, GannDialogStoresSlopeOneForASettingOf405) {
    const int gann = drawing(DF_GANN_FAN);
    auto object = feature(gann);
    const auto dialog = CDrawingParametersDialog::Create(*object, DF_GANN_FAN);
    ASSERT_TRUE(dialog);
    ui::Dialog* window = dialog->Open(nullptr);
    EXPECT_EQ(window->windowTitle(), "Gann Fan configuration");
    window->setItemText(kFirstGannEdit, "405");
    window->clickButton(1);
    EXPECT_EQ(dialog->result(), kParametersChanged);
    EXPECT_NEAR(ratio(gann, 0), 1.0, 1e-15);
    EXPECT_EQ(ratio(gann, 1), 0.2679491924311) << "a level left alone keeps its exact slope";
}

TEST_F(DrawingDialogs, OkWithoutAnEditReportsNoChangeAndCancelWritesNothing) {
    const int fan = drawing(DF_FIBONACCI_FAN);
    auto object = feature(fan);
    const auto dialog = CDrawingParametersDialog::Create(*object, DF_FIBONACCI_FAN);
    dialog->Open(nullptr)->clickButton(1);
    EXPECT_EQ(dialog->result(), kParametersUnchanged);

    ui::Dialog* window = dialog->Open(nullptr);
    window->setItemText(kFirstLevelEdit, "10");
    window->clickButton(2);
    EXPECT_EQ(dialog->result(), kParametersUnchanged);
    EXPECT_EQ(record(fan).extraBytes, DefaultDrawingExtraBytes(DF_FIBONACCI_FAN));
}

TEST_F(DrawingDialogs, KindsWithoutParametersHaveNoDialog) {
    const int trend = drawing(DF_TREND_LINE);
    auto object = feature(trend);
    EXPECT_FALSE(CDrawingParametersDialog::Create(*object, DF_TREND_LINE));
}

TEST_F(DrawingDialogs, ShowParametersDlgRunsTheDialogModallyAndReportsTheChange) {
    const int arcs = drawing(DF_FIBONACCI_ARCS);
    auto object = feature(arcs);
    QWidget parent;
    QString title;
    whenModal([&title](ui::Dialog& dialog) {
        title = dialog.windowTitle();
        dialog.setItemText(kFirstLevelEdit, "-5");
        dialog.setItemText(kFirstLevelEdit + 1, "250");
        dialog.clickButton(1);
    });
    com::VARIANT_BOOL changed = com::VARIANT_FALSE;
    ASSERT_EQ(object->ShowParametersDlg(reinterpret_cast<std::intptr_t>(&parent), &changed), com::S_OK);
    EXPECT_EQ(title, "Fibonacci Configuration");
    EXPECT_EQ(changed, com::VARIANT_TRUE);
    EXPECT_EQ(ratio(arcs, 0), 0.0);
    EXPECT_EQ(ratio(arcs, 1), 1.0);
    EXPECT_EQ(ratio(arcs, 2), 0.618);

    whenModal([](ui::Dialog& dialog) { dialog.clickButton(2); });
    ASSERT_EQ(object->ShowParametersDlg(0, &changed), com::S_OK);
    EXPECT_EQ(changed, com::VARIANT_FALSE);
}

TEST_F(DrawingDialogs, AHandleThatNamesNoWidgetIsNoParent) {
    QWidget widget;
    EXPECT_EQ(WidgetOfHandle(reinterpret_cast<std::intptr_t>(&widget)), &widget);
    EXPECT_EQ(WidgetOfHandle(0), nullptr);
    EXPECT_EQ(WidgetOfHandle(42), nullptr);
}

// --- the Add dialog ------------------------------------------------------------------------------------

class AddDrawingDialog : public DrawingDialogs {
protected:
    // The user begins a new drawing of `kind`: the chart adds it, hidden, at the end of the list.
    int begin(int kind) {
        int index = -1;
        EXPECT_EQ(
            charts->drawingList().Add(kind, charts->drawingList().FreeItemCommand(kind), true, -1, &index),
            com::S_OK);
        return index;
    }
    const DrawingPlacement placement{2.0, 10.5, 5.0, 12.25};
};

TEST_F(AddDrawingDialog, CancelLeavesTheDrawingListAsItWasBefore) {
    const int kept = drawing(DF_TREND_LINE);
    record(kept).SetName("Support");
    const std::int16_t before = charts->drawingList().Count();
    const int index = begin(DF_GANN_FAN);
    ASSERT_EQ(charts->drawingList().Count(), before + 1);

    CAddDrawingDialog dialog(*charts, index, placement, {});
    ui::Dialog* window = dialog.Open(nullptr);
    window->setItemText(IDC_DRAW_NAME, "Never kept");
    window->clickButton(2);

    EXPECT_FALSE(dialog.confirmed());
    ASSERT_EQ(charts->drawingList().Count(), before);
    EXPECT_EQ(record(kept).Name(), "Support");
    EXPECT_EQ(charts->drawingList().CountOfKind(DF_GANN_FAN), 0);
    EXPECT_TRUE(events.empty());
}

TEST_F(AddDrawingDialog, OkKeepsTheNamedDrawingShownAndRaisesCreatedDrawing) {
    drawing(DF_GANN_FAN);
    const int index = begin(DF_GANN_FAN);
    const std::vector<gdi::COLORREF> colours{0x0000FF, 0x00FF00};
    CAddDrawingDialog dialog(*charts, index, placement, colours);
    ui::Dialog* window = dialog.Open(nullptr);
    EXPECT_EQ(window->windowTitle(), "Add");
    // The default name is the two dates (plain point numbers on this chart) joined by "-".
    EXPECT_EQ(window->itemText(IDC_DRAW_NAME), "      2.00-      5.00");
    window->setItemText(IDC_DRAW_NAME, QString(70, 'n'));
    window->setCurSel(IDC_DRAW_COLOR, 1);
    window->setCurSel(IDC_DRAW_WIDTH, 2);
    window->setCurSel(IDC_DRAW_STYLE, 3);
    window->clickButton(1);

    ASSERT_TRUE(dialog.confirmed());
    const DrawingRecord& added = record(index);
    EXPECT_EQ(added.Name(), std::string(kDrawingNameChars, 'n'));
    EXPECT_EQ(added.state, kDrawingShown);
    EXPECT_EQ(added.from, 2.0);
    EXPECT_EQ(added.to, 5.0);
    EXPECT_EQ(added.fromPrice, 10.5);
    EXPECT_EQ(added.toPrice, 12.25);
    EXPECT_EQ(added.color, 0x00FF00u);
    EXPECT_EQ(added.lineWidth, 3);
    EXPECT_EQ(added.lineStyle, 3);
    EXPECT_EQ(events, (std::vector<SeenDrawingEvent>{{kEventCreatedDrawing, DF_GANN_FAN, 1}}));
}

// The two placement buttons are one group: after each click exactly the clicked one is checked, a
// second click on it keeps it, and OK stores the last choice.
TEST_F(AddDrawingDialog, PlacementButtonsAreExclusiveAndOkStoresTheLastOne) {
    const int index = begin(DF_TREND_LINE);
    CAddDrawingDialog dialog(*charts, index, placement, {});
    ui::Dialog* window = dialog.Open(nullptr);
    const int first = window->isButtonChecked(IDC_DRAW_FREE) ? IDC_DRAW_ON_SERIES : IDC_DRAW_FREE;
    const int other = first == IDC_DRAW_FREE ? IDC_DRAW_ON_SERIES : IDC_DRAW_FREE;
    for (const int clicked : {first, first, other, first}) {
        window->clickButton(clicked);
        EXPECT_TRUE(window->isButtonChecked(clicked)) << clicked;
        EXPECT_FALSE(window->isButtonChecked(clicked == first ? other : first)) << clicked;
    }
    window->clickButton(1);
    EXPECT_EQ(record(index).freeDraw, first == IDC_DRAW_FREE ? 1 : 0);
}

TEST_F(AddDrawingDialog, ConfiguringTheNewDrawingAlsoRaisesDrawPrivateBytesCommit) {
    ASSERT_EQ(financial->put_Options(kOptionConfigureDrawings | kOptionNoFreeDraw), com::S_OK);
    const int index = begin(DF_FIBONACCI_RETRACEMENTS);
    CAddDrawingDialog dialog(*charts, index, placement, {});
    ui::Dialog* window = dialog.Open(nullptr);
    EXPECT_FALSE(window->isItemEnabled(IDC_DRAW_FREE)) << "free drawing is switched off by the options";
    EXPECT_FALSE(window->isButtonChecked(IDC_DRAW_FREE));
    EXPECT_FALSE(window->item(IDC_DRAW_CONFIGURE)->isHidden());
    whenModal([](ui::Dialog& parameters) {
        parameters.setItemText(kFirstLevelEdit + 1, "25");
        parameters.clickButton(1);
    });
    window->clickButton(IDC_DRAW_CONFIGURE);
    window->clickButton(1);

    EXPECT_EQ(ratio(index, 1, kRetracementLevelBytes), 0.25);
    EXPECT_EQ(record(index).freeDraw, 0);
    EXPECT_EQ(events,
              (std::vector<SeenDrawingEvent>{{kEventCreatedDrawing, DF_FIBONACCI_RETRACEMENTS, 0},
                                             {kEventDrawPrivateBytesCommit, DF_FIBONACCI_RETRACEMENTS, 0}}));
}

TEST_F(AddDrawingDialog, ConfigureIsHiddenWithoutTheOptionOrWithoutParameters) {
    const int gann = begin(DF_GANN_FAN);
    CAddDrawingDialog gannDialog(*charts, gann, placement, {});
    EXPECT_TRUE(gannDialog.Open(nullptr)->item(IDC_DRAW_CONFIGURE)->isHidden());

    ASSERT_EQ(financial->put_Options(kOptionConfigureDrawings), com::S_OK);
    const int trend = begin(DF_TREND_LINE);
    CAddDrawingDialog trendDialog(*charts, trend, placement, {});
    EXPECT_TRUE(trendDialog.Open(nullptr)->item(IDC_DRAW_CONFIGURE)->isHidden());
}

TEST_F(AddDrawingDialog, ClosingTheModalDialogOtherwiseIsACancel) {
    const std::int16_t before = charts->drawingList().Count();
    const int index = begin(DF_QUADRANT_LINES);
    QWidget parent;
    whenModal([](ui::Dialog& dialog) { dialog.reject(); });
    EXPECT_FALSE(dialogs.RunAddDrawing(*charts, index, placement, reinterpret_cast<std::intptr_t>(&parent)));
    EXPECT_EQ(charts->drawingList().Count(), before);

    const int again = begin(DF_QUADRANT_LINES);
    whenModal([](ui::Dialog& dialog) { dialog.clickButton(1); });
    EXPECT_TRUE(GetDrawingDialogs()->RunAddDrawing(*charts, again, placement, 0));
    EXPECT_EQ(record(again).state, kDrawingShown);
    EXPECT_EQ(events, (std::vector<SeenDrawingEvent>{{kEventCreatedDrawing, DF_QUADRANT_LINES, 0}}));
}

}  // namespace
}  // namespace dravik::test

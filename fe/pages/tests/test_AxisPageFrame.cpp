// The axis pages inside the chart type's axis frame: the frame opens them by class id, they bind to
// the axis the frame was opened for, and the general page's details open a frame of their own.
#include <functional>

#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include "AxisPageFixture.h"
#include "pages/CAxisGeneralPage.h"
#include "pages/CAxisGridPage.h"
#include "pages/CAxisScalePage.h"
#include "ui/PropertyFrame.h"

namespace dravik::test {
namespace {

// A page of a frame: its title and the axis name its window shows.
struct ShownPage {
    QString title;
    QString axisName;
};

// The window of the page made from dialog `dialogId`.
ui::Dialog* pageWindow(ui::PropertyFrame& frame, int dialogId) {
    for (ui::Dialog* dialog : frame.findChildren<ui::Dialog*>()) {
        if (dialog->property("dialogId").toInt() == dialogId)
            return dialog;
    }
    return nullptr;
}

class AxisFrame : public AxisPageTest {
protected:
    void SetUp() override {
        AxisPageTest::SetUp();
        registerPage<CAxisGeneralPage>(CLSID_AxisGeneralPage, "Lomex.AxisGeneralPage");
        registerPage<CAxisScalePage>(CLSID_AxisScalePage, "Lomex.AxisScalePage");
        registerPage<CAxisGridPage>(CLSID_AxisGridPage, "Lomex.AxisGridPage");
    }
    void TearDown() override {
        for (const com::CLSID& clsid : {CLSID_AxisGeneralPage, CLSID_AxisScalePage, CLSID_AxisGridPage})
            com::revokeClassObject(clsid);
        AxisPageTest::TearDown();
    }

    template <typename Page>
    static void registerPage(const com::CLSID& clsid, const char* progId) {
        ASSERT_EQ(com::registerClassObject(com::ServerClass{clsid, progId, nullptr, "Apartment",
                                                            &com::createComObject<CAxisPageObject<Page>>}),
                  com::S_OK);
    }

    // Runs `look` on the next modal frame once it shows, then cancels it.
    void whenFrameShows(std::function<void(ui::PropertyFrame&)> look) {
        QTimer::singleShot(0, [this, look] {
            auto* frame = qobject_cast<ui::PropertyFrame*>(QApplication::activeModalWidget());
            if (!frame) {
                ADD_FAILURE() << "no frame shown";
                return;
            }
            ++framesShown;
            look(*frame);
            frame->reject();
        });
    }

    static std::vector<ShownPage> pagesOf(ui::PropertyFrame& frame) {
        std::vector<ShownPage> shown;
        const int dialogs[] = {358, 363, 368};
        for (std::size_t i = 0; i < frame.pageCount(); ++i) {
            shown.push_back({frame.page(i)->title(), QString()});
            for (const int id : dialogs) {
                ui::Dialog* window = pageWindow(frame, id);
                if (window && window->windowTitle() == shown.back().title)
                    shown.back().axisName = window->itemText(IDC_AXISTITLE);
            }
        }
        return shown;
    }

    int framesShown = 0;
};

TEST_F(AxisFrame, TheChartTypeOpensTheAxisPagesForTheAxis) {
    extension->settings().propPageMask = 64 | 256 | 512;
    std::vector<ShownPage> shown;
    whenFrameShows([&shown](ui::PropertyFrame& frame) { shown = pagesOf(frame); });
    EXPECT_EQ(barType().ShowPropertyFrame(2), 1);
    EXPECT_EQ(framesShown, 1);
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].title, QString("General"));
    EXPECT_EQ(shown[1].title, QString("Scale"));
    EXPECT_EQ(shown[2].title, QString("Grid Lines"));
    for (const ShownPage& page : shown)
        EXPECT_EQ(page.axisName, QString("Date axis")) << "the axis the frame was opened for";
    EXPECT_EQ(barType().currentAxis(), -1);
}

TEST_F(AxisFrame, TheDetailsOfTheChosenAxisOpenInAFrameOfTheirOwn) {
    extension->settings().propPageMask = 64 | 256;
    CAxisGeneralPage page;
    ui::Dialog& dialog = open(page, -1);
    ASSERT_EQ(page.boundAxis(), 0);
    std::vector<ShownPage> shown;
    bool buttonDisabled = false;
    whenFrameShows([&](ui::PropertyFrame& frame) {
        shown = pagesOf(frame);
        buttonDisabled = !dialog.isItemEnabled(IDC_AXISDETAILS);
        // A step set in the details frame shows on the page afterwards.
        EXPECT_EQ(axisObject(0)->put_Step(4), com::S_OK);
    });
    dialog.clickButton(IDC_AXISDETAILS);
    EXPECT_EQ(framesShown, 1);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].title, QString("General"));
    EXPECT_EQ(shown[0].axisName, QString("Price axis"));
    EXPECT_EQ(shown[1].title, QString("Scale"));
    EXPECT_TRUE(buttonDisabled);
    EXPECT_TRUE(dialog.isItemEnabled(IDC_AXISDETAILS));
    EXPECT_EQ(barType().currentAxis(), -1);
    EXPECT_EQ(dialog.itemText(IDC_MAJORUNIT).toDouble(), 4.0);
    EXPECT_EQ(page.isPageDirty(), com::S_FALSE);
}

TEST_F(AxisFrame, APageAppliedFromTheFrameWritesItsAxis) {
    extension->settings().propPageMask = 512;
    ASSERT_EQ(priceRecord().usedFields & kUsedStyle, 0u);
    whenFrameShows([](ui::PropertyFrame& frame) {
        ASSERT_EQ(frame.pageCount(), 1u);
        ui::Dialog* grid = pageWindow(frame, 368);
        ASSERT_NE(grid, nullptr);
        grid->clickButton(IDC_INTERLACED);
        EXPECT_TRUE(frame.button(ui::ID_APPLY_NOW)->isEnabled());
        frame.button(ui::ID_APPLY_NOW)->click();
        EXPECT_FALSE(frame.button(ui::ID_APPLY_NOW)->isEnabled());
    });
    EXPECT_EQ(barType().ShowPropertyFrame(1), 1);
    EXPECT_NE(priceRecord().usedFields & kUsedStyle, 0u);
    EXPECT_NE(priceRecord().style & AS_INTERLACED, 0u);
}

TEST_F(AxisFrame, AWrongRangeHoldsTheFocusAgainstApplyAndGoesBackOnCancel) {
    extension->settings().propPageMask = 256;
    const auto axis = axisObject(0);
    ASSERT_EQ(axis->put_Format(com::Variant(std::int32_t{0})), com::S_OK);
    ASSERT_EQ(axis->put_Decimals(2), com::S_OK);
    ASSERT_EQ(axis->put_Min(10), com::S_OK);
    ASSERT_EQ(axis->put_Max(20), com::S_OK);
    QString afterApply;
    int focusAfterApply = 0;
    QString afterCancel;
    whenFrameShows([&](ui::PropertyFrame& frame) {
        ui::Dialog* scale = pageWindow(frame, 363);
        ASSERT_NE(scale, nullptr);
        frame.activateWindow();
        QApplication::processEvents();
        scale->setFocusTo(IDC_AXISMIN);
        QApplication::processEvents();
        scale->setItemText(IDC_AXISMIN, "30");
        frame.button(ui::ID_APPLY_NOW)->setFocus();
        QApplication::processEvents();
        focusAfterApply = scale->idOf(QApplication::focusWidget());
        afterApply = scale->itemText(IDC_AXISMIN);
        frame.button(2)->setFocus();
        QApplication::processEvents();
        afterCancel = scale->itemText(IDC_AXISMIN);
    });
    EXPECT_EQ(barType().ShowPropertyFrame(0), 1);
    EXPECT_EQ(focusAfterApply, IDC_AXISMIN) << "the focus comes back from Apply";
    EXPECT_EQ(afterApply, QString("30"));
    EXPECT_EQ(afterCancel, QString("10.00")) << "Cancel brings the loaded range back";
    EXPECT_DOUBLE_EQ(priceRecord().min, 10);
}

// The analytical chart's price axis, whose grid the price pane draws from its record: opening every
// axis page for it (as the price labels' menu does, with the chart's axis 0) and cancelling leaves the
// record exactly as it was.
TEST_F(AxisFrame, CancellingThePriceAxisFrameLeavesItsRecordAsItWas) {
    constexpr SHORT kAnalyticalIndex = 4;
    constexpr SHORT kPricePane = 0;
    ASSERT_EQ(chart->put_ChartType(kFirstGalleryNumber + kAnalyticalIndex), com::S_OK);
    ASSERT_EQ(extension->activeIndex(), kAnalyticalIndex);
    extension->settings().propPageMask = 64 | 256 | 512;
    // The price pane's grid is dashed grey, unlike the control's own axis.
    priceRecord().gridStyle = 1;
    priceRecord().gridColor = 0x808080;
    const AxisSettingsRecord before = priceRecord();
    std::size_t pages = 0;
    whenFrameShows([&pages](ui::PropertyFrame& frame) {
        pages = frame.pageCount();
        for (int i = 0; i < static_cast<int>(pages); ++i) {
            if (auto* tabs = frame.findChild<QTabWidget*>())
                tabs->setCurrentIndex(i);
        }
    });
    EXPECT_EQ(extension->gallery(kAnalyticalIndex)->ShowPropertyFrame(kPricePane), 1);
    EXPECT_EQ(pages, 3u);
    const AxisSettingsRecord& after = priceRecord();
    EXPECT_EQ(after.usedFields, before.usedFields);
    EXPECT_EQ(after.gridStyle, before.gridStyle);
    EXPECT_EQ(after.gridColor, before.gridColor);
    EXPECT_EQ(after.gridWidth, before.gridWidth);
    EXPECT_EQ(after.minorGridStyle, before.minorGridStyle);
    EXPECT_EQ(after.minorGridColor, before.minorGridColor);
    EXPECT_EQ(after.tickStyle, before.tickStyle);
    EXPECT_EQ(after.style, before.style);
    EXPECT_TRUE(after == before) << "some other field of the record changed";
}

}  // namespace
}  // namespace dravik::test

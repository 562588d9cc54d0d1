// Attaching to a chart, the gallery commands, activation with the callback chain and the forwarding of
// the control's calls to the chart types.
#include <QFile>
#include <QImage>

#include "ExtensionFixture.h"
#include "com/Activation.h"
#include "dravik/Identities.h"
#include "gdi/DeviceContext.h"
#include "gdi/SystemColors.h"
#include "ostbar/OstCommandBar.h"

namespace dravik::test {
namespace {

using korvel::KvlChart;

class AttachTest : public ExtensionFixture {};

TEST_F(AttachTest, CaptionThenTheFiftySixSeriesColouredFromThePaletteInsideOneDataChange) {
    chart->model().palette() = {0x0000FF, 0x00FF00, 0xFF0000};
    chart->model().setColouredCount(2);  // series 0 and 1 keep their own colours
    const LONG ownColour1 = [&] {
        LONG colour = 0;
        chart->model().attribute(1, korvel::kAttrColor, &colour);
        return colour;
    }();

    ASSERT_EQ(attach(), com::S_OK);

    EXPECT_EQ(callsAmong({"SetCaptionTextA", "OpenData", "CloseData"}),
              (std::vector<std::string>{"SetCaptionTextA", "OpenData", "CloseData"}));
    // Every colour call lies inside the data change.
    const auto& calls = recorder->calls();
    const auto open = std::find(calls.begin(), calls.end(), "OpenData");
    const auto close = std::find(calls.begin(), calls.end(), "CloseData");
    EXPECT_EQ(std::count(open, close, "SetSeriesColor"), 54);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "SetSeriesColor"), 54);

    char caption[40] = {};
    chart->GetCaptionTextA(caption, sizeof caption);
    EXPECT_STREQ(caption, "Financial");
    EXPECT_EQ(chart->model().seriesCount(), 56);
    EXPECT_EQ(chart->model().pointCount(), 10);
    const com::COLORREF palette[] = {0x0000FF, 0x00FF00, 0xFF0000};
    for (LONG series = 2; series < 56; ++series) {
        LONG colour = 0;
        chart->model().attribute(series, korvel::kAttrColor, &colour);
        EXPECT_EQ(static_cast<com::COLORREF>(colour), palette[series % 3]) << series;
    }
    LONG colour1 = 0;
    chart->model().attribute(1, korvel::kAttrColor, &colour1);
    EXPECT_EQ(colour1, ownColour1);
}

TEST_F(AttachTest, SecondAttachWithoutDetachFailsAndChangesNothing) {
    ASSERT_EQ(attach(), com::S_OK);
    recorder->clear();
    auto other = KvlChart::create();
    EXPECT_EQ(extension->SetChart(static_cast<korvel::IKvlExtensionSite*>(other.get())), com::E_FAIL);
    EXPECT_EQ(extension->SetChart(chartObject()), com::E_FAIL);
    EXPECT_TRUE(recorder->calls().empty());
    EXPECT_EQ(extension->site(), static_cast<korvel::IKvlExtensionSite*>(recorder.get()));
}

TEST_F(AttachTest, AnObjectWithoutTheSiteIsNoChart) {
    auto notAChart = com::makeComObject<FakePreviousCallback>(nullptr);
    EXPECT_EQ(extension->SetChart(static_cast<korvel::IKvlExtensionCallback*>(notAChart.get())), com::E_FAIL);
    EXPECT_FALSE(extension->isAttached());
    EXPECT_EQ(extension->SetChart(nullptr), com::S_OK);  // detaching a detached object does nothing
}

TEST_F(AttachTest, HoldsNoReferenceOnTheChartWhileAttached) {
    auto* site = static_cast<korvel::IKvlExtensionSite*>(recorder.get());
    site->AddRef();
    const com::ULONG before = site->Release();
    ASSERT_EQ(attach(), com::S_OK);
    site->AddRef();
    EXPECT_EQ(site->Release(), before);
    EXPECT_NE(extension->services(), nullptr);
    EXPECT_NE(extension->adapter(), nullptr);
    extension->SetChart(nullptr);
    EXPECT_EQ(extension->services(), nullptr);
    EXPECT_EQ(extension->adapter(), nullptr);
}

TEST_F(AttachTest, AnswersTheSiteItIsAttachedToOnlyWhileAttached) {
    com::ComPtr<korvel::IKvlExtensionSite> site;
    EXPECT_EQ(extension.as<IFinancialCharts>().get()->QueryInterface(korvel::IKvlExtensionSite::iid,
                                                                     site.putVoid()),
              com::E_NOINTERFACE);
    ASSERT_EQ(attach(), com::S_OK);
    site = extension.as<IFinancialCharts>().as<korvel::IKvlExtensionSite>();
    EXPECT_EQ(site.get(), static_cast<korvel::IKvlExtensionSite*>(recorder.get()));
    // The site's services are not answered by the extension.
    EXPECT_FALSE(extension.as<IFinancialCharts>().as<korvel::IKvlExtensionServices>());
    site.reset();
    extension->SetChart(nullptr);
    EXPECT_FALSE(extension.as<IFinancialCharts>().as<korvel::IKvlExtensionSite>());
}

TEST_F(AttachTest, CaptionComesFromTheStringTable) {
    korvel::KvlCaption caption;
    ASSERT_EQ(extension->GetCaption(&caption), com::S_OK);
    EXPECT_EQ(caption.flags, 1);
    EXPECT_STREQ(caption.caption, "Financial");
    EXPECT_EQ(extension->GetCaption(nullptr), com::E_POINTER);
}

// --- Gallery commands ---------------------------------------------------------------------------------

class GalleryCommandsTest : public ExtensionFixture {
protected:
    ostbar::OstCommandTable& table() { return *chart->commandBar().table(); }
    std::u16string textOf(SHORT id) {
        const ostbar::OstCommandData* command = table().find(id);
        return command ? command->text : u"<missing>";
    }
    static std::vector<SHORT> withIds(std::vector<SHORT> row, SHORT first) {
        for (SHORT i = 0; i < 5; ++i)
            row.push_back(static_cast<SHORT>(first + i));
        return row;
    }
};

TEST_F(GalleryCommandsTest, FiveNamedCommandsWithConsecutiveImagesThenRenumbered) {
    // The chart's own commands come first on its row.
    table().add(7);
    table().insertAt(ostbar::kToolbarContainer, 0, 7);
    const std::vector<SHORT> rowOfTheChart = table().row();
    const std::size_t imagesBefore = table().images().size();
    ASSERT_EQ(attach(), com::S_OK);
    const std::vector<SHORT> rowBefore = table().row();
    ASSERT_EQ(extension->UpdateCommandTexts(130, 30000), com::S_OK);

    const char16_t* names[] = {u"Point and Figure", u"Renko", u"Kagi", u"Three Line Break", u"Analytical"};
    for (SHORT i = 0; i < 5; ++i) {
        const ostbar::OstCommandData* command = table().find(static_cast<SHORT>(30000 + i));
        ASSERT_NE(command, nullptr) << i;
        EXPECT_EQ(command->text, names[i]);
        EXPECT_EQ(command->image, static_cast<SHORT>(imagesBefore + i));
    }
    EXPECT_EQ(table().find(30005), nullptr);  // the bar type has no command
    EXPECT_EQ(table().row(), withIds(rowBefore, 30000));
    EXPECT_EQ(extension->firstCommandId(), 30000);
    EXPECT_EQ(extension->firstGalleryType(), 130);

    ASSERT_EQ(extension->UpdateCommandTexts(140, 31000), com::S_OK);
    EXPECT_EQ(table().find(30000), nullptr);
    EXPECT_EQ(textOf(31000), u"Point and Figure");
    EXPECT_EQ(textOf(31004), u"Analytical");
    EXPECT_EQ(table().row(), withIds(rowBefore, 31000));
    EXPECT_EQ(table().images().size(), imagesBefore + 5);  // images are added once

    // Detaching takes the five renumbered entries (and the toolbar's entry) off the row and nothing else.
    ASSERT_EQ(extension->SetChart(nullptr), com::S_OK);
    EXPECT_EQ(table().row(), rowOfTheChart);
}

TEST_F(GalleryCommandsTest, DetachWithoutRegisteredCommandsLeavesTheChartsEntries) {
    for (SHORT id = 0; id < 4; ++id) {
        table().add(id);
        table().insertAt(ostbar::kToolbarContainer, static_cast<std::size_t>(id), id);
    }
    const std::vector<SHORT> rowOfTheChart = table().row();
    ASSERT_EQ(attach(), com::S_OK);
    ASSERT_EQ(extension->SetChart(nullptr), com::S_OK);
    EXPECT_EQ(table().row(), rowOfTheChart);
    for (SHORT id = 0; id < 4; ++id)
        EXPECT_NE(table().find(id), nullptr);
}

// --- Activation -----------------------------------------------------------------------------------------

class ActivationTest : public ExtensionFixture {};

TEST_F(ActivationTest, ActivationInstallsTheCallbackFirstAndDeactivationRestoresThePredecessor) {
    ASSERT_EQ(attach(), com::S_OK);
    auto previous = installPrevious();
    korvel::IKvlExtensionCallback* installedDuringActivate = nullptr;
    CRecordingGallery::setObserver([&](const CRecordingGallery&, const CRecordingGallery::Call& call) {
        if (call.name == "Activate")
            installedDuringActivate = chart->callback();
    });
    type(2).setAnswer("Activate", 5);

    EXPECT_EQ(extension->ActivateGallery(2, 1, -1), 5);
    EXPECT_EQ(extension->activeIndex(), 2);
    EXPECT_EQ(chart->callback(), ownCallback());
    EXPECT_EQ(installedDuringActivate, ownCallback());
    EXPECT_EQ(extension->previous(), previous.get());
    ASSERT_EQ(type(2).calls().back().name, "Activate");
    EXPECT_EQ(type(2).calls().back().args, (std::vector<std::intptr_t>{1, -1}));

    recorder->clear();
    installedDuringActivate = nullptr;
    EXPECT_EQ(extension->ActivateGallery(2, 0, -1), 5);
    EXPECT_EQ(installedDuringActivate, previous.get());  // restored before the type deactivates
    EXPECT_EQ(type(2).calls().back().args, (std::vector<std::intptr_t>{0, -1}));
    EXPECT_EQ(chart->callback(), previous.get());
    EXPECT_EQ(extension->previous(), nullptr);
    EXPECT_EQ(extension->activeIndex(), -1);
    EXPECT_EQ(callsAmong({"AdviseCallback", "RefreshData"}),
              (std::vector<std::string>{"AdviseCallback", "RefreshData"}));
}

TEST_F(ActivationTest, SwitchingTypesDeactivatesFirstAndNeverChainsToItself) {
    ASSERT_EQ(attach(), com::S_OK);
    auto previous = installPrevious();
    ASSERT_EQ(extension->ActivateGallery(1, 1, -1), com::S_OK);
    ASSERT_EQ(extension->ActivateGallery(3, 1, -1), com::S_OK);

    EXPECT_EQ(type(1).callNames().back(), "Activate");
    EXPECT_EQ(type(1).calls().back().args, (std::vector<std::intptr_t>{0, -1}));
    EXPECT_EQ(type(3).calls().back().args, (std::vector<std::intptr_t>{1, -1}));
    EXPECT_EQ(extension->activeIndex(), 3);
    EXPECT_EQ(chart->callback(), ownCallback());
    EXPECT_EQ(extension->previous(), previous.get());
    EXPECT_NE(extension->previous(), ownCallback());

    // A call through the chain reaches the predecessor once: no loop through the extension itself.
    extension->MouseLeave(0, 0);
    EXPECT_EQ(previous->methods, (std::vector<int>{5}));

    ASSERT_EQ(extension->ActivateGallery(3, 0, -1), com::S_OK);
    EXPECT_EQ(chart->callback(), previous.get());
}

TEST_F(ActivationTest, RepeatedActivationAndDeactivationOfAnInactiveTypeDoNothing) {
    ASSERT_EQ(attach(), com::S_OK);
    auto previous = installPrevious();
    ASSERT_EQ(extension->ActivateGallery(4, 1, -1), com::S_OK);
    type(4).clearCalls();
    recorder->clear();

    EXPECT_EQ(extension->ActivateGallery(4, 1, -1), com::S_OK);
    EXPECT_EQ(extension->ActivateGallery(0, 0, -1), com::S_OK);
    EXPECT_TRUE(type(4).calls().empty());
    EXPECT_TRUE(type(0).calls().empty());
    EXPECT_TRUE(callsAmong({"AdviseCallback", "RefreshData"}).empty());
    EXPECT_EQ(chart->callback(), ownCallback());
    EXPECT_EQ(extension->activeIndex(), 4);
}

TEST_F(ActivationTest, BadIndexAndOtherSelectors) {
    ASSERT_EQ(attach(), com::S_OK);
    for (LONG index : {-1, 6, 0x8000, 0x8001}) {
        EXPECT_EQ(extension->ActivateGallery(index, 1, -1), com::E_INVALIDARG) << index;
        double gap = 1, value = 0;
        LONG labelIndex = 0;
        EXPECT_EQ(extension->GetGalleryAxisLabel(index, nullptr, 2, 1, &gap, 0, &value, &labelIndex, nullptr),
                  com::E_INVALIDARG);
        EXPECT_EQ(extension->GalleryQuery(index, 0, 0, 0, 0), -1);
        EXPECT_EQ(extension->GetGalleryCapabilities(index), 0);
        EXPECT_EQ(extension->GalleryAction(index, nullptr, nullptr, nullptr, 1, 0), 0);
    }
    EXPECT_EQ(extension->ActivateGallery(2, 1, 0), com::S_OK);
    EXPECT_EQ(extension->activeIndex(), -1);
}

TEST_F(ActivationTest, DetachingWhileActiveDeactivatesAndUnhooks) {
    ASSERT_EQ(attach(), com::S_OK);
    auto previous = installPrevious();
    ASSERT_EQ(extension->ActivateGallery(0, 1, -1), com::S_OK);
    ASSERT_EQ(extension->SetChart(nullptr), com::S_OK);
    EXPECT_EQ(extension->activeIndex(), -1);
    EXPECT_EQ(chart->callback(), previous.get());
    EXPECT_EQ(type(0).calls().back().args, (std::vector<std::intptr_t>{0, -1}));
}

TEST_F(ActivationTest, DetachedActivationOnlyMovesTheIndex) {
    EXPECT_EQ(extension->ActivateGallery(2, 1, -1), com::S_OK);
    EXPECT_EQ(extension->activeIndex(), 2);
    EXPECT_TRUE(type(2).calls().empty());
    EXPECT_EQ(extension->ActivateGallery(2, 0, -1), com::S_OK);
    EXPECT_EQ(extension->activeIndex(), -1);
}

// --- Forwarding -----------------------------------------------------------------------------------------

class ForwardingTest : public ExtensionFixture {
protected:
    static long recalculations(const CRecordingGallery& gallery) {
        const std::vector<std::string> names = gallery.callNames();
        return std::count(names.begin(), names.end(), "Recalculate");
    }
};

TEST_F(ForwardingTest, ChartTypesAnswerTheirCapabilities) {
    EXPECT_EQ(extension->GetGalleryCount(), 6);
    const LONG expected[] = {0x20d7000, 0x20d7000, 0x20d7000, 0x20d7000, 0x2897000, 0x2881000};
    for (LONG index = 0; index < 6; ++index)
        EXPECT_EQ(extension->GetGalleryCapabilities(index), expected[index]) << index;
    EXPECT_EQ(extension->GetGalleryInfo(3), 1);
}

TEST_F(ForwardingTest, ModifyGalleryFlagsForOneOrAll) {
    EXPECT_EQ(extension->ModifyGalleryFlags(1, 0x10, 0), 0);
    EXPECT_EQ(extension->ModifyGalleryFlags(3, 0x300, 0), 0);
    EXPECT_EQ(extension->ModifyGalleryFlags(1, 0, 0), 0x10);  // (0, 0) leaves the word
    EXPECT_EQ(extension->ModifyGalleryFlags(-1, 0x1, 0x10), 0x310);
    EXPECT_EQ(type(1).flags(), 0x1);
    EXPECT_EQ(type(3).flags(), 0x301);
    EXPECT_EQ(type(5).flags(), 0x1);
    EXPECT_EQ(type(5).IsEnabled(), 0);
    EXPECT_EQ(extension->ModifyGalleryFlags(6, 1, 0), 0);
    EXPECT_EQ(extension->ModifyGalleryFlags(-2, 1, 0), 0);
}

TEST_F(ForwardingTest, MapGalleryItemIdAddsSixteenOnlyWhileActive) {
    ASSERT_EQ(attach(), com::S_OK);
    EXPECT_EQ(extension->MapGalleryItemId(0, 0, 100), 100);
    ASSERT_EQ(extension->ActivateGallery(5, 1, -1), com::S_OK);
    EXPECT_EQ(extension->MapGalleryItemId(0, 0, 100), 116);
    ASSERT_EQ(extension->ActivateGallery(5, 0, -1), com::S_OK);
    EXPECT_EQ(extension->MapGalleryItemId(0, 0, 100), 100);
}

TEST_F(ForwardingTest, EnabledOnlyWithSeriesAndWhileNotBusy) {
    EXPECT_EQ(extension->IsGalleryEnabled(2), 1);  // detached
    ASSERT_EQ(attach(), com::S_OK);
    EXPECT_EQ(extension->IsGalleryEnabled(2), 1);
    extension->setBusy(true);
    EXPECT_EQ(extension->IsGalleryEnabled(2), 0);
    extension->setBusy(false);
    chart->model().resize(0, 0);
    EXPECT_EQ(extension->IsGalleryEnabled(2), 0);
    EXPECT_EQ(extension->IsGalleryEnabled(6), 1);
}

TEST_F(ForwardingTest, PaintFillsTheBackgroundAlsoWithoutAnActiveType) {
    auto dc = gdi::createImageDC(20, 10);
    const korvel::KvlRect rect{2, 2, 12, 8};
    EXPECT_EQ(extension->Paint(dc.get(), &rect, 0), 0);
    EXPECT_EQ(dc->getPixel(5, 5), gdi::getSysColor(gdi::COLOR_ACTIVECAPTION));
    EXPECT_NE(dc->getPixel(15, 5), gdi::getSysColor(gdi::COLOR_ACTIVECAPTION));

    chart->setSiteInfo(1);  // the fixed colour table
    ASSERT_EQ(attach(), com::S_OK);
    ASSERT_EQ(extension->ActivateGallery(1, 1, -1), com::S_OK);
    type(1).setAnswer("Paint", 9);
    EXPECT_EQ(extension->Paint(dc.get(), &rect, 4), 9);
    EXPECT_EQ(dc->getPixel(5, 5), com::COLORREF{0x800000});
    EXPECT_EQ(type(1).calls().back().args[1], 4);
}

TEST_F(ForwardingTest, ThePaintBracketCarriesTheScaledFlag) {
    ASSERT_EQ(attach(), com::S_OK);
    auto dc = gdi::createImageDC(20, 10);
    const korvel::KvlRect rect{0, 0, 20, 10};
    EXPECT_EQ(extension->OnMouseInput(dc.get(), &rect, 1), 0);  // nothing active
    ASSERT_EQ(extension->ActivateGallery(2, 1, -1), com::S_OK);
    type(2).Suspend();
    type(2).setAnswer("OnMouseInput", 7);
    // Auto-resume is off: the suspended type takes part in the paint as usual.
    EXPECT_EQ(extension->OnMouseInput(dc.get(), &rect, 1), 7);
    EXPECT_EQ(type(2).scaledDc(), 1);
    EXPECT_EQ(extension->OnKeyInput(dc.get(), &rect, 0), 0);
    EXPECT_EQ(type(2).scaledDc(), 0);
    EXPECT_EQ(type(2).IsSuspended(), 1);
}

TEST_F(ForwardingTest, NotifyGalleryOnlyWhileAttachedAndActiveNotifyOnlyForTheActiveIndex) {
    EXPECT_EQ(extension->NotifyGallery(2, 1), 0);
    EXPECT_TRUE(type(2).calls().empty());
    ASSERT_EQ(attach(), com::S_OK);
    EXPECT_EQ(extension->NotifyGallery(2, 1), 1);
    EXPECT_EQ(type(2).callNames(), (std::vector<std::string>{"OnSetState"}));

    ASSERT_EQ(extension->ActivateGallery(3, 1, -1), com::S_OK);
    type(3).setAnswer("OnActiveNotify", 4);
    EXPECT_EQ(extension->ActiveGalleryNotify(2, nullptr, 1, 0), 0);
    EXPECT_EQ(extension->ActiveGalleryNotify(3, nullptr, 1, 0), 4);
    type(3).setAnswer("ActiveGalleryCall", 8);
    EXPECT_EQ(extension->ActiveGalleryCall(0, 1, 2, 3), 8);  // any good index reaches the active type
    EXPECT_EQ(extension->ActiveGalleryCall(9, 1, 2, 3), 0);
}

TEST_F(ForwardingTest, GalleryCommandDispatchesOnTheRecordsIndex) {
    korvel::KvlPaintRecord record;
    record.galleryIndex = 4;
    record.element = 12;
    LONG kind = 0, mode = 0;
    extension->GalleryCommand(&record, &kind, &mode);
    EXPECT_EQ(kind, korvel::kDrawKindChart);
    EXPECT_EQ(mode, 1);
    EXPECT_EQ(type(4).calls().back().args, (std::vector<std::intptr_t>{4, 12}));
    record.galleryIndex = 6;
    EXPECT_EQ(extension->GalleryCommand(&record, &kind, &mode), 0);
    EXPECT_EQ(extension->GalleryCommand(nullptr, &kind, &mode), 0);
}

TEST_F(ForwardingTest, PageOfKindTwoFallsBackToTheAxisPage) {
    com::CLSID clsid;
    EXPECT_EQ(extension->GetPageClsid(1, 2, &clsid), com::S_OK);
    EXPECT_EQ(clsid, CLSID_AxisGeneralPage);
    EXPECT_EQ(extension->GetPageClsid(1, 1, &clsid), com::S_FALSE);  // no page of its own yet
    EXPECT_TRUE(clsid.isNull());
    EXPECT_EQ(extension->GetPageClsid(7, 2, &clsid), com::S_FALSE);
    EXPECT_TRUE(clsid.isNull());
    EXPECT_EQ(extension->GetPageClsid(1, 2, nullptr), com::E_POINTER);
}

TEST_F(ForwardingTest, AutoRecalcRecalculatesOnlyASpecialChart) {
    ASSERT_EQ(attach(), com::S_OK);
    ASSERT_EQ(extension->ActivateGallery(3, 1, -1), com::S_OK);
    const LONG repaints = chart->repaintCount();
    extension->put_AutoRecalc(1);  // only -1 is true
    EXPECT_FALSE(extension->autoRecalc());
    extension->RecalcActiveGallery();
    EXPECT_EQ(recalculations(type(3)), 0);
    EXPECT_EQ(chart->repaintCount(), repaints + 1);
    extension->put_AutoRecalc(com::VARIANT_TRUE);
    EXPECT_TRUE(extension->autoRecalc());
    EXPECT_EQ(type(3).callNames().back(), "Recalculate");

    ASSERT_EQ(extension->ActivateGallery(4, 1, -1), com::S_OK);
    extension->RecalcActiveGallery();
    EXPECT_EQ(recalculations(type(4)), 0);
}

// --- Construction and release ---------------------------------------------------------------------------

TEST(FinancialChartsConstruction, FailsUnlessAllSixChartTypesAreMade) {
    int made = 0;
    const ChartTypeFactory failingFourth = [&](SHORT index,
                                               CFinancialCharts* owner) -> std::unique_ptr<CGalleryBase> {
        if (index == 3)
            return nullptr;
        ++made;
        return CreateChartType(index, owner);
    };
    EXPECT_THROW(com::makeComObject<CFinancialCharts>(failingFourth), std::bad_alloc);
    EXPECT_EQ(made, 3);
    auto complete = com::makeComObject<CFinancialCharts>();
    for (LONG index = 0; index < 6; ++index)
        EXPECT_NE(complete->gallery(index), nullptr);
    EXPECT_EQ(complete->gallery(6), nullptr);
}

// The extension as the chart loads it by ProgID (made creatable inside this process).
class LoadedByTheChart : public ::testing::Test {
protected:
    void SetUp() override {
        const com::ServerClass serverClass{CLSID_FinancialCharts, kFinancialChartsProgIdText,
                                           kFinancialChartsVersionedProgId, "Apartment",
                                           &createRecordingExtension};
        ASSERT_EQ(com::registerClassObject(serverClass), com::S_OK);
        chart = KvlChart::create();
        chart->model().resize(2, 5);
        com::ComPtr<com::IUnknown> loaded;
        ASSERT_EQ(chart->AddExtension(com::Bstr(u"Lomex.Financial"), loaded.put()), com::S_OK);
        financial = loaded.as<IFinancialCharts>();
        ASSERT_TRUE(financial);
        object = static_cast<CFinancialCharts*>(financial.get());
    }
    void TearDown() override {
        CRecordingGallery::setObserver(nullptr);
        chart.reset();
        com::revokeClassObject(CLSID_FinancialCharts);
    }
    CRecordingGallery& type(LONG index) { return static_cast<CRecordingGallery&>(*object->gallery(index)); }

    com::ComPtr<KvlChart> chart;
    com::ComPtr<IFinancialCharts> financial;
    CFinancialCharts* object = nullptr;
};

TEST_F(LoadedByTheChart, PaintsReachTheActiveTypeInsideTheBracket) {
    ASSERT_EQ(chart->put_ChartType(kFirstGalleryNumber + 4), com::S_OK);
    LONG scaledSeen = -1;
    CRecordingGallery::setObserver(
        [&](const CRecordingGallery& gallery, const CRecordingGallery::Call& call) {
            if (call.name == "OnMouseInput")
                scaledSeen = gallery.scaledDc();
        });
    auto dc = gdi::createImageDC(200, 100);
    for (const bool printing : {false, true}) {
        type(4).clearCalls();
        chart->paint(dc.get(), korvel::KvlRect{0, 0, 200, 100}, printing);
        std::vector<std::string> names = type(4).callNames();
        ASSERT_GE(names.size(), 4u);
        if (printing) {
            // A printed paint is wrapped in the draw-area callbacks.
            EXPECT_EQ(names.front(), "ReadDrawArea");
            EXPECT_EQ(names.back(), "ClearDrawArea");
            names = std::vector<std::string>(names.begin() + 1, names.end() - 1);
        }
        // The fill comes first, under the chart's own background; then the bracket proper.
        EXPECT_EQ(names.front(), "Paint");
        EXPECT_EQ(names[1], "OnMouseInput");
        EXPECT_EQ(names.back(), "OnKeyInput");
        EXPECT_EQ(scaledSeen, printing ? 1 : 0);
        EXPECT_EQ(type(4).scaledDc(), 0);  // the bracket is closed again
        EXPECT_NE(std::find(names.begin(), names.end(), "DrawPoint"), names.end());
    }
}

TEST_F(LoadedByTheChart, MouseInputComesThroughTheCallbackChain) {
    ASSERT_EQ(chart->put_ChartType(kFirstGalleryNumber + 1), com::S_OK);
    type(1).clearCalls();
    type(1).setAnswer("OnButtonDown", 0);  // handled: the chart does nothing more
    EXPECT_TRUE(chart->buttonDown(30, 40));
    type(1).setAnswer("OnMouseMove", 1);  // not handled
    EXPECT_FALSE(chart->mouseMove(31, 41));
    EXPECT_EQ(type(1).callNames(), (std::vector<std::string>{"OnButtonDown", "OnMouseMove"}));
    EXPECT_EQ(type(1).calls()[0].args, (std::vector<std::intptr_t>{30, 40}));
}

TEST_F(LoadedByTheChart, TheChartDetachesTheExtensionBeforeLettingItGo) {
    ASSERT_TRUE(object->isAttached());
    ASSERT_EQ(chart->put_ChartType(kFirstGalleryNumber + 2), com::S_OK);
    EXPECT_EQ(object->activeIndex(), 2);

    chart.reset();  // the chart goes; only the test's reference keeps the extension alive
    EXPECT_FALSE(object->isAttached());
    EXPECT_EQ(object->activeIndex(), -1);
    EXPECT_EQ(object->previous(), nullptr);
}

// --- Resource language ----------------------------------------------------------------------------------

TEST_F(ForwardingTest, LanguageBundleByPathFallsBackToTheBuiltInTexts) {
    const QString folder = QString::fromLocal8Bit(::testing::TempDir().c_str());
    const QString path = folder + "/dravik-test-bundle.res";
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("TarnwickResources 1\n[strings]\n132\tKagi (test)\n");
    }
    LONG loaded = -1;
    ASSERT_EQ(extension->SetResourceLanguage(path.toStdU16String(), &loaded), com::S_OK);
    EXPECT_EQ(loaded, 1);
    char name[56];
    type(2).GetName(name, sizeof name);
    EXPECT_STREQ(name, "Kagi (test)");
    type(1).GetName(name, sizeof name);
    EXPECT_STREQ(name, "Renko");  // missing in the bundle: the built-in text

    ASSERT_EQ(extension->SetResourceLanguage(u"/no/such/bundle.res", &loaded), com::S_OK);
    EXPECT_EQ(loaded, 0);
    type(2).GetName(name, sizeof name);
    EXPECT_STREQ(name, "Kagi");
    ASSERT_EQ(extension->SetResourceLanguage(u"", &loaded), com::S_OK);
    EXPECT_EQ(loaded, 0);
    QFile::remove(path);
}

TEST_F(ForwardingTest, NamesAreCutToTheBuffer) {
    char name[6];
    type(3).GetName(name, sizeof name);
    EXPECT_STREQ(name, "Three");
}

}  // namespace
}  // namespace dravik::test

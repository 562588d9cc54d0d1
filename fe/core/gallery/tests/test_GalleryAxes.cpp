// The chart types' axis work: the pages of the axis property frame, the axis menu and its commands, a
// colour dropped on an axis, axis names and the Y axis of the chart type.
#include <map>

#include "GalleryFixture.h"
#include "com/EventSink.h"
#include "dravik/AxisInterfaces.h"
#include "dravik/Commands.h"
#include "dravik/Events.h"
#include "dravik/Identities.h"
#include "gallery/GalleryAxisAccess.h"
#include "gdi/DeviceContext.h"
#include "ostbar/OstBarContract.h"
#include "ui/PropertyFrame.h"
#include "ui/ScriptedModalServices.h"

namespace dravik::test {
namespace {

// A model of the axes' grid switches and text colours, as the axis objects keep them.
class FakeAxisAccess final : public GalleryAxisAccess {
public:
    FakeAxisAccess() { previous_ = setGalleryAxisAccess(this); }
    ~FakeAxisAccess() override { setGalleryAxisAccess(previous_); }

    com::HRESULT GetGrid(IAxisOwner*, com::SHORT axis, bool* shown) override {
        *shown = grid[axis];
        return com::S_OK;
    }
    com::HRESULT SetGrid(IAxisOwner*, com::SHORT axis, bool shown) override {
        grid[axis] = shown;
        return com::S_OK;
    }
    com::HRESULT GetTextColor(IAxisOwner*, com::SHORT axis, com::LONG* color) override {
        *color = textColor[axis];
        return com::S_OK;
    }
    com::HRESULT SetTextColor(IAxisOwner*, com::SHORT axis, com::LONG color) override {
        textColor[axis] = color;
        return com::S_OK;
    }

    std::map<com::SHORT, bool> grid;
    std::map<com::SHORT, com::LONG> textColor;

private:
    GalleryAxisAccess* previous_ = nullptr;
};

class AxisTest : public GalleryFixture {
protected:
    void SetUp() override {
        GalleryFixture::SetUp();
        ASSERT_EQ(activate(5), com::S_OK);
    }
    CGalleryBase& bar() { return type(5); }

    FakeAxisAccess axes;
};

// --- Property pages ------------------------------------------------------------------------------------

TEST_F(AxisTest, ThePropertyPagesAreTheAxisPagesThatTheMaskOffers) {
    struct Case {
        LONG mask;
        std::vector<com::CLSID> pages;
    };
    const std::vector<Case> cases = {
        {895, {CLSID_AxisGeneralPage, CLSID_AxisScalePage, CLSID_AxisGridPage}},
        {64 | 512, {CLSID_AxisGeneralPage, CLSID_AxisGridPage}},
        {256, {CLSID_AxisScalePage}},
        {0x3F | 128, {}},  // the chart-type and drawing pages are not the axis frame's
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mask);
        shared().extension.propPageMask = c.mask;
        setAxisGeneralPageTitled(false);
        std::vector<com::CLSID> pages{CLSID_DrawPage};
        EXPECT_EQ(bar().GetPropertyPages(&pages), com::S_OK);
        EXPECT_EQ(pages, c.pages);
        EXPECT_TRUE(axisGeneralPageTitled());
    }
    EXPECT_EQ(bar().GetPropertyPages(nullptr), com::E_POINTER);
}

TEST_F(AxisTest, ThePropertyFrameListsThePagesForTheExtension) {
    shared().extension.propPageMask = 64 | 256;
    ui::PropertyFrameRequest request;
    ASSERT_TRUE(bar().PropertyFrameRequest(0, &request));
    EXPECT_EQ(request.pages, (std::vector<com::CLSID>{CLSID_AxisGeneralPage, CLSID_AxisScalePage}));
    EXPECT_EQ(request.caption, QString("Axis"));
    ASSERT_EQ(request.objects.size(), 1u);
    EXPECT_EQ(request.objects[0],
              static_cast<com::IUnknown*>(static_cast<IFinancialCharts*>(extension.get())));
    EXPECT_EQ(request.locale, 1024u);
    EXPECT_EQ(request.initialProperty, 1000);
}

TEST_F(AxisTest, WithoutPagesTheFrameIsNotShown) {
    shared().extension.propPageMask = 0;
    ui::PropertyFrameRequest request;
    EXPECT_FALSE(bar().PropertyFrameRequest(0, &request));
    EXPECT_EQ(bar().ShowPropertyFrame(0), 0);
    // A double click on an axis still counts as handled.
    korvel::KvlHitRecord hit;
    hit.code = korvel::kHitAxis1;
    EXPECT_EQ(bar().OnAxisDoubleClick(&hit, 0, 0, 0), 0);
    hit.code = korvel::kHitPlot;
    EXPECT_EQ(bar().OnAxisDoubleClick(&hit, 0, 0, 0), 1);
}

// --- Axis menu -----------------------------------------------------------------------------------------

TEST_F(AxisTest, TheAxisMenuOpensWithTheGridCheckAndItsChoiceTogglesTheGrid) {
    ui::ScriptedModalServices modal;
    modal.answerMenu(ID_AXISGRID);
    axes.grid[1] = true;
    axes.textColor[1] = 0x0000FF;
    bar().ShowAxisMenu(1, 30, 200);
    ASSERT_EQ(modal.questions().size(), 1u);
    EXPECT_EQ(modal.questions()[0].kind, ui::ScriptedModalServices::Kind::Menu);
    EXPECT_EQ(modal.questions()[0].style, 4) << "title, grid, colour, properties";
    EXPECT_FALSE(axes.grid[1]) << "toggled from shown to hidden";
    EXPECT_EQ(bar().currentAxis(), -1);
}

TEST_F(AxisTest, TheColourEntryIsASwatchOfTheAxisColour) {
    ui::ScriptedModalServices modal;  // no menu answer: dismissed
    axes.textColor[0] = 0x0000FF;
    bar().ShowAxisMenu(0, 30, 200);
    ASSERT_EQ(modal.questions().size(), 1u);
    ostbar::OstMeasureItem measure;
    measure.id = ID_AXISCOLOR;
    EXPECT_EQ(bar().OnAxisMenuCommand(ostbar::kWmMeasureItem, ID_AXISCOLOR,
                                      reinterpret_cast<std::intptr_t>(&measure)),
              1);
    EXPECT_EQ(measure.width, 12);
    EXPECT_EQ(measure.height, 12);
    auto dc = gdi::createImageDC(20, 20);
    dc->fillRect(gdi::Rect{0, 0, 20, 20}, gdi::createSolidBrush(0xFFFFFF));
    ostbar::OstDrawItem draw;
    draw.id = ID_AXISCOLOR;
    draw.dc = dc.get();
    draw.right = 18;
    draw.bottom = 18;
    EXPECT_EQ(
        bar().OnAxisMenuCommand(ostbar::kWmDrawItem, ID_AXISCOLOR, reinterpret_cast<std::intptr_t>(&draw)),
        1);
    EXPECT_EQ(dc->getPixel(3, 3), 0x0000FFu);
    EXPECT_EQ(dc->getPixel(14, 14), 0x0000FFu);
    EXPECT_EQ(dc->getPixel(2, 2), 0xFFFFFFu) << "the border";
    EXPECT_EQ(dc->getPixel(15, 15), 0xFFFFFFu);
}

TEST_F(AxisTest, MenuCommandsActOnTheCurrentAxisAndOthersGoToTheContainer) {
    std::vector<std::vector<LONG>> userCommands;
    events().on(kEventFinancialUserCommand, [&](std::span<com::Variant> args) {
        userCommands.push_back({args[0].i4(), args[1].i4(), args[2].i4()});
        return com::S_OK;
    });

    const std::vector<com::COLORREF>& palette = chart->model().palette();
    ASSERT_GT(palette.size(), 3u);
    bar().setCurrentAxis(2);
    EXPECT_EQ(bar().OnAxisMenuCommand(ostbar::kWmCommand, ID_AXISCOLOR, 3), 1);
    EXPECT_EQ(axes.textColor[2], static_cast<LONG>(palette[3]));
    EXPECT_EQ(bar().currentAxis(), -1);

    bar().setCurrentAxis(0);
    EXPECT_EQ(bar().OnAxisMenuCommand(ostbar::kWmCommand, ID_AXISGRID, 0), 1);
    EXPECT_TRUE(axes.grid[0]);
    bar().setCurrentAxis(0);
    EXPECT_EQ(bar().OnAxisMenuCommand(ostbar::kWmCommand, ID_AXISTITLE, 0), 1);
    EXPECT_EQ(bar().currentAxis(), -1);

    // Outside the axis menu the bar's other commands are the extension's own.
    EXPECT_EQ(bar().OnAxisMenuCommand(ostbar::kWmCommand, ID_NEW_TREND_LINE, 77), 0);
    EXPECT_EQ(bar().OnAxisMenuCommand(0x0200, ID_AXISGRID, 0), 0) << "not a command";
    EXPECT_TRUE(userCommands.empty());
    // Chosen from the axis menu, a command the container added goes to the container.
    constexpr SHORT kContainerCommand = 400;
    com::ComPtr<ostbar::IOstToolbar> toolbar;
    ASSERT_EQ(extension->commandBar()->GetToolbar(toolbar.put()), com::S_OK);
    ASSERT_EQ(toolbar->AddCommand(kContainerCommand, nullptr), com::S_OK);
    com::ComPtr<ostbar::IOstCommand> axisMenu;
    ASSERT_EQ(toolbar->Command(ID_AXIS_MENU, axisMenu.put()), com::S_OK);
    ASSERT_EQ(axisMenu->put_SubCommands(0, 5), com::S_OK);
    ASSERT_EQ(axisMenu->put_SubCommand(4, kContainerCommand), com::S_OK);
    ui::ScriptedModalServices modal;
    modal.answerMenu(kContainerCommand);
    bar().ShowAxisMenu(1, 30, 200);
    ASSERT_EQ(modal.questions().size(), 1u);
    EXPECT_EQ(modal.questions()[0].style, 5);
    EXPECT_EQ(modal.unanswered(), 0);
    EXPECT_EQ(userCommands, (std::vector<std::vector<LONG>>{{5, kContainerCommand, 0}}));
}

TEST_F(AxisTest, AColourDroppedOnAnAxisTakesThePaletteEntry) {
    const std::vector<com::COLORREF>& palette = chart->model().palette();
    korvel::KvlHitRecord hit;
    hit.code = korvel::kHitAxis2;
    hit.color = 0x7F000002;  // only the low 24 bits name the entry
    EXPECT_EQ(bar().OnAxisColorDrop(&hit, 0, 0), 0);
    EXPECT_EQ(axes.textColor[2], static_cast<LONG>(palette[2]));
    // An entry the palette does not have, or no axis, changes nothing.
    hit.code = korvel::kHitAxis0;
    hit.color = static_cast<LONG>(palette.size());
    EXPECT_EQ(bar().OnAxisColorDrop(&hit, 0, 0), 1);
    EXPECT_EQ(axes.textColor.count(0), 0u);
    hit.code = korvel::kHitSeries;
    hit.color = 1;
    EXPECT_EQ(bar().OnAxisColorDrop(&hit, 0, 0), 1);
    EXPECT_EQ(bar().OnAxisColorDrop(nullptr, 0, 0), 1);
}

TEST(GalleryAxisAccessDefault, WithoutAnExtensionThereIsNoAxis) {
    GalleryAxisAccess& access = galleryAxisAccess();
    com::IUnknown* object = reinterpret_cast<com::IUnknown*>(0x1);
    bool shown = true;
    LONG color = 5;
    EXPECT_EQ(access.CreateAxisObject(nullptr, 0, &object), com::E_FAIL);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(access.CreateAxisObject(nullptr, 0, nullptr), com::E_POINTER);
    EXPECT_EQ(access.GetGrid(nullptr, 0, &shown), com::E_FAIL);
    EXPECT_FALSE(shown);
    EXPECT_EQ(access.GetTextColor(nullptr, 0, &color), com::E_FAIL);
    EXPECT_EQ(color, 0);
    EXPECT_EQ(access.GetValueAxisSettings(nullptr), nullptr);
}

TEST_F(AxisTest, CreateAxisObjectNeedsAnAxisAndAnOutPointer) {
    com::IUnknown* object = nullptr;
    SHORT axis = 9;
    EXPECT_EQ(bar().CreateAxisObject(nullptr, &axis, 0), com::E_INVALIDARG);
    EXPECT_EQ(bar().CreateAxisObject(&object, &axis, -1), com::E_INVALIDARG) << "no current axis";
    EXPECT_EQ(axis, -1);
    bar().setCurrentAxis(2);
    ASSERT_EQ(bar().CreateAxisObject(&object, &axis, -1), com::S_OK);
    EXPECT_EQ(axis, 2);
    const auto made = com::ComPtr<com::IUnknown>::attach(object);
    EXPECT_TRUE(made.as<ILomexAxis>());
}

TEST_F(AxisTest, TheAxisMenuWorksOnTheExtensionsAxisRecords) {
    setGalleryAxisAccess(nullptr);  // the axis objects, not the model
    const auto restore = [&] { setGalleryAxisAccess(&axes); };
    CGalleryBase& chart = bar();
    // Axis 0 is the value axis over the price-axis record, axis 2 the date axis over the date-axis record.
    ASSERT_EQ(galleryAxisAccess().SetTextColor(extension.get(), 0, 0x0000FF), com::S_OK);
    ASSERT_EQ(galleryAxisAccess().SetTextColor(extension.get(), 2, 0x00FF00), com::S_OK);
    LONG color = 0;
    EXPECT_EQ(chart.GetAxisTextColor(0), 0x0000FF);
    EXPECT_EQ(galleryAxisAccess().GetTextColor(extension.get(), 2, &color), com::S_OK);
    EXPECT_EQ(color, 0x00FF00);
    EXPECT_EQ(extension->settings().priceAxis.textColor, 0x0000FFu);
    EXPECT_EQ(extension->settings().dateAxis.textColor, 0x00FF00u);
    EXPECT_EQ(galleryAxisAccess().GetValueAxisSettings(extension.get()), &extension->settings().priceAxis);
    restore();
}

// --- Names and the Y axis ------------------------------------------------------------------------------

TEST_F(AxisTest, AxisNamesBySelector) {
    char text[32] = {};
    SHORT axis = 9;
    EXPECT_EQ(bar().GetAxisName(0, &axis, text, sizeof text), 0);
    EXPECT_STREQ(text, "Price axis");
    EXPECT_EQ(bar().GetAxisName(1, &axis, text, sizeof text), 2);
    EXPECT_STREQ(text, "Date axis");
    EXPECT_EQ(bar().GetAxisName(2, &axis, text, sizeof text), -1);
    EXPECT_EQ(axis, -1);
    EXPECT_STREQ(text, "Unknown axis");
    bar().LoadAxisName(3, text, 6);
    EXPECT_STREQ(text, "Unkno");
    EXPECT_EQ(bar().GetAxisCount(), 2);
}

TEST_F(AxisTest, SetYAxisMovesTheRangeAndTheSeries) {
    korvel::KvlChartModel& model = chart->model();
    model.setAxisValue(0, 0, 10);
    model.setAxisValue(0, 1, 90);
    const std::string before = dumpModel(model);
    bar().SetYAxis(1, 0, 0);  // the current axis
    bar().SetYAxis(1, 0, 2);  // not a value axis
    EXPECT_EQ(bar().GetYAxis(), 0);
    EXPECT_EQ(dumpModel(model), before);

    bar().SetYAxis(1, 0, 1);
    EXPECT_EQ(bar().GetYAxis(), 1);
    double value = 0;
    model.axisValue(1, 0, &value);
    EXPECT_EQ(value, 10.0);
    model.axisValue(1, 1, &value);
    EXPECT_EQ(value, 90.0);
    LONG attribute = 0;
    model.attribute(0, korvel::kAttrYAxis, &attribute);
    EXPECT_EQ(attribute, 1);
    model.axisValue(0, 10, &value);
    EXPECT_EQ(value, 0.0);
    model.axisValue(1, 10, &value);
    EXPECT_EQ(value, 1.0);
}

TEST_F(AxisTest, FlagsDisableTheChartType) {
    EXPECT_EQ(bar().ModifyFlags(0, 0), 0);
    EXPECT_EQ(bar().IsEnabled(), 1);
    EXPECT_EQ(bar().ModifyFlags(0x11, 0), 0);
    EXPECT_EQ(bar().IsEnabled(), 0);
    EXPECT_EQ(bar().ModifyFlags(0, 0), 0x11);
    EXPECT_EQ(bar().ModifyFlags(0x2, 0x1), 0x11);
    EXPECT_EQ(bar().flags(), 0x12);
    EXPECT_EQ(bar().IsEnabled(), 1);
}

}  // namespace
}  // namespace dravik::test

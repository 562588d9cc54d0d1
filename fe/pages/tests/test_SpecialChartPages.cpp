// The pages of the special chart types: identities, controls, and what each page writes to its
// chart type's object.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>

#include <functional>

#include "ChartTypeModels.h"
#include "axes/AxisObjectFactory.h"
#include "axes/AxisOwner.h"
#include "com/ComObject.h"
#include "dravik/Identities.h"
#include "format/LocaleFormats.h"
#include "locale/LocaleRegistry.h"
#include "pages/SpecialChartPages.h"
#include "state/ExtensionSettings.h"
#include "ui/PropertyFrame.h"
#include "ui/ScriptedModalServices.h"

namespace dravik::test {
namespace {

struct PageIdentity {
    SpecialChartPage page;
    const char* clsid;
    const char* title;
    int dialogId;
    std::vector<int> controls;
};

const PageIdentity kPages[] = {
    {SpecialChartPage::PointFigure,
     "{3F53C704-5296-42FF-BD60-3C37A4308F7D}",
     "Point And Figure",
     415,
     {502, 504, 505, 507, 501, 510, 511}},
    {SpecialChartPage::Renko,
     "{3F53C705-5296-42FF-BD60-3C37A4308F7D}",
     "Renko",
     421,
     {502, 504, 510, 513, 512}},
    {SpecialChartPage::Kagi,
     "{3F53C706-5296-42FF-BD60-3C37A4308F7D}",
     "Kagi",
     423,
     {502, 504, 503, 506, 510, 511}},
    {SpecialChartPage::ThreeLineBreak,
     "{3F53C707-5296-42FF-BD60-3C37A4308F7D}",
     "Three Line Break",
     419,
     {508, 510, 513, 512}},
};

class SpecialPages : public ::testing::Test {
protected:
    AttachedChart chart;
    QWidget parent;
    std::unique_ptr<CFinancialPropertyPage> page;

    ui::Dialog& open(SpecialChartPage kind) {
        page = CreateSpecialChartPage(kind);
        com::IUnknown* objects[] = {chart.site->identity()};
        EXPECT_EQ(page->setObjects(objects), com::S_OK);
        page->activate(&parent);
        return *page->dialog();
    }
    // Chooses a list item as the user does, so the page hears of it.
    static void choose(ui::Dialog& dialog, int id, std::intptr_t data) {
        auto* box = qobject_cast<QComboBox*>(dialog.item(id));
        ASSERT_NE(box, nullptr);
        for (int i = 0; i < box->count(); ++i) {
            if (dialog.itemData(id, i) == data) {
                box->setCurrentIndex(i);
                emit box->activated(i);
                return;
            }
        }
        FAIL() << "no item with data " << data << " in list " << id;
    }
    static void click(ui::Dialog& dialog, int id) {
        auto* box = qobject_cast<QCheckBox*>(dialog.item(id));
        ASSERT_NE(box, nullptr);
        box->click();
    }
};

TEST_F(SpecialPages, EachPageHasItsClassTitleDialogAndControls) {
    for (const PageIdentity& identity : kPages) {
        EXPECT_EQ(SpecialChartPageClsid(identity.page).toString(), identity.clsid);
        ui::Dialog& dialog = open(identity.page);
        EXPECT_EQ(page->title(), QString::fromLatin1(identity.title));
        EXPECT_EQ(page->layout().dialogId, identity.dialogId);
        EXPECT_EQ(page->layout().helpId, page->layout().titleId + 1);
        for (const int id : identity.controls)
            EXPECT_NE(dialog.item(id), nullptr) << identity.title << " control " << id;
        page->deactivate();
    }
}

TEST_F(SpecialPages, PageWithoutItsChartTypeObjectIsRefused) {
    chart.extension->kagi.reset();
    page = CreateSpecialChartPage(SpecialChartPage::Kagi);
    com::IUnknown* objects[] = {chart.site->identity()};
    EXPECT_EQ(page->setObjects(objects), com::E_INVALIDARG);
    EXPECT_EQ(page->extension(), nullptr);
}

TEST_F(SpecialPages, PointAndFigurePageShowsTheObject) {
    chart.extension->pointFigure->series.colors[0] = 0x00FF00;
    ui::Dialog& dialog = open(SpecialChartPage::PointFigure);
    EXPECT_EQ(dialog.itemText(IDC_BOXSIZE), QStringLiteral("5.00")) << "two decimals of the price axis";
    EXPECT_TRUE(dialog.isButtonChecked(IDC_PERCENTUAL));
    EXPECT_EQ(dialog.itemText(IDC_REVERSALBOXES), QStringLiteral("1"));
    EXPECT_EQ(dialog.itemData(IDC_PENWIDTH, dialog.curSel(IDC_PENWIDTH)), 2);
    EXPECT_TRUE(dialog.isButtonChecked(IDC_RECTMARKERS));
    EXPECT_EQ(dialog.itemText(IDC_LABELMASK), QStringLiteral("%t (%s)"));
    EXPECT_EQ(dialog.count(IDC_LINECOLOR), 6) << "the chart's colour table";
    EXPECT_EQ(dialog.itemData(IDC_LINECOLOR, dialog.curSel(IDC_LINECOLOR)), 0x00FF00);
    EXPECT_EQ(page->isPageDirty(), com::S_FALSE);
}

// The longest run of pixels of exactly `colour` (0xRRGGBB) on one row of a closed list's picture,
// and the list's width.
std::pair<int, int> longestSwatchRun(const ui::Dialog& dialog, int id, QRgb colour) {
    auto* box = qobject_cast<QComboBox*>(dialog.item(id));
    if (!box)
        return {-1, 0};
    const QImage image = box->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int longest = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0, run = 0; x < image.width(); ++x) {
            run = (image.pixel(x, y) & 0xFFFFFF) == colour ? run + 1 : 0;
            longest = std::max(longest, run);
        }
    }
    return {longest, box->width()};
}

TEST_F(SpecialPages, TheClosedColourAndWidthListsShowASwatchAndALine) {
    chart.extension->pointFigure->series.colors[0] = 0x000000;  // black, which the colour table lacks
    ui::Dialog& dialog = open(SpecialChartPage::PointFigure);
    ASSERT_EQ(dialog.itemData(IDC_LINECOLOR, dialog.curSel(IDC_LINECOLOR)), 0);
    const auto [swatch, colourWidth] = longestSwatchRun(dialog, IDC_LINECOLOR, 0x000000);
    EXPECT_GE(swatch, colourWidth / 2) << "a black swatch, not the text of the colour's number";
    const auto [line, widthWidth] = longestSwatchRun(dialog, IDC_PENWIDTH, 0x000000);
    EXPECT_GE(line, widthWidth / 2) << "a line of the chosen width, not its number";
}

TEST_F(SpecialPages, PointAndFigurePageWritesEveryControl) {
    PointFigureModel& model = *chart.extension->pointFigure;
    ui::Dialog& dialog = open(SpecialChartPage::PointFigure);
    dialog.setItemText(IDC_BOXSIZE, QStringLiteral("2.5"));
    click(dialog, IDC_PERCENTUAL);
    dialog.setItemText(IDC_REVERSALBOXES, QStringLiteral("-3"));
    choose(dialog, IDC_PENWIDTH, 4);
    click(dialog, IDC_RECTMARKERS);
    dialog.setItemText(IDC_LABELMASK, QStringLiteral("%v"));
    choose(dialog, IDC_LINECOLOR, 0xFF0000);
    ASSERT_EQ(page->apply(), com::S_OK);

    EXPECT_EQ(model.boxSize, 2.5);
    EXPECT_FALSE(model.percentualBox);
    EXPECT_EQ(model.reversalAmount, -3) << "a signed number";
    EXPECT_EQ(model.series.widths[0], 4);
    EXPECT_FALSE(model.rectMarkers);
    EXPECT_EQ(model.labelMask, "%v");
    EXPECT_EQ(model.series.colors[0], 0xFF0000);
    EXPECT_EQ(model.effects.rebuilds, 3) << "box size, percentual box and reversal";
    EXPECT_EQ(model.effects.repaints, 1) << "square markers";
    EXPECT_EQ(chart.extension->recalculations, 1) << "one recalculation for the whole page";
}

// A number field holds a 16-bit number: a value past either end is refused, never wrapped into one
// the member takes (-40000 would wrap to 25536 lines to break).
TEST_F(SpecialPages, NumbersPastSixteenBitsAreRefusedAtBothEnds) {
    const struct {
        SpecialChartPage page;
        int id;
        std::function<com::SHORT()> value;
    } fields[] = {{SpecialChartPage::ThreeLineBreak, IDC_BREAKDAYS,
                   [this] { return chart.extension->threeLineBreak->breakDays; }},
                  {SpecialChartPage::PointFigure, IDC_REVERSALBOXES,
                   [this] { return chart.extension->pointFigure->reversalAmount; }}};
    for (const auto& field : fields) {
        const com::SHORT before = field.value();
        for (const char* text : {"-32769", "-40000", "32768", "40000"}) {
            ui::Dialog& dialog = open(field.page);
            dialog.setItemText(field.id, QString::fromLatin1(text));
            EXPECT_EQ(page->apply(), com::E_INVALIDARG) << text;
            EXPECT_EQ(field.value(), before) << text;
            page->deactivate();
        }
    }
}

TEST_F(SpecialPages, UneditedFieldsWriteBackWhatTheyShowed) {
    PointFigureModel& model = *chart.extension->pointFigure;
    model.boxSize = 0.125;
    model.series.widths[0] = 14;
    model.series.colors[0] = 0x123456;  // not in the chart's table
    ui::Dialog& dialog = open(SpecialChartPage::PointFigure);
    EXPECT_EQ(dialog.itemText(IDC_BOXSIZE), QStringLiteral("0.13"));
    dialog.setItemText(IDC_LABELMASK, QStringLiteral("changed"));
    ASSERT_EQ(page->apply(), com::S_OK);
    EXPECT_EQ(model.boxSize, 0.125) << "not the rounded text";
    EXPECT_EQ(model.series.widths[0], 14);
    EXPECT_EQ(model.series.colors[0], 0x123456);
    EXPECT_EQ(model.effects.rebuilds, 0) << "nothing of the figure changed";
}

TEST_F(SpecialPages, LabelMaskIsCutAt119Characters) {
    ui::Dialog& dialog = open(SpecialChartPage::Renko);
    dialog.setItemText(IDC_LABELMASK, QString(130, QLatin1Char('x')));
    ASSERT_EQ(page->apply(), com::S_OK);
    EXPECT_EQ(chart.extension->renko->labelMask, std::string(119, 'x'));
}

// The owner of a prices axis that is attached to no chart: the axis object answers from its record.
class DetachedAxisOwner final : public com::ComObject<com::IUnknown>, public IAxisOwner {
public:
    com::IUnknown* AxisOwnerIdentity() override { return identity(); }
    CHostChartAdapter* AxisAdapter() override { return nullptr; }
    void RepaintAxisChart() override {}
    ExtensionSettings& AxisSettingsBlock() override { return settings; }
    void ApplyDateSteps(com::SHORT, com::SHORT, com::SHORT, com::SHORT) override {}

    ExtensionSettings settings;
};

TEST_F(SpecialPages, PricesAreShownWithTheDecimalsOfThePricesAxis) {
    auto owner = com::makeComObject<DetachedAxisOwner>();
    owner->settings.priceAxis.decimals = 4;
    ASSERT_EQ(CreateChartAxisObject(*owner, owner->settings.priceAxis, 0, chart.extension->pricesAxis.put()),
              com::S_OK);
    chart.extension->pointFigure->boxSize = 1.23456;
    ui::Dialog& dialog = open(SpecialChartPage::PointFigure);
    EXPECT_EQ(dialog.itemText(IDC_BOXSIZE), QStringLiteral("1.2346"));
    page->deactivate();
    // Without a prices axis the fields keep two decimals.
    chart.extension->pricesAxis.reset();
    ui::Dialog& again = open(SpecialChartPage::PointFigure);
    EXPECT_EQ(again.itemText(IDC_BOXSIZE), QStringLiteral("1.23"));
}

TEST_F(SpecialPages, PricesAreShownAndReadWithTheUsersDecimalSeparator) {
    loc::LocaleInfo comma;
    comma.decimalSeparator = ",";
    comma.thousandSeparator = ".";
    loc::LocaleRegistry::setUserDefault(comma);
    InitLocaleFormats();
    chart.extension->kagi->reversalAmount = 1.5;
    ui::Dialog& dialog = open(SpecialChartPage::Kagi);
    EXPECT_EQ(dialog.itemText(IDC_BOXSIZE), QStringLiteral("1,50"));
    dialog.setItemText(IDC_BOXSIZE, QStringLiteral("2,25"));
    const com::HRESULT applied = page->apply();
    loc::LocaleRegistry::reset();
    InitLocaleFormats();
    ASSERT_EQ(applied, com::S_OK);
    EXPECT_EQ(chart.extension->kagi->reversalAmount, 2.25);
}

TEST_F(SpecialPages, RenkoPageWritesEveryControl) {
    RenkoModel& model = *chart.extension->renko;
    ui::Dialog& dialog = open(SpecialChartPage::Renko);
    EXPECT_EQ(dialog.itemText(IDC_BOXSIZE), QStringLiteral("1.00"));
    EXPECT_FALSE(dialog.isButtonChecked(IDC_PERCENTUAL));
    dialog.setItemText(IDC_BOXSIZE, QStringLiteral("0.75"));
    click(dialog, IDC_PERCENTUAL);
    dialog.setItemText(IDC_LABELMASK, QStringLiteral("%d"));
    choose(dialog, IDC_UPCOLOR, 0x00FF00);
    choose(dialog, IDC_DOWNCOLOR, 0x0000FF);
    ASSERT_EQ(page->apply(), com::S_OK);
    EXPECT_EQ(model.boxSize, 0.75);
    EXPECT_TRUE(model.percentualBox);
    EXPECT_EQ(model.labelMask, "%d");
    EXPECT_EQ(model.series.colors[1], 0x00FF00) << "up colour at index 1";
    EXPECT_EQ(model.series.colors[0], 0x0000FF) << "down colour at index 0";
    EXPECT_EQ(model.effects.rebuilds, 2);
}

TEST_F(SpecialPages, KagiPageWritesEveryControl) {
    KagiModel& model = *chart.extension->kagi;
    ui::Dialog& dialog = open(SpecialChartPage::Kagi);
    EXPECT_EQ(dialog.itemData(IDC_YANGWIDTH, dialog.curSel(IDC_YANGWIDTH)), 3);
    EXPECT_EQ(dialog.itemData(IDC_YINWIDTH, dialog.curSel(IDC_YINWIDTH)), 1);
    dialog.setItemText(IDC_BOXSIZE, QStringLiteral("4.25"));
    click(dialog, IDC_PERCENTUAL);
    choose(dialog, IDC_YANGWIDTH, 5);
    choose(dialog, IDC_YINWIDTH, 2);
    dialog.setItemText(IDC_LABELMASK, QStringLiteral("%s"));
    choose(dialog, IDC_LINECOLOR, 0x808080);
    ASSERT_EQ(page->apply(), com::S_OK);
    EXPECT_EQ(model.reversalAmount, 4.25);
    EXPECT_TRUE(model.percentual);
    EXPECT_EQ(model.series.widths[0], 5);
    EXPECT_EQ(model.series.widths[1], 2);
    EXPECT_EQ(model.labelMask, "%s");
    EXPECT_EQ(model.series.colors[0], 0x808080);
    EXPECT_EQ(model.effects.rebuilds, 2);
}

TEST_F(SpecialPages, ThreeLineBreakPageWritesEveryControl) {
    ThreeLineBreakModel& model = *chart.extension->threeLineBreak;
    ui::Dialog& dialog = open(SpecialChartPage::ThreeLineBreak);
    EXPECT_EQ(dialog.itemText(IDC_BREAKDAYS), QStringLiteral("3"));
    dialog.setItemText(IDC_BREAKDAYS, QStringLiteral("5"));
    dialog.setItemText(IDC_LABELMASK, QStringLiteral("%i"));
    choose(dialog, IDC_UPCOLOR, 0xFFFFFF);
    choose(dialog, IDC_DOWNCOLOR, 0xFF0000);
    ASSERT_EQ(page->apply(), com::S_OK);
    EXPECT_EQ(model.breakDays, 5);
    EXPECT_EQ(model.labelMask, "%i");
    EXPECT_EQ(model.series.colors[1], 0xFFFFFF);
    EXPECT_EQ(model.series.colors[0], 0xFF0000);
    EXPECT_EQ(model.effects.rebuilds, 1);
}

TEST_F(SpecialPages, RefusedBreakDaysKeepTheOldValueAndThePageOpen) {
    ui::ScriptedModalServices script;  // the refusal of 0 is told
    ThreeLineBreakModel& model = *chart.extension->threeLineBreak;
    ui::Dialog& dialog = open(SpecialChartPage::ThreeLineBreak);
    dialog.setItemText(IDC_BREAKDAYS, QStringLiteral("0"));
    dialog.setItemText(IDC_LABELMASK, QStringLiteral("kept"));
    EXPECT_EQ(page->apply(), com::E_INVALIDARG);
    EXPECT_EQ(model.breakDays, 3);
    EXPECT_EQ(model.labelMask, "kept") << "the other values are still written";
    EXPECT_EQ(page->isPageDirty(), com::S_OK) << "the user can correct the value";
    EXPECT_TRUE(chart.extension->autoRecalc);

    dialog.setItemText(IDC_BREAKDAYS, QStringLiteral("40000"));
    EXPECT_EQ(page->apply(), com::E_INVALIDARG) << "beyond 16 bits";
    dialog.setItemText(IDC_BREAKDAYS, QStringLiteral("two"));
    EXPECT_EQ(page->apply(), com::E_INVALIDARG) << "not a number";
    EXPECT_EQ(model.breakDays, 3);
}

TEST_F(SpecialPages, PageObjectHandsTheFrameItsPage) {
    auto object = com::makeComObject<CSpecialChartPageObject<SpecialChartPage::Renko>>();
    ui::PropertyFrameRequest request;
    request.objects = {chart.extension.get()};
    request.pages = {CLSID_RenkoPage};
    ui::PropertyFrame frame(request,
                            [&object](const com::CLSID&) { return ui::adoptPageObject(object.get()); });
    ASSERT_EQ(frame.pageCount(), 1u);
    EXPECT_EQ(frame.page(0)->title(), QStringLiteral("Renko"));
}

}  // namespace
}  // namespace dravik::test

// Localisation of window models: texts from the table and right-to-left mirroring in Arabic mode.
#include <gtest/gtest.h>

#include "frame/LanguageTable.h"
#include "frame/Localize.h"
#include "frame/RunTimeError.h"

using frame::Alignment;
using frame::ControlKind;
using frame::ControlModel;
using frame::FormModel;
using frame::WS_EX_LAYOUTRTL;

namespace {

ControlModel control(const char* name, ControlKind kind, int32_t left, int32_t width, const char* tag = "",
                     int container = ControlModel::kOnForm) {
    ControlModel c;
    c.name = QString::fromUtf8(name);
    c.kind = kind;
    c.tag = QString::fromUtf8(tag);
    c.caption = c.name;
    c.left = left;
    c.top = 100;
    c.width = width;
    c.height = 300;
    c.container = container;
    return c;
}

FormModel form(const char* name, int32_t width, std::vector<ControlModel> controls, const char* tag = "45") {
    FormModel f;
    f.name = QString::fromUtf8(name);
    f.tag = QString::fromUtf8(tag);
    f.caption = QStringLiteral("designed");
    f.width = width;
    f.height = 4000;
    f.controls = std::move(controls);
    return f;
}

QString row(int r, bool arabic) {
    return gLangStrings[static_cast<size_t>(frame::langStringIndex(r, arabic))];
}

class LocalizeTest : public ::testing::Test {
protected:
    void SetUp() override { LoadLanguageStrings(); }
    void TearDown() override { gArabic = false; }
};

TEST(MirroredLeft, TheNumbersOfTheDesign) {
    EXPECT_EQ(frame::mirroredLeft(120, 1000, 3000, true), 1880);
    EXPECT_EQ(frame::mirroredLeft(120, 1000, 6000, false), 4810);
    for (const bool inFrame : {true, false}) {
        for (const int32_t left : {0, 120, 2999, -75000}) {
            const int32_t once = frame::mirroredLeft(left, 1000, 6000, inFrame);
            EXPECT_EQ(frame::mirroredLeft(once, 1000, 6000, inFrame), left);
        }
    }
}

TEST_F(LocalizeTest, ArabicMirrorsInFramesAndOnTheWindow) {
    gArabic = true;
    FormModel f = form("frmTest", 6000,
                       {control("fraOptions", ControlKind::Frame, 500, 3000),
                        control("lblInFrame", ControlKind::Label, 120, 1000, "", 0),
                        control("lblOnForm", ControlKind::Label, 120, 1000)});
    LocalizeForm(f);
    EXPECT_EQ(f.control("lblInFrame").left, 1880);
    EXPECT_EQ(f.control("lblOnForm").left, 4810);
    // A frame not named "Frame..." is mirrored like any control.
    EXPECT_EQ(f.control("fraOptions").left, 6000 - 500 - 3000 - 70);
}

TEST_F(LocalizeTest, FramesNamedFrameKeepTheirPlaceButNotTheirContents) {
    gArabic = true;
    FormModel f = form(
        "frmTest", 6000,
        {control("Frame2", ControlKind::Frame, 500, 3000),
         control("chkInside", ControlKind::CheckBox, 120, 1000, "", 0),
         control("Frame", ControlKind::Label, 10, 1000), control("frame3", ControlKind::Frame, 10, 1000)});
    LocalizeForm(f);
    EXPECT_EQ(f.control("Frame2").left, 500);
    EXPECT_EQ(f.control("chkInside").left, 1880);
    EXPECT_EQ(f.control("Frame").left, 10);
    EXPECT_EQ(f.control("frame3").left, 6000 - 10 - 1000 - 70) << "the name test is case-sensitive";
}

TEST_F(LocalizeTest, TwiceInArabicRestoresTheDesign) {
    gArabic = true;
    const FormModel designed = form("frmTest", 7000,
                                    {control("fraSearch", ControlKind::Frame, 200, 4000),
                                     control("txtName", ControlKind::TextBox, 90, 1500, "", 0),
                                     control("cmdOK", ControlKind::CommandButton, 3100, 800, "5"),
                                     control("lsvList", ControlKind::ListView, 0, 6900),
                                     control("SSTab1", ControlKind::TabControl, 100, 5000),
                                     control("cmbOnTab", ControlKind::ComboBox, 300, 1200, "", 4)});
    FormModel f = designed;
    LocalizeForm(f);
    for (size_t i = 0; i < f.controls.size(); ++i)
        EXPECT_NE(f.controls[i].left, designed.controls[i].left) << designed.controls[i].name.toStdString();
    EXPECT_EQ(f.control("cmbOnTab").left, 5000 - 300 - 1200 - 70) << "a tab control is not a frame";
    LocalizeForm(f);
    for (size_t i = 0; i < f.controls.size(); ++i)
        EXPECT_EQ(f.controls[i].left, designed.controls[i].left) << designed.controls[i].name.toStdString();
}

struct KindCase {
    ControlKind kind;
    const char* name;
    bool moves;
    bool layoutRtl;
};

TEST_F(LocalizeTest, WhichKindsMoveAndWhichTurnRightToLeft) {
    const KindCase cases[] = {
        {ControlKind::TextBox, "txt", true, false},
        {ControlKind::Label, "lbl", true, false},
        {ControlKind::CommandButton, "cmd", true, false},
        {ControlKind::CheckBox, "chk", true, false},
        {ControlKind::ComboBox, "cmb", true, false},
        {ControlKind::OptionButton, "opt", true, false},
        {ControlKind::ListView, "lsv", true, true},
        {ControlKind::ProgressBar, "prg", true, true},
        {ControlKind::Animation, "ani", true, true},
        {ControlKind::ToolBar, "Toolbar2", true, false},
        {ControlKind::ToolBar, "Toolbar1", false, true},
        {ControlKind::TabControl, "SSTab2", true, false},
        {ControlKind::Line, "Line1", false, false},
        {ControlKind::PictureBox, "pic", false, false},
        {ControlKind::ImageList, "img", false, false},
        {ControlKind::CommonDialog, "dlg", false, false},
        {ControlKind::MenuItem, "mnu", false, false},
        {ControlKind::ChartControl, "Korvel1", false, false},
        {ControlKind::DockingControl, "dock", false, false},
        {ControlKind::HttpControl, "http", false, false},
    };
    for (const KindCase& k : cases) {
        SCOPED_TRACE(k.name);
        for (const bool arabic : {false, true}) {
            gArabic = arabic;
            FormModel f = form("frmTest", 6000, {control(k.name, k.kind, 120, 1000)});
            f.controls[0].exStyle = 0x200;  // other style bits stay set
            LocalizeForm(f);
            const ControlModel& c = f.controls[0];
            EXPECT_EQ(c.left, arabic && k.moves ? 4810 : 120);
            EXPECT_EQ(c.exStyle, arabic && k.layoutRtl ? (0x200 | WS_EX_LAYOUTRTL) : 0x200u);
            const bool isListView = k.kind == ControlKind::ListView;
            EXPECT_EQ(c.headerExStyle, arabic && isListView ? WS_EX_LAYOUTRTL : 0u);
        }
    }
}

TEST_F(LocalizeTest, ReadingOrderAndAlignment) {
    const ControlKind aligned[] = {ControlKind::TextBox, ControlKind::Label, ControlKind::CheckBox,
                                   ControlKind::OptionButton};
    const ControlKind notAligned[] = {ControlKind::CommandButton, ControlKind::ComboBox, ControlKind::Frame};
    for (const bool arabic : {false, true}) {
        gArabic = arabic;
        for (const ControlKind kind : aligned) {
            FormModel f = form("frmTest", 6000, {control("c", kind, 0, 100)});
            f.controls[0].rightToLeft = !arabic;  // reset as well as set
            LocalizeForm(f);
            EXPECT_EQ(f.controls[0].rightToLeft, arabic);
            EXPECT_EQ(f.controls[0].alignment, arabic ? Alignment::RightJustify : Alignment::LeftJustify);
        }
        for (const ControlKind kind : notAligned) {
            FormModel f = form("frmTest", 6000, {control("c", kind, 0, 100)});
            LocalizeForm(f);
            EXPECT_EQ(f.controls[0].rightToLeft, arabic);
            EXPECT_EQ(f.controls[0].alignment, Alignment::LeftJustify);
        }
        FormModel menu = form("frmTest", 6000, {control("mnuFile", ControlKind::MenuItem, 0, 0, "109")});
        LocalizeForm(menu);
        EXPECT_FALSE(menu.controls[0].rightToLeft) << "menu items have no reading order of their own";
        EXPECT_EQ(menu.controls[0].caption, row(109, arabic));
    }
}

TEST_F(LocalizeTest, CaptionsToolTipsAndColumnsFromTheTable) {
    for (const bool arabic : {false, true}) {
        gArabic = arabic;
        ControlModel bar = control("Toolbar1", ControlKind::ToolBar, 0, 6000);
        bar.buttons = {{"NewWL", "115", "old"}, {"Spacer", "", "keep"}};
        ControlModel list = control("lsvWL", ControlKind::ListView, 0, 6000);
        list.columns = {{"Symbol", "92"}, {"Extra", ""}};
        ControlModel other = control("Toolbar2", ControlKind::ToolBar, 0, 6000);
        other.buttons = {{"X", "115", "untouched"}};
        FormModel f = form("frmWatchList", 6000,
                           {control("lblName", ControlKind::Label, 0, 100, "128"),
                            control("lblFree", ControlKind::Label, 0, 100), bar, list, other},
                           "96");
        LocalizeForm(f);
        EXPECT_EQ(f.caption, row(96, arabic));
        EXPECT_EQ(f.control("lblName").caption, row(128, arabic));
        EXPECT_EQ(f.control("lblFree").caption, QStringLiteral("lblFree"));
        EXPECT_EQ(f.control("Toolbar1").buttons[0].toolTipText, row(115, arabic));
        EXPECT_EQ(f.control("Toolbar1").buttons[1].toolTipText, QStringLiteral("keep"));
        EXPECT_EQ(f.control("Toolbar2").buttons[0].toolTipText, QStringLiteral("untouched"));
        EXPECT_EQ(f.control("lsvWL").columns[0].text, row(92, arabic));
        EXPECT_EQ(f.control("lsvWL").columns[1].text, QStringLiteral("Extra"));
    }
    EXPECT_EQ(row(128, false), QStringLiteral("Name:"));
}

TEST_F(LocalizeTest, AWindowWithoutCaptionKeepsIt) {
    FormModel f = form("frmData", 6000, {}, "");
    f.caption.clear();
    LocalizeForm(f);
    EXPECT_TRUE(f.caption.isEmpty());
}

TEST_F(LocalizeTest, OnlyTheFrameWindowTurnsRightToLeftAsAWhole) {
    for (const bool arabic : {false, true}) {
        gArabic = arabic;
        FormModel frameWindow = form("MDIForm1", 12000, {}, "1");
        frameWindow.exStyle = 0x100;
        FormModel other = form("frmMain", 12000, {}, "1");
        LocalizeForm(frameWindow);
        LocalizeForm(other);
        EXPECT_EQ(frameWindow.exStyle, arabic ? (0x100 | WS_EX_LAYOUTRTL) : 0x100u);
        EXPECT_EQ(other.exStyle, 0u);
        EXPECT_EQ(frameWindow.caption, row(1, arabic));
    }
}

FormModel chartSettings() {
    ControlModel tabs = control("SSTab1", ControlKind::TabControl, 0, 4000);
    tabs.items = {"a", "b", "c"};
    ControlModel period = control("cmbPeriod", ControlKind::ComboBox, 0, 1000, "", 0);
    for (int i = 0; i < 10; ++i)
        period.items << QString::number(i);
    ControlModel interval = control("cmbInterval", ControlKind::ComboBox, 0, 1000, "", 0);
    interval.items = {"d", "w", "m"};
    return form("frmChartSettings", 4200, {tabs, period, interval});
}

TEST_F(LocalizeTest, ChartSettingsListsInBothLanguages) {
    FormModel f = chartSettings();
    LocalizeForm(f);
    EXPECT_EQ(f.control("SSTab1").items, QStringList({"Periods", "Template", "Comparison"}));
    EXPECT_EQ(f.control("cmbPeriod").items,
              QStringList({"1 Month", "3 Months", "6 Month", "Year-to-Date", "1 Year", "2 Years", "3 Years",
                           "5 Years", "10 Years", "All"}));
    EXPECT_EQ(f.control("cmbInterval").items, QStringList({"Daily", "Weekly", "Monthly"}));
    gArabic = true;
    f = chartSettings();
    LocalizeForm(f);
    EXPECT_EQ(f.control("cmbPeriod").items.size(), 10);
    EXPECT_EQ(f.control("cmbPeriod").items[9], row(64, true));
    EXPECT_EQ(f.control("cmbInterval").items[2], row(67, true));
    EXPECT_EQ(f.control("SSTab1").items[0], row(42, true));
}

TEST_F(LocalizeTest, ChartSettingsWithAShortListIsADesignError) {
    FormModel f = chartSettings();
    f.control("cmbInterval").items.removeLast();
    EXPECT_THROW(LocalizeForm(f), frame::RunTimeError);
}

struct BadTag {
    const char* formTag;
    const char* controlTag;
    ControlKind kind;
    int32_t error;
};

TEST_F(LocalizeTest, BadTagsReachTheCaller) {
    const BadTag cases[] = {
        {"", "", ControlKind::Label, 13},      // caption without a Tag
        {"4.5", "", ControlKind::Label, 13},   // not a whole number
        {"abc", "", ControlKind::Label, 13},   //
        {"211", "", ControlKind::Label, 9},    // past the table
        {"-1", "", ControlKind::Label, 9},     //
        {"45", "x", ControlKind::Label, 13},   //
        {"45", "300", ControlKind::Label, 9},  //
        {"45", "5", ControlKind::TextBox, 438}, {"45", "5", ControlKind::ComboBox, 438},
    };
    for (const BadTag& b : cases) {
        SCOPED_TRACE(std::string(b.formTag) + "/" + b.controlTag);
        FormModel f = form("frmTest", 6000, {control("c", b.kind, 0, 100, b.controlTag)}, b.formTag);
        try {
            LocalizeForm(f);
            ADD_FAILURE() << "no error";
        } catch (const frame::RunTimeError& e) {
            EXPECT_EQ(e.number(), b.error);
        }
    }
    EXPECT_EQ(frame::tagRow(QStringLiteral(" 45")), 45);
    EXPECT_EQ(frame::tagRow(QStringLiteral("210")), 210);
}

}  // namespace

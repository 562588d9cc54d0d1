// Windows built from their design: localised on creation, mirrored in Arabic, and drawn the same way
// every time (golden images of one window in English and in Arabic).
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFontDatabase>
#include <QGlyphRun>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRawFont>
#include <QTabWidget>
#include <QTextLayout>
#include <QTreeWidget>

#include <memory>
#include <set>

#include "GoldenImage.h"
#include "frame/Form.h"
#include "frame/LanguageTable.h"

using frame::ControlKind;
using frame::ControlModel;
using frame::Form;
using frame::FormModel;

namespace {

const char* const kFontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

// The test program's application gets a fixed style and font, so that pictures of a window do not
// depend on the machine's desktop settings.
QFont fixedFont() {
    static QFont font = [] {
        QApplication::setStyle(QStringLiteral("Fusion"));
        const int id = QFontDatabase::addApplicationFont(QString::fromLatin1(kFontFile));
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        QFont f(families.value(0, QStringLiteral("DejaVu Sans")));
        f.setPixelSize(12);
        f.setHintingPreference(QFont::PreferNoHinting);
        QApplication::setFont(f);
        return f;
    }();
    return font;
}

ControlModel control(const char* name, ControlKind kind, const char* tag, int32_t left, int32_t top,
                     int32_t width, int32_t height, int container = ControlModel::kOnForm) {
    ControlModel c;
    c.name = QString::fromUtf8(name);
    c.kind = kind;
    c.tag = QString::fromUtf8(tag);
    c.caption = c.name;
    c.left = left;
    c.top = top;
    c.width = width;
    c.height = height;
    c.container = container;
    return c;
}

// A proxy-settings window: a frame that keeps its place (its name starts with "Frame") holding
// labelled fields, a free text, a list and the OK and Cancel buttons.
FormModel sampleDesign() {
    FormModel f;
    f.name = QStringLiteral("frmSample");
    f.tag = QStringLiteral("196");
    f.caption = QStringLiteral("Internet Connection Settings");
    f.width = 6570;
    f.height = 4500;
    f.controls = {
        control("Label1", ControlKind::Label, "203", 120, 120, 6300, 720),
        control("chkUseProxy", ControlKind::CheckBox, "198", 120, 900, 3000, 300),
        control("Frame1", ControlKind::Frame, "", 120, 1260, 6260, 1800),
        control("lblServer", ControlKind::Label, "199", 120, 300, 1300, 300, 2),
        control("txtServer", ControlKind::TextBox, "", 1500, 270, 2300, 330, 2),
        control("lblPort", ControlKind::Label, "200", 120, 750, 1300, 300, 2),
        control("txtPort", ControlKind::TextBox, "", 1500, 720, 900, 330, 2),
        control("lblUserName", ControlKind::Label, "201", 120, 1200, 1300, 300, 2),
        control("txtUserName", ControlKind::TextBox, "", 1500, 1170, 2300, 330, 2),
        control("lsvList", ControlKind::ListView, "", 4000, 270, 2140, 1380, 2),
        control("cmdOK", ControlKind::CommandButton, "5", 3480, 3300, 1400, 420),
        control("cmdCancel", ControlKind::CommandButton, "14", 5000, 3300, 1400, 420),
    };
    f.controls[2].caption.clear();
    f.controls[4].caption = QStringLiteral("proxy.example");
    f.controls[6].caption = QStringLiteral("8080");
    f.controls[8].caption.clear();
    f.controls[9].columns = {{"Symbol", "92", 900}, {"Name", "93", 1000}};
    return f;
}

class FormTest : public ::testing::Test {
protected:
    void SetUp() override {
        fixedFont();
        LoadLanguageStrings();
    }
    void TearDown() override { gArabic = false; }
};

TEST_F(FormTest, LocalisedWhenCreatedNotWhenShown) {
    gArabic = true;
    Form form(sampleDesign());
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.windowTitle(), GetLangString(196));
    EXPECT_EQ(static_cast<QAbstractButton*>(form.controlWidget("cmdOK"))->text(), QStringLiteral("موافق"));
    Form asDesigned(sampleDesign(), Form::Localization::AsDesigned);
    EXPECT_EQ(asDesigned.windowTitle(), QStringLiteral("Internet Connection Settings"));
    EXPECT_EQ(static_cast<QAbstractButton*>(asDesigned.controlWidget("cmdOK"))->text(),
              QStringLiteral("cmdOK"));
}

TEST_F(FormTest, EnglishLayoutIsTheDesign) {
    Form form(sampleDesign());
    EXPECT_EQ(form.controlWidget("lblServer")->geometry(), QRect(8, 20, 87, 20));
    EXPECT_EQ(form.controlWidget("cmdCancel")->geometry(), QRect(333, 220, 93, 28));
    EXPECT_EQ(form.controlWidget("lblServer")->parentWidget(), form.controlWidget("Frame1"));
    EXPECT_EQ(form.size(), QSize((6570 - 70) / 15, (4500 - 400) / 15));
    auto* label = static_cast<QLabel*>(form.controlWidget("Label1"));
    EXPECT_EQ(label->layoutDirection(), Qt::LeftToRight);
    EXPECT_EQ(label->text(), GetLangString(203));
    auto* list = static_cast<QTreeWidget*>(form.controlWidget("lsvList"));
    EXPECT_EQ(list->headerItem()->text(0), QStringLiteral("Symbol"));
    EXPECT_EQ(list->layoutDirection(), Qt::LeftToRight);
}

TEST_F(FormTest, ArabicLayoutIsMirrored) {
    gArabic = true;
    Form form(sampleDesign());
    // Inside a frame: 6260 - 120 - 1300 = 4840 twips; on the window: 6570 - 5000 - 1400 - 70 = 100.
    EXPECT_EQ(form.controlWidget("lblServer")->geometry(), QRect(323, 20, 87, 20));
    EXPECT_EQ(form.controlWidget("cmdCancel")->geometry(), QRect(7, 220, 93, 28));
    EXPECT_EQ(form.controlWidget("Frame1")->geometry().x(), 8);
    auto* label = static_cast<QLabel*>(form.controlWidget("lblServer"));
    EXPECT_EQ(label->layoutDirection(), Qt::RightToLeft);
    EXPECT_TRUE(label->alignment() & Qt::AlignRight);
    EXPECT_TRUE(label->alignment() & Qt::AlignAbsolute) << "right alignment must not flip back to the left";
    auto* edit = static_cast<QLineEdit*>(form.controlWidget("txtServer"));
    EXPECT_EQ(edit->alignment() & (Qt::AlignRight | Qt::AlignAbsolute), Qt::AlignRight | Qt::AlignAbsolute);
    EXPECT_EQ(form.controlWidget("chkUseProxy")->layoutDirection(), Qt::RightToLeft);
    auto* list = static_cast<QTreeWidget*>(form.controlWidget("lsvList"));
    EXPECT_EQ(list->layoutDirection(), Qt::RightToLeft);
    EXPECT_EQ(list->header()->layoutDirection(), Qt::RightToLeft);
    EXPECT_EQ(list->headerItem()->text(1), GetLangString(93));
}

TEST_F(FormTest, MenusTakeTheirCaptionsFromTheTable) {
    FormModel design;
    design.name = QStringLiteral("frmMain");
    design.width = 6000;
    design.height = 4000;
    design.controls = {control("mnuFile", ControlKind::MenuItem, "109", 0, 0, 0, 0),
                       control("mnuExit", ControlKind::MenuItem, "122", 0, 0, 0, 0, 0)};
    gArabic = true;
    Form form(design);
    ASSERT_NE(form.menuBar(), nullptr);
    EXPECT_EQ(form.menuAction("mnuFile")->text(), GetLangString(109));
    EXPECT_EQ(form.menuAction("mnuExit")->text(), GetLangString(122));
    EXPECT_NE(form.menuAction("mnuFile")->menu(), nullptr);
    EXPECT_EQ(form.controlWidget("mnuExit"), nullptr);
}

TEST_F(FormTest, TabControlsShowTheControlsOfTheCurrentPage) {
    FormModel design;
    design.name = QStringLiteral("frmTabs");
    design.width = 6000;
    design.height = 4000;
    ControlModel tabs = control("SSTab1", ControlKind::TabControl, "", 150, 150, 5000, 3000);
    tabs.items = {"one", "two"};
    design.controls = {tabs, control("lblFirst", ControlKind::Label, "", 300, 600, 1500, 300, 0),
                       control("lblSecond", ControlKind::Label, "", 300, 600, 1500, 300, 0)};
    design.controls[2].tab = 1;
    Form form(design);
    form.show();
    QWidget* first = form.controlWidget("lblFirst");
    QWidget* second = form.controlWidget("lblSecond");
    EXPECT_EQ(first->parentWidget(), form.controlWidget("SSTab1"));
    EXPECT_EQ(first->geometry(), QRect(20, 40, 100, 20)) << "placed relative to the tab control, as designed";
    EXPECT_TRUE(first->isVisible());
    EXPECT_FALSE(second->isVisible());
    static_cast<QTabWidget*>(form.controlWidget("SSTab1"))->setCurrentIndex(1);
    EXPECT_FALSE(first->isVisible());
    EXPECT_TRUE(second->isVisible());
}

// Arabic letters take their joined forms: the shaped glyphs of a word are not the letters' own.
TEST_F(FormTest, ArabicTextIsShaped) {
    const QFont font = fixedFont();
    const QString word = QStringLiteral("موافق");
    const QRawFont raw = QRawFont::fromFont(font);
    ASSERT_TRUE(raw.supportsCharacter(word[0])) << "the test font has no Arabic";
    const QList<quint32> isolated = raw.glyphIndexesForString(word);
    QTextLayout layout(word, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    std::set<quint32> shaped;
    for (const QGlyphRun& run : layout.glyphRuns()) {
        for (const quint32 glyph : run.glyphIndexes())
            shaped.insert(glyph);
    }
    EXPECT_NE(shaped, std::set<quint32>(isolated.begin(), isolated.end()));
    EXPECT_FALSE(shaped.count(0)) << "no missing-glyph boxes";
}

// Fraction of pixels whose colour differs by more than a small step in any channel.
QImage picture(bool arabic) {
    gArabic = arabic;
    Form form(sampleDesign());
    form.show();
    QApplication::processEvents();
    return form.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

TEST_F(FormTest, PicturesMatchTheGoldenImages) {
    const QImage english = picture(false);
    const QImage arabic = picture(true);
    compareWithGolden(english, QStringLiteral("frmSample_en.png"));
    compareWithGolden(arabic, QStringLiteral("frmSample_ar.png"));
    EXPECT_GT(differingFraction(english, arabic), 0.02) << "the Arabic window must look different";
    EXPECT_LT(differingFraction(english.mirrored(true, false), arabic), differingFraction(english, arabic))
        << "the Arabic window is the English one mirrored, roughly";
}

}  // namespace

TEST_F(FormTest, AResizableWindowKeepsTheSizeTheUserGaveIt) {
    FormModel design = sampleDesign();
    design.resizable = true;
    Form form(design);
    EXPECT_EQ(form.size(), QSize((6570 - 70) / 15, (4500 - 400) / 15));
    form.resize(700, 500);
    form.applyModel();
    EXPECT_EQ(form.size(), QSize(700, 500));
    EXPECT_EQ(form.findChild<QWidget*>(QStringLiteral("client"))->geometry(), QRect(0, 0, 700, 500));
    // Controls keep their designed places.
    EXPECT_EQ(form.controlWidget("cmdCancel")->geometry(), QRect(333, 220, 93, 28));
}

TEST_F(FormTest, LoadedWindowsAreListedFirstLoadedFirstUntilUnloaded) {
    FormModel first = sampleDesign();
    FormModel second = sampleDesign();
    second.name = QStringLiteral("frmSecond");
    auto* a = new Form(first);
    auto* b = new Form(second);
    EXPECT_EQ(Form::openForms(), (std::vector<Form*>{a, b}));
    EXPECT_EQ(Form::findOpen(QStringLiteral("frmSecond")), b);
    a->show();
    a->close();  // the close box unloads
    EXPECT_FALSE(a->isLoaded());
    EXPECT_EQ(Form::openForms(), std::vector<Form*>{b});
    EXPECT_EQ(Form::findOpen(QStringLiteral("frmSample")), nullptr);
    delete b;
    EXPECT_TRUE(Form::openForms().empty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(FormTest, MenuSeparatorsChecksAndButtonClicks) {
    FormModel design = sampleDesign();
    ControlModel menu = control("mnuView", ControlKind::MenuItem, "", 0, 0, 0, 0);
    ControlModel item = control("mnuViewList", ControlKind::MenuItem, "", 0, 0, 0, 0, 12);
    ControlModel split = control("mnuSplit", ControlKind::MenuItem, "", 0, 0, 0, 0, 12);
    split.caption = QStringLiteral("-");
    design.controls.push_back(menu);
    design.controls.push_back(item);
    design.controls.push_back(split);
    Form form(design);
    EXPECT_TRUE(form.menuAction("mnuSplit")->isSeparator());
    EXPECT_FALSE(form.menuAction("mnuViewList")->isChecked());
    form.setMenuChecked("mnuViewList", true);
    EXPECT_TRUE(form.menuAction("mnuViewList")->isChecked());
    EXPECT_TRUE(form.model().control("mnuViewList").checked);
    form.setMenuChecked("mnuViewList", false);
    EXPECT_FALSE(form.menuAction("mnuViewList")->isChecked());
    int clicks = 0;
    form.onClick("cmdOK", [&clicks] { ++clicks; });
    static_cast<QAbstractButton*>(form.controlWidget("cmdOK"))->click();
    EXPECT_EQ(clicks, 1);
    EXPECT_THROW(form.onClick("Label1", [] {}), std::invalid_argument);
}

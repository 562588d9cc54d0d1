// The program's start as the user meets it: the language question on the first start only, the
// frame with the tool windows the settings ask for, and what closing keeps for the next start.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDockWidget>
#include <QInputDialog>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

#include "CutTexts.h"
#include "ProgramFixture.h"
#include "appdata/MarketReaders.h"
#include "appdata/Startup.h"
#include "frame/AssembledProgram.h"
#include "frame/MDIForm1.h"
#include "frame/ProgramLanguage.h"
#include "frame/StartupWindows.h"
#include "frame/frmLanguage.h"
#include "frame/frmMain.h"
#include "ui/ModalServices.h"

using frame::Form;
using frame::MDIForm1;

namespace {

const QStringList kAllToolWindows = {QStringLiteral("frmChartSettings"), QStringLiteral("frmWatchList"),
                                     QStringLiteral("frmNoteList"), QStringLiteral("frmData"),
                                     QStringLiteral("frmDataEditor")};

// A menu bar of one right-to-left menu captioned `caption`, as drawn.
QImage drawnMenuBar(const QString& caption) {
    QWidget window;
    window.setLayoutDirection(Qt::RightToLeft);
    auto* bar = new QMenuBar(&window);
    bar->addMenu(caption);
    bar->resize(bar->sizeHint());
    return bar->grab().toImage();
}

// The reading order of a menu of `bar` while it is open, opened as a click on the bar opens it.
Qt::LayoutDirection openedDirection(QMenuBar& bar, QMenu& menu) {
    const QPointF at = bar.actionGeometry(menu.menuAction()).center();
    QMouseEvent press(QEvent::MouseButtonPress, at, bar.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&bar, &press);
    const bool opened = menu.isVisible();
    const Qt::LayoutDirection direction = menu.layoutDirection();
    menu.hide();
    EXPECT_TRUE(opened) << menu.title().toStdString();
    return direction;
}

class StartupWindowsTest : public ProgramTest {
protected:
    // One start of the program, the language window answered with `language` whenever it shows.
    MDIForm1& start(int language = frame::frmLanguage::kEnglish) {
        // The program as its executable assembles it; the program folder exists, so nothing is seeded.
        m_program = std::make_unique<frame::AssembledProgram>(std::filesystem::path());
        QTimer answer;
        answer.setInterval(10);
        QObject::connect(&answer, &QTimer::timeout, [this, language] {
            if (Form* window = Form::findOpen(QStringLiteral("frmLanguage")); window && window->isVisible()) {
                ++m_languageQuestions;
                static_cast<QComboBox*>(window->controlWidget(QStringLiteral("cmbLanguage")))
                    ->setCurrentIndex(language);
                static_cast<QPushButton*>(window->controlWidget(QStringLiteral("cmdOK")))->click();
            }
        });
        answer.start();
        m_guard.release();
        EXPECT_EQ(m_program->start(m_guard), tarnwick::StartResult::Started);
        answer.stop();
        EXPECT_NE(m_program->frame(), nullptr);
        return *m_program->frame();
    }

    // Closes the frame as the user does and lets the unloaded windows go.
    void closeFrame(MDIForm1& frame) {
        EXPECT_TRUE(frame.close());
        processEvents();
    }

    static QStringList shownToolWindows(const MDIForm1& frame) {
        QStringList shown;
        for (const QString& key : kAllToolWindows) {
            if (frame.TabDock().isShown(key))
                shown << key;
        }
        return shown;
    }

    static bool viewItemChecked(MDIForm1& frame, int index) {
        return frame.chartWindow().model().control(QStringLiteral("mnuViewForm(%1)").arg(index)).checked;
    }

    void TearDown() override {
        m_program.reset();
        m_guard.release();
        ProgramTest::TearDown();
    }

    tarnwick::SingleInstanceGuard m_guard;
    std::unique_ptr<frame::AssembledProgram> m_program;
    int m_languageQuestions = 0;
};

}  // namespace

TEST_F(StartupWindowsTest, FirstStartAsksTheLanguageOnceThenShowsTheDefaultToolWindows) {
    MDIForm1& frame = start(frame::frmLanguage::kArabic);
    EXPECT_EQ(m_languageQuestions, 1);
    EXPECT_EQ(setting("Language"), QStringLiteral("True"));
    EXPECT_TRUE(gArabic);
    EXPECT_TRUE(frame.isVisible());
    EXPECT_EQ(frame.layoutDirection(), Qt::RightToLeft);
    EXPECT_EQ(frame.windowTitle(), GetLangString(1));
    // Mirrored: the side group stands on the right, the values below the chart.
    EXPECT_EQ(frame.dockWidgetArea(frame.TabDock().dock(QStringLiteral("frmWatchList"))),
              Qt::RightDockWidgetArea);
    EXPECT_EQ(frame.dockWidgetArea(frame.TabDock().dock(QStringLiteral("frmData"))),
              Qt::BottomDockWidgetArea);
    EXPECT_EQ(frame.TabDock().dock(QStringLiteral("frmChartSettings"))->layoutDirection(), Qt::RightToLeft);
    // The three settings are missing: chart settings, watch list and commentary show; the chart
    // values show as docked; the data editor is hidden at every start.
    EXPECT_EQ(shownToolWindows(frame), kAllToolWindows.mid(0, 4));
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(viewItemChecked(frame, i)) << i;
    EXPECT_EQ(frame.TabDock().dock(QStringLiteral("frmNoteList"))->windowTitle(), GetLangString(100));
    // The chart window's load ends the start-up phase.
    EXPECT_FALSE(tarnwick::gStarting);
    closeFrame(frame);

    // The stored language is used without asking again.
    gArabic = false;
    MDIForm1& again = start(frame::frmLanguage::kEnglish);
    EXPECT_EQ(m_languageQuestions, 1);
    EXPECT_TRUE(gArabic);
    closeFrame(again);
}

TEST_F(StartupWindowsTest, ClosingTheLanguageWindowWithoutOkAsksAgainNextTime) {
    frame::StartupWindows windows;
    QTimer::singleShot(10, [] {
        if (Form* window = Form::findOpen(QStringLiteral("frmLanguage")))
            window->close();
    });
    windows.showLanguageWindow();
    EXPECT_FALSE(setting("Language").has_value());
    EXPECT_FALSE(gArabic);
    EXPECT_EQ(Form::findOpen(QStringLiteral("frmLanguage")), nullptr);
}

TEST_F(StartupWindowsTest, AHiddenToolWindowStaysHiddenAfterARestart) {
    saveSetting("Language", "False");
    MDIForm1& frame = start();
    EXPECT_EQ(m_languageQuestions, 0);
    EXPECT_EQ(frame.layoutDirection(), Qt::LeftToRight);
    // The program's own update and connection settings windows stand behind their commands.
    EXPECT_TRUE(frame.chartWindow().menuAction(QStringLiteral("mnuDatabankUpdate"))->isEnabled());
    EXPECT_TRUE(frame.chartWindow().menuAction(QStringLiteral("mnuDatabankSettings"))->isEnabled());
    EXPECT_EQ(frame.dockWidgetArea(frame.TabDock().dock(QStringLiteral("frmWatchList"))),
              Qt::LeftDockWidgetArea);
    frame.chartWindow().menuAction(QStringLiteral("mnuViewForm(1)"))->trigger();
    EXPECT_FALSE(frame.TabDock().isShown(QStringLiteral("frmWatchList")));
    EXPECT_FALSE(viewItemChecked(frame, 1));
    closeFrame(frame);
    EXPECT_EQ(setting("ShowWatchList"), QStringLiteral("False"));
    EXPECT_EQ(setting("ShowChartSettings"), QStringLiteral("True"));
    EXPECT_EQ(setting("ShowNotes"), QStringLiteral("True"));

    MDIForm1& again = start();
    EXPECT_EQ(shownToolWindows(again),
              (QStringList{QStringLiteral("frmChartSettings"), QStringLiteral("frmNoteList"),
                           QStringLiteral("frmData")}));
    EXPECT_FALSE(viewItemChecked(again, 1));
    EXPECT_TRUE(viewItemChecked(again, 0));
    // Shown again from the View menu, it is kept as shown.
    again.chartWindow().menuAction(QStringLiteral("mnuViewForm(1)"))->trigger();
    EXPECT_TRUE(again.TabDock().isShown(QStringLiteral("frmWatchList")));
    EXPECT_TRUE(viewItemChecked(again, 1));
    closeFrame(again);
    EXPECT_EQ(setting("ShowWatchList"), QStringLiteral("True"));
}

TEST_F(StartupWindowsTest, ClosingAToolWindowHidesItAndClosingTheFrameEndsTheProgram) {
    saveSetting("Language", "False");
    MDIForm1& frame = start();
    QDockWidget* notes = frame.TabDock().dock(QStringLiteral("frmNoteList"));
    Form* notesWindow = frame.toolWindow(QStringLiteral("frmNoteList"));
    EXPECT_FALSE(notes->close());
    processEvents();
    EXPECT_FALSE(frame.TabDock().isShown(QStringLiteral("frmNoteList")));
    EXPECT_FALSE(notes->isVisible());
    EXPECT_FALSE(viewItemChecked(frame, 2));
    EXPECT_TRUE(notesWindow->isLoaded());
    EXPECT_FALSE(gClosing);

    frame.chartWindow().menuAction(QStringLiteral("mnuExit"))->trigger();
    processEvents();
    EXPECT_TRUE(gClosing);
    EXPECT_FALSE(frame.isVisible());
    EXPECT_FALSE(tarnwick::gConnection.isOpen());
    EXPECT_EQ(setting("ShowNotes"), QStringLiteral("False"));
    // Every other window is unloaded; the four docked ones go with the frame.
    QStringList open;
    for (const Form* form : Form::openForms())
        open << form->objectName();
    EXPECT_EQ(open, (QStringList{QStringLiteral("frmChartSettings"), QStringLiteral("frmWatchList"),
                                 QStringLiteral("frmNoteList"), QStringLiteral("frmData")}));
    // Now a tool window's close box really closes it.
    EXPECT_TRUE(frame.TabDock().dock(QStringLiteral("frmData"))->close());
}

TEST_F(StartupWindowsTest, AToolWindowBehindAnotherTabIsShownButNotOnScreen) {
    saveSetting("Language", "False");
    MDIForm1& frame = start();
    const QString watchList = QStringLiteral("frmWatchList");
    processEvents();
    ASSERT_TRUE(frame.TabDock().isOnScreen(QStringLiteral("frmChartSettings")));
    EXPECT_TRUE(frame.TabDock().isShown(watchList));
    EXPECT_FALSE(frame.TabDock().isOnScreen(watchList));
    frame.TabDock().activateForm(watchList);
    processEvents();
    EXPECT_TRUE(frame.TabDock().isOnScreen(watchList));
    EXPECT_FALSE(frame.TabDock().isOnScreen(QStringLiteral("frmChartSettings")));
    closeFrame(frame);
    // Behind another tab it was still shown, and the next start shows it.
    EXPECT_EQ(setting("ShowChartSettings"), QStringLiteral("True"));
}

// What Qt makes by itself follows the language of the run: in Arabic its own texts are Arabic, the
// menus of the frame's menu bar open right to left, and an access key's mark does not split the
// joined letters of its word; in English all of that is back as Qt has it.
TEST_F(StartupWindowsTest, QtsOwnTextsMenusAndAccessKeysFollowTheLanguageOfTheRun) {
    saveSetting("Language", "True");
    MDIForm1& arabic = start();
    ASSERT_TRUE(gArabic);
    EXPECT_TRUE(frame::QtArabicTextsLoaded());
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "OK"), QStringLiteral("حسنًا"));
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Open"), QStringLiteral("افتح"));
    QMenuBar* bar = arabic.menuBar();
    ASSERT_NE(bar, nullptr);
    int menus = 0;
    for (QAction* action : bar->actions()) {
        if (QMenu* menu = action->menu()) {
            ++menus;
            EXPECT_EQ(openedDirection(*bar, *menu), Qt::RightToLeft) << action->text().toStdString();
        }
    }
    EXPECT_EQ(menus, 6);
    EXPECT_EQ(drawnMenuBar(QStringLiteral("&ملف")), drawnMenuBar(QStringLiteral("ملف")));
    closeFrame(arabic);

    saveSetting("Language", "False");
    MDIForm1& english = start();
    ASSERT_FALSE(gArabic);
    EXPECT_FALSE(frame::QtArabicTextsLoaded());
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "OK"), QStringLiteral("OK"));
    for (QAction* action : english.menuBar()->actions()) {
        if (QMenu* menu = action->menu()) {
            EXPECT_EQ(openedDirection(*english.menuBar(), *menu), Qt::LeftToRight)
                << action->text().toStdString();
        }
    }
    closeFrame(english);
}

// The template name prompt is Qt's input box: its buttons read as the program's own OK and Cancel
// (Qt's Arabic Cancel is a short form that looks cut), and every text of it is whole.
TEST_F(StartupWindowsTest, TemplateNamePromptShowsWholeButtonTextsInBothLanguages) {
    const struct {
        const char* language;
        QStringList buttons;
    } cases[] = {{"False", {QStringLiteral("OK"), QStringLiteral("Cancel")}},
                 {"True", {QStringLiteral("موافق"), QStringLiteral("إلغاء")}}};
    for (const auto& c : cases) {
        saveSetting("Language", c.language);
        MDIForm1& frame = start();
        ui::ModalServices* scripted = ui::setModalServices(nullptr);
        QStringList buttons, cut;
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* prompt = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            if (prompt == nullptr)
                return;
            seen = true;
            for (QAbstractButton* button : prompt->findChild<QDialogButtonBox*>()->buttons())
                buttons << button->text();
            cut = frame::test::cutTexts(*prompt);
            prompt->reject();
        });
        frame.chartWindow().menuAction(QStringLiteral("mnuCTSaveAs"))->trigger();
        ui::setModalServices(scripted);
        EXPECT_TRUE(seen) << c.language;
        buttons.sort();
        QStringList expected = c.buttons;
        expected.sort();
        EXPECT_EQ(buttons, expected) << c.language;
        EXPECT_EQ(cut, QStringList()) << c.language;
        closeFrame(frame);
    }
}

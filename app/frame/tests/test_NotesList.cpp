// The notes list and the note window over a real market database: listing one company's notes or
// all of them, the unread marks and their clearing, the note window's text and picture, the
// disclaimer, sorting, and the notes list in the assembled frame with the real chart.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDockWidget>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRadioButton>
#include <QTextBlock>
#include <QTimer>
#include <QTreeWidget>

#include <filesystem>
#include <fstream>

#include "ChartWindowFixture.h"
#include "VisualOrder.h"
#include "appdata/MarketQueries.h"
#include "frame/notes/NoteListWiring.h"
#include "frame/notes/frmNote.h"
#include "frame/notes/frmNoteList.h"
#include "locale/LocaleRegistry.h"
#include "testsupport/LoopbackHttpServer.h"

namespace {

using frame::frmNote;
using frame::frmNoteList;
using frame::NoteColumn;

// What a modal window showed when it was run.
struct Shown {
    QString window;
    QString text;           // the note window's text
    QImage picture;         // the note window's picture
    QString firstLineSeen;  // the first line of the note's text box, left to right as drawn
};

// The first line of a text box as it is laid out on the screen, read from left to right.
QString firstLineSeen(const QPlainTextEdit& box) {
    const QTextBlock block = box.document()->firstBlock();
    box.document()->documentLayout()->blockBoundingRect(block);  // lays the block out
    return frame::test::visualLeftToRight(block.layout()->lineAt(0), block.text());
}

class NotesListTest : public ChartWindowTest {
protected:
    void SetUp() override {
        ChartWindowTest::SetUp();
        loc::LocaleInfo locale;
        locale.shortDate = "dd.MM.yyyy";
        loc::LocaleRegistry::setUserDefault(locale);
        tarnwick::gStarting = false;
        // Company 199: an unread note of three lines with a picture, a read one; company 205: one.
        addNote(11, kDefaultCompany, "2004-03-05", "One<br>Two<br>Three", true, "N");
        addNote(12, kDefaultCompany, "2004-11-20", "older? no, newer", false, "");
        addNote(21, kOtherCompany, "2003-01-09", "Merger talks", false, "N");
    }
    void TearDown() override {
        loc::LocaleRegistry::reset();
        ChartWindowTest::TearDown();
    }

    static void addNote(std::int32_t id, std::int32_t company, const char* date, const char* text,
                        bool picture, const char* isNew) {
        tarnwick::gConnection.execute(
            R"(INSERT INTO "Notes" ("ID", "NOTEDATE", "COMPANYID", "Text", "AText", "HasImage", "isNew", "isDELETED"))"
            R"( VALUES (?, ?, ?, ?, ?, ?, ?, 0))",
            {id, std::string(date), company, std::string(text), std::string("ملاحظة ") + text, picture,
             std::string(isNew)});
    }
    static std::string storedIsNew(std::int32_t id) {
        return tarnwick::gConnection.query(R"(SELECT "isNew" FROM "Notes" WHERE "ID" = ?)", {id})
            .text(0)
            .value_or("<NULL>");
    }
    static tarnwick::clsCompany company(std::int32_t id) { return tarnwick::GetCompaniyInfo({}, id).at(0); }

    // A notes list whose modal windows are recorded and closed at once.
    frmNoteList* makeList() {
        frame::NoteListLinks links;
        links.chartedCompany = [this] { return std::make_shared<tarnwick::clsCompany>(company(m_charted)); };
        links.runModal = [this](frame::Form& window) {
            Shown shown{window.objectName(), {}, {}, {}};
            if (const auto* note = dynamic_cast<frmNote*>(&window)) {
                shown.text = note->noteText();
                shown.picture = note->picture();
                shown.firstLineSeen = firstLineSeen(
                    *static_cast<QPlainTextEdit*>(note->controlWidget(QStringLiteral("txtNote"))));
            }
            m_shown.push_back(shown);
        };
        auto* list = new frmNoteList(std::move(links));
        list->resize(400, 500);
        return list;
    }

    static std::vector<QStringList> rows(const frmNoteList& list) {
        std::vector<QStringList> texts;
        QTreeWidget* view = list.lsvNotes();
        for (int i = 0; i < view->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = view->topLevelItem(i);
            texts.push_back({item->text(0), item->text(1), item->text(2), item->text(3)});
        }
        return texts;
    }
    static QTreeWidgetItem* itemOf(const frmNoteList& list, const char* date) {
        const auto found = list.lsvNotes()->findItems(QString::fromLatin1(date), Qt::MatchExactly, 1);
        return found.value(0);
    }
    std::filesystem::path picturePath(std::int32_t id) const {
        return m_home.path() / "Notes" / std::to_string(id);
    }
    void copySamplePicture(std::int32_t id) const {
        std::filesystem::create_directories(picturePath(id).parent_path());
        std::filesystem::copy_file(std::filesystem::path(TARNWICK_SAMPLE_DIR) / "notes_images" / "1.gif",
                                   picturePath(id));
    }

    std::int32_t m_charted = kDefaultCompany;
    std::vector<Shown> m_shown;
};

TEST_F(NotesListTest, ListsOneCompanysNotesNewestFirstOrAllNotesUnderTheirCaptions) {
    frmNoteList* list = makeList();
    EXPECT_EQ(list->windowTitle(), QStringLiteral("Market Commentary - All Notes"));
    list->FillNotesListCompany(company(kDefaultCompany));
    EXPECT_EQ(list->windowTitle(), QStringLiteral("Market Commentary - T199"));
    const std::vector<QStringList> company199 = {
        {"", "20/11/2004", "older? no, newer", "20041120"},
        {"N", "5/3/2004", "OneTwoThree", "20040305"},
    };
    EXPECT_EQ(rows(*list), company199);
    EXPECT_TRUE(list->lsvNotes()->isColumnHidden(static_cast<int>(NoteColumn::SortingDate)));

    // "Show all": every note, newest first; a later fill for a company leaves that list alone.
    static_cast<QRadioButton*>(list->controlWidget(QStringLiteral("optShow(1)")))->click();
    EXPECT_EQ(list->windowTitle(), QStringLiteral("Market Commentary - All Notes"));
    const std::vector<QStringList> all = {
        {"", "20/11/2004", "older? no, newer", "20041120"},
        {"N", "5/3/2004", "OneTwoThree", "20040305"},
        {"N", "9/1/2003", "Merger talks", "20030109"},
    };
    EXPECT_EQ(rows(*list), all);
    list->FillNotesListCompany(company(kOtherCompany));
    EXPECT_EQ(rows(*list), all);
    EXPECT_EQ(list->windowTitle(), QStringLiteral("Market Commentary - All Notes"));

    // Back to the charted company, here 205: only its note.
    m_charted = kOtherCompany;
    static_cast<QRadioButton*>(list->controlWidget(QStringLiteral("optShow(0)")))->click();
    EXPECT_EQ(rows(*list), (std::vector<QStringList>{{"N", "9/1/2003", "Merger talks", "20030109"}}));
    EXPECT_EQ(list->windowTitle(), QStringLiteral("Market Commentary - T205"));

    // A company without notes empties the list and still names its ticker.
    tarnwick::clsCompany empty = company(kOtherCompany);
    empty.ID = 999;
    empty.Symbol = "NONE";
    list->FillNotesListCompany(empty);
    EXPECT_TRUE(rows(*list).empty());
    EXPECT_EQ(list->windowTitle(), QStringLiteral("Market Commentary - NONE"));
}

TEST_F(NotesListTest, OpeningAnUnreadNoteClearsItsMarkAtOnceAndInTheDatabaseOnce) {
    saveSetting("ShowDisclaimer", "1");
    copySamplePicture(11);
    frmNoteList* list = makeList();
    list->FillNotesListCompany(company(kDefaultCompany));
    list->ShowNote(itemOf(*list, "5/3/2004"));

    ASSERT_EQ(m_shown.size(), 1u);
    EXPECT_EQ(m_shown[0].window, QStringLiteral("frmNote"));
    EXPECT_EQ(m_shown[0].text, QStringLiteral("05.03.2004:\r\nOne\r\nTwo\r\nThree"));
    EXPECT_EQ(m_shown[0].picture.size(), QSize(160, 80));  // the sample picture, not No Image
    EXPECT_EQ(itemOf(*list, "5/3/2004")->text(0), QStringLiteral(" "));
    EXPECT_EQ(storedIsNew(11), "");
    EXPECT_EQ(storedIsNew(21), "N");

    // Opened again, the note is read already: the database is not written.
    tarnwick::gConnection.execute(R"(UPDATE "Notes" SET "isNew" = 'kept' WHERE "ID" = 11)", {});
    list->ShowNote(itemOf(*list, "5/3/2004"));
    EXPECT_EQ(m_shown.size(), 2u);
    EXPECT_EQ(storedIsNew(11), "kept");
    // A note that was read before shows no picture of its own.
    list->ShowNote(itemOf(*list, "20/11/2004"));
    ASSERT_EQ(m_shown.size(), 3u);
    EXPECT_EQ(m_shown[2].picture, frmNote::noImagePicture());
    EXPECT_EQ(storedIsNew(12), "");
    EXPECT_TRUE(errorLog().empty()) << errorLog();
}

TEST_F(NotesListTest, NoteWhosePictureIsMissingOrBrokenStillOpensWithNoImageAndTheErrorLogged) {
    saveSetting("ShowDisclaimer", "1");
    frmNoteList* list = makeList();
    list->FillNotesListCompany(company(kDefaultCompany));
    list->ShowNote(itemOf(*list, "5/3/2004"));
    ASSERT_EQ(m_shown.size(), 1u);
    EXPECT_EQ(m_shown[0].window, QStringLiteral("frmNote"));
    EXPECT_EQ(m_shown[0].text, QStringLiteral("05.03.2004:\r\nOne\r\nTwo\r\nThree"));
    EXPECT_EQ(m_shown[0].picture, frmNote::noImagePicture());
    EXPECT_EQ(storedIsNew(11), "");
    EXPECT_NE(errorLog().find("Function:ShowNote"), std::string::npos) << errorLog();
    EXPECT_NE(errorLog().find("Number: 53"), std::string::npos) << errorLog();

    // A file that holds no picture.
    std::filesystem::create_directories(picturePath(11).parent_path());
    std::ofstream(picturePath(11)) << "<html>Not found</html>";
    list->ShowNote(itemOf(*list, "5/3/2004"));
    ASSERT_EQ(m_shown.size(), 2u);
    EXPECT_EQ(m_shown[1].picture, frmNote::noImagePicture());
    EXPECT_NE(errorLog().find("Number: 481"), std::string::npos) << errorLog();
}

TEST_F(NotesListTest, DisclaimerComesBeforeEveryNoteUntilTheUserDeclinesIt) {
    frmNoteList* list = makeList();
    list->FillNotesListCompany(company(kDefaultCompany));
    list->ShowNote(itemOf(*list, "20/11/2004"));
    list->ShowNote(itemOf(*list, "20/11/2004"));
    ASSERT_EQ(m_shown.size(), 4u);
    for (const std::size_t i : {0u, 2u}) {
        EXPECT_EQ(m_shown[i].window, QStringLiteral("frmDisclaimer"));
        EXPECT_EQ(m_shown[i + 1].window, QStringLiteral("frmNote"));
    }
    saveSetting("ShowDisclaimer", "0");
    list->ShowNote(itemOf(*list, "20/11/2004"));
    EXPECT_EQ(m_shown.at(4).window, QStringLiteral("frmDisclaimer"));
    saveSetting("ShowDisclaimer", "1");
    list->ShowNote(itemOf(*list, "20/11/2004"));
    ASSERT_EQ(m_shown.size(), 7u);
    EXPECT_EQ(m_shown[6].window, QStringLiteral("frmNote"));
    list->ShowNote(nullptr);
    EXPECT_EQ(m_shown.size(), 7u);
}

TEST_F(NotesListTest, LeftPressOrEnterOpensANoteRightPressAndEnterWithoutSelectionDoNot) {
    saveSetting("ShowDisclaimer", "1");
    frmNoteList* list = makeList();
    list->show();
    list->FillNotesListCompany(company(kDefaultCompany));
    QTreeWidget* view = list->lsvNotes();
    const QPoint onRow = view->visualItemRect(itemOf(*list, "5/3/2004")).center();
    const auto press = [&](Qt::MouseButton button) {
        QMouseEvent event(QEvent::MouseButtonPress, QPointF(onRow),
                          view->viewport()->mapToGlobal(QPointF(onRow)), button, button, Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &event);
        processEvents();
    };
    const auto enter = [&] {
        QKeyEvent event(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QApplication::sendEvent(view, &event);
    };
    view->clearSelection();
    enter();
    press(Qt::RightButton);
    EXPECT_TRUE(m_shown.empty());
    EXPECT_EQ(storedIsNew(11), "N");

    press(Qt::LeftButton);
    ASSERT_EQ(m_shown.size(), 1u);
    EXPECT_TRUE(m_shown[0].text.endsWith(QStringLiteral("One\r\nTwo\r\nThree")));
    EXPECT_EQ(storedIsNew(11), "");
    // The pressed row is selected: Enter opens it again.
    enter();
    EXPECT_EQ(m_shown.size(), 2u);
}

TEST_F(NotesListTest, HeaderClicksFlipTheOrderAndTheDateSortsByItsHiddenColumn) {
    addNote(13, kDefaultCompany, "2004-10-02", "apple", false, "");
    frmNoteList* list = makeList();
    list->FillNotesListCompany(company(kDefaultCompany));
    QHeaderView* header = list->lsvNotes()->header();
    const auto dates = [&] {
        QStringList d;
        for (const QStringList& row : rows(*list))
            d << row[1];
        return d;
    };
    // As a text, 20/11/2004 < 2/10/2004 < 5/3/2004; by date 5/3 < 2/10 < 20/11.
    emit header->sectionClicked(static_cast<int>(NoteColumn::Date));
    EXPECT_EQ(dates(), QStringList({"20/11/2004", "2/10/2004", "5/3/2004"}));
    emit header->sectionClicked(static_cast<int>(NoteColumn::Date));
    EXPECT_EQ(dates(), QStringList({"5/3/2004", "2/10/2004", "20/11/2004"}));
    EXPECT_EQ(list->notesModel().sortKey(), NoteColumn::SortingDate);
    // The last order was ascending: the note texts come descending, without regard to case.
    emit header->sectionClicked(static_cast<int>(NoteColumn::Note));
    const auto texts = [&] {
        QStringList t;
        for (const QStringList& row : rows(*list))
            t << row[2];
        return t;
    };
    EXPECT_EQ(texts(), QStringList({"OneTwoThree", "older? no, newer", "apple"}));
    // A refill keeps the order.
    list->FillNotesListCompany(company(kDefaultCompany));
    EXPECT_EQ(texts(), QStringList({"OneTwoThree", "older? no, newer", "apple"}));
}

TEST_F(NotesListTest, OptionsDoNothingDuringStartUpAndClosingOnlyWorksWhenTheFrameCloses) {
    frmNoteList* list = makeList();
    tarnwick::gStarting = true;
    static_cast<QRadioButton*>(list->controlWidget(QStringLiteral("optShow(1)")))->click();
    static_cast<QRadioButton*>(list->controlWidget(QStringLiteral("optShow(0)")))->click();
    EXPECT_TRUE(rows(*list).empty());
    EXPECT_EQ(list->windowTitle(), QStringLiteral("Market Commentary - All Notes"));
    tarnwick::gStarting = false;

    list->show();
    EXPECT_FALSE(list->close());
    processEvents();
    EXPECT_TRUE(list->isLoaded());
    gClosing = true;
    EXPECT_TRUE(list->close());
    EXPECT_FALSE(list->isLoaded());
}

TEST_F(NotesListTest, ListTakesTheWindowsSizeLessItsMarginsOnlyAboveThem) {
    frmNoteList* list = makeList();
    list->show();
    list->resize(300, 400);
    const frame::ControlModel& view = list->model().control(QStringLiteral("lsvNotes"));
    EXPECT_EQ(view.width, 300 * 15 - 155);
    EXPECT_EQ(view.height, 400 * 15 - 800);
    EXPECT_EQ(list->lsvNotes()->geometry(),
              frame::Form::toPixels(view.left, view.top, view.width, view.height));
    list->resize(10, 50);
    EXPECT_EQ(view.width, 300 * 15 - 155);
    EXPECT_EQ(view.height, 400 * 15 - 800);
}

TEST_F(NotesListTest, ArabicListShowsTheArabicTextsAndCaptions) {
    gArabic = true;
    frmNoteList* list = makeList();
    list->FillNotesListCompany(company(kDefaultCompany));
    EXPECT_EQ(list->windowTitle(), GetLangString(103) + QStringLiteral("T199"));
    EXPECT_EQ(list->lsvNotes()->headerItem()->text(0), GetLangString(98));
    EXPECT_EQ(static_cast<QRadioButton*>(list->controlWidget(QStringLiteral("optShow(1)")))->text(),
              GetLangString(102));
    EXPECT_EQ(rows(*list).back()[2], QStringLiteral("ملاحظة OneTwoThree"));
    auto* note = new frmNote;
    EXPECT_EQ(note->windowTitle(), GetLangString(104));
    EXPECT_NE(note->windowTitle(), QStringLiteral("Commentary"));
}

// The note window reads right to left in Arabic; its date heading still reads as a date, the colon
// after it on its left.
TEST_F(NotesListTest, ArabicNoteWindowShowsItsDateInReadingOrder) {
    loc::LocaleInfo locale;
    locale.shortDate = "d MMM yyyy";
    loc::LocaleRegistry::setUserDefault(locale);
    saveSetting("ShowDisclaimer", "1");
    gArabic = true;
    frmNoteList* list = makeList();
    list->FillNotesListCompany(company(kDefaultCompany));
    list->ShowNote(itemOf(*list, "5/3/2004"));
    ASSERT_EQ(m_shown.size(), 1u);
    EXPECT_EQ(m_shown[0].firstLineSeen, QStringLiteral(":5 Mar 2004"));

    // English keeps the plain text: date, colon.
    gArabic = false;
    m_shown.clear();
    frmNoteList* english = makeList();
    english->FillNotesListCompany(company(kDefaultCompany));
    english->ShowNote(itemOf(*english, "5/3/2004"));
    ASSERT_EQ(m_shown.size(), 1u);
    EXPECT_EQ(m_shown[0].text.left(11), QStringLiteral("5 Mar 2004:"));
    EXPECT_EQ(m_shown[0].firstLineSeen, QStringLiteral("5 Mar 2004:"));
}

// The assembled program: the frame makes the notes list, the real chart charts company 199 from the
// database and the list shows its notes; a press on a row opens the real note window modally.
TEST_F(NotesListTest, AssembledFrameListsTheChartedCompanysNotesAndOpensOneInTheNoteWindow) {
    saveSetting("ShowDisclaimer", "1");
    copySamplePicture(11);
    frame::FrameHooks hooks;
    frame::ConnectNoteList(hooks, [this] { return m_frame.get(); });
    m_frame = std::make_unique<frame::MDIForm1>(std::move(hooks));
    m_frame->MDIForm_Load();
    m_frame->show();
    processEvents();

    frmNoteList* list = frame::NoteListOf(m_frame.get());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(chartCompanyID(chart()), "199");
    EXPECT_EQ(list->windowTitle(), QStringLiteral("Market Commentary - T199"));
    EXPECT_EQ(m_frame->TabDock().dock(QStringLiteral("frmNoteList"))->windowTitle(),
              QStringLiteral("Market Commentary - T199"));
    ASSERT_EQ(rows(*list).size(), 2u);
    EXPECT_EQ(rows(*list)[1][0], QStringLiteral("N"));

    m_frame->TabDock().activateForm(QStringLiteral("frmNoteList"));
    processEvents();
    QTreeWidget* view = list->lsvNotes();
    const QPoint onRow = view->visualItemRect(itemOf(*list, "5/3/2004")).center();
    Shown seen;
    QImage box;  // the picture box as drawn
    QTimer::singleShot(100, [&] {
        auto* note = static_cast<frmNote*>(frame::Form::findOpen(QStringLiteral("frmNote")));
        if (note == nullptr)
            return;
        seen = {note->objectName() + (note->isVisible() ? QStringLiteral(" shown") : QString()),
                note->noteText(),
                note->picture(),
                {}};
        box = note->controlWidget(QStringLiteral("imgChart"))->grab().toImage();
        note->close();
    });
    QMouseEvent event(QEvent::MouseButtonPress, QPointF(onRow), view->viewport()->mapToGlobal(QPointF(onRow)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &event);
    ASSERT_TRUE(testsupport::waitUntil([&] { return !seen.window.isEmpty(); }, 5000));
    EXPECT_EQ(seen.window, QStringLiteral("frmNote shown"));
    EXPECT_EQ(seen.text, QStringLiteral("05.03.2004:\r\nOne\r\nTwo\r\nThree"));
    EXPECT_EQ(seen.picture.size(), QSize(160, 80));
    // The 620 x 558 box shows the picture in its middle, pixel for pixel, and no No Image around it.
    ASSERT_EQ(box.size(), QSize(620, 558));
    const QImage drawn = box.copy(230, 239, 160, 80).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(drawn, seen.picture.convertToFormat(QImage::Format_RGB32));
    EXPECT_NE(box.pixelColor(5, 5), QColor(Qt::white));
    processEvents();
    EXPECT_EQ(itemOf(*list, "5/3/2004")->text(0), QStringLiteral(" "));
    EXPECT_EQ(storedIsNew(11), "");

    // The other company charted: the list follows the chart fill.
    window().chartFill()->CompanyID = kOtherCompany;
    window().chartCurrentCompany();
    EXPECT_EQ(list->windowTitle(), QStringLiteral("Market Commentary - T205"));
    EXPECT_EQ(rows(*list), (std::vector<QStringList>{{"N", "9/1/2003", "Merger talks", "20030109"}}));
}

}  // namespace

// Escape in the note window closes it as a dialog's Cancel would, wherever the focus is in it.
TEST_F(NotesListTest, EscapeClosesTheNoteWindow) {
    for (const char* focus : {"txtNote", "cmdDisclimer"}) {
        SCOPED_TRACE(focus);
        QPointer<frmNote> note = new frmNote;
        note->setNoteText(QStringLiteral("01.02.2004:\r\nOne"));
        note->show();
        processEvents();
        QWidget* focused = note->controlWidget(QString::fromLatin1(focus));
        ASSERT_NE(focused, nullptr);
        QKeyEvent other(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QApplication::sendEvent(focused, &other);
        ASSERT_TRUE(note && note->isLoaded() && note->isVisible()) << "another key leaves it open";
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(focused, &escape);
        processEvents();
        EXPECT_TRUE(note.isNull() || (!note->isLoaded() && !note->isVisible()));
        if (note && note->isLoaded())
            note->unload();
    }
}

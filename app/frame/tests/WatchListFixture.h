// The program's frame with the real watch-list window and commands over the small market database of
// the chart window tests: market 1 (system list -1), the user lists 5 "Mine" (companies 199 and 205)
// and, when asked, more. Dialogs are the program's own unless a test answers them.
#pragma once

#include <QComboBox>
#include <QMouseEvent>
#include <QTimer>
#include <QTreeWidget>

#include "ChartWindowFixture.h"
#include "appdata/MarketQueries.h"
#include "appdata/MarketReaders.h"
#include "frame/FrameGlobals.h"
#include "frame/lists/KeyedCombo.h"
#include "frame/lists/ListFillers.h"
#include "frame/watchlist/WatchListWiring.h"
#include "frame/watchlist/frmWatchList.h"

class WatchListTest : public ChartWindowTest {
public:
    // Runs `answer` on the modal window `name` as soon as it shows.
    static void whenShown(const char* name, std::function<void(frame::Form&)> answer, int tries = 50) {
        QTimer::singleShot(0, [name, answer = std::move(answer), tries] {
            frame::Form* form = frame::Form::findOpen(QString::fromLatin1(name));
            if (form != nullptr && form->isVisible())
                answer(*form);
            else if (tries > 0)
                whenShown(name, answer, tries - 1);
        });
    }

protected:
    void SetUp() override {
        ChartWindowTest::SetUp();
        addItem(5, kDefaultCompany, 1);
        addItem(5, kOtherCompany, 2);
        saveSetting("LastWL", "5");
    }

    void TearDown() override {
        m_frame.reset();
        frame::gWLCompanies.clear();
        gDialogResult = false;
        ChartWindowTest::TearDown();
    }

    static void addItem(std::int32_t list, std::int32_t company, std::int32_t order) {
        tarnwick::gConnection.execute(
            R"(INSERT INTO "WatchListItem" ("ORDER", "COMPANYID", "WatchListID") VALUES (?, ?, ?))",
            {order, company, list});
    }

    // The frame as the program builds it, with the data editor's fill counted.
    frame::MDIForm1& loadProgram() {
        frame::FrameHooks hooks;
        hooks.chartPeers.fillDataEditor = [this](std::int32_t) { ++m_fills; };
        frame::WatchListDialogs dialogs = frame::WatchListDialogs::programDialogs();
        if (!m_programPicks)
            dialogs.pickCompanies = [this](tarnwick::KeyedCollection<tarnwick::clsCompany>& chosen) {
                ++m_picks;
                for (const std::int32_t id : m_toPick) {
                    const auto found = tarnwick::GetCompaniyInfo("", id);
                    chosen.add(found.shared(tarnwick::RecordKey(id)), tarnwick::RecordKey(id));
                }
                return m_confirmPicks;
            };
        frame::InstallWatchList(hooks, std::move(dialogs));
        m_frame = std::make_unique<frame::MDIForm1>(std::move(hooks));
        m_frame->MDIForm_Load();
        m_frame->show();
        return *m_frame;
    }

    frame::frmWatchList& watchList() {
        return *static_cast<frame::frmWatchList*>(m_frame->toolWindow(QStringLiteral("frmWatchList")));
    }
    QTreeWidget& tree() { return watchList().lsvWL().widget(); }
    QComboBox& combo() { return watchList().cmbWL(); }

    QStringList comboTexts() {
        QStringList texts;
        for (int i = 0; i < combo().count(); ++i)
            texts << combo().itemText(i);
        return texts;
    }
    // The list view's rows, each as its texts joined by "|".
    QStringList rows() {
        QStringList out;
        for (int i = 0; i < tree().topLevelItemCount(); ++i) {
            QStringList cells;
            for (int c = 0; c < tree().columnCount(); ++c)
                cells << tree().topLevelItem(i)->text(c);
            out << cells.join(QLatin1Char('|'));
        }
        return out;
    }
    std::optional<std::string> selectedKey() { return watchList().lsvWL().selectedKey(); }

    // A mouse press on the list at the centre of row `row`, or on empty space below the rows.
    void pressRow(int row, Qt::MouseButton button) {
        tree().viewport()->resize(400, 400);
        QPoint at(10, 390);
        if (row >= 0)
            at = tree().visualItemRect(tree().topLevelItem(row)).center();
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), tree().viewport()->mapToGlobal(QPointF(at)),
                          button, button, Qt::NoModifier);
        QCoreApplication::sendEvent(tree().viewport(), &press);
    }

    std::string drawingInfo(std::int32_t company) {
        db::RowSet rows = tarnwick::gConnection.query(R"(SELECT "DrawingInfo" FROM "Company" WHERE "ID" = ?)",
                                                      {company}, db::CursorType::ForwardOnly);
        return rows.eof() ? std::string("<no row>") : rows.textOrEmpty("DrawingInfo");
    }
    // "id:name" of every stored list, by ID.
    std::vector<std::string> storedLists() {
        std::vector<std::string> out;
        db::RowSet rows = tarnwick::gConnection.query(
            R"(SELECT "ID", "NAME" FROM "WatchLists" ORDER BY "ID")", {}, db::CursorType::ForwardOnly);
        for (; !rows.eof(); rows.moveNext())
            out.push_back(std::to_string(rows.int32("ID")) + ":" + rows.textOrEmpty("NAME"));
        return out;
    }
    // "list:company" of every stored item, by list and order.
    std::vector<std::string> storedItems() {
        std::vector<std::string> out;
        db::RowSet rows = tarnwick::gConnection.query(
            R"(SELECT "WatchListID", "COMPANYID" FROM "WatchListItem" ORDER BY "WatchListID", "ORDER")", {},
            db::CursorType::ForwardOnly);
        for (; !rows.eof(); rows.moveNext())
            out.push_back(std::to_string(rows.int32("WatchListID")) + ":" +
                          std::to_string(rows.int32("COMPANYID")));
        return out;
    }

    std::vector<std::int32_t> m_toPick;
    bool m_confirmPicks = true;
    bool m_programPicks = false;  // the program's add-company dialog instead of m_toPick
    int m_picks = 0;
};

// The user walk's steps in the program's lists: chart templates saved, loaded, renamed and deleted,
// watch-list edits, and imports of data files; each checked against the database and the chart.
#pragma once

#include <QLabel>
#include <QStringList>

#include <filesystem>

#include "UserWalkChartSteps.h"
#include "UserWalkSteps.h"
#include "appdata/update/UpdateHooks.h"
#include "db/Connection.h"
#include "frame/LanguageTable.h"
#include "frame/frmBulkData.h"
#include "frame/lists/KeyedCombo.h"
#include "frame/watchlist/frmWatchList.h"

namespace userwalk {

class UserWalkListSteps : public UserWalkChartSteps {
protected:
    // --- Templates -----------------------------------------------------------------------------

    std::string saveOrLoadTemplate(Rng& rng) {
        auto* combo = settingsControl<QComboBox>("cmbTemplates");
        if (combo->count() == 0 || pick(rng, 3) == 0) {
            m_script.answerInput(QStringLiteral("Walk %1").arg(combo->count() + 1));
            for (QAction* action : settingsControl<QToolBar>("Toolbar1")->actions())
                if (action->objectName() == QLatin1String("SaveAsNewTemplate"))
                    action->trigger();
            return "save";
        }
        const int index = static_cast<int>(pick(rng, static_cast<std::size_t>(combo->count())));
        combo->setCurrentIndex(index);
        emit combo->activated(index);
        return "load " + std::to_string(index);
    }

    // Presses the tool-bar button of `key`, as the user can only while it is enabled.
    static bool pressButton(QToolBar& bar, const char* key) {
        for (QAction* action : bar.actions())
            if (action->objectName() == QLatin1String(key) && action->isEnabled()) {
                action->trigger();
                return true;
            }
        return false;
    }
    static bool buttonEnabled(QToolBar& bar, const char* key) {
        for (QAction* action : bar.actions())
            if (action->objectName() == QLatin1String(key))
                return action->isEnabled();
        return false;
    }
    static std::vector<std::string> itemsOf(const QComboBox& combo) {
        std::vector<std::string> items;
        for (int i = 0; i < combo.count(); ++i)
            items.push_back(combo.itemText(i).toStdString());
        return items;
    }
    // The first column's texts of the rows that `sql` reads.
    std::vector<std::string> storedTexts(const std::string& sql,
                                         std::initializer_list<db::Value> params = {}) {
        std::vector<std::string> texts;
        for (db::RowSet rows = database().query(sql, params); !rows.eof(); rows.moveNext())
            texts.push_back(rows.textOrEmpty(0));
        return texts;
    }

    // The chosen template renamed through its input box, or deleted after the question (a No keeps
    // it); one is chosen from the list first when none is. The list then holds the database's names
    // by ID (a new template takes the next ID and is listed last).
    std::string editTemplate(Rng& rng) {
        auto* combo = settingsControl<QComboBox>("cmbTemplates");
        if (combo->count() == 0)
            return "(no template)";
        if (combo->currentIndex() < 0) {
            const int index = static_cast<int>(pick(rng, static_cast<std::size_t>(combo->count())));
            combo->setCurrentIndex(index);
            emit combo->activated(index);
            processEvents();
        }
        const std::optional<std::int32_t> id = settings().templates().selectedId();
        auto* bar = settingsControl<QToolBar>("Toolbar1");
        const bool rename = pick(rng, 2) == 0, yes = pick(rng, 4) != 0;
        const char* button = rename ? "EditTemplateName" : "DeleteTemplate";
        if (!id || !buttonEnabled(*bar, button))
            return "(no template chosen)";
        const int index = combo->currentIndex();
        const std::string renamed = "Walk's \"" + std::to_string(++m_templateEdits) + "\"";
        if (rename)
            m_script.answerInput(QString::fromStdString(renamed));
        else
            m_script.answerMessageBox(yes ? ui::IDYES : ui::IDNO);
        pressButton(*bar, button);
        processEvents();
        count("template-edit");
        EXPECT_EQ(itemsOf(*combo), storedTexts(R"(SELECT "NAME" FROM "Templates" ORDER BY "ID")"))
            << "the templates listed are not the database's";
        const std::vector<std::string> stored =
            storedTexts(R"(SELECT "NAME" FROM "Templates" WHERE "ID" = ?)", {*id});
        const std::string what = (rename ? "rename " : yes ? "delete " : "keep ") + std::to_string(*id);
        if (rename) {
            EXPECT_EQ(stored, std::vector<std::string>{renamed}) << what;
            EXPECT_EQ(combo->currentIndex(), index) << "the renamed template is no longer chosen";
        } else {
            EXPECT_EQ(stored.size(), yes ? 0u : 1u) << what;
            EXPECT_EQ(combo->currentIndex() == -1, yes) << "the template chosen after " << what;
        }
        return what;
    }
    int m_templateEdits = 0;

    // --- The watch list -------------------------------------------------------------------------

    frame::frmWatchList& watchListWindow() {
        return *static_cast<frame::frmWatchList*>(frameWindow().toolWindow(QStringLiteral("frmWatchList")));
    }
    template <class Widget>
    static Widget& control(frame::Form& form, const char* name) {
        return *static_cast<Widget*>(form.controlWidget(QString::fromLatin1(name)));
    }
    static std::string companyEntry(std::int32_t id, const std::string& ticker) {
        return tarnwick::RecordKey(id) + " " + ticker;
    }

    // The lists the window must offer: a system list per live market, by name, then the user lists
    // by ID (a new one takes the next ID and is listed last).
    std::vector<std::string> storedWatchLists() {
        std::vector<std::string> names =
            storedTexts(std::string("SELECT ") + (gArabic ? R"("ANAME")" : R"("NAME")") +
                        R"( FROM "Markets" WHERE "isDELETED" = 0 ORDER BY "NAME")");
        for (const std::string& name : storedTexts(R"(SELECT "NAME" FROM "WatchLists" ORDER BY "ID")"))
            names.push_back(name);
        return names;
    }
    // The companies of the list of `key` as the database holds them: a user list's in its order, a
    // market's by sector, indexes last, and name.
    std::vector<std::string> storedListCompanies(const std::string& key) {
        const tarnwick::clsWL& list = tarnwick::gWatchLists.item(key);
        db::RowSet rows =
            list.isSystem
                ? database().query(R"(SELECT "ID", "TICKER" FROM "Company" WHERE "MARKET_ID" = ?)"
                                   R"( AND "IsDELETED" = 0 ORDER BY "CATEGORY_ID", "IS_INDEX", "NAME")",
                                   {-list.ID})
                : database().query(
                      R"(SELECT "Company"."ID", "Company"."TICKER" FROM "WatchListItem" JOIN "Company")"
                      R"( ON "Company"."ID" = "WatchListItem"."COMPANYID" WHERE "WatchListID" = ?)"
                      R"( AND "Company"."IsDELETED" = 0 ORDER BY "WatchListItem"."ORDER")",
                      {list.ID});
        std::vector<std::string> companies;
        for (; !rows.eof(); rows.moveNext())
            companies.push_back(companyEntry(rows.int32(0), rows.textOrEmpty(1)));
        return companies;
    }
    std::vector<std::string> shownListCompanies() {
        std::vector<std::string> shown;
        const QTreeWidget& tree = watchListWindow().lsvWL().widget();
        for (int i = 0; i < tree.topLevelItemCount(); ++i)
            shown.push_back(frame::ReportListView::keyOf(*tree.topLevelItem(i)) + " " +
                            tree.topLevelItem(i)->text(0).toStdString());
        return shown;
    }
    void clickListed(QTreeWidgetItem* item) {
        QTreeWidget& tree = watchListWindow().lsvWL().widget();
        tree.scrollToItem(item);
        const QPoint at = tree.visualItemRect(item).center();
        sendMouse(tree.viewport(), QEvent::MouseButtonPress, at, Qt::LeftButton);
        sendMouse(tree.viewport(), QEvent::MouseButtonRelease, at, Qt::LeftButton);
        processEvents();
    }

    // The watch list's dialogs answered as they show: the name typed into the name dialog, then the
    // tickers typed and added one by one in the company window; each confirmed with OK.
    static std::function<bool()> fillWatchListDialogs(std::optional<QString> name, QStringList tickers,
                                                      int& answered) {
        return [name, tickers, &answered, named = !name.has_value()]() mutable {
            frame::Form* dialog =
                frame::Form::findOpen(named ? QStringLiteral("frmAddSymbol") : QStringLiteral("frmAddWL"));
            if (dialog == nullptr || !dialog->isVisible())
                return false;
            ++answered;
            if (!named) {
                control<QLineEdit>(*dialog, "txtName").setText(*name);
                control<QPushButton>(*dialog, "cmdOK").click();
                named = true;
                return tickers.isEmpty();
            }
            for (const QString& ticker : tickers) {
                control<QLineEdit>(*dialog, "txtSymbol").setText(ticker);
                control<QPushButton>(*dialog, "cmdAdd").click();
            }
            control<QPushButton>(*dialog, "cmdOK").click();
            return true;
        };
    }

    // New (a name, then one to three companies picked), Rename, Delete (Yes, or No once in four), Add
    // one to three companies, or Remove the company clicked in the list, through the window's
    // buttons on a user list chosen in its combo. The window then shows the database's lists and the
    // chosen list's companies, and a click on one of them charts it.
    std::string editWatchList(Rng& rng) {
        frame::frmWatchList& window = watchListWindow();
        QComboBox& lists = window.cmbWL();
        auto& bar = control<QToolBar>(window, "Toolbar1");
        std::vector<int> userLists;
        for (int i = 0; i < lists.count(); ++i)
            if (const auto key = frame::entryKey(lists, i); key && !tarnwick::gWatchLists.item(*key).isSystem)
                userLists.push_back(i);
        enum Action { New, Rename, Delete, Add, Remove };
        static const char* const kActions[] = {"new", "rename", "delete", "add", "remove"};
        const auto action = userLists.empty() ? New : static_cast<Action>(pick(rng, 5));
        if (action != New) {
            const int index = userLists[pick(rng, userLists.size())];
            lists.setCurrentIndex(index);
            emit lists.activated(index);
            processEvents();
        }
        const std::optional<std::string> chosen = frame::selectedEntryKey(lists);
        // The companies the chosen list (the new one for New) must then hold.
        std::vector<std::string> expected;
        if (action != New && chosen)
            expected = storedListCompanies(*chosen);
        QStringList tickers;
        for (std::size_t picks = action == New || action == Add ? 1 + pick(rng, 3) : 0; picks > 0; --picks) {
            const auto& [id, ticker] = m_companies[pick(rng, m_companies.size())];
            tickers << QString::fromStdString(ticker);
            if (const std::string entry = companyEntry(id, ticker);
                std::find(expected.begin(), expected.end(), entry) == expected.end())
                expected.push_back(entry);
        }
        const QString name = QStringLiteral("Walk's \"list\" %1").arg(++m_watchListEdits);
        const bool yes = pick(rng, 4) != 0;
        std::string detail = kActions[action] + (action == New ? "" : " " + chosen.value_or("-"));
        int answered = 0;
        {
            const ModalAnswerer answer(fillWatchListDialogs(
                action == New || action == Rename ? std::optional(name) : std::nullopt, tickers, answered));
            bool pressed = false;
            switch (action) {
                case New:
                    pressed = pressButton(bar, "NewWL");
                    break;
                case Rename:
                    pressed = pressButton(bar, "EditWLName");
                    break;
                case Delete:
                    if ((pressed = buttonEnabled(bar, "DeleteWL"))) {
                        m_script.answerMessageBox(yes ? ui::IDYES : ui::IDNO);
                        pressButton(bar, "DeleteWL");
                        detail += yes ? " (yes)" : " (no)";
                    }
                    break;
                case Add:
                    pressed = pressButton(bar, "AddSysmbol");
                    break;
                case Remove: {
                    QTreeWidget& tree = window.lsvWL().widget();
                    if (tree.topLevelItemCount() == 0)
                        return detail + " (empty list)";
                    QTreeWidgetItem* item = tree.topLevelItem(
                        static_cast<int>(pick(rng, static_cast<std::size_t>(tree.topLevelItemCount()))));
                    const std::string key = frame::ReportListView::keyOf(*item);
                    clickListed(item);
                    std::erase_if(expected,
                                  [&](const std::string& entry) { return entry.starts_with(key + " "); });
                    detail += " " + key;
                    pressed = pressButton(bar, "RemoveSymbol");
                    break;
                }
            }
            if (!pressed)
                return detail + " (not offered)";
            processEvents();
        }
        count("watch-list-edit");
        const int dialogs = action == New ? 2 : action == Rename || action == Add ? 1 : 0;
        EXPECT_EQ(answered, dialogs) << "the dialogs of " << detail << " did not show";
        EXPECT_EQ(itemsOf(lists), storedWatchLists()) << "the watch lists offered are not the database's";
        const std::optional<std::string> shown = frame::selectedEntryKey(lists);
        EXPECT_EQ(shownListCompanies(), shown ? storedListCompanies(*shown) : std::vector<std::string>{})
            << "the companies listed are not the database's";
        if (action == Delete && yes) {
            EXPECT_EQ(frame::entryIndex(lists, *chosen), -1) << detail;
        } else {
            if (action == New)
                EXPECT_EQ(lists.currentIndex(), lists.count() - 1) << "the new list is not the one shown";
            else
                EXPECT_EQ(shown, chosen) << "the list chosen after " << detail;
            EXPECT_EQ(shownListCompanies(), expected) << "the companies after " << detail;
        }
        if (action == New || action == Rename) {
            EXPECT_EQ(lists.currentText(), name) << detail;
        }
        return detail + (action == New ? " " + shown.value_or("-") : "") + clickWatchListCompany(rng);
    }
    // A click on a listed company charts it.
    std::string clickWatchListCompany(Rng& rng) {
        QTreeWidget& tree = watchListWindow().lsvWL().widget();
        if (tree.topLevelItemCount() == 0)
            return "";
        QTreeWidgetItem* item = tree.topLevelItem(static_cast<int>(pick(rng, tree.topLevelItemCount())));
        const std::string key = frame::ReportListView::keyOf(*item);
        clickListed(item);
        count("watch-list-click");
        EXPECT_EQ(tarnwick::RecordKey(chartedCompany()), key) << "a click on " << key << " did not chart it";
        return ", then " + key + " charted";
    }
    int m_watchListEdits = 0;

    // --- Imports --------------------------------------------------------------------------------

    // The days that updates and imports bring, one after another from 2 Jan 2025 on: each is the
    // charted company's new last day, and no two steps bring the same one.
    std::string nextNewDay() { return isoDate(oleDateOf("2025-01-02") + m_newDays++); }
    std::optional<DayPrices> storedDay(std::int32_t company, const std::string& iso) {
        db::RowSet rows = database().query(
            R"(SELECT "OpeningPrice", "MaxPrice", "MinPrice", "ClosingPrice" FROM )" + dailyTable(company) +
                R"( WHERE "COMPANYID" = ? AND substr("DATE", 1, 10) = ?)",
            {company, iso});
        if (rows.eof())
            return std::nullopt;
        return DayPrices{rows.real(0), rows.real(1), rows.real(2), rows.real(3)};
    }
    // A daily analytical chart shows the day a step brought at once, as its last point with prices
    // (blank points may follow), with the prices the database holds for it.
    void expectDayShown(const char* check, const std::string& iso, const DayPrices& stored) {
        LONG type = -1;
        chart().get_ChartType(&type);
        if (type != kAnalyticalType || chartWindow().chartChoices().interval != 0)
            return;
        count(check);
        const Prices p = prices();
        LONG last = chartObject().model().pointCount() - 1;
        while (last >= 0 && !value(p.close, last))
            --last;
        double date = 0;
        if (last < 0 || chartObject().model().xValue(last, &date) != com::S_OK || isoDate(date) != iso) {
            ADD_FAILURE() << "the chart's last day is " << (last < 0 ? "none" : isoDate(date))
                          << ", not the new " << iso;
            return;
        }
        const std::pair<LONG, double> shown[] = {
            {p.open, stored.open}, {p.high, stored.high}, {p.low, stored.low}, {p.close, stored.close}};
        for (const auto& [series, price] : shown) {
            if (series >= 0) {
                EXPECT_NEAR(value(series, last).value_or(-1), price, 0.006)
                    << "the new day " << iso << " in series " << series;
            }
        }
    }
    // The shares and amount traded on the company's last day before the new days, give or take a
    // little from day to day, so that the studies of volume keep their scale and no line of them is
    // flat.
    std::pair<double, double> usualVolume(std::int32_t company, const std::string& iso) {
        db::RowSet rows =
            database().query(R"(SELECT "TotalShares", "TotalAmount" FROM )" + dailyTable(company) +
                                 R"( WHERE "COMPANYID" = ? AND "DATE" < '2025-01-02')"
                                 R"( ORDER BY "DATE" DESC LIMIT 1)",
                             {company});
        const double share = 0.7 + 0.1 * (static_cast<int>(oleDateOf(iso)) % 7);
        return rows.eof() ? std::pair{1000.0, 10000.0}
                          : std::pair{std::round(rows.real(0) * share), std::round(rows.real(1) * share)};
    }
    // The prices of a new day that moves on from `close`, up or down by day.
    static DayPrices newDayPrices(double close, const std::string& iso) {
        const auto cents = [](double price) { return std::round(price * 100) / 100; };
        const double next = close * (1 + 0.004 * (static_cast<int>(oleDateOf(iso)) % 5 - 2));
        return {cents(close), cents(std::max(close, next) * 1.01), cents(std::min(close, next) * 0.99),
                cents(next)};
    }
    int m_newDays = 0;

    // One or two new days of the charted company in a data file that the user imports from the
    // chart settings' button. One file in three has a bad row: an empty price, which ends the import
    // with the rows before it kept, or a row of a market without a table, which alone is left out
    // while the user is told. The database then holds the rows stored, and the chart shows them.
    std::string importFile(Rng& rng) {
        struct Row {
            std::string day;
            DayPrices prices;
            bool stored = true;
        };
        const std::int32_t company = chartedCompany();
        std::vector<Row> rows(1 + pick(rng, 2));
        const std::size_t bad = pick(rng, 3) == 0 ? pick(rng, rows.size()) : rows.size();
        const bool emptyPrice = pick(rng, 2) == 0;
        double close = lastDay(company).close;
        for (Row& row : rows) {
            row.day = nextNewDay();
            row.prices = newDayPrices(close, row.day);
            close = row.prices.close;
        }
        // As the markets' data file does, it holds the days of every other company too.
        std::vector<std::int32_t> others;
        for (db::RowSet listed = database().query(
                 R"(SELECT "ID" FROM "Company" WHERE "IsDELETED" = 0 AND "ID" <> ?)", {company});
             !listed.eof(); listed.moveNext())
            others.push_back(listed.int32(0));
        const std::filesystem::path file = home() / ("import-" + rows.front().day + ".mqd");
        {
            db::Connection data = db::Connection::createNew(file);
            data.executeScript(
                "CREATE TABLE Markets (ID INTEGER, AName TEXT, Name TEXT, Aprev TEXT, UpdateDataTag TEXT,"
                " UpdateNotesTag TEXT, isDeleted INTEGER);"
                "CREATE TABLE Category (ID INTEGER, AName TEXT, Name TEXT, Aprev TEXT, isDeleted INTEGER);"
                "CREATE TABLE Split (companyID INTEGER, SplitDate TEXT, Ratio REAL, isDeleted INTEGER);"
                "CREATE TABLE Company (ID INTEGER, AName TEXT, Name TEXT, Category_ID INTEGER, Ticker TEXT,"
                " MARKET_ID INTEGER, IS_INDEX INTEGER, IsDeleted INTEGER, Description TEXT);"
                "CREATE TABLE MarketDaily (Date TEXT, COMPANYID INTEGER, OpeningPrice REAL, MaxPrice REAL,"
                " MinPrice REAL, ClosingPrice REAL, TotalShares REAL, TotalAmount REAL, MarketID INTEGER,"
                " IsUPDATE INTEGER)");
            const auto insert = [&](const std::string& day, std::int32_t id, const DayPrices& d,
                                    bool badRow) {
                const auto [shares, amount] = usualVolume(id, day);
                data.execute(
                    "INSERT INTO MarketDaily VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, 0)",
                    {day, id, d.open, d.high, d.low, badRow && emptyPrice ? db::Value() : db::Value(d.close),
                     shares, amount, badRow && !emptyPrice ? 99 : marketOf(id)});
            };
            std::map<std::int32_t, double> closes;  // of the other companies, day by day
            for (std::size_t i = 0; i < rows.size(); ++i) {
                insert(rows[i].day, company, rows[i].prices, i == bad);
                for (const std::int32_t other : others) {
                    auto [last, added] = closes.try_emplace(other, 0.0);
                    if (added)
                        last->second = lastDay(other).close;
                    const DayPrices prices = newDayPrices(last->second, rows[i].day);
                    last->second = prices.close;
                    insert(rows[i].day, other, prices, false);
                }
                // An empty price ends the import: no row from there on is stored.
                rows[i].stored = i < bad || (i > bad && !emptyPrice);
            }
        }
        const std::size_t asked = m_script.questions().size();
        m_script.answerFile({true, QString::fromStdString(file.string()), 1});
        if (bad < rows.size() && !emptyPrice)
            m_script.answerMessageBox(ui::IDOK);
        std::string detail = rows.front().day + (rows.size() > 1 ? " and " + rows.back().day : "");
        if (bad < rows.size())
            detail += emptyPrice ? ", an empty price in row " + std::to_string(bad + 1)
                                 : ", row " + std::to_string(bad + 1) + " of no market";
        if (!pressButton(*settingsControl<QToolBar>("Toolbar1"), "ImportFromFile")) {
            ADD_FAILURE() << "no import button";
            return detail;
        }
        processEvents();
        count("import");
        auto* window = static_cast<frame::frmBulkData*>(frame::Form::findOpen(QStringLiteral("frmBulkData")));
        if (window == nullptr || !window->isVisible()) {
            ADD_FAILURE() << "the import window did not show";
            return detail;
        }
        // The window's status line, and for a row left out a message, tell the user how it went.
        EXPECT_EQ(control<QLabel>(*window, "lblLog").text(),
                  GetLangString(bad < rows.size() ? tarnwick::langrow::kImportInvalidData
                                                  : tarnwick::langrow::kImportDone));
        std::vector<std::string> told;
        for (std::size_t i = asked; i < m_script.questions().size(); ++i)
            if (m_script.questions()[i].kind == ui::ScriptedModalServices::Kind::MessageBox)
                told.push_back(m_script.questions()[i].text.toStdString());
        EXPECT_EQ(told, bad < rows.size() && !emptyPrice
                            ? std::vector<std::string>{GetLangMessage(tarnwick::langrow::kImportRowsNotStored)
                                                           .arg(1)
                                                           .toStdString()}
                            : std::vector<std::string>{})
            << detail;
        control<QPushButton>(*window, "cmdOK").click();
        processEvents();
        const Row* last = nullptr;
        for (const Row& row : rows) {
            const std::optional<DayPrices> stored = storedDay(company, row.day);
            EXPECT_EQ(stored.has_value(), row.stored) << row.day << " of " << detail;
            if (stored && row.stored) {
                EXPECT_EQ(stored->close, row.prices.close) << row.day;
                EXPECT_EQ(stored->high, row.prices.high) << row.day;
                last = &row;
            }
        }
        if (last != nullptr)
            expectDayShown("import-shown", last->day, last->prices);
        return detail;
    }
};

}  // namespace userwalk

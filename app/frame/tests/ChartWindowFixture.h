// The chart window over a small market database, with its watch-list and chart settings windows
// stood in for by what they hold.
#pragma once

#include <QKeyEvent>

#include <map>
#include <set>

#include "ProgramFixture.h"
#include "appdata/InternetSettings.h"
#include "appdata/Schema.h"
#include "dravik/SeriesInterfaces.h"
#include "dravik/StudyInterfaces.h"
#include "frame/MDIForm1.h"
#include "frame/chart/ChartWindowSettings.h"
#include "frame/chart/DefaultChartSetUp.h"
#include "frame/frmMain.h"
#include "frame/lists/ListFillers.h"
#include "glossor/GlosxOverlay.h"
#include "korvel/IKvlChart.h"
#include "korvel/KvlChartWidget.h"
#include "ostbar/OstBarContract.h"

inline constexpr std::int32_t kDefaultCompany = 199;
inline constexpr std::int32_t kOtherCompany = 205;

class ChartWindowTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        placeDatabase();
        tarnwick::gConnection = db::Connection::openExisting(m_home / "MQMKD.mqd");
        tarnwick::gStarting = true;
        seedMarket();
        logDrawingSaves();
    }

    // The companies whose drawings were written into their rows, in the order of the writes.
    std::vector<std::int32_t> savedDrawingsOf() {
        std::vector<std::int32_t> ids;
        // A connection of the test's own: the program may have closed its connection already.
        db::Connection own = db::Connection::openExisting(m_home / "MQMKD.mqd");
        for (db::RowSet rows = own.query(R"(SELECT "ID" FROM "DrawingSaves" ORDER BY "N")", {}); !rows.eof();
             rows.moveNext())
            ids.push_back(rows.int32(0));
        return ids;
    }
    static void forgetDrawingSaves() { exec(R"(DELETE FROM "DrawingSaves")"); }

    // Puts the market database the test runs on into the program folder; the empty one by default.
    virtual void placeDatabase() {}

    // A small market: two companies of five days each.
    virtual void seedMarket() {
        exec(R"(INSERT INTO "Markets" ("ID", "NAME", "ANAME") VALUES (1, 'Main Market', 'Main Market'))");
        exec(R"(INSERT INTO "Category" ("ID", "NAME", "ANAME") VALUES (3, 'Banks', 'Banks'))");
        exec(R"(INSERT INTO "WatchLists" ("ID", "NAME") VALUES (5, 'Mine'))");
        tarnwick::EnsureMarketDailyTable(tarnwick::gConnection, 1);
        for (const std::int32_t id : {kDefaultCompany, kOtherCompany}) {
            tarnwick::gConnection.execute(
                R"(INSERT INTO "Company" ("ID", "TICKER", "NAME", "ANAME", "MARKET_ID", "CATEGORY_ID", "IS_INDEX"))"
                R"( VALUES (?, ?, ?, ?, 1, 3, 0))",
                {id, "T" + std::to_string(id), "Company " + std::to_string(id), "Company"});
            const char* days[] = {"2026-11-02", "2026-11-03", "2026-11-04", "2026-11-05", "2026-11-06"};
            double close = 10;
            for (const char* d : days) {
                tarnwick::gConnection.execute(
                    R"(INSERT INTO "MARKETDAILY1" ("DATE", "COMPANYID", "TotalShares", "TotalAmount", "OpeningPrice",)"
                    R"( "MaxPrice", "MinPrice", "ClosingPrice") VALUES (?, ?, 100, 1000, ?, ?, ?, ?))",
                    {std::string(d), id, close, close + 1, close - 1, close + 0.5});
                close += 1;
            }
        }
    }

    void TearDown() override {
        m_frame.reset();
        tarnwick::gProxyUsed = false;
        tarnwick::gProxyServer.clear();
        tarnwick::gProxyPort = tarnwick::kDefaultProxyPort;
        tarnwick::gProxyUserName.clear();
        tarnwick::gProxyPassword.clear();
        tarnwick::gDefaultMarket = 1;
        ProgramTest::TearDown();
    }

    static void exec(const char* sql) { tarnwick::gConnection.execute(sql, {}); }

    // Every write of a company's drawing text is noted by the database itself, so the tests watch the
    // program's own save.
    static void logDrawingSaves() {
        exec(R"(CREATE TABLE "DrawingSaves" ("N" INTEGER PRIMARY KEY, "ID" INTEGER))");
        exec(R"(CREATE TRIGGER "NoteDrawingSave" AFTER UPDATE OF "DrawingInfo" ON "Company")"
             R"( BEGIN INSERT INTO "DrawingSaves" ("ID") VALUES (NEW."ID"); END)");
    }

    // A frame whose watch-list and chart settings windows are stood in for by what they hold.
    frame::MDIForm1& loadFrame(bool withCommands = true) {
        frame::FrameHooks hooks;
        for (const char* item : {"mnuWLEdit", "mnuWLDelete", "mnuWLAdd", "mnuWLRemove", "mnuCTSave",
                                 "mnuCTChange", "mnuCTDelete", "mnuCTSaveAs"})
            if (withCommands)
                hooks.chartCommands.set(QString::fromLatin1(item), [] {});
        frame::ChartWindowPeers& p = hooks.chartPeers;
        p.selectWatchList = [this](std::int32_t id) {
            m_selectedWL = "ID_" + std::to_string(id);
            ++m_wlClicks;
        };
        p.selectFirstWatchList = [this] {
            m_selectedWL = "ID_" + std::to_string(tarnwick::gWatchLists.at(0).ID);
        };
        p.selectedWatchListKey = [this] { return m_selectedWL; };
        p.companySelected = [this] { return m_companySelected; };
        p.selectedTemplateKey = [this] { return m_selectedTemplate; };
        p.loadTemplate = [this](std::int32_t id) {
            m_selectedTemplate = "ID_" + std::to_string(id);
            return m_loadTemplates && window().LoadTemplate(id);
        };
        p.enableButton = [this](const QString& window, const QString& key, bool enabled) {
            m_buttons[window + "." + key] = enabled;
        };
        p.fillDataEditor = [this](std::int32_t) {
            ++m_fills;
            if (m_duringFill)
                m_duringFill();
        };
        p.listNotes = [this](std::int32_t id) { m_notesOf.push_back(id); };
        // As the watch-list window does: the company is selected when the list shown holds it.
        p.showWatchListCompany = [this](const std::string& key) {
            m_shownInWatchList.push_back(key);
            return frame::gWLCompanies.exists(key);
        };
        addWindows(hooks);
        m_frame = std::make_unique<frame::MDIForm1>(std::move(hooks));
        m_frame->MDIForm_Load();
        m_frame->show();
        return *m_frame;
    }

    // Real windows that take the place of stand-ins: their hooks are added over the stand-ins'.
    virtual void addWindows(frame::FrameHooks&) {}

    frame::frmMain& window() { return m_frame->chartWindow(); }
    korvel::IKvlChart& chart() { return window().Korvel1()->control(); }
    // The chart control object itself, for the tests that look into its model, bar or overlay.
    korvel::KvlChart& chartObject() { return window().Korvel1()->chart(); }
    std::array<int, 5> choices() {
        const frame::frmMain::ChartChoices& c = window().chartChoices();
        return {c.period, c.interval, c.adjusted, c.generalIndex, c.sectorIndex};
    }

    std::optional<std::string> m_selectedWL;
    std::optional<std::string> m_selectedTemplate;
    bool m_companySelected = false;
    bool m_loadTemplates = false;  // whether the chart settings stand-in loads the template it marks
    int m_wlClicks = 0;
    int m_fills = 0;
    std::function<void()> m_duringFill;  // runs inside every chart fill, after it counted
    std::vector<std::int32_t> m_notesOf;
    std::vector<std::string> m_shownInWatchList;  // the keys the chart window asked the watch list to show
    std::map<QString, bool> m_buttons;
    std::unique_ptr<frame::MDIForm1> m_frame;
};

// Period, interval, adjusted, general index, sector index.
using Choices = std::array<int, 5>;

// Draws a level line from (60, 80) to (200, 80) into the annotation list.
inline void drawLine(glossor::IGlosxList& list) {
    com::ComPtr<glossor::IGlosxObject> line;
    ASSERT_EQ(list.Add(glossor::kKindLine, com::Variant::missing(), line.put()), com::S_OK);
    com::ComPtr<glossor::IGlosxPoints> points;
    ASSERT_EQ(line.as<glossor::IGlosxShape>()->get_Points(points.put()), com::S_OK);
    points->put_X1(60);
    points->put_Y1(80);
    points->put_X2(200);
    points->put_Y2(80);
}

inline std::string chartCompanyID(korvel::IKvlChart& chart) {
    com::Bstr id;
    EXPECT_EQ(chart.get_ChartCompanyID(&id), com::S_OK);
    return id.toUtf8();
}

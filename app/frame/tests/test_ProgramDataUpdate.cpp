// Databank > Update in the assembled program: the data server (a server on the loopback interface
// named in the settings, as the program reads it) sends a new day of the charted company; the chart
// shows it at once, and the drawings on the chart were stored before the chart was filled again. The
// days of a data file imported show at once too.
#include <QAction>
#include <QApplication>

#include <filesystem>

#include "AssembledProgramFixture.h"
#include "dravik/DrawingInterfaces.h"
#include "dravik/IFinancialCharts.h"
#include "frame/chart/DrawingDates.h"
#include "frame/chart/DrawingKinds.h"
#include "frame/update/frmDataUpdate.h"
#include "testsupport/LoopbackHttpServer.h"
#include "ui/ScriptedModalServices.h"

namespace {

// 1 January 2025, the day after the sample's last day: days since 30 December 1899.
constexpr double kNewDay = 45658;

frame::frmDataUpdate* openUpdateWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = dynamic_cast<frame::frmDataUpdate*>(widget))
            return window;
    return nullptr;
}

class ProgramDataUpdateTest : public AssembledProgramTest {
protected:
    void SetUp() override {
        AssembledProgramTest::SetUp();
        saveSetting("DataServer", m_server.hostAndPort().toStdString());
        saveSetting("BackupDataServer",
                    "127.0.0.1:" + std::to_string(testsupport::LoopbackHttpServer::closedPort()));
        saveSetting("DeleteFile", "True");
    }

    std::string storedDrawings(std::int32_t company) {
        db::RowSet row = database().query(R"(SELECT "DrawingInfo" FROM "Company" WHERE "ID" = ?)", {company});
        return row.text(0).value_or("<null>");
    }

    // The last point of the chart that holds a close: its date and close.
    std::pair<double, double> lastDay() {
        com::SHORT close = -1;
        EXPECT_EQ(extension().get_CloseSeries(&close), com::S_OK);
        for (com::LONG point = chartObject().model().pointCount() - 1; point >= 0; --point) {
            double value = 0, date = 0;
            if (chart().get_ValueAt(close, point, &value) == com::S_OK && value < 1e10) {
                EXPECT_EQ(chartObject().model().xValue(point, &date), com::S_OK);
                return {date, value};
            }
        }
        return {0, 0};
    }

    testsupport::LoopbackHttpServer m_server;
};

}  // namespace

TEST_F(ProgramDataUpdateTest, AnUpdateWithANewDayChartsItAndKeepsTheDrawings) {
    startProgram();
    ASSERT_EQ(chartWindow().chartFill()->CompanyID, kSampleCompany);
    const auto [before, closeBefore] = lastDay();
    ASSERT_DOUBLE_EQ(before, kNewDay - 1);
    ASSERT_DOUBLE_EQ(closeBefore, 10.60);

    // A trend line drawn over December, between two trading days.
    const auto line = frame::chart::DrawingAt(extension(), dravik::DF_TREND_LINE, 0);
    const loc::LCID lcid = frame::chart::DrawingDateLocale(extension());
    ASSERT_EQ(line->put_FreeDraw(com::VARIANT_TRUE), com::S_OK);
    ASSERT_EQ(frame::chart::PutAnchorDate(*line, true, kNewDay - 31, lcid, chart()), com::S_OK);
    ASSERT_EQ(frame::chart::PutAnchorDate(*line, false, kNewDay - 2, lcid, chart()), com::S_OK);
    ASSERT_EQ(line->put_FromPrice(com::Bstr(u"10.5")), com::S_OK);
    ASSERT_EQ(line->put_ToPrice(com::Bstr(u"10.75")), com::S_OK);
    ASSERT_EQ(storedDrawings(kSampleCompany).find("|2024-12-01|10.50|"), std::string::npos);

    m_server.answerWith(testsupport::answer(
        testsupport::crlfLines({"DAILY", "marker", "2025-1-1|101|420000|4700000|10.61|11.40|10.58|11.25|NO|1",
                                "UPDATE", "END", "EXIT"}),
        200, {{"tarnwick-length", "2000|48"}}));
    chartWindow().menuAction(QStringLiteral("mnuDatabankUpdate"))->trigger();
    frame::frmDataUpdate* window = openUpdateWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(testsupport::waitUntil([&] {
        return !window->model().http().busy() &&
               window->model().display().cancelCaption == QStringLiteral("OK");
    }));
    EXPECT_EQ(window->model().display().status, QStringLiteral("Data is successfully updated."));
    ASSERT_EQ(m_server.requests().size(), 1u);

    // The new day is stored and on the chart.
    EXPECT_EQ(
        database()
            .query(R"(SELECT COUNT(*) FROM "MARKETDAILY1" WHERE "COMPANYID" = 101 AND "DATE" = '2025-01-01')")
            .int64(0),
        1);
    const auto [after, closeAfter] = lastDay();
    EXPECT_DOUBLE_EQ(after, kNewDay);
    EXPECT_DOUBLE_EQ(closeAfter, 11.25);
    // The drawing was stored before the chart was filled again, and came back with the new chart.
    EXPECT_NE(storedDrawings(kSampleCompany).find("|2024-12-01|10.50|"), std::string::npos)
        << storedDrawings(kSampleCompany);
    EXPECT_EQ(frame::chart::DrawingCount(extension(), dravik::DF_TREND_LINE), 1);
    EXPECT_EQ(errorLog(), "");
    window->close();
    processEvents();
}

// Databank > Import: the days the file brings show on the chart at once, also when a row the import
// cannot read ends it (the rows before that row are kept).
TEST_F(ProgramDataUpdateTest, AnImportChartsTheDaysItStoredAtOnce) {
    startProgram();
    const std::filesystem::path file = home() / "new-days.mqd";
    std::filesystem::copy_file(std::filesystem::path(TARNWICK_SAMPLE_DIR) / "sample-data.mqd", file);
    {
        db::Connection data = db::Connection::openExisting(file);
        data.executeScript(
            "DELETE FROM MarketDaily;"
            "INSERT INTO MarketDaily VALUES ('2025-01-01', 101, 10.61, 11.40, 10.58, 11.25, 10, 100, 1, 0);"
            "INSERT INTO MarketDaily VALUES ('2025-01-02', 101, 11.2, NULL, 11.1, 11.3, 10, 100, 1, 0)");
    }
    ui::ScriptedModalServices script;
    script.answerFile({true, QString::fromStdString(file.string()), 1});
    chartWindow().menuAction(QStringLiteral("mnuDatabankImportData"))->trigger();
    const auto [after, close] = lastDay();
    EXPECT_DOUBLE_EQ(after, kNewDay);
    EXPECT_DOUBLE_EQ(close, 11.25);
}

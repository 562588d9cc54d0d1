// The program started as its executable starts it, on the installation's sample market: what the
// user sees first.
#include <chrono>

#include "AssembledProgramFixture.h"
#include "dravik/IFinancialCharts.h"
#include "frame/ToolWindowHost.h"
#include "ostbar/OstBarContract.h"

namespace {

// An OLE date (days since 30 December 1899) of a calendar day, worked out from the calendar alone.
double oleDate(int year, unsigned month, unsigned day) {
    using namespace std::chrono;
    const sys_days epoch = 1899y / December / 30;
    const sys_days date = std::chrono::year{year} / std::chrono::month{month} / std::chrono::day{day};
    return static_cast<double>((date - epoch).count());
}

// The last point of the chart that holds a close, or -1.
com::LONG lastClosePoint(korvel::KvlChart& chart, com::SHORT closeSeries) {
    for (com::LONG point = chart.model().pointCount() - 1; point >= 0; --point) {
        double close = 0;
        if (chart.model().value(1, closeSeries, point, &close) == com::S_OK && close < 1e10)
            return point;
    }
    return -1;
}

class AssembledProgramSmokeTest : public AssembledProgramTest {
protected:
    // The chart control's own "Data Editor" tool-bar button.
    com::ComPtr<ostbar::IOstCommand> dataEditorButton() {
        com::ComPtr<com::IUnknown> object;
        EXPECT_EQ(chart().get_ToolBarObject(object.put()), com::S_OK);
        const auto bar = object.as<ostbar::IOstToolbar>();
        com::ComPtr<ostbar::IOstCommand> command;
        if (bar) {
            EXPECT_EQ(bar->Command(29457, command.put()), com::S_OK);
        }
        return command;
    }
    bool pressed(ostbar::IOstCommand& command) {
        com::VARIANT_BOOL checked = com::VARIANT_FALSE;
        EXPECT_EQ(command.get_Checked(&checked), com::S_OK);
        return checked != com::VARIANT_FALSE;
    }
};

}  // namespace

TEST_F(AssembledProgramSmokeTest, TheFirstStartChartsTheSampleCompanysLastDayAsStored) {
    startProgram();
    EXPECT_EQ(m_languageQuestions, 1);
    EXPECT_TRUE(std::filesystem::exists(home() / "MQMKD.mqd")) << "the program folder is seeded";
    EXPECT_EQ(chartWindow().chartFill()->CompanyID, kSampleCompany);

    db::RowSet last = database().query(
        R"(SELECT "DATE", "ClosingPrice" FROM "MARKETDAILY1" WHERE "COMPANYID" = ? ORDER BY "DATE" DESC LIMIT 1)",
        {kSampleCompany});
    ASSERT_FALSE(last.eof());
    ASSERT_EQ(last.textOrEmpty(0).substr(0, 10), "2024-12-31");
    const double storedClose = last.real(1);

    com::SHORT close = -1;
    ASSERT_EQ(extension().get_CloseSeries(&close), com::S_OK);
    const com::LONG point = lastClosePoint(chartObject(), close);
    ASSERT_GE(point, 0);
    double shown = 0, date = 0;
    ASSERT_EQ(chart().get_ValueAt(close, point, &shown), com::S_OK);
    EXPECT_DOUBLE_EQ(shown, storedClose);
    ASSERT_EQ(chartObject().model().xValue(point, &date), com::S_OK);
    EXPECT_DOUBLE_EQ(date, oleDate(2024, 12, 31));
    EXPECT_EQ(errorLog(), "");
}

TEST_F(AssembledProgramSmokeTest, HidingTheDataEditorReleasesTheChartsDataEditorButton) {
    startProgram();
    const QString editor = QStringLiteral("frmDataEditor");
    const auto button = dataEditorButton();
    ASSERT_TRUE(button);
    ASSERT_EQ(button->put_Checked(com::VARIANT_TRUE), com::S_OK);
    frameWindow().TabDock().showForm(editor);
    processEvents();
    ASSERT_TRUE(frameWindow().TabDock().isShown(editor));
    EXPECT_TRUE(pressed(*button));

    frameWindow().TabDock().hideForm(editor);
    processEvents();
    EXPECT_FALSE(frameWindow().TabDock().isShown(editor));
    EXPECT_FALSE(pressed(*button));
}

// The committed sample goes through the real processing without a single error: the update stream
// into an empty database, then the data file on top of it.
#include "MarketDbFixture.h"
#include "UpdateRecorder.h"
#include "appdata/update/BulkImport.h"
#include "appdata/update/CheckFileValidty.h"
#include "appdata/update/UpdateStreamProcessor.h"

using namespace tarnwick;

namespace {

const std::filesystem::path kSample = TARNWICK_SAMPLE_DIR;

class SampleData : public MarketDbTest {};

}  // namespace

TEST_F(SampleData, StreamBuildsTheFirstDatabaseAndTheDataFileExtendsIt) {
    const std::filesystem::path stream = kSample / "update-stream.txt";
    ASSERT_TRUE(CheckFileValidty(stream));
    UpdateRecorder recorder;
    ASSERT_EQ(UpdateStreamProcessor(stream, recorder.hooks()).ProcessData(false), ProcessOutcome::Updated);
    EXPECT_EQ(logRecords(), 0) << log();

    EXPECT_EQ(count("SELECT COUNT(*) FROM Markets"), 2);
    EXPECT_EQ(text("SELECT ANAME FROM Markets WHERE ID = 2"), "بورصة المشرق");
    EXPECT_EQ(count("SELECT COUNT(*) FROM Category"), 6);
    EXPECT_EQ(count("SELECT COUNT(*) FROM Company WHERE IS_INDEX = 0"), 40);
    // Per market one general index (sector 5) and one index for each of the five other sectors.
    EXPECT_EQ(count("SELECT COUNT(*) FROM Company WHERE IS_INDEX = 1 AND CATEGORY_ID = 5"), 2);
    EXPECT_EQ(count("SELECT COUNT(*) FROM Company WHERE IS_INDEX = 1"), 12);
    EXPECT_EQ(count("SELECT COUNT(*) FROM Split"), 4);
    EXPECT_EQ(count("SELECT COUNT(*) FROM Notes WHERE isNew = 'N'"), 8);
    EXPECT_EQ(recorder.downloads, (std::vector<std::int32_t>{1, 3, 6}));
    EXPECT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(count("SELECT COUNT(*) FROM WatchListItem WHERE WatchListID = 1"), 6);
    EXPECT_EQ(text("SELECT group_concat(UpdateDataTag || '/' || UpdateNotesTag) FROM Markets"),
              "20241231/8,20241231/8");

    // Ten years of trading days with gaps: no weekend rows, and the stream's corrections applied.
    const std::int64_t rows1 = count("SELECT COUNT(*) FROM MARKETDAILY1");
    const std::int64_t rows2 = count("SELECT COUNT(*) FROM MARKETDAILY2");
    EXPECT_GT(rows1 + rows2, 100000);
    EXPECT_EQ(count("SELECT COUNT(*) FROM MARKETDAILY1 WHERE strftime('%w', DATE) IN ('5', '6')"), 0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM MARKETDAILY2 WHERE strftime('%w', DATE) IN ('0', '6')"), 0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM MARKETDAILY1 WHERE ClosingPrice > 100 AND COMPANYID > 100 AND "
                    "COMPANYID < 150"),
              0);
    EXPECT_EQ(count("SELECT MIN(DATE) < '2015-01-08' AND MAX(DATE) = '2024-12-31' FROM MARKETDAILY1"), 1);

    ImportRecorder imported;
    ASSERT_EQ(BulkImport(imported.hooks()).GetDataFromFile(kSample / "sample-data.mqd"),
              ImportOutcome::Imported);
    EXPECT_EQ(logRecords(), 0) << log();
    EXPECT_EQ(count("SELECT COUNT(*) FROM Company WHERE ID = 221"), 1);
    EXPECT_GT(count("SELECT COUNT(*) FROM MARKETDAILY1") + count("SELECT COUNT(*) FROM MARKETDAILY2"),
              rows1 + rows2 + 500);
    EXPECT_EQ(text("SELECT MAX(DATE) FROM MARKETDAILY2"), "2025-01-31");
    EXPECT_EQ(text("SELECT group_concat(UpdateDataTag) FROM Markets"), "20250131,20250131");
}

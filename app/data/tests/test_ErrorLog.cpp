#include <gtest/gtest.h>

#include <sys/stat.h>

#include "TestHome.h"
#include "appdata/ErrorLog.h"

using namespace tarnwick;

namespace {

class ErrorLogTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetErrorLogClock([] { return std::string("09/03/2005 14:05:07"); });
    }
    void TearDown() override { SetErrorLogClock({}); }

    TestHome home;
};

// One record as the log has always held it: five CRLF lines, the last one empty.
const std::string kRecord =
    "09/03/2005 14:05:07\r\nNumber: -2147467259\r\nDescription: Disk full\r\nFunction:clsWL_GetItem\r\n\r\n";

}  // namespace

TEST_F(ErrorLogTest, FirstRecordCreatesTheFileWithTheExactBytes) {
    WriteErrorLog("Disk full", -2147467259, "clsWL_GetItem");
    EXPECT_EQ(ErrorLogFile(), home / "Tarnwick.log");
    EXPECT_EQ(readFile(home / "Tarnwick.log"), kRecord);
}

TEST_F(ErrorLogTest, RecordsFollowOneAnotherAndDescriptionsKeepTheirLineBreaks) {
    WriteErrorLog("Disk full", -2147467259, "clsWL_GetItem");
    WriteErrorLog("line one\r\nline two", 94, "frmMain Form_Load");
    EXPECT_EQ(readFile(home / "Tarnwick.log"),
              kRecord +
                  "09/03/2005 14:05:07\r\nNumber: 94\r\nDescription: line one\r\nline two\r\n"
                  "Function:frmMain Form_Load\r\n\r\n");
}

TEST_F(ErrorLogTest, CutsOnlyAbove512000Bytes) {
    struct Case {
        std::uintmax_t sizeAfterAppend;
        bool cut;
    };
    for (const Case tc : {Case{512000, false}, Case{512001, true}}) {
        // Numbered filler, so that the kept tail can be checked for being the true tail.
        std::string filler;
        for (int i = 0; filler.size() < tc.sizeAfterAppend - kRecord.size(); ++i) {
            filler += std::to_string(i % 10);
        }
        filler.resize(tc.sizeAfterAppend - kRecord.size());
        writeFile(home / "Tarnwick.log", filler);
        WriteErrorLog("Disk full", -2147467259, "clsWL_GetItem");

        const std::string whole = filler + kRecord;
        ASSERT_EQ(whole.size(), tc.sizeAfterAppend);
        const std::string log = readFile(home / "Tarnwick.log");
        if (tc.cut) {
            EXPECT_EQ(log.size(), 102400u);
            EXPECT_EQ(log, whole.substr(whole.size() - 102400));
        } else {
            EXPECT_EQ(log, whole);
        }
    }
}

TEST_F(ErrorLogTest, CutNeverStartsInsideAMultiByteLetter) {
    // 512001 bytes in all; the kept tail would begin at byte 409601, the second byte of a two-byte
    // letter at 409600.
    std::string filler(512000 - 102400, 'x');
    filler += "\xd8\xa8";
    filler += std::string(102399 - kRecord.size(), 'y');
    writeFile(home / "Tarnwick.log", filler);
    WriteErrorLog("Disk full", -2147467259, "clsWL_GetItem");
    const std::string log = readFile(home / "Tarnwick.log");
    EXPECT_EQ(log.size(), 102399u);
    EXPECT_EQ(log.front(), 'y');
}

TEST_F(ErrorLogTest, UnwritableFolderIsIgnored) {
    std::filesystem::create_directory(home / "ro");
    ::chmod((home / "ro").c_str(), 0500);
    ::setenv("TARNWICK_HOME", (home / "ro").c_str(), 1);
    WriteErrorLog("Disk full", 1, "Translate2Date");  // must simply return
    ::setenv("TARNWICK_HOME", home.path().c_str(), 1);
    ::chmod((home / "ro").c_str(), 0700);
    if (::geteuid() != 0) {
        EXPECT_FALSE(std::filesystem::exists(home / "ro" / "Tarnwick.log"));
    }
}

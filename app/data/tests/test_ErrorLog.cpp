#include <gtest/gtest.h>

#include <cstdlib>

#include "TestHome.h"
#include "appdata/ErrorLog.h"
#include "appdata/LogText.h"

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

TEST_F(ErrorLogTest, UnwritableLogIsIgnored) {
    // Paths that nobody can write, root included: a program folder that is a plain file, and a log
    // that is a folder. WriteErrorLog must simply return and leave both as they were.
    writeFile(home / "plain", "x");
    ::setenv("TARNWICK_HOME", (home / "plain").c_str(), 1);
    WriteErrorLog("Disk full", 1, "Translate2Date");
    ::setenv("TARNWICK_HOME", home.path().c_str(), 1);
    EXPECT_EQ(readFile(home / "plain"), "x");

    std::filesystem::create_directory(home / "Tarnwick.log");
    WriteErrorLog("Disk full", 1, "Translate2Date");
    EXPECT_TRUE(std::filesystem::is_directory(home / "Tarnwick.log"));
    EXPECT_TRUE(std::filesystem::is_empty(home / "Tarnwick.log"));
}

TEST_F(ErrorLogTest, RecordsHoldOnlyPrintableUtf8) {
    // NUL, a stray CR, a lone continuation byte, an overlong slash, a C1 control and an escape
    // character; the Arabic letter and the CR LF line break stay as they are.
    const std::string description(
        "a\0b\rc\x80"
        "d\xC0\xAF\xC2\x85\x1B\xD8\xA8\r\nnext",
        20);
    WriteErrorLog(description, 5, "Process\nData");
    EXPECT_EQ(readFile(home / "Tarnwick.log"),
              "09/03/2005 14:05:07\r\nNumber: 5\r\n"
              "Description: a\\x00b\\rc\\x80d\\xC0\\xAF\\x85\\x1B\xD8\xA8\r\nnext\r\n"
              "Function:Process\\nData\r\n\r\n");
}

TEST_F(ErrorLogTest, AHugeDescriptionIsCutAndKeepsTheHistory) {
    WriteErrorLog("Disk full", -2147467259, "clsWL_GetItem");
    const std::string line = "UPDATE Company SET NAME = '" + std::string(10 * 1024 * 1024, 'x') + "'";
    WriteErrorLog("Refused \"" + line + "\"", 5, "ProcessData");
    const std::string log = readFile(home / "Tarnwick.log");
    EXPECT_EQ(log.substr(0, kRecord.size()), kRecord);  // the earlier record is still there
    const std::string marker = "... [cut, 10485798 bytes in all]\r\n";
    const std::size_t at = log.find(marker);
    ASSERT_NE(at, std::string::npos);
    // The description holds 8192 bytes before the marker: "Description: " starts it.
    const std::size_t start = log.find("Description: Refused");
    EXPECT_EQ(at - (start + 13), 8192u);
    EXPECT_EQ(log.substr(at + marker.size()), "Function:ProcessData\r\n\r\n");
}

TEST(LogText, QuotesEscapeLineBreaksAndCutAtACharacterBoundary) {
    struct Case {
        std::string text;
        std::size_t limit;
        std::string expected;
    };
    const Case cases[] = {
        {"plain", 10, "plain"},
        {"a\r\nb\tc", 20, "a\\r\\nb\\tc"},
        {"\x7F", 10, "\\x7F"},
        {"\xED\xA0\x80", 20, "\\xED\\xA0\\x80"},           // a surrogate is no character
        {"\xF4\x90\x80\x80", 20, "\\xF4\\x90\\x80\\x80"},  // past U+10FFFF
        {"\xF0\x9F\x98\x80", 20, "\xF0\x9F\x98\x80"},
        // Cut before the two-byte letter that would pass the limit of 4.
        {"abc\xD8\xA8", 4, "abc... [cut, 5 bytes in all]"},
        {"abcdef", 6, "abcdef"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PrintableText(c.text, LineBreaks::Escaped, c.limit), c.expected) << c.text;
    }
    EXPECT_EQ(LogQuote(std::string(1000, 'q')), std::string(400, 'q') + "... [cut, 1000 bytes in all]");
}

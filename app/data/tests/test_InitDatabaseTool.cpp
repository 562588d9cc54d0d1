// The installer's database tool refuses what looks like an option instead of making a file of it, and
// leaves nothing behind when the update stream it is given does not go through.
#include <gtest/gtest.h>

#include <QProcess>

#include <filesystem>

#include "testsupport/TempFolder.h"

namespace {

struct ToolRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

ToolRun runTool(const testsupport::TempFolder& folder, const QStringList& arguments) {
    QProcess tool;
    tool.setWorkingDirectory(QString::fromStdString(folder.path().string()));
    tool.start(TARNWICK_INITDB, arguments);
    EXPECT_TRUE(tool.waitForFinished(30000));
    EXPECT_EQ(tool.exitStatus(), QProcess::NormalExit);
    return {tool.exitCode(), tool.readAllStandardOutput(), tool.readAllStandardError()};
}

bool folderIsEmpty(const testsupport::TempFolder& folder) {
    return std::filesystem::is_empty(folder.path());
}

TEST(InitDatabaseTool, HelpPrintsTheUsageOnStandardOutputAndMakesNoFile) {
    for (const char* option : {"--help", "-h"}) {
        testsupport::TempFolder folder("initdb");
        const ToolRun run = runTool(folder, {QString::fromLatin1(option)});
        EXPECT_EQ(run.exitCode, 0) << option;
        EXPECT_TRUE(run.out.startsWith("usage: tarnwick-initdb <database file> [<update stream>]\n"))
            << option;
        EXPECT_TRUE(run.err.isEmpty()) << option;
        EXPECT_TRUE(folderIsEmpty(folder)) << option;
    }
}

TEST(InitDatabaseTool, AnyOtherOptionLikeArgumentIsRefusedWithTheUsageOnStandardError) {
    const QStringList cases[] = {
        {"--version"}, {"-"}, {"-x"}, {"market.mqd", "--help"}, {"--", "market.mqd"}};
    for (const QStringList& arguments : cases) {
        testsupport::TempFolder folder("initdb");
        const ToolRun run = runTool(folder, arguments);
        const std::string shown = arguments.join(' ').toStdString();
        EXPECT_EQ(run.exitCode, 2) << shown;
        EXPECT_TRUE(run.out.isEmpty()) << shown;
        EXPECT_TRUE(run.err.startsWith("usage: tarnwick-initdb <database file> [<update stream>]\n"))
            << shown;
        EXPECT_TRUE(folderIsEmpty(folder)) << shown;
    }
}

TEST(InitDatabaseTool, AFileNameStillMakesTheDatabase) {
    testsupport::TempFolder folder("initdb");
    const ToolRun run = runTool(folder, {"market.mqd"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "created market.mqd\n");
    EXPECT_TRUE(std::filesystem::is_regular_file(folder / "market.mqd"));
}

TEST(InitDatabaseTool, NoArgumentOrTooManyIsAUsageError) {
    const QStringList cases[] = {{}, {"a.mqd", "b.txt", "c"}};
    for (const QStringList& arguments : cases) {
        testsupport::TempFolder folder("initdb");
        const ToolRun run = runTool(folder, arguments);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.err.startsWith("usage: ")) << run.err.toStdString();
        EXPECT_TRUE(folderIsEmpty(folder));
    }
}

// Whatever stops the stream part-way (a record that cannot be stored, a stream that breaks off before
// its EXIT, no stream at all) fails the run and takes back what it made: the database and the note
// images stored from the stream beside it. The whole stream is stored, its note image beside it.
TEST(InitDatabaseTool, AStreamThatFailsLeavesNoDatabaseAndNoNoteImages) {
    const std::string market = "MARKET\r\n1|Gulf Market|Gulf|GSM|NO\r\nEND\r\n";
    const std::string note = "NOTES\r\n1|101|2024-2-12|Dividend|Dividend|YES|NO\r\nEND\r\n";
    const struct {
        const char* name;
        std::string stream;
        bool stored;
    } cases[] = {
        {"a company record too short", market + note + "COMPANY\r\n101|NORB\r\nEND\r\nEXIT\r\n", false},
        {"no EXIT at its end", market + note, false},
        {"no stream", "", false},
        {"whole", market + note + "EXIT\r\n", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::TempFolder folder("initdb");
        std::filesystem::create_directory(folder / "notes_images");
        folder.write("notes_images/1.gif", "GIF89a");
        if (!c.stream.empty())
            folder.write("stream.txt", c.stream);
        const ToolRun run = runTool(folder, {"market.mqd", "stream.txt"});
        EXPECT_EQ(run.exitCode, c.stored ? 0 : 1) << run.err.toStdString();
        if (c.stored) {
            EXPECT_TRUE(std::filesystem::is_regular_file(folder / "market.mqd"));
            EXPECT_TRUE(std::filesystem::is_regular_file(folder / "Notes" / "1"));
        } else {
            EXPECT_FALSE(run.out.contains("created"));
            EXPECT_FALSE(std::filesystem::exists(folder / "market.mqd"));
            EXPECT_FALSE(std::filesystem::exists(folder / "Notes"));
        }
    }
}

}  // namespace

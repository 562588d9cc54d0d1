// The installer's database tool refuses what looks like an option instead of making a file of it.
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

}  // namespace

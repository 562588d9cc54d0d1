// The build-time generator of the language table: faults in the data file stop the build with the
// line at fault; good data comes out byte for byte.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cctype>

namespace {

struct GenRun {
    int exitCode = -1;
    QString errors;
    QByteArray output;
};

GenRun generate(const QByteArray& data) {
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("strings.txt"));
    const QString out = dir.filePath(QStringLiteral("out.cpp"));
    QFile file(in);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(data);
    file.close();
    QProcess gen;
    gen.start(QStringLiteral(TARNWICK_LANGTABLEGEN), {in, out});
    EXPECT_TRUE(gen.waitForFinished(30000));
    GenRun run{gen.exitCode(), QString::fromUtf8(gen.readAllStandardError()), {}};
    QFile result(out);
    if (result.open(QIODevice::ReadOnly))
        run.output = result.readAll();
    return run;
}

struct BadCase {
    const char* what;
    const char* data;
    const char* message;
};

void PrintTo(const BadCase& c, std::ostream* os) {
    *os << c.what;
}

class LangTableGenBadData : public ::testing::TestWithParam<BadCase> {};

TEST_P(LangTableGenBadData, StopsWithTheLineAtFault) {
    const BadCase& c = GetParam();
    const GenRun run = generate(c.data);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.errors.contains(QString::fromUtf8(c.message))) << run.errors.toStdString();
    EXPECT_TRUE(run.output.isEmpty()) << "no half-written table is left behind";
}

INSTANTIATE_TEST_SUITE_P(
    Faults, LangTableGenBadData,
    ::testing::Values(
        BadCase{"row past the messages", "213 en \"x\"\n213 ar \"y\"\n", "strings.txt:1: row 213"},
        BadCase{"message in one language only", "212 ar \"y\"\n", "row 212 is listed in one language only"},
        BadCase{"row twice", "1 en \"a\"\n1 ar \"b\"\n1 en \"c\"\n", ":3: row 1 en is listed twice"},
        BadCase{"one language only", "0 en \"a\"\n", "row 0 is listed in one language only"},
        BadCase{"unknown language", "0 fr \"a\"\n", ":1: language"},
        BadCase{"unknown escape", "0 en \"a\\t\"\n0 ar \"b\"\n", ":1: unknown escape"},
        BadCase{"no closing quote", "0 en \"a\n0 ar \"b\"\n", ":1: text without its closing quote"},
        BadCase{"bad UTF-8", "0 en \"a\"\n0 ar \"\xD8\"\n", ":2: the line is not valid UTF-8"},
        BadCase{"overlong UTF-8", "0 en \"\xC0\xAF\"\n0 ar \"b\"\n", ":1: the line is not valid UTF-8"},
        BadCase{"stray continuation", "\"a\"\n", ":1: continuation line"},
        BadCase{"text after the quote", "0 en \"a\" b\n0 ar \"b\"\n", ":1: unexpected characters"},
        BadCase{"CR line ends", "0 en \"a\"\r\n0 ar \"b\"\r\n", ":1: CR in the data file"}),
    [](const auto& info) {
        std::string name = info.param.what;
        for (char& ch : name)
            ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
        return name;
    });

TEST(LangTableGen, WritesEveryByteAsData) {
    // Continuations join, escapes decode, Arabic bytes and blanks pass through unchanged.
    const GenRun run = generate(
        "# comment\n"
        "23 en \"a\\r\\n\"\n"
        "      \" \\\"q\\\" \\\\ ?? \"\n"
        "23 ar \"\xD9\x85\"\n");
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_TRUE(run.output.contains("\"a\\015\\012 \\042q\\042 \\134 \\077\\077 \"sv,  // en 23"));
    EXPECT_TRUE(run.output.contains("\"\\331\\205\"sv,  // ar 23"));
    EXPECT_TRUE(run.output.contains("\"\"sv,  // en 0"));
    EXPECT_TRUE(run.output.contains("\"\"sv,  // ar 210"));
    EXPECT_TRUE(run.output.contains("\"\"sv,  // ar 212"));
    // The table's 422 texts, then the messages' 4 in an array of their own.
    EXPECT_EQ(run.output.count("sv,  //"), 426);
    EXPECT_LT(run.output.indexOf("// ar 210"), run.output.indexOf("kMessageTexts"));
    EXPECT_GT(run.output.indexOf("// en 211"), run.output.indexOf("kMessageTexts"));
}

}  // namespace

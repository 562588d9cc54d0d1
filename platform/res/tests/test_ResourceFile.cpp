#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "res/CursorResource.h"
#include "res/ResourceFile.h"

using res::LoadStatus;
using res::ResourceFile;
using res::ResourceId;
using res::ResourceModule;

namespace {

class ResourceFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        ASSERT_TRUE(QDir(dir_.path()).mkpath("images"));
        QImage strip(48, 16, QImage::Format_ARGB32);
        strip.fill(Qt::red);
        ASSERT_TRUE(strip.save(dir_.filePath("images/strip.png")));
        QImage cross(16, 16, QImage::Format_ARGB32);
        cross.fill(Qt::transparent);
        ASSERT_TRUE(cross.save(dir_.filePath("images/cross.png")));
        write("menus.bin", QByteArray("\x01\x00\x02", 3));
        write("not-an-image.png", "text");
    }

    void write(const QString& name, const QByteArray& data) {
        QFile file(dir_.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(data);
    }

    res::LoadResult parse(const QByteArray& body, ResourceModule& module) {
        return ResourceFile::parse("TarnwickResources 1\n" + body, dir_.path(), module);
    }

    QTemporaryDir dir_;
};

}  // namespace

TEST_F(ResourceFileTest, ReadsEverySection) {
    const QByteArray body =
        "# comment\r\n"
        "[strings]\r\n"
        "541\t#,##0.00\r\n"
        "600\tline\\none\\tand \\\\ back\n"
        "601\t\n"
        "\n"
        "[bitmaps]\n400\timages/strip.png\n"
        "[cursors]\n427\timages/cross.png\t15\t0\n"
        "[menus]\nID_PRICESERIES_MENU\tmenus.bin\n78\tmenus.bin\n"
        "[dialogs]\n101\tmenus.bin\n";
    ResourceModule module("m");
    const auto result = parse(body, module);
    ASSERT_TRUE(result.ok()) << result.line << ": " << result.message.toStdString();
    EXPECT_EQ(module.string(541), "#,##0.00");
    EXPECT_EQ(module.string(600), "line\none\tand \\ back");
    EXPECT_EQ(module.string(601), "");
    EXPECT_EQ(module.bitmap(400)->size(), QSize(48, 16));
    EXPECT_EQ(module.cursor(427)->hotSpot, QPoint(15, 0));
    EXPECT_EQ(module.menu(ResourceId("id_priceseries_menu")), QByteArray("\x01\x00\x02", 3));
    EXPECT_EQ(module.menu(78), module.dialog(101));
}

TEST_F(ResourceFileTest, RejectsBrokenFilesWhole) {
    struct Case {
        const char* name;
        QByteArray data;  // whole file
        LoadStatus status;
        int line;
    };
    const Case cases[] = {
        {"no header", "[strings]\n1\ta\n", LoadStatus::Malformed, 1},
        {"later version", "TarnwickResources 2\n", LoadStatus::Unsupported, 1},
        {"empty", "", LoadStatus::Malformed, 1},
        {"binary", QByteArray("TarnwickResources 1\n\xFF\xFE\x00", 23), LoadStatus::Malformed, 0},
        {"bad UTF-8", "TarnwickResources 1\n[strings]\n1\t\xC3(\n", LoadStatus::Malformed, 0},
        {"entry before section", "TarnwickResources 1\n1\ta\n", LoadStatus::Malformed, 2},
        {"unknown section", "TarnwickResources 1\n[icons]\n", LoadStatus::Malformed, 2},
        {"negative id", "TarnwickResources 1\n[strings]\n-1\ta\n", LoadStatus::Malformed, 3},
        {"id beyond 32 bits", "TarnwickResources 1\n[strings]\n4294967296\ta\n", LoadStatus::Malformed, 3},
        {"named string", "TarnwickResources 1\n[strings]\nTITLE\ta\n", LoadStatus::Malformed, 3},
        {"raw tab in text", "TarnwickResources 1\n[strings]\n1\ta\tb\n", LoadStatus::Malformed, 3},
        {"missing text field", "TarnwickResources 1\n[strings]\n1\n", LoadStatus::Malformed, 3},
        {"bad escape", "TarnwickResources 1\n[strings]\n1\ta\\q\n", LoadStatus::Malformed, 3},
        {"trailing backslash", "TarnwickResources 1\n[strings]\n1\ta\\\n", LoadStatus::Malformed, 3},
        {"duplicate id", "TarnwickResources 1\n[strings]\n7\ta\n007\tb\n", LoadStatus::Malformed, 4},
        {"missing bitmap file", "TarnwickResources 1\n[bitmaps]\n1\tnone.png\n", LoadStatus::Missing, 3},
        {"bitmap not an image", "TarnwickResources 1\n[bitmaps]\n1\tnot-an-image.png\n",
         LoadStatus::Malformed, 3},
        {"parent folder", "TarnwickResources 1\n[menus]\n1\t../menus.bin\n", LoadStatus::Malformed, 3},
        {"absolute path", "TarnwickResources 1\n[menus]\n1\t/etc/passwd\n", LoadStatus::Malformed, 3},
        {"hot spot outside", "TarnwickResources 1\n[cursors]\n1\timages/cross.png\t16\t0\n",
         LoadStatus::Malformed, 3},
    };
    for (const auto& c : cases) {
        ResourceModule module("m");
        module.setString(1, "untouched");
        const auto result = ResourceFile::parse(c.data, dir_.path(), module);
        EXPECT_EQ(result.status, c.status) << c.name << ": " << result.message.toStdString();
        EXPECT_EQ(result.line, c.line) << c.name;
        EXPECT_EQ(module.string(1), "untouched") << c.name;
        EXPECT_EQ(module.ownEntryCount(), 1u) << c.name;
    }
}

TEST_F(ResourceFileTest, ErrorLateInFileKeepsEarlierEntriesOut) {
    ResourceModule module("m");
    const auto result = parse("[strings]\n1\tone\n2\ttwo\n[bitmaps]\n3\tnone.png\n", module);
    EXPECT_EQ(result.status, LoadStatus::Missing);
    EXPECT_EQ(module.ownEntryCount(), 0u);
}

TEST_F(ResourceFileTest, TextLengthIsBounded) {
    ResourceModule module("m");
    const QByteArray longest(ResourceFile::kMaxTextBytes, 'a');
    EXPECT_TRUE(parse("[strings]\n1\t" + longest + "\n", module).ok());
    EXPECT_EQ(module.string(1)->size(), 65535u);
    EXPECT_EQ(parse("[strings]\n2\t" + longest + "a\n", module).status, LoadStatus::Malformed);
}

TEST_F(ResourceFileTest, ReadResolvesFilesBesideTheResourceFile) {
    write("bundle.txt", "TarnwickResources 1\n[bitmaps]\n400\timages/strip.png\n");
    ResourceModule module("m");
    ASSERT_TRUE(ResourceFile::read(dir_.filePath("bundle.txt"), module).ok());
    EXPECT_TRUE(module.bitmap(400));
    EXPECT_EQ(ResourceFile::read({}, module).status, LoadStatus::NoFile);
    EXPECT_EQ(ResourceFile::read(dir_.filePath("absent.txt"), module).status, LoadStatus::Missing);
    // A folder exists but cannot be read as a file.
    EXPECT_EQ(ResourceFile::read(dir_.filePath("images"), module).status, LoadStatus::Unreadable);
}

TEST(ResourceFileQt, BuiltInModuleFromQtResources) {
    ResourceModule module("builtin");
    const auto result = ResourceFile::read(":/restest/builtin.res", module);
    ASSERT_TRUE(result.ok()) << result.line << ": " << result.message.toStdString();
    EXPECT_EQ(module.string(153), "Close Price");
    EXPECT_EQ(module.menu(ResourceId("ID_PRICESERIES_MENU")), QByteArray("Line\nArea\nBar\n"));
}

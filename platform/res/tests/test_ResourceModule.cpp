#include <gtest/gtest.h>

#include <memory>

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QString>

#include "res/CursorResource.h"
#include "res/ResourceModule.h"

using res::CursorResource;
using res::ResourceId;
using res::ResourceModule;

namespace {

std::shared_ptr<ResourceModule> builtInModule() {
    auto module = std::make_shared<ResourceModule>("builtin");
    module->setString(577, "Price axis");
    module->setString(578, "Date axis");
    module->setBitmap(400, QImage(32, 16, QImage::Format_ARGB32));
    module->setCursor(427, CursorResource{QImage(16, 16, QImage::Format_ARGB32), QPoint(7, 8)});
    module->setMenu(ResourceId(78), "price-menu");
    module->setDialog(ResourceId("Params_Dialog"), "params");
    return module;
}

}  // namespace

TEST(ResourceModule, LookupsFallBackPerEntry) {
    const std::shared_ptr<const ResourceModule> base = builtInModule();
    ResourceModule arabic("ar", base);
    arabic.setString(577, "\xD9\x85\xD8\xAD\xD9\x88\xD8\xB1");
    arabic.setMenu(ResourceId("PARAMS_DIALOG"), "not a dialog");

    EXPECT_EQ(arabic.string(577), "\xD9\x85\xD8\xAD\xD9\x88\xD8\xB1");
    EXPECT_EQ(arabic.string(578), "Date axis");
    EXPECT_EQ(arabic.string(999), std::nullopt);
    EXPECT_EQ(arabic.stringOr(999, "?"), "?");
    EXPECT_TRUE(arabic.hasOwnString(577));
    EXPECT_FALSE(arabic.hasOwnString(578));
    EXPECT_EQ(arabic.bitmap(400)->size(), QSize(32, 16));
    EXPECT_EQ(arabic.cursor(427)->hotSpot, QPoint(7, 8));
    EXPECT_FALSE(arabic.bitmap(401));
    // Menus and dialogs are separate tables, and names ignore letter case.
    EXPECT_EQ(arabic.dialog(ResourceId("params_dialog")), QByteArray("params"));
    EXPECT_EQ(arabic.menu(ResourceId("Params_Dialog")), QByteArray("not a dialog"));
    EXPECT_EQ(arabic.menu(78), QByteArray("price-menu"));
    EXPECT_FALSE(arabic.menu(ResourceId("78x")));
}

TEST(ResourceModule, LoadStringIntoFixedField) {
    const auto module = builtInModule();
    char name[6];
    const auto result = module->loadString(577, name, sizeof name);
    ASSERT_TRUE(result);
    EXPECT_TRUE(result->truncated());
    EXPECT_STREQ(name, "Price");

    char field[4] = {'x', 'x', 'x', 'x'};
    EXPECT_FALSE(module->loadString(12345, field, sizeof field));
    EXPECT_STREQ(field, "");
}

TEST(ResourceModule, MergeReplacesEntriesUnderTheSameId) {
    ResourceModule target("target");
    target.setString(1, "old");
    target.setString(2, "kept");
    ResourceModule other("other");
    other.setString(1, "new");
    other.setMenu(ResourceId("M"), "menu");
    target.merge(other);
    EXPECT_EQ(target.string(1), "new");
    EXPECT_EQ(target.string(2), "kept");
    EXPECT_EQ(target.menu(ResourceId("m")), QByteArray("menu"));
    EXPECT_EQ(target.ownEntryCount(), 3u);
}

TEST(ResourceId, ParseNumbersAndNames) {
    EXPECT_EQ(ResourceId::parse(u"4294967295")->number(), 4294967295u);
    EXPECT_EQ(ResourceId::parse(u"0078"), ResourceId(78));
    EXPECT_EQ(ResourceId::parse(u"id_gann_fan_menu")->name(), "ID_GANN_FAN_MENU");
    EXPECT_EQ(ResourceId("123"), ResourceId(123));
    for (const char16_t* bad : {u"", u"4294967296", u"-1", u"a b", u"menu/x", u"\u0645"}) {
        EXPECT_FALSE(ResourceId::parse(bad)) << QString::fromUtf16(bad).toStdString();
    }
    EXPECT_LT(ResourceId(4294967295u), ResourceId("A"));
}

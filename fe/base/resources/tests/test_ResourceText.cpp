#include <gtest/gtest.h>

#include <memory>

#include "res/ModuleRegistry.h"
#include "resources/ResourceText.h"

namespace dravik {
namespace {

std::shared_ptr<res::ResourceModule> module() {
    auto m = std::make_shared<res::ResourceModule>("Dravik");
    m->setString(541, "Buy at %p");
    m->setString(543, "%t (%s)");
    m->setString(600, "Moyenne mobile pondérée");
    return m;
}

TEST(ResourceText, NewTextIsEmptyAndOwn) {
    CResourceText text;
    EXPECT_EQ(text.GetSize(), 0);
    EXPECT_EQ(text.GetStringId(), -1);
    EXPECT_STREQ(text.GetText(nullptr), "");
}

TEST(ResourceText, LoadsByIdWithinItsSize) {
    const auto m = module();
    CResourceText text;
    text.SetSize(40);
    text.SetStringId(541);
    EXPECT_STREQ(text.GetText(m.get()), "Buy at %p");
    text.SetStringId(999);
    EXPECT_STREQ(text.GetText(m.get()), "");
    text.SetStringId(600);
    text.SetSize(21);  // room for 20 bytes: the two-byte é would be cut in half
    EXPECT_STREQ(text.GetText(m.get()), "Moyenne mobile pond");
    EXPECT_STREQ(text.GetText(nullptr), "");
}

TEST(ResourceText, SetTextMakesAnOwnCopyUnlessEqual) {
    const auto m = module();
    CResourceText text;
    text.SetSize(10);
    text.SetStringId(543);
    EXPECT_EQ(text.SetText("%t (%s)", m.get()), 0);
    EXPECT_EQ(text.GetStringId(), 543);
    EXPECT_EQ(text.SetText("A longer text than ten", m.get()), 1);
    EXPECT_EQ(text.GetStringId(), -1);
    EXPECT_STREQ(text.GetText(m.get()), "A longer ");
    text.SetSize(4);
    EXPECT_STREQ(text.GetText(m.get()), "A l");

    CResourceText copy = text;
    EXPECT_EQ(copy.SetText("xyz", m.get()), 1);
    EXPECT_STREQ(text.GetText(m.get()), "A l");
    EXPECT_STREQ(copy.GetText(m.get()), "xyz");
}

TEST(ResourceText, ReadsTheLibrarysCurrentModule) {
    res::ModuleRegistry::registerBuiltIn(kResourceComponent, module());
    CResourceText text;
    text.SetSize(40);
    text.SetStringId(543);
    EXPECT_STREQ(text.GetText(), "%t (%s)");
    res::ModuleRegistry::unregister(kResourceComponent);
    EXPECT_STREQ(text.GetText(), "");
}

TEST(ResourceText, StringsInRange) {
    auto m = module();
    m->setString(542, std::string(300, 'a'));
    const auto texts = StringsInRange(*m, 541, 544);
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[0], "Buy at %p");
    EXPECT_EQ(texts[1].size(), 255u);
    EXPECT_EQ(texts[3], "");
    EXPECT_TRUE(StringsInRange(*m, 10, 9).empty());
}

}  // namespace
}  // namespace dravik

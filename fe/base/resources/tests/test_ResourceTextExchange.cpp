#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "com/ComPtr.h"
#include "persist/CMemoryArchive.h"
#include "persist/CPropertyBagArchive.h"
#include "resources/ResourceText.h"
#include "storage/PropertyBag.h"

namespace dravik {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes store(CResourceText& text, std::uint32_t flags = 0) {
    CMemoryArchive archive;
    text.Exchange(archive, u"BuyMask", flags);
    EXPECT_FALSE(archive.Failed());
    com::HGLOBAL memory = archive.DetachGlobal();
    return memory ? memory->bytes : Bytes{};
}

com::HRESULT load(const Bytes& bytes, CResourceText& text) {
    CMemoryArchive archive(bytes.data(), bytes.size());
    text.Exchange(archive, u"BuyMask");
    return archive.Error();
}

CResourceText ownText(const char* value, std::int16_t size) {
    CResourceText text;
    text.SetSize(size);
    text.SetText(value, nullptr);
    return text;
}

TEST(ResourceTextExchange, ByteImages) {
    CResourceText own = ownText("Buy", 8);
    EXPECT_EQ(store(own), (Bytes{8, 0, 'B', 'u', 'y', 0, 0, 0, 0, 0}));
    // Bytes after the terminator are zeros, not what a longer text left there.
    CResourceText changed = ownText("Buy more", 10);
    changed.SetText("Buy", nullptr);
    EXPECT_EQ(store(changed), (Bytes{10, 0, 'B', 'u', 'y', 0, 0, 0, 0, 0, 0, 0}));
    CResourceText byId;
    byId.SetSize(40);
    byId.SetStringId(541);
    EXPECT_EQ(store(byId), (Bytes{0, 0}));
}

TEST(ResourceTextExchange, LoadsOwnTextsAndKeepsIds) {
    CResourceText text;
    text.SetSize(40);
    text.SetStringId(541);
    EXPECT_EQ(load({8, 0, 'S', 'e', 'l', 'l', 0, 0, 0, 0}, text), com::S_OK);
    EXPECT_EQ(text.GetStringId(), -1);
    EXPECT_STREQ(text.GetText(nullptr), "Sell");
    EXPECT_EQ(text.GetSize(), 40);

    CResourceText byId;
    byId.SetSize(40);
    byId.SetStringId(542);
    EXPECT_EQ(load({0, 0}, byId), com::S_OK);
    EXPECT_EQ(byId.GetStringId(), 542);
}

TEST(ResourceTextExchange, SavedTextLongerThanTheBufferIsCut) {
    CResourceText text;
    text.SetSize(4);
    EXPECT_EQ(load({8, 0, 'S', 'e', 'l', 'l', 'i', 'n', 'g', '!'}, text), com::S_OK);
    EXPECT_STREQ(text.GetText(nullptr), "Sel");
    // A fresh text takes the saved size; a block without its terminator still ends in one.
    CResourceText fresh;
    EXPECT_EQ(load({6, 0, 'a', 'b', 'c', 'd', 'e', 'f'}, fresh), com::S_OK);
    EXPECT_EQ(fresh.GetSize(), 6);
    EXPECT_STREQ(fresh.GetText(nullptr), "abcde");
}

TEST(ResourceTextExchange, DamagedSavesChangeNothing) {
    CResourceText text;
    text.SetSize(40);
    text.SetStringId(541);
    EXPECT_NE(load({8, 0, 'S', 'e'}, text), com::S_OK);  // the block is cut short
    EXPECT_EQ(text.GetStringId(), 541);
    EXPECT_EQ(load({0xFF, 0xFF, 'x'}, text), com::S_OK);  // a negative size is no text
    EXPECT_EQ(text.GetStringId(), 541);
    EXPECT_NE(load({8}, text), com::S_OK);
    EXPECT_EQ(text.GetStringId(), 541);
}

TEST(ResourceTextExchange, RoundTripThroughAPropertyBag) {
    for (const std::uint32_t flags : {0u, CResourceText::kExchangeTextOnly}) {
        com::ComPtr<com::IPropertyBag> bag;
        ASSERT_EQ(com::createMemoryPropertyBag(bag.put()), com::S_OK);
        CResourceText own = ownText("Kaufen", 40);
        CResourceText byId;
        byId.SetSize(40);
        byId.SetStringId(542);
        {
            CPropertyBagArchive archive(bag.get(), true, true);
            own.Exchange(archive, u"BuyMask", flags);
            byId.Exchange(archive, u"SellMask", flags);
        }
        CResourceText buy;
        buy.SetSize(40);
        buy.SetStringId(541);
        CResourceText sell;
        sell.SetSize(40);
        sell.SetStringId(542);
        CPropertyBagArchive archive(bag.get(), false, true);
        buy.Exchange(archive, u"BuyMask", flags);
        sell.Exchange(archive, u"SellMask", flags);
        EXPECT_EQ(buy.GetStringId(), -1) << flags;
        EXPECT_STREQ(buy.GetText(nullptr), "Kaufen") << flags;
        EXPECT_EQ(sell.GetStringId(), 542) << flags;
    }
}

}  // namespace
}  // namespace dravik

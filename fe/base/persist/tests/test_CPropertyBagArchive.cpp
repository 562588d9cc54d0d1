#include <gtest/gtest.h>

#include "com/Activation.h"
#include "persist/CPropertyBagArchive.h"

using namespace dravik;
using com::ComPtr;

namespace {

ComPtr<com::IPropertyBag> newBag() {
    ComPtr<com::IPropertyBag> bag;
    com::createMemoryPropertyBag(bag.put());
    return bag;
}

bool has(com::IPropertyBag* bag, const char16_t* key) {
    com::Variant value;
    return com::SUCCEEDED(bag->Read(key, &value, nullptr));
}

}  // namespace

TEST(PropertyBagArchive, ValuesEqualToTheirDefaultsAreNotWritten) {
    ComPtr<com::IPropertyBag> bag = newBag();
    {
        CPropertyBagArchive archive(bag.get(), true, true);
        std::int32_t options = 1;
        std::int32_t mask = 511;
        std::int16_t step = -1;
        std::uint8_t line = 1;
        com::Bstr mask16(u"Buy");
        std::string empty;
        ComPtr<com::IUnknown> none;
        EXPECT_EQ(archive.ExchangeLong(&options, u"Options", 1), -1);
        EXPECT_EQ(archive.ExchangeLong(&mask, u"PropPageMask", 895), 1);
        EXPECT_EQ(archive.ExchangeShort(&step, u"DateStep", -1), -1);
        EXPECT_EQ(archive.ExchangeBool(&line, u"DateLine", 0), 1);
        EXPECT_EQ(archive.ExchangeBstr(&mask16, u"BuyMask", u"Buy"), -1);
        EXPECT_EQ(archive.ExchangeAnsiText(&empty, u"Name"), -1);
        EXPECT_EQ(archive.ExchangeObject(&none, u"Object"), -1);
        EXPECT_EQ(archive.ExchangeLong(&mask, nullptr, 0), 0);
    }
    EXPECT_FALSE(has(bag.get(), u"Options"));
    EXPECT_TRUE(has(bag.get(), u"PropPageMask"));
    EXPECT_FALSE(has(bag.get(), u"DateStep"));
    EXPECT_FALSE(has(bag.get(), u"BuyMask"));
    EXPECT_FALSE(has(bag.get(), u"Name"));
    com::Variant line(false);
    ASSERT_EQ(bag->Read(u"DateLine", &line, nullptr), com::S_OK);
    EXPECT_EQ(line.boolVal(), com::VARIANT_TRUE);
}

TEST(PropertyBagArchive, MissingValuesTakeTheirDefaultsOnlyWithUseDefaults) {
    ComPtr<com::IPropertyBag> bag = newBag();
    bag->Write(u"PropPageMask", com::Variant(std::int32_t{511}));
    bag->Write(u"DateLine", com::Variant(true));
    bag->Write(u"Wrong", com::Variant(com::Bstr(u"not a number")));
    for (bool useDefaults : {true, false}) {
        CPropertyBagArchive archive(bag.get(), false, useDefaults);
        std::int32_t options = 77;
        std::int32_t mask = 0;
        std::uint8_t line = 0;
        std::int16_t wrong = 5;
        com::Bstr text(u"kept");
        archive.ExchangeLong(&options, u"Options", 1);
        archive.ExchangeLong(&mask, u"PropPageMask", 895);
        archive.ExchangeBool(&line, u"DateLine", 0);
        archive.ExchangeShort(&wrong, u"Wrong", -1);
        archive.ExchangeBstr(&text, u"Missing", nullptr);
        EXPECT_EQ(mask, 511);
        EXPECT_EQ(line, 1);  // a true VARIANT_BOOL (-1) loads as 1
        EXPECT_EQ(options, useDefaults ? 1 : 77);
        EXPECT_EQ(wrong, useDefaults ? -1 : 5);
        EXPECT_EQ(text.isNull(), useDefaults);
    }
    CPropertyBagArchive archive(bag.get(), false, false);
    com::Bstr withDefault;
    archive.ExchangeBstr(&withDefault, u"Missing", u"Sell");
    EXPECT_EQ(withDefault, com::Bstr(u"Sell"));
}

TEST(PropertyBagArchive, TextsAndBlobsRoundTripIntoCallerMemory) {
    ComPtr<com::IPropertyBag> bag = newBag();
    std::vector<std::uint8_t> blob{1, 2, 3};
    {
        CPropertyBagArchive archive(bag.get(), true, true);
        std::string name = "Fibonacci \xD9\x81";
        char sized[6] = "abcd";
        EXPECT_EQ(archive.ExchangeAnsiText(&name, u"Name"), 1);
        EXPECT_EQ(archive.ExchangeSized(sized, sizeof sized, u"Sized"), 1);
        EXPECT_EQ(archive.ExchangeBlob(&blob, u"Blob"), 3);
    }
    CPropertyBagArchive archive(bag.get(), false, true);
    std::string name;
    EXPECT_EQ(archive.ExchangeAnsiText(&name, u"Name"), 12);  // 11 UTF-16 units and the terminator
    EXPECT_EQ(name, "Fibonacci \xD9\x81");
    char small[4] = {};
    std::int16_t length = 0;
    archive.ExchangeAnsiText(small, sizeof small, &length, u"Sized");
    EXPECT_STREQ(small, "abc");
    EXPECT_EQ(length, 3);
    std::vector<std::uint8_t> loaded;
    EXPECT_EQ(archive.ExchangeBlob(&loaded, u"Blob"), 3);
    bag.reset();  // the loaded bytes are the caller's own
    EXPECT_EQ(loaded, blob);
}

TEST(PropertyBagArchive, BytesAndGuidsHaveNoPlaceInABag) {
    ComPtr<com::IPropertyBag> bag = newBag();
    CPropertyBagArchive archive(bag.get(), true, true);
    char raw[2] = {1, 2};
    EXPECT_EQ(archive.WriteBytes(raw, 2), 0u);
    EXPECT_EQ(archive.Seek(5, ARCHIVE_BEGIN), 0);
    EXPECT_EQ(archive.Reserved(), com::E_FAIL);
    EXPECT_EQ(archive.AttachFile(3, true), com::E_FAIL);
    const com::Guid saved = com::Guid::fromString("{3F53C702-5296-42FF-BD60-3C37A4308F7D}");
    com::Guid guid = saved;
    EXPECT_EQ(archive.ExchangeGuid(&guid, u"Guid"), 0);
    // As on the byte media the GUID goes through the byte operations, which move nothing in a bag;
    // the rest of the save goes on.
    EXPECT_FALSE(archive.Failed());
    std::int32_t after = 5;
    EXPECT_EQ(archive.ExchangeLong(&after, u"After", 0), 1);
    EXPECT_FALSE(has(bag.get(), u"Guid"));

    CPropertyBagArchive loading(bag.get(), false, true);
    EXPECT_EQ(loading.ExchangeGuid(&guid, u"Guid"), 0);
    EXPECT_EQ(guid, saved);
    EXPECT_FALSE(loading.Failed());
}

TEST(PropertyBagArchive, NestedObjectDataGoesIntoTheDataBlob) {
    ComPtr<com::IPropertyBag> bag = newBag();
    {
        CPropertyBagArchive archive(bag.get(), true, true);
        CPropertyArchive* nested = archive.GetStorageArchive();
        ASSERT_NE(nested, nullptr);
        std::int16_t value = 0x1234;
        nested->ExchangeShort(&value, nullptr, 0);
    }
    com::Variant data(std::vector<std::uint8_t>{});
    ASSERT_EQ(bag->Read(u"_Data_", &data, nullptr), com::S_OK);
    EXPECT_EQ(data.bytes(), (std::vector<std::uint8_t>{0x34, 0x12}));

    CPropertyBagArchive archive(bag.get(), false, true);
    CPropertyArchive* nested = archive.GetStorageArchive();
    ASSERT_NE(nested, nullptr);
    std::int16_t value = 0;
    nested->ExchangeShort(&value, nullptr, 0);
    EXPECT_EQ(value, 0x1234);

    ComPtr<com::IPropertyBag> emptyBag = newBag();
    CPropertyBagArchive noData(emptyBag.get(), false, true);
    EXPECT_EQ(noData.GetStorageArchive(), nullptr);
}

TEST(PropertyBagArchive, FontsAreKeptAsObjects) {
    ComPtr<com::IPropertyBag> bag = newBag();
    com::FONTDESC desc;
    desc.name = com::Bstr(u"Arial");
    desc.size = 90000;
    ComPtr<com::IFont> font;
    ASSERT_EQ(com::createFontIndirect(desc, com::IID_IFont, font.putVoid()), com::S_OK);
    {
        CPropertyBagArchive archive(bag.get(), true, true);
        EXPECT_EQ(archive.ExchangeFont(&font, u"Font"), 1);
    }
    CPropertyBagArchive archive(bag.get(), false, true);
    ComPtr<com::IFont> loaded;
    EXPECT_EQ(archive.ExchangeFont(&loaded, u"Font"), 1);
    EXPECT_EQ(loaded.get(), font.get());
}

#include <gtest/gtest.h>

#include <cstring>

#include "com/Activation.h"
#include "com/ComObject.h"
#include "com/InprocServer.h"
#include "persist/CFileArchive.h"
#include "persist/CMemoryArchive.h"
#include "persist/CStreamArchive.h"
#include "storage/Persist.h"
#include "testsupport/TempFolder.h"

using namespace dravik;
using com::ComPtr;
using Bytes = std::vector<std::uint8_t>;

namespace {

Bytes storedBytes(CMemoryArchive& archive) {
    com::HGLOBAL memory = archive.DetachGlobal();
    return memory ? memory->bytes : Bytes{};
}

template <typename Exchange>
Bytes store(Exchange exchange) {
    CMemoryArchive archive;
    exchange(archive);
    EXPECT_FALSE(archive.Failed());
    return storedBytes(archive);
}

template <typename Exchange>
com::HRESULT load(const Bytes& bytes, Exchange exchange) {
    CMemoryArchive archive(bytes.data(), bytes.size());
    exchange(archive);
    return archive.Error();
}

// One value of every kind, exchanged by one routine in both directions.
struct Sample {
    std::uint8_t flag = 0;
    std::uint8_t byte = 0;
    std::int16_t shortValue = 0;
    std::int32_t longValue = 0;
    std::uint32_t ulongValue = 0;
    std::int32_t intValue = 0;
    std::uint32_t uintValue = 0;
    double doubleValue = 0;
    com::Guid guid;
    char name[8] = {};
    std::string text;
    com::Bstr wide;
    Bytes blob;
    char sized[4] = {};

    void Exchange(CPropertyArchive& a) {
        a.ExchangeBool(&flag, u"Flag", 0);
        a.ExchangeByte(&byte, u"Byte", 0);
        a.ExchangeShort(&shortValue, u"Short", 0);
        a.ExchangeLong(&longValue, u"Long", 0);
        a.ExchangeUlong(&ulongValue, u"Ulong", 0);
        a.ExchangeInt(&intValue, u"Int", 0);
        a.ExchangeUint(&uintValue, u"Uint", 0);
        a.ExchangeDouble(&doubleValue, u"Double", 0);
        a.ExchangeGuid(&guid, u"Guid");
        a.ExchangeAnsiText(name, sizeof name, nullptr, u"Name");
        a.ExchangeAnsiText(&text, u"Text");
        a.ExchangeBstr(&wide, u"Wide", nullptr);
        a.ExchangeBlob(&blob, u"Blob");
        a.ExchangeSized(sized, sizeof sized, u"Sized");
    }
    static Sample filled() {
        Sample s;
        s.flag = 1;
        s.byte = 0xAB;
        s.shortValue = -300;
        s.longValue = -70000;
        s.ulongValue = 0xFEDCBA98;
        s.intValue = 123456;
        s.uintValue = 7;
        s.doubleValue = -2.5e-3;
        s.guid = com::Guid::fromString("{3F53C702-5296-42FF-BD60-3C37A4308F7D}");
        std::strcpy(s.name, "Close");
        s.text = "Buy: %s";
        s.wide = com::Bstr(u"\u0633\u0647\u0645");
        s.blob = {1, 2, 3, 0, 255};
        std::memcpy(s.sized, "abc", 4);
        return s;
    }
    bool operator==(const Sample& o) const {
        return flag == o.flag && byte == o.byte && shortValue == o.shortValue && longValue == o.longValue &&
               ulongValue == o.ulongValue && intValue == o.intValue && uintValue == o.uintValue &&
               doubleValue == o.doubleValue && guid == o.guid && std::strcmp(name, o.name) == 0 &&
               text == o.text && wide == o.wide && blob == o.blob && std::memcmp(sized, o.sized, 4) == 0;
    }
};

}  // namespace

TEST(ByteArchive, ValueImages) {
    struct Case {
        const char* what;
        std::function<void(CPropertyArchive&)> exchange;
        Bytes expected;
    };
    const std::vector<Case> cases = {
        {"short -2",
         [](CPropertyArchive& a) {
             std::int16_t v = -2;
             a.ExchangeShort(&v, u"k", 0);
         },
         {0xFE, 0xFF}},
        {"ulong signature",
         [](CPropertyArchive& a) {
             std::uint32_t v = 0x10012012;
             a.ExchangeUlong(&v, u"k", 0);
         },
         {0x12, 0x20, 0x01, 0x10}},
        {"double empty point",
         [](CPropertyArchive& a) {
             double v = 1e308;
             a.ExchangeDouble(&v, u"k", 0);
         },
         {0xA0, 0xC8, 0xEB, 0x85, 0xF3, 0xCC, 0xE1, 0x7F}},
        {"guid",
         [](CPropertyArchive& a) {
             com::Guid g = com::Guid::fromString("{3F53C702-5296-42FF-BD60-3C37A4308F7D}");
             a.ExchangeGuid(&g, u"k");
         },
         {0x02, 0xC7, 0x53, 0x3F, 0x96, 0x52, 0xFF, 0x42, 0xBD, 0x60, 0x3C, 0x37, 0xA4, 0x30, 0x8F, 0x7D}},
        {"ansi ab",
         [](CPropertyArchive& a) {
             std::string t = "ab";
             a.ExchangeAnsiText(&t, u"k");
         },
         {2, 0, 'a', 'b'}},
        {"bstr ab",
         [](CPropertyArchive& a) {
             com::Bstr b(u"ab");
             a.ExchangeBstr(&b, u"k", nullptr);
         },
         {2, 0, 'a', 0, 'b', 0}},
        {"null object",
         [](CPropertyArchive& a) {
             ComPtr<com::IUnknown> o;
             EXPECT_EQ(a.ExchangeObject(&o, u"k"), 1);
         },
         {0xFF}},
        {"bool as held",
         [](CPropertyArchive& a) {
             std::uint8_t b = 2;
             a.ExchangeBool(&b, u"k", 0);
         },
         {2}},
        {"blob",
         [](CPropertyArchive& a) {
             Bytes b{9, 8};
             EXPECT_EQ(a.ExchangeBlob(&b, u"k"), 2);
         },
         {2, 0, 0, 0, 9, 8}},
        {"empty blob",
         [](CPropertyArchive& a) {
             Bytes b;
             a.ExchangeBlob(&b, u"k");
         },
         {0, 0, 0, 0}},
        {"sized",
         [](CPropertyArchive& a) {
             char s[3] = {'x', 0, 'y'};
             a.ExchangeSized(s, 3, u"k");
         },
         {'x', 0, 'y'}},
        {"int and uint",
         [](CPropertyArchive& a) {
             std::int32_t i = -1;
             std::uint32_t u = 0x01020304;
             a.ExchangeInt(&i, u"k", 0);
             a.ExchangeUint(&u, u"k", 0);
         },
         {0xFF, 0xFF, 0xFF, 0xFF, 4, 3, 2, 1}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(store(c.exchange), c.expected) << c.what;
}

TEST(ByteArchive, OneRoutineWritesAndReadsEveryKind) {
    Sample saved = Sample::filled();
    const Bytes bytes = store([&](CPropertyArchive& a) { saved.Exchange(a); });
    Sample loaded;
    EXPECT_EQ(load(bytes, [&](CPropertyArchive& a) { loaded.Exchange(a); }), com::S_OK);
    EXPECT_TRUE(loaded == saved);
    // A second save of what was loaded gives the same bytes.
    EXPECT_EQ(store([&](CPropertyArchive& a) { loaded.Exchange(a); }), bytes);
}

TEST(ByteArchive, NullAndEmptyTexts) {
    const Bytes nullText = store([](CPropertyArchive& a) { a.ExchangeAnsiText(nullptr, 0, nullptr, u"k"); });
    const Bytes emptyText = store([](CPropertyArchive& a) {
        char empty[4] = "";
        a.ExchangeAnsiText(empty, sizeof empty, nullptr, u"k");
    });
    const Bytes nullBstr = store([](CPropertyArchive& a) {
        com::Bstr b;
        a.ExchangeBstr(&b, u"k", nullptr);
    });
    const Bytes emptyBstr = store([](CPropertyArchive& a) {
        com::Bstr b(u"");
        a.ExchangeBstr(&b, u"k", nullptr);
    });
    for (const Bytes& b : {nullText, emptyText, nullBstr, emptyBstr})
        EXPECT_EQ(b, (Bytes{0, 0}));

    char buffer[4] = "xyz";
    std::int16_t length = 9;
    load(nullText, [&](CPropertyArchive& a) { a.ExchangeAnsiText(buffer, sizeof buffer, &length, u"k"); });
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(length, 0);
    com::Bstr wide(u"old");
    load(emptyBstr, [&](CPropertyArchive& a) { a.ExchangeBstr(&wide, u"k", nullptr); });
    EXPECT_TRUE(wide.isNull());
}

TEST(ByteArchive, TextIsCutToTheCallersBufferAndTheRestSkipped) {
    const Bytes bytes = store([](CPropertyArchive& a) {
        std::string t = "abc\xC3\xA9z";  // "abcéz": the cut must not split the two-byte é
        a.ExchangeAnsiText(&t, u"k");
        std::int16_t after = 77;
        a.ExchangeShort(&after, u"k", 0);
    });
    char buffer[5];
    std::int16_t length = 0;
    std::int16_t after = 0;
    EXPECT_EQ(load(bytes,
                   [&](CPropertyArchive& a) {
                       a.ExchangeAnsiText(buffer, sizeof buffer, &length, u"k");
                       a.ExchangeShort(&after, u"k", 0);
                   }),
              com::S_OK);
    EXPECT_STREQ(buffer, "abc");
    EXPECT_EQ(length, 3);
    EXPECT_EQ(after, 77);
}

TEST(ByteArchive, FontRecordImage) {
    com::FONTDESC desc;
    desc.name = com::Bstr(u"A");
    desc.size = 90000;  // 9 points
    desc.weight = 700;
    desc.charset = 178;
    desc.italic = 1;
    desc.underline = 0;
    desc.strikethrough = 1;
    ComPtr<com::IFont> font;
    ASSERT_EQ(com::createFontIndirect(desc, com::IID_IFont, font.putVoid()), com::S_OK);
    int moved = 0;
    const Bytes bytes = store([&](CPropertyArchive& a) { moved = a.ExchangeFont(&font, u"Font"); });
    const Bytes expected{1,    0,    'A',  0,                             // name
                         0x90, 0x5F, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00,  // size, low then high word
                         0xBC, 0x02,                                      // weight 700
                         0xB2, 0x00,                                      // charset 178
                         1,    0,    0,    0,    0,    0,    0,    0,
                         1,    0,    0,    0};  // italic, underline, strike
    EXPECT_EQ(moved, 28);
    EXPECT_EQ(bytes, expected);

    ComPtr<com::IFont> loaded;
    EXPECT_EQ(load(bytes, [&](CPropertyArchive& a) { EXPECT_EQ(a.ExchangeFont(&loaded, u"Font"), 28); }),
              com::S_OK);
    ASSERT_TRUE(loaded);
    com::CY size = 0;
    com::SHORT weight = 0;
    com::Bstr name;
    loaded->get_Size(&size);
    loaded->get_Weight(&weight);
    loaded->get_Name(&name);
    EXPECT_EQ(size, 90000);
    EXPECT_EQ(weight, 700);
    EXPECT_EQ(name, com::Bstr(u"A"));
}

TEST(ByteArchive, NegativeSizeMovesNothing) {
    CMemoryArchive archive;
    char value[4] = {'a', 'b', 'c', 'd'};
    EXPECT_EQ(archive.ExchangeSized(value, -1, u"k"), 0);
    EXPECT_EQ(archive.ExchangeSized(value, INT16_MIN, u"k"), 0);
    EXPECT_EQ(archive.Error(), com::E_INVALIDARG);
    EXPECT_TRUE(storedBytes(archive).empty());

    const Bytes bytes{1, 2, 3, 4};
    EXPECT_EQ(load(bytes, [&](CPropertyArchive& a) { EXPECT_EQ(a.ExchangeSized(value, -4, u"k"), 0); }),
              com::E_INVALIDARG);
    EXPECT_EQ(std::string(value, 4), "abcd");
}

TEST(ByteArchive, TextOfTheLongestLengthRoundTrips) {
    std::string text(kMaxArchiveText, 'x');
    text.front() = 'a';
    text.back() = 'z';
    com::Bstr wide(std::u16string(kMaxArchiveText, u'\u0645'));
    const Bytes bytes = store([&](CPropertyArchive& a) {
        EXPECT_EQ(a.ExchangeAnsiText(&text, u"k"), 2 + 0x7FFF);
        EXPECT_EQ(a.ExchangeBstr(&wide, u"w", nullptr), 2 + 2 * 0x7FFF);
    });
    ASSERT_EQ(bytes.size(), 2u + 0x7FFF + 2 + 2 * 0x7FFF);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0x7F);
    EXPECT_EQ(bytes[2 + 0x7FFF], 0xFF);
    EXPECT_EQ(bytes[3 + 0x7FFF], 0x7F);
    std::string loadedText;
    com::Bstr loadedWide;
    EXPECT_EQ(load(bytes,
                   [&](CPropertyArchive& a) {
                       a.ExchangeAnsiText(&loadedText, u"k");
                       a.ExchangeBstr(&loadedWide, u"w", nullptr);
                   }),
              com::S_OK);
    EXPECT_EQ(loadedText, text);
    EXPECT_EQ(loadedWide, wide);
}

TEST(ByteArchive, ShortGuidReadLeavesTheGuidUntouched) {
    const com::Guid before = com::Guid::fromString("{3F53C702-5296-42FF-BD60-3C37A4308F7D}");
    com::Guid guid = before;
    const Bytes fifteen(15, 0xAA);
    EXPECT_EQ(load(fifteen, [&](CPropertyArchive& a) { EXPECT_EQ(a.ExchangeGuid(&guid, u"k"), 15); }),
              com::STG_E_READFAULT);
    EXPECT_EQ(guid, before);
}

TEST(ByteArchive, OverlongTextIsRefusedOnStore) {
    CMemoryArchive archive;
    std::string text(kMaxArchiveText + 1, 'x');
    EXPECT_EQ(archive.ExchangeAnsiText(&text, u"k"), 0);
    com::Bstr wide(std::u16string(kMaxArchiveText + 1, u'x'));
    EXPECT_EQ(archive.ExchangeBstr(&wide, u"k", nullptr), 0);
    EXPECT_EQ(archive.Error(), com::E_INVALIDARG);
    EXPECT_TRUE(storedBytes(archive).empty());
}

TEST(ByteArchive, DamagedCountsAreRefused) {
    struct Case {
        const char* what;
        Bytes bytes;
        std::function<void(CPropertyArchive&)> exchange;
    };
    const std::vector<Case> cases = {
        {"negative text length",
         {0xFF, 0xFF, 'a'},
         [](CPropertyArchive& a) {
             std::string t;
             a.ExchangeAnsiText(&t, u"k");
         }},
        {"text longer than the medium",
         {9, 0, 'a'},
         [](CPropertyArchive& a) {
             std::string t;
             a.ExchangeAnsiText(&t, u"k");
         }},
        {"negative bstr count",
         {0x00, 0x80},
         [](CPropertyArchive& a) {
             com::Bstr b;
             a.ExchangeBstr(&b, u"k", nullptr);
         }},
        {"bstr longer than the medium",
         {2, 0, 'a', 0},
         [](CPropertyArchive& a) {
             com::Bstr b;
             a.ExchangeBstr(&b, u"k", nullptr);
         }},
        {"blob larger than the medium",
         {0xFF, 0xFF, 0xFF, 0x7F, 1},
         [](CPropertyArchive& a) {
             Bytes b;
             a.ExchangeBlob(&b, u"k");
         }},
        {"bad object flag",
         {0x01},
         [](CPropertyArchive& a) {
             ComPtr<com::IUnknown> o;
             EXPECT_EQ(a.ExchangeObject(&o, u"k"), 0);
         }},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(load(c.bytes, c.exchange), com::STG_E_DOCFILECORRUPT) << c.what;
    }
}

TEST(ByteArchive, EveryTruncatedPrefixFailsCleanly) {
    Sample saved = Sample::filled();
    const Bytes bytes = store([&](CPropertyArchive& a) { saved.Exchange(a); });
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        const Bytes cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
        Sample loaded;
        EXPECT_TRUE(com::FAILED(load(cut, [&](CPropertyArchive& a) { loaded.Exchange(a); }))) << length;
        EXPECT_LT(std::strlen(loaded.name), sizeof loaded.name);
    }
}

// --- nested objects ---------------------------------------------------------------------------

namespace {

const com::CLSID kPointClass = com::Guid::fromString("{7A3B0001-2C4D-4E5F-8000-00000000A001}");

class Point final : public com::ComObject<com::IPersistStream> {
public:
    std::int32_t x = 0;
    std::int32_t y = 0;
    com::HRESULT GetClassID(com::CLSID* clsid) override {
        *clsid = kPointClass;
        return com::S_OK;
    }
    com::HRESULT IsDirty() override { return com::S_OK; }
    com::HRESULT Load(com::IStream* stream) override {
        CStreamArchive archive(stream, false);
        archive.ExchangeLong(&x, u"X", 0);
        archive.ExchangeLong(&y, u"Y", 0);
        return archive.Error();
    }
    com::HRESULT Save(com::IStream* stream, com::BOOL) override {
        CStreamArchive archive(stream, true);
        archive.ExchangeLong(&x, u"X", 0);
        archive.ExchangeLong(&y, u"Y", 0);
        return archive.Error();
    }
    com::HRESULT GetSizeMax(com::ULONGLONG* size) override {
        *size = 8;
        return com::S_OK;
    }
};

class Plain final : public com::ComObject<com::IUnknown> {};

class RegisteredPoint : public ::testing::Test {
protected:
    void SetUp() override {
        com::setObjectCreator(nullptr);
        ASSERT_EQ(com::registerClassObject(
                      {kPointClass, "Tarnwick.TestPoint", nullptr, nullptr, &com::createComObject<Point>}),
                  com::S_OK);
    }
    void TearDown() override { com::revokeClassObject(kPointClass); }

    static ComPtr<com::IUnknown> makePoint(std::int32_t x, std::int32_t y) {
        auto point = com::makeComObject<Point>();
        point->x = x;
        point->y = y;
        return ComPtr<com::IUnknown>(point->identity());
    }
    static std::pair<std::int32_t, std::int32_t> coordinates(const ComPtr<com::IUnknown>& object) {
        auto persist = object.as<com::IPersistStream>();
        auto* point = static_cast<Point*>(persist.get());
        return {point->x, point->y};
    }
};

}  // namespace

TEST_F(RegisteredPoint, NestedObjectRoundTripThroughTheRegistry) {
    ComPtr<com::IUnknown> saved = makePoint(3, -4);
    const Bytes bytes = store([&](CPropertyArchive& a) {
        std::int16_t before = 5;
        a.ExchangeShort(&before, u"k", 0);
        EXPECT_EQ(a.ExchangeObject(&saved, u"k"), 1);
        std::int16_t after = 6;
        a.ExchangeShort(&after, u"k", 0);
    });
    ASSERT_EQ(bytes.size(), 2u + 1 + 16 + 8 + 2);
    EXPECT_EQ(bytes[2], 0x00);
    EXPECT_EQ(bytes[3], 0x01);  // class id, Data1 little-endian

    ComPtr<com::IUnknown> loaded;
    std::int16_t before = 0;
    std::int16_t after = 0;
    EXPECT_EQ(load(bytes,
                   [&](CPropertyArchive& a) {
                       a.ExchangeShort(&before, u"k", 0);
                       EXPECT_EQ(a.ExchangeObject(&loaded, u"k"), 1);
                       a.ExchangeShort(&after, u"k", 0);
                   }),
              com::S_OK);
    ASSERT_TRUE(loaded) << com::lastActivationError();
    EXPECT_EQ(coordinates(loaded), std::make_pair(3, -4));
    EXPECT_EQ(before, 5);
    EXPECT_EQ(after, 6);
}

TEST_F(RegisteredPoint, UnregisteredClassFailsTheLoad) {
    ComPtr<com::IUnknown> saved = makePoint(1, 2);
    const Bytes bytes = store([&](CPropertyArchive& a) { a.ExchangeObject(&saved, u"k"); });
    com::revokeClassObject(kPointClass);
    ComPtr<com::IUnknown> loaded;
    EXPECT_EQ(load(bytes, [&](CPropertyArchive& a) { EXPECT_EQ(a.ExchangeObject(&loaded, u"k"), 0); }),
              com::REGDB_E_CLASSNOTREG);
    EXPECT_FALSE(loaded);
}

TEST(ByteArchive, ObjectThatCannotPersistIsStoredAsNoObjectAndReported) {
    ComPtr<com::IUnknown> plain(com::makeComObject<Plain>()->identity());
    CMemoryArchive archive;
    EXPECT_EQ(archive.ExchangeObject(&plain, u"k"), 0);
    EXPECT_EQ(storedBytes(archive), Bytes{0xFF});
}

TEST_F(RegisteredPoint, PresentObjectOnAFileOpensTheDocfileAfterItsFlag) {
    // Short, no object, an object, long: one routine for both directions.
    struct Record {
        std::int16_t head = 0;
        ComPtr<com::IUnknown> none;
        ComPtr<com::IUnknown> point;
        std::int32_t tail = 0;
        void Exchange(CPropertyArchive& a) {
            a.ExchangeShort(&head, u"k", 0);
            EXPECT_EQ(a.ExchangeObject(&none, u"k"), 1);
            EXPECT_EQ(a.ExchangeObject(&point, u"k"), 1);
            a.ExchangeLong(&tail, u"k", 0);
        }
    };
    testsupport::TempFolder folder;
    const std::string path = folder.file("object.bin");
    {
        Record saved{7, nullptr, makePoint(3, -4), 99};
        CFileArchive archive;
        ASSERT_TRUE(archive.Open(path, true));
        saved.Exchange(archive);
        EXPECT_FALSE(archive.Failed());
    }
    const std::vector<unsigned char> bytes = testsupport::fileBytes(path);
    ASSERT_GT(bytes.size(), 12u);
    // Short 7, the null object's FF, the present object's 00, then the container signature.
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 6), (Bytes{0x07, 0x00, 0xFF, 0x00, 'T', 'W'}));

    Record loaded;
    CFileArchive archive;
    ASSERT_TRUE(archive.Open(path, false));
    loaded.Exchange(archive);
    EXPECT_FALSE(archive.Failed());
    EXPECT_EQ(loaded.head, 7);
    EXPECT_FALSE(loaded.none);
    ASSERT_TRUE(loaded.point);
    EXPECT_EQ(coordinates(loaded.point), std::make_pair(3, -4));
    EXPECT_EQ(loaded.tail, 99);
}

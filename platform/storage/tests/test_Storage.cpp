#include <gtest/gtest.h>

#include "com/ComPtr.h"
#include "storage/GlobalMemory.h"
#include "storage/Storage.h"
#include "testsupport/TempFolder.h"

using namespace com;
using namespace testsupport;

namespace {

void writeText(IStorage* storage, const char16_t* name, const std::string& text) {
    ComPtr<IStream> stream;
    ASSERT_EQ(storage->CreateStream(name, STGM_CREATE | STGM_WRITE | STGM_SHARE_EXCLUSIVE, stream.put()),
              S_OK);
    ULONG moved = 0;
    ASSERT_EQ(stream->Write(text.data(), static_cast<ULONG>(text.size()), &moved), S_OK);
}

std::string readText(IStorage* storage, const char16_t* name) {
    ComPtr<IStream> stream;
    if (storage->OpenStream(name, STGM_READ | STGM_SHARE_EXCLUSIVE, stream.put()) != S_OK)
        return "<missing>";
    std::string text(256, '\0');
    ULONG moved = 0;
    stream->Read(text.data(), static_cast<ULONG>(text.size()), &moved);
    text.resize(moved);
    return text;
}

// Lock bytes over a memory block whose bytes the test looks at.
struct Medium {
    HGLOBAL block = globalAlloc(0);
    ComPtr<ILockBytes> bytes;
    Medium() { createLockBytesOnHGlobal(block, bytes.put()); }
    explicit Medium(const std::vector<std::uint8_t>& image) : Medium() { block->bytes = image; }
    HRESULT create(IStorage** out) {
        return createDocfileOnLockBytes(bytes.get(), STGM_CREATE | STGM_READWRITE, out);
    }
    HRESULT open(DWORD mode, IStorage** out) { return openStorageOnLockBytes(bytes.get(), mode, out); }
};

// A container image written out field by field: signature, version 1, a zero class id, the
// element count, then each element's name length, name, size and bytes.
std::vector<std::uint8_t> containerImage(
    const std::vector<std::pair<std::u16string, std::string>>& elements) {
    std::vector<std::uint8_t> image{0x54, 0x57, 0x4B, 0x53, 0x54, 0x47, 0x0D, 0x0A, 1, 0, 0, 0};
    image.resize(image.size() + 16, 0);
    const auto put = [&](std::uint64_t value, int width) {
        for (int i = 0; i < width; ++i)
            image.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    };
    put(elements.size(), 4);
    for (const auto& [name, data] : elements) {
        put(name.size(), 2);
        for (char16_t c : name)
            put(c, 2);
        put(data.size(), 8);
        image.insert(image.end(), data.begin(), data.end());
    }
    return image;
}
}  // namespace

TEST(Docfile, TwoNamedStreamsWrittenAndReadBack) {
    TempFolder folder;
    const std::string path = folder.file("two.stg");
    {
        ComPtr<IStorage> storage;
        ASSERT_EQ(createDocfile(path, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, storage.put()),
                  S_OK);
        writeText(storage.get(), u"Contents", "first stream");
        writeText(storage.get(), u"Second", "two");
    }
    EXPECT_EQ(isStorageFile(path), S_OK);
    ComPtr<IStorage> storage;
    ASSERT_EQ(openStorage(path, STGM_READ | STGM_SHARE_DENY_WRITE, storage.put()), S_OK);
    EXPECT_EQ(readText(storage.get(), u"Contents"), "first stream");
    EXPECT_EQ(readText(storage.get(), u"SECOND"), "two");
    std::vector<std::u16string> names;
    storage->ElementNames(&names);
    EXPECT_EQ(names, (std::vector<std::u16string>{u"Contents", u"Second"}));
    ComPtr<IStream> stream;
    EXPECT_EQ(storage->OpenStream(u"Third", STGM_READ, stream.put()), STG_E_FILENOTFOUND);
    EXPECT_EQ(storage->CreateStream(u"New", STGM_WRITE, stream.put()), STG_E_ACCESSDENIED);
}

TEST(Docfile, ContainerByteImage) {
    HGLOBAL block = globalAlloc(0);
    ComPtr<ILockBytes> bytes;
    createLockBytesOnHGlobal(block, bytes.put());
    {
        ComPtr<IStorage> storage;
        ASSERT_EQ(createDocfileOnLockBytes(bytes.get(), STGM_CREATE | STGM_READWRITE, storage.put()), S_OK);
        writeText(storage.get(), u"AB", "xyz");
    }
    const std::vector<std::uint8_t> expected{0x54, 0x57, 0x4B, 0x53, 0x54, 0x47, 0x0D, 0x0A,  // signature
                                             1,    0,    0,    0,                             // version
                                             0,    0,    0,    0,    0,    0,    0,    0,
                                             0,    0,    0,    0,    0,    0,    0,    0,  // class id
                                             1,    0,    0,    0,                          // one element
                                             2,    0,    'A',  0,    'B',  0,              // name
                                             3,    0,    0,    0,    0,    0,    0,    0,  // size
                                             'x',  'y',  'z'};
    EXPECT_EQ(block->bytes, expected);
}

TEST(Docfile, CreateWithoutCreateFlagRefusesExistingData) {
    HGLOBAL block = globalAlloc(3);
    ComPtr<ILockBytes> bytes;
    createLockBytesOnHGlobal(block, bytes.put());
    ComPtr<IStorage> storage;
    EXPECT_EQ(createDocfileOnLockBytes(bytes.get(), STGM_READWRITE, storage.put()), STG_E_FILEALREADYEXISTS);
    ComPtr<IStream> stream;
    ASSERT_EQ(createDocfileOnLockBytes(bytes.get(), STGM_CREATE | STGM_READWRITE, storage.put()), S_OK);
    EXPECT_EQ(storage->CreateStream(u"a", STGM_WRITE, stream.put()), S_OK);
    EXPECT_EQ(storage->CreateStream(u"A", STGM_WRITE, stream.put()), STG_E_FILEALREADYEXISTS);
    for (const char16_t* bad : {u"", u"a/b", u"a\\b", u"x:y", u"01234567890123456789012345678901"}) {
        EXPECT_EQ(storage->CreateStream(bad, STGM_WRITE, stream.put()), STG_E_INVALIDNAME);
    }
}

TEST(Docfile, PlainFileOpensByConversionWithoutBeingChanged) {
    TempFolder folder;
    const std::string path = folder.file("plain.bin");
    writeFileBytes(path, {1, 2, 3});
    EXPECT_EQ(isStorageFile(path), S_FALSE);
    ComPtr<IStorage> storage;
    EXPECT_EQ(openStorage(path, STGM_READ | STGM_SHARE_DENY_WRITE, storage.put()), STG_E_FILEALREADYEXISTS);
    ASSERT_EQ(openStorage(path, STGM_CONVERT | STGM_TRANSACTED | STGM_READWRITE | STGM_SHARE_EXCLUSIVE,
                          storage.put()),
              STG_S_CONVERTED);
    EXPECT_EQ(readText(storage.get(), u"Contents"), std::string("\x01\x02\x03"));
    storage.reset();
    EXPECT_EQ(fileBytes(path), (std::vector<unsigned char>{1, 2, 3}));
}

TEST(Docfile, TransactedStorageWritesOnlyOnCommitAndReverts) {
    HGLOBAL block = globalAlloc(0);
    ComPtr<ILockBytes> bytes;
    createLockBytesOnHGlobal(block, bytes.put());
    ComPtr<IStorage> storage;
    ASSERT_EQ(
        createDocfileOnLockBytes(bytes.get(), STGM_CREATE | STGM_READWRITE | STGM_TRANSACTED, storage.put()),
        S_OK);
    const std::size_t emptySize = block->bytes.size();
    writeText(storage.get(), u"s", "kept");
    EXPECT_EQ(block->bytes.size(), emptySize);
    ASSERT_EQ(storage->Commit(STGC_DEFAULT), S_OK);
    const auto committed = block->bytes;
    writeText(storage.get(), u"s", "dropped");
    writeText(storage.get(), u"t", "dropped too");
    ASSERT_EQ(storage->Revert(), S_OK);
    EXPECT_EQ(readText(storage.get(), u"s"), "kept");
    EXPECT_EQ(readText(storage.get(), u"t"), "<missing>");
    storage.reset();
    EXPECT_EQ(block->bytes, committed);
}

TEST(Docfile, EveryTruncatedImageFailsCleanly) {
    HGLOBAL block = globalAlloc(0);
    ComPtr<ILockBytes> bytes;
    createLockBytesOnHGlobal(block, bytes.put());
    {
        ComPtr<IStorage> storage;
        createDocfileOnLockBytes(bytes.get(), STGM_CREATE | STGM_READWRITE, storage.put());
        writeText(storage.get(), u"one", "abc");
        writeText(storage.get(), u"two", "defgh");
    }
    const std::vector<std::uint8_t> image = block->bytes;
    for (std::size_t length = 8; length < image.size(); ++length) {
        HGLOBAL cut = globalAlloc(0);
        cut->bytes.assign(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(length));
        ComPtr<ILockBytes> cutBytes;
        createLockBytesOnHGlobal(cut, cutBytes.put());
        ComPtr<IStorage> storage;
        EXPECT_EQ(openStorageOnLockBytes(cutBytes.get(), STGM_READ, storage.put()), STG_E_DOCFILECORRUPT)
            << length;
        EXPECT_FALSE(storage);
    }
}

TEST(Docfile, HugeElementCountIsRefused) {
    HGLOBAL block = globalAlloc(0);
    ComPtr<ILockBytes> bytes;
    createLockBytesOnHGlobal(block, bytes.put());
    {
        ComPtr<IStorage> storage;
        createDocfileOnLockBytes(bytes.get(), STGM_CREATE | STGM_READWRITE, storage.put());
    }
    block->bytes[28] = 0xFF;
    block->bytes[31] = 0x7F;
    ComPtr<IStorage> storage;
    EXPECT_EQ(openStorageOnLockBytes(bytes.get(), STGM_READ, storage.put()), STG_E_DOCFILECORRUPT);
}

TEST(Docfile, RecreatingAStreamWithTheCreateFlagStartsItEmpty) {
    Medium medium;
    {
        ComPtr<IStorage> storage;
        ASSERT_EQ(medium.create(storage.put()), S_OK);
        writeText(storage.get(), u"s", "a longer first text");
        writeText(storage.get(), u"S", "ab");
        EXPECT_EQ(readText(storage.get(), u"s"), "ab");
        ComPtr<IStream> stream;
        ASSERT_EQ(storage->CreateStream(u"t", STGM_WRITE, stream.put()), S_OK);
        stream->Write("xyz", 3, nullptr);
        stream.reset();
        ASSERT_EQ(storage->CreateStream(u"t", STGM_CREATE | STGM_WRITE, stream.put()), S_OK);
        stream.reset();
        EXPECT_EQ(readText(storage.get(), u"t"), "");
    }
    EXPECT_EQ(medium.block->bytes, containerImage({{u"s", "ab"}, {u"t", ""}}));
}

TEST(Docfile, DestroyingAnElementInDirectModeShrinksTheFileAtOnce) {
    TempFolder folder;
    const std::string path = folder.file("shrink.stg");
    ComPtr<IStorage> storage;
    ASSERT_EQ(createDocfile(path, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, storage.put()), S_OK);
    writeText(storage.get(), u"one", "abc");
    writeText(storage.get(), u"two", "defgh");
    // 32 header bytes; "one": 2 + 6 + 8 + 3; "two": 2 + 6 + 8 + 5.
    EXPECT_EQ(fileBytes(path).size(), 32u + 19 + 21);
    ASSERT_EQ(storage->DestroyElement(u"TWO"), S_OK);
    EXPECT_EQ(fileBytes(path).size(), 32u + 19);  // the storage is still open
    EXPECT_EQ(storage->DestroyElement(u"two"), STG_E_FILENOTFOUND);
    storage.reset();
    ASSERT_EQ(openStorage(path, STGM_READ, storage.put()), S_OK);
    EXPECT_EQ(readText(storage.get(), u"one"), "abc");
    EXPECT_EQ(readText(storage.get(), u"two"), "<missing>");
}

TEST(Docfile, NamesOfThirtyOneUnitsAreTheLongest) {
    const std::u16string longest = u"0123456789012345678901234567890";
    ASSERT_EQ(longest.size(), 31u);
    Medium medium;
    {
        ComPtr<IStorage> storage;
        ASSERT_EQ(medium.create(storage.put()), S_OK);
        writeText(storage.get(), longest.c_str(), "k");
        ComPtr<IStream> stream;
        EXPECT_EQ(storage->CreateStream((longest + u"1").c_str(), STGM_WRITE, stream.put()),
                  STG_E_INVALIDNAME);
    }
    EXPECT_EQ(medium.block->bytes, containerImage({{longest, "k"}}));
    ComPtr<IStorage> storage;
    ASSERT_EQ(medium.open(STGM_READ, storage.put()), S_OK);
    EXPECT_EQ(readText(storage.get(), longest.c_str()), "k");
    Medium tooLong(containerImage({{longest + u"1", "k"}}));
    EXPECT_EQ(tooLong.open(STGM_READ, storage.put()), STG_E_DOCFILECORRUPT);
}

TEST(Docfile, AnotherFormatVersionIsRefusedAsDamaged) {
    const std::vector<std::uint8_t> image = containerImage({{u"s", "text"}});
    ASSERT_EQ(Medium(image).open(STGM_READ, ComPtr<IStorage>().put()), S_OK);
    for (const auto& [offset, value] :
         std::vector<std::pair<std::size_t, std::uint8_t>>{{8, 0}, {8, 2}, {9, 1}, {11, 0x80}}) {
        Medium medium(image);
        medium.block->bytes[offset] = value;
        ComPtr<IStorage> storage;
        EXPECT_EQ(medium.open(STGM_READ, storage.put()), STG_E_DOCFILECORRUPT) << offset << " " << int(value);
        // Conversion does not take a damaged container for a plain file either.
        EXPECT_EQ(medium.open(STGM_READWRITE | STGM_CONVERT, storage.put()), STG_E_DOCFILECORRUPT);
    }
}

// --- containers that no storage of ours writes, as a file from someone else may hold them ---

TEST(HostileContainer, NamesEqualButForCaseAreDamage) {
    for (const auto& [first, second] : std::vector<std::pair<std::u16string, std::u16string>>{
             {u"A", u"a"}, {u"Contents", u"CONTENTS"}, {u"same", u"same"}}) {
        Medium medium(containerImage({{first, "first"}, {second, "second"}}));
        ComPtr<IStorage> storage;
        EXPECT_EQ(medium.open(STGM_READWRITE | STGM_TRANSACTED, storage.put()), STG_E_DOCFILECORRUPT);
        EXPECT_FALSE(storage);
    }
}

TEST(HostileContainer, NamesNoCallerCouldCreateAreDamage) {
    const std::vector<std::u16string> names{std::u16string(u"ab\0cd", 5),
                                            std::u16string(u"\0", 1),
                                            u"tab\there",
                                            u"a/b",
                                            u"a\\b",
                                            u"x:y",
                                            u"bang!"};
    for (const std::u16string& name : names) {
        const std::vector<std::uint8_t> image = containerImage({{name, "eleven byte"}});
        Medium medium(image);
        ComPtr<IStorage> storage;
        EXPECT_EQ(medium.open(STGM_READWRITE | STGM_TRANSACTED, storage.put()), STG_E_DOCFILECORRUPT);
        EXPECT_FALSE(storage);
        EXPECT_EQ(medium.block->bytes, image);  // left as it was
    }
}

TEST(HostileContainer, EmptyStreamsReadAndCopyAsEmpty) {
    const std::vector<std::uint8_t> image = containerImage({{u"empty", ""}, {u"Contents", ""}});
    Medium medium(image);
    ComPtr<IStorage> storage;
    ASSERT_EQ(medium.open(STGM_READWRITE, storage.put()), S_OK);
    ComPtr<IStream> stream;
    ASSERT_EQ(storage->OpenStream(u"empty", STGM_READ, stream.put()), S_OK);
    char byte = 'x';
    ULONG moved = 7;
    EXPECT_EQ(stream->Read(&byte, 1, &moved), S_OK);
    EXPECT_EQ(moved, 0u);
    EXPECT_EQ(stream->Read(nullptr, 0, &moved), S_OK);
    ComPtr<IStream> clone;
    ASSERT_EQ(stream->Clone(clone.put()), S_OK);
    EXPECT_EQ(clone->Read(&byte, 1, &moved), S_OK);
    EXPECT_EQ(moved, 0u);
    stream.reset();
    clone.reset();
    EXPECT_EQ(readText(storage.get(), u"CONTENTS"), "");
    ASSERT_EQ(storage->SetClass(CLSID{}), S_OK);  // writes the image again
    storage.reset();
    EXPECT_EQ(medium.block->bytes, image);
}

TEST(HostileContainer, ConvertedTransactedStorageRevertedThenCommittedWritesItsImage) {
    TempFolder folder;
    const std::string path = folder.file("plain.bin");
    writeFileBytes(path, {'e', 'l', 'e', 'v', 'e', 'n', ' ', 'b', 'y', 't', 'e'});
    {
        ComPtr<IStorage> storage;
        ASSERT_EQ(openStorage(path, STGM_CONVERT | STGM_TRANSACTED | STGM_READWRITE | STGM_SHARE_EXCLUSIVE,
                              storage.put()),
                  STG_S_CONVERTED);
        ASSERT_EQ(storage->Revert(), S_OK);
        EXPECT_EQ(readText(storage.get(), u"CONTENTS"), "eleven byte");
        ASSERT_EQ(storage->Commit(STGC_DEFAULT), S_OK);
    }
    const std::vector<std::uint8_t> expected = containerImage({{u"CONTENTS", "eleven byte"}});
    const std::vector<unsigned char> written = fileBytes(path);
    EXPECT_EQ(std::vector<std::uint8_t>(written.begin(), written.end()), expected);
}

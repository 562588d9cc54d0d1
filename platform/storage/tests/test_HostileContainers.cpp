// Containers that no storage of ours writes, as a file from someone else may hold them.
#include <gtest/gtest.h>

#include "com/ComPtr.h"
#include "storage/GlobalMemory.h"
#include "storage/Storage.h"
#include "testsupport/TempFolder.h"

using namespace com;
using namespace testsupport;
using Image = std::vector<std::uint8_t>;

namespace {

// A container image written out field by field: signature, version 1, a zero class id, the
// element count, then each element's name length, name, size and bytes.
Image containerImage(const std::vector<std::pair<std::u16string, std::string>>& elements) {
    Image image{0x54, 0x57, 0x4B, 0x53, 0x54, 0x47, 0x0D, 0x0A, 1, 0, 0, 0};
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

struct Medium {
    HGLOBAL block = globalAlloc(0);
    ComPtr<ILockBytes> bytes;
    explicit Medium(const Image& image) {
        block->bytes = image;
        createLockBytesOnHGlobal(block, bytes.put());
    }
    HRESULT open(DWORD mode, IStorage** out) { return openStorageOnLockBytes(bytes.get(), mode, out); }
};

std::string readAll(IStorage* storage, const char16_t* name) {
    ComPtr<IStream> stream;
    if (storage->OpenStream(name, STGM_READ | STGM_SHARE_EXCLUSIVE, stream.put()) != S_OK)
        return "<missing>";
    std::string text(64, '\0');
    ULONG moved = 0;
    stream->Read(text.data(), static_cast<ULONG>(text.size()), &moved);
    text.resize(moved);
    return text;
}

}  // namespace

TEST(HostileContainer, TheHandWrittenImageIsWhatTheStorageWrites) {
    // The image builder agrees with the storage on a sound container.
    Medium medium(containerImage({{u"A", "first"}, {u"b", ""}}));
    ComPtr<IStorage> storage;
    ASSERT_EQ(medium.open(STGM_READ, storage.put()), S_OK);
    EXPECT_EQ(readAll(storage.get(), u"a"), "first");
    EXPECT_EQ(readAll(storage.get(), u"B"), "");
}

TEST(HostileContainer, NamesEqualButForCaseAreDamage) {
    for (const auto& names : std::vector<std::pair<std::u16string, std::u16string>>{
             {u"A", u"a"}, {u"Contents", u"CONTENTS"}, {u"same", u"same"}}) {
        Medium medium(containerImage({{names.first, "first"}, {names.second, "second"}}));
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
        Medium medium(containerImage({{name, "eleven byte"}}));
        ComPtr<IStorage> storage;
        EXPECT_EQ(medium.open(STGM_READWRITE | STGM_TRANSACTED, storage.put()), STG_E_DOCFILECORRUPT);
        EXPECT_FALSE(storage);
        EXPECT_EQ(medium.block->bytes, containerImage({{name, "eleven byte"}}));  // left as it was
    }
}

TEST(HostileContainer, EmptyStreamsReadAndCopyAsEmpty) {
    Medium medium(containerImage({{u"empty", ""}, {u"Contents", ""}}));
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
    ASSERT_EQ(storage->Commit(STGC_DEFAULT), S_OK);
    storage.reset();
    EXPECT_EQ(medium.block->bytes, containerImage({{u"empty", ""}, {u"Contents", ""}}));
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
        EXPECT_EQ(readAll(storage.get(), u"CONTENTS"), "eleven byte");
        ASSERT_EQ(storage->Commit(STGC_DEFAULT), S_OK);
    }
    const Image expected = containerImage({{u"CONTENTS", "eleven byte"}});
    const std::vector<unsigned char> written = fileBytes(path);
    EXPECT_EQ(Image(written.begin(), written.end()), expected);
    ComPtr<IStorage> storage;
    ASSERT_EQ(openStorage(path, STGM_READ, storage.put()), S_OK);
    EXPECT_EQ(readAll(storage.get(), u"Contents"), "eleven byte");
}

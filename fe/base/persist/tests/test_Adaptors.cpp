#include <gtest/gtest.h>

#include <QGuiApplication>

#include "ui/Input.h"

#include "com/Text.h"
#include "persist/ArchiveClipboard.h"
#include "persist/CArchiveStream.h"
#include "persist/CFileLockBytes.h"
#include "persist/CIniPropertyBag.h"
#include "persist/CLockBytesStream.h"
#include "persist/CMemoryArchive.h"
#include "testsupport/TempFolder.h"

using namespace dravik;
using com::ComPtr;
using namespace testsupport;

TEST(IniPropertyBag, ReadsOneKeyOfOneSectionWithConversion) {
    TempFolder folder;
    const std::string path = folder.file("study.ini");
    const std::string text =
        "; study settings\n[Other]\nPeriods=99\n[ Study ]\nPeriods = 12\nName=\"Moving "
        "Average\"\nEmpty=\nRate=2.5\n"
        "Flag=True\n";
    writeFileBytes(path, std::vector<unsigned char>(text.begin(), text.end()));
    auto bag = com::makeComObject<CIniPropertyBag>(path, "study");

    struct Case {
        const char16_t* key;
        com::Variant want;
        com::HRESULT result;
        com::Variant expected;
    };
    const std::vector<Case> cases = {
        {u"periods", com::Variant(std::int32_t{0}), com::S_OK, com::Variant(std::int32_t{12})},
        {u"Periods", com::Variant(std::int16_t{0}), com::S_OK, com::Variant(std::int16_t{12})},
        {u"Periods", com::Variant(com::Bstr(u"")), com::S_OK, com::Variant(com::Bstr(u"12"))},
        {u"Name", com::Variant(com::Bstr(u"")), com::S_OK, com::Variant(com::Bstr(u"Moving Average"))},
        {u"Rate", com::Variant(0.0), com::S_OK, com::Variant(2.5)},
        {u"Flag", com::Variant(false), com::S_OK, com::Variant(true)},
        {u"Name", com::Variant(std::int32_t{0}), com::DISP_E_TYPEMISMATCH, com::Variant(std::int32_t{0})},
        {u"Empty", com::Variant(std::int32_t{0}), com::E_INVALIDARG, com::Variant(std::int32_t{0})},
        {u"Missing", com::Variant(std::int32_t{0}), com::E_INVALIDARG, com::Variant(std::int32_t{0})},
    };
    for (const Case& c : cases) {
        com::Variant value = c.want;
        EXPECT_EQ(bag->Read(c.key, &value, nullptr), c.result) << com::utf16ToUtf8(c.key);
        EXPECT_EQ(value, c.expected) << com::utf16ToUtf8(c.key);
    }
    EXPECT_EQ(bag->Write(u"Periods", com::Variant(std::int32_t{5})), com::E_NOTIMPL);
    com::Variant value(std::int32_t{0});
    bag->Read(u"Periods", &value, nullptr);
    EXPECT_EQ(value.i4(), 12);
}

TEST(IniPropertyBag, MissingFileFails) {
    auto bag = com::makeComObject<CIniPropertyBag>("/nonexistent/tarnwick.ini", "Study");
    com::Variant value(std::int32_t{0});
    EXPECT_EQ(bag->Read(u"Periods", &value, nullptr), com::E_INVALIDARG);
}

TEST(LockBytesStream, ReadsWritesAndSeeksOverLockBytes) {
    com::HGLOBAL memory = com::globalAlloc(0);
    ComPtr<com::ILockBytes> lockBytes;
    com::createLockBytesOnHGlobal(memory, lockBytes.put());
    auto stream = com::makeComObject<CLockBytesStream>(lockBytes.get());
    stream->Write("hello", 5, nullptr);
    com::ULONGLONG position = 0;
    ASSERT_EQ(stream->Seek(-3, com::STREAM_SEEK_END, &position), com::S_OK);
    EXPECT_EQ(position, 2u);
    ComPtr<com::IStream> clone;
    ASSERT_EQ(stream->Clone(clone.put()), com::S_OK);
    stream.reset();
    lockBytes.reset();
    char text[4] = {};
    com::ULONG moved = 0;
    clone->Read(text, 3, &moved);  // the clone keeps the lock bytes alive
    EXPECT_EQ(std::string(text, moved), "llo");
    EXPECT_EQ(clone->Seek(-1, com::STREAM_SEEK_SET, &position), com::STG_E_INVALIDFUNCTION);
}

TEST(ArchiveStream, PassesThroughToTheArchive) {
    CMemoryArchive archive;
    auto stream = com::makeComObject<CArchiveStream>(&archive);
    stream->Write("abc", 3, nullptr);
    EXPECT_EQ(archive.Position(), 3u);
    com::STATSTG stat;
    stream->Stat(&stat, com::STATFLAG_NONAME);
    EXPECT_EQ(stat.size, 3u);
    EXPECT_EQ(stat.mode, com::STGM_SHARE_EXCLUSIVE | com::STGM_WRITE);
    ComPtr<com::IStream> clone;
    EXPECT_EQ(stream->Clone(clone.put()), com::E_NOTIMPL);
}

TEST(FileLockBytes, StartAtTheHandlesPosition) {
    TempFolder folder;
    const std::string path = folder.file("lock.bin");
    {
        auto lockBytes = com::makeComObject<CFileLockBytes>(path, true);
        ASSERT_TRUE(lockBytes->IsOpen());
        com::ULONG moved = 0;
        ASSERT_EQ(lockBytes->WriteAt(2, "zz", 2, &moved), com::S_OK);
    }
    EXPECT_EQ(fileBytes(path), (std::vector<unsigned char>{0, 0, 'z', 'z'}));
    auto reader = com::makeComObject<CFileLockBytes>(path, false);
    com::ULONG moved = 0;
    EXPECT_EQ(reader->WriteAt(0, "x", 1, &moved), com::E_FAIL);
}

namespace {

class FakeClipboard final : public IArchiveClipboard {
public:
    bool Open() override { return ++opens, !open && (open = true); }
    void Close() override { open = false; }
    bool Empty() override {
        ++empties;
        data.reset();
        return true;
    }
    com::HGLOBAL GetData(std::uint32_t wanted) override { return wanted == format ? data : nullptr; }
    bool SetData(std::uint32_t f, com::HGLOBAL d) override {
        format = f;
        data = std::move(d);
        return true;
    }
    bool open = false;
    int opens = 0;
    int empties = 0;
    std::uint32_t format = 0;
    com::HGLOBAL data;
};

}  // namespace

TEST(MemoryArchive, ClipboardRoundTripWithTextTerminator) {
    FakeClipboard clipboard;
    SetArchiveClipboard(&clipboard);
    {
        CMemoryArchive archive;
        ASSERT_TRUE(archive.OpenClipboard(CF_UNICODETEXT, true, true));
        com::Bstr text(u"ab");
        archive.ExchangeBstr(&text, u"k", nullptr);
        EXPECT_EQ(archive.CloseClipboard(), com::S_OK);
    }
    EXPECT_FALSE(clipboard.open);
    EXPECT_EQ(clipboard.empties, 1);
    ASSERT_TRUE(clipboard.data);
    EXPECT_EQ(clipboard.data->bytes, (std::vector<std::uint8_t>{2, 0, 'a', 0, 'b', 0, 0, 0}));

    CMemoryArchive archive;
    EXPECT_FALSE(archive.OpenClipboard(CF_TEXT, false, false));  // no such format
    EXPECT_FALSE(clipboard.open);
    ASSERT_TRUE(archive.OpenClipboard(CF_UNICODETEXT, false, false));
    EXPECT_TRUE(clipboard.open);
    com::Bstr text;
    archive.ExchangeBstr(&text, u"k", nullptr);
    EXPECT_EQ(text, com::Bstr(u"ab"));
    EXPECT_EQ(archive.CloseClipboard(), com::S_OK);
    EXPECT_FALSE(clipboard.open);
    EXPECT_EQ(archive.CloseClipboard(), com::E_FAIL);
    SetArchiveClipboard(nullptr);
    EXPECT_NE(ArchiveClipboard(), &clipboard);  // the system clipboard is back
    EXPECT_NE(ArchiveClipboard(), nullptr);
}

TEST(MemoryArchive, SystemClipboardCarriesAPrivateFormat) {
    const std::uint32_t format = ui::registerClipboardFormat(QStringLiteral("Tarnwick test archive"));
    {
        CMemoryArchive archive;
        ASSERT_TRUE(archive.OpenClipboard(format, true, true));
        std::int32_t value = 0x10012012;
        archive.ExchangeLong(&value, u"k", 0);
        EXPECT_EQ(archive.CloseClipboard(), com::S_OK);
    }
    CMemoryArchive archive;
    ASSERT_TRUE(archive.OpenClipboard(format, false, false));
    std::int32_t value = 0;
    archive.ExchangeLong(&value, u"k", 0);
    EXPECT_EQ(value, 0x10012012);
    EXPECT_EQ(archive.CloseClipboard(), com::S_OK);
}

TEST(MemoryArchive, OwnedMemoryLoadsAndDetaches) {
    com::HGLOBAL memory = com::globalAlloc(2);
    memory->bytes = {0xFE, 0xFF};
    CMemoryArchive archive(memory);
    EXPECT_FALSE(archive.IsStoring());
    std::int16_t value = 0;
    archive.ExchangeShort(&value, u"k", 0);
    EXPECT_EQ(value, -2);
    EXPECT_EQ(archive.LockGlobal(), memory->bytes.data());
    EXPECT_EQ(archive.DetachGlobal(), memory);
}

TEST(IniPropertyBag, ReadsTheFileOnceForAllItsProperties) {
    TempFolder folder;
    const std::string path = folder.file("once.ini");
    const std::string text = "[Study]\nPeriods=12\nperiods=13\nName=RSI\n";
    writeFileBytes(path, std::vector<unsigned char>(text.begin(), text.end()));
    auto bag = com::makeComObject<CIniPropertyBag>(path, "Study");
    com::Variant value(std::int32_t{0});
    ASSERT_EQ(bag->Read(u"PERIODS", &value, nullptr), com::S_OK);
    EXPECT_EQ(value.i4(), 12);  // the first of two equal keys

    // Later properties come from what the first read found, not from the file as it is now.
    const std::string changed = "[Study]\nPeriods=99\nName=MACD\nRate=2\n";
    writeFileBytes(path, std::vector<unsigned char>(changed.begin(), changed.end()));
    com::Variant name(com::Bstr(u""));
    ASSERT_EQ(bag->Read(u"Name", &name, nullptr), com::S_OK);
    EXPECT_EQ(name, com::Variant(com::Bstr(u"RSI")));
    EXPECT_EQ(bag->Read(u"Rate", &value, nullptr), com::E_INVALIDARG);

    // A new bag (the next load) reads the file again.
    auto next = com::makeComObject<CIniPropertyBag>(path, "Study");
    ASSERT_EQ(next->Read(u"Name", &name, nullptr), com::S_OK);
    EXPECT_EQ(name, com::Variant(com::Bstr(u"MACD")));
}

TEST(IniPropertyBag, FileBeyondOneMebibyteIsNotRead) {
    TempFolder folder;
    const std::string path = folder.file("big.ini");
    std::string text = "[Study]\nPeriods=12\n";
    std::vector<unsigned char> bytes(text.begin(), text.end());
    bytes.resize((1u << 20) + 1, ' ');
    writeFileBytes(path, bytes);
    auto bag = com::makeComObject<CIniPropertyBag>(path, "Study");
    com::Variant value(std::int32_t{0});
    EXPECT_EQ(bag->Read(u"Periods", &value, nullptr), com::E_INVALIDARG);
    bytes.resize(1u << 20);
    writeFileBytes(path, bytes);
    auto fits = com::makeComObject<CIniPropertyBag>(path, "Study");
    EXPECT_EQ(fits->Read(u"Periods", &value, nullptr), com::S_OK);
    EXPECT_EQ(value.i4(), 12);
}

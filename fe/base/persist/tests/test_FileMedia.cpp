#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>
#include <cstring>

#include "com/Activation.h"
#include "persist/CArchiveLockBytes.h"
#include "persist/CFileArchive.h"
#include "persist/CFileStream.h"
#include "persist/CMemoryArchive.h"
#include "persist/CStreamArchive.h"
#include "testsupport/TempFolder.h"

using namespace dravik;
using com::ComPtr;
using namespace testsupport;
using Bytes = std::vector<unsigned char>;

TEST(FileArchive, PlainValuesAreTheByteImage) {
    TempFolder folder;
    const std::string path = folder.file("plain.bin");
    {
        CFileArchive archive;
        ASSERT_TRUE(archive.Open(path, true));
        std::uint32_t signature = 0x10012012;
        std::int16_t value = -2;
        archive.ExchangeUlong(&signature, u"_Signature", 0);
        archive.ExchangeShort(&value, u"k", 0);
        EXPECT_EQ(archive.Position(), 6u);
    }
    EXPECT_EQ(fileBytes(path), (Bytes{0x12, 0x20, 0x01, 0x10, 0xFE, 0xFF}));

    CFileArchive archive;
    ASSERT_TRUE(archive.Open(path, false));
    std::uint32_t signature = 0;
    std::int16_t value = 0;
    std::int32_t beyond = 0;
    archive.ExchangeUlong(&signature, u"_Signature", 0);
    archive.ExchangeShort(&value, u"k", 0);
    EXPECT_EQ(signature, 0x10012012u);
    EXPECT_EQ(value, -2);
    EXPECT_FALSE(archive.Failed());
    EXPECT_EQ(archive.ExchangeLong(&beyond, u"k", 0), 0);
    EXPECT_EQ(archive.Error(), com::STG_E_READFAULT);
    EXPECT_FALSE(CFileArchive().Open(folder.file("missing"), false));
}

TEST(FileArchive, AttachedHandleStartsAtItsPositionAndStaysOpen) {
    TempFolder folder;
    const std::string path = folder.file("attached.bin");
    writeFileBytes(path, Bytes(10, 0));
    const int fd = ::open(path.c_str(), O_RDWR);
    ASSERT_GE(fd, 0);
    ::lseek(fd, 4, SEEK_SET);
    {
        CFileArchive archive(fd, true);
        EXPECT_EQ(archive.Position(), 4u);
        std::uint8_t byte = 0x5A;
        archive.ExchangeByte(&byte, u"k", 0);
    }
    EXPECT_EQ(::lseek(fd, 0, SEEK_CUR), 5);  // not closed by the archive
    ::close(fd);
    EXPECT_EQ(fileBytes(path)[4], 0x5A);
}

TEST(FileArchive, NullObjectIsOneByteAndOpensNoDocfile) {
    TempFolder folder;
    const std::string path = folder.file("nested.bin");
    {
        CFileArchive archive;
        ASSERT_TRUE(archive.Open(path, true));
        std::int16_t head = 7;
        archive.ExchangeShort(&head, u"k", 0);
        ComPtr<com::IUnknown> none;
        EXPECT_EQ(archive.ExchangeObject(&none, u"k"), 1);
        std::int32_t tail = 99;
        archive.ExchangeLong(&tail, u"k", 0);
        EXPECT_EQ(archive.Position(), 7u);
    }
    EXPECT_EQ(fileBytes(path), (Bytes{0x07, 0x00, 0xFF, 0x63, 0x00, 0x00, 0x00}));

    CFileArchive archive;
    ASSERT_TRUE(archive.Open(path, false));
    std::int16_t head = 0;
    std::int32_t tail = 0;
    ComPtr<com::IUnknown> none;
    archive.ExchangeShort(&head, u"k", 0);
    EXPECT_EQ(archive.ExchangeObject(&none, u"k"), 1);
    EXPECT_FALSE(none);
    archive.ExchangeLong(&tail, u"k", 0);
    EXPECT_EQ(head, 7);
    EXPECT_EQ(tail, 99);
    EXPECT_EQ(archive.Position(), 7u);
    EXPECT_FALSE(archive.Failed());
}

TEST(StreamArchive, DocfileWithTwoNamedStreams) {
    TempFolder folder;
    const std::string path = folder.file("chart.stg");
    {
        CStreamArchive archive;
        ASSERT_TRUE(archive.OpenDocfile(path, true, "Contents"));
        std::int32_t first = 1;
        archive.ExchangeLong(&first, u"k", 0);
        ASSERT_TRUE(archive.OpenStream("Toolbar"));
        std::int32_t second = 2;
        archive.ExchangeLong(&second, u"k", 0);
    }
    EXPECT_EQ(com::isStorageFile(path), com::S_OK);
    CStreamArchive archive;
    ASSERT_TRUE(archive.OpenDocfile(path, false, "Toolbar"));
    std::int32_t value = 0;
    archive.ExchangeLong(&value, u"k", 0);
    EXPECT_EQ(value, 2);
    ASSERT_TRUE(archive.OpenStream());
    archive.ExchangeLong(&value, u"k", 0);
    EXPECT_EQ(value, 1);
    EXPECT_FALSE(archive.OpenStream("Missing"));
    EXPECT_FALSE(archive.IsOpen());
}

TEST(StreamArchive, PlainFileLoadsByConversion) {
    TempFolder folder;
    const std::string path = folder.file("old.bin");
    writeFileBytes(path, {0xFE, 0xFF});
    CStreamArchive archive;
    ASSERT_TRUE(archive.OpenDocfile(path, false));
    std::int16_t value = 0;
    archive.ExchangeShort(&value, u"k", 0);
    EXPECT_EQ(value, -2);
    archive.Close();
    EXPECT_EQ(fileBytes(path), (Bytes{0xFE, 0xFF}));
}

TEST(ArchiveLockBytes, RefuseWritesWhileLoading) {
    const std::vector<std::uint8_t> bytes{1, 2, 3, 4};
    CMemoryArchive archive(bytes.data(), bytes.size());
    archive.Seek(1, ARCHIVE_BEGIN);
    CArchiveLockBytes* lockBytes = CArchiveLockBytes::Create(&archive);
    com::ULONG moved = 9;
    EXPECT_EQ(lockBytes->WriteAt(0, "x", 1, &moved), com::E_FAIL);
    EXPECT_EQ(moved, 0u);
    std::uint8_t read[2] = {};
    ASSERT_EQ(lockBytes->ReadAt(1, read, 2, &moved), com::S_OK);
    EXPECT_EQ(read[0], 3);  // base offset 1 plus offset 1
    com::STATSTG stat;
    lockBytes->Stat(&stat, com::STATFLAG_NONAME);
    EXPECT_EQ(stat.size, 3u);
    lockBytes->DetachArchive();
    EXPECT_EQ(lockBytes->ReadAt(0, read, 1, &moved), com::E_FAIL);
    lockBytes->Release();
}

TEST(FileStream, SeekFromTheStartCountsFromTheBaseOffset) {
    TempFolder folder;
    const std::string path = folder.file("offset.bin");
    Bytes content(120);
    for (std::size_t i = 0; i < content.size(); ++i)
        content[i] = static_cast<unsigned char>(i);
    writeFileBytes(path, content);
    const int fd = ::open(path.c_str(), O_RDONLY);
    ::lseek(fd, 100, SEEK_SET);
    {
        auto stream = com::makeComObject<CFileStream>(fd, false, path);
        ::lseek(fd, 110, SEEK_SET);
        com::ULONGLONG position = 99;
        ASSERT_EQ(stream->Seek(0, com::STREAM_SEEK_SET, &position), com::S_OK);
        EXPECT_EQ(position, 0u);
        EXPECT_EQ(::lseek(fd, 0, SEEK_CUR), 100);
        std::uint8_t byte = 0;
        stream->Read(&byte, 1, nullptr);
        EXPECT_EQ(byte, 100);
        com::STATSTG stat;
        stream->Stat(&stat, com::STATFLAG_NONAME);
        EXPECT_EQ(stat.size, 20u);
    }
    ::close(fd);
}

TEST(FileStream, CloneOfAWritingStreamKeepsTheFile) {
    TempFolder folder;
    const std::string path = folder.file("clone.bin");
    auto stream = com::makeComObject<CFileStream>(path, true);
    ASSERT_TRUE(stream->IsOpen());
    stream->Write("abcdef", 6, nullptr);
    ComPtr<com::IStream> clone;
    ASSERT_EQ(stream->Clone(clone.put()), com::S_OK);
    clone->Write("G", 1, nullptr);  // at the original's position
    clone.reset();
    stream.reset();
    EXPECT_EQ(fileBytes(path), (Bytes{'a', 'b', 'c', 'd', 'e', 'f', 'G'}));
}

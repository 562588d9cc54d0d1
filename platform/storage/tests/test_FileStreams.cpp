#include <gtest/gtest.h>

#include "com/ComPtr.h"
#include "storage/FileStreams.h"
#include "testsupport/TempFolder.h"

using namespace com;
using namespace testsupport;

TEST(FileStream, WritesAndReadsBackThroughTheFile) {
    TempFolder folder;
    const std::string path = folder.file("a.bin");
    {
        ComPtr<IStream> stream;
        ASSERT_EQ(createStreamOnFile(path, STGM_CREATE | STGM_WRITE, stream.put()), S_OK);
        ULONG moved = 0;
        ASSERT_EQ(stream->Write("payload", 7, &moved), S_OK);
        EXPECT_EQ(moved, 7u);
        char c;
        EXPECT_EQ(stream->Read(&c, 1, &moved), STG_E_ACCESSDENIED);
    }
    EXPECT_EQ(fileBytes(path), (std::vector<unsigned char>{'p', 'a', 'y', 'l', 'o', 'a', 'd'}));

    ComPtr<IStream> stream;
    ASSERT_EQ(createStreamOnFile(path, STGM_READ, stream.put()), S_OK);
    ULONGLONG position = 0;
    stream->Seek(-4, STREAM_SEEK_END, &position);
    EXPECT_EQ(position, 3u);
    char buffer[8] = {};
    ULONG moved = 0;
    stream->Read(buffer, 8, &moved);
    EXPECT_EQ(std::string(buffer, moved), "load");
    STATSTG stat;
    stream->Stat(&stat, STATFLAG_NONAME);
    EXPECT_EQ(stat.size, 7u);
}

TEST(FileStream, MissingFileFailsAndCloneKeepsTheContents) {
    TempFolder folder;
    ComPtr<IStream> stream;
    EXPECT_EQ(createStreamOnFile(folder.file("none"), STGM_READ, stream.put()), STG_E_FILENOTFOUND);
    EXPECT_FALSE(stream);

    const std::string path = folder.file("b.bin");
    ASSERT_EQ(createStreamOnFile(path, STGM_CREATE | STGM_READWRITE, stream.put()), S_OK);
    stream->Write("12345", 5, nullptr);
    ComPtr<IStream> clone;
    ASSERT_EQ(stream->Clone(clone.put()), S_OK);
    clone.reset();
    stream.reset();
    EXPECT_EQ(fileBytes(path).size(), 5u);
}

TEST(FileLockBytes, WriteAtExtendsTheFile) {
    TempFolder folder;
    const std::string path = folder.file("c.bin");
    ComPtr<ILockBytes> bytes;
    ASSERT_EQ(createLockBytesOnFile(path, STGM_CREATE | STGM_READWRITE, bytes.put()), S_OK);
    ULONG moved = 0;
    ASSERT_EQ(bytes->WriteAt(3, "z", 1, &moved), S_OK);
    STATSTG stat;
    bytes->Stat(&stat, STATFLAG_NONAME);
    EXPECT_EQ(stat.size, 4u);
    EXPECT_EQ(stat.type, static_cast<DWORD>(STGTY_LOCKBYTES));
    bytes.reset();
    EXPECT_EQ(fileBytes(path), (std::vector<unsigned char>{0, 0, 0, 'z'}));
}

#include <gtest/gtest.h>

#include "com/ComPtr.h"
#include "storage/GlobalMemory.h"

using namespace com;

namespace {

ComPtr<IStream> memoryStream(HGLOBAL block = nullptr) {
    ComPtr<IStream> stream;
    EXPECT_EQ(createStreamOnHGlobal(std::move(block), stream.put()), S_OK);
    return stream;
}

ULONGLONG seek(IStream* stream, LONGLONG move, DWORD origin) {
    ULONGLONG position = 0;
    EXPECT_EQ(stream->Seek(move, origin, &position), S_OK);
    return position;
}

}  // namespace

TEST(MemoryStream, WritesGrowTheBlockAndReadsStopAtTheEnd) {
    ComPtr<IStream> stream = memoryStream();
    ULONG moved = 0;
    ASSERT_EQ(stream->Write("abcdef", 6, &moved), S_OK);
    EXPECT_EQ(moved, 6u);
    HGLOBAL block;
    ASSERT_EQ(getHGlobalFromStream(stream.get(), &block), S_OK);
    EXPECT_EQ(globalSize(block), 6u);

    char buffer[8] = {};
    EXPECT_EQ(seek(stream.get(), -2, STREAM_SEEK_END), 4u);
    ASSERT_EQ(stream->Read(buffer, 8, &moved), S_OK);
    EXPECT_EQ(moved, 2u);
    EXPECT_EQ(std::string(buffer, 2), "ef");
    ASSERT_EQ(stream->Read(buffer, 8, &moved), S_OK);
    EXPECT_EQ(moved, 0u);
}

TEST(MemoryStream, SeekOriginsAndRefusedNegativePosition) {
    ComPtr<IStream> stream = memoryStream();
    stream->Write("0123456789", 10, nullptr);
    EXPECT_EQ(seek(stream.get(), 3, STREAM_SEEK_SET), 3u);
    EXPECT_EQ(seek(stream.get(), 2, STREAM_SEEK_CUR), 5u);
    EXPECT_EQ(seek(stream.get(), 0, STREAM_SEEK_END), 10u);
    ULONGLONG position = 99;
    EXPECT_EQ(stream->Seek(-11, STREAM_SEEK_END, &position), STG_E_INVALIDFUNCTION);
    EXPECT_EQ(position, 10u);
    EXPECT_EQ(stream->Seek(0, 7, nullptr), STG_E_INVALIDFUNCTION);
}

TEST(MemoryStream, WritingPastTheEndFillsTheGapWithZeros) {
    ComPtr<IStream> stream = memoryStream();
    seek(stream.get(), 3, STREAM_SEEK_SET);
    stream->Write("x", 1, nullptr);
    HGLOBAL block;
    getHGlobalFromStream(stream.get(), &block);
    EXPECT_EQ(block->bytes, (std::vector<std::uint8_t>{0, 0, 0, 'x'}));
}

TEST(MemoryStream, SharesTheCallersBlockAndClonesShareBytes) {
    HGLOBAL block = globalAlloc(2);
    ComPtr<IStream> stream = memoryStream(block);
    stream->Write("ab", 2, nullptr);
    EXPECT_EQ(block->bytes, (std::vector<std::uint8_t>{'a', 'b'}));

    ComPtr<IStream> clone;
    ASSERT_EQ(stream->Clone(clone.put()), S_OK);
    EXPECT_EQ(seek(clone.get(), 0, STREAM_SEEK_CUR), 2u);
    clone->Write("c", 1, nullptr);
    STATSTG stat;
    stream->Stat(&stat, STATFLAG_NONAME);
    EXPECT_EQ(stat.size, 3u);
    EXPECT_EQ(stat.type, static_cast<DWORD>(STGTY_STREAM));
}

TEST(MemoryStream, FixedBufferTakesWhatFitsAndReportsMediumFull) {
    std::uint8_t buffer[4] = {};
    ComPtr<IStream> stream;
    ASSERT_EQ(createStreamOnBuffer(buffer, sizeof buffer, true, stream.put()), S_OK);
    ULONG moved = 0;
    EXPECT_EQ(stream->Write("abcdef", 6, &moved), STG_E_MEDIUMFULL);
    EXPECT_EQ(moved, 4u);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), 4), "abcd");
    HGLOBAL none;
    EXPECT_EQ(getHGlobalFromStream(stream.get(), &none), E_INVALIDARG);

    ComPtr<IStream> readOnly;
    createStreamOnBuffer(buffer, sizeof buffer, false, readOnly.put());
    EXPECT_EQ(readOnly->Write("z", 1, &moved), STG_E_ACCESSDENIED);
    EXPECT_EQ(buffer[0], 'a');
}

TEST(MemoryStream, CopyToMovesTheRequestedCount) {
    ComPtr<IStream> source = memoryStream();
    ComPtr<IStream> target = memoryStream();
    source->Write("hello world", 11, nullptr);
    seek(source.get(), 6, STREAM_SEEK_SET);
    ULONGLONG read = 0;
    ULONGLONG written = 0;
    ASSERT_EQ(source->CopyTo(target.get(), 100, &read, &written), S_OK);
    EXPECT_EQ(read, 5u);
    EXPECT_EQ(written, 5u);
    HGLOBAL block;
    getHGlobalFromStream(target.get(), &block);
    EXPECT_EQ(std::string(block->bytes.begin(), block->bytes.end()), "world");
}

TEST(HGlobalLockBytes, ReadAndWriteAtOffsets) {
    HGLOBAL block = globalAlloc(0);
    ComPtr<ILockBytes> bytes;
    ASSERT_EQ(createLockBytesOnHGlobal(block, bytes.put()), S_OK);
    ULONG moved = 0;
    ASSERT_EQ(bytes->WriteAt(2, "xy", 2, &moved), S_OK);
    EXPECT_EQ(block->bytes, (std::vector<std::uint8_t>{0, 0, 'x', 'y'}));
    char buffer[4] = {};
    ASSERT_EQ(bytes->ReadAt(3, buffer, 4, &moved), S_OK);
    EXPECT_EQ(moved, 1u);
    EXPECT_EQ(buffer[0], 'y');
    ASSERT_EQ(bytes->ReadAt(10, buffer, 4, &moved), S_OK);
    EXPECT_EQ(moved, 0u);
    HGLOBAL same;
    ASSERT_EQ(getHGlobalFromLockBytes(bytes.get(), &same), S_OK);
    EXPECT_EQ(same, block);
}

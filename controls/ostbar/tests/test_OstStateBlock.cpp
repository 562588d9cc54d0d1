#include <gtest/gtest.h>

#include <cstring>

#include "ostbar/OstCommandBar.h"
#include "ostbar/OstStateBlock.h"
#include "storage/GlobalMemory.h"

namespace ostbar {
namespace {

using Ids = std::vector<SHORT>;

com::ComPtr<com::IStream> memoryStream() {
    com::ComPtr<com::IStream> stream;
    EXPECT_EQ(com::createStreamOnHGlobal(nullptr, stream.put()), com::S_OK);
    return stream;
}

com::ULONGLONG position(com::IStream* stream) {
    com::ULONGLONG at = 0;
    stream->Seek(0, com::STREAM_SEEK_CUR, &at);
    return at;
}

void rewind(com::IStream* stream) {
    stream->Seek(0, com::STREAM_SEEK_SET, nullptr);
}

void writeU32(com::IStream* stream, std::uint32_t value) {
    stream->Write(&value, 4, nullptr);
}

std::uint32_t readU32(com::IStream* stream) {
    std::uint32_t value = 0;
    stream->Read(&value, 4, nullptr);
    return value;
}

void fill(OstCommandTable& table) {
    OstCommandData* tools = table.add(4);
    tools->text = u"Technical Drawing";
    tools->image = 3;
    tools->style = kStyleCheck;
    tools->checked = true;
    tools->flag = true;
    tools->subCommands = {77, -1, 69};
    OstCommandData* entry = table.add(31000);
    entry->text = u"مالي";
    entry->style = kStyleToolbarEntry;
    entry->enabled = false;
    entry->visible = false;
    entry->comboVisibleCount = 12;
    table.add(77)->text = u"Trend Line";
    *table.container(kToolbarContainer) = {29505, -1, 31000, 4};
    table.setState(kStateShown | 0x4);
}

void expectSameState(const OstCommandTable& a, const OstCommandTable& b) {
    EXPECT_EQ(a.state(), b.state());
    EXPECT_EQ(a.row(), b.row());
    ASSERT_EQ(a.ids(), b.ids());
    for (const SHORT id : a.ids()) {
        SCOPED_TRACE(id);
        EXPECT_TRUE(a.find(id)->sameState(*b.find(id)));
    }
}

TEST(OstStateBlock, ReloadsToTheSameStateAndStopsAtItsEnd) {
    OstCommandTable saved;
    fill(saved);
    auto stream = memoryStream();
    writeU32(stream.get(), 0x11111111);  // the owner's data before
    ASSERT_EQ(OstStateBlock::save(saved, stream.get()), com::S_OK);
    const com::ULONGLONG end = position(stream.get());
    writeU32(stream.get(), 0x20021021);  // and after

    rewind(stream.get());
    EXPECT_EQ(readU32(stream.get()), 0x11111111u);
    OstCommandTable loaded;
    ASSERT_EQ(OstStateBlock::load(loaded, stream.get()), com::S_OK);
    EXPECT_EQ(position(stream.get()), end);
    EXPECT_EQ(readU32(stream.get()), 0x20021021u);
    expectSameState(saved, loaded);
}

TEST(OstStateBlock, HeaderBytes) {
    OstCommandTable empty;
    auto stream = memoryStream();
    ASSERT_EQ(OstStateBlock::save(empty, stream.get()), com::S_OK);
    com::HGLOBAL memory;
    ASSERT_EQ(com::getHGlobalFromStream(stream.get(), &memory), com::S_OK);
    // Magic "OSTB", version 1, payload of 8 bytes: state 0, no commands, empty row.
    const std::vector<std::uint8_t> expected = {'O', 'S', 'T', 'B', 1, 0, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    std::vector<std::uint8_t> bytes(memory->bytes.begin(), memory->bytes.begin() + 18);
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(position(stream.get()), 18u);
}

TEST(OstStateBlock, LoadKeepsReceiversAndLeavesOtherCommands) {
    OstCommandTable saved;
    fill(saved);
    auto stream = memoryStream();
    OstStateBlock::save(saved, stream.get());
    rewind(stream.get());

    OstCommandTable target;
    target.add(500)->text = u"own";
    ASSERT_EQ(OstStateBlock::load(target, stream.get()), com::S_OK);
    EXPECT_EQ(target.find(500)->text, u"own");
    EXPECT_EQ(target.find(4)->subCommands, (Ids{77, -1, 69}));
}

// Damaged blocks: the table stays as it was, and the stream is left at the block's end so that the
// owner can read on (or back where it was when the block is no block at all).
TEST(OstStateBlock, DamagedBlocksChangeNothing) {
    OstCommandTable source;
    fill(source);
    auto good = memoryStream();
    OstStateBlock::save(source, good.get());
    com::HGLOBAL memory;
    com::getHGlobalFromStream(good.get(), &memory);
    const std::vector<std::uint8_t> image = memory->bytes;

    struct Case {
        const char* name;
        std::function<void(std::vector<std::uint8_t>&)> damage;
        HRESULT expected;
        bool atEnd;
    };
    const Case cases[] = {
        {"wrong magic", [](auto& b) { b[0] = 'X'; }, com::STG_E_INVALIDHEADER, false},
        {"newer version", [](auto& b) { b[4] = 2; }, com::STG_E_INVALIDHEADER, true},
        // The command count (after the 10-byte header and the state word) claims far too many.
        {"command count", [](auto& b) { b[14] = 0xFF, b[15] = 0x7F; }, com::STG_E_DOCFILECORRUPT, true},
        // The payload claims to be longer than what follows.
        {"truncated", [](auto& b) { b.resize(b.size() - 3); }, com::STG_E_READFAULT, true},
        // A payload length beyond any real block.
        {"huge length", [](auto& b) { b[9] = 0x7F; }, com::STG_E_DOCFILECORRUPT, false},
        // One byte less in the payload length: the row's last id is cut.
        {"short payload",
         [](auto& b) {
             b[6] = static_cast<std::uint8_t>(b[6] - 1);
             b.pop_back();
         },
         com::STG_E_DOCFILECORRUPT, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::uint8_t> bytes = image;
        c.damage(bytes);
        auto stream = memoryStream();
        stream->Write(bytes.data(), static_cast<com::ULONG>(bytes.size()), nullptr);
        rewind(stream.get());
        OstCommandTable target;
        target.add(9)->text = u"before";
        EXPECT_EQ(OstStateBlock::load(target, stream.get()), c.expected);
        EXPECT_EQ(target.commandCount(), 1u);
        EXPECT_EQ(target.find(9)->text, u"before");
        EXPECT_EQ(target.row(), Ids{});
        if (c.atEnd) {
            EXPECT_EQ(position(stream.get()), bytes.size());
        } else if (c.expected == com::STG_E_INVALIDHEADER) {
            EXPECT_EQ(position(stream.get()), 0u);
        }
    }
}

TEST(OstStateBlock, TheBarExchangesThroughItsInterface) {
    auto source = OstCommandBar::create();
    fill(*source->table());
    auto stream = memoryStream();
    ASSERT_EQ(source->ExchangeState(stream.get(), kExchangeSave), com::S_OK);
    rewind(stream.get());
    auto target = OstCommandBar::create();
    ASSERT_EQ(target->ExchangeState(stream.get(), kExchangeLoad), com::S_OK);
    expectSameState(*source->table(), *target->table());
    EXPECT_EQ(target->ExchangeState(stream.get(), 3), com::E_INVALIDARG);
    EXPECT_EQ(target->ExchangeState(nullptr, kExchangeLoad), com::E_POINTER);
}

}  // namespace
}  // namespace ostbar

#include "ostbar/OstStateBlock.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <vector>

namespace ostbar {
namespace {

enum CommandFlags : std::uint16_t { kEnabled = 1, kChecked = 2, kFlag = 4, kVisible = 8 };
// id, image, style, flags, combo rows, caption length, slot count.
constexpr std::size_t kMinCommandSize = 2 + 2 + 4 + 2 + 2 + 2 + 2;

class Writer {
public:
    void u16(std::uint16_t value) { bytes(value, 2); }
    void i16(SHORT value) { bytes(static_cast<std::uint16_t>(value), 2); }
    void u32(std::uint32_t value) { bytes(value, 4); }
    void i32(LONG value) { bytes(static_cast<std::uint32_t>(value), 4); }
    // Counts are bounded by the table (16-bit ids and slot limits), but a caption is not.
    void ids(const std::vector<SHORT>& ids) {
        const std::size_t count = std::min<std::size_t>(ids.size(), OstCommandTable::kMaxSlots);
        u16(static_cast<std::uint16_t>(count));
        for (std::size_t i = 0; i < count; ++i)
            i16(ids[i]);
    }
    void text(const std::u16string& text) {
        const std::size_t length =
            std::min<std::size_t>(text.size(), std::numeric_limits<std::uint16_t>::max());
        u16(static_cast<std::uint16_t>(length));
        for (std::size_t i = 0; i < length; ++i)
            u16(text[i]);
    }
    std::vector<std::uint8_t>& data() { return data_; }

private:
    void bytes(std::uint32_t value, int count) {
        for (int i = 0; i < count; ++i)
            data_.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
    std::vector<std::uint8_t> data_;
};

// Reads from a payload held in memory; every read checks what is left.
class Reader {
public:
    explicit Reader(const std::vector<std::uint8_t>& data) : data_(data) {}

    std::optional<std::uint32_t> bytes(std::size_t count) {
        if (data_.size() - position_ < count)
            return std::nullopt;
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < count; ++i)
            value |= static_cast<std::uint32_t>(data_[position_ + i]) << (8 * i);
        position_ += count;
        return value;
    }
    std::optional<std::uint16_t> u16() {
        auto value = bytes(2);
        return value ? std::optional<std::uint16_t>(static_cast<std::uint16_t>(*value)) : std::nullopt;
    }
    std::optional<SHORT> i16() {
        auto value = u16();
        return value ? std::optional<SHORT>(static_cast<SHORT>(*value)) : std::nullopt;
    }
    std::optional<LONG> i32() {
        auto value = bytes(4);
        return value ? std::optional<LONG>(static_cast<LONG>(*value)) : std::nullopt;
    }
    bool ids(std::vector<SHORT>& out) {
        const auto count = u16();
        if (!count || *count > OstCommandTable::kMaxSlots || remaining() < 2u * *count)
            return false;
        out.resize(*count);
        for (SHORT& id : out)
            id = *i16();
        return true;
    }
    bool text(std::u16string& out) {
        const auto length = u16();
        if (!length || remaining() < 2u * *length)
            return false;
        out.resize(*length);
        for (char16_t& unit : out)
            unit = static_cast<char16_t>(*u16());
        return true;
    }
    std::size_t remaining() const { return data_.size() - position_; }

private:
    const std::vector<std::uint8_t>& data_;
    std::size_t position_ = 0;
};

void writeCommand(Writer& out, const OstCommandData& command) {
    out.i16(command.id);
    out.i16(command.image);
    out.i32(command.style);
    out.u16(static_cast<std::uint16_t>((command.enabled ? kEnabled : 0) | (command.checked ? kChecked : 0) |
                                       (command.flag ? kFlag : 0) | (command.visible ? kVisible : 0)));
    out.i16(command.comboVisibleCount);
    out.text(command.text);
    out.ids(command.subCommands);
}

bool readCommand(Reader& in, OstCommandData& command) {
    const auto id = in.i16();
    const auto image = in.i16();
    const auto style = in.i32();
    const auto flags = in.u16();
    const auto rows = in.i16();
    // Reads only fail at the end of the payload, so a good last read means the earlier ones were good.
    if (!rows || *id == -1)
        return false;
    command.id = *id;
    command.image = *image;
    command.style = *style;
    command.enabled = *flags & kEnabled;
    command.checked = *flags & kChecked;
    command.flag = *flags & kFlag;
    command.visible = *flags & kVisible;
    command.comboVisibleCount = std::clamp<SHORT>(*rows, 1, OstCommandTable::kMaxComboRows);
    return in.text(command.text) && in.ids(command.subCommands);
}

// Whether the drop-downs of the table, once the loaded commands have replaced theirs, would lead from
// some command back to itself (a self-reference included). Ids that name no command are separators.
bool leadsBackToItself(const OstCommandTable& table, const std::vector<OstCommandData>& loaded) {
    constexpr std::size_t kIds = 1u << 16;
    const auto slot = [](SHORT id) { return static_cast<std::size_t>(static_cast<std::uint16_t>(id)); };
    std::vector<const std::vector<SHORT>*> dropDown(kIds, nullptr);
    for (const SHORT id : table.ids())
        dropDown[slot(id)] = &table.find(id)->subCommands;
    for (const OstCommandData& command : loaded)
        dropDown[slot(command.id)] = &command.subCommands;

    // Depth-first, without recursion: a chain may be as long as there are commands.
    enum : std::uint8_t { kUnseen, kOnPath, kDone };
    std::vector<std::uint8_t> mark(kIds, kUnseen);
    std::vector<std::pair<std::size_t, std::size_t>> path;  // command slot, next entry
    for (std::size_t root = 0; root < kIds; ++root) {
        if (!dropDown[root] || mark[root] != kUnseen)
            continue;
        mark[root] = kOnPath;
        path.emplace_back(root, 0);
        while (!path.empty()) {
            const std::size_t command = path.back().first;
            const std::vector<SHORT>& entries = *dropDown[command];
            if (path.back().second == entries.size()) {
                mark[command] = kDone;
                path.pop_back();
                continue;
            }
            const std::size_t next = slot(entries[path.back().second++]);
            if (!dropDown[next] || mark[next] == kDone)
                continue;
            if (mark[next] == kOnPath)
                return true;
            mark[next] = kOnPath;
            path.emplace_back(next, 0);
        }
    }
    return false;
}

HRESULT writeAll(com::IStream* stream, const std::vector<std::uint8_t>& data) {
    com::ULONG written = 0;
    const HRESULT result = stream->Write(data.data(), static_cast<com::ULONG>(data.size()), &written);
    if (com::FAILED(result))
        return result;
    return written == data.size() ? com::S_OK : com::STG_E_WRITEFAULT;
}

HRESULT readAll(com::IStream* stream, std::vector<std::uint8_t>& data) {
    com::ULONG read = 0;
    const HRESULT result = stream->Read(data.data(), static_cast<com::ULONG>(data.size()), &read);
    if (com::FAILED(result))
        return result;
    return read == data.size() ? com::S_OK : com::STG_E_READFAULT;
}

}  // namespace

HRESULT OstStateBlock::save(const OstCommandTable& table, com::IStream* stream) {
    if (!stream)
        return com::E_POINTER;
    Writer payload;
    payload.i32(table.state());
    const std::vector<SHORT> ids = table.ids();
    payload.u16(static_cast<std::uint16_t>(ids.size()));
    for (const SHORT id : ids)
        writeCommand(payload, *table.find(id));
    payload.ids(table.row());
    if (payload.data().size() > kMaxPayload)
        return com::STG_E_MEDIUMFULL;

    Writer block;
    block.u32(kMagic);
    block.u16(kVersion);
    block.u32(static_cast<std::uint32_t>(payload.data().size()));
    std::vector<std::uint8_t>& data = block.data();
    data.insert(data.end(), payload.data().begin(), payload.data().end());
    return writeAll(stream, data);
}

HRESULT OstStateBlock::load(OstCommandTable& table, com::IStream* stream) {
    if (!stream)
        return com::E_POINTER;
    std::vector<std::uint8_t> header(kHeaderSize);
    if (const HRESULT result = readAll(stream, header); com::FAILED(result))
        return result;
    Reader head(header);
    const std::uint32_t magic = *head.bytes(4);
    const std::uint16_t version = *head.u16();
    const std::uint32_t length = *head.bytes(4);
    if (magic != kMagic) {
        stream->Seek(-static_cast<com::LONGLONG>(kHeaderSize), com::STREAM_SEEK_CUR, nullptr);
        return com::STG_E_INVALIDHEADER;
    }
    if (length > kMaxPayload)
        return com::STG_E_DOCFILECORRUPT;
    std::vector<std::uint8_t> payload(length);
    if (const HRESULT result = readAll(stream, payload); com::FAILED(result))
        return result;
    if (version != kVersion)
        return com::STG_E_INVALIDHEADER;

    Reader in(payload);
    const auto state = in.i32();
    const auto count = in.u16();
    // Each command takes at least kMinCommandSize bytes: a count beyond that is damage.
    if (!count || in.remaining() < std::size_t{*count} * kMinCommandSize)
        return com::STG_E_DOCFILECORRUPT;
    std::vector<OstCommandData> commands(*count);
    for (OstCommandData& command : commands) {
        if (!readCommand(in, command))
            return com::STG_E_DOCFILECORRUPT;
    }
    std::vector<SHORT> row;
    if (!in.ids(row) || in.remaining() != 0 || leadsBackToItself(table, commands))
        return com::STG_E_DOCFILECORRUPT;
    table.restore(*state, commands, std::move(row));
    return com::S_OK;
}

}  // namespace ostbar

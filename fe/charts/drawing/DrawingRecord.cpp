#include "drawing/DrawingRecord.h"

#include "com/FixedText.h"
#include "com/Text.h"
#include "drawing/DrawingCommands.h"
#include "persist/CPropertyArchive.h"

namespace dravik {

namespace {

// Saves older than these versions lack the entry or keep the older layout.
constexpr std::uint32_t kBooleanByteVersion = 15;  // booleans as one byte (a 0/1 short before)
constexpr std::uint32_t kBlankPrefixVersion = 20;  // keys no longer name the kind and ordinal
constexpr std::uint32_t kLongNameVersion = 23;     // 60-byte name and the anchor dates
constexpr std::uint32_t kUserDataVersion = 25;
constexpr std::uint32_t kEnableVersion = 26;
constexpr std::uint32_t kExtraBytesVersion = 28;

constexpr std::array<int, 6> kLineStyles{gdi::PS_SOLID,   gdi::PS_DASH,       gdi::PS_DOT,
                                         gdi::PS_DASHDOT, gdi::PS_DASHDOTDOT, gdi::PS_SOLID};

int penStyle(std::int16_t lineStyle) {
    return lineStyle >= 0 && lineStyle < static_cast<int>(kLineStyles.size())
               ? kLineStyles[static_cast<std::size_t>(lineStyle)]
               : gdi::PS_SOLID;
}

// Keys of one drawing: its prefix followed by the entry's name.
class DrawingKeys {
public:
    explicit DrawingKeys(std::string prefix) : prefix_(std::move(prefix)) {}
    const std::string& prefix() const { return prefix_; }
    const char16_t* operator()(std::string_view name) {
        key_ = com::utf8ToUtf16(prefix_ + std::string(name));
        return key_.c_str();
    }

private:
    std::string prefix_;
    std::u16string key_;
};

void exchangeBoolean(CPropertyArchive& archive, std::uint8_t* value, const char16_t* key,
                     std::uint8_t defaultValue, std::uint32_t version) {
    if (version >= kBooleanByteVersion) {
        archive.ExchangeBool(value, key, defaultValue);
    } else {
        std::int16_t wide = *value ? 1 : 0;
        archive.ExchangeShort(&wide, key, defaultValue);
        *value = wide != 0 ? 1 : 0;
    }
    *value = *value != 0 ? 1 : 0;
}

template <std::size_t N>
void setFixed(std::array<char, N>& field, std::string_view text) {
    field.fill('\0');
    com::copyToFixed(text, field);
}

// A text field as loaded may lack its terminator or end inside a character.
template <std::size_t N>
void terminate(std::array<char, N>& field) {
    setFixed(field, com::readFixed(field));
}

}  // namespace

DrawingRecord DrawingRecord::New(DrawingKind kind, std::int16_t toolCommand, bool freeDraw,
                                 std::int16_t workSeries) {
    DrawingRecord record;
    record.kind = static_cast<std::int16_t>(kind);
    record.toolCommand = toolCommand;
    record.freeDraw = freeDraw ? 1 : 0;
    record.workSeries = workSeries;
    if (const DrawingKindInfo* info = FindDrawingKind(record.kind)) {
        record.lineStyle = info->lineStyle;
        record.signalLineStyle = info->signalStyle;
    }
    record.extraBytes = DefaultDrawingExtraBytes(record.kind);
    return record;
}

std::string DrawingRecord::Name() const {
    return com::readFixed(name);
}

void DrawingRecord::SetName(std::string_view text) {
    setFixed(name, text);
}

std::string DrawingRecord::UserData() const {
    return com::readFixed(userData);
}

void DrawingRecord::SetUserData(std::string_view text) {
    setFixed(userData, text);
}

com::HRESULT DrawingRecord::GetExtraByte(int position, std::uint8_t* value) const {
    if (!value)
        return com::E_POINTER;
    *value = 0;
    if (position < 0 || static_cast<std::size_t>(position) >= extraBytes.size())
        return com::E_INVALIDARG;
    *value = extraBytes[static_cast<std::size_t>(position)];
    return com::S_OK;
}

com::HRESULT DrawingRecord::SetExtraByte(int position, std::uint8_t value) {
    if (position < 0 || static_cast<std::size_t>(position) >= extraBytes.size())
        return com::E_INVALIDARG;
    extraBytes[static_cast<std::size_t>(position)] = value;
    return com::S_OK;
}

DrawingPens DrawingRecord::Pens() const {
    const int mainStyle = penStyle(lineStyle);
    const int signalStyle = penStyle(signalLineStyle);
    const bool styledSignal = signalLineStyle != 0;
    DrawingPens pens;
    pens.main = {mainStyle, lineWidth, color};
    pens.wideMain = {mainStyle, lineWidth + 2, 0};
    pens.signal = {signalStyle, styledSignal ? 1 : lineWidth, color};
    pens.wideSignal = {signalStyle, styledSignal ? 3 : lineWidth + 2, 0};
    return pens;
}

std::string DrawingRecord::ExchangeKeyPrefix(CPropertyArchive& archive, int index, std::uint32_t version,
                                             std::uint32_t flags) {
    // An unknown kind is saved as "Error(0).".
    const DrawingCommandBlock* commands = DrawingCommandsOf(kind);
    const int ordinal = commands ? toolCommand - commands->firstItemCommand : 0;
    if (version < kBlankPrefixVersion)
        return DrawingKeyPrefix(kind, ordinal);
    if (!(flags & kExchangeKeyPrefix))
        return " ";
    std::array<char, kKeyPrefixBytes> prefix{};
    if (archive.IsStoring())
        com::copyToFixed(DrawingKeyPrefix(kind, ordinal), prefix);
    const std::u16string key = com::utf8ToUtf16("Draw(" + std::to_string(index) + ")");
    archive.ExchangeSized(prefix.data(), static_cast<std::int16_t>(prefix.size()), key.c_str());
    return com::readFixed(prefix);
}

void DrawingRecord::ExchangeName(CPropertyArchive& archive, const std::string& prefix, std::uint32_t version,
                                 std::uint32_t flags) {
    DrawingKeys key(prefix);
    if (version >= kLongNameVersion) {
        archive.ExchangeSized(name.data(), static_cast<std::int16_t>(name.size()), key("Name"));
        if (!(flags & kExchangeBodyOnly)) {
            archive.ExchangeDouble(&xFrom, key("_XFrom"), -1.0);
            archive.ExchangeDouble(&xTo, key("_XTo"), -1.0);
        }
        return;
    }
    // The older, shorter name; such saves carry no anchor dates.
    std::array<char, kOldNameBytes> oldName{};
    if (archive.IsStoring())
        com::copyToFixed(Name(), oldName);
    archive.ExchangeSized(oldName.data(), static_cast<std::int16_t>(oldName.size()), key("Name"));
    if (!archive.IsStoring()) {
        SetName(com::readFixed(oldName));
        xFrom = -1.0;
        xTo = -1.0;
    }
}

bool DrawingRecord::ExchangeExtraBytes(CPropertyArchive& archive, const std::string& prefix,
                                       std::uint32_t version) {
    if (version < kExtraBytesVersion) {
        if (!archive.IsStoring())
            extraBytes = DefaultDrawingExtraBytes(kind);
        return true;
    }
    DrawingKeys key(prefix);
    std::int16_t count = static_cast<std::int16_t>(extraBytes.size());
    archive.ExchangeShort(&count, key("ExtraBytes"), 0);
    if (archive.Failed())
        return false;
    if (!archive.IsStoring()) {
        // Only the kind's own layout is accepted, so a hostile count never sizes a buffer.
        if (count != DrawingExtraByteCount(kind))
            return false;
        extraBytes.assign(static_cast<std::size_t>(count), 0);
    }
    for (std::size_t i = 0; i < extraBytes.size() && !archive.Failed(); ++i)
        archive.ExchangeByte(&extraBytes[i], key("ExtraByte(" + std::to_string(i) + ")"), 0);
    return true;
}

com::HRESULT DrawingRecord::Exchange(CPropertyArchive& archive, int index, std::uint32_t version,
                                     std::uint32_t flags) {
    const bool storing = archive.IsStoring();
    DrawingKeys key(ExchangeKeyPrefix(archive, index, version, flags));
    if (!(flags & kExchangeBodyOnly)) {
        archive.ExchangeShort(&kind, key("_DrawID"), 0);
        if (!storing && version < kLongNameVersion && kind > 9)
            kind = 9;
        archive.ExchangeShort(&toolCommand, key("_DrawToolCmd"), 0);
        archive.ExchangeShort(&state, key("_DrawState"), 0);
    }
    exchangeBoolean(archive, &freeDraw, key("FreeDraw"), 1, version);
    archive.ExchangeShort(&workSeries, key("WorkSeries"), -1);
    ExchangeName(archive, key.prefix(), version, flags);
    archive.ExchangeShort(&lineStyle, key("LineStyle"), 0);
    archive.ExchangeShort(&signalLineStyle, key("SignalLineStyle"), 2);
    archive.ExchangeShort(&lineWidth, key("LineWidth"), 1);
    archive.ExchangeUlong(&color, key("Color"), 0);
    archive.ExchangeDouble(&from, key("From"), 0.0);
    archive.ExchangeDouble(&fromPrice, key("FromPrice"), 0.0);
    archive.ExchangeDouble(&to, key("To"), 0.0);
    archive.ExchangeDouble(&toPrice, key("ToPrice"), 0.0);
    if (version >= kUserDataVersion)
        archive.ExchangeSized(userData.data(), static_cast<std::int16_t>(userData.size()), key("UserData"));
    if (version >= kEnableVersion)
        exchangeBoolean(archive, &lock, key("Enable"), 0, version);
    const bool extraBytesFit = !archive.Failed() && ExchangeExtraBytes(archive, key.prefix(), version);
    if (archive.Failed())
        return archive.Error();
    if (storing)
        return com::S_OK;
    if (!extraBytesFit)
        return com::STG_E_DOCFILECORRUPT;
    return CheckLoaded();
}

com::HRESULT DrawingRecord::CheckLoaded() {
    terminate(name);
    terminate(userData);
    if (!IsDrawingKind(kind) || state < kDrawingHidden || state > kDrawingShownByRange)
        return com::STG_E_DOCFILECORRUPT;
    if (!ParseDrawingLevels(kind, extraBytes))
        return com::STG_E_DOCFILECORRUPT;
    return com::S_OK;
}

}  // namespace dravik

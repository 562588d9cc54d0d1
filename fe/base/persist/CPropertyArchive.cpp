#include "persist/CPropertyArchive.h"

#include <bit>
#include <cstring>
#include <new>

#include "com/FixedText.h"
#include "persist/CArchiveLockBytes.h"
#include "storage/Persist.h"

namespace dravik {

static_assert(std::endian::native == std::endian::little,
              "the byte media copy values in memory order, which must be little-endian");

namespace {

// A count on the medium that cannot be right: negative, or larger than what is left.
constexpr com::HRESULT kDamaged = com::STG_E_DOCFILECORRUPT;

constexpr std::uint8_t kNoObject = 0xFF;
constexpr std::uint8_t kObjectFollows = 0x00;

bool canPersist(const com::ComPtr<com::IUnknown>& object) {
    return object.as<com::IPersistStream>() || object.as<com::IPersistStreamInit>();
}

}  // namespace

CPropertyArchive::~CPropertyArchive() {
    // The derived destructor closed the medium; what is left here is the nested archive.
    CPropertyArchive::Close();
}

void CPropertyArchive::Close() {
    storageArchive_.reset();
    if (lockBytes_) {
        lockBytes_->DetachArchive();
        lockBytes_->Release();
        lockBytes_ = nullptr;
    }
}

com::HRESULT CPropertyArchive::AttachFile(int, bool) {
    return com::E_FAIL;
}

void CPropertyArchive::SetError(com::HRESULT error) {
    if (com::SUCCEEDED(error_) && com::FAILED(error))
        error_ = error;
}

CArchiveLockBytes* CPropertyArchive::LockBytes() {
    if (!lockBytes_)
        lockBytes_ = CArchiveLockBytes::Create(this);
    return lockBytes_;
}

void CPropertyArchive::SetStorageArchive(std::unique_ptr<CPropertyArchive> archive) {
    storageArchive_ = std::move(archive);
}

std::uint32_t CPropertyArchive::Transfer(void* value, std::uint32_t count) {
    const std::uint32_t moved = IsStoring() ? WriteBytes(value, count) : ReadBytes(value, count);
    if (moved != count)
        SetError(IsStoring() ? com::STG_E_WRITEFAULT : com::STG_E_READFAULT);
    return moved;
}

bool CPropertyArchive::Skip(std::uint64_t count) {
    if (count == 0)
        return true;
    if (Seek(static_cast<std::int64_t>(count), ARCHIVE_CURRENT) >= 0)
        return true;
    SetError(com::STG_E_SEEKERROR);
    return false;
}

bool CPropertyArchive::CountFits(std::uint64_t count) {
    const std::optional<std::uint64_t> left = BytesLeft();
    if (left && count > *left) {
        SetError(kDamaged);
        return false;
    }
    return true;
}

int CPropertyArchive::ExchangeSized(void* value, std::int16_t size, const char16_t*) {
    if (size < 0 || (!value && size > 0)) {
        SetError(com::E_INVALIDARG);
        return 0;
    }
    return static_cast<int>(Transfer(value, static_cast<std::uint32_t>(size)));
}

int CPropertyArchive::ExchangeUlong(std::uint32_t* value, const char16_t* key, std::uint32_t defaultValue) {
    return ExchangeLong(reinterpret_cast<std::int32_t*>(value), key, static_cast<std::int32_t>(defaultValue));
}

int CPropertyArchive::ExchangeUint(std::uint32_t* value, const char16_t* key, std::uint32_t defaultValue) {
    return ExchangeInt(reinterpret_cast<std::int32_t*>(value), key, static_cast<std::int32_t>(defaultValue));
}

int CPropertyArchive::ExchangeBool(std::uint8_t* value, const char16_t* key, std::uint8_t defaultValue) {
    return ExchangeByte(value, key, defaultValue);
}

int CPropertyArchive::ExchangeByte(std::uint8_t* value, const char16_t*, std::uint8_t) {
    return static_cast<int>(Transfer(value, 1));
}

int CPropertyArchive::ExchangeDouble(double* value, const char16_t*, double) {
    return static_cast<int>(Transfer(value, 8));
}

int CPropertyArchive::ExchangeLong(std::int32_t* value, const char16_t*, std::int32_t) {
    return static_cast<int>(Transfer(value, 4));
}

int CPropertyArchive::ExchangeShort(std::int16_t* value, const char16_t*, std::int16_t) {
    return static_cast<int>(Transfer(value, 2));
}

int CPropertyArchive::ExchangeInt(std::int32_t* value, const char16_t*, std::int32_t) {
    return static_cast<int>(Transfer(value, 4));
}

int CPropertyArchive::ExchangeGuid(com::Guid* value, const char16_t*) {
    auto bytes = value->toBytes();
    const std::uint32_t moved = Transfer(bytes.data(), 16);
    if (!IsStoring() && moved == 16)
        *value = com::Guid::fromBytes(bytes);
    return static_cast<int>(moved);
}

int CPropertyArchive::ExchangeAnsiText(char* buffer, std::size_t capacity, std::int16_t* length,
                                       const char16_t*) {
    if (IsStoring()) {
        std::size_t size = buffer ? ::strnlen(buffer, capacity) : 0;
        if (length && *length >= 0)
            size = std::min<std::size_t>(size, static_cast<std::size_t>(*length));
        std::string text(buffer ? buffer : "", size);
        const int moved = ExchangeAnsiText(&text, nullptr);
        if (length && moved > 0)
            *length = static_cast<std::int16_t>(size);
        return moved;
    }
    std::string text;
    const int moved = ExchangeAnsiText(&text, nullptr);
    std::size_t kept = 0;
    if (buffer && capacity > 0) {
        kept = com::utf8PrefixLength(text, capacity - 1);
        std::memcpy(buffer, text.data(), kept);
        buffer[kept] = '\0';
    }
    if (length)
        *length = static_cast<std::int16_t>(kept);
    return moved;
}

int CPropertyArchive::ExchangeAnsiText(std::string* text, const char16_t*) {
    std::int16_t length = 0;
    if (IsStoring()) {
        if (text->size() > kMaxArchiveText) {
            // A longer text would need a length that the 16-bit count cannot hold.
            SetError(com::E_INVALIDARG);
            return 0;
        }
        length = static_cast<std::int16_t>(text->size());
    }
    std::uint32_t moved = Transfer(&length, 2);
    if (moved != 2)
        return static_cast<int>(moved);
    if (!IsStoring()) {
        text->clear();
        if (length < 0 || !CountFits(static_cast<std::uint64_t>(length))) {
            SetError(kDamaged);
            return static_cast<int>(moved);
        }
        text->resize(static_cast<std::size_t>(length));
    }
    moved += Transfer(text->data(), static_cast<std::uint32_t>(length));
    if (!IsStoring() && moved != 2u + static_cast<std::uint32_t>(length))
        text->resize(moved - 2);
    return static_cast<int>(moved);
}

int CPropertyArchive::ExchangeBlob(std::vector<std::uint8_t>* blob, const char16_t*) {
    std::uint32_t size = 0;
    if (IsStoring()) {
        if (blob->size() > static_cast<std::size_t>(INT32_MAX)) {
            SetError(com::E_INVALIDARG);
            return 0;
        }
        size = static_cast<std::uint32_t>(blob->size());
    }
    if (Transfer(&size, 4) != 4)
        return 0;
    if (!IsStoring()) {
        blob->clear();
        if (size > static_cast<std::uint32_t>(INT32_MAX) || !CountFits(size)) {
            SetError(kDamaged);
            return 0;
        }
        try {
            blob->resize(size);
        } catch (const std::bad_alloc&) {
            SetError(com::E_OUTOFMEMORY);
            Skip(size);
            return static_cast<int>(size);
        }
    }
    if (Transfer(blob->data(), size) != size)
        blob->clear();
    return static_cast<int>(size);
}

int CPropertyArchive::ExchangeObject(com::ComPtr<com::IUnknown>* object, const char16_t* key) {
    // The flag byte goes to the medium as it stands; only a present object fetches the storage
    // archive, which on a file medium opens the nested docfile right after the flag.
    if (IsStoring()) {
        const bool persistable = *object && canPersist(*object);
        std::uint8_t flag = persistable ? kObjectFollows : kNoObject;
        if (ExchangeByte(&flag, key, kNoObject) != 1)
            return 0;
        // An object that cannot persist itself is left out, and the marker keeps the rest of the
        // archive readable.
        if (!persistable)
            return *object ? 0 : 1;
        CPropertyArchive* nested = GetStorageArchive();
        com::IStream* stream = nested ? nested->ObjectStream() : nullptr;
        if (!stream) {
            SetError(com::E_FAIL);
            return 0;
        }
        const com::HRESULT result = com::oleSaveToStream(object->get(), stream);
        nested->SyncPosition();
        if (com::FAILED(result))
            SetError(result);
        return com::SUCCEEDED(result) ? 1 : 0;
    }
    object->reset();
    std::uint8_t flag = kNoObject;
    if (ExchangeByte(&flag, key, kNoObject) != 1)
        return 0;
    if (flag == kNoObject)
        return 1;
    if (flag != kObjectFollows) {
        SetError(kDamaged);
        return 0;
    }
    CPropertyArchive* nested = GetStorageArchive();
    com::IStream* stream = nested ? nested->ObjectStream() : nullptr;
    if (!stream) {
        SetError(com::E_FAIL);
        return 0;
    }
    const com::HRESULT result = com::oleLoadFromStream(stream, com::IID_IUnknown, object->putVoid());
    nested->SyncPosition();
    if (com::FAILED(result)) {
        SetError(result);
        return 0;
    }
    return 1;
}

int CPropertyArchive::ExchangeBstr(com::Bstr* value, const char16_t*, const char16_t*) {
    std::int16_t count = 0;
    std::u16string units;
    if (IsStoring()) {
        if (value->length() > kMaxArchiveText) {
            SetError(com::E_INVALIDARG);
            return 0;
        }
        units = value->text();
        count = static_cast<std::int16_t>(units.size());
    }
    std::uint32_t moved = Transfer(&count, 2);
    if (moved != 2)
        return static_cast<int>(moved);
    if (!IsStoring()) {
        *value = com::Bstr();
        if (count < 0 || !CountFits(2 * static_cast<std::uint64_t>(count))) {
            SetError(kDamaged);
            return static_cast<int>(moved);
        }
        units.resize(static_cast<std::size_t>(count));
    }
    const std::uint32_t bytes = 2 * static_cast<std::uint32_t>(count);
    const std::uint32_t unitsMoved = Transfer(units.data(), bytes);
    moved += unitsMoved;
    if (!IsStoring() && count > 0 && unitsMoved == bytes)
        *value = com::Bstr(std::move(units));
    return static_cast<int>(moved);
}

int CPropertyArchive::ExchangeFont(com::ComPtr<com::IFont>* font, const char16_t* key) {
    com::FONTDESC desc;
    if (IsStoring()) {
        if (!*font) {
            SetError(com::E_POINTER);
            return 0;
        }
        (*font)->get_Name(&desc.name);
        (*font)->get_Size(&desc.size);
        (*font)->get_Weight(&desc.weight);
        (*font)->get_Charset(&desc.charset);
        (*font)->get_Italic(&desc.italic);
        (*font)->get_Underline(&desc.underline);
        (*font)->get_Strikethrough(&desc.strikethrough);
    }
    auto sizeBits = static_cast<std::uint64_t>(desc.size);
    std::uint32_t low = static_cast<std::uint32_t>(sizeBits);
    std::uint32_t high = static_cast<std::uint32_t>(sizeBits >> 32);
    int moved = ExchangeBstr(&desc.name, key, nullptr);
    moved += ExchangeUlong(&low, key, 0);
    moved += ExchangeUlong(&high, key, 0);
    moved += ExchangeShort(&desc.weight, key, 0);
    moved += ExchangeShort(&desc.charset, key, 0);
    moved += ExchangeLong(&desc.italic, key, 0);
    moved += ExchangeLong(&desc.underline, key, 0);
    moved += ExchangeLong(&desc.strikethrough, key, 0);
    if (!IsStoring()) {
        font->reset();
        desc.size = static_cast<com::CY>((static_cast<std::uint64_t>(high) << 32) | low);
        if (Failed())
            return moved;
        const com::HRESULT result = com::createFontIndirect(desc, com::IID_IFont, font->putVoid());
        if (com::FAILED(result))
            SetError(result);
    }
    return moved;
}

}  // namespace dravik

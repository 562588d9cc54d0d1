#include "persist/CPropertyBagArchive.h"

#include <cstring>

#include "com/FixedText.h"
#include "com/Text.h"
#include "persist/CMemoryArchive.h"

namespace dravik {
namespace {

constexpr char16_t kDataKey[] = u"_Data_";
constexpr int kNotWritten = -1;

}  // namespace

CPropertyBagArchive::CPropertyBagArchive() : CPropertyArchive(false) {}

CPropertyBagArchive::CPropertyBagArchive(com::IPropertyBag* bag, bool storing, bool useDefaults)
    : CPropertyArchive(storing), bag_(bag), useDefaults_(useDefaults) {}

CPropertyBagArchive::~CPropertyBagArchive() {
    CPropertyBagArchive::Close();
}

void CPropertyBagArchive::Close() {
    if (IsStoring() && memoryArchive_ && bag_) {
        memoryArchive_->Seek(0, ARCHIVE_END);
        com::HGLOBAL memory = memoryArchive_->DetachGlobal();
        std::vector<std::uint8_t> data = memory ? memory->bytes : std::vector<std::uint8_t>{};
        if (!Put(kDataKey, com::Variant(std::move(data))))
            SetError(com::E_FAIL);
    }
    memoryArchive_.reset();
    CPropertyArchive::Close();
    bag_ = nullptr;
}

CPropertyArchive* CPropertyBagArchive::GetStorageArchive() {
    if (memoryArchive_)
        return memoryArchive_.get();
    if (IsStoring()) {
        memoryArchive_ = std::make_unique<CMemoryArchive>();
        return memoryArchive_.get();
    }
    std::optional<com::Variant> data = Get(kDataKey, com::VT_ARRAY | com::VT_UI1);
    if (!data || data->bytes().empty())
        return nullptr;
    com::HGLOBAL memory = com::globalAlloc(0);
    if (!memory)
        return nullptr;
    memory->bytes = data->bytes();
    memoryArchive_ = std::make_unique<CMemoryArchive>(memory);
    return memoryArchive_.get();
}

int CPropertyBagArchive::Put(const char16_t* key, const com::Variant& value) {
    if (!bag_)
        return 0;
    const com::HRESULT result = bag_->Write(key, value);
    if (com::FAILED(result))
        SetError(result);
    return com::SUCCEEDED(result) ? 1 : 0;
}

std::optional<com::Variant> CPropertyBagArchive::Get(const char16_t* key, com::VARTYPE vt) {
    if (!bag_)
        return std::nullopt;
    com::Variant value;
    // Ask for the type wanted; a bag that cannot give it answers with an error or another type.
    switch (vt) {
        case com::VT_I2:
            value = com::Variant(std::int16_t{0});
            break;
        case com::VT_I4:
            value = com::Variant(std::int32_t{0});
            break;
        case com::VT_UI1:
            value = com::Variant(std::uint8_t{0});
            break;
        case com::VT_R8:
            value = com::Variant(0.0);
            break;
        case com::VT_BOOL:
            value = com::Variant(false);
            break;
        case com::VT_BSTR:
            value = com::Variant(com::Bstr(u""));
            break;
        case com::VT_UNKNOWN:
            value = com::Variant(com::ComPtr<com::IUnknown>());
            break;
        default:
            value = com::Variant(std::vector<std::uint8_t>{});
            break;
    }
    if (com::FAILED(bag_->Read(key, &value, nullptr)) || value.vt() != vt)
        return std::nullopt;
    return value;
}

template <typename T, typename Read>
int CPropertyBagArchive::ExchangeScalar(T* value, const char16_t* key, T defaultValue, com::VARTYPE vt,
                                        Read read) {
    if (!key)
        return 0;
    if (IsStoring()) {
        if (*value == defaultValue)
            return kNotWritten;
        return Put(key, com::Variant(*value));
    }
    if (std::optional<com::Variant> got = Get(key, vt)) {
        *value = read(*got);
        return 1;
    }
    if (useDefaults_)
        *value = defaultValue;
    return 0;
}

int CPropertyBagArchive::ExchangeByte(std::uint8_t* value, const char16_t* key, std::uint8_t defaultValue) {
    return ExchangeScalar(value, key, defaultValue, com::VT_UI1,
                          [](const com::Variant& v) { return v.ui1(); });
}

int CPropertyBagArchive::ExchangeDouble(double* value, const char16_t* key, double defaultValue) {
    return ExchangeScalar(value, key, defaultValue, com::VT_R8, [](const com::Variant& v) { return v.r8(); });
}

int CPropertyBagArchive::ExchangeLong(std::int32_t* value, const char16_t* key, std::int32_t defaultValue) {
    return ExchangeScalar(value, key, defaultValue, com::VT_I4, [](const com::Variant& v) { return v.i4(); });
}

int CPropertyBagArchive::ExchangeInt(std::int32_t* value, const char16_t* key, std::int32_t defaultValue) {
    return ExchangeLong(value, key, defaultValue);
}

int CPropertyBagArchive::ExchangeShort(std::int16_t* value, const char16_t* key, std::int16_t defaultValue) {
    return ExchangeScalar(value, key, defaultValue, com::VT_I2, [](const com::Variant& v) { return v.i2(); });
}

int CPropertyBagArchive::ExchangeBool(std::uint8_t* value, const char16_t* key, std::uint8_t defaultValue) {
    if (!key)
        return 0;
    if (IsStoring()) {
        if (*value == defaultValue)
            return kNotWritten;
        return Put(key, com::Variant(*value != 0));
    }
    if (std::optional<com::Variant> got = Get(key, com::VT_BOOL)) {
        *value = got->boolVal() != 0 ? 1 : 0;
        return 1;
    }
    if (useDefaults_)
        *value = defaultValue;
    return 0;
}

int CPropertyBagArchive::ExchangeBstr(com::Bstr* value, const char16_t* key, const char16_t* defaultText) {
    if (!key)
        return 0;
    if (IsStoring()) {
        if (value->isNull())
            return kNotWritten;
        if (defaultText && value->view() == std::u16string_view(defaultText))
            return kNotWritten;
        return Put(key, com::Variant(*value));
    }
    if (std::optional<com::Variant> got = Get(key, com::VT_BSTR)) {
        *value = got->bstr();
        return 1;
    }
    if (defaultText) {
        *value = com::Bstr(defaultText);
    } else if (useDefaults_) {
        *value = com::Bstr();
    }
    return 0;
}

int CPropertyBagArchive::ExchangeAnsiText(std::string* text, const char16_t* key) {
    if (!key)
        return 0;
    if (IsStoring()) {
        if (text->empty())
            return kNotWritten;
        return Put(key, com::Variant::utf8(*text));
    }
    if (std::optional<com::Variant> got = Get(key, com::VT_BSTR)) {
        *text = got->bstr().toUtf8();
        // The bag counts the terminator, unlike the byte media.
        return static_cast<int>(got->bstr().length()) + 1;
    }
    text->clear();
    return 0;
}

int CPropertyBagArchive::ExchangeAnsiText(char* buffer, std::size_t capacity, std::int16_t* length,
                                          const char16_t* key) {
    if (!key)
        return 0;
    std::string text;
    if (IsStoring()) {
        std::size_t size = buffer ? ::strnlen(buffer, capacity) : 0;
        if (length && *length >= 0)
            size = std::min<std::size_t>(size, static_cast<std::size_t>(*length));
        text.assign(buffer ? buffer : "", size);
        return ExchangeAnsiText(&text, key);
    }
    const int result = ExchangeAnsiText(&text, key);
    const com::FixedTextResult copied = com::copyToFixed(text, buffer, buffer ? capacity : 0);
    if (length)
        *length = static_cast<std::int16_t>(copied.length);
    return result;
}

int CPropertyBagArchive::ExchangeSized(void* value, std::int16_t size, const char16_t* key) {
    if (size <= 0)
        return 0;
    return ExchangeAnsiText(static_cast<char*>(value), static_cast<std::size_t>(size), nullptr, key);
}

int CPropertyBagArchive::ExchangeGuid(com::Guid* value, const char16_t*) {
    auto bytes = value->toBytes();
    return static_cast<int>(IsStoring() ? WriteBytes(bytes.data(), 16) : ReadBytes(bytes.data(), 16));
}

int CPropertyBagArchive::ExchangeBlob(std::vector<std::uint8_t>* blob, const char16_t* key) {
    if (!key)
        return 0;
    if (IsStoring()) {
        if (!Put(key, com::Variant(*blob)))
            return 0;
        return static_cast<int>(blob->size());
    }
    // The bytes are copied into the caller's vector: nothing points into the bag's value.
    if (std::optional<com::Variant> got = Get(key, com::VT_ARRAY | com::VT_UI1)) {
        *blob = got->bytes();
        return static_cast<int>(blob->size());
    }
    blob->clear();
    return 0;
}

int CPropertyBagArchive::ExchangeObject(com::ComPtr<com::IUnknown>* object, const char16_t* key) {
    if (!key)
        return 0;
    if (IsStoring()) {
        if (!*object)
            return kNotWritten;
        return Put(key, com::Variant(*object));
    }
    if (std::optional<com::Variant> got = Get(key, com::VT_UNKNOWN)) {
        *object = got->unknown();
        return 1;
    }
    if (useDefaults_)
        object->reset();
    return 0;
}

int CPropertyBagArchive::ExchangeFont(com::ComPtr<com::IFont>* font, const char16_t* key) {
    if (!key)
        return 0;
    if (IsStoring()) {
        if (!*font)
            return kNotWritten;
        return Put(key, com::Variant(com::ComPtr<com::IUnknown>(*font)));
    }
    if (std::optional<com::Variant> got = Get(key, com::VT_UNKNOWN)) {
        com::ComPtr<com::IFont> read = got->unknown().as<com::IFont>();
        if (read) {
            *font = std::move(read);
            return 1;
        }
    }
    if (useDefaults_)
        font->reset();
    return 0;
}

}  // namespace dravik

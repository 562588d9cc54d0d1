// The archive over a property bag: each exchange reads or writes one named property.
//
// Storing leaves out a value equal to its default (the call returns -1), as well as a null string,
// an empty text, a null object or a null font. Loading takes a property of the expected type; a
// missing one (or one of another type) becomes the default when use-defaults is set, else the value
// is left as it was. Nested objects that need a stream go into a memory archive that is saved as
// the blob property "_Data_" when the archive closes.
#pragma once

#include <memory>

#include "com/Variant.h"
#include "persist/CPropertyArchive.h"
#include "storage/PropertyBag.h"

namespace dravik {

class CMemoryArchive;

class CPropertyBagArchive final : public CPropertyArchive {
public:
    // No bag: loading, use-defaults set.
    CPropertyBagArchive();
    // The caller keeps the bag alive while the archive is open.
    CPropertyBagArchive(com::IPropertyBag* bag, bool storing, bool useDefaults);
    ~CPropertyBagArchive() override;

    std::uint32_t ReadBytes(void*, std::uint32_t) override { return 0; }
    std::uint32_t WriteBytes(const void*, std::uint32_t) override { return 0; }
    std::int64_t Seek(std::int64_t, int) override { return 0; }
    bool IsOpen() const override { return bag_ != nullptr; }
    void Close() override;
    CPropertyArchive* GetStorageArchive() override;

    int ExchangeSized(void* value, std::int16_t size, const char16_t* key) override;
    // As on the byte media, through the byte operations, which move nothing here: returns 0, leaves
    // the GUID as it was and does not fail the archive.
    int ExchangeGuid(com::Guid* value, const char16_t* key) override;
    int ExchangeObject(com::ComPtr<com::IUnknown>* object, const char16_t* key) override;
    int ExchangeFont(com::ComPtr<com::IFont>* font, const char16_t* key) override;
    int ExchangeBstr(com::Bstr* value, const char16_t* key, const char16_t* defaultText) override;
    int ExchangeAnsiText(char* buffer, std::size_t capacity, std::int16_t* length,
                         const char16_t* key) override;
    int ExchangeAnsiText(std::string* text, const char16_t* key) override;
    int ExchangeBlob(std::vector<std::uint8_t>* blob, const char16_t* key) override;
    int ExchangeBool(std::uint8_t* value, const char16_t* key, std::uint8_t defaultValue) override;
    int ExchangeByte(std::uint8_t* value, const char16_t* key, std::uint8_t defaultValue) override;
    int ExchangeDouble(double* value, const char16_t* key, double defaultValue) override;
    int ExchangeLong(std::int32_t* value, const char16_t* key, std::int32_t defaultValue) override;
    int ExchangeShort(std::int16_t* value, const char16_t* key, std::int16_t defaultValue) override;
    int ExchangeInt(std::int32_t* value, const char16_t* key, std::int32_t defaultValue) override;

private:
    // Writes one property: 1 when the bag took it, else 0 (with the failure kept).
    int Put(const char16_t* key, const com::Variant& value);
    // Reads one property of type `vt`; nullopt when it is missing or of another type.
    std::optional<com::Variant> Get(const char16_t* key, com::VARTYPE vt);
    template <typename T, typename Read>
    int ExchangeScalar(T* value, const char16_t* key, T defaultValue, com::VARTYPE vt, Read read);

    com::IPropertyBag* bag_ = nullptr;  // not owned
    std::unique_ptr<CMemoryArchive> memoryArchive_;
    bool useDefaults_ = true;
};

}  // namespace dravik

#include "extension/ExtensionStateHeader.h"

#include "persist/CPropertyArchive.h"
#include "state/ExchangeKeys.h"

namespace dravik {
namespace {

// Booleans became one byte in version 15; older saves also carry a spare short in the header.
constexpr std::uint32_t kFirstVersionWithoutHelper = 15;
// What a property bag without a "_Version" holds.
constexpr std::uint32_t kDefaultVersion = 17;

}  // namespace

com::HRESULT ExtensionStateHeader::Exchange(CPropertyArchive& archive, std::uint32_t expectedSignature,
                                            std::uint32_t currentVersion) {
    const bool storing = archive.IsStoring();
    if (storing) {
        signature = expectedSignature;
        version = currentVersion;
    }
    archive.ExchangeUlong(&signature, u"_Signature", expectedSignature);
    if (archive.Failed())
        return archive.Error();
    if (!storing && signature != expectedSignature)
        return com::E_INVALIDARG;
    archive.ExchangeUlong(&version, u"_Version", kDefaultVersion);
    if (archive.Failed())
        return archive.Error();
    if (!storing && version > currentVersion)
        return com::E_INVALIDARG;
    archive.ExchangeShort(&baseTypeCommand, u"_BaseTypeCmd", 0);
    archive.ExchangeShort(&baseType, u"_BaseType", 0);
    if (version < kFirstVersionWithoutHelper) {
        std::int16_t helper = 0;
        archive.ExchangeShort(&helper, u"_Helper", 0);
    }
    return ArchiveResult(archive);
}

com::HRESULT ExchangeEndSignature(CPropertyArchive& archive, std::uint32_t endSignature) {
    std::uint32_t value = endSignature;
    archive.ExchangeUlong(&value, u"_EndSignature", endSignature);
    if (archive.IsStoring())
        return ArchiveResult(archive);
    return !archive.Failed() && value == endSignature ? com::S_OK : com::E_FAIL;
}

}  // namespace dravik

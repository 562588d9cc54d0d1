// The frame of the extension's saved state: a header (signature, format version, the base type and
// its command) before the body, and an end signature after it. A loader checks the header before it
// reads anything else, and the end signature to know that it read the body exactly as it was written.
#pragma once

#include <cstdint>

#include "com/HResult.h"

namespace dravik {

class CPropertyArchive;

struct ExtensionStateHeader {
    std::uint32_t signature = 0;
    // Storing: the version written. Loading: the version the body was written in.
    std::uint32_t version = 0;
    std::int16_t baseTypeCommand = 0;
    std::int16_t baseType = 0;

    // Storing writes "_Signature" `expectedSignature` and "_Version" `currentVersion`, then the base
    // type command and base type. Loading refuses a signature other than `expectedSignature` (after
    // reading 4 bytes) and a version newer than `currentVersion` (after reading 8) with E_INVALIDARG;
    // saves older than version 15 carry a "_Helper" short, which is read and dropped. A short stream
    // gives the archive's failure.
    com::HRESULT Exchange(CPropertyArchive& archive, std::uint32_t expectedSignature,
                          std::uint32_t currentVersion);
};

// "_EndSignature": storing writes `endSignature`; loading any other value (or none) gives E_FAIL.
com::HRESULT ExchangeEndSignature(CPropertyArchive& archive, std::uint32_t endSignature);

}  // namespace dravik

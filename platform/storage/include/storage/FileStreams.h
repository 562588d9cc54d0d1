// Streams and lock bytes over a named file.
#pragma once

#include <string>

#include "storage/StreamInterfaces.h"

namespace com {

// mode: STGM access bits; STGM_CREATE creates or truncates the file, otherwise it must exist.
HRESULT createStreamOnFile(const std::string& path, DWORD mode, IStream** out);
HRESULT createLockBytesOnFile(const std::string& path, DWORD mode, ILockBytes** out);

}  // namespace com

// Plain file access by handle: the few file calls that streams, lock bytes and archives use.
// Handles are POSIX descriptors; sharing modes of the original platform have no equivalent and are
// not asked for.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "com/Types.h"

namespace com {

using FileHandle = int;
inline constexpr FileHandle INVALID_HANDLE_VALUE = -1;

enum class FileAccess { Read, Write, ReadWrite };
enum class FileDisposition {
    CreateAlways,  // create, or truncate an existing file
    OpenExisting,  // fail when the file is missing
    OpenAlways,    // open, creating the file when missing
};

// INVALID_HANDLE_VALUE on failure.
FileHandle openFile(const std::string& path, FileAccess access, FileDisposition disposition);
void closeFile(FileHandle handle);

// Bytes moved, or -1 on an error. A short count at the end of a file is not an error.
std::int64_t readFile(FileHandle handle, void* buffer, std::size_t count);
std::int64_t writeFile(FileHandle handle, const void* buffer, std::size_t count);
// origin 0 = from the start, 1 = from the current position, 2 = from the end; returns the new
// position, or -1 (the position unchanged) on an error or a negative result.
std::int64_t seekFile(FileHandle handle, std::int64_t offset, DWORD origin);
std::int64_t fileSize(FileHandle handle);
bool setFileSize(FileHandle handle, std::uint64_t size);

}  // namespace com

#include "storage/FileStreams.h"

#include <algorithm>
#include <limits>

#include "com/ComObject.h"
#include "storage/FileHandle.h"

namespace com {
namespace {

FileAccess accessOf(DWORD mode) {
    switch (mode & kStgmAccessMask) {
        case STGM_WRITE:
            return FileAccess::Write;
        case STGM_READWRITE:
            return FileAccess::ReadWrite;
        default:
            return FileAccess::Read;
    }
}

FileHandle openForMode(const std::string& path, DWORD mode) {
    const FileDisposition disposition =
        (mode & STGM_CREATE) ? FileDisposition::CreateAlways : FileDisposition::OpenExisting;
    return openFile(path, accessOf(mode), disposition);
}

HRESULT openFailure() {
    return STG_E_FILENOTFOUND;
}

// Reads and writes at the file's own pointer, the same for the stream and the lock bytes on a file.
HRESULT readHere(FileHandle handle, void* buffer, ULONG count, ULONG* read) {
    const std::int64_t n = readFile(handle, buffer, count);
    if (n < 0)
        return STG_E_READFAULT;
    if (read)
        *read = static_cast<ULONG>(n);
    return S_OK;
}

HRESULT writeHere(FileHandle handle, const void* buffer, ULONG count, ULONG* written) {
    const std::int64_t n = writeFile(handle, buffer, count);
    if (n < 0)
        return STG_E_WRITEFAULT;
    if (written)
        *written = static_cast<ULONG>(n);
    return static_cast<ULONG>(n) == count ? S_OK : STG_E_MEDIUMFULL;
}

HRESULT setSizeOf(FileHandle handle, DWORD mode, ULONGLONG size) {
    if (!stgmCanWrite(mode))
        return STG_E_ACCESSDENIED;
    return setFileSize(handle, size) ? S_OK : STG_E_MEDIUMFULL;
}

ULONGLONG sizeOf(FileHandle handle) {
    return static_cast<ULONGLONG>(std::max<std::int64_t>(fileSize(handle), 0));
}

// A stream on a file it owns; the file's own pointer is the stream position.
class PathFileStream final : public ComObject<IStream> {
public:
    PathFileStream(FileHandle handle, std::string path, DWORD mode)
        : handle_(handle), path_(std::move(path)), mode_(mode) {}

    HRESULT Read(void* buffer, ULONG count, ULONG* read) override {
        if (read)
            *read = 0;
        if (!stgmCanRead(mode_))
            return STG_E_ACCESSDENIED;
        return readHere(handle_, buffer, count, read);
    }
    HRESULT Write(const void* buffer, ULONG count, ULONG* written) override {
        if (written)
            *written = 0;
        if (!stgmCanWrite(mode_))
            return STG_E_ACCESSDENIED;
        return writeHere(handle_, buffer, count, written);
    }
    HRESULT Seek(LONGLONG move, DWORD origin, ULONGLONG* newPosition) override {
        const std::int64_t position = seekFile(handle_, move, origin);
        if (position < 0)
            return STG_E_INVALIDFUNCTION;
        if (newPosition)
            *newPosition = static_cast<ULONGLONG>(position);
        return S_OK;
    }
    HRESULT SetSize(ULONGLONG size) override { return setSizeOf(handle_, mode_, size); }
    HRESULT CopyTo(IStream* target, ULONGLONG count, ULONGLONG* read, ULONGLONG* written) override {
        return copyStream(this, target, count, read, written);
    }
    HRESULT Commit(DWORD) override { return S_OK; }
    HRESULT Revert() override { return S_OK; }
    HRESULT LockRegion(ULONGLONG, ULONGLONG, DWORD) override { return STG_E_INVALIDFUNCTION; }
    HRESULT UnlockRegion(ULONGLONG, ULONGLONG, DWORD) override { return STG_E_INVALIDFUNCTION; }
    HRESULT Stat(STATSTG* stat, DWORD statFlag) override {
        if (!stat)
            return STG_E_INVALIDPOINTER;
        *stat = STATSTG{};
        if (!(statFlag & STATFLAG_NONAME))
            stat->name.assign(path_.begin(), path_.end());
        stat->type = STGTY_STREAM;
        stat->size = sizeOf(handle_);
        stat->mode = mode_;
        return S_OK;
    }
    // A clone opens the file again (never with STGM_CREATE, so the file is not truncated).
    HRESULT Clone(IStream** out) override {
        if (!out)
            return STG_E_INVALIDPOINTER;
        *out = nullptr;
        const FileHandle handle = openFile(path_, accessOf(mode_), FileDisposition::OpenExisting);
        if (handle == INVALID_HANDLE_VALUE)
            return openFailure();
        seekFile(handle, seekFile(handle_, 0, STREAM_SEEK_CUR), STREAM_SEEK_SET);
        *out = makeComObject<PathFileStream>(handle, path_, mode_ & ~STGM_CREATE).detach();
        return S_OK;
    }

protected:
    ~PathFileStream() override { closeFile(handle_); }
    void* queryExtraInterface(const IID& iid) override {
        return iid == IID_ISequentialStream ? static_cast<ISequentialStream*>(this) : nullptr;
    }

private:
    FileHandle handle_;
    std::string path_;
    DWORD mode_;
};

class PathFileLockBytes final : public ComObject<ILockBytes> {
public:
    PathFileLockBytes(FileHandle handle, DWORD mode) : handle_(handle), mode_(mode) {}

    HRESULT ReadAt(ULONGLONG offset, void* buffer, ULONG count, ULONG* read) override {
        if (read)
            *read = 0;
        if (!moveTo(offset))
            return STG_E_SEEKERROR;
        return readHere(handle_, buffer, count, read);
    }
    HRESULT WriteAt(ULONGLONG offset, const void* buffer, ULONG count, ULONG* written) override {
        if (written)
            *written = 0;
        if (!stgmCanWrite(mode_))
            return STG_E_ACCESSDENIED;
        if (!moveTo(offset))
            return STG_E_SEEKERROR;
        return writeHere(handle_, buffer, count, written);
    }
    HRESULT Flush() override { return S_OK; }
    HRESULT SetSize(ULONGLONG size) override { return setSizeOf(handle_, mode_, size); }
    HRESULT LockRegion(ULONGLONG, ULONGLONG, DWORD) override { return STG_E_INVALIDFUNCTION; }
    HRESULT UnlockRegion(ULONGLONG, ULONGLONG, DWORD) override { return STG_E_INVALIDFUNCTION; }
    HRESULT Stat(STATSTG* stat, DWORD) override {
        if (!stat)
            return STG_E_INVALIDPOINTER;
        *stat = STATSTG{};
        stat->type = STGTY_LOCKBYTES;
        stat->size = sizeOf(handle_);
        stat->mode = mode_;
        return S_OK;
    }

protected:
    ~PathFileLockBytes() override { closeFile(handle_); }

private:
    bool moveTo(ULONGLONG offset) {
        if (offset > static_cast<ULONGLONG>(std::numeric_limits<std::int64_t>::max()))
            return false;
        return seekFile(handle_, static_cast<std::int64_t>(offset), STREAM_SEEK_SET) >= 0;
    }

    FileHandle handle_;
    DWORD mode_;
};

}  // namespace

HRESULT createStreamOnFile(const std::string& path, DWORD mode, IStream** out) {
    if (!out)
        return E_POINTER;
    *out = nullptr;
    const FileHandle handle = openForMode(path, mode);
    if (handle == INVALID_HANDLE_VALUE)
        return openFailure();
    *out = makeComObject<PathFileStream>(handle, path, mode).detach();
    return S_OK;
}

HRESULT createLockBytesOnFile(const std::string& path, DWORD mode, ILockBytes** out) {
    if (!out)
        return E_POINTER;
    *out = nullptr;
    const FileHandle handle = openForMode(path, mode);
    if (handle == INVALID_HANDLE_VALUE)
        return openFailure();
    *out = makeComObject<PathFileLockBytes>(handle, mode).detach();
    return S_OK;
}

}  // namespace com

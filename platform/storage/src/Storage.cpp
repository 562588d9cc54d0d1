#include "storage/Storage.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <new>

#include "MemoryStream.h"
#include "storage/FileStreams.h"
#include "storage/GlobalMemory.h"

namespace com {
namespace {

constexpr std::array<std::uint8_t, 8> kSignature{0x54, 0x57, 0x4B, 0x53, 0x54, 0x47, 0x0D, 0x0A};
constexpr std::uint32_t kFormatVersion = 1;
constexpr std::size_t kHeaderSize = 32;
constexpr std::size_t kMaxNameLength = 31;
constexpr std::uint64_t kMaxImageSize = std::numeric_limits<std::int32_t>::max();

char16_t foldCase(char16_t c) {
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
}

bool sameName(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) {
               return foldCase(x) == foldCase(y);
           });
}

// A name as the container keeps it: 1..31 units, no control character (NUL included) and none of
// the separators. The same rule holds for names given by callers and names read from a container.
bool validName(std::u16string_view text) {
    if (text.empty() || text.size() > kMaxNameLength)
        return false;
    return std::none_of(text.begin(), text.end(), [](char16_t c) {
        return c < 0x20 || c == u'/' || c == u'\\' || c == u':' || c == u'!';
    });
}

bool validName(const char16_t* name) {
    return name && validName(std::u16string_view(name));
}

// Little-endian image writer and bounds-checked reader.
class ImageWriter {
public:
    void bytes(const void* data, std::size_t n) {
        if (n == 0)
            return;
        const auto* p = static_cast<const std::uint8_t*>(data);
        out_.insert(out_.end(), p, p + n);
    }
    void uint(std::uint64_t value, int width) {
        for (int i = 0; i < width; ++i)
            out_.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
    std::vector<std::uint8_t>& image() { return out_; }

private:
    std::vector<std::uint8_t> out_;
};

class ImageReader {
public:
    explicit ImageReader(const std::vector<std::uint8_t>& in) : in_(in) {}
    std::size_t left() const { return in_.size() - pos_; }
    bool uint(std::uint64_t& value, int width) {
        if (left() < static_cast<std::size_t>(width))
            return false;
        value = 0;
        for (int i = 0; i < width; ++i)
            value |= static_cast<std::uint64_t>(in_[pos_++]) << (8 * i);
        return true;
    }
    bool bytes(void* data, std::size_t n) {
        if (left() < n)
            return false;
        if (n == 0)
            return true;
        std::memcpy(data, in_.data() + pos_, n);
        pos_ += n;
        return true;
    }

private:
    const std::vector<std::uint8_t>& in_;
    std::size_t pos_ = 0;
};

// Reads the whole of the lock bytes; false when they cannot be read or are too large.
bool readAll(ILockBytes* lockBytes, std::vector<std::uint8_t>& out) {
    STATSTG stat;
    if (FAILED(lockBytes->Stat(&stat, STATFLAG_NONAME)) || stat.size > kMaxImageSize)
        return false;
    try {
        out.resize(static_cast<std::size_t>(stat.size));
    } catch (const std::bad_alloc&) {
        return false;
    }
    ULONG read = 0;
    if (!out.empty() && FAILED(lockBytes->ReadAt(0, out.data(), static_cast<ULONG>(out.size()), &read)))
        return false;
    out.resize(read);
    return true;
}

bool hasSignature(const std::vector<std::uint8_t>& image) {
    return image.size() >= kSignature.size() &&
           std::equal(kSignature.begin(), kSignature.end(), image.begin());
}

struct Element {
    std::u16string name;
    HGLOBAL data;
};

class DocfileStorage;

// A stream of the storage: a memory stream over the element's bytes that tells its storage when
// it changed and when it is committed or let go.
class ElementStream final : public MemoryStream {
public:
    ElementStream(DocfileStorage* storage, HGLOBAL block, bool writable);
    HRESULT Commit(DWORD flags) override;

protected:
    ~ElementStream() override;
    void changed() override;
    ComPtr<MemoryStream> makeClone() override;

private:
    ComPtr<DocfileStorage> storage_;
};

class DocfileStorage final : public ComObject<IStorage> {
public:
    DocfileStorage(ILockBytes* medium, DWORD mode) : medium_(medium), mode_(mode) {}

    HRESULT CreateStream(const char16_t* name, DWORD mode, IStream** out) override {
        if (!out)
            return STG_E_INVALIDPOINTER;
        *out = nullptr;
        if (!validName(name))
            return STG_E_INVALIDNAME;
        if (!stgmCanWrite(mode_))
            return STG_E_ACCESSDENIED;
        Element* element = find(name);
        if (element && !(mode & STGM_CREATE))
            return STG_E_FILEALREADYEXISTS;
        if (element) {
            element->data->bytes.clear();
        } else {
            HGLOBAL block = globalAlloc(0);
            if (!block)
                return STG_E_INSUFFICIENTMEMORY;
            elements_.push_back({std::u16string(name), block});
            element = &elements_.back();
        }
        dirty_ = true;
        *out = makeComObject<ElementStream>(this, element->data, stgmCanWrite(mode)).detach();
        return S_OK;
    }
    HRESULT OpenStream(const char16_t* name, DWORD mode, IStream** out) override {
        if (!out)
            return STG_E_INVALIDPOINTER;
        *out = nullptr;
        if (!validName(name))
            return STG_E_INVALIDNAME;
        if (stgmCanWrite(mode) && !stgmCanWrite(mode_))
            return STG_E_ACCESSDENIED;
        Element* element = find(name);
        if (!element)
            return STG_E_FILENOTFOUND;
        *out = makeComObject<ElementStream>(this, element->data, stgmCanWrite(mode)).detach();
        return S_OK;
    }
    HRESULT DestroyElement(const char16_t* name) override {
        if (!validName(name))
            return STG_E_INVALIDNAME;
        if (!stgmCanWrite(mode_))
            return STG_E_ACCESSDENIED;
        const auto it = std::find_if(elements_.begin(), elements_.end(),
                                     [&](const Element& e) { return sameName(e.name, name); });
        if (it == elements_.end())
            return STG_E_FILENOTFOUND;
        elements_.erase(it);
        dirty_ = true;
        return flushIfDirect();
    }
    HRESULT Commit(DWORD) override { return flush(); }
    HRESULT Revert() override {
        if (!transacted())
            return S_OK;
        std::vector<Element> restored;
        for (auto& [name, bytes] : committed_) {
            Element* current = find(name.c_str());
            HGLOBAL block = current ? current->data : globalAlloc(0);
            if (!block)
                return STG_E_INSUFFICIENTMEMORY;
            block->bytes = bytes;
            restored.push_back({name, block});
        }
        elements_ = std::move(restored);
        // The last committed state may not be on the medium yet (a plain file opened by conversion).
        dirty_ = !onMedium_;
        return S_OK;
    }
    HRESULT SetClass(const CLSID& clsid) override {
        if (!stgmCanWrite(mode_))
            return STG_E_ACCESSDENIED;
        clsid_ = clsid;
        dirty_ = true;
        return flushIfDirect();
    }
    HRESULT Stat(STATSTG* stat, DWORD) override {
        if (!stat)
            return STG_E_INVALIDPOINTER;
        *stat = STATSTG{};
        stat->type = STGTY_STORAGE;
        stat->mode = mode_;
        stat->clsid = clsid_;
        return S_OK;
    }
    HRESULT ElementNames(std::vector<std::u16string>* names) override {
        if (!names)
            return STG_E_INVALIDPOINTER;
        names->clear();
        for (const Element& e : elements_)
            names->push_back(e.name);
        return S_OK;
    }

    // Reads the container; S_OK, or STG_E_DOCFILECORRUPT for a damaged one.
    HRESULT load(const std::vector<std::uint8_t>& image);
    // Takes a plain medium's bytes as its only stream.
    HRESULT adoptPlainBytes(std::vector<std::uint8_t> bytes);
    void remember();
    HRESULT flush();
    HRESULT flushIfDirect() { return transacted() ? S_OK : flush(); }
    void markDirty() { dirty_ = true; }

protected:
    ~DocfileStorage() override {
        if (!transacted())
            flush();
    }

private:
    bool transacted() const { return (mode_ & STGM_TRANSACTED) != 0; }
    Element* find(const char16_t* name) {
        for (Element& e : elements_) {
            if (sameName(e.name, name))
                return &e;
        }
        return nullptr;
    }
    std::vector<std::uint8_t> image() const;

    ComPtr<ILockBytes> medium_;
    DWORD mode_;
    CLSID clsid_{};
    std::vector<Element> elements_;
    std::vector<std::pair<std::u16string, std::vector<std::uint8_t>>> committed_;
    bool dirty_ = false;
    // Whether the medium holds the image of the last committed state.
    bool onMedium_ = true;
};

ElementStream::ElementStream(DocfileStorage* storage, HGLOBAL block, bool writable)
    : MemoryStream(std::move(block), writable), storage_(storage) {}

ElementStream::~ElementStream() {
    if (writable())
        storage_->flushIfDirect();
}

HRESULT ElementStream::Commit(DWORD) {
    return storage_->flushIfDirect();
}

void ElementStream::changed() {
    storage_->markDirty();
}

ComPtr<MemoryStream> ElementStream::makeClone() {
    return makeComObject<ElementStream>(storage_.get(), globalBlock(), writable());
}

std::vector<std::uint8_t> DocfileStorage::image() const {
    ImageWriter out;
    out.bytes(kSignature.data(), kSignature.size());
    out.uint(kFormatVersion, 4);
    const auto clsid = clsid_.toBytes();
    out.bytes(clsid.data(), clsid.size());
    out.uint(elements_.size(), 4);
    for (const Element& e : elements_) {
        out.uint(e.name.size(), 2);
        for (char16_t c : e.name)
            out.uint(c, 2);
        out.uint(e.data->bytes.size(), 8);
        out.bytes(e.data->bytes.data(), e.data->bytes.size());
    }
    return std::move(out.image());
}

HRESULT DocfileStorage::load(const std::vector<std::uint8_t>& image) {
    if (!hasSignature(image) || image.size() < kHeaderSize)
        return STG_E_DOCFILECORRUPT;
    ImageReader in(image);
    std::uint8_t skip[8];
    std::uint64_t version = 0;
    std::uint64_t count = 0;
    std::array<std::uint8_t, 16> clsid{};
    in.bytes(skip, sizeof skip);
    in.uint(version, 4);
    in.bytes(clsid.data(), clsid.size());
    in.uint(count, 4);
    if (version != kFormatVersion)
        return STG_E_DOCFILECORRUPT;
    clsid_ = Guid::fromBytes(clsid);
    // Each element takes at least 12 bytes, so a count beyond that is damage, not a big storage.
    if (count > in.left() / 12)
        return STG_E_DOCFILECORRUPT;
    std::vector<Element> elements;
    for (std::uint64_t i = 0; i < count; ++i) {
        std::uint64_t length = 0;
        std::uint64_t size = 0;
        if (!in.uint(length, 2) || length == 0 || length > kMaxNameLength || in.left() < 2 * length) {
            return STG_E_DOCFILECORRUPT;
        }
        std::u16string name(static_cast<std::size_t>(length), u'\0');
        for (char16_t& c : name) {
            std::uint64_t unit = 0;
            in.uint(unit, 2);
            c = static_cast<char16_t>(unit);
        }
        // Names are looked up without regard to case, so two that differ only in case (or a name no
        // caller could have created) would make one stream stand for another.
        const auto clash = [&](const Element& e) { return sameName(e.name, name); };
        if (!validName(name) || std::any_of(elements.begin(), elements.end(), clash))
            return STG_E_DOCFILECORRUPT;
        if (!in.uint(size, 8) || size > in.left())
            return STG_E_DOCFILECORRUPT;
        HGLOBAL block = globalAlloc(static_cast<std::size_t>(size));
        if (!block)
            return STG_E_INSUFFICIENTMEMORY;
        in.bytes(block->bytes.data(), block->bytes.size());
        elements.push_back({std::move(name), std::move(block)});
    }
    elements_ = std::move(elements);
    return S_OK;
}

HRESULT DocfileStorage::adoptPlainBytes(std::vector<std::uint8_t> bytes) {
    HGLOBAL block = globalAlloc(0);
    if (!block)
        return STG_E_INSUFFICIENTMEMORY;
    block->bytes = std::move(bytes);
    elements_ = {{kConvertedStreamName, block}};
    dirty_ = true;
    onMedium_ = false;
    return S_OK;
}

void DocfileStorage::remember() {
    committed_.clear();
    for (const Element& e : elements_)
        committed_.emplace_back(e.name, e.data->bytes);
}

HRESULT DocfileStorage::flush() {
    if (!stgmCanWrite(mode_))
        return S_OK;
    if (!dirty_)
        return S_OK;
    std::vector<std::uint8_t> bytes;
    try {
        bytes = image();
    } catch (const std::bad_alloc&) {
        return STG_E_INSUFFICIENTMEMORY;
    }
    if (bytes.size() > kMaxImageSize)
        return STG_E_MEDIUMFULL;
    ULONG written = 0;
    HRESULT result = medium_->WriteAt(0, bytes.data(), static_cast<ULONG>(bytes.size()), &written);
    if (SUCCEEDED(result) && written != bytes.size())
        result = STG_E_WRITEFAULT;
    if (FAILED(result))
        return result;
    medium_->SetSize(bytes.size());
    medium_->Flush();
    dirty_ = false;
    onMedium_ = true;
    if (transacted())
        remember();
    return S_OK;
}

HRESULT storageOut(ComPtr<DocfileStorage> storage, IStorage** out) {
    storage->remember();
    *out = storage.detach();
    return S_OK;
}

}  // namespace

HRESULT isStorageLockBytes(ILockBytes* lockBytes) {
    if (!lockBytes)
        return STG_E_INVALIDPOINTER;
    std::array<std::uint8_t, 8> head{};
    ULONG read = 0;
    const HRESULT result = lockBytes->ReadAt(0, head.data(), head.size(), &read);
    if (FAILED(result))
        return result;
    return (read == head.size() && head == kSignature) ? S_OK : S_FALSE;
}

HRESULT createDocfileOnLockBytes(ILockBytes* lockBytes, DWORD mode, IStorage** out) {
    if (!out)
        return STG_E_INVALIDPOINTER;
    *out = nullptr;
    if (!lockBytes)
        return STG_E_INVALIDPOINTER;
    if (!stgmCanWrite(mode))
        return STG_E_INVALIDFLAG;
    STATSTG stat;
    if (!(mode & STGM_CREATE) && SUCCEEDED(lockBytes->Stat(&stat, STATFLAG_NONAME)) && stat.size > 0) {
        return STG_E_FILEALREADYEXISTS;
    }
    auto storage = makeComObject<DocfileStorage>(lockBytes, mode & ~STGM_CREATE);
    // A new storage is written at once (even when transacted) so the medium holds a valid one.
    storage->markDirty();
    const HRESULT result = storage->flush();
    if (FAILED(result))
        return result;
    return storageOut(std::move(storage), out);
}

HRESULT openStorageOnLockBytes(ILockBytes* lockBytes, DWORD mode, IStorage** out) {
    if (!out)
        return STG_E_INVALIDPOINTER;
    *out = nullptr;
    if (!lockBytes)
        return STG_E_INVALIDPOINTER;
    std::vector<std::uint8_t> bytes;
    if (!readAll(lockBytes, bytes))
        return STG_E_READFAULT;
    auto storage = makeComObject<DocfileStorage>(lockBytes, mode);
    HRESULT result = S_OK;
    if (hasSignature(bytes)) {
        result = storage->load(bytes);
    } else if (mode & STGM_CONVERT) {
        result = storage->adoptPlainBytes(std::move(bytes));
        if (SUCCEEDED(result))
            result = storage->flushIfDirect();
        if (SUCCEEDED(result))
            result = STG_S_CONVERTED;
    } else {
        result = STG_E_FILEALREADYEXISTS;
    }
    if (FAILED(result))
        return result;
    storageOut(std::move(storage), out);
    return result;
}

HRESULT createDocfile(const std::string& path, DWORD mode, IStorage** out) {
    if (!out)
        return STG_E_INVALIDPOINTER;
    *out = nullptr;
    if (!(mode & STGM_CREATE) && isStorageFile(path) != STG_E_FILENOTFOUND)
        return STG_E_FILEALREADYEXISTS;
    ComPtr<ILockBytes> lockBytes;
    HRESULT result = createLockBytesOnFile(path, STGM_READWRITE | STGM_CREATE, lockBytes.put());
    if (FAILED(result))
        return STG_E_PATHNOTFOUND;
    return createDocfileOnLockBytes(lockBytes.get(), mode | STGM_CREATE, out);
}

HRESULT openStorage(const std::string& path, DWORD mode, IStorage** out) {
    if (!out)
        return STG_E_INVALIDPOINTER;
    *out = nullptr;
    ComPtr<ILockBytes> lockBytes;
    const DWORD fileMode = stgmCanWrite(mode) ? STGM_READWRITE : STGM_READ;
    if (FAILED(createLockBytesOnFile(path, fileMode, lockBytes.put())))
        return STG_E_FILENOTFOUND;
    return openStorageOnLockBytes(lockBytes.get(), mode, out);
}

HRESULT isStorageFile(const std::string& path) {
    ComPtr<ILockBytes> lockBytes;
    if (FAILED(createLockBytesOnFile(path, STGM_READ, lockBytes.put())))
        return STG_E_FILENOTFOUND;
    return isStorageLockBytes(lockBytes.get());
}

}  // namespace com

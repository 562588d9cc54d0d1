#include "resources/ResourceText.h"

#include <algorithm>
#include <cstring>

#include "com/FixedText.h"
#include "persist/CPropertyArchive.h"
#include "res/ModuleRegistry.h"

namespace dravik {

CResourceText::CResourceText(const CResourceText& other)
    : bufferSize_(other.bufferSize_), stringId_(other.stringId_), ownerId_(other.ownerId_) {
    if (other.buffer_) {
        ensureBuffer();
        std::memcpy(buffer_.get(), other.buffer_.get(),
                    static_cast<std::size_t>(std::max<int>(bufferSize_, 1)));
    }
}

CResourceText& CResourceText::operator=(const CResourceText& other) {
    if (this != &other) {
        CResourceText copy(other);
        *this = std::move(copy);
    }
    return *this;
}

char* CResourceText::ensureBuffer() {
    if (!buffer_) {
        // One byte at least, so that an empty text always has its terminator.
        const std::size_t bytes = static_cast<std::size_t>(std::max<int>(bufferSize_, 1));
        buffer_ = std::make_unique<char[]>(bytes);
        buffer_[0] = '\0';
    }
    return buffer_.get();
}

const char* CResourceText::GetText(const res::ResourceModule* module) {
    char* buffer = ensureBuffer();
    if (stringId_ != -1) {
        const std::size_t capacity = static_cast<std::size_t>(std::max<int>(bufferSize_, 1));
        if (!module || !module->loadString(static_cast<std::uint16_t>(stringId_), buffer, capacity))
            buffer[0] = '\0';
    }
    return buffer;
}

const char* CResourceText::GetText() {
    const auto module = res::ModuleRegistry::current(QString::fromLatin1(kResourceComponent));
    return GetText(module.get());
}

int CResourceText::SetText(std::string_view text, const res::ResourceModule* module) {
    if (text == std::string_view(GetText(module)))
        return 0;
    com::copyToFixed(text, buffer_.get(), static_cast<std::size_t>(std::max<int>(bufferSize_, 1)));
    stringId_ = -1;
    return 1;
}

void CResourceText::SetStringId(std::int16_t id) {
    stringId_ = id;
    ownerId_ = id;
}

void CResourceText::SetSize(std::int16_t size) {
    size = std::max<std::int16_t>(size, 0);
    if (size == bufferSize_)
        return;
    const std::string kept = buffer_ ? std::string(buffer_.get()) : std::string();
    const bool hadBuffer = buffer_ != nullptr;
    buffer_.reset();
    bufferSize_ = size;
    if (hadBuffer)
        com::copyToFixed(kept, ensureBuffer(), static_cast<std::size_t>(std::max<int>(bufferSize_, 1)));
}

void CResourceText::takeOwnText(std::string_view text, std::int16_t savedSize) {
    if (bufferSize_ <= 0 && !buffer_)
        bufferSize_ = savedSize;
    com::copyToFixed(text, ensureBuffer(), static_cast<std::size_t>(std::max<int>(bufferSize_, 1)));
    stringId_ = -1;
}

int CResourceText::Exchange(CPropertyArchive& archive, std::u16string_view key, std::uint32_t flags) {
    const std::u16string textKey(key);
    if ((flags & kExchangeTextOnly) != 0) {
        std::string text;
        if (archive.IsStoring()) {
            if (!isOwnText())
                return 0;
            text = GetText(nullptr);
            return archive.ExchangeAnsiText(&text, textKey.c_str());
        }
        const int moved = archive.ExchangeAnsiText(&text, textKey.c_str());
        if (moved > 0 && !archive.Failed())
            takeOwnText(text, static_cast<std::int16_t>(std::min<std::size_t>(text.size() + 1, 0x7FFF)));
        return moved;
    }

    const std::u16string sizeKey = textKey + u"_strSize";
    std::int16_t size = archive.IsStoring() && isOwnText() ? bufferSize_ : 0;
    int moved = archive.ExchangeShort(&size, sizeKey.c_str(), 0);
    if (archive.Failed())
        return moved;
    if (size <= 0) {
        if (!archive.IsStoring() && ownerId_ != -1)
            stringId_ = ownerId_;
        return moved;
    }
    // The block is exactly `size` bytes: the text, then zeros (never what an older text left behind).
    std::vector<char> block(static_cast<std::size_t>(size) + 1, '\0');
    if (archive.IsStoring()) {
        com::copyToFixed(GetText(nullptr), block.data(), block.size() - 1);
        return moved + archive.ExchangeSized(block.data(), size, textKey.c_str());
    }
    moved += archive.ExchangeSized(block.data(), size, textKey.c_str());
    if (!archive.Failed())
        takeOwnText(com::readFixed(block.data(), static_cast<std::size_t>(size)), size);
    return moved;
}

std::vector<std::string> StringsInRange(const res::ResourceModule& module, std::uint32_t first,
                                        std::uint32_t last) {
    std::vector<std::string> texts;
    for (std::uint64_t id = first; id <= last; ++id) {
        char buffer[256];
        module.loadString(static_cast<std::uint32_t>(id), buffer, sizeof buffer);
        texts.emplace_back(buffer);
    }
    return texts;
}

}  // namespace dravik

#include "persist/SystemArchiveClipboard.h"

#include <algorithm>
#include <optional>

#include <QByteArray>

#include "ui/Input.h"

namespace dravik {

bool SystemArchiveClipboard::Open() {
    if (open_)
        return false;  // one owner at a time, as the system clipboard allows
    open_ = true;
    return true;
}

void SystemArchiveClipboard::Close() {
    open_ = false;
}

bool SystemArchiveClipboard::Empty() {
    if (!open_)
        return false;
    ui::emptyClipboard();
    return true;
}

com::HGLOBAL SystemArchiveClipboard::GetData(std::uint32_t format) {
    if (!open_)
        return {};
    const std::optional<QByteArray> data = ui::clipboardData(format);
    if (!data)
        return {};
    com::HGLOBAL block = com::globalAlloc(static_cast<std::size_t>(data->size()));
    if (block)
        std::copy(data->begin(), data->end(), block->bytes.begin());
    return block;
}

bool SystemArchiveClipboard::SetData(std::uint32_t format, com::HGLOBAL data) {
    if (!open_ || !data)
        return false;
    const QByteArray bytes(reinterpret_cast<const char*>(data->bytes.data()),
                           static_cast<qsizetype>(data->bytes.size()));
    return ui::setClipboardData(format, bytes);
}

}  // namespace dravik

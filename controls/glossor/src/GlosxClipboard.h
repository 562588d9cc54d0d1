// The annotation objects on the clipboard: one private format holding the copied objects' data.
#pragma once

#include <optional>
#include <vector>

#include <QByteArray>

#include "GlosxGeometry.h"

namespace glossor {

// Bounds of what a paste accepts.
inline constexpr std::uint32_t kMaxClipboardObjects = 4096;
inline constexpr int kMaxClipboardText = 65536;                // UTF-16 units per object
inline constexpr int kMaxClipboardPicture = 16 * 1024 * 1024;  // encoded bytes per object

// The objects back to front, with the position among them of the one that was selected first.
QByteArray encodeObjects(const std::vector<GlosxData>& objects, std::uint32_t first = 0);
// The objects of an encoded block, read whole; none when the block is damaged, bigger than the
// bounds above or of an unknown version.
std::optional<std::vector<GlosxData>> decodeObjects(const QByteArray& block, std::uint32_t* first = nullptr);

// Puts the objects on the clipboard under the private format; false when the clipboard refused.
bool copyToClipboard(const std::vector<GlosxData>& objects, std::uint32_t first);
// The clipboard's block under the private format, none when it holds none.
std::optional<QByteArray> clipboardBlock();

}  // namespace glossor

#pragma once

// The picture of an analyst note. The data server keeps it as "/notes_images/<ID>.gif"; the program
// keeps it in the Notes folder of the program folder as the file named by the note's ID alone.

#include <QString>

#include <cstdint>
#include <filesystem>
#include <string>

namespace frame {

// Milliseconds without progress after which a picture download fails.
inline constexpr std::int32_t kNoteImageTimeoutMs = 100000;

// <program folder>/Notes/<ID>.
std::filesystem::path NoteImageFile(std::int32_t noteId);
// "http://" & server & "/notes_images/" & ID & ".gif"; `server` is a host name, optionally with
// ":" and a port.
QString NoteImageUrl(const std::string& server, std::int32_t noteId);

// Fetches the picture of the note from `server` without credentials, through the proxy settings,
// and waits for the transfer to end (user input waits with it). The answer goes into a temporary
// file beside the picture, which it replaces only when the server answered with a 2xx status and two
// bytes or more; any other outcome leaves the picture as it was. True when a picture was stored.
// Errors are logged under "DownloadFile".
bool DownloadFile(std::int32_t noteId, const std::string& server);

}  // namespace frame

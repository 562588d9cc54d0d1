// The error log "Tarnwick.log" in the program folder. Each record is five CRLF lines: the date and
// time, "Number: ", "Description: ", "Function:" followed by the procedure name, and an empty line.
// A log grown past 512000 bytes is cut back to its last 102400 characters. Descriptions and names
// are written as printable UTF-8 (appdata/LogText.h), a description of at most 8192 bytes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace tarnwick {

inline constexpr std::uintmax_t kErrorLogCutSize = 512000;  // a log of exactly this size stays whole
inline constexpr std::uintmax_t kErrorLogKeptSize = 102400;

// Appends one record; never throws. A log that cannot be written is left alone, so that the
// procedure whose error is being logged still returns.
void WriteErrorLog(std::string_view Description, std::int32_t Number, std::string_view ProcName) noexcept;

std::filesystem::path ErrorLogFile();

// The text of the first line of a record; by default the current date and time as the user's locale
// writes them (short date, long time). Tests set a fixed text; an empty function restores the default.
void SetErrorLogClock(std::function<std::string()> clock);

}  // namespace tarnwick

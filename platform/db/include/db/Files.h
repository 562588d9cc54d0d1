// File operations that must survive a crash: a file flushed to disk, and one file put in the place of
// another in a single step, so that a reader sees either the old or the new file, never neither.
#pragma once

#include <filesystem>

namespace db {

// Flushes the file's contents to disk; raises Error on failure.
void syncFile(const std::filesystem::path& file);
// Renames source over target atomically and flushes the folder; raises Error on failure, leaving
// both files as they were.
void replaceFileAtomically(const std::filesystem::path& source, const std::filesystem::path& target);

}  // namespace db

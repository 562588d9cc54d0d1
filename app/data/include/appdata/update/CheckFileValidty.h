// The completeness check of a downloaded update stream: a complete stream ends in "EXIT" and a line
// break, so the four characters that stand six from the end read "EXIT" in any case.
#pragma once

#include <filesystem>

namespace tarnwick {

// True when the file is complete. A file that is missing, unreadable or shorter than six bytes is
// logged under "CheckFileValidty" and gives false.
bool CheckFileValidty(const std::filesystem::path& File);

}  // namespace tarnwick

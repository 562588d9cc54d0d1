#include "appdata/update/CheckFileValidty.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <string>

#include "appdata/AppError.h"
#include "appdata/ProcNames.h"
#include "appdata/Trap.h"

namespace tarnwick {

namespace {
constexpr std::streamoff kTailLength = 6;  // "EXIT" and the line break after it
constexpr std::size_t kMarkLength = 4;
}  // namespace

bool CheckFileValidty(const std::filesystem::path& File) {
    bool valid = false;
    Trap(procname::kCheckFileValidty, [&] {
        std::ifstream in(File, std::ios::binary);
        if (!in) {
            throw AppError(errnum::kFileNotFound, "File not found: " + File.string());
        }
        in.seekg(0, std::ios::end);
        const std::streamoff size = in.tellg();
        if (size < kTailLength) {
            throw AppError(errnum::kInputPastEndOfFile, "Input past end of file");
        }
        in.seekg(size - kTailLength);
        std::string mark(kMarkLength, '\0');
        in.read(mark.data(), static_cast<std::streamsize>(mark.size()));
        std::ranges::transform(mark, mark.begin(),
                               [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        valid = in.good() && mark == "EXIT";
    });
    return valid;
}

}  // namespace tarnwick

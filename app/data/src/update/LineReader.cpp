#include "LineReader.h"

#include <algorithm>
#include <string_view>

#include "appdata/AppError.h"

namespace tarnwick {

namespace {
constexpr std::int32_t kInputPastEndOfFile = 62;
}

LineReader::LineReader(const std::filesystem::path& file, std::function<void(double)> progress)
    : in_(file, std::ios::binary), progress_(std::move(progress)) {
    std::error_code ec;
    size_ = std::filesystem::file_size(file, ec);
    if (!in_ || ec) {
        throw AppError(errnum::kFileNotFound, "File not found: " + file.string());
    }
    skipByteOrderMark();
}

// A UTF-8 byte-order mark before the first line is no part of it: left there, it would hide the
// first keyword.
void LineReader::skipByteOrderMark() {
    constexpr std::string_view kMark = "\xEF\xBB\xBF";
    char head[3] = {};
    in_.read(head, sizeof head);
    if (in_.gcount() == 3 && std::string_view(head, 3) == kMark) {
        read_ += kMark.size();
        return;
    }
    in_.clear();
    in_.seekg(0);
}

bool LineReader::atEnd() {
    return in_.peek() == std::ifstream::traits_type::eof();
}

const std::string& LineReader::next() {
    if (atEnd()) {
        throw AppError(kInputPastEndOfFile, "Input past end of file");
    }
    std::getline(in_, line_);
    if (!line_.empty() && line_.back() == '\r') {
        line_.pop_back();
    }
    read_ += line_.size() + 2;
    if (progress_ && size_ > 0) {
        progress_(std::min(1.0, static_cast<double>(read_) / static_cast<double>(size_)));
    }
    return line_;
}

}  // namespace tarnwick

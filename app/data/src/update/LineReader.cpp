#include "LineReader.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "appdata/AppError.h"

namespace tarnwick {

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
    if (fill() && std::string_view(buffer_.get(), end_).starts_with(kMark)) {
        begin_ = kMark.size();
        read_ += kMark.size();
    }
}

bool LineReader::fill() {
    in_.read(buffer_.get(), static_cast<std::streamsize>(kBufferSize));
    begin_ = 0;
    end_ = static_cast<std::size_t>(in_.gcount());
    return end_ > 0;
}

bool LineReader::atEnd() {
    return begin_ == end_ && !fill();
}

const std::string& LineReader::next() {
    if (atEnd()) {
        throw AppError(errnum::kInputPastEndOfFile, "Input past end of file");
    }
    line_.clear();
    for (;;) {
        const char* from = buffer_.get() + begin_;
        const auto* lf = static_cast<const char*>(std::memchr(from, '\n', end_ - begin_));
        if (lf != nullptr) {
            line_.append(from, lf);
            begin_ = static_cast<std::size_t>(lf - buffer_.get()) + 1;
            break;
        }
        // The line goes on in the next part of the file, or ends with the file.
        line_.append(from, end_ - begin_);
        begin_ = end_;
        if (!fill()) {
            break;
        }
    }
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

// Reads an update stream one line at a time. Lines end in LF, optionally preceded by CR, which is
// not part of the line; a UTF-8 byte-order mark at the start of the file is skipped. Every line read counts
// its length plus two bytes (the CR LF) towards the share of the file read, which goes to the progress hook.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

namespace tarnwick {

class LineReader {
public:
    // Raises AppError 53 when the file cannot be opened.
    LineReader(const std::filesystem::path& file, std::function<void(double share)> progress);

    bool atEnd();
    // The next line, valid until the next call (one buffer serves every line); AppError 62 ("Input
    // past end of file") when there is none.
    const std::string& next();

private:
    // Reads the next part of the file into the buffer; false at the end of the file.
    bool fill();
    void skipByteOrderMark();

    // The file is read in parts of this size and split into lines in place.
    static constexpr std::size_t kBufferSize = 64 * 1024;

    std::ifstream in_;
    std::unique_ptr<char[]> buffer_ = std::make_unique<char[]>(kBufferSize);
    std::size_t begin_ = 0;  // the unread part of the buffer, begin_ to end_
    std::size_t end_ = 0;
    std::uintmax_t size_ = 0;
    std::uintmax_t read_ = 0;
    std::function<void(double)> progress_;
    std::string line_;
};

}  // namespace tarnwick

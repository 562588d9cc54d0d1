// The delimited text file of price records: one record per line, the columns date, open, high, low,
// close and volume separated by a delimiter text.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace indikon {

class PriceTextFile {
public:
    // Reads the whole file; FileNotFound when it does not exist, PathFileAccess when it cannot be read.
    static PriceTextFile read(const std::filesystem::path& path);
    explicit PriceTextFile(std::string contents);

    // A line ends at CR, CRLF or LF; a line end at the very end of the file makes no extra line, and
    // an empty file has no lines. Every other line, empty or not, is one record.
    const std::vector<std::string_view>& lines() const { return lines_; }

private:
    std::string contents_;
    std::vector<std::string_view> lines_;
};

// The columns of one line. The first five are the texts before each delimiter in turn; a column whose
// delimiter does not occur is absent (and the rest of the line is left for the next). Volume is
// whatever follows the last delimiter found. An empty delimiter never occurs.
struct PriceLine {
    std::array<std::optional<std::string_view>, 5> columns;  // date, open, high, low, close
    std::string_view volume;
};

PriceLine splitPriceLine(std::string_view line, std::string_view delimiter);

// The number at the start of a text, read as the language's Val reads it: blanks (space, tab, line
// feed) are skipped anywhere, an optional sign, digits with "." as the decimal point whatever the
// locale, and an exponent with E or D; it stops at the first other character. A text without a leading
// number gives 0. Overflow for a number too large for a double.
double leadingNumber(std::string_view text);

}  // namespace indikon

// One record line of the update stream: "|"-separated fields read by position. Every read checks the
// position and converts the field strictly and without regard to the process locale; a field that
// does not convert raises AppError, so a record is either filled completely or not at all.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "db/Value.h"

namespace tarnwick {

class RecordLine {
public:
    // Splits at every "|"; an empty line has no fields, "a||b" has three.
    explicit RecordLine(std::string_view line);
    // The fields point into the line's own copy, which must stay where it is.
    RecordLine(const RecordLine&) = delete;
    RecordLine& operator=(const RecordLine&) = delete;

    std::size_t size() const { return count_; }

    // Raises AppError 9 ("Subscript out of range") unless the line has at least `count` fields.
    void require(std::size_t count) const;

    std::string_view text(std::size_t index) const;
    // A whole number in decimal, blanks around it allowed; AppError 13 for anything else, 6 when it
    // does not fit.
    std::int32_t int32(std::size_t index) const;
    // A finite decimal number ("12.5", "-3", "1e3"); AppError 13 for anything else.
    double real(std::size_t index) const;
    // Exactly "NO" is false; any other text, the empty one included, is true.
    bool flag(std::size_t index) const;
    // year "-" month "-" day, each a 16-bit whole number, naming a day that exists; a year below 100
    // is read as 2000-2029 (0-29) or 1930-1999 (30-99). AppError 13 for any other form and for a
    // year past 9999.
    db::Date date(std::size_t index) const;

private:
    // Room in place for the fields of every record line the stream carries; a longer line keeps the
    // rest in more_.
    static constexpr std::size_t kPlacedFields = 16;

    std::string line_;
    std::array<std::string_view, kPlacedFields> placed_{};
    std::vector<std::string_view> more_;
    std::size_t count_ = 0;
};

}  // namespace tarnwick

#include "frame/LanguageTable.h"

#include "LanguageData.h"
#include "frame/RunTimeError.h"

std::array<QString, frame::kLangStringCount> gLangStrings;

void LoadLanguageStrings() {
    for (size_t i = 0; i < gLangStrings.size(); ++i) {
        const std::string_view text = frame::langdata::kTexts[i];
        gLangStrings[i] = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    }
}

QString GetLangString(int32_t index) {
    // One unsigned comparison rejects negative indices as well.
    if (static_cast<uint32_t>(index) >= static_cast<uint32_t>(frame::kLangRowCount))
        throw frame::RunTimeError(frame::RunTimeError::kSubscriptOutOfRange, "Subscript out of range");
    return gLangStrings[static_cast<size_t>(frame::langStringIndex(index, gArabic))];
}

QString GetLangMessage(int32_t row) {
    // Rows below the table, down to INT32_MIN, are refused before the subtraction could overflow.
    if (row < frame::kLangRowCount || row - frame::kLangRowCount >= frame::kLangMessageCount)
        throw frame::RunTimeError(frame::RunTimeError::kSubscriptOutOfRange, "Subscript out of range");
    const int32_t index = row - frame::kLangRowCount;
    const std::string_view text =
        frame::langdata::kMessageTexts[static_cast<size_t>(index + (gArabic ? frame::kLangMessageCount : 0))];
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

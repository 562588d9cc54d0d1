#include "frame/chart/DrawingInfoText.h"

#include <charconv>
#include <limits>

#include "frame/chart/DrawingDates.h"
#include "store/SettingText.h"

namespace frame::chart {

namespace {

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(
            text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos)
            return parts;
        start = end + 1;
    }
}

// The parts one after the other, each after the first preceded by the separator.
template <class Parts>
std::string joined(const Parts& parts, char separator) {
    std::string text;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0)
            text += separator;
        text += parts[i];
    }
    return text;
}

std::string boolText(bool value) {
    return value ? "True" : "False";
}

std::string freeText(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c == '$' || c == ';' || c == '|')
            c = ' ';
    return out;
}

// The words True and False in any case, or a number (0 False, any other True), as stored settings
// read; the text is written in words, but older texts hold numbers.
std::optional<bool> readBool(std::string_view text) {
    return store::parseBool(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

template <class Int>
std::optional<Int> readInt(std::string_view text) {
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < std::numeric_limits<Int>::min() ||
        value > std::numeric_limits<Int>::max())
        return std::nullopt;
    return static_cast<Int>(value);
}

}  // namespace

DrawingSections SplitDrawingSections(std::string_view text) {
    DrawingSections sections;
    std::size_t start = 0;
    for (std::size_t i = 0; i < sections.size(); ++i) {
        const std::size_t end = i + 1 < sections.size() ? text.find('$', start) : std::string_view::npos;
        sections[i] = std::string(
            text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    return sections;
}

std::string JoinDrawingSections(const DrawingSections& sections) {
    return joined(sections, '$');
}

std::vector<std::string_view> SplitDrawingRecords(std::string_view section) {
    std::vector<std::string_view> records;
    for (const std::string_view record : split(section, ';'))
        if (!record.empty())
            records.push_back(record);
    return records;
}

void AppendDrawingRecord(std::string& section, std::string_view record) {
    if (!section.empty())
        section += ';';
    section += record;
}

std::string WriteDrawingRecord(const DrawingRecord& r) {
    const std::array<std::string, kDrawingFieldCount> fields{
        std::to_string(r.color),
        boolText(r.enable),
        boolText(r.freeDraw),
        FixedDrawingDate(r.from),
        freeText(r.fromPrice),
        std::to_string(r.lineStyle),
        std::to_string(r.lineWidth),
        freeText(r.name),
        std::to_string(r.signalLineStyle),
        FixedDrawingDate(r.to),
        freeText(r.toPrice),
        freeText(r.userData),
        boolText(r.visible),
        std::to_string(r.workSeries),
    };
    return joined(fields, '|');
}

std::optional<DrawingRecord> ReadDrawingRecord(std::string_view text, const loc::LocaleInfo& locale) {
    const std::vector<std::string_view> f = split(text, '|');
    if (f.size() != kDrawingFieldCount)
        return std::nullopt;
    const auto color = readInt<std::int32_t>(f[0]);
    const auto enable = readBool(f[1]);
    const auto freeDraw = readBool(f[2]);
    const auto from = ReadDrawingDate(f[3], locale);
    const auto lineStyle = readInt<std::int16_t>(f[5]);
    const auto lineWidth = readInt<std::int16_t>(f[6]);
    const auto signalLineStyle = readInt<std::int16_t>(f[8]);
    const auto to = ReadDrawingDate(f[9], locale);
    const auto visible = readBool(f[12]);
    const auto workSeries = readInt<std::int32_t>(f[13]);
    if (!color || !enable || !freeDraw || !from || f[4].empty() || !lineStyle || !lineWidth ||
        !signalLineStyle || !to || !visible || !workSeries)
        return std::nullopt;
    DrawingRecord record;
    record.color = *color;
    record.enable = *enable;
    record.freeDraw = *freeDraw;
    record.from = *from;
    record.fromPrice = std::string(f[4]);
    record.lineStyle = *lineStyle;
    record.lineWidth = *lineWidth;
    record.name = std::string(f[7]);
    record.signalLineStyle = *signalLineStyle;
    record.to = *to;
    record.toPrice = std::string(f[10]);
    record.userData = std::string(f[11]);
    record.visible = *visible;
    record.workSeries = *workSeries;
    return record;
}

}  // namespace frame::chart

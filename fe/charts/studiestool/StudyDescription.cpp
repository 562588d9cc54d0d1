#include "studiestool/StudyDescription.h"

#include <array>
#include <cstdio>

#include "state/StudyRecord.h"

namespace dravik {
namespace {

// Kinds 4-31 use texts 501-528, kinds 32-37 texts 530-535 (there is no text 529).
constexpr std::uint32_t kFirstKindTextBase = 497;
constexpr std::uint32_t kLaterKindTextBase = 498;
constexpr int kFirstLaterKind = 32;

// Which parameters stand as the first, second and third period count of a kind (the property
// page shows the same ones).
enum class Count { None, Periods, Signal, Long, Short };
struct KindCounts {
    Count first;
    Count second;
    Count third;
};

KindCounts countsOf(int kind) {
    switch (kind) {
        case 19:
            return {Count::Long, Count::Short, Count::None};
        case 22:
            return {Count::Periods, Count::Signal, Count::None};
        case 24:
            return {Count::Signal, Count::Short, Count::Long};
        case 30:
        case 32:
        case 33:
        case 37:
            return {Count::Periods, Count::Signal, Count::None};
        case 36:
            return {Count::Short, Count::Long, Count::None};
        default:
            return {Count::Periods, Count::None, Count::None};
    }
}

std::string countText(const StudyRecord& record, Count count) {
    switch (count) {
        case Count::Periods:
            return std::to_string(record.periods);
        case Count::Signal:
            return std::to_string(record.parameters.signalPeriod());
        case Count::Long:
            return std::to_string(record.parameters.longPeriod());
        case Count::Short:
            return std::to_string(record.parameters.shortPeriod());
        case Count::None:
            break;
    }
    return std::string();
}

// "%5.2f" of a double, independent of the process locale's decimal point.
std::string decimalText(double value) {
    std::array<char, 64> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%5.2f", value);
    std::string text(buffer.data());
    for (char& c : text) {
        if (c == ',')
            c = '.';
    }
    return text;
}

}  // namespace

std::string FillText(std::string_view text, std::span<const std::string> arguments) {
    std::string filled;
    filled.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '%' || i + 1 == text.size()) {
            filled += c;
            continue;
        }
        const char next = text[i + 1];
        if (next == '%') {
            filled += '%';
            ++i;
        } else if (next >= '1' && next <= '9' && static_cast<std::size_t>(next - '1') < arguments.size()) {
            filled += arguments[static_cast<std::size_t>(next - '1')];
            ++i;
        } else {
            filled += c;
        }
    }
    return filled;
}

std::string TextOrMark(const res::ResourceModule& module, std::uint32_t id) {
    if (auto text = module.string(id))
        return *text;
    return "<text " + std::to_string(id) + " missing>";
}

std::uint32_t DescriptionTextId(int kind) {
    if (kind < 0 || kind > kLastBuiltInStudyKind)
        return kNotAvailableId;
    if (kind <= 3)
        return kMovingAverageDescriptionId;
    const std::uint32_t base = kind < kFirstLaterKind ? kFirstKindTextBase : kLaterKindTextBase;
    return base + static_cast<std::uint32_t>(kind);
}

std::string WorkSeriesName(const res::ResourceModule& module, int workSeries) {
    if (workSeries >= 0) {
        const std::string number = std::to_string(workSeries);
        return FillText(TextOrMark(module, kSeriesNumberId), std::span(&number, 1));
    }
    if (workSeries >= -4)
        return TextOrMark(module, kOpenPriceNameId + static_cast<std::uint32_t>(workSeries + 4));
    return TextOrMark(module, kBadSeriesNumberId);
}

std::string DescribeStudy(const res::ResourceModule& module, const StudyRecord& record) {
    const int kind = record.calcIndex;
    const std::uint32_t id = DescriptionTextId(kind);
    if (id == kNotAvailableId)
        return TextOrMark(module, id);
    const KindCounts counts = countsOf(kind);
    const std::array<std::string, 5> arguments{
        WorkSeriesName(module, record.workSeries), countText(record, counts.first),
        countText(record, counts.second), countText(record, counts.third),
        decimalText(record.parameters.D())};
    return FillText(TextOrMark(module, id), arguments);
}

}  // namespace dravik

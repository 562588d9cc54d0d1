#include "special/LabelMask.h"

#include <cctype>

#include "format/ValueFormat.h"

namespace dravik {
namespace {

bool inFigure(const SpecialFigure& figure, std::int32_t element) {
    return element >= 0 && element < figure.count();
}

std::string pointDate(std::int32_t point, const LabelMaskContext& context) {
    if (context.dates.empty() || point < 0 || static_cast<std::size_t>(point) >= context.dates.size())
        return "[" + std::to_string(point) + "] ";
    const double date = context.dates[static_cast<std::size_t>(point)];
    return context.formatDate ? context.formatDate(date) : FormatLabelDate(date, context.locale);
}

std::string value(double v, const LabelMaskContext& context) {
    return context.formatValue ? context.formatValue(v) : std::string();
}

// The text of code `code` (the letter after "%") for the element, or false for a code that is not one.
bool expandCode(char code, const SpecialFigure& figure, std::int32_t element, const LabelMaskContext& context,
                std::string& text) {
    const auto i = static_cast<std::size_t>(element);
    switch (std::toupper(static_cast<unsigned char>(code))) {
        case 'D':
            text += pointDate(figure.sourcePoint[i], context);
            return true;
        case 'F':
            text += pointDate(figure.sourcePoint[element > 0 ? i - 1 : i], context);
            return true;
        case 'I':
            text += value(figure.startValues[i], context);
            return true;
        case 'V':
            text += value(figure.endValues[i], context);
            return true;
        case 'S':
            text += std::to_string(static_cast<std::int64_t>(figure.sourcePoint[i]) + 1);
            return true;
        case 'T':
            text += SignalText(figure, element, context.buyMask, context.sellMask);
            return true;
        default:
            return false;
    }
}

}  // namespace

std::string SignalText(const SpecialFigure& figure, std::int32_t element, std::string_view buyMask,
                       std::string_view sellMask) {
    if (!inFigure(figure, element))
        return {};
    const std::int64_t signal = figure.signal[static_cast<std::size_t>(element)];
    if (signal == 0)
        return {};
    std::string text(signal > 0 ? buyMask : sellMask);
    return text + std::to_string(signal > 0 ? signal : -signal);
}

std::string FormatLabelDate(double date, loc::LCID locale) {
    loc::SystemTime time;
    if (!VariantTimeToSystemTimeHelper(date, time))
        return {};
    const bool midnight = time.hour == 0 && time.minute == 0 && time.second == 0;
    return formatSystemTimeText(time, std::nullopt, midnight ? FC_DATE : FC_DATETIME, locale);
}

std::string ExpandLabelMask(std::string_view mask, const SpecialFigure& figure, std::int32_t element,
                            const LabelMaskContext& context) {
    std::string text;
    if (!inFigure(figure, element))
        return text;
    for (std::size_t k = 0; k < mask.size(); ++k) {
        const char c = mask[k];
        const bool hasNext = k + 1 < mask.size();
        if (c == '\\' && hasNext && (mask[k + 1] == 'n' || mask[k + 1] == 'N')) {
            text += '\n';
            ++k;
        } else if (c == '%' && hasNext) {
            // An unknown code is kept with its letter, which is never read as the start of another code.
            if (!expandCode(mask[k + 1], figure, element, context, text))
                text.append(mask.substr(k, 2));
            ++k;
        } else {
            text += c;
        }
    }
    return text;
}

}  // namespace dravik

// The date labels of the X axis, shared by every chart type: the period break tables over the
// elements' dates, the choice of the label steps for the visible width, and the label pass the chart
// runs through GetAxisLabel (texts in the date formats of the extension, cut to the space they have).
//
// Positions are the chart's 1-based point positions: element e sits at e + 1, its slot runs from
// e + 0.5 to e + 1.5, and a label stands at the left edge of the slot where its period begins.
#include <algorithm>
#include <cmath>

#include "axes/AxisPropertyCodes.h"
#include "com/FixedText.h"
#include "dravik/AxisInterfaces.h"
#include "extension/ExtensionMembers.h"
#include "format/ValueFormat.h"
#include "gallery/CGalleryBase.h"
#include "gdi/DeviceContext.h"
#include "host/CHostChartAdapter.h"

namespace dravik {
namespace {

constexpr SHORT kYear = DAS_YEAR;
constexpr SHORT kSemester = DAS_SEMESTER;
constexpr SHORT kQuarter = DAS_QUARTER;
constexpr SHORT kMonth = DAS_MONTH;
constexpr SHORT kWeek = DAS_WEEK;
constexpr SHORT kDay = DAS_DAY;
constexpr SHORT kEachPoint = DAS_EACHPOINT;
// X-axis style bit: labels centred in their slot.
constexpr LONG kAxisStyleCentered = 0x200;
// At most this many labels of a kind are measured when the steps are chosen.
constexpr LONG kMostMeasuredLabels = 400;

// The format index of a label, and the step number (semester or quarter) that goes with it.
struct LabelFormat {
    int index = FI_YEAR;
    LONG number = 0;
};

// Cuts a text to at most `bytes` bytes without splitting a character.
std::string cutText(std::string text, std::size_t bytes) {
    if (text.size() > bytes)
        text.resize(com::utf8PrefixLength(text, bytes));
    return text;
}

LONG axisStyle(CHostChartAdapter* chart) {
    return chart ? static_cast<LONG>(chart->GetAxisValue(korvel::kXAxis, APC_STYLE)) : 0;
}

}  // namespace

// --- Break tables --------------------------------------------------------------------------------------

std::optional<double> CGalleryBase::ElementDate(LONG element) {
    if (!owner_)
        return std::nullopt;
    const std::vector<double>& dates = state().dataCache.xValues;
    const LONG point = GetSourcePoint(element);
    if (point < 0 || static_cast<std::size_t>(point) >= dates.size())
        return std::nullopt;
    return dates[static_cast<std::size_t>(point)];
}

void CGalleryBase::BuildDateBreaks() {
    dateBreaks_.Free();
    dateStepsLaid_ = false;
    if (!owner_ || count_ <= 0 || !state().dataCache.hasXValues())
        return;
    if (CHostChartAdapter* chart = adapter()) {
        // Date labels run from end to end of the axis as the periods fall, not from its ends.
        chart->SetAxisValue(korvel::kXAxis, APC_MINORSTEP, 1);
        const LONG style = axisStyle(chart);
        if (style & AS_SHOWENDS)
            chart->SetAxisValue(korvel::kXAxis, APC_STYLE, style & ~AS_SHOWENDS);
    }
    dateBreaks_.Build(count_, [this](LONG element) { return ElementDate(element); });
    needsLayout_ = 1;
}

bool CGalleryBase::VisibleElements(LONG* first, LONG* last) const {
    const LONG count = dateBreaks_.count();
    if (count <= 0)
        return false;
    // Before the first paint the visible range is not known: everything is visible.
    const bool known = lastVisible_ >= firstVisible_ && lastVisible_ > 0;
    *first = known ? std::clamp<LONG>(firstVisible_ - 1, 0, count - 1) : 0;
    *last = known ? std::clamp<LONG>(lastVisible_ - 1, *first, count - 1) : count - 1;
    return true;
}

// --- Layout --------------------------------------------------------------------------------------------

LONG CGalleryBase::MeasureLabel(gdi::DeviceContext* dc, const std::string& text) {
    if (!dc)
        return 0;
    return std::max<LONG>(dc->getTextExtent(text).cx, 0);
}

LONG CGalleryBase::LabelWidthOfKind(gdi::DeviceContext* dc, LONG kind, LONG first, LONG last) {
    // Every label of the kind in the visible range is measured (up to a bound): the texts of one kind
    // differ in width ("8 Dec 2024", "12 Jun 2024"), and a step chosen for the first and last alone
    // leaves the wider ones in between without room, so they would be left out.
    LONG widest = 0;
    LONG measured = 0;
    for (LONG element = first; element <= last; ++element) {
        const bool firstOrLast = element == first || element == last;
        if (!firstOrLast && (measured >= kMostMeasuredLabels || !dateBreaks_.BeginsAt(kind, element)))
            continue;
        const std::optional<double> date = ElementDate(element);
        const LONG width =
            date ? MeasureLabel(dc, FormatDateText(element, element == first, kind, *date)) : 0;
        widest = std::max(widest, width > 0 ? width : kUnmeasuredLabelWidth);
        ++measured;
    }
    return widest;
}

void CGalleryBase::LayoutDateLabels(gdi::DeviceContext* dc, LONG first, LONG last, LONG width,
                                    SHORT* majorKind, SHORT* minorKind, SHORT* majorEvery,
                                    SHORT* minorEvery) {
    if (!owner_ || dateBreaks_.empty() || !state().dataCache.hasXValues() || width <= 0)
        return;
    const LONG count = dateBreaks_.count();
    first = std::clamp<LONG>(first, 0, count - 1);
    last = std::clamp<LONG>(last, first, count - 1);
    CHostChartAdapter* chart = adapter();
    const ExtensionSettings& settings = state().extension;
    const bool zoomMode = chart && chart->GetZoomMode() != 0;
    const LONG style = axisStyle(chart);
    DateSteps steps;
    if (zoomMode || settings.dateStep == DAS_AUTO || settings.dateMinorStep == DAS_AUTO) {
        DateStepRequest request{first,
                                last,
                                width,
                                (style & AS_2LEVELS) != 0,
                                settings.breakInSemester != 0,
                                settings.breakInQuarter != 0};
        if (dc)
            SelectLabelFont(dc);
        steps = ChooseDateSteps(dateBreaks_, request,
                                [&](LONG kind) { return LabelWidthOfKind(dc, kind, first, last); });
        if (dc)
            RestoreLabelFont(dc);
    } else {
        CountVisibleBreaks(dateBreaks_, first, last);
    }
    if (!zoomMode) {
        // The date axis's own steps, where set, replace the automatic ones.
        if (settings.dateStep >= 0 && settings.dateStep <= kEachPoint) {
            steps.majorKind = settings.dateStep;
            steps.majorEvery = std::max<SHORT>(settings.dateStepEvery, 1);
        }
        if (settings.dateMinorStep >= 0 && settings.dateMinorStep <= kEachPoint) {
            steps.minorKind = settings.dateMinorStep;
            steps.minorEvery = std::max<SHORT>(settings.dateMinorStepEvery, 1);
        }
        steps.minorKind = std::max(steps.minorKind, steps.majorKind);
    }
    dateSteps_ = steps;
    dateStepsLaid_ = true;
    needsLayout_ = 0;
    if (majorKind)
        *majorKind = steps.majorKind;
    if (minorKind)
        *minorKind = steps.minorKind;
    if (majorEvery)
        *majorEvery = steps.majorEvery;
    if (minorEvery)
        *minorEvery = steps.minorEvery;
    SetDateLabelCentering(steps.majorKind);
}

LONG CGalleryBase::HasDistinctBreaks(LONG kind) {
    if (kind < 0 || kind >= kEachPoint || kind == kWeek)
        return 0;
    return dateBreaks_.visibleCount(kind + 1) != dateBreaks_.visibleCount(kind) ? 1 : 0;
}

void CGalleryBase::SetDateLabelCentering(LONG kind) {
    CHostChartAdapter* chart = adapter();
    if (!chart)
        return;
    const LONG style = axisStyle(chart);
    const LONG wanted = HasDistinctBreaks(kind) ? style | kAxisStyleCentered : style & ~kAxisStyleCentered;
    if (wanted != style)
        chart->SetAxisValue(korvel::kXAxis, APC_STYLE, wanted);
}

// --- Texts ---------------------------------------------------------------------------------------------

std::string CGalleryBase::ExpandStepNumber(std::string_view picture, LONG number) {
    std::string out;
    for (std::size_t i = 0; i < picture.size(); ++i) {
        if (picture[i] == '\\' && i + 1 < picture.size() && picture[i + 1] == 'n') {
            out += '\n';
            ++i;
        } else if (picture[i] == 'K') {
            out += std::to_string(number);
        } else {
            out += picture[i];
        }
    }
    return out;
}

std::string CGalleryBase::FormatDatePicture(double date, std::string_view picture, LONG code,
                                            char delimiter) {
    loc::SystemTime time;
    if (!VariantTimeToSystemTimeHelper(date, time))
        return {};
    const loc::LCID locale = owner_ ? state().extension.dateAxis.locale : loc::LCID{0x400};
    std::string out;
    std::size_t i = 0;
    while (i < picture.size()) {
        if (picture[i] == '\n' || (picture[i] == '\\' && i + 1 < picture.size() && picture[i + 1] == 'n')) {
            out += '\n';
            i += picture[i] == '\n' ? 1 : 2;
            continue;
        }
        if (picture[i] == delimiter) {
            // Literal text up to the closing delimiter (or the end, when there is none).
            const std::size_t close = std::min(picture.find(delimiter, i + 1), picture.size());
            out.append(picture.substr(i + 1, close - i - 1));
            i = close + 1;
            continue;
        }
        std::size_t end = i;
        while (end < picture.size() && picture[end] != delimiter && picture[end] != '\n' &&
               !(picture[end] == '\\' && end + 1 < picture.size() && picture[end + 1] == 'n'))
            ++end;
        out += formatSystemTimeText(time, picture.substr(i, end - i), code, locale);
        i = end;
    }
    return out;
}

std::string CGalleryBase::FormatDateText(LONG element, LONG first, LONG kind, double date) {
    loc::SystemTime time;
    if (!owner_ || !VariantTimeToSystemTimeHelper(date, time))
        return {};
    const bool firstLabel = first != 0;
    LabelFormat format;
    switch (kind) {
        case kYear:
            format = {FI_YEAR};
            break;
        case kSemester:
            format.number = (time.month - 1) / 6 + 1;
            format.index = firstLabel || format.number == 1 ? FI_FIRSTSEMESTER : FI_SEMESTER;
            break;
        case kQuarter:
            format.number = (time.month - 1) / 3 + 1;
            format.index = firstLabel || format.number == 1 ? FI_FIRSTQUARTER : FI_QUARTER;
            break;
        case kMonth:
            format.index = firstLabel || time.month == 1 ? FI_FIRSTMONTH : FI_MONTH;
            break;
        case kWeek:
            format.index = firstLabel || time.day < 8 ? FI_FIRSTWEEK : FI_WEEK;
            break;
        case kDay:
            format.index = firstLabel || dateBreaks_.BeginsAt(kMonth, element) ? FI_FIRSTDAY : FI_DAY;
            break;
        default:
            format.index = firstLabel || dateBreaks_.BeginsAt(kDay, element) ? FI_FIRSTINDAY : FI_INTRADAY;
            break;
    }
    const ExtensionSettings& settings = state().extension;
    const auto slot = static_cast<std::size_t>(format.index);
    const LONG code = settings.dateFormatCodes[slot];
    const std::string picture = settings.dateFormats[slot].pictureText();
    const loc::LCID locale = settings.dateAxis.locale;
    std::string text;
    if (hasPicture(code) && !picture.empty()) {
        if (kind == kSemester || kind == kQuarter)
            text = FormatDatePicture(date, ExpandStepNumber(picture, format.number), code, '#');
        else
            text = formatSystemTimeText(time, picture, code, locale);
    } else {
        text = formatSystemTimeText(time, std::nullopt, code, locale);
    }
    return cutText(std::move(text), kDateLabelTextBytes - 1);
}

// --- The label pass ------------------------------------------------------------------------------------

std::string CGalleryBase::FitLabel(gdi::DeviceContext* dc, std::string text, double space, LONG* width) {
    // A label that does not fit whole is left out (one blank): a cut one ("Q1 2", "202") reads as
    // another date, or as none.
    *width = MeasureLabel(dc, text);
    if (*width > space && text != " ") {
        text = " ";
        *width = MeasureLabel(dc, text);
    }
    return text;
}

double CGalleryBase::PixelsPerSlot(LONG first, LONG last, LONG width) {
    // The chart's own placing of the points where it answers: the label then gets exactly the
    // columns up to the next label's grid line, which is where the chart draws it.
    LONG x0 = 0, x1 = 0, y = 0;
    CHostChartAdapter* chart = adapter();
    const double from = first + 1.0;
    const double to = std::max(last + 1.0, from + 1.0);
    if (chart && com::SUCCEEDED(chart->ValueToPixel(from, 1.0, &x0, &y, 0)) &&
        com::SUCCEEDED(chart->ValueToPixel(to, 1.0, &x1, &y, 0)) && x1 > x0)
        return (x1 - x0) / (to - from);
    return static_cast<double>(std::max<LONG>(width, 0)) / (last - first + 2);
}

HRESULT CGalleryBase::FormatDateAxisLabel(gdi::DeviceContext* dc, LONG major, double* gap, double position,
                                          double* value, LONG* labelIndex, KvlTextBuffer* text) {
    LONG first = 0;
    LONG last = 0;
    if (!gap || !labelIndex || !owner_ || !state().dataCache.hasXValues() || !VisibleElements(&first, &last))
        return com::S_OK;
    const bool firstLabel = *labelIndex <= 0;
    const LONG width = plotRight_ - plotLeft_ + 1;
    if (firstLabel && !dateStepsLaid_) {
        // No layout ran before this pass (a printed chart): lay the labels out for it now.
        LayoutDateLabels(dc, first, last, width, nullptr, nullptr, nullptr, nullptr);
    }
    if (!dateStepsLaid_)
        return com::S_OK;
    const LONG kind = major ? dateSteps_.majorKind : dateSteps_.minorKind;
    const LONG every = std::max<LONG>(major ? dateSteps_.majorEvery : dateSteps_.minorEvery, 1);
    const LONG element = firstLabel
                             ? std::clamp<LONG>(static_cast<LONG>(std::ceil(position - 0.5)), first, last)
                             : std::clamp<LONG>(*labelIndex - 1, first, last);
    if (firstLabel)
        previousLabelEnd_ = -1e300;

    // The next label: `every` beginnings further on.
    LONG next = element;
    for (LONG step = 0; step < every && next >= 0; ++step)
        next = dateBreaks_.NextBeginning(kind, next, last);
    const bool lastLabel = next < 0;
    // After the last label the pass ends: the next position lies beyond the visible range.
    const double nextPosition = lastLabel ? last + 2.0 : next + 0.5;
    const double sign = *gap < 0 ? -1.0 : 1.0;
    *gap = sign * (nextPosition - position);
    *labelIndex = (lastLabel ? last + 1 : next) + 1;
    if (value)
        *value = element + 1;
    if (!major || !text || !text->data || text->capacity <= 0)
        return com::S_OK;

    const std::optional<double> date = ElementDate(element);
    std::string label = date ? FormatDateText(element, firstLabel ? 1 : 0, kind, *date) : std::string();
    if (label.empty())
        label = " ";
    // Pixels per slot of the visible range, and the space of this label up to the next one (the
    // whole plot when the label is the only one of its kind).
    const double slotPixels = PixelsPerSlot(first, last, width);
    const bool single = firstLabel && lastLabel;
    double space = single ? width : (std::min<double>(nextPosition, last + 1.5) - position) * slotPixels;
    // The last label ends at the plot's right edge: a zoomed axis need not end at the last slot's edge.
    LONG labelLeft = 0, y = 0;
    if (CHostChartAdapter* chart = adapter();
        lastLabel && chart && com::SUCCEEDED(chart->ValueToPixel(position, 1.0, &labelLeft, &y, 0)))
        space = std::min<double>(space, plotRight_ - labelLeft + 1);
    LONG labelWidth = 0;
    SelectLabelFont(dc);
    label = FitLabel(dc, std::move(label), space, &labelWidth);
    RestoreLabelFont(dc);
    if (position < previousLabelEnd_)
        label = " ";
    else if (slotPixels > 0)
        previousLabelEnd_ = position + labelWidth / slotPixels;
    com::copyToFixed(label, text->data, static_cast<std::size_t>(text->capacity));
    return com::S_OK;
}

}  // namespace dravik

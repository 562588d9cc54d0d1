#include "frame/chart/ChartEvents.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string_view>

#include "appdata/AppError.h"
#include "appdata/Trap.h"
#include "com/VbMath.h"
#include "dravik/Commands.h"
#include "dravik/Events.h"
#include "dravik/SeriesInterfaces.h"
#include "frame/chart/DrawingDates.h"
#include "frame/chart/DrawingHandles.h"
#include "frame/chart/DrawingKinds.h"
#include "frame/data/ChartPointText.h"
#include "korvel/IKvlControl.h"
#include "korvel/KvlChart.h"
#include "ostbar/OstBarContract.h"

namespace frame::chart {
namespace {

using tarnwick::Trap;

// The control's own tips over its areas, which the window does not show.
constexpr std::array<std::u16string_view, 5> kAreaTips = {u"X Axis", u"Y Axis", u"&Top title", u"Plot area",
                                                          u"Chart area"};
constexpr com::SHORT kSplitMarkerSeries = 5;
constexpr com::SHORT kSplitRatioSeries = 8;
constexpr com::SHORT kPriceSeriesCount = 4;
constexpr std::int32_t kDataAdjustmentRow = 185;
constexpr com::SHORT kZoomSetting = 26;
constexpr com::LONG kZoomSettingValue = 3;
constexpr com::LONG kCandlestickDisplay = 3;
constexpr com::LONG kCandlestickLowColor = 0x40000000;
constexpr com::SHORT kCandlestickWidth = 75;
constexpr com::SHORT kBarWidth = 5;

void need(com::HRESULT result, std::string_view member) {
    Succeeded(result, member);
}

double seriesValue(korvel::IKvlChart& chart, com::SHORT series, com::LONG point) {
    com::ComPtr<korvel::IKvlCollection> list;
    need(chart.get_Series(list.put()), "Series");
    if (!list)
        throw tarnwick::AppError(91, "Object variable or With block variable not set");
    com::ComPtr<com::IUnknown> item;
    need(list->Item(series, item.put()), "Item");
    const auto values = item ? item.as<korvel::IKvlSeries>() : com::ComPtr<korvel::IKvlSeries>();
    if (!values)
        throw tarnwick::AppError(13, "Type mismatch");
    double value = 0;
    need(values->get_YValue(point, &value), "YValue");
    return value;
}

// The point's date as the system writes dates.
QString pointDate(korvel::IKvlChart& chart, com::LONG point) {
    double date = 0;
    need(chart.get_PointXValue(point, &date), "PointXValue");
    return QString::fromStdString(ExtensionDateText(date, loc::LOCALE_USER_DEFAULT));
}

com::ComPtr<dravik::IIndexSeries> priceSeriesObject(dravik::IFinancialCharts& extension, com::SHORT series) {
    com::ComPtr<dravik::IIndexSeries> object;
    need(extension.get_PriceSeries(series, object.put()), "PriceSeries");
    if (!object)
        throw tarnwick::AppError(91, "Object variable or With block variable not set");
    return object;
}

QString legendOf(dravik::IFinancialCharts& extension, com::SHORT series) {
    com::Bstr legend;
    need(priceSeriesObject(extension, series)->get_Legend(&legend), "Legend");
    return QString::fromStdU16String(legend.text());
}

com::LONG colorOf(dravik::IIndexSeries& series) {
    com::LONG color = 0;
    need(series.get_Color(&color), "Color");
    return color;
}

QString priceTip(korvel::IKvlChart& chart, dravik::IFinancialCharts& extension, com::LONG point) {
    const auto series = PriceSeriesOf(extension);
    QString parts[4];
    for (std::size_t i = 0; i < series.size(); ++i)
        parts[i] = legendOf(extension, series[i]) + QStringLiteral(": ") +
                   ChartValueText(seriesValue(chart, series[i], point));
    return pointDate(chart, point) + QStringLiteral("\r\n") + parts[0] + QStringLiteral(" - ") + parts[1] +
           QStringLiteral("\r\n") + parts[2] + QStringLiteral(" - ") + parts[3];
}

ostbar::IOstCommand* toolBarCommand(korvel::IKvlChart& chart, com::LONG id,
                                    com::ComPtr<ostbar::IOstCommand>& held) {
    com::ComPtr<com::IUnknown> object;
    need(chart.get_ToolBarObject(object.put()), "ToolBarObject");
    const auto bar = object ? object.as<ostbar::IOstToolbar>() : com::ComPtr<ostbar::IOstToolbar>();
    if (!bar)
        throw tarnwick::AppError(91, "Object variable or With block variable not set");
    need(bar->Command(static_cast<com::SHORT>(id), held.put()), "Command");
    if (!held)
        throw tarnwick::AppError(91, "Object variable or With block variable not set");
    return held.get();
}

bool commandChecked(korvel::IKvlChart& chart, com::LONG id) {
    com::ComPtr<ostbar::IOstCommand> held;
    com::VARIANT_BOOL checked = com::VARIANT_FALSE;
    need(toolBarCommand(chart, id, held)->get_Checked(&checked), "Checked");
    return checked != com::VARIANT_FALSE;
}

bool zoomed(korvel::IKvlChart& chart) {
    com::VARIANT_BOOL zoom = com::VARIANT_FALSE;
    need(chart.get_Zoom(&zoom), "Zoom");
    return zoom != com::VARIANT_FALSE;
}

void setZoomMode(dravik::IFinancialCharts& extension, bool on) {
    com::LONG options = 0;
    need(extension.get_Options(&options), "Options");
    options = on ? (options | dravik::FEO_UI_SHIFTMODE_ZOOM)
                 : (options & ~com::LONG{dravik::FEO_UI_SHIFTMODE_ZOOM});
    need(extension.put_Options(options), "Options");
}

void processEvents(const ChartEventLinks& links) {
    if (links.processEvents)
        links.processEvents();
}

void zoomOut(korvel::IKvlChart& chart, dravik::IFinancialCharts& extension, const ChartEventLinks& links) {
    com::LONG count = 0;
    need(chart.get_PointCount(&count), "PointCount");
    need(chart.ShowRange(0, 0, static_cast<double>(count), 0), "ShowRange");
    processEvents(links);
    setZoomMode(extension, true);
    need(chart.put_Zoom(com::VARIANT_FALSE), "Zoom");
    processEvents(links);
    com::ComPtr<ostbar::IOstCommand> held;
    need(toolBarCommand(chart, kCommandZoomIn, held)->put_Checked(com::VARIANT_FALSE), "Checked");
    need(toolBarCommand(chart, kCommandZoomOut, held)->put_Enabled(com::VARIANT_FALSE), "Enabled");
}

struct AverageLead {
    Study study;
    const char16_t* lead;
};

// The averages of the information line in the order they are written.
constexpr AverageLead kInfoAverages[] = {
    {Study::SimpleMA10, u" | S.MA ("},      {Study::SimpleMA200, u"  | S.MA ("},
    {Study::SimpleMA50, u" | S.MA ("},      {Study::CUSTOM1, u" | S.MA ("},
    {Study::CUSTOM2, u" | S.MA ("},         {Study::CUSTOM3, u" | S.MA ("},
    {Study::ExponentialMA, u" | Exp.MA ("},
};

constexpr std::int16_t kUnanswered = -32768;

// A handler without a trap of its own: its failure goes back to the extension as the event's error,
// never as an exception through the extension's code.
com::HRESULT failureToExtension(const std::function<void()>& handler) {
    try {
        handler();
        return com::S_OK;
    } catch (...) {
        return com::E_FAIL;
    }
}

}  // namespace

QString ChartValueText(double value) {
    // Only the control's exact mark is "no value": volumes and index amounts pass 1e10 by far.
    if (value == korvel::kNoValue || !std::isfinite(value))
        return {};
    const auto rounded = com::vb::roundDecimals(value, 3);
    // A negative value that rounds to nothing is written as 0, not -0.
    const double shown = rounded ? rounded.value() + 0.0 : value;
    char buffer[32];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, shown, std::chars_format::general, 15);
    if (error != std::errc())
        return {};
    return QString::fromLatin1(buffer, static_cast<qsizetype>(end - buffer));
}

com::LONG ChartTip(korvel::IKvlChart& chart, dravik::IFinancialCharts& extension, com::SHORT series,
                   com::LONG point, const ChartEventLinks& links) {
    com::Bstr current;
    need(chart.get_TipText(&current), "TipText");
    for (const std::u16string_view area : kAreaTips) {
        if (current.view() == area) {
            need(chart.put_TipText(com::Bstr(u"")), "TipText");
            return 1;
        }
    }
    QString tip;
    if (series == kSplitMarkerSeries) {
        const double ratio = seriesValue(chart, kSplitRatioSeries, point);
        tip = pointDate(chart, point) + QStringLiteral("\r\n") + links.text(kDataAdjustmentRow) +
              QStringLiteral("\r\n") + ChartValueText(ratio) + QStringLiteral(" for 1");
    } else if (series < kPriceSeriesCount) {
        tip = priceTip(chart, extension, point);
    } else {
        return 0;
    }
    need(chart.put_TipText(com::Bstr(tip.toStdU16String())), "TipText");
    return 0;
}

com::LONG ChartInternalCommand(korvel::IKvlChart& chart, dravik::IFinancialCharts& extension,
                               com::LONG command, com::LONG result, const ChartEventLinks& links) {
    if (command == kCommandHelp) {
        if (links.help)
            links.help();
        result = 1;
    }
    if (command == kCommandRecalculateCustom && links.recalculateCustomStudies)
        links.recalculateCustomStudies();
    need(chart.put_Setting(kZoomSetting, kZoomSettingValue), "Setting26");
    if (command == kCommandZoomIn) {
        if (!zoomed(chart)) {
            setZoomMode(extension, false);
        } else if (!commandChecked(chart, kCommandZoomIn)) {
            setZoomMode(extension, true);
            result = 1;
        } else {
            setZoomMode(extension, false);
            result = 1;
        }
    }
    if (command == kCommandZoomOut) {
        zoomOut(chart, extension, links);
        result = 1;
    }
    if (command == kCommandDataEditor) {
        const bool shown = commandChecked(chart, kCommandDataEditor);
        if (links.showDataEditor)
            links.showDataEditor(shown);
        result = 1;
    }
    return result;
}

void PointInfoText(korvel::IKvlChart& chart, dravik::IFinancialCharts& extension, StudySlots& studies,
                   com::LONG point, QString& info) {
    const auto series = PriceSeriesOf(extension);
    double prices[4] = {};
    for (std::size_t i = 0; i < series.size(); ++i)
        prices[i] = seriesValue(chart, series[i], point);
    info = QStringLiteral("D:") + pointDate(chart, point) + QStringLiteral(" | O:") +
           ChartValueText(prices[0]) + QStringLiteral(" | H:") + ChartValueText(prices[1]) +
           QStringLiteral(" | L:") + ChartValueText(prices[2]) + QStringLiteral(" | C:") +
           ChartValueText(prices[3]);
    for (const AverageLead& average : kInfoAverages) {
        if (studies.get16(average.study, kStudyVisible, 0) == 0)
            continue;
        const std::int16_t periods = studies.get16(average.study, kStudyPeriods, kUnanswered);
        const std::int16_t index = studies.get16(average.study, kStudySeriesIndex, kUnanswered);
        if (periods == kUnanswered || index == kUnanswered)
            continue;
        double value = 0;
        need(chart.get_ValueAt(index, point, &value), "ValueAt");
        info += QString::fromStdU16String(average.lead) + QString::number(periods) + QStringLiteral(")=") +
                ChartValueText(value);
    }
}

void RestylePriceSeries(dravik::IFinancialCharts& extension, com::LONG display) {
    const auto series = PriceSeriesOf(extension);
    const auto open = priceSeriesObject(extension, series[0]);
    const auto high = priceSeriesObject(extension, series[1]);
    const auto low = priceSeriesObject(extension, series[2]);
    const auto close = priceSeriesObject(extension, series[3]);
    if (display != kCandlestickDisplay) {
        need(low->put_Color(colorOf(*high)), "Color");
        need(close->put_Color(colorOf(*open)), "Color");
        need(close->put_Border(com::VARIANT_FALSE), "Border");
        need(close->put_VOLUME(kBarWidth), "VOLUME");
        return;
    }
    need(low->put_Color(kCandlestickLowColor), "Color");
    need(close->put_Color(colorOf(*open)), "Color");
    need(close->put_Border(com::VARIANT_TRUE), "Border");
    need(close->put_BorderColor(colorOf(*open)), "BorderColor");
    need(close->put_VOLUME(kCandlestickWidth), "VOLUME");
}

void CommitStudiesPage(StudySlots& studies, com::LONG study, const std::function<void()>& recalculate) {
    switch (study) {
        case 0:
            return CaptionAverage(studies, Study::SimpleMA10, kAverageCaption);
        case 1:
            return CaptionAverage(studies, Study::SimpleMA50, kAverageCaption);
        case 2:
            return CaptionAverage(studies, Study::SimpleMA200, kAverageCaption);
        case 49:
            return CaptionAverage(studies, Study::CUSTOM1, kAverageCaption);
        case 50:
            // The custom average's caption reads so in every saved chart; it is kept as written.
            return CaptionAverage(studies, Study::CUSTOM2, " periods Moving Avarage");
        case 51:
            return CaptionAverage(studies, Study::CUSTOM3, kAverageCaption);
        case 52:
            if (recalculate)
                recalculate();
            studies.put(Study::CUSTOM4, kStudyVisible, com::Variant(false));
            studies.put(Study::CUSTOM4, kStudyVisible, com::Variant(true));
            return;
        case 25:
            if (recalculate)
                recalculate();
            return;
        default:
            return;
    }
}

void ReleaseDataEditorButton(korvel::IKvlChart& chart) {
    com::ComPtr<ostbar::IOstCommand> held;
    need(toolBarCommand(chart, kCommandDataEditor, held)->put_Checked(com::VARIANT_FALSE), "Checked");
}

void ClearMovedDrawing(dravik::IFinancialCharts& extension, com::LONG kind, com::SHORT index) {
    if (kind < 0 || kind > 9)
        return;
    need(DrawingAt(extension, kind, index)->put_UserData(com::Bstr(u"")), "UserData");
}

ChartEvents::ChartEvents(korvel::IKvlChart& chart, dravik::IFinancialCharts* extension,
                         DrawingHandles* handles, ChartEventLinks links,
                         std::function<void(std::int32_t display)> priceDisplayChanged)
    : chart_(chart),
      extension_(extension),
      handles_(handles),
      links_(std::move(links)),
      priceDisplayChanged_(std::move(priceDisplayChanged)) {
    connectChart();
    connectExtension();
}

ChartEvents::~ChartEvents() {
    UnadviseEvents(chartEvents_);
    UnadviseEvents(extensionEvents_);
}

void ChartEvents::connectChart() {
    chartSink_ = com::makeComObject<com::EventSink>(korvel::DIID_DKvlChartEvents);
    chartSink_->on(korvel::kEventGetTip, [this](std::span<com::Variant> args) {
        if (args.size() >= 3 && args[2].i4Ref() != nullptr && extension_)
            Trap("Korvel1_GetTip", [&] {
                if (ChartTip(chart_, *extension_, args[0].i2(), args[1].i4(), links_) == 1)
                    *args[2].i4Ref() = 1;
            });
        return com::S_OK;
    });
    chartSink_->on(korvel::kEventInternalCommand, [this](std::span<com::Variant> args) {
        if (args.size() >= 2 && args[1].i4Ref() != nullptr && extension_) {
            com::LONG* result = args[1].i4Ref();
            Trap("Korvel1_InternalCommand", [&] {
                *result = ChartInternalCommand(chart_, *extension_, args[0].i4(), *result, links_);
                // The chart's Properties edits the drawing whose handle is selected, as the handle's own
                // Properties does.
                if (args[0].i4() == korvel::kCommandProperties && *result != 1 && handles_ &&
                    handles_->showSelectedDrawingProperties())
                    *result = 1;
            });
        }
        return com::S_OK;
    });
    chartSink_->on(korvel::kEventHoverOff, [this](std::span<com::Variant>) {
        if (handles_)
            handles_->setHoverBusy(true);
        return com::S_OK;
    });
    chartSink_->on(korvel::kEventHoverOn, [this](std::span<com::Variant>) {
        if (handles_)
            handles_->setHoverBusy(false);
        return com::S_OK;
    });
    chartSink_->on(korvel::kEventCommand, [this](std::span<com::Variant> args) {
        if (!args.empty() && extension_) {
            const com::LONG command = args[0].i4();
            if (command >= dravik::ID_NEW_GANN_FAN && command <= dravik::ID_NEW_TREND_LINE)
                return extension_->FireCommand(command);
        }
        return com::S_OK;
    });
    chartEvents_ = AdviseEvents(&chart_, korvel::DIID_DKvlChartEvents, chartSink_.get());
}

void ChartEvents::connectExtension() {
    if (!extension_)
        return;
    extensionSink_ = com::makeComObject<com::EventSink>(dravik::DIID_DLomex_Events);
    extensionSink_->on(dravik::kEventChangePriceGallery, [this](std::span<com::Variant> args) {
        if (!args.empty())
            Trap("gFinExt_ChangePriceGallery", [&] {
                const com::LONG display = args[0].i4();
                if (priceDisplayChanged_)
                    priceDisplayChanged_(display);
                RestylePriceSeries(*extension_, display);
            });
        return com::S_OK;
    });
    extensionSink_->on(dravik::kEventGetDateInfo, [this](std::span<com::Variant> args) {
        if (args.size() >= 3 && args[2].bstrRef() != nullptr) {
            com::Bstr* text = args[2].bstrRef();
            QString info;
            ExtensionStudySlots studies(extension_.get());
            Trap("gFinExt_GetDateInfo",
                 [&] { PointInfoText(chart_, *extension_, studies, args[1].i4(), info); });
            if (!info.isEmpty())
                *text = com::Bstr(info.toStdU16String());
        }
        return com::S_OK;
    });
    extensionSink_->on(dravik::kEventMovedDrawing, [this](std::span<com::Variant> args) {
        if (args.size() < 2)
            return com::S_OK;
        return failureToExtension([&] { ClearMovedDrawing(*extension_, args[0].i4(), args[1].i2()); });
    });
    extensionSink_->on(dravik::kEventStudiesPageCommit, [this](std::span<com::Variant> args) {
        if (args.empty())
            return com::S_OK;
        return failureToExtension([&] { gFinExt_StudiesPageCommit(args[0].i4()); });
    });
    extensionEvents_ = AdviseEvents(extension_.get(), dravik::DIID_DLomex_Events, extensionSink_.get());
}

void ChartEvents::gFinExt_StudiesPageCommit(com::LONG study) {
    ExtensionStudySlots studies(extension_.get());
    CommitStudiesPage(studies, study, links_.recalculateCustomStudies);
}

}  // namespace frame::chart

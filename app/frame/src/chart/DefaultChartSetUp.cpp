#include "frame/chart/DefaultChartSetUp.h"

#include <initializer_list>
#include <string>

#include "dravik/AxisInterfaces.h"
#include "dravik/SeriesInterfaces.h"
#include "ostbar/OstBarContract.h"

namespace frame::chart {
namespace {

using com::VARIANT_TRUE;

constexpr com::LONG kWhite = 0xFFFFFF;
constexpr com::SHORT kHighLowClose = 1;
constexpr com::SHORT kCircle = 2;
constexpr com::SHORT kInvertedTriangle = 9;
constexpr com::SHORT kDotted = 2;
constexpr std::int16_t kSimpleMovingAverage10 = 0;

template <class Setter>
void onSeries(StudySlots& studies, Study study, Setter&& set) {
    if (const auto series = seriesOf(studies, study))
        set(*series);
}

void dottedGrid(dravik::ILomexAxis* axis) {
    if (!axis)
        return;
    Succeeded(axis->put_Grid(VARIANT_TRUE), "Grid");
    Succeeded(axis->put_GridStyle(kDotted), "GridStyle");
}

void studyAxisGrid(StudySlots& studies, Study study) {
    if (const auto axis = studies.axis(study))
        dottedGrid(axis.as<dravik::ILomexAxis>().get());
}

void parabolicSar(korvel::IKvlChart& chart, StudySlots& studies) {
    studies.setUpAs(Study::CUSTOM4, kSimpleMovingAverage10, "Parabolic SAR");
    studies.put(Study::CUSTOM4, kStudyPriceIndicator, com::Variant(true));
    studies.put(Study::CUSTOM4, kStudyD, com::Variant(0.2));
    studies.put(Study::CUSTOM4, kStudyPeriods, com::Variant(std::int16_t{2}));
    onSeries(studies, Study::CUSTOM4,
             [](dravik::IIndexSeries& s) { Succeeded(s.put_Legend(com::Bstr(u"Parabolic SAR")), "Legend"); });
    studies.put(Study::CUSTOM4, kStudyPriceIndicator, com::Variant(true));
    com::LONG background = 0;
    Succeeded(chart.get_Setting(21, &background), "Setting21");
    onSeries(studies, Study::CUSTOM4, [&](dravik::IIndexSeries& s) {
        Succeeded(s.put_BorderColor(background), "BorderColor");
        Succeeded(s.put_Border(VARIANT_TRUE), "Border");
        Succeeded(s.put_MarkerShape(kCircle), "MarkerShape");
        Succeeded(s.put_MarkerSize(2), "MarkerSize");
    });
    // The default chart shows what it sets up.
    studies.put(Study::CUSTOM4, kStudyVisible, com::Variant(true));
}

void axesGrids(dravik::IFinancialCharts& extension, StudySlots& studies) {
    com::ComPtr<dravik::ILomexAxis> prices;
    if (Succeeded(extension.get_PricesAxis(prices.put()), "PricesAxis") && prices) {
        Succeeded(prices->put_Format(com::Variant(std::int16_t{1})), "Format");
        dottedGrid(prices.get());
    }
    com::ComPtr<dravik::ILomexDateAxis> dates;
    if (Succeeded(extension.get_DateAxis(dates.put()), "DateAxis") && dates) {
        Succeeded(dates->put_Grid(VARIANT_TRUE), "Grid");
        Succeeded(dates->put_GridStyle(kDotted), "GridStyle");
    }
    studyAxisGrid(studies, Study::VOLUME);
    studyAxisGrid(studies, Study::RSI);
}

void averages(StudySlots& studies) {
    struct Average {
        Study study;
        std::int16_t periods;
        const char* name;
        const char16_t* legend;
    };
    static constexpr Average kAverages[] = {
        {Study::CUSTOM1, 20, "20 periods Simple M.A.", u"20 Simple M.A."},
        {Study::CUSTOM2, 35, "35 periods Simple M.A.", u"35 Simple M.A."},
        {Study::CUSTOM3, 100, "100 periods Simple M.A.", u"100 Simple M.A."},
    };
    for (const Average& a : kAverages) {
        studies.setUpAs(a.study, kSimpleMovingAverage10, a.name);
        studies.put(a.study, kStudyPeriods, com::Variant(a.periods));
        onSeries(studies, a.study,
                 [&](dravik::IIndexSeries& s) { Succeeded(s.put_Legend(com::Bstr(a.legend)), "Legend"); });
        studies.put(a.study, kStudyVisible, com::Variant(true));
    }
    onSeries(studies, Study::SimpleMA10, [](dravik::IIndexSeries& s) {
        Succeeded(s.put_Legend(com::Bstr(u"10 Simple M.A.")), "Legend");
    });
    onSeries(studies, Study::SimpleMA50, [](dravik::IIndexSeries& s) {
        Succeeded(s.put_Legend(com::Bstr(u"50 Simple M.A.")), "Legend");
    });
    // The long average's legend follows its period count, as the studies page forms legends.
    const std::int16_t longPeriods = studies.get16(Study::SimpleMA200, kStudyPeriods, 200);
    const std::string longLegend = std::to_string(longPeriods) + " Simple M.A.";
    onSeries(studies, Study::SimpleMA200, [&](dravik::IIndexSeries& s) {
        Succeeded(s.put_Legend(com::Bstr::fromUtf8(longLegend)), "Legend");
    });
}

// One command of the extension's tool bar, fetched afresh for every assignment.
template <class Setter>
void onExtensionCommand(dravik::IFinancialCharts& extension, std::int16_t id, Setter&& set) {
    com::ComPtr<ostbar::IOstToolbarObj> bar;
    if (!Succeeded(extension.get_ToolBarObj(bar.put()), "ToolBarObj") || !bar)
        return;
    com::ComPtr<ostbar::IOstCommands> commands;
    if (!Succeeded(bar->get_Commands(commands.put()), "Commands") || !commands)
        return;
    com::ComPtr<ostbar::IOstCommand> command;
    Succeeded(commands->Item(id, command.put()), "Item");
    if (command)
        set(*command);
}

// Sub-command pairs set in turn: (group count, slot id).
void subCommands(dravik::IFinancialCharts& extension, std::int16_t id,
                 std::initializer_list<std::pair<std::int16_t, std::int16_t>> pairs) {
    // Named copies, not a structured binding: clang before 16 cannot capture a binding in a lambda.
    for (const auto& pair : pairs) {
        const std::int16_t count = pair.first;
        const std::int16_t sub = pair.second;
        onExtensionCommand(extension, id, [&](ostbar::IOstCommand& c) {
            Succeeded(c.put_SubCommands(1, count), "SubCommands");
        });
        onExtensionCommand(extension, id, [&](ostbar::IOstCommand& c) {
            Succeeded(c.put_SubCommand(count, sub), "SubCommand");
        });
    }
}

void markersAndOverlays(dravik::IFinancialCharts& extension, StudySlots& studies) {
    onSeries(studies, Study::USER0, [](dravik::IIndexSeries& s) {
        Succeeded(s.put_MarkerShape(kInvertedTriangle), "MarkerShape");
        Succeeded(s.put_MarkerSize(10), "MarkerSize");
        Succeeded(s.put_Legend(com::Bstr(u"Data Adjustment")), "Legend");
    });
    studies.put(Study::USER0, kStudyName, com::Variant(u"Data Adjustment"));
    studies.put(Study::USER2, kStudyName, com::Variant(u"Market General Index"));
    studies.put(Study::USER1, kStudyName, com::Variant(u"Sector Index"));
    Succeeded(extension.put_ZoomRescale(VARIANT_TRUE), "ZoomRescale");
}

template <class Setter>
void onPriceSeries(dravik::IFinancialCharts& extension,
                   com::HRESULT (dravik::IFinancialCharts::*number)(com::SHORT*), Setter&& set) {
    com::SHORT n = -1;
    Succeeded((extension.*number)(&n), "price series number");
    if (n < 0)
        return;  // no chart series holds that price yet (nothing has been charted)
    com::ComPtr<dravik::IIndexSeries> series;
    if (Succeeded(extension.get_PriceSeries(n, series.put()), "PriceSeries") && series)
        set(*series);
}

void setUpPriceSeries(dravik::IFinancialCharts& extension) {
    using F = dravik::IFinancialCharts;
    onPriceSeries(extension, &F::get_CloseSeries,
                  [](dravik::IIndexSeries& s) { Succeeded(s.put_Border(com::VARIANT_FALSE), "Border"); });
    const auto order = {&F::get_LowSeries, &F::get_OpenSeries, &F::get_CloseSeries, &F::get_HighSeries};
    for (const auto number : order)
        onPriceSeries(extension, number,
                      [](dravik::IIndexSeries& s) { Succeeded(s.put_VOLUME(5), "VOLUME"); });
    for (const auto number : order)
        onPriceSeries(extension, number, [](dravik::IIndexSeries& s) { Succeeded(s.put_Color(0), "Color"); });
}

template <class Setter>
void onChartCommand(korvel::IKvlChart& chart, std::int16_t id, Setter&& set) {
    com::ComPtr<com::IUnknown> object;
    if (!Succeeded(chart.get_ToolBarObject(object.put()), "ToolBarObject") || !object)
        return;
    const auto bar = object.as<ostbar::IOstToolbar>();
    if (!bar)
        return;
    com::ComPtr<ostbar::IOstCommand> command;
    Succeeded(bar->Command(id, command.put()), "Command");
    if (command)
        set(*command);
}

}  // namespace

void AddDrawingTools(korvel::IKvlChart& chart) {
    com::ComPtr<com::IUnknown> object;
    Succeeded(chart.get_ToolBarObject(object.put()), "ToolBarObject");
    if (const auto bar = object ? object.as<ostbar::IOstToolbar>() : com::ComPtr<ostbar::IOstToolbar>()) {
        Succeeded(bar->AddCommand(kDrawingToolsCommand, nullptr), "AddCommand");
        for (const DrawingTool& tool : kDrawingTools)
            Succeeded(bar->AddCommand(tool.command, nullptr), "AddCommand");
    }
    onChartCommand(chart, kDrawingToolsCommand,
                   [](ostbar::IOstCommand& c) { Succeeded(c.put_Flag(VARIANT_TRUE), "Flag"); });
    for (const DrawingTool& tool : kDrawingTools) {
        onChartCommand(chart, tool.command, [&](ostbar::IOstCommand& c) {
            Succeeded(c.put_Text(com::Bstr::fromUtf8(tool.text)), "Text");
            Succeeded(c.put_Flag(VARIANT_TRUE), "Flag");
        });
    }
    onChartCommand(chart, kChartToolsCommand, [](ostbar::IOstCommand& c) {
        Succeeded(c.put_SubCommands(0, 1), "SubCommands");
        Succeeded(c.put_SubCommand(0, kDrawingToolsCommand), "SubCommand");
    });
    onChartCommand(chart, kDrawingToolsCommand, [](ostbar::IOstCommand& c) {
        constexpr std::int16_t count = static_cast<std::int16_t>(std::size(kDrawingTools));
        Succeeded(c.put_SubCommands(0, count), "SubCommands");
        for (std::int16_t slot = 0; slot < count; ++slot)
            Succeeded(c.put_SubCommand(slot, kDrawingTools[slot].command), "SubCommand");
    });
}

void SetUpDefaultChart(korvel::IKvlChart& chart, dravik::IFinancialCharts& extension, StudySlots& studies,
                       const DefaultChartSetUpSteps& steps) {
    Succeeded(chart.put_Setting(21, kWhite), "Setting21");
    Succeeded(chart.put_Setting(26, 3), "Setting26");
    parabolicSar(chart, studies);
    Succeeded(extension.put_PriceDisplay(kHighLowClose), "PriceDisplay");
    if (steps.chartCompany)
        steps.chartCompany();
    if (steps.showCompanyInWatchList)
        steps.showCompanyInWatchList();
    axesGrids(extension, studies);
    averages(studies);
    subCommands(extension, 1, {{1, 59}, {2, 60}, {4, 61}, {6, 14}});
    studies.put(Study::CUSTOM4, kStudyName, com::Variant(u"Parabolic SAR"));
    subCommands(extension, 86, {{2, 62}});
    markersAndOverlays(extension, studies);
    setUpPriceSeries(extension);
    for (const Study s : {Study::CUSTOM1, Study::CUSTOM2, Study::CUSTOM3})
        onSeries(studies, s, [](dravik::IIndexSeries& series) {
            Succeeded(series.put_Gallery(kLinesGallery), "Gallery");
        });
    AddDrawingTools(chart);
    Succeeded(chart.put_Setting(8, 35), "Setting8");
    if (steps.localizeChartCommands)
        steps.localizeChartCommands();
}

}  // namespace frame::chart

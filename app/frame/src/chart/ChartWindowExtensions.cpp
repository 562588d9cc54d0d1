#include "frame/chart/ChartWindowExtensions.h"

#include <QApplication>

#include <cstdint>
#include <string>
#include <utility>

#include "appchart/fill/clsKorvelFill.h"
#include "appchart/studies/CustomStudies.h"
#include "appdata/Trap.h"
#include "frame/FrameHooks.h"
#include "frame/LanguageTable.h"
#include "frame/chart/ChartEvents.h"
#include "frame/chart/CustomStudiesKeeper.h"
#include "frame/chart/DrawingHandles.h"
#include "frame/chart/DrawingInfoStore.h"
#include "frame/chart/ExtensionCalls.h"
#include "frame/chart/GlossorOverlay.h"
#include "frame/chart/KorvelChartTarget.h"
#include "korvel/KvlChartWidget.h"

namespace frame::chart {

ChartWindowExtensions::ChartWindowExtensions(korvel::KvlChartWidget& chart, const FrameHooks& hooks,
                                             ChartWindowExtensionLinks links)
    : m_korvel(chart), m_hooks(hooks), m_links(std::move(links)) {}

ChartWindowExtensions::~ChartWindowExtensions() {
    release();
}

void ChartWindowExtensions::attach() {
    korvel::IKvlChart& chart = m_korvel.control();
    // The annotation list comes with the chart control's own libraries; it may be registered already.
    glossor::registerAnnotationClasses();
    com::ComPtr<com::IUnknown> object;
    Succeeded(chart.AddExtension(com::Bstr(u"Scribant.AnnList"), object.put()), "AddExtension");
    gGlosx = object ? object.as<glossor::IGlosxList>() : com::ComPtr<glossor::IGlosxList>();
    if (!gGlosx)
        throw tarnwick::AppError(13, "Type mismatch");
    if (const auto overlay = gGlosx.as<glossor::IGlosxOverlay>())
        m_overlay = std::make_unique<GlossorOverlay>(m_korvel.chart(), overlay);
    object = nullptr;
    const com::HRESULT attached = chart.AddExtension(com::Bstr(dravik::kFinancialChartsProgId), object.put());
    if (com::FAILED(attached))
        throw tarnwick::AppError(attached,
                                 "The financial-chart extension \"Lomex.Financial\" cannot be loaded");
    gFinExt = object.as<dravik::IFinancialCharts>();
    if (!gFinExt)
        throw tarnwick::AppError(13, "Type mismatch");
    // The window's chart is designed with one series for each of the first three user studies: the
    // split markers and the two index overlays that the chart fill writes into data columns 5 to 7.
    ExtensionStudySlots studies(gFinExt.get());
    for (const Study user : {Study::USER0, Study::USER1, Study::USER2})
        studies.put(user, kStudySubIndicators, com::Variant(std::int16_t{1}));
    m_target = std::make_unique<KorvelChartTarget>(
        chart, gFinExt.get(), gGlosx.get(),
        ChartWindowLinks{
            [this](const std::string& symbol) { m_links.setTitle(QString::fromStdString(symbol)); },
            [this](std::int32_t trim) {
                if (m_hooks.chartPeers.fillDataEditor)
                    m_hooks.chartPeers.fillDataEditor(trim);
            },
            [this](const tarnwick::clsCompany& company) {
                if (m_hooks.chartPeers.listNotes)
                    m_hooks.chartPeers.listNotes(company.ID);
            },
            [this](const tarnwick::clsCompany& company) {
                std::string leftover;
                tarnwick::Trap("GetAnnotationDrawingInfo",
                               [&] { leftover = GetAnnotationDrawingInfo(m_korvel.control(), company.ID); });
                return leftover;
            }});
    m_links.fill()->Chart = m_target.get();
    m_customStudies =
        std::make_unique<CustomStudiesKeeper>(m_korvel.chart(), [this] { recalculateCustomStudies(); });
    m_handles = std::make_unique<DrawingHandles>(chart, gFinExt.get(), gGlosx.get());
    m_handles->setMouseMoved([this](std::int16_t x, std::int16_t y) {
        if (m_hooks.chartPeers.showChartValues)
            m_hooks.chartPeers.showChartValues(x, y, m_korvel.control());
    });
    m_events = std::make_unique<ChartEvents>(
        chart, gFinExt.get(), m_handles.get(),
        ChartEventLinks{[](std::int32_t row) { return GetLangString(row); }, [this] { m_links.showHelp(); },
                        [this] { recalculateCustomStudies(); },
                        [this](bool shown) { m_links.showDataEditor(shown); },
                        [] { QApplication::processEvents(); }},
        [this](std::int32_t display) {
            if (tarnwick::chart::clsKorvelFill* fill = m_links.fill())
                fill->PriceDisplay = display;
        });
}

// With the fill's own trim, the points without a close it left at the end: on a weekly or monthly
// chart they are far fewer than the 30 points a trim of 0 would leave out.
void ChartWindowExtensions::recalculateCustomStudies() {
    if (tarnwick::chart::clsKorvelFill* fill = m_links.fill(); m_target && fill)
        tarnwick::chart::CalculateCustomStudies(*m_target, fill->Trim());
}

// The old overlay goes first, or its going would take the new one's place on the chart and the list.
void ChartWindowExtensions::reattach() {
    m_links.fill()->Chart = nullptr;
    release();
    attach();
}

void ChartWindowExtensions::release() {
    m_customStudies.reset();
    m_events.reset();
    m_handles.reset();
    m_target.reset();
    m_overlay.reset();
}

}  // namespace frame::chart

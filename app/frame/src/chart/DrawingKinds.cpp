#include "frame/chart/DrawingKinds.h"

#include "appdata/AppError.h"
#include "dravik/Identities.h"

namespace frame::chart {

namespace {

using Getter = com::HRESULT (dravik::IFinancialCharts::*)(const com::Variant&, dravik::IDrawFeature**);

// Indexed by the drawing kind (lomexDrawingFeature).
constexpr std::array<Getter, kDrawingKindCount> kGetters{
    &dravik::IFinancialCharts::get_GannFan,
    &dravik::IFinancialCharts::get_FibonacciArcs,
    &dravik::IFinancialCharts::get_FibonacciFan,
    &dravik::IFinancialCharts::get_FibonacciRetracements,
    &dravik::IFinancialCharts::get_FibonacciTimeZones,
    &dravik::IFinancialCharts::get_MidPointTironeLevels,
    &dravik::IFinancialCharts::get_MeanTironeLevels,
    &dravik::IFinancialCharts::get_SpeedResistanceLines,
    &dravik::IFinancialCharts::get_QuadrantLines,
    &dravik::IFinancialCharts::get_TrendLine,
};

template <class Interface>
com::ComPtr<Interface> extensionOf(korvel::IKvlChart& chart, const char* progId) {
    com::ComPtr<com::IUnknown> object;
    const com::HRESULT result = chart.AddExtension(com::Bstr::fromUtf8(progId), object.put());
    const auto extension = object ? object.as<Interface>() : com::ComPtr<Interface>();
    if (com::FAILED(result) || !extension)
        throw tarnwick::AppError(com::FAILED(result) ? result : 13,
                                 std::string("The chart cannot hand out ") + progId);
    return extension;
}

}  // namespace

com::ComPtr<dravik::IFinancialCharts> FinancialExtensionOf(korvel::IKvlChart& chart) {
    return extensionOf<dravik::IFinancialCharts>(chart, dravik::kFinancialChartsProgIdText);
}

com::ComPtr<glossor::IGlosxList> AnnotationListOf(korvel::IKvlChart& chart) {
    return extensionOf<glossor::IGlosxList>(chart, glossor::kGlosxListProgId);
}

com::ComPtr<dravik::IDrawFeature> DrawingAt(dravik::IFinancialCharts& extension, com::LONG kind,
                                            com::SHORT index) {
    if (kind < 0 || kind >= kDrawingKindCount)
        throw tarnwick::AppError(424, "Object required");
    com::ComPtr<dravik::IDrawFeature> drawing;
    const com::HRESULT result =
        (extension.*kGetters[static_cast<std::size_t>(kind)])(com::Variant(index), drawing.put());
    if (com::FAILED(result) || !drawing)
        throw tarnwick::AppError(com::FAILED(result) ? result : 424, "The drawing cannot be reached");
    return drawing;
}

com::SHORT DrawingCount(dravik::IFinancialCharts& extension, com::LONG kind) {
    com::SHORT count = 0;
    const com::HRESULT result = extension.get_DrawingNumber(kind, &count);
    if (com::FAILED(result))
        throw tarnwick::AppError(result, "DrawingNumber");
    return count;
}

std::optional<TaggedDrawing> DrawingOfTag(com::LONG tag) {
    if (tag == 0)
        return std::nullopt;
    const com::LONG hundreds = tag >= 0 ? tag / 100 : -((-tag + 99) / 100);
    return TaggedDrawing{hundreds - 1, static_cast<com::SHORT>(tag - hundreds * 100)};
}

}  // namespace frame::chart

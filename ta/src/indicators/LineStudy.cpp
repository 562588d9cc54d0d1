#include "indicators/LineStudy.h"

#include "core/Indicator.h"
#include "indicators/ReferenceLines.h"

namespace indikon {
namespace {

// Runs a range study, which takes no alias, under its catch-all.
template <typename Compute>
com::HRESULT runRangeStudy(std::string_view source, _RecordSet** result, Compute&& compute) {
    return runIndicator({source, u""}, nullptr, result, [&](const com::Bstr&) { return compute(); });
}

}  // namespace

com::HRESULT LineStudy::QuadrantLines(_Database* data, _RecordSet* ohlcv, com::SHORT startPeriod,
                                      com::SHORT endPeriod, _RecordSet** result) {
    // The catch-all's source is spelled so.
    return runRangeStudy("LineStuday.QuadrantLines", result, [&] {
        return levelLines(LevelStudy::QuadrantLines, data, ohlcv, startPeriod, endPeriod);
    });
}

com::HRESULT LineStudy::TironeLevel(_Database* data, _RecordSet* ohlcv, com::SHORT startPeriod,
                                    com::SHORT endPeriod, _RecordSet** result) {
    return runRangeStudy("LineStudy.TironeLevel", result, [&] {
        return levelLines(LevelStudy::TironeLevel, data, ohlcv, startPeriod, endPeriod);
    });
}

com::HRESULT LineStudy::SpeedResistanceLines(_Database* data, _RecordSet* ohlcv, com::SHORT* startPeriod,
                                             com::SHORT* endPeriod, _RecordSet** result) {
    if (!startPeriod || !endPeriod) {
        if (result)
            *result = nullptr;
        return com::E_POINTER;
    }
    return runRangeStudy("LineStudy.SpeedResistanceLines", result,
                         [&] { return speedResistanceLines(data, ohlcv, *startPeriod, *endPeriod); });
}

com::HRESULT LineStudy::Fibonacci(_Field* source, com::SHORT startPeriod, com::SHORT endPeriod,
                                  com::Bstr* alias, _RecordSet** result) {
    return runIndicator({"LineStudy.Fibonacci", u"Fibonacci"}, alias, result, [&](const com::Bstr& name) {
        return fibonacciMarks(source, startPeriod, endPeriod, name);
    });
}

com::HRESULT LineStudy::TrendLinePenetration(_Field* source, com::SHORT trendStartPeriod,
                                             double trendStartValue, com::SHORT trendEndPeriod,
                                             double trendEndValue, com::Bstr* alias, _RecordSet** result) {
    return runIndicator({"LineStudy.TrendLinePenetration", u"TrendLinePenetration"}, alias, result,
                        [&](const com::Bstr& name) {
                            return trendLinePenetration(source, trendStartPeriod, trendStartValue,
                                                        trendEndPeriod, trendEndValue, name);
                        });
}

}  // namespace indikon

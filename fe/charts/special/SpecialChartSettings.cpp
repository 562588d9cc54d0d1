#include "special/SpecialChartSettings.h"

#include "persist/CPropertyArchive.h"
#include "state/ExchangeKeys.h"

namespace dravik {

com::HRESULT ExchangePointFigureSettings(PointFigureSettings& settings, CPropertyArchive& archive,
                                         std::uint32_t version) {
    return ExchangeWhole(settings, archive, [&](PointFigureSettings& target) {
        archive.ExchangeDouble(&target.boxSize, ExchangeKey(kPointFigurePrefix, "BoxSize").c_str(), 5);
        archive.ExchangeShort(&target.reversalAmount,
                              ExchangeKey(kPointFigurePrefix, "ReversalAmount").c_str(), 1);
        ExchangeFlag(archive, &target.percentualBox, ExchangeKey(kPointFigurePrefix, "PercentualBox"), 1,
                     version);
        ExchangeFlag(archive, &target.rectMarkers, ExchangeKey(kPointFigurePrefix, "RectMarkers"), 1,
                     version);
        return ArchiveResult(archive);
    });
}

com::HRESULT ExchangeRenkoSettings(RenkoSettings& settings, CPropertyArchive& archive,
                                   std::uint32_t version) {
    return ExchangeWhole(settings, archive, [&](RenkoSettings& target) {
        archive.ExchangeDouble(&target.boxSize, ExchangeKey(kRenkoPrefix, "BoxSize").c_str(), 5);
        ExchangeFlag(archive, &target.percentualBox, ExchangeKey(kRenkoPrefix, "PercentualBox"), 1, version);
        return ArchiveResult(archive);
    });
}

com::HRESULT ExchangeKagiSettings(KagiSettings& settings, CPropertyArchive& archive, std::uint32_t version) {
    return ExchangeWhole(settings, archive, [&](KagiSettings& target) {
        archive.ExchangeDouble(&target.reversalAmount, ExchangeKey(kKagiPrefix, "ReversalAmount").c_str(), 5);
        ExchangeFlag(archive, &target.percentual, ExchangeKey(kKagiPrefix, "Percentual"), 1, version);
        return ArchiveResult(archive);
    });
}

com::HRESULT ExchangeThreeLineBreakSettings(ThreeLineBreakSettings& settings, CPropertyArchive& archive,
                                            std::uint32_t) {
    return ExchangeWhole(settings, archive, [&](ThreeLineBreakSettings& target) {
        archive.ExchangeShort(&target.breakDays, ExchangeKey(kThreeLineBreakPrefix, "BreakDays").c_str(), 3);
        if (archive.Failed())
            return archive.Error();
        // The window of the last lines is BreakDays long: a saved state cannot make it empty.
        return target.breakDays < 1 ? kDamagedState : com::S_OK;
    });
}

}  // namespace dravik

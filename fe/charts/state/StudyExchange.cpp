#include "state/StudyExchange.h"

#include <string>

#include "persist/CPropertyArchive.h"
#include "series/SeriesAttributeExchange.h"
#include "state/ExchangeKeys.h"
#include "state/StudyTable.h"

namespace dravik {
namespace {

class StudyExchanger {
public:
    StudyExchanger(StudyRecord& record, CPropertyArchive& archive, std::uint32_t version, std::uint32_t flags,
                   int study)
        : record_(record),
          archive_(archive),
          version_(version),
          flags_(flags),
          study_(study),
          prefix_(StudyPrefix(study)),
          defaults_(MakeDefaultStudyRecord(study, nullptr)) {}

    com::HRESULT run() {
        if (!bodyOnly()) {
            archive_.ExchangeShort(&record_.inUse, key("_UsedIndicator").c_str(), 0);
            if (archive_.Failed() || record_.inUse == 0)
                return ArchiveResult(archive_);
        }
        exchangeLayout();
        if (!archive_.Failed() && !calcIndexFits())
            return kDamagedState;
        if (const com::HRESULT result = exchangeOutputs(); com::FAILED(result))
            return result;
        if (const com::HRESULT result = exchangeParameters(); com::FAILED(result))
            return result;
        if (!archive_.IsStoring())
            record_.recalcPending = 1;
        return ArchiveResult(archive_);
    }

private:
    bool bodyOnly() const { return isBodyOnly(flags_); }
    std::u16string key(std::string_view name) const { return ExchangeKey(prefix_, name); }
    void flag(std::uint8_t& value, std::string_view name, std::uint8_t defaultValue) {
        ExchangeFlag(archive_, &value, key(name), defaultValue, version_);
    }
    void shortEntry(std::int16_t& value, std::string_view name, std::int16_t defaultValue) {
        archive_.ExchangeShort(&value, key(name).c_str(), defaultValue);
    }

    // A custom study not set up yet computes with -1; any other value names a study.
    bool calcIndexFits() const {
        return record_.calcIndex >= -1 && record_.calcIndex < static_cast<std::int16_t>(kStudyCount);
    }
    bool defaultSeriesFits() const {
        return record_.defaultSeries >= 0 &&
               record_.defaultSeries < static_cast<std::int16_t>(kStudyOutputCount);
    }

    void exchangeLayout() {
        record_.name.Exchange(archive_, key("Name"), flags_ & EXCHANGE_BODY_ONLY);
        shortEntry(record_.subIndicators, "SubIndicators", 0);
        shortEntry(record_.space, "Space", 15);
        shortEntry(record_.spaceGap, "SpaceGap", 3);
        if (version_ == 31 || version_ == 32) {
            std::int16_t dropped = 3;
            shortEntry(dropped, "PixelsSpaceGap", 3);
        }
        if (!bodyOnly())
            shortEntry(record_.labelAxis, "_LabelAxis", 0);
        flag(record_.priceIndicator, "PriceIndicator", defaults_.priceIndicator);
        flag(record_.startInZero, "StartInZero", defaults_.startInZero);
        if (version_ >= 33)
            flag(record_.rememberAxisIndex, "RememberAxisIndex", 0);
        else if (version_ < 19)
            shortEntry(record_.periods, "Periods", 0);
        flag(record_.visible, "Visible", 0);
        if (!bodyOnly())
            shortEntry(record_.calcIndex, "_CalcIndex", 0);
    }

    com::HRESULT exchangeOutput(std::size_t index) {
        const std::string outputPrefix = IndexedPrefix(prefix_ + "Series(%d).", static_cast<int>(index));
        return ExchangeSeriesAttributes(record_.series[index], archive_, outputPrefix, version_, flags_,
                                        defaults_.series[index], false);
    }

    com::HRESULT exchangeOutputs() {
        if (archive_.Failed())
            return ArchiveResult(archive_);
        // Saves before version 19 count their outputs in "_NumberSubIndicators", each with its default.
        std::int16_t count = record_.subIndicators;
        const bool oldLayout = version_ < 19;
        if (!bodyOnly() && !oldLayout)
            shortEntry(record_.defaultSeries, "_DefaultSeries", 0);
        if (!bodyOnly() && oldLayout)
            shortEntry(count, "_NumberSubIndicators", 4);
        if (archive_.Failed())
            return ArchiveResult(archive_);
        if (!CountFitsArray(count, kStudyOutputCount) ||
            !CountFitsArray(record_.subIndicators, kStudyOutputCount))
            return kDamagedState;
        for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i) {
            if (!bodyOnly() && oldLayout)
                shortEntry(record_.defaultSeries, "_DefaultSeries", 0);
            if (!archive_.Failed() && !defaultSeriesFits())
                return kDamagedState;
            if (const com::HRESULT result = exchangeOutput(i); com::FAILED(result))
                return result;
        }
        return ArchiveResult(archive_);
    }

    // The study whose parameters this record carries: a custom study set up as a copy of a built-in one
    // carries the parameters of its base from version 34 on (before, a saved custom average came back
    // with no periods).
    int parameterStudy() const {
        const bool custom = study_ >= static_cast<int>(kFirstCustomStudy);
        if (custom && version_ >= kFormatVersion && record_.calcIndex >= 0 &&
            record_.calcIndex < static_cast<int>(kBuiltInStudyCount))
            return record_.calcIndex;
        return study_;
    }

    com::HRESULT exchangeParameters() {
        const std::uint32_t bits = StudyParameterBits(parameterStudy(), version_);
        const StudyDefaults& defaults = StudyDefaultsOf(parameterStudy());
        StudyParameters& parameters = record_.parameters;
        if ((bits & SP_WORKSERIES) != 0)
            shortEntry(record_.workSeries, "WorkSeries", -1);
        if ((bits & SP_PERIODS) != 0)
            shortEntry(record_.periods, "Periods", defaults.periods);
        if ((bits & SP_D) != 0)
            exchangeDouble(parameters, "D", defaults.d);
        if ((bits & SP_PERCENTAGE) != 0)
            exchangeShortParameter(&StudyParameters::signalPeriod, &StudyParameters::setSignalPeriod,
                                   "Percentage", defaults.signalPeriod);
        if ((bits & SP_SIGNALPERIOD) != 0)
            exchangeShortParameter(&StudyParameters::signalPeriod, &StudyParameters::setSignalPeriod,
                                   "SignalPeriod", defaults.signalPeriod);
        if ((bits & SP_LONGPERIOD) != 0)
            exchangeShortParameter(&StudyParameters::longPeriod, &StudyParameters::setLongPeriod,
                                   "LongPeriod", defaults.longPeriod);
        if ((bits & SP_SHORTPERIOD) != 0)
            exchangeShortParameter(&StudyParameters::shortPeriod, &StudyParameters::setShortPeriod,
                                   "ShortPeriod", defaults.shortPeriod);
        if ((bits & SP_STARTVALUE) != 0)
            exchangeDouble(parameters, "StartValue", defaults.d);
        if ((bits & SP_WEIGHTS) != 0 && !archive_.Failed())
            return ExchangeStudyWeights(parameters, record_.periods, archive_, prefix_, version_);
        return ArchiveResult(archive_);
    }

    void exchangeDouble(StudyParameters& parameters, std::string_view name, double defaultValue) {
        double value = parameters.D();
        archive_.ExchangeDouble(&value, key(name).c_str(), defaultValue);
        if (!archive_.IsStoring() && !archive_.Failed())
            parameters.setD(value);
    }

    void exchangeShortParameter(std::int16_t (StudyParameters::*get)() const,
                                void (StudyParameters::*set)(std::int16_t), std::string_view name,
                                std::int16_t defaultValue) {
        std::int16_t value = (record_.parameters.*get)();
        shortEntry(value, name, defaultValue);
        if (!archive_.IsStoring() && !archive_.Failed())
            (record_.parameters.*set)(value);
    }

    StudyRecord& record_;
    CPropertyArchive& archive_;
    std::uint32_t version_;
    std::uint32_t flags_;
    int study_;
    std::string prefix_;
    StudyRecord defaults_;
};

}  // namespace

com::HRESULT ExchangeStudy(StudyRecord& record, CPropertyArchive& archive, std::uint32_t version,
                           std::uint32_t flags, int study) {
    return StudyExchanger(record, archive, version, flags, study).run();
}

com::HRESULT ExchangeStudyWeights(StudyParameters& parameters, std::int16_t periods,
                                  CPropertyArchive& archive, std::string_view prefix, std::uint32_t version) {
    if (version >= 34)
        ExchangeFlag(archive, &parameters.linearWeights, ExchangeKey(prefix, "LinearWeights"), 1, version);
    if (archive.Failed())
        return ArchiveResult(archive);
    const std::size_t count = periods > 0 ? static_cast<std::size_t>(periods) : 0;
    if (!archive.IsStoring()) {
        const auto left = archive.Remaining();
        if (parameters.linearWeights == 0 && left && count * sizeof(std::int16_t) > *left)
            return kDamagedState;
        parameters.weights.assign(count, 0);
    } else if (parameters.weights.size() < count) {
        parameters.weights.resize(count, 0);
    }
    if (parameters.linearWeights != 0) {
        if (!archive.IsStoring()) {
            for (std::size_t i = 0; i < count; ++i)
                parameters.weights[i] = static_cast<std::int16_t>(i + 1);
        }
        return ArchiveResult(archive);
    }
    for (std::size_t i = 0; i < count && !archive.Failed(); ++i)
        archive.ExchangeShort(&parameters.weights[i],
                              IndexedKey(prefix, "Weight", static_cast<int>(i)).c_str(),
                              static_cast<std::int16_t>(i + 1));
    return ArchiveResult(archive);
}

}  // namespace dravik

#include "series/SeriesAttributeExchange.h"

#include <array>
#include <string>

#include "persist/CPropertyArchive.h"
#include "state/ExchangeKeys.h"

namespace dravik {
namespace {

struct ShortAttribute {
    std::uint32_t bit;
    const char* key;
    std::int16_t SeriesAttributeRecord::*field;
    bool keptOnlyWithShape;  // body-only exchange: only when the owner keeps the chart shape
};

struct FlagAttribute {
    std::uint32_t bit;
    const char* key;
    std::uint8_t SeriesAttributeRecord::*field;
    bool keptOnlyWithShape;
};

// Record order; "Gallery" and "XAxis" have rules of their own (see exchangeShorts).
constexpr std::array kShortAttributes{
    ShortAttribute{SA_GALLERY, "Gallery", &SeriesAttributeRecord::gallery, true},
    ShortAttribute{SA_POINTLABELALIGN, "PointLabelAlign", &SeriesAttributeRecord::pointLabelAlign, false},
    ShortAttribute{SA_YAXIS, "YAxis", &SeriesAttributeRecord::yAxis, false},
    ShortAttribute{SA_XAXIS, "XAxis", &SeriesAttributeRecord::xAxis, true},
    ShortAttribute{SA_LINESTYLE, "LineStyle", &SeriesAttributeRecord::lineStyle, false},
    ShortAttribute{SA_POINTTYPE, "PointType", &SeriesAttributeRecord::pointType, true},
    ShortAttribute{SA_CYLSIDES, "CylSides", &SeriesAttributeRecord::cylSides, true},
    ShortAttribute{SA_MARKERSIZE, "MarkerSize", &SeriesAttributeRecord::markerSize, true},
    ShortAttribute{SA_VOLUME, "Volume", &SeriesAttributeRecord::volume, true},
    ShortAttribute{SA_MARKERSTEP, "MarkerStep", &SeriesAttributeRecord::markerStep, true},
    ShortAttribute{SA_POINTLABELANGLE, "PointLabelAngle", &SeriesAttributeRecord::pointLabelAngle, false},
};

constexpr std::array kFlagAttributes{
    FlagAttribute{SA_BORDER, "Border", &SeriesAttributeRecord::border, true},
    FlagAttribute{SA_POINTLABELS, "PointLabels", &SeriesAttributeRecord::pointLabels, false},
    FlagAttribute{SA_STACKED, "Stacked", &SeriesAttributeRecord::stacked, true},
    FlagAttribute{SA_VISIBLE, "Visible", &SeriesAttributeRecord::visible, false},
};

class SeriesExchange {
public:
    SeriesExchange(SeriesAttributeRecord& record, CPropertyArchive& archive, std::string_view prefix,
                   std::uint32_t version, std::uint32_t flags, const SeriesAttributeRecord& defaults,
                   bool keep)
        : record_(record),
          archive_(archive),
          prefix_(prefix),
          version_(version),
          flags_(flags),
          defaults_(defaults),
          bodyOnly_(isBodyOnly(flags)),
          keep_(keep) {}

    void run() {
        if (!bodyOnly_)
            archive_.ExchangeUlong(&record_.setMask, key("_UsedFields").c_str(), defaults_.setMask);
        if (present(SA_TYPEMASK, true))
            archive_.ExchangeLong(&record_.typeMask, key("TypeMask").c_str(), defaults_.typeMask);
        exchangeShorts();
        for (const FlagAttribute& attribute : kFlagAttributes) {
            if (present(attribute.bit, attribute.keptOnlyWithShape))
                ExchangeFlag(archive_, &(record_.*attribute.field), key(attribute.key),
                             defaults_.*attribute.field, version_);
        }
        if (present(SA_BORDERCOLOR, true))
            archive_.ExchangeUlong(&record_.borderColor, key("BorderColor").c_str(), defaults_.borderColor);
        if (present(SA_LEGEND, false))
            record_.legend.Exchange(archive_, key("Legend"), flags_ & EXCHANGE_BODY_ONLY);
        exchangeIndexed();
    }

private:
    std::u16string key(std::string_view name) const { return ExchangeKey(prefix_, name); }
    std::u16string indexedKey(std::string_view name, int index) const {
        return bodyOnly_ ? key(name) : IndexedKey(prefix_, name, index);
    }

    bool isSet(std::uint32_t bit) const { return (record_.setMask & bit) != 0; }
    // Set, and in a body-only exchange kept only when the owner keeps the chart shape.
    bool present(std::uint32_t bit, bool keptOnlyWithShape) const {
        if (archive_.Failed() || !isSet(bit))
            return false;
        return !(bodyOnly_ && keptOnlyWithShape && !keep_);
    }

    void exchangeShorts() {
        for (const ShortAttribute& attribute : kShortAttributes) {
            if (!present(attribute.bit, attribute.keptOnlyWithShape))
                continue;
            // Saves from version 19 on carry no X axis.
            if (attribute.bit == SA_XAXIS && version_ >= 19)
                continue;
            if (attribute.bit == SA_GALLERY && bodyOnly_ && defaults_.gallery == -1)
                continue;
            archive_.ExchangeShort(&(record_.*attribute.field), key(attribute.key).c_str(),
                                   defaults_.*attribute.field);
        }
    }

    void exchangeIndexed() {
        const int count = bodyOnly_ ? 1 : 2;
        for (int i = 0; i < count && present(SA_LINEWIDTH, false); ++i)
            archive_.ExchangeShort(&record_.lineWidth[i], indexedKey("LineWidth", i).c_str(),
                                   defaults_.lineWidth[i]);
        for (int i = 0; i < count && present(SA_PATTERN, false); ++i)
            archive_.ExchangeShort(&record_.pattern[i], indexedKey("Pattern", i).c_str(),
                                   defaults_.pattern[i]);
        for (int i = 0; i < count && present(SA_COLOR, false); ++i)
            archive_.ExchangeUlong(&record_.color[i], indexedKey("Color", i).c_str(), defaults_.color[i]);
        for (int i = 0; i < count && present(SA_BKCOLOR, false); ++i)
            archive_.ExchangeUlong(&record_.bkColor[i], indexedKey("BkColor", i).c_str(),
                                   defaults_.bkColor[i]);
    }

    SeriesAttributeRecord& record_;
    CPropertyArchive& archive_;
    std::string_view prefix_;
    std::uint32_t version_;
    std::uint32_t flags_;
    const SeriesAttributeRecord& defaults_;
    bool bodyOnly_;
    bool keep_;
};

}  // namespace

com::HRESULT ExchangeSeriesAttributes(SeriesAttributeRecord& record, CPropertyArchive& archive,
                                      std::string_view prefix, std::uint32_t version, std::uint32_t flags,
                                      const SeriesAttributeRecord& defaults, bool keepInBodyOnly) {
    SeriesExchange(record, archive, prefix, version, flags, defaults, keepInBodyOnly).run();
    return ArchiveResult(archive);
}

}  // namespace dravik

#include "korvel/KvlTemplateFile.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <type_traits>

namespace korvel {

namespace {

// One routine writes and reads each part of the file. Reading is bounded by the bytes of the part
// being read and stops for good at the first thing out of bounds; writing stops at the first list or
// text above its limit.
class Exchange {
public:
    // Writing.
    Exchange() : storing_(true) {}
    // Reading `bytes`.
    explicit Exchange(std::span<const std::uint8_t> bytes) : storing_(false), in_(bytes) {}

    bool storing() const { return storing_; }
    bool good() const { return !failed_; }
    bool atEnd() const { return position_ == in_.size(); }
    std::size_t left() const { return in_.size() - position_; }
    std::vector<std::uint8_t>& out() { return out_; }

    template <typename T>
    void number(T& value) {
        static_assert(std::is_arithmetic_v<T>);
        using Bits = std::conditional_t<
            sizeof(T) == 8, std::uint64_t,
            std::conditional_t<sizeof(T) == 4, std::uint32_t,
                               std::conditional_t<sizeof(T) == 2, std::uint16_t, std::uint8_t>>>;
        if (storing_) {
            Bits bits = 0;
            std::memcpy(&bits, &value, sizeof(T));
            for (std::size_t i = 0; i < sizeof(T); ++i)
                out_.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
            return;
        }
        if (!take(sizeof(T)))
            return;
        Bits bits = 0;
        for (std::size_t i = 0; i < sizeof(T); ++i)
            bits |= static_cast<Bits>(static_cast<Bits>(in_[position_ - sizeof(T) + i]) << (8 * i));
        std::memcpy(&value, &bits, sizeof(T));
    }

    void flag(bool& value) {
        std::uint8_t byte = value ? 1 : 0;
        number(byte);
        if (!storing_ && good()) {
            if (byte > 1)
                failed_ = true;
            value = byte != 0;
        }
    }

    // A u16 count of a list of at most `limit` entries of at least `entrySize` bytes each; reading
    // refuses a count the rest of the part cannot hold before anything is allocated for it.
    bool count(std::size_t& n, std::size_t limit, std::size_t entrySize) {
        if (storing_ && n > limit)
            failed_ = true;
        std::uint16_t value = static_cast<std::uint16_t>(n);
        number(value);
        if (!good())
            return false;
        n = value;
        if (!storing_ && (n > limit || n * entrySize > left()))
            failed_ = true;
        return good();
    }

    void text(std::string& value, std::size_t limit = kMaxTemplateText) {
        std::size_t length = value.size();
        if (!count(length, limit, 1))
            return;
        if (storing_) {
            out_.insert(out_.end(), value.begin(), value.end());
            return;
        }
        if (take(length))
            value.assign(reinterpret_cast<const char*>(in_.data() + position_ - length), length);
    }

    // The rest of the part, as raw bytes.
    void rest(std::vector<std::uint8_t>& bytes) {
        if (storing_) {
            out_.insert(out_.end(), bytes.begin(), bytes.end());
            return;
        }
        bytes.assign(in_.begin() + static_cast<std::ptrdiff_t>(position_), in_.end());
        position_ = in_.size();
    }

    // The next `length` bytes as a part of their own.
    std::optional<std::span<const std::uint8_t>> part(std::size_t length) {
        if (!take(length))
            return std::nullopt;
        return in_.subspan(position_ - length, length);
    }

    void fail() { failed_ = true; }

private:
    bool take(std::size_t size) {
        if (failed_ || size > left()) {
            failed_ = true;
            return false;
        }
        position_ += size;
        return true;
    }

    bool storing_;
    bool failed_ = false;
    std::span<const std::uint8_t> in_;
    std::size_t position_ = 0;
    std::vector<std::uint8_t> out_;
};

// A list whose entries `each` exchanges; entries read are appended to a cleared list.
template <typename T, typename Each>
void list(Exchange& x, std::vector<T>& items, std::size_t entrySize, Each each) {
    std::size_t n = items.size();
    if (!x.count(n, kMaxTemplateList, entrySize))
        return;
    if (!x.storing())
        items.assign(n, T{});
    for (T& item : items) {
        each(item);
        if (!x.good())
            return;
    }
}

void exchangeSettings(Exchange& x, KvlChartSettings& s) {
    for (LONG* word :
         {&s.flagA, &s.flagB, &s.flagC, &s.flagD, &s.valueA, &s.valueB, &s.chartStyle, &s.switchedStyles,
          &s.styleWord, &s.chartFlags, &s.options, &s.backColor, &s.chartColor})
        x.number(*word);
    x.number(s.borderStyle);
    x.number(s.indexedValue);
    std::vector<std::pair<LONG, LONG>> numbered(s.numbered.begin(), s.numbered.end());
    list(x, numbered, 8, [&](std::pair<LONG, LONG>& entry) {
        x.number(entry.first);
        x.number(entry.second);
    });
    if (!x.storing())
        s.numbered = std::map<LONG, LONG>(numbered.begin(), numbered.end());
}

void exchangeAxis(Exchange& x, KvlTemplateAxis& axis) {
    for (double& property : axis.properties)
        x.number(property);
    x.number(axis.given);
    x.number(axis.bandTop);
    x.number(axis.bandBottom);
    x.number(axis.logBase);
    x.text(axis.text);
}

void exchangeLook(Exchange& x, KvlTemplateLook& look) {
    x.number(look.chartType);
    x.number(look.activeType);
    x.flag(look.toolBarShown);
    exchangeSettings(x, look.settings);
    list(x, look.keptSettings, 6, [&](std::pair<SHORT, LONG>& entry) {
        x.number(entry.first);
        x.number(entry.second);
    });
    for (SHORT& margin : look.margins)
        x.number(margin);
    KvlLegendBox& box = look.legendBox;
    for (LONG* word : {&box.left, &box.top, &box.right, &box.bottom, &box.style, &box.color, &box.visible})
        x.number(*word);
    for (std::string& title : look.axisTitles)
        x.text(title);
    x.text(look.caption);
    list(x, look.texts, 6, [&](std::pair<LONG, std::string>& entry) {
        x.number(entry.first);
        x.text(entry.second);
    });
    list(x, look.palette, 4, [&](COLORREF& colour) { x.number(colour); });
    list(x, look.textColors, 6, [&](std::pair<SHORT, LONG>& entry) {
        x.number(entry.first);
        x.number(entry.second);
    });
    std::size_t axes = look.axes.size();
    if (x.count(axes, kTemplateAxes, kAxisPropertyCount * 8)) {
        if (!x.storing())
            look.axes.assign(axes, KvlTemplateAxis{});
        for (KvlTemplateAxis& axis : look.axes)
            exchangeAxis(x, axis);
    }
    list(x, look.series, kSeriesAttributeCount * 4 + 2, [&](KvlSeriesState& series) {
        for (LONG& attribute : series.attributes)
            x.number(attribute);
        x.text(series.legend);
    });
    list(x, look.constantLines, 22, [&](KvlConstantLine& line) {
        x.number(line.axis);
        x.number(line.value);
        x.number(line.width);
        x.number(line.color);
    });
    list(x, look.stripes, 16, [&](KvlStripe& stripe) {
        x.number(stripe.axis);
        x.number(stripe.from);
        x.number(stripe.to);
        x.number(stripe.color);
    });
}

void exchangeExtension(Exchange& x, KvlTemplateExtension& extension) {
    if (x.storing() && extension.progId.size() > kMaxProgIdLength)
        x.fail();
    x.text(extension.progId, kMaxProgIdLength);
    if (extension.progId.empty())
        x.fail();
    std::uint8_t kind = extension.state ? 1 : 0;
    x.number(kind);
    if (!x.good() || kind > 1) {
        x.fail();
        return;
    }
    if (kind == 0) {
        if (!x.storing() && !x.atEnd())
            x.fail();
        extension.state.reset();
        return;
    }
    if (!extension.state)
        extension.state.emplace();
    x.rest(*extension.state);
}

// The axis properties that are whole numbers (counts, styles, flags, colours, a locale): the chart and
// its extensions take them as 32-bit integers.
constexpr KvlAxisProperty kWholeAxisProperties[] = {
    kAxisDecimals,       kAxisStyle,          kAxisVisible,    kAxisTextColor,      kAxisGridShown,
    kAxisGridWidth,      kAxisGridStyle,      kAxisGridColor,  kAxisMinorGridShown, kAxisMinorGridWidth,
    kAxisMinorGridStyle, kAxisMinorGridColor, kAxisTitleColor, kAxisLocale};

bool fitsLong(double value) {
    return value >= static_cast<double>(std::numeric_limits<LONG>::min()) &&
           value <= static_cast<double>(std::numeric_limits<LONG>::max());
}

// Values the chart could not take whatever their bytes: bands outside the plot, a log base without a
// logarithm, numbers that are not numbers, whole-number properties beyond a 32-bit integer.
bool lookIsSound(const KvlTemplateLook& look) {
    for (const KvlTemplateAxis& axis : look.axes) {
        if (!(axis.bandTop >= 0) || !(axis.bandBottom <= 1) || !(axis.bandTop < axis.bandBottom))
            return false;
        if (!std::isfinite(axis.logBase) || (axis.logBase != 0 && !(axis.logBase > 1)))
            return false;
        if (axis.given >> kAxisPropertyCount != 0)
            return false;
        for (const double property : axis.properties)
            if (std::isnan(property))
                return false;
        for (const KvlAxisProperty whole : kWholeAxisProperties)
            if (!fitsLong(axis.properties[static_cast<std::size_t>(whole)]))
                return false;
    }
    for (const KvlConstantLine& line : look.constantLines)
        if (!std::isfinite(line.value) || !std::isfinite(line.width))
            return false;
    return std::isfinite(look.settings.indexedValue) && look.chartType >= 0 && look.activeType >= -1;
}

// Appends one section: tag, length, payload.
bool appendSection(Exchange& file, std::uint32_t tag, Exchange& payload) {
    if (!payload.good() || payload.out().size() > kMaxTemplateBytes)
        return false;
    auto length = static_cast<std::uint32_t>(payload.out().size());
    file.number(tag);
    file.number(length);
    file.out().insert(file.out().end(), payload.out().begin(), payload.out().end());
    return true;
}

}  // namespace

std::vector<std::uint8_t> encodeTemplate(const KvlTemplate& content) {
    if (content.extensions.size() + 1 > kMaxSections)
        return {};
    KvlTemplate copy =
        content;  // the exchange routines serve both directions and take their fields by reference
    Exchange file;
    std::uint32_t magic = kTemplateMagic;
    std::uint16_t version = kTemplateVersion;
    auto sections = static_cast<std::uint16_t>(copy.extensions.size() + 1);
    file.number(magic);
    file.number(version);
    file.number(sections);
    Exchange look;
    exchangeLook(look, copy.look);
    if (!appendSection(file, kTemplateTagLook, look))
        return {};
    for (KvlTemplateExtension& extension : copy.extensions) {
        Exchange payload;
        exchangeExtension(payload, extension);
        if (!appendSection(file, kTemplateTagExtension, payload))
            return {};
    }
    if (file.out().size() > kMaxTemplateBytes)
        return {};
    return std::move(file.out());
}

std::optional<KvlTemplate> decodeTemplate(std::span<const std::uint8_t> bytes) {
    if (bytes.size() > kMaxTemplateBytes)
        return std::nullopt;
    Exchange file(bytes);
    std::uint32_t magic = 0;
    std::uint16_t version = 0, sections = 0;
    file.number(magic);
    file.number(version);
    file.number(sections);
    if (!file.good() || magic != kTemplateMagic || version != kTemplateVersion || sections < 1 ||
        sections > kMaxSections || sections * kTemplateSectionHeaderSize > file.left())
        return std::nullopt;
    KvlTemplate content;
    for (std::uint16_t s = 0; s < sections; ++s) {
        std::uint32_t tag = 0, length = 0;
        file.number(tag);
        file.number(length);
        const auto payload = file.good() ? file.part(length) : std::nullopt;
        if (!payload || tag != (s == 0 ? kTemplateTagLook : kTemplateTagExtension))
            return std::nullopt;
        Exchange part(*payload);
        if (s == 0) {
            exchangeLook(part, content.look);
        } else {
            KvlTemplateExtension extension;
            exchangeExtension(part, extension);
            content.extensions.push_back(std::move(extension));
        }
        if (!part.good() || !part.atEnd())
            return std::nullopt;
    }
    if (!file.atEnd() || !lookIsSound(content.look))
        return std::nullopt;
    return content;
}

}  // namespace korvel

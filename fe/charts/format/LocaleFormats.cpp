#include "format/LocaleFormats.h"

#include <string>

#include "format/NumberText.h"
#include "locale/LocaleFormat.h"

namespace dravik {
namespace {

struct Defaults {
    bool ready = false;
    NumberFormatRecord number;
    NumberFormatRecord currency;
    std::int32_t dateOrder = 0;
};

Defaults& defaults() {
    static Defaults instance;
    return instance;
}

const Defaults& readyDefaults() {
    if (!defaults().ready)
        InitLocaleFormats();
    return defaults();
}

std::string itemText(loc::LCID locale, loc::LocaleItem item) {
    std::string text = loc::getLocaleInfo(locale, item);
    text.resize(com::utf8PrefixLength(text, 20));
    return text;
}

}  // namespace

std::int32_t GetLocaleNumber(loc::LCID locale, loc::LocaleItem item, std::int32_t defaultValue) {
    const std::string text = itemText(locale, item);
    if (text.empty())
        return defaultValue;
    const double value = ParseNumber(text, ".");
    if (!(value >= -2147483648.0 && value <= 2147483647.0))
        return defaultValue;
    return static_cast<std::int32_t>(value);
}

void ReadNumberFormat(loc::LCID locale, NumberFormatRecord& record) {
    using loc::LocaleItem;
    record.digits = GetLocaleNumber(locale, LocaleItem::IDIGITS, 2);
    record.leadingZero = GetLocaleNumber(locale, LocaleItem::ILZERO, 0);
    record.negativeOrder = GetLocaleNumber(locale, LocaleItem::INEGNUMBER, 1);
    record.setDecimal(itemText(locale, LocaleItem::SDECIMAL));
    record.setThousand(itemText(locale, LocaleItem::STHOUSAND));
    record.grouping = GetLocaleNumber(locale, LocaleItem::SGROUPING, 3);
}

void ReadCurrencyFormat(loc::LCID locale, NumberFormatRecord& record) {
    using loc::LocaleItem;
    record.setDecimal(itemText(locale, LocaleItem::SMONDECIMALSEP));
    record.setThousand(itemText(locale, LocaleItem::SMONTHOUSANDSEP));
    record.grouping = GetLocaleNumber(locale, LocaleItem::SMONGROUPING, 3);
    record.digits = GetLocaleNumber(locale, LocaleItem::ICURRDIGITS, 2);
    record.positiveOrder = GetLocaleNumber(locale, LocaleItem::ICURRENCY, 2);
    record.negativeOrder = GetLocaleNumber(locale, LocaleItem::INEGCURR, 2);
    record.leadingZero = GetLocaleNumber(locale, LocaleItem::ILZERO, 0);
    if (record.symbol().empty())
        record.setSymbol(itemText(locale, LocaleItem::SCURRENCY));
}

void InitLocaleFormats() {
    Defaults fresh;
    ReadNumberFormat(loc::LOCALE_USER_DEFAULT, fresh.number);
    ReadCurrencyFormat(loc::LOCALE_USER_DEFAULT, fresh.currency);
    fresh.dateOrder = GetLocaleNumber(loc::LOCALE_USER_DEFAULT, loc::LocaleItem::IDATE, 0);
    fresh.ready = true;
    defaults() = fresh;
}

const NumberFormatRecord& DefaultNumberRecord() {
    return readyDefaults().number;
}

const NumberFormatRecord& DefaultCurrencyRecord() {
    return readyDefaults().currency;
}

std::int32_t DefaultDateOrder() {
    return readyDefaults().dateOrder;
}

}  // namespace dravik

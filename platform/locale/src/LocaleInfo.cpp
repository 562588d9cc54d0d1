#include "locale/LocaleInfo.h"

#include <string>

namespace loc {

std::string localeItemText(const LocaleInfo& info, LocaleItem item) {
    switch (item) {
        case LocaleItem::SDECIMAL:
            return info.decimalSeparator;
        case LocaleItem::STHOUSAND:
            return info.thousandSeparator;
        case LocaleItem::SGROUPING:
            return info.grouping;
        case LocaleItem::IDIGITS:
            return std::to_string(info.digits);
        case LocaleItem::ILZERO:
            return std::to_string(info.leadingZero);
        case LocaleItem::SCURRENCY:
            return info.currencySymbol;
        case LocaleItem::SMONDECIMALSEP:
            return info.monetaryDecimalSeparator;
        case LocaleItem::SMONTHOUSANDSEP:
            return info.monetaryThousandSeparator;
        case LocaleItem::SMONGROUPING:
            return info.monetaryGrouping;
        case LocaleItem::ICURRDIGITS:
            return std::to_string(info.currencyDigits);
        case LocaleItem::ICURRENCY:
            return std::to_string(info.positiveCurrencyOrder);
        case LocaleItem::INEGCURR:
            return std::to_string(info.negativeCurrencyOrder);
        case LocaleItem::SSHORTDATE:
            return info.shortDate;
        case LocaleItem::SLONGDATE:
            return info.longDate;
        case LocaleItem::IDATE:
            return std::to_string(static_cast<int>(info.dateOrder));
        case LocaleItem::S1159:
            return info.amDesignator;
        case LocaleItem::S2359:
            return info.pmDesignator;
        case LocaleItem::INEGNUMBER:
            return std::to_string(info.negativeNumberOrder);
        case LocaleItem::STIMEFORMAT:
            return info.timeFormat;
    }
    return {};
}

DateOrder dateOrderOfPattern(const std::string& pattern) {
    bool quoted = false;
    for (char c : pattern) {
        if (c == '\'') {
            quoted = !quoted;
        } else if (!quoted) {
            if (c == 'd')
                return DateOrder::DayMonthYear;
            if (c == 'y')
                return DateOrder::YearMonthDay;
            if (c == 'M')
                return DateOrder::MonthDayYear;
        }
    }
    return DateOrder::MonthDayYear;
}

}  // namespace loc

#include "TestLocales.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>

#include "format/LocaleFormats.h"
#include "locale/LocaleRegistry.h"

namespace dravik::test {
namespace {

// Sets the whole process to a decimal-comma C locale before the tests run, as LC_ALL would: the
// locale from the system when it has one, else the one built next to the tests.
const bool kCommaLocaleSet = [] {
    ::setenv("LC_ALL", "de_DE.UTF-8", 1);
    if (std::setlocale(LC_ALL, ""))
        return true;
    ::setenv("LOCPATH", DRAVIK_TEST_LOCPATH, 1);
    return std::setlocale(LC_ALL, "") != nullptr;
}();

}  // namespace

loc::LocaleInfo englishLocale() {
    return loc::LocaleInfo::english();
}

loc::LocaleInfo commaLocale() {
    loc::LocaleInfo info;
    info.decimalSeparator = ",";
    info.thousandSeparator = ".";
    info.grouping = "3;0";
    info.negativeNumberOrder = 1;
    info.currencySymbol = "€";
    info.monetaryDecimalSeparator = ",";
    info.monetaryThousandSeparator = ".";
    info.positiveCurrencyOrder = 3;
    info.negativeCurrencyOrder = 8;
    info.shortDate = "dd.MM.yyyy";
    info.longDate = "dddd, d. MMMM yyyy";
    info.timeFormat = "HH:mm:ss";
    info.dateOrder = loc::DateOrder::DayMonthYear;
    info.amDesignator = "";
    info.pmDesignator = "";
    info.dayNames = {"Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag"};
    info.monthNames[2] = "März";
    info.abbreviatedMonthNames[2] = "Mär";
    return info;
}

void useLocale(const loc::LocaleInfo& info) {
    loc::LocaleRegistry::reset();
    loc::LocaleRegistry::setUserDefault(info);
    InitLocaleFormats();
}

bool processLocaleHasDecimalComma() {
    char text[16];
    std::snprintf(text, sizeof text, "%.1f", 1.5);
    return kCommaLocaleSet && std::string(text) == "1,5";
}

}  // namespace dravik::test

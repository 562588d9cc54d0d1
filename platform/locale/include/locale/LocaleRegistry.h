// The process-wide locale records. The user's default record is seeded from the system locale
// (QLocale::system()) on first use; further records may be registered under their ids. Tests set the
// records they need, so results never depend on the machine or on the process C locale.
//
// The registry lives in this shared library so the program and every in-process server share it.
#pragma once

#include <QLocale>

#include "locale/LocaleInfo.h"

namespace loc {

class LocaleRegistry {
public:
    // The record of `lcid`; the user's default record for the default ids and for any id not registered.
    static LocaleInfo find(LCID lcid);
    static LocaleInfo userDefault();
    // Whether `lcid` has a record of its own (the default ids always have).
    static bool isKnown(LCID lcid);

    static void setUserDefault(const LocaleInfo& info);
    // Registers (or replaces) the record of a locale id other than the default ids.
    static void add(LCID lcid, const LocaleInfo& info);
    // Forgets every registered record and seeds the user's default record from the system again.
    static void reset();

    // A record read from a Qt locale: separators, grouping, currency orders (found by formatting
    // sample values), date and time patterns rewritten in the letters of LocaleInfo.h, designators and
    // names.
    static LocaleInfo fromQLocale(const QLocale& locale);
};

// Rewrites a Qt date/time pattern into the pattern letters of LocaleInfo.h (AP -> tt, h -> H when the
// pattern has no AM/PM, time zones and milliseconds dropped).
std::string patternFromQt(const QString& pattern);

}  // namespace loc

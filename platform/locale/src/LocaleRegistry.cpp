#include "locale/LocaleRegistry.h"

#include <map>
#include <mutex>
#include <optional>

#include <QChar>
#include <QString>

namespace loc {
namespace {

struct Registry {
    std::mutex mutex;
    std::optional<LocaleInfo> userDefault;
    std::map<LCID, LocaleInfo> others;
};

Registry& registry() {
    static Registry instance;
    return instance;
}

bool isDefaultId(LCID lcid) {
    return lcid == 0 || lcid == LOCALE_USER_DEFAULT || lcid == LOCALE_SYSTEM_DEFAULT;
}

// Caller holds the mutex.
const LocaleInfo& userDefaultLocked(Registry& r) {
    if (!r.userDefault)
        r.userDefault = LocaleRegistry::fromQLocale(QLocale::system());
    return *r.userDefault;
}

bool isSpace(QChar c) {
    return c.isSpace() || c == QChar(0x00A0) || c == QChar(0x202F);
}

// Drops the direction marks some locales put around numbers; they carry no order information.
QString withoutMarks(QString text) {
    for (char16_t mark : {u'\u200E', u'\u200F', u'\u061C', u'\u202A', u'\u202B', u'\u202C'})
        text.remove(QChar(mark));
    return text;
}

// "1234567890" formatted by the locale -> its group sizes as the platform's grouping text.
std::string groupingText(const QLocale& locale) {
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::DefaultNumberOptions);
    const QString text = withoutMarks(plain.toString(Q_INT64_C(1234567890)));
    const QString separator = plain.groupSeparator();
    if (separator.isEmpty() || !text.contains(separator))
        return "0";
    std::string sizes;
    int run = 0;
    for (qsizetype i = text.size(); i-- > 0;) {
        if (text.mid(i, separator.size()) == separator && i + separator.size() <= text.size()) {
            if (!sizes.empty())
                sizes += ';';
            sizes += std::to_string(run);
            run = 0;
        } else if (text[i].isDigit()) {
            ++run;
        }
    }
    // The last size seen repeats: "3;0" rather than "3;3;3", "3;2;0" rather than "3;2;2;2".
    const auto first = sizes.find(';');
    if (first == std::string::npos)
        return sizes + ";0";
    const std::string head = sizes.substr(0, first);
    const auto second = sizes.find(';', first + 1);
    const std::string next =
        sizes.substr(first + 1, second == std::string::npos ? std::string::npos : second - first - 1);
    return head == next ? head + ";0" : head + ";" + next + ";0";
}

// Reduces a formatted currency text to a shape of '$' (symbol), 'n' (number), '-' and ' ' and finds its
// order in `shapes`.
std::optional<int> currencyOrder(const QString& formatted, const QString& rawSymbol,
                                 const char* const* shapes, int count) {
    const QString text = withoutMarks(formatted);
    const QString symbol = withoutMarks(rawSymbol);
    std::string shape;
    bool inNumber = false;
    for (qsizetype i = 0; i < text.size();) {
        if (!symbol.isEmpty() && text.mid(i, symbol.size()) == symbol) {
            shape += '$';
            i += symbol.size();
            inNumber = false;
            continue;
        }
        const QChar c = text[i++];
        if (c.isDigit() ||
            ((c == u'.' || c == u',' || c == u'\'' || c == QChar(0x066B) || c == QChar(0x066C)) &&
             inNumber)) {
            if (!inNumber)
                shape += 'n';
            inNumber = true;
            continue;
        }
        inNumber = false;
        if (c == u'-' || c == QChar(0x2212))
            shape += '-';
        else if (isSpace(c))
            shape += ' ';
        else if (c == u'(' || c == u')')
            shape += c.toLatin1();
    }
    for (int i = 0; i < count; ++i) {
        if (shape == shapes[i])
            return i;
    }
    return std::nullopt;
}

constexpr const char* kPositiveShapes[] = {"$n", "n$", "$ n", "n $"};
constexpr const char* kNegativeShapes[] = {"($n)", "-$n",  "$-n",  "$n-",  "(n$)", "-n$",  "n-$",   "n$-",
                                           "-n $", "-$ n", "n $-", "$ n-", "$ -n", "n- $", "($ n)", "(n $)"};

std::string utf8(const QString& text) {
    return text.toUtf8().toStdString();
}

int currencyDigitsOf(const QLocale& locale, const QString& symbol) {
    const QString text = withoutMarks(locale.toCurrencyString(1.5, symbol));
    const qsizetype point = text.lastIndexOf(locale.decimalPoint());
    if (point < 0)
        return 0;
    int count = 0;
    for (qsizetype i = point + locale.decimalPoint().size(); i < text.size() && text[i].isDigit(); ++i)
        ++count;
    return count;
}

}  // namespace

std::string patternFromQt(const QString& pattern) {
    const bool twelveHour = pattern.contains(u'A') || pattern.contains(u'a');
    std::string out;
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern[i];
        if (c == u'\'') {
            const qsizetype end = pattern.indexOf(u'\'', i + 1);
            const qsizetype stop = end < 0 ? pattern.size() : end + 1;
            out += utf8(pattern.mid(i, stop - i));
            i = stop;
            continue;
        }
        qsizetype run = 1;
        while (i + run < pattern.size() && pattern[i + run] == c)
            ++run;
        const QString letters = pattern.mid(i, run);
        i += run;
        if (c == u'A' || c == u'a') {
            if (i < pattern.size() && (pattern[i] == u'P' || pattern[i] == u'p'))
                ++i;
            out += "tt";
        } else if (c == u'h') {
            out += twelveHour ? utf8(letters) : std::string(static_cast<std::size_t>(run), 'H');
        } else if (c == u't' || c == u'z') {
            // Time zone and milliseconds have no place in these patterns: drop them with the blank or
            // point that led to them.
            while (!out.empty() && (out.back() == ' ' || out.back() == '.' || out.back() == ','))
                out.pop_back();
        } else {
            out += utf8(letters);
        }
    }
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

LocaleInfo LocaleRegistry::fromQLocale(const QLocale& locale) {
    LocaleInfo info;
    info.decimalSeparator = utf8(locale.decimalPoint());
    info.thousandSeparator = utf8(locale.groupSeparator());
    info.grouping = groupingText(locale);
    info.digits = 2;
    info.leadingZero = 1;
    info.negativeNumberOrder = 1;

    const QString symbol = locale.currencySymbol(QLocale::CurrencySymbol);
    info.currencySymbol = utf8(symbol);
    info.monetaryDecimalSeparator = info.decimalSeparator;
    info.monetaryThousandSeparator = info.thousandSeparator;
    info.monetaryGrouping = info.grouping;
    info.currencyDigits = currencyDigitsOf(locale, symbol);
    info.positiveCurrencyOrder =
        currencyOrder(locale.toCurrencyString(1.5, symbol), symbol, kPositiveShapes, 4).value_or(0);
    info.negativeCurrencyOrder =
        currencyOrder(locale.toCurrencyString(-1.5, symbol), symbol, kNegativeShapes, 16).value_or(1);

    info.shortDate = patternFromQt(locale.dateFormat(QLocale::ShortFormat));
    info.longDate = patternFromQt(locale.dateFormat(QLocale::LongFormat));
    info.timeFormat = patternFromQt(locale.timeFormat(QLocale::LongFormat));
    info.dateOrder = dateOrderOfPattern(info.shortDate);
    info.amDesignator = utf8(locale.amText());
    info.pmDesignator = utf8(locale.pmText());
    for (int day = 0; day < 7; ++day) {
        const int qtDay = day == 0 ? 7 : day;  // Qt counts Monday = 1 ... Sunday = 7
        info.dayNames[day] = utf8(locale.dayName(qtDay, QLocale::LongFormat));
        info.abbreviatedDayNames[day] = utf8(locale.dayName(qtDay, QLocale::ShortFormat));
    }
    for (int month = 0; month < 12; ++month) {
        info.monthNames[month] = utf8(locale.monthName(month + 1, QLocale::LongFormat));
        info.abbreviatedMonthNames[month] = utf8(locale.monthName(month + 1, QLocale::ShortFormat));
    }
    return info;
}

LocaleInfo LocaleRegistry::find(LCID lcid) {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    if (!isDefaultId(lcid)) {
        const auto it = r.others.find(lcid);
        if (it != r.others.end())
            return it->second;
    }
    return userDefaultLocked(r);
}

LocaleInfo LocaleRegistry::userDefault() {
    return find(LOCALE_USER_DEFAULT);
}

bool LocaleRegistry::isKnown(LCID lcid) {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    return isDefaultId(lcid) || r.others.count(lcid) != 0;
}

void LocaleRegistry::setUserDefault(const LocaleInfo& info) {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    r.userDefault = info;
}

void LocaleRegistry::add(LCID lcid, const LocaleInfo& info) {
    if (isDefaultId(lcid)) {
        setUserDefault(info);
        return;
    }
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    r.others[lcid] = info;
}

void LocaleRegistry::reset() {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    r.others.clear();
    r.userDefault.reset();
}

}  // namespace loc

#include "SampleMarkets.h"

#include <array>

namespace samplegen {

using namespace std::chrono;

namespace {

struct Place {
    const char* name;
    const char* aname;
    const char* code;
};

// Four places name the companies of each sector of a market: the first four in market 1, the
// others in market 2.
constexpr std::array<Place, 8> kPlaces = {{
    {"Al Noor", "النور", "NOR"},
    {"Al Amal", "الأمل", "AML"},
    {"Al Fajr", "الفجر", "FJR"},
    {"Al Rayan", "الريان", "RYN"},
    {"Al Waha", "الواحة", "WAH"},
    {"Al Yarmouk", "اليرموك", "YRM"},
    {"Al Jazeera", "الجزيرة", "JZR"},
    {"Al Sharq", "الشرق", "SHQ"},
}};

struct CompanyKind {
    std::int32_t sectorId;
    const char* suffix;   // English name: place + suffix
    const char* aprefix;  // Arabic name: prefix + place + asuffix
    const char* asuffix;
    const char* tickerLetter;
    const char* activity;
    double price;
    double shares;
};

constexpr std::array<CompanyKind, 5> kKinds = {{
    {1, " Bank", "بنك ", "", "B", "a commercial bank", 18.0, 400000},
    {2, " Industries", "شركة ", " للصناعات", "I", "a maker of building materials", 9.5, 900000},
    {3, " Services", "شركة ", " للخدمات", "S", "a transport and services group", 4.2, 1500000},
    {4, " Insurance", "شركة ", " للتأمين", "N", "an insurer", 12.0, 250000},
    {6, " Real Estate", "شركة ", " العقارية", "R", "a property developer", 6.8, 1200000},
}};

Day date(int y, unsigned m, unsigned d) {
    return sys_days{year{y} / month{m} / day{d}};
}

// Companies that start trading after the sample begins.
Day listingOf(std::int32_t id) {
    switch (id) {
        case 119:
            return date(2019, 4, 1);
        case 219:
            return date(2021, 10, 3);
        default:
            return date(2015, 1, 1);
    }
}

std::vector<Company> makeCompanies() {
    std::vector<Company> out;
    for (const Market& market : Markets()) {
        const std::int32_t base = market.id * 100;
        int number = 1;
        for (const CompanyKind& kind : kKinds) {
            for (int p = 0; p < 4; ++p, ++number) {
                const Place& place = kPlaces[(market.id - 1) * 4 + p];
                const std::int32_t id = base + number;
                out.push_back(
                    {id, std::string(place.code) + kind.tickerLetter, std::string(place.name) + kind.suffix,
                     std::string(kind.aprefix) + place.aname + kind.asuffix, market.id, kind.sectorId,
                     std::string(place.name) + kind.suffix + " is " + kind.activity + " listed on the " +
                         market.name + ".",
                     false, listingOf(id), kind.price * (1.0 + 0.15 * p), kind.shares * (1.0 + 0.3 * p)});
            }
        }
    }
    // Listed after the update stream ends: it arrives with the data file.
    out.push_back({221, "SHLS", "Al Sahel Logistics", "شركة الساحل للخدمات اللوجستية", 2, 3,
                   "Al Sahel Logistics is a freight company listed on the Levant Stock Exchange.", false,
                   date(2025, 1, 12), 5.0, 800000});
    for (const Market& market : Markets()) {
        const std::int32_t base = market.id * 100;
        out.push_back({base, market.aprev + "GI", market.aprev + " General Index",
                       "المؤشر العام ل" + market.aname, market.id, kGeneralSector,
                       "The general index of the " + market.name + ".", true, date(2015, 1, 1), 5000.0, 0});
        for (const Sector& sector : Sectors()) {
            if (sector.id == kGeneralSector) {
                continue;
            }
            out.push_back({base + 50 + sector.id, market.aprev + sector.aprev,
                           market.aprev + " " + sector.name + " Index", "مؤشر " + sector.aname, market.id,
                           sector.id, "The " + sector.name + " sector index of the " + market.name + ".",
                           true, date(2015, 1, 1), 1000.0, 0});
        }
    }
    return out;
}

}  // namespace

const std::vector<Market>& Markets() {
    static const std::vector<Market> markets = {
        {1, "Gulf Securities Market", "سوق الخليج للأوراق المالية", "GSM", Friday, Saturday, December / 2},
        {2, "Levant Stock Exchange", "بورصة المشرق", "LVX", Saturday, Sunday, May / 25},
    };
    return markets;
}

const std::vector<Sector>& Sectors() {
    static const std::vector<Sector> sectors = {
        {1, "Banks", "البنوك", "BNK"},         {2, "Industry", "الصناعة", "IND"},
        {3, "Services", "الخدمات", "SRV"},     {4, "Insurance", "التأمين", "INS"},
        {5, "General", "المؤشر العام", "GEN"}, {6, "Real Estate", "العقارات", "RES"},
    };
    return sectors;
}

const std::vector<Company>& Companies() {
    static const std::vector<Company> companies = makeCompanies();
    return companies;
}

const std::vector<Split>& Splits() {
    static const std::vector<Split> splits = {
        {104, date(2017, 5, 14), 2.0},
        {207, date(2019, 9, 2), 2.0},
        {214, date(2021, 3, 15), 1.25},
        {117, date(2024, 6, 10), 1.5},
    };
    return splits;
}

const std::vector<Note>& Notes() {
    static const std::vector<Note> notes = {
        {1, 101, date(2024, 2, 12), "Board proposes a cash dividend of 10 percent.",
         "مجلس الادارة يقترح توزيع ارباح نقدية", true},
        {2, 102, date(2024, 4, 22), "Quarterly results above expectations.", "نتائج ربعية افضل من المتوقع",
         false},
        {3, 205, date(2024, 5, 7), "Capital increase approved by shareholders.",
         "المساهمون يوافقون على زيادة رأس المال", true},
        {4, 110, date(2024, 2, 4), "Trading suspended pending an announcement.",
         "تعليق التداول بانتظار اعلان", false},
        {5, 212, date(2024, 8, 19), "New chief executive appointed.", "تعيين رئيس تنفيذي جديد", false},
        {6, 117, date(2024, 6, 10), "Share split of 3 for 2 takes effect today.", "تجزئة السهم تبدأ اليوم",
         true},
        {7, 203, date(2024, 10, 1), "Annual general meeting date set.", "تحديد موعد الجمعية العامة", false},
        {8, 108, date(2024, 11, 27), "Credit rating raised.", "رفع التصنيف الائتماني", false},
    };
    return notes;
}

const std::vector<Suspension>& Suspensions() {
    static const std::vector<Suspension> suspensions = {
        {110, date(2024, 2, 5), 12},
        {209, date(2018, 7, 2), 20},
    };
    return suspensions;
}

const std::string& WatchListName() {
    static const std::string name = "Banks";
    return name;
}

const std::vector<std::int32_t>& WatchListCompanies() {
    static const std::vector<std::int32_t> ids = {101, 102, 103, 104, 201, 202};
    return ids;
}

bool IsTradingDay(const Market& market, Day day) {
    const weekday wd{day};
    if (wd == market.weekend1 || wd == market.weekend2) {
        return false;
    }
    const year_month_day ymd{day};
    const int y = static_cast<int>(ymd.year());
    if (month_day{ymd.month(), ymd.day()} == market.nationalDay) {
        return false;
    }
    if (market.id == 2 && ymd.month() == January && ymd.day() == 1d) {
        return false;
    }
    // Two feasts a year, eleven days earlier every year as the lunar calendar moves.
    const days shift{11 * (y - 2015)};
    const Day feast1 = date(y, 7, 17) - shift;
    const Day feast2 = date(y, 9, 23) - shift;
    return !(day >= feast1 && day < feast1 + days{4}) && !(day >= feast2 && day < feast2 + days{3});
}

}  // namespace samplegen

// tarnwick-samplegen <folder>
// Writes the sample market data into the folder: update-stream.txt, the update stream that a fresh
// installation processes into its first database (January 2015 to December 2024), and
// sample-data.mqd, a data file for the import that carries the following January, and
// notes_images/<id>.gif, the pictures of the notes that have one. The output is the same on every run.
#include <charconv>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "NoteImage.h"
#include "PriceSeries.h"
#include "SampleMarkets.h"
#include "appdata/Schema.h"
#include "db/Connection.h"
#include "db/Transaction.h"

namespace {

using namespace samplegen;
using namespace std::chrono;

const Day kFirst = sys_days{2015y / January / 1d};
const Day kStreamLast = sys_days{2024y / December / 31d};
const Day kFileLast = sys_days{2025y / January / 31d};
constexpr std::uint64_t kSeed = 20150101;

constexpr const char* kDataTag = "20241231";
constexpr const char* kFileDataTag = "20250131";
constexpr const char* kNotesTag = "8";

std::string number(double value, int decimals) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return std::string(buffer, result.ptr);
}

std::string streamDate(Day day) {
    const year_month_day ymd{day};
    return std::to_string(static_cast<int>(ymd.year())) + "-" +
           std::to_string(static_cast<unsigned>(ymd.month())) + "-" +
           std::to_string(static_cast<unsigned>(ymd.day()));
}

const char* flag(bool value) {
    return value ? "YES" : "NO";
}

std::string dailyLine(const DailyPrice& p, std::int32_t market, bool deleted = false) {
    return streamDate(p.date) + "|" + std::to_string(p.companyId) + "|" + number(p.shares, 0) + "|" +
           number(p.amount, 2) + "|" + number(p.open, 2) + "|" + number(p.high, 2) + "|" + number(p.low, 2) +
           "|" + number(p.close, 2) + "|" + flag(deleted) + "|" + std::to_string(market);
}

// Split dates fall on a trading day of the company's market.
std::vector<Split> tradingDaySplits() {
    std::vector<Split> out = Splits();
    for (Split& split : out) {
        for (const Company& c : Companies()) {
            if (c.id == split.companyId) {
                while (!IsTradingDay(Markets()[c.marketId - 1], split.date)) {
                    split.date += days{1};
                }
            }
        }
    }
    return out;
}

struct MarketPrices {
    const Market* market;
    std::vector<DailyPrice> prices;
};

class StreamWriter {
public:
    explicit StreamWriter(const std::filesystem::path& file) : out_(file, std::ios::binary) {}
    void line(const std::string& text) { out_ << text << "\r\n"; }
    bool ok() const { return static_cast<bool>(out_); }

private:
    std::ofstream out_;
};

void writeReference(StreamWriter& w, const std::vector<Split>& splits) {
    w.line("MARKET");
    for (const Market& m : Markets()) {
        w.line(std::to_string(m.id) + "|" + m.name + "|" + m.aname + "|" + m.aprev + "|NO");
    }
    w.line("END");
    w.line("CATEGORY");
    for (const Sector& s : Sectors()) {
        w.line(std::to_string(s.id) + "|" + s.name + "|" + s.aname + "|" + s.aprev + "|NO");
    }
    w.line("END");
    w.line("COMPANY");
    for (const Company& c : Companies()) {
        if (c.listed <= kStreamLast) {
            w.line(std::to_string(c.id) + "|" + c.ticker + "|" + c.name + "|" + c.aname + "|" +
                   std::to_string(c.marketId) + "|" + std::to_string(c.sectorId) + "|" + c.description + "|" +
                   flag(c.isIndex) + "|NO");
        }
    }
    w.line("END");
    w.line("SPLIT");
    for (const Split& s : splits) {
        w.line(streamDate(s.date) + "|" + std::to_string(s.companyId) + "|" + number(s.ratio, 2) + "|NO");
    }
    w.line("END");
    w.line("NOTES");
    for (const Note& n : Notes()) {
        w.line(std::to_string(n.id) + "|" + std::to_string(n.companyId) + "|" + streamDate(n.date) + "|" +
               n.text + "|" + n.atext + "|" + flag(n.hasImage) + "|NO");
    }
    w.line("END");
}

// The daily section of one market. Two rows show the changed-rows part at work: a price sent with a
// slipped decimal point and corrected, and a row sent for a day without trade and deleted again.
void writeDaily(StreamWriter& w, const MarketPrices& m) {
    const std::int32_t id = m.market->id;
    w.line("DAILY");
    w.line(
        "DATE|COMPANYID|TOTALSHARES|TOTALAMOUNT|OPENINGPRICE|MAXPRICE|MINPRICE|CLOSINGPRICE|ISDELETED|"
        "MARKETID");
    const DailyPrice* corrected = nullptr;
    DailyPrice stray{};
    const std::int32_t strayCompany = id * 100 + 5;
    const DailyPrice* previousOfStray = nullptr;
    for (const DailyPrice& p : m.prices) {
        if (p.date > kStreamLast) {
            break;
        }
        if (corrected == nullptr && p.companyId == id * 100 + 3 && p.date >= sys_days{2020y / March / 1d}) {
            corrected = &p;
            DailyPrice slipped = p;
            slipped.close *= 10;
            slipped.high = slipped.close;
            w.line(dailyLine(slipped, id));
            continue;
        }
        if (p.companyId == strayCompany) {
            if (previousOfStray != nullptr && stray.companyId == 0 &&
                p.date >= sys_days{2022y / January / 1d}) {
                // The first day in 2022 after which the company did not trade on the next trading day.
                Day next = previousOfStray->date + days{1};
                while (!IsTradingDay(*m.market, next)) {
                    next += days{1};
                }
                if (next < p.date) {
                    stray = *previousOfStray;
                    stray.date = next;
                    w.line(dailyLine(stray, id));
                }
            }
            previousOfStray = &p;
        }
        w.line(dailyLine(p, id));
    }
    w.line("UPDATE");
    if (corrected != nullptr) {
        w.line(dailyLine(*corrected, id));
    }
    if (stray.companyId != 0) {
        w.line(dailyLine(stray, id, true));
    }
    w.line("END");
}

void writeStream(const std::filesystem::path& file, const std::vector<MarketPrices>& markets,
                 const std::vector<Split>& splits) {
    StreamWriter w(file);
    writeReference(w, splits);
    for (const MarketPrices& m : markets) {
        writeDaily(w, m);
    }
    w.line("TIME");
    for (const Market& m : Markets()) {
        w.line("MARKET|" + std::to_string(m.id) + "|" + kDataTag);
        w.line("NOTES|" + std::to_string(m.id) + "|" + kNotesTag);
    }
    w.line("END");
    w.line("SQL");
    w.line("INSERT INTO WatchLists (ID, NAME) VALUES (1, '" + WatchListName() + "')");
    int order = 1;
    for (std::int32_t company : WatchListCompanies()) {
        w.line("INSERT INTO WatchListItem ([ORDER], COMPANYID, WatchListID) VALUES (" +
               std::to_string(order++) + ", " + std::to_string(company) + ", 1)");
    }
    w.line("END");
    w.line("MESSAGE");
    w.line("Welcome to Tarnwick. The sample market data runs from January 2015 to December 2024.");
    w.line("END");
    w.line("EXIT");
    if (!w.ok()) {
        throw std::runtime_error("cannot write " + file.string());
    }
}

void writeDataFile(const std::filesystem::path& file, const std::vector<MarketPrices>& markets,
                   const std::vector<Split>& splits) {
    std::filesystem::remove(file);
    db::Connection c = db::Connection::createNew(file);
    tarnwick::CreateMarketSchema(c);
    c.execute(
        "CREATE TABLE MarketDaily (Date TEXT, COMPANYID INTEGER, OpeningPrice REAL, MaxPrice REAL, MinPrice "
        "REAL,"
        " ClosingPrice REAL, TotalShares REAL, TotalAmount REAL, MarketID INTEGER, IsUPDATE INTEGER)");
    db::Transaction transaction(c);
    for (const Market& m : Markets()) {
        c.execute("INSERT INTO Markets VALUES (?, ?, ?, ?, 0, ?, ?)",
                  {m.id, m.name, m.aname, m.aprev, kFileDataTag, kNotesTag});
    }
    for (const Sector& s : Sectors()) {
        c.execute("INSERT INTO Category VALUES (?, ?, ?, ?, 0)", {s.id, s.name, s.aname, s.aprev});
    }
    for (const Split& s : splits) {
        c.execute("INSERT INTO Split VALUES (?, ?, ?, 0)", {db::Date{s.date}, s.companyId, s.ratio});
    }
    for (const Company& co : Companies()) {
        c.execute(
            "INSERT INTO Company VALUES (?, ?, ?, ?, ?, ?, ?, ?, 0, NULL, NULL)",
            {co.id, co.ticker, co.name, co.aname, co.marketId, co.sectorId, co.description, co.isIndex});
    }
    const std::string insert = "INSERT INTO MarketDaily VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";
    for (const MarketPrices& m : markets) {
        const DailyPrice* lastOfStream = nullptr;
        for (const DailyPrice& p : m.prices) {
            if (p.date <= kStreamLast) {
                lastOfStream = p.companyId == m.market->id * 100 + 1 ? &p : lastOfStream;
                continue;
            }
            c.execute(insert, {db::Date{p.date}, p.companyId, p.open, p.high, p.low, p.close, p.shares,
                               p.amount, m.market->id, false});
        }
        // A late correction of the stream's last day: the day's volume as the market finally reported it.
        if (lastOfStream != nullptr) {
            const DailyPrice& p = *lastOfStream;
            c.execute(insert, {db::Date{p.date}, p.companyId, p.open, p.high, p.low, p.close, p.shares + 1000,
                               p.amount, m.market->id, true});
        }
    }
    transaction.commit();
}

// The pictures of the notes that have one, as the data server keeps them.
void writeNoteImages(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    for (const Note& note : Notes()) {
        if (note.hasImage) {
            const std::vector<std::uint8_t> gif = NoteImage(note.id);
            std::ofstream out(folder / (std::to_string(note.id) + ".gif"),
                              std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char*>(gif.data()), static_cast<std::streamsize>(gif.size()));
            if (!out) {
                throw std::runtime_error("cannot write the image of note " + std::to_string(note.id));
            }
        }
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tarnwick-samplegen <folder>\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    try {
        const std::vector<Split> splits = tradingDaySplits();
        std::vector<MarketPrices> markets;
        Random random(kSeed);
        for (const Market& m : Markets()) {
            markets.push_back({&m, SimulateMarket(m, kFirst, kFileLast, splits, random)});
        }
        std::filesystem::create_directories(folder);
        writeStream(folder / "update-stream.txt", markets, splits);
        writeDataFile(folder / "sample-data.mqd", markets, splits);
        writeNoteImages(folder / "notes_images");
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tarnwick-samplegen: %s\n", error.what());
        return 1;
    }
    return 0;
}

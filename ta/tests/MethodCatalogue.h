// Every public indicator method of the library, called with fixed arguments over a price database,
// and what a call left behind: its status, its error, its outputs and the cursor. The tests that run
// every method (output checksums, the cursor after a failure, results near the top of the double
// range) share this table.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "com/ComPtr.h"
#include "indikon/_Database.h"

namespace indikon::test {

// A database of prices (Date, Open, High, Low, Close, Volume), its record set and its fields.
struct Market {
    com::ComPtr<_Database> database;
    com::ComPtr<_RecordSet> records;
    com::ComPtr<_Field> open, high, low, close, volume;
    // The periods a method is given: small for short series, so that they compute something.
    com::SHORT periods = 14;
};

struct PriceColumns {
    std::vector<double> open, high, low, close, volume;
};

// A market of these prices with the cursor on record 1.
Market makeMarket(const PriceColumns& prices, com::SHORT periods);

// A deterministic wandering series of `count` records, prices in cents, whole volumes; it holds gaps
// up and down, runs of equal closes and outside days.
PriceColumns generatedPrices(int count);

// A series whose every column (volume too) is `closes`.
PriceColumns uniformPrices(const std::vector<double>& closes);

struct NamedSeries {
    const char* name;
    PriceColumns prices;
    com::SHORT periods;
};

// The short series of the method tests, on which many methods fail: one record, too few records,
// flat stretches (no range), zeros, a constant series.
std::vector<NamedSeries> edgeSeries();

struct Output {
    std::string name;
    std::vector<double> values;
    std::u16string text;  // a note's text
};

struct Outcome {
    com::HRESULT status = 0;
    std::int32_t errorNumber = 0;
    std::string errorSource;
    std::vector<Output> outputs;  // none when the call failed
    com::SHORT positionAfter = 0;
};

struct CatalogueEntry {
    const char* name;
    std::function<Outcome(const Market&)> run;
};

// Every method, in a fixed order; each run starts from a fresh object and leaves the error
// information cleared.
const std::vector<CatalogueEntry>& methodCatalogue();

}  // namespace indikon::test

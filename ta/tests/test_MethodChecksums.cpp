// Every method's outputs over a generated series of a full record set and over the short series the
// method tests use, compared bit for bit with the checksums in data/method_checksums.txt. Setting
// INDIKON_RECORD_CHECKSUMS to a path writes the lines there instead of comparing.
#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "MethodCatalogue.h"
#include "TestSupport.h"
#include "com/Bstr.h"

namespace indikon::test {
namespace {

std::vector<NamedSeries> checkedSeries() {
    std::vector<NamedSeries> series{{"generated32767", generatedPrices(32767), 14},
                                    {"generated40", generatedPrices(40), 5}};
    for (NamedSeries& edge : edgeSeries())
        series.push_back(std::move(edge));
    return series;
}

// FNV-1a over the eight bytes of each value, least significant first.
std::uint64_t bitsChecksum(const std::vector<double>& values) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (const double value : values) {
        std::uint64_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        for (int byte = 0; byte < 8; ++byte) {
            hash ^= (bits >> (8 * byte)) & 0xFF;
            hash *= 1099511628211ULL;
        }
    }
    return hash;
}

std::string clear(const std::vector<double>& values, std::size_t from, std::size_t to) {
    std::string text;
    char buffer[40];
    for (std::size_t i = from; i < to; ++i) {
        std::snprintf(buffer, sizeof buffer, "%s%.17g", text.empty() ? "" : " ", values[i]);
        text += buffer;
    }
    return text;
}

std::vector<std::string> describe(const std::string& label, const Outcome& outcome) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, " status=%08" PRIx32 " error=%" PRId32 " ",
                  static_cast<std::uint32_t>(outcome.status), outcome.errorNumber);
    std::vector<std::string> lines{label + buffer + outcome.errorSource};
    for (const Output& output : outcome.outputs) {
        const std::vector<double>& v = output.values;
        const std::size_t shown = std::min<std::size_t>(3, v.size());
        std::snprintf(buffer, sizeof buffer, " n=%zu bits=%016" PRIx64, v.size(), bitsChecksum(v));
        std::string line = label + " " + output.name + buffer + " first=[" + clear(v, 0, shown) + "] last=[" +
                           clear(v, v.size() - shown, v.size()) + "]";
        if (!output.text.empty())
            line += " text=" + com::Bstr(output.text).toUtf8();
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> currentLines() {
    std::vector<std::string> lines;
    for (const NamedSeries& series : checkedSeries()) {
        const Market market = makeMarket(series.prices, series.periods);
        for (const CatalogueEntry& entry : methodCatalogue()) {
            market.database->MoveFirst();
            for (std::string& line : describe(std::string(series.name) + "/" + entry.name, entry.run(market)))
                lines.push_back(std::move(line));
        }
    }
    return lines;
}

std::vector<std::string> committedLines() {
    std::ifstream file(std::string(INDIKON_TEST_DATA) + "/method_checksums.txt");
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);)
        lines.push_back(line);
    return lines;
}

TEST(MethodChecksums, EveryOutputAndErrorAsCommitted) {
    const std::vector<std::string> lines = currentLines();
    if (const char* path = std::getenv("INDIKON_RECORD_CHECKSUMS")) {
        std::ofstream out(path);
        for (const std::string& line : lines)
            out << line << '\n';
        GTEST_SKIP() << "recorded " << lines.size() << " lines in " << path;
    }
    const std::vector<std::string> expected = committedLines();
    ASSERT_EQ(lines.size(), expected.size());
    int differences = 0;
    for (std::size_t i = 0; i < lines.size() && differences < 20; ++i) {
        EXPECT_EQ(lines[i], expected[i]);
        differences += lines[i] != expected[i];
    }
}

}  // namespace
}  // namespace indikon::test

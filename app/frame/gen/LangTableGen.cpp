// Build-time generator of the language table: reads data/lang/strings.txt and writes a C++ source
// that holds every text as a byte-exact literal, so the program carries the table in its code and
// loading it cannot fail. Any fault in the data file stops the build with the file name and line.
//
// Usage: tarnwick_langtablegen <strings.txt> <output.cpp>
#include <array>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>

namespace {

// Rows 0-210 are the table that forms and GetLangString address; the rows after it hold the program's
// own messages (GetLangMessage). Keep both counts in step with frame/LanguageTable.h.
constexpr int kTableRows = 211;
constexpr int kMessageRows = 2;
constexpr int kRows = kTableRows + kMessageRows;
constexpr int kLanguages = 2;

struct Entry {
    bool present = false;
    std::string text;
};

using Table = std::array<std::array<Entry, kRows>, kLanguages>;

[[noreturn]] void fail(const std::string& file, int line, const std::string& why) {
    throw std::runtime_error(file + ":" + std::to_string(line) + ": " + why);
}

// Validates UTF-8: no overlong forms, no surrogates, nothing beyond U+10FFFF.
bool isValidUtf8(std::string_view s) {
    size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        int extra = 0;
        uint32_t cp = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            extra = 1;
            cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2;
            cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + extra >= s.size())
            return false;
        for (int k = 1; k <= extra; ++k) {
            const auto cc = static_cast<unsigned char>(s[i + k]);
            if ((cc & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        static constexpr uint32_t kMin[] = {0, 0x80, 0x800, 0x10000};
        if (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

// Reads one quoted string starting at `pos` (the opening quote); returns the decoded text and moves
// `pos` past the closing quote.
std::string readQuoted(const std::string& line, size_t& pos, const std::string& file, int lineNo) {
    std::string out;
    for (++pos; pos < line.size(); ++pos) {
        const char c = line[pos];
        if (c == '"') {
            ++pos;
            return out;
        }
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++pos >= line.size())
            break;
        switch (line[pos]) {
            case 'r':
                out += '\r';
                break;
            case 'n':
                out += '\n';
                break;
            case '"':
                out += '"';
                break;
            case '\\':
                out += '\\';
                break;
            default:
                fail(file, lineNo, std::string("unknown escape \\") + line[pos]);
        }
    }
    fail(file, lineNo, "text without its closing quote");
}

size_t skipBlanks(const std::string& line, size_t pos) {
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t'))
        ++pos;
    return pos;
}

void expectLineEnd(const std::string& line, size_t pos, const std::string& file, int lineNo) {
    if (skipBlanks(line, pos) != line.size())
        fail(file, lineNo, "unexpected characters after the text");
}

int parseRow(const std::string& word, const std::string& file, int lineNo) {
    if (word.empty() || word.size() > 3 || word.find_first_not_of("0123456789") != std::string::npos)
        fail(file, lineNo, "row number expected, found '" + word + "'");
    const int row = std::stoi(word);
    if (row >= kRows)
        fail(file, lineNo, "row " + word + " is outside 0 to " + std::to_string(kRows - 1));
    return row;
}

int parseLanguage(const std::string& word, const std::string& file, int lineNo) {
    if (word == "en")
        return 0;
    if (word == "ar")
        return 1;
    fail(file, lineNo, "language 'en' or 'ar' expected, found '" + word + "'");
}

Table parse(std::istream& in, const std::string& file) {
    Table table;
    Entry* current = nullptr;
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r')
            fail(file, lineNo, "CR in the data file; write line breaks inside a text as \\r\\n");
        if (!isValidUtf8(line))
            fail(file, lineNo, "the line is not valid UTF-8");
        size_t pos = skipBlanks(line, 0);
        if (pos == line.size() || line[pos] == '#') {
            current = nullptr;
            continue;
        }
        if (line[pos] == '"') {
            if (pos == 0 || current == nullptr)
                fail(file, lineNo, "continuation line without a text above it");
            current->text += readQuoted(line, pos, file, lineNo);
            expectLineEnd(line, pos, file, lineNo);
            continue;
        }
        std::istringstream words(line);
        std::string rowWord, langWord;
        words >> rowWord >> langWord;
        const int row = parseRow(rowWord, file, lineNo);
        const int lang = parseLanguage(langWord, file, lineNo);
        Entry& entry = table[lang][row];
        if (entry.present)
            fail(file, lineNo, "row " + rowWord + " " + langWord + " is listed twice");
        pos = line.find('"');
        if (pos == std::string::npos)
            fail(file, lineNo, "quoted text expected");
        entry.present = true;
        entry.text = readQuoted(line, pos, file, lineNo);
        expectLineEnd(line, pos, file, lineNo);
        current = &entry;
    }
    for (int row = 0; row < kRows; ++row) {
        if (table[0][row].present != table[1][row].present)
            fail(file, lineNo, "row " + std::to_string(row) + " is listed in one language only");
    }
    return table;
}

// Octal escapes take at most three digits, so a following character can never join the escape.
std::string cppLiteral(std::string_view text) {
    std::string out = "\"";
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\' && c != '?') {
            out += ch;
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\%03o", c);
            out += buf;
        }
    }
    return out + "\"";
}

void writeRows(const Table& table, int first, int end, std::ostream& out) {
    for (int lang = 0; lang < kLanguages; ++lang) {
        for (int row = first; row < end; ++row)
            out << "    " << cppLiteral(table[lang][row].text) << "sv,  // " << (lang ? "ar " : "en ") << row
                << "\n";
    }
}

void write(const Table& table, std::ostream& out) {
    out << "// Generated from data/lang/strings.txt by tarnwick_langtablegen. Do not edit.\n"
        << "#include \"LanguageData.h\"\n\n"
        << "namespace frame::langdata {\n\n"
        << "using namespace std::string_view_literals;\n\n"
        << "const std::array<std::string_view, kTextCount> kTexts = {{\n";
    writeRows(table, 0, kTableRows, out);
    out << "}};\n\n"
        << "const std::array<std::string_view, kMessageTextCount> kMessageTexts = {{\n";
    writeRows(table, kTableRows, kRows, out);
    out << "}};\n\n}  // namespace frame::langdata\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: tarnwick_langtablegen <strings.txt> <output.cpp>\n";
        return 2;
    }
    try {
        std::ifstream in(argv[1], std::ios::binary);
        if (!in)
            throw std::runtime_error(std::string(argv[1]) + ": cannot open");
        const Table table = parse(in, argv[1]);
        std::ostringstream text;
        write(table, text);
        std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
        out << text.str();
        out.close();
        if (!out)
            throw std::runtime_error(std::string(argv[2]) + ": cannot write");
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        std::remove(argv[2]);
        return 1;
    }
    return 0;
}

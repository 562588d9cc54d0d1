#include "appdata/ErrorLog.h"

#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <system_error>

#include "appdata/DataFolder.h"
#include "appdata/LogText.h"

namespace tarnwick {

namespace {

std::function<std::string()>& clockHook() {
    static std::function<std::string()> hook;
    return hook;
}

std::string localeNow() {
    const QLocale locale = QLocale::system();
    const QDateTime now = QDateTime::currentDateTime();
    // The long time format of Qt ends in the time zone; the log's time has none.
    QString timeFormat = locale.timeFormat(QLocale::LongFormat);
    timeFormat.remove(QRegularExpression(QStringLiteral("\\s*t+")));
    return (locale.toString(now.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
            locale.toString(now.time(), timeFormat.trimmed()))
        .toStdString();
}

std::string record(std::string_view description, std::int32_t number, std::string_view procName) {
    const std::string stamp = clockHook() ? clockHook()() : localeNow();
    std::string text;
    text.reserve(stamp.size() + description.size() + procName.size() + 48);
    text.append(stamp).append("\r\n");
    text.append("Number: ").append(std::to_string(number)).append("\r\n");
    // Descriptions often quote outside text; whatever they hold, the record stays readable.
    text.append("Description: ")
        .append(PrintableText(description, LineBreaks::Kept, kLogDescriptionLimit))
        .append("\r\n");
    text.append("Function:")
        .append(PrintableText(procName, LineBreaks::Escaped, kLogQuoteLimit))
        .append("\r\n");
    text.append("\r\n");
    return text;
}

bool append(const std::filesystem::path& file, const std::string& text) {
    std::FILE* out = std::fopen(file.c_str(), "ab");
    if (out == nullptr) {
        return false;
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
    return std::fclose(out) == 0 && written;
}

// Keeps the last kErrorLogKeptSize bytes, moved forward to the start of a UTF-8 character so that
// the log never begins with half a letter. The tail goes to a side file first, which then replaces
// the log, so a failure on the way leaves the whole log rather than none.
void cut(const std::filesystem::path& file, std::uintmax_t size) {
    std::ifstream in(file, std::ios::binary);
    in.seekg(static_cast<std::streamoff>(size - kErrorLogKeptSize));
    std::string tail(kErrorLogKeptSize, '\0');
    in.read(tail.data(), static_cast<std::streamsize>(tail.size()));
    tail.resize(static_cast<std::size_t>(in.gcount()));
    in.close();
    std::size_t start = 0;
    while (start < tail.size() && (static_cast<unsigned char>(tail[start]) & 0xC0) == 0x80) {
        ++start;
    }
    const std::filesystem::path side = file.string() + ".cut";
    {
        std::ofstream out(side, std::ios::binary | std::ios::trunc);
        out.write(tail.data() + start, static_cast<std::streamsize>(tail.size() - start));
        if (!out.flush()) {
            return;
        }
    }
    std::error_code ec;
    std::filesystem::rename(side, file, ec);
    if (ec) {
        std::filesystem::remove(side, ec);
    }
}

}  // namespace

std::filesystem::path ErrorLogFile() {
    return ProgramFolder() / kErrorLogFileName;
}

void SetErrorLogClock(std::function<std::string()> clock) {
    clockHook() = std::move(clock);
}

void WriteErrorLog(std::string_view Description, std::int32_t Number, std::string_view ProcName) noexcept {
    try {
        const std::filesystem::path file = ErrorLogFile();
        if (!append(file, record(Description, Number, ProcName))) {
            return;
        }
        std::error_code ec;
        const std::uintmax_t size = std::filesystem::file_size(file, ec);
        if (!ec && size > kErrorLogCutSize) {
            cut(file, size);
        }
    } catch (...) {
        // The log is the last resort; there is nowhere further to report to.
    }
}

}  // namespace tarnwick

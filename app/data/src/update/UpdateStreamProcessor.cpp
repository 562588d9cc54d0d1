#include "appdata/update/UpdateStreamProcessor.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <string_view>
#include <type_traits>

#include "CallHook.h"
#include "LineReader.h"
#include "appdata/AppError.h"
#include "appdata/ArabicText.h"
#include "appdata/ErrorLog.h"
#include "appdata/Globals.h"
#include "appdata/KeyedCollection.h"
#include "appdata/LogText.h"
#include "appdata/MarketCollections.h"
#include "appdata/ProcNames.h"
#include "appdata/RecordLine.h"
#include "appdata/Trap.h"
#include "appdata/records/clsCategory.h"
#include "appdata/records/clsCompany.h"
#include "appdata/records/clsDailyData.h"
#include "appdata/records/clsMarket.h"
#include "appdata/records/clsNote.h"
#include "appdata/records/clsSplit.h"
#include "appdata/update/ServerSql.h"
#include "appdata/update/StoreTally.h"
#include "com/Yield.h"
#include "db/Error.h"
#include "db/Transaction.h"

namespace tarnwick {

namespace {

enum class Section { Market, Category, Company, Split, Notes, Daily, Time, Message, Sql, Command };

struct Keyword {
    std::string_view text;
    Section section;
};

constexpr Keyword kKeywords[] = {
    {"MARKET", Section::Market},   {"CATEGORY", Section::Category}, {"COMPANY", Section::Company},
    {"SPLIT", Section::Split},     {"NOTES", Section::Notes},       {"DAILY", Section::Daily},
    {"TIME", Section::Time},       {"MESSAGE", Section::Message},   {"SQL", Section::Sql},
    {"COMMAND", Section::Command},
};

constexpr std::string_view kExit = "EXIT";
constexpr std::string_view kEnd = "END";
constexpr std::string_view kUpdate = "UPDATE";

const Keyword* findKeyword(std::string_view line) {
    const auto it = std::ranges::find(kKeywords, line, &Keyword::text);
    return it == std::end(kKeywords) ? nullptr : it;
}

// Stores a record; true when it was stored. The company record raises its errors instead.
template <class Record>
bool storedOrRaised(Record& record) {
    if constexpr (std::is_void_v<decltype(record.InsertDB())>) {
        record.InsertDB();
        return true;
    } else {
        return record.InsertDB();
    }
}

std::string upper(std::string_view text) {
    std::string out(text);
    std::ranges::transform(out, out.begin(),
                           [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return out;
}

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && upper(text.substr(0, prefix.size())) == prefix;
}

// Only web addresses leave the program: an address of http or https with something after the
// scheme, and no blanks or control characters that could make it more than one argument.
bool IsWebAddress(std::string_view line) {
    const std::string_view scheme = startsWithNoCase(line, "HTTPS://")  ? "https://"
                                    : startsWithNoCase(line, "HTTP://") ? "http://"
                                                                        : "";
    if (scheme.empty() || line.size() == scheme.size()) {
        return false;
    }
    return std::ranges::none_of(line, [](unsigned char c) { return c <= 0x20 || c == 0x7f; });
}

void logRefusal(std::int32_t number, const std::string& description) {
    WriteErrorLog(description, number, procname::kProcessData);
}

// Lines that stand where a section keyword should and are none. Blank lines carry nothing and pass
// quietly; a run of others makes one log record, so that a section under a misspelt keyword
// cannot flood the log and push the earlier records out.
class SkippedLines {
public:
    void add(const std::string& line) {
        if (line.find_first_not_of(" \t") == std::string::npos) {
            return;
        }
        if (count_++ == 0) {
            first_ = line;
        }
    }
    void report() {
        if (count_ > 0) {
            logRefusal(errnum::kInvalidProcedureCall,
                       std::to_string(count_) +
                           " line(s) where a section keyword was expected were skipped, the first \"" +
                           LogQuote(first_) + "\"");
        }
        count_ = 0;
    }

private:
    std::size_t count_ = 0;
    std::string first_;
};

// The market a tag record names: the one in gMarkets, else one that this or an earlier stream has
// stored but the collections do not hold yet (they are read once per run). Null for neither.
std::shared_ptr<clsMarket> KnownMarket(const RecordLine& fields) {
    const std::string key = "ID_" + std::string(fields.text(1));
    if (gMarkets.exists(key)) {
        return gMarkets.shared(key);
    }
    const std::int32_t id = fields.int32(1);
    if (gConnection.query(R"(SELECT 1 FROM "Markets" WHERE "ID" = ?)", {id}).eof()) {
        return nullptr;
    }
    auto market = std::make_shared<clsMarket>();
    market->ID = id;
    return market;
}

}  // namespace

UpdateStreamProcessor::UpdateStreamProcessor(std::filesystem::path file, UpdateHooks hooks)
    : file_(std::move(file)), hooks_(std::move(hooks)) {}

ProcessOutcome UpdateStreamProcessor::ProcessData(bool noNewData) {
    std::error_code ec;
    if (!std::filesystem::exists(file_, ec)) {
        return ProcessOutcome::NotRun;
    }
    callHook(hooks_.enableCancel, false);
    nothingStored_ = true;
    tally_ = StoreTally();
    Lists lists;
    bool read = false;
    bool kept = true;
    Trap(procname::kProcessData, [&] {
        LineReader reader(file_, hooks_.progress);
        callHook(hooks_.progress, 0.0);
        if (!noNewData) {
            callHook(hooks_.status, langrow::kProcessingData);
        }
        db::Transaction transaction(gConnection);
        try {
            readStream(reader, lists);
        } catch (...) {
            // Rows stored before the error stay stored, as they would row by row, unless the
            // database has already dropped them with its transaction.
            kept = gConnection.inTransaction() && KeepStoredRows(transaction, procname::kProcessData);
            throw;
        }
        transaction.commit();
        read = true;
    });
    if (!read) {
        finishAfterError(kept ? tally_.stored() : 0);
        return ProcessOutcome::Failed;
    }
    if (nothingStored_) {
        // The kept lists go unapplied: nothing arrived that they could belong to.
        callHook(hooks_.showSuccess);
        callHook(hooks_.status, langrow::kNoNewData);
    } else {
        bool applied = false;
        Trap(procname::kProcessData, [&] {
            applyLists(lists);
            applied = true;
        });
        if (!applied) {
            finishAfterError(tally_.stored());
            return ProcessOutcome::Failed;
        }
    }
    callHook(hooks_.finish);
    callHook(hooks_.progress, 1.0);
    return nothingStored_ ? ProcessOutcome::NoNewData : ProcessOutcome::Updated;
}

void UpdateStreamProcessor::readStream(LineReader& reader, Lists& lists) {
    SkippedLines skipped;
    while (!reader.atEnd()) {
        const std::string line = reader.next();
        if (line == kExit) {
            break;
        }
        if (findKeyword(line) != nullptr) {
            skipped.report();
            readSection(reader, line, lists);
        } else {
            skipped.add(line);
        }
    }
    skipped.report();
}

void UpdateStreamProcessor::readSection(LineReader& reader, const std::string& keyword, Lists& lists) {
    const Section section = findKeyword(keyword)->section;
    if (section == Section::Daily) {
        readDaily(reader);
        return;
    }
    for (std::string line = reader.next(); line != kEnd; line = reader.next()) {
        switch (section) {
            case Section::Time:
                lists.tags.push_back(std::move(line));
                break;
            case Section::Message:
                lists.messages.push_back(std::move(line));
                break;
            case Section::Sql:
                lists.statements.push_back(std::move(line));
                break;
            case Section::Command:
                lists.commands.push_back(std::move(line));
                break;
            default:
                storeRecord(keyword, line);
                break;
        }
    }
}

void UpdateStreamProcessor::readDaily(LineReader& reader) {
    reader.next();  // the marker line after the keyword carries nothing the program reads
    bool changed = false;
    for (;;) {
        const std::string& line = reader.next();
        if (!changed && line == kUpdate) {
            changed = true;
            continue;
        }
        if (changed && line == kEnd) {
            return;
        }
        clsDailyData record;
        if (!record.ParseParameters(line)) {
            continue;
        }
        tally_.record(changed ? record.UpdateDB() : record.InsertDB(), record.MarketID);
        RequireOpenTransaction(gConnection);
        nothingStored_ = false;
        com::yieldToMessageLoop();
    }
}

void UpdateStreamProcessor::storeRecord(const std::string& keyword, const std::string& line) {
    const auto store = [&](auto record, auto&& afterStore) {
        if (record.ParseParameters(line)) {
            tally_.record(storedOrRaised(record));
            RequireOpenTransaction(gConnection);
            nothingStored_ = false;
            afterStore(record);
        }
    };
    const auto nothing = [](const auto&) {};
    switch (findKeyword(keyword)->section) {
        case Section::Market:
            store(clsMarket{}, nothing);
            break;
        case Section::Category:
            store(clsCategory{}, nothing);
            break;
        case Section::Company:
            store(clsCompany{}, nothing);
            break;
        case Section::Split:
            store(clsSplit{}, nothing);
            break;
        case Section::Notes:
            store(clsNote{}, [&](const clsNote& note) {
                // The download reports its own failures; the note is stored either way.
                if (note.HasImage && hooks_.downloadNoteImage) {
                    hooks_.downloadNoteImage(note.ID);
                }
            });
            break;
        default:
            break;
    }
}

void UpdateStreamProcessor::applyLists(const Lists& lists) {
    for (const std::string& record : lists.tags) {
        applyTag(record);
    }
    for (const std::string& line : lists.commands) {
        openCommand(line);
    }
    for (const std::string& line : lists.messages) {
        callHook(hooks_.showMessage, ConvertArabicText(line));
    }
    for (const std::string& line : lists.statements) {
        runStatement(line);
    }
    callHook(hooks_.showSuccess);
    callHook(hooks_.status, langrow::kDataUpdated);
    callHook(hooks_.rechart);
}

void UpdateStreamProcessor::applyTag(const std::string& record) {
    // A record that names no known market is logged and skipped; the other tags still apply.
    Trap(procname::kProcessData, [&] {
        const RecordLine fields(record);
        fields.require(3);
        const std::shared_ptr<clsMarket> market = KnownMarket(fields);
        if (market && !tally_.complete(market->ID)) {
            throw AppError(errnum::kApplicationDefined,
                           "The tag record \"" + LogQuote(record) +
                               "\" was not applied: " + std::to_string(tally_.failures()) +
                               " record(s) of the stream could not be stored.");
        }
        if (!market) {
            throw AppError(errnum::kInvalidProcedureCall,
                           "No market for the tag record \"" + LogQuote(record) + "\"");
        }
        if (upper(fields.text(0)) == "MARKET") {
            market->UpdateDataTag = fields.text(2);
            market->ChangeDataTag();
        } else {
            market->UpdateNotesTag = fields.text(2);
            market->ChangeNotesTag();
        }
    });
}

void UpdateStreamProcessor::openCommand(const std::string& line) {
    if (!IsWebAddress(line)) {
        logRefusal(errnum::kInvalidProcedureCall,
                   "Only web addresses are opened; refused \"" + LogQuote(line) + "\"");
        return;
    }
    callHook(hooks_.openUrl, line);
}

void UpdateStreamProcessor::runStatement(const std::string& line) {
    // A refused or failing statement is logged, changes nothing, and the next one runs.
    Trap(procname::kProcessData, [&] { RunServerSql(gConnection, line); });
}

void UpdateStreamProcessor::finishAfterError(std::int64_t keptRecords) {
    // The window must not stay with its button disabled: it shows the outcome and can be closed.
    // "Invalid data" would tell the user that nothing arrived, which is untrue once records are kept.
    callHook(hooks_.showFailure);
    if (keptRecords > 0) {
        callHook(hooks_.stoppedPartWay, keptRecords);
    } else {
        callHook(hooks_.status, langrow::kInvalidData);
    }
    callHook(hooks_.finish);
    callHook(hooks_.progress, 1.0);
}

}  // namespace tarnwick

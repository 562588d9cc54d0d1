// The processing of a downloaded update stream: a text of CRLF lines in sections, each opened by a
// keyword line (exact, case-sensitive) and closed by "END"; "EXIT" ends the stream.
//
//   MARKET, CATEGORY, COMPANY, SPLIT, NOTES   records stored at once through their record classes
//   DAILY    a marker line (never read), new daily rows up to "UPDATE", changed or deleted rows up
//            to "END"
//   TIME     market|id|tag or <other kind>|id|tag: the markets' new data and notes tags
//   MESSAGE, SQL, COMMAND   texts shown, statements run, web addresses opened
//
// TIME, MESSAGE, SQL and COMMAND lines are kept until the stream has been read and applied in that
// order only when at least one record was stored, so that a stream that brought nothing changes
// nothing and the next request asks for the same data again.
//
// The records are stored in one transaction on gConnection, which is committed also when an error
// stops the reading, so that every record stored before it stays stored. A TIME record applies only
// to a market all of whose records were stored (appdata/update/StoreTally.h); a transaction that the
// database ended on its own (a full disk) stops the reading.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "appdata/update/StoreTally.h"
#include "appdata/update/UpdateHooks.h"

namespace tarnwick {

class LineReader;

enum class ProcessOutcome {
    NotRun,     // there was no download file
    NoNewData,  // the stream stored nothing
    Updated,    // records were stored and the kept lists applied
    Failed,     // an error stopped the reading; the records stored before it are kept
};

class UpdateStreamProcessor {
public:
    UpdateStreamProcessor(std::filesystem::path file, UpdateHooks hooks);

    // Reads and stores the whole stream. noNewData (the server said nothing new is waiting) only
    // keeps the status "Processing data..." from being shown. Never raises; an error is logged under
    // "ProcessData" and the window is finished with the failure picture and either the invalid-data
    // status, when nothing of the stream was kept, or the stoppedPartWay hook with the number of
    // records kept.
    ProcessOutcome ProcessData(bool noNewData);

private:
    struct Lists {
        std::vector<std::string> tags;
        std::vector<std::string> commands;
        std::vector<std::string> messages;
        std::vector<std::string> statements;
    };

    void readStream(LineReader& reader, Lists& lists);
    void readSection(LineReader& reader, const std::string& keyword, Lists& lists);
    void readDaily(LineReader& reader);
    void storeRecord(const std::string& keyword, const std::string& line);
    void applyLists(const Lists& lists);
    void applyTag(const std::string& record);
    void openCommand(const std::string& line);
    void runStatement(const std::string& line);
    void finishAfterError(std::int64_t keptRecords);

    std::filesystem::path file_;
    UpdateHooks hooks_;
    bool nothingStored_ = true;
    StoreTally tally_;
};

}  // namespace tarnwick

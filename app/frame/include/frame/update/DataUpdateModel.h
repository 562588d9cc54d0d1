// The data update window's logic, apart from its widgets: it asks the data server (and, when that
// transfer fails, once the backup server, with the program's credentials) for what is new since the
// markets' stored update tags, shows the progress, checks the answer saved in the download file and
// has UpdateStreamProcessor store it. The window shows the state held here after every change.
//
// A run: Start -> states 4 to 7 of the first server (each moving the bar one step) -> progress ->
// the final state 0 -> ReadData -> ProcessData -> FinishForm, or after a failed transfer one
// fail-over to the backup server, whose failure is final.
#pragma once

#include <QString>

#include <cstdint>
#include <filesystem>
#include <functional>

#include "net/HttpClient.h"

namespace frame {

// What the rest of the program does for an update: an empty function does nothing, except
// showMessage and openUrl, which default to a message box and the desktop's URL handler, and
// downloadNoteImage, which defaults to fetching the picture from the server the update uses.
struct DataUpdateLinks {
    // Saves the charted company's drawings and charts it again with the settings as they stand.
    std::function<void()> rechart;
    // Fetches the image of a stored note; true when one was stored.
    std::function<bool(std::int32_t noteId)> downloadNoteImage;
    std::function<void(const QString& text)> showMessage;
    std::function<void(const QString& url)> openUrl;
};

// The controls of the window as the model leaves them.
struct DataUpdateDisplay {
    static constexpr int kProgressMin = 0;
    static constexpr int kProgressMax = 100;

    QString status;  // lblStatus
    bool progressVisible = false;
    int progressValue = kProgressMin;
    bool okVisible = false;     // pctOK
    bool errorVisible = false;  // pctError
    QString cancelCaption;      // cmdCancel; empty keeps the designed "Cancel"
    bool cancelEnabled = false;
    QString animationClip;  // the clip playing in Animation1; empty when at rest
};

// The query of the update request: each market's ID=data tag&c_ID=notes tag& in collection order,
// then VERSION=major.minor.revision&LANGUAGE=ENGLISH or ARABIC.
QString GetDataURL();
// "http://" & the host & "/cgi-bin/loader/loader.cgi?" & GetDataURL().
QString requestUrl(const std::string& host);
// The download file in the program folder.
std::filesystem::path downloadFile();

class DataUpdateModel {
public:
    // The user name and password the backup server takes.
    static constexpr const char* kBackupUserName = "tarnwick";
    static constexpr const char* kBackupPassword = "m8rq2z";
    // A server that takes longer to accept the request, or then stays silent longer, has failed: the
    // backup server is asked next, and after it the user is told.
    static constexpr net::HttpTimeouts kTimeouts{30'000, 60'000};

    explicit DataUpdateModel(DataUpdateLinks links = {});

    // Called after every change of display().
    void setChanged(std::function<void()> changed) { changed_ = std::move(changed); }
    const DataUpdateDisplay& display() const { return display_; }

    // The limits of each transfer from the next Start on (tests shorten them).
    void setTimeouts(net::HttpTimeouts timeouts) { timeouts_ = timeouts; }

    // Starts a run against gDataServers[CurrentServer()].
    void Start();
    // The button: ends the run (a transfer still running is dropped); the window then closes.
    void cmdCancel_Click();

    // 0 for the data server, 1 for the backup server; kept between runs.
    std::int16_t CurrentServer() const { return currentServer_; }
    std::int32_t ExpectedLength() const { return expectedLength_; }
    bool NoNewData() const { return noNewData_; }
    net::HttpClient& http() { return Http1_; }

private:
    void Http1_State(net::HttpState state);
    void Http1_Progress(std::int64_t received);
    void failOver();
    void failFinally();
    void takeLengthHeader(const QString& line);
    void ReadData();
    void ProcessData(bool noNewData);
    void FinishForm();
    void resetAnswer();
    QString connectingText() const;
    void setStatus(const QString& text);
    void stepProgress();
    void changed();

    DataUpdateLinks links_;
    net::HttpTimeouts timeouts_ = kTimeouts;
    net::HttpClient Http1_;
    std::function<void()> changed_;
    DataUpdateDisplay display_;

    std::int16_t currentServer_ = 0;
    bool transferFailed_ = false;
    bool lengthKnown_ = false;
    std::int32_t expectedLength_ = 0;
    bool noNewData_ = false;
};

}  // namespace frame

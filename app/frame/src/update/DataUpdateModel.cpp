#include "frame/update/DataUpdateModel.h"

#include <QDesktopServices>
#include <QUrl>

#include <limits>
#include <string_view>
#include <system_error>

#include "appdata/AppError.h"
#include "appdata/DataFolder.h"
#include "appdata/ErrorLog.h"
#include "appdata/InternetSettings.h"
#include "appdata/MarketCollections.h"
#include "appdata/ProgramVersion.h"
#include "appdata/Trap.h"
#include "appdata/update/CheckFileValidty.h"
#include "appdata/update/UpdateStreamProcessor.h"
#include "com/Yield.h"
#include "frame/LanguageTable.h"
#include "frame/MessageBox.h"
#include "frame/notes/NoteImageDownload.h"
#include "store/SettingsStore.h"

namespace frame {
namespace {

using tarnwick::Trap;

// Procedure names of the error log.
constexpr std::string_view kStart = "Start";
constexpr std::string_view kHttpState = "Http1_State";
constexpr std::string_view kHttpProgress = "Http1_Progress";
constexpr std::string_view kReadData = "ReadData";
constexpr std::string_view kFinishForm = "FinishForm";
constexpr std::string_view kCancelClick = "cmdCancel_Click";

// Language-table rows of the window's texts.
namespace row {
constexpr int32_t kOK = 5;
constexpr int32_t kUnableToConnect = 23;
constexpr int32_t kConnecting = 28;
constexpr int32_t kConnected = 30;
constexpr int32_t kRequesting = 31;
constexpr int32_t kWaiting = 32;
constexpr int32_t kDownloading = 34;
constexpr int32_t kKBOf = 35;
constexpr int32_t kKB = 36;
constexpr int32_t kNoNewData = 37;
constexpr int32_t kReceived = 38;
constexpr int32_t kInvalidData = 39;
}  // namespace row

const char* const kCheckingData = "Checking data...";  // the same text in both languages
const char* const kLengthHeader = "tarnwick-length:";
const char* const kClipFileName = "cntc.iva";
const char* const kDownloadFileName = "Socket.Log";
const char* const kDeleteFileKey = "DeleteFile";
constexpr std::int32_t kUnknownLength = 10000000;
// The count of received bytes that the progress leaves out before it measures the answer.
constexpr std::int64_t kProgressOffset = 19;
constexpr std::int32_t kOverflow = 6;

// The status row of a transfer state after connecting.
int32_t stateRow(net::HttpState state) {
    switch (state) {
        case net::HttpState::Connected:
            return row::kConnected;
        case net::HttpState::Sending:
            return row::kRequesting;
        default:
            return row::kWaiting;
    }
}

// Characters that would end a query value or cannot stand in a URL are escaped; tags made of
// letters, digits and the usual punctuation go as they are.
QString queryValue(const std::string& tag) {
    return QString::fromLatin1(QUrl::toPercentEncoding(QString::fromStdString(tag), "!$'()*,;:@/?"));
}

// The status after an error stopped the storing part-way. The language table has no row for it, and
// "Invalid data received" would tell the user that nothing arrived.
QString stoppedPartWayText(std::int64_t keptRecords) {
    const QString text = gArabic
                             ? QStringLiteral(
                                   u"توقف التحديث بسبب خطأ بعد تخزين %1 سجل، وقد تم الاحتفاظ بها. "
                                   u"يرجى المحاولة مرة أخرى.")
                             : QStringLiteral(
                                   "The update stopped on an error after %1 record(s) were stored; they are "
                                   "kept. Please try again.");
    return text.arg(keptRecords);
}

// A whole decimal number with optional sign and surrounding blanks.
std::optional<std::int64_t> wholeNumber(const QString& text) {
    bool ok = false;
    const qlonglong value = text.trimmed().toLongLong(&ok);
    return ok ? std::optional<std::int64_t>(value) : std::nullopt;
}

}  // namespace

QString GetDataURL() {
    QString query;
    for (const auto& market : tarnwick::gMarkets) {
        const QString id = QString::number(market->ID);
        query += id + QLatin1Char('=') + queryValue(market->UpdateDataTag) + QLatin1Char('&');
        query += QStringLiteral("c_") + id + QLatin1Char('=') + queryValue(market->UpdateNotesTag) +
                 QLatin1Char('&');
    }
    query += QStringLiteral("VERSION=") + QString::fromStdString(tarnwick::ProgramVersionText());
    query += gArabic ? QStringLiteral("&LANGUAGE=ARABIC") : QStringLiteral("&LANGUAGE=ENGLISH");
    return query;
}

QString requestUrl(const std::string& host) {
    return QStringLiteral("http://") + QString::fromStdString(host) +
           QStringLiteral("/cgi-bin/loader/loader.cgi?") + GetDataURL();
}

std::filesystem::path downloadFile() {
    return tarnwick::ProgramFolder() / kDownloadFileName;
}

DataUpdateModel::DataUpdateModel(DataUpdateLinks links) : links_(std::move(links)) {
    net::HttpEvents events;
    events.state = [this](net::HttpState state) { Http1_State(state); };
    events.progress = [this](std::int64_t received) { Http1_Progress(received); };
    events.error = [this](const net::HttpError&) { transferFailed_ = true; };
    Http1_.setEvents(std::move(events));
}

void DataUpdateModel::Start() {
    Trap(kStart, [&] {
        if (currentServer_ > 1) {
            currentServer_ = 0;
        }
        setStatus(GetLangString(row::kConnecting) + QString::number(currentServer_ + 1) +
                  QStringLiteral("..."));
        Http1_.setUrl(requestUrl(tarnwick::gDataServers.at(static_cast<std::size_t>(currentServer_))));
        changed();
        com::processPendingEvents();
        display_.progressVisible = true;
        if (std::filesystem::exists(downloadFile())) {
            std::filesystem::remove(downloadFile());
        }
        display_.progressValue = DataUpdateDisplay::kProgressMin;
        Http1_.setTimeouts(timeouts_);
        resetAnswer();
        tarnwick::ApplyProxySettings(Http1_);
        Http1_.setBodyFile(QString::fromStdString(downloadFile().string()));
        Http1_.get();
        const std::filesystem::path clip = tarnwick::ProgramFolder() / kClipFileName;
        if (std::filesystem::exists(clip)) {
            display_.animationClip = QString::fromStdString(clip.string());
        }
        display_.cancelEnabled = true;
    });
    changed();
}

void DataUpdateModel::cmdCancel_Click() {
    Trap(kCancelClick, [&] {
        Http1_.abort();
        FinishForm();
    });
}

void DataUpdateModel::Http1_State(net::HttpState state) {
    Trap(kHttpState, [&] {
        if (state != net::HttpState::Idle) {
            setStatus(state == net::HttpState::Connecting ? connectingText()
                                                          : GetLangString(stateRow(state)));
            stepProgress();
        } else if (!transferFailed_) {
            ReadData();
        } else if (currentServer_ >= 1) {
            failFinally();
        } else {
            failOver();
        }
    });
    changed();
}

QString DataUpdateModel::connectingText() const {
    return GetLangString(row::kConnecting) + QString::number(currentServer_ + 1) + QStringLiteral("...");
}

void DataUpdateModel::failFinally() {
    currentServer_ = 0;
    display_.progressVisible = false;
    display_.errorVisible = true;
    setStatus(GetLangString(row::kUnableToConnect));
    display_.progressValue = DataUpdateDisplay::kProgressMin;
    FinishForm();
}

// The backup server gets the same request with the program's credentials. The answer is judged on
// its own: nothing of the failed transfer (body, headers, announced length) carries over.
void DataUpdateModel::failOver() {
    ++currentServer_;
    setStatus(connectingText());
    Http1_.setUrl(requestUrl(tarnwick::gDataServers.at(static_cast<std::size_t>(currentServer_))));
    changed();
    com::processPendingEvents();
    resetAnswer();
    Http1_.get(QString::fromLatin1(kBackupUserName), QString::fromLatin1(kBackupPassword));
}

void DataUpdateModel::Http1_Progress(std::int64_t received) {
    Trap(kHttpProgress, [&] {
        const net::ResponseHeaders& headers = Http1_.headers();
        const QString line = headers.find(QString::fromLatin1(kLengthHeader));
        if (headers.empty() || line.isEmpty()) {
            return;
        }
        double base = 0;
        if (!lengthKnown_) {
            lengthKnown_ = true;
            base = display_.progressValue;
            takeLengthHeader(line);
        }
        const std::int64_t n = std::max<std::int64_t>(received - kProgressOffset, 0);
        const double share = static_cast<double>(n) / expectedLength_;
        if (share <= 1) {
            display_.progressValue =
                static_cast<int>(base + (DataUpdateDisplay::kProgressMax - base) * share);
        }
        setStatus(GetLangString(row::kDownloading) + QString::number(n / 1024) + GetLangString(row::kKBOf) +
                  QString::number(expectedLength_ / 1024) + GetLangString(row::kKB));
    });
    changed();
}

// "tarnwick-length: <a>|<b>": the answer is a + b bytes long; b = 0 means nothing new is waiting. A
// value that does not give a positive length counts as an unknown, large length.
void DataUpdateModel::takeLengthHeader(const QString& line) {
    const QStringList parts = line.mid(line.indexOf(QLatin1Char(':')) + 1).trimmed().split(QLatin1Char('|'));
    const auto first = parts.size() >= 2 ? wholeNumber(parts[0]) : std::nullopt;
    const auto second = parts.size() >= 2 ? wholeNumber(parts[1]) : std::nullopt;
    if (first && second) {
        const std::int64_t sum = *second + *first;
        if (sum > std::numeric_limits<std::int32_t>::max() ||
            sum < std::numeric_limits<std::int32_t>::min()) {
            tarnwick::WriteErrorLog("Overflow", kOverflow, kHttpProgress);
        } else {
            expectedLength_ = static_cast<std::int32_t>(sum);
        }
        if (*second == 0) {
            noNewData_ = true;
        }
    }
    if (expectedLength_ <= 0) {
        expectedLength_ = kUnknownLength;
    }
}

void DataUpdateModel::ReadData() {
    Trap(kReadData, [&] {
        setStatus(QString::fromLatin1(kCheckingData));
        changed();
        if (!tarnwick::CheckFileValidty(downloadFile())) {
            setStatus(GetLangString(row::kInvalidData));
            display_.errorVisible = true;
            display_.progressVisible = false;
            display_.progressValue = DataUpdateDisplay::kProgressMin;
            FinishForm();
            return;
        }
        setStatus(GetLangString(noNewData_ ? row::kNoNewData : row::kReceived));
        changed();
        ProcessData(noNewData_);
    });
}

void DataUpdateModel::ProcessData(bool noNewData) {
    tarnwick::UpdateHooks hooks;
    hooks.status = [this](std::int32_t row) {
        setStatus(GetLangString(row));
        changed();
    };
    hooks.progress = [this](double share) {
        display_.progressValue =
            DataUpdateDisplay::kProgressMin +
            static_cast<int>(share * (DataUpdateDisplay::kProgressMax - DataUpdateDisplay::kProgressMin));
        changed();
    };
    hooks.enableCancel = [this](bool enabled) {
        display_.cancelEnabled = enabled;
        changed();
    };
    hooks.stoppedPartWay = [this](std::int64_t keptRecords) {
        setStatus(stoppedPartWayText(keptRecords));
        changed();
    };
    hooks.showSuccess = [this] { display_.okVisible = true; };
    hooks.showFailure = [this] { display_.errorVisible = true; };
    hooks.downloadNoteImage = links_.downloadNoteImage;
    if (!hooks.downloadNoteImage) {
        hooks.downloadNoteImage = [this](std::int32_t noteId) {
            return DownloadFile(noteId, tarnwick::gDataServers.at(static_cast<std::size_t>(currentServer_)));
        };
    }
    hooks.openUrl = [this](const std::string& url) {
        if (links_.openUrl) {
            links_.openUrl(QString::fromStdString(url));
        } else {
            QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
        }
    };
    hooks.showMessage = [this](const std::string& text) {
        const QString message = QString::fromStdString(text);
        if (links_.showMessage) {
            links_.showMessage(message);
        } else {
            showMessage(message, ui::MB_ICONINFORMATION, GetLangString(tarnwick::langrow::kMessageCaption));
        }
    };
    hooks.rechart = links_.rechart;
    hooks.finish = [this] { FinishForm(); };
    tarnwick::UpdateStreamProcessor(downloadFile(), std::move(hooks)).ProcessData(noNewData);
}

void DataUpdateModel::FinishForm() {
    Trap(kFinishForm, [&] {
        const bool deleteFile = store::SettingsStore::getBool(QString::fromLatin1(store::kApplication),
                                                              QString::fromLatin1(store::kSection),
                                                              QString::fromLatin1(kDeleteFileKey), true);
        if (deleteFile) {
            std::error_code ignored;
            std::filesystem::remove(downloadFile(), ignored);
        }
        display_.cancelCaption = GetLangString(row::kOK);
        display_.cancelEnabled = true;
        display_.animationClip.clear();
    });
    changed();
}

void DataUpdateModel::resetAnswer() {
    expectedLength_ = 0;
    lengthKnown_ = false;
    noNewData_ = false;
    transferFailed_ = false;
}

void DataUpdateModel::setStatus(const QString& text) {
    display_.status = text;
}

void DataUpdateModel::stepProgress() {
    display_.progressValue = std::min(display_.progressValue + 1, DataUpdateDisplay::kProgressMax);
}

void DataUpdateModel::changed() {
    if (changed_) {
        changed_();
    }
}

}  // namespace frame

#include "frame/notes/NoteImageDownload.h"

#include <QEventLoop>

#include <optional>
#include <system_error>

#include "appdata/AppError.h"
#include "appdata/DataFolder.h"
#include "appdata/InternetSettings.h"
#include "appdata/Trap.h"
#include "net/HttpClient.h"

namespace frame {
namespace {

constexpr const char* kProcName = "DownloadFile";
// A picture shorter than this is no picture.
constexpr std::uintmax_t kShortestPicture = 2;

// The answer's body before it is known to be a picture. Picture files are named by digits alone,
// so this name never stands for one.
std::filesystem::path partialFile(const std::filesystem::path& picture) {
    return picture.parent_path() / (picture.filename().string() + ".download");
}

// Runs one GET to its end. The error of a failed transfer, else nothing.
std::optional<net::HttpError> fetch(net::HttpClient& http) {
    std::optional<net::HttpError> failure;
    bool ended = false;
    QEventLoop loop;
    net::HttpEvents events;
    events.state = [&](net::HttpState state) {
        if (state == net::HttpState::Idle) {
            ended = true;
            loop.quit();
        }
    };
    events.error = [&](const net::HttpError& error) { failure = error; };
    http.setEvents(std::move(events));
    http.get();
    if (!ended)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    http.setEvents({});
    return failure;
}

bool storePicture(std::int32_t noteId, const std::string& server, const std::filesystem::path& part) {
    const std::filesystem::path picture = NoteImageFile(noteId);
    std::filesystem::create_directories(picture.parent_path());
    net::HttpClient http;
    http.setUrl(NoteImageUrl(server, noteId));
    http.setTimeouts({kNoteImageTimeoutMs, kNoteImageTimeoutMs});
    tarnwick::ApplyProxySettings(http);
    http.setBodyFile(QString::fromStdString(part.string()));
    if (const auto failure = fetch(http)) {
        const std::int32_t number =
            failure->code != 0 ? failure->code : tarnwick::errnum::kApplicationDefined;
        throw tarnwick::AppError(number, failure->description.toStdString());
    }
    const std::int32_t status = http.httpStatus();
    if (status < 200 || status > 299)
        throw tarnwick::AppError(status, "The server answered with HTTP status " + std::to_string(status));
    if (std::filesystem::file_size(part) < kShortestPicture)
        return false;
    std::filesystem::rename(part, picture);
    return true;
}

}  // namespace

std::filesystem::path NoteImageFile(std::int32_t noteId) {
    return tarnwick::ProgramFolder() / "Notes" / std::to_string(noteId);
}

QString NoteImageUrl(const std::string& server, std::int32_t noteId) {
    return QStringLiteral("http://") + QString::fromStdString(server) + QStringLiteral("/notes_images/") +
           QString::number(noteId) + QStringLiteral(".gif");
}

bool DownloadFile(std::int32_t noteId, const std::string& server) {
    std::filesystem::path part;
    bool stored = false;
    tarnwick::Trap(kProcName, [&] {
        part = partialFile(NoteImageFile(noteId));
        stored = storePicture(noteId, server, part);
    });
    if (!stored && !part.empty()) {
        std::error_code ignored;
        std::filesystem::remove(part, ignored);
    }
    return stored;
}

}  // namespace frame

#include "net/HttpClient.h"

#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <optional>

namespace net {
namespace {

constexpr std::int32_t kFirstFailingStatus = 400;

bool isWebUrl(const QUrl& url) {
    return url.isValid() && !url.host().isEmpty() &&
           (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"));
}

QByteArray basicCredentials(const QString& userName, const QString& password) {
    return "Basic " + (userName + QLatin1Char(':') + password).toUtf8().toBase64();
}

// Calls an event handler through a copy of it, so that a handler that destroys the client (and with
// it the stored handler) runs to its end.
template <class Handler, class... Args>
void fire(const Handler& handler, const Args&... args) {
    if (handler) {
        Handler copy = handler;
        copy(args...);
    }
}

}  // namespace

bool parseHostAndPort(const QString& hostAndPort, QString& host, std::uint16_t& port) {
    const QString text = hostAndPort.trimmed();
    const qsizetype colon = text.lastIndexOf(QLatin1Char(':'));
    if (colon <= 0) {
        return false;
    }
    bool ok = false;
    const uint value = text.mid(colon + 1).toUInt(&ok);
    if (!ok || value == 0 || value > 65535) {
        return false;
    }
    host = text.left(colon).trimmed();
    port = static_cast<std::uint16_t>(value);
    return !host.isEmpty();
}

struct HttpClient::Impl {
    // Receiver of every connection and queued call of a transfer: destroying it drops them all.
    std::unique_ptr<QObject> context = std::make_unique<QObject>();
    // Deleted later rather than at once, since the client may be destroyed from inside one of the
    // manager's own signals.
    QNetworkAccessManager* manager = new QNetworkAccessManager;
    std::shared_ptr<bool> alive = std::make_shared<bool>(true);

    HttpEvents events;
    QString url;
    HttpTimeouts timeouts;
    QString proxy;
    QString proxyUserName;
    QString proxyPassword;
    QString bodyFile;

    // The transfer in progress; serial tells its events from those of an ended one.
    QNetworkReply* reply = nullptr;
    std::uint64_t serial = 0;
    HttpState state = HttpState::Idle;
    std::unique_ptr<QFile> file;
    QByteArray memory;
    ResponseHeaders headers;
    std::int32_t status = 0;
    std::int64_t received = 0;
    std::optional<HttpError> failure;
    // Ends a transfer that overran its connect or idle limit. Deleted later, like the manager: its
    // own signal may destroy the client.
    QTimer* watchdog = new QTimer;

    Impl() {
        watchdog->setSingleShot(true);
        QObject::connect(watchdog, &QTimer::timeout, context.get(), [this] { timedOut(); });
    }

    ~Impl() {
        endSilently();
        context.reset();
        manager->deleteLater();
        watchdog->deleteLater();
    }

    void endSilently() {
        ++serial;
        watchdog->stop();
        if (reply != nullptr) {
            QObject::disconnect(reply, nullptr, context.get(), nullptr);
            reply->abort();
            reply->deleteLater();
            reply = nullptr;
        }
        file.reset();
        state = HttpState::Idle;
    }

    void start(const QString& userName, const QString& password);
    bool applyProxy();
    bool clearBodyFile();
    bool openBodyFile();
    void connectReply(std::uint64_t transfer);
    void failLater(HttpErrorKind kind, const QString& description);
    void watch(std::int32_t limit);
    void timedOut();
    bool advance(HttpState next);
    void readBody();
    void readHeaders(const QNetworkReply& from);
    void finish();
    HttpError transferError(QNetworkReply& ended) const;
};

void HttpClient::Impl::start(const QString& userName, const QString& password) {
    endSilently();
    headers = {};
    status = 0;
    received = 0;
    memory.clear();
    failure.reset();

    const QUrl target(url, QUrl::StrictMode);
    if (!isWebUrl(target)) {
        failLater(HttpErrorKind::InvalidRequest, QStringLiteral("Invalid URL: ") + url);
        return;
    }
    if (!applyProxy()) {
        failLater(HttpErrorKind::InvalidRequest, QStringLiteral("Invalid proxy server: ") + proxy);
        return;
    }
    if (!clearBodyFile()) {
        failLater(HttpErrorKind::BodyFile, QStringLiteral("Cannot replace ") + bodyFile);
        return;
    }
    QNetworkRequest request(target);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    // Credentials never follow a redirection to another server.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::SameOriginRedirectPolicy);
    if (!userName.isEmpty()) {
        request.setRawHeader("Authorization", basicCredentials(userName, password));
    }
    reply = manager->get(request);
    connectReply(serial);
    watch(timeouts.connect);
    // A reused connection never reports connecting; the state still starts there.
    const std::uint64_t transfer = serial;
    QTimer::singleShot(0, context.get(), [this, transfer] {
        if (transfer == serial && reply != nullptr) {
            advance(HttpState::Connecting);
        }
    });
}

bool HttpClient::Impl::applyProxy() {
    if (proxy.trimmed().isEmpty()) {
        manager->setProxy(QNetworkProxy(QNetworkProxy::NoProxy));
        return true;
    }
    QString host;
    std::uint16_t port = 0;
    if (!parseHostAndPort(proxy, host, port)) {
        return false;
    }
    manager->setProxy(QNetworkProxy(QNetworkProxy::HttpProxy, host, port, proxyUserName, proxyPassword));
    return true;
}

// The body file of the last answer goes before a request starts; it is made again when the answer
// arrives, so a failed request leaves none.
bool HttpClient::Impl::clearBodyFile() {
    return bodyFile.isEmpty() || !QFile::exists(bodyFile) || QFile::remove(bodyFile);
}

bool HttpClient::Impl::openBodyFile() {
    if (file || bodyFile.isEmpty()) {
        return true;
    }
    file = std::make_unique<QFile>(bodyFile);
    return file->open(QIODevice::WriteOnly | QIODevice::Truncate);
}

void HttpClient::Impl::connectReply(std::uint64_t transfer) {
    QObject* ctx = context.get();
    const auto current = [this, transfer] { return transfer == serial && reply != nullptr; };
    QObject::connect(reply, &QNetworkReply::socketStartedConnecting, ctx, [this, current] {
        if (current()) {
            advance(HttpState::Connecting);
        }
    });
    QObject::connect(reply, &QNetworkReply::requestSent, ctx, [this, current] {
        if (current()) {
            watch(timeouts.idle);
        }
        for (const HttpState next : {HttpState::Connected, HttpState::Sending, HttpState::Waiting}) {
            if (!current() || !advance(next)) {
                return;
            }
        }
    });
    QObject::connect(reply, &QNetworkReply::metaDataChanged, ctx, [this, current] {
        if (current()) {
            watch(timeouts.idle);
            readHeaders(*reply);
        }
    });
    QObject::connect(reply, &QNetworkReply::readyRead, ctx, [this, current] {
        if (current()) {
            readBody();
        }
    });
    QObject::connect(reply, &QNetworkReply::finished, ctx, [this, current] {
        if (current()) {
            finish();
        }
    });
}

void HttpClient::Impl::failLater(HttpErrorKind kind, const QString& description) {
    file.reset();
    const std::uint64_t transfer = serial;
    failure = HttpError{kind, 0, description};
    QTimer::singleShot(0, context.get(), [this, transfer] {
        if (transfer != serial) {
            return;
        }
        ++serial;
        const std::weak_ptr<bool> guard = alive;
        const HttpError error = *failure;
        fire(events.error, error);
        if (!guard.expired()) {
            fire(events.state, HttpState::Idle);
        }
    });
}

// (Re)starts the watchdog for the phase the transfer is in; a limit of 0 stops it.
void HttpClient::Impl::watch(std::int32_t limit) {
    if (limit > 0) {
        watchdog->start(limit);
    } else {
        watchdog->stop();
    }
}

void HttpClient::Impl::timedOut() {
    if (reply == nullptr) {
        return;
    }
    const bool connecting =
        static_cast<std::int32_t>(state) < static_cast<std::int32_t>(HttpState::Connected);
    const std::int32_t limit = connecting ? timeouts.connect : timeouts.idle;
    const QString what = connecting ? QStringLiteral("No connection to %1 within %2 ms")
                                    : QStringLiteral("%1 sent nothing for %2 ms");
    failure = HttpError{HttpErrorKind::Network, static_cast<std::int32_t>(QNetworkReply::TimeoutError),
                        what.arg(reply->url().host()).arg(limit)};
    reply->abort();  // finishes the transfer through finish()
}

// States only move forward within a transfer, so a state reported twice is reported once. False when
// the handler destroyed the client.
bool HttpClient::Impl::advance(HttpState next) {
    if (static_cast<std::int32_t>(next) <= static_cast<std::int32_t>(state)) {
        return true;
    }
    state = next;
    const std::weak_ptr<bool> guard = alive;
    fire(events.state, next);
    return !guard.expired();
}

void HttpClient::Impl::readHeaders(const QNetworkReply& from) {
    status = from.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    headers = ResponseHeaders(from.rawHeaderPairs());
}

void HttpClient::Impl::readBody() {
    readHeaders(*reply);
    const QByteArray chunk = reply->readAll();
    if (chunk.isEmpty()) {
        return;
    }
    watch(timeouts.idle);
    received += chunk.size();
    // The body of a refused request is no answer: it is counted but not kept.
    if (status < kFirstFailingStatus) {
        if (!bodyFile.isEmpty()) {
            if (!openBodyFile() || file->write(chunk) != chunk.size()) {
                failure = HttpError{HttpErrorKind::BodyFile, 0, file->errorString()};
                reply->abort();  // finishes the transfer through finish()
                return;
            }
        } else {
            memory += chunk;
        }
    }
    fire(events.progress, received);
}

HttpError HttpClient::Impl::transferError(QNetworkReply& ended) const {
    if (status >= kFirstFailingStatus) {
        const QString reason = ended.attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
        return HttpError{HttpErrorKind::HttpStatus, status,
                         QStringLiteral("HTTP %1 %2").arg(status).arg(reason)};
    }
    if (ended.error() != QNetworkReply::NoError) {
        return HttpError{HttpErrorKind::Network, static_cast<std::int32_t>(ended.error()),
                         ended.errorString()};
    }
    return HttpError{HttpErrorKind::Network, 0, QStringLiteral("The server sent no answer")};
}

void HttpClient::Impl::finish() {
    QNetworkReply* ended = reply;
    if (!failure) {
        readBody();
    }
    watchdog->stop();
    reply = nullptr;
    ++serial;
    state = HttpState::Idle;
    readHeaders(*ended);
    if (!failure &&
        (status >= kFirstFailingStatus || status == 0 || ended->error() != QNetworkReply::NoError)) {
        failure = transferError(*ended);
    }
    // An empty answer still leaves its (empty) file; a failed one leaves nothing, not even a part,
    // in the file or in memory.
    if (!failure && (!openBodyFile() || (file && !file->flush()))) {
        failure = HttpError{HttpErrorKind::BodyFile, 0, file->errorString()};
    }
    if (failure) {
        memory.clear();
        if (file) {
            file->remove();
        }
    }
    file.reset();
    ended->deleteLater();

    const std::weak_ptr<bool> guard = alive;
    if (failure) {
        const HttpError error = *failure;
        fire(events.error, error);
    }
    if (!guard.expired()) {
        fire(events.state, HttpState::Idle);
    }
}

HttpClient::HttpClient() : d_(std::make_unique<Impl>()) {}

HttpClient::~HttpClient() = default;

void HttpClient::setEvents(HttpEvents events) {
    d_->events = std::move(events);
}

void HttpClient::setUrl(const QString& url) {
    d_->url = url;
}

QString HttpClient::url() const {
    return d_->url;
}

void HttpClient::setTimeouts(HttpTimeouts timeouts) {
    d_->timeouts = {std::max<std::int32_t>(timeouts.connect, 0), std::max<std::int32_t>(timeouts.idle, 0)};
}

HttpTimeouts HttpClient::timeouts() const {
    return d_->timeouts;
}

void HttpClient::setProxy(const QString& hostAndPort) {
    d_->proxy = hostAndPort;
}

QString HttpClient::proxy() const {
    return d_->proxy;
}

void HttpClient::setProxyUserName(const QString& userName) {
    d_->proxyUserName = userName;
}

QString HttpClient::proxyUserName() const {
    return d_->proxyUserName;
}

void HttpClient::setProxyPassword(const QString& password) {
    d_->proxyPassword = password;
}

QString HttpClient::proxyPassword() const {
    return d_->proxyPassword;
}

void HttpClient::setBodyFile(const QString& path) {
    d_->bodyFile = path;
}

void HttpClient::get(const QString& userName, const QString& password) {
    d_->start(userName, password);
}

void HttpClient::abort() {
    d_->endSilently();
}

HttpState HttpClient::state() const {
    return d_->state;
}

bool HttpClient::busy() const {
    return d_->reply != nullptr;
}

const ResponseHeaders& HttpClient::headers() const {
    return d_->headers;
}

std::int32_t HttpClient::httpStatus() const {
    return d_->status;
}

QByteArray HttpClient::body() const {
    return d_->memory;
}

}  // namespace net

// The program's HTTP client: one asynchronous GET at a time, optionally with a user name and password
// (Basic authentication) and through an HTTP proxy. It reports its progress through events on the
// user-interface thread:
//
//   state     Connecting (4), Connected (5), Sending (6), Waiting (7), each at most once per transfer
//             and in that order, then Idle (0) exactly once when the transfer has ended, whatever
//             the outcome
//   progress  the count of body bytes received so far, repeatedly while the answer arrives; the
//             answer's headers can be read from the first progress event on
//   error     once, before the final Idle, when the transfer failed: no connection, a broken or
//             timed-out transfer, an HTTP status of 400 or more, or a body that could not be written
//
// The body of each answer goes into the body file when one is set, written fresh for every request,
// else into memory. Only a whole answer is kept: after a failed transfer, a refused request (status
// 400 or more) included, there is no body file and body() is empty. An event handler may start the
// next request (from the final Idle) or destroy the client; destroying it ends a running transfer
// without further events.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

#include "net/ResponseHeaders.h"

namespace net {

enum class HttpState : std::int32_t { Idle = 0, Connecting = 4, Connected = 5, Sending = 6, Waiting = 7 };

enum class HttpErrorKind {
    InvalidRequest,  // the URL or the proxy setting cannot be used
    Network,         // no connection, a broken transfer or the time-out
    HttpStatus,      // the server answered with a status of 400 or more
    BodyFile,        // the body file could not be written
};

struct HttpError {
    HttpErrorKind kind = HttpErrorKind::Network;
    std::int32_t code = 0;  // the HTTP status for HttpStatus, else the transport's error number
    QString description;
};

// Limits of one transfer in milliseconds; 0 waits as long as it takes. A transfer over a limit fails
// as a Network error.
struct HttpTimeouts {
    std::int32_t connect = 0;  // from get() until the request has gone out to the server
    std::int32_t idle = 0;     // from then on, without any part of the answer arriving
};

struct HttpEvents {
    std::function<void(HttpState)> state;
    std::function<void(std::int64_t received)> progress;
    std::function<void(const HttpError&)> error;
};

class HttpClient {
public:
    HttpClient();
    ~HttpClient();
    HttpClient(const HttpClient&) = delete;
    HttpClient& operator=(const HttpClient&) = delete;

    void setEvents(HttpEvents events);

    // Settings taken by the next get().
    void setUrl(const QString& url);
    QString url() const;
    void setTimeouts(HttpTimeouts timeouts);  // negative values count as 0
    HttpTimeouts timeouts() const;
    // "host:port" of an HTTP proxy; empty for a direct connection (the desktop's proxy is never used
    // behind the user's back). The user name and password are offered when the proxy asks for them.
    void setProxy(const QString& hostAndPort);
    QString proxy() const;
    void setProxyUserName(const QString& userName);
    QString proxyUserName() const;
    void setProxyPassword(const QString& password);
    QString proxyPassword() const;
    // The file that receives the body of each answer; empty keeps the body in memory.
    void setBodyFile(const QString& path);

    // Starts a GET of url(); with a user name the request carries Basic credentials. The events of
    // the transfer follow from the event loop, never from inside get(). A transfer still running is
    // ended without events first.
    void get(const QString& userName = {}, const QString& password = {});
    // Ends a running transfer without further events.
    void abort();

    HttpState state() const;
    bool busy() const;
    // Of the last answer (empty before its headers arrive); renewed by every get().
    const ResponseHeaders& headers() const;
    std::int32_t httpStatus() const;  // 0 before the status line arrives
    QByteArray body() const;          // the body kept in memory (no body file)

private:
    struct Impl;
    std::unique_ptr<Impl> d_;
};

// "host:port" split into its parts; false for an empty host or a port outside 1 to 65535.
bool parseHostAndPort(const QString& hostAndPort, QString& host, std::uint16_t& port);

}  // namespace net

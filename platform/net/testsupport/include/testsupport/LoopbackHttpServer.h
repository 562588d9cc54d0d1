// An HTTP/1.1 server on 127.0.0.1 for tests: it records every request it receives and answers each
// with what the test's responder returns, one request per connection. It runs on the test's event
// loop: waitUntil() turns that loop until the test's condition holds.
#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QTcpServer>

#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

namespace testsupport {

using HeaderList = QList<QPair<QByteArray, QByteArray>>;

struct HttpRequestRecord {
    QByteArray method;
    QByteArray target;  // as sent: a path for a server, an absolute URI for a proxy
    QByteArray version;
    HeaderList headers;

    // The value of the first header called `name` (without regard to case); empty when absent.
    QByteArray header(const QByteArray& name) const;
};

struct HttpAnswer {
    int status = 200;
    QByteArray reason = "OK";
    HeaderList headers;
    QByteArray body;
    bool hangUp = false;  // send nothing at all
    // Only this many bytes of the body go out, while Content-Length announces all of it; -1 sends it
    // all.
    qsizetype bodyBytesSent = -1;
    // After what was sent the connection stays open and silent, instead of being closed.
    bool holdOpen = false;
};

// An answer with `body` and `status` (reason "OK" below 400, else "Refused").
HttpAnswer answer(QByteArray body, int status = 200, HeaderList headers = {});
// No answer at all: the connection is closed once the request has arrived.
HttpAnswer hangUp();
// No answer at all, and the connection stays open: a server that never answers.
HttpAnswer silence();
// The status line, the headers and the first `bodyBytes` bytes of `whole`'s body; then the connection
// is closed (a transfer broken part-way) or, with `holdOpen`, stays open and silent (a stalled one).
HttpAnswer cutShort(HttpAnswer whole, qsizetype bodyBytes, bool holdOpen);

class LoopbackHttpServer {
public:
    using Responder = std::function<HttpAnswer(const HttpRequestRecord&)>;

    LoopbackHttpServer();
    ~LoopbackHttpServer();

    quint16 port() const;
    QString hostAndPort() const;  // "127.0.0.1:<port>"
    void setResponder(Responder responder) { responder_ = std::move(responder); }
    void answerWith(HttpAnswer answer);
    const std::vector<HttpRequestRecord>& requests() const { return requests_; }

    // A loopback port on which nothing listens: a connection to it is refused.
    static quint16 closedPort();

private:
    void accept();

    std::unique_ptr<QTcpServer> server_;
    Responder responder_;
    std::vector<HttpRequestRecord> requests_;
};

// A loopback port on which a connection is never completed: the listening socket's queue of
// connections is full and nobody accepts them, so the system drops every further attempt unanswered.
class UnansweredPort {
public:
    UnansweredPort();
    ~UnansweredPort();
    UnansweredPort(const UnansweredPort&) = delete;
    UnansweredPort& operator=(const UnansweredPort&) = delete;

    QString hostAndPort() const;  // "127.0.0.1:<port>"

private:
    int listener_ = -1;
    std::vector<int> fillers_;
    quint16 port_ = 0;
};

// Runs the event loop until `done()` holds or `timeoutMs` has passed; answers done().
bool waitUntil(const std::function<bool()>& done, int timeoutMs = 10000);

// The bytes of `text` with every line ended by CR LF, as the data server writes its streams.
QByteArray crlfLines(std::initializer_list<const char*> lines);

}  // namespace testsupport

#include "testsupport/LoopbackHttpServer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QHostAddress>
#include <QTcpSocket>
#include <QThread>

#include <stdexcept>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace testsupport {
namespace {

constexpr QByteArrayView kHeaderEnd = "\r\n\r\n";

HttpRequestRecord parseRequest(const QByteArray& head) {
    HttpRequestRecord request;
    const QList<QByteArray> lines = head.split('\n');
    const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
    request.method = first.value(0);
    request.target = first.value(1);
    request.version = first.value(2);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        const qsizetype colon = line.indexOf(':');
        if (colon > 0) {
            request.headers.append({line.left(colon).trimmed(), line.mid(colon + 1).trimmed()});
        }
    }
    return request;
}

QByteArray serialize(const HttpAnswer& answer) {
    if (answer.hangUp) {
        return {};
    }
    QByteArray out = "HTTP/1.1 " + QByteArray::number(answer.status) + ' ' + answer.reason + "\r\n";
    for (const auto& [name, value] : answer.headers) {
        out += name + ": " + value + "\r\n";
    }
    out += "Content-Length: " + QByteArray::number(answer.body.size()) + "\r\nConnection: close\r\n\r\n";
    return out + (answer.bodyBytesSent < 0 ? answer.body : answer.body.left(answer.bodyBytesSent));
}

}  // namespace

HttpAnswer answer(QByteArray body, int status, HeaderList headers) {
    HttpAnswer a;
    a.status = status;
    a.reason = status < 400 ? "OK" : "Refused";
    a.headers = std::move(headers);
    a.body = std::move(body);
    return a;
}

HttpAnswer hangUp() {
    HttpAnswer a;
    a.hangUp = true;
    return a;
}

HttpAnswer silence() {
    HttpAnswer a = hangUp();
    a.holdOpen = true;
    return a;
}

HttpAnswer cutShort(HttpAnswer whole, qsizetype bodyBytes, bool holdOpen) {
    whole.bodyBytesSent = bodyBytes;
    whole.holdOpen = holdOpen;
    return whole;
}

QByteArray HttpRequestRecord::header(const QByteArray& name) const {
    for (const auto& [key, value] : headers) {
        if (key.compare(name, Qt::CaseInsensitive) == 0) {
            return value;
        }
    }
    return {};
}

LoopbackHttpServer::LoopbackHttpServer() : server_(std::make_unique<QTcpServer>()) {
    if (!server_->listen(QHostAddress::LocalHost, 0)) {
        throw std::runtime_error("the loopback test server cannot listen");
    }
    QObject::connect(server_.get(), &QTcpServer::newConnection, server_.get(), [this] { accept(); });
}

LoopbackHttpServer::~LoopbackHttpServer() = default;

quint16 LoopbackHttpServer::port() const {
    return server_->serverPort();
}

QString LoopbackHttpServer::hostAndPort() const {
    return QStringLiteral("127.0.0.1:%1").arg(port());
}

void LoopbackHttpServer::answerWith(HttpAnswer answer) {
    responder_ = [answer](const HttpRequestRecord&) { return answer; };
}

void LoopbackHttpServer::accept() {
    while (QTcpSocket* socket = server_->nextPendingConnection()) {
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
            const QByteArray head = socket->peek(socket->bytesAvailable());
            if (head.indexOf(kHeaderEnd) < 0 || socket->property("answered").toBool()) {
                return;
            }
            socket->setProperty("answered", true);
            requests_.push_back(parseRequest(socket->readAll()));
            const HttpAnswer answer = responder_ ? responder_(requests_.back()) : HttpAnswer{};
            socket->write(serialize(answer));
            if (!answer.holdOpen) {
                socket->disconnectFromHost();
            }
        });
    }
}

quint16 LoopbackHttpServer::closedPort() {
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0)) {
        throw std::runtime_error("no free loopback port");
    }
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

UnansweredPort::UnansweredPort() {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        ::listen(listener_, 0) != 0 ||
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        throw std::runtime_error("the unanswered loopback port cannot listen");
    }
    port_ = ntohs(address.sin_port);
    // A queue of length 0 still takes one connection; two more make sure it is full.
    for (int i = 0; i < 3; ++i) {
        const int filler = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
        if (filler < 0) {
            throw std::runtime_error("no socket for the unanswered loopback port");
        }
        ::connect(filler, reinterpret_cast<sockaddr*>(&address), sizeof address);
        fillers_.push_back(filler);
    }
    QThread::msleep(20);  // lets the system complete the connections that fit in the queue
}

UnansweredPort::~UnansweredPort() {
    for (const int filler : fillers_) {
        ::close(filler);
    }
    if (listener_ >= 0) {
        ::close(listener_);
    }
}

QString UnansweredPort::hostAndPort() const {
    return QStringLiteral("127.0.0.1:%1").arg(port_);
}

bool waitUntil(const std::function<bool()>& done, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(1);
    }
    return true;
}

QByteArray crlfLines(std::initializer_list<const char*> lines) {
    QByteArray out;
    for (const char* line : lines) {
        out += QByteArray(line) + "\r\n";
    }
    return out;
}

}  // namespace testsupport

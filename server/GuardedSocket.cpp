#include "server/GuardedSocket.h"

#include "server/ServerHeaders.h"

#include <algorithm>

namespace divisheet {

TGuardedSocket::TGuardedSocket(QObject *parent) : QTcpSocket(parent)
{
    // Connected before the HTTP server connects its own reader, so this sees every read first.
    connect(this, &QTcpSocket::readyRead, this, &TGuardedSocket::count);
    // What the limit refuses is never buffered beyond it.
    setReadBufferSize(4 * kRequestLimit);
    m_idle.setSingleShot(true);
    m_idle.setInterval(std::chrono::minutes(1));
    connect(&m_idle, &QTimer::timeout, this, [this] {
        if (!m_answerPending)
            disconnectFromHost();
    });
    m_idle.start();
}

void TGuardedSocket::requestRead()
{
    m_head = m_body = 0;
    m_headEnded = false;
    m_firstLine.clear();
    m_tail.clear();
}

void TGuardedSocket::setAnswerPending(bool pending)
{
    m_answerPending = pending;
    m_idle.start();
}

void TGuardedSocket::count()
{
    m_idle.start();
    // Inside the HTTP server's read transaction the bytes available are those it has not read.
    const QByteArray fresh = peek(bytesAvailable());
    if (m_refused) {
        skip(fresh.size());
        return;
    }
    if (m_firstLine.size() < kRequestLimit && !m_firstLine.contains('\n'))
        m_firstLine += fresh.left(kRequestLimit);
    if (!m_headEnded) {
        const QByteArray seen = m_tail + fresh;
        qsizetype end = seen.indexOf("\r\n\r\n");
        end = end >= 0 ? end + 4 : seen.indexOf("\n\n") >= 0 ? seen.indexOf("\n\n") + 2 : -1;
        if (end >= 0) {
            m_headEnded = true;
            const qsizetype headPart = end - m_tail.size();
            m_head += headPart;
            m_body += fresh.size() - headPart;
        } else {
            m_head += fresh.size();
            m_tail = seen.right(3);
        }
    } else {
        m_body += fresh.size();
    }
    if (m_head > kRequestLimit)
        refuse(431);
    else if (m_head + m_body > kRequestLimit)
        refuse(413);
}

void TGuardedSocket::refuse(int status)
{
    m_refused = true;
    const QByteArray body = status == 431 ? "request line and headers over 8 KiB\n" : "request over 8 KiB\n";
    const QByteArray reason = status == 431 ? "Request Header Fields Too Large" : "Payload Too Large";
    const QByteArray response = plainResponse(status, reason, body);
    write(response);
    emit refusedRequest(status, m_firstLine.left(m_firstLine.indexOf('\n')).trimmed(), body.size());
    // The rest of the request is read and dropped until the response is out and the line closed.
    skip(bytesAvailable());
    disconnectFromHost();
}

std::vector<QPointer<TGuardedSocket>> TGuardedTcpServer::connections() const
{
    std::vector<QPointer<TGuardedSocket>> open;
    std::copy_if(m_connections.begin(), m_connections.end(), std::back_inserter(open),
                 [](const QPointer<TGuardedSocket> &socket) { return !socket.isNull(); });
    return open;
}

void TGuardedTcpServer::incomingConnection(qintptr descriptor)
{
    auto *socket = new TGuardedSocket(this);
    if (!socket->setSocketDescriptor(descriptor)) {
        delete socket;
        return;
    }
    std::erase_if(m_connections, [](const QPointer<TGuardedSocket> &gone) { return gone.isNull(); });
    m_connections.emplace_back(socket);
    emit connectionMade(socket);
    addPendingConnection(socket);
}

QByteArray plainResponse(int status, const QByteArray &reason, const QByteArray &body)
{
    QByteArray response = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason + "\r\n";
    for (const auto &[name, value] : commonHeaders())
        response += name + ": " + value + "\r\n";
    response += "Content-Type: text/plain; charset=utf-8\r\nConnection: close\r\nContent-Length: "
        + QByteArray::number(body.size()) + "\r\n\r\n" + body;
    return response;
}

} // namespace divisheet

#pragma once

#include <QByteArray>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <vector>

namespace divisheet {

// A connection that counts what a request sends before the HTTP server buffers it: a head
// (request line and headers) over kRequestLimit bytes is refused with 431, a whole request
// over it with 413, at once and without reading the rest, so that no request can fill the
// server's memory. A connection idle for a minute with nothing in hand is closed.
class TGuardedSocket : public QTcpSocket
{
    Q_OBJECT

public:
    static constexpr qsizetype kRequestLimit = 8 * 1024;

    explicit TGuardedSocket(QObject *parent = nullptr);

    // The server has the whole request: the next one starts from nothing.
    void requestRead();
    // Whether a response is still to come (the idle close waits for it).
    void setAnswerPending(bool pending);
    // The request was refused here; the server must not answer it again.
    bool refused() const { return m_refused; }

signals:
    // Refused with `status`; `firstLine` is the request line as far as it came.
    void refusedRequest(int status, const QByteArray &firstLine, qint64 bytes);

private:
    void count();
    void refuse(int status);

    qsizetype m_head = 0; // bytes of the head so far, or of the whole head once it ended
    qsizetype m_body = 0;
    bool m_headEnded = false;
    bool m_refused = false;
    bool m_answerPending = false;
    QByteArray m_firstLine;
    QByteArray m_tail; // the last bytes seen, for an end of head split between reads
    QTimer m_idle;
};

// A TCP server whose connections are TGuardedSocket; it keeps them to close at the end.
class TGuardedTcpServer : public QTcpServer
{
    Q_OBJECT

public:
    using QTcpServer::QTcpServer;

    std::vector<QPointer<TGuardedSocket>> connections() const;

signals:
    void connectionMade(TGuardedSocket *socket);

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    std::vector<QPointer<TGuardedSocket>> m_connections;
};

// The bytes of a plain response written straight to a socket, with the headers every
// response of the server has.
QByteArray plainResponse(int status, const QByteArray &reason, const QByteArray &body);

} // namespace divisheet

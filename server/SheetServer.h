#pragma once

#include "server/SheetJobs.h"

#include <QAbstractHttpServer>
#include <QHostAddress>
#include <QPointer>

#include <memory>

class QHttpServerResponder;

namespace divisheet {

class TGuardedTcpServer;

// The worksheet server: the web page, its files, the PDF of a request's sheets, the picture
// of its first problems page and a health check, each answered from what the request says
// alone. Sheets are made by TSheetJobs. Every response carries commonHeaders(); each request
// leaves one line on stderr: method, path and query (a title's text left out), status,
// bytes of the body and milliseconds.
class TSheetServer : public QAbstractHttpServer
{
    Q_OBJECT

public:
    static constexpr int kQueueLimit = 64;
    static constexpr std::chrono::seconds kTimeout{30};

    explicit TSheetServer(int workers, QObject *parent = nullptr);
    ~TSheetServer() override;

    // Starts listening; false with the reason in `error`.
    bool listenOn(const QHostAddress &address, quint16 port, QString *error);
    // Takes no more connections, answers the requests in hand, closes the connections once
    // their responses are out, then says drained().
    void stop();

signals:
    void drained();

protected:
    bool handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) override;
    void missingHandler(const QHttpServerRequest &request, QTcpSocket *socket) override;

private:
    struct Exchange;
    void route(const std::shared_ptr<Exchange> &exchange, const QHttpServerRequest &request);
    void makeSheets(const std::shared_ptr<Exchange> &exchange, const QHttpServerRequest &request,
                    TSheetJobs::Kind kind);
    void closeWhenFlushed();

    TSheetJobs m_jobs;
    QPointer<TGuardedTcpServer> m_listener;
    bool m_stopping = false;
};

} // namespace divisheet

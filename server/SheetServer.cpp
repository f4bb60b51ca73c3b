#include "server/SheetServer.h"

#include "server/GuardedSocket.h"
#include "server/ServerHeaders.h"
#include "server/SheetQuery.h"
#include "sheet/ProblemClasses.h"
#include "sheet/Sheet.h"

#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMetaEnum>
#include <QRegularExpression>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QTimer>
#include <QUrlQuery>

#include <cstdio>

namespace divisheet {

using namespace Qt::Literals::StringLiterals;
using Status = QHttpServerResponder::StatusCode;
using Header = std::pair<QByteArray, QByteArray>;
using Headers = QList<Header>;

// One request being answered: where the answer goes and what its log line says.
struct TSheetServer::Exchange
{
    QPointer<QTcpSocket> socket;
    std::unique_ptr<QHttpServerResponder> responder;
    QByteArray method;
    QString path;   // for the log: the path and query, a title's text left out
    bool japanese = false;
    bool closing = false;
    QElapsedTimer clock;

    void respond(Status status, const QByteArray &type, const QByteArray &body, Headers headers = {});
    void respondText(Status status, const QString &text, Headers headers = {})
    {
        respond(status, "text/plain; charset=utf-8", text.toUtf8() + '\n', std::move(headers));
    }
};

void TSheetServer::Exchange::respond(Status status, const QByteArray &type, const QByteArray &body, Headers headers)
{
    if (!responder)
        return; // answered already
    headers += commonHeaders();
    headers.append(Header("Content-Type", type));
    headers.append(Header("Content-Length", QByteArray::number(body.size())));
    if (closing)
        headers.append(Header("Connection", "close"));
    if (socket && socket->state() == QAbstractSocket::ConnectedState) {
        responder->writeStatusLine(status);
        for (const auto &[name, value] : std::as_const(headers))
            responder->writeHeader(name, value);
        responder->writeBody(body);
        if (auto *guarded = qobject_cast<TGuardedSocket *>(socket.data()))
            guarded->setAnswerPending(false);
        if (closing)
            socket->disconnectFromHost();
    }
    responder.reset();
    std::fprintf(stderr, "%s %s %d %lld bytes %lld ms\n", method.constData(), qPrintable(path), int(status),
                 qlonglong(body.size()), qlonglong(clock.elapsed()));
}

namespace {

// The path and query as sent, with the title's own text replaced: what a teacher titles a
// sheet is the teacher's, not the log's.
QString loggedPath(const QUrl &url)
{
    QUrlQuery query(url);
    if (query.hasQueryItem(u"title"_s)) {
        const QList<std::pair<QString, QString>> items = query.queryItems(QUrl::FullyEncoded);
        query.clear();
        for (const auto &[name, value] : items)
            query.addQueryItem(name, name == u"title" ? u"-"_s : value);
    }
    const QString text = query.toString(QUrl::FullyEncoded);
    return url.path(QUrl::FullyEncoded) + (text.isEmpty() ? QString() : u'?' + text);
}

// The page and its files, compiled in: nothing the page needs comes from elsewhere.
struct PageFile
{
    QString path;
    QString resource;
    QByteArray type;
};

const std::vector<PageFile> &pageFiles()
{
    static const std::vector<PageFile> files = {
        {u"/"_s, u":/web/index.html"_s, "text/html; charset=utf-8"},
        {u"/app.js"_s, u":/web/app.js"_s, "text/javascript; charset=utf-8"},
        {u"/style.css"_s, u":/web/style.css"_s, "text/css; charset=utf-8"},
    };
    return files;
}

// The classes the page offers and which quotient classes go with each divisor class, from
// the rule table; a fixed divisor is "fixed".
QByteArray classesJson()
{
    QJsonArray divisors;
    QJsonObject allowed;
    for (const DivisorClass d : allDivisorClasses) {
        const QString name = d == DivisorClass::Fixed ? u"fixed"_s : divisorClassName(d, 0);
        if (d != DivisorClass::Fixed)
            divisors.append(name);
        QJsonArray quotients;
        for (const QuotientClass q : allQuotientClasses) {
            if (isAllowedCombination(q, d))
                quotients.append(quotientClassName(q));
        }
        allowed.insert(name, quotients);
    }
    return QJsonDocument(QJsonObject{{u"divisors"_s, divisors}, {u"allowed"_s, allowed}}).toJson(QJsonDocument::Compact);
}

QByteArray attachmentHeader(const QString &code)
{
    QString safe = code;
    safe.remove(QRegularExpression(u"[^0-9A-Z-]"_s));
    const QString name = pdfFileName(safe);
    return "attachment; filename=\"warizan-" + safe.toLatin1() + ".pdf\"; filename*=UTF-8''"
        + QUrl::toPercentEncoding(name);
}

} // namespace

TSheetServer::TSheetServer(int workers, QObject *parent)
    : QAbstractHttpServer(parent), m_jobs(workers, kQueueLimit, kTimeout)
{
}

TSheetServer::~TSheetServer() = default;

bool TSheetServer::listenOn(const QHostAddress &address, quint16 port, QString *error)
{
    auto *listener = new TGuardedTcpServer(this);
    if (!listener->listen(address, port)) {
        *error = listener->errorString();
        delete listener;
        return false;
    }
    m_listener = listener;
    connect(listener, &TGuardedTcpServer::connectionMade, this, [](TGuardedSocket *socket) {
        connect(socket, &TGuardedSocket::refusedRequest, socket, [](int status, const QByteArray &line, qint64 bytes) {
            const QList<QByteArray> words = line.split(' ');
            const QString path = words.size() > 1 ? loggedPath(QUrl::fromEncoded(words[1])) : u"-"_s;
            std::fprintf(stderr, "%s %s %d %lld bytes 0 ms\n", words[0].left(16).toPercentEncoding().constData(),
                         qPrintable(path), status, qlonglong(bytes));
        });
    });
    bind(listener);
    return true;
}

bool TSheetServer::handleRequest(const QHttpServerRequest &request, QTcpSocket *socket)
{
    auto *guarded = qobject_cast<TGuardedSocket *>(socket);
    if (guarded && guarded->refused())
        return true;
    if (guarded)
        guarded->requestRead();
    auto exchange = std::make_shared<Exchange>();
    exchange->clock.start();
    exchange->socket = socket;
    exchange->responder = std::make_unique<QHttpServerResponder>(makeResponder(request, socket));
    exchange->method = QMetaEnum::fromType<QHttpServerRequest::Method>().valueToKey(int(request.method()));
    exchange->method = exchange->method.toUpper();
    exchange->path = loggedPath(request.url());
    exchange->japanese = prefersJapanese(request.value("accept-language"));
    exchange->closing = m_stopping;
    route(exchange, request);
    return true;
}

void TSheetServer::missingHandler(const QHttpServerRequest &request, QTcpSocket *socket)
{
    // Every request reaches handleRequest(), which answers it; this is the library's fallback.
    QHttpServerResponder responder = makeResponder(request, socket);
    responder.write(Status::NotFound);
}

void TSheetServer::route(const std::shared_ptr<Exchange> &exchange, const QHttpServerRequest &request)
{
    qsizetype head = request.url().toEncoded().size();
    for (const auto &[name, value] : request.headers())
        head += name.size() + value.size() + 4;
    if (head > TGuardedSocket::kRequestLimit)
        return exchange->respondText(Status::RequestHeaderFieldsTooLarge, u"request line and headers over 8 KiB"_s);
    if (request.body().size() > TGuardedSocket::kRequestLimit)
        return exchange->respondText(Status::PayloadTooLarge, u"request over 8 KiB"_s);

    const QString path = request.url().path();
    static const QStringList api = {u"/healthz"_s, u"/api/sheets.pdf"_s, u"/api/preview.png"_s, u"/api/classes.json"_s};
    const auto file = std::find_if(pageFiles().begin(), pageFiles().end(), [&path](const PageFile &f) { return f.path == path; });
    if (!api.contains(path) && file == pageFiles().end())
        return exchange->respondText(Status::NotFound, exchange->japanese ? u"ページがありません"_s : u"not found"_s);
    if (request.method() != QHttpServerRequest::Method::Get)
        return exchange->respondText(Status::MethodNotAllowed, u"only GET"_s, {{"Allow", "GET"}});
    if (path == u"/healthz")
        return exchange->respond(Status::Ok, "text/plain; charset=utf-8", "ok");
    if (path == u"/api/classes.json")
        return exchange->respond(Status::Ok, "application/json", classesJson());
    if (file != pageFiles().end()) {
        QFile resource(file->resource);
        resource.open(QIODevice::ReadOnly);
        return exchange->respond(Status::Ok, file->type, resource.readAll());
    }
    if (m_stopping) {
        exchange->closing = true;
        return exchange->respondText(Status::ServiceUnavailable, u"stopping"_s, {{"Retry-After", "5"}});
    }
    makeSheets(exchange, request, path == u"/api/sheets.pdf" ? TSheetJobs::Kind::Pdf : TSheetJobs::Kind::Png);
}

void TSheetServer::makeSheets(const std::shared_ptr<Exchange> &exchange, const QHttpServerRequest &request,
                              TSheetJobs::Kind kind)
{
    const QList<std::pair<QString, QString>> items = request.query().queryItems(QUrl::FullyDecoded);
    const SheetQuery query = readSheetQuery({items.begin(), items.end()});
    if (!query.ok())
        return exchange->respondText(Status::BadRequest, queryErrorText(query, exchange->japanese));
    const bool queued = m_jobs.submit(kind, query.arguments, [exchange, kind](const JobResult &result) {
        switch (result.outcome) {
        case JobResult::Outcome::Done:
            if (kind == TSheetJobs::Kind::Pdf)
                return exchange->respond(Status::Ok, "application/pdf", result.body,
                                         {{"Content-Disposition", attachmentHeader(result.code)}});
            return exchange->respond(Status::Ok, "image/png", result.body,
                                     {{"Cache-Control", "no-store"}, {"X-Sheet-Code", result.code.toLatin1()}});
        case JobResult::Outcome::Refused:
            return exchange->respondText(Status::BadRequest, result.message);
        case JobResult::Outcome::TimedOut:
            std::fprintf(stderr, "divisheet: %s: %s\n", qPrintable(exchange->path), qPrintable(result.message));
            return exchange->respondText(Status::GatewayTimeout, exchange->japanese
                                             ? u"30秒以内に作れませんでした"_s : u"the sheets took over 30 s"_s);
        case JobResult::Outcome::Failed:
            break;
        }
        std::fprintf(stderr, "divisheet: %s: %s\n", qPrintable(exchange->path), qPrintable(result.message));
        exchange->respondText(Status::InternalServerError,
                              exchange->japanese ? u"プリントを作れませんでした"_s : u"the sheets could not be made"_s);
    });
    if (!queued)
        return exchange->respondText(Status::ServiceUnavailable,
                                     exchange->japanese ? u"混み合っています。少し待ってからもう一度"_s
                                                        : u"busy; try again in a few seconds"_s,
                                     {{"Retry-After", "5"}});
    if (auto *guarded = qobject_cast<TGuardedSocket *>(exchange->socket.data()))
        guarded->setAnswerPending(true);
}

void TSheetServer::stop()
{
    if (m_stopping)
        return;
    m_stopping = true;
    if (m_listener)
        m_listener->close();
    if (m_jobs.inHand() == 0)
        closeWhenFlushed();
    else
        connect(&m_jobs, &TSheetJobs::idle, this, &TSheetServer::closeWhenFlushed);
}

void TSheetServer::closeWhenFlushed()
{
    // A connection closes once what is written to it is sent; after five seconds the rest go too.
    QElapsedTimer waited;
    waited.start();
    auto *poll = new QTimer(this);
    connect(poll, &QTimer::timeout, this, [this, poll, waited] {
        bool open = false;
        if (m_listener) {
            for (const QPointer<TGuardedSocket> &socket : m_listener->connections()) {
                if (socket && socket->state() != QAbstractSocket::UnconnectedState) {
                    socket->disconnectFromHost();
                    open = true;
                }
            }
        }
        if (!open || waited.elapsed() > 5000) {
            poll->stop();
            emit drained();
        }
    });
    poll->start(20);
}

} // namespace divisheet

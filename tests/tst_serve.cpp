// divisheet serve, talked to over HTTP as a browser would: refusals that name their
// parameter, the status of every other kind of request, served sheets that are the command
// line's, the preview, the access log, and a stop that answers the request in hand.

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString program = QStringLiteral(DIVISHEET_EXECUTABLE);

struct Reply
{
    int status = 0;
    QByteArray body;
    QNetworkReply::NetworkError error = QNetworkReply::NoError;
    QMap<QByteArray, QByteArray> headers; // names in lower case
};

QString pdfText(const QString &pdf)
{
    QProcess process;
    process.start(u"pdftotext"_s, {u"-enc"_s, u"UTF-8"_s, pdf, u"-"_s});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    QFile file(dir.filePath(name));
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return file.fileName();
}

} // namespace

class TestServe : public QObject
{
    Q_OBJECT

    QProcess m_server;
    QByteArray m_log; // what the server wrote on stderr
    QString m_base;
    QNetworkAccessManager m_network;
    QTemporaryDir m_dir;

    Reply get(const QString &target, const QByteArray &language = {}, const QByteArray &method = "GET",
              const QByteArray &body = {})
    {
        QNetworkRequest request(QUrl::fromEncoded((m_base + target).toUtf8()));
        if (!language.isEmpty())
            request.setRawHeader("Accept-Language", language);
        QNetworkReply *reply = m_network.sendCustomRequest(request, method, body);
        QSignalSpy finished(reply, &QNetworkReply::finished);
        if (!reply->isFinished())
            finished.wait(60000);
        Reply result{reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), reply->readAll(), reply->error(), {}};
        for (const auto &[name, value] : reply->rawHeaderPairs())
            result.headers[name.toLower()] = value;
        reply->deleteLater();
        return result;
    }

    // The code printed on the first page of a served PDF, without its "#".
    static QString firstCode(const QString &pdf)
    {
        return QRegularExpression(u"#([0-9A-Z-]+)"_s).match(pdfText(pdf)).captured(1);
    }

private slots:
    void initTestCase()
    {
        QTcpServer probe; // a port that is free now
        QVERIFY(probe.listen(QHostAddress::LocalHost));
        const quint16 port = probe.serverPort();
        probe.close();
        m_base = u"http://127.0.0.1:%1"_s.arg(port);
        connect(&m_server, &QProcess::readyReadStandardError, this, [this] { m_log += m_server.readAllStandardError(); });
        m_server.start(program, {u"serve"_s, u"--listen"_s, u"127.0.0.1:%1"_s.arg(port), u"--workers"_s, u"2"_s});
        QTRY_VERIFY_WITH_TIMEOUT(m_log.contains("serving http://127.0.0.1:"), 10000);
    }

    void badParameter_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<QString>("expected"); // a part of the message, which names the parameter
        const QString longTitle = QString(41, u'あ');
        QTest::newRow("fixed 0") << u"divisor=fixed:0"_s << QByteArray() << u"divisor: divisor fixed:0: a fixed divisor must be 1 to 9"_s;
        QTest::newRow("divisor class") << u"divisor=1..99"_s << QByteArray() << u"divisor: divisor 1..99: unknown divisor class"_s;
        QTest::newRow("quotient class") << u"quotient=1..999"_s << QByteArray() << u"quotient: quotient 1..999: unknown quotient class"_s;
        QTest::newRow("combination") << u"divisor=1000..9999&quotient=10..90"_s << QByteArray() << u"quotient class 10..90 does not go with"_s;
        QTest::newRow("remainder 2") << u"remainder=2"_s << QByteArray() << u"remainder: remainder=2: use 1 (on) or 0 (off)"_s;
        QTest::newRow("frames yes") << u"frames=yes"_s << QByteArray() << u"frames: frames=yes: use 1"_s;
        QTest::newRow("answers empty") << u"answers="_s << QByteArray() << u"answers: answers=: use 1"_s;
        QTest::newRow("sheets 0") << u"sheets=0"_s << QByteArray() << u"sheets: sheets 0: the number of sheets must be 1 to 100"_s;
        QTest::newRow("sheets 101") << u"sheets=101"_s << QByteArray() << u"sheets: sheets 101: the number of sheets must be 1 to 100"_s;
        QTest::newRow("sheets empty") << u"sheets="_s << QByteArray() << u"sheets: sheets needs a value"_s;
        QTest::newRow("numbered true") << u"numbered=true"_s << QByteArray() << u"numbered: numbered=true"_s;
        QTest::newRow("score on") << u"score=on"_s << QByteArray() << u"score: score=on"_s;
        QTest::newRow("title 41") << u"title="_s + longTitle << QByteArray() << u"title: title: a title may have at most 40 characters"_s;
        QTest::newRow("title control") << u"title=a%01b"_s << QByteArray() << u"title: the value has a control character"_s;
        QTest::newRow("more 2") << u"more=2"_s << QByteArray() << u"more: more=2"_s;
        QTest::newRow("code malformed") << u"code=12U45-67890"_s << QByteArray() << u"code: code 12U45-67890: malformed sheet code"_s;
        QTest::newRow("code with settings") << u"code=60B18-NS2T0-00E&frames=0"_s << QByteArray() << u"code: code brings back one sheet with its own settings; it cannot be combined with frames=0"_s;
        QTest::newRow("zero in quotient") << u"zero-in-quotient=some"_s << QByteArray() << u"zero-in-quotient: zero-in-quotient some: use all or none"_s;
        QTest::newRow("zero in one digit") << u"zero-in-quotient=all"_s << QByteArray() << u"zero-in-quotient: zero-in-quotient all: a quotient of 1..9 has one digit"_s;
        QTest::newRow("late start") << u"late-start=often"_s << QByteArray() << u"late-start: late-start often: use all or none"_s;
        QTest::newRow("corrections") << u"corrections=3"_s << QByteArray() << u"corrections: corrections 3: use 0, 1, 2+ or from9"_s;
        QTest::newRow("estimate") << u"divisor=11..99&corrections=1&estimate=ceil"_s << QByteArray() << u"estimate: estimate ceil: use round or floor"_s;
        QTest::newRow("mixed 2") << u"mixed-remainder=2"_s << QByteArray() << u"mixed-remainder: mixed-remainder=2"_s;
        QTest::newRow("mixed with remainder") << u"mixed-remainder=1&remainder=1"_s << QByteArray() << u"mixed-remainder: mixed-remainder mixes"_s;
        QTest::newRow("dividend digits") << u"dividend-digits=6"_s << QByteArray() << u"dividend-digits: dividend-digits 6: a dividend has 1 to 5 digits"_s;
        QTest::newRow("unknown") << u"colour=red"_s << QByteArray() << u"colour: unknown parameter"_s;
        QTest::newRow("twice") << u"sheets=1&sheets=2"_s << QByteArray() << u"sheets: the parameter is given twice"_s;
        QTest::newRow("ja value") << u"sheets=0"_s << "ja,en;q=0.8"_ba << u"パラメーター「sheets」の値は使えません"_s;
        QTest::newRow("ja unknown") << u"colour=red"_s << "ja-JP"_ba << u"パラメーター「colour」はありません"_s;
        QTest::newRow("english preferred") << u"sheets=0"_s << "en;q=0.9,ja;q=0.5"_ba << u"sheets: sheets 0"_s;
    }

    void badParameter()
    {
        QFETCH(QString, query);
        QFETCH(QByteArray, language);
        QFETCH(QString, expected);
        for (const QString &path : {u"/api/sheets.pdf?"_s, u"/api/preview.png?"_s}) {
            const Reply reply = get(path + query, language);
            QCOMPARE(reply.status, 400);
            QCOMPARE(reply.headers.value("content-type"), "text/plain; charset=utf-8"_ba);
            QVERIFY2(QString::fromUtf8(reply.body).contains(expected), reply.body.constData());
        }
    }

    void status_data()
    {
        QTest::addColumn<QByteArray>("method");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("status");
        QTest::newRow("health") << "GET"_ba << u"/healthz"_s << QByteArray() << 200;
        QTest::newRow("unknown path") << "GET"_ba << u"/etc/passwd"_s << QByteArray() << 404;
        QTest::newRow("dot segments") << "GET"_ba << u"/api/../../healthz.pdf"_s << QByteArray() << 404;
        QTest::newRow("post") << "POST"_ba << u"/api/sheets.pdf"_s << "sheets=1"_ba << 405;
        QTest::newRow("delete") << "DELETE"_ba << u"/healthz"_s << QByteArray() << 405;
        QTest::newRow("url of 9000 bytes") << "GET"_ba << u"/api/sheets.pdf?title="_s + QString(9000, u'x') << QByteArray() << 431;
        QTest::newRow("body of 9000 bytes") << "POST"_ba << u"/api/sheets.pdf"_s << QByteArray(9000, 'x') << 413;
    }

    void status()
    {
        QFETCH(QByteArray, method);
        QFETCH(QString, target);
        QFETCH(QByteArray, body);
        QFETCH(int, status);
        const Reply reply = get(target, {}, method, body);
        QCOMPARE(reply.status, status);
        QCOMPARE(reply.headers.value("content-security-policy"), "default-src 'self'"_ba);
        QCOMPARE(reply.headers.value("x-content-type-options"), "nosniff"_ba);
        if (status == 200)
            QCOMPARE(reply.body, "ok"_ba);
    }

    // A served class set's first sheet is the one its code makes on the command line, and the
    // file is named after that code.
    void servedCodeOnCommandLine()
    {
        const Reply reply = get(u"/api/sheets.pdf?divisor=10..90&quotient=11..99&remainder=1&sheets=2&numbered=1"_s);
        QCOMPARE(reply.status, 200);
        QCOMPARE(reply.headers.value("content-type"), "application/pdf"_ba);
        const QString served = writeFile(m_dir, u"served.pdf"_s, reply.body);
        const QString code = firstCode(served);
        QVERIFY(!code.isEmpty());
        QCOMPARE(reply.headers.value("content-disposition"),
                 "attachment; filename=\"warizan-" + code.toLatin1() + ".pdf\"; filename*=UTF-8''%E3%82%8F%E3%82%8A%E7%AE%97-"
                     + code.toLatin1() + ".pdf");
        const QString again = m_dir.filePath(u"again.pdf"_s);
        QCOMPARE(QProcess::execute(program, {u"--pdf"_s, again, u"--code"_s, code}), 0);
        const QStringList servedPages = pdfText(served).split(u'\f');
        const QStringList pages = pdfText(again).split(u'\f');
        QCOMPARE(pages.value(0), servedPages.value(0)); // problems page of sheet 1
        QCOMPARE(pages.value(1), servedPages.value(2)); // its answers page, after sheet 2's problems page
    }

    // A code's request gives the command line's pages of that code, the same bytes every time.
    void codeRequest()
    {
        const QString code = u"60B18-NS2T0-00E"_s;
        const Reply first = get(u"/api/sheets.pdf?code="_s + code + u"&title=%E3%81%B2%E3%81%BF%E3%81%A4"_s);
        const Reply second = get(u"/api/sheets.pdf?code="_s + code + u"&title=%E3%81%B2%E3%81%BF%E3%81%A4"_s);
        QCOMPARE(first.status, 200);
        QVERIFY(first.body == second.body);
        const QString made = m_dir.filePath(u"code.pdf"_s);
        QCOMPARE(QProcess::execute(program, {u"--pdf"_s, made, u"--code"_s, code, u"--title"_s, u"ひみつ"_s}), 0);
        QCOMPARE(pdfText(writeFile(m_dir, u"served-code.pdf"_s, first.body)), pdfText(made));
        // The access log has the request without the title's text.
        QTRY_VERIFY(m_log.contains("GET /api/sheets.pdf?code=" + code.toLatin1() + "&title=- 200 "
                                   + QByteArray::number(first.body.size()) + " bytes "));
        QVERIFY(!m_log.contains("%E3%81%B2") && !m_log.contains("ひみつ"));
    }

    void preview()
    {
        const Reply reply = get(u"/api/preview.png?divisor=11..99&quotient=10..90&remainder=1"_s);
        QCOMPARE(reply.status, 200);
        QCOMPARE(reply.headers.value("content-type"), "image/png"_ba);
        const QImage image = QImage::fromData(reply.body, "PNG");
        QCOMPARE(image.width(), 1000);
        QCOMPARE(image.height(), 1000 * 766 / 1036);
        QVERIFY(reply.headers.value("x-sheet-code").startsWith('#'));
    }

    // SIGTERM while a class set is made: its answer still comes, then the server ends with 0.
    void cleanupTestCase()
    {
        QNetworkReply *reply = m_network.get(QNetworkRequest(QUrl(m_base + u"/api/sheets.pdf?sheets=30"_s)));
        QTRY_VERIFY(m_log.contains("GET /etc/passwd")); // the access log of earlier requests is in
        QTest::qWait(200);
        ::kill(pid_t(m_server.processId()), SIGTERM);
        QSignalSpy finished(reply, &QNetworkReply::finished);
        QVERIFY(reply->isFinished() || finished.wait(60000));
        QCOMPARE(reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), 200);
        QVERIFY(m_server.waitForFinished(10000));
        QCOMPARE(m_server.exitStatus(), QProcess::NormalExit);
        QCOMPARE(m_server.exitCode(), 0);
        delete reply;
    }
};

QTEST_GUILESS_MAIN(TestServe)
#include "tst_serve.moc"

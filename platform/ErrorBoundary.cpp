#include "platform/ErrorBoundary.h"

#include "platform/Errors.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

#include <new>

namespace divisheet {

namespace {

void showInMessageBox(const QString &message)
{
    QWidget *parent = QApplication::activeWindow();
    QMessageBox::critical(parent, QApplication::applicationDisplayName(), message);
}

MessageSink &currentSink()
{
    static MessageSink sink = showInMessageBox;
    return sink;
}

int handlerDepth = 0;

} // namespace

MessageSink setMessageSink(MessageSink sink)
{
    MessageSink previous = std::move(currentSink());
    currentSink() = sink ? std::move(sink) : MessageSink(showInMessageBox);
    return previous;
}

void showErrorMessage(const QString &message)
{
    currentSink()(message);
}

bool insideHandler()
{
    return handlerDepth > 0;
}

QString messageOf(const std::exception_ptr &error)
{
    try {
        std::rethrow_exception(error);
    } catch (const EDivisheetError &e) {
        return e.message();
    } catch (const std::bad_alloc &) {
        return QStringLiteral("メモリが足りません");
    } catch (const std::exception &e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("不明なエラー");
    }
}

void runHandler(const std::function<void()> &handler)
{
    if (handlerDepth > 0) {
        handler(); // nested: the outer handler's boundary decides
        return;
    }
    struct DepthGuard {
        DepthGuard() { ++handlerDepth; }
        ~DepthGuard() { --handlerDepth; }
    };
    QString message;
    try {
        DepthGuard guard;
        handler();
        return;
    } catch (...) {
        message = messageOf(std::current_exception());
    }
    // Shown after the handler has unwound, so the message box's own event loop never
    // runs inside a half-finished handler.
    showErrorMessage(message);
}

} // namespace divisheet

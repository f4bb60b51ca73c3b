#include "platform/ErrorBoundary.h"

#include "platform/Errors.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

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
    } catch (const EDivisheetError &error) {
        message = error.message();
    } catch (const std::bad_alloc &) {
        message = QStringLiteral("メモリが足りません");
    } catch (const std::exception &error) {
        message = QString::fromUtf8(error.what());
    }
    // Shown after the handler has unwound, so the message box's own event loop never
    // runs inside a half-finished handler.
    showErrorMessage(message);
}

} // namespace divisheet

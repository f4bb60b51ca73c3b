#pragma once

#include <QString>

#include <exception>
#include <functional>

namespace divisheet {

// Where the message of an error that ended a handler goes. By default a modal
// critical message box over the active window; tests install their own sink so that
// no dialog blocks them.
using MessageSink = std::function<void(const QString &message)>;
MessageSink setMessageSink(MessageSink sink); // returns the previous sink
void showErrorMessage(const QString &message);

// Runs one event handler. An error raised inside it ends it; at the outermost level
// the message is shown and the event loop goes on, so no C++ exception ever crosses
// Qt's event loop. A handler that runs nested inside another one (a check box set by
// the program runs its click handler at once) lets the error travel on, so that it
// ends the outer handler as well, exactly as if the inner one were part of it.
void runHandler(const std::function<void()> &handler);

// True while a handler started by runHandler is running.
bool insideHandler();

// The text shown for an error that ended a handler: the program's own message, the
// description of any other standard exception, a note on memory running out, and a
// fixed text for anything else thrown.
QString messageOf(const std::exception_ptr &error);

} // namespace divisheet

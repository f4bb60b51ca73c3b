#pragma once

#include "platform/ErrorBoundary.h"
#include <exception>
#include <utility>

namespace divisheet {

// Carries an error raised by a click or change handler past Qt's own code.
//
// When the program sets a control (a check box's Checked, a spin edit's Value), Qt runs
// the control's handler from inside its own signal emission. An error raised there must
// end the handler that made the setting, but it must not unwind through Qt's frames,
// which are not built for exceptions. So the control's relay slot holds the error, Qt's
// call returns normally, and the control's setter raises it again:
//
//     ErrorRelay relay;
//     QCheckBox::setChecked(checked);   // the relay slot may hold an error here
//     relay.rethrow();
class ErrorRelay
{
public:
    ErrorRelay() : m_outer(current()) { current() = this; }
    ~ErrorRelay() { current() = m_outer; }
    ErrorRelay(const ErrorRelay &) = delete;
    ErrorRelay &operator=(const ErrorRelay &) = delete;

    // Raises the error a handler raised meanwhile, if any.
    void rethrow()
    {
        if (m_error)
            std::rethrow_exception(std::exchange(m_error, nullptr));
    }

    // For a slot connected to a Qt signal: runs `emitSignal` and keeps what it throws
    // for the innermost setter in progress (only the first error: it ended the rest).
    // With no setter in progress (Qt emitted on its own, e.g. a programmatic click()),
    // the error has nowhere to travel and is shown here, as the outermost boundary would.
    template <typename F>
    static void run(F &&emitSignal)
    {
        try {
            std::forward<F>(emitSignal)();
        } catch (...) {
            if (ErrorRelay *relay = current()) {
                if (!relay->m_error)
                    relay->m_error = std::current_exception();
                return;
            }
            showErrorMessage(messageOf(std::current_exception()));
        }
    }

private:
    static ErrorRelay *&current()
    {
        static ErrorRelay *relay = nullptr;
        return relay;
    }

    ErrorRelay *m_outer;
    std::exception_ptr m_error;
};

} // namespace divisheet

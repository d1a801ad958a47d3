#pragma once

#include "Dialogs.h"

#include "FileError.h"

#include <exception>
#include <utility>

// The one way errors leave an event handler: a file error (or any other exception) ends the
// handler with a message box instead of leaving the event loop, and a handler that finds a
// failure of its own reports it here too.
class HandlerGuard {
public:
    explicit HandlerGuard(Dialogs& dialogs) : m_dialogs(dialogs) {}

    template <typename Handler> void run(Handler&& handler) const {
        try {
            std::forward<Handler>(handler)();
        } catch (const FileError& error) {
            showError(error.message());
        } catch (const std::exception& error) {
            // Anything else (memory exhausted by a huge file, say) ends the handler, not the program.
            showError(QString::fromLocal8Bit(error.what()));
        }
    }

    // A slot that runs object's handler inside this guard, for connecting signals to handlers.
    template <typename Object> auto handler(Object* object, void (Object::*handler)()) const {
        return [this, object, handler] { run([object, handler] { (object->*handler)(); }); };
    }

    void showError(const QString& text) const { m_dialogs.showError(text); }

private:
    Dialogs& m_dialogs;
};

#pragma once

#include "Dialogs.h"

#include "FileError.h"

#include <exception>
#include <utility>

// Runs an event handler so that a file error ends the handler with a message box instead of
// leaving the event loop.
class HandlerGuard {
public:
    explicit HandlerGuard(Dialogs& dialogs) : m_dialogs(dialogs) {}

    template <typename Handler> void run(Handler&& handler) const {
        try {
            std::forward<Handler>(handler)();
        } catch (const FileError& error) {
            m_dialogs.showError(error.message());
        } catch (const std::exception& error) {
            // Anything else (memory exhausted by a huge file, say) ends the handler, not the program.
            m_dialogs.showError(QString::fromLocal8Bit(error.what()));
        }
    }

private:
    Dialogs& m_dialogs;
};

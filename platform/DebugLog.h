#pragma once

#include <QLoggingCategory>
#include <QString>

// The system debugger output of the design: debug lines in the category "tolvane.debug".
Q_DECLARE_LOGGING_CATEGORY(lcDebugOutput)

// Writes one line to the debugger output.
void DebugOutput(const QString& line);

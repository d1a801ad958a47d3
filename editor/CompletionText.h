#pragma once

#include "Completion.h"

#include <QString>

#include <functional>

// Completion figures worded through the message table, for the page's status line and the
// section list's tool tips.
namespace CompletionText {

using MessageText = std::function<QString(int index)>;

QString file(const Completion& completion, const MessageText& messages);
QString section(const QString& name, const Completion& completion, const MessageText& messages);

} // namespace CompletionText

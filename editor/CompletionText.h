#pragma once

#include "Completion.h"

#include <QString>

#include <functional>

// Completion figures worded through the message table, for the page's status line and the
// section list's tool tips.
namespace CompletionText {

using MessageText = std::function<QString(int index)>;

// "5 of 9 entries translated, 2 equal to the source"
QString figures(const Completion& completion, const MessageText& messages);
// The figures of the whole file, and of one section with its name, for the status line.
QString file(const Completion& completion, const MessageText& messages);
QString section(const QString& name, const Completion& completion, const MessageText& messages);
// A section list item's tip: its whole name, and the figures below it.
QString sectionTip(const QString& name, const Completion& completion, const MessageText& messages);

} // namespace CompletionText

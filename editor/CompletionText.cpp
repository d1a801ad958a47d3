#include "CompletionText.h"

#include "MessageTable.h"

namespace CompletionText {

QString figures(const Completion& completion, const MessageText& messages) {
    return MessageTable::format(messages(MessageTable::CompletionFigures),
                                {QString::number(completion.present), QString::number(completion.total),
                                 QString::number(completion.equalSource)});
}

QString file(const Completion& completion, const MessageText& messages) {
    return MessageTable::format(messages(MessageTable::CompletionFile), figures(completion, messages));
}

QString section(const QString& name, const Completion& completion, const MessageText& messages) {
    return MessageTable::format(messages(MessageTable::CompletionSection), {name, figures(completion, messages)});
}

QString sectionTip(const QString& name, const Completion& completion, const MessageText& messages) {
    return name + QLatin1Char('\n') + figures(completion, messages);
}

} // namespace CompletionText

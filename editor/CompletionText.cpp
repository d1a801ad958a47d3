#include "CompletionText.h"

#include "MessageTable.h"

namespace CompletionText {

QString file(const Completion& completion, const MessageText& messages) {
    return MessageTable::format(messages(MessageTable::CompletionFile),
                                {QString::number(completion.present), QString::number(completion.total),
                                 QString::number(completion.equalSource)});
}

QString section(const QString& name, const Completion& completion, const MessageText& messages) {
    return MessageTable::format(messages(MessageTable::CompletionSection),
                                {name, QString::number(completion.present), QString::number(completion.total),
                                 QString::number(completion.equalSource)});
}

} // namespace CompletionText

#include "ChangeRule.h"

#include "CommaText.h"

#include <QList>

std::optional<ChangeRule> ChangeRule::fromLine(QByteArrayView line) {
    struct Keyword {
        const char* word;
        Kind kind;
        int fields;
    };
    static const Keyword keywords[] = {{"MOVEVALUE", Kind::MoveValue, 4},
                                       {"COPYVALUE", Kind::CopyValue, 4},
                                       {"MOVEKEY", Kind::MoveKey, 3},
                                       {"COPYKEY", Kind::CopyKey, 3}};
    const QList<QByteArray> fields = CommaText::split(line);
    if (fields.isEmpty()) {
        return std::nullopt;
    }
    for (const Keyword& keyword : keywords) {
        if (fields.first() == keyword.word) {
            if (fields.size() < keyword.fields) {
                return std::nullopt;
            }
            ChangeRule rule;
            rule.kind = keyword.kind;
            rule.source = fields.at(1);
            rule.target = fields.at(2);
            if (keyword.fields == 4) {
                rule.key = fields.at(3);
            }
            return rule;
        }
    }
    return std::nullopt;
}

#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

// One line of a rules file: a move or copy of a value or of a whole section's lines.
struct ChangeRule {
    enum class Kind { MoveValue, CopyValue, MoveKey, CopyKey };

    Kind kind = Kind::CopyValue;
    QByteArray source; // section
    QByteArray target; // section
    QByteArray key;    // MoveValue and CopyValue only

    // The rule of a line: keyword (MOVEVALUE, COPYVALUE, MOVEKEY, COPYKEY, upper case only) and
    // its fields, split as comma text; nothing for any other line or for too few fields.
    static std::optional<ChangeRule> fromLine(QByteArrayView line);
};

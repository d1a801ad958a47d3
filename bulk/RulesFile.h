#pragma once

#include "ChangeRule.h"

#include <QByteArray>
#include <QList>
#include <QString>

// A rules file: one rule a line, every other line ignored without a word.
namespace RulesFile {

// Lines end at CR LF, CR or LF; a NUL ends the text.
QList<ChangeRule> parse(const QByteArray& text);

// Throws FileError "Cannot open file" when the file cannot be read.
QList<ChangeRule> read(const QString& fileName);

} // namespace RulesFile

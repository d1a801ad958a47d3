#pragma once

#include <QByteArray>

// The escape coding of multi-line values: CR LF <-> "%0D%0A", "%" doubled unless it starts
// one of the placeholders "%1", "%2", "%d", "%s".
void EscapeLanguageValue(QByteArray& text);
void UnescapeLanguageValue(QByteArray& text);

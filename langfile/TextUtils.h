#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Only the line-break escape: "%0D%0A" (upper case) becomes CR LF; "%%" stays.
QByteArray UnescapeLineBreaks(const QByteArray& text);
QString UnescapeLineBreaks(const QString& text);

// Bare names of the files (not folders) matching mask = folder + separator + pattern,
// e.g. "/opt/x/Languages/*.tvl", in the system's order; a missing folder gives none.
QStringList FindFiles(const QString& mask);

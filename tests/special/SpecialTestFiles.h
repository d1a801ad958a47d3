#pragma once

#include "SpecialEntryFields.h"
#include "SpecialFiles.h"
#include "TestFiles.h"

#include <QByteArray>
#include <QDir>
#include <QHash>
#include <QString>
#include <QStringList>

// A category's files in a folder, and entry fields written as "Key=text|Key=text".
namespace SpecialTestFiles {

// The files of the category "Cat" for reference English, source German, destination French;
// a null text leaves its file missing.
inline SpecialFiles writeCategory(const QString& folder, const QByteArray& destination, const QByteArray& source,
                                  const QByteArray& base, const QByteArray& reference, int codePage = CodePage::Ansi) {
    const SpecialFiles files(folder + QLatin1Char('/'), QStringLiteral("nfo"),
                             {QStringLiteral("English"), QStringLiteral("German"), QStringLiteral("French")}, codePage);
    const QHash<QString, QByteArray> texts = {{files.destinationFile("Cat"), destination},
                                              {files.sourceFile("Cat"), source},
                                              {files.baseFile("Cat"), base},
                                              {files.referenceFile("Cat"), reference}};
    for (auto it = texts.begin(); it != texts.end(); ++it) {
        if (!it.value().isNull()) {
            TestFiles::write(it.key(), it.value());
        }
    }
    return files;
}

inline QString describe(const SpecialEntryFields& fields) {
    QStringList parts;
    for (int field = 0; field < SpecialKeys::FieldCount; ++field) {
        if (!fields.texts[size_t(field)].isEmpty()) {
            parts.append(QLatin1String(SpecialKeys::names[size_t(field)]) + QLatin1Char('=') +
                         fields.texts[size_t(field)]);
        }
    }
    return parts.join(QLatin1Char('|'));
}

inline SpecialEntryFields fieldsFrom(const QString& description) {
    SpecialEntryFields fields;
    for (const QString& part : description.split(QLatin1Char('|'), Qt::SkipEmptyParts)) {
        const QString key = part.section(QLatin1Char('='), 0, 0);
        int field = 0;
        while (field < SpecialKeys::FieldCount && key != QLatin1String(SpecialKeys::names[size_t(field)])) {
            ++field;
        }
        if (field == SpecialKeys::FieldCount) {
            qFatal("no special key %s", qPrintable(key));
        }
        fields.texts[size_t(field)] = part.section(QLatin1Char('='), 1);
    }
    return fields;
}

} // namespace SpecialTestFiles

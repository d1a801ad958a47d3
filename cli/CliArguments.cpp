#include "CliArguments.h"

CliArguments::CliArguments(const QStringList& arguments, const QSet<QString>& valueOptions,
                           const QSet<QString>& flags) {
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == QLatin1String("--")) {
            m_operands += arguments.mid(i + 1);
            return;
        }
        if (!argument.startsWith(QLatin1String("--"))) {
            m_operands.append(argument);
            continue;
        }
        const qsizetype equals = argument.indexOf(QLatin1Char('='));
        const QString name = argument.mid(2, equals < 0 ? -1 : equals - 2);
        if (flags.contains(name) && equals < 0) {
            m_values.insert(name, QString());
        } else if (valueOptions.contains(name)) {
            if (equals >= 0) {
                m_values.insert(name, argument.mid(equals + 1));
            } else if (i + 1 < arguments.size()) {
                m_values.insert(name, arguments.at(++i));
            } else {
                m_error = QStringLiteral("option --%1 needs a value").arg(name);
                return;
            }
        } else {
            m_error = QStringLiteral("unknown option %1").arg(argument);
            return;
        }
    }
}

#pragma once

#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>

// The options and operands of one command: "--name value", "--name=value" and "--flag"; "--"
// ends the options.
class CliArguments {
public:
    // valueOptions take a value, flags do not; any other option is an error.
    CliArguments(const QStringList& arguments, const QSet<QString>& valueOptions, const QSet<QString>& flags);

    // Why the arguments cannot be used; empty when they can.
    const QString& error() const { return m_error; }
    bool has(const QString& option) const { return m_values.contains(option); }
    QString value(const QString& option) const { return m_values.value(option); }
    const QStringList& operands() const { return m_operands; }

private:
    QMap<QString, QString> m_values;
    QStringList m_operands;
    QString m_error;
};

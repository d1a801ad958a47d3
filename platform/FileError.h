#pragma once

#include <QString>
#include <stdexcept>

// A file could not be read or written. The message is the one the user sees,
// e.g. "Cannot open file "x". No such file or directory".
class FileError : public std::runtime_error {
public:
    explicit FileError(const QString& message) : std::runtime_error(message.toStdString()), m_message(message) {}

    const QString& message() const { return m_message; }

    static FileError cannotOpen(const QString& fileName, const QString& reason);
    static FileError cannotCreate(const QString& fileName, const QString& reason);
    // A file too big to be loaded, as a "Cannot open file" error.
    static FileError tooLarge(const QString& fileName);

private:
    QString m_message;
};

#pragma once

#include <QByteArray>
#include <QString>

#include <cstring>
#include <functional>

// The one way a whole file is read or written. Writes go to a temporary file in the
// target's folder that is renamed over the target, so a failed write leaves the old
// file byte-identical.
namespace SafeFile {

// The data goes to the disk in blocks of this size (one ScopedWriteFault::Write step each).
constexpr qsizetype WriteBlockSize = 64 * 1024;

// Throws FileError ("Cannot open file") when the file is missing or unreadable, or is not a
// regular file (a FIFO, a device): links are followed to the file they name.
QByteArray readAll(const QString& fileName);
// The same into data, reusing its memory when it is not shared and has room: a run over many
// files then touches new memory only for a file larger than those before.
void readAll(const QString& fileName, QByteArray& data);

// Throws FileError ("Cannot create file") with the system's reason when the file cannot be
// replaced; the old file is then untouched. Every block written and the flush are checked
// before the rename. The replaced file keeps its mode and, where the process may set them,
// its owner and group. In a folder where no temporary file can be made, an existing writable
// file is rewritten in place, with room for the new bytes reserved first.
void writeAll(const QString& fileName, const QByteArray& data);

// Where a file's bytes go piece by piece, in blocks of WriteBlockSize, so that a large file is
// written without a second copy of it in memory. After a failed block the rest is dropped and
// writeAll throws once the producer returns.
class Stream {
public:
    void write(const char* data, qsizetype size) {
        if (size <= m_end - m_next) {
            std::memcpy(m_next, data, size_t(size));
            m_next += size;
        } else {
            overflow(data, size);
        }
    }

private:
    friend class StreamWriter;
    Stream() = default;
    void overflow(const char* data, qsizetype size);
    // Hands full blocks on; false when the bytes could not be taken.
    std::function<bool(const char*, qsizetype)> m_drain;
    char m_block[WriteBlockSize];
    char* m_next = m_block;
    char* m_end = m_block + WriteBlockSize;
    bool m_failed = false;
};

// As above, with the bytes that produce hands to the stream.
void writeAll(const QString& fileName, const std::function<void(Stream&)>& produce);

} // namespace SafeFile

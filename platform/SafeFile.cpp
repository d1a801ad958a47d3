#include "SafeFile.h"

#include "FileError.h"
#include "ScopedWriteFault.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString systemReason(int err) {
    return QString::fromLocal8Bit(std::strerror(err));
}

class Descriptor {
public:
    explicit Descriptor(int fd = -1) : m_fd(fd) {}
    ~Descriptor() { close(); }
    Descriptor(Descriptor&& other) noexcept : m_fd(other.m_fd) { other.m_fd = -1; }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    Descriptor& operator=(Descriptor&&) = delete;

    int get() const { return m_fd; }
    bool isOpen() const { return m_fd >= 0; }
    // Closing can be where a delayed write error shows (network file systems).
    bool close() {
        const int fd = m_fd;
        m_fd = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int m_fd;
};

// errno of the step: the injected fault's, else the system's after a failed call.
bool failed(ScopedWriteFault::Step step) {
    if (const int injected = ScopedWriteFault::failure(step)) {
        errno = injected;
        return true;
    }
    return false;
}

bool writeFully(int fd, const char* data, qsizetype size) {
    while (size > 0) {
        if (failed(ScopedWriteFault::Write)) {
            return false;
        }
        const ssize_t written = ::write(fd, data, size_t(std::min(size, SafeFile::WriteBlockSize)));
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            if (written == 0) {
                errno = ENOSPC;
            }
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

bool flush(int fd) {
    return !failed(ScopedWriteFault::Flush) && ::fsync(fd) == 0;
}

// Reads straight into data, sized for the file as it was seen (plus one byte, to meet the end
// without growing); false with errno set when a read fails. A small file gets a small buffer,
// which grows as needed when the size seen was short (files of /proc report none).
bool readFully(int fd, QByteArray& data, qsizetype sizeHint) {
    // Emptied first, so that a buffer still shared elsewhere is left as it is rather than copied.
    data.resize(0);
    data.resize(std::max<qsizetype>(sizeHint, 4 * 1024 - 1) + 1);
    qsizetype used = 0;
    for (;;) {
        if (used == data.size()) {
            data.resize(data.size() * 2);
        }
        const ssize_t n = ::read(fd, data.data() + used, size_t(data.size() - used));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            data.resize(used);
            return n == 0;
        }
        used += n;
    }
}

// The file a link points to, so that writing replaces the file and keeps the link.
QString finalTarget(const QString& fileName) {
    QFileInfo info(fileName);
    for (int depth = 0; depth < 128 && info.isSymLink(); ++depth) {
        info.setFile(info.symLinkTarget());
    }
    return info.isSymLink() ? fileName : info.filePath();
}

// A new file beside target, opened for writing, or an invalid descriptor with errno set.
Descriptor createTemporary(const QString& target, QByteArray& temporaryName) {
    if (failed(ScopedWriteFault::CreateTemporary)) {
        return Descriptor();
    }
    const QFileInfo info(target);
    const QString prefix = info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".");
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporaryName = QFile::encodeName(prefix + QString::number(QRandomGenerator::global()->generate(), 36));
        Descriptor fd(::open(temporaryName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (fd.isOpen() || errno != EEXIST) {
            return fd;
        }
    }
    return Descriptor();
}

// Owner, group and mode of the file being replaced; the group alone when the owner cannot be
// given away (a user who shares the group). What may not be set stays the writer's.
void copyOwnership(int fd, const struct stat& old) {
    if (::fchown(fd, old.st_uid, old.st_gid) != 0 && ::fchown(fd, uid_t(-1), old.st_gid) != 0) {
        // Neither may be set: the new file belongs to the writer, as any new file would.
    }
    // After the owner change, which may clear the set-id bits.
    ::fchmod(fd, old.st_mode & 07777);
}

bool reserve(int fd, qsizetype size) {
#ifdef FALLOC_FL_KEEP_SIZE
    if (size > 0 && ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, off_t(size)) != 0) {
        return errno == EOPNOTSUPP || errno == ENOSYS || errno == EINVAL;
    }
#else
    Q_UNUSED(fd);
    Q_UNUSED(size);
#endif
    return true;
}

bool writeAt(int fd, const QByteArray& data) {
    return ::lseek(fd, 0, SEEK_SET) == 0 && writeFully(fd, data.constData(), data.size()) &&
           ::ftruncate(fd, off_t(data.size())) == 0;
}

// The folder takes no new file, so the file itself is rewritten. Room for the new bytes is
// reserved first, so a full disk refuses before anything changes; a write that still fails
// puts the old bytes back.
void writeInPlace(const QString& fileName, const QByteArray& target, const QByteArray& data) {
    Descriptor fd(::open(target.constData(), O_RDWR | O_CLOEXEC));
    if (!fd.isOpen()) {
        throw FileError::cannotCreate(fileName, systemReason(errno));
    }
    QByteArray old;
    if (!readFully(fd.get(), old, 0) || !reserve(fd.get(), data.size())) {
        throw FileError::cannotCreate(fileName, systemReason(errno));
    }
    if (writeAt(fd.get(), data) && flush(fd.get()) && fd.close()) {
        return;
    }
    const int err = errno;
    if (fd.isOpen() && writeAt(fd.get(), old)) {
        ::fsync(fd.get());
    }
    throw FileError::cannotCreate(fileName, systemReason(err));
}

} // namespace

namespace SafeFile {

// Makes streams and empties them at the end; the only way to a stream.
class StreamWriter {
public:
    // Runs produce on a stream that hands its blocks to drain; false when one failed.
    static bool run(const std::function<void(Stream&)>& produce, std::function<bool(const char*, qsizetype)> drain) {
        std::unique_ptr<Stream> stream(new Stream);
        stream->m_drain = std::move(drain);
        produce(*stream);
        const qsizetype rest = stream->m_next - stream->m_block;
        return !stream->m_failed && (rest == 0 || stream->m_drain(stream->m_block, rest));
    }
};

void Stream::overflow(const char* data, qsizetype size) {
    while (!m_failed && size > 0) {
        const qsizetype taken = std::min(size, qsizetype(m_end - m_next));
        if (m_next == m_block && taken == WriteBlockSize) {
            // A whole block of the caller's bytes goes on without a copy.
            m_failed = !m_drain(data, taken);
        } else {
            std::memcpy(m_next, data, size_t(taken));
            m_next += taken;
            if (m_next == m_end) {
                m_failed = !m_drain(m_block, WriteBlockSize);
                m_next = m_block;
            }
        }
        data += taken;
        size -= taken;
    }
}

QByteArray readAll(const QString& fileName) {
    QByteArray data;
    readAll(fileName, data);
    return data;
}

void readAll(const QString& fileName, QByteArray& data) {
    // Non-blocking, so that opening a FIFO never waits for a writer; it is refused below.
    Descriptor fd(::open(QFile::encodeName(fileName).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat info {};
    if (!fd.isOpen() || ::fstat(fd.get(), &info) != 0) {
        throw FileError::cannotOpen(fileName, systemReason(errno));
    }
    if (S_ISDIR(info.st_mode)) {
        throw FileError::cannotOpen(fileName, systemReason(EISDIR));
    }
    if (!S_ISREG(info.st_mode)) {
        throw FileError::cannotOpen(fileName, QStringLiteral("Not a regular file."));
    }
    if (!readFully(fd.get(), data, qsizetype(info.st_size))) {
        throw FileError::cannotOpen(fileName, systemReason(errno));
    }
}

void writeAll(const QString& fileName, const QByteArray& data) {
    writeAll(fileName, [&](Stream& stream) { stream.write(data.constData(), data.size()); });
}

void writeAll(const QString& fileName, const std::function<void(Stream&)>& produce) {
    const QByteArray target = QFile::encodeName(finalTarget(fileName));
    struct stat old {};
    const bool exists = ::stat(target.constData(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode)) {
        throw FileError::cannotCreate(fileName, systemReason(EISDIR));
    }
    if (exists && !S_ISREG(old.st_mode)) {
        throw FileError::cannotCreate(fileName, QStringLiteral("Not a regular file."));
    }
    // A rename would happily replace a read-only file; the user marked it read-only, so refuse
    // as an in-place write would. The owner's write bit counts too, because for root every
    // file is writable.
    if (exists && (::access(target.constData(), W_OK) != 0 || !(old.st_mode & S_IWUSR))) {
        throw FileError::cannotCreate(fileName, systemReason(EACCES));
    }
    QByteArray temporaryName;
    Descriptor fd = createTemporary(QFile::decodeName(target), temporaryName);
    if (!fd.isOpen()) {
        if (exists && (errno == EACCES || errno == EPERM)) {
            QByteArray data;
            StreamWriter::run(produce, [&](const char* bytes, qsizetype size) {
                data.append(bytes, size);
                return true;
            });
            writeInPlace(fileName, target, data);
            return;
        }
        throw FileError::cannotCreate(fileName, systemReason(errno));
    }
    if (exists) {
        copyOwnership(fd.get(), old);
    }
    int writeError = 0;
    bool written = false;
    try {
        written = StreamWriter::run(produce, [&](const char* bytes, qsizetype size) {
            const bool done = writeFully(fd.get(), bytes, size);
            writeError = done ? 0 : errno;
            return done;
        });
    } catch (...) {
        ::unlink(temporaryName.constData());
        throw;
    }
    if (!written) {
        errno = writeError;
    }
    written = written && flush(fd.get()) && fd.close() && !failed(ScopedWriteFault::Rename) &&
              ::rename(temporaryName.constData(), target.constData()) == 0;
    if (!written) {
        const int err = errno;
        ::unlink(temporaryName.constData());
        throw FileError::cannotCreate(fileName, systemReason(err));
    }
}

} // namespace SafeFile

#include "TestRegistry.h"

#include "DebugLog.h"
#include "LanguageLoadLock.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/wait.h>
#include <unistd.h>

namespace {

QStringList g_lines;
QString g_category;

void captureMessages(QtMsgType, const QMessageLogContext& context, const QString& message) {
    g_category = QString::fromLatin1(context.category);
    g_lines.append(message);
}

} // namespace

class LanguageLoadLockTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        QVERIFY(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("load.lock"));
    }

    void freeLockIsTakenAtOnce() {
        QElapsedTimer timer;
        timer.start();
        LanguageLoadLock lock(m_path);
        QVERIFY(lock.acquire());
        QVERIFY(lock.isHeld());
        QVERIFY(timer.elapsed() < 200);
        lock.release();
        QVERIFY(!lock.isHeld());
        LanguageLoadLock next(m_path);
        QVERIFY(next.acquire());
    }

    void heldLockIsWaitedForThenTakenAnyway() {
        LanguageLoadLock first(m_path);
        QVERIFY(first.acquire());
        QElapsedTimer timer;
        timer.start();
        LanguageLoadLock second(m_path);
        QVERIFY(!second.acquire());
        const qint64 waited = timer.elapsed();
        QVERIFY2(waited >= 480 && waited < 1500, QByteArray::number(waited));
        QVERIFY(second.isHeld());

        // Like a use-counted atom, the marker stays while either holder still has it.
        first.release();
        LanguageLoadLock third(m_path);
        timer.restart();
        QVERIFY(!third.acquire());
        QVERIFY(timer.elapsed() >= 480);
    }

    void lockOfAnotherProcessGoesWithIt() {
        const pid_t pid = fork();
        QVERIFY(pid >= 0);
        if (pid == 0) {
            LanguageLoadLock lock(m_path);
            lock.acquire();
            _exit(0);
        }
        int status = 0;
        QCOMPARE(waitpid(pid, &status, 0), pid);
        LanguageLoadLock lock(m_path);
        QElapsedTimer timer;
        timer.start();
        QVERIFY(lock.acquire());
        QVERIFY(timer.elapsed() < 200);
    }

    void releasedWithScope() {
        {
            LanguageLoadLock lock(m_path);
            QVERIFY(lock.acquire());
        }
        LanguageLoadLock again(m_path);
        QVERIFY(again.acquire());
    }

    void defaultPathIsInAnExistingFolder() {
        const QFileInfo info(LanguageLoadLock::defaultPath());
        QCOMPARE(info.fileName(), QStringLiteral("nvTranslator_LanguageLoadLock"));
        QVERIFY(info.dir().exists());
    }

    void debugOutputGoesToItsCategory() {
        g_lines.clear();
        QLoggingCategory::setFilterRules(QStringLiteral("tolvane.debug=true"));
        const QtMessageHandler previous = qInstallMessageHandler(captureMessages);
        DebugOutput(QStringLiteral("Initialization: BrowseDr"));
        qInstallMessageHandler(previous);
        QCOMPARE(g_lines, QStringList{QStringLiteral("Initialization: BrowseDr")});
        QCOMPARE(g_category, QStringLiteral("tolvane.debug"));
    }

private:
    QTemporaryDir m_dir;
    QString m_path;
};

TOLVANE_TEST(LanguageLoadLockTest)
#include "LanguageLoadLockTest.moc"

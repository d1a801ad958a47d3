#include "TestFiles.h"
#include "TestRegistry.h"

#include "RegistryHive.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QString App = QStringLiteral("\\Software\\Harvik Software\\Editors\\Tolvane");

// Captures what is written to standard error while it lives.
class StderrCapture {
public:
    explicit StderrCapture(const QString& path) : m_path(path) {
        std::fflush(stderr);
        m_saved = dup(2);
        FILE* f = std::fopen(QFile::encodeName(path).constData(), "w");
        dup2(fileno(f), 2);
        std::fclose(f);
    }
    ~StderrCapture() { restore(); }
    QString text() {
        restore();
        return QString::fromLocal8Bit(TestFiles::read(m_path));
    }

private:
    void restore() {
        if (m_saved >= 0) {
            std::fflush(stderr);
            dup2(m_saved, 2);
            close(m_saved);
            m_saved = -1;
        }
    }
    QString m_path;
    int m_saved = -1;
};

} // namespace

class RegistryHiveTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        QVERIFY(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("cfg/HKCU.reg"));
        QFile::remove(m_path);
    }

    void defaultPathFollowsEnvironment() {
        const QByteArray saved = qgetenv("TOLVANE_REGISTRY");
        qputenv("TOLVANE_REGISTRY", "/x/hive.reg");
        QCOMPARE(RegistryHive::defaultPath(), QStringLiteral("/x/hive.reg"));
        qunsetenv("TOLVANE_REGISTRY");
        const QByteArray config = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", "/cfg");
        QCOMPARE(RegistryHive::defaultPath(), QStringLiteral("/cfg/tolvane/HKCU.reg"));
        qputenv("XDG_CONFIG_HOME", config);
        qputenv("TOLVANE_REGISTRY", saved);
    }

    void readsOfMissingHiveCreateNothing() {
        RegistryHive hive(m_path);
        QVERIFY(!hive.keyExists(App));
        QVERIFY(!hive.valueExists(App, QStringLiteral("AppPath")));
        QVERIFY(hive.subKeys(App).isEmpty());
        QVERIFY(!hive.writeString(App, QStringLiteral("AppPath"), QStringLiteral("/x/")));
        QVERIFY(!hive.keyExists(App));
        QVERIFY(!QFile::exists(m_path));
    }

    void createKeyMakesParentsAndFolder() {
        RegistryHive hive(m_path);
        QVERIFY(hive.createKey(App + QStringLiteral("\\Projects")));
        QVERIFY(QFile::exists(m_path));
        QVERIFY(hive.keyExists(QStringLiteral("Software")));
        QVERIFY(hive.keyExists(QStringLiteral("\\software\\HARVIK SOFTWARE")));
        QVERIFY(hive.keyExists(App + QStringLiteral("\\projects")));
        QVERIFY(RegistryHive(m_path).createKey(App));
    }

    void invalidPathsAreRefused_data() {
        QTest::addColumn<QString>("path");
        QTest::newRow("empty name inside") << QStringLiteral("\\Software\\\\Tolvane");
        QTest::newRow("trailing separator") << QStringLiteral("\\Software\\Projects\\");
        QTest::newRow("line break") << QStringLiteral("\\Software\\a\nb");
    }

    void invalidPathsAreRefused() {
        QFETCH(QString, path);
        RegistryHive hive(m_path);
        QVERIFY(hive.createKey(QStringLiteral("\\Software\\Projects")));
        QVERIFY(!hive.createKey(path));
        QVERIFY(!hive.keyExists(path));
        QVERIFY(!hive.writeString(path, QStringLiteral("v"), QStringLiteral("x")));
        QVERIFY(!hive.deleteKeyTree(path));
        QCOMPARE(hive.subKeys(QStringLiteral("\\Software")), QStringList{QStringLiteral("Projects")});
    }

    void namesCompareWithoutCaseAndKeepTheirCase() {
        RegistryHive hive(m_path);
        QVERIFY(hive.createKey(QStringLiteral("\\Software\\MyApp")));
        QVERIFY(hive.createKey(QStringLiteral("\\SOFTWARE\\myapp\\Sub")));
        QCOMPARE(hive.subKeys(QStringLiteral("software")), QStringList{QStringLiteral("MyApp")});
        QVERIFY(hive.writeString(QStringLiteral("software\\myapp"), QStringLiteral("Path"), QStringLiteral("one")));
        QVERIFY(hive.writeString(QStringLiteral("\\Software\\MYAPP"), QStringLiteral("PATH"), QStringLiteral("two")));
        QCOMPARE(hive.readString(QStringLiteral("\\Software\\MyApp"), QStringLiteral("path")), QStringLiteral("two"));
        const QByteArray bytes = TestFiles::read(m_path);
        QVERIFY(bytes.contains("[HKEY_CURRENT_USER\\Software\\MyApp]\n\"Path\"=\"two\"\n"));
        QVERIFY(bytes.contains("[HKEY_CURRENT_USER\\Software\\MyApp\\Sub]"));
    }

    void otherValuesAreNotStrings() {
        RegistryHive hive(m_path);
        QVERIFY(hive.createKey(App));
        QVERIFY(hive.writeDword(App, QStringLiteral("Language"), 42));
        QVERIFY(hive.valueExists(App, QStringLiteral("language")));
        QCOMPARE(hive.readString(App, QStringLiteral("Language")), std::nullopt);
        QVERIFY(TestFiles::read(m_path).contains("\"Language\"=dword:0000002a\n"));
        QVERIFY(hive.writeString(App, QStringLiteral("Language"), QStringLiteral("Deutsch")));
        QCOMPARE(hive.readString(App, QStringLiteral("Language")), QStringLiteral("Deutsch"));
        QVERIFY(hive.writeDword(App, QStringLiteral("Language"), 0xFFFFFFFFu));
        QVERIFY(TestFiles::read(m_path).contains("\"Language\"=dword:ffffffff\n"));
    }

    void subKeysKeepCreationOrder() {
        RegistryHive hive(m_path);
        for (const char* name : {"Zeta", "alpha", "Mid"}) {
            QVERIFY(hive.createKey(QStringLiteral("\\P\\") + QLatin1String(name)));
        }
        QVERIFY(hive.deleteKeyTree(QStringLiteral("\\P\\ALPHA")));
        QVERIFY(hive.createKey(QStringLiteral("\\P\\Alpha")));
        QCOMPARE(hive.subKeys(QStringLiteral("\\P")),
                 (QStringList{QStringLiteral("Zeta"), QStringLiteral("Mid"), QStringLiteral("Alpha")}));
    }

    void deleteKeyTreeRemovesEverythingBelow() {
        RegistryHive hive(m_path);
        QVERIFY(hive.createKey(QStringLiteral("\\P\\A\\B\\C")));
        QVERIFY(hive.createKey(QStringLiteral("\\P\\Other")));
        QVERIFY(hive.writeString(QStringLiteral("\\P\\A\\B"), QStringLiteral("v"), QStringLiteral("x")));
        QVERIFY(hive.deleteKeyTree(QStringLiteral("p\\a")));
        QVERIFY(!hive.keyExists(QStringLiteral("\\P\\A\\B\\C")));
        QVERIFY(!hive.keyExists(QStringLiteral("\\P\\A")));
        QCOMPARE(hive.subKeys(QStringLiteral("\\P")), QStringList{QStringLiteral("Other")});
        QVERIFY(!TestFiles::read(m_path).contains("\\A"));
        QVERIFY(!hive.deleteKeyTree(QStringLiteral("\\P\\A")));
        QVERIFY(!hive.deleteKeyTree(QString()));
    }

    void moveKey_data() {
        QTest::addColumn<QString>("oldName");
        QTest::addColumn<QString>("newName");
        QTest::addColumn<bool>("moved");
        QTest::addColumn<QStringList>("after");
        const QStringList untouched{QStringLiteral("Alpha"), QStringLiteral("beta")};
        QTest::newRow("rename goes last")
            << "alpha"
            << "Gamma" << true << QStringList{QStringLiteral("beta"), QStringLiteral("Gamma")};
        QTest::newRow("target exists in other case") << "Alpha"
                                                     << "BETA" << false << untouched;
        QTest::newRow("same name in other case") << "Alpha"
                                                 << "ALPHA" << false << untouched;
        QTest::newRow("missing source") << "Delta"
                                        << "Gamma" << false << untouched;
        QTest::newRow("separator in new name") << "Alpha"
                                               << "A\\B" << false << untouched;
        QTest::newRow("empty new name") << "Alpha"
                                        << "" << false << untouched;
    }

    void moveKey() {
        QFETCH(QString, oldName);
        QFETCH(QString, newName);
        QFETCH(bool, moved);
        QFETCH(QStringList, after);
        RegistryHive hive(m_path);
        const QString projects = App + QStringLiteral("\\Projects");
        QVERIFY(hive.createKey(projects + QStringLiteral("\\Alpha\\Deep")));
        QVERIFY(hive.createKey(projects + QStringLiteral("\\beta")));
        QVERIFY(hive.writeString(projects + QStringLiteral("\\Alpha"), QStringLiteral("Path"), QStringLiteral("/a/")));
        QVERIFY(hive.writeDword(projects + QStringLiteral("\\Alpha\\Deep"), QStringLiteral("n"), 7));
        QVERIFY(hive.writeString(projects + QStringLiteral("\\beta"), QStringLiteral("Path"), QStringLiteral("/b/")));
        const QByteArray before = TestFiles::read(m_path);

        QCOMPARE(hive.moveKey(projects, oldName, newName), moved);
        QCOMPARE(hive.subKeys(projects), after);
        if (!moved) {
            QCOMPARE(TestFiles::read(m_path), before);
            return;
        }
        QCOMPARE(hive.readString(projects + QLatin1Char('\\') + newName, QStringLiteral("Path")),
                 QStringLiteral("/a/"));
        QVERIFY(
            hive.valueExists(projects + QLatin1Char('\\') + newName + QStringLiteral("\\Deep"), QStringLiteral("N")));
        QCOMPARE(hive.readString(projects + QStringLiteral("\\beta"), QStringLiteral("Path")), QStringLiteral("/b/"));
    }

    void textsSurviveTheFile_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        QTest::newRow("plain") << "Path"
                               << "C:\\Program Files\\Tolvane\\";
        QTest::newRow("quotes") << "say \"hi\""
                                << "\"quoted\" and \\\"both\\\"";
        QTest::newRow("backslash at end") << "dir\\"
                                          << "\\\\server\\share\\";
        QTest::newRow("unicode") << QStringLiteral("Язык") << QStringLiteral("Ελληνικά 日本語 \U0001F600");
        QTest::newRow("line breaks") << "multi"
                                     << "one\ntwo\r\nthree\\n";
        QTest::newRow("empty value") << "empty"
                                     << "";
        QTest::newRow("default value") << ""
                                       << "=[x]=";
        QTest::newRow("header look-alike") << "[HKEY_CURRENT_USER\\X]"
                                           << "\n[HKEY_CURRENT_USER\\Y]\n";
    }

    void textsSurviveTheFile() {
        QFETCH(QString, name);
        QFETCH(QString, value);
        QVERIFY(RegistryHive(m_path).createKey(App));
        QVERIFY(RegistryHive(m_path).writeString(App, name, value));
        QVERIFY(RegistryHive(m_path).writeString(App, QStringLiteral("after"), QStringLiteral("x")));
        const RegistryHive hive(m_path);
        QCOMPARE(hive.readString(App, name), value);
        QCOMPARE(hive.readString(App, QStringLiteral("after")), QStringLiteral("x"));
        QCOMPARE(hive.subKeys(QStringLiteral("\\Software\\Harvik Software\\Editors")),
                 QStringList{QStringLiteral("Tolvane")});
    }

    void fileTextIsTheExportSyntax() {
        RegistryHive hive(m_path);
        QVERIFY(hive.createKey(App + QStringLiteral("\\Projects\\Demo")));
        QVERIFY(hive.writeString(App, QStringLiteral("AppPath"), QStringLiteral("/opt/tolvane/")));
        QVERIFY(hive.writeString(App + QStringLiteral("\\Projects\\Demo"), QStringLiteral("Path"),
                                 QStringLiteral("C:\\Lang\\\"x\"")));
        QVERIFY(hive.writeDword(App, QStringLiteral("Count"), 3));
        QVERIFY(hive.writeString(QString(), QString(), QStringLiteral("root")));
        const QByteArray expected = "Windows Registry Editor Version 5.00\n"
                                    "\n"
                                    "[HKEY_CURRENT_USER]\n"
                                    "@=\"root\"\n"
                                    "\n"
                                    "[HKEY_CURRENT_USER\\Software]\n"
                                    "\n"
                                    "[HKEY_CURRENT_USER\\Software\\Harvik Software]\n"
                                    "\n"
                                    "[HKEY_CURRENT_USER\\Software\\Harvik Software\\Editors]\n"
                                    "\n"
                                    "[HKEY_CURRENT_USER\\Software\\Harvik Software\\Editors\\Tolvane]\n"
                                    "\"AppPath\"=\"/opt/tolvane/\"\n"
                                    "\"Count\"=dword:00000003\n"
                                    "\n"
                                    "[HKEY_CURRENT_USER\\Software\\Harvik Software\\Editors\\Tolvane\\Projects]\n"
                                    "\n"
                                    "[HKEY_CURRENT_USER\\Software\\Harvik Software\\Editors\\Tolvane\\Projects\\Demo]\n"
                                    "\"Path\"=\"C:\\\\Lang\\\\\\\"x\\\"\"\n"
                                    "\n";
        QCOMPARE(TestFiles::read(m_path), expected);
    }

    void handWrittenFileIsReadAndKept() {
        QDir().mkpath(QFileInfo(m_path).absolutePath());
        TestFiles::write(m_path, "\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n\r\n"
                                 "; made by hand\r\n"
                                 "[HKEY_CURRENT_USER\\Software\\Vendor]\r\n"
                                 "@=\"default\"\r\n"
                                 "\"Blob\"=hex:01,02,\\\r\n"
                                 "  03,04\r\n"
                                 "\"Name\" = \"V\\\\x\"\r\n"
                                 "[hkey_current_user\\Software\\Vendor\\Sub]\r\n");
        RegistryHive hive(m_path);
        QCOMPARE(hive.readString(QStringLiteral("\\Software\\Vendor"), QString()), QStringLiteral("default"));
        QCOMPARE(hive.readString(QStringLiteral("\\Software\\Vendor"), QStringLiteral("name")), QStringLiteral("V\\x"));
        QVERIFY(hive.valueExists(QStringLiteral("\\Software\\Vendor"), QStringLiteral("Blob")));
        QCOMPARE(hive.subKeys(QStringLiteral("\\Software\\Vendor")), QStringList{QStringLiteral("Sub")});
        QVERIFY(hive.writeString(QStringLiteral("\\Software\\Vendor"), QStringLiteral("New"), QStringLiteral("n")));
        QVERIFY(TestFiles::read(m_path).contains("\"Blob\"=hex:01,02,03,04\n"));
    }

    void damagedHiveIsKeptAsideAndReported_data() {
        QTest::addColumn<QByteArray>("content");
        // A key that is still read, with its value "c" when it has one; empty when nothing is.
        QTest::addColumn<QString>("readable");
        QTest::addColumn<QString>("c");
        const QByteArray x("Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\X]\n");
        QTest::newRow("not a hive") << QByteArray("[Main]\nLanguageName=English\n") << ""
                                    << "";
        QTest::newRow("value before key") << QByteArray("Windows Registry Editor Version 5.00\n\"a\"=\"b\"\n") << ""
                                          << "";
        QTest::newRow("other root, its values too") << x + "\"c\"=\"d\"\n[HKEY_LOCAL_MACHINE\\Y]\n\"c\"=\"lost\"\n"
                                                    << "\\X"
                                                    << "d";
        QTest::newRow("unterminated string") << x + "\"a\"=\"b\n\"c\"=\"d\"\n"
                                             << "\\X"
                                             << "d";
        QTest::newRow("cut last line") << x + "\"c\"=\"d\"\n\"e\"=\"f"
                                       << "\\X"
                                       << "d";
        QTest::newRow("deletion line") << x + "\"a\"=-\n\"c\"=\"d\"\n"
                                       << "\\X"
                                       << "d";
        QTest::newRow("invalid UTF-8") << QByteArray(
                                              "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\X\xC0]\n")
                                       << "\\X\u00C0"
                                       << "";
        QTest::newRow("Latin-1 byte in a value") << x + "\"c\"=\"caf\xE9\"\n\"e\"=\"f\"\n"
                                                 << "\\X"
                                                 << "caf\u00E9";
        QTest::newRow("trailing NULs") << x + QByteArray("\"c\"=\"d\"\n\0\0\0\0", 12) << "\\X"
                                       << "d";
        QTest::newRow("deeper than the registry allows")
            << QByteArray("Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER") +
                   QByteArray("\\k").repeated(513) + QByteArray("]\n")
            << ""
            << "";
        QTest::newRow("empty key name") << QByteArray(
                                               "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\\\X]\n")
                                        << ""
                                        << "";
    }

    void damagedHiveIsKeptAsideAndReported() {
        QFETCH(QByteArray, content);
        QFETCH(QString, readable);
        QFETCH(QString, c);
        const QString folder = QFileInfo(m_path).absolutePath();
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        TestFiles::write(m_path, content);

        StderrCapture capture(m_dir.filePath(QStringLiteral("stderr.txt")));
        RegistryHive hive(m_path);
        QCOMPARE(hive.keyExists(QStringLiteral("\\X")), readable == QStringLiteral("\\X"));
        if (!readable.isEmpty()) {
            QVERIFY(hive.keyExists(readable));
            QCOMPARE(hive.readString(readable, QStringLiteral("c")).value_or(QString()), c);
        }
        QCOMPARE(TestFiles::read(m_path), content); // reading changes nothing
        QVERIFY(hive.createKey(QStringLiteral("\\Y")));
        QVERIFY(hive.writeString(QStringLiteral("\\Y"), QStringLiteral("v"), QStringLiteral("w")));
        const QString reported = capture.text();

        const QStringList aside = QDir(folder).entryList({QStringLiteral("HKCU.reg.damaged-*")}, QDir::Files);
        QCOMPARE(aside.size(), 1);
        QCOMPARE(TestFiles::read(QDir(folder).filePath(aside.first())), content);
        QCOMPARE(reported.count(QStringLiteral("is damaged")), 1);
        QVERIFY(reported.contains(aside.first()));
        QCOMPARE(hive.readString(QStringLiteral("\\Y"), QStringLiteral("v")), QStringLiteral("w"));
        QCOMPARE(hive.keyExists(readable.isEmpty() ? QStringLiteral("\\X") : readable), !readable.isEmpty());
        // What the window shows at start-up, once.
        QVERIFY(hive.damageNotice().contains(aside.first()));
        QCOMPARE(hive.damageNotice(), QString());
    }

    void twoWritersLoseNothing() {
        constexpr int PerWriter = 200;
        const QString key = QStringLiteral("\\Software\\Race");
        QVERIFY(RegistryHive(m_path).createKey(key));
        pid_t children[2];
        for (int writer = 0; writer < 2; ++writer) {
            const pid_t pid = fork();
            QVERIFY(pid >= 0);
            if (pid == 0) {
                RegistryHive hive(m_path);
                bool ok = true;
                for (int i = 0; i < PerWriter; ++i) {
                    ok = hive.writeString(key, QStringLiteral("w%1_%2").arg(writer).arg(i), QString::number(i)) && ok;
                }
                _exit(ok ? 0 : 1);
            }
            children[writer] = pid;
        }
        for (const pid_t pid : children) {
            int status = 0;
            QCOMPARE(waitpid(pid, &status, 0), pid);
            QVERIFY(WIFEXITED(status));
            QCOMPARE(WEXITSTATUS(status), 0);
        }
        const RegistryHive hive(m_path);
        for (int writer = 0; writer < 2; ++writer) {
            for (int i = 0; i < PerWriter; ++i) {
                QCOMPARE(hive.readString(key, QStringLiteral("w%1_%2").arg(writer).arg(i)), QString::number(i));
            }
        }
    }

private:
    QTemporaryDir m_dir;
    QString m_path;
};

TOLVANE_TEST(RegistryHiveTest)
#include "RegistryHiveTest.moc"

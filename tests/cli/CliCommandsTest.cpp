#include "BulkRunner.h"
#include "CliRun.h"
#include "RulesFile.h"
#include "TestRegistry.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

// tolvane-cli run on copies of the fixtures: its output, exit status and the bytes it leaves,
// the rewrites compared byte for byte with what the window's sorter and rules page write.
class CliCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void rewritesAsTheWindow_data();
    void rewritesAsTheWindow();
    void search_data();
    void search();
    void check_data();
    void check();
    void checkJson();
    void stats_data();
    void stats();
    void statsPage();
    void usage_data();
    void usage();

private:
    QString path(const QString& name) const { return m_dir->filePath(name); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

namespace {

const QByteArray rules = "MOVEVALUE,Messages,Moved,Count\r\nCOPYKEY Buttons \"New Buttons\"\r\nMOVEKEY Menu Main\r\n";

QString missing(const QString& path) {
    return QStringLiteral("tolvane-cli: File %1 does not exist!\n").arg(path);
}

} // namespace

void CliCommandsTest::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QDir(m_dir->path()).mkdir("window");
    copyFixtures(m_dir->path());
    copyFixtures(path("window"));
    TestFiles::write(path("rules.txt"), rules);
}

void CliCommandsTest::rewritesAsTheWindow_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("files");
    for (const char* command : {"sort", "apply-rules"}) {
        const QString c = QLatin1String(command);
        QTest::newRow(qPrintable(c + " one")) << c << QStringList{"German.tvl"};
        QTest::newRow(qPrintable(c + " many")) << c << QStringList{"English.tvl", "French.tvl", "Russian.lnl"};
        QTest::newRow(qPrintable(c + " flags")) << c << QStringList{"French.lnl", "German.lnl", "English.lnl"};
    }
}

void CliCommandsTest::rewritesAsTheWindow() {
    QFETCH(QString, command);
    QFETCH(QStringList, files);
    const bool sort = command == QLatin1String("sort");
    QStringList mine;
    QStringList window;
    QList<QByteArray> before;
    // Names relative to the folder the tool runs in, as patch takes no others.
    for (const QString& file : files) {
        mine.append(file);
        window.append(path("window/" + file));
        before.append(TestFiles::read(path(file)));
    }
    QStringList head = {command};
    if (!sort) {
        head.append("rules.txt");
    }
    for (const FileReport& report :
         sort ? BulkRunner::sortFiles(window) : BulkRunner::applyRules(window, RulesFile::read(path("rules.txt")))) {
        QCOMPARE(int(report.outcome), int(FileReport::Outcome::Written));
    }

    // A dry run writes nothing and prints the change, which patch turns into the window's result.
    const CliRun dry = CliRun::of(head + QStringList{"--dry-run"} + mine, m_dir->path());
    QCOMPARE(dry.status, 0);
    QVERIFY(dry.err.isEmpty());
    for (int i = 0; i < files.size(); ++i) {
        QCOMPARE(TestFiles::read(path(mine[i])), before[i]);
    }
    TestFiles::write(path("change.diff"), dry.out);
    QProcess patch;
    patch.setWorkingDirectory(m_dir->path());
    patch.start("patch", {"-s", "-p0", "--binary", "-i", path("change.diff")});
    QVERIFY(patch.waitForFinished());
    QCOMPARE(patch.exitCode(), 0);
    for (int i = 0; i < files.size(); ++i) {
        QCOMPARE(TestFiles::read(path(mine[i])), TestFiles::read(window[i]));
        TestFiles::write(path(mine[i]), before[i]);
    }

    const CliRun run = CliRun::of(head + mine, m_dir->path());
    QCOMPARE(run.status, 0);
    QVERIFY(run.out.isEmpty());
    QVERIFY(run.err.isEmpty());
    for (int i = 0; i < files.size(); ++i) {
        QCOMPARE(TestFiles::read(path(mine[i])), TestFiles::read(window[i]));
    }
}

void CliCommandsTest::search_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    QTest::newRow("values, not keys, any case") << QStringList{"ok", "English.tvl", "German.tvl"} << 0
                                                << "@English.tvl\tButtons\tOk\tOK\n@German.tvl\tButtons\tok\tOK\n"
                                                << "";
    QTest::newRow("across the escape") << QStringList{"welcome%0D%0Ato", "English.tvl"} << 0
                                       << "@English.tvl\tMessages\tWelcome\tWelcome%0D%0Ato Tolvane\n"
                                       << "";
    QTest::newRow("decoded from the file's code page")
        << QStringList{"\u0424\u0430\u0439\u043B", "Russian.lnl"} << 0
        << QString::fromUtf8("@Russian.lnl\tMainWindow\tMenuFile\t&\u0424\u0430\u0439\u043B\n") << "";
    QTest::newRow("nothing found") << QStringList{"nowhere", "English.tvl"} << 1 << ""
                                   << "";
    QTest::newRow("missing file") << QStringList{"ok", "Dutch.tvl", "English.tvl"} << 2
                                  << "@English.tvl\tButtons\tOk\tOK\n"
                                  << "missing:Dutch.tvl";
    QTest::newRow("no file given") << QStringList{"ok"} << 2 << ""
                                   << "tolvane-cli: search needs a TERM and at least one FILE\n";
}

void CliCommandsTest::search() {
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        arguments[i] = path(arguments[i]);
    }
    const CliRun run = CliRun::of(QStringList{"search"} + arguments);
    QCOMPARE(run.status, status);
    QCOMPARE(QString::fromUtf8(run.out), QString(out).replace("@", m_dir->path() + "/"));
    QCOMPARE(QString::fromUtf8(run.err), err.startsWith("missing:") ? missing(path(err.mid(8))) : err);
}

void CliCommandsTest::check_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    const QString lacks = QStringLiteral("The destination lacks this entry of the reference");
    QTest::newRow("missing and an accelerator")
        << QStringList{"--reference", "@English.tvl", "--source", "@French.tvl", "@German.tvl"} << 1
        << "@German.tvl: [Main] FontCharset: " + lacks +
               "\n@German.tvl: [Buttons] Help: The number of & accelerators differs from the source text\n"
               "@German.tvl: [Messages] Welcome: " +
               lacks + "\n@German.tvl: [Messages] Done: " + lacks + "\n@German.tvl: [Menu] File: " + lacks +
               "\n@German.tvl: [Menu] Edit: " + lacks + "\n"
        << "";
    QTest::newRow("surplus, source is the reference, other code page")
        << QStringList{"--reference", "@Russian.lnl", "@German.lnl"} << 1
        << "@German.lnl: [Messages] Progress: " + lacks +
               "\n@German.lnl: [MainWindow] StatusWords: The reference has no such entry"
               "\n@German.lnl: [Messages] FileNotFound: The reference has no such entry"
               "\n@German.lnl: [About] Copyright: The reference has no such entry"
               "\n@German.lnl: [About] Thanks: The reference has no such entry\n"
        << "";
    QTest::newRow("complete") << QStringList{"--reference", "@English.lnl", "@English.lnl"} << 0 << ""
                              << "";
    QTest::newRow("missing destination") << QStringList{"--reference", "@English.lnl", "@Dutch.lnl"} << 2 << ""
                                         << "missing:Dutch.lnl";
    QTest::newRow("no reference") << QStringList{"@English.lnl"} << 2 << ""
                                  << "tolvane-cli: check needs --reference REF and at least one DEST\n";
    QTest::newRow("unknown format") << QStringList{"--reference", "@English.lnl", "--format", "xml", "@German.lnl"} << 2
                                    << ""
                                    << "tolvane-cli: --format is text or json, not xml\n";
}

void CliCommandsTest::check() {
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);
    arguments.replaceInStrings(QRegularExpression("^@"), m_dir->path() + "/");
    const CliRun run = CliRun::of(QStringList{"check"} + arguments);
    QCOMPARE(QString::fromUtf8(run.out), QString(out).replace("@", m_dir->path() + "/"));
    QCOMPARE(QString::fromUtf8(run.err), err.startsWith("missing:") ? missing(path(err.mid(8))) : err);
    QCOMPARE(run.status, status);
}

void CliCommandsTest::checkJson() {
    TestFiles::write(path("Ref.tvl"), "[A]\r\nx=Open %s...\r\nkept=1\r\n");
    TestFiles::write(path("Dest.tvl"), "[A]\r\nx=Ouvrir\r\nkept=1\r\nextra=2\r\n[B]\r\nq=1\r\n");
    const CliRun run = CliRun::of({"check", "--format=json", "--reference", path("Ref.tvl"), path("Dest.tvl")});
    QCOMPARE(run.status, 1);
    const QJsonArray files = QJsonDocument::fromJson(run.out).object().value("files").toArray();
    QCOMPARE(files.size(), 1);
    QCOMPARE(files[0].toObject().value("file").toString(), path("Dest.tvl"));
    QStringList found;
    for (const QJsonValue finding : files[0].toObject().value("findings").toArray()) {
        const QJsonObject o = finding.toObject();
        found.append(o.value("section").toString() + "/" + o.value("key").toString() + ":" +
                     o.value("kind").toString());
    }
    QCOMPARE(found, (QStringList{"A/x:placeholders", "A/x:end-punctuation", "A/extra:surplus", "B/q:surplus"}));
}

void CliCommandsTest::stats_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("out");
    QTest::newRow("source is the reference")
        << QStringList{"--reference", "English.lnl", "French.lnl", "German.lnl", "English.lnl"}
        << QStringLiteral("File         Translated  Total  Percent  Equal to source\n"
                          "French.lnl            8     20      40%                2\n"
                          "German.lnl           15     20      75%                3\n"
                          "English.lnl          20     20     100%               20\n");
    QTest::newRow("with a source") << QStringList{"--reference", "English.tvl", "--source", "French.tvl", "German.tvl"}
                                   << QStringLiteral("File        Translated  Total  Percent  Equal to source\n"
                                                     "German.tvl           5     10      50%                1\n");
}

void CliCommandsTest::stats() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, out);
    // Names as given, relative to the folder, so the columns line up the same in every run.
    const CliRun run = CliRun::of(QStringList{"stats"} + arguments, m_dir->path());
    QCOMPARE(QString::fromUtf8(run.out), out);
    QCOMPARE(run.status, 0);
}

void CliCommandsTest::statsPage() {
    const QString page = path("report/completion.html");
    QDir(m_dir->path()).mkdir("report");
    TestFiles::write(page, "old");
    const CliRun run = CliRun::of(
        {"stats", "--reference", path("English.lnl"), "--html", page, path("French.lnl"), path("German.lnl")});
    QCOMPARE(run.status, 0);
    const QByteArray html = TestFiles::read(page);
    QVERIFY(html.startsWith("<!DOCTYPE html>"));
    QCOMPARE(html.count("class=\"bar\""), 2);
    QVERIFY(html.contains("style=\"width:40%\""));
    QVERIFY(html.contains("style=\"width:75%\""));
    // Self-contained: nothing is fetched from elsewhere.
    QVERIFY(!html.contains("src=") && !html.contains("href=") && !html.contains("url("));
    QCOMPARE(QDir(path("report")).entryList(QDir::Files), QStringList{"completion.html"});

    const CliRun refused = CliRun::of(
        {"stats", "--reference", path("English.lnl"), "--html", path("gone/completion.html"), path("French.lnl")});
    QCOMPARE(refused.status, 2);
    QVERIFY(refused.err.startsWith("tolvane-cli: Cannot create file"));
}

void CliCommandsTest::usage_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("usageOnOut");
    QTest::addColumn<QString>("err");
    QTest::newRow("help") << QStringList{"--help"} << 0 << true << "";
    QTest::newRow("command help") << QStringList{"sort", "--help"} << 0 << true << "";
    QTest::newRow("nothing") << QStringList{} << 2 << false << "Usage: tolvane-cli";
    QTest::newRow("unknown command") << QStringList{"translate"} << 2 << false
                                     << "tolvane-cli: unknown command translate (see tolvane-cli --help)\n";
    QTest::newRow("unknown option") << QStringList{"sort", "--fast", "x"} << 2 << false
                                    << "tolvane-cli: unknown option --fast\n";
    QTest::newRow("option without value")
        << QStringList{"check", "--reference"} << 2 << false << "tolvane-cli: option --reference needs a value\n";
    QTest::newRow("sort nothing") << QStringList{"sort"} << 2 << false << "tolvane-cli: sort needs at least one FILE\n";
    QTest::newRow("rules without file") << QStringList{"apply-rules", "rules.txt"} << 2 << false
                                        << "tolvane-cli: apply-rules needs a RULES file and at least one FILE\n";
}

void CliCommandsTest::usage() {
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(bool, usageOnOut);
    QFETCH(QString, err);
    const CliRun run = CliRun::of(arguments);
    QCOMPARE(run.status, status);
    QCOMPARE(run.out.startsWith("Usage: tolvane-cli COMMAND"), usageOnOut);
    QVERIFY2(err.isEmpty() ? run.err.isEmpty() : QString::fromUtf8(run.err).startsWith(err), run.err.constData());
}

TOLVANE_TEST(CliCommandsTest)
#include "CliCommandsTest.moc"

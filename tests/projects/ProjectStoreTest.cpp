#include "TestRegistry.h"

#include "FolderPath.h"
#include "ProjectPresets.h"
#include "ProjectStore.h"
#include "RegistryHive.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

class ProjectStoreTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void listingCreatesTheProjectsKey();
    void noProjectReadsAndWritesNothing();
    void writesNeverCreateAProject();
    void loadTellsWhichSpecialValuesExist();
    void removeDeletesTheWholeTree();
    void rename_data();
    void rename();
    void lookUpFolder_data();
    void lookUpFolder();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<RegistryHive> m_hive;
};

void ProjectStoreTest::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    m_hive = std::make_unique<RegistryHive>(m_dir->filePath(QStringLiteral("HKCU.reg")));
}

void ProjectStoreTest::listingCreatesTheProjectsKey() {
    ProjectStore store(*m_hive);
    QVERIFY(store.names().isEmpty());
    QVERIFY(m_hive->keyExists(ProjectStore::projectsKey));
    for (const char* name : {"Zeta", "alpha", "Mid"}) {
        QVERIFY(store.create(QLatin1String(name)));
    }
    QCOMPARE(store.names(), (QStringList{"Zeta", "alpha", "Mid"}));
}

void ProjectStoreTest::noProjectReadsAndWritesNothing() {
    ProjectStore store(*m_hive);
    store.names();
    QVERIFY(!store.writeValue(QString(), ProjectStore::valuePath, QStringLiteral("/x/")));
    QVERIFY(!store.readValue(QString(), ProjectStore::valuePath));
    QVERIFY(!store.load(QString()));
    QVERIFY(!store.create(QString()));
    QVERIFY(!store.remove(QString()));
    QVERIFY(!m_hive->valueExists(ProjectStore::projectsKey, ProjectStore::valuePath));
    QVERIFY(m_hive->subKeys(ProjectStore::projectsKey).isEmpty());
}

void ProjectStoreTest::writesNeverCreateAProject() {
    ProjectStore store(*m_hive);
    QVERIFY(!store.writeValue(QStringLiteral("Gone"), ProjectStore::valueExtension, QStringLiteral("tvl")));
    QVERIFY(!store.exists(QStringLiteral("Gone")));
    QVERIFY(store.create(QStringLiteral("Here")));
    QVERIFY(store.writeValue(QStringLiteral("HERE"), ProjectStore::valueExtension, QStringLiteral("tvl")));
    QCOMPARE(store.readValue(QStringLiteral("here"), ProjectStore::valueExtension), QStringLiteral("tvl"));
}

void ProjectStoreTest::loadTellsWhichSpecialValuesExist() {
    ProjectStore store(*m_hive);
    store.create(QStringLiteral("P"));
    store.writeValue(QStringLiteral("P"), ProjectStore::valueSpecialPath, QStringLiteral("/s/"));
    std::optional<ProjectSettings> settings = store.load(QStringLiteral("P"));
    QVERIFY(settings);
    QCOMPARE(settings->specialPath, QStringLiteral("/s/"));
    QVERIFY(!settings->specialExtension);
    QVERIFY(!settings->hasSpecialFiles());
    QVERIFY(settings->path.isEmpty());
    // A value of another type reads as absent for strings but still exists.
    m_hive->writeDword(ProjectStore::projectKey(QStringLiteral("P")), ProjectStore::valueSpecialExtension, 1);
    settings = store.load(QStringLiteral("P"));
    QCOMPARE(settings->specialExtension, QString());
    QVERIFY(settings->hasSpecialFiles());
    QVERIFY(!store.load(QStringLiteral("Q")));
}

void ProjectStoreTest::removeDeletesTheWholeTree() {
    ProjectStore store(*m_hive);
    store.create(QStringLiteral("A"));
    store.create(QStringLiteral("B"));
    m_hive->createKey(ProjectStore::projectKey(QStringLiteral("A")) + QStringLiteral("\\Sub"));
    store.writeValue(QStringLiteral("A"), ProjectStore::valuePath, QStringLiteral("/a/"));
    QVERIFY(store.remove(QStringLiteral("A")));
    QCOMPARE(store.names(), QStringList{"B"});
    QVERIFY(!store.remove(QStringLiteral("A")));
}

void ProjectStoreTest::rename_data() {
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<bool>("renamed");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("new name") << "Alpha"
                              << "Gamma" << true << QStringList{"Beta", "Gamma"};
    QTest::newRow("letter case only") << "Alpha"
                                      << "ALPHA" << true << QStringList{"Beta", "ALPHA"};
    QTest::newRow("same name") << "Alpha"
                               << "Alpha" << true << QStringList{"Alpha", "Beta"};
    QTest::newRow("taken") << "Alpha"
                           << "beta" << false << QStringList{"Alpha", "Beta"};
    QTest::newRow("missing") << "Delta"
                             << "Epsilon" << false << QStringList{"Alpha", "Beta"};
    QTest::newRow("empty") << "Alpha"
                           << "" << false << QStringList{"Alpha", "Beta"};
}

void ProjectStoreTest::rename() {
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(bool, renamed);
    QFETCH(QStringList, names);
    ProjectStore store(*m_hive);
    store.create(QStringLiteral("Alpha"));
    store.writeValue(QStringLiteral("Alpha"), ProjectStore::valuePath, QStringLiteral("/alpha/"));
    m_hive->createKey(ProjectStore::projectKey(QStringLiteral("Alpha")) + QStringLiteral("\\Nested"));
    store.create(QStringLiteral("Beta"));
    store.writeValue(QStringLiteral("Beta"), ProjectStore::valuePath, QStringLiteral("/beta/"));
    QCOMPARE(store.rename(from, to), renamed);
    QStringList sortedActual = store.names();
    QStringList sortedExpected = names;
    sortedActual.sort();
    sortedExpected.sort();
    QCOMPARE(sortedActual, sortedExpected);
    const QString alphaNow = renamed ? to : QStringLiteral("Alpha");
    if (from == QLatin1String("Alpha")) {
        QCOMPARE(store.readValue(alphaNow, ProjectStore::valuePath), QStringLiteral("/alpha/"));
        QVERIFY(m_hive->keyExists(ProjectStore::projectKey(alphaNow) + QStringLiteral("\\Nested")));
    }
    QCOMPARE(store.readValue(QStringLiteral("Beta"), ProjectStore::valuePath), QStringLiteral("/beta/"));
}

void ProjectStoreTest::lookUpFolder_data() {
    QTest::addColumn<QString>("stored"); // "<absent>" leaves the value out
    QTest::addColumn<QString>("subFolder");
    QTest::addColumn<QString>("folder");
    const QString sep = QDir::separator();
    QTest::newRow("absent") << "<absent>"
                            << "Languages"
                            << "";
    QTest::newRow("empty value") << ""
                                 << "Languages"
                                 << "";
    QTest::newRow("sub-folder") << "/opt/tolvane"
                                << "Languages"
                                << "/opt/tolvane" + sep + "Languages" + sep;
    QTest::newRow("ends in separator") << "/opt/tolvane" + sep << "Includes"
                                       << "/opt/tolvane" + sep + "Includes" + sep;
    QTest::newRow("no sub-folder") << "/opt/tolvane"
                                   << ""
                                   << "/opt/tolvane" + sep;
}

void ProjectStoreTest::lookUpFolder() {
    QFETCH(QString, stored);
    QFETCH(QString, subFolder);
    QFETCH(QString, folder);
    const QString key = QStringLiteral("\\Software\\Harvik Software\\Wardlock");
    if (stored != QLatin1String("<absent>")) {
        m_hive->createKey(key);
        m_hive->writeString(key, QStringLiteral("Path"), stored);
    }
    QCOMPARE(ProjectPresets::lookUpFolder(*m_hive, key, QStringLiteral("Path"), subFolder), folder);
    QCOMPARE(ProjectPresets::lookUpFolder(*m_hive, QString(), QStringLiteral("Path"), subFolder), QString());
}

TOLVANE_TEST(ProjectStoreTest)
#include "ProjectStoreTest.moc"

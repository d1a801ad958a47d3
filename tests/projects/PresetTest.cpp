#include "TestRegistry.h"

#include "MainWindowFixture.h"
#include "OpenPage.h"
#include "ProjectListWidget.h"
#include "ProjectStore.h"
#include "RegistryHive.h"

#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

using Kind = ScriptedDialogs::Kind;

QString sep() {
    return QDir::separator();
}

QStringList offeredValues(const ScriptedDialogs& dialogs) {
    QStringList values;
    for (const ScriptedDialogs::Question& question : dialogs.questions(Kind::Input)) {
        values.append(question.value);
    }
    return values;
}

} // namespace

class PresetTest : public QObject {
    Q_OBJECT
private slots:
    void presets_data();
    void presets();
    void cancelInFolderBrowserCreatesNothing();
    void namePromptRepeatsUntilTheNameIsNew();
    void tolvaneFindsItsOwnFolderAfterAClose();
};

void PresetTest::presets_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("productKey"); // empty: no look-up
    QTest::addColumn<QString>("productValue");
    QTest::addColumn<bool>("installed");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QString>("specialExtension");
    const QString harvik = QStringLiteral("\\Software\\Harvik Software");
    struct Row {
        const char* item;
        QString key;
        const char* value;
        const char* name;
        const char* extension;
        const char* special;
    };
    const QList<Row> rows = {
        {"miProjectAddTolvane", harvik + "\\Editors\\Tolvane", "AppPath", "Tolvane", "tvl", ""},
        {"miProjectAddCorvina", harvik + "\\Analysis tools\\Corvina", "AppPath", "Corvina", "cvl", ""},
        {"miProjectAddMirabel", harvik + "\\Analysis tools\\Mirabel", "AppPath", "Mirabel", "mbl", ""},
        {"miProjectAddWardlock", harvik + "\\Wardlock", "Path", "Wardlock", "wdl", "nfo"},
        {"miProjectAddFileCustom", QString(), "", "Custom project", "ini", ""},
        {"aProjectAdd", QString(), "", "Custom project", "ini", ""},
    };
    for (const Row& row : rows) {
        for (const bool installed : {true, false}) {
            if (row.key.isEmpty() && !installed) {
                continue;
            }
            QTest::addRow("%s %s", row.item, installed ? "installed" : "absent")
                << row.item << row.key << row.value << installed << row.name << row.extension << row.special;
        }
    }
}

void PresetTest::presets() {
    QFETCH(QString, item);
    QFETCH(QString, productKey);
    QFETCH(QString, productValue);
    QFETCH(bool, installed);
    QFETCH(QString, name);
    QFETCH(QString, extension);
    QFETCH(QString, specialExtension);
    MainWindowFixture f;
    const QString product = f.makeFolder(QStringLiteral("product"));
    if (!productKey.isEmpty() && installed) {
        QVERIFY(f.writeValue(productKey, productValue, product));
    }
    f.writeProject(QStringLiteral("Existing"), {{"Path", "/e/"}});
    QVERIFY(f.show());
    const QString chosen = f.makeFolder(QStringLiteral("chosen"));
    f.dialogs().setNextFolder(chosen);
    f.dialogs().setNextInputCancel(); // the offered extension stays
    if (!specialExtension.isEmpty()) {
        f.dialogs().setNextInputCancel();
    }
    f.dialogs().setNextInputCancel(); // the offered name is new: taken as it is
    QVERIFY(f.trigger(item));
    QCOMPARE(f.dialogs().pendingAnswers(), 0);

    const QList<ScriptedDialogs::Question> folders = f.dialogs().questions(Kind::Folder);
    QCOMPARE(folders.size(), 1);
    const QString languages = productKey.isEmpty() || !installed ? QString() : product + sep() + "Languages" + sep();
    QCOMPARE(folders.constFirst().text, languages);
    QStringList expectedOffers{extension};
    if (!specialExtension.isEmpty()) {
        expectedOffers << specialExtension;
    }
    expectedOffers << name;
    QCOMPARE(offeredValues(f.dialogs()), expectedOffers);
    QCOMPARE(f.dialogs().questions(Kind::Input).constFirst().caption, QStringLiteral("File extension"));
    QCOMPARE(f.dialogs().questions(Kind::Input).constLast().text, QStringLiteral("Please enter description:"));

    QCOMPARE(f.projectValue(name, "Path"), chosen + sep());
    QCOMPARE(f.projectValue(name, "Extension"), extension);
    QCOMPARE(f.projectValue(name, "SpecialExtension").value_or(QString()), specialExtension);
    const bool specialPath = !specialExtension.isEmpty() && installed;
    QCOMPARE(f.projectValue(name, "SpecialPath").has_value(), specialPath);
    if (specialPath) {
        QCOMPARE(f.projectValue(name, "SpecialPath"), product + sep() + "Includes" + sep());
    }
    for (const char* unset : {"Ref", "Source", "Destination"}) {
        QVERIFY(!f.projectValue(name, QLatin1String(unset)));
    }
    OpenPage& page = f.openPage();
    QCOMPARE(f.session().projectName(), name);
    QCOMPARE(page.lbProjects()->count(), 2);
    QCOMPARE(page.lbProjects()->item(page.lbProjects()->selectedRow())->text(), name);
    QVERIFY(page.bnRefreshLanguages()->isEnabled());
    QVERIFY(!page.bnEditLng()->isEnabled());

    // Clicking the new project enables "Edit special" only when both special values exist.
    QVERIFY(f.clickProject(QStringLiteral("Existing")));
    QVERIFY(f.clickProject(name));
    QCOMPARE(page.bnEditSpecial()->isEnabled(), specialPath);
    QCOMPARE(page.editProjectSpecialExtension()->isEnabled(), !specialExtension.isEmpty());
}

void PresetTest::cancelInFolderBrowserCreatesNothing() {
    MainWindowFixture f;
    f.writeProject(QStringLiteral("Existing"), {{"Path", "/e/"}, {"Extension", "x"}});
    QVERIFY(f.show());
    QVERIFY(f.clickProject(QStringLiteral("Existing")));
    QFile file(f.hivePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    f.dialogs().setNextFolderCancel();
    QVERIFY(f.trigger(QStringLiteral("miProjectAddWardlock")));
    QCOMPARE(f.dialogs().questions().size(), 1);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);
    QCOMPARE(f.session().projectName(), QStringLiteral("Existing"));
    QCOMPARE(f.openPage().editProjectLanguagePath()->text(), QStringLiteral("/e/"));
    QCOMPARE(f.openPage().lbProjects()->count(), 1);
}

void PresetTest::namePromptRepeatsUntilTheNameIsNew() {
    MainWindowFixture f;
    f.writeProject(QStringLiteral("Custom project"));
    QVERIFY(f.show());
    f.dialogs().setNextFolder(f.makeFolder(QStringLiteral("c")));
    f.dialogs().setNextInput(QStringLiteral("lng"));
    f.dialogs().setNextInputCancel();                           // keeps the taken name
    f.dialogs().setNextInput(QStringLiteral("CUSTOM project")); // taken, ignoring case
    f.dialogs().setNextInput(QString());                        // empty
    f.dialogs().setNextInput(QStringLiteral("Mine\\Yours"));
    f.dialogs().setNextInput(QStringLiteral("Mine"));
    QVERIFY(f.trigger(QStringLiteral("miProjectAddFileCustom")));
    QCOMPARE(f.dialogs().pendingAnswers(), 0);
    QCOMPARE(offeredValues(f.dialogs()),
             (QStringList{"ini", "Custom project", "Custom project", "CUSTOM project", "", "Mine\\Yours"}));
    QCOMPARE(f.dialogs().errors(), QStringList{"A project name cannot contain the character \"\\\"."});
    QCOMPARE(f.projectValue(QStringLiteral("Mine"), "Extension"), QStringLiteral("lng"));
    QCOMPARE(RegistryHive(f.hivePath()).subKeys(ProjectStore::projectsKey), (QStringList{"Custom project", "Mine"}));
}

void PresetTest::tolvaneFindsItsOwnFolderAfterAClose() {
    MainWindowFixture f;
    QVERIFY(f.show());
    f.dialogs().setNextFolderCancel();
    QVERIFY(f.trigger(QStringLiteral("miProjectAddTolvane")));
    QVERIFY(f.window().close());
    f.dialogs().setNextFolderCancel();
    QVERIFY(f.trigger(QStringLiteral("miProjectAddTolvane")));
    const QList<ScriptedDialogs::Question> folders = f.dialogs().questions(Kind::Folder);
    QCOMPARE(folders.size(), 2);
    QCOMPARE(folders[0].text, QString());
    QCOMPARE(folders[1].text,
             QDir::toNativeSeparators(QCoreApplication::applicationDirPath()) + sep() + "Languages" + sep());
}

TOLVANE_TEST(PresetTest)
#include "PresetTest.moc"

#include "TestRegistry.h"

#include "ComponentList.h"
#include "ComponentTexts.h"
#include "InterfaceTexts.h"
#include "MainWindowFixture.h"
#include "TformSearch.h"
#include "WindowRegistry.h"

#include <QAction>
#include <QSet>
#include <QTabWidget>
#include <QTreeView>
#include <QtTest>

namespace {

QString line(const InterfaceText& text) {
    QString value = text.value;
    value.replace(QLatin1String("\r\n"), QLatin1String("\\r\\n"));
    return text.section + QStringLiteral(" | ") + text.key + QStringLiteral(" | ") + value +
           (text.escaped ? QStringLiteral(" (escaped)") : QString());
}

// Every caption, hint and list text of a window under its section and key, one line each.
QStringList listing(const ComponentList& window) {
    QStringList lines;
    for (const InterfaceText& text : InterfaceTexts::ofWindow(window)) {
        lines.append(line(text));
    }
    if (qEnvironmentVariableIsSet("TOLVANE_PRINT_KEYS")) {
        qInfo().noquote() << lines.join(QLatin1Char('\n'));
    }
    return lines;
}

} // namespace

// The main window as the interface translator sees it: each component's section and key, checked
// against the examples of the interface-translation design, and its parent and position.
class FormMainKeysTest : public QObject {
    Q_OBJECT
private slots:
    void designExamples_data();
    void designExamples();
    void everyKeyOnce();
    void designParentsAndPositions();
    void searchWindowReachable();
    void textsTakeWhatALanguageGives();
};

void FormMainKeysTest::designExamples_data() {
    QTest::addColumn<QString>("expected");
    const QStringList rows = {
        "Forms | formMain | Tolvane (1.1f)",
        "formMain.pcMain | tsOpen | Open project (escaped)",
        "formMain.pcMain.tsOpen | labelProjectLanguagePath | Language file path: (escaped)",
        "formMain.pcMain.tsOpen | cbProjectLanguageReference.Hint | The main (always complete) language of the "
        "software to be translated. (escaped)",
        "formMain.pcMain.tsOpen.panelOpenLeft | lbProjects.Items",
        "formMain.pcMain.tsEdit | lvLanguageSections.Items | Section\\r\\n (escaped)",
        "formMain.pcMain.tsEdit.panelLngEditMain | lvLanguageValues.Items | Internal\\r\\nTranslation\\r\\n (escaped)",
        "formMain.pcMain.tsEdit.panelLngEditMain.panelLngEdit | labelSectionCaption | Section: (escaped)",
        "formMain.menuMain | miFile | &File",
        "formMain.menuMain.miFile | miFileOpen | &Open...",
        "formMain.menuMain.miProject.miProjectAdd | miProjectAddTolvane | &Tolvane...",
        "formMain.pmEdit | pmiSearchForText | &Search for text...",
        "formMain.alMain | aProjectAdd | Add project",
        "formMain.alMain | aSaveLanguageEntry | F2",
    };
    for (const QString& row : rows) {
        QTest::newRow(qPrintable(row.section(QStringLiteral(" | "), 0, 1))) << row;
    }
}

void FormMainKeysTest::designExamples() {
    QFETCH(QString, expected);
    MainWindowFixture f;
    const QStringList lines = listing(f.window().componentList());
    if (expected.endsWith(QLatin1String(".Items"))) {
        // An empty list writes nothing: the project list is filled only after the texts are written.
        for (const QString& each : lines) {
            QVERIFY2(!each.startsWith(expected), qPrintable(each));
        }
        return;
    }
    QVERIFY2(lines.contains(expected), qPrintable(lines.join(QLatin1Char('\n'))));
}

void FormMainKeysTest::everyKeyOnce() {
    MainWindowFixture f;
    const QList<InterfaceText> texts = InterfaceTexts::ofWindow(f.window().componentList());
    QSet<QString> keys;
    for (const InterfaceText& text : texts) {
        const QString key = text.section.toUpper() + QLatin1Char('|') + text.key.toUpper();
        QVERIFY2(!keys.contains(key), qPrintable(line(text)));
        keys.insert(key);
        QVERIFY2(text.section == QLatin1String("Forms") || text.section.startsWith(QLatin1String("formMain")),
                 qPrintable(line(text)));
        // Separators and the button that shows the F2 action have no texts of their own.
        for (const char* silent : {"N1", "N2", "bnSaveLanguageEntry"}) {
            QVERIFY2(!text.key.startsWith(QLatin1String(silent)), qPrintable(line(text)));
        }
    }
    QVERIFY(texts.size() >= 40);
}

void FormMainKeysTest::designParentsAndPositions() {
    MainWindowFixture f;
    const ComponentList& window = f.window().componentList();
    QCOMPARE(&window.window(), &f.window());
    const QList<QPair<const char*, const char*>> parents = {{"pcMain", "formMain"},
                                                            {"tsOpen", "pcMain"},
                                                            {"lbProjects", "panelOpenLeft"},
                                                            {"pgLoad", "tsOpen"},
                                                            {"lvLanguageSections", "tsEdit"},
                                                            {"splitterEdit", "tsEdit"},
                                                            {"lvLanguageValues", "panelLngEditMain"},
                                                            {"splitterValues", "panelLngEditMain"},
                                                            {"memoLngEdit", "panelLngEdit"},
                                                            {"miFile", "menuMain"},
                                                            {"miFileOpen", "miFile"},
                                                            {"miProjectAddTolvane", "miProjectAdd"},
                                                            {"pmiSearchForText", "pmEdit"},
                                                            {"aProjectAdd", "alMain"},
                                                            {"ilMain", "formMain"},
                                                            {"odRuleFile", "formMain"}};
    for (const auto& [child, parent] : parents) {
        const QObject* component = window.find(QLatin1String(child));
        QVERIFY2(component != nullptr, child);
        QCOMPARE(window.parentOf(component)->objectName(), QLatin1String(parent));
    }
    const QObject* pcMain = window.find(QStringLiteral("pcMain"));
    QCOMPARE(window.positionOf(pcMain), int(window.all().indexOf(const_cast<QObject*>(pcMain))));
    QCOMPARE(window.positionOf(window.find(QStringLiteral("tsEdit"))), 1);
    QCOMPARE(window.positionOf(window.find(QStringLiteral("lvLanguageValues"))), 0);
    QCOMPARE(window.positionOf(window.find(QStringLiteral("splitterValues"))), 1);
}

void FormMainKeysTest::searchWindowReachable() {
    MainWindowFixture f;
    TformSearch search;
    const WindowRegistry& windows = WindowRegistry::application();
    QCOMPARE(windows.find(QStringLiteral("formMain")), &f.window().componentList());
    QCOMPARE(windows.find(QStringLiteral("formSearch")), &search.componentList());
    QVERIFY(listing(*windows.find(QStringLiteral("formSearch"))).contains("Forms | formSearch | Search results"));
}

void FormMainKeysTest::textsTakeWhatALanguageGives() {
    MainWindowFixture f;
    auto* values = f.find<QTreeView>(QStringLiteral("lvLanguageValues"));
    QVERIFY(ComponentTexts::hasListTexts(values));
    // A third line on a list of two columns is ignored.
    ComponentTexts::setListTexts(values, {"Intern", "Übersetzung", "Extra"});
    QCOMPARE(ComponentTexts::listTexts(values), (QStringList{"Intern", "Übersetzung"}));
    auto* sections = f.find<QTreeView>(QStringLiteral("lvLanguageSections"));
    ComponentTexts::setListTexts(sections, {"Abschnitt"});
    QCOMPARE(sections->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Abschnitt"));
    // Combo boxes with images have no list texts.
    QVERIFY(!ComponentTexts::hasListTexts(f.find<QObject>(QStringLiteral("cbProjectLanguageReference"))));
    // A page's caption is its tab's text; an action's hint is its own, not its text.
    ComponentTexts::setCaption(f.find<QObject>(QStringLiteral("tsOpen")), QStringLiteral("Projekt öffnen"));
    QCOMPARE(f.window().pcMain()->tabText(0), QStringLiteral("Projekt öffnen"));
    QAction* add = f.action(QStringLiteral("aProjectAdd"));
    QVERIFY(ComponentTexts::hint(add).isEmpty());
    ComponentTexts::setHint(add, QStringLiteral("Ein neues Projekt"));
    QCOMPARE(ComponentTexts::hint(add), QStringLiteral("Ein neues Projekt"));
}

TOLVANE_TEST(FormMainKeysTest)
#include "FormMainKeysTest.moc"

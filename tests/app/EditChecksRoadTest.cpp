#include "TestRegistry.h"

#include "MessageTable.h"
#include "TranslationRoad.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTreeView>
#include <QtTest>

// The checks, the completion figures and the next untranslated entry on the Edit page, driven
// as a translator drives them: English reference, German source, French destination.
class EditChecksRoadTest : public QObject {
    Q_OBJECT
private slots:
    void warningWhileTyping_data();
    void warningWhileTyping();
    void figuresFollowSaves();
    void nextUntranslated_data();
    void nextUntranslated();
    void noShortcutTwice();
    void picture();
};

namespace {

QString label(TranslationRoad& road, const char* name) {
    return road.fixture().find<QLabel>(QLatin1String(name))->text();
}

bool warningShown(TranslationRoad& road) {
    return road.fixture().find<QLabel>(QStringLiteral("imageLngCheck"))->isVisibleTo(&road.window());
}

QString message(int index) {
    return MessageTable::defaultText(index);
}

} // namespace

void EditChecksRoadTest::warningWhileTyping_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("reason");
    QTest::newRow("kept") << "Enregistrer les modifications de %s ?" << QString();
    QTest::newRow("placeholder dropped") << "Enregistrer les modifications ?"
                                         << message(MessageTable::CheckPlaceholders);
    QTest::newRow("question mark dropped") << "Enregistrer %s" << message(MessageTable::CheckEndPunctuation);
    QTest::newRow("line break added") << "Enregistrer\n%s ?" << message(MessageTable::CheckLineBreaks);
    QTest::newRow("two at once") << " &Enregistrer %s ?"
                                 << message(MessageTable::CheckAccelerators) + "; " +
                                        message(MessageTable::CheckLeadingBlanks);
}

void EditChecksRoadTest::warningWhileTyping() {
    QFETCH(QString, typed);
    QFETCH(QString, reason);
    TranslationRoad road;
    road.addLumen();
    QVERIFY(road.openEntry(QStringLiteral("Messages"), QStringLiteral("SaveChanges")));
    QVERIFY(!warningShown(road));
    road.typeIntoMemo(typed);
    QCOMPARE(label(road, "labelLngCheck"), reason);
    QCOMPARE(warningShown(road), !reason.isEmpty());
    // A warning never stops the save; the saved entry's tool tip keeps saying it.
    road.pressF2();
    QByteArray stored = typed.toLatin1().replace("\n", "%0D%0A");
    QVERIFY(road.bytes(QStringLiteral("French")).contains("SaveChanges=" + stored + "\r\n"));
    const QAbstractItemModel* values = road.values()->model();
    const QModelIndex key = values->match(values->index(0, 0), Qt::DisplayRole, QStringLiteral("SaveChanges")).value(0);
    const QModelIndex saved = key.siblingAtColumn(1);
    QCOMPARE(saved.data(Qt::DisplayRole).toString(), QString::fromLatin1(stored));
    QCOMPARE(saved.data(Qt::ToolTipRole).toString(),
             QString::fromLatin1(stored) + (reason.isEmpty() ? QString() : QLatin1Char('\n') + reason));
}

void EditChecksRoadTest::figuresFollowSaves() {
    TranslationRoad road;
    road.addLumen();
    QVERIFY(road.openEditPage());
    QCOMPARE(label(road, "labelLngStatus"), QStringLiteral("File: 8 of 20 entries translated, 2 equal to the source"));
    QVERIFY(road.clickSection(QStringLiteral("Messages")));
    const QString messages = QStringLiteral("%1 of 4 entries translated, %2 equal to the source");
    QCOMPARE(label(road, "labelLngStatus"), QStringLiteral("File: 8 of 20 entries translated, 2 equal to the source    "
                                                           "Section Messages: ") +
                                                messages.arg(1).arg(0));
    // DeleteNote, FileNotFound (taken over from the source as it stands), then Progress.
    road.typeIntoMemo(QStringLiteral("Supprimer cette note ?"));
    road.pressF2();
    road.pressF2();
    QCOMPARE(label(road, "labelLngStatus"),
             QStringLiteral("File: 10 of 20 entries translated, 3 equal to the source    "
                            "Section Messages: ") +
                 messages.arg(3).arg(1));
    const QModelIndex section = road.sections()->currentIndex();
    QCOMPARE(section.data(Qt::ToolTipRole).toString(), "Messages\n" + messages.arg(3).arg(1));
}

void EditChecksRoadTest::nextUntranslated_data() {
    QTest::addColumn<QString>("reference");
    QTest::addColumn<QString>("destination");
    QTest::addColumn<QStringList>("reached"); // the entry chosen first, then one per F4
    QTest::newRow("through every section and round")
        << "English"
        << "French" << QStringList{"About/Copyright",     "About/Thanks",           "About/Title",
                                   "MainWindow/MenuHelp", "MainWindow/StatusReady", "MainWindow/StatusWords",
                                   "Messages/DeleteNote", "Messages/FileNotFound",  "Messages/Progress",
                                   "Options/Autosave",    "Options/Spelling",       "Options/Theme",
                                   "About/Copyright"};
    QTest::newRow("nothing left") << "German"
                                  << "German" << QStringList{"About/Copyright"};
}

void EditChecksRoadTest::nextUntranslated() {
    QFETCH(QString, reference);
    QFETCH(QString, destination);
    QFETCH(QStringList, reached);
    TranslationRoad road;
    road.addProject(QStringLiteral("Lumen"), reference, QStringLiteral("German"), destination);
    QVERIFY(road.openEditPage());
    QVERIFY(road.clickSection(QStringLiteral("About")));
    const auto place = [&road] {
        return label(road, "labelLanguageSection") + "/" + label(road, "labelLanguageValue");
    };
    QStringList actual = {place()};
    for (int i = 1; i < reached.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4);
        actual.append(place());
        QCOMPARE(QApplication::focusWidget(), road.memo());
    }
    QCOMPARE(actual, reached);
    if (reached.size() == 1) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4);
        QCOMPARE(label(road, "labelLngStatus"), message(MessageTable::NoUntranslatedEntry));
        QCOMPARE(place(), reached.first());
    }
}

void EditChecksRoadTest::noShortcutTwice() {
    TranslationRoad road;
    QHash<QKeySequence, QString> seen;
    for (QAction* action : road.window().findChildren<QAction*>()) {
        if (!action->shortcut().isEmpty()) {
            QVERIFY2(!seen.contains(action->shortcut()),
                     qPrintable(action->objectName() + " and " + seen.value(action->shortcut())));
            seen.insert(action->shortcut(), action->objectName());
        }
    }
    QCOMPARE(seen.value(QKeySequence(Qt::Key_F4)), QStringLiteral("aNextUntranslatedEntry"));
}

// TOLVANE_SCREENSHOT_DIR=<folder> saves edit-page-checks.png there.
void EditChecksRoadTest::picture() {
    TranslationRoad road;
    road.addLumen();
    QVERIFY(road.openEntry(QStringLiteral("Messages"), QStringLiteral("SaveChanges")));
    road.typeIntoMemo(QStringLiteral("Enregistrer les modifications ?"));
    QCoreApplication::processEvents();
    QVERIFY(warningShown(road));
    const QString folder = qEnvironmentVariable("TOLVANE_SCREENSHOT_DIR");
    if (!folder.isEmpty()) {
        QVERIFY(road.window().grab().save(QDir(folder).filePath(QStringLiteral("edit-page-checks.png"))));
    }
}

TOLVANE_TEST(EditChecksRoadTest)
#include "EditChecksRoadTest.moc"

#include "EntryCheck.h"
#include "MessageTable.h"
#include "TestRegistry.h"

#include <QtTest>

using Problems = QList<int>;

// The checks of a translation against its source text, each with cases that must and must not
// warn, typed as a translator types them.
class EntryCheckTest : public QObject {
    Q_OBJECT
private slots:
    void placeholders_data();
    void placeholders();
    void problems_data();
    void problems();
    void reasonsAreOneLineFromTheMessageTable();
};

void EntryCheckTest::placeholders_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("string") << "100 %s" << QStringList{"%s"};
    QTest::newRow("number then literal percent") << "%d%%" << QStringList{"%d"};
    QTest::newRow("lone percent at the end") << "5%" << QStringList{};
    QTest::newRow("literal percent before s") << "%%s" << QStringList{};
    QTest::newRow("numbered, repeated") << "%2 of %1, %1" << QStringList{"%1", "%1", "%2"};
    QTest::newRow("every letter") << "%u %x %9 %d %s" << QStringList{"%9", "%d", "%s", "%u", "%x"};
    QTest::newRow("not placeholders") << "%0 %S %D % s" << QStringList{};
    QTest::newRow("line break escape is not one") << "a%0D%0Ab" << QStringList{};
}

void EntryCheckTest::placeholders() {
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    QCOMPARE(EntryCheck::placeholders(text), expected);
}

void EntryCheckTest::problems_data() {
    QTest::addColumn<QString>("translation");
    QTest::addColumn<QString>("original");
    QTest::addColumn<Problems>("expected");
    const int P = EntryCheck::Placeholders, L = EntryCheck::LineBreaks, A = EntryCheck::Accelerators,
              B = EntryCheck::LeadingBlanks, T = EntryCheck::TrailingBlanks, E = EntryCheck::EndPunctuation;
    QTest::newRow("same") << "Save changes?"
                          << "Save changes?" << Problems{};
    QTest::newRow("placeholder dropped") << "Enregistrer les modifications ?"
                                         << "Save the changes to %s?" << Problems{P};
    QTest::newRow("placeholders reordered") << "%2 von %1"
                                            << "%1 of %2" << Problems{};
    QTest::newRow("placeholder changed") << "%d Dateien"
                                         << "%s files" << Problems{P};
    QTest::newRow("percent after number") << "%d%%"
                                          << "%d%" << Problems{};
    QTest::newRow("literal percent is no placeholder") << "100%%"
                                                       << "%d" << Problems{P};
    QTest::newRow("lone percent at the end") << "Fertig: 100%"
                                             << "Done: 100%" << Problems{};
    QTest::newRow("line break dropped") << "Bienvenue dans Tolvane"
                                        << "Welcome\r\nto Tolvane" << Problems{L};
    QTest::newRow("line break typed with Enter") << "Bienvenue\ndans Tolvane"
                                                 << "Welcome\r\nto Tolvane" << Problems{};
    QTest::newRow("line break added") << "a\r\nb\r\nc"
                                      << "a\r\nb" << Problems{L};
    QTest::newRow("accelerator dropped") << "Fichier"
                                         << "&File" << Problems{A};
    QTest::newRow("accelerator moved") << "&Datei"
                                       << "&File" << Problems{};
    QTest::newRow("double ampersand is literal") << "Save && Exit"
                                                 << "Enregistrer et quitter" << Problems{};
    QTest::newRow("literal against accelerator") << "&&Datei"
                                                 << "&File" << Problems{A};
    QTest::newRow("ampersand at the end") << "Datei &"
                                          << "File" << Problems{};
    QTest::newRow("leading blank dropped") << "Nom"
                                           << " Name" << Problems{B};
    QTest::newRow("trailing blank added") << "Nom: "
                                          << "Name:" << Problems{T};
    QTest::newRow("blanks kept") << "  Nom "
                                 << "  Name " << Problems{};
    QTest::newRow("ellipsis for three dots") << "Chargement\u2026"
                                             << "Loading..." << Problems{};
    QTest::newRow("question mark dropped") << "Continuer"
                                           << "Continue?" << Problems{E};
    QTest::newRow("other mark") << "Fertig!"
                                << "Done." << Problems{E};
    QTest::newRow("French spacing") << "Enregistrer les modifications de %s ?"
                                    << "Save the changes to %s?" << Problems{};
    QTest::newRow("full-width question mark") << "\u4FDD\u5B58\uFF1F"
                                              << "Save?" << Problems{};
    QTest::newRow("several at once") << "Ouvrir "
                                     << "&Open %s..." << Problems{P, A, T, E};
}

void EntryCheckTest::problems() {
    QFETCH(QString, translation);
    QFETCH(QString, original);
    QFETCH(Problems, expected);
    Problems actual;
    for (const EntryCheck::Problem problem : EntryCheck::problems(translation, original)) {
        actual.append(int(problem));
    }
    QCOMPARE(actual, expected);
}

void EntryCheckTest::reasonsAreOneLineFromTheMessageTable() {
    const QString reasons = EntryCheck::reasons({EntryCheck::Placeholders, EntryCheck::EndPunctuation},
                                                [](int index) { return MessageTable::defaultText(index); });
    QCOMPARE(reasons, QStringLiteral("The placeholders differ from the source text; "
                                     "The ending punctuation differs from the source text"));
}

TOLVANE_TEST(EntryCheckTest)
#include "EntryCheckTest.moc"

#pragma once

#include "MainWindowFixture.h"

#include <QByteArray>
#include <QPair>
#include <QString>
#include <QStringList>

class QPlainTextEdit;
class QTreeView;

// The main window driven along the road of one translation: a project over a folder of
// language files, the Open page's choices, the Edit page's lists, the edit field and F2.
class TranslationRoad {
public:
    // A copy of the example product's language files in a folder of the fixture.
    TranslationRoad();
    // The example files where they are (for pictures only: nothing may be saved then).
    explicit TranslationRoad(const QString& languageFolder);

    MainWindowFixture& fixture() { return m_fixture; }
    TformMain& window() { return m_fixture.window(); }
    QString folder() const { return m_folder; }
    QString file(const QString& language) const;
    QByteArray bytes(const QString& language) const;
    void writeFile(const QString& language, const QByteArray& bytes) const;
    // Every file of the folder with its bytes, to prove that nothing was written.
    QList<QPair<QString, QByteArray>> snapshot() const;

    // A project on the folder with extension "lnl" and the three stored choices (none when empty).
    void addProject(const QString& name, const QString& reference, const QString& source, const QString& destination);
    // Shows and activates the window and clicks the project as the user would.
    bool open(const QString& project);
    // Clicks "&Edit language"; true when the Edit page is then shown.
    bool pressEditLanguage();

    // The project "Lumen": English reference, German source and the destination given.
    void addLumen(const QString& destination = QStringLiteral("French"));
    // Opens "Lumen" and enters the Edit page; false at the first step that fails.
    bool openEditPage();
    // openEditPage(), then clicks the section and the entry in it.
    bool openEntry(const QString& section, const QString& key);

    QTreeView* sections() const;
    QTreeView* values() const;
    QPlainTextEdit* memo() const;

    // The captions and marks of the section list, in display order.
    QList<QPair<QString, int>> sectionMarks() const;
    QStringList column(QTreeView* view, int column) const;
    bool clickSection(const QString& name);
    bool clickEntry(const QString& key);
    int selectedEntry() const;
    QString selectedKey() const;

    // Replaces the edit field's text by typing; "\n" is the Enter key.
    void typeIntoMemo(const QString& text);
    void pressF2();

private:
    bool clickRow(QTreeView* view, const QString& caption);

    MainWindowFixture m_fixture;
    QString m_folder;
};

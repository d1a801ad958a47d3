#include "TranslationRoad.h"

#include "OpenPage.h"
#include "ProjectStore.h"
#include "SectionListModel.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeView>
#include <QtTest>

namespace {

const QString examples = QStringLiteral(TOLVANE_TEST_DATA "/../../examples/LumenNotes");

} // namespace

TranslationRoad::TranslationRoad() : m_folder(m_fixture.makeFolder(QStringLiteral("lumen"))) {
    const QDir source(examples);
    for (const QString& name : source.entryList({QStringLiteral("*.lnl")}, QDir::Files)) {
        writeFile(QFileInfo(name).completeBaseName(), TestFiles::read(source.filePath(name)));
    }
}

TranslationRoad::TranslationRoad(const QString& languageFolder) : m_folder(languageFolder) {}

QString TranslationRoad::file(const QString& language) const {
    return QDir(m_folder).filePath(language + QStringLiteral(".lnl"));
}

QByteArray TranslationRoad::bytes(const QString& language) const {
    return TestFiles::read(file(language));
}

void TranslationRoad::writeFile(const QString& language, const QByteArray& bytes) const {
    TestFiles::write(file(language), bytes);
}

QList<QPair<QString, QByteArray>> TranslationRoad::snapshot() const {
    QList<QPair<QString, QByteArray>> files;
    const QDir dir(m_folder);
    for (const QString& name : dir.entryList(QDir::Files, QDir::Name)) {
        files.append({name, TestFiles::read(dir.filePath(name))});
    }
    return files;
}

void TranslationRoad::addProject(const QString& name, const QString& reference, const QString& source,
                                 const QString& destination) {
    QMap<QString, QString> values = {{QStringLiteral("Path"), m_folder}, {QStringLiteral("Extension"), "lnl"}};
    const QList<QPair<QString, QString>> choices = {{ProjectStore::valueReference, reference},
                                                    {ProjectStore::valueSource, source},
                                                    {ProjectStore::valueDestination, destination}};
    for (const auto& [valueName, language] : choices) {
        if (!language.isEmpty()) {
            values.insert(valueName, language);
        }
    }
    m_fixture.writeProject(name, values);
}

bool TranslationRoad::open(const QString& project) {
    if (!m_fixture.window().isVisible()) {
        if (!m_fixture.show()) {
            return false;
        }
        m_fixture.window().activateWindow();
        if (!QTest::qWaitForWindowActive(&m_fixture.window())) {
            return false;
        }
    }
    return m_fixture.clickProject(project);
}

bool TranslationRoad::pressEditLanguage() {
    QTest::mouseClick(m_fixture.openPage().bnEditLng(), Qt::LeftButton);
    return window().pcMain()->currentWidget() == window().tsEdit();
}

void TranslationRoad::addLumen(const QString& destination) {
    addProject(QStringLiteral("Lumen"), QStringLiteral("English"), QStringLiteral("German"), destination);
}

bool TranslationRoad::openEditPage() {
    return open(QStringLiteral("Lumen")) && pressEditLanguage();
}

bool TranslationRoad::openEntry(const QString& section, const QString& key) {
    return openEditPage() && clickSection(section) && clickEntry(key);
}

QTreeView* TranslationRoad::sections() const {
    return m_fixture.find<QTreeView>(QStringLiteral("lvLanguageSections"));
}

QTreeView* TranslationRoad::values() const {
    return m_fixture.find<QTreeView>(QStringLiteral("lvLanguageValues"));
}

QPlainTextEdit* TranslationRoad::memo() const {
    return m_fixture.find<QPlainTextEdit>(QStringLiteral("memoLngEdit"));
}

QList<QPair<QString, int>> TranslationRoad::sectionMarks() const {
    QList<QPair<QString, int>> marks;
    const QAbstractItemModel* model = sections()->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        const QModelIndex index = model->index(row, 0);
        marks.append({index.data().toString(), index.data(RowMarkRole).toInt()});
    }
    return marks;
}

QStringList TranslationRoad::column(QTreeView* view, int column) const {
    QStringList texts;
    for (int row = 0; row < view->model()->rowCount(); ++row) {
        texts.append(view->model()->index(row, column).data().toString());
    }
    return texts;
}

bool TranslationRoad::clickRow(QTreeView* view, const QString& caption) {
    const int row = column(view, 0).indexOf(caption);
    if (row < 0) {
        return false;
    }
    const QModelIndex index = view->model()->index(row, 0);
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    return true;
}

bool TranslationRoad::clickSection(const QString& name) {
    return clickRow(sections(), name);
}

bool TranslationRoad::clickEntry(const QString& key) {
    return clickRow(values(), key);
}

int TranslationRoad::selectedEntry() const {
    const QModelIndexList rows = values()->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.constFirst().row();
}

QString TranslationRoad::selectedKey() const {
    const int row = selectedEntry();
    return row < 0 ? QString() : values()->model()->index(row, 0).data().toString();
}

void TranslationRoad::typeIntoMemo(const QString& text) {
    QPlainTextEdit* edit = memo();
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Delete);
    for (const QChar c : text) {
        if (c == QLatin1Char('\n')) {
            QTest::keyClick(edit, Qt::Key_Return);
        } else {
            // keyClicks only knows Latin-1; the text of the event carries any character.
            QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
}

void TranslationRoad::pressF2() {
    QTest::keyClick(&window(), Qt::Key_F2);
}

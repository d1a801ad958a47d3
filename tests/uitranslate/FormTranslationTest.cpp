#include "ActionList.h"
#include "ComponentList.h"
#include "ComponentTexts.h"
#include "IniText.h"
#include "LanguageTextReader.h"
#include "FormTranslation.h"
#include "TestRegistry.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QTreeWidget>
#include <QtTest>

namespace {

// A small window with the kinds of components the program's windows have.
struct TestWindow {
    QWidget form;
    ComponentList list{form};

    TestWindow() {
        form.setObjectName(QStringLiteral("formTest"));
        form.setWindowTitle(QStringLiteral("Designed"));
        auto* label = list.add(new QLabel(QStringLiteral("Label"), &form));
        label->setObjectName(QStringLiteral("labelName"));
        label->setToolTip(QStringLiteral("Label hint"));
        auto* panel = list.add(new QGroupBox(QStringLiteral("Panel"), &form));
        panel->setObjectName(QStringLiteral("panelMain"));
        auto* columns = list.add(new QTreeWidget(panel));
        columns->setObjectName(QStringLiteral("lvValues"));
        columns->setHeaderLabels({QStringLiteral("Internal"), QStringLiteral("Translation")});
        auto* data = list.add(new QListWidget(panel));
        data->setObjectName(QStringLiteral("lbData"));
        data->addItems({QStringLiteral("one"), QStringLiteral("two")});
        data->setProperty("tag", 1);
        list.add(new QLabel(QStringLiteral("Unnamed"), panel));
        auto* unnamed = list.add(new QGroupBox(QStringLiteral("Unnamed box"), &form));
        auto* inner = list.add(new QLabel(QStringLiteral("Inner"), unnamed));
        inner->setObjectName(QStringLiteral("labelInner"));
        auto* box = list.add(new QComboBox(&form));
        box->setObjectName(QStringLiteral("cbPlain"));
        box->addItems({QStringLiteral("a"), QStringLiteral("b")});
        auto* actions = list.add(new ActionList(QStringLiteral("alTest"), &form));
        list.add(actions->add(QStringLiteral("aGo"), QStringLiteral("Go")));
        auto* bar = list.add(new QMenuBar(&form));
        bar->setObjectName(QStringLiteral("menuTest"));
        QMenu* file = bar->addMenu(QStringLiteral("&File"));
        file->menuAction()->setObjectName(QStringLiteral("miFile"));
        list.add(file->menuAction());
        QAction* open = list.add(file->addAction(QStringLiteral("&Open")));
        open->setObjectName(QStringLiteral("miFileOpen"));
        list.add(file->addAction(QStringLiteral("Unnamed item")));
    }

    QString text(const QString& name, const QString& what) const {
        const QObject* component = name == form.objectName() ? &form : list.find(name);
        if (component == nullptr) {
            // The unnamed label is the panel's third child.
            component = list.childrenOf(list.find(QStringLiteral("panelMain"))).value(2);
        }
        if (what == QLatin1String("hint")) {
            return ComponentTexts::hint(component);
        }
        return what == QLatin1String("items") ? ComponentTexts::listTexts(component).join(QLatin1Char('|'))
                                              : ComponentTexts::caption(component);
    }
};

} // namespace

class FormTranslationTest : public QObject {
    Q_OBJECT
private slots:
    void appliesByTheKeyScheme_data() {
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<QString>("component");
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("expected");
        QTest::newRow("window caption, not unescaped")
            << QByteArray("[Forms]\r\nformTest=Fenster%%") << "formTest" << "caption" << "Fenster%%";
        QTest::newRow("empty [Forms] keeps the caption")
            << QByteArray("[Forms]\r\n") << "formTest" << "caption" << "Designed";
        QTest::newRow("control text, unescaped")
            << QByteArray("[formTest]\r\nlabelName=Zeile%0D%0AZwei") << "labelName" << "caption" << "Zeile\r\nZwei";
        QTest::newRow("an empty value empties") << QByteArray("[formTest]\r\nlabelName=") << "labelName" << "caption"
                                                << "";
        QTest::newRow("absent keeps") << QByteArray("[formTest]\r\nother=x") << "labelName" << "caption" << "Label";
        QTest::newRow("hint") << QByteArray("[formTest]\r\nlabelName.Hint=Hinweis 50%%") << "labelName" << "hint"
                              << "Hinweis 50%";
        QTest::newRow("tag 1 still gets its hint")
            << QByteArray("[formTest.panelMain]\r\nlbData.Hint=Daten") << "lbData" << "hint" << "Daten";
        QTest::newRow("three lines on two columns")
            << QByteArray("[formTest.panelMain]\r\nlvValues.Items=Intern%0D%0A\xdc" "bersetzung%0D%0ADritte%0D%0A")
            << "lvValues" << "items" << QString::fromUtf8("Intern|Übersetzung");
        QTest::newRow("tag 1 keeps its list texts")
            << QByteArray("[formTest.panelMain]\r\nlbData.Items=x%0D%0A") << "lbData" << "items" << "one|two";
        QTest::newRow("plain combo box items")
            << QByteArray("[formTest]\r\ncbPlain.Items=x%0D%0Ay%0D%0Az%0D%0A") << "cbPlain" << "items" << "x|y|z";
        QTest::newRow("unnamed control by parent and position")
            << QByteArray("[formTest.panelMain]\r\npanelMain.2=Ohne Namen") << "" << "caption" << "Ohne Namen";
        QTest::newRow("children of an unnamed container are not visited")
            << QByteArray("[formTest.]\r\nlabelInner=Innen") << "labelInner" << "caption" << "Inner";
        QTest::newRow("action caption, not unescaped")
            << QByteArray("[formTest.alTest]\r\naGo=Los%%") << "aGo" << "caption" << "Los%%";
        QTest::newRow("action hint") << QByteArray("[formTest.alTest]\r\naGo.Hint=Jetzt") << "aGo" << "hint"
                                     << "Jetzt";
        QTest::newRow("menu item") << QByteArray("[formTest.menuTest]\r\nmiFile=&Datei") << "miFile" << "caption"
                                   << "&Datei";
        QTest::newRow("sub-menu item") << QByteArray("[formTest.menuTest.miFile]\r\nmiFileOpen=&\xd6" "ffnen")
                                       << "miFileOpen" << "caption" << QString::fromUtf8("&Öffnen");
    }
    void appliesByTheKeyScheme() {
        QFETCH(QByteArray, language);
        QFETCH(QString, component);
        QFETCH(QString, what);
        QFETCH(QString, expected);
        TestWindow window;
        const IniDocument document = iniFromText(language + "\r\n");
        const LanguageTextReader texts(document);
        QStringList events;
        FormTranslation(texts, [&](const QString& section, QObject* object, const IniDocument& ini) {
            QCOMPARE(&ini, &document);
            QVERIFY(window.list.contains(object));
            events << section;
        }).ApplyToForm(window.list);
        QCOMPARE(window.text(component, what), expected);
        QCOMPARE(events.size(), window.list.all().size());
        QCOMPARE(events.first(), QStringLiteral("formTest.labelName"));
    }

    void fonts_data() {
        QTest::addColumn<QByteArray>("main");
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("size");
        QTest::newRow("defaults") << QByteArray() << "MS Sans Serif" << 8;
        QTest::newRow("Tahoma 10") << QByteArray("FontName=Tahoma\r\nFontSize=10") << "Tahoma" << 10;
    }
    void fonts() {
        QFETCH(QByteArray, main);
        QFETCH(QString, family);
        QFETCH(int, size);
        TestWindow window;
        window.form.setFont(QFont(QStringLiteral("Courier"), 12));
        auto* own = qobject_cast<QLabel*>(window.list.find(QStringLiteral("labelInner")));
        QFont bold = own->font();
        bold.setBold(true);
        own->setFont(bold);
        const IniDocument document = iniFromText("[Main]\r\n" + main + "\r\n");
        const TFontSettings font = FormTranslation(LanguageTextReader(document)).ApplyToForm(window.list);
        QCOMPARE(font.Name, family);
        QCOMPARE(window.form.font().family(), family);
        QCOMPARE(window.form.font().pointSize(), size);
        auto* inherits = qobject_cast<QLabel*>(window.list.find(QStringLiteral("labelName")));
        QCOMPARE(inherits->font().family(), family);
        QCOMPARE(inherits->font().pointSize(), size);
        QCOMPARE(own->font().family(), QStringLiteral("Courier"));
        QCOMPARE(own->font().pointSize(), 12);
        QVERIFY(own->font().bold());
    }
};

TOLVANE_TEST(FormTranslationTest)
#include "FormTranslationTest.moc"

#include "ComponentTexts.h"

#include "ActionList.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>

#include <functional>
#include <vector>

namespace {

// How one kind of widget gives and takes its caption.
struct CaptionAccess {
    std::function<bool(const QObject*)> fits;
    std::function<QString(const QObject*)> get;
    std::function<void(QObject*, const QString&)> set;
};

template <typename Kind> CaptionAccess captionAccess(QString (Kind::*get)() const, void (Kind::*set)(const QString&)) {
    return {[](const QObject* component) { return qobject_cast<const Kind*>(component) != nullptr; },
            [get](const QObject* component) { return (qobject_cast<const Kind*>(component)->*get)(); },
            [set](QObject* component, const QString& text) { (qobject_cast<Kind*>(component)->*set)(text); }};
}

const CaptionAccess* captionAccessOf(const QObject* component) {
    static const std::vector<CaptionAccess> kinds = {
        captionAccess<QAction>(&QAction::text, &QAction::setText),
        captionAccess<QLabel>(&QLabel::text, &QLabel::setText),
        captionAccess<QAbstractButton>(&QAbstractButton::text, &QAbstractButton::setText),
        captionAccess<QLineEdit>(&QLineEdit::text, &QLineEdit::setText),
        captionAccess<QPlainTextEdit>(&QPlainTextEdit::toPlainText, &QPlainTextEdit::setPlainText),
        captionAccess<QTextEdit>(&QTextEdit::toPlainText, &QTextEdit::setPlainText),
        captionAccess<QGroupBox>(&QGroupBox::title, &QGroupBox::setTitle),
    };
    for (const CaptionAccess& kind : kinds) {
        if (kind.fits(component)) {
            return &kind;
        }
    }
    return nullptr;
}

// The page control and index of a page, or nullptr.
QTabWidget* pageControlOf(const QWidget* page, int& index) {
    const QWidget* stack = page->parentWidget();
    auto* pages = stack != nullptr ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
    index = pages != nullptr ? pages->indexOf(const_cast<QWidget*>(page)) : -1;
    return index >= 0 ? pages : nullptr;
}

bool isImageComboBox(const QObject* component) {
    return component->property("images").isValid();
}

QAbstractItemModel* viewModel(const QObject* component) {
    auto* view = qobject_cast<const QAbstractItemView*>(component);
    return view != nullptr && qobject_cast<const QListWidget*>(component) == nullptr ? view->model() : nullptr;
}

} // namespace

namespace ComponentTexts {

QString caption(const QObject* component) {
    if (const CaptionAccess* access = captionAccessOf(component)) {
        return access->get(component);
    }
    if (auto* widget = qobject_cast<const QWidget*>(component)) {
        int index = -1;
        if (QTabWidget* pages = pageControlOf(widget, index)) {
            return pages->tabText(index);
        }
        return widget->isWindow() ? widget->windowTitle() : QString();
    }
    return {};
}

void setCaption(QObject* component, const QString& text) {
    if (const CaptionAccess* access = captionAccessOf(component)) {
        access->set(component, text);
    } else if (auto* widget = qobject_cast<QWidget*>(component)) {
        int index = -1;
        if (QTabWidget* pages = pageControlOf(widget, index)) {
            pages->setTabText(index, text);
        } else if (widget->isWindow()) {
            widget->setWindowTitle(text);
        }
    }
}

QString hint(const QObject* component) {
    if (auto* action = qobject_cast<const QAction*>(component)) {
        // An action without a tool tip of its own offers its text as one.
        QAction plain;
        plain.setText(action->text());
        return action->toolTip() == plain.toolTip() ? QString() : action->toolTip();
    }
    auto* widget = qobject_cast<const QWidget*>(component);
    return widget != nullptr ? widget->toolTip() : QString();
}

void setHint(QObject* component, const QString& text) {
    if (auto* action = qobject_cast<QAction*>(component)) {
        action->setToolTip(text);
    } else if (auto* widget = qobject_cast<QWidget*>(component)) {
        widget->setToolTip(text);
    }
}

bool hasListTexts(const QObject* component) {
    return qobject_cast<const QListWidget*>(component) != nullptr ||
           (qobject_cast<const QComboBox*>(component) != nullptr && !isImageComboBox(component)) ||
           viewModel(component) != nullptr;
}

QStringList listTexts(const QObject* component) {
    QStringList texts;
    if (auto* list = qobject_cast<const QListWidget*>(component)) {
        for (int row = 0; row < list->count(); ++row) {
            texts.append(list->item(row)->text());
        }
    } else if (auto* box = qobject_cast<const QComboBox*>(component); box != nullptr && !isImageComboBox(box)) {
        for (int row = 0; row < box->count(); ++row) {
            texts.append(box->itemText(row));
        }
    } else if (const QAbstractItemModel* model = viewModel(component)) {
        for (int column = 0; column < model->columnCount(); ++column) {
            texts.append(model->headerData(column, Qt::Horizontal).toString());
        }
    }
    return texts;
}

void setListTexts(QObject* component, const QStringList& lines) {
    if (auto* list = qobject_cast<QListWidget*>(component)) {
        list->clear();
        list->addItems(lines);
    } else if (auto* box = qobject_cast<QComboBox*>(component); box != nullptr && !isImageComboBox(box)) {
        box->clear();
        box->addItems(lines);
    } else if (QAbstractItemModel* model = viewModel(component)) {
        const int columns = qMin(model->columnCount(), int(lines.size()));
        for (int column = 0; column < columns; ++column) {
            model->setHeaderData(column, Qt::Horizontal, lines.at(column));
        }
    }
}

int tag(const QObject* component) {
    return component->property("tag").toInt();
}

int charset(const QObject* window) {
    const QVariant value = window->property("charset");
    return value.isValid() ? value.toInt() & 0xFF : 1;
}

bool isLinkedToAction(const QObject* component) {
    if (auto* button = qobject_cast<const QToolButton*>(component)) {
        return button->defaultAction() != nullptr;
    }
    auto* action = qobject_cast<const QAction*>(component);
    return action != nullptr && qobject_cast<const ActionList*>(action->parent()) != nullptr;
}

} // namespace ComponentTexts

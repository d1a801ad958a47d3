#include "ModalDriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>

namespace {

constexpr int pollMs = 10;

QString labelText(QWidget* dialog) {
    for (const char* name : {"Message", "Prompt"}) {
        if (auto* label = dialog->findChild<QLabel*>(QLatin1String(name))) {
            return label->text();
        }
    }
    if (QWidget* message = dialog->findChild<QWidget*>(QStringLiteral("Message"))) {
        return message->property("text").toString();
    }
    return {};
}

} // namespace

ModalDriver::ModalDriver(int timeoutMs) : m_timeoutMs(timeoutMs) {
    m_timer.setInterval(pollMs);
    connect(&m_timer, &QTimer::timeout, this, &ModalDriver::poll);
}

ModalDriver::~ModalDriver() {
    m_timer.stop();
}

void ModalDriver::clickButton(const QString& button, const char* dialogClass) {
    enqueue({button, dialogClass != nullptr ? QString::fromLatin1(dialogClass) : QString(), {}});
}

void ModalDriver::enterText(const QString& text, const QString& button) {
    enqueue({button, QString(), [text](QWidget* dialog) {
                 if (auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("Edit"))) {
                     edit->setText(text);
                 }
             }});
}

void ModalDriver::enqueue(Step step) {
    m_steps.enqueue(std::move(step));
    if (!m_timer.isActive()) {
        m_waitedMs = 0;
        m_timer.start();
    }
}

void ModalDriver::poll() {
    if (m_steps.isEmpty()) {
        m_timer.stop();
        return;
    }
    QWidget* dialog = QApplication::activeModalWidget();
    const Step& step = m_steps.head();
    auto* button =
        dialog != nullptr && dialog->isVisible() ? dialog->findChild<QAbstractButton*>(step.button) : nullptr;
    const bool fits =
        button != nullptr && (step.dialogClass.isEmpty() || dialog->inherits(qPrintable(step.dialogClass)));
    if (!fits) {
        m_waitedMs += pollMs;
        if (m_waitedMs >= m_timeoutMs) {
            m_failures.append(QStringLiteral("no dialog with button \"%1\"").arg(step.button));
            m_steps.dequeue();
            m_waitedMs = 0;
            if (auto* modal = qobject_cast<QDialog*>(dialog)) {
                modal->reject();
            }
        }
        return;
    }
    const Step current = m_steps.dequeue();
    m_waitedMs = 0;
    m_texts.append(labelText(dialog));
    m_titles.append(dialog->windowTitle());
    if (auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("Edit"))) {
        m_offered.append(edit->text());
    }
    if (current.before) {
        current.before(dialog);
    }
    // Clicked from the event loop, not from inside this timer slot: a dialog that the click
    // opens runs a nested loop in which this timer must fire again.
    QTimer::singleShot(0, button, [button] { button->click(); });
}

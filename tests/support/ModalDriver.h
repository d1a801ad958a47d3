#pragma once

#include <QObject>
#include <QQueue>
#include <QStringList>
#include <QTimer>

#include <functional>

class QWidget;

// Answers the modal dialogs that a test triggers (the program's own message and input dialogs):
// each queued step waits for a modal dialog holding the named button, acts on it and records
// what the dialog said. Steps are taken in order, also for dialogs opened from within another.
class ModalDriver : public QObject {
    Q_OBJECT
public:
    explicit ModalDriver(int timeoutMs = 5000);
    ~ModalDriver() override;

    // Press the button (child object name "Yes", "No", "OK", "Cancel", ...) of the next dialog;
    // dialogClass, when given, is the class the dialog must inherit.
    void clickButton(const QString& button, const char* dialogClass = nullptr);
    // Replace the text of the dialog's "Edit" field, then press the button.
    void enterText(const QString& text, const QString& button = QStringLiteral("OK"));

    // The text each handled dialog showed ("Message" or "Prompt" label) and its title.
    const QStringList& texts() const { return m_texts; }
    const QStringList& titles() const { return m_titles; }
    // The text the "Edit" field held when the step found it.
    const QStringList& offeredValues() const { return m_offered; }
    bool done() const { return m_steps.isEmpty(); }
    // Steps that found no dialog in time; their dialog, if any, was rejected.
    const QStringList& failures() const { return m_failures; }

private:
    struct Step {
        QString button;
        QString dialogClass;
        std::function<void(QWidget*)> before;
    };

    void poll();
    void enqueue(Step step);

    QQueue<Step> m_steps;
    QTimer m_timer;
    int m_timeoutMs;
    int m_waitedMs = 0;
    QStringList m_texts;
    QStringList m_titles;
    QStringList m_offered;
    QStringList m_failures;
};

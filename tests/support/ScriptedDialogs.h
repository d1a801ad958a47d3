#pragma once

#include "Dialogs.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <QStringList>

// Dialogs that answer from queues and record every question, for tests: say what the next
// questions answer, then trigger the action. A question with nothing queued is cancelled (a
// confirmation answered No). Both kinds of input question take their answers from one queue; a
// translated input answered with a text its validator refuses records the refusal as a warning
// and is asked again, offering the refused text.
class ScriptedDialogs : public Dialogs {
public:
    enum class Kind { Folder, Input, Error, OpenFile, Confirm, TextInput, Warning };

    struct Question {
        Kind kind;
        QString caption; // input caption, open-file filter
        QString text;    // prompt, message, folder preselection, open-file initial folder
        QString value;   // an input's value as offered
    };

    void setNextFolder(const QString& folder) { m_folders.enqueue(folder); }
    void setNextFolderCancel() { m_folders.enqueue(std::nullopt); }
    void setNextInput(const QString& text) { m_inputs.enqueue(text); }
    void setNextInputCancel() { m_inputs.enqueue(std::nullopt); }
    void setNextFile(const QString& fileName) { m_files.enqueue(fileName); }
    void setNextFileCancel() { m_files.enqueue(std::nullopt); }
    void setNextConfirm(bool yes) { m_confirms.enqueue(yes); }

    const QList<Question>& questions() const { return m_questions; }
    QList<Question> questions(Kind kind) const;
    QStringList errors() const;
    // The texts of the questions of one kind, in order.
    QStringList texts(Kind kind) const;
    // Answers queued but not yet asked for.
    int pendingAnswers() const { return m_folders.size() + m_inputs.size() + m_files.size() + m_confirms.size(); }
    void clear();

    std::optional<QString> browseForFolder(const QString& preselect) override;
    bool inputQuery(const QString& caption, const QString& prompt, QString& value) override;
    void showError(const QString& text) override;
    std::optional<QString> openFile(const DialogComponent& settings) override;
    bool confirm(const QString& text) override;
    bool inputText(const QString& caption, const QString& prompt, QString& value, const Validator& validator) override;

private:
    // The next queued input, cut to the input's 255 characters; nullopt for Cancel.
    std::optional<QString> nextInput(const QString& prompt);

    QQueue<std::optional<QString>> m_folders;
    QQueue<std::optional<QString>> m_inputs;
    QQueue<std::optional<QString>> m_files;
    QQueue<bool> m_confirms;
    QList<Question> m_questions;
    int m_unansweredInputs = 0;
};

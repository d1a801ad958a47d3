#pragma once

#include "Dialogs.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <QStringList>

// Dialogs that answer from a queue and record every question, for tests. An input question
// with nothing queued is cancelled; a folder or file question with nothing queued is cancelled.
class ScriptedDialogs : public Dialogs {
public:
    enum class Kind { Folder, Input, Error, OpenFile };

    struct Question {
        Kind kind;
        QString caption; // input caption, open-file filter
        QString text;    // input prompt, error text, folder preselection, open-file initial folder
        QString value;   // an input's value as offered
    };

    void setNextFolder(const QString& folder) { m_folders.enqueue(folder); }
    void setNextFolderCancel() { m_folders.enqueue(std::nullopt); }
    void setNextInput(const QString& text) { m_inputs.enqueue(text); }
    void setNextInputCancel() { m_inputs.enqueue(std::nullopt); }
    void setNextFile(const QString& fileName) { m_files.enqueue(fileName); }
    void setNextFileCancel() { m_files.enqueue(std::nullopt); }

    const QList<Question>& questions() const { return m_questions; }
    QList<Question> questions(Kind kind) const;
    QStringList errors() const;
    // Answers queued but not yet asked for.
    int pendingAnswers() const { return m_folders.size() + m_inputs.size() + m_files.size(); }
    void clear();

    std::optional<QString> browseForFolder(const QString& preselect) override;
    bool inputQuery(const QString& caption, const QString& prompt, QString& value) override;
    void showError(const QString& text) override;
    std::optional<QString> openFile(const DialogComponent& settings) override;

private:
    QQueue<std::optional<QString>> m_folders;
    QQueue<std::optional<QString>> m_inputs;
    QQueue<std::optional<QString>> m_files;
    QList<Question> m_questions;
    int m_unansweredInputs = 0;
};

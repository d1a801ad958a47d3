#include "ScriptedDialogs.h"

#include "DialogComponent.h"

#include <QtGlobal>

namespace {

// A loop that keeps asking would otherwise hang the test run.
constexpr int maxUnansweredInputs = 50;

} // namespace

QList<ScriptedDialogs::Question> ScriptedDialogs::questions(Kind kind) const {
    QList<Question> result;
    for (const Question& question : m_questions) {
        if (question.kind == kind) {
            result.append(question);
        }
    }
    return result;
}

QStringList ScriptedDialogs::errors() const {
    return texts(Kind::Error);
}

QStringList ScriptedDialogs::texts(Kind kind) const {
    QStringList result;
    for (const Question& question : questions(kind)) {
        result.append(question.text);
    }
    return result;
}

void ScriptedDialogs::clear() {
    m_folders.clear();
    m_inputs.clear();
    m_files.clear();
    m_confirms.clear();
    m_questions.clear();
    m_unansweredInputs = 0;
}

std::optional<QString> ScriptedDialogs::browseForFolder(const QString& preselect) {
    m_questions.append({Kind::Folder, QString(), preselect, QString()});
    return m_folders.isEmpty() ? std::nullopt : m_folders.dequeue();
}

std::optional<QString> ScriptedDialogs::nextInput(const QString& prompt) {
    if (m_inputs.isEmpty()) {
        if (++m_unansweredInputs > maxUnansweredInputs) {
            qFatal("ScriptedDialogs: input \"%s\" keeps being asked without a queued answer", qPrintable(prompt));
        }
        return std::nullopt;
    }
    const std::optional<QString> answer = m_inputs.dequeue();
    return answer ? std::optional<QString>(answer->left(255)) : std::nullopt;
}

bool ScriptedDialogs::inputQuery(const QString& caption, const QString& prompt, QString& value) {
    m_questions.append({Kind::Input, caption, prompt, value});
    const std::optional<QString> answer = nextInput(prompt);
    if (answer) {
        value = *answer;
    }
    return answer.has_value();
}

bool ScriptedDialogs::inputText(const QString& caption, const QString& prompt, QString& value,
                                const Validator& validator) {
    QString offered = value;
    for (;;) {
        m_questions.append({Kind::TextInput, caption, prompt, offered});
        const std::optional<QString> answer = nextInput(prompt);
        if (!answer) {
            return false;
        }
        const QString refusal = validator ? validator(*answer) : QString();
        if (refusal.isEmpty()) {
            value = *answer;
            return true;
        }
        m_questions.append({Kind::Warning, QString(), refusal, QString()});
        offered = *answer;
    }
}

bool ScriptedDialogs::confirm(const QString& text) {
    m_questions.append({Kind::Confirm, QString(), text, QString()});
    return !m_confirms.isEmpty() && m_confirms.dequeue();
}

void ScriptedDialogs::showError(const QString& text) {
    m_questions.append({Kind::Error, QString(), text, QString()});
}

std::optional<QString> ScriptedDialogs::openFile(const DialogComponent& settings) {
    m_questions.append({Kind::OpenFile, settings.filter, settings.initialFolder, QString()});
    return m_files.isEmpty() ? std::nullopt : m_files.dequeue();
}

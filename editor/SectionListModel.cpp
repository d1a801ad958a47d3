#include "SectionListModel.h"

#include "AnsiCase.h"
#include "CodePage.h"
#include "CompletionText.h"
#include "MarkIcons.h"

SectionListModel::SectionListModel(QObject* parent) : QAbstractListModel(parent) {}

void SectionListModel::setRows(QList<SectionRow> rows, int codePage) {
    beginResetModel();
    m_rows = std::move(rows);
    m_codePage = codePage;
    endResetModel();
}

void SectionListModel::clear() {
    setRows({}, m_codePage);
}

void SectionListModel::setMessages(std::function<QString(int index)> messages) {
    m_messages = std::move(messages);
}

void SectionListModel::setCompletion(int index, const Completion& completion) {
    m_rows[index].completion = completion;
    const QModelIndex changed = this->index(index, 0);
    emit dataChanged(changed, changed, {Qt::ToolTipRole});
}

Completion SectionListModel::completion() const {
    Completion sum;
    for (const SectionRow& row : m_rows) {
        sum += row.completion;
    }
    return sum;
}

int SectionListModel::findName(const QByteArray& name) const {
    for (qsizetype i = 0; i < m_rows.size(); ++i) {
        const QByteArray& other = m_rows.at(i).name;
        if (AnsiCase::equal(other.constData(), size_t(other.size()), name.constData(), size_t(name.size()))) {
            return int(i);
        }
    }
    return -1;
}

int SectionListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant SectionListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows.size()) {
        return {};
    }
    const SectionRow& entry = m_rows.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return CodePage::decode(entry.name, m_codePage);
    case Qt::ToolTipRole: {
        const QString name = CodePage::decode(entry.name, m_codePage);
        return m_messages ? CompletionText::sectionTip(name, entry.completion, m_messages) : name;
    }
    case Qt::DecorationRole:
        return MarkIcons::icon(entry.mark);
    case RowMarkRole:
        return int(entry.mark);
    default:
        return {};
    }
}

QVariant SectionListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (section != 0 || orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    return m_columnCaption;
}

bool SectionListModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant& value, int role) {
    if (section != 0 || orientation != Qt::Horizontal || (role != Qt::DisplayRole && role != Qt::EditRole)) {
        return false;
    }
    m_columnCaption = value.toString();
    emit headerDataChanged(orientation, section, section);
    return true;
}

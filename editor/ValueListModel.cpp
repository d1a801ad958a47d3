#include "ValueListModel.h"

#include "AnsiCase.h"
#include "CodePage.h"
#include "EntryCheck.h"
#include "MarkIcons.h"

ValueListModel::ValueListModel(QObject* parent) : QAbstractTableModel(parent) {}

void ValueListModel::setRows(std::vector<ValueRow> rows, const std::array<int, 3>& codePages) {
    beginResetModel();
    m_rows = std::move(rows);
    m_codePages = codePages;
    endResetModel();
}

void ValueListModel::clear() {
    setRows({}, m_codePages);
}

void ValueListModel::setMessages(std::function<QString(int index)> messages) {
    m_messages = std::move(messages);
}

QString ValueListModel::toolTip(const ValueRow& entry, const QString& shown) const {
    if (!m_messages || entry.mark != MarkPresent) {
        return shown;
    }
    const QList<EntryCheck::Problem> problems = EntryCheck::storedProblems(entry.shown, m_codePages[2], entry.original,
                                                                           m_codePages[size_t(entry.originalRole)]);
    return problems.isEmpty() ? shown : shown + QLatin1Char('\n') + EntryCheck::reasons(problems, m_messages);
}

int ValueListModel::findKey(const QByteArray& key) const {
    for (size_t i = 0; i < m_rows.size(); ++i) {
        const QByteArray& other = m_rows[i].key;
        if (AnsiCase::equal(other.constData(), size_t(other.size()), key.constData(), size_t(key.size()))) {
            return int(i);
        }
    }
    return -1;
}

void ValueListModel::markSaved(int index, const QByteArray& stored) {
    ValueRow& entry = m_rows[size_t(index)];
    entry.mark = MarkPresent;
    entry.shown = stored;
    emit dataChanged(this->index(index, 0), this->index(index, 1));
}

int ValueListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ValueListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

QVariant ValueListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || size_t(index.row()) >= m_rows.size()) {
        return {};
    }
    const ValueRow& entry = m_rows[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole: {
        QString shown = index.column() == 0 ? CodePage::decode(entry.key, m_codePages[2])
                                            // The stored text as it is, escapes included, read in
                                            // the code page of its file.
                                            : CodePage::decode(entry.shown, m_codePages[size_t(entry.mark)]);
        return role == Qt::ToolTipRole ? toolTip(entry, shown) : shown;
    }
    case Qt::DecorationRole:
        return index.column() == 0 ? QVariant(MarkIcons::icon(entry.mark)) : QVariant();
    case RowMarkRole:
        return int(entry.mark);
    case ChangedRole:
        return entry.changed;
    default:
        return {};
    }
}

QVariant ValueListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= 2) {
        return {};
    }
    return m_columnCaptions[size_t(section)];
}

bool ValueListModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant& value, int role) {
    if (orientation != Qt::Horizontal || (role != Qt::DisplayRole && role != Qt::EditRole) || section < 0 ||
        section >= 2) {
        return false;
    }
    m_columnCaptions[size_t(section)] = value.toString();
    emit headerDataChanged(orientation, section, section);
    return true;
}

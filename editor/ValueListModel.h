#pragma once

#include "ValueListBuilder.h"

#include <QAbstractTableModel>
#include <array>
#include <functional>
#include <vector>

// The entries of the chosen section: column "Internal" (the key with its mark) and column
// "Translation" (the stored text). Filled in one reset; texts are decoded only when shown.
class ValueListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Role { ChangedRole = RowMarkRole + 1 };

    explicit ValueListModel(QObject* parent = nullptr);

    // codePages: the code pages of reference, source and destination; keys are shown in the
    // destination's.
    void setRows(std::vector<ValueRow> rows, const std::array<int, 3>& codePages);
    void clear();
    // Words the check problems that a row's tool tip adds to its text.
    void setMessages(std::function<QString(int index)> messages);

    const ValueRow& row(int index) const { return m_rows[size_t(index)]; }
    // The first row whose key equals key without regard to case, or -1.
    int findKey(const QByteArray& key) const;
    // The entry is now in the destination with this stored text.
    void markSaved(int index, const QByteArray& stored);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // A column caption, so that an interface language can replace it.
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value,
                       int role = Qt::EditRole) override;

private:
    // The shown text, and under it what the checks find wrong with it.
    QString toolTip(const ValueRow& entry, const QString& shown) const;

    std::function<QString(int index)> m_messages;
    std::array<QString, 2> m_columnCaptions{QStringLiteral("Internal"), QStringLiteral("Translation")};
    std::vector<ValueRow> m_rows;
    std::array<int, 3> m_codePages{};
};

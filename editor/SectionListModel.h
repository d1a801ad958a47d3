#pragma once

#include "SectionListBuilder.h"

#include <QAbstractListModel>

#include <functional>

// The merged sections with their marks, in one column "Section".
class SectionListModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit SectionListModel(QObject* parent = nullptr);

    void setRows(QList<SectionRow> rows, int codePage);
    void clear();
    // Words the completion figures of the tool tips.
    void setMessages(std::function<QString(int index)> messages);
    // The figures of one row after its section changed.
    void setCompletion(int index, const Completion& completion);
    // The figures of every row added up.
    Completion completion() const;

    const SectionRow& row(int index) const { return m_rows.at(index); }
    // The first row whose name equals name without regard to case, or -1.
    int findName(const QByteArray& name) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // The column caption, so that an interface language can replace it.
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value,
                       int role = Qt::EditRole) override;

private:
    QString m_columnCaption = QStringLiteral("Section");
    QList<SectionRow> m_rows;
    int m_codePage = 0;
    std::function<QString(int index)> m_messages;
};

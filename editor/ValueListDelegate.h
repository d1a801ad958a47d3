#pragma once

#include <QStyledItemDelegate>

// Entries the destination lacks are drawn bold; entries whose destination text differs from
// the source's are drawn italic.
class ValueListDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

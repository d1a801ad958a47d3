#include "ValueListDelegate.h"

#include "RowMark.h"
#include "ValueListModel.h"

void ValueListDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    const int mark = index.data(RowMarkRole).toInt();
    option->font.setBold(mark == MarkMissing || mark == MarkPartial);
    option->font.setItalic(index.data(ValueListModel::ChangedRole).toBool());
    if (index.column() > 0) {
        option->palette.setColor(QPalette::Text, option->palette.color(QPalette::WindowText));
    }
}

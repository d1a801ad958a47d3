#include "ValueLabel.h"

#include <QLabel>

namespace ValueLabel {

void style(QLabel* label) {
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 0x80));
    label->setPalette(palette);
    label->setTextFormat(Qt::PlainText);
}

} // namespace ValueLabel

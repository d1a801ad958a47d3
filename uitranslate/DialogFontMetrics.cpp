#include "DialogFontMetrics.h"

#include <QFontMetrics>
#include <QString>

namespace {

// n * numerator / denominator rounded half away from zero.
int mulDivRounded(int n, int numerator, int denominator) {
    const long long product = static_cast<long long>(n) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator : -((-product + half) / denominator));
}

} // namespace

DialogFontMetrics::DialogFontMetrics(int averageCharWidth, int charHeight)
    : m_averageCharWidth(averageCharWidth), m_charHeight(charHeight) {}

DialogFontMetrics DialogFontMetrics::of(const QFontMetrics& metrics) {
    static const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return DialogFontMetrics(metrics.horizontalAdvance(letters) / 52, metrics.height());
}

int DialogFontMetrics::horz(int units) const {
    return mulDivRounded(units, m_averageCharWidth, 4);
}

int DialogFontMetrics::vert(int units) const {
    return mulDivRounded(units, m_charHeight, 8);
}

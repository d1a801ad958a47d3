#pragma once

class QFontMetrics;

// Dialog units of a font: a horizontal unit is a quarter of the average character width, a
// vertical unit an eighth of the character height.
class DialogFontMetrics {
public:
    DialogFontMetrics(int averageCharWidth, int charHeight);
    // Average width of the 52 letters A-Z and a-z written in a row; height of that text.
    static DialogFontMetrics of(const QFontMetrics& metrics);

    int averageCharWidth() const { return m_averageCharWidth; }
    int charHeight() const { return m_charHeight; }
    int horz(int units) const;
    int vert(int units) const;

private:
    int m_averageCharWidth;
    int m_charHeight;
};

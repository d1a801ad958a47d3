#pragma once

#include <QLabel>

// A plain-text label drawn with the text flags it was measured with: by default word-wrapped
// with tabs expanded (QLabel itself turns tabs into single spaces).
class NvMessageTextWidget : public QLabel {
    Q_OBJECT
public:
    explicit NvMessageTextWidget(const QString& text, QWidget* parent = nullptr, int flags = textFlags());

    static int textFlags();
    int flags() const { return m_flags; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_flags;
};

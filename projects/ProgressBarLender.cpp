#include "ProgressBarLender.h"

#include <QProgressBar>

ProgressBarLoan::ProgressBarLoan(QProgressBar& bar, QWidget& borrower) : m_bar(bar), m_home(bar.parentWidget()) {
    if (m_home != &borrower) {
        m_bar.hide();
        m_bar.setParent(&borrower);
    }
}

ProgressBarLoan::~ProgressBarLoan() {
    m_bar.hide();
    if (m_bar.parentWidget() != m_home) {
        m_bar.setParent(m_home);
    }
}

void ProgressBarLoan::progress(int position, int maximum) {
    m_bar.setMaximum(maximum);
    m_bar.setValue(position);
    m_bar.show();
    // The window waits while the work runs; only a direct repaint shows how far it is.
    m_bar.repaint();
}

void ProgressBarLender::setBar(QProgressBar& bar) {
    m_bar = &bar;
}

ProgressBarLoan ProgressBarLender::lend(QWidget& borrower) const {
    return ProgressBarLoan(*m_bar, borrower);
}

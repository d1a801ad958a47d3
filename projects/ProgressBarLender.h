#pragma once

#include "ProgressSink.h"

#include <QPointer>

class QProgressBar;
class QWidget;

// pgLoad lent to one page for the length of one piece of long work, reporting its progress. It
// moves onto the borrower (hidden until the first report) and the borrower places it; at the end
// it is hidden and goes back to where it was.
class ProgressBarLoan : public ProgressSink {
public:
    ProgressBarLoan(QProgressBar& bar, QWidget& borrower);
    ~ProgressBarLoan() override;
    ProgressBarLoan(const ProgressBarLoan&) = delete;
    ProgressBarLoan& operator=(const ProgressBarLoan&) = delete;

    QProgressBar& bar() const { return m_bar; }
    void progress(int position, int maximum) override;

private:
    QProgressBar& m_bar;
    QPointer<QWidget> m_home;
};

// Keeps pgLoad, which the Open page makes and shows at its foot, for the pages that borrow it.
class ProgressBarLender {
public:
    void setBar(QProgressBar& bar);
    ProgressBarLoan lend(QWidget& borrower) const;

private:
    QPointer<QProgressBar> m_bar;
};

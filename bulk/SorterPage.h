#pragma once

#include "BulkPage.h"

#include <QString>

#include <optional>

class QPushButton;

// The page "Sorter" (tsSorter): sorting the sections and entries of chosen language and special files.
class SorterPage : public BulkPage {
    Q_OBJECT
public:
    explicit SorterPage(const PageContext& context, QWidget* parent = nullptr);

    // The project's language files, then its special files, none checked.
    void fillList();
    // Sorts the current destination language file with pgLoad on progressHolder; without a
    // chosen destination, says so.
    void sortDestination(QWidget& progressHolder);

    QPushButton* bnSortSelectAll() const { return m_bnSortSelectAll; }
    QPushButton* bnSortSelectNone() const { return m_bnSortSelectNone; }
    QPushButton* bnSortSelectDestination() const { return m_bnSortSelectDestination; }
    QPushButton* bnSortDoSort() const { return m_bnSortDoSort; }

public slots:
    void bnSortSelectAllClick();
    void bnSortSelectNoneClick();
    void bnSortSelectDestinationClick();
    void bnSortDoSortClick();

private:
    // The chosen destination language; says WarningDestLanguage and gives nothing when none is.
    std::optional<QString> destination() const;

    QPushButton* m_bnSortSelectAll;
    QPushButton* m_bnSortSelectNone;
    QPushButton* m_bnSortSelectDestination;
    QPushButton* m_bnSortDoSort;
};

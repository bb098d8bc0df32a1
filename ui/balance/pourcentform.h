#pragma once
// Class balance of the year: mark bands, gauges, lists, class figures.
#include "moyennes.h"

#include <QDialog>

class TPourcentForm : public QDialog {
    Q_OBJECT
public:
    explicit TPourcentForm(QWidget *parent = nullptr);
    // The subject selector of the mark-entry window, set before exec().
    void preparer(Selecteur sel);
};

extern TPourcentForm *PourcentForm;

#pragma once
// Backup and restore of class and phrase library files.
#include <QDialog>

class TSauvForm : public QDialog {
    Q_OBJECT
public:
    explicit TSauvForm(QWidget *parent = nullptr);
};

extern TSauvForm *SauvForm;

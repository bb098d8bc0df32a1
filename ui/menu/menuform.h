#pragma once
// The main window: class catalogue and the program's start-up.
#include <QMainWindow>

extern bool DepuisLigneCommande;

class TMenuForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMenuForm(QWidget *parent = nullptr);
};

extern TMenuForm *MenuForm;

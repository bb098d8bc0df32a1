#pragma once
// The export panel (WinPanel1): file name, field and decimal separators, and
// the export of the grid as a text file for a word processor or a database.
#include "reports/grille.h"
#include "ui/components/winpanel.h"

#include <QList>
#include <QStringList>
#include <functional>

class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

class TPanneauExport : public TWinPanel {
    Q_OBJECT
public:
    // grille: the grid's whole table in screen column order, titles first.
    TPanneauExport(std::function<QList<QStringList>()> grille, QWidget *parent);

    // Shown with the name proposed for the view and the usual separators.
    void ouvrir(Vue vue);
    // Its fields are made when it first shows: most sessions never export.
    void setVisible(bool visible) override;

    void Nom_TextKeyPress(QKeyEvent *e);
    void BBOkClick();
    void BBAbandonClick();

private:
    void garnir();

    std::function<QList<QStringList>()> m_grille;
    QLineEdit *Nom_Text = nullptr;
    QComboBox *ComboBox1 = nullptr, *ComboBox2 = nullptr;
    QLabel *Label63 = nullptr;
    QPushButton *BBOk = nullptr, *BBAbandon = nullptr;
};

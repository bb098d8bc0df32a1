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

    void Nom_TextKeyPress(QKeyEvent *e);
    void BBOkClick();
    void BBAbandonClick();

private:
    std::function<QList<QStringList>()> m_grille;
    QLineEdit *Nom_Text;
    QComboBox *ComboBox1, *ComboBox2;
    QLabel *Label63;
    QPushButton *BBOk, *BBAbandon;
};

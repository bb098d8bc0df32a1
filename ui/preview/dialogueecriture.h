#pragma once
// The font dialog of the preview ("Ecriture"): fixed-pitch scalable fonts
// only, the four styles under their French names, sizes 1 to 72, underline
// and strike-out. Built when the button is first pressed.
#include <QDialog>
#include <QFont>

class QCheckBox;
class QLabel;
class QListWidget;
class QSpinBox;

class DialogueEcriture : public QDialog {
    Q_OBJECT
public:
    explicit DialogueEcriture(QWidget *parent = nullptr);

    // Starts from the font's family, size and style; a family that is not
    // installed gives the family the system puts in its place, in its regular
    // style, so that a plain OK never changes the style.
    void definirPolice(const QFont &police);
    // The font chosen (family, size, bold, italic, underline, strike-out).
    QFont police() const;

    // The family that stands for f on this system: f's own when installed
    // among the fixed-pitch fonts, else the substitute the system uses.
    static QString FamilleInstallee(const QFont &f, bool *remplacee = nullptr);

    QListWidget *ListeFamilles;
    QListWidget *ListeStyles; // "Normal", "Gras", "Italique", "Gras italique": style codes 0..3
    QSpinBox *Taille;
    QCheckBox *Souligne;
    QCheckBox *Barre;
    QLabel *Exemple;

private:
    void majExemple();
};

#pragma once
// The mark-entry grid as a table of texts: which slot each column shows, the
// titles and the cell texts of every view. The window, the text export and
// the command-line tool share it.
#include "averages/moyennes.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

enum class Vue { Notes, Appreciations, Liste };

// What one data column of the Notes view shows.
struct ColonneNote {
    QString titre;
    int matiere = 1; // 1: NotesMat1, 2: NotesMat2
    int periode = 1; // 1..3
    int devoir = 1;  // slot 1..16
};

// Data columns of the Notes view for a period (1..3) or the year (Annee).
QList<ColonneNote> ColonnesNotes(int span, Selecteur sel);

// Titles of the Appréciations view: " Moy" and the appreciation title.
QString TitreAppreciation(int span, Selecteur sel);

// The whole table: row 0 the titles, rows 1..NbEleves the students; column 0
// holds "Nom Prenom" (column 0 of row 0 is empty). The Liste view has two
// columns, the second one empty.
struct TableGrille {
    QList<QStringList> lignes;
    int colonnes() const { return lignes.isEmpty() ? 0 : int(lignes.first().size()); }
};
TableGrille ConstruireGrille(Vue vue, int span, Selecteur sel);

// "Nom Prenom" of a student, as column 0 shows it.
QString NomAffiche(const StudentRecord &e);

// The inverse: texts of the data cells (rows 1.., columns 1.., in the grid's
// current column order) back into the class model. Notes: each cell through
// TexteEnNote into the slot of the layout column at that position.
// Appréciations: column 2 only, its first 80 characters. Liste: nothing.
void AppliquerGrille(Vue vue, int span, Selecteur sel, const QList<QStringList> &lignes);

// Period and assignment of a column title, read from its end ("Fran1-03",
// "Hist 2-5", a label holding "-" too). nullopt when it cannot be read or
// names no slot (period 1..3, assignment 1..16).
struct PeriodeDevoir {
    int periode;
    int devoir;
};
std::optional<PeriodeDevoir> PeriodeEtDevoir(const QString &titre);

// Does the combination exist in the loaded class? (Mat2/Ensemble need two
// subjects, period 3 needs trimesters.)
bool SelectionValide(int span, Selecteur sel);

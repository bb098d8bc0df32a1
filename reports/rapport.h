#pragma once
// The fixed-column report text of the class, line by line, for the view the
// teacher is looking at.
#include "platform/sortietexte.h"
#include "reports/grille.h"

#include <QDateTime>

#include <functional>

struct EntreesRapport {
    QString nomClasse;  // file name less its extension
    QString motPeriode; // "Semestre" or "Trimestre"
    Vue vue = Vue::Notes;
    int span = 1; // 1..3 or Annee
    Selecteur sel = Selecteur::Mat1;
    // Run after each student's row: the window lets its pending events run
    // there; empty for none.
    std::function<void()> entreEleves;
};

// The inputs as the loaded class gives them.
EntreesRapport EntreesDepuisClasse(Vue vue, int span, Selecteur sel);

void ImprimeListe(SortieTexte &s, const EntreesRapport &e);
void ImprimeAppreciations(SortieTexte &s, const EntreesRapport &e);
void ImprimeNotes(SortieTexte &s, const EntreesRapport &e);
void ImprimePeriode(SortieTexte &s, const EntreesRapport &e, int periode);
void ImprimeAnnee(SortieTexte &s, const EntreesRapport &e);

// One report of the view: refuses (returns false) while another is being
// written, since entreEleves may let pending events run between two students.
bool ImprimeVue(SortieTexte &s, const EntreesRapport &e);

// The whole report as the print command writes it: the view's report, an
// empty line, then the date, three spaces and the time.
bool RapportComplet(SortieTexte &s, const EntreesRapport &e, const QDateTime &instant);

bool RapportEnCours();

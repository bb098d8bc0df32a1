#pragma once
// The class balance of the year: how the students' year averages fall into
// the three mark bands, computed afresh from the class model.
#include "averages/moyennes.h"

#include <QString>
#include <QStringList>

struct DonneesBilan {
    QString nomClasse;
    QString entete;   // heading of the window: class name and subject
    QString motTitre; // subject label, or "Ensemble"
    QString date;     // today, dd/MM/yyyy
    int effectifs[3] = {0, 0, 0};
    int total = 0;
    double pourcentages[3] = {0, 0, 0};
    QStringList listes[3]; // one line per student, in class order
    QString min, moy, max; // two decimals, empty when nobody has an average
    int taille = 8;        // the class's print size

    // "(3)", "(33.33 %)" and the value of the gauge (33).
    QString texteEffectif(int bande) const;
    QString textePourcentage(int bande) const;
    int jauge(int bande) const;
};

DonneesBilan CalculerBilan(Selecteur sel);

// Band 0, 1 or 2 of an average (below 8, 8 up to 12, 12 or more); -1 for none.
int BandeDe(double moyenne);

// Nearest integer, a half going to the even neighbour (12.5 gives 12).
int ArrondiPair(double x);

// A student's line in a band list: surname, space and first name left-aligned
// in 45 columns, then the average with two decimals.
QString LigneBilan(const QString &nom, const QString &prenom, double moyenne);

// What a list line becomes on paper: its first 25 and last 5 characters.
QString LigneImprimee(const QString &ligne);

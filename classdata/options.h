#pragma once
// The class settings file: class name + ".INI", section "Options".
#include <QByteArray>
#include <QString>

extern bool DeuxPeriodes;
extern bool UneMatiere;
extern QString LibelleMat1;
extern QString LibelleMat2;
extern QString CoefPeriode[4]; // [1..3] coefficient strings, capacity 16
extern QString DatePeriode[4]; // [1..3] date strings, capacity 80
extern qint32 CoefMat1[4][17]; // [period 1..3][assignment 1..16]
extern qint32 CoefMat2[4][17];
extern QString DateMat1[4][17]; // "dd/mm" or "--/--"
extern QString DateMat2[4][17];
extern bool Gras;
extern qint32 TailleEcriture;

inline const QString COEFS_PAR_DEFAUT = QStringLiteral("1111111111111111");
QString DatesParDefaut(); // "--/--" 16 times

// Number of periods shown: 2 or 3.
inline int NbPeriodes()
{
    return DeuxPeriodes ? 2 : 3;
}

// Program folder + NomClasse + ".INI", looked up ignoring letter case.
QString CheminOptions(const QString &nomClasse);

// Resets every setting to its default (a class being created).
void OptionsParDefaut();

// From CheminOptions(NomClasse); a missing file or key gives the defaults.
// A file that exists but cannot be read (no permission, not an ordinary file,
// larger than 1 MiB) gives the platform's message, the settings then at
// their defaults.
QString LireOptions();
void DecoderCoefDates(); // the six strings into the four tables
void RelireCoefDates();  // only the six coefficient and date keys

// Empty on success, else "Impossible d'écrire dans <path>".
QString EcrireCoefDates();
// The window's own coefficient strings, and its dates when its columns moved.
QString EcrireCoefDatesAvec(const QString coefs[4], const QString dates[4] = DatePeriode);

// What the configuration dialog saves.
struct OptionsAEcrire {
    QString nomClasse;
    bool trimestre = true;
    bool uneMatiere = true;
    QString mat1, mat2;
    bool viderCoefDates = false; // duplicating with "Vider le fichier ..."
    bool gras = false;
    int taille = 8;
};
QString EcrireOptions(const OptionsAEcrire &o);

// A settings file's new bytes, for a save that writes it with the class file.
struct FichierAEcrire {
    QString chemin;
    QByteArray octets;
    QString erreur; // "Impossible d'écrire dans <path>" when the old file cannot be read
};
FichierAEcrire CoefDatesAEcrire(const QString coefs[4], const QString dates[4]);
// Updates the globals as EcrireOptions does. fichierNeuf: the old file's
// other keys are not kept.
FichierAEcrire OptionsAEcrireFichier(const OptionsAEcrire &o, bool fichierNeuf = false);

// Digit value of a coefficient character, 1 for anything else.
int ChiffreCoefCaractere(QChar c);

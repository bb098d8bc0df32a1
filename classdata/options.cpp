#include "classdata/options.h"

#include "classdata/classe.h"
#include "classdata/texte.h"
#include "platform/casse.h"
#include "platform/dossier.h"
#include "platform/ecrituresure.h"
#include "platform/inifile.h"

#include <QList>

#include <utility>

bool DeuxPeriodes = false;
bool UneMatiere = true;
QString LibelleMat1 = QStringLiteral("Mat1");
QString LibelleMat2 = QStringLiteral("Mat2");
QString CoefPeriode[4] = {{}, COEFS_PAR_DEFAUT, COEFS_PAR_DEFAUT, COEFS_PAR_DEFAUT};
QString DatePeriode[4] = {{}, DatesParDefaut(), DatesParDefaut(), DatesParDefaut()};
qint32 CoefMat1[4][17];
qint32 CoefMat2[4][17];
QString DateMat1[4][17];
QString DateMat2[4][17];
bool Gras = false;
qint32 TailleEcriture = 8;

namespace {

const QString SECTION = QStringLiteral("Options");
const QString CLE_PERIODES = QStringLiteral("Nombre de périodes");
const QString CLE_MATIERES = QStringLiteral("Nombre de matières");
const QString CLE_MAT1 = QStringLiteral("Mat1");
const QString CLE_MAT2 = QStringLiteral("Mat2");
const QString CLE_ECRITURE = QStringLiteral("Ecriture");
const QString CLE_TAILLE = QStringLiteral("Taille de l'écriture");
constexpr int CAPACITE_COEFS = 16;
constexpr int CAPACITE_DATES = 80;
constexpr int CAPACITE_TEXTE = 255;

QString cleCoefs(int p)
{
    return QStringLiteral("Coefficients période %1").arg(p);
}
QString cleDates(int p)
{
    return QStringLiteral("Dates période %1").arg(p);
}

void lireCoefDates(const Ini::Fichier &f)
{
    for (int p = 1; p <= 3; ++p) {
        if (p == 3 && DeuxPeriodes) {
            CoefPeriode[3] = COEFS_PAR_DEFAUT;
            DatePeriode[3] = DatesParDefaut();
        } else {
            CoefPeriode[p] = f.lireTexte(SECTION, cleCoefs(p), COEFS_PAR_DEFAUT).left(CAPACITE_COEFS);
            DatePeriode[p] = f.lireTexte(SECTION, cleDates(p), DatesParDefaut()).left(CAPACITE_DATES);
        }
    }
}

// One rewrite of the file for all the keys: all are written or none.
QString ecrireCles(const QString &chemin, const QList<std::pair<QString, QString>> &cles)
{
    return Ini::ecrireTextes(chemin, SECTION, cles);
}

QList<std::pair<QString, QString>> clesCoefDates(const QString coefs[4], const QString dates[4])
{
    return {{cleCoefs(1), coefs[1]}, {cleCoefs(2), coefs[2]}, {cleCoefs(3), coefs[3]},
            {cleDates(1), dates[1]}, {cleDates(2), dates[2]}, {cleDates(3), dates[3]}};
}

// Also sets the print options and, when asked, empties the coefficients and dates.
QList<std::pair<QString, QString>> clesOptions(const OptionsAEcrire &o)
{
    Gras = o.gras;
    TailleEcriture = o.taille;
    if (o.viderCoefDates) {
        for (int p = 1; p <= 3; ++p) {
            CoefPeriode[p] = COEFS_PAR_DEFAUT;
            DatePeriode[p] = DatesParDefaut();
        }
    }
    const QString un = QStringLiteral("1"), zero = QStringLiteral("0");
    return {
        {CLE_PERIODES, o.trimestre ? QStringLiteral("3") : QStringLiteral("2")},
        {CLE_MATIERES, o.uneMatiere ? un : QStringLiteral("2")},
        {CLE_MAT1, o.mat1},
        {CLE_MAT2, o.uneMatiere ? QString() : o.mat2},
        {cleCoefs(1), CoefPeriode[1]},
        {cleCoefs(2), CoefPeriode[2]},
        {cleDates(1), DatePeriode[1]},
        {cleDates(2), DatePeriode[2]},
        {cleCoefs(3), o.trimestre ? CoefPeriode[3] : QString()},
        {cleDates(3), o.trimestre ? DatePeriode[3] : QString()},
        {CLE_ECRITURE, Gras ? un : zero},
        {CLE_TAILLE, QString::number(TailleEcriture)},
    };
}

FichierAEcrire fichierAvec(const QString &chemin, const QList<std::pair<QString, QString>> &cles,
                           bool neuf = false)
{
    FichierAEcrire f;
    f.chemin = chemin;
    QString raison;
    if (neuf)
        f.octets = Ini::contenuNeuf(SECTION, cles);
    else if (!Ini::contenuAvecCles(chemin, SECTION, cles, f.octets, raison))
        f.erreur = MessageEcritureImpossible(chemin);
    return f;
}

} // namespace

QString DatesParDefaut()
{
    return QStringLiteral("--/--").repeated(16);
}

QString CheminOptions(const QString &nomClasse)
{
    return CheminReel(DossierProgramme(), nomClasse + QStringLiteral(".INI"));
}

void OptionsParDefaut()
{
    DeuxPeriodes = false;
    UneMatiere = true;
    LibelleMat1 = QStringLiteral("Mat1");
    LibelleMat2 = QStringLiteral("Mat2");
    for (int p = 1; p <= 3; ++p) {
        CoefPeriode[p] = COEFS_PAR_DEFAUT;
        DatePeriode[p] = DatesParDefaut();
    }
    Gras = false;
    TailleEcriture = 8;
    for (int p = 0; p <= 3; ++p) {
        for (int i = 0; i <= 16; ++i) {
            CoefMat1[p][i] = CoefMat2[p][i] = 1;
            DateMat1[p][i] = DateMat2[p][i] = QStringLiteral("--/--");
        }
    }
}

QString LireOptions()
{
    const Ini::Fichier f(CheminOptions(NomClasse));
    // Defaults for a file that exists but cannot be read would change every
    // average without a word (one subject, every coefficient 1).
    if (!f.erreur().isEmpty()) {
        OptionsParDefaut();
        return f.erreur();
    }
    DeuxPeriodes = f.lireEntier(SECTION, CLE_PERIODES, 1) == 2;
    UneMatiere = f.lireEntier(SECTION, CLE_MATIERES, 1) == 1;
    LibelleMat1 = f.lireTexte(SECTION, CLE_MAT1, QStringLiteral("Mat1")).left(CAPACITE_TEXTE);
    LibelleMat2 = f.lireTexte(SECTION, CLE_MAT2, QStringLiteral("Mat2")).left(CAPACITE_TEXTE);
    lireCoefDates(f);
    Gras = f.lireEntier(SECTION, CLE_ECRITURE, 0) != 0;
    TailleEcriture = f.lireEntier(SECTION, CLE_TAILLE, 8);
    return {};
}

void RelireCoefDates()
{
    const Ini::Fichier f(CheminOptions(NomClasse));
    if (f.erreur().isEmpty()) // else the values in memory stay
        lireCoefDates(f);
}

void DecoderCoefDates()
{
    for (int p = 1; p <= 3; ++p) {
        const QString &coefs = CoefPeriode[p];
        const QString &dates = DatePeriode[p];
        auto coef = [&](int i) { return i <= coefs.size() ? ChiffreCoefCaractere(coefs[i - 1]) : 1; };
        auto date = [&](int i) { return dates.mid(5 * (i - 1), 5); };
        if (UneMatiere) {
            for (int i = 1; i <= 16; ++i) {
                CoefMat1[p][i] = coef(i);
                DateMat1[p][i] = date(i);
            }
        } else {
            for (int i = 1; i <= 8; ++i) {
                CoefMat1[p][i] = coef(i);
                DateMat1[p][i] = date(i);
                CoefMat2[p][i] = coef(i + 8);
                DateMat2[p][i] = date(i + 8);
            }
        }
    }
}

QString EcrireCoefDatesAvec(const QString coefs[4], const QString dates[4])
{
    return ecrireCles(CheminOptions(NomClasse), clesCoefDates(coefs, dates));
}

FichierAEcrire CoefDatesAEcrire(const QString coefs[4], const QString dates[4])
{
    return fichierAvec(CheminOptions(NomClasse), clesCoefDates(coefs, dates));
}

FichierAEcrire OptionsAEcrireFichier(const OptionsAEcrire &o, bool fichierNeuf)
{
    return fichierAvec(CheminOptions(o.nomClasse), clesOptions(o), fichierNeuf);
}

QString EcrireCoefDates()
{
    return EcrireCoefDatesAvec(CoefPeriode);
}

QString EcrireOptions(const OptionsAEcrire &o)
{
    return ecrireCles(CheminOptions(o.nomClasse), clesOptions(o));
}

int ChiffreCoefCaractere(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ? c.digitValue() : 1;
}

namespace {
// The tables start as a new class has them.
const bool g_tables = [] {
    for (int p = 0; p <= 3; ++p) {
        for (int i = 0; i <= 16; ++i) {
            CoefMat1[p][i] = CoefMat2[p][i] = 1;
            DateMat1[p][i] = DateMat2[p][i] = QStringLiteral("--/--");
        }
    }
    return true;
}();
} // namespace

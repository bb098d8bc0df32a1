// vestrel-cli exemple: a realistic class to try the program on.
#include "commandes.h"
#include "commun.h"

#include "casse.h"
#include "classe.h"
#include "dossier.h"
#include "options.h"
#include "real48.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <cmath>

namespace {

struct Identite {
    const char *nom;
    const char *prenom;
};

// In the order the configuration dialog sorts them.
const Identite ELEVES[] = {
    {"ARNAUD", "Léa"},          {"BÉNARD", "Marie-Hélène"}, {"CHEVALIER", "Théo"},
    {"DA SILVA", "Inès"},       {"DESCHAMPS", "Loïc"},      {"DUBOIS", "Anne-Sophie"},
    {"FAURE", "Maël"},          {"FONTAINE", "Chloé"},      {"GARNIER", "Jérôme"},
    {"GAUTHIER", "Gaëlle"},     {"GIRAUD", "Pierre-Louis"}, {"HUBERT", "Zoé"},
    {"LACROIX", "Clément"},     {"LEFÈVRE", "Éloïse"},      {"LEMAÎTRE", "Benoît"},
    {"MARCHAND", "Noémie"},     {"MERCIER", "Aurélien"},    {"MOREAU", "Cécile"},
    {"NGUYEN", "Timothée"},     {"PERRIN", "Marie-Ève"},    {"RENARD", "Rémi"},
    {"ROUSSEAU", "Océane"},     {"SCHMITT", "Jean-Michel"}, {"THÉRY", "Émilie"},
    {"VASSEUR", "François"},
};

// Assignments per period: subject 1 in slots 1..8, subject 2 in 9..16.
const char *const COEFS[4] = {nullptr, "1213111121211111", "2121111113111111", "1111111111111111"};
const char *const DATES_HIST[3][4] = {
    {"19/09", "03/10", "17/10", "21/11"}, {"12/12", "16/01", "06/02", "13/03"}, {}};
const char *const DATES_GEO[3][3] = {{"26/09", "14/11", "28/11"}, {"09/01", "30/01", "06/03"}, {}};
constexpr int NB_HIST[3] = {4, 4, 0};
constexpr int NB_GEO[3] = {3, 3, 0};

const char *const APPRECIATIONS[] = {
    "Bon trimestre, travail sérieux et régulier. Continuez ainsi.",
    "Des résultats encourageants ; la participation orale doit progresser.",
    "Trimestre décevant : il faut apprendre les leçons plus régulièrement.",
    "Excellent travail, élève moteur dans la classe. Félicitations.",
    "Ensemble correct, mais des efforts de soin sont attendus à l'écrit.",
    "Résultats fragiles en géographie ; l'histoire est mieux maîtrisée.",
};

// A small fixed generator: the sample is the same on every machine.
class Hasard {
public:
    explicit Hasard(quint32 graine) : m_etat(graine) {}
    quint32 suivant()
    {
        m_etat = m_etat * 1664525u + 1013904223u;
        return m_etat >> 8;
    }
    // -amplitude..amplitude, in half points.
    double ecart(double amplitude)
    {
        const int pas = int(amplitude * 2);
        return (int(suivant() % quint32(2 * pas + 1)) - pas) / 2.0;
    }

private:
    quint32 m_etat;
};

QString dates(int p)
{
    QStringList champs(16, QStringLiteral("--/--"));
    for (int i = 0; i < NB_HIST[p - 1]; ++i)
        champs[i] = QString::fromLatin1(DATES_HIST[p - 1][i]);
    for (int i = 0; i < NB_GEO[p - 1]; ++i)
        champs[8 + i] = QString::fromLatin1(DATES_GEO[p - 1][i]);
    return champs.join(QString());
}

QList<StudentRecord> classeExemple()
{
    Hasard h(20240905);
    QList<StudentRecord> eleves;
    int rang = 0;
    for (const Identite &id : ELEVES) {
        StudentRecord e;
        e.Nom = QString::fromUtf8(id.nom);
        e.Prenom = QString::fromUtf8(id.prenom);
        const double niveau = 7.0 + (h.suivant() % 21) / 2.0; // 7 to 17
        auto note = [&]() {
            if (h.suivant() % 19 == 0)
                return NO_MARK; // absent
            return ArrondiReal48(qBound(0.0, niveau + h.ecart(4), 20.0));
        };
        for (int p = 1; p <= 2; ++p) {
            for (int d = 1; d <= NB_HIST[p - 1]; ++d)
                e.NotesMat1[p][d] = note();
            for (int d = 1; d <= NB_GEO[p - 1]; ++d)
                e.NotesMat2[p][d] = note();
        }
        if (rang % 3 == 0)
            e.Appreciations[VUE_ENSEMBLE][1] = QString::fromUtf8(APPRECIATIONS[(rang / 3) % 6]);
        if (rang % 7 == 2)
            e.Appreciations[VUE_MAT1][1] = QStringLiteral("Connaissances solides.");
        eleves.append(e);
        ++rang;
    }
    return eleves;
}

bool nomValide(const QString &nom)
{
    static const QRegularExpression motif(QStringLiteral("^[A-Z0-9!$_~-]{1,8}$"));
    return motif.match(nom).hasMatch();
}

} // namespace

int commandeExemple(const QStringList &arguments)
{
    const Cli::Arguments a(arguments, {QStringLiteral("--dossier")}, {QStringLiteral("--remplacer")});
    if (!a.valide())
        return Cli::erreurUsage(a.erreur());
    if (a.positionnels().size() > 1)
        return Cli::erreurUsage(QStringLiteral("exemple attend au plus un nom de classe."));
    QString nom = a.positionnels().value(0, QStringLiteral("EXEMPLE"));
    if (nom.endsWith(QLatin1String(".VTC"), Qt::CaseInsensitive))
        nom.chop(4);
    nom = nom.toUpper();
    if (!nomValide(nom))
        return Cli::erreurUsage(QStringLiteral(
            "nom de classe incorrect : %1 (au plus 8 caractères parmi les lettres, les chiffres et ! $ - _ ~)")
                                    .arg(nom));
    if (!Cli::appliquerDossier(a))
        return Cli::ECHEC;

    const QString dossier = DossierProgramme();
    const QString vtc = CheminReel(dossier, nom + QStringLiteral(".VTC"));
    const QString ini = CheminReel(dossier, nom + QStringLiteral(".INI"));
    const bool remplacer = a.contient(QStringLiteral("--remplacer"));
    for (const QString &f : {vtc, ini}) {
        if (QFile::exists(f) && !remplacer) {
            Cli::erreur(QStringLiteral("Le fichier %1 existe déjà : ajoutez --remplacer pour le remplacer.").arg(f));
            return Cli::ECHEC;
        }
    }

    const QList<StudentRecord> eleves = classeExemple();
    OptionsParDefaut();
    for (int p = 1; p <= 3; ++p) {
        CoefPeriode[p] = QString::fromLatin1(COEFS[p]);
        DatePeriode[p] = dates(p);
    }
    OptionsAEcrire o;
    o.nomClasse = nom;
    o.trimestre = true;
    o.uneMatiere = false;
    o.mat1 = QStringLiteral("Hist");
    o.mat2 = QStringLiteral("Géo");
    o.taille = 8;
    // Both files whole, or the old ones as they were; keys of an old
    // settings file do not survive beside ours.
    const ResultatEcriture r = EcrireElevesEtOptions(vtc, eleves, false, o, true);
    if (r.etat != EtatEcriture::Ecrit) {
        Cli::erreurPhrase(r.message);
        return Cli::ECHEC;
    }
    Cli::sortie(QStringLiteral("Classe %1 écrite : %2 élèves dans %3.\n")
                    .arg(nom)
                    .arg(eleves.size())
                    .arg(QDir::toNativeSeparators(dossier)));
    return Cli::OK;
}

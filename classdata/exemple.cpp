// The sample class: a realistic class to try the program on, written by
// vestrel-cli and by the program at its first start.
#include "classdata/exemple.h"

#include "classdata/classe.h"
#include "classdata/options.h"
#include "classdata/real48.h"
#include "platform/casse.h"
#include "platform/dossier.h"

namespace {

struct Identite {
    const char *nom;
    const char *prenom;
};

// In the order the configuration dialog sorts them.
const Identite ELEVES[] = {
    {"ARNAUD", "Léa"},       {"BÉNARD", "Marie-Hélène"}, {"CHEVALIER", "Théo"},      {"DA SILVA", "Inès"},
    {"DESCHAMPS", "Loïc"},   {"DUBOIS", "Anne-Sophie"},  {"FAURE", "Maël"},          {"FONTAINE", "Chloé"},
    {"GARNIER", "Jérôme"},   {"GAUTHIER", "Gaëlle"},     {"GIRAUD", "Pierre-Louis"}, {"HUBERT", "Zoé"},
    {"LACROIX", "Clément"},  {"LEFÈVRE", "Éloïse"},      {"LEMAÎTRE", "Benoît"},     {"MARCHAND", "Noémie"},
    {"MERCIER", "Aurélien"}, {"MOREAU", "Cécile"},       {"NGUYEN", "Timothée"},     {"PERRIN", "Marie-Ève"},
    {"RENARD", "Rémi"},      {"ROUSSEAU", "Océane"},     {"SCHMITT", "Jean-Michel"}, {"THÉRY", "Émilie"},
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
    explicit Hasard(quint32 graine)
        : m_etat(graine)
    { }
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

} // namespace

QString EcrireClasseExemple(const QString &nom, int *nbEleves)
{
    const QString dossier = DossierProgramme();
    const QString vtc = CheminReel(dossier, nom + QStringLiteral(".VTC"));
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
    const QString message = EcrireElevesEtOptions(vtc, eleves, false, o, true).message;
    // No class is loaded: its settings must not stay behind.
    OptionsParDefaut();
    if (!message.isEmpty())
        return message;
    if (nbEleves)
        *nbEleves = int(eleves.size());
    return {};
}

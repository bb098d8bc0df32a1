// Random and damaged marks files and settings files fed to the loaders.
#include "averages/moyennes.h"
#include "classdata/parametres.h"
#include "classdata/texte.h"
#include "platform/recents.h"
#include "tests/common/classeessai.h"

#include <QRandomGenerator>
#include <QRegularExpression>

using namespace Essai;
using namespace Qt::StringLiterals;

namespace {

QByteArray aleatoire(QRandomGenerator &g, int taille)
{
    QByteArray r(taille, Qt::Uninitialized);
    for (char &c : r)
        c = char(g.bounded(256));
    return r;
}

// Overwrites, flips, cuts, inserts or repeats bytes of a valid file.
QByteArray muter(QRandomGenerator &g, QByteArray b)
{
    for (int n = 1 + int(g.bounded(8)); n > 0; --n) {
        const int ou = int(g.bounded(int(b.size()) + 1));
        switch (g.bounded(5)) {
        case 0:
            if (ou < b.size())
                b[ou] = char(g.bounded(256));
            break;
        case 1:
            if (ou < b.size())
                b[ou] = char(b[ou] ^ (1 << g.bounded(8)));
            break;
        case 2: b.truncate(ou); break;
        case 3: b.insert(ou, aleatoire(g, int(g.bounded(40)))); break;
        default: b.insert(ou, b.mid(g.bounded(int(b.size()) + 1), 30));
        }
    }
    return b;
}

const QByteArray REGLAGES = "[Options]\r\nNombre de p\xE9riodes=3\r\nNombre de mati\xE8res=2\r\nMat1=Hist\r\n"
                            "Coefficients p\xE9riode 1=1213111121211111\r\nDates p\xE9riode 1=19/0903/10--/--"
                            "--/----/----/----/----/--26/09--/----/----/----/----/----/--\r\nEcriture=1\r\n";
const QByteArray PARAMETRES = "[Param\xE8tres]\r\nGauche=10\r\nLargeur=800\r\nMaxi=1\r\n"
                              "Ecriture pour l'aper\xE7u=Courier New\r\n[Sauvegarde]\r\nChemin=/x\r\n";

QByteArray classeValide(int eleves)
{
    QByteArray b;
    for (int i = 0; i < eleves; ++i) {
        StudentRecord e = ClasseEssai::Eleve(u"NOM%1"_s.arg(i), {});
        for (int p = 1; p <= 3; ++p)
            for (int d = 1; d <= 16; ++d)
                e.NotesMat1[p][d] = e.NotesMat2[p][d] = (i * 7 + d * 3 + p) % 21;
        e.Appreciations[3][1] = u"Bon travail."_s;
        b += CoderEleve(e);
    }
    return b;
}

// Everything a window computes from what was loaded: no crash, sane figures.
void toutCalculer()
{
    for (int p = 1; p <= 3; ++p)
        for (int i = 1; i <= 16; ++i) {
            QVERIFY(JourDeDate(DateMat1[p][i]).size() == 4 && MoisDeDate(DateMat2[p][i]).size() == 4);
            QVERIFY(CoefMat1[p][i] >= 0 && CoefMat1[p][i] <= 9);
        }
    for (Selecteur s : {Selecteur::Mat1, Selecteur::Mat2, Selecteur::Ensemble}) {
        for (int span : {1, 2, 3, int(Annee)}) {
            const double m = MoyClasse(s, span);
            QVERIFY(m == NO_MARK || EstNote(m));
            QVERIFY(MinClasse(s, span) <= MaxClasse(s, span) || MinClasse(s, span) == NO_MARK);
            for (const StudentRecord &e : std::as_const(ListeEleves))
                QVERIFY(EstNote(MoyEleve(e, s, span)) || MoyEleve(e, s, span) == NO_MARK);
        }
    }
}

} // namespace

class TstFuzz : public QObject {
    Q_OBJECT

    ClasseEssai m_classe;
    QString chemin(const QString &nom) const { return m_classe.chemin(nom); }

private slots:
    void initTestCase() { ActiverDocumentsRecents(false); }

    // Damaged marks files, with damaged class and application settings beside.
    void fichiersDeNotes()
    {
        static const QRegularExpression defini(
            u"^(Fichier introuvable|Accès au fichier refusé|Lecture au-delà de "
            "la fin de fichier|Disque plein|Nom de fichier incorrect|Trop de "
            "fichiers ouverts|Ce fichier contient \\d+ élèves : une classe en "
            "compte au plus 127\\.)$"_s);
        QRandomGenerator g(20241205);
        const QByteArray base = classeValide(5);
        int charges = 0;
        for (int i = 0; i < 1500; ++i) {
            QByteArray contenu;
            if (i % 4 == 0)
                contenu = aleatoire(g, int(g.bounded(6 * 1578)));
            else if (i % 4 == 1) // whole records of random bytes
                contenu = aleatoire(g, 1578 * int(g.bounded(4)));
            else
                contenu = muter(g, base);
            ecrire(chemin(u"F.VTC"_s), contenu);
            ecrire(chemin(u"F.INI"_s), i % 3 ? muter(g, REGLAGES) : aleatoire(g, int(g.bounded(2000))));
            ecrire(chemin(u"Vestrel.INI"_s),
                   i % 3 ? muter(g, PARAMETRES) : aleatoire(g, int(g.bounded(2000))));
            LireParametres();
            QVERIFY(EcriturePourApercu.size() <= 255 && LireSauvegarde().chemin.size() <= 255);
            const ResultatChargement r = charger(u"F.VTC"_s);
            if (!r.ok) {
                QVERIFY2(defini.match(r.message).hasMatch(), qPrintable(r.message));
                QCOMPARE(NbEleves(), 0);
                continue;
            }
            ++charges;
            QCOMPARE(qint64(NbEleves()) * 1578, contenu.size());
            QVERIFY(CoefPeriode[1].size() <= 16 && DatePeriode[1].size() <= 80);
            toutCalculer();
            if (!ListeEleves.isEmpty() && i % 10 == 1) { // writing into damaged files keeps them readable
                QCOMPARE(EcrireCoefDates(), QString());
                QCOMPARE(EcrireParametres({1, 2, 3, 4, false}), QString());
                QCOMPARE(LireParametres().largeur, 3);
                QCOMPARE(EcrireClasse().etat, EtatEcriture::Ecrit);
                QList<StudentRecord> relus;
                QVERIFY(LireEleves(chemin(u"F.VTC"_s), relus).ok);
                QCOMPARE(relus.size(), ListeEleves.size());
            }
        }
        QVERIFY(charges > 250);
    }
};

QTEST_GUILESS_MAIN(TstFuzz)
#include "tst_fuzz.moc"

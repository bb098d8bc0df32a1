// The class lock, the fingerprint of a loaded class and the recovery journal,
// without any window.
#include "classdata/empreinte.h"
#include "classdata/journal.h"
#include "classdata/verrouclasse.h"
#include "tests/common/classeessai.h"

#include <QCoreApplication>
#include <QProcess>
#include <QSysInfo>

using namespace Essai;
using namespace Qt::StringLiterals;

namespace {

Journal JournalDe(const QStringList &noms)
{
    Journal j;
    j.instant = QDateTime(QDate(2026, 12, 7), QTime(10, 42, 13));
    j.nomFichier = u"3B.VTC"_s;
    j.eleves = ClasseEssai::Eleves(noms);
    return j;
}

// A lock file as another copy of the program would have left it.
void EcrireVerrou(const QString &chemin, qint64 pid, const QByteArray &machine, const QByteArray &idMachine)
{
    ecrire(chemin,
           QByteArray::number(pid) + "\nvestrel\n" + machine + '\n' + idMachine
               + "\nboot\nmdurand\n2026-12-07T08:15:00\n");
}

} // namespace

class TestVerrou : public QObject {
    Q_OBJECT

    std::unique_ptr<ClasseEssai> m_dossier;
    QString m_classe;
    // The lock file names this very process.
    bool ici() const
    {
        DetenteurVerrou d;
        return VerrouClasse::LireDetenteur(CheminVerrou(m_classe), d)
            && d.pid == QCoreApplication::applicationPid() && d.machine == QSysInfo::machineHostName();
    }

private slots:
    void init()
    {
        m_dossier = std::make_unique<ClasseEssai>();
        m_classe = m_dossier->chemin(u"3B.VTC"_s);
    }

    void annexes()
    {
        QVERIFY(EstFichierAnnexe(u"3B.VTC.lock"_s) && EstFichierAnnexe(u"3b.vtc.journal"_s));
        QVERIFY(!EstFichierAnnexe(u"3B.VTC"_s) && !EstFichierAnnexe(u"3B.INI.lock"_s)
                && !EstFichierAnnexe(u".lock"_s));
    }

    void verrouPrisEtRendu()
    {
        FixerHorloge(QDateTime(QDate(2026, 12, 7), QTime(10, 42)));
        {
            VerrouClasse a(m_classe);
            QCOMPARE(a.prendre(), VerrouClasse::Etat::Pris);
            QCOMPARE(CheminVerrou(m_classe), m_dossier->chemin(u"3B.VTC.lock"_s));
            QVERIFY(ici());
            DetenteurVerrou d;
            QVERIFY(VerrouClasse::LireDetenteur(CheminVerrou(m_classe), d));
            QVERIFY(d.utilisateur == UtilisateurCourant() && d.memeMachine);
            QCOMPARE(d.depuis, QDateTime(QDate(2026, 12, 7), QTime(10, 42)));
            // A second copy on this computer, alive: it may not take it.
            VerrouClasse b(m_classe);
            QCOMPARE(b.prendre(), VerrouClasse::Etat::TenuIci);
            QCOMPARE(b.detenteur().utilisateur, UtilisateurCourant());
            QVERIFY(!b.tenu() && a.tenu());
        }
        QVERIFY(!QFileInfo::exists(CheminVerrou(m_classe)));
        // Left by a copy of this computer that no longer runs: taken over at once.
        QProcess fini;
        fini.start(u"true"_s, {});
        QVERIFY(fini.waitForStarted());
        const qint64 pidFini = fini.processId();
        fini.waitForFinished();
        EcrireVerrou(CheminVerrou(m_classe), pidFini, QSysInfo::machineHostName().toUtf8(),
                     QSysInfo::machineUniqueId());
        VerrouClasse c(m_classe);
        QCOMPARE(c.prendre(), VerrouClasse::Etat::Pris);
        QVERIFY(ici());
        // No lock can be made where the class is said to be: the platform's reason.
        VerrouClasse v(m_dossier->chemin(u"absent/3B.VTC"_s));
        QCOMPARE(v.prendre(), VerrouClasse::Etat::Impossible);
        QCOMPARE(v.erreur(), u"Fichier introuvable"_s);
        QVERIFY(!v.tenu());
    }

    void verrouAutreMachine()
    {
        EcrireVerrou(CheminVerrou(m_classe), 4242, "salle-prof-2", "0123456789abcdef0123456789abcdef");
        VerrouClasse v(m_classe);
        QCOMPARE(v.prendre(), VerrouClasse::Etat::TenuAilleurs);
        QVERIFY(v.detenteur().machine == u"salle-prof-2" && v.detenteur().utilisateur == u"mdurand");
        QVERIFY(!v.detenteur().memeMachine);
        // Whatever its age, it stays until the teacher says that copy is gone.
        QCOMPARE(v.prendre(), VerrouClasse::Etat::TenuAilleurs);
        QVERIFY(v.forcer() && v.tenu() && ici());
    }

    void textes()
    {
        DetenteurVerrou d;
        d.machine = u"poste-2"_s;
        d.utilisateur = u"mdurand"_s;
        const QString debut = u"La classe 3B est ouverte par "_s;
        const QDate aujourdhui(2026, 12, 7);
        d.depuis = QDateTime(aujourdhui, QTime(8, 5));
        QCOMPARE(TexteDetenteur(u"3B"_s, d, aujourdhui), debut + u"mdurand sur poste-2 depuis 08:05."_s);
        d.depuis = QDateTime(QDate(2026, 12, 4), QTime(17, 30));
        QCOMPARE(TexteDetenteur(u"3B"_s, d, aujourdhui),
                 debut + u"mdurand sur poste-2 depuis le 04/12 à 17:30."_s);
        d.utilisateur.clear();
        QVERIFY(TexteDetenteur(u"3B"_s, d, aujourdhui).startsWith(debut + u"un autre utilisateur sur"_s));
        Journal j;
        j.instant = QDateTime(aujourdhui, QTime(10, 42, 59));
        QCOMPARE(TexteRecuperation(j, {3, 1}),
                 u"Des modifications non enregistrées du 07/12 à 10:42 ont été retrouvées. "
                 "Voulez-vous les récupérer ?\r\n\r\n3 notes et 1 appréciation diffèrent de la "
                 "classe enregistrée."_s);
        QVERIFY(TexteRecuperation(j, {1, 2}).endsWith(
            u"1 note et 2 appréciations diffèrent de la classe enregistrée."_s));
    }

    void empreinte()
    {
        const QList<StudentRecord> eleves = ClasseEssai::Eleves({u"DUPONT Jean"_s, u"MARTIN Paul"_s});
        QCOMPARE(EcrireEleves(m_classe, eleves).etat, EtatEcriture::Ecrit);
        QVERIFY(charger(u"3B.VTC"_s).ok);
        QVERIFY(!FichierChangeDepuisChargement(m_classe));
        // Rewritten with the same bytes: nothing to lose.
        QCOMPARE(EcrireEleves(m_classe, eleves).etat, EtatEcriture::Ecrit);
        QVERIFY(!FichierChangeDepuisChargement(m_classe));
        // One mark changed by another copy: same size, other bytes.
        QList<StudentRecord> autre = eleves;
        autre[1].NotesMat1[1][1] = ArrondiReal48(15);
        QCOMPARE(EcrireEleves(m_classe, autre).etat, EtatEcriture::Ecrit);
        QVERIFY(FichierChangeDepuisChargement(m_classe));
        MemoriserEmpreinte(m_classe);
        QVERIFY(!FichierChangeDepuisChargement(m_classe));
        QVERIFY(QFile::remove(m_classe));
        QVERIFY(FichierChangeDepuisChargement(m_classe));
        // Another path than the loaded one: nothing known, nothing asked.
        QVERIFY(!FichierChangeDepuisChargement(m_dossier->chemin(u"AUTRE.VTC"_s)));
    }

    void journalAllerRetour()
    {
        Journal j = JournalDe({u"DUPONT Jean"_s, u"ÉLU Zoé"_s});
        j.eleves[0].NotesMat1[2][3] = ArrondiReal48(12.5);
        j.eleves[1].NotesMat2[1][16] = 0;
        j.eleves[1].Appreciations[1][4] = u"Très bon trimestre, à poursuivre."_s;
        // Columns moved: the coefficient strings travel with the marks.
        j.coefs[1] = u"2111111111111113"_s;
        j.coefs[2] = j.coefs[3] = u"1111111111111111"_s;
        for (int p = 1; p <= 3; ++p)
            j.dates[p] = DatesParDefaut();
        j.dates[1].replace(0, 10, u"05/1106/11"_s);
        QCOMPARE(EcrireJournal(j), QString());
        QVERIFY(QFileInfo::exists(m_dossier->chemin(u"3B.VTC.journal"_s)));
        Journal lu;
        QVERIFY(LireJournal(m_classe, lu));
        QVERIFY(lu.instant == j.instant && lu.nomFichier == j.nomFichier && lu.coefs[1] == j.coefs[1]
                && lu.dates[1] == j.dates[1]);
        QCOMPARE(OctetsEleves(lu.eleves), OctetsEleves(j.eleves));
        const QString coefsFichier[4] = {{}, j.coefs[1], j.coefs[2], j.coefs[3]};
        QVERIFY(CompterDifferences(lu.eleves, lu, coefsFichier).vide());
        const QString autres[4] = {{}, u"1111111111111111"_s, j.coefs[2], j.coefs[3]};
        QVERIFY(CompterDifferences(lu.eleves, lu, autres).coefs);
        QVERIFY(SupprimerJournal(m_classe));
        QVERIFY(!LireJournal(m_classe, lu));
        QVERIFY(SupprimerJournal(m_classe));
    }

    // Cut in the header, cut in a record, one byte short, a mark altered.
    void journalAbime()
    {
        const QByteArray o = CoderJournal(JournalDe({u"DUPONT Jean"_s}));
        Journal lu;
        QVERIFY(DecoderJournal(o, lu));
        QByteArray altere = o;
        altere[o.size() - 700] = char(altere[o.size() - 700] ^ 0x55);
        for (const QByteArray &abime : {o.left(20), o.left(800), o.chopped(1), altere})
            QVERIFY(!DecoderJournal(abime, lu));
    }

    void differencesParNom()
    {
        // The saved class, and the journal of a window that ranked the students
        // (other order) and changed marks and an appreciation.
        QList<StudentRecord> fichier =
            ClasseEssai::Eleves({u"ARTHUR Anne"_s, u"DUPONT Jean"_s, u"DUPONT Jean"_s, u"ZOLA Emile"_s});
        fichier[1].NotesMat1[1][1] = 8;
        fichier[2].NotesMat1[1][1] = 9;
        Journal j;
        j.eleves = {fichier[3], fichier[1], fichier[2], fichier[0]};
        j.eleves[0].NotesMat1[3][16] = 17.5; // ZOLA
        j.eleves[2].NotesMat1[1][1] = 19;    // the second DUPONT
        j.eleves[3].Appreciations[2][1] = u"Bien"_s;
        const DifferencesJournal d = CompterDifferences(fichier, j);
        QCOMPARE(d.notes, 2);
        QCOMPARE(d.appreciations, 1);
        // The journal's values in the file's order.
        const QList<StudentRecord> r = AppliquerJournal(fichier, j);
        QCOMPARE(OctetsEleves(r), OctetsEleves({j.eleves[3], j.eleves[1], j.eleves[2], j.eleves[0]}));
        QVERIFY(CompterDifferences(r, j).vide());
        // A student who is not in the journal any more is left as saved.
        fichier.append(ClasseEssai::Eleve(u"NOUVEAU"_s, u"Léa"_s, {{2, 2, 2, 11}}));
        EGAL_EXACT(AppliquerJournal(fichier, j)[4].NotesMat2[2][2], 11.0);
    }

    void journalPlusRecent()
    {
        QVERIFY(!JournalPlusRecent(m_classe));
        QCOMPARE(EcrireEleves(m_classe, ClasseEssai::Eleves({u"DUPONT Jean"_s})).etat, EtatEcriture::Ecrit);
        QCOMPARE(EcrireJournal(JournalDe({})), QString());
        const QDateTime t = modifie(m_classe);
        QFile journal(CheminJournal(m_classe));
        QVERIFY(journal.open(QIODevice::ReadWrite));
        // Later, or in the same tick of the file clock: the newer one; earlier: old news.
        for (const auto &[decalage, plusRecent] :
             QList<QPair<int, bool>>{{60, true}, {0, true}, {-60, false}}) {
            QVERIFY(journal.setFileTime(t.addSecs(decalage), QFileDevice::FileModificationTime));
            QVERIFY2(JournalPlusRecent(m_classe) == plusRecent, qPrintable(QString::number(decalage)));
        }
    }
};

QTEST_GUILESS_MAIN(TestVerrou)
#include "tst_verrou.moc"

// The class lock, the fingerprint of a loaded class and the recovery journal,
// without any window.
#include "classdata/classe.h"
#include "classdata/empreinte.h"
#include "classdata/journal.h"
#include "classdata/options.h"
#include "classdata/real48.h"
#include "classdata/verrouclasse.h"
#include "platform/dossier.h"
#include "platform/horloge.h"
#include "tests/core/outils.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

QList<StudentRecord> Classe(const QStringList &noms)
{
    QList<StudentRecord> l;
    for (const QString &n : noms) {
        StudentRecord e;
        e.Nom = n.section(u' ', 0, 0);
        e.Prenom = n.section(u' ', 1);
        l.append(e);
    }
    return l;
}

// A lock file as another copy of the program would have left it.
void EcrireVerrou(const QString &chemin, qint64 pid, const QByteArray &machine, const QByteArray &idMachine,
                  const QByteArray &utilisateur, const QByteArray &depuis)
{
    ecrireFichier(chemin,
                  QByteArray::number(pid) + "\nvestrel\n" + machine + '\n' + idMachine + "\nboot\n"
                      + utilisateur + '\n' + depuis + '\n');
}

qint64 PidTermine()
{
    QProcess p;
    p.start(QStringLiteral("true"), {});
    p.waitForStarted();
    const qint64 pid = p.processId();
    p.waitForFinished();
    return pid;
}

} // namespace

class TestVerrou : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        QVERIFY(m_dossier.isValid());
        DefinirDossierProgramme(m_dossier.path());
        m_classe = m_dossier.filePath(QStringLiteral("3B.VTC"));
    }
    void cleanup()
    {
        FixerHorloge(QDateTime());
        QFile::remove(CheminVerrou(m_classe));
        QFile::remove(CheminJournal(m_classe));
    }

    void annexes_data();
    void annexes();
    void verrouPrisEtRendu();
    void verrouPerimeIci();
    void verrouAutreMachine();
    void verrouImpossible();
    void texteDetenteur_data();
    void texteDetenteur();

    void empreinte();

    void journalAllerRetour();
    void journalAbime_data();
    void journalAbime();
    void differencesParNom();
    void texteRecuperation();
    void journalPlusRecent();

private:
    QTemporaryDir m_dossier;
    QString m_classe;
};

void TestVerrou::annexes_data()
{
    QTest::addColumn<QString>("nom");
    QTest::addColumn<bool>("annexe");
    QTest::newRow("lock") << "3B.VTC.lock" << true;
    QTest::newRow("journal, lower case") << "3b.vtc.journal" << true;
    QTest::newRow("class") << "3B.VTC" << false;
    QTest::newRow("settings lock") << "3B.INI.lock" << false;
    QTest::newRow("bare lock") << ".lock" << false;
}

void TestVerrou::annexes()
{
    QFETCH(QString, nom);
    QFETCH(bool, annexe);
    QCOMPARE(EstFichierAnnexe(nom), annexe);
}

void TestVerrou::verrouPrisEtRendu()
{
    FixerHorloge(QDateTime(QDate(2026, 12, 7), QTime(10, 42)));
    {
        VerrouClasse a(m_classe);
        QCOMPARE(a.prendre(), VerrouClasse::Etat::Pris);
        QVERIFY(QFileInfo::exists(m_dossier.filePath(QStringLiteral("3B.VTC.lock"))));
        DetenteurVerrou d;
        QVERIFY(VerrouClasse::LireDetenteur(CheminVerrou(m_classe), d));
        QCOMPARE(d.pid, QCoreApplication::applicationPid());
        QCOMPARE(d.machine, QSysInfo::machineHostName());
        QCOMPARE(d.utilisateur, UtilisateurCourant());
        QCOMPARE(d.depuis, QDateTime(QDate(2026, 12, 7), QTime(10, 42)));
        QVERIFY(d.memeMachine);

        // A second copy on this computer, alive: it may not take it.
        VerrouClasse b(m_classe);
        QCOMPARE(b.prendre(), VerrouClasse::Etat::TenuIci);
        QCOMPARE(b.detenteur().utilisateur, UtilisateurCourant());
        QVERIFY(!b.tenu());
        QVERIFY(a.tenu());
    }
    QVERIFY(!QFileInfo::exists(CheminVerrou(m_classe)));
    VerrouClasse c(m_classe);
    QCOMPARE(c.prendre(), VerrouClasse::Etat::Pris);
}

void TestVerrou::verrouPerimeIci()
{
    // Left by a copy of this computer that no longer runs: taken over at once.
    EcrireVerrou(CheminVerrou(m_classe), PidTermine(), QSysInfo::machineHostName().toUtf8(),
                 QSysInfo::machineUniqueId(), "paul", "2026-12-06T08:00:00");
    VerrouClasse v(m_classe);
    QCOMPARE(v.prendre(), VerrouClasse::Etat::Pris);
    DetenteurVerrou d;
    QVERIFY(VerrouClasse::LireDetenteur(CheminVerrou(m_classe), d));
    QCOMPARE(d.pid, QCoreApplication::applicationPid());
}

void TestVerrou::verrouAutreMachine()
{
    EcrireVerrou(CheminVerrou(m_classe), 4242, "salle-prof-2", "0123456789abcdef0123456789abcdef", "mdurand",
                 "2026-12-07T08:15:00");
    VerrouClasse v(m_classe);
    QCOMPARE(v.prendre(), VerrouClasse::Etat::TenuAilleurs);
    QCOMPARE(v.detenteur().machine, QStringLiteral("salle-prof-2"));
    QCOMPARE(v.detenteur().utilisateur, QStringLiteral("mdurand"));
    QVERIFY(!v.detenteur().memeMachine);
    // Whatever its age, it stays until the teacher says that copy is gone.
    QCOMPARE(v.prendre(), VerrouClasse::Etat::TenuAilleurs);
    QVERIFY(v.forcer());
    QVERIFY(v.tenu());
    DetenteurVerrou d;
    QVERIFY(VerrouClasse::LireDetenteur(CheminVerrou(m_classe), d));
    QCOMPARE(d.machine, QSysInfo::machineHostName());
}

void TestVerrou::verrouImpossible()
{
    // No lock can be made where the class is said to be: the platform's reason.
    VerrouClasse v(m_dossier.filePath(QStringLiteral("absent/3B.VTC")));
    QCOMPARE(v.prendre(), VerrouClasse::Etat::Impossible);
    QCOMPARE(v.erreur(), QStringLiteral("Fichier introuvable"));
    QVERIFY(!v.tenu());
}

void TestVerrou::texteDetenteur_data()
{
    QTest::addColumn<QDateTime>("depuis");
    QTest::addColumn<QString>("utilisateur");
    QTest::addColumn<QString>("attendu");
    const QString debut = QStringLiteral("La classe 3B est ouverte par ");
    QTest::newRow("today") << QDateTime(QDate(2026, 12, 7), QTime(8, 5)) << "mdurand"
                           << debut + "mdurand sur poste-2 depuis 08:05.";
    QTest::newRow("another day") << QDateTime(QDate(2026, 12, 4), QTime(17, 30)) << "mdurand"
                                 << debut + "mdurand sur poste-2 depuis le 04/12 à 17:30.";
    QTest::newRow("no user") << QDateTime(QDate(2026, 12, 7), QTime(9, 0)) << ""
                             << debut + "un autre utilisateur sur poste-2 depuis 09:00.";
}

void TestVerrou::texteDetenteur()
{
    QFETCH(QDateTime, depuis);
    QFETCH(QString, utilisateur);
    QFETCH(QString, attendu);
    DetenteurVerrou d;
    d.machine = QStringLiteral("poste-2");
    d.utilisateur = utilisateur;
    d.depuis = depuis;
    QCOMPARE(TexteDetenteur(QStringLiteral("3B"), d, QDate(2026, 12, 7)), attendu);
}

void TestVerrou::empreinte()
{
    const QList<StudentRecord> eleves =
        Classe({QStringLiteral("DUPONT Jean"), QStringLiteral("MARTIN Paul")});
    QCOMPARE(EcrireEleves(m_classe, eleves).etat, EtatEcriture::Ecrit);
    QVERIFY(charger(QStringLiteral("3B.VTC")).ok);
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
    QVERIFY(!FichierChangeDepuisChargement(m_dossier.filePath(QStringLiteral("AUTRE.VTC"))));
}

void TestVerrou::journalAllerRetour()
{
    Journal j;
    j.instant = QDateTime(QDate(2026, 12, 7), QTime(10, 42, 13));
    j.nomFichier = QStringLiteral("3B.VTC");
    j.eleves = Classe({QStringLiteral("DUPONT Jean"), QStringLiteral("ÉLU Zoé")});
    j.eleves[0].NotesMat1[2][3] = ArrondiReal48(12.5);
    j.eleves[1].NotesMat2[1][16] = ArrondiReal48(0);
    j.eleves[1].Appreciations[1][4] = QStringLiteral("Très bon trimestre, à poursuivre.");
    QCOMPARE(EcrireJournal(j), QString());
    Journal lu;
    QVERIFY(LireJournal(m_classe, lu));
    QVERIFY(!lu.coefsDeplaces());
    // Columns moved: the coefficient strings travel with the marks.
    j.coefs[1] = QStringLiteral("2111111111111113");
    j.coefs[2] = j.coefs[3] = QStringLiteral("1111111111111111");
    for (int p = 1; p <= 3; ++p)
        j.dates[p] = DatesParDefaut();
    j.dates[1].replace(0, 10, QStringLiteral("05/1106/11"));
    QCOMPARE(EcrireJournal(j), QString());
    QVERIFY(QFileInfo::exists(m_dossier.filePath(QStringLiteral("3B.VTC.journal"))));
    QVERIFY(LireJournal(m_classe, lu));
    QCOMPARE(lu.coefs[1], j.coefs[1]);
    QCOMPARE(lu.coefs[3], j.coefs[3]);
    QCOMPARE(lu.dates[1], j.dates[1]);
    QCOMPARE(lu.dates[2], j.dates[2]);
    const QString coefsFichier[4] = {{}, j.coefs[1], j.coefs[2], j.coefs[3]};
    QVERIFY(CompterDifferences(lu.eleves, lu, coefsFichier).vide());
    const QString autres[4] = {{}, QStringLiteral("1111111111111111"), j.coefs[2], j.coefs[3]};
    QVERIFY(CompterDifferences(lu.eleves, lu, autres).coefs);
    QCOMPARE(lu.instant, j.instant);
    QCOMPARE(lu.nomFichier, j.nomFichier);
    QCOMPARE(lu.eleves.size(), 2);
    QCOMPARE(CoderEleve(lu.eleves[0]), CoderEleve(j.eleves[0]));
    QCOMPARE(CoderEleve(lu.eleves[1]), CoderEleve(j.eleves[1]));
    QVERIFY(SupprimerJournal(m_classe));
    QVERIFY(!LireJournal(m_classe, lu));
    QVERIFY(SupprimerJournal(m_classe));
}

void TestVerrou::journalAbime_data()
{
    QTest::addColumn<int>("coupe");  // bytes kept, -1: all
    QTest::addColumn<int>("altere"); // offset from the end of a byte flipped, -1: none
    QTest::newRow("cut in the header") << 20 << -1;
    QTest::newRow("cut in a record") << 800 << -1;
    QTest::newRow("one byte short") << -2 << -1;
    QTest::newRow("a mark altered") << -1 << 700;
}

void TestVerrou::journalAbime()
{
    QFETCH(int, coupe);
    QFETCH(int, altere);
    Journal j;
    j.instant = QDateTime(QDate(2026, 12, 7), QTime(10, 42));
    j.nomFichier = QStringLiteral("3B.VTC");
    j.eleves = Classe({QStringLiteral("DUPONT Jean")});
    QByteArray o = CoderJournal(j);
    Journal lu;
    QVERIFY(DecoderJournal(o, lu));
    if (coupe == -2)
        o.chop(1);
    else if (coupe >= 0)
        o.truncate(coupe);
    if (altere >= 0)
        o[o.size() - altere] = char(o[o.size() - altere] ^ 0x55);
    QVERIFY(!DecoderJournal(o, lu));
}

void TestVerrou::differencesParNom()
{
    // The saved class, and the journal of a window that ranked the students
    // (other order) and changed marks and an appreciation.
    QList<StudentRecord> fichier = Classe({QStringLiteral("ARTHUR Anne"), QStringLiteral("DUPONT Jean"),
                                           QStringLiteral("DUPONT Jean"), QStringLiteral("ZOLA Emile")});
    fichier[1].NotesMat1[1][1] = ArrondiReal48(8);
    fichier[2].NotesMat1[1][1] = ArrondiReal48(9);
    Journal j;
    j.instant = QDateTime(QDate(2026, 12, 7), QTime(10, 42));
    j.eleves = {fichier[3], fichier[1], fichier[2], fichier[0]};
    j.eleves[0].NotesMat1[3][16] = ArrondiReal48(17.5); // ZOLA
    j.eleves[2].NotesMat1[1][1] = ArrondiReal48(19);    // the second DUPONT
    j.eleves[3].Appreciations[2][1] = QStringLiteral("Bien");
    const DifferencesJournal d = CompterDifferences(fichier, j);
    QCOMPARE(d.notes, 2);
    QCOMPARE(d.appreciations, 1);

    const QList<StudentRecord> r = AppliquerJournal(fichier, j);
    QCOMPARE(r.size(), 4);
    QCOMPARE(r[0].Nom, QStringLiteral("ARTHUR")); // the file's order is kept
    QCOMPARE(r[0].Appreciations[2][1], QStringLiteral("Bien"));
    EGAL_EXACT(r[1].NotesMat1[1][1], ArrondiReal48(8));
    EGAL_EXACT(r[2].NotesMat1[1][1], ArrondiReal48(19));
    EGAL_EXACT(r[3].NotesMat1[3][16], ArrondiReal48(17.5));
    QVERIFY(CompterDifferences(r, j).vide());

    // A student who is not in the journal any more is left as saved.
    fichier.append(Classe({QStringLiteral("NOUVEAU Léa")}));
    fichier[4].NotesMat2[2][2] = ArrondiReal48(11);
    EGAL_EXACT(AppliquerJournal(fichier, j)[4].NotesMat2[2][2], ArrondiReal48(11));
}

void TestVerrou::texteRecuperation()
{
    Journal j;
    j.instant = QDateTime(QDate(2026, 12, 7), QTime(10, 42, 59));
    QCOMPARE(TexteRecuperation(j, {3, 1}),
             QStringLiteral("Des modifications non enregistrées du 07/12 à 10:42 ont été retrouvées. "
                            "Voulez-vous les récupérer ?\r\n\r\n3 notes et 1 appréciation diffèrent de la "
                            "classe enregistrée."));
    QVERIFY(TexteRecuperation(j, {1, 2}).endsWith(
        QStringLiteral("1 note et 2 appréciations diffèrent de la classe enregistrée.")));
}

void TestVerrou::journalPlusRecent()
{
    QVERIFY(!JournalPlusRecent(m_classe));
    QCOMPARE(EcrireEleves(m_classe, Classe({QStringLiteral("DUPONT Jean")})).etat, EtatEcriture::Ecrit);
    Journal j;
    j.instant = QDateTime::currentDateTime();
    j.nomFichier = QStringLiteral("3B.VTC");
    QCOMPARE(EcrireJournal(j), QString());
    const QDateTime t = QFileInfo(m_classe).lastModified();
    QFile journal(CheminJournal(m_classe));
    QVERIFY(journal.open(QIODevice::ReadWrite));
    QVERIFY(journal.setFileTime(t.addSecs(60), QFileDevice::FileModificationTime));
    QVERIFY(JournalPlusRecent(m_classe));
    // Written in the same tick of the file clock: still the newer one.
    QVERIFY(journal.setFileTime(t, QFileDevice::FileModificationTime));
    QVERIFY(JournalPlusRecent(m_classe));
    // The class saved after the journal: the journal is old news.
    QVERIFY(journal.setFileTime(t.addSecs(-60), QFileDevice::FileModificationTime));
    QVERIFY(!JournalPlusRecent(m_classe));
}

QTEST_GUILESS_MAIN(TestVerrou)
#include "tst_verrou.moc"

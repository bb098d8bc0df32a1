// Two copies of the program on one class folder, and a crash before saving:
// the class lock and the read-only opening, the question before a file
// changed on disk is overwritten, the recovery journal, and a real process
// killed after typing marks.
#include "classdata/empreinte.h"
#include "classdata/journal.h"
#include "classdata/verrouclasse.h"
#include "platform/inifile.h"
#include "tests/common/classeessai.h"
#include "tests/common/repondeurscripte.h"
#include "ui/backup/sauvform.h"
#include "ui/config/champsconf.h"
#include "ui/config/confform.h"
#include "ui/marks/gardeclasse.h"
#include "ui/marks/grillevue.h"
#include "ui/marks/noteform.h"
#include "ui/menu/catalogue.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSysInfo>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

// A control of the window by its designer name.
template <class T> T *Ctl(const QObject &f, const char *nom)
{
    T *c = f.findChild<T *>(QLatin1String(nom));
    if (!c)
        qFatal("no control %s", nom);
    return c;
}

const QStringList TroisEleves{QStringLiteral("DUPONT Jean"), QStringLiteral("MARTIN Paul"),
                              QStringLiteral("ZOLA Emile")};
const QDateTime Instant(QDate(2026, 12, 7), QTime(10, 42));

QLineEdit *Editeur(TNoteForm &f)
{
    for (QLineEdit *e : Ctl<TStringGrid>(f, "StringGrid1")->findChildren<QLineEdit *>())
        if (e->isVisible())
            return e;
    return nullptr;
}

// A mark typed in a cell, then Enter.
void Saisir(TNoteForm &f, int col, int row, const QString &texte)
{
    Ctl<TStringGrid>(f, "StringGrid1")->setCourante(col, row);
    for (QChar c : texte) {
        QWidget *cible = Editeur(f);
        QTest::keyClick(cible ? cible : static_cast<QWidget *>(Ctl<TStringGrid>(f, "StringGrid1")),
                        c.toLatin1());
    }
    QWidget *cible = Editeur(f);
    QTest::keyClick(cible ? cible : static_cast<QWidget *>(Ctl<TStringGrid>(f, "StringGrid1")),
                    Qt::Key_Return);
}

QList<StudentRecord> LireClasse(const QString &chemin)
{
    QList<StudentRecord> l;
    LireEleves(chemin, l);
    return l;
}

} // namespace

class TestGardeClasse : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void deuxiemeCopieLectureSeule();
    void verrouAutreMachine_data();
    void verrouAutreMachine();
    void jamaisListeNiSauvegarde();

    void fichierChange_data();
    void fichierChange();
    void enregistrerSousAutreNom();

    void journalApresChangement();
    void recuperationAcceptee();
    void recuperationRefusee();
    void recuperationColonnesDeplacees();
    void processusTue();

    void configurationVerrouillee();
    void configurationAutreNom();
    void questionSansEchappement();

private:
    // The class written in the program folder and loaded as the main menu does.
    void ecrireEtCharger();
    TNoteForm *ouvrir();

    ClasseEssai *m_classe = nullptr;
    RepondeurScripte *m_rep = nullptr;
    TNoteForm *m_f = nullptr;
    QString m_chemin;
};

void TestGardeClasse::init()
{
    m_classe = new ClasseEssai;
    m_rep = new RepondeurScripte;
    m_classe->construire(false, true, TroisEleves);
    m_chemin = m_classe->chemin(QStringLiteral("3EME1.VTC"));
    GardeClasse::DelaiJournal = 3000;
    FixerHorloge(Instant);
}

void TestGardeClasse::cleanup()
{
    QCOMPARE(m_rep->imprevues(), QStringList());
    delete m_f;
    m_f = nullptr;
    delete m_rep;
    delete m_classe;
}

void TestGardeClasse::ecrireEtCharger()
{
    m_classe->note(0, 1, 1, 8);
    m_classe->note(1, 1, 1, 14);
    QCOMPARE(EcrireClasse().etat, EtatEcriture::Ecrit);
    QVERIFY(charger(QStringLiteral("3EME1.VTC")).ok);
}

TNoteForm *TestGardeClasse::ouvrir()
{
    m_f = new TNoteForm;
    m_f->show();
    if (!QTest::qWaitForWindowExposed(m_f))
        return nullptr;
    m_f->activateWindow();
    Ctl<TStringGrid>(*m_f, "StringGrid1")->setFocus();
    return m_f;
}

void TestGardeClasse::deuxiemeCopieLectureSeule()
{
    ecrireEtCharger();
    // The first copy: the lock of this process, as another window would hold it.
    FixerHorloge(QDateTime(QDate(2026, 12, 7), QTime(8, 5)));
    VerrouClasse premiere(m_chemin);
    QCOMPARE(premiere.prendre(), VerrouClasse::Etat::Pris);
    FixerHorloge(Instant);

    TNoteForm &f = *ouvrir();
    QCOMPARE(m_rep->textes(),
             QStringList{QStringLiteral("La classe 3EME1 est ouverte par ") + UtilisateurCourant()
                         + QStringLiteral(" sur ") + QSysInfo::machineHostName()
                         + QStringLiteral(" depuis 08:05. Elle est ouverte en lecture seule.")});
    QVERIFY(f.Garde->lectureSeule());
    QVERIFY(f.windowTitle().endsWith(QStringLiteral("lecture seule")));
    QVERIFY(f.findChild<QLabel *>(QStringLiteral("LabelLectureSeule"))->isVisible());
    QVERIFY(!Ctl<QPushButton>(f, "Button5")->isEnabled());
    QVERIFY(!Ctl<QPushButton>(f, "BBCoefDate")->isEnabled());
    QVERIFY(!Ctl<TStringGrid>(f, "StringGrid1")->horizontalHeader()->sectionsMovable());
    // Nothing typed reaches the class.
    Saisir(f, 1, 1, QStringLiteral("15"));
    QCOMPARE(ListeEleves[0].NotesMat1[1][1], 8.0);
    QVERIFY(!f.EnregistrementNecessaire);
    // A view change does not make it editable again.
    Ctl<QPushButton>(f, "Button2")->click();
    QVERIFY(!Ctl<QPushButton>(f, "Button5")->isEnabled());
    QVERIFY(!Ctl<QPushButton>(f, "Button9")->isEnabled());
    QVERIFY(f.windowTitle().endsWith(QStringLiteral("lecture seule")));
    Ctl<QPushButton>(f, "Button1")->click();
    QVERIFY(!(Ctl<TStringGrid>(f, "StringGrid1")->model()->index(0, 0).flags() & Qt::ItemIsEditable));
    Ctl<TStringGrid>(f, "StringGrid1")->setCourante(1, 1);
    Ctl<QAction>(f, "Augmenterde11")->trigger();
    QCOMPARE(ListeEleves[0].NotesMat1[1][1], 8.0);
    QVERIFY(!f.Button5Click());

    // Leaving asks nothing and leaves the first copy's lock alone.
    m_rep->vider();
    Ctl<QPushButton>(f, "Button6")->click();
    QVERIFY(m_rep->boites().isEmpty());
    QVERIFY(premiere.tenu());
    QVERIFY(QFileInfo::exists(CheminVerrou(m_chemin)));

    // The first copy gone, the next opening edits.
    premiere.liberer();
    QVERIFY(charger(QStringLiteral("3EME1.VTC")).ok);
    f.show();
    QVERIFY(!f.Garde->lectureSeule());
    QVERIFY(Ctl<QPushButton>(f, "Button5")->isEnabled());
    QCOMPARE(f.windowTitle(), QStringLiteral("Gestion des notes"));
    QVERIFY(!f.findChild<QLabel *>(QStringLiteral("LabelLectureSeule"))->isVisible());
    QVERIFY(Ctl<TStringGrid>(f, "StringGrid1")->model()->index(0, 0).flags() & Qt::ItemIsEditable);
    Ctl<QPushButton>(f, "Button6")->click();
}

void TestGardeClasse::verrouAutreMachine_data()
{
    QTest::addColumn<int>("reponse");
    QTest::newRow("still open there: read-only") << int(BoutonNon);
    QTest::newRow("gone: taken over") << int(BoutonOui);
}

void TestGardeClasse::verrouAutreMachine()
{
    QFETCH(int, reponse);
    ecrireEtCharger();
    QFile v(CheminVerrou(m_chemin));
    QVERIFY(v.open(QIODevice::WriteOnly));
    v.write("4242\nvestrel\nsalle-prof-2\n0123456789abcdef0123456789abcdef\nboot\nmdurand\n2026-12-07T08:15:"
            "00\n");
    v.close();
    m_rep->prevoir(reponse);
    TNoteForm &f = *ouvrir();
    QCOMPARE(m_rep->boites().size(), 1);
    const Boite b = m_rep->boites().first();
    QCOMPARE(b.boutons, BoutonOui | BoutonNon);
    QCOMPARE(b.defaut, int(BoutonNon)); // Enter keeps the other computer's work safe
    QVERIFY(b.texte.startsWith(
        QStringLiteral("La classe 3EME1 est ouverte par mdurand sur salle-prof-2 depuis 08:15.")));
    QCOMPARE(f.Garde->lectureSeule(), reponse == BoutonNon);
    DetenteurVerrou d;
    QVERIFY(VerrouClasse::LireDetenteur(CheminVerrou(m_chemin), d));
    QCOMPARE(d.machine, reponse == BoutonNon ? QStringLiteral("salle-prof-2") : QSysInfo::machineHostName());
    Ctl<QPushButton>(f, "Button6")->click();
    QCOMPARE(QFileInfo::exists(CheminVerrou(m_chemin)), reponse == BoutonNon);
}

void TestGardeClasse::jamaisListeNiSauvegarde()
{
    ecrireEtCharger();
    TNoteForm &f = *ouvrir();
    Saisir(f, 1, 1, QStringLiteral("12"));
    f.Garde->echeance();
    QVERIFY(QFileInfo::exists(CheminJournal(m_chemin)));
    QVERIFY(QFileInfo::exists(CheminVerrou(m_chemin)));
    QCOMPARE(ListerClasses(m_classe->dossier.path()), QStringList{QStringLiteral("3EME1.VTC")});

    TSauvForm s;
    s.show();
    s.FilterComboBox1->setCurrentIndex(2); // every file
    QStringList montres;
    for (int i = 0; i < s.FileListBox1->count(); ++i)
        montres << s.FileListBox1->item(i)->text();
    QVERIFY(montres.contains(QStringLiteral("3EME1.VTC")));
    QVERIFY(!montres.contains(QStringLiteral("3EME1.VTC.lock")));
    QVERIFY(!montres.contains(QStringLiteral("3EME1.VTC.journal")));
    s.BBTout->click();
    for (int i = 0; i < s.ListBox1->count(); ++i)
        QVERIFY(!EstFichierAnnexe(s.ListBox1->item(i)->text()));
    s.reject();
    m_rep->prevoir(BoutonNon);
    Ctl<QPushButton>(f, "Button6")->click();
}

void TestGardeClasse::fichierChange_data()
{
    QTest::addColumn<int>("reponse");
    QTest::addColumn<bool>("remplace");
    QTest::newRow("replace") << int(BoutonOui) << true;
    QTest::newRow("not now") << int(BoutonAnnuler) << false;
}

void TestGardeClasse::fichierChange()
{
    QFETCH(int, reponse);
    QFETCH(bool, remplace);
    ecrireEtCharger();
    TNoteForm &f = *ouvrir();
    QVERIFY(f.Button5Click()); // unchanged on disk: no question
    QVERIFY(m_rep->boites().isEmpty());
    Saisir(f, 1, 1, QStringLiteral("11"));

    // Meanwhile another copy saved the class with another mark.
    QList<StudentRecord> autre = LireClasse(m_chemin);
    autre[2].NotesMat1[1][1] = ArrondiReal48(17);
    QCOMPARE(EcrireEleves(m_chemin, autre).etat, EtatEcriture::Ecrit);

    m_rep->prevoir(reponse);
    QCOMPARE(f.Button5Click(), remplace);
    QCOMPARE(m_rep->boites().size(), 1);
    const Boite b = m_rep->boites().first();
    QVERIFY(b.texte.startsWith(
        QStringLiteral("Le fichier 3EME1.VTC a été modifié sur le disque depuis son ouverture")));
    QCOMPARE(b.boutons, BoutonOui | BoutonNon | BoutonAnnuler);
    QCOMPARE(b.defaut, int(BoutonAnnuler));
    const QList<StudentRecord> disque = LireClasse(m_chemin);
    QCOMPARE(disque[0].NotesMat1[1][1], remplace ? 11.0 : 8.0);
    QCOMPARE(disque[2].NotesMat1[1][1], remplace ? NO_MARK : 17.0);
    QCOMPARE(f.EnregistrementNecessaire, !remplace);

    // Once replaced, the file is what the window holds: the next save asks nothing.
    m_rep->vider();
    if (remplace) {
        Saisir(f, 1, 2, QStringLiteral("9"));
        QVERIFY(f.Button5Click());
        QVERIFY(m_rep->boites().isEmpty());
    } else {
        m_rep->prevoir(BoutonNon); // leave without saving
        Ctl<QPushButton>(f, "Button6")->click();
        QCOMPARE(LireClasse(m_chemin)[2].NotesMat1[1][1], 17.0);
    }
}

void TestGardeClasse::enregistrerSousAutreNom()
{
    ecrireEtCharger();
    TNoteForm &f = *ouvrir();
    Saisir(f, 1, 1, QStringLiteral("11"));
    QList<StudentRecord> autre = LireClasse(m_chemin);
    autre[2].NotesMat1[1][1] = ArrondiReal48(17);
    QCOMPARE(EcrireEleves(m_chemin, autre).etat, EtatEcriture::Ecrit);
    QFile ailleurs(m_classe->chemin(QStringLiteral("3EME1B.VTC")));
    QVERIFY(ailleurs.open(QIODevice::WriteOnly));
    ailleurs.close();

    m_rep->prevoir(BoutonNon);                          // another name
    m_rep->prevoir(BoutonOk, QStringLiteral("3eme1b")); // taken
    m_rep->prevoir(BoutonOk, QStringLiteral("3EME1C"));
    f.Garde->echeance();
    QVERIFY(QFileInfo::exists(CheminJournal(m_chemin)));
    QVERIFY(f.Button5Click());
    QVERIFY(!QFileInfo::exists(CheminJournal(m_chemin)));
    QVERIFY(m_rep->textes().contains(
        QStringLiteral("Un fichier 3EME1B.VTC existe déjà : choisissez un autre nom.")));
    QCOMPARE(LireClasse(m_chemin)[2].NotesMat1[1][1], 17.0); // the other copy's class, untouched
    const QString nouveau = m_classe->chemin(QStringLiteral("3EME1C.VTC"));
    const QList<StudentRecord> disque = LireClasse(nouveau);
    QCOMPARE(disque.size(), 3);
    QCOMPARE(disque[0].NotesMat1[1][1], 11.0);
    QVERIFY(QFileInfo::exists(m_classe->chemin(QStringLiteral("3EME1C.INI"))));
    QCOMPARE(NomFichier, QStringLiteral("3EME1C.VTC"));
    QCOMPARE(Ctl<QLabel>(f, "Label1")->text(), QStringLiteral("3EME1C"));
    QVERIFY(QFileInfo::exists(CheminVerrou(nouveau)));
    QVERIFY(!QFileInfo::exists(CheminVerrou(m_chemin)));
    QVERIFY(!f.EnregistrementNecessaire);
    Ctl<QPushButton>(f, "Button6")->click();
    QVERIFY(!QFileInfo::exists(CheminVerrou(nouveau)));
}

void TestGardeClasse::journalApresChangement()
{
    ecrireEtCharger();
    TNoteForm &f = *ouvrir();
    QTimer *t = f.Garde->minuterie();
    QVERIFY(!QFileInfo::exists(CheminJournal(m_chemin)));
    Saisir(f, 1, 1, QStringLiteral("12.5"));
    // A few seconds after the change, once: every new change starts the delay again.
    QVERIFY(t->isActive());
    QVERIFY(t->isSingleShot());
    QCOMPARE(t->interval(), 3000);
    QVERIFY(!QFileInfo::exists(CheminJournal(m_chemin)));
    f.Garde->echeance();
    Journal j;
    QVERIFY(LireJournal(m_chemin, j));
    QCOMPARE(j.nomFichier, QStringLiteral("3EME1.VTC"));
    QCOMPARE(j.instant, Instant);
    QCOMPARE(j.eleves[0].NotesMat1[1][1], 12.5);

    // A cell still being typed reaches it through the one-second check.
    Ctl<TStringGrid>(f, "StringGrid1")->setCourante(1, 3);
    QTest::keyClick(Ctl<TStringGrid>(f, "StringGrid1"), '7');
    QVERIFY(!t->isActive());
    f.Timer1Timer();
    QVERIFY(t->isActive());
    f.Garde->echeance();
    QVERIFY(LireJournal(m_chemin, j));
    QCOMPARE(j.eleves[2].NotesMat1[1][1], 7.0);
    f.Timer1Timer(); // nothing new: nothing to write
    QVERIFY(!t->isActive());

    // Saved: gone at once.
    QVERIFY(f.Button5Click());
    QVERIFY(!QFileInfo::exists(CheminJournal(m_chemin)));
    // Undone back to the saved state: nothing left to recover.
    Saisir(f, 1, 2, QStringLiteral("3"));
    f.Garde->echeance();
    QVERIFY(QFileInfo::exists(CheminJournal(m_chemin)));
    f.Annuler();
    f.Garde->echeance();
    QVERIFY(!QFileInfo::exists(CheminJournal(m_chemin)));
    // Left without saving: the teacher threw the changes away, the journal goes too.
    Saisir(f, 1, 2, QStringLiteral("4"));
    f.Garde->echeance();
    QVERIFY(QFileInfo::exists(CheminJournal(m_chemin)));
    m_rep->prevoir(BoutonNon);
    Ctl<QPushButton>(f, "Button6")->click();
    QVERIFY(!QFileInfo::exists(CheminJournal(m_chemin)));
    QVERIFY(!QFileInfo::exists(CheminVerrou(m_chemin)));
    QCOMPARE(LireClasse(m_chemin)[1].NotesMat1[1][1], 14.0);
}

void TestGardeClasse::recuperationAcceptee()
{
    ecrireEtCharger();
    Journal j;
    j.instant = Instant;
    j.nomFichier = NomFichier;
    j.eleves = ListeEleves;
    j.eleves[0].NotesMat1[1][1] = ArrondiReal48(12.5);
    j.eleves[2].NotesMat1[1][4] = ArrondiReal48(20);
    j.eleves[1].Appreciations[1][1] = QStringLiteral("Sérieux");
    QCOMPARE(EcrireJournal(j), QString());

    m_rep->prevoir(BoutonOui);
    TNoteForm &f = *ouvrir();
    QCOMPARE(
        m_rep->textes(),
        QStringList{QStringLiteral("Des modifications non enregistrées du 07/12 à 10:42 ont été retrouvées. "
                                   "Voulez-vous les récupérer ?"
                                   "\r\n\r\n2 notes et 1 appréciation diffèrent de la classe enregistrée.")});
    QCOMPARE(m_rep->boites().first().defaut, int(BoutonOui));
    QCOMPARE(Ctl<TStringGrid>(f, "StringGrid1")->Cells(1, 1), QStringLiteral("12.50"));
    QCOMPARE(Ctl<TStringGrid>(f, "StringGrid1")->Cells(4, 3), QStringLiteral("20.00"));
    QCOMPARE(Ctl<TStringGrid>(f, "StringGrid1")->Cells(1, 2), QStringLiteral("14.00"));
    QCOMPARE(ListeEleves[1].Appreciations[1][1], QStringLiteral("Sérieux"));
    QVERIFY(f.EnregistrementNecessaire);
    QVERIFY(Ctl<QToolButton>(f, "BBAnnuler")->isEnabled());
    // Not on disk yet; the journal stays until it is.
    QCOMPARE(LireClasse(m_chemin)[0].NotesMat1[1][1], 8.0);
    QVERIFY(QFileInfo::exists(CheminJournal(m_chemin)));

    f.Annuler();
    QCOMPARE(Ctl<TStringGrid>(f, "StringGrid1")->Cells(1, 1), QStringLiteral(" 8.00"));
    QCOMPARE(Ctl<TStringGrid>(f, "StringGrid1")->Cells(4, 3), QString());
    QCOMPARE(ListeEleves[1].Appreciations[1][1], QString());
    QVERIFY(!f.EnregistrementNecessaire);
    f.Retablir();
    QVERIFY(f.Button5Click());
    QCOMPARE(LireClasse(m_chemin)[2].NotesMat1[1][4], 20.0);
    QVERIFY(!QFileInfo::exists(CheminJournal(m_chemin)));
    Ctl<QPushButton>(f, "Button6")->click();
}

void TestGardeClasse::recuperationRefusee()
{
    ecrireEtCharger();
    Journal j;
    j.instant = Instant;
    j.nomFichier = NomFichier;
    j.eleves = ListeEleves;
    j.eleves[0].NotesMat1[1][1] = ArrondiReal48(12.5);
    QCOMPARE(EcrireJournal(j), QString());
    m_rep->prevoir(BoutonNon);
    TNoteForm &f = *ouvrir();
    QCOMPARE(m_rep->boites().size(), 1);
    QVERIFY(!QFileInfo::exists(CheminJournal(m_chemin)));
    QCOMPARE(Ctl<TStringGrid>(f, "StringGrid1")->Cells(1, 1), QStringLiteral(" 8.00"));
    QVERIFY(!f.EnregistrementNecessaire);
    QVERIFY(!Ctl<QToolButton>(f, "BBAnnuler")->isEnabled());
    Ctl<QPushButton>(f, "Button6")->click();

    // A journal older than the class (saved since) is not offered.
    QCOMPARE(EcrireJournal(j), QString());
    QFile journal(CheminJournal(m_chemin));
    QVERIFY(journal.open(QIODevice::ReadWrite));
    QVERIFY(journal.setFileTime(QFileInfo(m_chemin).lastModified().addSecs(-30),
                                QFileDevice::FileModificationTime));
    journal.close();
    m_rep->vider();
    QVERIFY(charger(QStringLiteral("3EME1.VTC")).ok);
    f.show();
    QVERIFY(m_rep->boites().isEmpty());
    Ctl<QPushButton>(f, "Button6")->click();
}

void TestGardeClasse::recuperationColonnesDeplacees()
{
    ecrireEtCharger();
    // The window had moved assignment 1 of period 1 to place 2 before the crash.
    Journal j;
    j.instant = Instant;
    j.nomFichier = NomFichier;
    j.eleves = ListeEleves;
    for (StudentRecord &e : j.eleves)
        std::swap(e.NotesMat1[1][1], e.NotesMat1[1][2]);
    j.coefs[1] = QStringLiteral("1311111111111111");
    j.coefs[2] = j.coefs[3] = COEFS_PAR_DEFAUT;
    for (int p = 1; p <= 3; ++p)
        j.dates[p] = DatePeriode[p];
    j.dates[1].replace(0, 10, QStringLiteral("--/--05/11"));
    QCOMPARE(EcrireJournal(j), QString());
    m_rep->prevoir(BoutonOui);
    TNoteForm &f = *ouvrir();
    QVERIFY(m_rep->dernierTexte().contains(QStringLiteral("4 notes et 0 appréciation")));
    QVERIFY(m_rep->dernierTexte().contains(QStringLiteral("coefficients")));
    QCOMPARE(Ctl<TStringGrid>(f, "StringGrid1")->Cells(2, 1), QStringLiteral(" 8.00"));
    QVERIFY(f.CoefsDeplaces);
    QVERIFY(f.EnregistrementNecessaire);
    QVERIFY(!Ctl<QPushButton>(f, "Button1")->isEnabled()); // locked as after a move
    QVERIFY(f.Button5Click());
    QCOMPARE(LireClasse(m_chemin)[1].NotesMat1[1][2], 14.0);
    LireOptions();
    QCOMPARE(CoefPeriode[1], QStringLiteral("1311111111111111"));
    QCOMPARE(DatePeriode[1].left(10), QStringLiteral("--/--05/11"));
    Ctl<QPushButton>(f, "Button6")->click();
}

// A real copy of the program types marks and is killed: reopening offers
// them back, exactly, and takes over the lock it left.
void TestGardeClasse::processusTue()
{
    ecrireEtCharger();
    const QList<StudentRecord> avant = ListeEleves;
    ViderClasse();
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(QStringLiteral(AIDE_SAISIE),
            {m_classe->dossier.path(), QStringLiteral("3EME1.VTC"), QStringLiteral("1:1:12.5"),
             QStringLiteral("2:3:7"), QStringLiteral("1:2:0X"), QStringLiteral("16:1:19.75")});
    QVERIFY(p.waitForStarted());
    QByteArray sortie;
    while (!sortie.contains("pret") && p.state() == QProcess::Running && p.waitForReadyRead(30000))
        sortie += p.readAllStandardOutput();
    QVERIFY2(sortie.contains("pret"), sortie.constData());
    QVERIFY(QFileInfo::exists(CheminVerrou(m_chemin)));

    // Meanwhile a second copy opens the class: read-only, the first one named.
    {
        QVERIFY(charger(QStringLiteral("3EME1.VTC")).ok);
        TNoteForm deuxieme;
        deuxieme.show();
        QCOMPARE(m_rep->textes(),
                 QStringList{QStringLiteral("La classe 3EME1 est ouverte par ") + UtilisateurCourant()
                             + QStringLiteral(" sur ") + QSysInfo::machineHostName()
                             + QStringLiteral(" depuis 10:42. Elle est ouverte en lecture seule.")});
        QVERIFY(deuxieme.Garde->lectureSeule());
        Ctl<QPushButton>(deuxieme, "Button6")->click();
        QVERIFY(QFileInfo::exists(CheminJournal(m_chemin))); // the first copy's journal, untouched
        m_rep->vider();
    }

    p.kill(); // SIGKILL: nothing of the program runs after it
    QVERIFY(p.waitForFinished());
    QCOMPARE(p.exitStatus(), QProcess::CrashExit);
    QVERIFY(QFileInfo::exists(CheminVerrou(m_chemin)));
    QCOMPARE(LireClasse(m_chemin)[0].NotesMat1[1][1], 8.0);

    QVERIFY(charger(QStringLiteral("3EME1.VTC")).ok);
    m_rep->prevoir(BoutonOui);
    TNoteForm &f = *ouvrir();
    QCOMPARE(m_rep->boites().size(), 1); // no word about the dead copy's lock
    QVERIFY(m_rep->dernierTexte().startsWith(
        QStringLiteral("Des modifications non enregistrées du 07/12 à 10:42")));
    QVERIFY2(m_rep->dernierTexte().endsWith(
                 QStringLiteral("4 notes et 0 appréciation diffèrent de la classe enregistrée.")),
             qPrintable(m_rep->dernierTexte()));
    QVERIFY(!f.Garde->lectureSeule());
    QList<StudentRecord> attendu = avant;
    attendu[0].NotesMat1[1][1] = ArrondiReal48(12.5);
    attendu[2].NotesMat1[1][2] = ArrondiReal48(7);
    attendu[1].NotesMat1[1][1] = NO_MARK;
    attendu[0].NotesMat1[1][16] = ArrondiReal48(19.75);
    QCOMPARE(ListeEleves.size(), attendu.size());
    for (int i = 0; i < attendu.size(); ++i)
        QCOMPARE(CoderEleve(ListeEleves[i]), CoderEleve(attendu[i]));
    QVERIFY(f.EnregistrementNecessaire);
    DetenteurVerrou d;
    QVERIFY(VerrouClasse::LireDetenteur(CheminVerrou(m_chemin), d));
    QCOMPARE(d.pid, QCoreApplication::applicationPid());
    QVERIFY(f.Button5Click());
    QCOMPARE(LireClasse(m_chemin)[0].NotesMat1[1][16], 19.75);
    Ctl<QPushButton>(f, "Button6")->click();
}

void TestGardeClasse::configurationVerrouillee()
{
    ecrireEtCharger();
    TConfForm c;
    ModeCreation = ModeDuplication = false;
    ModeModification = true;
    c.show();
    QVERIFY(QFileInfo::exists(CheminVerrou(m_chemin)));
    QVERIFY(c.B3->isEnabled());

    // The mark-entry window of another copy meanwhile: read-only there.
    {
        VerrouClasse autre(m_chemin);
        QCOMPARE(autre.prendre(), VerrouClasse::Etat::TenuIci);
    }
    c.B1->click();
    QVERIFY(!QFileInfo::exists(CheminVerrou(m_chemin)));

    VerrouClasse premiere(m_chemin);
    QCOMPARE(premiere.prendre(), VerrouClasse::Etat::Pris);
    QVERIFY(charger(QStringLiteral("3EME1.VTC")).ok);
    c.show();
    QCOMPARE(m_rep->boites().size(), 1);
    QVERIFY(m_rep->dernierTexte().endsWith(QStringLiteral("Elle est ouverte en lecture seule.")));
    QVERIFY(!c.B3->isEnabled());
    QVERIFY(!c.B2->isEnabled());
    QVERIFY(c.windowTitle().endsWith(QStringLiteral("lecture seule")));
    c.B1->click();
    QVERIFY(premiere.tenu());

    // Modified while another copy saved the class: asked before it is replaced.
    premiere.liberer();
    m_rep->vider();
    QVERIFY(charger(QStringLiteral("3EME1.VTC")).ok);
    c.show();
    QVERIFY(c.B3->isEnabled());
    QList<StudentRecord> autre = LireClasse(m_chemin);
    autre[2].NotesMat1[1][1] = ArrondiReal48(17);
    QCOMPARE(EcrireEleves(m_chemin, autre).etat, EtatEcriture::Ecrit);
    c.E2->setText(QStringLiteral("Math"));
    m_rep->prevoir(BoutonAnnuler);
    c.B3->click();
    QCOMPARE(LireClasse(m_chemin)[2].NotesMat1[1][1], 17.0);
    QVERIFY(m_rep->dernierTexte().startsWith(QStringLiteral("Le fichier 3EME1.VTC a été modifié")));
    m_rep->prevoir(BoutonOui);
    c.B3->click();
    QCOMPARE(LireClasse(m_chemin)[2].NotesMat1[1][1], NO_MARK);
    c.B1->click();
}

void TestGardeClasse::configurationAutreNom()
{
    ecrireEtCharger();
    TConfForm c;
    ModeCreation = ModeDuplication = false;
    ModeModification = true;
    c.show();
    QList<StudentRecord> autre = LireClasse(m_chemin);
    autre[2].NotesMat1[1][1] = ArrondiReal48(17);
    QCOMPARE(EcrireEleves(m_chemin, autre).etat, EtatEcriture::Ecrit);
    c.E2->setText(QStringLiteral("Math"));
    m_rep->prevoir(BoutonNon);
    m_rep->prevoir(BoutonOk, QStringLiteral("3B"));
    c.B3->click();
    const QString nouveau = m_classe->chemin(QStringLiteral("3B.VTC"));
    QCOMPARE(LireClasse(nouveau).size(), 3);
    QCOMPARE(LireClasse(nouveau)[2].NotesMat1[1][1], NO_MARK);
    QCOMPARE(LireClasse(m_chemin)[2].NotesMat1[1][1], 17.0);
    QCOMPARE(Ini::lireTexte(m_classe->chemin(QStringLiteral("3B.INI")), QStringLiteral("Options"),
                            QStringLiteral("Mat1"), QString()),
             QStringLiteral("Math"));
    QVERIFY(QFileInfo::exists(CheminVerrou(nouveau)));
    QVERIFY(!QFileInfo::exists(CheminVerrou(m_chemin)));
    QCOMPARE(c.windowTitle(), QStringLiteral("Modification du fichier 3B"));
    // Saved again: it is its own file now, nothing to ask.
    m_rep->vider();
    c.E2->setText(QStringLiteral("Maths"));
    c.B3->click();
    QVERIFY(m_rep->boites().isEmpty());
    c.B1->click();
    QVERIFY(!QFileInfo::exists(CheminVerrou(nouveau)));
}

// The real box: Enter gives the safe answer, Escape and the close box none.
void TestGardeClasse::questionSansEchappement()
{
    Messages::installerRepondeur(nullptr);
    bool resteOuverte = false;
    QTimer::singleShot(0, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        QTest::keyClick(box, Qt::Key_Escape);
        box->close();
        QCoreApplication::processEvents();
        resteOuverte = box->isVisible();
        QTest::keyClick(box, Qt::Key_Return);
    });
    const int r = Messages::boite(TypeBoite::Avertissement, QStringLiteral("Reprendre la classe ?"),
                                  BoutonOui | BoutonNon, BoutonNon);
    Messages::installerRepondeur(m_rep);
    QVERIFY(resteOuverte);
    QCOMPARE(r, int(BoutonNon));
}

QTEST_MAIN(TestGardeClasse)
#include "tst_gardeclasse.moc"

// Two copies of the program on one class folder, and a crash before saving:
// the class lock, the question before a class changed on disk is replaced, the recovery journal.
#include "classdata/journal.h"
#include "classdata/verrouclasse.h"
#include "platform/inifile.h"
#include "tests/marks/saisie.h"
#include "ui/backup/sauvform.h"
#include "ui/components/reservation.h"
#include "ui/config/champsconf.h"
#include "ui/config/confform.h"
#include "ui/marks/gardeclasse.h"
#include "ui/menu/catalogue.h"

#include <QComboBox>
#include <QLabel>
#include <QProcess>
#include <QTimer>

#include <cstdio>

namespace {

const QDateTime Instant(QDate(2026, 12, 7), QTime(10, 42));

QString LuParAutre(const QString &depuis)
{
    return u"La classe 3EME1 est ouverte par "_s + UtilisateurCourant() + u" sur "_s
        + QSysInfo::machineHostName() + u" depuis "_s + depuis + u". Elle est ouverte en lecture seule."_s;
}

bool Existe(const QString &chemin)
{
    return QFileInfo::exists(chemin);
}

} // namespace

class TestGardeClasse : public QObject {
    Q_OBJECT

    std::unique_ptr<BancNotes> m_b;
    ClasseEssai *m_classe = nullptr;
    RepondeurScripte *m_rep = nullptr;
    QString m_chemin, m_verrou, m_journal;

    // The class written in the program folder and loaded as the main menu does.
    void ecrireEtCharger()
    {
        m_classe->note(0, 1, 1, 8);
        m_classe->note(1, 1, 1, 14);
        QCOMPARE(EcrireClasse().etat, EtatEcriture::Ecrit);
        QVERIFY(charger(u"3EME1.VTC"_s).ok);
    }

    TNoteForm &ouvrir() { return m_b->ouvrir(); }

    // Another copy saves the class with a mark 17 for the third student.
    void autreCopieEnregistre()
    {
        QList<StudentRecord> autre = LireClasse(m_chemin);
        autre[2].NotesMat1[1][1] = ArrondiReal48(17);
        QCOMPARE(EcrireEleves(m_chemin, autre).etat, EtatEcriture::Ecrit);
    }

    bool journalApres(TNoteForm &f)
    {
        f.Garde->echeance();
        return Existe(m_journal);
    }

    double noteDisque(int eleve, const QString &fichier = u"3EME1.VTC"_s)
    {
        return LireClasse(m_classe->chemin(fichier)).value(eleve).NotesMat1[1][1];
    }

private slots:
    void init()
    {
        m_b = std::make_unique<BancNotes>();
        m_classe = &m_b->classe;
        m_rep = &m_b->rep;
        m_chemin = m_classe->chemin(u"3EME1.VTC"_s);
        m_verrou = CheminVerrou(m_chemin);
        m_journal = CheminJournal(m_chemin);
        GardeClasse::DelaiJournal = 3000;
        FixerHorloge(Instant);
    }

    void cleanup() { m_b.reset(); }

    // Behind another copy on this computer: read-only, and its lock left alone.
    void deuxiemeCopieLectureSeule()
    {
        ecrireEtCharger();
        FixerHorloge(QDateTime(QDate(2026, 12, 7), QTime(8, 5)));
        VerrouClasse premiere(m_chemin);
        QCOMPARE(premiere.prendre(), VerrouClasse::Etat::Pris);
        FixerHorloge(Instant);
        TNoteForm &f = ouvrir();
        QCOMPARE(m_rep->textes(), QStringList{LuParAutre(u"08:05"_s)});
        QVERIFY(f.Garde->lectureSeule() && Ctl(f, "LabelLectureSeule")->isVisible());
        Saisir(f, 1, 1, u"15"_s);
        Clic(f, "Button2"); // a view change does not make it editable again
        Clic(f, "Button1");
        QVERIFY(f.windowTitle().endsWith(u"lecture seule"_s) && !Ctl(f, "Button5")->isEnabled());
        Grille(f)->setCourante(1, 1);
        Ctl<QAction>(f, "Augmenterde11")->trigger();
        QCOMPARE(ListeEleves[0].NotesMat1[1][1], 8.0);
        QVERIFY(!f.EnregistrementNecessaire && !f.Button5Click());
        const qsizetype boites = m_rep->boites().size();
        Clic(f, "Button6");
        QCOMPARE(m_rep->boites().size(), boites); // leaving asks nothing
        QVERIFY(premiere.tenu() && Existe(m_verrou));
        // The first copy gone, the next opening edits.
        premiere.liberer();
        QVERIFY(charger(u"3EME1.VTC"_s).ok);
        f.show();
        QVERIFY(!f.Garde->lectureSeule() && !Ctl(f, "LabelLectureSeule")->isVisible());
        QCOMPARE(f.windowTitle(), u"Gestion des notes"_s);
        QVERIFY(Grille(f)->model()->index(0, 0).flags() & Qt::ItemIsEditable);
    }

    // The lock taken on another thread while the window is built: claimed by
    // the window as it shows, concluded as if taken then; one never claimed is
    // released.
    void verrouPrisPendantLaConstruction()
    {
        ecrireEtCharger();
        ReserverEnAvance(CheminProgramme(u"AUTRE.VTC"_s));
        ReserverEnAvance(m_chemin); // the first one, never claimed, is released
        QVERIFY(!Existe(CheminVerrou(CheminProgramme(u"AUTRE.VTC"_s))));
        TNoteForm &f = ouvrir();
        VerrouClasse::Etat etat;
        QVERIFY(!ReservationAnticipee(m_chemin, etat)); // claimed
        QVERIFY(m_rep->boites().isEmpty() && !f.Garde->lectureSeule());
        QCOMPARE(VerrouClasse(m_chemin).prendre(), VerrouClasse::Etat::TenuIci);
        Clic(f, "Button6");
        QVERIFY(!Existe(m_verrou));

        // Held by another copy: said, and read-only, as when taken by the window.
        VerrouClasse premiere(m_chemin);
        QCOMPARE(premiere.prendre(), VerrouClasse::Etat::Pris);
        QVERIFY(charger(u"3EME1.VTC"_s).ok);
        ReserverEnAvance(m_chemin);
        f.show();
        QCOMPARE(m_rep->textes(), QStringList{LuParAutre(u"10:42"_s)});
        QVERIFY(f.Garde->lectureSeule());
        Clic(f, "Button6");
        premiere.liberer();

        ReserverEnAvance(m_chemin);
        QTRY_VERIFY(Existe(m_verrou));
        AbandonnerReservationAnticipee();
        QVERIFY(!Existe(m_verrou));
    }

    void verrouAutreMachine_data()
    {
        QTest::addColumn<int>("reponse");
        QTest::newRow("still open there: read-only") << int(BoutonNon);
        QTest::newRow("gone: taken over") << int(BoutonOui);
    }

    void verrouAutreMachine()
    {
        QFETCH(int, reponse);
        ecrireEtCharger();
        QVERIFY(Essai::ecrire(m_verrou,
                              "4242\nvestrel\nsalle-prof-2\n0123456789abcdef0123456789abcdef\nboot\n"
                              "mdurand\n2026-12-07T08:15:00\n"));
        m_rep->prevoir(reponse);
        TNoteForm &f = ouvrir();
        QCOMPARE(m_rep->boites().size(), 1);
        const Boite b = m_rep->boites().first();
        QCOMPARE(b.boutons, BoutonOui | BoutonNon);
        QCOMPARE(b.defaut, int(BoutonNon)); // Enter keeps the other computer's work safe
        QVERIFY(
            b.texte.startsWith(u"La classe 3EME1 est ouverte par mdurand sur salle-prof-2 depuis 08:15."_s));
        QCOMPARE(f.Garde->lectureSeule(), reponse == BoutonNon);
        DetenteurVerrou d;
        QVERIFY(VerrouClasse::LireDetenteur(m_verrou, d));
        QCOMPARE(d.machine, reponse == BoutonNon ? u"salle-prof-2"_s : QSysInfo::machineHostName());
        Clic(f, "Button6");
        QCOMPARE(Existe(m_verrou), reponse == BoutonNon);
    }

    // Saving over a class another copy saved meanwhile: replace, leave, or another name.
    void fichierChange_data()
    {
        QTest::addColumn<int>("reponse");
        QTest::newRow("replace") << int(BoutonOui);
        QTest::newRow("not now") << int(BoutonAnnuler);
        QTest::newRow("another name") << int(BoutonNon);
    }

    void fichierChange()
    {
        QFETCH(int, reponse);
        const bool remplace = reponse == BoutonOui;
        ecrireEtCharger();
        TNoteForm &f = ouvrir();
        QVERIFY(f.Button5Click() && m_rep->boites().isEmpty()); // unchanged on disk: no question
        Saisir(f, 1, 1, u"11"_s);
        autreCopieEnregistre();
        QVERIFY(Essai::ecrire(m_classe->chemin(u"3EME1B.VTC"_s), {}));
        m_rep->prevoir(reponse);
        if (reponse == BoutonNon) {
            m_rep->prevoir(BoutonOk, u"3eme1b"_s); // taken
            m_rep->prevoir(BoutonOk, u"3EME1C"_s);
        }
        QVERIFY(journalApres(f));
        QCOMPARE(f.Button5Click(), reponse != BoutonAnnuler);
        const Boite b = m_rep->boites().first();
        QVERIFY(
            b.texte.startsWith(u"Le fichier 3EME1.VTC a été modifié sur le disque depuis son ouverture"_s));
        QCOMPARE(b.boutons, BoutonOui | BoutonNon | BoutonAnnuler);
        QCOMPARE(b.defaut, int(BoutonAnnuler));
        QCOMPARE(noteDisque(0), remplace ? 11.0 : 8.0);
        QCOMPARE(noteDisque(2), remplace ? NO_MARK : 17.0);
        QCOMPARE(f.EnregistrementNecessaire, reponse == BoutonAnnuler);
        QCOMPARE(Existe(m_journal), reponse == BoutonAnnuler);
        if (reponse == BoutonAnnuler) {
            m_rep->prevoir(BoutonNon); // leave without saving
            Clic(f, "Button6");
            QCOMPARE(noteDisque(2), 17.0);
            return;
        }
        if (reponse == BoutonNon) {
            QCOMPARE(m_rep->textes().value(2),
                     u"Un fichier 3EME1B.VTC existe déjà : choisissez un autre nom."_s);
            QCOMPARE(LireClasse(m_classe->chemin(u"3EME1C.VTC"_s)).size(), 3);
            QCOMPARE(noteDisque(0, u"3EME1C.VTC"_s), 11.0);
            QVERIFY(Existe(m_classe->chemin(u"3EME1C.INI"_s)));
            QCOMPARE(Ctl<QLabel>(f, "Label1")->text(), u"3EME1C"_s);
            QVERIFY(Existe(CheminVerrou(m_classe->chemin(u"3EME1C.VTC"_s))) && !Existe(m_verrou));
        }
        // The file is now what the window holds: the next save asks nothing.
        m_rep->vider();
        Saisir(f, 1, 2, u"9"_s);
        QVERIFY(f.Button5Click() && m_rep->boites().isEmpty());
        const QString verrou = CheminVerrou(CheminProgramme(NomFichier));
        QVERIFY(Existe(verrou));
        Clic(f, "Button6");
        QVERIFY(!Existe(verrou));
    }

    // Written after a delay, gone once nothing is left to recover, and listed nowhere.
    void journalApresChangement()
    {
        ecrireEtCharger();
        TNoteForm &f = ouvrir();
        QTimer *t = f.Garde->minuterie();
        Saisir(f, 1, 1, u"12.5"_s);
        QVERIFY(t->isActive() && !Existe(m_journal));
        f.Garde->echeance();
        Journal j;
        QVERIFY(LireJournal(m_chemin, j));
        QCOMPARE(j.nomFichier, u"3EME1.VTC"_s);
        QCOMPARE(j.instant, Instant);
        QCOMPARE(j.eleves[0].NotesMat1[1][1], 12.5);
        QCOMPARE(ListerClasses(m_classe->path()), QStringList{u"3EME1.VTC"_s});
        TSauvForm s;
        s.show();
        s.FilterComboBox1->setCurrentIndex(2); // every file
        s.BBTout->click();
        QStringList montres;
        for (const QListWidget *l : {s.FileListBox1, s.ListBox1})
            for (int i = 0; i < l->count(); ++i)
                montres << l->item(i)->text();
        QVERIFY(montres.contains(u"3EME1.VTC"_s));
        for (const QString &m : montres)
            QVERIFY2(!EstFichierAnnexe(m), qPrintable(m));
        s.reject();
        // A cell still being typed reaches it through the one-second check.
        Grille(f)->setCourante(1, 3);
        QTest::keyClick(Grille(f), '7');
        QVERIFY(!t->isActive());
        f.Timer1Timer();
        QVERIFY(t->isActive());
        f.Garde->echeance();
        QVERIFY(LireJournal(m_chemin, j));
        QCOMPARE(j.eleves[2].NotesMat1[1][1], 7.0);
        f.Timer1Timer(); // nothing new: nothing to write
        QVERIFY(!t->isActive());
        // Saved, or undone back to the saved state, or thrown away: nothing to recover.
        QVERIFY(f.Button5Click() && !Existe(m_journal));
        Saisir(f, 1, 2, u"3"_s);
        QVERIFY(journalApres(f));
        f.Annuler();
        QVERIFY(!journalApres(f));
        Saisir(f, 1, 2, u"4"_s);
        QVERIFY(journalApres(f));
        m_rep->prevoir(BoutonNon);
        Clic(f, "Button6");
        QVERIFY(!Existe(m_journal) && !Existe(m_verrou));
        QCOMPARE(noteDisque(1), 14.0);
    }

    void recuperation_data()
    {
        QTest::addColumn<int>("reponse");
        QTest::newRow("Oui") << int(BoutonOui);
        QTest::newRow("Non") << int(BoutonNon);
    }

    void recuperation()
    {
        QFETCH(int, reponse);
        ecrireEtCharger();
        Journal j{Instant, NomFichier, ListeEleves, {}, {}};
        j.eleves[0].NotesMat1[1][1] = ArrondiReal48(12.5);
        j.eleves[2].NotesMat1[1][4] = ArrondiReal48(20);
        j.eleves[1].Appreciations[1][1] = u"Sérieux"_s;
        QCOMPARE(EcrireJournal(j), QString());
        m_rep->prevoir(reponse);
        TNoteForm &f = ouvrir();
        QCOMPARE(m_rep->textes(),
                 QStringList{u"Des modifications non enregistrées du 07/12 à 10:42 ont été retrouvées. "
                             "Voulez-vous les récupérer ?"
                             "\r\n\r\n2 notes et 1 appréciation diffèrent de la classe enregistrée."_s});
        QCOMPARE(m_rep->boites().first().defaut, int(BoutonOui));
        QCOMPARE(noteDisque(0), 8.0);
        if (reponse == BoutonOui) {
            QCOMPARE(Cell(f, 1, 1), u"12.50"_s);
            QCOMPARE(Cell(f, 4, 3), u"20.00"_s);
            QCOMPARE(ListeEleves[1].Appreciations[1][1], u"Sérieux"_s);
            QVERIFY(f.EnregistrementNecessaire);
            QVERIFY(Existe(m_journal)); // until it is on disk
            // The recovery is one step to undo.
            f.Annuler();
            QCOMPARE(Cell(f, 4, 3), QString());
            QCOMPARE(ListeEleves[1].Appreciations[1][1], QString());
            QVERIFY(!f.EnregistrementNecessaire);
            f.Retablir();
            QVERIFY(f.Button5Click());
            QCOMPARE(LireClasse(m_chemin)[2].NotesMat1[1][4], 20.0);
            QVERIFY(!Existe(m_journal));
            return;
        }
        QVERIFY(!Existe(m_journal));
        QCOMPARE(Cell(f, 1, 1), u" 8.00"_s);
        QVERIFY(!f.EnregistrementNecessaire && !Ctl(f, "BBAnnuler")->isEnabled());
        Clic(f, "Button6");
        // A journal older than the class (saved since) is not offered.
        QCOMPARE(EcrireJournal(j), QString());
        QVERIFY(Essai::ecrire(m_journal, Essai::lire(m_journal),
                              QFileInfo(m_chemin).lastModified().addSecs(-30)));
        m_rep->vider();
        QVERIFY(charger(u"3EME1.VTC"_s).ok);
        f.show();
        QVERIFY(m_rep->boites().isEmpty());
    }

    void recuperationColonnesDeplacees()
    {
        ecrireEtCharger();
        // The window had moved assignment 1 of period 1 to place 2 before the crash.
        Journal j{Instant, NomFichier, ListeEleves, {}, {}};
        for (StudentRecord &e : j.eleves)
            std::swap(e.NotesMat1[1][1], e.NotesMat1[1][2]);
        j.coefs[1] = u"1311111111111111"_s;
        j.coefs[2] = j.coefs[3] = COEFS_PAR_DEFAUT;
        for (int p = 1; p <= 3; ++p)
            j.dates[p] = DatePeriode[p];
        j.dates[1].replace(0, 10, u"--/--05/11"_s);
        QCOMPARE(EcrireJournal(j), QString());
        m_rep->prevoir(BoutonOui);
        TNoteForm &f = ouvrir();
        QVERIFY(m_rep->dernierTexte().contains(u"4 notes et 0 appréciation"_s));
        QVERIFY(m_rep->dernierTexte().contains(u"coefficients"_s));
        QCOMPARE(Cell(f, 2, 1), u" 8.00"_s);
        QCOMPARE(Ctl<QLabel>(f, "lc2")->text(), u"3"_s); // the recovered coefficients
        QVERIFY(!Ctl(f, "Button1")->isEnabled());        // locked as after a move
        QVERIFY(f.Button5Click());
        QCOMPARE(LireClasse(m_chemin)[1].NotesMat1[1][2], 14.0);
        LireOptions();
        QCOMPARE(CoefPeriode[1], u"1311111111111111"_s);
        QCOMPARE(DatePeriode[1].left(10), u"--/--05/11"_s);
    }

    // A real copy types marks and is killed: reopening offers them back exactly.
    void processusTue()
    {
        ecrireEtCharger();
        const QList<StudentRecord> avant = ListeEleves;
        ViderClasse();
        QProcess p;
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p.start(QCoreApplication::applicationFilePath(),
                {u"--saisie"_s, m_classe->path(), u"3EME1.VTC"_s, u"1:1:12.5"_s, u"2:3:7"_s, u"1:2:0X"_s,
                 u"16:1:19.75"_s});
        QVERIFY(p.waitForStarted());
        QByteArray sortie;
        while (!sortie.contains("pret") && p.state() == QProcess::Running && p.waitForReadyRead(30000))
            sortie += p.readAllStandardOutput();
        QVERIFY2(sortie.contains("pret"), sortie.constData());
        // Meanwhile a second copy opens the class: read-only, the first one named.
        {
            QVERIFY(charger(u"3EME1.VTC"_s).ok);
            TNoteForm deuxieme;
            deuxieme.show();
            QCOMPARE(m_rep->textes(), QStringList{LuParAutre(u"10:42"_s)});
            Clic(deuxieme, "Button6");
            QVERIFY(Existe(m_journal)); // the first copy's journal, untouched
            m_rep->vider();
        }
        p.kill(); // SIGKILL: nothing of the program runs after it
        QVERIFY(p.waitForFinished());
        QCOMPARE(p.exitStatus(), QProcess::CrashExit);
        QVERIFY(Existe(m_verrou));
        QCOMPARE(noteDisque(0), 8.0);

        QVERIFY(charger(u"3EME1.VTC"_s).ok);
        m_rep->prevoir(BoutonOui);
        TNoteForm &f = ouvrir();
        QCOMPARE(m_rep->boites().size(), 1); // no word about the dead copy's lock
        QVERIFY2(m_rep->dernierTexte().endsWith(
                     u"4 notes et 0 appréciation diffèrent de la classe enregistrée."_s),
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
        DetenteurVerrou d;
        QVERIFY(VerrouClasse::LireDetenteur(m_verrou, d));
        QCOMPARE(d.pid, QCoreApplication::applicationPid());
        QVERIFY(f.Button5Click());
        QCOMPARE(LireClasse(m_chemin)[0].NotesMat1[1][16], 19.75);
    }

    // The configuration window: read-only behind another copy, asks before replacing.
    void configurationVerrouillee()
    {
        ecrireEtCharger();
        ModeCreation = ModeDuplication = false;
        ModeModification = true;
        VerrouClasse premiere(m_chemin);
        QCOMPARE(premiere.prendre(), VerrouClasse::Etat::Pris);
        TConfForm c;
        c.show();
        QVERIFY(m_rep->dernierTexte().endsWith(u"Elle est ouverte en lecture seule."_s));
        QVERIFY(!c.B3->isEnabled() && !c.B2->isEnabled());
        c.B1->click();
        QVERIFY(premiere.tenu());
        premiere.liberer();

        m_rep->vider();
        QVERIFY(charger(u"3EME1.VTC"_s).ok);
        c.show();
        QVERIFY(c.B3->isEnabled() && Existe(m_verrou));
        autreCopieEnregistre();
        c.E2->setText(u"Math"_s);
        m_rep->prevoir(BoutonAnnuler);
        c.B3->click();
        QVERIFY(m_rep->dernierTexte().startsWith(u"Le fichier 3EME1.VTC a été modifié"_s));
        QCOMPARE(noteDisque(2), 17.0);
        // Non: saved under another name, the other copy's class untouched.
        m_rep->prevoir(BoutonNon);
        m_rep->prevoir(BoutonOk, u"3B"_s);
        c.B3->click();
        const QString nouveau = m_classe->chemin(u"3B.VTC"_s);
        QCOMPARE(LireClasse(nouveau).size(), 3);
        QCOMPARE(noteDisque(2, u"3B.VTC"_s), NO_MARK);
        QCOMPARE(noteDisque(2), 17.0);
        QCOMPARE(Ini::lireTexte(m_classe->chemin(u"3B.INI"_s), u"Options"_s, u"Mat1"_s, QString()),
                 u"Math"_s);
        QVERIFY(Existe(CheminVerrou(nouveau)) && !Existe(m_verrou));
        QCOMPARE(c.windowTitle(), u"Modification du fichier 3B"_s);
        // Saved again: it is its own file now, nothing to ask.
        m_rep->vider();
        c.E2->setText(u"Maths"_s);
        c.B3->click();
        QVERIFY(m_rep->boites().isEmpty());
        c.B1->click();
        QVERIFY(!Existe(CheminVerrou(nouveau)));
    }
};

// --saisie folder class col:row:keys... (X: Backspace): types the marks, says
// "pret" once the recovery journal holds them, then waits to be killed.
int Saisie(const QStringList &args)
{
    RepondeurScripte repondeur;
    DefinirDossierProgramme(args.at(0));
    DefinirCheminParametresAppli(args.at(0) + u"/Vestrel.INI"_s);
    FixerHorloge(Instant);
    GardeClasse::DelaiJournal = 10;
    TNoteForm f;
    if (!charger(args.at(1)).ok || !Montrer(&f))
        return 3;
    for (const QString &cellule : args.mid(2)) {
        const QStringList c = cellule.split(u':');
        Grille(f)->setCourante(c.at(0).toInt(), c.at(1).toInt());
        Grille(f)->setFocus();
        for (QChar ch : c.at(2))
            ch == u'X' ? QTest::keyClick(Cible(f), Qt::Key_Backspace) : Taper(f, ch);
        Entree(f);
    }
    const QList<StudentRecord> attendu = ListeEleves;
    const auto ecrit = [&] {
        Journal j;
        return LireJournal(CheminProgramme(NomFichier), j) && j.eleves.size() == attendu.size()
            && CompterDifferences(attendu, j).vide();
    };
    if (!QTest::qWaitFor(ecrit, 20000))
        return 4;
    std::printf("pret\n");
    std::fflush(stdout);
    return QCoreApplication::exec();
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (app.arguments().value(1) == u"--saisie")
        return Saisie(app.arguments().mid(2));
    TestGardeClasse t;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&t, argc, argv);
}
#include "tst_gardeclasse.moc"

// The mark-entry window driven as the teacher would: keys, clicks, menus, drops,
// column moves, results, ranking, the questions on saving and leaving, export.
#include "classdata/texte.h"
#include "platform/ecrituresure.h"
#include "platform/erreurs.h"
#include "platform/inifile.h"
#include "tests/marks/saisie.h"
#include "ui/components/radiogroupe.h"
#include "ui/marks/barrenotes.h"

#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QTimer>

namespace {

const QString QuestionQuitter = u"Le fichier a été modifié et n'a pas été enregistré !\r\n"
                                "       Voulez vous l'enregistrer maintenant ?"_s;

void Choisir(const QObject &f, const char *groupe, int i)
{
    auto *g = Ctl<RadioGroupe>(f, groupe);
    g->setItemIndex(i);
    emit g->clique(i);
}

// Any text, one character at a time, as a keyboard with those keys would type it.
void SaisirTexte(const QObject &f, const QString &texte)
{
    for (QChar c : texte) {
        QKeyEvent appui(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(Cible(f), &appui);
    }
}

QPoint Centre(const QObject &f, int col, int row)
{
    return Grille(f)->visualRect(Grille(f)->model()->index(row - 1, Grille(f)->logique(col) - 1)).center();
}

// A mark of the first subject as the class file holds it, -1 without a file.
double NoteLue(int eleve, int periode, int devoir)
{
    return LireClasse(CheminProgramme(u"3EME1.VTC"_s)).value(eleve).NotesMat1[periode][devoir];
}

QString Option(const QString &cle)
{
    return Ini::lireTexte(CheminOptions(u"3EME1"_s), u"Options"_s, cle, u"absent"_s);
}

struct Sortie {
    bool deplacer, eleves;
    int geste, reponse;
    const char *fichier;
    double note; // as written, -1 for no file
    const char *coefs;
};

} // namespace

Q_DECLARE_METATYPE(Sortie)

class TestNoteForm : public QObject {
    Q_OBJECT

    std::unique_ptr<BancNotes> m_b;
    ClasseEssai *m_classe = nullptr;
    RepondeurScripte *m_rep = nullptr;

    void action(const char *nom) { Ctl<QAction>(*m_b->f, nom)->trigger(); }
    QString texte(const char *label) const { return Ctl<QLabel>(*m_b->f, label)->text(); }

    TNoteForm &ouvrir(const QDate &jour = QDate(2024, 2, 10))
    {
        FixerHorloge(QDateTime(jour, QTime(10, 0)));
        return m_b->ouvrir();
    }

private slots:
    void init()
    {
        m_b = std::make_unique<BancNotes>();
        m_classe = &m_b->classe;
        m_rep = &m_b->rep;
    }
    void cleanup() { m_b.reset(); }

    // The day's period opens; over the year of both subjects no column moves.
    void disposition()
    {
        m_classe->construire(true, false, TroisEleves);
        TNoteForm &f = ouvrir(QDate(2025, 2, 3));
        QVERIFY(Ctl(f, "RadioGroup1")->isHidden());
        QCOMPARE(Ctl<RadioGroupe>(f, "RadioGroup3")->itemIndex(), 1);
        QCOMPARE(f.periode, 2);
        QVERIFY(!Ctl(f, "BBPourcent")->isEnabled());
        Choisir(f, "RadioGroup3", 2);
        Choisir(f, "RadioGroup2", 2);
        QCOMPARE(Grille(f)->ColCount(), 33);
        QCOMPARE((QStringList{Cell(f, 1, 0), Cell(f, 32, 0)}), (QStringList{"Fran 1-1", "Hist 2-8"}));
        QVERIFY(!Grille(f)->horizontalHeader()->sectionsMovable() && Ctl(f, "BBPourcent")->isEnabled());
    }

    // The keys typed in the first cell (the row's name).
    void saisie_data()
    {
        QTest::addColumn<double>("note");
        QTest::addColumn<QString>("cellule");
        QTest::newRow("12,5") << 12.5 << "12.5";
        QTest::newRow("a") << double(NO_MARK) << "";
        // Stored as no mark, but what was typed stays in sight to be corrected.
        QTest::newRow("21") << double(NO_MARK) << "21";
        QTest::newRow("12.345") << ArrondiReal48(12.345) << "12.345";
    }

    void saisie()
    {
        QFETCH(double, note);
        QFETCH(QString, cellule);
        const QString message = cellule == u"21" ? u"Un nombre entre 0 et 20 !"_s : QString();
        TNoteForm &f = ouvrir();
        if (!message.isEmpty())
            m_rep->prevoir(BoutonOui);
        Taper(f, QString::fromLatin1(QTest::currentDataTag()));
        QCOMPARE(Cell(f, 1, 1), cellule);
        QCOMPARE(ListeEleves[0].NotesMat1[2][1], note);
        QCOMPARE(m_rep->bips(), note == NO_MARK ? 1 : 0); // a refused key beeps
        QCOMPARE(m_rep->textes(), message.isEmpty() ? QStringList() : QStringList{message});
        const QString affichee = note == NO_MARK ? QString() : NoteEnTexte(note);
        QCOMPARE(texte("Label4"), affichee); // the class figures follow each key
        Entree(f);                           // leaving the cell says nothing more
        QCOMPARE(m_rep->boites().size(), message.isEmpty() ? 0 : 1);
        QCOMPARE(Grille(f)->Row(), 2);
        Clic(f, "Button1"); // refilled
        QCOMPARE(Cell(f, 1, 1), affichee);
    }

    // Typed at once after a click on the current cell: no key is lost.
    void toucheJusteApresUnClic()
    {
        TNoteForm &f = ouvrir();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        QCOMPARE(Grille(f)->currentIndex(), Grille(f)->model()->index(0, Grille(f)->logique(1) - 1));
        QTest::mouseClick(Grille(f)->viewport(), Qt::LeftButton, {}, Centre(f, 1, 1));
        Taper(f, u"15"_s);
        Entree(f);
        m_rep->prevoir(BoutonOui);
        Clic(f, "Button6");
        QCOMPARE(NoteLue(0, 2, 1), 15.0);
    }

    // Escape and a reflex Enter keep the assignment's marks; Oui clears, undone whole.
    void effacerDevoir()
    {
        m_classe->note(0, 2, 2, 11);
        m_classe->note(2, 2, 2, 7);
        TNoteForm &f = ouvrir();
        Grille(f)->setCourante(2, 1);
        m_rep->prevoir(ToucheEchap);
        m_rep->prevoir(ToucheEntree);
        action("Supprimertouteslesnotes1");
        QCOMPARE(m_rep->dernierTexte(),
                 u"Voulez vous vraiment SUPPRIMER\r\n\r\ntoutes les notes de ce devoir ?"_s);
        QCOMPARE(m_rep->boites().last().defaut, int(BoutonNon));
        QCOMPARE(m_rep->refus(), 1);
        QCOMPARE(Cell(f, 2, 1), u"11.00"_s);
        QVERIFY(!f.EnregistrementNecessaire);
        m_rep->prevoir(BoutonOui);
        action("Supprimertouteslesnotes1");
        QCOMPARE(ListeEleves[2].NotesMat1[2][2], NO_MARK);
        QCOMPARE(Cell(f, 2, 1), QString());
        QTest::keySequence(&f, QKeySequence::Undo);
        QCOMPARE(ListeEleves[0].NotesMat1[2][2], 11.0);
        QCOMPARE(ListeEleves[2].NotesMat1[2][2], 7.0);
    }

    // A mark dropped from the bar: asked before it replaces one.
    void depot()
    {
        m_classe->note(1, 2, 4, 8);
        TNoteForm &f = ouvrir();
        EtiquetteNote *quinze = Ctl<TBarreNotes>(f, "P_Notes")->etiquette(u"15"_s);
        QVERIFY(!f.StringGrid1DragOver(Ctl(f, "Button1"), Centre(f, 2, 1)));
        QVERIFY(f.StringGrid1DragOver(quinze, Centre(f, 2, 1)));
        f.StringGrid1DragDrop(quinze, Centre(f, 2, 1));
        QCOMPARE(ListeEleves[0].NotesMat1[2][2], 15.0);
        QCOMPARE(Grille(f)->Col(), 2);
        m_rep->prevoir(BoutonNon);
        f.StringGrid1DragDrop(quinze, Centre(f, 4, 2));
        QCOMPARE(m_rep->textes(), QStringList{u"Remplacer la note existante ?"_s});
        QCOMPARE(ListeEleves[1].NotesMat1[2][4], 8.0);
        m_rep->prevoir(BoutonOui);
        f.StringGrid1DragDrop(Ctl<TBarreNotes>(f, "P_Notes")->etiquette(u"12.5"_s), Centre(f, 4, 2));
        QCOMPARE(ListeEleves[1].NotesMat1[2][4], 12.5);
        QCOMPARE(Cell(f, 4, 2), u"12.5"_s);
        Clic(f, "Button2"); // nothing is dropped outside the marks view
        f.StringGrid1DragDrop(quinze, Centre(f, 2, 3));
        QCOMPARE(ListeEleves[2].Appreciations[VUE_MAT1][2], QString());
    }

    void deplacementColonne()
    {
        m_classe->construire(false, true, TroisEleves, u"1234567890123456"_s);
        for (int e = 0; e < 3; ++e) {
            m_classe->note(e, 2, 1, 10 + e);
            m_classe->note(e, 2, 5, 15 + e);
        }
        TNoteForm &f = ouvrir();
        Grille(f)->horizontalHeader()->moveSection(4, 0); // assignment 5 to the front
        QCOMPARE(Cell(f, 1, 0), u"Fran2-05"_s);
        QCOMPARE((QStringList{f.CoefsGrille[1], f.CoefsGrille[2]}),
                 (QStringList{"1234567890123456", "5123467890123456"}));
        for (int e = 0; e < 3; ++e) {
            const auto &n = ListeEleves[e].NotesMat1[2];
            QCOMPARE((QList<double>{n[1], n[2], n[5]}), (QList<double>{15.0 + e, 10.0 + e, NO_MARK}));
        }
        QCOMPARE(texte("lc1"), u"5"_s);
        QVERIFY(f.EnregistrementNecessaire);
        // Locked until the window closes: saving, quitting and results stay.
        for (const char *n : {"RadioGroup1", "Button1", "Button2", "Button4", "Button9", "Button10", "BBImp",
                              "BBConf_Imp", "BBText", "BBApercu", "BB_toolN", "BBCoefDate"})
            QVERIFY2(!Ctl(f, n)->isEnabled(), n);
        for (const char *n : {"Button5", "Button6", "Button7", "Button8"})
            QVERIFY2(Ctl(f, n)->isEnabled(), n);
        QVERIFY(!Grille(f)->modele()->editable());
        // The assignment result still knows the moved column's own coefficient.
        Grille(f)->setCourante(1, 1);
        f.Button8Click();
        QVERIFY(m_rep->dernierTexte().startsWith(u"Coefficient  :  5\r\n"_s));
    }

    void resultats()
    {
        m_classe->construire(false, true, TroisEleves, u"2111111111111111"_s);
        m_classe->note(0, 2, 1, 12);
        m_classe->note(0, 2, 2, 9);
        m_classe->note(2, 2, 1, 15);
        TNoteForm &f = ouvrir();
        Grille(f)->setCourante(1, 1);
        Clic(f, "Button7");
        QCOMPARE(m_rep->boites().last().titre, u"DUPONT Jean"_s);
        QCOMPARE(m_rep->dernierTexte(), u"Moyenne Fran   :   11.00"_s);
        Clic(f, "Button8");
        QCOMPARE(m_rep->boites().last().titre, u"Fran2-01"_s);
        QCOMPARE(m_rep->dernierTexte(),
                 u"Coefficient  :  2\r\n\r\nMinimum    :   12.00\r\nMoyenne   :   13.50\r\n"
                 "Maximum   :   15.00\r\n\r\n     Date : 05/11"_s);
        Grille(f)->setCourante(1, 2);
        f.StringGrid1DblClick();
        QCOMPARE(m_rep->dernierTexte(), u"MARTIN Paul n'a pas de notes"_s);
        Grille(f)->setCourante(3, 1);
        f.StringGrid1Click();
        QVERIFY(!Ctl(f, "Button8")->isEnabled());
        action("Rsultatsdudevoir1");
        QCOMPARE(m_rep->dernierTexte(), u"Il n'y a pas de notes !"_s);
    }

    // Columns 1-8 count for the first subject, 9-16 for the second, with its own coefficients.
    void resultatsEnsemble()
    {
        m_classe->construire(false, false, TroisEleves, u"2111111131111111"_s);
        DatePeriode[2].replace(40, 5, u"07/12"_s);
        DecoderCoefDates();
        m_classe->note(0, 2, 1, 12);
        m_classe->note(0, 2, 2, 9);
        m_classe->note(0, 2, 1, 8, 2);
        m_classe->note(1, 2, 1, 14, 2);
        TNoteForm &f = ouvrir();
        Choisir(f, "RadioGroup2", 2);
        QCOMPARE((QStringList{texte("Label6"), texte("Label9")}), (QStringList{"Hist", "14.00"}));
        Grille(f)->setCourante(1, 1);
        Clic(f, "Button7");
        QCOMPARE(m_rep->dernierTexte(),
                 u"Moyenne Fran       :  11.00\r\nMoyenne Hist       :   8.00\r\n"
                 "Moyenne générale :   9.50"_s);
        Grille(f)->setCourante(9, 1);
        f.Button8Click();
        QCOMPARE(m_rep->boites().last().titre, u"Hist 2-1"_s);
        QCOMPARE(m_rep->dernierTexte(),
                 u"Coefficient  :  3\r\n\r\nMinimum    :    8.00\r\nMoyenne   :   11.00\r\n"
                 "Maximum   :   14.00\r\n\r\n     Date : 07/12"_s);
    }

    // Escape refused, a save that fails, then Oui: ranked only once written.
    void classement()
    {
        m_classe->construire(false, true, {u"A Un"_s, u"B Deux"_s, u"C Trois"_s});
        m_classe->note(0, 2, 1, 12);
        m_classe->note(2, 2, 1, 12);
        TNoteForm &f = ouvrir();
        Saisir(f, 1, 2, u"9"_s);
        NomFichier = u"absent/3EME1.VTC"_s;
        m_rep->prevoir(ToucheEchap);
        m_rep->prevoir(BoutonOui);
        Clic(f, "Button10");
        QCOMPARE(m_rep->refus(), 1);
        QVERIFY(m_rep->textes().at(0).endsWith(u"Voulez vous enregistrer ?"_s));
        QCOMPARE(m_rep->boites().last().type, TypeBoite::Erreur);
        QVERIFY(!f.ApresClassement && f.EnregistrementNecessaire);
        QCOMPARE(Cell(f, 0, 2), u"B Deux"_s);
        QVERIFY(Grille(f)->horizontalHeader()->sectionsMovable());

        NomFichier = u"3EME1.VTC"_s;
        m_rep->prevoir(BoutonOui);
        Clic(f, "Button10");
        QCOMPARE(NoteLue(1, 2, 1), 9.0);
        QVERIFY(f.ApresClassement && !f.EnregistrementNecessaire);
        QCOMPARE((QStringList{Cell(f, 0, 1), Cell(f, 0, 2), Cell(f, 0, 3), Cell(f, 1, 3)}),
                 (QStringList{"A Un", "C Trois", "B Deux", " 9.00"}));
        for (const char *n : {"Button1", "Button2", "Button4", "Button5", "Button9", "Button10",
                              "RadioGroup1", "BB_toolN", "BBCoefDate"})
            QVERIFY2(!Ctl(f, n)->isEnabled(), n);
        QVERIFY(Ctl(f, "BBImp")->isEnabled() && !Grille(f)->modele()->editable());
        f.PopupMenu1Popup();
        QVERIFY(Ctl<QAction>(f, "Rsultatsdudevoir1")->isEnabled());
        QVERIFY(!Ctl<QAction>(f, "Augmenterde11")->isEnabled());
    }

    // Closing by the window's box with unsaved work is refused.
    void fermetureRefusee()
    {
        TNoteForm &f = ouvrir();
        Saisir(f, 1, 1, u"9"_s);
        f.close();
        QVERIFY(f.isVisible());
        QCOMPARE(m_rep->dernierTexte(),
                 u"Le fichier a été modifié et n'a pas été enregistré !\r\n"
                 "    les données saisies pourraient être perdues !\r\n"
                 "          Il faut sortir par QUITTER"_s);
        QVERIFY(f.Button5Click());
        f.close();
        QVERIFY(!f.isVisible());
    }

    // Quitter's question: no answer by Escape or the close box; a failed write keeps all.
    void quitter_data()
    {
        QTest::addColumn<Sortie>("s");
        const char *vtc = "3EME1.VTC", *non = "absent", *deplaces = "5123467890123456";
        QTest::newRow("Echap") << Sortie{false, true, ToucheEchap, BoutonOui, vtc, 15, non};
        QTest::newRow("close box") << Sortie{false, true, CaseFermeture, BoutonOui, vtc, 15, non};
        QTest::newRow("cannot write") << Sortie{false, true, 0, BoutonOui, "absent/3EME1.VTC", -1, non};
        QTest::newRow("moved, Oui") << Sortie{true, true, 0, BoutonOui, vtc, 17, deplaces};
        QTest::newRow("moved, Non") << Sortie{true, true, 0, BoutonNon, vtc, -1, non};
        QTest::newRow("moved, no student") << Sortie{true, false, 0, BoutonOui, vtc, -1, deplaces};
    }

    void quitter()
    {
        QFETCH(Sortie, s);
        m_classe->construire(false, true, s.eleves ? TroisEleves : QStringList(), u"1234567890123456"_s);
        if (s.eleves)
            m_classe->note(0, 2, 5, 17);
        TNoteForm &f = ouvrir();
        NomFichier = QLatin1String(s.fichier);
        if (s.deplacer)
            Grille(f)->horizontalHeader()->moveSection(4, 0);
        else
            Saisir(f, 1, 1, u"15"_s);
        if (s.geste)
            m_rep->prevoir(s.geste);
        m_rep->prevoir(s.reponse);
        Clic(f, "Button6");
        QCOMPARE(m_rep->refus(), s.geste ? 1 : 0);
        QCOMPARE(m_rep->textes().first(), QuestionQuitter);
        QCOMPARE(m_rep->boites().first().echap, int(BoutonAucun));
        if (!s.eleves)
            QCOMPARE(m_rep->dernierTexte(), u"Fichier vide !"_s);
        QCOMPARE(NoteLue(0, 2, 1), s.note);
        QCOMPARE(Option(u"Coefficients période 2"_s), QLatin1String(s.coefs));
        if (qstrcmp(s.coefs, "absent")) // the dates follow their columns as the coefficients do
            QCOMPARE(Option(u"Dates période 2"_s).left(10), u"--/--05/11"_s);
        if (qstrcmp(s.fichier, "3EME1.VTC")) { // nothing lost
            QVERIFY(f.isVisible() && f.EnregistrementNecessaire);
            QCOMPARE(ListeEleves[0].NotesMat1[2][1], 15.0);
            QCOMPARE(m_rep->boites().last().type, TypeBoite::Erreur);
            return;
        }
        QVERIFY(!f.isVisible());
        QCOMPARE(NbEleves(), 0);
        // Opened again: columns in their layout order, nothing locked.
        m_classe->construire(false, true, TroisEleves);
        f.show();
        QCOMPARE(Cell(f, 1, 0), u"Fran2-01"_s);
        QVERIFY(Ctl(f, "Button1")->isEnabled() && Grille(f)->modele()->editable());
        QVERIFY(!f.EnregistrementNecessaire);
    }

    // The window's settings written when it goes: a failure is told.
    void parametresNonEcrits()
    {
        const QString chemin = m_classe->chemin(u"Vestrel.INI"_s);
        QVERIFY(QDir().mkdir(chemin)); // a folder where the file should be
        ouvrir();
        m_b->f.reset();
        QCOMPARE(m_rep->textes(), QStringList{u"Impossible d'écrire dans %1."_s.arg(chemin)});
        QCOMPARE(m_rep->boites().last().type, TypeBoite::Erreur);
    }

    // The file each action writes (the row's name).
    void pannesEcriture_data()
    {
        QTest::addColumn<QString>("fichier");
        QTest::newRow("enregistrer") << "3EME1.VTC";
        QTest::newRow("déplacer") << "3EME1.INI";
        QTest::newRow("exporter") << "EXP.txt";
        QTest::newRow("aperçu") << "a_classe.txt";
    }

    // Each step of the write failing in turn (create, write, sync, close, rename): the
    // old bytes stay, the teacher reads why, the work is still unsaved.
    void pannesEcriture()
    {
        QFETCH(QString, fichier);
        const QString action = QString::fromUtf8(QTest::currentDataTag());
        const bool deplacer = action == u"déplacer", enregistrer = action == u"enregistrer";
        if (deplacer)
            m_classe->construire(false, true, TroisEleves, u"1234567890123456"_s);
        QCOMPARE(EcrireClasse().etat, EtatEcriture::Ecrit);
        QVERIFY(EcrireOptions({NomClasse, true, true, LibelleMat1, {}, false, false, 8}).isEmpty());
        const QString chemin = m_classe->chemin(fichier), vtc = m_classe->chemin(u"3EME1.VTC"_s);
        if (fichier.endsWith(QLatin1String(".txt"))) {
            QFile f(chemin);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write("ancien\r\n") == 8);
        }
        const QByteArray avant = Essai::lire(chemin), vtcAvant = Essai::lire(vtc);
        TNoteForm &f = ouvrir();
        if (deplacer)
            Grille(f)->horizontalHeader()->moveSection(4, 0);
        if (enregistrer)
            Saisir(f, 1, 1, u"14"_s);
        // Two files: both written and closed, the first kept by a link, two renames.
        const int pas = deplacer ? 11 : 5;
        for (int n = 1; n <= pas; ++n) {
            const int code = n % 2 ? ENOSPC : EIO;
            EssaiEcriture::echouerAuPas(n, code);
            const QString raison = MessageErreurSysteme(code) + u'.';
            if (action == u"exporter") {
                Clic(f, "BBText");
                Ctl<QLineEdit>(f, "Nom_Text")->setText(u"EXP"_s);
                Clic(f, "BBOk");
            } else if (action == u"aperçu") {
                Clic(f, "BBApercu");
            } else {
                QVERIFY(!f.Button5Click() && f.EnregistrementNecessaire);
            }
            QCOMPARE(m_rep->boites().last().type, TypeBoite::Erreur);
            QCOMPARE(m_rep->dernierTexte(),
                     action == u"aperçu" ? "Erreur d'impression\r\n" + raison : raison);
            QCOMPARE(Essai::lire(chemin), avant);
            if (!enregistrer)
                QCOMPARE(Essai::lire(vtc), vtcAvant); // the pair moves together
        }
        EssaiEcriture::remettreAZero();
        if (enregistrer || deplacer) {
            QVERIFY(f.Button5Click() && !f.EnregistrementNecessaire);
            QCOMPARE(EssaiEcriture::pasFaits(), pas);
        }
    }

    void exporter()
    {
        m_classe->note(0, 1, 1, 12.5); // December: the first trimester
        m_classe->note(0, 1, 3, 8);
        TNoteForm &f = ouvrir(QDate(2024, 12, 5));
        Clic(f, "BBText");
        auto *nom = Ctl<QLineEdit>(f, "Nom_Text");
        QCOMPARE(nom->text(), u"3EME0512"_s);
        // Without a name: said, and the panel waits for one.
        nom->clear();
        m_rep->prevoir(BoutonOui);
        QTest::mouseClick(Ctl(f, "BBOk"), Qt::LeftButton);
        QCOMPARE(m_rep->textes(), QStringList{u"Il est indispensable d'entrer un nom de fichier !"_s});
        QVERIFY(!Ctl(f, "WinPanel1")->isHidden() && nom->hasFocus());
        QCOMPARE(QDir(m_classe->path()).entryList({u"*.txt"_s}), QStringList());
        // The name takes letters, digits and !$-_~ only.
        QTest::keyClicks(nom, u"3EME051/~"_s);
        QCOMPARE(m_rep->bips(), 1);
        QCOMPARE(nom->text(), u"3EME051~"_s);
        Ctl<QComboBox>(f, "ComboBox1")->setCurrentText(u";"_s);
        Clic(f, "BBOk");
        QVERIFY(Ctl(f, "WinPanel1")->isHidden());
        const QList<QByteArray> lignes = Essai::lire(m_classe->chemin(u"3EME051~.txt"_s)).split('\n');
        QVERIFY(lignes.at(0).startsWith("3EME1  05/12/2024 10:00:00;"));
        QVERIFY2(
            lignes.value(3).startsWith(CadrerAGauche(u"DUPONT Jean"_s, 26).toLatin1() + ";12,50;; 8,00;"),
            lignes.value(3).constData());
    }

    // +1 and -1 on an assignment, undone and redone.
    void annulerRetablir()
    {
        m_classe->note(0, 2, 1, 19.5);
        TNoteForm &f = ouvrir();
        Grille(f)->setCourante(1, 1);
        action("Augmenterde11");
        QCOMPARE((QStringList{Cell(f, 1, 1), Cell(f, 1, 2), texte("Label5")}),
                 (QStringList{"20.00", "", "20.00"}));
        action("Diminuerde11");
        QCOMPARE(ListeEleves[0].NotesMat1[2][1], 19.0);
        f.Annuler();
        QCOMPARE(Cell(f, 1, 1), u"20.00"_s);
        f.Annuler();
        QCOMPARE(ListeEleves[0].NotesMat1[2][1], 19.5);
        QCOMPARE(texte("Label4"), u"19.50"_s);
        QVERIFY(!f.EnregistrementNecessaire); // back to what is on disk
        f.Retablir();
        QCOMPARE(ListeEleves[0].NotesMat1[2][1], 20.0);
        // Saved, then undone: unsaved again; redone: saved state.
        QVERIFY(f.Button5Click());
        f.Annuler();
        QVERIFY(f.EnregistrementNecessaire);
        f.Retablir();
        QVERIFY(!f.EnregistrementNecessaire);
        // Undone from another period's view.
        Saisir(f, 2, 1, u"7"_s);
        Choisir(f, "RadioGroup1", 0);
        Clic(f, "BBAnnuler");
        QCOMPARE(ListeEleves[0].NotesMat1[2][2], NO_MARK);
        Choisir(f, "RadioGroup1", 1);
        QCOMPARE(Cell(f, 2, 1), QString());
        Clic(f, "BBRetablir");
        QCOMPARE(Cell(f, 2, 1), u" 7.00"_s);
    }

    // Only what the class file can hold, at most 80 characters, with a beep.
    void appreciationHorsCp1252()
    {
        TNoteForm &f = ouvrir();
        Clic(f, "Button2");
        Grille(f)->setCourante(2, 1);
        SaisirTexte(f, QString::fromUtf8("Zuł"));
        QCOMPARE(m_rep->bips(), 1);
        SaisirTexte(f, QString::fromUtf8("œ€x"));
        QCOMPARE(ListeEleves[0].Appreciations[VUE_MAT1][2], QString::fromUtf8("Zuœ€x"));
        QApplication::clipboard()->setText(QString::fromUtf8("Très ☺bien"));
        QTest::keySequence(Editeur(f), QKeySequence::Paste);
        QCOMPARE(m_rep->bips(), 2);
        QCOMPARE(Cell(f, 2, 1), QString::fromUtf8("Zuœ€xTrès bien"));
        QApplication::clipboard()->setText(QString(100, u'a'));
        QTest::keySequence(Editeur(f), QKeySequence::Paste);
        QTest::keyClick(Editeur(f), 'b');
        QCOMPARE(m_rep->bips(), 3);
        QCOMPARE(ListeEleves[0].Appreciations[VUE_MAT1][2],
                 QString::fromUtf8("Zuœ€xTrès bien") + QString(66, u'a'));
    }

    // The right button chooses the cell before the menu acts on it.
    void boutonDroitChoisitCellule()
    {
        m_classe->note(0, 2, 1, 10);
        m_classe->note(1, 2, 8, 12);
        TNoteForm &f = ouvrir();
        TStringGrid *g = Grille(f);
        g->setCourante(1, 1);
        QString titre;
        QTimer guetteur;
        connect(&guetteur, &QTimer::timeout, this, [&] {
            if (QWidget *menu = QApplication::activePopupWidget()) {
                guetteur.stop();
                titre = g->Cells(g->Col(), 0);
                menu->close();
                action("Augmenterde11");
            }
        });
        guetteur.start(0);
        // The press, then the context menu event the window system sends with it.
        const QPoint p = Centre(f, 8, 2);
        QTest::mousePress(g->viewport(), Qt::RightButton, {}, p);
        QContextMenuEvent menu(QContextMenuEvent::Mouse, p, g->viewport()->mapToGlobal(p));
        QApplication::sendEvent(g->viewport(), &menu);
        QTest::mouseRelease(g->viewport(), Qt::RightButton, {}, p);
        QTRY_COMPARE(titre, u"Fran2-08"_s);
        QCOMPARE(ListeEleves[1].NotesMat1[2][8], 13.0);
        QCOMPARE(ListeEleves[0].NotesMat1[2][1], 10.0);
    }
};

QTEST_MAIN(TestNoteForm)
#include "tst_noteform.moc"

// The mark-entry window driven as the teacher would: keys, clicks, the
// context menu's commands, drops from the marks bar, column moves, results,
// ranking, saving, leaving, export and printing.
#include "barrenotes.h"
#include "classetest.h"
#include "ecrituresure.h"
#include "erreurs.h"
#include "grillevue.h"
#include "inifile.h"
#include "noteform.h"
#include "parametres.h"
#include "radiogroupe.h"
#include "repondeurscripte.h"
#include "texte.h"
#include "winpanel.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

const QStringList TroisEleves{QStringLiteral("DUPONT Jean"), QStringLiteral("MARTIN Paul"),
                              QStringLiteral("ZOLA Emile")};

QLineEdit *Editeur(TNoteForm &f)
{
    for (QLineEdit *e : f.StringGrid1->findChildren<QLineEdit *>())
        if (e->isVisible())
            return e;
    return nullptr;
}

// Keys typed one by one into whatever holds them: the open cell editor, else the grid.
void Taper(TNoteForm &f, const QString &touches)
{
    for (QChar c : touches) {
        QWidget *cible = Editeur(f);
        QTest::keyClick(cible ? cible : static_cast<QWidget *>(f.StringGrid1), c.toLatin1());
    }
}

void Entree(TNoteForm &f)
{
    QWidget *cible = Editeur(f);
    QTest::keyClick(cible ? cible : static_cast<QWidget *>(f.StringGrid1), Qt::Key_Return);
}

QPoint Centre(TNoteForm &f, int col, int row)
{
    const QModelIndex i = f.StringGrid1->model()->index(row - 1, f.StringGrid1->logique(col) - 1);
    return f.StringGrid1->visualRect(i).center();
}

void Choisir(TRadioGroup *g, int i)
{
    g->setItemIndex(i);
    emit g->clique(i);
}

} // namespace

class TestNoteForm : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void ouverture_data();
    void ouverture();
    void disposition_data();
    void disposition();
    void vuesEtSelecteurs();
    void geometrie();
    void bandeauCoefficients();

    void saisieVirgule();
    void saisieLettre();
    void saisieHorsBornes();
    void saisieTroisDecimales();
    void appreciationLongue();
    void classeVide();
    void entreeRevientEnHaut();
    void plusMoins_data();
    void plusMoins();
    void effacerDevoir();
    void depot();
    void deplacementColonne();
    void expert();

    void resultatEleve();
    void resultatDevoir();
    void classement();

    void fermetureRefusee();
    void quitterApresDeplacement_data();
    void quitterApresDeplacement();
    void quitterEchecEnregistrement();
    void pannesEcriture_data();
    void pannesEcriture();
    void exporter();
    void imprimer();

    void annulerRetablir();
    void annulerAutrePeriode();

private:
    TNoteForm *ouvrir(const QDate &jour = QDate(2024, 2, 10));

    ClasseTest *m_classe = nullptr;
    RepondeurScripte *m_rep = nullptr;
    TNoteForm *m_f = nullptr;
};

void TestNoteForm::init()
{
    m_classe = new ClasseTest;
    m_rep = new RepondeurScripte;
    m_classe->construire(false, true, TroisEleves);
}

void TestNoteForm::cleanup()
{
    if (m_f)
        QCOMPARE(m_rep->imprevues(), QStringList());
    delete m_f;
    m_f = nullptr;
    TNoteForm::ExpertAppreciation = nullptr;
    TNoteForm::DialogueImpression = nullptr;
    TNoteForm::ImprimanteParDefaut = nullptr;
    delete m_rep;
    delete m_classe;
}

TNoteForm *TestNoteForm::ouvrir(const QDate &jour)
{
    FixerHorloge(QDateTime(jour, QTime(10, 0)));
    m_f = new TNoteForm;
    m_f->show();
    if (!QTest::qWaitForWindowExposed(m_f))
        return nullptr;
    m_f->activateWindow();
    m_f->StringGrid1->setFocus();
    return m_f;
}

void TestNoteForm::ouverture_data()
{
    QTest::addColumn<bool>("semestres");
    QTest::addColumn<QDate>("jour");
    QTest::addColumn<int>("index");
    QTest::newRow("trimesters, January") << false << QDate(2025, 1, 6) << 1;
    QTest::newRow("trimesters, February") << false << QDate(2025, 2, 3) << 1;
    QTest::newRow("trimesters, April") << false << QDate(2025, 4, 1) << 2;
    QTest::newRow("trimesters, August") << false << QDate(2025, 8, 31) << 0;
    QTest::newRow("semesters, January") << true << QDate(2025, 1, 6) << 0;
    QTest::newRow("semesters, February") << true << QDate(2025, 2, 3) << 1;
    QTest::newRow("semesters, April") << true << QDate(2025, 4, 1) << 1;
    QTest::newRow("semesters, August") << true << QDate(2025, 8, 31) << 0;
}

void TestNoteForm::ouverture()
{
    QFETCH(bool, semestres);
    QFETCH(QDate, jour);
    QFETCH(int, index);
    m_classe->construire(semestres, true, TroisEleves);
    TNoteForm &f = *ouvrir(jour);
    TRadioGroup *g = semestres ? f.RadioGroup3 : f.RadioGroup1;
    QVERIFY(!g->isHidden());
    QVERIFY((semestres ? f.RadioGroup1 : f.RadioGroup3)->isHidden());
    QCOMPARE(g->title(), semestres ? QStringLiteral("Semestre") : QStringLiteral("Trimestre"));
    QCOMPARE(g->itemIndex(), index);
    QCOMPARE(f.periode, index + 1);
    // A one-subject class shows neither the subject selector nor the second panel.
    QVERIFY(f.RadioGroup2->isHidden());
    QVERIFY(f.Panel2->isHidden());
    QCOMPARE(f.Label1->text(), QStringLiteral("3EME1"));
    QCOMPARE(f.Label16->text(), QStringLiteral("3"));
    QCOMPARE(f.Label17->text(), DateCourte(jour));
    QCOMPARE(f.windowTitle(), QStringLiteral("Gestion des notes"));
    QCOMPARE(f.StringGrid1->Cells(0, 2), QStringLiteral("MARTIN Paul"));
    QVERIFY(!f.EnregistrementNecessaire);
    QVERIFY(!f.BBPourcent->isEnabled());
    QVERIFY(!f.Button9->isEnabled());
    QVERIFY(f.StringGrid1->horizontalHeader()->sectionsMovable());
}

void TestNoteForm::disposition_data()
{
    QTest::addColumn<bool>("semestres");
    QTest::addColumn<bool>("uneMatiere");
    QTest::addColumn<int>("periode"); // radio index
    QTest::addColumn<int>("matiere"); // radio index, -1 for one subject
    QTest::addColumn<int>("colonnes");
    QTest::addColumn<QString>("premier");
    QTest::addColumn<QString>("dernier");
    QTest::newRow("one subject, period 1") << false << true << 0 << -1 << 17 << "Fran1-01" << "Fran1-16";
    QTest::newRow("one subject, year") << false << true << 3 << -1 << 49 << "Fran1-01" << "Fran3-16";
    QTest::newRow("one subject, semesters, year") << true << true << 2 << -1 << 33 << "Fran1-01" << "Fran2-16";
    QTest::newRow("two subjects, Mat1, period 2") << false << false << 1 << 0 << 9 << "Fran 2-1" << "Fran 2-8";
    QTest::newRow("two subjects, Mat2, year") << false << false << 3 << 1 << 25 << "Hist 1-1" << "Hist 3-8";
    QTest::newRow("two subjects, Ensemble, period 3") << false << false << 2 << 2 << 17 << "Fran 3-1" << "Hist 3-8";
    QTest::newRow("two subjects, Ensemble, year") << false << false << 3 << 2 << 49 << "Fran 1-1" << "Hist 3-8";
    QTest::newRow("semesters, Ensemble, year") << true << false << 2 << 2 << 33 << "Fran 1-1" << "Hist 2-8";
}

void TestNoteForm::disposition()
{
    QFETCH(bool, semestres);
    QFETCH(bool, uneMatiere);
    QFETCH(int, periode);
    QFETCH(int, matiere);
    QFETCH(int, colonnes);
    QFETCH(QString, premier);
    QFETCH(QString, dernier);
    m_classe->construire(semestres, uneMatiere, TroisEleves);
    TNoteForm &f = *ouvrir();
    QCOMPARE(f.RadioGroup2->isHidden(), uneMatiere);
    Choisir(semestres ? f.RadioGroup3 : f.RadioGroup1, periode);
    if (matiere >= 0)
        Choisir(f.RadioGroup2, matiere);
    QCOMPARE(f.StringGrid1->ColCount(), colonnes);
    QCOMPARE(f.StringGrid1->RowCount(), 4);
    QCOMPARE(f.StringGrid1->Cells(1, 0), premier);
    QCOMPARE(f.StringGrid1->Cells(colonnes - 1, 0), dernier);
    // Ensemble forbids moving columns; the year enables the balance.
    QCOMPARE(f.StringGrid1->horizontalHeader()->sectionsMovable(), matiere != 2);
    QCOMPARE(f.BBPourcent->isEnabled(), periode == (semestres ? 2 : 3));
}

void TestNoteForm::vuesEtSelecteurs()
{
    m_classe->construire(false, false, TroisEleves);
    ListeEleves[0].Appreciations[VUE_MAT1][2] = QStringLiteral("Bon travail");
    m_classe->note(0, 2, 1, 14);
    TNoteForm &f = *ouvrir();

    // Column widths of each view, grid line included.
    QHeaderView *h = f.StringGrid1->horizontalHeader();
    const auto largeurs = [h] {
        QList<int> l;
        for (int i = 0; i < h->count() && i < 3; ++i)
            l << h->sectionSize(h->logicalIndex(i));
        return l;
    };
    QCOMPARE(f.StringGrid1->verticalHeader()->width(), 107);
    QCOMPARE(largeurs(), (QList<int>{49, 49, 49}));

    f.Button2->click();
    QCOMPARE(largeurs(), (QList<int>{34, 496}));
    QCOMPARE(f.windowTitle(), QStringLiteral("Gestion des appréciations"));
    QCOMPARE(f.StringGrid1->ColCount(), 3);
    QCOMPARE(f.StringGrid1->Cells(1, 0), QStringLiteral(" Moy"));
    QCOMPARE(f.StringGrid1->Cells(2, 0),
             QStringLiteral("                    Appréciation    Fran     2 ème trimestre"));
    QCOMPARE(f.StringGrid1->Cells(1, 1), QStringLiteral("14.00"));
    QCOMPARE(f.StringGrid1->Cells(2, 1), QStringLiteral("Bon travail"));
    QVERIFY(f.Button9->isEnabled());
    QVERIFY(!f.Button7->isEnabled());
    QVERIFY(f.Panel_coef->isHidden());
    Choisir(f.RadioGroup2, 2);
    QCOMPARE(f.StringGrid1->Cells(2, 0),
             QStringLiteral("                    Appréciation  générale     2 ème trimestre"));
    QVERIFY(!f.Panel1->isHidden());
    QVERIFY(!f.Panel2->isHidden());

    f.Button4->click();
    QCOMPARE(largeurs(), QList<int>{423});
    QCOMPARE(f.windowTitle(), QStringLiteral("Liste des élèves"));
    QCOMPARE(f.StringGrid1->ColCount(), 2);
    QCOMPARE(f.StringGrid1->Cells(1, 0), QString());
    QVERIFY(!f.Button5->isEnabled());
    QVERIFY(!f.StringGrid1->modele()->editable());
    QVERIFY(f.BBImp->isEnabled());

    f.Button1->click();
    QCOMPARE(largeurs(), (QList<int>{49, 49, 49}));
    QCOMPARE(f.StringGrid1->ColCount(), 17); // Ensemble, period 2
    QVERIFY(!f.Panel_coef->isHidden());
    QVERIFY(!f.StringGrid1->horizontalHeader()->sectionsMovable());

    // The hint check box switches hints for the whole program.
    const bool avant = AfficherBulles;
    f.CheckBox2->click();
    QCOMPARE(AfficherBulles, !avant);
    f.CheckBox2->click();
    QCOMPARE(AfficherBulles, avant);
}

void TestNoteForm::geometrie()
{
    QStringList beaucoup;
    for (int i = 0; i < 40; ++i)
        beaucoup << QStringLiteral("ELEVE%1 Prenom").arg(i);
    TNoteForm &f = *ouvrir();
    f.resize(800, 300);
    QCOMPARE(f.width(), 640);
    QVERIFY(f.height() >= 456);
    QCOMPARE(f.StringGrid1->width(), 502); // three students fit
    QCOMPARE(f.StringGrid1->height(), f.height() - 42 - 66 + 1);
    delete m_f;
    m_f = nullptr;

    m_classe->construire(false, true, beaucoup);
    TNoteForm &g = *ouvrir();
    QCOMPARE(g.StringGrid1->width(), g.logicalDpiX() == 96 ? 518 : 522);
    g.BBTailleNormale->click();
    QCOMPARE(g.width(), 640);
    QCOMPARE(g.height(), 456);
}

void TestNoteForm::bandeauCoefficients()
{
    m_classe->construire(false, true, TroisEleves, QStringLiteral("1234567890123456"));
    TNoteForm &f = *ouvrir();
    QCOMPARE(f.lc[0]->text(), QStringLiteral("1"));
    QCOMPARE(f.lc[7]->text(), QStringLiteral("8"));
    // The strip follows the scroll of the grid.
    f.StringGrid1->horizontalScrollBar()->setValue(3);
    QCOMPARE(f.StringGrid1->LeftCol(), 4);
    QCOMPARE(f.lc[0]->text(), QStringLiteral("4"));
    QCOMPARE(f.lc[6]->text(), QStringLiteral("0"));

    // Dragging the line between two titles does not widen a column, which
    // would leave the strip over the wrong columns.
    QHeaderView *h = f.StringGrid1->horizontalHeader();
    const int bord = h->sectionViewportPosition(h->logicalIndexAt(0)) + h->sectionSize(h->logicalIndexAt(0)) - 1;
    QTest::mousePress(h->viewport(), Qt::LeftButton, {}, QPoint(bord, 8));
    QTest::mouseMove(h->viewport(), QPoint(bord + 30, 8));
    QTest::mouseRelease(h->viewport(), Qt::LeftButton, {}, QPoint(bord + 30, 8));
    QCOMPARE(h->sectionSize(h->logicalIndexAt(0)), 49);
}

void TestNoteForm::saisieVirgule()
{
    TNoteForm &f = *ouvrir();
    Taper(f, QStringLiteral("12,5"));
    QCOMPARE(f.StringGrid1->Cells(1, 1), QStringLiteral("12.5"));
    QCOMPARE(ListeEleves[0].NotesMat1[2][1], 12.5);
    QVERIFY(f.EnregistrementNecessaire);
    // The class figures follow each key.
    QCOMPARE(f.Label4->text(), QStringLiteral("12.50"));
    QCOMPARE(m_rep->bips(), 0);
    f.Timer1Timer();
    QVERIFY(!f.Image1->isHidden());
}

void TestNoteForm::saisieLettre()
{
    TNoteForm &f = *ouvrir();
    Taper(f, QStringLiteral("a"));
    QCOMPARE(m_rep->bips(), 1);
    QCOMPARE(f.StringGrid1->Cells(1, 1), QString());
    QVERIFY(!f.EnregistrementNecessaire);
    QVERIFY(!Editeur(f));
    // In the appreciations any character goes.
    f.Button2->click();
    f.StringGrid1->setCourante(2, 1);
    Taper(f, QStringLiteral("Ab"));
    QCOMPARE(ListeEleves[0].Appreciations[VUE_MAT1][2], QStringLiteral("Ab"));
    QCOMPARE(m_rep->bips(), 1);
}

void TestNoteForm::saisieHorsBornes()
{
    TNoteForm &f = *ouvrir();
    m_rep->prevoir(BoutonOui);
    Taper(f, QStringLiteral("2"));
    QCOMPARE(m_rep->boites().size(), 0);
    QCOMPARE(ListeEleves[0].NotesMat1[2][1], 2.0);
    Taper(f, QStringLiteral("1"));
    QCOMPARE(m_rep->boites().size(), 1);
    QCOMPARE(m_rep->boites().at(0).texte, QStringLiteral("Un nombre entre 0 et 20 !"));
    QCOMPARE(m_rep->boites().at(0).boutons, int(BoutonOui));
    QCOMPARE(m_rep->bips(), 1);
    // Stored as no mark, but what was typed stays in sight to be corrected.
    QCOMPARE(ListeEleves[0].NotesMat1[2][1], NO_MARK);
    QCOMPARE(f.StringGrid1->Cells(1, 1), QStringLiteral("21"));
    QCOMPARE(f.Label4->text(), QString());
    // Leaving the cell changes nothing: no second message.
    Entree(f);
    QCOMPARE(m_rep->boites().size(), 1);
    QCOMPARE(f.StringGrid1->Row(), 2);
}

void TestNoteForm::saisieTroisDecimales()
{
    TNoteForm &f = *ouvrir();
    Taper(f, QStringLiteral("12.345"));
    Entree(f);
    QCOMPARE(ListeEleves[0].NotesMat1[2][1], ArrondiReal48(12.345));
    QCOMPARE(f.StringGrid1->Cells(1, 1), QStringLiteral("12.345"));
    f.Button1->click(); // refilled
    QCOMPARE(f.StringGrid1->Cells(1, 1), NoteEnTexte(ArrondiReal48(12.345)));
}

void TestNoteForm::appreciationLongue()
{
    TNoteForm &f = *ouvrir();
    f.Button2->click();
    f.StringGrid1->setCourante(2, 3);
    Taper(f, QString(95, u'x'));
    // The cell takes no more than the file keeps: nothing typed vanishes later.
    QCOMPARE(f.StringGrid1->Cells(2, 3).size(), 80);
    QCOMPARE(ListeEleves[2].Appreciations[VUE_MAT1][2], QString(80, u'x'));
}

void TestNoteForm::classeVide()
{
    m_classe->construire(false, true, {});
    TNoteForm &f = *ouvrir();
    QCOMPARE(f.StringGrid1->RowCount(), 1);
    QCOMPARE(f.StringGrid1->ColCount(), 17);
    QCOMPARE(f.Label4->text(), QString());
    QVERIFY(!f.Button8->isEnabled());
    Taper(f, QStringLiteral("5"));
    Entree(f);
    f.Button7->click();
    f.Button10->click();
    QVERIFY(!f.Button5Click());
    QCOMPARE(m_rep->dernierTexte(), QStringLiteral("Fichier vide !"));
    QVERIFY(!QFile::exists(m_classe->chemin(QStringLiteral("3EME1.VTC"))));
    f.close();
    QVERIFY(!f.isVisible());
}

void TestNoteForm::entreeRevientEnHaut()
{
    m_classe->note(1, 2, 1, 8);
    TNoteForm &f = *ouvrir();
    Taper(f, QStringLiteral("8"));
    Entree(f);
    QCOMPARE(f.StringGrid1->Row(), 2);
    QCOMPARE(ListeEleves[0].NotesMat1[2][1], 8.0);
    // Typing on a cell that holds a mark replaces it.
    Taper(f, QStringLiteral("9"));
    QCOMPARE(f.StringGrid1->Cells(1, 2), QStringLiteral("9"));
    QCOMPARE(ListeEleves[1].NotesMat1[2][1], 9.0);
    f.StringGrid1->setCourante(1, 2);
    Entree(f);
    QCOMPARE(f.StringGrid1->Row(), 3);
    Entree(f);
    QCOMPARE(f.StringGrid1->Row(), 1);
    QCOMPARE(f.StringGrid1->Col(), 1);
}

void TestNoteForm::plusMoins_data()
{
    QTest::addColumn<double>("note");
    QTest::addColumn<int>("delta");
    QTest::addColumn<QString>("apres");
    QTest::newRow("19.5 + 1") << 19.5 << 1 << "20.00";
    QTest::newRow("19 + 1") << 19.0 << 1 << "20.00";
    QTest::newRow("12.25 + 1") << 12.25 << 1 << "13.25";
    QTest::newRow("0.5 - 1") << 0.5 << -1 << "0.00";
    QTest::newRow("20 - 1") << 20.0 << -1 << "19.00";
}

void TestNoteForm::plusMoins()
{
    QFETCH(double, note);
    QFETCH(int, delta);
    QFETCH(QString, apres);
    m_classe->note(0, 2, 3, note);
    TNoteForm &f = *ouvrir();
    f.StringGrid1->setCourante(3, 2);
    f.PopupMenu1Popup();
    QVERIFY(f.Augmenterde11->isEnabled());
    (delta > 0 ? f.Augmenterde11 : f.Diminuerde11)->trigger();
    QCOMPARE(f.StringGrid1->Cells(3, 1), apres);
    QCOMPARE(ListeEleves[0].NotesMat1[2][3], TexteEnNote(apres));
    QCOMPARE(f.StringGrid1->Cells(3, 2), QString()); // empty cells stay empty
    QCOMPARE(ListeEleves[1].NotesMat1[2][3], NO_MARK);
    QVERIFY(f.EnregistrementNecessaire);
    QCOMPARE(f.Label5->text(), NoteEnTexte(TexteEnNote(apres)));

    // A column without a mark offers none of the commands.
    f.StringGrid1->setCourante(4, 1);
    f.PopupMenu1Popup();
    QVERIFY(!f.Augmenterde11->isEnabled());
    QVERIFY(!f.Rsultatsdudevoir1->isEnabled());
}

void TestNoteForm::effacerDevoir()
{
    m_classe->note(0, 2, 2, 11);
    m_classe->note(2, 2, 2, 7);
    TNoteForm &f = *ouvrir();
    f.StringGrid1->setCourante(2, 1);
    m_rep->prevoir(BoutonNon);
    f.Supprimertouteslesnotes1->trigger();
    QCOMPARE(m_rep->dernierTexte(),
             QStringLiteral("Voulez vous vraiment SUPPRIMER\r\n\r\ntoutes les notes de ce devoir ?"));
    QCOMPARE(ListeEleves[0].NotesMat1[2][2], 11.0);
    QVERIFY(!f.EnregistrementNecessaire);
    m_rep->prevoir(BoutonOui);
    f.Supprimertouteslesnotes1->trigger();
    QCOMPARE(ListeEleves[0].NotesMat1[2][2], NO_MARK);
    QCOMPARE(ListeEleves[2].NotesMat1[2][2], NO_MARK);
    QCOMPARE(f.StringGrid1->Cells(2, 3), QString());
    QVERIFY(f.EnregistrementNecessaire);
}

void TestNoteForm::depot()
{
    m_classe->note(1, 2, 4, 8);
    TNoteForm &f = *ouvrir();
    EtiquetteNote *quinze = f.P_Notes->etiquette(QStringLiteral("15"));
    EtiquetteNote *demi = f.P_Notes->etiquette(QStringLiteral("12.5"));
    QVERIFY(quinze && demi);
    QCOMPARE(f.P_Notes->etiquettes().size(), 41);
    QVERIFY(!f.StringGrid1DragOver(f.Button1, Centre(f, 2, 1)));
    QVERIFY(f.StringGrid1DragOver(quinze, Centre(f, 2, 1)));

    f.StringGrid1DragDrop(quinze, Centre(f, 2, 1)); // empty: no question
    QCOMPARE(m_rep->boites().size(), 0);
    QCOMPARE(ListeEleves[0].NotesMat1[2][2], 15.0);
    QCOMPARE(f.StringGrid1->Col(), 2);
    QVERIFY(f.EnregistrementNecessaire);

    m_rep->prevoir(BoutonNon);
    f.StringGrid1DragDrop(demi, Centre(f, 4, 2));
    QCOMPARE(m_rep->dernierTexte(), QStringLiteral("Remplacer la note existante ?"));
    QCOMPARE(f.StringGrid1->Cells(4, 2), QStringLiteral(" 8.00"));
    QCOMPARE(ListeEleves[1].NotesMat1[2][4], 8.0);
    m_rep->prevoir(BoutonOui);
    f.StringGrid1DragDrop(demi, Centre(f, 4, 2));
    QCOMPARE(ListeEleves[1].NotesMat1[2][4], 12.5);
    QCOMPARE(f.StringGrid1->Cells(4, 2), QStringLiteral("12.5"));

    // Nothing is dropped outside the marks view.
    f.Button2->click();
    f.StringGrid1DragDrop(quinze, Centre(f, 2, 3));
    QCOMPARE(ListeEleves[2].Appreciations[VUE_MAT1][2], QString());
}

void TestNoteForm::deplacementColonne()
{
    m_classe->construire(false, true, TroisEleves, QStringLiteral("1234567890123456"));
    for (int e = 0; e < 3; ++e) {
        m_classe->note(e, 2, 1, 10 + e);
        m_classe->note(e, 2, 5, 15 + e);
    }
    TNoteForm &f = *ouvrir();
    f.StringGrid1->horizontalHeader()->moveSection(4, 0); // assignment 5 to the front
    QCOMPARE(f.StringGrid1->Cells(1, 0), QStringLiteral("Fran2-05"));
    QCOMPARE(f.CoefsGrille[2], QStringLiteral("5123467890123456"));
    QCOMPARE(f.CoefsGrille[1], QStringLiteral("1234567890123456"));
    for (int e = 0; e < 3; ++e) {
        QCOMPARE(ListeEleves[e].NotesMat1[2][1], 15.0 + e);
        QCOMPARE(ListeEleves[e].NotesMat1[2][2], 10.0 + e);
        QCOMPARE(ListeEleves[e].NotesMat1[2][5], NO_MARK);
    }
    // The figures are computed with the coefficients in their new places.
    QCOMPARE(CoefMat1[2][1], 5);
    QCOMPARE(CoefMat1[2][2], 1);
    QCOMPARE(f.lc[0]->text(), QStringLiteral("5"));
    QVERIFY(f.EnregistrementNecessaire);
    QVERIFY(f.CoefsDeplaces);
    // Locked until the window closes: saving, quitting and results stay.
    for (QWidget *w : std::initializer_list<QWidget *>{
             f.RadioGroup1, f.Button1, f.Button2, f.Button4, f.Button9, f.Button10, f.BBImp,
             f.BBConf_Imp, f.BBText, f.BBApercu, f.BB_toolN, f.BBCoefDate})
        QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
    for (QWidget *w : std::initializer_list<QWidget *>{f.Button5, f.Button6, f.Button7, f.Button8})
        QVERIFY2(w->isEnabled(), qPrintable(w->objectName()));
    QVERIFY(!f.StringGrid1->modele()->editable());
    // The assignment result still knows the moved column's own coefficient.
    f.StringGrid1->setCourante(1, 1);
    f.Button8Click();
    QVERIFY(m_rep->dernierTexte().startsWith(QStringLiteral("Coefficient  :  5\r\n")));
    QCOMPARE(m_rep->boites().last().titre, QStringLiteral("Fran2-05"));
}

void TestNoteForm::expert()
{
    TNoteForm &f = *ouvrir();
    f.Button2->click();
    f.StringGrid1->setCourante(2, 2);
    QString nom;
    int span = 0;
    TNoteForm::ExpertAppreciation = [&](const QString &n, double, int s) {
        nom = n;
        span = s;
        return QStringLiteral("Bon trimestre.");
    };
    f.StringGrid1DblClick();
    QCOMPARE(nom, QStringLiteral("MARTIN Paul"));
    QCOMPARE(span, 2);
    QCOMPARE(f.StringGrid1->Cells(2, 2), QStringLiteral("Bon trimestre."));
    QCOMPARE(ListeEleves[1].Appreciations[VUE_MAT1][2], QStringLiteral("Bon trimestre."));
    QVERIFY(f.EnregistrementNecessaire);
}

void TestNoteForm::resultatEleve()
{
    m_classe->construire(false, true, TroisEleves, QStringLiteral("2111111111111111"));
    m_classe->note(0, 2, 1, 12);
    m_classe->note(0, 2, 2, 9);
    TNoteForm &f = *ouvrir();
    f.StringGrid1->setCourante(1, 1);
    f.Button7->click();
    QCOMPARE(m_rep->boites().last().titre, QStringLiteral("DUPONT Jean"));
    QCOMPARE(m_rep->dernierTexte(), QStringLiteral("Moyenne Fran   :   11.00"));
    f.StringGrid1->setCourante(1, 2);
    f.StringGrid1DblClick();
    QCOMPARE(m_rep->boites().last().type, TypeBoite::Information);
    QCOMPARE(m_rep->dernierTexte(), QStringLiteral("MARTIN Paul n'a pas de notes"));
}

void TestNoteForm::resultatDevoir()
{
    m_classe->construire(false, true, TroisEleves, QStringLiteral("2111111111111111"));
    m_classe->note(0, 2, 1, 5);
    m_classe->note(1, 2, 1, 10);
    m_classe->note(2, 2, 1, 15);
    TNoteForm &f = *ouvrir();
    f.StringGrid1->setCourante(1, 1);
    f.StringGrid1Click();
    QVERIFY(f.Button8->isEnabled());
    f.Button8->click();
    QCOMPARE(m_rep->boites().last().titre, QStringLiteral("Fran2-01"));
    QCOMPARE(m_rep->dernierTexte(),
             QStringLiteral("Coefficient  :  2\r\n\r\nMinimum    :    5.00\r\nMoyenne   :   10.00\r\n"
                            "Maximum   :   15.00\r\n\r\n     Date : 05/11"));
    f.StringGrid1->setCourante(2, 1);
    f.StringGrid1Click();
    QVERIFY(!f.Button8->isEnabled());
    f.Rsultatsdudevoir1->trigger();
    QCOMPARE(m_rep->dernierTexte(), QStringLiteral("Il n'y a pas de notes !"));
}

void TestNoteForm::classement()
{
    m_classe->construire(false, true, {QStringLiteral("A Un"), QStringLiteral("B Deux"), QStringLiteral("C Trois")});
    m_classe->note(0, 2, 1, 12);
    m_classe->note(2, 2, 1, 12);
    TNoteForm &f = *ouvrir();
    Taper(f, QStringLiteral("12"));
    Entree(f);
    m_rep->prevoir(BoutonNon);
    f.Button10->click();
    QVERIFY(m_rep->dernierTexte().endsWith(QStringLiteral("Voulez vous enregistrer ?")));
    QVERIFY(!f.EnregistrementNecessaire);
    QCOMPARE(f.StringGrid1->Cells(0, 1), QStringLiteral("A Un"));
    QCOMPARE(f.StringGrid1->Cells(0, 2), QStringLiteral("C Trois"));
    QCOMPARE(f.StringGrid1->Cells(0, 3), QStringLiteral("B Deux"));
    QCOMPARE(ListeEleves[1].Nom, QStringLiteral("C"));
    QCOMPARE(f.StringGrid1->Cells(1, 2), QStringLiteral("12.00"));
    QVERIFY(f.ApresClassement);
    for (QWidget *w : std::initializer_list<QWidget *>{f.Button1, f.Button2, f.Button4, f.Button5,
                                                        f.Button9, f.Button10, f.RadioGroup1,
                                                        f.BB_toolN, f.BBCoefDate})
        QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
    QVERIFY(f.BBImp->isEnabled());
    QVERIFY(f.Button7->isEnabled());
    QVERIFY(!f.StringGrid1->modele()->editable());
    f.PopupMenu1Popup();
    QVERIFY(f.Rsultatsdudevoir1->isEnabled());
    QVERIFY(!f.Augmenterde11->isEnabled());
}

void TestNoteForm::fermetureRefusee()
{
    TNoteForm &f = *ouvrir();
    Taper(f, QStringLiteral("9"));
    Entree(f);
    QVERIFY(f.EnregistrementNecessaire);
    f.close();
    QVERIFY(f.isVisible());
    QCOMPARE(m_rep->boites().last().type, TypeBoite::Avertissement);
    QCOMPARE(m_rep->dernierTexte(),
             QStringLiteral("Le fichier a été modifié et n'a pas été enregistré !\r\n"
                            "    les données saisies pourraient être perdues !\r\n"
                            "          Il faut sortir par QUITTER"));
    QCOMPARE(NbEleves(), 3);
    QVERIFY(f.Button5Click());
    QVERIFY(QFile::exists(m_classe->chemin(QStringLiteral("3EME1.VTC"))));
    QVERIFY(!f.EnregistrementNecessaire);
    f.close();
    QVERIFY(!f.isVisible());
    QCOMPARE(NbEleves(), 0);
}

void TestNoteForm::quitterApresDeplacement_data()
{
    QTest::addColumn<int>("reponse");
    QTest::newRow("Oui") << int(BoutonOui);
    QTest::newRow("Non") << int(BoutonNon);
}

void TestNoteForm::quitterApresDeplacement()
{
    QFETCH(int, reponse);
    m_classe->construire(false, true, TroisEleves, QStringLiteral("1234567890123456"));
    m_classe->note(0, 2, 5, 17);
    TNoteForm &f = *ouvrir();
    f.StringGrid1->horizontalHeader()->moveSection(4, 0);
    m_rep->prevoir(reponse);
    f.Button6->click();
    QCOMPARE(m_rep->dernierTexte(), QStringLiteral("Le fichier a été modifié et n'a pas été enregistré !\r\n"
                                                   "       Voulez vous l'enregistrer maintenant ?"));
    QCOMPARE(m_rep->boites().last().type, TypeBoite::Erreur);
    QVERIFY(!f.isVisible());
    QCOMPARE(NbEleves(), 0);
    QVERIFY(!f.CoefsDeplaces);
    const QString ini = CheminOptions(QStringLiteral("3EME1"));
    const QString coefs = Ini::lireTexte(ini, QStringLiteral("Options"),
                                         QStringLiteral("Coefficients période 2"), QStringLiteral("absent"));
    if (reponse == BoutonOui) {
        QCOMPARE(coefs, QStringLiteral("5123467890123456"));
        QList<StudentRecord> relus;
        QVERIFY(LireEleves(m_classe->chemin(QStringLiteral("3EME1.VTC")), relus).ok);
        QCOMPARE(relus.at(0).NotesMat1[2][1], 17.0);
    } else {
        QCOMPARE(coefs, QStringLiteral("absent"));
        QVERIFY(!QFile::exists(m_classe->chemin(QStringLiteral("3EME1.VTC"))));
    }
    // Opened again: columns in their layout order, nothing locked.
    m_classe->construire(false, true, TroisEleves);
    f.show();
    QCOMPARE(f.StringGrid1->Cells(1, 0), QStringLiteral("Fran2-01"));
    QCOMPARE(f.StringGrid1->logique(1), 1);
    QVERIFY(f.Button1->isEnabled() && f.RadioGroup1->isEnabled() && f.BBText->isEnabled());
    QVERIFY(f.StringGrid1->modele()->editable());
    QVERIFY(!f.EnregistrementNecessaire);
}

void TestNoteForm::quitterEchecEnregistrement()
{
    TNoteForm &f = *ouvrir();
    NomFichier = QStringLiteral("absent/3EME1.VTC"); // a folder that does not exist
    Taper(f, QStringLiteral("14"));
    Entree(f);
    m_rep->prevoir(BoutonOui);
    f.Button6->click();
    // The save failed: the window stays, with the platform's message, nothing lost.
    QVERIFY(f.isVisible());
    QCOMPARE(m_rep->boites().last().type, TypeBoite::Erreur);
    QVERIFY(!m_rep->dernierTexte().isEmpty());
    QVERIFY(f.EnregistrementNecessaire);
    QCOMPARE(NbEleves(), 3);
    QCOMPARE(ListeEleves[0].NotesMat1[2][1], 14.0);
}

void TestNoteForm::pannesEcriture_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("fichier");
    QTest::newRow("enregistrer") << "enregistrer" << "3EME1.VTC";
    QTest::newRow("enregistrer après déplacement") << "déplacer" << "3EME1.INI";
    QTest::newRow("exporter") << "exporter" << "EXP.txt";
    QTest::newRow("aperçu") << "aperçu" << "a_classe.txt";
}

// Every step of the write failing in turn (a small file: create, write,
// sync, close, rename): the old bytes stay, the teacher reads why, and
// the window still knows its work is unsaved.
void TestNoteForm::pannesEcriture()
{
    QFETCH(QString, action);
    QFETCH(QString, fichier);
    const bool deplacer = action == QStringLiteral("déplacer");
    if (deplacer)
        m_classe->construire(false, true, TroisEleves, QStringLiteral("1234567890123456"));
    QCOMPARE(EcrireClasse().etat, EtatEcriture::Ecrit);
    QVERIFY(EcrireOptions({NomClasse, true, true, LibelleMat1, {}, false, false, 8}).isEmpty());
    const QString chemin = m_classe->chemin(fichier);
    if (fichier.endsWith(QLatin1String(".txt"))) {
        QFile f(chemin);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write("ancien\r\n") == 8);
    }
    QFile lu(chemin);
    QVERIFY(lu.open(QIODevice::ReadOnly));
    const QByteArray avant = lu.readAll();
    lu.close();
    const QByteArray vtcAvant = [&] {
        QFile v(m_classe->chemin(QStringLiteral("3EME1.VTC")));
        return v.open(QIODevice::ReadOnly) ? v.readAll() : QByteArray();
    }();
    TNoteForm &f = *ouvrir();
    if (deplacer) {
        f.StringGrid1->horizontalHeader()->moveSection(4, 0);
        QVERIFY(f.CoefsDeplaces);
    }
    if (action == QLatin1String("enregistrer")) {
        Taper(f, QStringLiteral("14"));
        Entree(f);
    }
    // Two files: both written and closed, the first kept by a link, two renames.
    const int pas = deplacer ? 11 : 5;
    for (int n = 1; n <= pas; ++n) {
        const int code = n % 2 ? ENOSPC : EIO;
        EssaiEcriture::echouerAuPas(n, code);
        const QString raison = MessageErreurSysteme(code) + u'.';
        if (action == QLatin1String("exporter")) {
            f.BBText->click();
            f.Nom_Text->setText(QStringLiteral("EXP"));
            f.BBOk->click();
        } else if (action == QStringLiteral("aperçu")) {
            f.BBApercu->click();
        } else {
            QVERIFY(!f.Button5Click());
            QVERIFY(f.EnregistrementNecessaire);
        }
        QCOMPARE(m_rep->boites().last().type, TypeBoite::Erreur);
        QCOMPARE(m_rep->dernierTexte(), action == QStringLiteral("aperçu")
                                            ? QStringLiteral("Erreur d'impression\r\n") + raison : raison);
        QFile apres(chemin);
        QVERIFY(apres.open(QIODevice::ReadOnly));
        QCOMPARE(apres.readAll(), avant);
        QFile vtc(m_classe->chemin(QStringLiteral("3EME1.VTC")));
        QVERIFY(vtc.open(QIODevice::ReadOnly));
        if (action != QLatin1String("enregistrer"))
            QCOMPARE(vtc.readAll(), vtcAvant); // the pair moves together
    }
    EssaiEcriture::remettreAZero();
    if (action == QLatin1String("enregistrer") || action == QStringLiteral("déplacer")) {
        QVERIFY(f.Button5Click());
        QVERIFY(!f.EnregistrementNecessaire);
        QCOMPARE(EssaiEcriture::pasFaits(), pas);
    }
}

void TestNoteForm::exporter()
{
    m_classe->note(0, 1, 1, 12.5); // December: the first trimester
    m_classe->note(0, 1, 3, 8);
    TNoteForm &f = *ouvrir(QDate(2024, 12, 5));
    f.BBText->click();
    QVERIFY(!f.WinPanel1->isHidden());
    QCOMPARE(f.Nom_Text->text(), QStringLiteral("3EME0512"));
    QCOMPARE(f.ComboBox1->currentText(), QStringLiteral("Aucun"));
    QCOMPARE(f.ComboBox2->currentText(), QStringLiteral(","));
    // The name takes letters, digits and !$-_~ only.
    f.Nom_Text->setCursorPosition(8);
    QTest::keyClick(f.Nom_Text, Qt::Key_Backspace);
    QTest::keyClick(f.Nom_Text, '/');
    QCOMPARE(m_rep->bips(), 1);
    QTest::keyClick(f.Nom_Text, '~');
    QCOMPARE(f.Nom_Text->text(), QStringLiteral("3EME051~"));
    f.ComboBox1->setCurrentText(QStringLiteral(";"));
    f.BBOk->click();
    QVERIFY(f.WinPanel1->isHidden());
    QFile fichier(m_classe->chemin(QStringLiteral("3EME051~.txt")));
    QVERIFY(fichier.open(QIODevice::ReadOnly));
    const QList<QByteArray> lignes = fichier.readAll().split('\n');
    QVERIFY(lignes.at(0).startsWith("3EME1  05/12/2024 10:00:00;"));
    QVERIFY2(lignes.at(3).startsWith(CadrerAGauche(QStringLiteral("DUPONT Jean"), 26).toLatin1()
                                    + ";12,50;; 8,00;"), lignes.at(3).constData());

    // A file that cannot be written: the platform's message, the panel hidden.
    QVERIFY(QDir(m_classe->dossier.path()).mkdir(QStringLiteral("PRIS.txt")));
    f.BBText->click();
    f.Nom_Text->setText(QStringLiteral("PRIS"));
    f.BBOk->click();
    QCOMPARE(m_rep->boites().last().type, TypeBoite::Erreur);
    QVERIFY(f.WinPanel1->isHidden());
}

void TestNoteForm::imprimer()
{
    m_classe->note(0, 2, 1, 12.5);
    TNoteForm &f = *ouvrir();
    // No printer.
    TNoteForm::ImprimanteParDefaut = [] { return std::unique_ptr<QPrinter>(); };
    f.BBImp->click();
    QCOMPARE(m_rep->dernierTexte(), QStringLiteral("Erreur d'impression"));
    // Through the print dialog into a PDF file, two copies.
    const QString pdf = m_classe->chemin(QStringLiteral("classe.pdf"));
    TNoteForm::DialogueImpression = [&](QPrinter &p) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(pdf);
        p.setCopyCount(2);
        return true;
    };
    const int boites = int(m_rep->boites().size());
    f.BBConf_Imp->click();
    QCOMPARE(m_rep->boites().size(), boites);
    QVERIFY(QFileInfo(pdf).size() > 0);
    QVERIFY(QFileInfo(m_classe->chemin(QStringLiteral("classe-2.pdf"))).size() > 0);
    // The preview writes the report file, then shows it.
    QTimer::singleShot(200, [] {
        if (QWidget *w = QApplication::activeModalWidget())
            w->close();
    });
    f.BBApercu->click();
    QFile rapport(m_classe->chemin(QStringLiteral("a_classe.txt")));
    QVERIFY(rapport.open(QIODevice::ReadOnly));
    QVERIFY(rapport.readAll().contains("DUPONT"));
    QVERIFY(!f.VersApercu);
}

void TestNoteForm::annulerRetablir()
{
    m_classe->note(0, 2, 1, 19.5);
    TNoteForm &f = *ouvrir();
    f.StringGrid1->setCourante(1, 1);
    f.Augmenterde11->trigger();
    f.Diminuerde11->trigger();
    QCOMPARE(ListeEleves[0].NotesMat1[2][1], 19.0);
    f.Annuler();
    QCOMPARE(ListeEleves[0].NotesMat1[2][1], 20.0);
    QCOMPARE(f.StringGrid1->Cells(1, 1), QStringLiteral("20.00"));
    f.Annuler();
    QCOMPARE(ListeEleves[0].NotesMat1[2][1], 19.5);
    QCOMPARE(f.Label4->text(), QStringLiteral("19.50"));
    QVERIFY(!f.EnregistrementNecessaire); // back to what is on disk
    f.Retablir();
    QCOMPARE(ListeEleves[0].NotesMat1[2][1], 20.0);
    QVERIFY(f.EnregistrementNecessaire);

    // A cleared column comes back whole.
    m_rep->prevoir(BoutonOui);
    f.Supprimertouteslesnotes1->trigger();
    QCOMPARE(ListeEleves[0].NotesMat1[2][1], NO_MARK);
    QTest::keySequence(&f, QKeySequence::Undo);
    QCOMPARE(ListeEleves[0].NotesMat1[2][1], 20.0);

    // Saved, then undone: unsaved again; redone: saved state.
    QVERIFY(f.Button5Click());
    f.Annuler();
    QVERIFY(f.EnregistrementNecessaire);
    f.Retablir();
    QVERIFY(!f.EnregistrementNecessaire);
}

void TestNoteForm::annulerAutrePeriode()
{
    TNoteForm &f = *ouvrir();
    Taper(f, QStringLiteral("7"));
    Entree(f);
    QCOMPARE(ListeEleves[0].NotesMat1[2][1], 7.0);
    Choisir(f.RadioGroup1, 0);
    f.BBAnnuler->click();
    QCOMPARE(ListeEleves[0].NotesMat1[2][1], NO_MARK);
    QCOMPARE(f.StringGrid1->Cells(1, 1), QString());
    Choisir(f.RadioGroup1, 1);
    QCOMPARE(f.StringGrid1->Cells(1, 1), QString());
    f.BBRetablir->click();
    QCOMPARE(f.StringGrid1->Cells(1, 1), QStringLiteral(" 7.00"));
}

QTEST_MAIN(TestNoteForm)
#include "tst_noteform.moc"

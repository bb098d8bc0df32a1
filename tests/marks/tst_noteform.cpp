// The mark-entry window driven as the teacher would: keys, clicks, the
// context menu's commands, drops from the marks bar, column moves, results,
// ranking, saving, leaving, export and printing.
#include "classdata/parametres.h"
#include "classdata/texte.h"
#include "platform/ecrituresure.h"
#include "platform/erreurs.h"
#include "platform/inifile.h"
#include "tests/common/classeessai.h"
#include "tests/common/repondeurscripte.h"
#include "ui/components/fenetres.h"
#include "ui/components/radiogroupe.h"
#include "ui/components/winpanel.h"
#include "ui/marks/barrenotes.h"
#include "ui/marks/grillevue.h"
#include "ui/marks/noteform.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>

namespace {

// A control of the window by its designer name.
template <class T = QWidget> T *Ctl(const QObject &f, const char *nom)
{
    T *c = f.findChild<T *>(QLatin1String(nom));
    if (!c)
        qFatal("no control %s", nom);
    return c;
}

// The window's controls, found by their designer names.
struct Controles {
    explicit Controles(const QObject &f)
        : f(f)
    {
        for (int i = 0; i < 8; ++i)
            lc[i] = Ctl<QLabel>(
                f, qPrintable((i < 2 ? QStringLiteral("lc%1") : QStringLiteral("Lc%1")).arg(i + 1)));
    }
    const QObject &f;
    TStringGrid *StringGrid1 = Ctl<TStringGrid>(f, "StringGrid1");
    RadioGroupe *RadioGroup1 = Ctl<RadioGroupe>(f, "RadioGroup1");
    RadioGroupe *RadioGroup2 = Ctl<RadioGroupe>(f, "RadioGroup2");
    RadioGroupe *RadioGroup3 = Ctl<RadioGroupe>(f, "RadioGroup3");
    QPushButton *Button1 = Ctl<QPushButton>(f, "Button1");
    QPushButton *Button2 = Ctl<QPushButton>(f, "Button2");
    QPushButton *Button4 = Ctl<QPushButton>(f, "Button4");
    QPushButton *Button5 = Ctl<QPushButton>(f, "Button5");
    QPushButton *Button6 = Ctl<QPushButton>(f, "Button6");
    QPushButton *Button7 = Ctl<QPushButton>(f, "Button7");
    QPushButton *Button8 = Ctl<QPushButton>(f, "Button8");
    QPushButton *Button9 = Ctl<QPushButton>(f, "Button9");
    QPushButton *Button10 = Ctl<QPushButton>(f, "Button10");
    QPushButton *BBText = Ctl<QPushButton>(f, "BBText");
    QPushButton *BBImp = Ctl<QPushButton>(f, "BBImp");
    QPushButton *BBApercu = Ctl<QPushButton>(f, "BBApercu");
    QPushButton *BBConf_Imp = Ctl<QPushButton>(f, "BBConf_Imp");
    QPushButton *BBPourcent = Ctl<QPushButton>(f, "BBPourcent");
    QPushButton *BBCoefDate = Ctl<QPushButton>(f, "BBCoefDate");
    QPushButton *BB_toolN = Ctl<QPushButton>(f, "BB_toolN");
    QPushButton *BBOk = Ctl<QPushButton>(f, "BBOk");
    QToolButton *BBTailleNormale = Ctl<QToolButton>(f, "BBTailleNormale");
    QToolButton *BBAnnuler = Ctl<QToolButton>(f, "BBAnnuler");
    QToolButton *BBRetablir = Ctl<QToolButton>(f, "BBRetablir");
    TBarreNotes *P_Notes = Ctl<TBarreNotes>(f, "P_Notes");
    QCheckBox *CheckBox2 = Ctl<QCheckBox>(f, "CheckBox2");
    QFrame *Panel_coef = Ctl<QFrame>(f, "Panel_coef");
    QFrame *Panel1 = Ctl<QFrame>(f, "Panel1");
    QFrame *Panel2 = Ctl<QFrame>(f, "Panel2");
    QLabel *Label1 = Ctl<QLabel>(f, "Label1");
    QLabel *Label4 = Ctl<QLabel>(f, "Label4");
    QLabel *Label5 = Ctl<QLabel>(f, "Label5");
    QLabel *Label16 = Ctl<QLabel>(f, "Label16");
    QLabel *Label17 = Ctl<QLabel>(f, "Label17");
    QLabel *Image1 = Ctl<QLabel>(f, "Image1");
    QAction *Rsultatsdudevoir1 = Ctl<QAction>(f, "Rsultatsdudevoir1");
    QAction *Augmenterde11 = Ctl<QAction>(f, "Augmenterde11");
    QAction *Diminuerde11 = Ctl<QAction>(f, "Diminuerde11");
    QAction *Supprimertouteslesnotes1 = Ctl<QAction>(f, "Supprimertouteslesnotes1");
    QWidget *WinPanel1 = Ctl<QWidget>(f, "WinPanel1");
    QLineEdit *Nom_Text = Ctl<QLineEdit>(f, "Nom_Text");
    QComboBox *ComboBox1 = Ctl<QComboBox>(f, "ComboBox1");
    QComboBox *ComboBox2 = Ctl<QComboBox>(f, "ComboBox2");
    QLabel *lc[8];
};

Controles C(const QObject &f)
{
    return Controles(f);
}

const QStringList TroisEleves{QStringLiteral("DUPONT Jean"), QStringLiteral("MARTIN Paul"),
                              QStringLiteral("ZOLA Emile")};

QLineEdit *Editeur(TNoteForm &f)
{
    for (QLineEdit *e : C(f).StringGrid1->findChildren<QLineEdit *>())
        if (e->isVisible())
            return e;
    return nullptr;
}

// Keys typed one by one into whatever holds them: the open cell editor, else the grid.
void Taper(TNoteForm &f, const QString &touches)
{
    for (QChar c : touches) {
        QWidget *cible = Editeur(f);
        QTest::keyClick(cible ? cible : static_cast<QWidget *>(C(f).StringGrid1), c.toLatin1());
    }
}

// Any text, one character at a time, as a keyboard with those keys would type it.
void Saisir(TNoteForm &f, const QString &texte)
{
    for (QChar c : texte) {
        QWidget *cible = Editeur(f);
        if (!cible)
            cible = f.findChild<QTableView *>(QStringLiteral("StringGrid1"));
        QKeyEvent appui(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(cible, &appui);
        QKeyEvent relache(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(cible, &relache);
    }
}

void Entree(TNoteForm &f)
{
    QWidget *cible = Editeur(f);
    QTest::keyClick(cible ? cible : static_cast<QWidget *>(C(f).StringGrid1), Qt::Key_Return);
}

QPoint Centre(TNoteForm &f, int col, int row)
{
    const QModelIndex i = C(f).StringGrid1->model()->index(row - 1, C(f).StringGrid1->logique(col) - 1);
    return C(f).StringGrid1->visualRect(i).center();
}

void Choisir(RadioGroupe *g, int i)
{
    g->setItemIndex(i);
    emit g->clique(i);
}

TStringGrid *Grille(const QObject &f)
{
    return Ctl<TStringGrid>(f, "StringGrid1");
}

// The coefficient a title stands for, read from the class tables.
int CoefDuTitre(const QString &titre)
{
    const qsizetype tiret = titre.indexOf(u'-');
    const int p = titre.at(tiret - 1).digitValue();
    const int a = titre.mid(tiret + 1).toInt();
    return titre.startsWith(LibelleMat2) && !UneMatiere ? CoefMat2[p][a] : CoefMat1[p][a];
}

// Every coefficient label stands over the column whose coefficient it shows,
// the first one over the first column of which the larger part is in sight.
void VerifierBandeau(TNoteForm &f)
{
    TStringGrid *g = Grille(f);
    QHeaderView *h = g->horizontalHeader();
    QWidget *vp = g->viewport();
    const int premiere = g->LeftCol();
    const int l = g->logique(premiere) - 1;
    QVERIFY2(h->sectionViewportPosition(l) + h->sectionSize(l) / 2 >= 0,
             qPrintable(QStringLiteral("first column %1 mostly hidden: %2")
                            .arg(premiere)
                            .arg(h->sectionViewportPosition(l))));
    if (premiere > 1) {
        const int avant = g->logique(premiere - 1) - 1;
        QVERIFY2(h->sectionViewportPosition(avant) + h->sectionSize(avant) / 2 < 0,
                 "a column mostly in sight is skipped");
    }
    for (int i = 0; i < 8; ++i) {
        auto *lc = Ctl<QLabel>(f,
                               i < 2 ? qPrintable(QStringLiteral("lc%1").arg(i + 1))
                                     : qPrintable(QStringLiteral("Lc%1").arg(i + 1)));
        const int x = vp->mapFrom(&f, lc->mapTo(&f, lc->rect().center())).x();
        if (x >= vp->width())
            break;
        const int v = h->visualIndexAt(x);
        if (i == 0)
            QCOMPARE(v + 1, premiere);
        if (v < 0) {
            QCOMPARE(lc->text(), QString());
            continue;
        }
        const QString titre = g->Cells(v + 1, 0);
        QVERIFY2(lc->text() == QString::number(CoefDuTitre(titre)),
                 qPrintable(QStringLiteral("label %1 shows %2 over %3").arg(i + 1).arg(lc->text(), titre)));
    }
}

// The cell under a point of the grid, whichever view draws it there.
QModelIndex CelluleSous(TStringGrid *g, const QPoint &p)
{
    QWidget *w = g->childAt(p);
    for (; w && w != g; w = w->parentWidget()) {
        if (auto *vue = qobject_cast<QAbstractItemView *>(w->parentWidget()); vue && w == vue->viewport())
            return vue->indexAt(w->mapFrom(g, p));
    }
    return {};
}

// The title under a point of the grid's title row.
QString TitreSous(TStringGrid *g, const QPoint &p)
{
    for (QWidget *w = g->childAt(p); w && w != g; w = w->parentWidget())
        if (auto *h = qobject_cast<QHeaderView *>(w->parentWidget());
            h && w == h->viewport() && h->orientation() == Qt::Horizontal)
            return h->model()->headerData(h->logicalIndexAt(w->mapFrom(g, p)), Qt::Horizontal).toString();
    return {};
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

    void bandeauEnFinDeGrille_data();
    void bandeauEnFinDeGrille();
    void appreciationsColonnesFixes();
    void appreciationHorsCp1252();
    void datesSuiventColonne();
    void boutonDroitChoisitCellule();
    void bullesNomsCoupes();
    void bullesAnnulerRetablir();

    void resultatsEnsemble();
    void classementApresEnregistrement();
    void rafraichiApresCoefDate();
    void deplacementAnneeMat2();

private:
    TNoteForm *ouvrir(const QDate &jour = QDate(2024, 2, 10));

    ClasseEssai *m_classe = nullptr;
    RepondeurScripte *m_rep = nullptr;
    TNoteForm *m_f = nullptr;
};

void TestNoteForm::init()
{
    m_classe = new ClasseEssai;
    m_rep = new RepondeurScripte;
    m_classe->construire(false, true, TroisEleves);
}

void TestNoteForm::cleanup()
{
    if (m_f)
        QCOMPARE(m_rep->imprevues(), QStringList());
    delete m_f;
    m_f = nullptr;
    Fenetres::detruireTout(); // the windows it opened
    TNoteForm::ExpertAppreciation = nullptr;
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
    C(*m_f).StringGrid1->setFocus();
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
    RadioGroupe *g = semestres ? C(f).RadioGroup3 : C(f).RadioGroup1;
    QVERIFY(!g->isHidden());
    QVERIFY((semestres ? C(f).RadioGroup1 : C(f).RadioGroup3)->isHidden());
    QCOMPARE(g->title(), semestres ? QStringLiteral("Semestre") : QStringLiteral("Trimestre"));
    QCOMPARE(g->itemIndex(), index);
    QCOMPARE(f.periode, index + 1);
    // A one-subject class shows neither the subject selector nor the second panel.
    QVERIFY(C(f).RadioGroup2->isHidden());
    QVERIFY(C(f).Panel2->isHidden());
    QCOMPARE(C(f).Label1->text(), QStringLiteral("3EME1"));
    QCOMPARE(C(f).Label16->text(), QStringLiteral("3"));
    QCOMPARE(C(f).Label17->text(), DateCourte(jour));
    QCOMPARE(f.windowTitle(), QStringLiteral("Gestion des notes"));
    QCOMPARE(C(f).StringGrid1->Cells(0, 2), QStringLiteral("MARTIN Paul"));
    QVERIFY(!f.EnregistrementNecessaire);
    QVERIFY(!C(f).BBPourcent->isEnabled());
    QVERIFY(!C(f).Button9->isEnabled());
    QVERIFY(C(f).StringGrid1->horizontalHeader()->sectionsMovable());
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
    QTest::newRow("one subject, period 1") << false << true << 0 << -1 << 17 << "Fran1-01"
                                           << "Fran1-16";
    QTest::newRow("one subject, year") << false << true << 3 << -1 << 49 << "Fran1-01"
                                       << "Fran3-16";
    QTest::newRow("one subject, semesters, year") << true << true << 2 << -1 << 33 << "Fran1-01"
                                                  << "Fran2-16";
    QTest::newRow("two subjects, Mat1, period 2") << false << false << 1 << 0 << 9 << "Fran 2-1"
                                                  << "Fran 2-8";
    QTest::newRow("two subjects, Mat2, year") << false << false << 3 << 1 << 25 << "Hist 1-1"
                                              << "Hist 3-8";
    QTest::newRow("two subjects, Ensemble, period 3") << false << false << 2 << 2 << 17 << "Fran 3-1"
                                                      << "Hist 3-8";
    QTest::newRow("two subjects, Ensemble, year") << false << false << 3 << 2 << 49 << "Fran 1-1"
                                                  << "Hist 3-8";
    QTest::newRow("semesters, Ensemble, year") << true << false << 2 << 2 << 33 << "Fran 1-1"
                                               << "Hist 2-8";
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
    QCOMPARE(C(f).RadioGroup2->isHidden(), uneMatiere);
    Choisir(semestres ? C(f).RadioGroup3 : C(f).RadioGroup1, periode);
    if (matiere >= 0)
        Choisir(C(f).RadioGroup2, matiere);
    QCOMPARE(C(f).StringGrid1->ColCount(), colonnes);
    QCOMPARE(C(f).StringGrid1->RowCount(), 4);
    QCOMPARE(C(f).StringGrid1->Cells(1, 0), premier);
    QCOMPARE(C(f).StringGrid1->Cells(colonnes - 1, 0), dernier);
    // Ensemble forbids moving columns; the year enables the balance.
    QCOMPARE(C(f).StringGrid1->horizontalHeader()->sectionsMovable(), matiere != 2);
    QCOMPARE(C(f).BBPourcent->isEnabled(), periode == (semestres ? 2 : 3));
}

void TestNoteForm::vuesEtSelecteurs()
{
    m_classe->construire(false, false, TroisEleves);
    ListeEleves[0].Appreciations[VUE_MAT1][2] = QStringLiteral("Bon travail");
    m_classe->note(0, 2, 1, 14);
    TNoteForm &f = *ouvrir();

    // Column widths of each view, grid line included.
    QHeaderView *h = C(f).StringGrid1->horizontalHeader();
    const auto largeurs = [h] {
        QList<int> l;
        for (int i = 0; i < h->count() && i < 3; ++i)
            l << h->sectionSize(h->logicalIndex(i));
        return l;
    };
    QCOMPARE(C(f).StringGrid1->verticalHeader()->width(), 107);
    QCOMPARE(largeurs(), (QList<int>{49, 49, 49}));

    C(f).Button2->click();
    QCOMPARE(largeurs(), (QList<int>{34, 496}));
    QCOMPARE(f.windowTitle(), QStringLiteral("Gestion des appréciations"));
    QCOMPARE(C(f).StringGrid1->ColCount(), 3);
    QCOMPARE(C(f).StringGrid1->Cells(1, 0), QStringLiteral(" Moy"));
    QCOMPARE(C(f).StringGrid1->Cells(2, 0),
             QStringLiteral("                    Appréciation    Fran     2 ème trimestre"));
    QCOMPARE(C(f).StringGrid1->Cells(1, 1), QStringLiteral("14.00"));
    QCOMPARE(C(f).StringGrid1->Cells(2, 1), QStringLiteral("Bon travail"));
    QVERIFY(C(f).Button9->isEnabled());
    QVERIFY(!C(f).Button7->isEnabled());
    QVERIFY(C(f).Panel_coef->isHidden());
    Choisir(C(f).RadioGroup2, 2);
    QCOMPARE(C(f).StringGrid1->Cells(2, 0),
             QStringLiteral("                    Appréciation  générale     2 ème trimestre"));
    QVERIFY(!C(f).Panel1->isHidden());
    QVERIFY(!C(f).Panel2->isHidden());

    C(f).Button4->click();
    QCOMPARE(largeurs(), QList<int>{423});
    QCOMPARE(f.windowTitle(), QStringLiteral("Liste des élèves"));
    QCOMPARE(C(f).StringGrid1->ColCount(), 2);
    QCOMPARE(C(f).StringGrid1->Cells(1, 0), QString());
    QVERIFY(!C(f).Button5->isEnabled());
    QVERIFY(!C(f).StringGrid1->modele()->editable());
    QVERIFY(C(f).BBImp->isEnabled());

    C(f).Button1->click();
    QCOMPARE(largeurs(), (QList<int>{49, 49, 49}));
    QCOMPARE(C(f).StringGrid1->ColCount(), 17); // Ensemble, period 2
    QVERIFY(!C(f).Panel_coef->isHidden());
    QVERIFY(!C(f).StringGrid1->horizontalHeader()->sectionsMovable());

    // The hint check box switches hints for the whole program.
    const bool avant = AfficherBulles;
    C(f).CheckBox2->click();
    QCOMPARE(AfficherBulles, !avant);
    C(f).CheckBox2->click();
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
    QCOMPARE(C(f).StringGrid1->width(), 502); // three students fit
    const int largeurTrois = C(f).StringGrid1->width();
    QCOMPARE(C(f).StringGrid1->height(), f.height() - 42 - 66 + 1);
    delete m_f;
    m_f = nullptr;

    m_classe->construire(false, true, beaucoup);
    TNoteForm &g = *ouvrir();
    QVERIFY(C(g).StringGrid1->width() > largeurTrois); // room for the scroll bar
    C(g).BBTailleNormale->click();
    QCOMPARE(g.width(), 640);
    QCOMPARE(g.height(), 456);
}

void TestNoteForm::bandeauCoefficients()
{
    m_classe->construire(false, true, TroisEleves, QStringLiteral("1234567890123456"));
    TNoteForm &f = *ouvrir();
    QCOMPARE(C(f).lc[0]->text(), QStringLiteral("1"));
    QCOMPARE(C(f).lc[7]->text(), QStringLiteral("8"));
    // The strip follows the scroll of the grid.
    C(f).StringGrid1->horizontalScrollBar()->setValue(3);
    QCOMPARE(C(f).StringGrid1->LeftCol(), 4);
    QCOMPARE(C(f).lc[0]->text(), QStringLiteral("4"));
    QCOMPARE(C(f).lc[6]->text(), QStringLiteral("0"));

    // Dragging the line between two titles does not widen a column, which
    // would leave the strip over the wrong columns.
    QHeaderView *h = C(f).StringGrid1->horizontalHeader();
    const int bord =
        h->sectionViewportPosition(h->logicalIndexAt(0)) + h->sectionSize(h->logicalIndexAt(0)) - 1;
    QTest::mousePress(h->viewport(), Qt::LeftButton, {}, QPoint(bord, 8));
    QTest::mouseMove(h->viewport(), QPoint(bord + 30, 8));
    QTest::mouseRelease(h->viewport(), Qt::LeftButton, {}, QPoint(bord + 30, 8));
    QCOMPARE(h->sectionSize(h->logicalIndexAt(0)), 49);
}

void TestNoteForm::saisieVirgule()
{
    TNoteForm &f = *ouvrir();
    Taper(f, QStringLiteral("12,5"));
    QCOMPARE(C(f).StringGrid1->Cells(1, 1), QStringLiteral("12.5"));
    QCOMPARE(ListeEleves[0].NotesMat1[2][1], 12.5);
    QVERIFY(f.EnregistrementNecessaire);
    // The class figures follow each key.
    QCOMPARE(C(f).Label4->text(), QStringLiteral("12.50"));
    QCOMPARE(m_rep->bips(), 0);
    f.Timer1Timer();
    QVERIFY(!C(f).Image1->isHidden());
}

void TestNoteForm::saisieLettre()
{
    TNoteForm &f = *ouvrir();
    Taper(f, QStringLiteral("a"));
    QCOMPARE(m_rep->bips(), 1);
    QCOMPARE(C(f).StringGrid1->Cells(1, 1), QString());
    QVERIFY(!f.EnregistrementNecessaire);
    QVERIFY(!Editeur(f));
    // In the appreciations any character goes.
    C(f).Button2->click();
    C(f).StringGrid1->setCourante(2, 1);
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
    QCOMPARE(C(f).StringGrid1->Cells(1, 1), QStringLiteral("21"));
    QCOMPARE(C(f).Label4->text(), QString());
    // Leaving the cell changes nothing: no second message.
    Entree(f);
    QCOMPARE(m_rep->boites().size(), 1);
    QCOMPARE(C(f).StringGrid1->Row(), 2);
}

void TestNoteForm::saisieTroisDecimales()
{
    TNoteForm &f = *ouvrir();
    Taper(f, QStringLiteral("12.345"));
    Entree(f);
    QCOMPARE(ListeEleves[0].NotesMat1[2][1], ArrondiReal48(12.345));
    QCOMPARE(C(f).StringGrid1->Cells(1, 1), QStringLiteral("12.345"));
    C(f).Button1->click(); // refilled
    QCOMPARE(C(f).StringGrid1->Cells(1, 1), NoteEnTexte(ArrondiReal48(12.345)));
}

void TestNoteForm::appreciationLongue()
{
    TNoteForm &f = *ouvrir();
    C(f).Button2->click();
    C(f).StringGrid1->setCourante(2, 3);
    Taper(f, QString(95, u'x'));
    // The cell takes no more than the file keeps: nothing typed vanishes later.
    QCOMPARE(C(f).StringGrid1->Cells(2, 3).size(), 80);
    QCOMPARE(ListeEleves[2].Appreciations[VUE_MAT1][2], QString(80, u'x'));
}

void TestNoteForm::classeVide()
{
    m_classe->construire(false, true, {});
    TNoteForm &f = *ouvrir();
    QCOMPARE(C(f).StringGrid1->RowCount(), 1);
    QCOMPARE(C(f).StringGrid1->ColCount(), 17);
    QCOMPARE(C(f).Label4->text(), QString());
    QVERIFY(!C(f).Button8->isEnabled());
    Taper(f, QStringLiteral("5"));
    Entree(f);
    C(f).Button7->click();
    C(f).Button10->click();
    QVERIFY(f.Button5Click()); // nothing to write is not a failure
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
    QCOMPARE(C(f).StringGrid1->Row(), 2);
    QCOMPARE(ListeEleves[0].NotesMat1[2][1], 8.0);
    // Typing on a cell that holds a mark replaces it.
    Taper(f, QStringLiteral("9"));
    QCOMPARE(C(f).StringGrid1->Cells(1, 2), QStringLiteral("9"));
    QCOMPARE(ListeEleves[1].NotesMat1[2][1], 9.0);
    C(f).StringGrid1->setCourante(1, 2);
    Entree(f);
    QCOMPARE(C(f).StringGrid1->Row(), 3);
    Entree(f);
    QCOMPARE(C(f).StringGrid1->Row(), 1);
    QCOMPARE(C(f).StringGrid1->Col(), 1);
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
    C(f).StringGrid1->setCourante(3, 2);
    f.PopupMenu1Popup();
    QVERIFY(C(f).Augmenterde11->isEnabled());
    (delta > 0 ? C(f).Augmenterde11 : C(f).Diminuerde11)->trigger();
    QCOMPARE(C(f).StringGrid1->Cells(3, 1), apres);
    QCOMPARE(ListeEleves[0].NotesMat1[2][3], TexteEnNote(apres));
    QCOMPARE(C(f).StringGrid1->Cells(3, 2), QString()); // empty cells stay empty
    QCOMPARE(ListeEleves[1].NotesMat1[2][3], NO_MARK);
    QVERIFY(f.EnregistrementNecessaire);
    QCOMPARE(C(f).Label5->text(), NoteEnTexte(TexteEnNote(apres)));

    // A column without a mark offers none of the commands.
    C(f).StringGrid1->setCourante(4, 1);
    f.PopupMenu1Popup();
    QVERIFY(!C(f).Augmenterde11->isEnabled());
    QVERIFY(!C(f).Rsultatsdudevoir1->isEnabled());
}

void TestNoteForm::effacerDevoir()
{
    m_classe->note(0, 2, 2, 11);
    m_classe->note(2, 2, 2, 7);
    TNoteForm &f = *ouvrir();
    C(f).StringGrid1->setCourante(2, 1);
    m_rep->prevoir(BoutonNon);
    C(f).Supprimertouteslesnotes1->trigger();
    QCOMPARE(m_rep->dernierTexte(),
             QStringLiteral("Voulez vous vraiment SUPPRIMER\r\n\r\ntoutes les notes de ce devoir ?"));
    QCOMPARE(ListeEleves[0].NotesMat1[2][2], 11.0);
    QVERIFY(!f.EnregistrementNecessaire);
    m_rep->prevoir(BoutonOui);
    C(f).Supprimertouteslesnotes1->trigger();
    QCOMPARE(ListeEleves[0].NotesMat1[2][2], NO_MARK);
    QCOMPARE(ListeEleves[2].NotesMat1[2][2], NO_MARK);
    QCOMPARE(C(f).StringGrid1->Cells(2, 3), QString());
    QVERIFY(f.EnregistrementNecessaire);
}

void TestNoteForm::depot()
{
    m_classe->note(1, 2, 4, 8);
    TNoteForm &f = *ouvrir();
    EtiquetteNote *quinze = C(f).P_Notes->etiquette(QStringLiteral("15"));
    EtiquetteNote *demi = C(f).P_Notes->etiquette(QStringLiteral("12.5"));
    QVERIFY(quinze && demi);
    QCOMPARE(C(f).P_Notes->etiquettes().size(), 41);
    QVERIFY(!f.StringGrid1DragOver(C(f).Button1, Centre(f, 2, 1)));
    QVERIFY(f.StringGrid1DragOver(quinze, Centre(f, 2, 1)));

    f.StringGrid1DragDrop(quinze, Centre(f, 2, 1)); // empty: no question
    QCOMPARE(m_rep->boites().size(), 0);
    QCOMPARE(ListeEleves[0].NotesMat1[2][2], 15.0);
    QCOMPARE(C(f).StringGrid1->Col(), 2);
    QVERIFY(f.EnregistrementNecessaire);

    m_rep->prevoir(BoutonNon);
    f.StringGrid1DragDrop(demi, Centre(f, 4, 2));
    QCOMPARE(m_rep->dernierTexte(), QStringLiteral("Remplacer la note existante ?"));
    QCOMPARE(C(f).StringGrid1->Cells(4, 2), QStringLiteral(" 8.00"));
    QCOMPARE(ListeEleves[1].NotesMat1[2][4], 8.0);
    m_rep->prevoir(BoutonOui);
    f.StringGrid1DragDrop(demi, Centre(f, 4, 2));
    QCOMPARE(ListeEleves[1].NotesMat1[2][4], 12.5);
    QCOMPARE(C(f).StringGrid1->Cells(4, 2), QStringLiteral("12.5"));

    // Nothing is dropped outside the marks view.
    C(f).Button2->click();
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
    C(f).StringGrid1->horizontalHeader()->moveSection(4, 0); // assignment 5 to the front
    QCOMPARE(C(f).StringGrid1->Cells(1, 0), QStringLiteral("Fran2-05"));
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
    QCOMPARE(C(f).lc[0]->text(), QStringLiteral("5"));
    QVERIFY(f.EnregistrementNecessaire);
    QVERIFY(f.CoefsDeplaces);
    // Locked until the window closes: saving, quitting and results stay.
    for (QWidget *w : std::initializer_list<QWidget *>{
             C(f).RadioGroup1, C(f).Button1, C(f).Button2, C(f).Button4, C(f).Button9, C(f).Button10,
             C(f).BBImp, C(f).BBConf_Imp, C(f).BBText, C(f).BBApercu, C(f).BB_toolN, C(f).BBCoefDate})
        QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
    for (QWidget *w :
         std::initializer_list<QWidget *>{C(f).Button5, C(f).Button6, C(f).Button7, C(f).Button8})
        QVERIFY2(w->isEnabled(), qPrintable(w->objectName()));
    QVERIFY(!C(f).StringGrid1->modele()->editable());
    // The assignment result still knows the moved column's own coefficient.
    C(f).StringGrid1->setCourante(1, 1);
    f.Button8Click();
    QVERIFY(m_rep->dernierTexte().startsWith(QStringLiteral("Coefficient  :  5\r\n")));
    QCOMPARE(m_rep->boites().last().titre, QStringLiteral("Fran2-05"));
}

void TestNoteForm::expert()
{
    TNoteForm &f = *ouvrir();
    C(f).Button2->click();
    C(f).StringGrid1->setCourante(2, 2);
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
    QCOMPARE(C(f).StringGrid1->Cells(2, 2), QStringLiteral("Bon trimestre."));
    QCOMPARE(ListeEleves[1].Appreciations[VUE_MAT1][2], QStringLiteral("Bon trimestre."));
    QVERIFY(f.EnregistrementNecessaire);
}

void TestNoteForm::resultatEleve()
{
    m_classe->construire(false, true, TroisEleves, QStringLiteral("2111111111111111"));
    m_classe->note(0, 2, 1, 12);
    m_classe->note(0, 2, 2, 9);
    TNoteForm &f = *ouvrir();
    C(f).StringGrid1->setCourante(1, 1);
    C(f).Button7->click();
    QCOMPARE(m_rep->boites().last().titre, QStringLiteral("DUPONT Jean"));
    QCOMPARE(m_rep->dernierTexte(), QStringLiteral("Moyenne Fran   :   11.00"));
    C(f).StringGrid1->setCourante(1, 2);
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
    C(f).StringGrid1->setCourante(1, 1);
    f.StringGrid1Click();
    QVERIFY(C(f).Button8->isEnabled());
    C(f).Button8->click();
    QCOMPARE(m_rep->boites().last().titre, QStringLiteral("Fran2-01"));
    QCOMPARE(m_rep->dernierTexte(),
             QStringLiteral("Coefficient  :  2\r\n\r\nMinimum    :    5.00\r\nMoyenne   :   10.00\r\n"
                            "Maximum   :   15.00\r\n\r\n     Date : 05/11"));
    C(f).StringGrid1->setCourante(2, 1);
    f.StringGrid1Click();
    QVERIFY(!C(f).Button8->isEnabled());
    C(f).Rsultatsdudevoir1->trigger();
    QCOMPARE(m_rep->dernierTexte(), QStringLiteral("Il n'y a pas de notes !"));
}

void TestNoteForm::classement()
{
    m_classe->construire(false, true,
                         {QStringLiteral("A Un"), QStringLiteral("B Deux"), QStringLiteral("C Trois")});
    m_classe->note(0, 2, 1, 12);
    m_classe->note(2, 2, 1, 12);
    TNoteForm &f = *ouvrir();
    Taper(f, QStringLiteral("12"));
    Entree(f);
    m_rep->prevoir(BoutonNon);
    C(f).Button10->click();
    QVERIFY(m_rep->dernierTexte().endsWith(QStringLiteral("Voulez vous enregistrer ?")));
    QVERIFY(!f.EnregistrementNecessaire);
    QCOMPARE(C(f).StringGrid1->Cells(0, 1), QStringLiteral("A Un"));
    QCOMPARE(C(f).StringGrid1->Cells(0, 2), QStringLiteral("C Trois"));
    QCOMPARE(C(f).StringGrid1->Cells(0, 3), QStringLiteral("B Deux"));
    QCOMPARE(ListeEleves[1].Nom, QStringLiteral("C"));
    QCOMPARE(C(f).StringGrid1->Cells(1, 2), QStringLiteral("12.00"));
    QVERIFY(f.ApresClassement);
    for (QWidget *w : std::initializer_list<QWidget *>{C(f).Button1, C(f).Button2, C(f).Button4, C(f).Button5,
                                                       C(f).Button9, C(f).Button10, C(f).RadioGroup1,
                                                       C(f).BB_toolN, C(f).BBCoefDate})
        QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
    QVERIFY(C(f).BBImp->isEnabled());
    QVERIFY(C(f).Button7->isEnabled());
    QVERIFY(!C(f).StringGrid1->modele()->editable());
    f.PopupMenu1Popup();
    QVERIFY(C(f).Rsultatsdudevoir1->isEnabled());
    QVERIFY(!C(f).Augmenterde11->isEnabled());
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
    C(f).StringGrid1->horizontalHeader()->moveSection(4, 0);
    m_rep->prevoir(reponse);
    C(f).Button6->click();
    QCOMPARE(m_rep->dernierTexte(),
             QStringLiteral("Le fichier a été modifié et n'a pas été enregistré !\r\n"
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
    QCOMPARE(C(f).StringGrid1->Cells(1, 0), QStringLiteral("Fran2-01"));
    QCOMPARE(C(f).StringGrid1->logique(1), 1);
    QVERIFY(C(f).Button1->isEnabled() && C(f).RadioGroup1->isEnabled() && C(f).BBText->isEnabled());
    QVERIFY(C(f).StringGrid1->modele()->editable());
    QVERIFY(!f.EnregistrementNecessaire);
}

void TestNoteForm::quitterEchecEnregistrement()
{
    TNoteForm &f = *ouvrir();
    NomFichier = QStringLiteral("absent/3EME1.VTC"); // a folder that does not exist
    Taper(f, QStringLiteral("14"));
    Entree(f);
    m_rep->prevoir(BoutonOui);
    C(f).Button6->click();
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
    QTest::newRow("enregistrer") << "enregistrer"
                                 << "3EME1.VTC";
    QTest::newRow("enregistrer après déplacement") << "déplacer"
                                                   << "3EME1.INI";
    QTest::newRow("exporter") << "exporter"
                              << "EXP.txt";
    QTest::newRow("aperçu") << "aperçu"
                            << "a_classe.txt";
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
        C(f).StringGrid1->horizontalHeader()->moveSection(4, 0);
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
            C(f).BBText->click();
            C(f).Nom_Text->setText(QStringLiteral("EXP"));
            C(f).BBOk->click();
        } else if (action == QStringLiteral("aperçu")) {
            C(f).BBApercu->click();
        } else {
            QVERIFY(!f.Button5Click());
            QVERIFY(f.EnregistrementNecessaire);
        }
        QCOMPARE(m_rep->boites().last().type, TypeBoite::Erreur);
        QCOMPARE(m_rep->dernierTexte(),
                 action == QStringLiteral("aperçu") ? QStringLiteral("Erreur d'impression\r\n") + raison
                                                    : raison);
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
    C(f).BBText->click();
    QVERIFY(!C(f).WinPanel1->isHidden());
    QCOMPARE(C(f).Nom_Text->text(), QStringLiteral("3EME0512"));
    QCOMPARE(C(f).ComboBox1->currentText(), QStringLiteral("Aucun"));
    QCOMPARE(C(f).ComboBox2->currentText(), QStringLiteral(","));
    // The name takes letters, digits and !$-_~ only.
    C(f).Nom_Text->setCursorPosition(8);
    QTest::keyClick(C(f).Nom_Text, Qt::Key_Backspace);
    QTest::keyClick(C(f).Nom_Text, '/');
    QCOMPARE(m_rep->bips(), 1);
    QTest::keyClick(C(f).Nom_Text, '~');
    QCOMPARE(C(f).Nom_Text->text(), QStringLiteral("3EME051~"));
    C(f).ComboBox1->setCurrentText(QStringLiteral(";"));
    C(f).BBOk->click();
    QVERIFY(C(f).WinPanel1->isHidden());
    QFile fichier(m_classe->chemin(QStringLiteral("3EME051~.txt")));
    QVERIFY(fichier.open(QIODevice::ReadOnly));
    const QList<QByteArray> lignes = fichier.readAll().split('\n');
    QVERIFY(lignes.at(0).startsWith("3EME1  05/12/2024 10:00:00;"));
    QVERIFY2(lignes.at(3).startsWith(CadrerAGauche(QStringLiteral("DUPONT Jean"), 26).toLatin1()
                                     + ";12,50;; 8,00;"),
             lignes.at(3).constData());

    // A file that cannot be written: the platform's message, the panel hidden.
    QVERIFY(QDir(m_classe->dossier.path()).mkdir(QStringLiteral("PRIS.txt")));
    C(f).BBText->click();
    C(f).Nom_Text->setText(QStringLiteral("PRIS"));
    C(f).BBOk->click();
    QCOMPARE(m_rep->boites().last().type, TypeBoite::Erreur);
    QVERIFY(C(f).WinPanel1->isHidden());
}

void TestNoteForm::imprimer()
{
    m_classe->note(0, 2, 1, 12.5);
    TNoteForm &f = *ouvrir();
    // No printer.
    m_rep->prevoir(BoutonAnnuler);
    C(f).BBImp->click();
    QCOMPARE(m_rep->boites().at(m_rep->boites().size() - 2).type, TypeBoite::Imprimante);
    QCOMPARE(m_rep->dernierTexte(), QStringLiteral("Erreur d'impression"));
    // The default printer.
    const QString direct = m_classe->chemin(QStringLiteral("direct.pdf"));
    m_rep->prevoirImpression(direct);
    C(f).BBImp->click();
    QVERIFY(QFileInfo(direct).size() > 0);
    // Through the print dialog into a PDF file, two copies.
    const QString pdf = m_classe->chemin(QStringLiteral("classe.pdf"));
    m_rep->prevoirImpression(pdf, 2);
    const int boites = int(m_rep->boites().size());
    C(f).BBConf_Imp->click();
    QCOMPARE(m_rep->boites().size(), boites + 1);
    QCOMPARE(m_rep->boites().last().type, TypeBoite::Impression);
    QVERIFY(QFileInfo(pdf).size() > 0);
    QVERIFY(QFileInfo(m_classe->chemin(QStringLiteral("classe-2.pdf"))).size() > 0);
    // The preview writes the report file, then shows it.
    QTimer::singleShot(200, [] {
        if (QWidget *w = QApplication::activeModalWidget())
            w->close();
    });
    C(f).BBApercu->click();
    QFile rapport(m_classe->chemin(QStringLiteral("a_classe.txt")));
    QVERIFY(rapport.open(QIODevice::ReadOnly));
    QVERIFY(rapport.readAll().contains("DUPONT"));
    QVERIFY(!f.VersApercu);
}

void TestNoteForm::annulerRetablir()
{
    m_classe->note(0, 2, 1, 19.5);
    TNoteForm &f = *ouvrir();
    C(f).StringGrid1->setCourante(1, 1);
    C(f).Augmenterde11->trigger();
    C(f).Diminuerde11->trigger();
    QCOMPARE(ListeEleves[0].NotesMat1[2][1], 19.0);
    f.Annuler();
    QCOMPARE(ListeEleves[0].NotesMat1[2][1], 20.0);
    QCOMPARE(C(f).StringGrid1->Cells(1, 1), QStringLiteral("20.00"));
    f.Annuler();
    QCOMPARE(ListeEleves[0].NotesMat1[2][1], 19.5);
    QCOMPARE(C(f).Label4->text(), QStringLiteral("19.50"));
    QVERIFY(!f.EnregistrementNecessaire); // back to what is on disk
    f.Retablir();
    QCOMPARE(ListeEleves[0].NotesMat1[2][1], 20.0);
    QVERIFY(f.EnregistrementNecessaire);

    // A cleared column comes back whole.
    m_rep->prevoir(BoutonOui);
    C(f).Supprimertouteslesnotes1->trigger();
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
    Choisir(C(f).RadioGroup1, 0);
    C(f).BBAnnuler->click();
    QCOMPARE(ListeEleves[0].NotesMat1[2][1], NO_MARK);
    QCOMPARE(C(f).StringGrid1->Cells(1, 1), QString());
    Choisir(C(f).RadioGroup1, 1);
    QCOMPARE(C(f).StringGrid1->Cells(1, 1), QString());
    C(f).BBRetablir->click();
    QCOMPARE(C(f).StringGrid1->Cells(1, 1), QStringLiteral(" 7.00"));
}

void TestNoteForm::bandeauEnFinDeGrille_data()
{
    QTest::addColumn<bool>("semestres");
    QTest::addColumn<bool>("uneMatiere");
    QTest::addColumn<int>("periode");
    QTest::addColumn<int>("matiere");
    QTest::newRow("one subject, period 2") << false << true << 1 << -1;
    QTest::newRow("one subject, year") << false << true << 3 << -1;
    QTest::newRow("one subject, semesters, year") << true << true << 2 << -1;
    QTest::newRow("Ensemble, period 2") << false << false << 1 << 2;
    QTest::newRow("Mat1, year") << false << false << 3 << 0;
    QTest::newRow("Mat2, year") << false << false << 3 << 1;
    QTest::newRow("Ensemble, year") << false << false << 3 << 2;
    QTest::newRow("Ensemble, semesters, year") << true << false << 2 << 2;
}

void TestNoteForm::bandeauEnFinDeGrille()
{
    QFETCH(bool, semestres);
    QFETCH(bool, uneMatiere);
    QFETCH(int, periode);
    QFETCH(int, matiere);
    m_classe->construire(semestres, uneMatiere, TroisEleves);
    CoefPeriode[1] = QStringLiteral("5432109876543210");
    CoefPeriode[2] = QStringLiteral("1234567890123456");
    CoefPeriode[3] = QStringLiteral("9081726354453627");
    DecoderCoefDates();
    TNoteForm &f = *ouvrir();
    Choisir(Ctl<RadioGroupe>(f, semestres ? "RadioGroup3" : "RadioGroup1"), periode);
    if (matiere >= 0)
        Choisir(Ctl<RadioGroupe>(f, "RadioGroup2"), matiere);
    TStringGrid *g = Grille(f);
    QScrollBar *barre = g->horizontalScrollBar();
    VerifierBandeau(f);
    if (QTest::currentTestFailed())
        return;
    // Fully right, by the scroll bar.
    barre->setValue(barre->maximum());
    VerifierBandeau(f);
    if (QTest::currentTestFailed())
        return;
    // Typing in the last column brings the grid there.
    barre->setValue(0);
    g->setCourante(g->ColCount() - 1, 1);
    g->setFocus();
    Taper(f, QStringLiteral("7"));
    QCOMPARE(barre->value(), barre->maximum());
    VerifierBandeau(f);
    if (QTest::currentTestFailed())
        return;
    // A taller window with more students: the vertical scroll bar takes room.
    for (int i = 0; i < 30; ++i)
        ListeEleves.append(ListeEleves.first());
    f.resize(f.width(), f.height() + 40);
    VerifierBandeau(f);
    if (QTest::currentTestFailed())
        return;
    barre->setValue(barre->maximum() - 1);
    VerifierBandeau(f);
    if (QTest::currentTestFailed())
        return;
}

void TestNoteForm::appreciationsColonnesFixes()
{
    m_classe->construire(false, false, TroisEleves);
    m_classe->note(1, 2, 1, 14);
    TNoteForm &f = *ouvrir();
    Ctl<QPushButton>(f, "Button2")->click();
    TStringGrid *g = Grille(f);
    const auto verifier = [&](int row, const QString &debut) {
        const QRect vp = g->viewport()->geometry();
        const int y = vp.top() + g->rowViewportPosition(row - 1) + 8;
        // The names and the averages where they were designed, titles included.
        QCOMPARE(CelluleSous(g, QPoint(vp.left() + 16, y)).column(), 0);
        QCOMPARE(CelluleSous(g, QPoint(vp.left() + 16, y)).row(), row - 1);
        QCOMPARE(TitreSous(g, QPoint(vp.left() + 16, 8)), QStringLiteral(" Moy"));
        QCOMPARE(CelluleSous(g, QPoint(vp.left() + 40, y)).column(), 1);
        // The appreciation cell shows its beginning.
        QLineEdit *e = Editeur(f);
        QVERIFY(e);
        QVERIFY(e->text().startsWith(debut));
        const QPoint gauche = e->mapTo(g, QPoint(0, 0));
        QVERIFY2(gauche.x() >= vp.left() + 34 - 1 && gauche.x() <= vp.left() + 40,
                 qPrintable(QString::number(gauche.x())));
        QCOMPARE(g->childAt(e->mapTo(g, QPoint(3, 5))), e);
        // The caret is in sight, inside the grid (the editor scrolls its text when painted).
        const auto caret = [&] {
            return e->mapTo(g, e->inputMethodQuery(Qt::ImCursorRectangle).toRect().center());
        };
        QTRY_VERIFY2(caret().x() > vp.left() + 34 && caret().x() < vp.right(),
                     qPrintable(QString::number(caret().x())));
        QCOMPARE(g->childAt(caret()), e);
    };
    const QRect vp = g->viewport()->geometry();
    const QPoint cellule(vp.left() + 100, vp.top() + g->rowViewportPosition(1) + 8);
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->viewport()->mapFrom(g, cellule));
    Saisir(f, QStringLiteral("Bien"));
    verifier(2, QStringLiteral("Bien"));
    Saisir(f, QStringLiteral(" ") + QString(75, u'W'));
    QCOMPARE(g->Cells(2, 2).size(), 80);
    verifier(2, QStringLiteral("Bien"));

    // The same after a period change and after a ranking.
    Entree(f);
    Choisir(Ctl<RadioGroupe>(f, "RadioGroup1"), 0);
    g->setCourante(2, 1);
    Saisir(f, QStringLiteral("Connaissances solides."));
    verifier(1, QStringLiteral("Connaissances"));
    Entree(f);
    m_rep->prevoir(BoutonNon);
    Ctl<QPushButton>(f, "Button10")->click();
    QCOMPARE(CelluleSous(g, QPoint(vp.left() + 16, vp.top() + 8)).column(), 0);
}

void TestNoteForm::appreciationHorsCp1252()
{
    TNoteForm &f = *ouvrir();
    Ctl<QPushButton>(f, "Button2")->click();
    TStringGrid *g = Grille(f);
    g->setCourante(2, 1);
    g->setFocus();
    Saisir(f, QStringLiteral("Zu"));
    Saisir(f, QString::fromUtf8("ł"));
    QCOMPARE(m_rep->bips(), 1);
    Saisir(f, QString::fromUtf8("œ€x"));
    QCOMPARE(g->Cells(2, 1), QString::fromUtf8("Zuœ€x"));
    QCOMPARE(ListeEleves[0].Appreciations[VUE_MAT1][2], QString::fromUtf8("Zuœ€x"));
    // Pasted text loses what the file cannot hold, with a beep.
    QApplication::clipboard()->setText(QString::fromUtf8("Très ☺bien"));
    QTest::keySequence(Editeur(f), QKeySequence::Paste);
    QCOMPARE(m_rep->bips(), 2);
    QCOMPARE(g->Cells(2, 1), QString::fromUtf8("Zuœ€xTrès bien"));
    // The editor stops at 80 characters.
    QApplication::clipboard()->setText(QString(100, u'a'));
    QTest::keySequence(Editeur(f), QKeySequence::Paste);
    QCOMPARE(Editeur(f)->text().size(), 80);
    const int bips = m_rep->bips();
    QTest::keyClick(Editeur(f), 'b');
    QCOMPARE(m_rep->bips(), bips + 1);
    QCOMPARE(g->Cells(2, 1).size(), 80);
    QVERIFY(!g->Cells(2, 1).endsWith(u'b'));
}

void TestNoteForm::datesSuiventColonne()
{
    m_classe->construire(false, false, TroisEleves, QStringLiteral("1234123456785678"));
    QString dates;
    for (int i = 1; i <= 16; ++i)
        dates += QStringLiteral("%1/01").arg(i, 2, 10, QLatin1Char('0'));
    DatePeriode[1] = dates;
    DecoderCoefDates();
    m_classe->note(0, 1, 4, 13, 2);
    TNoteForm &f = *ouvrir(QDate(2024, 10, 1));
    Choisir(Ctl<RadioGroupe>(f, "RadioGroup2"), 1); // Hist, period 1
    TStringGrid *g = Grille(f);
    QCOMPARE(g->Cells(4, 0), QStringLiteral("Hist 1-4"));
    g->horizontalHeader()->moveSection(3, 0);
    // The reports of this showing read the tables by place.
    QCOMPARE(DateMat2[1][1], QStringLiteral("12/01"));
    QCOMPARE(DateMat2[1][4], QStringLiteral("11/01"));
    QCOMPARE(DateMat1[1][1], QStringLiteral("01/01"));
    g->setCourante(1, 1);
    f.Button8Click();
    QVERIFY(m_rep->dernierTexte().endsWith(QStringLiteral("Date : 12/01")));
    QVERIFY(f.Button5Click());
    const QString ini = CheminOptions(QStringLiteral("3EME1"));
    const QString lues =
        Ini::lireTexte(ini, QStringLiteral("Options"), QStringLiteral("Dates période 1"), {});
    QCOMPARE(lues.mid(0, 40), dates.mid(0, 40));
    QCOMPARE(lues.mid(40, 20), QStringLiteral("12/0109/0110/0111/01"));
    QCOMPARE(lues.mid(60), dates.mid(60));
    QCOMPARE(Ini::lireTexte(ini, QStringLiteral("Options"), QStringLiteral("Coefficients période 1"), {}),
             QStringLiteral("1234123485675678"));
}

void TestNoteForm::boutonDroitChoisitCellule()
{
    m_classe->note(0, 2, 1, 10);
    m_classe->note(1, 2, 8, 12);
    TNoteForm &f = *ouvrir();
    TStringGrid *g = Grille(f);
    g->setCourante(1, 1);
    QString titre;
    QTimer guetteur;
    connect(&guetteur, &QTimer::timeout, this, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        guetteur.stop();
        titre = g->Cells(g->Col(), 0);
        menu->close();
        Ctl<QAction>(f, "Augmenterde11")->trigger();
    });
    guetteur.start(0);
    // The press, then the context menu event the window system sends with it.
    const QPoint p = Centre(f, 8, 2);
    QTest::mousePress(g->viewport(), Qt::RightButton, {}, p);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, p, g->viewport()->mapToGlobal(p));
    QApplication::sendEvent(g->viewport(), &menu);
    QTest::mouseRelease(g->viewport(), Qt::RightButton, {}, p);
    QTRY_COMPARE(titre, QStringLiteral("Fran2-08"));
    QCOMPARE(g->Col(), 8);
    QCOMPARE(g->Row(), 2);
    QCOMPARE(ListeEleves[1].NotesMat1[2][8], 13.0);
    QCOMPARE(ListeEleves[0].NotesMat1[2][1], 10.0);
}

void TestNoteForm::bullesNomsCoupes()
{
    m_classe->construire(false, true, {QStringLiteral("BÉNARD Marie-Hélène"), QStringLiteral("ZOLA Emile")});
    TNoteForm &f = *ouvrir();
    AfficherBulles = false; // names are content, not help
    QHeaderView *noms = Grille(f)->verticalHeader();
    const auto bulle = [&](int ligne) {
        QToolTip::hideText();
        if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); }))
            return QStringLiteral("<bulle restée visible>");
        const QPoint p(20, noms->sectionViewportPosition(ligne) + 8);
        QHelpEvent e(QEvent::ToolTip, p, noms->viewport()->mapToGlobal(p));
        QApplication::sendEvent(noms->viewport(), &e);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    QCOMPARE(bulle(0), QStringLiteral("BÉNARD Marie-Hélène"));
    QCOMPARE(bulle(1), QString());
    AfficherBulles = true;
    QCOMPARE(bulle(0), QStringLiteral("BÉNARD Marie-Hélène"));
}

void TestNoteForm::bullesAnnulerRetablir()
{
    m_classe->construire(false, false, {QStringLiteral("BÉNARD Marie-Hélène"), QStringLiteral("ZOLA Emile")});
    m_classe->note(1, 2, 2, 9, 2);
    TNoteForm &f = *ouvrir();
    auto *annuler = Ctl<QToolButton>(f, "BBAnnuler");
    auto *retablir = Ctl<QToolButton>(f, "BBRetablir");
    QCOMPARE(annuler->toolTip(), QStringLiteral("Annuler la dernière modification"));
    QCOMPARE(retablir->toolTip(), QStringLiteral("Rétablir"));
    Choisir(Ctl<RadioGroupe>(f, "RadioGroup2"), 2);
    TStringGrid *g = Grille(f);
    f.StringGrid1DragDrop(Ctl<TBarreNotes>(f, "P_Notes")->etiquette(QStringLiteral("15")), Centre(f, 11, 1));
    QCOMPARE(annuler->toolTip(), QStringLiteral("Annuler : note déposée (Hist 2-3, BÉNARD Marie-Hélène)"));
    g->setCourante(10, 2);
    Ctl<QAction>(f, "Augmenterde11")->trigger();
    QCOMPARE(annuler->toolTip(), QStringLiteral("Annuler : notes du devoir augmentées de 1 (Hist 2-2)"));
    g->setCourante(1, 2);
    Taper(f, QStringLiteral("12"));
    Entree(f);
    QCOMPARE(annuler->toolTip(), QStringLiteral("Annuler : note saisie (Fran 2-1, ZOLA Emile)"));
    f.Annuler();
    QCOMPARE(retablir->toolTip(), QStringLiteral("Rétablir : note saisie (Fran 2-1, ZOLA Emile)"));
    QCOMPARE(annuler->toolTip(), QStringLiteral("Annuler : notes du devoir augmentées de 1 (Hist 2-2)"));
    f.Annuler();
    f.Annuler();
    QCOMPARE(annuler->toolTip(), QStringLiteral("Annuler la dernière modification"));
}

void TestNoteForm::resultatsEnsemble()
{
    m_classe->construire(false, false, TroisEleves, QStringLiteral("2111111131111111"));
    DatePeriode[2].replace(40, 5, QStringLiteral("07/12"));
    DecoderCoefDates();
    m_classe->note(0, 2, 1, 12);
    m_classe->note(0, 2, 2, 9);
    m_classe->note(0, 2, 1, 8, 2);
    m_classe->note(1, 2, 1, 14, 2);
    TNoteForm &f = *ouvrir();
    Choisir(Ctl<RadioGroupe>(f, "RadioGroup2"), 2);
    // The class figures of each subject, whatever the selector.
    QCOMPARE(Ctl<QLabel>(f, "Label6")->text(), QStringLiteral("Hist"));
    QCOMPARE(Ctl<QLabel>(f, "Label7")->text(), QStringLiteral(" 8.00"));
    QCOMPARE(Ctl<QLabel>(f, "Label8")->text(), QStringLiteral("11.00"));
    QCOMPARE(Ctl<QLabel>(f, "Label9")->text(), QStringLiteral("14.00"));
    QCOMPARE(Ctl<QLabel>(f, "Label4")->text(), QStringLiteral("11.00"));

    // Columns 1-8 count for the first subject, 9-16 for the second, with its own coefficients.
    TStringGrid *g = Grille(f);
    g->setCourante(1, 1);
    Ctl<QPushButton>(f, "Button7")->click();
    QCOMPARE(m_rep->dernierTexte(),
             QStringLiteral("Moyenne Fran       :  11.00\r\n"
                            "Moyenne Hist       :   8.00\r\n"
                            "Moyenne générale :   9.50"));
    g->setCourante(9, 2);
    Ctl<QPushButton>(f, "Button7")->click();
    QCOMPARE(m_rep->dernierTexte(),
             QStringLiteral("Moyenne Fran       :  \r\n"
                            "Moyenne Hist       :  14.00\r\n"
                            "Moyenne générale :  14.00"));
    g->setCourante(9, 1);
    f.Button8Click();
    QCOMPARE(m_rep->boites().last().titre, QStringLiteral("Hist 2-1"));
    QCOMPARE(m_rep->dernierTexte(),
             QStringLiteral("Coefficient  :  3\r\n\r\nMinimum    :    8.00\r\nMoyenne   :   11.00\r\n"
                            "Maximum   :   14.00\r\n\r\n     Date : 07/12"));
    g->setCourante(1, 1);
    f.Button8Click();
    QVERIFY(m_rep->dernierTexte().startsWith(QStringLiteral("Coefficient  :  2\r\n")));
    QVERIFY(m_rep->dernierTexte().endsWith(QStringLiteral("Date : 05/11")));
}

void TestNoteForm::classementApresEnregistrement()
{
    m_classe->construire(false, true, {QStringLiteral("A Un"), QStringLiteral("B Deux")});
    TNoteForm &f = *ouvrir();
    Taper(f, QStringLiteral("9"));
    Entree(f);
    Taper(f, QStringLiteral("15"));
    Entree(f);
    // The save fails: no ranking, nothing lost, everything still available.
    NomFichier = QStringLiteral("absent/3EME1.VTC");
    m_rep->prevoir(BoutonOui);
    Ctl<QPushButton>(f, "Button10")->click();
    QCOMPARE(m_rep->boites().last().type, TypeBoite::Erreur);
    QVERIFY(!f.ApresClassement);
    QVERIFY(f.EnregistrementNecessaire);
    QCOMPARE(Grille(f)->Cells(0, 1), QStringLiteral("A Un"));
    QVERIFY(Ctl<QPushButton>(f, "Button10")->isEnabled());
    QVERIFY(Grille(f)->horizontalHeader()->sectionsMovable());
    // Answered Oui with a good file: written, then ranked.
    NomFichier = QStringLiteral("3EME1.VTC");
    m_rep->prevoir(BoutonOui);
    Ctl<QPushButton>(f, "Button10")->click();
    QList<StudentRecord> relus;
    QVERIFY(LireEleves(m_classe->chemin(QStringLiteral("3EME1.VTC")), relus).ok);
    QCOMPARE(relus.at(0).Nom, QStringLiteral("A"));
    QCOMPARE(relus.at(1).NotesMat1[2][1], 15.0);
    QVERIFY(!f.EnregistrementNecessaire);
    QVERIFY(f.ApresClassement);
    QCOMPARE(Grille(f)->Cells(0, 1), QStringLiteral("B Deux"));
    QCOMPARE(Grille(f)->Cells(1, 1), QStringLiteral("15.00"));
}

void TestNoteForm::rafraichiApresCoefDate()
{
    m_classe->note(0, 2, 1, 10);
    m_classe->note(0, 2, 2, 16);
    TNoteForm &f = *ouvrir();
    QCOMPARE(Ctl<QLabel>(f, "Label4")->text(), QStringLiteral("13.00"));
    QCOMPARE(Ctl<QLabel>(f, "lc1")->text(), QStringLiteral("1"));
    // The dialog writes the class settings; the window reads them back.
    QTimer guetteur;
    connect(&guetteur, &QTimer::timeout, this, [&] {
        auto *dialogue = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialogue || dialogue == &f)
            return;
        guetteur.stop();
        const QString coefs[4] = {{}, COEFS_PAR_DEFAUT, QStringLiteral("3111111111111111"), COEFS_PAR_DEFAUT};
        QCOMPARE(EcrireCoefDatesAvec(coefs), QString());
        dialogue->reject();
    });
    guetteur.start(0);
    Ctl<QPushButton>(f, "BBCoefDate")->click();
    QCOMPARE(Ctl<QLabel>(f, "lc1")->text(), QStringLiteral("3"));
    QCOMPARE(Ctl<QLabel>(f, "Label4")->text(), QStringLiteral("11.50"));
    QCOMPARE(Ctl<QLabel>(f, "Label3")->text(), QStringLiteral("11.50"));
}

void TestNoteForm::deplacementAnneeMat2()
{
    m_classe->construire(false, false, TroisEleves);
    CoefPeriode[1] = QStringLiteral("1111111123456781");
    CoefPeriode[2] = QStringLiteral("1111111198765432");
    CoefPeriode[3] = QStringLiteral("1111111155555555");
    DatePeriode[2].replace(40, 5, QStringLiteral("07/12"));
    DecoderCoefDates();
    m_classe->note(0, 2, 1, 17, 2); // Hist 2-1
    m_classe->note(0, 1, 8, 6, 2);  // Hist 1-8
    m_classe->note(0, 1, 1, 11, 1); // Fran 1-1, never moved
    TNoteForm &f = *ouvrir();
    Choisir(Ctl<RadioGroupe>(f, "RadioGroup1"), 3);
    Choisir(Ctl<RadioGroupe>(f, "RadioGroup2"), 1);
    TStringGrid *g = Grille(f);
    QCOMPARE(g->Cells(9, 0), QStringLiteral("Hist 2-1"));
    g->horizontalHeader()->moveSection(8, 0);
    QCOMPARE(g->Cells(1, 0), QStringLiteral("Hist 2-1"));
    QCOMPARE(Ctl<QLabel>(f, "lc1")->text(), QStringLiteral("9"));
    // Across periods: the first subject's halves stay as they were.
    QCOMPARE(f.CoefsGrille[1], QStringLiteral("1111111192345678"));
    QCOMPARE(f.CoefsGrille[2], QStringLiteral("1111111118765432"));
    QCOMPARE(f.CoefsGrille[3], QStringLiteral("1111111155555555"));
    QCOMPARE(ListeEleves[0].NotesMat2[1][1], 17.0);
    QCOMPARE(ListeEleves[0].NotesMat2[2][1], 6.0);
    QCOMPARE(ListeEleves[0].NotesMat2[2][2], NO_MARK);
    QCOMPARE(ListeEleves[0].NotesMat1[1][1], 11.0);
    QCOMPARE(DateMat2[1][1], QStringLiteral("07/12"));
    QVERIFY(f.CoefsDeplaces);
    QVERIFY(!Ctl<RadioGroupe>(f, "RadioGroup2")->isEnabled());
}

QTEST_MAIN(TestNoteForm)
#include "tst_noteform.moc"

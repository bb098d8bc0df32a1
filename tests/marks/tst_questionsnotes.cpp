// The mark-entry window's questions and saves as the teacher meets them:
// keys that must not answer, defaults that must not destroy, and every
// write whose failure must be told.
#include "classdata/parametres.h"
#include "platform/inifile.h"
#include "tests/common/classeessai.h"
#include "tests/common/repondeurscripte.h"
#include "ui/components/winpanel.h"
#include "ui/marks/grillevue.h"
#include "ui/marks/noteform.h"

#include <QAction>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

const QStringList DeuxEleves{QStringLiteral("DUPONT Jean"), QStringLiteral("MARTIN Paul")};

const QString QuestionQuitter = QStringLiteral("Le fichier a été modifié et n'a pas été enregistré !\r\n"
                                               "       Voulez vous l'enregistrer maintenant ?");

// A control of the window by its designer name.
template <class T = QPushButton> T *Ctl(const TNoteForm &f, const char *nom)
{
    T *c = f.findChild<T *>(QLatin1String(nom));
    if (!c)
        qFatal("no control %s", nom);
    return c;
}

TStringGrid *Grille(const TNoteForm &f)
{
    return Ctl<TStringGrid>(f, "StringGrid1");
}

// The open cell editor, else the grid: what a key typed now reaches.
QWidget *CibleClavier(TNoteForm &f)
{
    for (QLineEdit *e : Grille(f)->findChildren<QLineEdit *>())
        if (e->isVisible())
            return e;
    return Grille(f);
}

// A mark typed into the first cell of the grid, as the teacher types it.
void TaperNote(TNoteForm &f, const char *note)
{
    Grille(f)->setFocus();
    Grille(f)->setCourante(1, 1);
    for (const char *c = note; *c; ++c)
        QTest::keyClick(CibleClavier(f), *c);
    QTest::keyClick(CibleClavier(f), Qt::Key_Return);
}

} // namespace

class TestQuestionsNotes : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void echapSurQuitter_data();
    void echapSurQuitter();
    void echapSurClassement();
    void supprimerLesNotesParDefautNon();
    void parametresNonEcrits();
    void apercuNonEcrit();
    void exportSansNom();
    void deplacementDansUneClasseVide();
    void toucheJusteApresUnClic();

private:
    TNoteForm *ouvrir();

    ClasseEssai *m_classe = nullptr;
    RepondeurScripte *m_rep = nullptr;
    TNoteForm *m_f = nullptr;
};

void TestQuestionsNotes::init()
{
    m_classe = new ClasseEssai;
    m_rep = new RepondeurScripte;
    m_classe->construire(false, true, DeuxEleves);
}

void TestQuestionsNotes::cleanup()
{
    if (m_f)
        QCOMPARE(m_rep->imprevues(), QStringList());
    delete m_f;
    m_f = nullptr;
    delete m_rep;
    delete m_classe;
}

TNoteForm *TestQuestionsNotes::ouvrir()
{
    FixerHorloge(QDateTime(QDate(2024, 2, 10), QTime(10, 0)));
    m_f = new TNoteForm;
    m_f->show();
    if (!QTest::qWaitForWindowExposed(m_f))
        return nullptr;
    m_f->activateWindow();
    return m_f;
}

// Escape or the close box at "Quitter"'s question leaves the window and the
// marks as they were; only Oui or Non answers.
void TestQuestionsNotes::echapSurQuitter_data()
{
    QTest::addColumn<int>("geste");
    QTest::newRow("Echap") << int(ToucheEchap);
    QTest::newRow("case de fermeture") << int(CaseFermeture);
}

void TestQuestionsNotes::echapSurQuitter()
{
    QFETCH(int, geste);
    TNoteForm &f = *ouvrir();
    TaperNote(f, "15");
    QVERIFY(f.EnregistrementNecessaire);
    m_rep->prevoir(geste);
    m_rep->prevoir(BoutonOui);
    Ctl(f, "Button6")->click();
    QCOMPARE(m_rep->refus(), 1);
    QCOMPARE(m_rep->textes(), (QStringList{QuestionQuitter, QuestionQuitter}));
    QCOMPARE(m_rep->boites().first().echap, int(BoutonAucun));
    QList<StudentRecord> relus;
    QVERIFY(LireEleves(m_classe->chemin(QStringLiteral("3EME1.VTC")), relus).ok);
    QCOMPARE(relus.at(0).NotesMat1[2][1], 15.0);
    QVERIFY(!f.isVisible());
}

// Escape at the ranking's save question neither ranks nor drops the marks.
void TestQuestionsNotes::echapSurClassement()
{
    TNoteForm &f = *ouvrir();
    TaperNote(f, "12");
    m_rep->prevoir(ToucheEchap);
    m_rep->prevoir(BoutonOui);
    Ctl(f, "Button10")->click();
    QCOMPARE(m_rep->refus(), 1);
    QVERIFY(m_rep->dernierTexte().endsWith(QStringLiteral("Voulez vous enregistrer ?")));
    QVERIFY(!f.EnregistrementNecessaire);
    QList<StudentRecord> relus;
    QVERIFY(LireEleves(m_classe->chemin(QStringLiteral("3EME1.VTC")), relus).ok);
    QCOMPARE(relus.at(0).NotesMat1[2][1], 12.0);
}

// A reflex Enter at the question keeps the assignment's marks.
void TestQuestionsNotes::supprimerLesNotesParDefautNon()
{
    m_classe->note(0, 2, 1, 11);
    m_classe->note(1, 2, 1, 9);
    TNoteForm &f = *ouvrir();
    Grille(f)->setCourante(1, 1);
    m_rep->prevoir(ToucheEchap);
    m_rep->prevoir(ToucheEntree);
    Ctl<QAction>(f, "Supprimertouteslesnotes1")->trigger();
    QCOMPARE(m_rep->boites().last().defaut, int(BoutonNon));
    QCOMPARE(m_rep->refus(), 1);
    QCOMPARE(Grille(f)->Cells(1, 1), QStringLiteral("11.00"));
    QCOMPARE(ListeEleves[1].NotesMat1[2][1], 9.0);
    QVERIFY(!f.EnregistrementNecessaire);
}

// The window's settings written when it goes: a failure is told.
void TestQuestionsNotes::parametresNonEcrits()
{
    const QString chemin = m_classe->chemin(QStringLiteral("Vestrel.INI"));
    QVERIFY(QDir().mkdir(chemin)); // a folder where the file should be
    ouvrir();
    delete m_f;
    m_f = nullptr;
    QCOMPARE(m_rep->textes(), QStringList{QStringLiteral("Impossible d'écrire dans %1.").arg(chemin)});
    QCOMPARE(m_rep->boites().last().type, TypeBoite::Erreur);
}

// The preview's text file cannot be written: the writer's own message.
void TestQuestionsNotes::apercuNonEcrit()
{
    QVERIFY(QDir(m_classe->dossier.path()).mkdir(QStringLiteral("a_classe.txt")));
    TNoteForm &f = *ouvrir();
    Ctl(f, "BBApercu")->click();
    QCOMPARE(m_rep->boites().size(), 1);
    QCOMPARE(m_rep->boites().last().type, TypeBoite::Erreur);
    QVERIFY(m_rep->dernierTexte() != QStringLiteral("Erreur d'impression"));
    QVERIFY(!m_rep->dernierTexte().isEmpty());
}

// An export without a name says so and waits for one.
void TestQuestionsNotes::exportSansNom()
{
    TNoteForm &f = *ouvrir();
    Ctl(f, "BBText")->click();
    QVERIFY(!Ctl<QWidget>(f, "WinPanel1")->isHidden());
    Ctl<QLineEdit>(f, "Nom_Text")->clear();
    m_rep->prevoir(BoutonOui);
    QTest::mouseClick(Ctl(f, "BBOk"), Qt::LeftButton);
    QCOMPARE(m_rep->textes(),
             QStringList{QStringLiteral("Il est indispensable d'entrer un nom de fichier !")});
    QCOMPARE(m_rep->boites().last().type, TypeBoite::Erreur);
    QVERIFY(!Ctl<QWidget>(f, "WinPanel1")->isHidden());
    QVERIFY(Ctl<QLineEdit>(f, "Nom_Text")->hasFocus());
    QCOMPARE(QDir(m_classe->dossier.path()).entryList({QStringLiteral("*.txt")}), QStringList());
}

// Columns moved in a class without students: Quitter, Oui writes the moved
// coefficients and leaves.
void TestQuestionsNotes::deplacementDansUneClasseVide()
{
    m_classe->construire(false, true, {}, QStringLiteral("1234567890123456"));
    TNoteForm &f = *ouvrir();
    Grille(f)->horizontalHeader()->moveSection(4, 0);
    QVERIFY(f.CoefsDeplaces);
    m_rep->prevoir(BoutonOui);
    Ctl(f, "Button6")->click();
    QCOMPARE(m_rep->textes(), (QStringList{QuestionQuitter, QStringLiteral("Fichier vide !")}));
    QVERIFY(!f.isVisible());
    QCOMPARE(Ini::lireTexte(CheminOptions(QStringLiteral("3EME1")), QStringLiteral("Options"),
                            QStringLiteral("Coefficients période 2"), QStringLiteral("absent")),
             QStringLiteral("5123467890123456"));
    // The dates follow their columns as the coefficients do.
    QCOMPARE(Ini::lireTexte(CheminOptions(QStringLiteral("3EME1")), QStringLiteral("Options"),
                            QStringLiteral("Dates période 2"), QStringLiteral("absent"))
                 .left(10),
             QStringLiteral("--/--05/11"));
    QVERIFY(!QFile::exists(m_classe->chemin(QStringLiteral("3EME1.VTC"))));
}

// Click on the current cell, then type at once: no key is lost, and what
// Quitter saves is what was typed.
void TestQuestionsNotes::toucheJusteApresUnClic()
{
    TNoteForm &f = *ouvrir();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    const QModelIndex cellule = Grille(f)->model()->index(0, Grille(f)->logique(1) - 1);
    QCOMPARE(Grille(f)->currentIndex(), cellule);
    QTest::mouseClick(Grille(f)->viewport(), Qt::LeftButton, {}, Grille(f)->visualRect(cellule).center());
    for (char c : {'1', '5'})
        QTest::keyClick(CibleClavier(f), c);
    QTest::keyClick(CibleClavier(f), Qt::Key_Return);
    QCOMPARE(Grille(f)->Cells(1, 1), QStringLiteral("15"));
    QCOMPARE(ListeEleves[0].NotesMat1[2][1], 15.0);
    m_rep->prevoir(BoutonOui);
    Ctl(f, "Button6")->click();
    QList<StudentRecord> relus;
    QVERIFY(LireEleves(m_classe->chemin(QStringLiteral("3EME1.VTC")), relus).ok);
    QCOMPARE(relus.at(0).NotesMat1[2][1], 15.0);
}

QTEST_MAIN(TestQuestionsNotes)
#include "tst_questionsnotes.moc"

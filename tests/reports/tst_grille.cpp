// The grid as a table of texts: layouts of every class kind, titles, the
// inverse back into the class model, and column titles read back.
#include "classetest.h"
#include "grille.h"
#include "texte.h"

#include <QtTest>

Q_DECLARE_METATYPE(Selecteur)

class TstGrille : public QObject {
    Q_OBJECT
private slots:
    void dispositions_data();
    void dispositions();
    void titresAppreciation_data();
    void titresAppreciation();
    void cellules();
    void inverseExact_data();
    void inverseExact();
    void inverseColonnesDeplacees();
    void inverseTextesInvalides();
    void inverseAppreciations();
    void periodeEtDevoir_data();
    void periodeEtDevoir();
    void selectionValide();
};

void TstGrille::dispositions_data()
{
    QTest::addColumn<bool>("deuxPeriodes");
    QTest::addColumn<bool>("uneMatiere");
    QTest::addColumn<int>("span");
    QTest::addColumn<Selecteur>("sel");
    QTest::addColumn<int>("colonnes");
    QTest::addColumn<QStringList>("titres"); // the first, the 9th (or last) and the last
    using S = Selecteur;

    QTest::newRow("une trim p1") << false << true << 1 << S::Mat1 << 17
                                 << QStringList{"Fran1-01", "Fran1-09", "Fran1-16"};
    QTest::newRow("une trim p3") << false << true << 3 << S::Mat1 << 17
                                 << QStringList{"Fran3-01", "Fran3-09", "Fran3-16"};
    QTest::newRow("une trim annee") << false << true << int(Annee) << S::Mat1 << 49
                                    << QStringList{"Fran1-01", "Fran1-09", "Fran3-16"};
    QTest::newRow("une sem annee") << true << true << int(Annee) << S::Mat1 << 33
                                   << QStringList{"Fran1-01", "Fran1-09", "Fran2-16"};
    QTest::newRow("deux trim p2 mat1") << false << false << 2 << S::Mat1 << 9
                                       << QStringList{"Hist 2-1", "Hist 2-8", "Hist 2-8"};
    QTest::newRow("deux trim p2 mat2") << false << false << 2 << S::Mat2 << 9
                                       << QStringList{"Geo 2-1", "Geo 2-8", "Geo 2-8"};
    QTest::newRow("deux trim p1 ensemble") << false << false << 1 << S::Ensemble << 17
                                           << QStringList{"Hist 1-1", "Geo 1-1", "Geo 1-8"};
    QTest::newRow("deux trim annee mat1") << false << false << int(Annee) << S::Mat1 << 25
                                          << QStringList{"Hist 1-1", "Hist 2-1", "Hist 3-8"};
    QTest::newRow("deux sem annee mat2") << true << false << int(Annee) << S::Mat2 << 17
                                         << QStringList{"Geo 1-1", "Geo 2-1", "Geo 2-8"};
    QTest::newRow("deux trim annee ensemble") << false << false << int(Annee) << S::Ensemble << 49
                                              << QStringList{"Hist 1-1", "Hist 2-1", "Geo 3-8"};
    QTest::newRow("deux sem annee ensemble") << true << false << int(Annee) << S::Ensemble << 33
                                             << QStringList{"Hist 1-1", "Hist 2-1", "Geo 2-8"};
    QTest::newRow("deux sem p2 ensemble") << true << false << 2 << S::Ensemble << 17
                                          << QStringList{"Hist 2-1", "Geo 2-1", "Geo 2-8"};
}

void TstGrille::dispositions()
{
    QFETCH(bool, deuxPeriodes);
    QFETCH(bool, uneMatiere);
    QFETCH(int, span);
    QFETCH(Selecteur, sel);
    QFETCH(int, colonnes);
    QFETCH(QStringList, titres);
    ClasseTest::Vide(QStringLiteral("X.VTC"), deuxPeriodes, uneMatiere,
                     uneMatiere ? QStringLiteral("Fran") : QStringLiteral("Hist"), QStringLiteral("Geo"));
    ListeEleves = {ClasseTest::Eleve(QStringLiteral("A"), QStringLiteral("b"))};

    const TableGrille t = ConstruireGrille(Vue::Notes, span, sel);
    QCOMPARE(t.colonnes(), colonnes);
    QCOMPARE(t.lignes.size(), 2);
    const QStringList &titre = t.lignes.first();
    QCOMPARE(titre.at(0), QString());
    QCOMPARE(titre.at(1), titres.at(0));
    QCOMPARE(titre.at(qMin(9, colonnes - 1)), titres.at(1));
    QCOMPARE(titre.last(), titres.at(2));

    // Each column's title gives back the slot it shows, and no slot twice.
    const QList<ColonneNote> cols = ColonnesNotes(span, sel);
    QCOMPARE(cols.size(), colonnes - 1);
    QSet<int> vus;
    for (int c = 0; c < cols.size(); ++c) {
        QCOMPARE(cols.at(c).titre, titre.at(c + 1));
        const auto pd = PeriodeEtDevoir(cols.at(c).titre);
        QVERIFY(pd);
        QCOMPARE(pd->periode, cols.at(c).periode);
        QCOMPARE(pd->devoir, cols.at(c).devoir);
        QVERIFY(uneMatiere ? cols.at(c).devoir <= 16 : cols.at(c).devoir <= 8);
        const int cle = cols.at(c).matiere * 1000 + cols.at(c).periode * 100 + cols.at(c).devoir;
        QVERIFY(!vus.contains(cle));
        vus.insert(cle);
        // Ensemble: the subject-1 columns first, then subject 2.
        if (sel == Selecteur::Ensemble)
            QCOMPARE(cols.at(c).matiere, c < cols.size() / 2 ? 1 : 2);
    }
}

void TstGrille::titresAppreciation_data()
{
    QTest::addColumn<bool>("deuxPeriodes");
    QTest::addColumn<int>("span");
    QTest::addColumn<Selecteur>("sel");
    QTest::addColumn<QString>("titre");
    const QString debut = QStringLiteral("                    Appréciation");
    QTest::newRow("mat1 p1 trim") << false << 1 << Selecteur::Mat1
                                  << debut + "    Hist     1 er trimestre";
    QTest::newRow("mat2 p2 sem") << true << 2 << Selecteur::Mat2
                                 << debut + "    Geo     2 ème semestre";
    QTest::newRow("mat1 p3") << false << 3 << Selecteur::Mat1 << debut + "    Hist     3 ème trimestre";
    QTest::newRow("mat2 annee") << false << int(Annee) << Selecteur::Mat2 << debut + "    Geo     annuelle";
    QTest::newRow("ensemble p1 sem") << true << 1 << Selecteur::Ensemble
                                     << debut + "  générale     1 er semestre";
    QTest::newRow("ensemble p3") << false << 3 << Selecteur::Ensemble
                                 << debut + "  générale     3 ème trimestre";
    QTest::newRow("ensemble annee") << false << int(Annee) << Selecteur::Ensemble
                                    << debut + "  générale     annuelle";
}

void TstGrille::titresAppreciation()
{
    QFETCH(bool, deuxPeriodes);
    QFETCH(int, span);
    QFETCH(Selecteur, sel);
    QFETCH(QString, titre);
    ClasseTest::Vide(QStringLiteral("X.VTC"), deuxPeriodes, false, QStringLiteral("Hist"), QStringLiteral("Geo"));
    QCOMPARE(TitreAppreciation(span, sel), titre);
    const TableGrille t = ConstruireGrille(Vue::Appreciations, span, sel);
    QCOMPARE(t.lignes.first(), QStringList({QString(), QStringLiteral(" Moy"), titre}));
}

void TstGrille::cellules()
{
    ClasseTest::UneMatiereFran(false);
    const TableGrille notes = ConstruireGrille(Vue::Notes, 1, Selecteur::Mat1);
    QCOMPARE(notes.lignes.size(), NbEleves() + 1);
    QCOMPARE(notes.lignes.at(1).mid(0, 6),
             QStringList({"DUPONT jean", "12.50", " 8.00", "15.25", "", "20.00"}));
    QCOMPARE(notes.lignes.at(4).at(0), QStringLiteral("DURAND "));
    QCOMPARE(notes.lignes.at(4).mid(1), QStringList(16, QString()));

    const TableGrille appr = ConstruireGrille(Vue::Appreciations, 1, Selecteur::Mat1);
    QCOMPARE(appr.colonnes(), 3);
    // (12.5 + 2*8 + 15.25) / 4, the mark with coefficient 0 left out.
    QCOMPARE(appr.lignes.at(1), QStringList({"DUPONT jean", "10.94", "Bon trimestre, élève sérieux."}));
    QCOMPARE(appr.lignes.at(4), QStringList({"DURAND ", "", ""}));
    QCOMPARE(ConstruireGrille(Vue::Appreciations, Annee, Selecteur::Mat1).lignes.at(1).at(2),
             QStringLiteral("Très bonne année."));

    const TableGrille liste = ConstruireGrille(Vue::Liste, 1, Selecteur::Mat1);
    QCOMPARE(liste.colonnes(), 2);
    for (const QStringList &l : liste.lignes)
        QCOMPARE(l.at(1), QString());

    // An empty class: the titles alone.
    ClasseTest::Vide(QStringLiteral("V.VTC"), false, false);
    const TableGrille vide = ConstruireGrille(Vue::Notes, Annee, Selecteur::Ensemble);
    QCOMPARE(vide.lignes.size(), 1);
    QCOMPARE(vide.colonnes(), 49);
}

void TstGrille::inverseExact_data()
{
    QTest::addColumn<QString>("classe");
    QTest::addColumn<int>("vue");
    QTest::addColumn<int>("span");
    QTest::addColumn<Selecteur>("sel");
    for (const char *c : {"une", "deux", "deuxsem"})
        for (int span : {1, 2, int(Annee)})
            for (Selecteur sel : {Selecteur::Mat1, Selecteur::Mat2, Selecteur::Ensemble}) {
                if (QByteArray(c) == "une" && sel != Selecteur::Mat1)
                    continue;
                for (int vue : {int(Vue::Notes), int(Vue::Appreciations)})
                    QTest::addRow("%s %d %d %d", c, vue, span, int(sel)) << c << vue << span << sel;
            }
}

// Writing back what was just shown changes nothing.
void TstGrille::inverseExact()
{
    QFETCH(QString, classe);
    QFETCH(int, vue);
    QFETCH(int, span);
    QFETCH(Selecteur, sel);
    QVERIFY(ClasseTest::Preparer(classe));
    const QList<StudentRecord> avant = ListeEleves;
    AppliquerGrille(Vue(vue), span, sel, ConstruireGrille(Vue(vue), span, sel).lignes);
    for (int i = 0; i < avant.size(); ++i) {
        for (int p = 1; p <= 3; ++p)
            for (int a = 1; a <= 16; ++a) {
                QCOMPARE(ListeEleves[i].NotesMat1[p][a], avant[i].NotesMat1[p][a]);
                QCOMPARE(ListeEleves[i].NotesMat2[p][a], avant[i].NotesMat2[p][a]);
            }
        for (int v = 1; v <= 3; ++v)
            for (int q = 1; q <= 4; ++q)
                QCOMPARE(ListeEleves[i].Appreciations[v][q], avant[i].Appreciations[v][q]);
    }
}

// A moved column stores its marks in the slot of the place where it now stands.
void TstGrille::inverseColonnesDeplacees()
{
    ClasseTest::DeuxMatieres(false);
    TableGrille t = ConstruireGrille(Vue::Notes, 2, Selecteur::Mat2);
    const double slot3 = ListeEleves[0].NotesMat2[2][3];
    const double slot1 = ListeEleves[1].NotesMat2[2][1];
    // Column of assignment 3 dragged to the first place.
    for (QStringList &l : t.lignes)
        l.move(3, 1);
    QCOMPARE(t.lignes[0][1], QStringLiteral("Geo 2-3"));
    AppliquerGrille(Vue::Notes, 2, Selecteur::Mat2, t.lignes);
    QCOMPARE(ListeEleves[0].NotesMat2[2][1], slot3);
    QCOMPARE(ListeEleves[1].NotesMat2[2][2], slot1);
    QCOMPARE(ListeEleves[1].NotesMat2[2][1], NO_MARK);
    // The title still names the assignment the column came from.
    QCOMPARE(PeriodeEtDevoir(t.lignes[0][1])->devoir, 3);
    // Subject 1 untouched.
    QCOMPARE(ListeEleves[0].NotesMat1[2][1], 9.0);
}

void TstGrille::inverseTextesInvalides()
{
    ClasseTest::UneMatiereFran(false);
    TableGrille t = ConstruireGrille(Vue::Notes, 1, Selecteur::Mat1);
    t.lignes[1][1] = QStringLiteral("25");
    t.lignes[1][2] = QStringLiteral("abc");
    t.lignes[1][3] = QStringLiteral("20");
    t.lignes[1][4] = QStringLiteral("7.5");
    t.lignes[2][1] = QString();
    AppliquerGrille(Vue::Notes, 1, Selecteur::Mat1, t.lignes);
    QCOMPARE(ListeEleves[0].NotesMat1[1][1], NO_MARK);
    QCOMPARE(ListeEleves[0].NotesMat1[1][2], NO_MARK);
    QCOMPARE(ListeEleves[0].NotesMat1[1][3], 20.0);
    QCOMPARE(ListeEleves[0].NotesMat1[1][4], 7.5);
    QCOMPARE(ListeEleves[1].NotesMat1[1][1], NO_MARK);
    const TableGrille apres = ConstruireGrille(Vue::Notes, 1, Selecteur::Mat1);
    QCOMPARE(apres.lignes[1].mid(1, 4), QStringList({"", "", "20.00", " 7.50"}));

    // Period 2 untouched by a period-1 grid.
    QCOMPARE(ListeEleves[0].NotesMat1[2][1], 10.0);
    // The list view reads nothing back.
    TableGrille liste = ConstruireGrille(Vue::Liste, 1, Selecteur::Mat1);
    liste.lignes[1][1] = QStringLiteral("12");
    AppliquerGrille(Vue::Liste, 1, Selecteur::Mat1, liste.lignes);
    QCOMPARE(ListeEleves[0].NotesMat1[1][1], NO_MARK);
}

void TstGrille::inverseAppreciations()
{
    ClasseTest::DeuxMatieres(false);
    TableGrille t = ConstruireGrille(Vue::Appreciations, Annee, Selecteur::Ensemble);
    const QString longue = QString(80, u'a') + QString(15, u'b');
    t.lignes[2][2] = longue;
    t.lignes[2][1] = QStringLiteral("19.99"); // the average is never read back
    t.lignes[3][2] = QStringLiteral("Élève appliqué.");
    AppliquerGrille(Vue::Appreciations, Annee, Selecteur::Ensemble, t.lignes);
    QCOMPARE(ListeEleves[1].Appreciations[VUE_ENSEMBLE][PERIODE_ANNEE], QString(80, u'a'));
    QCOMPARE(ListeEleves[2].Appreciations[VUE_ENSEMBLE][PERIODE_ANNEE], QStringLiteral("Élève appliqué."));
    QCOMPARE(ListeEleves[1].Appreciations[VUE_MAT1][PERIODE_ANNEE], QString());
    QCOMPARE(ConstruireGrille(Vue::Appreciations, Annee, Selecteur::Ensemble).lignes[2][1],
             NoteEnTexte(MoyAnnee(ListeEleves[1], Selecteur::Ensemble)));
}

void TstGrille::periodeEtDevoir_data()
{
    QTest::addColumn<QString>("titre");
    QTest::addColumn<int>("periode"); // 0: unreadable
    QTest::addColumn<int>("devoir");
    QTest::newRow("une matière") << "Fran1-03" << 1 << 3;
    QTest::newRow("seizième") << "Fran3-16" << 3 << 16;
    QTest::newRow("deux matières") << "Hist 2-5" << 2 << 5;
    QTest::newRow("libellé avec tiret") << "H-G 2-5" << 2 << 5;
    QTest::newRow("libellé tiret et chiffre") << "A-1 3-8" << 3 << 8;
    QTest::newRow("libellé vide") << "1-07" << 1 << 7;
    QTest::newRow("sans devoir") << "Fran1-" << 0 << 0;
    QTest::newRow("sans tiret") << "Fran13" << 0 << 0;
    QTest::newRow("période lettre") << "Franx-3" << 0 << 0;
    QTest::newRow("période 4") << "Fran4-1" << 0 << 0;
    QTest::newRow("période 0") << "Fran0-1" << 0 << 0;
    QTest::newRow("devoir 17") << "Fran1-17" << 0 << 0;
    QTest::newRow("devoir 0") << "Fran1-00" << 0 << 0;
    QTest::newRow("vide") << "" << 0 << 0;
    QTest::newRow("moyenne") << " Moy" << 0 << 0;
}

void TstGrille::periodeEtDevoir()
{
    QFETCH(QString, titre);
    QFETCH(int, periode);
    QFETCH(int, devoir);
    const auto pd = PeriodeEtDevoir(titre);
    if (periode == 0) {
        QVERIFY(!pd);
        return;
    }
    QVERIFY(pd);
    QCOMPARE(pd->periode, periode);
    QCOMPARE(pd->devoir, devoir);
}

void TstGrille::selectionValide()
{
    ClasseTest::Vide(QStringLiteral("X.VTC"), true, true);
    QVERIFY(SelectionValide(1, Selecteur::Mat1));
    QVERIFY(SelectionValide(Annee, Selecteur::Mat1));
    QVERIFY(!SelectionValide(3, Selecteur::Mat1));
    QVERIFY(!SelectionValide(1, Selecteur::Mat2));
    QVERIFY(!SelectionValide(1, Selecteur::Ensemble));
    QVERIFY(!SelectionValide(0, Selecteur::Mat1));
    ClasseTest::Vide(QStringLiteral("X.VTC"), false, false);
    QVERIFY(SelectionValide(3, Selecteur::Ensemble));
    QVERIFY(SelectionValide(Annee, Selecteur::Mat2));
}

QTEST_GUILESS_MAIN(TstGrille)
#include "tst_grille.moc"

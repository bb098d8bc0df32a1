// The grid as a table of texts: layouts of every class kind, titles, the
// inverse back into the class model, column titles read back, and the text
// export of such a table.
#include "classdata/texte.h"
#include "reports/export.h"
#include "tests/common/classeessai.h"

#include <QtTest>

Q_DECLARE_METATYPE(Selecteur)

class TstGrille : public QObject {
    Q_OBJECT
private slots:
    void dispositions_data();
    void dispositions();
    void inverseExact();
    void inverseColonneDeplacee();
    void inverseTextesSaisis();
    void periodeEtDevoir();
    void exporter();
    void nomPropose();
};

void TstGrille::dispositions_data()
{
    QTest::addColumn<bool>("deuxPeriodes");
    QTest::addColumn<bool>("uneMatiere");
    QTest::addColumn<int>("span");
    QTest::addColumn<Selecteur>("sel");
    QTest::addColumn<int>("colonnes");
    QTest::addColumn<QStringList>("titres");   // columns 1, 9 (or the last) and the last
    QTest::addColumn<QString>("appreciation"); // title of the Appréciations view
    using S = Selecteur;
    const struct {
        const char *nom;
        bool deuxPeriodes, uneMatiere;
        int span;
        Selecteur sel;
        int colonnes;
        const char *t1, *t9, *dernier, *appreciation;
    } cas[] = {
        {"une p1", false, true, 1, S::Mat1, 17, "Fran1-01", "Fran1-09", "Fran1-16",
         "    Fran     1 er trimestre"},
        {"une p3", false, true, 3, S::Mat1, 17, "Fran3-01", "Fran3-09", "Fran3-16",
         "    Fran     3 ème trimestre"},
        {"une trim année", false, true, Annee, S::Mat1, 49, "Fran1-01", "Fran1-09", "Fran3-16",
         "    Fran     annuelle"},
        {"une sem année", true, true, Annee, S::Mat1, 33, "Fran1-01", "Fran1-09", "Fran2-16",
         "    Fran     annuelle"},
        {"deux p2 mat1", false, false, 2, S::Mat1, 9, "Hist 2-1", "Hist 2-8", "Hist 2-8",
         "    Hist     2 ème trimestre"},
        {"deux p2 mat2", false, false, 2, S::Mat2, 9, "Geo 2-1", "Geo 2-8", "Geo 2-8",
         "    Geo     2 ème trimestre"},
        {"deux sem p2 mat2", true, false, 2, S::Mat2, 9, "Geo 2-1", "Geo 2-8", "Geo 2-8",
         "    Geo     2 ème semestre"},
        {"deux p1 ensemble", false, false, 1, S::Ensemble, 17, "Hist 1-1", "Geo 1-1", "Geo 1-8",
         "  générale     1 er trimestre"},
        {"deux sem p1 ensemble", true, false, 1, S::Ensemble, 17, "Hist 1-1", "Geo 1-1", "Geo 1-8",
         "  générale     1 er semestre"},
        {"deux trim année mat1", false, false, Annee, S::Mat1, 25, "Hist 1-1", "Hist 2-1", "Hist 3-8",
         "    Hist     annuelle"},
        {"deux sem année mat2", true, false, Annee, S::Mat2, 17, "Geo 1-1", "Geo 2-1", "Geo 2-8",
         "    Geo     annuelle"},
        {"deux trim année ensemble", false, false, Annee, S::Ensemble, 49, "Hist 1-1", "Hist 2-1", "Geo 3-8",
         "  générale     annuelle"},
        {"deux sem année ensemble", true, false, Annee, S::Ensemble, 33, "Hist 1-1", "Hist 2-1", "Geo 2-8",
         "  générale     annuelle"},
    };
    for (const auto &c : cas)
        QTest::newRow(c.nom) << c.deuxPeriodes << c.uneMatiere << c.span << c.sel << c.colonnes
                             << QStringList{c.t1, c.t9, c.dernier}
                             << QStringLiteral("                    Appréciation")
                + QString::fromUtf8(c.appreciation);
}

void TstGrille::dispositions()
{
    QFETCH(bool, deuxPeriodes);
    QFETCH(bool, uneMatiere);
    QFETCH(int, span);
    QFETCH(Selecteur, sel);
    QFETCH(int, colonnes);
    QFETCH(QStringList, titres);
    QFETCH(QString, appreciation);
    ClasseEssai::Vide(QStringLiteral("X.VTC"), deuxPeriodes, uneMatiere,
                      uneMatiere ? QStringLiteral("Fran") : QStringLiteral("Hist"), QStringLiteral("Geo"));
    const TableGrille vide = ConstruireGrille(Vue::Notes, span, sel);
    QCOMPARE(vide.lignes.size(), 1); // no student: the titles alone
    QCOMPARE(vide.colonnes(), colonnes);
    const QStringList &t = vide.lignes.first();
    QCOMPARE(QStringList({t.at(0), t.at(1), t.at(qMin(9, colonnes - 1)), t.last()}),
             QStringList{QString()} + titres);
    QCOMPARE(ConstruireGrille(Vue::Appreciations, span, sel).lignes.first(),
             QStringList({"", " Moy", appreciation}));

    // Each title gives back the slot its column shows; no slot twice;
    // Ensemble: the subject-1 columns first.
    QSet<int> vus;
    const QList<ColonneNote> cols = ColonnesNotes(span, sel);
    for (int c = 0; c < cols.size(); ++c) {
        const ColonneNote &col = cols.at(c);
        const auto pd = PeriodeEtDevoir(t.at(c + 1));
        QVERIFY(col.titre == t.at(c + 1) && pd && pd->periode == col.periode && pd->devoir == col.devoir);
        QVERIFY(col.devoir <= (uneMatiere ? 16 : 8));
        QVERIFY(!vus.contains(col.matiere * 1000 + col.periode * 100 + col.devoir));
        vus.insert(col.matiere * 1000 + col.periode * 100 + col.devoir);
        QVERIFY(sel != Selecteur::Ensemble || col.matiere == (c < cols.size() / 2 ? 1 : 2));
    }
}

// Writing back what was just shown changes nothing, in every view and selection.
void TstGrille::inverseExact()
{
    for (const char *classe : {"une", "deuxsem", "deux"})
        for (int span : {1, 2, 3, int(Annee)})
            for (Selecteur sel : {Selecteur::Mat1, Selecteur::Mat2, Selecteur::Ensemble})
                for (Vue vue : {Vue::Notes, Vue::Appreciations, Vue::Liste}) {
                    QVERIFY(ClasseEssai::Preparer(QString::fromLatin1(classe)));
                    if (!SelectionValide(span, sel))
                        continue;
                    const QByteArray avant = OctetsEleves(ListeEleves);
                    AppliquerGrille(vue, span, sel, ConstruireGrille(vue, span, sel).lignes);
                    QCOMPARE(OctetsEleves(ListeEleves), avant);
                }
}

// A moved column stores its marks in the slot of the place where it now stands.
void TstGrille::inverseColonneDeplacee()
{
    ClasseEssai::DeuxMatieres(false);
    TableGrille t = ConstruireGrille(Vue::Notes, 2, Selecteur::Mat2);
    for (QStringList &l : t.lignes)
        l.move(3, 1); // assignment 3 dragged to the first place
    AppliquerGrille(Vue::Notes, 2, Selecteur::Mat2, t.lignes);
    QCOMPARE(ListeEleves[0].NotesMat2[2][1], 10.5); // was in slot 3
    QCOMPARE(ListeEleves[1].NotesMat2[2][2], 3.0);  // was in slot 1
    QCOMPARE(ListeEleves[1].NotesMat2[2][1], NO_MARK);
    QCOMPARE(PeriodeEtDevoir(t.lignes[0][1])->devoir, 3); // the title keeps its identity
    QCOMPARE(ListeEleves[0].NotesMat1[2][1], 9.0);        // the other subject untouched
}

void TstGrille::inverseTextesSaisis()
{
    ClasseEssai::UneMatiereFran(false);
    TableGrille t = ConstruireGrille(Vue::Notes, 1, Selecteur::Mat1);
    t.lignes[1].replace(1, QStringLiteral("25"));
    t.lignes[1].replace(2, QStringLiteral("abc"));
    t.lignes[1].replace(4, QStringLiteral("7.5"));
    AppliquerGrille(Vue::Notes, 1, Selecteur::Mat1, t.lignes);
    QCOMPARE(ConstruireGrille(Vue::Notes, 1, Selecteur::Mat1).lignes[1].mid(0, 5),
             QStringList({"DUPONT jean", "", "", "15.25", " 7.50"}));

    // Appréciations: column 2 cut to 80 characters; the average never read back.
    TableGrille a = ConstruireGrille(Vue::Appreciations, Annee, Selecteur::Ensemble);
    a.lignes[2].replace(2, QString(80, u'a') + QString(15, u'b'));
    a.lignes[2].replace(1, QStringLiteral("19.99"));
    AppliquerGrille(Vue::Appreciations, Annee, Selecteur::Ensemble, a.lignes);
    QCOMPARE(ListeEleves[1].Appreciations[VUE_ENSEMBLE][PERIODE_ANNEE], QString(80, u'a'));
    QCOMPARE(ListeEleves[1].Appreciations[VUE_MAT1][PERIODE_ANNEE], QString());
    QCOMPARE(ConstruireGrille(Vue::Appreciations, Annee, Selecteur::Ensemble).lignes[2][1],
             QStringLiteral("13.19"));
}

void TstGrille::periodeEtDevoir()
{
    const struct {
        const char *titre;
        int periode, devoir;
    } cas[] = {
        {"Fran1-03", 1, 3}, {"Fran3-16", 3, 16}, {"Hist 2-5", 2, 5}, {"H-G 2-5", 2, 5}, {"A-1 3-8", 3, 8},
        {"1-07", 1, 7},     {"Fran1-", 0, 0},    {"Fran13", 0, 0},   {"Franx-3", 0, 0}, {"Fran4-1", 0, 0},
        {"Fran0-1", 0, 0},  {"Fran1-17", 0, 0},  {"Fran1-00", 0, 0}, {"", 0, 0},        {" Moy", 0, 0},
    };
    for (const auto &c : cas) {
        const auto pd = PeriodeEtDevoir(QString::fromUtf8(c.titre));
        QVERIFY2(bool(pd) == (c.periode != 0), c.titre);
        if (pd)
            QVERIFY2(pd->periode == c.periode && pd->devoir == c.devoir, c.titre);
    }
}

namespace {
const QDateTime Instant(QDate(2024, 12, 5), QTime(9, 7, 3));
// Two marks around an empty cell, a typed text that is not a mark, a point in a name.
const TableGrille Petite{{{"", "Fran1-01", "Fran1-02", "Fran1-03"},
                          {"DUPONT jean", "12.50", "", " 8.00"},
                          {"ST. MARTIN Élodie", "abc", "20.00", "1.5"}}};
} // namespace

// Fields padded under their titles, or separated; a decimal comma in the
// student rows only, typed texts as they are.
void TstGrille::exporter()
{
    QCOMPARE(SeparateurChamps(QStringLiteral(";")), QStringLiteral(";"));
    QCOMPARE(TexteExport(Petite, QStringLiteral("3EME1"), Instant, QStringLiteral(";"), true),
             QByteArray("3EME1  05/12/2024 09:07:03;          ;          ;          ;\r\n"
                        "                          ;Fran1-01  ;Fran1-02  ;Fran1-03  ;\r\n"
                        "\r\n"
                        "DUPONT jean               ;12,50;; 8,00;\r\n"
                        "ST. MARTIN \xC9lodie         ;abc;20,00;1,5;\r\n"));
    QCOMPARE(
        TexteExport(Petite, QStringLiteral("3EME1"), Instant, SeparateurChamps(QStringLiteral("Tab")), false)
            .split('\n')
            .at(3),
        QByteArray("DUPONT jean               \t12.50\t\t 8.00\t\r"));
    QCOMPARE(SeparateurChamps(QStringLiteral("Aucun")), QString());
    QCOMPARE(TexteExport(Petite, QStringLiteral("3EME1"), Instant, QString(), true),
             QByteArray("3EME1  05/12/2024 09:07:03                              \r\n"
                        "                          Fran1-01  Fran1-02  Fran1-03  \r\n"
                        "\r\n"
                        "DUPONT jean                 12,50                8,00   \r\n"
                        "ST. MARTIN \xC9lodie             abc     20,00       1,5   \r\n"));

    // The appreciation texts get commas too; the titles keep their points.
    ClasseEssai::UneMatiereFran(false);
    ListeEleves = {ListeEleves.at(0)};
    const QList<QByteArray> l = TexteExport(ConstruireGrille(Vue::Appreciations, 1, Selecteur::Mat1),
                                            NomClasse, Instant, QStringLiteral("#"), true)
                                    .split('\n');
    QCOMPARE(l.at(1),
             QByteArray("                          #     Moy  #                    Appr\xE9"
                        "ciation    Fran     1 er trimestre#\r"));
    QCOMPARE(l.at(3),
             QByteArray("DUPONT jean               #10,94#Bon trimestre, \xE9l\xE8ve s\xE9rieux,#\r"));
    QCOMPARE(
        TexteExport(ConstruireGrille(Vue::Liste, 1, Selecteur::Mat1), NomClasse, Instant, QString(), true),
        QByteArray("3EME1  05/12/2024 09:07:03          \r\n" + QByteArray(36, ' ')
                   + "\r\n\r\n"
                     "DUPONT jean                         \r\n"));
}

void TstGrille::nomPropose()
{
    QCOMPARE(NomExportPropose(Vue::Notes, QStringLiteral("3EME1"), QDate(2024, 12, 5)),
             QStringLiteral("3EME0512"));
    QCOMPARE(NomExportPropose(Vue::Notes, QStringLiteral("6A"), QDate(2025, 1, 9)), QStringLiteral("6A0901"));
    QCOMPARE(NomExportPropose(Vue::Appreciations, QStringLiteral("3EME1"), QDate(2024, 12, 5)),
             QStringLiteral("3EME1"));
    QCOMPARE(NomExportPropose(Vue::Liste, QStringLiteral("TERMINALE"), QDate(2024, 12, 5)),
             QStringLiteral("TERMINAL"));
}

QTEST_GUILESS_MAIN(TstGrille)
#include "tst_grille.moc"

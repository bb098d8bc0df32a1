// Rules of the mark-entry window that need no widget.
#include "averages/classement.h"
#include "averages/moyennes.h"
#include "classdata/options.h"
#include "classdata/real48.h"
#include "reports/reglesnotes.h"

#include <QTest>

class TestReglesNotes : public QObject {
    Q_OBJECT
private slots:
    void periodeDuMois_data();
    void periodeDuMois();
    void texteValide_data();
    void texteValide();
    void texteAStocker();
    void noteDecalee_data();
    void noteDecalee();
    void decoupage_data();
    void decoupage();
    void coefsApresDeplacement_data();
    void coefsApresDeplacement();
    void titreIllisible();
    void classement();
};

void TestReglesNotes::periodeDuMois_data()
{
    QTest::addColumn<bool>("semestres");
    QTest::addColumn<int>("mois");
    QTest::addColumn<int>("periode");
    const int trimestres[13] = {0, 2, 2, 2, 3, 3, 3, 3, 1, 1, 1, 1, 1};
    const int semestres[13] = {0, 1, 2, 2, 2, 2, 2, 2, 1, 1, 1, 1, 1};
    for (int m = 1; m <= 12; ++m) {
        QTest::addRow("trimestres %d", m) << false << m << trimestres[m];
        QTest::addRow("semestres %d", m) << true << m << semestres[m];
    }
}

void TestReglesNotes::periodeDuMois()
{
    QFETCH(bool, semestres);
    QFETCH(int, mois);
    QFETCH(int, periode);
    QCOMPARE(PeriodeDuMois(semestres, mois), periode);
}

void TestReglesNotes::texteValide_data()
{
    QTest::addColumn<QString>("texte");
    QTest::addColumn<bool>("valide");
    QTest::newRow("12.5") << "12.5" << true;
    QTest::newRow("on its way") << "12." << true;
    QTest::newRow("short of zero") << ".5" << true;
    QTest::newRow("point alone") << "." << false;
    QTest::newRow("21") << "21" << false;
    QTest::newRow("20") << "20" << true;
    QTest::newRow("20.01") << "20.01" << false;
    QTest::newRow("0") << "0" << true;
    QTest::newRow("two points") << "1.2.3" << false;
    QTest::newRow("as the grid writes it") << " 8.00" << true;
    QTest::newRow("12.345") << "12.345" << true;
}

void TestReglesNotes::texteValide()
{
    QFETCH(QString, texte);
    QFETCH(bool, valide);
    QCOMPARE(TexteNoteValide(texte), valide);
}

void TestReglesNotes::texteAStocker()
{
    // What reaches the model: nothing of a text that is not wholly a number.
    QCOMPARE(TexteAStocker(QStringLiteral("1.2.3")), QString());
    QCOMPARE(TexteAStocker(QStringLiteral("12.")), QStringLiteral("12.0"));
    QCOMPARE(TexteAStocker(QStringLiteral(".5")), QStringLiteral("0.5"));
    QCOMPARE(TexteAStocker(QStringLiteral(" 8.00")), QStringLiteral(" 8.00"));
    QCOMPARE(TexteAStocker(QStringLiteral("21")), QStringLiteral("21"));
    QCOMPARE(NoteDeTexte(QStringLiteral("1.2.3")), NO_MARK);
    QCOMPARE(NoteDeTexte(QStringLiteral("12.")), 12.0);
}

void TestReglesNotes::noteDecalee_data()
{
    QTest::addColumn<QString>("avant");
    QTest::addColumn<int>("delta");
    QTest::addColumn<QString>("apres");
    QTest::newRow("19.5 + 1") << "19.50" << 1 << "20.00";
    QTest::newRow("19 + 1") << "19.00" << 1 << "20.00";
    QTest::newRow("12.25 + 1") << "12.25" << 1 << "13.25";
    QTest::newRow("typed 8 + 1") << "8" << 1 << "9.00";
    QTest::newRow("invalid 25 + 1") << "25" << 1 << "20.00";
    QTest::newRow("0.5 - 1") << " 0.50" << -1 << "0.00";
    QTest::newRow("1 - 1") << " 1.00" << -1 << "0.00";
    QTest::newRow("13.5 - 1") << "13.50" << -1 << "12.50";
}

void TestReglesNotes::noteDecalee()
{
    QFETCH(QString, avant);
    QFETCH(int, delta);
    QFETCH(QString, apres);
    QCOMPARE(NoteDecalee(avant, delta), apres);
}

void TestReglesNotes::decoupage_data()
{
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QString>("entier");
    QTest::addColumn<QString>("fraction");
    QTest::newRow("typed 12") << "12"
                              << "12"
                              << ".00";
    QTest::newRow("12.5") << "12.5"
                          << "12"
                          << ".50";
    QTest::newRow("as written") << " 7.00"
                                << " 7"
                                << ".00";
    QTest::newRow("three decimals") << "12.345"
                                    << "12"
                                    << ".345";
    QTest::newRow("empty") << ""
                           << ""
                           << "";
}

void TestReglesNotes::decoupage()
{
    QFETCH(QString, texte);
    QFETCH(QString, entier);
    QFETCH(QString, fraction);
    const PartiesNote p = DecouperNote(texte);
    QCOMPARE(p.entier, entier);
    QCOMPARE(p.fraction, fraction);
}

namespace {
QStringList Titres(const QString &libelle, bool deux, const QList<std::pair<int, int>> &colonnes)
{
    QStringList t;
    for (auto [p, a] : colonnes)
        t << (deux ? libelle + u' ' + QString::number(p) + u'-' + QString::number(a)
                   : libelle + QString::number(p) + u'-' + QString::number(a).rightJustified(2, u'0'));
    return t;
}
} // namespace

void TestReglesNotes::coefsApresDeplacement_data()
{
    QTest::addColumn<QStringList>("titres");
    QTest::addColumn<bool>("mat2");
    QTest::addColumn<int>("span");
    QTest::addColumn<bool>("deuxPeriodes");
    QTest::addColumn<bool>("uneMatiere");
    QTest::addColumn<QStringList>("attendu"); // periods 1..3

    const QString base = QStringLiteral("1234567890123456");
    // One subject, trimesters, period 2: assignment 5 dragged to the front.
    QList<std::pair<int, int>> c;
    c << std::pair{2, 5};
    for (int a = 1; a <= 16; ++a)
        if (a != 5)
            c << std::pair{2, a};
    QTest::newRow("period 2, 5 to the front")
        << Titres(QStringLiteral("Fran"), false, c) << false << 2 << false << true
        << QStringList{base, QStringLiteral("5123467890123456"), base};

    // Two subjects, period 1, subject 2: its first two swapped.
    QList<std::pair<int, int>> d{{1, 2}, {1, 1}, {1, 3}, {1, 4}, {1, 5}, {1, 6}, {1, 7}, {1, 8}};
    QTest::newRow("two subjects, subject 2")
        << Titres(QStringLiteral("Hist"), true, d) << true << 1 << false << false
        << QStringList{QStringLiteral("1234567809123456"), base, base};

    // One subject, semesters, year: the last of period 1 goes to period 2's front.
    QList<std::pair<int, int>> e;
    for (int a = 1; a <= 15; ++a)
        e << std::pair{1, a};
    e << std::pair{2, 1} << std::pair{1, 16};
    for (int a = 2; a <= 16; ++a)
        e << std::pair{2, a};
    QTest::newRow("semester year across periods")
        << Titres(QStringLiteral("Fran"), false, e) << false << int(Annee) << true << true
        << QStringList{QStringLiteral("1234567890123451"), QStringLiteral("6234567890123456"), QString()};

    // Two subjects, trimesters, year, subject 1: period 3's first to the front.
    QList<std::pair<int, int>> f{{3, 1}};
    for (int p = 1; p <= 3; ++p)
        for (int a = 1; a <= 8; ++a)
            if (!(p == 3 && a == 1))
                f << std::pair{p, a};
    QTest::newRow("two subjects, year")
        << Titres(QStringLiteral("Fran"), true, f) << false << int(Annee) << false << false
        << QStringList{QStringLiteral("1123456790123456"), QStringLiteral("8123456790123456"),
                       QStringLiteral("8234567890123456")};
}

void TestReglesNotes::coefsApresDeplacement()
{
    QFETCH(QStringList, titres);
    QFETCH(bool, mat2);
    QFETCH(int, span);
    QFETCH(bool, deuxPeriodes);
    QFETCH(bool, uneMatiere);
    QFETCH(QStringList, attendu);
    // Coefficients as the class string 1234567890123456 decodes them.
    const QString base = QStringLiteral("1234567890123456");
    QString origine[4] = {{}, base, base, base};
    qint32 c1[4][17] = {}, c2[4][17] = {};
    DecoderCoefs(origine, uneMatiere, c1, c2);
    QString resultat[4];
    QVERIFY(CoefsApresDeplacement(titres, mat2, span, mat2 ? c2 : c1, origine, deuxPeriodes, uneMatiere,
                                  resultat));
    QCOMPARE((QStringList{resultat[1], resultat[2], resultat[3]}), attendu);

    // Dates follow their columns exactly as the coefficients do: each
    // assignment's date here spells its coefficient.
    const auto dates = [](const QString &coefs) {
        QString d;
        for (QChar c : coefs)
            d += QStringLiteral("%1%1/0%1").arg(c);
        return d;
    };
    QString datesOrigine[4] = {{}, dates(base), dates(base), dates(base)};
    QString d1[4][17], d2[4][17];
    DecoderDates(datesOrigine, uneMatiere, d1, d2);
    QString datesResultat[4];
    QVERIFY(DatesApresDeplacement(titres, mat2, span, mat2 ? d2 : d1, datesOrigine, deuxPeriodes, uneMatiere,
                                  datesResultat));
    QCOMPARE((QStringList{datesResultat[1], datesResultat[2], datesResultat[3]}),
             (QStringList{dates(attendu.at(0)), dates(attendu.at(1)), dates(attendu.at(2))}));
}

void TestReglesNotes::titreIllisible()
{
    QString origine[4] = {{}, COEFS_PAR_DEFAUT, COEFS_PAR_DEFAUT, COEFS_PAR_DEFAUT};
    qint32 c[4][17] = {};
    QString resultat[4] = {{}, QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("z")};
    QVERIFY(!CoefsApresDeplacement({QStringLiteral("Fran1-01"), QStringLiteral("Moy")}, false, 1, c, origine,
                                   false, true, resultat));
    QCOMPARE(resultat[1], QStringLiteral("x"));
}

void TestReglesNotes::classement()
{
    auto eleve = [](const QString &nom, double moyenne) {
        StudentRecord e;
        e.Nom = nom;
        e.NotesMat1[1][1] = moyenne;
        return e;
    };
    auto cle = [](const StudentRecord &e) { return e.NotesMat1[1][1]; };
    auto noms = [](const QList<StudentRecord> &l) {
        QStringList n;
        for (const auto &e : l)
            n << e.Nom;
        return n;
    };
    // 12, none, 12: first, third, second.
    QCOMPARE(noms(Classer({eleve("A", 12), eleve("B", NO_MARK), eleve("C", 12)}, cle)),
             (QStringList{"A", "C", "B"}));
    // Two students of the same name are both kept, each once.
    const QList<StudentRecord> jumeaux =
        Classer({eleve("DUPONT", 9), eleve("MARTIN", NO_MARK), eleve("DUPONT", 15), eleve("ZOE", 0)}, cle);
    QCOMPARE(noms(jumeaux), (QStringList{"DUPONT", "DUPONT", "ZOE", "MARTIN"}));
    QCOMPARE(jumeaux.at(0).NotesMat1[1][1], 15.0);
    QCOMPARE(jumeaux.at(1).NotesMat1[1][1], 9.0);
    QVERIFY(Classer({}, cle).isEmpty());
}

QTEST_GUILESS_MAIN(TestReglesNotes)
#include "tst_reglesnotes.moc"

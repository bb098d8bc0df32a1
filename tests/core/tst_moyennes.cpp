// Student averages, class figures and mark bands.
#include "classe.h"
#include "moyennes.h"
#include "options.h"
#include "real48.h"
#include "texte.h"

#include <QTest>

namespace {

// A student with marks of subject 1 (or 2) in period p, from the first slot on.
StudentRecord eleve(std::initializer_list<double> notes, int periode = 1, int matiere = 1)
{
    StudentRecord e;
    int d = 1;
    for (double n : notes)
        e.note(matiere, periode, d++) = n;
    return e;
}

void coefs(int periode, std::initializer_list<int> c, int matiere = 1)
{
    int d = 1;
    for (int v : c)
        (matiere == 1 ? CoefMat1 : CoefMat2)[periode][d++] = v;
}

} // namespace

class TstMoyennes : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        OptionsParDefaut();
        ViderClasse();
    }

    void moyennesEleve_data()
    {
        QTest::addColumn<QList<double>>("notes");
        QTest::addColumn<QList<int>>("coefficients");
        QTest::addColumn<double>("moyenne");
        QTest::newRow("aucune note") << QList<double>{} << QList<int>{} << NO_MARK;
        QTest::newRow("10 c1, 16 c2") << QList<double>{10, 16} << QList<int>{1, 2} << 14.0;
        QTest::newRow("10 c0, 16 c2") << QList<double>{10, 16} << QList<int>{0, 2} << 16.0;
        QTest::newRow("tous c0") << QList<double>{10, 16} << QList<int>{0, 0} << NO_MARK;
        QTest::newRow("0 et 20 comptent") << QList<double>{0, 20} << QList<int>{1, 1} << 10.0;
        QTest::newRow("20.5 et -2 ignores") << QList<double>{20.5, -2, 12} << QList<int>{1, 1, 1} << 12.0;
        QTest::newRow("trou") << QList<double>{NO_MARK, 9} << QList<int>{5, 1} << 9.0;
    }
    void moyennesEleve()
    {
        QFETCH(QList<double>, notes);
        QFETCH(QList<int>, coefficients);
        QFETCH(double, moyenne);
        StudentRecord e;
        for (int i = 0; i < notes.size(); ++i) {
            e.NotesMat1[2][i + 1] = notes[i];
            CoefMat1[2][i + 1] = coefficients[i];
        }
        QCOMPARE(MoyPeriode(e, Selecteur::Mat1, 2), moyenne);
        QCOMPARE(MoyEleve(e, Selecteur::Ensemble, 2), moyenne);
        QCOMPARE(MoyPeriode(e, Selecteur::Mat1, 1), NO_MARK);
    }

    void ensembleMetEnCommun()
    {
        UneMatiere = false;
        StudentRecord e = eleve({8, 12});
        e.NotesMat2[1][1] = 20;
        coefs(1, {1, 1});
        coefs(1, {2}, 2);
        QCOMPARE(MoyPeriode(e, Selecteur::Mat1, 1), 10.0);
        QCOMPARE(MoyPeriode(e, Selecteur::Mat2, 1), 20.0);
        QCOMPARE(MoyPeriode(e, Selecteur::Ensemble, 1), 15.0); // not (10 + 20) / 2
    }

    void emplacementsQueLaClasseNAPas()
    {
        // Two subjects: slots 9..16 hold no assignment and never count.
        UneMatiere = false;
        StudentRecord e = eleve({10});
        e.NotesMat1[1][12] = 20;
        e.NotesMat2[1][12] = 20;
        QCOMPARE(MoyPeriode(e, Selecteur::Mat1, 1), 10.0);
        QCOMPARE(MoyPeriode(e, Selecteur::Mat2, 1), NO_MARK);
        QCOMPARE(MoyPeriode(e, Selecteur::Ensemble, 1), 10.0);
        // One subject: all 16 slots of subject 1, nothing of subject 2.
        UneMatiere = true;
        QCOMPARE(MoyPeriode(e, Selecteur::Mat1, 1), 15.0);
        QCOMPARE(MoyPeriode(e, Selecteur::Mat2, 1), NO_MARK);
        QCOMPARE(MoyPeriode(e, Selecteur::Ensemble, 1), 15.0);
    }

    void anneeMetEnCommun()
    {
        StudentRecord e = eleve({10, 10});
        e.NotesMat1[2][1] = 16;
        QCOMPARE(MoyAnnee(e, Selecteur::Mat1), 12.0); // not (10 + 16) / 2
        QCOMPARE(MoyEleve(e, Selecteur::Mat1, Annee), 12.0);
        // The year covers period 3 even in a two-period class.
        DeuxPeriodes = true;
        e.NotesMat1[3][1] = 4;
        QCOMPARE(MoyAnnee(e, Selecteur::Mat1), 10.0);
    }

    void precisionDesNotes()
    {
        // Sums and quotients carry the six-byte precision.
        StudentRecord e = eleve({ArrondiReal48(10.1), ArrondiReal48(10.2), ArrondiReal48(10.4)});
        const double m = MoyPeriode(e, Selecteur::Mat1, 1);
        QVERIFY(m == ArrondiReal48(m));
        QVERIFY(qAbs(m - 10.233333333333) < 1e-9);
        QCOMPARE(NoteEnTexte(m), QStringLiteral("10.23"));
    }

    void classe()
    {
        QCOMPARE(MoyClasse(Selecteur::Mat1, 1), NO_MARK); // empty class
        ListeEleves = {eleve({8}), eleve({}), eleve({12})};
        QCOMPARE(MoyClasse(Selecteur::Mat1, 1), 10.0);
        QCOMPARE(MinClasse(Selecteur::Mat1, 1), 8.0);
        QCOMPARE(MaxClasse(Selecteur::Mat1, 1), 12.0);
        QCOMPARE(MoyClasse(Selecteur::Mat1, Annee), 10.0);
        QCOMPARE(MinClasse(Selecteur::Mat1, 2), NO_MARK);
        QCOMPARE(MaxClasse(Selecteur::Mat1, 2), NO_MARK);
        // Every student weighs the same, whatever his coefficients.
        ListeEleves = {eleve({20, 0}), eleve({0})};
        coefs(1, {9, 1});
        QCOMPARE(MoyClasse(Selecteur::Mat1, 1), 9.0);
        // Extremes at 0 and 20.
        ListeEleves = {eleve({0}), eleve({20})};
        QCOMPARE(MinClasse(Selecteur::Ensemble, 1), 0.0);
        QCOMPARE(MaxClasse(Selecteur::Ensemble, 1), 20.0);
    }

    void tranches_data()
    {
        QTest::addColumn<double>("moyenne");
        QTest::addColumn<int>("tranche");
        QTest::newRow("sans") << NO_MARK << int(Tranche::Aucune);
        QTest::newRow("0") << 0.0 << int(Tranche::MoinsDe8);
        QTest::newRow("7.99") << 7.99 << int(Tranche::MoinsDe8);
        QTest::newRow("8") << 8.0 << int(Tranche::Entre8Et12);
        QTest::newRow("11.99") << 11.99 << int(Tranche::Entre8Et12);
        QTest::newRow("12") << 12.0 << int(Tranche::DouzeOuPlus);
        QTest::newRow("20") << 20.0 << int(Tranche::DouzeOuPlus);
    }
    void tranches()
    {
        QFETCH(double, moyenne);
        QFETCH(int, tranche);
        QCOMPARE(int(TrancheDe(moyenne)), tranche);
    }

    void libelles()
    {
        QCOMPARE(LibelleTranche(Tranche::MoinsDe8), QStringLiteral("Moins de 8"));
        QCOMPARE(LibelleTranche(Tranche::Entre8Et12), QStringLiteral("Entre 8 et 12"));
        QCOMPARE(LibelleTranche(Tranche::DouzeOuPlus), QStringLiteral("12 ou plus"));
        QCOMPARE(LibelleTranche(Tranche::Aucune), QString());
    }
};

QTEST_GUILESS_MAIN(TstMoyennes)
#include "tst_moyennes.moc"

// Student averages, class figures and mark bands.
#include "averages/moyennes.h"
#include "classdata/texte.h"
#include "tests/common/classeessai.h"

#include <QRandomGenerator>

using namespace Qt::StringLiterals;

namespace {

// A student with these marks of subject 1 in period 1, from the first slot on.
StudentRecord eleve(std::initializer_list<double> notes)
{
    StudentRecord e;
    int d = 1;
    for (double n : notes)
        e.NotesMat1[1][d++] = n;
    return e;
}

} // namespace

class TstMoyennes : public QObject {
    Q_OBJECT

private slots:
    void init() { ClasseEssai::reinitialiser(); }

    // Coefficient 0 and marks outside 0..20 do not count; 0 and 20 do.
    void moyennesEleve()
    {
        const QList<std::tuple<QList<double>, QList<int>, double>> cas{
            {{}, {}, NO_MARK},           {{10, 16}, {1, 2}, 14}, {{10, 16}, {0, 2}, 16},
            {{10, 16}, {0, 0}, NO_MARK}, {{0, 20}, {1, 1}, 10},  {{20.5, -2, 12}, {1, 1, 1}, 12}};
        for (const auto &[notes, coefficients, moyenne] : cas) {
            StudentRecord e;
            for (int i = 0; i < notes.size(); ++i) {
                e.NotesMat1[2][i + 1] = notes[i];
                CoefMat1[2][i + 1] = coefficients[i];
            }
            EGAL_EXACT(MoyPeriode(e, Selecteur::Mat1, 2), moyenne);
            EGAL_EXACT(MoyEleve(e, Selecteur::Ensemble, 2), moyenne);
            EGAL_EXACT(MoyPeriode(e, Selecteur::Mat1, 1), NO_MARK);
        }
    }

    void ensembleEtEmplacements()
    {
        UneMatiere = false;
        StudentRecord e = eleve({8, 12});
        e.NotesMat2[1][1] = 20;
        CoefMat2[1][1] = 2;
        EGAL_EXACT(MoyPeriode(e, Selecteur::Mat2, 1), 20.0);
        EGAL_EXACT(MoyPeriode(e, Selecteur::Ensemble, 1), 15.0); // pooled, not (10 + 20) / 2
        // Slots 9..16 of a two-subject class have no defined coefficient and never count.
        e.NotesMat1[1][12] = 0;
        e.NotesMat2[1][12] = 0;
        EGAL_EXACT(MoyPeriode(e, Selecteur::Ensemble, 1), 15.0);
        // One subject: all 16 slots of subject 1, nothing of subject 2.
        UneMatiere = true;
        EGAL_EXACT(MoyPeriode(e, Selecteur::Mat2, 1), NO_MARK);
        EGAL_EXACT(MoyPeriode(e, Selecteur::Ensemble, 1), ArrondiReal48(20.0 / 3));
        // The year pools every mark, period 3 too when there are two periods.
        e = eleve({10, 10});
        e.NotesMat1[2][1] = 16;
        EGAL_EXACT(MoyEleve(e, Selecteur::Mat1, Annee), 12.0); // not (10 + 16) / 2
        DeuxPeriodes = true;
        e.NotesMat1[3][1] = 4;
        EGAL_EXACT(MoyAnnee(e, Selecteur::Mat1), 10.0);
    }

    // Every student weighs the same, whatever his coefficients.
    void classe()
    {
        EGAL_EXACT(MoyClasse(Selecteur::Mat1, 1), NO_MARK); // empty class
        ListeEleves = {eleve({8}), eleve({}), eleve({12})};
        EGAL_EXACT(MoyClasse(Selecteur::Mat1, 1), 10.0);
        EGAL_EXACT(MinClasse(Selecteur::Mat1, 1), 8.0);
        EGAL_EXACT(MaxClasse(Selecteur::Mat1, Annee), 12.0);
        EGAL_EXACT(MinClasse(Selecteur::Mat1, 2), NO_MARK);
        ListeEleves = {eleve({20, 0}), eleve({0})};
        CoefMat1[1][1] = 9;
        EGAL_EXACT(MoyClasse(Selecteur::Mat1, 1), 9.0);
        EGAL_EXACT(MinClasse(Selecteur::Ensemble, 1), 0.0);
        // Six-byte precision all along.
        const StudentRecord e = eleve({ArrondiReal48(10.1), ArrondiReal48(10.2), ArrondiReal48(10.4)});
        CoefMat1[1][1] = 1;
        const double m = MoyPeriode(e, Selecteur::Mat1, 1);
        EGAL_EXACT(m, ArrondiReal48(m));
        QCOMPARE(NoteEnTexte(m), u"10.23"_s);
    }

    // Marks read from the window's grid, subject 1's columns first, give the
    // figures of the class model to the last bit.
    void notesPlacees()
    {
        UneMatiere = false;
        QRandomGenerator alea(16);
        for (int essai = 0; essai < 500; ++essai) {
            StudentRecord e;
            QList<NotePlacee> grille;
            for (int m = 1; m <= 2; ++m)
                for (int p = 1; p <= 3; ++p)
                    for (int d = 1; d <= NB_DEVOIRS / 2; ++d) {
                        // A quarter of the slots empty; marks with up to two decimals.
                        const double note =
                            alea.bounded(4) == 0 ? NO_MARK : ArrondiReal48(alea.bounded(2001) / 100.0);
                        const qint32 coef = qint32(alea.bounded(10));
                        (m == 1 ? e.NotesMat1 : e.NotesMat2)[p][d] = note;
                        (m == 1 ? CoefMat1 : CoefMat2)[p][d] = coef;
                        grille.append({m, p, d, note, coef});
                    }
            const MoyennesEleve a = MoyennesDeNotes(grille);
            EGAL_EXACT(a.mat1, MoyAnnee(e, Selecteur::Mat1));
            EGAL_EXACT(a.mat2, MoyAnnee(e, Selecteur::Mat2));
            EGAL_EXACT(a.ensemble, MoyAnnee(e, Selecteur::Ensemble));
        }
        const MoyennesEleve vide = MoyennesDeNotes({{1, 1, 1, NO_MARK, 3}, {2, 1, 1, 12, 0}});
        QVERIFY(vide.mat1 == NO_MARK && vide.mat2 == NO_MARK && vide.ensemble == NO_MARK);
    }

    void tranches()
    {
        const QList<QPair<double, Tranche>> cas{{NO_MARK, Tranche::Aucune}, {7.99, Tranche::MoinsDe8},
                                                {8, Tranche::Entre8Et12},   {11.99, Tranche::Entre8Et12},
                                                {12, Tranche::DouzeOuPlus}, {20.5, Tranche::Aucune}};
        for (const auto &[note, tranche] : cas)
            QCOMPARE(TrancheDe(note), tranche);
        QCOMPARE(LibelleTranche(Tranche::Entre8Et12), u"Entre 8 et 12"_s);
    }
};

QTEST_GUILESS_MAIN(TstMoyennes)
#include "tst_moyennes.moc"

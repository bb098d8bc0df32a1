// The class balance figures.
#include "platform/horloge.h"
#include "reports/bilan.h"
#include "tests/common/classeessai.h"

#include <QTest>

Q_DECLARE_METATYPE(QList<double>)

namespace {
QList<ClasseEssai::EleveNotes> ElevesAvec(const QList<double> &notes)
{
    static const char *noms[] = {"ALBERT", "BRUNO", "CAMUS", "DURAND", "EMERY", "FAURE", "GIRARD", "HUGO"};
    QList<ClasseEssai::EleveNotes> l;
    for (int i = 0; i < notes.size(); ++i)
        l.append({noms[i % 8], "Jean", notes[i]});
    return l;
}
} // namespace

class TstBilan : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void bandes_data();
    void bandes();
    void listesEtChiffres();
    void entete_data();
    void entete();
};

void TstBilan::initTestCase()
{
    FixerHorloge(QDateTime(QDate(2024, 3, 15), QTime(10, 0)));
}

void TstBilan::bandes_data()
{
    QTest::addColumn<QList<double>>("notes");
    QTest::addColumn<QList<int>>("effectifs");
    QTest::addColumn<QStringList>("pourcentages");
    QTest::addColumn<QList<int>>("jauges");
    QTest::newRow("5 10 15") << QList<double>{5, 10, 15} << QList<int>{1, 1, 1}
                             << QStringList{"(33.33 %)", "(33.33 %)", "(33.33 %)"} << QList<int>{33, 33, 33};
    QTest::newRow("8 et 12 exactement")
        << QList<double>{8, 12} << QList<int>{0, 1, 1} << QStringList{"(0.00 %)", "(50.00 %)", "(50.00 %)"}
        << QList<int>{0, 50, 50};
    // 12.5 % and 37.5 %: halves go to the even neighbour.
    QTest::newRow("moitiés") << QList<double>{1, 9, 9, 9, 13, 13, 13, 13} << QList<int>{1, 3, 4}
                             << QStringList{"(12.50 %)", "(37.50 %)", "(50.00 %)"} << QList<int>{12, 38, 50};
    QTest::newRow("deux tiers") << QList<double>{20, 0, 0} << QList<int>{2, 0, 1}
                                << QStringList{"(66.67 %)", "(0.00 %)", "(33.33 %)"} << QList<int>{67, 0, 33};
    QTest::newRow("sans moyenne") << QList<double>{NO_MARK, NO_MARK} << QList<int>{0, 0, 0}
                                  << QStringList{"(0.00 %)", "(0.00 %)", "(0.00 %)"} << QList<int>{0, 0, 0};
    QTest::newRow("classe vide") << QList<double>{} << QList<int>{0, 0, 0}
                                 << QStringList{"(0.00 %)", "(0.00 %)", "(0.00 %)"} << QList<int>{0, 0, 0};
}

void TstBilan::bandes()
{
    QFETCH(QList<double>, notes);
    QFETCH(QList<int>, effectifs);
    QFETCH(QStringList, pourcentages);
    QFETCH(QList<int>, jauges);
    ClasseEssai::ChargerNotes(ElevesAvec(notes));
    const DonneesBilan d = CalculerBilan(Selecteur::Mat1);
    for (int b = 0; b < 3; ++b) {
        QCOMPARE(d.effectifs[b], effectifs[b]);
        QCOMPARE(d.texteEffectif(b), QStringLiteral("(%1)").arg(effectifs[b]));
        QCOMPARE(d.listes[b].size(), effectifs[b]);
        QCOMPARE(d.textePourcentage(b), pourcentages[b]);
        QCOMPARE(d.jauge(b), jauges[b]);
    }
}

void TstBilan::listesEtChiffres()
{
    ClasseEssai::ChargerNotes({{"MARTIN", "Luc", 15},
                               {"ABEL", "Eva", 5},
                               {"ZOLA", "Emile", 16},
                               {"NOEL", "Ana", NO_MARK},
                               {"BON", "Lou", 10}});
    const DonneesBilan d = CalculerBilan(Selecteur::Mat1);
    QCOMPARE(d.total, 4);
    QCOMPARE(d.listes[0],
             QStringList{QStringLiteral("ABEL Eva").leftJustified(45) + QStringLiteral(" 5.00")});
    // Class order, not alphabetical.
    QCOMPARE(d.listes[2],
             (QStringList{QStringLiteral("MARTIN Luc").leftJustified(45) + QStringLiteral("15.00"),
                          QStringLiteral("ZOLA Emile").leftJustified(45) + QStringLiteral("16.00")}));
    QCOMPARE(d.min, QStringLiteral(" 5.00"));
    QCOMPARE(d.moy, QStringLiteral("11.50"));
    QCOMPARE(d.max, QStringLiteral("16.00"));
    QCOMPARE(d.date, QStringLiteral("15/03/2024"));

    ClasseEssai::ChargerNotes({{"NOEL", "Ana", NO_MARK}});
    const DonneesBilan vide = CalculerBilan(Selecteur::Mat1);
    QVERIFY(vide.min.isEmpty() && vide.moy.isEmpty() && vide.max.isEmpty());
}

void TstBilan::entete_data()
{
    QTest::addColumn<int>("selecteur");
    QTest::addColumn<bool>("avecEleves");
    QTest::addColumn<QString>("entete");
    QTest::addColumn<QString>("mot");
    QTest::newRow("Mat2") << int(Selecteur::Mat2) << true << "3EME1  Physique"
                          << "Physique";
    QTest::newRow("Ensemble") << int(Selecteur::Ensemble) << true << "3EME1  Moyenne générale"
                              << "Ensemble";
    QTest::newRow("sans élève") << int(Selecteur::Mat1) << false << "3EME1  Maths"
                                << "Maths";
}

void TstBilan::entete()
{
    QFETCH(int, selecteur);
    QFETCH(bool, avecEleves);
    QFETCH(QString, entete);
    QFETCH(QString, mot);
    ClasseEssai::ChargerNotes(avecEleves ? QList<ClasseEssai::EleveNotes>{{"A", "B", 10, 14}}
                                         : QList<ClasseEssai::EleveNotes>{});
    const DonneesBilan d = CalculerBilan(Selecteur(selecteur));
    QCOMPARE(d.entete, entete);
    QCOMPARE(d.motTitre, mot);
}

QTEST_GUILESS_MAIN(TstBilan)
#include "tst_bilan.moc"

// The class balance figures.
#include "platform/horloge.h"
#include "reports/bilan.h"
#include "tests/common/classeessai.h"

#include <QTest>

Q_DECLARE_METATYPE(QList<double>)

class TstBilan : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { FixerHorloge(QDateTime(QDate(2024, 3, 15), QTime(10, 0))); }
    void bandes_data();
    void bandes();
    void listesEtChiffres();
};

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
    QList<ClasseEssai::EleveNotes> eleves;
    for (double n : notes)
        eleves.append({"NOM", "Jean", n});
    ClasseEssai::ChargerNotes(eleves);
    const DonneesBilan d = CalculerBilan(Selecteur::Mat1);
    for (int b = 0; b < 3; ++b) {
        QCOMPARE(d.texteEffectif(b), QStringLiteral("(%1)").arg(effectifs[b]));
        QCOMPARE(d.listes[b].size(), effectifs[b]);
        QCOMPARE(d.textePourcentage(b), pourcentages[b]);
        QCOMPARE(d.jauge(b), jauges[b]);
    }
}

void TstBilan::listesEtChiffres()
{
    ClasseEssai::ChargerNotes({{"MARTIN", "Luc", 15, 14},
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
    QCOMPARE(QStringList({d.min, d.moy, d.max, d.date, d.entete, d.motTitre}),
             QStringList({" 5.00", "11.50", "16.00", "15/03/2024", "3EME1  Maths", "Maths"}));
    QCOMPARE(CalculerBilan(Selecteur::Mat2).entete, QStringLiteral("3EME1  Physique"));
    const DonneesBilan ensemble = CalculerBilan(Selecteur::Ensemble);
    QCOMPARE(ensemble.entete + u'|' + ensemble.motTitre, QStringLiteral("3EME1  Moyenne générale|Ensemble"));

    ClasseEssai::ChargerNotes({{"NOEL", "Ana", NO_MARK}});
    const DonneesBilan vide = CalculerBilan(Selecteur::Mat1);
    QVERIFY(vide.min.isEmpty() && vide.moy.isEmpty() && vide.max.isEmpty());
    ClasseEssai::ChargerNotes({});
    QCOMPARE(CalculerBilan(Selecteur::Mat1).entete, QStringLiteral("3EME1  Maths"));
}

QTEST_GUILESS_MAIN(TstBilan)
#include "tst_bilan.moc"

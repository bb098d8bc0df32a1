// Class settings and application settings files.
#include "classdata/parametres.h"
#include "tests/common/classeessai.h"

using namespace Essai;
using namespace Qt::StringLiterals;

class TstOptions : public QObject {
    Q_OBJECT

    std::unique_ptr<ClasseEssai> m_classe;
    QString ini() const { return m_classe->chemin(u"C.INI"_s); }
    QString appli() const { return m_classe->chemin(u"Vestrel.INI"_s); }
    void relire(const QByteArray &contenu)
    {
        QFile::remove(ini());
        if (!contenu.isNull())
            ecrire(ini(), contenu);
        NomClasse = u"C"_s;
        LireOptions();
        DecoderCoefDates();
    }

private slots:
    void init() { m_classe = std::make_unique<ClasseEssai>(); }

    void nombres_data()
    {
        QTest::addColumn<QByteArray>("fichier");
        QTest::addColumn<bool>("deuxPeriodes");
        QTest::addColumn<bool>("uneMatiere");
        const QByteArray p = "[Options]\r\nNombre de p\xE9riodes=", m = "\r\nNombre de mati\xE8res=";
        QTest::newRow("sans fichier") << QByteArray() << false << true;
        QTest::newRow("2 et 1") << p + "2" + m + "1" << true << true;
        QTest::newRow("3 et 2") << p + "3" + m + "2" << false << false;
        QTest::newRow("1 et 0") << p + "1" + m + "0" << false << false;
        QTest::newRow("texte: defauts") << p + "deux" + m << false << true;
    }
    void nombres()
    {
        QFETCH(QByteArray, fichier);
        QFETCH(bool, deuxPeriodes);
        QFETCH(bool, uneMatiere);
        DeuxPeriodes = !deuxPeriodes; // what was there before is not kept
        UneMatiere = !uneMatiere;
        relire(fichier);
        QCOMPARE(DeuxPeriodes, deuxPeriodes);
        QCOMPARE(UneMatiere, uneMatiere);
    }

    void coefficientsEtDates()
    {
        relire(
            "[Options]\r\nCoefficients p\xE9riode 1=2301\r\nCoefficients p\xE9riode 2=12x4567890123456789\r\n"
            "Dates p\xE9riode 1=05/11--/--\r\nEcriture=1\r\nMat1=\r\n");
        QCOMPARE((QList<int>{CoefMat1[1][1], CoefMat1[1][2], CoefMat1[1][3], CoefMat1[1][4], CoefMat1[1][5]}),
                 (QList<int>{2, 3, 0, 1, 1})); // 1 beyond a short string
        QCOMPARE(CoefMat1[2][3], 1);           // not a digit
        QCOMPARE(CoefPeriode[2].size(), 16);   // cut to its capacity
        QCOMPARE(DateMat1[1][1], u"05/11"_s);
        QCOMPARE(DateMat1[1][3], QString());
        QCOMPARE(DateMat1[2][16], u"--/--"_s);
        QVERIFY(Gras);
        QCOMPARE(LibelleMat1, QString()); // present but empty: not the default

        // Two subjects: 9..16 go to subject 2; slots 9..16 of the tables stay.
        CoefMat1[2][12] = 7;
        relire("[Options]\r\nNombre de mati\xE8res=2\r\nCoefficients p\xE9riode 2=1234567898765432\r\n");
        for (int i = 1; i <= 8; ++i)
            QVERIFY(CoefMat1[2][i] == i && CoefMat2[2][i] == 10 - i);
        QCOMPARE(CoefMat1[2][12], 7);

        // Two periods: period 3 keeps its defaults whatever the file says.
        relire("[Options]\r\nNombre de p\xE9riodes=2\r\nCoefficients p\xE9riode 3=\r\nDates p\xE9riode 3=\r\n");
        QCOMPARE(CoefPeriode[3], u"1111111111111111"_s);
        QCOMPARE(DatePeriode[3], u"--/--"_s.repeated(16));
    }

    void ecrireOptions()
    {
        CoefPeriode[1] = u"2222222222222222"_s;
        DatePeriode[2] = u"01/09"_s + u"--/--"_s.repeated(15);
        OptionsAEcrire o;
        o.nomClasse = u"C"_s;
        o.trimestre = false;
        o.mat1 = u"Fran"_s;
        o.mat2 = u"Ignoré"_s;
        o.gras = true;
        o.taille = 12;
        QCOMPARE(EcrireOptions(o), QString());
        const QByteArray d = QByteArray("--/--").repeated(16);
        QCOMPARE(
            lire(ini()),
            "[Options]\r\nNombre de p\xE9riodes=2\r\nNombre de mati\xE8res=1\r\nMat1=Fran\r\nMat2=\r\n"
            "Coefficients p\xE9riode 1=2222222222222222\r\nCoefficients p\xE9riode 2=1111111111111111\r\n"
            "Dates p\xE9riode 1="
                + d + "\r\nDates p\xE9riode 2=01/09" + d.mid(5)
                + "\r\nCoefficients p\xE9riode 3=\r\nDates p\xE9riode 3=\r\nEcriture=1\r\n"
                  "Taille de l'\xE9"
                  "criture=12\r\n");

        // Duplicating with everything cleared; the file's other sections stay.
        ecrire(ini(), lire(ini()) + "[Perso]\r\nx=1\r\n");
        o.trimestre = true;
        o.uneMatiere = false;
        o.viderCoefDates = true;
        QCOMPARE(EcrireOptions(o), QString());
        relire(lire(ini()));
        QCOMPARE(LibelleMat2, u"Ignoré"_s);
        QCOMPARE(CoefPeriode[1], u"1111111111111111"_s);
        QCOMPARE(DatePeriode[2], QString::fromLatin1(d));
        QVERIFY(!DeuxPeriodes && !UneMatiere);
        QVERIFY(lire(ini()).endsWith("[Perso]\r\nx=1\r\n"));
    }

    void coefDates()
    {
        relire("[Options]\r\nNombre de p\xE9riodes=2\r\n");
        CoefPeriode[1] = u"9999999999999999"_s;
        QCOMPARE(EcrireCoefDates(), QString());
        CoefPeriode[1].clear();
        RelireCoefDates();
        QCOMPARE(CoefPeriode[1], u"9999999999999999"_s);
        // All three periods are written, also for two periods.
        QVERIFY(lire(ini()).contains("Coefficients p\xE9riode 3=1111111111111111\r\n"));
        const QString grille[4] = {{}, u"3"_s, u"4"_s, u"5"_s};
        QCOMPARE(EcrireCoefDatesAvec(grille), QString());
        RelireCoefDates();
        QCOMPARE(CoefPeriode[2], u"4"_s);
        QCOMPARE(CoefPeriode[3], u"1111111111111111"_s); // two periods: not read

        // A settings file that cannot be read leaves the values in memory as they are.
        QVERIFY(QFile::remove(ini()));
        QVERIFY(QFile::link(u"/dev/zero"_s, ini()));
        RelireCoefDates();
        QCOMPARE(CoefPeriode[2], u"4"_s);
        QVERIFY(!LireOptions().isEmpty());
        QVERIFY(QFile::remove(ini()));

        DefinirDossierProgramme(m_classe->chemin(u"absent"_s));
        QCOMPARE(EcrireCoefDates(), u"Impossible d'écrire dans %1"_s.arg(CheminOptions(NomClasse)));
    }

    void parametresAppli()
    {
        ParametresFenetre f = LireParametres();
        QVERIFY(f.gauche == 0 && f.haut == 0 && f.largeur == 634 && f.hauteur == 456 && !f.maxi);
        QVERIFY(LireSauvegarde().chemin.isEmpty() && LireSauvegarde().date.isEmpty());
        f = {10, 20, 800, 600, true};
        StyleEcriturePourApercu = u"Souligné"_s;
        AfficherBulles = false;
        QCOMPARE(EcrireParametres(f), QString());
        QCOMPARE(EcrireSauvegarde({u"/media/clé"_s, u"05/12/2024 08:03:09"_s}), QString());
        QCOMPARE(lire(appli()),
                 "[Param\xE8tres]\r\nGauche=10\r\nHaut=20\r\nLargeur=800\r\nHauteur=600\r\nMaxi=1\r\n"
                 "Ecriture pour l'aper\xE7u=Courier New\r\nTaille de l'\xE9"
                 "criture pour l'aper\xE7u=8\r\n"
                 "Style de l'\xE9"
                 "criture pour l'aper\xE7u=Soulign\xE9\r\nAfficher les bulles d'aide=0\r\n"
                 "[Sauvegarde]\r\nChemin=/media/cl\xE9\r\nDate=05/12/2024 08:03:09\r\n");
        AfficherBulles = true;
        StyleEcriturePourApercu.clear();
        QVERIFY(LireParametres().maxi);
        QCOMPARE(StyleEcriturePourApercu, u"Souligné"_s); // read unchanged
        QVERIFY(!AfficherBulles);

        // Overlong values are cut to 255 characters.
        ecrire(appli(), "[Param\xE8tres]\r\nEcriture pour l'aper\xE7u=" + QByteArray(400, 'x') + "\r\n");
        LireParametres();
        QCOMPARE(EcriturePourApercu.size(), 255);

        const QString absent = m_classe->chemin(u"absent/V.INI"_s);
        DefinirCheminParametresAppli(absent);
        QCOMPARE(EcrireParametres(f), u"Impossible d'écrire dans %1"_s.arg(absent));
    }
};

QTEST_GUILESS_MAIN(TstOptions)
#include "tst_options.moc"

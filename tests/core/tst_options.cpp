// Class settings and application settings files.
#include "classdata/classe.h"
#include "classdata/options.h"
#include "classdata/parametres.h"
#include "platform/dossier.h"
#include "tests/core/outils.h"

#include <QTemporaryDir>

class TstOptions : public QObject {
    Q_OBJECT

    QTemporaryDir m_dossier;
    QString ini() const { return m_dossier.filePath(QStringLiteral("C.INI")); }
    QString appli() const { return m_dossier.filePath(QStringLiteral("Vestrel.INI")); }
    void lire(const QByteArray &contenu)
    {
        QFile::remove(ini());
        if (!contenu.isNull())
            ecrireFichier(ini(), contenu);
        NomClasse = QStringLiteral("C");
        LireOptions();
        DecoderCoefDates();
    }

private slots:
    void init()
    {
        DefinirDossierProgramme(m_dossier.path());
        DefinirCheminParametresAppli(appli());
        QFile::remove(appli());
        QFile::remove(ini());
        OptionsParDefaut();
    }

    void defautsSansFichier()
    {
        DeuxPeriodes = true;
        UneMatiere = false;
        Gras = true;
        lire(QByteArray());
        QVERIFY(!DeuxPeriodes && UneMatiere && !Gras);
        QCOMPARE(LibelleMat1 + LibelleMat2, QStringLiteral("Mat1Mat2"));
        for (int p = 1; p <= 3; ++p) {
            QCOMPARE(CoefPeriode[p], QStringLiteral("1111111111111111"));
            QCOMPARE(DatePeriode[p], QStringLiteral("--/--").repeated(16));
            QCOMPARE(DateMat1[p][16], QStringLiteral("--/--"));
        }
        QCOMPARE(TailleEcriture, 8);
    }

    void nombres_data()
    {
        QTest::addColumn<QByteArray>("periodes");
        QTest::addColumn<QByteArray>("matieres");
        QTest::addColumn<bool>("deuxPeriodes");
        QTest::addColumn<bool>("uneMatiere");
        QTest::newRow("2 et 1") << QByteArray("2") << QByteArray("1") << true << true;
        QTest::newRow("3 et 2") << QByteArray("3") << QByteArray("2") << false << false;
        QTest::newRow("1 et 0") << QByteArray("1") << QByteArray("0") << false << false;
        QTest::newRow("texte: defauts") << QByteArray("deux") << QByteArray("") << false << true;
    }
    void nombres()
    {
        QFETCH(QByteArray, periodes);
        QFETCH(QByteArray, matieres);
        QFETCH(bool, deuxPeriodes);
        QFETCH(bool, uneMatiere);
        lire("[Options]\r\nNombre de p\xE9riodes=" + periodes + "\r\nNombre de mati\xE8res=" + matieres
             + "\r\n");
        QCOMPARE(DeuxPeriodes, deuxPeriodes);
        QCOMPARE(UneMatiere, uneMatiere);
    }

    void coefficientsEtDates()
    {
        lire(
            "[Options]\r\nCoefficients p\xE9riode 1=2301\r\nCoefficients p\xE9riode 2=12x4567890123456789\r\n"
            "Dates p\xE9riode 1=05/11--/--\r\nEcriture=1\r\nMat1=\r\n");
        const int attendu[5] = {0, 2, 3, 0, 1};
        for (int i = 1; i <= 4; ++i)
            QCOMPARE(CoefMat1[1][i], attendu[i]);
        QCOMPARE(CoefMat1[1][5], 1);         // beyond a short string
        QCOMPARE(CoefMat1[2][3], 1);         // not a digit
        QCOMPARE(CoefPeriode[2].size(), 16); // cut to its capacity
        QCOMPARE(DateMat1[1][1], QStringLiteral("05/11"));
        QCOMPARE(DateMat1[1][3], QString());
        QVERIFY(Gras);
        QCOMPARE(LibelleMat1, QString()); // present but empty: not the default

        // Two subjects: 9..16 go to subject 2; slots 9..16 of the tables stay.
        CoefMat1[2][12] = 7;
        lire("[Options]\r\nNombre de mati\xE8res=2\r\nCoefficients p\xE9riode 2=1234567898765432\r\n");
        for (int i = 1; i <= 8; ++i) {
            QCOMPARE(CoefMat1[2][i], i);
            QCOMPARE(CoefMat2[2][i], 10 - i);
        }
        QCOMPARE(CoefMat1[2][12], 7);

        // Two periods: period 3 keeps its defaults whatever the file says.
        lire("[Options]\r\nNombre de p\xE9riodes=2\r\nCoefficients p\xE9riode 3=\r\nDates p\xE9riode 3=\r\n");
        QCOMPARE(CoefPeriode[3], QStringLiteral("1111111111111111"));
        QCOMPARE(DatePeriode[3], QStringLiteral("--/--").repeated(16));
    }

    void ecrireOptions()
    {
        CoefPeriode[1] = QStringLiteral("2222222222222222");
        DatePeriode[2] = QStringLiteral("01/09") + QStringLiteral("--/--").repeated(15);
        OptionsAEcrire o;
        o.nomClasse = QStringLiteral("C");
        o.trimestre = false;
        o.mat1 = QStringLiteral("Fran");
        o.mat2 = QStringLiteral("Ignoré");
        o.gras = true;
        o.taille = 12;
        QCOMPARE(EcrireOptions(o), QString());
        const QByteArray d = QStringLiteral("--/--").repeated(16).toLatin1();
        QCOMPARE(
            lireFichier(ini()),
            "[Options]\r\nNombre de p\xE9riodes=2\r\nNombre de mati\xE8res=1\r\nMat1=Fran\r\nMat2=\r\n"
            "Coefficients p\xE9riode 1=2222222222222222\r\nCoefficients p\xE9riode 2=1111111111111111\r\n"
            "Dates p\xE9riode 1="
                + d + "\r\nDates p\xE9riode 2=01/09" + d.mid(5)
                + "\r\n"
                  "Coefficients p\xE9riode 3=\r\nDates p\xE9riode 3=\r\nEcriture=1\r\nTaille de l'\xE9"
                  "criture=12\r\n");

        // Duplicating with everything cleared; the file's other sections stay.
        ecrireFichier(ini(), lireFichier(ini()) + "[Perso]\r\nx=1\r\n");
        o.trimestre = true;
        o.uneMatiere = false;
        o.viderCoefDates = true;
        QCOMPARE(EcrireOptions(o), QString());
        lire(lireFichier(ini()));
        QCOMPARE(LibelleMat2, QStringLiteral("Ignoré"));
        QCOMPARE(CoefPeriode[1], QStringLiteral("1111111111111111"));
        QCOMPARE(DatePeriode[2], QString::fromLatin1(d));
        QVERIFY(!DeuxPeriodes && !UneMatiere);
        QVERIFY(lireFichier(ini()).endsWith("[Perso]\r\nx=1\r\n"));
    }

    void coefDates()
    {
        lire("[Options]\r\nNombre de p\xE9riodes=2\r\n");
        CoefPeriode[1] = QStringLiteral("9999999999999999");
        QCOMPARE(EcrireCoefDates(), QString());
        CoefPeriode[1].clear();
        RelireCoefDates();
        QCOMPARE(CoefPeriode[1], QStringLiteral("9999999999999999"));
        // All three periods are written, also for two periods.
        QVERIFY(lireFichier(ini()).contains("Coefficients p\xE9riode 3=1111111111111111\r\n"));
        const QString grille[4] = {{}, QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5")};
        QCOMPARE(EcrireCoefDatesAvec(grille), QString());
        RelireCoefDates();
        QCOMPARE(CoefPeriode[2], QStringLiteral("4"));
        QCOMPARE(CoefPeriode[3], QStringLiteral("1111111111111111")); // two periods: not read

        // A settings file that cannot be read leaves the values in memory as they are.
        QVERIFY(QFile::remove(ini()));
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), ini()));
        RelireCoefDates();
        QCOMPARE(CoefPeriode[2], QStringLiteral("4"));
        QVERIFY(!LireOptions().isEmpty());
        QVERIFY(QFile::remove(ini()));

        DefinirDossierProgramme(m_dossier.filePath(QStringLiteral("absent")));
        QCOMPARE(EcrireCoefDates(),
                 QStringLiteral("Impossible d'écrire dans %1").arg(CheminOptions(NomClasse)));
    }

    void parametresAppli()
    {
        ParametresFenetre f = LireParametres();
        QVERIFY(f.gauche == 0 && f.haut == 0 && f.largeur == 634 && f.hauteur == 456 && !f.maxi);
        QCOMPARE(EcriturePourApercu, QStringLiteral("Courier New"));
        QCOMPARE(TailleEcriturePourApercu, 8);
        QCOMPARE(StyleEcriturePourApercu, QStringLiteral("Normal"));
        QVERIFY(AfficherBulles);
        QVERIFY(LireSauvegarde().chemin.isEmpty() && LireSauvegarde().date.isEmpty());

        f = {10, 20, 800, 600, true};
        StyleEcriturePourApercu = QStringLiteral("Souligné");
        AfficherBulles = false;
        QCOMPARE(EcrireParametres(f), QString());
        QCOMPARE(EcrireSauvegarde({QStringLiteral("/media/clé"), QStringLiteral("05/12/2024 08:03:09")}),
                 QString());
        QCOMPARE(lireFichier(appli()),
                 "[Param\xE8tres]\r\nGauche=10\r\nHaut=20\r\nLargeur=800\r\nHauteur=600\r\nMaxi=1\r\n"
                 "Ecriture pour l'aper\xE7u=Courier New\r\nTaille de l'\xE9"
                 "criture pour l'aper\xE7u=8\r\n"
                 "Style de l'\xE9"
                 "criture pour l'aper\xE7u=Soulign\xE9\r\nAfficher les bulles d'aide=0\r\n"
                 "[Sauvegarde]\r\nChemin=/media/cl\xE9\r\nDate=05/12/2024 08:03:09\r\n");
        AfficherBulles = true;
        StyleEcriturePourApercu.clear();
        QVERIFY(LireParametres().maxi);
        QCOMPARE(StyleEcriturePourApercu, QStringLiteral("Souligné")); // read unchanged
        QVERIFY(!AfficherBulles);

        // Overlong values are cut to 255 characters.
        ecrireFichier(appli(),
                      "[Param\xE8tres]\r\nEcriture pour l'aper\xE7u=" + QByteArray(400, 'x') + "\r\n");
        LireParametres();
        QCOMPARE(EcriturePourApercu.size(), 255);

        const QString absent = m_dossier.filePath(QStringLiteral("absent/V.INI"));
        DefinirCheminParametresAppli(absent);
        QCOMPARE(EcrireParametres(f), QStringLiteral("Impossible d'écrire dans %1").arg(absent));
    }
};

QTEST_GUILESS_MAIN(TstOptions)
#include "tst_options.moc"

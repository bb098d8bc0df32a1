// Class settings and application settings files.
#include "classe.h"
#include "dossier.h"
#include "options.h"
#include "parametres.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray lire(const QString &chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void ecrire(const QString &chemin, const QByteArray &contenu)
{
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(contenu);
}

} // namespace

class TstOptions : public QObject {
    Q_OBJECT

    QTemporaryDir m_dossier;

    QString ini() const { return m_dossier.filePath(QStringLiteral("C.INI")); }
    void charger(const QByteArray &contenu)
    {
        QFile::remove(ini());
        if (!contenu.isNull())
            ecrire(ini(), contenu);
        NomClasse = QStringLiteral("C");
        LireOptions();
        DecoderCoefDates();
    }

private slots:
    void init()
    {
        DefinirDossierProgramme(m_dossier.path());
        DefinirCheminParametresAppli(m_dossier.filePath(QStringLiteral("Vestrel.INI")));
        QFile::remove(m_dossier.filePath(QStringLiteral("Vestrel.INI")));
        OptionsParDefaut();
    }

    void defautsSansFichier()
    {
        DeuxPeriodes = true;
        UneMatiere = false;
        Gras = true;
        charger(QByteArray());
        QVERIFY(!DeuxPeriodes);
        QVERIFY(UneMatiere);
        QCOMPARE(LibelleMat1, QStringLiteral("Mat1"));
        QCOMPARE(LibelleMat2, QStringLiteral("Mat2"));
        for (int p = 1; p <= 3; ++p) {
            QCOMPARE(CoefPeriode[p], QStringLiteral("1111111111111111"));
            QCOMPARE(DatePeriode[p], QStringLiteral("--/--").repeated(16));
            QCOMPARE(CoefMat1[p][16], 1);
            QCOMPARE(DateMat1[p][16], QStringLiteral("--/--"));
        }
        QVERIFY(!Gras);
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
        QTest::newRow("texte") << QByteArray("deux") << QByteArray("abc") << false << true;
        QTest::newRow("vides") << QByteArray("") << QByteArray("") << false << true;
        QTest::newRow("hexa") << QByteArray("0x2") << QByteArray("0x1") << true << true;
    }
    void nombres()
    {
        QFETCH(QByteArray, periodes);
        QFETCH(QByteArray, matieres);
        QFETCH(bool, deuxPeriodes);
        QFETCH(bool, uneMatiere);
        charger("[Options]\r\nNombre de p\xE9riodes=" + periodes + "\r\nNombre de mati\xE8res=" + matieres + "\r\n");
        QCOMPARE(DeuxPeriodes, deuxPeriodes);
        QCOMPARE(UneMatiere, uneMatiere);
    }

    void coefficientsUneMatiere()
    {
        charger("[Options]\r\nCoefficients p\xE9riode 1=2301\r\nCoefficients p\xE9riode 2=12x4567890123456789\r\n"
                "Dates p\xE9riode 1=05/11--/--\r\nEcriture=1\r\nMat1=\r\n");
        const int attendu1[17] = {0, 2, 3, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
        for (int i = 1; i <= 16; ++i)
            QCOMPARE(CoefMat1[1][i], attendu1[i]);
        QCOMPARE(CoefPeriode[2].size(), 16); // cut to its capacity
        QCOMPARE(CoefMat1[2][3], 1);         // not a digit
        QCOMPARE(CoefMat1[2][16], 6);
        QCOMPARE(DateMat1[1][1], QStringLiteral("05/11"));
        QCOMPARE(DateMat1[1][2], QStringLiteral("--/--"));
        QCOMPARE(DateMat1[1][3], QString()); // beyond a short date string
        QVERIFY(Gras);
        QCOMPARE(LibelleMat1, QString()); // present but empty: not the default
    }

    void coefficientsDeuxMatieres()
    {
        // Left over from a class loaded before: not touched by a two-subject class.
        CoefMat1[2][12] = 7;
        charger("[Options]\r\nNombre de mati\xE8res=2\r\nCoefficients p\xE9riode 2=1234567898765432\r\n");
        for (int i = 1; i <= 8; ++i) {
            QCOMPARE(CoefMat1[2][i], i);
            QCOMPARE(CoefMat2[2][i], 10 - i);
        }
        QCOMPARE(CoefMat1[2][12], 7);
    }

    void deuxPeriodesIgnorentLaTroisieme()
    {
        charger("[Options]\r\nNombre de p\xE9riodes=2\r\nCoefficients p\xE9riode 3=\r\nDates p\xE9riode 3=\r\n");
        QCOMPARE(CoefPeriode[3], QStringLiteral("1111111111111111"));
        QCOMPARE(DatePeriode[3], QStringLiteral("--/--").repeated(16));
        QCOMPARE(CoefMat1[3][1], 1);
    }

    void ecrireOptionsDialogue()
    {
        NomClasse = QStringLiteral("AUTRE");
        CoefPeriode[1] = QStringLiteral("2222222222222222");
        DatePeriode[2] = QStringLiteral("01/09") + QStringLiteral("--/--").repeated(15);
        OptionsAEcrire o;
        o.nomClasse = QStringLiteral("C");
        o.trimestre = false;
        o.uneMatiere = true;
        o.mat1 = QStringLiteral("Fran");
        o.mat2 = QStringLiteral("Ignoré");
        o.gras = true;
        o.taille = 12;
        QFile::remove(ini());
        QCOMPARE(EcrireOptions(o), QString());
        const QByteArray d = "--/----/----/----/----/----/----/----/----/----/----/----/----/----/----/----/--";
        QCOMPARE(lire(ini()),
                 "[Options]\r\nNombre de p\xE9riodes=2\r\nNombre de mati\xE8res=1\r\nMat1=Fran\r\nMat2=\r\n"
                 "Coefficients p\xE9riode 1=2222222222222222\r\nCoefficients p\xE9riode 2=1111111111111111\r\n"
                 "Dates p\xE9riode 1=" + d + "\r\nDates p\xE9riode 2=01/09" + d.mid(5) + "\r\n"
                 "Coefficients p\xE9riode 3=\r\nDates p\xE9riode 3=\r\nEcriture=1\r\n"
                 "Taille de l'\xE9" "criture=12\r\n");
        QVERIFY(Gras);

        // Duplicating with everything cleared; other keys of the file stay.
        ecrire(ini(), lire(ini()) + "[Perso]\r\nx=1\r\n");
        o.trimestre = true;
        o.uneMatiere = false;
        o.viderCoefDates = true;
        QCOMPARE(EcrireOptions(o), QString());
        charger(lire(ini()));
        QCOMPARE(LibelleMat2, QStringLiteral("Ignoré"));
        QCOMPARE(CoefPeriode[1], QStringLiteral("1111111111111111"));
        QCOMPARE(DatePeriode[2], QString::fromLatin1(d));
        QVERIFY(!DeuxPeriodes);
        QVERIFY(!UneMatiere);
        QCOMPARE(TailleEcriture, 12);
        QVERIFY(lire(ini()).endsWith("[Perso]\r\nx=1\r\n"));
    }

    void ecrireEtRelireCoefDates()
    {
        charger("[Options]\r\nNombre de p\xE9riodes=2\r\n");
        CoefPeriode[1] = QStringLiteral("9999999999999999");
        DatePeriode[1] = QStringLiteral("05/11") + QStringLiteral("--/--").repeated(15);
        QCOMPARE(EcrireCoefDates(), QString());
        CoefPeriode[1].clear();
        RelireCoefDates();
        QCOMPARE(CoefPeriode[1], QStringLiteral("9999999999999999"));
        QCOMPARE(DatePeriode[1].left(5), QStringLiteral("05/11"));
        // All three periods are written, also for two periods.
        QVERIFY(lire(ini()).contains("Coefficients p\xE9riode 3=1111111111111111\r\n"));

        const QString grille[4] = {{}, QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5")};
        QCOMPARE(EcrireCoefDatesAvec(grille), QString());
        RelireCoefDates();
        QCOMPARE(CoefPeriode[2], QStringLiteral("4"));
        QCOMPARE(CoefPeriode[3], QStringLiteral("1111111111111111")); // two periods: not read
    }

    void echecEcriture()
    {
        DefinirDossierProgramme(m_dossier.filePath(QStringLiteral("absent")));
        NomClasse = QStringLiteral("C");
        const QString attendu = QStringLiteral("Impossible d'écrire dans %1").arg(CheminOptions(QStringLiteral("C")));
        QCOMPARE(EcrireCoefDates(), attendu);
        OptionsAEcrire o;
        o.nomClasse = QStringLiteral("C");
        QCOMPARE(EcrireOptions(o), attendu);
    }

    void parametresAppli()
    {
        ParametresFenetre f = LireParametres();
        QCOMPARE(f.gauche, 0);
        QCOMPARE(f.haut, 0);
        QCOMPARE(f.largeur, 634);
        QCOMPARE(f.hauteur, 456);
        QVERIFY(!f.maxi);
        QCOMPARE(EcriturePourApercu, QStringLiteral("Courier New"));
        QCOMPARE(TailleEcriturePourApercu, 8);
        QCOMPARE(StyleEcriturePourApercu, QStringLiteral("Normal"));
        QVERIFY(AfficherBulles);
        QCOMPARE(LireSauvegarde().chemin, QString());
        QCOMPARE(LireSauvegarde().date, QString());

        f = {10, 20, 800, 600, true};
        EcriturePourApercu = QStringLiteral("DejaVu Sans Mono");
        StyleEcriturePourApercu = QStringLiteral("Souligné");
        AfficherBulles = false;
        QCOMPARE(EcrireParametres(f), QString());
        QCOMPARE(EcrireSauvegarde({QStringLiteral("/media/clé"), QStringLiteral("05/12/2024 08:03:09")}), QString());
        const QByteArray fichier = lire(m_dossier.filePath(QStringLiteral("Vestrel.INI")));
        QVERIFY(fichier.startsWith("[Param\xE8tres]\r\nGauche=10\r\nHaut=20\r\nLargeur=800\r\nHauteur=600\r\nMaxi=1\r\n"
                                   "Ecriture pour l'aper\xE7u=DejaVu Sans Mono\r\n"));
        QVERIFY(fichier.endsWith("Afficher les bulles d'aide=0\r\n[Sauvegarde]\r\nChemin=/media/cl\xE9\r\n"
                                 "Date=05/12/2024 08:03:09\r\n"));

        AfficherBulles = true;
        EcriturePourApercu.clear();
        const ParametresFenetre relu = LireParametres();
        QCOMPARE(relu.largeur, 800);
        QVERIFY(relu.maxi);
        QCOMPARE(EcriturePourApercu, QStringLiteral("DejaVu Sans Mono"));
        QCOMPARE(StyleEcriturePourApercu, QStringLiteral("Souligné")); // read unchanged
        QVERIFY(!AfficherBulles);
        QCOMPARE(LireSauvegarde().chemin, QStringLiteral("/media/clé"));

        // Overlong values are cut to 255 characters.
        ecrire(m_dossier.filePath(QStringLiteral("Vestrel.INI")),
               "[Param\xE8tres]\r\nEcriture pour l'aper\xE7u=" + QByteArray(400, 'x') + "\r\n");
        LireParametres();
        QCOMPARE(EcriturePourApercu.size(), 255);

        DefinirCheminParametresAppli(m_dossier.filePath(QStringLiteral("absent/V.INI")));
        QCOMPARE(EcrireParametres(f),
                 QStringLiteral("Impossible d'écrire dans %1").arg(m_dossier.filePath(QStringLiteral("absent/V.INI"))));
        DefinirCheminParametresAppli(QString());
    }
};

QTEST_GUILESS_MAIN(TstOptions)
#include "tst_options.moc"

// Initialisation files read and written one key at a time.
#include "platform/inifile.h"
#include "tests/core/outils.h"

#include <QDir>
#include <QTemporaryDir>

class TstInifile : public QObject {
    Q_OBJECT

    QTemporaryDir m_dossier;
    QString fichier(const QByteArray &contenu)
    {
        const QString chemin = m_dossier.filePath(QStringLiteral("t.ini"));
        ecrireFichier(chemin, contenu);
        return chemin;
    }

private slots:
    void lecture_data()
    {
        QTest::addColumn<QByteArray>("fichier");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("cle");
        QTest::addColumn<QString>("attendu");
        const QByteArray base =
            "[Options]\r\nMat1=Fran\r\nNombre de p\xE9riodes = 2 \r\nVide=\r\n[Autre]\r\nMat2=X\r\n";
        QTest::newRow("simple") << base << QStringLiteral("Options") << QStringLiteral("Mat1")
                                << QStringLiteral("Fran");
        QTest::newRow("espaces, cp1252, casse")
            << base << QStringLiteral("options") << QStringLiteral("NOMBRE DE PÉRIODES")
            << QStringLiteral("2");
        QTest::newRow("vide present")
            << base << QStringLiteral("Options") << QStringLiteral("Vide") << QStringLiteral("");
        QTest::newRow("autre section")
            << base << QStringLiteral("Options") << QStringLiteral("Mat2") << QStringLiteral("<defaut>");
        QTest::newRow("section absente")
            << base << QStringLiteral("Rien") << QStringLiteral("Mat1") << QStringLiteral("<defaut>");
        QTest::newRow("fins LF, sans fin")
            << QByteArray("[Options]\nA=1\nMat1=LF") << QStringLiteral("Options") << QStringLiteral("Mat1")
            << QStringLiteral("LF");
        QTest::newRow("espaces section")
            << QByteArray(" [ Options ] \r\n  Mat1  =  a b  \r\n") << QStringLiteral("Options")
            << QStringLiteral("Mat1") << QStringLiteral("a b");
        QTest::newRow("premiere occurrence") << QByteArray("[S]\r\nk=A\r\nk=B\r\n") << QStringLiteral("S")
                                             << QStringLiteral("k") << QStringLiteral("A");
        QTest::newRow("egal dans valeur") << QByteArray("[S]\r\nk=a=b\r\n") << QStringLiteral("S")
                                          << QStringLiteral("k") << QStringLiteral("a=b");
        QTest::newRow("binaire") << QByteArray("[S]\r\nk=\x01\x00\xFF\r\n", 12) << QStringLiteral("S")
                                 << QStringLiteral("k") << QString::fromUtf16(u"\x01\x00ÿ", 3);
    }
    void lecture()
    {
        QFETCH(QByteArray, fichier);
        QFETCH(QString, section);
        QFETCH(QString, cle);
        QFETCH(QString, attendu);
        QCOMPARE(Ini::lireTexte(this->fichier(fichier), section, cle, QStringLiteral("<defaut>")), attendu);
        QCOMPARE(Ini::lireTexte(m_dossier.filePath(QStringLiteral("absent.ini")), section, cle,
                                QStringLiteral("<defaut>")),
                 QStringLiteral("<defaut>"));
    }

    void entiers_data()
    {
        QTest::addColumn<QByteArray>("valeur");
        QTest::addColumn<int>("attendu");
        QTest::newRow("decimal") << QByteArray("42") << 42;
        QTest::newRow("signes") << QByteArray("-3") << -3;
        QTest::newRow("hexa") << QByteArray("0x1F") << 31;
        QTest::newRow("vide") << QByteArray("") << 99;
        QTest::newRow("texte") << QByteArray("deux") << 99;
        QTest::newRow("chiffres puis texte") << QByteArray("12abc") << 99;
        QTest::newRow("decimale") << QByteArray("1.5") << 99;
        QTest::newRow("trop grand") << QByteArray("99999999999") << 99;
        QTest::newRow("0x seul") << QByteArray("0x") << 99;
    }
    void entiers()
    {
        QFETCH(QByteArray, valeur);
        QFETCH(int, attendu);
        const QString chemin = fichier("[S]\r\nk=" + valeur + "\r\n");
        QCOMPARE(Ini::lireEntier(chemin, QStringLiteral("S"), QStringLiteral("k"), 99), attendu);
    }

    // Every other line, comments and odd spacing included, stays byte for byte.
    void ecriture_data()
    {
        QTest::addColumn<QByteArray>("avant");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("cle");
        QTest::addColumn<QString>("valeur");
        QTest::addColumn<QByteArray>("apres");
        const QByteArray base =
            "; note\r\n[Options]\r\n  Mat1 = Fran  \r\nAutre=\xE9t\xE9\n\r\n[Suite]\r\nx=1\r\n";
        QTest::newRow("remplace en place")
            << base << QStringLiteral("options") << QStringLiteral("MAT1") << QStringLiteral("Hist")
            << QByteArray("; note\r\n[Options]\r\nMAT1=Hist\r\nAutre=\xE9t\xE9\n\r\n[Suite]\r\nx=1\r\n");
        QTest::newRow("ajoute en fin de section")
            << base << QStringLiteral("Options") << QStringLiteral("Mat2") << QStringLiteral("Géo")
            << QByteArray("; note\r\n[Options]\r\n  Mat1 = Fran  "
                          "\r\nAutre=\xE9t\xE9\nMat2=G\xE9o\r\n\r\n[Suite]\r\nx=1\r\n");
        QTest::newRow("ajoute la section") << base << QStringLiteral("Nouvelle") << QStringLiteral("k")
                                           << QStringLiteral("v") << base + "[Nouvelle]\r\nk=v\r\n";
        QTest::newRow("sans fin de ligne")
            << QByteArray("[S]\r\na=1") << QStringLiteral("S") << QStringLiteral("b") << QStringLiteral("2")
            << QByteArray("[S]\r\na=1\r\nb=2\r\n");
        QTest::newRow("fichier absent")
            << QByteArray() << QStringLiteral("Paramètres") << QStringLiteral("Maxi") << QStringLiteral("")
            << QByteArray("[Param\xE8tres]\r\nMaxi=\r\n");
        QTest::newRow("inconnu devient ?")
            << QByteArray("[S]\r\n") << QStringLiteral("S") << QStringLiteral("k") << QStringLiteral("a→b")
            << QByteArray("[S]\r\nk=a?b\r\n");
        // A line break in a value would start another key or section.
        QTest::newRow("saut de ligne") << QByteArray("[S]\r\n") << QStringLiteral("S") << QStringLiteral("k")
                                       << QStringLiteral("a\r\n[T]") << QByteArray("[S]\r\nk=a  [T]\r\n");
    }
    void ecriture()
    {
        QFETCH(QByteArray, avant);
        QFETCH(QString, section);
        QFETCH(QString, cle);
        QFETCH(QString, valeur);
        QFETCH(QByteArray, apres);
        const QString chemin = m_dossier.filePath(QStringLiteral("e.ini"));
        QFile::remove(chemin);
        if (!avant.isEmpty())
            ecrireFichier(chemin, avant);
        QVERIFY(Ini::ecrireTexte(chemin, section, cle, valeur));
        QCOMPARE(lireFichier(chemin), apres);
    }

    void echecEcriture()
    {
        // A folder where the file should be, or no folder at all: nothing is written.
        const QString dossier = m_dossier.filePath(QStringLiteral("dossier.ini"));
        QVERIFY(QDir().mkpath(dossier));
        QVERIFY(!Ini::ecrireTexte(dossier, QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("v")));
        QVERIFY(!Ini::ecrireTexte(m_dossier.filePath(QStringLiteral("rien/x.ini")), QStringLiteral("S"),
                                  QStringLiteral("k"), QStringLiteral("v")));
        QVERIFY(!QFile::exists(m_dossier.filePath(QStringLiteral("rien"))));
    }
};

QTEST_GUILESS_MAIN(TstInifile)
#include "tst_inifile.moc"

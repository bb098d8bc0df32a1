// Windows-1252 texts, file-name case, error messages, clock, recent documents.
#include "casse.h"
#include "cp1252.h"
#include "dossier.h"
#include "erreurs.h"
#include "horloge.h"
#include "recents.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

class TstPlateforme : public QObject {
    Q_OBJECT

private slots:
    void cp1252ToutOctetSurvit()
    {
        QByteArray tous;
        for (int i = 0; i < 256; ++i)
            tous.append(char(i));
        const QString t = DepuisCp1252(tous);
        QCOMPARE(t.size(), 256);
        QCOMPARE(VersCp1252(t), tous);
        for (QChar c : t)
            QVERIFY(EstCp1252(c));
    }

    void cp1252Caracteres_data()
    {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QByteArray>("octets");
        QTest::newRow("accents") << QStringLiteral("éèàçÉ") << QByteArray("\xE9\xE8\xE0\xE7\xC9");
        QTest::newRow("euro et oe") << QStringLiteral("€œŒŸ") << QByteArray("\x80\x9C\x8C\x9F");
        QTest::newRow("guillemets") << QStringLiteral("’…–") << QByteArray("\x92\x85\x96");
        QTest::newRow("hors page") << QStringLiteral("a→bĀ") << QByteArray("a?b?");
        QTest::newRow("hors plan") << QStringLiteral("x\U0001F600y") << QByteArray("x?y");
    }
    void cp1252Caracteres()
    {
        QFETCH(QString, texte);
        QFETCH(QByteArray, octets);
        QCOMPARE(VersCp1252(texte), octets);
        if (!octets.contains('?'))
            QCOMPARE(DepuisCp1252(octets), texte);
    }

    void majuscules_data()
    {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("ascii") << QStringLiteral("abz") << QStringLiteral("ABZ");
        QTest::newRow("accents") << QStringLiteral("éèçàôœš") << QStringLiteral("ÉÈÇÀÔŒŠ");
        QTest::newRow("y trema") << QStringLiteral("ÿ") << QStringLiteral("Ÿ");
        // The capitals of these letters are not in Windows-1252.
        QTest::newRow("micro") << QStringLiteral("µ") << QStringLiteral("µ");
        QTest::newRow("eszett") << QStringLiteral("ß") << QStringLiteral("ß");
        QTest::newRow("chiffres") << QStringLiteral("3e-1!") << QStringLiteral("3E-1!");
    }
    void majuscules()
    {
        QFETCH(QString, texte);
        QFETCH(QString, attendu);
        QCOMPARE(MajusculesCp1252(texte), attendu);
    }

    void majusculesAsciiSeulement()
    {
        QCOMPARE(MajusculesAscii(QStringLiteral("classe.vtc é")), QStringLiteral("CLASSE.VTC é"));
    }

    void nomReelIgnoreLaCasse()
    {
        QTemporaryDir d;
        for (const char *n : {"3eme1.ini", "AUTRE.VTC"}) {
            QFile f(d.path() + QLatin1Char('/') + QLatin1String(n));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        QCOMPARE(NomReelDansDossier(d.path(), QStringLiteral("3EME1.INI")), QStringLiteral("3eme1.ini"));
        QCOMPARE(NomReelDansDossier(d.path(), QStringLiteral("autre.vtc")), QStringLiteral("AUTRE.VTC"));
        // Absent: the spelling asked for, so a new file gets it.
        QCOMPARE(NomReelDansDossier(d.path(), QStringLiteral("NEUF.INI")), QStringLiteral("NEUF.INI"));
        QCOMPARE(CheminReel(d.path(), QStringLiteral("3Eme1.Ini")), d.path() + QStringLiteral("/3eme1.ini"));

        // The exact spelling wins when both exist.
        QFile f(d.path() + QStringLiteral("/3EME1.INI"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(NomReelDansDossier(d.path(), QStringLiteral("3EME1.INI")), QStringLiteral("3EME1.INI"));
    }

    void messagesErreur_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("absent") << ENOENT << QStringLiteral("Fichier introuvable");
        QTest::newRow("refus") << EACCES << QStringLiteral("Accès au fichier refusé");
        QTest::newRow("plein") << ENOSPC << QStringLiteral("Disque plein");
        QTest::newRow("nom") << ENAMETOOLONG << QStringLiteral("Nom de fichier incorrect");
        QTest::newRow("ouverts") << EMFILE << QStringLiteral("Trop de fichiers ouverts");
        QTest::newRow("autre") << EIO << QStringLiteral("Erreur E/S %1").arg(EIO);
    }
    void messagesErreur()
    {
        QFETCH(int, code);
        QFETCH(QString, message);
        QCOMPARE(MessageErreurSysteme(code), message);
    }

    void dossierProgramme()
    {
        QTemporaryDir d;
        DefinirDossierProgramme(d.path() + QStringLiteral("/"));
        QCOMPARE(DossierProgramme(), d.path());
        QCOMPARE(CheminProgramme(QStringLiteral("A.VTC")), d.path() + QStringLiteral("/A.VTC"));
        QVERIFY(CheminParametresAppli().startsWith(d.path() + QLatin1Char('/')));
        QVERIFY(CheminParametresAppli().endsWith(QLatin1String(".INI")));
        DefinirDossierProgramme(QString());
        QCOMPARE(DossierProgramme(), QCoreApplication::applicationDirPath());
    }

    void horlogeFixee()
    {
        const QDateTime t(QDate(2024, 12, 5), QTime(8, 3, 9));
        FixerHorloge(t);
        QCOMPARE(Maintenant(), t);
        QCOMPARE(DateCourte(Aujourdhui()), QStringLiteral("05/12/2024"));
        QCOMPARE(HeureCourte(Maintenant().time()), QStringLiteral("08:03:09"));
        FixerHorloge(QDateTime());
        QVERIFY(Aujourdhui().year() >= 2024);
    }

    void documentsRecents()
    {
        QTemporaryDir d;
        qputenv("XDG_DATA_HOME", d.path().toUtf8());
        const QString xbel = d.path() + QStringLiteral("/recently-used.xbel");
        AjouterDocumentRecent(QStringLiteral("/classes/3EME1.VTC"));
        AjouterDocumentRecent(QStringLiteral("/classes/4EME2.VTC"));
        AjouterDocumentRecent(QStringLiteral("/classes/3EME1.VTC"));
        QFile f(xbel);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray x = f.readAll();
        f.close();
        QCOMPARE(x.count("file:///classes/3EME1.VTC"), 1);
        QCOMPARE(x.count("file:///classes/4EME2.VTC"), 1);
        QVERIFY(x.contains("<xbel"));

        // Somebody else's damaged file is left as it is.
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("<xbel><bookmark");
        f.close();
        AjouterDocumentRecent(QStringLiteral("/classes/5EME.VTC"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("<xbel><bookmark"));
        f.close();

        ActiverDocumentsRecents(false);
        QFile::remove(xbel);
        AjouterDocumentRecent(QStringLiteral("/classes/3EME1.VTC"));
        QVERIFY(!QFile::exists(xbel));
        ActiverDocumentsRecents(true);
        qunsetenv("XDG_DATA_HOME");
    }
};

QTEST_GUILESS_MAIN(TstPlateforme)
#include "tst_plateforme.moc"

// Windows-1252 texts, file-name case, error messages, recent documents.
#include "platform/casse.h"
#include "platform/cp1252.h"
#include "platform/erreurs.h"
#include "platform/recents.h"
#include "tests/core/outils.h"

#include <QTemporaryDir>

#include <cerrno>

class TstPlateforme : public QObject {
    Q_OBJECT

private slots:
    void cp1252ToutOctetSurvit()
    {
        QByteArray tous;
        for (int i = 0; i < 256; ++i)
            tous.append(char(i));
        QCOMPARE(DepuisCp1252(tous).size(), 256);
        QCOMPARE(VersCp1252(DepuisCp1252(tous)), tous);
    }

    void cp1252Caracteres_data()
    {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QByteArray>("octets");
        QTest::newRow("accents") << QStringLiteral("éèàçÉ") << QByteArray("\xE9\xE8\xE0\xE7\xC9");
        QTest::newRow("plage 80-9F") << QStringLiteral("€œŒŸ’…–")
                                     << QByteArray("\x80\x9C\x8C\x9F\x92\x85\x96");
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
        QTest::newRow("lettres") << QStringLiteral("abzéèçàôœšÿ") << QStringLiteral("ABZÉÈÇÀÔŒŠŸ");
        // Their capitals are not in Windows-1252.
        QTest::newRow("micro eszett") << QStringLiteral("µß") << QStringLiteral("µß");
        QTest::newRow("autres") << QStringLiteral("3e-1!") << QStringLiteral("3E-1!");
    }
    void majuscules()
    {
        QFETCH(QString, texte);
        QFETCH(QString, attendu);
        QCOMPARE(MajusculesCp1252(texte), attendu);
    }

    void nomReelIgnoreLaCasse()
    {
        QTemporaryDir d;
        ecrireFichier(d.filePath(QStringLiteral("3eme1.ini")), {});
        QCOMPARE(NomReelDansDossier(d.path(), QStringLiteral("3EME1.INI")), QStringLiteral("3eme1.ini"));
        QCOMPARE(CheminReel(d.path(), QStringLiteral("3Eme1.Ini")), d.filePath(QStringLiteral("3eme1.ini")));
        // Absent: the spelling asked for, so that a new file gets it.
        QCOMPARE(NomReelDansDossier(d.path(), QStringLiteral("NEUF.INI")), QStringLiteral("NEUF.INI"));
        // The exact spelling wins when both exist.
        ecrireFichier(d.filePath(QStringLiteral("3EME1.INI")), {});
        QCOMPARE(NomReelDansDossier(d.path(), QStringLiteral("3EME1.INI")), QStringLiteral("3EME1.INI"));
    }

    void messagesErreur()
    {
        QCOMPARE(MessageErreurSysteme(ENOENT), QStringLiteral("Fichier introuvable"));
        QCOMPARE(MessageErreurSysteme(EACCES), QStringLiteral("Accès au fichier refusé"));
        QCOMPARE(MessageErreurSysteme(ENOSPC), QStringLiteral("Disque plein"));
        QCOMPARE(MessageErreurSysteme(ENAMETOOLONG), QStringLiteral("Nom de fichier incorrect"));
        QCOMPARE(MessageErreurSysteme(EMFILE), QStringLiteral("Trop de fichiers ouverts"));
        QCOMPARE(MessageErreurSysteme(EIO), QStringLiteral("Erreur E/S %1").arg(EIO));
    }

    void documentsRecents()
    {
        QTemporaryDir d;
        qputenv("XDG_DATA_HOME", d.path().toUtf8());
        const QString xbel = d.filePath(QStringLiteral("recently-used.xbel"));
        AjouterDocumentRecent(QStringLiteral("/classes/3EME1.VTC"));
        AjouterDocumentRecent(QStringLiteral("/classes/4EME2.VTC"));
        AjouterDocumentRecent(QStringLiteral("/classes/3EME1.VTC"));
        const QByteArray x = lireFichier(xbel);
        QCOMPARE(x.count("file:///classes/3EME1.VTC"), 1);
        QCOMPARE(x.count("file:///classes/4EME2.VTC"), 1);

        // Somebody else's damaged file is left as it is.
        ecrireFichier(xbel, "<xbel><bookmark");
        AjouterDocumentRecent(QStringLiteral("/classes/5EME.VTC"));
        QCOMPARE(lireFichier(xbel), QByteArray("<xbel><bookmark"));
        qunsetenv("XDG_DATA_HOME");
    }
};

QTEST_GUILESS_MAIN(TstPlateforme)
#include "tst_plateforme.moc"

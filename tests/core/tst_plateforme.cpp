// Windows-1252 texts, file-name case, error messages, recent documents.
#include "platform/casse.h"
#include "platform/cp1252.h"
#include "platform/erreurs.h"
#include "platform/recents.h"
#include "tests/common/fichiersessai.h"

#include <cerrno>

using namespace Essai;
using namespace Qt::StringLiterals;

class TstPlateforme : public QObject {
    Q_OBJECT

private slots:
    void cp1252Caracteres_data()
    {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QByteArray>("octets");
        QTest::newRow("accents") << u"éèàçÉ"_s << "\xE9\xE8\xE0\xE7\xC9"_ba;
        QTest::newRow("plage 80-9F") << u"€œŒŸ’…–"_s << "\x80\x9C\x8C\x9F\x92\x85\x96"_ba;
        QTest::newRow("hors page") << u"a→bĀ"_s << "a?b?"_ba;
        QTest::newRow("hors plan") << u"x\U0001F600y"_s << "x?y"_ba;
    }
    void cp1252Caracteres()
    {
        QFETCH(QString, texte);
        QFETCH(QByteArray, octets);
        QCOMPARE(VersCp1252(texte), octets);
        if (!octets.contains('?'))
            QCOMPARE(DepuisCp1252(octets), texte);
    }
    void cp1252ToutOctetSurvit()
    {
        QByteArray tous;
        for (int i = 0; i < 256; ++i)
            tous.append(char(i));
        QCOMPARE(VersCp1252(DepuisCp1252(tous)), tous);
        // Capitals outside Windows-1252 (µ, ß) are left as they are.
        QCOMPARE(MajusculesCp1252(u"abzéèçàôœšÿ µß 3e-1!"_s), u"ABZÉÈÇÀÔŒŠŸ µß 3E-1!"_s);
    }

    void nomReelIgnoreLaCasse()
    {
        DossierEssai d;
        ecrire(d.chemin(u"3eme1.ini"_s), {});
        QCOMPARE(NomReelDansDossier(d.path(), u"3EME1.INI"_s), u"3eme1.ini"_s);
        QCOMPARE(CheminReel(d.path(), u"3Eme1.Ini"_s), d.chemin(u"3eme1.ini"_s));
        // Absent: the spelling asked for, so that a new file gets it.
        QCOMPARE(NomReelDansDossier(d.path(), u"NEUF.INI"_s), u"NEUF.INI"_s);
        // The exact spelling wins when both exist.
        ecrire(d.chemin(u"3EME1.INI"_s), {});
        QCOMPARE(NomReelDansDossier(d.path(), u"3EME1.INI"_s), u"3EME1.INI"_s);
    }

    void messagesErreur()
    {
        const QList<QPair<int, QString>> messages{{ENOENT, u"Fichier introuvable"_s},
                                                  {EACCES, u"Accès au fichier refusé"_s},
                                                  {ENOSPC, u"Disque plein"_s},
                                                  {ENAMETOOLONG, u"Nom de fichier incorrect"_s},
                                                  {EMFILE, u"Trop de fichiers ouverts"_s},
                                                  {EIO, u"Erreur E/S %1"_s.arg(EIO)}};
        for (const auto &[code, texte] : messages)
            QCOMPARE(MessageErreurSysteme(code), texte);
    }

    void documentsRecents()
    {
        DossierEssai d;
        qputenv("XDG_DATA_HOME", d.path().toUtf8());
        const QString xbel = d.chemin(u"recently-used.xbel"_s);
        for (const QString &c : {u"/classes/3EME1.VTC"_s, u"/classes/4EME2.VTC"_s, u"/classes/3EME1.VTC"_s})
            AjouterDocumentRecent(c);
        QCOMPARE(lire(xbel).count("file:///classes/3EME1.VTC"), 1);
        QCOMPARE(lire(xbel).count("file:///classes/4EME2.VTC"), 1);
        // Somebody else's damaged file is left as it is.
        ecrire(xbel, "<xbel><bookmark");
        AjouterDocumentRecent(u"/classes/5EME.VTC"_s);
        QCOMPARE(lire(xbel), "<xbel><bookmark"_ba);
        qunsetenv("XDG_DATA_HOME");
    }
};

QTEST_GUILESS_MAIN(TstPlateforme)
#include "tst_plateforme.moc"

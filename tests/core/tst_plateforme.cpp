// Windows-1252 texts, file-name case, error messages, recent documents, and
// initialisation files read and written one key at a time.
#include "platform/casse.h"
#include "platform/cp1252.h"
#include "platform/erreurs.h"
#include "platform/inifile.h"
#include "platform/recents.h"
#include "tests/common/fichiersessai.h"

#include <cerrno>

using namespace Essai;
using namespace Qt::StringLiterals;

class TstPlateforme : public QObject {
    Q_OBJECT

    DossierEssai m_dossier;
    const QString m_ini = m_dossier.chemin(u"t.ini"_s);

private slots:
    void cp1252()
    {
        const QList<QPair<QString, QByteArray>> cas{{u"éèàçÉ"_s, "\xE9\xE8\xE0\xE7\xC9"},
                                                    {u"€œŒŸ’…–"_s, "\x80\x9C\x8C\x9F\x92\x85\x96"},
                                                    {u"a→bĀ"_s, "a?b?"}, // outside the page
                                                    {u"x\U0001F600y"_s, "x?y"}};
        for (const auto &[texte, octets] : cas) {
            QCOMPARE(VersCp1252(texte), octets);
            if (!octets.contains('?'))
                QCOMPARE(DepuisCp1252(octets), texte);
        }
        QByteArray tous; // every byte survives
        for (int i = 0; i < 256; ++i)
            tous.append(char(i));
        QCOMPARE(VersCp1252(DepuisCp1252(tous)), tous);
        // Capitals outside Windows-1252 (µ, ß) are left as they are.
        QCOMPARE(MajusculesCp1252(u"abzéèçàôœšÿ µß 3e-1!"_s), u"ABZÉÈÇÀÔŒŠŸ µß 3E-1!"_s);
    }

    void nomReelIgnoreLaCasse()
    {
        const QString d = m_dossier.path();
        ecrire(m_dossier.chemin(u"3eme1.ini"_s), {});
        QCOMPARE(NomReelDansDossier(d, u"3EME1.INI"_s), u"3eme1.ini"_s);
        QCOMPARE(CheminReel(d, u"3Eme1.Ini"_s), m_dossier.chemin(u"3eme1.ini"_s));
        // Absent: the spelling asked for, so that a new file gets it.
        QCOMPARE(NomReelDansDossier(d, u"NEUF.INI"_s), u"NEUF.INI"_s);
        // The exact spelling wins when both exist.
        ecrire(m_dossier.chemin(u"3EME1.INI"_s), {});
        QCOMPARE(NomReelDansDossier(d, u"3EME1.INI"_s), u"3EME1.INI"_s);
    }

    void messagesErreur()
    {
        QStringList messages;
        for (const int code : {ENOENT, EACCES, ENOSPC, ENAMETOOLONG, EMFILE, EIO})
            messages << MessageErreurSysteme(code);
        QCOMPARE(messages.join(u'|'),
                 u"Fichier introuvable|Accès au fichier refusé|Disque plein|"
                 "Nom de fichier incorrect|Trop de fichiers ouverts|Erreur E/S %1"_s.arg(EIO));
    }

    void documentsRecents()
    {
        qputenv("XDG_DATA_HOME", m_dossier.path().toUtf8());
        const QString xbel = m_dossier.chemin(u"recently-used.xbel"_s);
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

    void lecture_data()
    {
        QTest::addColumn<QByteArray>("fichier");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("cle");
        QTest::addColumn<QString>("attendu");
        const QByteArray base =
            "[Options]\r\nMat1=Fran\r\nNombre de p\xE9riodes = 2 \r\nVide=\r\n[Autre]\r\nMat2=X\r\n";
        QTest::newRow("espaces, cp1252, casse") << base << u"options"_s << u"NOMBRE DE PÉRIODES"_s << u"2"_s;
        QTest::newRow("vide present") << base << u"Options"_s << u"Vide"_s << u""_s;
        QTest::newRow("autre section") << base << u"Options"_s << u"Mat2"_s << u"<defaut>"_s;
        QTest::newRow("fins LF, sans fin")
            << "[Options]\nA=1\nMat1=LF"_ba << u"Options"_s << u"Mat1"_s << u"LF"_s;
        QTest::newRow("espaces section")
            << " [ Options ] \r\n  Mat1  =  a b  \r\n"_ba << u"Options"_s << u"Mat1"_s << u"a b"_s;
        QTest::newRow("premiere occurrence") << "[S]\r\nk=A\r\nk=B\r\n"_ba << u"S"_s << u"k"_s << u"A"_s;
        QTest::newRow("egal dans valeur") << "[S]\r\nk=a=b\r\n"_ba << u"S"_s << u"k"_s << u"a=b"_s;
        QTest::newRow("binaire") << QByteArray("[S]\r\nk=\x01\x00\xFF\r\n", 12) << u"S"_s << u"k"_s
                                 << QString::fromUtf16(u"\x01\x00ÿ", 3);
        QTest::newRow("fichier absent") << QByteArray() << u"S"_s << u"k"_s << u"<defaut>"_s;
    }
    void lecture()
    {
        QFETCH(QByteArray, fichier);
        QFETCH(QString, section);
        QFETCH(QString, cle);
        QFETCH(QString, attendu);
        QFile::remove(m_ini);
        if (!fichier.isNull())
            ecrire(m_ini, fichier);
        QCOMPARE(Ini::lireTexte(m_ini, section, cle, u"<defaut>"_s), attendu);
    }

    void entiers()
    {
        // Anything but a whole decimal or 0x number in range gives the default.
        const QList<QPair<QByteArray, int>> cas{{"42", 42},  {"-3", -3},          {"0x1F", 31},
                                                {"", 99},    {"deux", 99},        {"12abc", 99},
                                                {"1.5", 99}, {"99999999999", 99}, {"0x", 99}};
        for (const auto &[valeur, attendu] : cas) {
            ecrire(m_ini, "[S]\r\nk=" + valeur + "\r\n");
            QVERIFY2(Ini::lireEntier(m_ini, u"S"_s, u"k"_s, 99) == attendu, valeur);
        }
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
            << base << u"options"_s << u"MAT1"_s << u"Hist"_s
            << "; note\r\n[Options]\r\nMAT1=Hist\r\nAutre=\xE9t\xE9\n\r\n[Suite]\r\nx=1\r\n"_ba;
        QTest::newRow("ajoute en fin de section")
            << base << u"Options"_s << u"Mat2"_s << u"Géo"_s
            << "; note\r\n[Options]\r\n  Mat1 = Fran  \r\nAutre=\xE9t\xE9\nMat2=G\xE9o\r\n\r\n[Suite]\r\nx=1\r\n"_ba;
        QTest::newRow("ajoute la section")
            << base << u"Nouvelle"_s << u"k"_s << u"v"_s << base + "[Nouvelle]\r\nk=v\r\n";
        QTest::newRow("sans fin de ligne")
            << "[S]\r\na=1"_ba << u"S"_s << u"b"_s << u"2"_s << "[S]\r\na=1\r\nb=2\r\n"_ba;
        QTest::newRow("fichier absent")
            << QByteArray() << u"Paramètres"_s << u"Maxi"_s << u""_s << "[Param\xE8tres]\r\nMaxi=\r\n"_ba;
        QTest::newRow("inconnu devient ?")
            << "[S]\r\n"_ba << u"S"_s << u"k"_s << u"a→b"_s << "[S]\r\nk=a?b\r\n"_ba;
        // A line break in a value would start another key or section.
        QTest::newRow("saut de ligne")
            << "[S]\r\n"_ba << u"S"_s << u"k"_s << u"a\r\n[T]"_s << "[S]\r\nk=a  [T]\r\n"_ba;
    }
    void ecriture()
    {
        QFETCH(QByteArray, avant);
        QFETCH(QString, section);
        QFETCH(QString, cle);
        QFETCH(QString, valeur);
        QFETCH(QByteArray, apres);
        QFile::remove(m_ini);
        if (!avant.isEmpty())
            ecrire(m_ini, avant);
        QVERIFY(Ini::ecrireTexte(m_ini, section, cle, valeur));
        QCOMPARE(lire(m_ini), apres);
    }

    void echecEcriture()
    {
        // A folder where the file should be, or no folder at all: nothing is written.
        const QString dossier = m_dossier.chemin(u"dossier.ini"_s);
        QVERIFY(QDir().mkpath(dossier));
        QVERIFY(!Ini::ecrireTexte(dossier, u"S"_s, u"k"_s, u"v"_s));
        QVERIFY(!Ini::ecrireTexte(m_dossier.chemin(u"rien/x.ini"_s), u"S"_s, u"k"_s, u"v"_s));
        QVERIFY(!QFile::exists(m_dossier.chemin(u"rien"_s)));
    }
};

QTEST_GUILESS_MAIN(TstPlateforme)
#include "tst_plateforme.moc"

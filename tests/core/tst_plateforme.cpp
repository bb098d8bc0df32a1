// Windows-1252 texts, file-name case, error messages, recent documents,
// initialisation files read and written one key at a time, and the folder of
// the classes: which one is chosen, and its first creation.
#include "classdata/exemple.h"
#include "platform/casse.h"
#include "platform/cp1252.h"
#include "platform/dossierdonnees.h"
#include "platform/erreurs.h"
#include "platform/inifile.h"
#include "platform/recents.h"
#include "tests/common/classeessai.h"

#include <cerrno>

using namespace Essai;
using namespace Qt::StringLiterals;

namespace {

// Paths under the temporary root; the files go to the executable's folder.
struct Choix {
    QString executable, classe, attendu;
    QStringList fichiers;
    bool avecOption = false;
    OrigineDossier origine;
};

// remplissage: the message of a failing fill ("" fills fine); reste: what the root holds afterwards.
struct Creation {
    QString documents, remplissage, message, reste;
};

} // namespace

class TstPlateforme : public QObject {
    Q_OBJECT

    std::unique_ptr<DossierEssai> m_racine;
    QString chemin(const QString &nom) const { return m_racine->chemin(nom); }
    QString ini() const { return chemin(u"t.ini"_s); }
    QString mkdir(const QString &nom) const
    {
        QDir().mkpath(chemin(nom));
        return chemin(nom);
    }

private slots:
    void init() { m_racine = std::make_unique<DossierEssai>(); }
    void cleanup() { DefinirDossierProgramme(QString()); }

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
        const QString d = m_racine->path();
        ecrire(chemin(u"3eme1.ini"_s), {});
        QCOMPARE(NomReelDansDossier(d, u"3EME1.INI"_s), u"3eme1.ini"_s);
        QCOMPARE(CheminReel(d, u"3Eme1.Ini"_s), chemin(u"3eme1.ini"_s));
        // Absent: the spelling asked for, so that a new file gets it.
        QCOMPARE(NomReelDansDossier(d, u"NEUF.INI"_s), u"NEUF.INI"_s);
        // The exact spelling wins when both exist.
        ecrire(chemin(u"3EME1.INI"_s), {});
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
        qputenv("XDG_DATA_HOME", m_racine->path().toUtf8());
        const QString xbel = chemin(u"recently-used.xbel"_s);
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
        QFile::remove(ini());
        if (!fichier.isNull())
            ecrire(ini(), fichier);
        QCOMPARE(Ini::lireTexte(ini(), section, cle, u"<defaut>"_s), attendu);
    }

    void entiers()
    {
        // Anything but a whole decimal or 0x number in range gives the default.
        const QList<QPair<QByteArray, int>> cas{{"42", 42},  {"-3", -3},          {"0x1F", 31},
                                                {"", 99},    {"deux", 99},        {"12abc", 99},
                                                {"1.5", 99}, {"99999999999", 99}, {"0x", 99}};
        for (const auto &[valeur, attendu] : cas) {
            ecrire(ini(), "[S]\r\nk=" + valeur + "\r\n");
            QVERIFY2(Ini::lireEntier(ini(), u"S"_s, u"k"_s, 99) == attendu, valeur);
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
        QFile::remove(ini());
        if (!avant.isEmpty())
            ecrire(ini(), avant);
        QVERIFY(Ini::ecrireTexte(ini(), section, cle, valeur));
        QCOMPARE(lire(ini()), apres);
    }

    // Which rule wins, for each kind of executable folder and command line.
    void choix_data()
    {
        QTest::addColumn<Choix>("c");
        using enum OrigineDossier;
        const QString cle = u"cle/Vestrel"_s, bin = u"usr/bin"_s, docs = u"Documents/Vestrel"_s,
                      b4 = u"ailleurs/4B.VTC"_s,
                      bureau = u"../share/applications/org.example.vestrel.desktop"_s;
        QTest::newRow("copie portable") << Choix{cle, {}, cle, {}, false, Portable};
        QTest::newRow("--dossier d'abord") << Choix{cle, b4, u"choisi"_s, {}, true, Option};
        QTest::newRow("installée") << Choix{bin, {}, docs, {bureau}, false, Documents};
        QTest::newRow("installée, avec ses réglages")
            << Choix{bin, {}, bin, {bureau, u"REGLAGES"_s}, false, Portable};
        QTest::newRow("installée, avec une classe")
            << Choix{bin, {}, bin, {bureau, u"3eme1.Vtc"_s}, false, Portable};
        QTest::newRow("une classe donnée") << Choix{cle, b4, u"ailleurs"_s, {}, false, FichierDonne};
        QTest::newRow("une classe absente") << Choix{cle, u"ailleurs/ABSENT.VTC"_s, cle, {}, false, Portable};
        QTest::newRow("un nom sans dossier") << Choix{cle, u"4B.VTC"_s, cle, {}, false, Portable};
        QTest::newRow("sans dossier du programme") << Choix{{}, {}, docs, {}, false, Documents};
    }
    void choix()
    {
        QFETCH(Choix, c);
        const auto &[executable, classe, attendu, fichiers, avecOption, origine] = c;
        EntreesDossier e;
        if (!executable.isEmpty())
            e.dossierExecutable = mkdir(executable);
        // The settings file is named after the executable.
        const QString reglages =
            QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName().toLower();
        for (QString f : std::as_const(fichiers)) {
            f = e.dossierExecutable + u'/' + f.replace(u"REGLAGES"_s, reglages + u".ini"_s);
            QVERIFY(QDir().mkpath(QFileInfo(f).path()) && ecrire(f, {}));
        }
        if (avecOption)
            e.option = mkdir(u"choisi"_s);
        ecrire(mkdir(u"ailleurs"_s) + u"/4B.VTC"_s, {});
        e.fichierClasse = classe.contains(u'/') ? chemin(classe) : classe;
        e.documents = chemin(u"Documents"_s);
        int remplissages = 0;
        const DossierDonnees d = ChoisirDossierDonnees(e, [&] { return ++remplissages, QString(); });
        QVERIFY2(d.message.isEmpty(), qPrintable(d.message));
        QCOMPARE(d.origine, origine);
        QCOMPARE(d.dossier, chemin(attendu));
        QCOMPARE(DossierProgramme(), chemin(attendu));
        // Only the documents rule creates anything, and fills it once.
        QCOMPARE(d.cree, origine == OrigineDossier::Documents);
        QCOMPARE(remplissages, d.cree ? 1 : 0);
        QCOMPARE(QFileInfo::exists(chemin(u"Documents"_s)), d.cree);
    }

    void optionIntrouvableEtPrefixe()
    {
        EntreesDossier e;
        e.dossierExecutable = mkdir(u"cle"_s);
        for (const QString &option : {chemin(u"absent"_s), QString()}) {
            e.option = option;
            const DossierDonnees d = ChoisirDossierDonnees(e, {});
            QVERIFY(d.dossier.isEmpty());
            QCOMPARE(d.message, u"Dossier introuvable : "_s + option);
        }
        for (const QString &systeme : {u"/usr/bin"_s, u"/opt/vestrel"_s, QString()})
            QVERIFY(!EstCopiePortable(systeme));
        QVERIFY(EstCopiePortable(e.dossierExecutable));
    }

    // The first start: the sample class, loadable; the next start adds nothing.
    void premierDemarrage()
    {
        ClasseEssai::reinitialiser();
        EntreesDossier e;
        e.documents = chemin(u"Mes documents"_s);
        DossierDonnees d = ChoisirDossierDonnees(e, [] { return EcrireClasseExemple(); });
        QVERIFY2(d.message.isEmpty(), qPrintable(d.message));
        const QString dossier = chemin(u"Mes documents/Vestrel"_s);
        QVERIFY(d.dossier == dossier && d.cree);
        QCOMPARE(contenu(dossier), (QStringList{u"EXEMPLE.INI"_s, u"EXEMPLE.VTC"_s}));
        QVERIFY(charger(u"EXEMPLE.VTC"_s).ok);
        QCOMPARE(NbEleves(), 25);
        ViderClasse();
        // The teacher deletes the sample: it does not come back.
        QVERIFY(QFile::remove(dossier + u"/EXEMPLE.VTC"_s));
        d = ChoisirDossierDonnees(e, [] { return EcrireClasseExemple(); });
        QVERIFY(d.message.isEmpty() && !d.cree);
        QCOMPARE(contenu(dossier), QStringList{u"EXEMPLE.INI"_s});
    }

    // A folder that cannot be made or filled: the platform's message and
    // nothing left behind, not even the levels created on the way.
    void creationImpossible_data()
    {
        QTest::addColumn<Creation>("c");
        const QString introuvable = u"Fichier introuvable"_s, plein = u"Disque plein"_s;
        QTest::newRow("sous un fichier") << Creation{u"fichier/Documents"_s, {}, introuvable, u"fichier"_s};
        QTest::newRow("disque plein à l'exemple") << Creation{u"a/b/Documents"_s, plein, plein, {}};
        QTest::newRow("Vestrel est un fichier") << Creation{u"docs"_s, {}, introuvable, u"docs"_s};
    }
    void creationImpossible()
    {
        QFETCH(Creation, c);
        const auto &[documents, remplissage, message, reste] = c;
        if (reste == u"fichier")
            ecrire(chemin(reste), {});
        if (reste == u"docs")
            ecrire(mkdir(reste) + u"/Vestrel"_s, {});
        EntreesDossier e;
        e.documents = chemin(documents);
        const QString avant = DossierProgramme();
        const DossierDonnees d = ChoisirDossierDonnees(e, [&] {
            ecrire(DossierProgramme() + u"/EXEMPLE.VTC"_s, {}); // written before the failure
            return remplissage;
        });
        QVERIFY(d.dossier.isEmpty());
        QVERIFY2(d.message.contains(message), qPrintable(d.message));
        if (remplissage.isEmpty())
            QVERIFY(d.message.contains(QDir::toNativeSeparators(e.documents + u"/Vestrel"_s)));
        QCOMPARE(m_racine->contenu(), reste.isEmpty() ? QStringList() : QStringList{reste});
        QCOMPARE(DossierProgramme(), avant);
    }

    // "Aide": the program folder's guide, in any case; none in the tests' folder.
    void guideEtDossierLisible()
    {
        const QString dossier = mkdir(u"classes"_s);
        DefinirDossierProgramme(dossier);
        QVERIFY(!QFileInfo::exists(QCoreApplication::applicationDirPath() + u"/Vestdoc.htm"_s));
        QCOMPARE(CheminGuide(), QString());
        ecrire(dossier + u"/vestdoc.HTM"_s, {});
        QCOMPARE(CheminGuide(), dossier + u"/vestdoc.HTM"_s);
        QCOMPARE(DossierLisible(QDir::homePath() + u"/Documents/Vestrel"_s), u"~/Documents/Vestrel"_s);
        QCOMPARE(DossierLisible(u"/media/cle/Vestrel/"_s), u"/media/cle/Vestrel"_s);
    }
};

QTEST_GUILESS_MAIN(TstPlateforme)
#include "tst_plateforme.moc"

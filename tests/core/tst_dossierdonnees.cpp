// The folder of the classes: which one is chosen, and its first creation.
#include "classdata/exemple.h"
#include "platform/dossierdonnees.h"
#include "tests/common/classeessai.h"

using namespace Essai;
using namespace Qt::StringLiterals;

class TstDossierDonnees : public QObject {
    Q_OBJECT

    std::unique_ptr<DossierEssai> m_racine;
    QString chemin(const QString &nom) const { return m_racine->chemin(nom); }
    QString mkdir(const QString &nom) const
    {
        QDir().mkpath(chemin(nom));
        return chemin(nom);
    }

private slots:
    void init() { m_racine = std::make_unique<DossierEssai>(); }
    void cleanup() { DefinirDossierProgramme(QString()); }

    // Which rule wins, for each kind of executable folder and command line.
    void choix_data()
    {
        QTest::addColumn<QString>("executable");   // under the temporary root; "" for none
        QTest::addColumn<QStringList>("fichiers"); // put in the executable's folder first
        QTest::addColumn<bool>("avecOption");
        QTest::addColumn<QString>("classe"); // the class file given, under the root
        QTest::addColumn<OrigineDossier>("origine");
        QTest::addColumn<QString>("attendu"); // the folder chosen, under the root
        using enum OrigineDossier;
        const QString cle = u"cle/Vestrel"_s, bin = u"usr/bin"_s, docs = u"Documents/Vestrel"_s,
                      b4 = u"ailleurs/4B.VTC"_s,
                      bureau = u"../share/applications/org.example.vestrel.desktop"_s;
        QTest::newRow("copie portable") << cle << QStringList() << false << u""_s << Portable << cle;
        QTest::newRow("--dossier d'abord") << cle << QStringList() << true << b4 << Option << u"choisi"_s;
        QTest::newRow("installée") << bin << QStringList{bureau} << false << u""_s << Documents << docs;
        QTest::newRow("installée, avec ses réglages")
            << bin << QStringList{bureau, u"REGLAGES"_s} << false << u""_s << Portable << bin;
        QTest::newRow("installée, avec une classe")
            << bin << QStringList{bureau, u"3eme1.Vtc"_s} << false << u""_s << Portable << bin;
        QTest::newRow("une classe donnée")
            << cle << QStringList() << false << b4 << FichierDonne << u"ailleurs"_s;
        QTest::newRow("une classe absente")
            << cle << QStringList() << false << u"ailleurs/ABSENT.VTC"_s << Portable << cle;
        QTest::newRow("un nom sans dossier")
            << cle << QStringList() << false << u"4B.VTC"_s << Portable << cle;
        QTest::newRow("sans dossier du programme")
            << u""_s << QStringList() << false << u""_s << Documents << docs;
    }
    void choix()
    {
        QFETCH(QString, executable);
        QFETCH(QStringList, fichiers);
        QFETCH(bool, avecOption);
        QFETCH(QString, classe);
        QFETCH(OrigineDossier, origine);
        QFETCH(QString, attendu);
        EntreesDossier e;
        if (!executable.isEmpty())
            e.dossierExecutable = mkdir(executable);
        // The settings file is named after the executable.
        const QString reglages =
            QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName().toLower();
        for (QString f : fichiers) {
            f = e.dossierExecutable + u'/' + f.replace(u"REGLAGES"_s, reglages + u".ini"_s);
            QVERIFY(QDir().mkpath(QFileInfo(f).path()) && ecrire(f, {}));
        }
        if (avecOption)
            e.option = mkdir(u"choisi"_s);
        mkdir(u"ailleurs"_s);
        ecrire(chemin(u"ailleurs/4B.VTC"_s), {});
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
        QTest::addColumn<QString>("documents");
        QTest::addColumn<QString>("remplissage"); // message of a failing fill; "" fills fine
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("reste"); // what the root holds afterwards
        QTest::newRow("sous un fichier")
            << u"fichier/Documents"_s << u""_s << u"Fichier introuvable"_s << u"fichier"_s;
        QTest::newRow("disque plein à l'exemple")
            << u"a/b/Documents"_s << u"Disque plein"_s << u"Disque plein"_s << u""_s;
        QTest::newRow("Vestrel est un fichier")
            << u"docs"_s << u""_s << u"Fichier introuvable"_s << u"docs"_s;
    }
    void creationImpossible()
    {
        QFETCH(QString, documents);
        QFETCH(QString, remplissage);
        QFETCH(QString, message);
        QFETCH(QString, reste);
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

QTEST_GUILESS_MAIN(TstDossierDonnees)
#include "tst_dossierdonnees.moc"

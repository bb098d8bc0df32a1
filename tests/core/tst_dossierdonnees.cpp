// The folder of the classes: which one is chosen, and its first creation.
#include "classdata/exemple.h"
#include "platform/dossierdonnees.h"
#include "tests/common/classeessai.h"

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

QTEST_GUILESS_MAIN(TstDossierDonnees)
#include "tst_dossierdonnees.moc"

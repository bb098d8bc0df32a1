// The backup and restore dialog driven as the teacher would, in temporary
// program and backup folders, every message box answered by script.
#include "classdata/parametres.h"
#include "platform/copiefichier.h"
#include "platform/dossier.h"
#include "platform/ecrituresure.h"
#include "platform/erreurs.h"
#include "platform/horloge.h"
#include "tests/common/fichiersessai.h"
#include "tests/common/repondeurscripte.h"
#include "ui/backup/listedossiers.h"
#include "ui/backup/sauvform.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

using namespace Essai;
using namespace Qt::StringLiterals;

namespace {
const auto natif = [](const QString &p) { return QDir::toNativeSeparators(p); };

QStringList lignes(const QListWidget *l)
{
    QStringList r;
    for (int i = 0; i < l->count(); ++i)
        r << l->item(i)->text();
    return r;
}

// A program folder and a backup folder, the settings file in the first.
struct Banc {
    QTemporaryDir prog, sauv;
    RepondeurScripte rep;
    TSauvForm f;

    Banc()
    {
        DefinirDossierProgramme(prog.path());
        DefinirCheminParametresAppli(prog.filePath(u"Vestrel.INI"_s));
    }
    ~Banc() { DefinirCheminParametresAppli(QString()); }
    QString p(const char *nom) const { return prog.filePath(QString::fromLatin1(nom)); }
    QString s(const char *nom) const { return sauv.filePath(QString::fromLatin1(nom)); }
    QString choisi(const char *nom) const { return natif(p(nom)).toLower(); }
    bool reglagesEcrits() const { return QFile::exists(p("Vestrel.INI")); }

    void cliquer(const QString &nom)
    {
        const auto items = f.FileListBox1->findItems(nom, Qt::MatchExactly);
        QVERIFY2(items.size() == 1, qPrintable(nom));
        QTest::mouseClick(f.FileListBox1->viewport(), Qt::LeftButton, {},
                          f.FileListBox1->visualItemRect(items.first()).center());
    }
    void restaurer(int reponse)
    {
        rep.prevoir(reponse);
        f.RBRestauration->click();
    }
    void sauvegarderVers(const QString &dossier)
    {
        f.DirectoryListBox1->choisir(dossier);
        f.BBTout->click();
        f.BBCopier->click();
    }
};
} // namespace

class TstSauvForm : public QObject {
    Q_OBJECT
private slots:
    void cleanup()
    {
        FixerHorloge(QDateTime());
        EssaiCopie::limiterEcriture(-1);
        EssaiCopie::fixerEspaceLibre(-1);
    }

    // A class file brings its settings file, once; each path once, in lower
    // case. No backup folder yet: one is asked for.
    void choixDesFichiers()
    {
        Banc b;
        for (const char *n : {"3EME1.VTC", "3Eme1.Ini", "4b.vtc", "notes.vap"})
            QVERIFY(ecrire(b.p(n), n));
        b.f.show();
        QVERIFY(!b.f.BBCopier->isEnabled());
        b.cliquer(u"3EME1.VTC"_s);
        b.cliquer(u"3EME1.VTC"_s);
        QCOMPARE(lignes(b.f.ListBox1), (QStringList{b.choisi("3eme1.ini"), b.choisi("3eme1.vtc")}));
        // The real name goes with the text, for reading on a case-sensitive system.
        QCOMPARE(b.f.ListBox1->item(0)->data(Qt::UserRole).toString(), b.p("3Eme1.Ini"));
        b.f.BBCopier->click();
        QCOMPARE(b.rep.textes(), (QStringList{QString(), u"Il faut choisir un répertoire"_s}));

        b.f.BBTout->click(); // the class without settings comes alone
        QCOMPARE(b.f.ListBox1->count(), 3);
        b.f.BitBtn1->click();
        QVERIFY(!b.reglagesEcrits());
    }

    // The destination reaches the program folder through a link: refused
    // before the first file is touched.
    void memeDossierRefuse()
    {
        Banc b;
        QVERIFY(ecrire(b.p("a.vtc"), motif(9000), ancienneDate()));
        QVERIFY(ecrire(b.p("a.ini"), "[Options]", ancienneDate()));
        const QString lien = b.s("Lien");
        QVERIFY(QFile::link(b.prog.path(), lien));
        const QStringList avant = contenu(b.prog.path());
        b.f.show();
        b.sauvegarderVers(lien);
        QCOMPARE(b.rep.textes(),
                 (QStringList{natif(lien), u"Impossible de copier un fichier sur lui-même !"_s}));
        QCOMPARE(b.f.ListBox1->count(), 2);
        QCOMPARE(contenu(b.prog.path()), avant);
        QCOMPARE(lire(b.p("a.vtc")), motif(9000));
        QCOMPARE(modifie(b.p("a.vtc")), ancienneDate());
    }

    // Escape does not answer the warning before a restore; a reflex Enter is Non.
    void restaurationRefuseeOuAcceptee()
    {
        Banc b;
        QVERIFY(ecrire(b.p("a.vtc"), "x") && ecrire(b.s("z.vtc"), "y"));
        QVERIFY(EcrireSauvegarde({b.sauv.path(), u"01/02/2024 10:00:00"_s}).isEmpty());
        b.f.show();
        b.cliquer(u"a.vtc"_s);
        b.rep.prevoir(ToucheEchap);
        b.restaurer(ToucheEntree);
        QCOMPARE(b.rep.refus(), 1);
        QCOMPARE(b.rep.boites()[0].type, TypeBoite::Avertissement);
        QCOMPARE(b.rep.boites()[0].defaut, int(BoutonNon));
        QVERIFY(b.rep.dernierTexte().endsWith(u"Voulez-vous restaurer malgré tout ?\r\n"_s));
        QVERIFY(b.f.mode() == TSauvForm::Sauvegarde && b.f.RBSauvegarde->isChecked());
        QCOMPARE(lignes(b.f.FileListBox1), QStringList{u"a.vtc"_s});
        QCOMPARE(b.f.ListBox1->count(), 0);

        b.restaurer(BoutonOui);
        QCOMPARE(b.f.mode(), TSauvForm::Restauration);
        QCOMPARE(b.f.Panel1->text(), u" 01/02/2024 10:00:00"_s);
        QCOMPARE(b.f.Panel3->text(), natif(b.sauv.path()));
        QCOMPARE(lignes(b.f.FileListBox1), QStringList{u"z.vtc"_s});
    }

    // Folder and date recorded on closing after a complete backup only; a
    // restore starts from there and records nothing.
    void sauvegardeCompleteEtRestauration()
    {
        Banc b;
        FixerHorloge(QDateTime(QDate(2024, 1, 15), QTime(14, 30, 5)));
        QVERIFY(ecrire(b.p("A.VTC"), motif(0), ancienneDate()));
        QVERIFY(ecrire(b.p("A.INI"), motif(8192), ancienneDate()));
        QVERIFY(ecrire(b.p("b.vtc"), motif(3 * 8192), ancienneDate()));
        QVERIFY(ecrire(b.s("b.vtc"), "ancienne sauvegarde"));
        b.f.show();
        b.sauvegarderVers(b.sauv.path());
        QCOMPARE(b.rep.textes(), QStringList(3, natif(b.sauv.path())));
        QVERIFY(b.f.ListBox1->count() == 0 && !b.f.BBCopier->isEnabled());
        QCOMPARE(contenu(b.sauv.path()), (QStringList{u"a.ini"_s, u"a.vtc"_s, u"b.vtc"_s}));
        QCOMPARE(lire(b.s("b.vtc")), motif(3 * 8192));
        QCOMPARE(modifie(b.s("b.vtc")), ancienneDate());
        QVERIFY(!b.reglagesEcrits());
        b.f.BitBtn1->click();
        QCOMPARE(LireSauvegarde().chemin, b.sauv.path());
        QCOMPARE(LireSauvegarde().date, u"15/01/2024 14:30:05"_s);

        // Restoring a.vtc, as the backup names it, replaces A.VTC rather than
        // adding a second class.
        const QByteArray reglages = lire(b.p("Vestrel.INI"));
        const QStringList avant = contenu(b.prog.path());
        b.f.show();
        QCOMPARE(b.f.dossierDestination(), b.sauv.path());
        b.restaurer(BoutonOui);
        QVERIFY(ecrire(b.p("A.VTC"), "abime"));
        b.cliquer(u"a.vtc"_s);
        b.f.BBCopier->click();
        QCOMPARE(b.f.ListBox1->count(), 0);
        QCOMPARE(contenu(b.prog.path()), avant);
        QCOMPARE(lire(b.p("A.VTC")), motif(0));
        b.f.BitBtn1->click();
        QCOMPARE(lire(b.p("Vestrel.INI")), reglages);
    }

    // A destination that is missing, a file or too small: said, nothing
    // copied. A complete backup is recorded on closing, and a failure to
    // record it is said.
    void erreursDeDestination_data()
    {
        QTest::addColumn<QString>("destination"); // in the backup folder
        QTest::addColumn<qint64>("espace");
        QTest::addColumn<QString>("message");
        QTest::newRow("inexistant") << "absent" << qint64(-1) << "Disque non prêt !";
        QTest::newRow("fichier") << "f.txt" << qint64(-1) << "Disque non prêt !";
        QTest::newRow("plein") << "" << qint64(99) << "Le disque est plein !";
        QTest::newRow("juste assez") << "" << qint64(100) << "";
    }

    void erreursDeDestination()
    {
        QFETCH(QString, destination);
        QFETCH(qint64, espace);
        QFETCH(QString, message);
        Banc b;
        QVERIFY(ecrire(b.p("a.vtc"), motif(100)) && ecrire(b.s("f.txt"), "x"));
        const QString dest = QDir(b.sauv.path()).filePath(destination);
        QVERIFY(EcrireSauvegarde({dest, QString()}).isEmpty());
        EssaiCopie::fixerEspaceLibre(espace);
        b.f.show();
        b.f.BBTout->click();
        b.f.BBCopier->click();
        QCOMPARE(b.rep.textes(), (QStringList{natif(dest), message}.mid(0, message.isEmpty() ? 1 : 2)));
        QCOMPARE(b.f.ListBox1->count(), message.isEmpty() ? 0 : 1);
        QCOMPARE(contenu(b.sauv.path()).size(), message.isEmpty() ? 2 : 1);
        b.rep.vider();
        const QString reglages = b.s("absent/Vestrel.INI");
        DefinirCheminParametresAppli(reglages);
        b.f.BitBtn1->click();
        QCOMPARE(b.rep.textes(),
                 message.isEmpty() ? QStringList{u"Impossible d'écrire dans "_s + reglages + u'.'}
                                   : QStringList());
    }

    // The disk fills during the second file: the first stays copied, the
    // failed one and those after it stay chosen, nothing is truncated, and
    // the backup is not recorded.
    void disquePleinEnCours()
    {
        Banc b;
        QVERIFY(ecrire(b.p("a.ini"), motif(500)) && ecrire(b.p("a.vtc"), motif(20000)));
        QVERIFY(ecrire(b.p("b.vtc"), motif(1000)) && ecrire(b.s("A.VTC"), "sauvegarde d'hier"));
        b.f.show();
        EssaiCopie::limiterEcriture(1000 + 9000);
        b.sauvegarderVers(b.sauv.path());
        QCOMPARE(b.rep.dernierTexte(), u"Disque plein."_s);
        QCOMPARE(lignes(b.f.ListBox1), (QStringList{b.choisi("a.ini"), b.choisi("a.vtc")}));
        QCOMPARE(contenu(b.sauv.path()), (QStringList{u"A.VTC"_s, u"b.vtc"_s}));
        QCOMPARE(lire(b.s("A.VTC")), QByteArray("sauvegarde d'hier"));
        b.f.BitBtn1->click();
        QVERIFY(!b.reglagesEcrits());
    }

    // Each step of the copy failing in turn (create, three 8 KiB blocks,
    // sync, close, rename): yesterday's backup stays whole, the teacher reads
    // why, the file stays chosen.
    void pannesCopie()
    {
        for (int n = 1; n <= 7; ++n) {
            Banc b;
            QVERIFY(ecrire(b.p("a.vtc"), motif(20000)) && ecrire(b.s("A.VTC"), "sauvegarde d'hier"));
            b.f.show();
            EssaiEcriture::echouerAuPas(n, EIO);
            b.sauvegarderVers(b.sauv.path());
            EssaiEcriture::remettreAZero();
            // The target that cannot be created is named, as when it cannot be opened.
            QCOMPARE(b.rep.dernierTexte(),
                     n == 1 ? u"Impossible d'ouvrir %1."_s.arg(natif(b.s("A.VTC")))
                            : MessageErreurSysteme(EIO) + u'.');
            QCOMPARE(lignes(b.f.ListBox1), QStringList{b.choisi("a.vtc")});
            QCOMPARE(contenu(b.sauv.path()), QStringList{u"A.VTC"_s});
            QCOMPARE(lire(b.s("A.VTC")), QByteArray("sauvegarde d'hier"));
            b.f.BitBtn1->click();
            QVERIFY(!b.reglagesEcrits());
        }
    }
};

QTEST_MAIN(TstSauvForm)
#include "tst_sauvform.moc"

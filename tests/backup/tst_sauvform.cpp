// The backup and restore dialog driven as the teacher would, in temporary
// program and backup folders, every message box answered by script.
#include "copiefichier.h"
#include "dossier.h"
#include "fichiersessai.h"
#include "horloge.h"
#include "listedossiers.h"
#include "parametres.h"
#include "repondeurscripte.h"
#include "sauvform.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolTip>
#include <QTemporaryDir>
#include <QtTest>

using namespace Essai;

namespace {
const QString SurLuiMeme = QStringLiteral("Impossible de copier un fichier sur lui-même !");

QString natif(const QString &p) { return QDir::toNativeSeparators(p); }

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
        DefinirCheminParametresAppli(prog.filePath(QStringLiteral("Vestrel.INI")));
    }
    ~Banc()
    {
        DefinirCheminParametresAppli(QString());
        DefinirDossierProgramme(QString());
    }
    QString p(const QString &nom) const { return prog.filePath(nom); }
    QString s(const QString &nom) const { return sauv.filePath(nom); }
    QString choisi(const QString &chemin) const { return natif(chemin).toLower(); }

    void ouvrir()
    {
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
    }
    void fermer() { f.BitBtn1->click(); }

    void cliquer(const QString &nom)
    {
        const auto items = f.FileListBox1->findItems(nom, Qt::MatchExactly);
        QVERIFY2(items.size() == 1, qPrintable(nom));
        f.FileListBox1->scrollToItem(items.first());
        QTest::mouseClick(f.FileListBox1->viewport(), Qt::LeftButton, {},
                          f.FileListBox1->visualItemRect(items.first()).center());
    }
    void restaurer(int reponse)
    {
        rep.prevoir(reponse);
        f.RBRestauration->click();
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
    void premiereUtilisation();
    void choixDesFichiers();
    void filtres();
    void memeDossierRefuse();
    void restaurationRefusee();
    void textesDesModes();
    void sauvegardeComplete();
    void restaurationNEnregistreRien();
    void erreursDeDestination_data();
    void erreursDeDestination();
    void disquePleinEnCours();
    void restaurationRemplaceAutreCasse();
    void choixDuRepertoire();
};

// No backup yet: the box names an empty folder, then asks for one.
void TstSauvForm::premiereUtilisation()
{
    Banc b;
    QVERIFY(ecrire(b.p(QStringLiteral("3EME1.VTC")), "notes"));
    QVERIFY(ecrire(b.p(QStringLiteral("3EME1.INI")), "[Options]"));
    b.ouvrir();
    QCOMPARE(b.f.Panel5->text(), QString());
    QVERIFY(!b.f.BBCopier->isEnabled());
    b.cliquer(QStringLiteral("3EME1.VTC"));
    QVERIFY(b.f.BBCopier->isEnabled());
    b.f.BBCopier->click();

    QCOMPARE(b.rep.boites().size(), 2);
    QCOMPARE(b.rep.boites()[0].type, TypeBoite::Simple);
    QCOMPARE(b.rep.boites()[0].texte, QString());
    QCOMPARE(b.rep.boites()[1].type, TypeBoite::Erreur);
    QCOMPARE(b.rep.boites()[1].texte, QStringLiteral("Il faut choisir un répertoire"));
    QCOMPARE(b.f.ListBox1->count(), 2);
    b.fermer();
    QVERIFY(!QFile::exists(b.p(QStringLiteral("Vestrel.INI"))));
    QVERIFY(b.rep.imprevues().isEmpty());
}

// A class file brings its settings file, once; each path once, in lower case.
void TstSauvForm::choixDesFichiers()
{
    Banc b;
    for (const char *n : {"3EME1.VTC", "3Eme1.Ini", "4b.vtc", "notes.vap"})
        QVERIFY(ecrire(b.p(QString::fromLatin1(n)), n));
    b.ouvrir();
    b.cliquer(QStringLiteral("3EME1.VTC"));
    const QStringList attendu = {b.choisi(b.p(QStringLiteral("3eme1.ini"))),
                                 b.choisi(b.p(QStringLiteral("3eme1.vtc")))};
    QCOMPARE(lignes(b.f.ListBox1), attendu);
    b.cliquer(QStringLiteral("3EME1.VTC"));
    QCOMPARE(lignes(b.f.ListBox1), attendu);

    // A class without its settings file comes alone.
    b.cliquer(QStringLiteral("4b.vtc"));
    QCOMPARE(b.f.ListBox1->count(), 3);
    b.f.BBTout->click();
    QCOMPARE(b.f.ListBox1->count(), 3);
    // The real name travels with the lower-case text, for reading on Linux.
    const auto ini = b.f.ListBox1->findItems(attendu[0], Qt::MatchExactly);
    QCOMPARE(ini.first()->data(Qt::UserRole).toString(), b.p(QStringLiteral("3Eme1.Ini")));

    b.f.BBEffacer->click();
    QCOMPARE(b.f.ListBox1->count(), 0);
    QVERIFY(!b.f.BBEffacer->isEnabled() && !b.f.BBCopier->isEnabled());
    b.f.BBTout->click();
    QCOMPARE(b.f.ListBox1->count(), 3);
    QVERIFY(b.f.BBCopier->isEnabled());
}

void TstSauvForm::filtres()
{
    Banc b;
    for (const char *n : {"a.VTC", "b.vtc", "A.INI", "p.VAP", "q.vap", "lisez"})
        QVERIFY(ecrire(b.p(QString::fromLatin1(n)), n));
    b.ouvrir();
    QCOMPARE(b.f.FilterComboBox1->currentText(), QStringLiteral("Fichiers de notes"));
    QCOMPARE(lignes(b.f.FileListBox1), (QStringList{"a.VTC", "b.vtc"}));
    b.f.FilterComboBox1->setCurrentIndex(1);
    QCOMPARE(lignes(b.f.FileListBox1), (QStringList{"p.VAP", "q.vap"}));
    b.f.FilterComboBox1->setCurrentIndex(2);
    QCOMPARE(b.f.FileListBox1->count(), 6);
    b.f.BBTout->click();
    QCOMPARE(b.f.ListBox1->count(), 6);
}

// The destination reaches the program folder through a link: refused
// before the first file is touched.
void TstSauvForm::memeDossierRefuse()
{
    Banc b;
    QVERIFY(ecrire(b.p(QStringLiteral("a.vtc")), motif(9000), ancienneDate()));
    QVERIFY(ecrire(b.p(QStringLiteral("a.ini")), "[Options]", ancienneDate()));
    const QString lien = b.s(QStringLiteral("Lien"));
    QVERIFY(QFile::link(b.prog.path(), lien));
    b.ouvrir();
    b.f.DirectoryListBox1->choisir(lien);
    QCOMPARE(b.f.dossierDestination(), lien);
    b.f.BBTout->click();
    const QStringList avant = contenu(b.prog.path());
    b.f.BBCopier->click();

    QCOMPARE(b.rep.textes(), (QStringList{natif(lien), SurLuiMeme}));
    QCOMPARE(b.rep.boites().last().type, TypeBoite::Erreur);
    QCOMPARE(b.f.ListBox1->count(), 2);
    QCOMPARE(contenu(b.prog.path()), avant);
    QCOMPARE(lire(b.p(QStringLiteral("a.vtc"))), motif(9000));
    QCOMPARE(modifie(b.p(QStringLiteral("a.vtc"))), ancienneDate());
}

void TstSauvForm::restaurationRefusee()
{
    Banc b;
    QVERIFY(ecrire(b.p(QStringLiteral("a.vtc")), "x"));
    QVERIFY(ecrire(b.s(QStringLiteral("z.vtc")), "y"));
    QVERIFY(EcrireSauvegarde({b.sauv.path(), QStringLiteral("01/02/2024 10:00:00")}).isEmpty());
    b.ouvrir();
    b.cliquer(QStringLiteral("a.vtc"));
    b.restaurer(BoutonNon);

    QCOMPARE(b.rep.boites().size(), 1);
    QCOMPARE(b.rep.boites()[0].type, TypeBoite::Avertissement);
    QCOMPARE(b.rep.boites()[0].boutons, BoutonOui | BoutonNon);
    QVERIFY(b.rep.boites()[0].texte.startsWith(
        QStringLiteral("Alors qu'une sauvegarde régulière est nécessaire, la\r\nrestauration")));
    QVERIFY(b.rep.boites()[0].texte.endsWith(QStringLiteral("Voulez-vous restaurer malgré tout ?\r\n")));
    QCOMPARE(b.f.mode(), TSauvForm::Sauvegarde);
    QVERIFY(b.f.RBSauvegarde->isChecked());
    QCOMPARE(lignes(b.f.FileListBox1), QStringList{"a.vtc"});
    QCOMPARE(b.f.dossierSource(), b.prog.path());
    QCOMPARE(b.f.dossierDestination(), b.sauv.path());
    QCOMPARE(b.f.ListBox1->count(), 0);
    QCOMPARE(b.f.BBCopier->toolTip(), QStringLiteral("Sauvegarder vers le répertoire choisi"));
}

void TstSauvForm::textesDesModes()
{
    Banc b;
    FixerHorloge(QDateTime(QDate(2024, 5, 6), QTime(0, 0)));
    QVERIFY(ecrire(b.s(QStringLiteral("z.vtc")), "y"));
    QVERIFY(EcrireSauvegarde({b.sauv.path(), QStringLiteral("01/02/2024 10:00:00")}).isEmpty());
    b.ouvrir();
    QCOMPARE(b.f.windowTitle(),
             QStringLiteral("Sauvegarde / Restauration des fichiers de notes et d'appréciations"));
    // Midnight exactly: the date alone.
    QCOMPARE(b.f.Panel1->text(), QStringLiteral(" 06/05/2024"));
    QCOMPARE(b.f.Panel1->toolTip(), QStringLiteral("Date de la sauvegarde"));
    QCOMPARE(b.f.BitBtn1->toolTip(), QStringLiteral("Quitter la sauvegarde"));
    QCOMPARE(b.f.BBRep->toolTip(), QStringLiteral("pour la sauvegarde"));
    QCOMPARE(b.f.Panel3->text(), natif(b.prog.path()));
    QCOMPARE(b.f.Panel5->text(), natif(b.sauv.path()));

    b.restaurer(BoutonOui);
    QCOMPARE(b.f.mode(), TSauvForm::Restauration);
    QCOMPARE(b.f.Panel1->text(), QStringLiteral(" 01/02/2024 10:00:00"));
    QCOMPARE(b.f.Panel1->toolTip(), QStringLiteral("Date de la sauvegarde précédente"));
    QCOMPARE(b.f.BBCopier->toolTip(), QStringLiteral("Restaurer depuis le répertoire sélectionné"));
    QCOMPARE(b.f.BitBtn1->toolTip(), QStringLiteral("Quitter la restauration"));
    QCOMPARE(b.f.BBRep->toolTip(), QStringLiteral("pour la restauration"));
    QCOMPARE(b.f.Panel3->text(), natif(b.sauv.path()));
    QCOMPARE(b.f.Panel5->text(), natif(b.prog.path()));
    QCOMPARE(lignes(b.f.FileListBox1), QStringList{"z.vtc"});
    QCOMPARE(QToolTip::palette().color(QPalette::ToolTipBase), QColor(255, 255, 0));

    // Restore with no backup folder known: an empty file list.
    Banc vide;
    vide.ouvrir();
    vide.restaurer(BoutonOui);
    QCOMPARE(vide.f.FileListBox1->count(), 0);
    QCOMPARE(vide.f.Panel1->text(), QStringLiteral(" "));
}

// Overwrites, keeps the source's time, records folder and date on closing.
void TstSauvForm::sauvegardeComplete()
{
    Banc b;
    FixerHorloge(QDateTime(QDate(2024, 1, 15), QTime(14, 30, 5)));
    const QByteArray tailles[] = {motif(0), motif(8192), motif(3 * 8192)};
    QVERIFY(ecrire(b.p(QStringLiteral("A.VTC")), tailles[0], ancienneDate()));
    QVERIFY(ecrire(b.p(QStringLiteral("A.INI")), tailles[1], ancienneDate()));
    QVERIFY(ecrire(b.p(QStringLiteral("b.vtc")), tailles[2], ancienneDate()));
    QVERIFY(ecrire(b.s(QStringLiteral("b.vtc")), "ancienne sauvegarde"));
    b.ouvrir();
    b.f.DirectoryListBox1->choisir(b.sauv.path());
    b.f.BBTout->click();
    b.f.BBCopier->click();

    QCOMPARE(b.rep.textes(), QStringList(3, natif(b.sauv.path())));
    QCOMPARE(b.f.ListBox1->count(), 0);
    QVERIFY(!b.f.BBCopier->isEnabled() && !b.f.BBEffacer->isEnabled());
    QCOMPARE(contenu(b.sauv.path()), (QStringList{"a.ini", "a.vtc", "b.vtc"}));
    QCOMPARE(lire(b.s(QStringLiteral("a.vtc"))), tailles[0]);
    QCOMPARE(lire(b.s(QStringLiteral("a.ini"))), tailles[1]);
    QCOMPARE(lire(b.s(QStringLiteral("b.vtc"))), tailles[2]);
    for (const char *n : {"a.vtc", "a.ini", "b.vtc"})
        QCOMPARE(modifie(b.s(QString::fromLatin1(n))), ancienneDate());

    QVERIFY(!QFile::exists(b.p(QStringLiteral("Vestrel.INI"))));
    b.fermer();
    const ParametresSauvegarde s = LireSauvegarde();
    QCOMPARE(s.chemin, b.sauv.path());
    QCOMPARE(s.date, QStringLiteral("15/01/2024 14:30:05"));

    // Next opening starts from what was recorded.
    b.rep.vider();
    b.ouvrir();
    QCOMPARE(b.f.dossierDestination(), b.sauv.path());
}

void TstSauvForm::restaurationNEnregistreRien()
{
    Banc b;
    FixerHorloge(QDateTime(QDate(2024, 3, 1), QTime(9, 0, 0)));
    QVERIFY(ecrire(b.s(QStringLiteral("c.vtc")), "classe"));
    QVERIFY(EcrireSauvegarde({b.sauv.path(), QStringLiteral("01/02/2024 10:00:00")}).isEmpty());
    const QByteArray reglages = lire(b.p(QStringLiteral("Vestrel.INI")));
    b.ouvrir();
    b.restaurer(BoutonOui);
    b.f.BBTout->click();
    b.f.BBCopier->click();
    QCOMPARE(b.f.ListBox1->count(), 0);
    QCOMPARE(lire(b.p(QStringLiteral("c.vtc"))), QByteArray("classe"));
    b.fermer();
    QCOMPARE(lire(b.p(QStringLiteral("Vestrel.INI"))), reglages);
}

void TstSauvForm::erreursDeDestination_data()
{
    QTest::addColumn<QString>("destination"); // relative to the backup folder
    QTest::addColumn<qint64>("espace");
    QTest::addColumn<QString>("message");
    QTest::newRow("inexistant") << "absent" << qint64(-1) << "Disque non prêt !";
    QTest::newRow("fichier") << "f.txt" << qint64(-1) << "Disque non prêt !";
    QTest::newRow("plein") << "" << qint64(99) << "Le disque est plein !";
    QTest::newRow("juste assez") << "" << qint64(100) << "";
}

void TstSauvForm::erreursDeDestination()
{
    QFETCH(QString, destination);
    QFETCH(qint64, espace);
    QFETCH(QString, message);
    Banc b;
    QVERIFY(ecrire(b.p(QStringLiteral("a.vtc")), motif(100)));
    QVERIFY(ecrire(b.s(QStringLiteral("f.txt")), "x"));
    const QString dest = destination.isEmpty() ? b.sauv.path() : b.s(destination);
    QVERIFY(EcrireSauvegarde({dest, QString()}).isEmpty());
    EssaiCopie::fixerEspaceLibre(espace);
    b.ouvrir();
    b.f.BBTout->click();
    b.f.BBCopier->click();
    if (message.isEmpty()) {
        QCOMPARE(b.rep.textes(), QStringList{natif(dest)});
        QCOMPARE(b.f.ListBox1->count(), 0);
    } else {
        QCOMPARE(b.rep.textes(), (QStringList{natif(dest), message}));
        QCOMPARE(b.rep.boites().last().type, TypeBoite::Erreur);
        QCOMPARE(b.f.ListBox1->count(), 1);
        QCOMPARE(contenu(b.sauv.path()), QStringList{"f.txt"});
    }
}

// The disk fills during the second file: the first stays copied, the
// failed one and those after it stay chosen, nothing truncated, and the
// backup is not recorded as done.
void TstSauvForm::disquePleinEnCours()
{
    Banc b;
    QVERIFY(ecrire(b.p(QStringLiteral("a.ini")), motif(500)));
    QVERIFY(ecrire(b.p(QStringLiteral("a.vtc")), motif(20000)));
    QVERIFY(ecrire(b.p(QStringLiteral("b.vtc")), motif(1000)));
    QVERIFY(ecrire(b.s(QStringLiteral("A.VTC")), "sauvegarde d'hier"));
    b.ouvrir();
    b.f.DirectoryListBox1->choisir(b.sauv.path());
    b.f.BBTout->click();
    EssaiCopie::limiterEcriture(1000 + 9000);
    b.f.BBCopier->click();

    QCOMPARE(b.rep.boites().size(), 3);
    QCOMPARE(b.rep.boites().last().texte, QStringLiteral("Disque plein."));
    QCOMPARE(lignes(b.f.ListBox1), (QStringList{b.choisi(b.p(QStringLiteral("a.ini"))),
                                                b.choisi(b.p(QStringLiteral("a.vtc")))}));
    QVERIFY(b.f.BBCopier->isEnabled());
    QCOMPARE(contenu(b.sauv.path()), (QStringList{"A.VTC", "b.vtc"}));
    QCOMPARE(lire(b.s(QStringLiteral("A.VTC"))), QByteArray("sauvegarde d'hier"));
    QCOMPARE(lire(b.s(QStringLiteral("b.vtc"))), motif(1000));
    b.fermer();
    QVERIFY(!QFile::exists(b.p(QStringLiteral("Vestrel.INI"))));
}

// Restoring 3eme1.vtc replaces 3EME1.VTC rather than adding a second class.
void TstSauvForm::restaurationRemplaceAutreCasse()
{
    Banc b;
    QVERIFY(ecrire(b.p(QStringLiteral("3EME1.VTC")), "abime"));
    QVERIFY(ecrire(b.p(QStringLiteral("3EME1.INI")), "abime"));
    QVERIFY(ecrire(b.s(QStringLiteral("3eme1.vtc")), motif(8192), ancienneDate()));
    QVERIFY(ecrire(b.s(QStringLiteral("3eme1.ini")), "[Options]"));
    QVERIFY(EcrireSauvegarde({b.sauv.path(), QString()}).isEmpty());
    const QStringList avant = contenu(b.prog.path());
    b.ouvrir();
    b.restaurer(BoutonOui);
    b.cliquer(QStringLiteral("3eme1.vtc"));
    QCOMPARE(b.f.ListBox1->count(), 2);
    b.f.BBCopier->click();
    QCOMPARE(b.f.ListBox1->count(), 0);
    QCOMPARE(contenu(b.prog.path()), avant);
    QCOMPARE(lire(b.p(QStringLiteral("3EME1.VTC"))), motif(8192));
    QCOMPARE(modifie(b.p(QStringLiteral("3EME1.VTC"))), ancienneDate());
    QCOMPARE(lire(b.p(QStringLiteral("3EME1.INI"))), QByteArray("[Options]"));
}

// The folder lists: hidden until asked for; a folder chosen there becomes
// the destination of a backup, or the source of a restore.
void TstSauvForm::choixDuRepertoire()
{
    Banc b;
    QVERIFY(QDir(b.sauv.path()).mkdir(QStringLiteral("cle")));
    QVERIFY(ecrire(b.s(QStringLiteral("cle/x.vtc")), "x"));
    QVERIFY(ecrire(b.p(QStringLiteral("a.vtc")), "a"));
    b.ouvrir();
    QVERIFY(!b.f.DirectoryListBox1->isVisible() && !b.f.DriveComboBox1->isVisible());
    b.f.BBRep->click();
    QVERIFY(b.f.DirectoryListBox1->isVisible() && b.f.DriveComboBox1->isVisible());

    // Activating an entry of the list chooses it.
    b.f.DirectoryListBox1->placer(b.sauv.path());
    const auto cle = b.f.DirectoryListBox1->findItems(QStringLiteral("cle"), Qt::MatchEndsWith);
    QCOMPARE(cle.size(), 1);
    emit b.f.DirectoryListBox1->itemActivated(cle.first());
    QCOMPARE(b.f.dossierDestination(), b.s(QStringLiteral("cle")));
    QCOMPARE(b.f.Panel5->text(), natif(b.s(QStringLiteral("cle"))));
    QCOMPARE(lignes(b.f.FileListBox1), QStringList{"a.vtc"});

    b.restaurer(BoutonOui);
    b.f.DirectoryListBox1->choisir(b.s(QStringLiteral("cle")));
    QCOMPARE(b.f.dossierSource(), b.s(QStringLiteral("cle")));
    QCOMPARE(b.f.dossierDestination(), b.prog.path());
    QCOMPARE(lignes(b.f.FileListBox1), QStringList{"x.vtc"});
    b.f.BBTout->click();
    QCOMPARE(b.f.ListBox1->count(), 1);
    b.f.DirectoryListBox1->choisir(b.sauv.path());
    QCOMPARE(b.f.ListBox1->count(), 0);

    // A place of the place list opens in the folder list.
    b.f.DriveComboBox1->setCurrentIndex(0);
    b.f.DriveComboBox1Change();
    QCOMPARE(b.f.DirectoryListBox1->dossier(), QDir::homePath());
    QCOMPARE(b.f.dossierSource(), QDir::homePath());

    b.f.BBRep->click();
    QVERIFY(!b.f.DirectoryListBox1->isVisible());
}

QTEST_MAIN(TstSauvForm)
#include "tst_sauvform.moc"

// The class configuration dialog driven as a teacher would: fields typed,
// buttons clicked, boxes answered by script, files checked on disk.
#include "platform/ecrituresure.h"
#include "platform/erreurs.h"
#include "platform/inifile.h"
#include "tests/common/classeessai.h"
#include "tests/common/repondeurscripte.h"
#include "ui/coefficients/coefform.h"
#include "ui/coefficients/spinfleches.h"
#include "ui/components/fenetres.h"
#include "ui/config/champsconf.h"
#include "ui/config/confform.h"

#include <QCheckBox>
#include <QLabel>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// Types as a keyboard would, accented letters included.
void taper(QWidget *w, const QString &texte)
{
    for (QChar c : texte) {
        if (c.unicode() < 128) {
            QTest::keyClick(w, char(c.unicode()));
            continue;
        }
        for (auto type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent e(type, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(w, &e);
        }
    }
}

QByteArray lire(const QString &nom)
{
    return Essai::lire(CheminProgramme(nom));
}

QString cle(const QString &classe, const QString &nom = u"Coefficients période 1"_s)
{
    return Ini::lireTexte(CheminProgramme(classe + u".INI"_s), u"Options"_s, nom, u"<absent>"_s);
}

StudentRecord eleve(const QString &nom)
{
    StudentRecord r = ClasseEssai::Eleve(nom, u"Anne"_s, {{1, 1, 1, 12.5}, {2, 2, 3, 6}});
    r.Appreciations[1][1] = u"Bon trimestre"_s;
    return r;
}

// The students read back from a class file.
QList<StudentRecord> relire(const QString &fichier)
{
    QList<StudentRecord> l;
    LireEleves(CheminProgramme(fichier), l);
    return l;
}

// A class on disk; its settings too when o names it (coefficients and dates
// from the globals).
void ecrireClasse(const QString &nom, const QList<StudentRecord> &eleves, const OptionsAEcrire &o = {})
{
    QCOMPARE(EcrireEleves(CheminProgramme(nom + u".VTC"_s), eleves).etat, EtatEcriture::Ecrit);
    NomClasse = o.nomClasse;
    if (!o.nomClasse.isEmpty())
        QCOMPARE(EcrireOptions(o), QString());
}

} // namespace

class TstConfForm : public QObject {
    Q_OBJECT

    std::unique_ptr<ClasseEssai> m_dossier;
    std::unique_ptr<TConfForm> f;
    std::unique_ptr<RepondeurScripte> rep;

    void ouvrir(bool *mode)
    {
        ModeCreation = ModeModification = ModeDuplication = false;
        *mode = true;
        f->show();
        f->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.get()));
    }

    void ajouter(const QString &nom, const QString &prenom)
    {
        f->M4->setFocus();
        taper(f->M4, nom);
        QTest::keyClick(f->M4, Qt::Key_Return);
        taper(f->M5, prenom);
        QTest::keyClick(f->M5, Qt::Key_Return); // Enter in the first name adds
    }

    // Clicks at a Oui/Non question answered by Escape and the close box, both
    // refused, then by Enter when the default is Non, else by Non.
    void cliquerAuxReflexes(QWidget *bouton, int defaut)
    {
        rep->vider();
        rep->prevoir(ToucheEchap);
        rep->prevoir(CaseFermeture);
        rep->prevoir(defaut == BoutonNon ? int(ToucheEntree) : int(BoutonNon));
        QTest::mouseClick(bouton, Qt::LeftButton);
        QCOMPARE(rep->refus(), 2);
        QCOMPARE(rep->boites().size(), 3); // the same box asked three times
        QCOMPARE(rep->boites().last().defaut, defaut);
        QCOMPARE(rep->boites().last().echap, int(BoutonAucun));
    }

private slots:
    void init()
    {
        m_dossier = std::make_unique<ClasseEssai>();
        rep = std::make_unique<RepondeurScripte>();
        f = std::make_unique<TConfForm>();
    }

    void cleanup()
    {
        f.reset();
        Fenetres::detruireTout(); // the windows it opened
        rep.reset();
        ViderClasse();
        m_dossier.reset();
    }

    // Names filtered as typed, students listed and written sorted, one of
    // the same refused; saved by Alt+E, the unsaved sign goes at once and
    // Alt+Q closes without a question.
    void creationUnEleve()
    {
        ouvrir(&ModeCreation);
        ajouter(u"zola"_s, u"zoé"_s);
        QVERIFY(f->M4->text().isEmpty() && f->M5->text().isEmpty() && f->M4->hasFocus());
        ajouter(u"de la fontaine"_s, u"Łjean"_s); // "_" for a space, 12 characters, Windows-1252 only
        QCOMPARE(rep->bips(), 1);
        ajouter(u"élu"_s, u"émile"_s);
        ajouter(u"élu"_s, u"émile"_s);
        QCOMPARE(rep->dernierTexte(), u"Cet(te) élève existe déjà dans la liste !"_s);
        const QStringList ordre = {u"DE_LA_FONTAI Jean"_s, u"ÉLU Émile"_s, u"ZOLA Zoé"_s};
        QCOMPARE(f->LB1->entrees(), ordre);
        QCOMPARE(f->L6->text(), u"Nombre d'élèves : 3"_s);

        f->E1->setFocus(Qt::MouseFocusReason);
        taper(f->E1, u"a b.é$-_~9xyzw"_s);
        QCOMPARE(f->E1->text(), u"AB$-_~9X"_s); // 8 characters at most
        f->Timer1Timer();
        QVERIFY(f->Image1->isVisible());
        QTest::keyClick(f.get(), Qt::Key_E, Qt::AltModifier); // a mnemonic clicks after a short animation
        QTRY_VERIFY(!Conf::Modifie);
        QVERIFY(f->Image1->isHidden() && !f->E1->isEnabled() && !Conf::ATrier);
        QCOMPARE(QFileInfo(CheminProgramme(u"AB$-_~9X.VTC"_s)).size(), 3 * 1578);
        const QList<StudentRecord> lus = relire(u"AB$-_~9X.VTC"_s);
        QCOMPARE(lus[0].Nom + u' ' + lus[0].Prenom, ordre[0]);
        QCOMPARE(lus[0].NotesMat1[2][5], -1.0);

        QTest::keyClick(f.get(), Qt::Key_Q, Qt::AltModifier);
        QTRY_VERIFY(!f->isVisible());
        QVERIFY(ListeEleves.isEmpty() && rep->boites().size() == 1);
    }

    void duplication_data()
    {
        QTest::addColumn<bool>("vider");
        QTest::newRow("coché") << true;
        QTest::newRow("décoché") << false;
    }

    void duplication()
    {
        QFETCH(bool, vider);
        CoefPeriode[1] = u"2301111111111111"_s;
        DatePeriode[2] = u"05/11"_s + u"--/--"_s.repeated(15);
        ecrireClasse(u"SRC"_s, {eleve(u"ARTHUR"_s), eleve(u"ZOLA"_s)},
                     {u"SRC"_s, true, false, u"Fran"_s, u"Lati"_s, false, true, 10});
        QVERIFY(charger(u"SRC.VTC"_s).ok);
        ouvrir(&ModeDuplication);
        QCOMPARE(f->windowTitle(), u"Duplication du fichier SRC"_s);
        QVERIFY(f->CheckBox1->isChecked() && !Conf::Modifie);
        taper(f->E1, u"copie"_s);
        if (!vider)
            f->CheckBox1->click();
        QCOMPARE(f->B6->isVisible(), !vider);
        QTest::mouseClick(f->B3, Qt::LeftButton);

        if (vider) // the students alone, as the file writer empties them
            QCOMPARE(EcrireEleves(CheminProgramme(u"ATTENDU.VTC"_s), relire(u"SRC.VTC"_s), true).etat,
                     EtatEcriture::Ecrit);
        QCOMPARE(lire(u"COPIE.VTC"_s), lire(vider ? u"ATTENDU.VTC"_s : u"SRC.VTC"_s));
        QCOMPARE(cle(u"COPIE"_s), vider ? COEFS_PAR_DEFAUT : u"2301111111111111"_s);
        QCOMPARE(cle(u"COPIE"_s, u"Dates période 2"_s).left(5), vider ? u"--/--"_s : u"05/11"_s);
        QCOMPARE(cle(u"COPIE"_s, u"Mat2"_s), u"Lati"_s);
        QCOMPARE(cle(u"COPIE"_s, u"Taille de l'écriture"_s), u"10"_s);
        if (vider) {
            // The class in the dialog is now the emptied one: unticking the
            // box cannot bring the marks back; its coefficients are its own.
            QTest::mouseClick(f->CheckBox1, Qt::LeftButton);
            ajouter(u"durand"_s, u"luc"_s);
            CoefPeriode[1] = u"2111111111111111"_s;
            QTest::mouseClick(f->B3, Qt::LeftButton);
            const QList<StudentRecord> lus = relire(u"COPIE.VTC"_s);
            QCOMPARE(lus.size(), 3);
            QVERIFY(lus[0].NotesMat1[1][1] == -1.0 && lus[0].Appreciations[1][1].isEmpty());
            QCOMPARE(cle(u"COPIE"_s), u"2111111111111111"_s);
        }
        QCOMPARE(cle(u"SRC"_s), u"2301111111111111"_s);
    }

    void fermetures()
    {
        const auto commencer = [this] {
            ouvrir(&ModeCreation);
            taper(f->E1, u"FERME"_s);
            ajouter(u"martin"_s, u"paul"_s);
        };
        commencer();
        f->close();
        QTest::keyClick(f.get(), Qt::Key_Escape);
        QVERIFY(f->isVisible());
        QCOMPARE(rep->textes().first(),
                 u"Le fichier a été modifié et n'a pas été enregistré !\r\n"
                 "    les données saisies pourraient être perdues !\r\n"
                 "          Il faut sortir par QUITTER"_s);

        cliquerAuxReflexes(f->B1, BoutonOui); // Quitter, Non: the change is dropped
        QCOMPARE(rep->dernierTexte(),
                 u" Le fichier n' a pas été enregistré !\r\nVoulez vous l'enregistrer maintenant ?"_s);
        QVERIFY(!f->isVisible() && ListeEleves.isEmpty() && !QFile::exists(CheminProgramme(u"FERME.VTC"_s)));

        commencer();
        rep->prevoir(BoutonOui); // Quitter, Oui: saved, the dialog stays
        QTest::mouseClick(f->B1, Qt::LeftButton);
        QVERIFY(f->isVisible());
        QCOMPARE(QFileInfo(CheminProgramme(u"FERME.VTC"_s)).size(), 1578);
        f->close(); // nothing unsaved
        QVERIFY(!f->isVisible());

        ouvrir(&ModeCreation);
        taper(f->E1, u"VIDE"_s);
        QTest::mouseClick(f->B3, Qt::LeftButton);
        QCOMPARE(rep->dernierTexte(), u"       Fichier vide !"_s);
        QVERIFY(!QFile::exists(CheminProgramme(u"VIDE.VTC"_s)));
    }

    // Renamed unless it makes two of the same; found whatever the case
    // typed; dropped on the delete button: gone without a question.
    void suppressionEtRenommage()
    {
        ouvrir(&ModeCreation);
        ajouter(u"martin"_s, u"paul"_s);
        ajouter(u"durand"_s, u"luc"_s);
        ajouter(u"élu"_s, u"émile"_s);
        Conf::Modifie = Conf::ATrier = false;
        f->M4->setText(u"durand"_s);
        f->M5->setText(u"luc"_s);
        rep->prevoir(BoutonOk, u"MARTIN Paul"_s);
        QTest::mouseClick(f->B5, Qt::LeftButton);
        QCOMPARE(rep->boites().first().titre, u"Modifier l'identité de :"_s);
        QCOMPARE(rep->boites().first().valeur, u"DURAND Luc"_s);
        QCOMPARE(rep->dernierTexte(), u"Cet(te) élève existe déjà dans la liste !"_s);
        QVERIFY(!Conf::Modifie);
        rep->prevoir(BoutonOk, u"vidal jean-marc"_s);
        QTest::mouseClick(f->B5, Qt::LeftButton);
        QCOMPARE(f->LB1->entrees(), (QStringList{u"ÉLU Émile"_s, u"MARTIN Paul"_s, u"VIDAL Jean-Marc"_s}));
        QVERIFY(Conf::Modifie && Conf::ATrier);

        f->M4->setText(u"élu"_s);
        f->M5->setText(u"émile"_s);
        cliquerAuxReflexes(f->B4, BoutonNon);
        QCOMPARE(rep->dernierTexte(),
                 u"Voulez-vous vraiment supprimer la fiche de \r\n             ÉLU Émile"_s);
        QCOMPARE(f->LB1->count(), 3);
        f->M4->setText(u"martin"_s);
        f->M5->setText(u"paul"_s);
        Conf::Modifie = false;
        rep->prevoir(BoutonOui);
        QTest::mouseClick(f->B4, Qt::LeftButton);
        QVERIFY(NbEleves() == 2 && Conf::Modifie);
        f->B4DragDrop(u"VIDAL Jean-Marc"_s);
        QCOMPARE(rep->boites().size(), 4);
        QCOMPARE(f->LB1->entrees(), QStringList{u"ÉLU Émile"_s});
        QCOMPARE(ListeEleves.size(), 1);
        QCOMPARE(f->L6->text(), u"Nombre d'élèves : 1"_s);
        f->M4->setText(u"petit"_s);
        f->M5->setText(u"jean"_s);
        QTest::mouseClick(f->B4, Qt::LeftButton);
        QCOMPARE(rep->dernierTexte(), u"Elève non trouvé(e) dans la liste !"_s);
    }

    // Modifying a class writes its two files together: each step failing in
    // turn leaves both as they were, says why, and keeps the dialog's changes.
    void pannesEnregistrement()
    {
        ecrireClasse(u"CL"_s, {eleve(u"DUPONT"_s), eleve(u"MARTIN"_s)},
                     {u"CL"_s, true, false, u"Hist"_s, u"Géo"_s, false, false, 8});
        const QByteArray vtc = lire(u"CL.VTC"_s), ini = lire(u"CL.INI"_s);
        QVERIFY(charger(u"CL.VTC"_s).ok);
        ouvrir(&ModeModification);
        ajouter(u"zola"_s, u"emile"_s);
        for (int n = 1; n <= 11; ++n) {
            const int code = n % 2 ? ENOSPC : EIO;
            EssaiEcriture::echouerAuPas(n, code);
            QTest::mouseClick(f->B3, Qt::LeftButton);
            QCOMPARE(rep->boites().last().type, TypeBoite::Erreur);
            QCOMPARE(rep->dernierTexte(), MessageErreurSysteme(code) + u'.');
            QCOMPARE(lire(u"CL.VTC"_s), vtc);
            QCOMPARE(lire(u"CL.INI"_s), ini);
            QVERIFY(Conf::Modifie && NbEleves() == 3);
        }
        EssaiEcriture::remettreAZero();
        QTest::mouseClick(f->B3, Qt::LeftButton);
        QCOMPARE(EssaiEcriture::pasFaits(), 11);
        QVERIFY(!Conf::Modifie);
        QCOMPARE(QFileInfo(CheminProgramme(u"CL.VTC"_s)).size(), 3 * 1578);
    }

    // One list through the dialog (the line rules are the import's own
    // tests) into a class that becomes full.
    void importation()
    {
        QList<StudentRecord> eleves = {eleve(u"DUPONT"_s)};
        for (int i = 0; i < 125; ++i)
            eleves.append(eleve(u"NOM%1"_s.arg(i, 3, 10, QLatin1Char('0'))));
        ecrireClasse(u"IMPORT"_s, eleves);
        QVERIFY(charger(u"IMPORT.VTC"_s).ok);
        ouvrir(&ModeModification);
        const QString liste = m_dossier->chemin(u"liste.csv"_s);
        QVERIFY(Essai::ecrire(liste,
                              "Nom;Pr\xE9nom\r\nDUPONT;Anne\r\nSEUL\r\n\xC9LU;\xE9mile\r\nZOLA;Zo\xE9\r\n"
                              "VIDAL;Luc\r\n"));
        rep->prevoir(BoutonOk, liste);
        QTest::mouseClick(f->BImporter, Qt::LeftButton);
        QCOMPARE(
            rep->dernierTexte(),
            u"1 élève ajouté.\r\nLigne 2 : élève déjà dans la liste.\r\n"
            "Ligne 3 : nom et prénom impossibles à distinguer (attendu : NOM en majuscules puis Prénom).\r\n"
            "Lignes 5, 6 : classe complète, une classe compte au plus 127 élèves."_s);
        QCOMPARE(rep->boites().last().type, TypeBoite::Information);
        QVERIFY(f->LB1->trouver(u"ÉLU Émile"_s) && NbEleves() == 127 && Conf::Modifie && Conf::ATrier);
        ajouter(u"dernier"_s, u"arrivé"_s);
        QCOMPARE(rep->dernierTexte(), MessageClassePleine());
        QVERIFY(f->LB1->count() == 127 && NbEleves() == 127);
    }

    // The coefficients set for a duplicate wait for its own save; onto the
    // name of another class they touch none of its files until the
    // replacement is confirmed, later saves replace without asking, and
    // nothing goes anywhere else.
    void duplicationSurUneClasseExistante()
    {
        ecrireClasse(u"SRC"_s, {eleve(u"ARTHUR"_s)});
        ecrireClasse(u"3B"_s, {eleve(u"ZOLA"_s)},
                     {u"3B"_s, true, true, u"Hist"_s, QString(), false, false, 8});
        const QByteArray ini3B = lire(u"3B.INI"_s), vtc3B = lire(u"3B.VTC"_s);
        QVERIFY(charger(u"SRC.VTC"_s).ok);
        ouvrir(&ModeDuplication);
        f->CheckBox1->click(); // keep marks: the coefficients button shows
        QVERIFY(f->B6->isVisible() && !f->B6->isEnabled());
        taper(f->E1, u"3b"_s);
        QTimer::singleShot(0, this, [] {
            auto *coef = qobject_cast<TCoefForm *>(QApplication::activeModalWidget());
            QVERIFY(coef);
            coef->SpinEdit[1][1]->setValue(4);
            coef->BitBtn2->click();
        });
        QTest::mouseClick(f->B6, Qt::LeftButton);
        QCOMPARE(lire(u"3B.INI"_s), ini3B);
        cliquerAuxReflexes(f->B3, BoutonNon);
        QCOMPARE(rep->dernierTexte(),
                 u"Un fichier 3B.VTC existe déjà !\r\n  Voulez vous le remplacer \r\n"
                 "par celui que vous venez de créer ?"_s);
        QCOMPARE(rep->boites().last().type, TypeBoite::Erreur);
        QVERIFY(f->E1->text().isEmpty() && f->E1->isEnabled() && Conf::Modifie);
        QCOMPARE(lire(u"3B.INI"_s), ini3B);
        QCOMPARE(lire(u"3B.VTC"_s), vtc3B);

        taper(f->E1, u"3B"_s);
        rep->prevoir(BoutonOui);
        QTest::mouseClick(f->B3, Qt::LeftButton);
        QVERIFY(!Conf::Modifie);
        QCOMPARE(cle(u"3B"_s), u"4111111111111111"_s);
        QCOMPARE(lire(u"3B.VTC"_s), lire(u"SRC.VTC"_s));
        ajouter(u"durand"_s, u"luc"_s);
        QTest::mouseClick(f->B3, Qt::LeftButton);
        QCOMPARE(rep->boites().size(), 4);
        QCOMPARE(QFileInfo(CheminProgramme(u"3B.VTC"_s)).size(), 2 * 1578);
        QCOMPARE(QDir(m_dossier->path()).entryList(QDir::Files, QDir::Name),
                 (QStringList{u"3B.INI"_s, u"3B.VTC"_s, u"SRC.VTC"_s}));
    }
};

QTEST_MAIN(TstConfForm)
#include "tst_confform.moc"

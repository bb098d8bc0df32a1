// The radio group, the message boxes, the general error report and the
// class loading wrapper.
#include "classdata/classe.h"
#include "platform/dossier.h"
#include "tests/common/repondeurscripte.h"
#include "ui/components/applicationvestrel.h"
#include "ui/components/chargement.h"
#include "ui/components/radiogroupe.h"
#include "ui/components/sablier.h"

#include <QMessageBox>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTimer>

#include <stdexcept>

using namespace Qt::StringLiterals;

namespace {
// A widget whose key handler fails the way a core routine might.
class Fautif : public QWidget {
protected:
    void keyPressEvent(QKeyEvent *e) override
    {
        if (e->key() == Qt::Key_F) {
            Sablier s;
            throw std::runtime_error("Disque plein");
        }
        throw 42;
    }
};
} // namespace

class TestComposants : public QObject {
    Q_OBJECT

private slots:
    void exceptionMontreeEtProgrammeContinue()
    {
        RepondeurScripte r;
        Fautif w;
        {
            Sablier s; // no window on the screen: nothing to put it over
            QVERIFY(!QApplication::overrideCursor());
        }
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        {
            Sablier s;
            QVERIFY(QApplication::overrideCursor()
                    && QApplication::overrideCursor()->shape() == Qt::WaitCursor);
        }
        QVERIFY(!QApplication::overrideCursor());
        QTest::keyClick(&w, Qt::Key_F);
        QTest::keyClick(&w, Qt::Key_X);
        QCOMPARE(r.textes(), (QStringList{u"Disque plein."_s, u"Erreur inattendue."_s}));
        QCOMPARE(r.boites().first().type, TypeBoite::Erreur);
        QCOMPARE(r.boites().first().titre, u"Vestrel"_s);
        QVERIFY(!QApplication::overrideCursor());
    }

    void chargerClasse()
    {
        QTemporaryDir dossier;
        DefinirDossierProgramme(dossier.path());
        QCOMPARE(EcrireEleves(dossier.filePath(u"3EME1.VTC"_s), QList<StudentRecord>(2)).etat,
                 EtatEcriture::Ecrit);
        ViderClasse();
        RepondeurScripte r;
        QVERIFY(ChargerClasse(u"3EME1.VTC"_s) && r.boites().isEmpty());
        // Still loaded: the teacher is told, and the file replaces the model.
        QVERIFY(ChargerClasse(u"3EME1.VTC"_s));
        QCOMPARE(r.textes(), QStringList{u"Fichier déjà chargé !"_s});
        QCOMPARE(NbEleves(), 2);
        QVERIFY(!ChargerClasse(u"ABSENT.VTC"_s));
        QCOMPARE(NbEleves(), 0);
        QCOMPARE(r.boites().last().type, TypeBoite::Erreur);
        QCOMPARE(r.dernierTexte(), u"Fichier introuvable."_s);
    }

    // The responder fails a test by itself: a question nobody scripted, an answer left unused.
    void repondeurExigeant()
    {
        RepondeurScripte r;
        QEXPECT_FAIL("", "a question nobody scripted", Continue);
        QCOMPARE(Messages::confirmation(u"Vraiment ?"_s), int(BoutonNon));
        QCOMPARE(r.imprevues(), QStringList{u"Vraiment ?"_s});
        Messages::erreur(u"Un simple avis"_s); // OK only: answered by itself
        r.prevoir(BoutonOui);
        QEXPECT_FAIL("", "an answer left unused", Continue);
        r.verifier();
        QCOMPARE(r.reponsesRestantes(), 0);
    }

    // Set by the program: no signal; by the teacher, mouse or keyboard, the
    // checked item included: a signal each time.
    void groupeRadio()
    {
        for (auto forme : {RadioGroupe::Forme::Cadre, RadioGroupe::Forme::Bandeau}) {
            QWidget fenetre;
            auto *g = new RadioGroupe(u"Période"_s, {u"1"_s, u"2"_s, u"Année"_s}, 3, &fenetre, forme);
            fenetre.show();
            QVERIFY(QTest::qWaitForWindowExposed(&fenetre));
            QSignalSpy clics(g, &RadioGroupe::clique);
            QCOMPARE(g->itemIndex(), -1);
            g->setItemIndex(1);
            QTest::mouseClick(g->bouton(2), Qt::LeftButton);
            QTest::mouseClick(g->bouton(2), Qt::LeftButton);
            QTest::keyClick(g->bouton(2), Qt::Key_Left);
            QCOMPARE(g->itemIndex(), 1);
            QCOMPARE(clics.size(), 3);
            QCOMPARE(clics.at(0).at(0).toInt(), 2);
            QCOMPARE(clics.at(2).at(0).toInt(), 1);
        }
    }

    // A real box: Escape and the close box press Escape's button when the
    // box has one, else leave it up, as Alt+F4 does; Enter presses the default.
    void echapEtFermeture_data()
    {
        QTest::addColumn<int>("boutons");
        QTest::addColumn<int>("defaut"); // asked for
        QTest::addColumn<int>("echap");  // expected; BoutonAucun: refused
        QTest::addColumn<int>("entree"); // expected
        const int ouiNon = BoutonOui | BoutonNon, aucun = BoutonAucun;
        QTest::newRow("Oui/Non") << ouiNon << aucun << aucun << int(BoutonOui);
        QTest::newRow("Oui/Non, Non par défaut") << ouiNon << int(BoutonNon) << aucun << int(BoutonNon);
        QTest::newRow("Oui/Non/Annuler")
            << (ouiNon | BoutonAnnuler) << aucun << int(BoutonAnnuler) << int(BoutonOui);
        QTest::newRow("OK seul") << int(BoutonOk) << aucun << int(BoutonOk) << int(BoutonOk);
    }

    void echapEtFermeture()
    {
        QFETCH(int, boutons);
        QFETCH(int, defaut);
        QFETCH(int, echap);
        QFETCH(int, entree);
        QCOMPARE(Messages::boutonEchap(boutons), echap); // what the scripted responder does too
        for (int geste = 0; geste < 3; ++geste) {
            bool resteOuverte = false;
            QTimer::singleShot(0, [&] {
                QTRY_VERIFY(qobject_cast<QMessageBox *>(QApplication::activeModalWidget()));
                auto *m = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                if (geste == 0)
                    QTest::keyClick(m, Qt::Key_Escape);
                else if (geste == 1)
                    m->close();
                else if (echap == BoutonAucun)
                    QTest::keyClick(m, Qt::Key_F4, Qt::AltModifier);
                resteOuverte = m->isVisible() && QApplication::activeModalWidget() == m;
                if (resteOuverte)
                    QTest::keyClick(m, Qt::Key_Return);
            });
            const int r = Messages::confirmation(u"Question ?"_s, boutons, defaut);
            QCOMPARE(r, resteOuverte ? entree : echap);
            QCOMPARE(resteOuverte, echap == BoutonAucun || geste == 2);
        }
    }
};

int main(int argc, char **argv)
{
    ApplicationVestrel app(argc, argv);
    TestComposants t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_composants.moc"

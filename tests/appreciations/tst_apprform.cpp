// The appreciation expert driven as the teacher would, in a temporary program folder.
#include "averages/moyennes.h"
#include "platform/ecrituresure.h"
#include "tests/common/classeessai.h"
#include "tests/common/repondeurscripte.h"
#include "ui/appreciations/apprform.h"
#include "ui/appreciations/listephrases.h"
#include "ui/components/radiogroupe.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace Qt::StringLiterals;

namespace {
const QString QUESTION =
    u"La base d'appréciations n'a pas été enregistrée !\r\n   Voulez vous l'enregister maintenant ?"_s;
const QString BASE = u"12120002.VAP"_s; // a 12 in period 1, the presets
} // namespace

class TstApprForm : public QObject {
    Q_OBJECT

    std::unique_ptr<ClasseEssai> m_dossier;
    std::unique_ptr<RepondeurScripte> m_rep;
    std::unique_ptr<TApprForm> m_form;

    void ecrire(const QString &nom, const QByteArray &octets)
    {
        QVERIFY(Essai::ecrire(CheminProgramme(nom), octets));
    }
    QByteArray lire() const { return Essai::lire(CheminProgramme(BASE)); }
    void ouvrir(double note = 12, int span = 1)
    {
        m_form->preparer(u"DUPONT Jean"_s, note, span);
        m_form->show();
        QCoreApplication::processEvents();
    }
    void choisirPhrase(const QString &phrase)
    {
        const int l = int(m_form->CB1->phrases().indexOf(phrase));
        QVERIFY2(l >= 0, qPrintable(phrase));
        m_form->CB1->choisirLigne(l);
    }
    void ajouter(const QString &phrase)
    {
        m_form->M1->setText(phrase);
        m_form->BAjouter->click();
    }

private slots:
    void init()
    {
        m_dossier = std::make_unique<ClasseEssai>();
        DeuxPeriodes = false;
        m_rep = std::make_unique<RepondeurScripte>();
        m_form = std::make_unique<TApprForm>();
    }

    void cleanup()
    {
        m_form.reset();
        m_rep.reset();
        m_dossier.reset();
    }

    // The base is named after the mark, the period and the profile chosen;
    // read as Windows-1252, either line end, sorted. Every opening starts
    // again from the presets.
    void ouverture_data()
    {
        QTest::addColumn<double>("note");
        QTest::addColumn<int>("span");
        QTest::addColumn<bool>("semestres");
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("titre"); // after the name
        QTest::newRow("12 au trimestre 1") << 12.0 << 1 << false << BASE << "Note :  12.00   Trimestre 1";
        QTest::newRow("semestre 2") << 5.5 << 2 << true << "42122002.VAP"
                                    << "Note :   5.50   Semestre 2";
        QTest::newRow("année") << 14.01 << int(Annee) << false << "02123002.VAP"
                               << "Note :  14.01   Année";
    }

    void ouverture()
    {
        QFETCH(double, note);
        QFETCH(int, span);
        QFETCH(bool, semestres);
        QFETCH(QString, base);
        QFETCH(QString, titre);
        // Only the first base exists: the others open empty.
        const QStringList phrases =
            span == 1 ? QStringList{u"Abricot"_s, u"bon"_s, u"zèbre"_s} : QStringList();
        if (span == 1)
            ecrire(base, "z\350bre\r\nAbricot\nbon\r\n");
        DeuxPeriodes = semestres;
        ouvrir(note, span);
        QCOMPARE(m_form->windowTitle(), u"Expert en appréciations pour   DUPONT Jean  "_s + titre);
        QCOMPARE(m_form->baseCourante(), base);
        QCOMPARE(m_form->CB1->phrases(), phrases);
        for (QPushButton *b : {m_form->BSauver, m_form->BChoisir, m_form->BModifier, m_form->BSupprimer})
            QVERIFY2(b->isEnabled() == !phrases.isEmpty(), qPrintable(b->objectName()));
        QCOMPARE(m_form->BCharger->palette().color(QPalette::ButtonText),
                 phrases.isEmpty() ? Qt::black : Qt::red);
        m_form->RG2->bouton(0)->click();
        m_form->BQuitter->click();
        ouvrir(note, span);
        QCOMPARE(m_form->baseCourante(), base);
    }

    // Added by Enter, sorted, once; the box holds 80 characters. Choosing
    // saves without a question and gives the box's 80 characters.
    void ajouterEtChoisir()
    {
        const QString longue = u"Excellent "_s + QString(90, u'!');
        ecrire(BASE, "Bon travail\r\n" + longue.toLatin1() + "\r\n");
        ouvrir();
        QTest::keyClicks(m_form->M1, u"bon travail"_s);
        QTest::keyClick(m_form->M1, Qt::Key_Return);
        QCOMPARE(m_form->CB1->phrases(), (QStringList{u"Bon travail"_s, u"bon travail"_s, longue}));
        QVERIFY(m_form->M1->text().isEmpty() && !m_form->BAjouter->isEnabled() && m_form->baseModifiee());
        ajouter(u"Bon travail"_s);
        QCOMPARE(m_rep->textes(), QStringList{u"Cette appréciation existe déjà !"_s});
        m_form->M1->clear();
        QTest::keyClicks(m_form->M1, QString(100, u'x'));
        QCOMPARE(m_form->M1->text().size(), 80);

        choisirPhrase(longue);
        m_form->BChoisir->click();
        QCOMPARE(m_rep->boites().size(), 1);
        QCOMPARE(lire(), "Bon travail\r\nbon travail\r\n" + longue.toLatin1() + "\r\n");
        QCOMPARE(m_form->appreciationChoisie(), longue.left(80));
        QVERIFY(!m_form->isVisible() && m_form->result() == QDialog::Accepted);
    }

    // A phrase taken back into the box to edit, the box's text added first;
    // one longer than the box allows comes back whole, one too long to edit
    // at all stays in the list and can still be deleted.
    void modifier()
    {
        const QString longue = u"Moyen "_s + QString(100, u'-'), tropLongue(300000, u'L');
        ecrire(BASE, "Bon\r\n" + longue.toLatin1() + "\r\n" + tropLongue.toLatin1() + "\r\n");
        ouvrir();
        choisirPhrase(tropLongue);
        m_form->BModifier->click();
        QCOMPARE(m_rep->boites().size(), 1);
        QVERIFY(m_form->M1->text().isEmpty() && !m_form->baseModifiee());
        m_form->BSupprimer->click();
        m_form->M1->setText(u"Nouveau"_s);
        choisirPhrase(longue);
        m_form->BModifier->click();
        QCOMPARE(m_form->CB1->phrases(), (QStringList{u"Bon"_s, u"Nouveau"_s}));
        QCOMPARE(m_form->M1->text(), longue);
        m_form->BSauver->click();
        QCOMPARE(lire(), QByteArray("Bon\r\nNouveau\r\n"));
    }

    // Without a phrase chosen: a message; deleting the only one leaves
    // nothing to save.
    void sansSelectionEtSupprimer()
    {
        ecrire(BASE, "Bon\r\n");
        ouvrir();
        for (QPushButton *b : {m_form->BChoisir, m_form->BModifier, m_form->BSupprimer})
            b->click();
        QCOMPARE(m_rep->textes(), QStringList(3, u"Il faut choisir une appréciation dans la liste !"_s));
        QVERIFY(m_form->isVisible() && !m_form->baseModifiee());
        choisirPhrase(u"Bon"_s);
        m_form->BSupprimer->click();
        QVERIFY(m_form->CB1->count() == 0 && !m_form->baseModifiee());
    }

    void changementDeProfil_data()
    {
        QTest::addColumn<int>("reponse");
        QTest::addColumn<QByteArray>("ancienne");
        QTest::newRow("oui") << int(BoutonOui) << QByteArray("Ancienne\r\nNouvelle\r\n");
        QTest::newRow("non") << int(BoutonNon) << QByteArray("Ancienne\r\n");
        // Escape does not answer: the box waits for Oui or Non.
        QTest::newRow("échap puis oui") << int(ToucheEchap) << QByteArray("Ancienne\r\nNouvelle\r\n");
    }

    void changementDeProfil()
    {
        QFETCH(int, reponse);
        QFETCH(QByteArray, ancienne);
        ecrire(BASE, "Ancienne\r\n");
        ecrire(u"12120003.VAP"_s, "Autre\r\n");
        ouvrir();
        ajouter(u"Nouvelle"_s);
        m_rep->prevoir(reponse);
        if (reponse == ToucheEchap)
            m_rep->prevoir(BoutonOui);
        m_form->RG8->bouton(3)->click();
        const int refus = reponse == ToucheEchap ? 1 : 0;
        QCOMPARE(m_rep->refus(), refus);
        QCOMPARE(m_rep->textes(), QStringList(refus + 1, QUESTION));
        QCOMPARE(lire(), ancienne);
        QCOMPARE(m_form->baseCourante(), u"12120003.VAP"_s);
        QCOMPARE(m_form->CB1->phrases(), QStringList{u"Autre"_s});
        QVERIFY(!m_form->baseModifiee());
        m_rep->vider();
        m_form->RG6->bouton(1)->click(); // without changes: no question
        QVERIFY(m_rep->boites().isEmpty() && m_form->CB1->count() == 0);
        QCOMPARE(m_form->baseCourante(), u"12120103.VAP"_s);
    }

    // Only Quitter closes (Escape and the close box do not); with changes it asks.
    void quitter_data()
    {
        QTest::addColumn<bool>("modifier");
        QTest::addColumn<int>("reponse");
        QTest::addColumn<QByteArray>("fichier");
        QTest::newRow("sans changement") << false << 0 << QByteArray("Bon\r\nMoyen\r\n");
        QTest::newRow("oui") << true << int(BoutonOui) << QByteArray("");
        QTest::newRow("non") << true << int(BoutonNon) << QByteArray("Bon\r\nMoyen\r\n");
    }

    void quitter()
    {
        QFETCH(bool, modifier);
        QFETCH(int, reponse);
        QFETCH(QByteArray, fichier);
        ecrire(BASE, "Bon\r\nMoyen\r\n");
        ouvrir();
        QTest::keyClick(m_form.get(), Qt::Key_Escape);
        m_form->close();
        QCoreApplication::processEvents();
        QVERIFY(m_form->isVisible());
        if (modifier) {
            for (const QString &p : {u"Moyen"_s, u"Bon"_s}) {
                choisirPhrase(p);
                m_form->BSupprimer->click(); // the last one: the change stays to save
            }
            m_rep->prevoir(reponse);
        }
        m_form->BQuitter->click();
        QCOMPARE(m_rep->textes(), modifier ? QStringList{QUESTION} : QStringList());
        QCOMPARE(lire(), fichier);
        QVERIFY(!m_form->isVisible() && m_form->appreciationChoisie().isEmpty() && !m_form->baseModifiee());
    }

    // A base that cannot be written: neither choosing nor changing profile
    // loses the new phrase.
    void echecEcritureNeFermePas()
    {
        QVERIFY(QDir(m_dossier->path()).mkdir(BASE));
        ouvrir();
        ajouter(u"Bon"_s);
        choisirPhrase(u"Bon"_s);
        m_form->BChoisir->click();
        QCOMPARE(m_rep->boites().size(), 1);
        QCOMPARE(m_rep->boites().first().type, TypeBoite::Erreur);
        QVERIFY(m_form->isVisible() && m_form->appreciationChoisie().isEmpty() && m_form->baseModifiee());

        m_rep->prevoir(BoutonOui);
        m_form->RG3->bouton(0)->click();
        QCOMPARE(m_rep->boites().size(), 3);
        QCOMPARE(m_form->RG3->itemIndex(), 1);
        QCOMPARE(m_form->baseCourante(), BASE);
        QCOMPARE(m_form->CB1->phrases(), QStringList{u"Bon"_s});
        QVERIFY(m_form->baseModifiee());
        m_rep->prevoir(BoutonNon);
        m_form->BQuitter->click();
    }

    // Each step of the base's write failing in turn: the old base stays, the
    // teacher reads why, the new phrase stays unsaved in the list. Written at
    // last sorted, in Windows-1252 with CRLF.
    void pannesSauvegarde()
    {
        ecrire(BASE, "Ancienne\r\n");
        ouvrir();
        ajouter(u"Très bien"_s);
        for (int n = 1; n <= 5; ++n) {
            EssaiEcriture::echouerAuPas(n, ENOSPC);
            m_form->BSauver->click();
            EssaiEcriture::remettreAZero();
            QCOMPARE(m_rep->boites().last().type, TypeBoite::Erreur);
            QCOMPARE(m_rep->dernierTexte(), u"Disque plein."_s);
            QCOMPARE(lire(), QByteArray("Ancienne\r\n"));
            QVERIFY(m_form->baseModifiee());
            QCOMPARE(m_form->CB1->phrases(), (QStringList{u"Ancienne"_s, u"Très bien"_s}));
        }
        m_form->BSauver->click();
        QCOMPARE(lire(), QByteArray("Ancienne\r\nTr\xe8s bien\r\n"));
        QVERIFY(!m_form->baseModifiee());
    }
};

QTEST_MAIN(TstApprForm)
#include "tst_apprform.moc"

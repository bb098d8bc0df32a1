// The small controls, the status line hints, the general error report and
// the class loading wrapper.
#include "classdata/classe.h"
#include "classdata/parametres.h"
#include "platform/dossier.h"
#include "tests/common/repondeurscripte.h"
#include "ui/components/applicationvestrel.h"
#include "ui/components/chargement.h"
#include "ui/components/editr.h"
#include "ui/components/etatui.h"
#include "ui/components/radiogroupe.h"
#include "ui/components/rzlabel.h"
#include "ui/components/sablier.h"
#include "ui/components/winpanel.h"

#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>

#include <stdexcept>

namespace {

// A widget whose key handler fails the way a core routine might.
class Fautif : public QWidget {
public:
    int touches = 0;

protected:
    void keyPressEvent(QKeyEvent *e) override
    {
        ++touches;
        if (e->key() == Qt::Key_F) {
            Sablier s;
            throw std::runtime_error("Disque plein");
        }
        if (e->key() == Qt::Key_X)
            throw 42;
    }
};

// The first and last rows of an image holding a colour.
QPair<int, int> lignesDe(const QImage &img, QRgb couleur)
{
    int haut = -1, bas = -1;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) == couleur) {
                haut = haut < 0 ? y : haut;
                bas = y;
            }
    return {haut, bas};
}

// A caption drawn in pure colours, without smoothing, so that pixels tell its drawings apart.
void peindreEnCouleursPures(TRzLabel &l, int pixels, QColor clair = Qt::white, QColor sombre = Qt::white)
{
    QFont f = l.font();
    f.setPixelSize(pixels);
    f.setStyleStrategy(QFont::NoAntialias);
    l.setFont(f);
    QPalette p = l.palette();
    p.setColor(QPalette::Window, Qt::white);
    p.setColor(QPalette::WindowText, Qt::black);
    p.setColor(QPalette::Light, clair);
    p.setColor(QPalette::Dark, sombre);
    l.setPalette(p);
}

} // namespace

class TestComposants : public QObject {
    Q_OBJECT

private slots:
    void fermerEtDeplacerPanneau();
    void etiquetteRelief_data();
    void etiquetteRelief();
    void etiquetteReliefRevientALaLigne();
    void entreePasseAuControleSuivant();
    void bullesEtLigneEtat();
    void exceptionMontreeEtProgrammeContinue();
    void chargerClasse();
    void echapEtFermeture_data();
    void echapEtFermeture();
    void boiteReelleSansEchappement();
    void boiteReelleAvecAnnuler();
    void repondeurExigeant();
    void groupeRadio_data();
    void groupeRadio();
};

void TestComposants::fermerEtDeplacerPanneau()
{
    QWidget fenetre;
    fenetre.resize(500, 400);
    auto *p = new TWinPanel(&fenetre);
    p->setGeometry(100, 100, 200, 120);
    auto *edit = new QLineEdit(QStringLiteral("notes3e"), p);
    edit->setGeometry(10, 30, 80, 20);
    fenetre.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fenetre));

    // Pressing the title bar or the title text and moving drags the panel;
    // other buttons do nothing.
    const struct {
        QWidget *prise;
        Qt::MouseButton bouton;
        QPoint attendu;
    } cas[] = {
        {p->barreTitre(), Qt::LeftButton, {130, 120}},
        {p->texteTitre(), Qt::LeftButton, {160, 140}},
        {p->barreTitre(), Qt::RightButton, {160, 140}},
    };
    for (const auto &c : cas) {
        const QPoint depart(20, 5);
        QTest::mousePress(c.prise, c.bouton, {}, depart);
        QMouseEvent bouge(QEvent::MouseMove, QPointF(depart),
                          QPointF(c.prise->mapToGlobal(depart) + QPoint(30, 20)), Qt::NoButton, c.bouton, {});
        QApplication::sendEvent(c.prise, &bouge);
        QTest::mouseRelease(c.prise, c.bouton, {}, depart);
        QCOMPARE(p->pos(), c.attendu);
    }

    QTest::mouseClick(p->boutonFermer(), Qt::LeftButton);
    QVERIFY(!p->isVisible());
    p->show();
    QCOMPARE(edit->text(), QStringLiteral("notes3e"));
}

void TestComposants::etiquetteRelief_data()
{
    QTest::addColumn<int>("style");   // -1: never set
    QTest::addColumn<QRgb>("enHaut"); // colour of the copy offset by (-1, -1), 0: none
    QTest::newRow("jamais réglée : en creux") << -1 << qRgb(0, 0, 255);
    QTest::newRow("en relief") << int(tsRaised) << qRgb(255, 0, 0);
    QTest::newRow("aucun") << int(tsNone) << QRgb(0);
}

// Pure colours tell the three drawings of the caption apart: the copy offset
// by (-1, -1) reaches the top rows, the one offset by (+1, +1) the bottom rows.
void TestComposants::etiquetteRelief()
{
    QFETCH(int, style);
    QFETCH(QRgb, enHaut);
    TRzLabel l(QStringLiteral("IIII"));
    if (style >= 0)
        l.setTextStyle(TTextStyle(style));
    peindreEnCouleursPures(l, 30, Qt::red, Qt::blue);
    l.resize(120, 50);
    QImage img(l.size(), QImage::Format_RGB32);
    l.render(&img);
    const auto rouge = lignesDe(img, qRgb(255, 0, 0));
    const auto bleu = lignesDe(img, qRgb(0, 0, 255));
    QVERIFY(lignesDe(img, qRgb(0, 0, 0)).first >= 0);
    if (!enHaut) {
        QCOMPARE(rouge.first + bleu.first, -2);
        return;
    }
    const auto haut = enHaut == qRgb(255, 0, 0) ? rouge : bleu;
    const auto bas = enHaut == qRgb(255, 0, 0) ? bleu : rouge;
    QVERIFY(haut.first >= 0 && haut.first < bas.first && bas.second > haut.second);
}

// A caption wider than the label goes on to a second line rather than
// being cut, although the label's own word wrap was never switched on.
void TestComposants::etiquetteReliefRevientALaLigne()
{
    TRzLabel l(QStringLiteral("IIII IIII"));
    l.setTextStyle(tsNone);
    peindreEnCouleursPures(l, 20);
    const QFontMetrics fm(l.font());
    l.resize(fm.horizontalAdvance(QStringLiteral("IIII")) + 8, 4 * fm.height());
    QImage img(l.size(), QImage::Format_RGB32);
    l.render(&img);
    const auto noir = lignesDe(img, qRgb(0, 0, 0));
    QVERIFY(noir.first >= 0);
    QVERIFY(noir.second - noir.first > fm.height());
}

void TestComposants::entreePasseAuControleSuivant()
{
    QDialog d;
    auto *lay = new QVBoxLayout(&d);
    auto *e1 = new TEditR(&d);
    auto *e2 = new QLineEdit(&d);
    auto *ok = new QPushButton(QStringLiteral("OK"), &d);
    ok->setDefault(true);
    lay->addWidget(e1);
    lay->addWidget(e2);
    lay->addWidget(ok);
    int clics = 0;
    QObject::connect(ok, &QPushButton::clicked, [&] { ++clics; });
    d.show();
    QVERIFY(QTest::qWaitForWindowActive(&d));
    for (const auto touche : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Tab}) {
        e1->setFocus();
        QTest::keyClicks(e1, QStringLiteral("3E"));
        QTest::keyClick(e1, touche);
        QCOMPARE(QApplication::focusWidget(), e2);
    }
    QCOMPARE(e1->text(), QStringLiteral("3E3E3E"));
    QCOMPARE(clics, 0); // the dialog's default button never saw Enter
    QVERIFY(d.isVisible());
}

void TestComposants::bullesEtLigneEtat()
{
    InstallerBulles();
    QWidget fenetre;
    auto *lay = new QVBoxLayout(&fenetre);
    auto *b = new QPushButton(QStringLiteral("&Charger"), &fenetre);
    b->setToolTip(QStringLiteral("Ouvrir une classe"));
    auto *cadre = new QWidget(&fenetre);
    cadre->setToolTip(QStringLiteral("Le cadre"));
    auto *dedans = new QLabel(QStringLiteral("sans bulle"), cadre);
    auto *ligne = new LigneEtat(&fenetre);
    lay->addWidget(b);
    lay->addWidget(cadre);
    lay->addWidget(ligne);
    QWidget autre;
    auto *ligneAutre = new LigneEtat(&autre);
    fenetre.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fenetre));

    QEvent entree(QEvent::Enter), sortie(QEvent::Leave);
    QApplication::sendEvent(b, &entree);
    QCOMPARE(ligne->text(), QStringLiteral("Ouvrir une classe"));
    QVERIFY(ligneAutre->text().isEmpty());
    // A control without a hint shows its parent's, also when going back to it.
    QApplication::sendEvent(dedans, &entree);
    QCOMPARE(ligne->text(), QStringLiteral("Le cadre"));
    QApplication::sendEvent(dedans, &sortie);
    QCOMPARE(ligne->text(), QStringLiteral("Le cadre"));
    QApplication::sendEvent(cadre, &sortie);
    QVERIFY(ligne->text().isEmpty());

    // Without bubbles the status line still shows the hint.
    const bool avant = AfficherBulles;
    QHelpEvent aide(QEvent::ToolTip, QPoint(5, 5), b->mapToGlobal(QPoint(5, 5)));
    AfficherBulles = false;
    QApplication::sendEvent(b, &aide);
    QVERIFY(!QToolTip::isVisible());
    AfficherBulles = true;
    QApplication::sendEvent(b, &aide);
    QTRY_VERIFY(QToolTip::isVisible());
    QToolTip::hideText();
    AfficherBulles = avant;
}

void TestComposants::exceptionMontreeEtProgrammeContinue()
{
    RepondeurScripte r;
    Fautif w;
    QTest::keyClick(&w, Qt::Key_F);
    QTest::keyClick(&w, Qt::Key_X);
    QTest::keyClick(&w, Qt::Key_A);
    QCOMPARE(w.touches, 3);
    QCOMPARE(r.textes(),
             (QStringList{QStringLiteral("Disque plein."), QStringLiteral("Erreur inattendue.")}));
    QCOMPARE(r.boites().first().type, TypeBoite::Erreur);
    QCOMPARE(r.boites().first().titre, QStringLiteral("Vestrel"));
    QVERIFY(!QApplication::overrideCursor());
}

void TestComposants::chargerClasse()
{
    QTemporaryDir dossier;
    DefinirDossierProgramme(dossier.path());
    QCOMPARE(EcrireEleves(dossier.filePath(QStringLiteral("3EME1.VTC")), QList<StudentRecord>(2)).etat,
             EtatEcriture::Ecrit);
    ViderClasse();
    RepondeurScripte r;
    QVERIFY(ChargerClasse(QStringLiteral("3EME1.VTC")));
    QCOMPARE(NbEleves(), 2);
    QVERIFY(r.boites().isEmpty());

    // Still loaded: the teacher is told, and the file replaces the model.
    QVERIFY(ChargerClasse(QStringLiteral("3EME1.VTC")));
    QCOMPARE(r.textes(), QStringList{QStringLiteral("Fichier déjà chargé !")});
    QCOMPARE(r.boites().first().type, TypeBoite::Simple);
    QCOMPARE(NbEleves(), 2);

    r.vider();
    QVERIFY(!ChargerClasse(QStringLiteral("ABSENT.VTC")));
    QCOMPARE(NbEleves(), 0);
    QCOMPARE(r.boites().last().type, TypeBoite::Erreur);
    QCOMPARE(r.dernierTexte(), QStringLiteral("Fichier introuvable."));
    QVERIFY(!QApplication::overrideCursor());
}

// The responder fails a test by itself: a question nobody scripted, an answer left unused.
void TestComposants::repondeurExigeant()
{
    RepondeurScripte r;
    QEXPECT_FAIL("", "a question nobody scripted", Continue);
    QCOMPARE(Messages::confirmation(QStringLiteral("Vraiment ?")), int(BoutonNon));
    QCOMPARE(r.imprevues(), QStringList{QStringLiteral("Vraiment ?")});
    Messages::erreur(QStringLiteral("Un simple avis")); // OK only: answered by itself
    r.prevoir(BoutonOui);
    QEXPECT_FAIL("", "an answer left unused", Continue);
    r.verifier();
    QCOMPARE(r.reponsesRestantes(), 0);
}

void TestComposants::groupeRadio_data()
{
    QTest::addColumn<int>("forme");
    QTest::newRow("cadre") << int(RadioGroupe::Forme::Cadre);
    QTest::newRow("bandeau") << int(RadioGroupe::Forme::Bandeau);
}

void TestComposants::groupeRadio()
{
    QFETCH(int, forme);
    QWidget fenetre;
    auto *g = new RadioGroupe(QStringLiteral("Période"),
                              {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("Année")}, 3,
                              &fenetre, RadioGroupe::Forme(forme));
    g->setGeometry(8, 4, 233, forme == int(RadioGroupe::Forme::Bandeau) ? 33 : 80);
    fenetre.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fenetre));
    QSignalSpy clics(g, &RadioGroupe::clique);
    QCOMPARE(g->itemIndex(), -1);

    // Set by the program: no signal.
    g->setItemIndex(1);
    QCOMPARE(g->itemIndex(), 1);
    QCOMPARE(clics.size(), 0);

    // By the teacher, mouse then keyboard; the checked item answers too.
    QTest::mouseClick(g->bouton(2), Qt::LeftButton);
    QTest::mouseClick(g->bouton(2), Qt::LeftButton);
    g->bouton(2)->setFocus();
    QTest::keyClick(g->bouton(2), Qt::Key_Left);
    QCOMPARE(g->itemIndex(), 1);
    QCOMPARE(clics.size(), 3);
    QCOMPARE(clics.at(0).at(0).toInt(), 2);
    QCOMPARE(clics.at(2).at(0).toInt(), 1);

    // -1 leaves nothing checked; new items start unchecked.
    g->setItemIndex(-1);
    QCOMPARE(g->itemIndex(), -1);
    g->setItem(0, QStringLiteral("Maths."));
    QCOMPARE(g->item(0), QStringLiteral("Maths."));
    g->setItems({QStringLiteral("a"), QStringLiteral("b")});
    QCOMPARE(g->count(), 2);
    QCOMPARE(g->itemIndex(), -1);
    QCOMPARE(g->item(2), QString());

    // Three columns: the items side by side, inside the box.
    g->setItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("Année")});
    QTRY_VERIFY(g->bouton(0)->geometry().right() < g->bouton(1)->geometry().left());
    QVERIFY(g->bouton(1)->geometry().right() < g->bouton(2)->geometry().left());
    for (int i = 0; i < 3; ++i)
        QVERIFY(g->rect().contains(g->bouton(i)->geometry()));
}

// What Escape, the close box and Enter answer, by the buttons of the box.
void TestComposants::echapEtFermeture_data()
{
    QTest::addColumn<int>("boutons");
    QTest::addColumn<int>("defaut"); // asked for
    QTest::addColumn<int>("echap");  // expected; BoutonAucun: refused
    QTest::addColumn<int>("entree"); // expected
    QTest::newRow("Oui/Non") << int(BoutonOui | BoutonNon) << int(BoutonAucun) << int(BoutonAucun)
                             << int(BoutonOui);
    QTest::newRow("Oui/Non, Non par défaut")
        << int(BoutonOui | BoutonNon) << int(BoutonNon) << int(BoutonAucun) << int(BoutonNon);
    QTest::newRow("Oui/Non/Annuler") << int(BoutonOui | BoutonNon | BoutonAnnuler) << int(BoutonAucun)
                                     << int(BoutonAnnuler) << int(BoutonOui);
    QTest::newRow("OK/Annuler") << int(BoutonOk | BoutonAnnuler) << int(BoutonAucun) << int(BoutonAnnuler)
                                << int(BoutonOk);
    QTest::newRow("OK seul") << int(BoutonOk) << int(BoutonAucun) << int(BoutonOk) << int(BoutonOk);
    QTest::newRow("Oui seul") << int(BoutonOui) << int(BoutonAucun) << int(BoutonOui) << int(BoutonOui);
}

void TestComposants::echapEtFermeture()
{
    QFETCH(int, boutons);
    QFETCH(int, defaut);
    QFETCH(int, echap);
    QFETCH(int, entree);
    QCOMPARE(Messages::boutonEchap(boutons), echap);
    for (int geste : {int(ToucheEchap), int(CaseFermeture)}) {
        RepondeurScripte r;
        r.reponsesPourOk(true); // the one-button boxes too
        r.prevoir(geste);
        if (echap == BoutonAucun)
            r.prevoir(BoutonNon);
        const int reponse = Messages::confirmation(QStringLiteral("Question ?"), boutons, defaut);
        if (echap == BoutonAucun) {
            // The box stayed and was answered by the next button.
            QCOMPARE(r.refus(), 1);
            QCOMPARE(r.boites().size(), 2);
            QCOMPARE(reponse, int(BoutonNon));
        } else {
            QCOMPARE(r.refus(), 0);
            QCOMPARE(reponse, echap);
        }
    }
    RepondeurScripte r;
    r.reponsesPourOk(true);
    r.prevoir(ToucheEntree);
    QCOMPARE(Messages::confirmation(QStringLiteral("Question ?"), boutons, defaut), entree);
    QCOMPARE(r.boites().first().defaut, entree);
}

namespace {
// Runs f once the next modal box is up.
template <typename F> void quandBoite(F f)
{
    QTimer::singleShot(0, [f] {
        QTRY_VERIFY(qobject_cast<QMessageBox *>(QApplication::activeModalWidget()));
        f(qobject_cast<QMessageBox *>(QApplication::activeModalWidget()));
    });
}

QAbstractButton *boutonDe(QMessageBox *m, const QString &texte)
{
    for (QAbstractButton *b : m->buttons())
        if (b->text() == texte)
            return b;
    return nullptr;
}
} // namespace

// A real Oui/Non box: Escape, Alt+F4 and the window's close leave it up;
// Enter presses the default; only a button answers.
void TestComposants::boiteReelleSansEchappement()
{
    bool resteOuverte = false;
    bool nonParDefaut = false;
    quandBoite([&](QMessageBox *m) {
        QTest::keyClick(m, Qt::Key_Escape);
        QTest::keyClick(m, Qt::Key_F4, Qt::AltModifier);
        m->close();
        resteOuverte = m->isVisible() && QApplication::activeModalWidget() == m;
        nonParDefaut = m->defaultButton() == boutonDe(m, QStringLiteral("&Non"));
        QTest::keyClick(m, Qt::Key_Return);
    });
    const int r = Messages::avertissement(QStringLiteral("Supprimer ?"), BoutonOui | BoutonNon, BoutonNon);
    QVERIFY(resteOuverte);
    QVERIFY(nonParDefaut);
    QCOMPARE(r, int(BoutonNon));

    quandBoite([](QMessageBox *m) { boutonDe(m, QStringLiteral("&Oui"))->click(); });
    QCOMPARE(Messages::confirmation(QStringLiteral("Enregistrer ?")), int(BoutonOui));
}

// With an Annuler button, Escape is Annuler.
void TestComposants::boiteReelleAvecAnnuler()
{
    quandBoite([](QMessageBox *m) { QTest::keyClick(m, Qt::Key_Escape); });
    QCOMPARE(Messages::confirmation(QStringLiteral("Enregistrer ?"), BoutonOui | BoutonNon | BoutonAnnuler),
             int(BoutonAnnuler));
    quandBoite([](QMessageBox *m) { m->close(); });
    QCOMPARE(Messages::information(QStringLiteral("Fini.")), int(BoutonOk));
}

int main(int argc, char **argv)
{
    ApplicationVestrel app(argc, argv);
    TestComposants t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_composants.moc"

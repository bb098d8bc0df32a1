// The small controls, the status line hints, the general error report and
// the class loading wrapper.
#include "applicationvestrel.h"
#include "chargement.h"
#include "classe.h"
#include "dossier.h"
#include "editr.h"
#include "etatui.h"
#include "parametres.h"
#include "repondeurscripte.h"
#include "rzlabel.h"
#include "sablier.h"
#include "winpanel.h"

#include <QDialog>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <QVBoxLayout>

#include <stdexcept>

namespace {

// A widget whose key handler fails the way a core routine might.
class Fautif : public QWidget {
public:
    bool avecSablier = false;
    int touches = 0;

protected:
    void keyPressEvent(QKeyEvent *e) override
    {
        ++touches;
        if (e->key() == Qt::Key_F) {
            if (avecSablier) {
                Sablier s;
                throw std::runtime_error("Disque plein");
            }
            throw std::runtime_error("Disque plein");
        }
        if (e->key() == Qt::Key_X)
            throw 42;
    }
};

// Where a colour appears in an image: the top and bottom rows holding it.
QPair<int, int> lignesDe(const QImage &img, QRgb couleur)
{
    int haut = -1, bas = -1;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) == couleur) {
                if (haut < 0)
                    haut = y;
                bas = y;
            }
    return {haut, bas};
}

} // namespace

class TestComposants : public QObject {
    Q_OBJECT

private slots:
    void panneauInitial();
    void dispositionPanneau_data();
    void dispositionPanneau();
    void panneauSuitRedimensionnement();
    void fermerCacheSansDetruire();
    void deplacerParLaBarre_data();
    void deplacerParLaBarre();
    void titreCoupe();

    void etiquetteParDefautEnCreux();
    void etiquetteRelief_data();
    void etiquetteRelief();

    void entreePasseAuControleSuivant();

    void bulleDansLigneEtat();
    void bullesMasquees();

    void exceptionMontreeEtProgrammeContinue();

    void chargerClasse();
};

void TestComposants::panneauInitial()
{
    TWinPanel p;
    QCOMPARE(p.size(), QSize(120, 80));
    QVERIFY(p.Titre().isEmpty());
    QCOMPARE(p.CoulFondTitre(), QColor(0, 0, 128));
    QCOMPARE(p.CoulTitre(), QColor(Qt::white));
    QCOMPARE(p.PosTitre(), TWinPanel::Gauche);
    QCOMPARE(p.Bordure(), 1);
    QCOMPARE(p.boutonFermer()->size(), QSize(12, 11));
    QCOMPARE(p.texteTitre()->height(), 14);
    QCOMPARE(p.texteTitre()->font().pointSize(), 8);
}

void TestComposants::dispositionPanneau_data()
{
    QTest::addColumn<int>("bordure");
    QTest::addColumn<bool>("simple");
    QTest::addColumn<int>("largeur");
    QTest::addColumn<QRect>("barre");
    QTest::addColumn<QPoint>("fermer");
    QTest::addColumn<QRect>("texte");
    QTest::newRow("bordure 2, trait simple, 345") << 2 << true << 345 << QRect(2, 2, 337, 14)
                                                 << QPoint(326, 4) << QRect(4, 2, 323, 14);
    QTest::newRow("bordure 2, sans trait, 345") << 2 << false << 345 << QRect(2, 2, 341, 14)
                                               << QPoint(330, 4) << QRect(4, 2, 323, 14);
    QTest::newRow("création") << 1 << false << 120 << QRect(1, 1, 118, 14) << QPoint(106, 3)
                              << QRect(3, 1, 100, 14);
    QTest::newRow("bordure 0, trait simple") << 0 << true << 200 << QRect(0, 0, 196, 14)
                                             << QPoint(183, 2) << QRect(2, 0, 182, 14);
}

void TestComposants::dispositionPanneau()
{
    QFETCH(int, bordure);
    QFETCH(bool, simple);
    QFETCH(int, largeur);
    TWinPanel p;
    p.resize(largeur, 100);
    p.setBordureSimple(simple);
    p.setBordure(bordure);
    QTEST(p.barreTitre()->geometry(), "barre");
    QTEST(p.boutonFermer()->pos(), "fermer");
    QTEST(p.texteTitre()->geometry(), "texte");
}

void TestComposants::panneauSuitRedimensionnement()
{
    TWinPanel p;
    p.setBordure(2);
    p.setBordureSimple(true);
    p.show();
    QVERIFY(QTest::qWaitForWindowExposed(&p));
    p.resize(345, 60);
    QCOMPARE(p.barreTitre()->geometry(), QRect(2, 2, 337, 14));
    QCOMPARE(p.boutonFermer()->pos(), QPoint(326, 4));
    QCOMPARE(p.texteTitre()->width(), 323);
}

void TestComposants::fermerCacheSansDetruire()
{
    QWidget fenetre;
    fenetre.resize(400, 300);
    auto *p = new TWinPanel(&fenetre);
    p->setTitre(QStringLiteral("Exporter"));
    auto *edit = new QLineEdit(p);
    edit->setGeometry(10, 30, 80, 20);
    edit->setText(QStringLiteral("notes3e"));
    fenetre.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fenetre));
    QVERIFY(p->isVisible());
    QTest::mouseClick(p->boutonFermer(), Qt::LeftButton);
    QVERIFY(!p->isVisible());
    p->show();
    QVERIFY(p->isVisible());
    QCOMPARE(edit->text(), QStringLiteral("notes3e"));
    QCOMPARE(p->Titre(), QStringLiteral("Exporter"));
}

void TestComposants::deplacerParLaBarre_data()
{
    QTest::addColumn<int>("prise"); // 0 bar, 1 title text, 2 close button
    QTest::addColumn<Qt::MouseButton>("bouton");
    QTest::addColumn<QPoint>("deplacement");
    QTest::newRow("barre, gauche") << 0 << Qt::LeftButton << QPoint(30, 20);
    QTest::newRow("texte, gauche") << 1 << Qt::LeftButton << QPoint(-15, 40);
    QTest::newRow("barre, droit") << 0 << Qt::RightButton << QPoint(0, 0);
    QTest::newRow("texte, milieu") << 1 << Qt::MiddleButton << QPoint(0, 0);
}

void TestComposants::deplacerParLaBarre()
{
    QFETCH(int, prise);
    QFETCH(Qt::MouseButton, bouton);
    QFETCH(QPoint, deplacement);
    QWidget fenetre;
    fenetre.resize(500, 400);
    auto *p = new TWinPanel(&fenetre);
    p->setGeometry(100, 100, 200, 120);
    fenetre.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fenetre));
    QWidget *cible = prise == 0 ? p->barreTitre() : p->texteTitre();
    const QPoint depart(cible->width() - 30, 5);
    QTest::mousePress(cible, bouton, {}, depart);
    // Move events carry the pressed buttons, as a real drag does.
    QMouseEvent vers(QEvent::MouseMove, QPointF(depart),
                     QPointF(cible->mapToGlobal(depart) + QPointF(deplacement)), Qt::NoButton, bouton, {});
    QApplication::sendEvent(cible, &vers);
    QTest::mouseRelease(cible, bouton, {}, depart);
    QCOMPARE(p->pos(), QPoint(100, 100) + deplacement);
}

void TestComposants::titreCoupe()
{
    TWinPanel p;
    p.setTitre(QString(300, QLatin1Char('x')));
    QCOMPARE(p.Titre().size(), 255);
    QCOMPARE(p.texteTitre()->text().size(), 255);
}

void TestComposants::etiquetteParDefautEnCreux()
{
    TRzLabel l;
    QCOMPARE(l.TextStyle(), tsRecessed);
}

void TestComposants::etiquetteRelief_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<bool>("ombreEnHaut");  // the shadow colour reaches the top rows
    QTest::addColumn<bool>("lumiereEnBas"); // the highlight colour reaches the bottom rows
    QTest::addColumn<bool>("effet");
    QTest::newRow("en creux") << int(tsRecessed) << true << true << true;
    QTest::newRow("en relief") << int(tsRaised) << false << false << true;
    QTest::newRow("aucun") << int(tsNone) << false << false << false;
}

// The label is drawn with pure colours, so that each drawing of the caption
// can be told apart: the copy offset by (-1, -1) reaches the top rows, the
// one offset by (+1, +1) the bottom rows.
void TestComposants::etiquetteRelief()
{
    QFETCH(int, style);
    QFETCH(bool, ombreEnHaut);
    QFETCH(bool, lumiereEnBas);
    QFETCH(bool, effet);
    TRzLabel l(QStringLiteral("IIII"));
    if (style != tsRecessed)
        l.setTextStyle(TTextStyle(style));
    QFont f = l.font();
    f.setPixelSize(30);
    f.setBold(true);
    f.setStyleStrategy(QFont::NoAntialias);
    l.setFont(f);
    QPalette p = l.palette();
    p.setColor(QPalette::Window, Qt::white);
    p.setColor(QPalette::WindowText, Qt::black);
    p.setColor(QPalette::Light, Qt::red);
    p.setColor(QPalette::Dark, Qt::blue);
    l.setPalette(p);
    l.resize(120, 50);
    QImage img(l.size(), QImage::Format_RGB32);
    l.render(&img);
    const auto rouge = lignesDe(img, qRgb(255, 0, 0));
    const auto bleu = lignesDe(img, qRgb(0, 0, 255));
    const auto noir = lignesDe(img, qRgb(0, 0, 0));
    QVERIFY(noir.first >= 0);
    if (!effet) {
        QCOMPARE(rouge.first, -1);
        QCOMPARE(bleu.first, -1);
        return;
    }
    QVERIFY(rouge.first >= 0 && bleu.first >= 0);
    const int haut = qMin(rouge.first, bleu.first);
    const int bas = qMax(rouge.second, bleu.second);
    QCOMPARE(bleu.first == haut, ombreEnHaut);
    QCOMPARE(rouge.second == bas, lumiereEnBas);
    QVERIFY(haut < noir.first && bas > noir.second);
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
    e1->setFocus();
    QTest::keyClicks(e1, QStringLiteral("3EME"));
    QTest::keyClick(e1, Qt::Key_Return);
    QCOMPARE(e1->text(), QStringLiteral("3EME"));
    QCOMPARE(QApplication::focusWidget(), e2);
    QCOMPARE(clics, 0);
    QVERIFY(d.isVisible());

    e1->setFocus();
    QTest::keyClick(e1, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(QApplication::focusWidget(), e2);
    e1->setFocus();
    QTest::keyClick(e1, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), e2);
    QCOMPARE(e1->text(), QStringLiteral("3EME"));
}

void TestComposants::bulleDansLigneEtat()
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
    QCOMPARE(ligne->objectName(), QStringLiteral("StatusLine"));

    QWidget autre;
    auto *ligneAutre = new LigneEtat(&autre);

    QEvent entree(QEvent::Enter);
    QApplication::sendEvent(b, &entree);
    QCOMPARE(ligne->text(), QStringLiteral("Ouvrir une classe"));
    QVERIFY(ligneAutre->text().isEmpty());

    // A control without a hint shows its parent's.
    QApplication::sendEvent(dedans, &entree);
    QCOMPARE(ligne->text(), QStringLiteral("Le cadre"));
    QEvent sortie(QEvent::Leave);
    QApplication::sendEvent(dedans, &sortie);
    QCOMPARE(ligne->text(), QStringLiteral("Le cadre"));
    QApplication::sendEvent(cadre, &sortie);
    QVERIFY(ligne->text().isEmpty());
}

void TestComposants::bullesMasquees()
{
    InstallerBulles();
    QWidget fenetre;
    fenetre.resize(200, 100);
    auto *b = new QPushButton(QStringLiteral("Aide"), &fenetre);
    b->setGeometry(10, 10, 80, 30);
    b->setToolTip(QStringLiteral("Documentation du logiciel"));
    auto *ligne = new LigneEtat(&fenetre);
    ligne->setGeometry(0, 80, 200, 19);
    fenetre.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fenetre));

    const bool avant = AfficherBulles;
    AfficherBulles = false;
    QHelpEvent aide(QEvent::ToolTip, QPoint(5, 5), b->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(b, &aide);
    QVERIFY(!QToolTip::isVisible());
    QEvent entree(QEvent::Enter);
    QApplication::sendEvent(b, &entree);
    QCOMPARE(ligne->text(), QStringLiteral("Documentation du logiciel"));

    AfficherBulles = true;
    QApplication::sendEvent(b, &aide);
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), QStringLiteral("Documentation du logiciel"));
    QToolTip::hideText();
    AfficherBulles = avant;
}

void TestComposants::exceptionMontreeEtProgrammeContinue()
{
    RepondeurScripte r;
    Fautif w;
    w.avecSablier = true;
    QTest::keyClick(&w, Qt::Key_F);
    QCOMPARE(r.boites().size(), 1);
    QCOMPARE(r.boites().first().type, TypeBoite::Erreur);
    QCOMPARE(r.boites().first().titre, QStringLiteral("Vestrel"));
    QCOMPARE(r.boites().first().texte, QStringLiteral("Disque plein."));
    QVERIFY(!QApplication::overrideCursor());

    QTest::keyClick(&w, Qt::Key_X);
    QCOMPARE(r.boites().size(), 2);
    QCOMPARE(r.boites().last().texte, QStringLiteral("Erreur inattendue."));

    QTest::keyClick(&w, Qt::Key_A);
    QCOMPARE(w.touches, 3);
    QCOMPARE(r.boites().size(), 2);
}

void TestComposants::chargerClasse()
{
    QTemporaryDir dossier;
    QVERIFY(dossier.isValid());
    DefinirDossierProgramme(dossier.path());
    QList<StudentRecord> eleves(2);
    eleves[0].Nom = QStringLiteral("MARTIN");
    eleves[1].Nom = QStringLiteral("DURAND");
    QCOMPARE(EcrireEleves(dossier.filePath(QStringLiteral("3EME1.VTC")), eleves).etat, EtatEcriture::Ecrit);
    ViderClasse();

    RepondeurScripte r;
    QVERIFY(ChargerClasse(QStringLiteral("3EME1.VTC")));
    QCOMPARE(NbEleves(), 2);
    QVERIFY(r.boites().isEmpty());
    QVERIFY(!QApplication::overrideCursor());

    // Still loaded: the teacher is told, and the file replaces the model.
    QVERIFY(ChargerClasse(QStringLiteral("3EME1.VTC")));
    QCOMPARE(r.textes(), QStringList{QStringLiteral("Fichier déjà chargé !")});
    QCOMPARE(r.boites().first().type, TypeBoite::Simple);
    QCOMPARE(NbEleves(), 2);

    r.vider();
    QVERIFY(!ChargerClasse(QStringLiteral("ABSENT.VTC")));
    QCOMPARE(NbEleves(), 0);
    QCOMPARE(r.boites().size(), 2);
    QCOMPARE(r.boites().last().type, TypeBoite::Erreur);
    QCOMPARE(r.boites().last().texte, QStringLiteral("Fichier introuvable."));
    QVERIFY(!QApplication::overrideCursor());
}

int main(int argc, char **argv)
{
    ApplicationVestrel app(argc, argv);
    TestComposants t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_composants.moc"

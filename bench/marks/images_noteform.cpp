// Pictures of the mark-entry window on a sample class, one per view, with the
// marks bar and the export panel: images_noteform <folder for the PNG files>
// [2 for a two-subject class, which adds the Ensemble and scrolled views].
#include "tests/common/classeessai.h"
#include "tests/common/repondeurscripte.h"
#include "ui/components/radiogroupe.h"
#include "ui/marks/barrenotes.h"
#include "ui/marks/grillevue.h"
#include "ui/marks/noteform.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

namespace {

template <class T = QWidget> T *Ctl(const QObject &f, const char *nom)
{
    return f.findChild<T *>(QLatin1String(nom));
}

void Choisir(const QObject &f, const char *groupe, int i)
{
    auto *g = Ctl<RadioGroupe>(f, groupe);
    g->setItemIndex(i);
    emit g->clique(i);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString sortie = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    ClasseEssai classe;
    const bool deux = argc > 2;
    classe.construire(false, !deux,
                      {QStringLiteral("BÉNARD Marie-Hélène"), QStringLiteral("DUPONT Jean"),
                       QStringLiteral("ÉMILE Zoé"), QStringLiteral("FONTAINE Hugo"),
                       QStringLiteral("GARNIER Inès"), QStringLiteral("LEROY Tom"),
                       QStringLiteral("MARTIN Paul"), QStringLiteral("PETIT Chloé")},
                      QStringLiteral("2131111111211111"));
    if (deux) {
        CoefPeriode[1] = QStringLiteral("1234567898765432");
        CoefPeriode[2] = QStringLiteral("2121111121211111");
        DecoderCoefDates();
    }
    for (int e = 0; e < 8; ++e)
        for (int d = 1; d <= 6; ++d)
            if ((e + d) % 5)
                ClasseEssai::note(e, 2, d, ((e * 7 + d * 5) % 41) / 2.0);
    ListeEleves[1].Appreciations[VUE_MAT1][2] = QStringLiteral("Travail sérieux, des progrès.");
    RepondeurScripte rep;
    FixerHorloge(QDateTime(QDate(2025, 2, 10), QTime(14, 25)));
    TNoteForm f;
    f.show();
    if (!QTest::qWaitForWindowExposed(&f))
        return 1;
    auto photo = [&](const char *nom) {
        QTest::qWait(150);
        f.grab().save(sortie + u'/' + QString::fromLatin1(nom) + QStringLiteral(".png"));
    };
    auto *grille = Ctl<TStringGrid>(f, "StringGrid1");
    grille->setCourante(2, 3);
    photo("notes");
    f.BB_toolNClick();
    photo("barre");
    f.BB_toolNClick();
    f.BBTextClick();
    photo("export");
    f.BBAbandonClick();
    Ctl<QPushButton>(f, "Button2")->click();
    grille->setCourante(2, 2);
    grille->setFocus();
    for (QChar c :
         QStringLiteral("Connaissances solides, bonne participation à l'oral ; continuez ainsi !")) {
        QWidget *cible = grille;
        for (QLineEdit *e : grille->findChildren<QLineEdit *>())
            if (e->isVisible())
                cible = e;
        QKeyEvent k(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(cible, &k);
    }
    photo("appreciations");
    Ctl<QPushButton>(f, "Button4")->click();
    photo("liste");
    if (deux) {
        Ctl<QPushButton>(f, "Button1")->click();
        Choisir(f, "RadioGroup2", 2);
        photo("ensemble");
        QScrollBar *barre = grille->horizontalScrollBar();
        barre->setValue(barre->maximum());
        photo("ensemble_droite");
        Choisir(f, "RadioGroup1", 3);
        Choisir(f, "RadioGroup2", 0);
        barre->setValue(barre->maximum());
        photo("annee_droite");
    }
    return 0;
}

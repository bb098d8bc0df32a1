// The mark-entry window on a class of 127 students with every mark set:
// opening (fill and first paint), one typed mark up to the refreshed class
// figures, switching view or period. Prints the median and the worst of each.
// Run with QT_QPA_PLATFORM=offscreen (or under Xvfb) on a Release build.
#include "tests/common/classeessai.h"
#include "tests/common/repondeurscripte.h"
#include "ui/components/radiogroupe.h"
#include "ui/marks/grillevue.h"
#include "ui/marks/noteform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

void ClassePleine(ClasseEssai &c)
{
    QStringList noms;
    for (int i = 0; i < NB_ELEVES_MAX; ++i)
        noms << QStringLiteral("ELEVE%1 Prénom").arg(i, 3, 10, QChar(u'0'));
    c.construire(false, true, noms, QStringLiteral("1234567891234567"));
    for (int i = 0; i < NB_ELEVES_MAX; ++i)
        for (int p = 1; p <= 3; ++p)
            for (int d = 1; d <= NB_DEVOIRS; ++d)
                ClasseEssai::note(i, p, d, ((i * 37 + p * 11 + d * 7) % 41) / 2.0);
}

struct Mesure {
    QList<double> ms;
    void ajouter(const std::function<void()> &f)
    {
        QElapsedTimer t;
        t.start();
        f();
        ms.append(t.nsecsElapsed() / 1e6);
    }
    void afficher(const char *quoi, double limite)
    {
        std::sort(ms.begin(), ms.end());
        std::printf("%-48s median %7.2f ms   worst %7.2f ms   (limit %g ms, %lld runs)\n", quoi,
                    ms.at(ms.size() / 2), ms.last(), limite, qlonglong(ms.size()));
    }
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ClasseEssai classe;
    ClassePleine(classe);
    RepondeurScripte repondeur;
    TNoteForm f;
    auto *grille = f.findChild<TStringGrid *>(QStringLiteral("StringGrid1"));
    auto *periode = f.findChild<RadioGroupe *>(QStringLiteral("RadioGroup1"));
    auto *notes = f.findChild<QPushButton *>(QStringLiteral("Button1"));
    auto *appreciations = f.findChild<QPushButton *>(QStringLiteral("Button2"));

    Mesure ouverture;
    for (int i = 0; i < 15; ++i) {
        ouverture.ajouter([&] {
            f.show();
            f.repaint();
        });
        f.hide();
        QApplication::processEvents();
    }
    ouverture.afficher("opening: fill and first paint", 100);

    f.show();
    f.repaint();
    Mesure saisie;
    for (int i = 0; i < 100; ++i) {
        const QModelIndex cellule = grille->model()->index(i % 127, i % 16);
        const QString texte = QString::number(i % 20) + QStringLiteral(".5");
        // What the cell editor does for each key: the cell's new text, then
        // the model and the class figures.
        saisie.ajouter([&] { grille->model()->setData(cellule, texte); });
    }
    saisie.afficher("typed mark to refreshed figures (a period)", 5);

    periode->setItemIndex(3);
    emit periode->clique(3);
    Mesure saisieAnnee;
    for (int i = 0; i < 100; ++i) {
        const QModelIndex cellule = grille->model()->index(i % 127, i % 48);
        const QString texte = QString::number(i % 20) + QStringLiteral(".5");
        saisieAnnee.ajouter([&] { grille->model()->setData(cellule, texte); });
    }
    saisieAnnee.afficher("typed mark to refreshed figures (the year)", 5);
    // A box during the typing means a refused mark was timed, not a stored one.
    if (!repondeur.boites().isEmpty()) {
        std::fprintf(stderr, "bench_noteform : %lld boîte(s) pendant la saisie, mesure faussée : %s\n",
                     qlonglong(repondeur.boites().size()), qPrintable(repondeur.dernierTexte()));
        return 1;
    }

    Mesure vues, periodes;
    for (int i = 0; i < 20; ++i) {
        vues.ajouter([&] {
            appreciations->click();
            f.repaint();
        });
        vues.ajouter([&] {
            notes->click();
            f.repaint();
        });
        periodes.ajouter([&] {
            periode->setItemIndex(i % 4);
            emit periode->clique(i % 4);
            f.repaint();
        });
    }
    vues.afficher("switching view (with repaint)", 50);
    periodes.afficher("switching period (with repaint)", 50);
    return 0;
}

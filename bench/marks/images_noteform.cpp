// Pictures of the mark-entry window on a sample class, one per view, with the
// marks bar and the export panel: images_noteform <folder for the PNG files>.
#include "barrenotes.h"
#include "classeessai.h"
#include "grillevue.h"
#include "noteform.h"
#include "radiogroupe.h"
#include "repondeurscripte.h"
#include "winpanel.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString sortie = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    ClasseEssai classe;
    const bool deux = argc > 2;
    classe.construire(false, !deux,
                      {QStringLiteral("BERNARD Léa"), QStringLiteral("DUPONT Jean"),
                       QStringLiteral("ÉMILE Zoé"), QStringLiteral("FONTAINE Hugo"),
                       QStringLiteral("GARNIER Inès"), QStringLiteral("LEROY Tom"),
                       QStringLiteral("MARTIN Paul"), QStringLiteral("PETIT Chloé")},
                      QStringLiteral("2131111111211111"));
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
    f.StringGrid1->setCourante(2, 3);
    photo("notes");
    f.BB_toolNClick();
    photo("barre");
    f.BB_toolNClick();
    f.BBTextClick();
    photo("export");
    f.BBAbandonClick();
    f.Button2->click();
    photo("appreciations");
    f.Button4->click();
    photo("liste");
    if (deux) {
        f.Button1->click();
        f.RadioGroup2->setItemIndex(2);
        emit f.RadioGroup2->clique(2);
        photo("ensemble");
    }
    return 0;
}

#include "ui/balance/impressionbilan.h"

#include "ui/balance/jauge.h"
#include "ui/components/imprimantes.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

QColor CouleurJauge(int bande)
{
    switch (bande) {
    case 0: return QColor(255, 0, 0);
    case 1: return QColor(0, 0, 255);
    default: return QColor(0, 128, 0);
    }
}

namespace {
const QString CAPTIONS[3] = {QStringLiteral("Moins de 8"), QStringLiteral("Entre 8 et 12"),
                             QStringLiteral("12 ou plus")};

// Text whose top is at y, its horizontal centre on x.
void TexteCentre(QPainter &p, int x, int y, const QString &s)
{
    const QFontMetrics fm = p.fontMetrics();
    p.drawText(x - fm.horizontalAdvance(s) / 2, y + fm.ascent(), s);
}

void TexteAGauche(QPainter &p, int x, int y, const QString &s)
{
    p.drawText(x, y + p.fontMetrics().ascent(), s);
}

QFont PoliceImpression(int taille)
{
    QFont f(QStringLiteral("Courier New"));
    f.setStyleHint(QFont::TypeWriter);
    f.setPointSize(qMax(1, taille));
    return f;
}
} // namespace

void DessinerBilan(QPainter &p, const DonneesBilan &d, int W, int H)
{
    const int u = W / 9;
    const int centres[3] = {u + u / 2, 4 * u + u / 2, 7 * u + u / 2};

    p.save();
    p.setBrush(Qt::white);
    p.setPen(QPen(Qt::black, 1));

    // Point sizes on a painter follow the device's resolution, so both fonts
    // print at their true size.
    QFont titre = PoliceImpression(d.taille + 4);
    titre.setBold(true);
    titre.setUnderline(true);
    p.setFont(titre);
    TexteCentre(p, W / 2, 0,
                d.nomClasse + QStringLiteral("  ") + d.motTitre + QStringLiteral("  Bilan au ") + d.date);

    p.setFont(PoliceImpression(d.taille));
    const int h = p.fontMetrics().height();

    for (int b = 0; b < 3; ++b)
        TexteCentre(p, centres[b], 3 * h, CAPTIONS[b]);

    const int y0 = 5 * h;
    for (int b = 0; b < 3; ++b)
        JaugeCirculaire::dessiner(p, QRectF((1 + 3 * b) * u, y0, u, u), d.jauge(b), QColor(Qt::yellow),
                                  CouleurJauge(b), QColor(Qt::white));
    p.setBrush(Qt::white);
    p.setPen(QPen(Qt::black, 1));

    const int y1 = y0 + u + h;
    for (int b = 0; b < 3; ++b)
        TexteCentre(p, centres[b], y1, d.textePourcentage(b));

    const int y2 = y1 + 3 * h;
    p.drawRect(0, y2 - h, W, 3 * h);
    TexteCentre(p, centres[0], y2, QStringLiteral("Min : ") + d.min);
    TexteCentre(p, centres[1], y2, QStringLiteral("Moy : ") + d.moy);
    TexteCentre(p, centres[2], y2, QStringLiteral("Max : ") + d.max);

    const int y3 = y2 + 3 * h;
    const int pas = h + h / 2;
    for (int b = 0; b < 3; ++b) {
        const int x = 3 * b * u;
        for (int i = 0; i < d.listes[b].size(); ++i) {
            const int y = y3 + i * pas;
            if (y + h > H)
                break;
            TexteAGauche(p, x, y, LigneImprimee(d.listes[b].at(i)));
        }
    }
    p.restore();
}

bool ImprimerBilan(QPrinter &imprimante, const DonneesBilan &d, int copies, QString &erreur)
{
    const QString fichier = imprimante.outputFileName();
    bool ok = true;
    for (int n = 1; n <= copies && ok; ++n) {
        // Each copy is a job of its own; a PDF output gets one file per copy,
        // since a second job would overwrite the first.
        imprimante.setCopyCount(1);
        if (!fichier.isEmpty())
            imprimante.setOutputFileName(Imprimantes::fichierDeCopie(fichier, n));
        QPainter p;
        if (!p.begin(&imprimante)) {
            ok = false;
            break;
        }
        DessinerBilan(p, d, imprimante.width(), imprimante.height());
        ok = p.end();
    }
    if (!ok)
        erreur = QStringLiteral("Erreur d'impression");
    if (!fichier.isEmpty())
        imprimante.setOutputFileName(fichier);
    imprimante.setPageOrientation(QPageLayout::Portrait);
    return ok;
}

#include "ui/marks/bandeaucoefs.h"

#include "ui/marks/grillevue.h"

#include <QLabel>

TBandeauCoefs::TBandeauCoefs(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("Panel_coef"));
    setGeometry(109, 43, 409, 18);
    setToolTip(QStringLiteral("Coefficients"));
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(0, 128, 128));
    p.setColor(QPalette::WindowText, QColor(0, 255, 255));
    setPalette(p);
    setAutoFillBackground(true);
    QFont courier(QStringLiteral("Courier New"), 9);
    courier.setStyleHint(QFont::TypeWriter);
    courier.setBold(true);
    const char *noms[8] = {"lc1", "lc2", "Lc3", "Lc4", "Lc5", "Lc6", "Lc7", "Lc8"};
    for (int i = 0; i < 8; ++i) {
        m_lc[i] = new QLabel(this);
        m_lc[i]->setObjectName(QString::fromLatin1(noms[i]));
        m_lc[i]->setGeometry(0, 1, 12, 16);
        m_lc[i]->setFont(courier);
    }
}

void TBandeauCoefs::suivre(const TStringGrid &grille)
{
    const int gauche = grille.x() + grille.viewport()->x();
    setGeometry(gauche, y(), grille.x() + grille.width() - gauche, height());
    placer(grille);
}

// The panel starts where the grid's viewport does: a column's place in the
// viewport is its place in the panel.
void TBandeauCoefs::placer(const TStringGrid &grille)
{
    const int premiere = grille.LeftCol();
    int x = grille.ColCount() > premiere ? grille.xColonne(premiere) : 0;
    for (int i = 0; i < 8; ++i) {
        const int col = premiere + i;
        const int w = grille.largeurColonne(col);
        if (col < grille.ColCount())
            x = grille.xColonne(col);
        m_lc[i]->move(x + w / 2 - m_lc[i]->width() / 2 + 1, m_lc[i]->y());
        x += w;
    }
}

void TBandeauCoefs::afficher(const TStringGrid &grille, const std::function<int(int)> &coef)
{
    placer(grille);
    const int premiere = grille.LeftCol();
    for (int i = 0; i < 8; ++i) {
        const int col = premiere + i;
        const int k = col < grille.ColCount() ? coef(col) : -1;
        m_lc[i]->setText(k >= 0 ? QString::number(k) : QString());
    }
}

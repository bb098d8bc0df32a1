#pragma once
// The coefficient strip over the grid (Panel_coef): one label (lc1, lc2,
// Lc3 ... Lc8) over the middle of each of the first eight data columns in
// sight, laid again wherever the grid has scrolled.
#include <QFrame>
#include <functional>

class QLabel;
class TStringGrid;

class TBandeauCoefs : public QFrame {
    Q_OBJECT
public:
    explicit TBandeauCoefs(QWidget *parent);

    // Over the grid's data columns, as wide as the rest of the grid, the
    // labels over the columns where the grid shows them now.
    void suivre(const TStringGrid &grille);
    // Each label shows coef(column) of the column under it; empty past the
    // last column or for a negative value.
    void afficher(const TStringGrid &grille, const std::function<int(int)> &coef);

private:
    void placer(const TStringGrid &grille);

    QLabel *m_lc[8];
};

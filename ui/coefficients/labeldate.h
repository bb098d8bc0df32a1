#pragma once
// The date under an assignment's coefficient: a click selects it (red on
// white) so that the calendar or "A" can change it.
#include <QLabel>

class LabelDate : public QLabel {
    Q_OBJECT
public:
    explicit LabelDate(QWidget *parent = nullptr);

    bool estRouge() const;
    bool estFondBlanc() const;
    void selectionner();   // red on white
    void deselectionner(); // black on the button face

    // Black on the button face, for any label of a period row.
    static void couleursNormales(QLabel *l);

signals:
    void clique(LabelDate *l);

protected:
    void mousePressEvent(QMouseEvent *e) override;
};

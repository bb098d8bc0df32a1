#pragma once
// Pie gauge: a value from 0 to 100 shown as a sector of a disc, from the top
// and clockwise, with "33%" in the centre drawn inverted against whatever
// lies beneath each part of the text, so it stays readable on both colours.
#include <QColor>
#include <QWidget>

class QPainter;

class JaugeCirculaire : public QWidget {
    Q_OBJECT
public:
    explicit JaugeCirculaire(QWidget *parent = nullptr);

    int valeur() const { return m_valeur; }
    void definirValeur(int v); // held to 0..100
    QColor fond() const { return m_fond; }
    QColor remplissage() const { return m_remplissage; }
    void definirCouleurs(const QColor &fond, const QColor &remplissage);

    QString texte() const; // "33%"

    // Draws a gauge into any painter (screen, image, printer). dessous is the
    // colour around the disc.
    static void dessiner(QPainter &p, const QRectF &r, int valeur, const QColor &fond,
                         const QColor &remplissage, const QColor &dessous);

    QSize sizeHint() const override { return {65, 65}; }

protected:
    void paintEvent(QPaintEvent *) override;

private:
    int m_valeur = 0;
    QColor m_fond = Qt::yellow;
    QColor m_remplissage = Qt::red;
};

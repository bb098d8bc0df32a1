#pragma once
// The marks bar: 41 labels, "0" to "20" and "0.5" to "19.5", that the
// teacher drags onto the grid. It sits docked at the top of the window or
// floats in its own small window; its grip moves it, a double click on the
// grip docks it back or sets it floating.
#include <QFrame>
#include <QLabel>

// Data type of a dragged mark: the label's caption.
inline constexpr char TypeNoteGlissee[] = "application/x-vestrel-note";

class EtiquetteNote : public QLabel {
    Q_OBJECT
public:
    EtiquetteNote(const QString &note, QWidget *parent);

protected:
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;

private:
    QPoint m_depart;
};

class TBarreNotes : public QFrame {
    Q_OBJECT
public:
    explicit TBarreNotes(QWidget *fenetre);

    // The labels are made when the bar first shows: most sessions never show it.
    void setVisible(bool visible) override;
    QList<EtiquetteNote *> etiquettes();
    EtiquetteNote *etiquette(const QString &note);

    bool flottante() const { return m_flottante; }
    void ancrer(const QPoint &position); // back into the window at that place
    void detacher(const QPoint &global); // a small window of its own

protected:
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void paintEvent(QPaintEvent *e) override;

private:
    void garnir();
    bool surPoignee(const QPoint &p) const { return p.x() < 10; }

    QWidget *m_fenetre;
    QList<EtiquetteNote *> m_etiquettes;
    bool m_flottante = false;
    bool m_deplacement = false;
    QPoint m_prise;
    QPoint m_ancrage{27, 0};
};

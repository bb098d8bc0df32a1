#pragma once
// The calendar of the coefficients dialog: a panel over the dialog that can
// be dragged out to float as a window of its own, and widened to show
// several months side by side. Its height never changes.
#include <QDate>
#include <QFrame>
#include <QList>

class QCalendarWidget;
class QHBoxLayout;
class QLabel;
class QToolButton;

class PanneauCalendrier : public QFrame {
    Q_OBJECT
public:
    static constexpr int Hauteur = 210;

    explicit PanneauCalendrier(QWidget *dialogue);

    QCalendarWidget *premierMois() const { return m_mois.first(); }
    int nombreDeMois() const { return int(m_mois.size()); }
    QCalendarWidget *mois(int i) const { return m_mois.value(i); }

    QDate date() const { return m_date; }
    void setDate(const QDate &d);

    bool flottant() const { return isWindow(); }
    void detacher(const QPoint &global);
    void rattacher(); // back inside the dialog, where it was

signals:
    void dateCliquee(const QDate &d);

protected:
    bool eventFilter(QObject *objet, QEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    QCalendarWidget *nouveauMois();
    void ajusterMois();
    void suivre(int depuis);
    void cliquer(const QDate &d);
    void majBouton();

    QWidget *m_dialogue;
    QWidget *m_bandeau;
    QLabel *m_titre;
    QToolButton *m_detacher;
    QHBoxLayout *m_rangee;
    QList<QCalendarWidget *> m_mois;
    QDate m_date;
    int m_marge = 0; // panel width beyond the months
    QPoint m_prise;  // pointer offset inside the panel while dragging
    bool m_glisse = false;
    bool m_synchro = false;
};

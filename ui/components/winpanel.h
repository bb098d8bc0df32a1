#pragma once
// A panel with its own title bar, which the user drags to move the panel
// inside its parent and whose small cross hides it.
#include <QColor>
#include <QFrame>

class QLabel;
class QPushButton;

class TWinPanel : public QFrame {
    Q_OBJECT
public:
    enum Alignement { Gauche, Droite, Centre };

    explicit TWinPanel(QWidget *parent = nullptr);

    QString Titre() const { return m_titre; }
    void setTitre(const QString &titre); // cut to 255 characters
    QColor CoulFondTitre() const { return m_coulFond; }
    void setCoulFondTitre(const QColor &c);
    QColor CoulTitre() const { return m_coulTitre; }
    void setCoulTitre(const QColor &c);
    Alignement PosTitre() const { return m_pos; }
    void setPosTitre(Alignement a);
    int Bordure() const { return m_bordure; }
    void setBordure(int b);
    // The single-line border around the panel (off at creation).
    bool BordureSimple() const { return m_bordureSimple; }
    void setBordureSimple(bool oui);

    QWidget *barreTitre() const { return m_barre; }
    QLabel *texteTitre() const { return m_texte; }
    QPushButton *boutonFermer() const { return m_fermer; }

protected:
    void resizeEvent(QResizeEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    bool eventFilter(QObject *objet, QEvent *e) override;

private:
    void disposer();
    void appliquerCouleurs();

    QString m_titre;
    QColor m_coulFond{0, 0, 128};
    QColor m_coulTitre{Qt::white};
    Alignement m_pos = Gauche;
    int m_bordure = 1;
    bool m_bordureSimple = false;

    QWidget *m_barre;
    QLabel *m_texte;
    QPushButton *m_fermer;

    bool m_deplacement = false;
    QPoint m_prise; // where the title bar was taken, in the panel's coordinates
};

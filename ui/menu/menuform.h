#pragma once
// The main window: class catalogue and the program's start-up.
#include <QMainWindow>
#include <QPixmap>

class QDialog;
class QFrame;
class QLabel;
class QPushButton;
class QTimer;
class ListeCatalogue;
class LigneEtat;
class TRzLabel;

extern bool DepuisLigneCommande;

class TMenuForm : public QMainWindow {
    Q_OBJECT
public:
    // Started on a class, the menu's content is built when it first shows,
    // after the class's window has painted.
    enum class Contenu { Immediat, AuPremierAffichage };
    explicit TMenuForm(QWidget *parent = nullptr, Contenu contenu = Contenu::Immediat);

    void setVisible(bool visible) override;

    // The program's argument, kept for the first tick of the start-up timer.
    void definirArgument(const QString &argument) { m_argument = argument; }

    // Shows the menu; with a class file as argument, opens the class first:
    // its mark-entry window paints before anything else, and the menu shows
    // beneath it just after.
    void demarrer(const QString &argument);

    // The chosen class: the selected entry's text, empty when none.
    QString classeChoisie() const;

    // Repaints the window and rebuilds the catalogue from the program folder.
    void Repeint();

    // Handlers.
    void FormActivate();
    void Timer3Timer();
    void BB1Click();      // &Charger
    void BB2Click();      // C&réer
    void BB3Click();      // &Modifier
    void BB4Click();      // &Dupliquer
    void B6Click();       // &Supprimer
    void BBSauverClick(); // Sau&vegarder
    void BB7Click();      // &Aide
    void BB5Click();      // &Quitter
    void Label1Click();   // the publisher's page

    static QString adresseEditeur();

    ListeCatalogue *LB1 = nullptr;
    QPushButton *BB1 = nullptr, *BB2 = nullptr, *BB3 = nullptr, *BB4 = nullptr, *B6 = nullptr,
                *BBSauver = nullptr, *BB7 = nullptr, *BB5 = nullptr;
    LigneEtat *StatusLine = nullptr;
    QLabel *Label1 = nullptr;
    QFrame *Panel1 = nullptr, *Panel2 = nullptr;
    TRzLabel *RzLabel1 = nullptr, *RzLabel2 = nullptr;
    QTimer *Timer3;

protected:
    // The windows opened from here, each built on its first opening; tests
    // record the showing instead.
    enum class Fenetre { Notes, Configuration, Sauvegarde };
    void ouvrirFenetre(Fenetre quoi);
    virtual void montrerFenetre(Fenetre quoi);

    void paintEvent(QPaintEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void changeEvent(QEvent *e) override;
    bool eventFilter(QObject *objet, QEvent *e) override;

private:
    void construire();
    void preparerFenetres();
    QPushButton *bouton(const char *nom, const QString &texte, const QString &bulle, int rang);
    void choisir(const QString &entree);
    void effacerChoix();
    void actionDeposee(QPushButton *b);

    QPixmap m_fond;
    QString m_argument;
    bool m_dejaActive = false;
    bool m_peinte = false;
    bool m_construit = false;
};

extern TMenuForm *MenuForm;

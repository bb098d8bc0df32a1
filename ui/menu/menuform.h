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
    explicit TMenuForm(QWidget *parent = nullptr);

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

    ListeCatalogue *LB1;
    QPushButton *BB1, *BB2, *BB3, *BB4, *B6, *BBSauver, *BB7, *BB5;
    LigneEtat *StatusLine;
    QLabel *Label1;
    QFrame *Panel1, *Panel2;
    TRzLabel *RzLabel1, *RzLabel2;
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
    void preparerFenetres();
    QPushButton *bouton(const char *nom, const QString &texte, const QString &bulle, int rang);
    void choisir(const QString &entree);
    void effacerChoix();
    void actionDeposee(QPushButton *b);

    QPixmap m_fond;
    QString m_argument;
    bool m_dejaActive = false;
    bool m_peinte = false;
};

extern TMenuForm *MenuForm;

#pragma once
// Keeps a second copy of the program from running: the second copy asks the
// first one to come forward and ends. Works through a local socket in the
// temporary folder whose name is formed from the program's title and the
// user's name. Plain sockets: a network library would cost every start.
#include <QObject>

class QSocketNotifier;
class QWidget;

class TOnlyOne : public QObject {
    Q_OBJECT
public:
    // Runs the guard: either this copy now owns the name, or another copy
    // answered and was asked to come forward.
    explicit TOnlyOne(const QString &titre, QObject *parent = nullptr);
    ~TOnlyOne() override;

    // True when another copy is running: this one must end.
    bool autreCopie() const { return m_autreCopie; }
    QString nom() const { return m_nom; }

    // "OnlyOne" + the first 20 characters of the title + the user's name.
    static QString nomPour(const QString &titre);

signals:
    // A later copy asked this one to come forward.
    void activationDemandee();

private:
    bool ecouter();
    bool demanderActivation();
    void nouvelleConnexion();

    QString m_nom;
    QByteArray m_chemin; // the socket file
    int m_serveur = -1;
    QSocketNotifier *m_attente = nullptr;
    bool m_autreCopie = false;
};

// Brings a window forward: restored when minimised, raised and activated;
// the modal window open over it, if any, comes forward with it.
void AmenerAuPremierPlan(QWidget *fenetre);

#include "platform/gui/instance.h"

#include <QApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QRegularExpression>
#include <QWidget>

#include <pwd.h>
#include <unistd.h>

namespace {
const QByteArray DEMANDE = "activer\n";
const QByteArray REPONSE = "ok\n";
constexpr int ATTENTE_MS = 2000;

QString utilisateur()
{
    // The account, not the environment: USER is not always set.
    const uid_t uid = ::getuid();
    if (const passwd *pw = ::getpwuid(uid); pw && pw->pw_name && *pw->pw_name)
        return QString::fromLocal8Bit(pw->pw_name);
    return QString::number(uid);
}
} // namespace

QString TOnlyOne::nomPour(const QString &titre)
{
    QString nom = QStringLiteral("OnlyOne") + titre.left(20) + QLatin1Char('-') + utilisateur();
    // The name becomes a file name in the temporary folder.
    static const QRegularExpression interdits(QStringLiteral("[^A-Za-z0-9_.-]"));
    return nom.replace(interdits, QStringLiteral("_"));
}

TOnlyOne::TOnlyOne(const QString &titre, QObject *parent)
    : QObject(parent)
    , m_nom(nomPour(titre))
{
    m_serveur = new QLocalServer(this);
    // No access option: with one, Qt renames its socket over an existing
    // name, and a second copy would silently take the name of the first.
    connect(m_serveur, &QLocalServer::newConnection, this, &TOnlyOne::nouvelleConnexion);

    for (int essai = 0; essai < 3; ++essai) {
        if (m_serveur->listen(m_nom))
            return;
        if (demanderActivation()) {
            m_autreCopie = true;
            return;
        }
        // Nobody answers on the name: a copy that ended without letting it
        // go (a crash). Take the name over.
        QLocalServer::removeServer(m_nom);
    }
    // The name cannot be had at all: run without the guard rather than not at all.
    qWarning("TOnlyOne: %s", qPrintable(m_serveur->errorString()));
}

TOnlyOne::~TOnlyOne()
{
    if (m_serveur)
        m_serveur->close(); // removes the socket file
}

bool TOnlyOne::demanderActivation()
{
    QLocalSocket s;
    s.connectToServer(m_nom);
    if (!s.waitForConnected(ATTENTE_MS))
        return false;
    s.write(DEMANDE);
    if (!s.waitForBytesWritten(ATTENTE_MS))
        return false;
    QByteArray recu;
    while (!recu.contains('\n')) {
        if (!s.waitForReadyRead(ATTENTE_MS))
            return false;
        recu += s.readAll();
    }
    return recu == REPONSE;
}

void TOnlyOne::nouvelleConnexion()
{
    while (QLocalSocket *s = m_serveur->nextPendingConnection()) {
        connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
        connect(s, &QLocalSocket::readyRead, this, [this, s] {
            if (!s->canReadLine())
                return;
            const QByteArray ligne = s->readLine();
            if (ligne == DEMANDE) {
                s->write(REPONSE);
                s->flush();
                emit activationDemandee();
            }
            s->disconnectFromServer();
        });
    }
}

void AmenerAuPremierPlan(QWidget *fenetre)
{
    if (!fenetre)
        return;
    if (fenetre->isMinimized())
        fenetre->showNormal();
    else if (!fenetre->isVisible())
        fenetre->show();
    fenetre->raise();
    fenetre->activateWindow();
    if (QWidget *modale = QApplication::activeModalWidget()) {
        if (modale != fenetre) {
            if (modale->isMinimized())
                modale->showNormal();
            modale->raise();
            modale->activateWindow();
        }
    }
}

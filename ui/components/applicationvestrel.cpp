#include "ui/components/applicationvestrel.h"

#include "ui/components/messages.h"

#include <exception>
#include <new>

ApplicationVestrel::ApplicationVestrel(int &argc, char **argv)
    : QApplication(argc, argv)
{ }

bool ApplicationVestrel::notify(QObject *destinataire, QEvent *e)
{
    QString message;
    try {
        return QApplication::notify(destinataire, e);
    } catch (const std::bad_alloc &) {
        message = QStringLiteral("Mémoire insuffisante");
    } catch (const std::exception &ex) {
        message = QString::fromUtf8(ex.what());
        if (message.isEmpty())
            message = QStringLiteral("Erreur inattendue");
    } catch (...) {
        message = QStringLiteral("Erreur inattendue");
    }
    Messages::rapportErreur(message);
    return false;
}

#include "platform/gui/shell.h"

#include <QDesktopServices>
#include <QFileInfo>

namespace {
std::function<bool(const QUrl &)> &ouvreur()
{
    static std::function<bool(const QUrl &)> f;
    return f;
}

bool ouvrir(const QUrl &url)
{
    if (ouvreur())
        return ouvreur()(url);
    return QDesktopServices::openUrl(url);
}
} // namespace

bool OuvrirDocument(const QString &chemin)
{
    if (!QFileInfo::exists(chemin))
        return false;
    return ouvrir(QUrl::fromLocalFile(QFileInfo(chemin).absoluteFilePath()));
}

bool OuvrirAdresse(const QString &adresse)
{
    return ouvrir(QUrl(adresse));
}

void DefinirOuvreur(std::function<bool(const QUrl &)> f)
{
    ouvreur() = std::move(f);
}

#include "platform/recents.h"

#include "platform/ecrituresure.h"
#include "platform/horloge.h"
#include "platform/lecturesure.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>
#include <QTimer>
#include <QUrl>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <utility>

namespace {

bool g_actif = true;

QString fichierXbel()
{
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return base + QStringLiteral("/recently-used.xbel");
}

QString horodatage()
{
    return Maintenant().toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz000Z"));
}

QString nomAppli()
{
    return QCoreApplication::instance() ? QCoreApplication::applicationName() : QStringLiteral("vestrel");
}

void ecrireSignet(QXmlStreamWriter &w, const QString &href, const QString &instant)
{
    const QString bk = QStringLiteral("http://www.freedesktop.org/standards/desktop-bookmarks");
    const QString mime = QStringLiteral("http://www.freedesktop.org/standards/shared-mime-info");
    w.writeStartElement(QStringLiteral("bookmark"));
    w.writeAttribute(QStringLiteral("href"), href);
    w.writeAttribute(QStringLiteral("added"), instant);
    w.writeAttribute(QStringLiteral("modified"), instant);
    w.writeAttribute(QStringLiteral("visited"), instant);
    w.writeStartElement(QStringLiteral("info"));
    w.writeStartElement(QStringLiteral("metadata"));
    w.writeAttribute(QStringLiteral("owner"), QStringLiteral("http://freedesktop.org"));
    w.writeEmptyElement(mime, QStringLiteral("mime-type"));
    w.writeAttribute(QStringLiteral("type"), QStringLiteral("application/octet-stream"));
    w.writeStartElement(bk, QStringLiteral("applications"));
    w.writeEmptyElement(bk, QStringLiteral("application"));
    w.writeAttribute(QStringLiteral("name"), nomAppli());
    w.writeAttribute(QStringLiteral("exec"), QStringLiteral("'%1 %u'").arg(nomAppli()));
    w.writeAttribute(QStringLiteral("modified"), instant);
    w.writeAttribute(QStringLiteral("count"), QStringLiteral("1"));
    w.writeEndElement(); // applications
    w.writeEndElement(); // metadata
    w.writeEndElement(); // info
    w.writeEndElement(); // bookmark
}

} // namespace

void ActiverDocumentsRecents(bool actif)
{
    g_actif = actif;
}

namespace {

bool g_differer = false;
QStringList g_enAttente;

void Enregistrer(const QString &cheminComplet);

} // namespace

void DiffererDocumentsRecents(bool oui)
{
    g_differer = oui;
}

void EcrireDocumentsRecentsEnAttente()
{
    const QStringList chemins = std::exchange(g_enAttente, {});
    for (const QString &c : chemins)
        Enregistrer(c);
}

void AjouterDocumentRecent(const QString &cheminComplet)
{
    if (!g_actif || cheminComplet.isEmpty())
        return;
    if (g_differer && QCoreApplication::instance()) {
        g_enAttente.append(cheminComplet);
        // Long enough for the window to open and paint first.
        if (g_enAttente.size() == 1)
            QTimer::singleShot(500, QCoreApplication::instance(), [] { EcrireDocumentsRecentsEnAttente(); });
        return;
    }
    Enregistrer(cheminComplet);
}

namespace {

void Enregistrer(const QString &cheminComplet)
{
    const QString chemin = fichierXbel();
    const QString href =
        QUrl::fromLocalFile(QFileInfo(cheminComplet).absoluteFilePath()).toString(QUrl::FullyEncoded);
    const QString instant = horodatage();

    QByteArray ancien;
    {
        QString message;
        bool absent = false;
        if (!LireFichierBorne(chemin, TAILLE_MAX_BASE, ancien, message, &absent) && !absent)
            return;
    }

    QByteArray nouveau;
    QXmlStreamWriter w(&nouveau);
    w.setAutoFormatting(true);
    bool trouve = false;
    if (ancien.trimmed().isEmpty()) {
        w.writeStartDocument();
        w.writeNamespace(QStringLiteral("http://www.freedesktop.org/standards/desktop-bookmarks"),
                         QStringLiteral("bookmark"));
        w.writeNamespace(QStringLiteral("http://www.freedesktop.org/standards/shared-mime-info"),
                         QStringLiteral("mime"));
        w.writeStartElement(QStringLiteral("xbel"));
        w.writeAttribute(QStringLiteral("version"), QStringLiteral("1.0"));
        ecrireSignet(w, href, instant);
        w.writeEndElement();
        w.writeEndDocument();
    } else {
        // Copy the other applications' entries as they are; touch ours or add it.
        QXmlStreamReader r(ancien);
        int profondeur = 0;
        while (!r.atEnd()) {
            r.readNext();
            if (r.isStartElement()) {
                ++profondeur;
                if (profondeur == 2 && r.name() == QLatin1String("bookmark")
                    && r.attributes().value(QLatin1String("href")) == href) {
                    trouve = true;
                    w.writeStartElement(r.namespaceUri().toString(), r.name().toString());
                    for (const QXmlStreamAttribute &a : r.attributes()) {
                        const bool date =
                            a.name() == QLatin1String("modified") || a.name() == QLatin1String("visited");
                        w.writeAttribute(a.qualifiedName().toString(), date ? instant : a.value().toString());
                    }
                    continue;
                }
            } else if (r.isEndElement()) {
                if (profondeur == 1 && !trouve)
                    ecrireSignet(w, href, instant);
                --profondeur;
            } else if (r.isStartDocument()) {
                w.writeStartDocument();
                continue;
            } else if (r.tokenType() == QXmlStreamReader::Characters && r.isWhitespace()) {
                continue; // the writer indents by itself
            }
            if (r.tokenType() != QXmlStreamReader::Invalid)
                w.writeCurrentToken(r);
        }
        if (r.hasError())
            return; // somebody else's damaged file: leave it alone
    }

    QDir().mkpath(QFileInfo(chemin).absolutePath());
    EcrireFichierSur(chemin, nouveau); // the desktop's list: nothing to tell the teacher
}

} // namespace

#include "ui/menu/catalogue.h"

#include "platform/casse.h"

#include <QCoreApplication>
#include <QDir>
#include <QMimeData>

#include <algorithm>

QString ExtensionDe(const QString &nom)
{
    const int point = int(nom.lastIndexOf(QLatin1Char('.')));
    if (point < 0)
        return {};
    const QString ext = nom.mid(point);
    if (ext.contains(QLatin1Char('\\')) || ext.contains(QLatin1Char(':')) || ext.contains(QLatin1Char('/')))
        return {};
    return ext;
}

bool EstNomDeClasse(const QString &nom)
{
    return MajusculesAscii(ExtensionDe(nom)) == QLatin1String(".VTC");
}

QStringList ListerClasses(const QString &dossier)
{
    const QStringList tout = QDir(dossier).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
    QStringList classes;
    for (const QString &nom : tout) {
        if (EstNomDeClasse(nom))
            classes << nom;
    }
    std::sort(classes.begin(), classes.end(), [](const QString &a, const QString &b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return classes;
}

ListeCatalogue::ListeCatalogue(QWidget *parent)
    : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setDefaultDropAction(Qt::CopyAction);
}

QString ListeCatalogue::formatMime()
{
    return QStringLiteral("application/x-vestrel-classe");
}

QByteArray ListeCatalogue::identite() const
{
    return QByteArray::number(QCoreApplication::applicationPid()) + ':'
        + QByteArray::number(quintptr(this), 16);
}

QMimeData *ListeCatalogue::mimeData(const QList<QListWidgetItem *> &items) const
{
    if (items.isEmpty())
        return nullptr;
    auto *d = new QMimeData;
    d->setData(formatMime(), identite() + '\n' + items.first()->text().toUtf8());
    d->setText(items.first()->text());
    return d;
}

Qt::DropActions ListeCatalogue::supportedDropActions() const
{
    // A move would take the entry out of the list once dropped.
    return Qt::CopyAction;
}

QString ListeCatalogue::entreeGlissee(const QMimeData *donnees) const
{
    if (!donnees || !donnees->hasFormat(formatMime()))
        return {};
    const QByteArray d = donnees->data(formatMime());
    const int fin = int(d.indexOf('\n'));
    if (fin < 0 || d.left(fin) != identite())
        return {};
    return QString::fromUtf8(d.mid(fin + 1));
}

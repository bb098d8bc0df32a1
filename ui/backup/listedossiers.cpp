#include "ui/backup/listedossiers.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>
#include <QStyle>

ListeDossiers::ListeDossiers(QWidget *parent)
    : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setIconSize(QSize(16, 16));
    connect(this, &QListWidget::itemActivated, this, [this](QListWidgetItem *item) {
        if (item)
            choisir(item->data(Qt::UserRole).toString());
    });
}

void ListeDossiers::choisir(const QString &chemin)
{
    placer(chemin);
    // Announced even when unchanged: activating the folder already shown
    // is how the teacher picks it.
    emit dossierChange(m_dossier);
}

void ListeDossiers::placer(const QString &chemin)
{
    QFileInfo info(chemin);
    if (chemin.isEmpty() || !info.isDir())
        info = QFileInfo(QDir::homePath());
    m_dossier = QDir::cleanPath(info.absoluteFilePath());
    remplir();
}

void ListeDossiers::remplir()
{
    clear();
    const QIcon ouvert = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon ferme = style()->standardIcon(QStyle::SP_DirIcon);

    // The chain from the root down to the current folder, each one step
    // further right, then the folders inside the current one.
    QStringList chaine;
    for (QDir d(m_dossier);;) {
        chaine.prepend(d.absolutePath());
        if (d.isRoot() || !d.cdUp())
            break;
    }
    int niveau = 0;
    QListWidgetItem *courant = nullptr;
    for (const QString &c : chaine) {
        const QString nom = QDir(c).isRoot() ? QDir::toNativeSeparators(c) : QFileInfo(c).fileName();
        auto *item = new QListWidgetItem(ouvert, QString(niveau * 2, QLatin1Char(' ')) + nom, this);
        item->setData(Qt::UserRole, c);
        item->setToolTip(QDir::toNativeSeparators(c));
        courant = item;
        ++niveau;
    }
    const QDir dossier(m_dossier);
    const QStringList sous = dossier.entryList(QDir::Dirs | QDir::NoDotAndDotDot,
                                               QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
    for (const QString &s : sous) {
        auto *item = new QListWidgetItem(ferme, QString(niveau * 2, QLatin1Char(' ')) + s, this);
        item->setData(Qt::UserRole, dossier.absoluteFilePath(s));
    }
    if (courant)
        setCurrentItem(courant);
}

ListeEmplacements::ListeEmplacements(QWidget *parent)
    : QComboBox(parent)
{
    actualiser();
    connect(this, &QComboBox::activated, this, [this](int) { emit emplacementChange(emplacement()); });
}

void ListeEmplacements::actualiser()
{
    const QString avant = emplacement();
    clear();
    addItem(QStringLiteral("Dossier personnel"), QDir::homePath());
    addItem(QStringLiteral("Racine du système (/)"), QDir::rootPath());
    // Removable and other mounted disks; the system's own mounts are left out.
    const QStringList systeme = {QStringLiteral("/proc"), QStringLiteral("/sys"),  QStringLiteral("/dev"),
                                 QStringLiteral("/run"),  QStringLiteral("/boot"), QStringLiteral("/snap"),
                                 QStringLiteral("/var"),  QStringLiteral("/tmp"),  QStringLiteral("/etc"),
                                 QStringLiteral("/usr")};
    for (const QStorageInfo &v : QStorageInfo::mountedVolumes()) {
        const QString racine = v.rootPath();
        if (!v.isValid() || !v.isReady() || racine == QDir::rootPath())
            continue;
        const bool media = racine.startsWith(QStringLiteral("/media/"))
            || racine.startsWith(QStringLiteral("/run/media/")) || racine.startsWith(QStringLiteral("/mnt"));
        bool exclu = false;
        for (const QString &s : systeme)
            exclu = exclu || racine == s || racine.startsWith(s + QLatin1Char('/'));
        if (exclu && !media)
            continue;
        const QString nom = v.displayName() == racine
            ? racine
            : v.displayName() + QStringLiteral(" (") + racine + QLatin1Char(')');
        addItem(nom, racine);
    }
    const int i = findData(avant);
    setCurrentIndex(i >= 0 ? i : 0);
}

QString ListeEmplacements::emplacement() const
{
    return currentIndex() >= 0 ? currentData().toString() : QString();
}

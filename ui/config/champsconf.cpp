#include "ui/config/champsconf.h"

#include "classdata/texte.h"
#include "platform/cp1252.h"
#include "ui/components/messages.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>

// ---------------------------------------------------------------- ChampConf

ChampConf::ChampConf(Genre genre, int longueur, QWidget *parent)
    : TEditR(parent)
    , m_genre(genre)
{
    setMaxLength(longueur);
    connect(this, &QLineEdit::textEdited, this, &ChampConf::nettoyer);
}

QChar ChampConf::Filtrer(Genre genre, QChar c)
{
    switch (genre) {
    case NomFichier:
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            return QChar(c.unicode() - 'a' + 'A');
        if ((c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            || (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || QStringLiteral("!$-_~").contains(c))
            return c;
        return {};
    case NomEleve:
        if (c == QLatin1Char(' '))
            return QLatin1Char('_');
        [[fallthrough]];
    case Texte: return EstCp1252(c) && c.isPrint() ? c : QChar();
    }
    return {};
}

void ChampConf::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        e->accept();
        if (e->modifiers() & Qt::ControlModifier)
            return; // a line feed: one-line fields ignore it
        if (surEntree)
            surEntree();
        else
            TEditR::keyPressEvent(e);
        return;
    }
    const QString t = e->text();
    if (!t.isEmpty() && t.at(0).isPrint()) {
        QString accepte;
        bool refuse = false;
        for (QChar c : t) {
            const QChar f = Filtrer(m_genre, c);
            if (f.isNull())
                refuse = true;
            else
                accepte += f;
        }
        if (refuse)
            Messages::bip();
        if (!accepte.isEmpty())
            insert(accepte);
        e->accept();
        return;
    }
    TEditR::keyPressEvent(e);
}

void ChampConf::nettoyer()
{
    const QString avant = text();
    QString apres;
    bool refuse = false;
    for (QChar c : avant) {
        const QChar f = Filtrer(m_genre, c);
        if (f.isNull())
            refuse = true;
        else
            apres += f;
    }
    if (apres == avant)
        return;
    const int pos = cursorPosition();
    setText(apres);
    setCursorPosition(qMin(pos, int(apres.size())));
    if (refuse)
        Messages::bip();
}

// ---------------------------------------------------------------- ListeBoite

namespace {
// Entries sort by the key the class is saved in, so the list shows the final order.
class ItemEleve : public QListWidgetItem {
public:
    using QListWidgetItem::QListWidgetItem;
    bool operator<(const QListWidgetItem &autre) const override
    {
        const QByteArray a = VersCp1252(CleDeTri(text()));
        const QByteArray b = VersCp1252(CleDeTri(autre.text()));
        return a != b ? a < b : text() < autre.text();
    }
};
} // namespace

const char *const ListeBoite::FormatGlisse = "application/x-vestrel-eleve";

ListeBoite::ListeBoite(QWidget *parent)
    : QListWidget(parent)
{
    setSortingEnabled(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void ListeBoite::ajouter(const QString &entree)
{
    addItem(new ItemEleve(entree));
}

QListWidgetItem *ListeBoite::trouver(const QString &entree) const
{
    for (int i = 0; i < count(); ++i) {
        if (item(i)->text() == entree)
            return item(i);
    }
    return nullptr;
}

QStringList ListeBoite::entrees() const
{
    QStringList l;
    for (int i = 0; i < count(); ++i)
        l << item(i)->text();
    return l;
}

void ListeBoite::mousePressEvent(QMouseEvent *e)
{
    if (e->button() == Qt::RightButton) {
        clearSelection();
        setCurrentItem(nullptr);
        emit deselection();
        e->accept();
        return;
    }
    m_depart = e->position().toPoint();
    m_saisi = e->button() == Qt::LeftButton ? itemAt(m_depart) : nullptr;
    QListWidget::mousePressEvent(e);
}

void ListeBoite::mouseMoveEvent(QMouseEvent *e)
{
    if (m_saisi && (e->buttons() & Qt::LeftButton)
        && (e->position().toPoint() - m_depart).manhattanLength() >= QApplication::startDragDistance()) {
        auto *donnees = new QMimeData;
        donnees->setData(QString::fromLatin1(FormatGlisse), m_saisi->text().toUtf8());
        m_saisi = nullptr;
        auto *glisse = new QDrag(this);
        glisse->setMimeData(donnees);
        glisse->exec(Qt::MoveAction);
        return;
    }
    QListWidget::mouseMoveEvent(e);
}

// ---------------------------------------------------------------- BoutonSuppression

BoutonSuppression::BoutonSuppression(QWidget *parent)
    : QPushButton(parent)
{
    setAcceptDrops(true);
}

void BoutonSuppression::dragEnterEvent(QDragEnterEvent *e)
{
    if (e->mimeData()->hasFormat(QString::fromLatin1(ListeBoite::FormatGlisse)))
        e->acceptProposedAction();
}

void BoutonSuppression::dropEvent(QDropEvent *e)
{
    const QString entree =
        QString::fromUtf8(e->mimeData()->data(QString::fromLatin1(ListeBoite::FormatGlisse)));
    e->acceptProposedAction();
    emit eleveLache(entree);
}

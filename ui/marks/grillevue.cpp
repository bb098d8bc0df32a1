#include "grillevue.h"

#include <QDropEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

// --- ModeleGrille ---------------------------------------------------------

int ModeleGrille::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : qMax(0, int(m_lignes.size()) - 1);
}

int ModeleGrille::columnCount(const QModelIndex &parent) const
{
    if (parent.isValid() || m_lignes.isEmpty())
        return 0;
    return qMax(0, int(m_lignes.first().size()) - 1);
}

QString ModeleGrille::texte(int ligne, int colonne) const
{
    if (ligne < 0 || ligne >= m_lignes.size())
        return {};
    return m_lignes.at(ligne).value(colonne);
}

void ModeleGrille::setTexte(int ligne, int colonne, const QString &t)
{
    if (ligne < 0 || ligne >= m_lignes.size() || colonne < 0
        || colonne >= m_lignes.at(ligne).size() || m_lignes.at(ligne).at(colonne) == t)
        return;
    m_lignes[ligne][colonne] = t;
    if (ligne == 0 && colonne > 0)
        emit headerDataChanged(Qt::Horizontal, colonne - 1, colonne - 1);
    else if (colonne == 0 && ligne > 0)
        emit headerDataChanged(Qt::Vertical, ligne - 1, ligne - 1);
    else if (ligne > 0) {
        const QModelIndex i = index(ligne - 1, colonne - 1);
        emit dataChanged(i, i);
    }
}

QVariant ModeleGrille::data(const QModelIndex &i, int role) const
{
    if (!i.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return m_lignes.at(i.row() + 1).at(i.column() + 1);
}

QVariant ModeleGrille::headerData(int section, Qt::Orientation o, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    return o == Qt::Horizontal ? texte(0, section + 1) : texte(section + 1, 0);
}

Qt::ItemFlags ModeleGrille::flags(const QModelIndex &i) const
{
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (editable() && i.column() + 1 > m_fixes)
        f |= Qt::ItemIsEditable;
    return f;
}

bool ModeleGrille::setData(const QModelIndex &i, const QVariant &valeur, int role)
{
    if (!i.isValid() || role != Qt::EditRole)
        return false;
    const QString t = valeur.toString();
    QString &cellule = m_lignes[i.row() + 1][i.column() + 1];
    if (cellule == t)
        return true;
    cellule = t;
    emit dataChanged(i, i);
    emit texteSaisi(i.row() + 1, i.column() + 1);
    return true;
}

void ModeleGrille::remplir(const QList<QStringList> &lignes, bool garderNoms)
{
    beginResetModel();
    QStringList noms;
    if (garderNoms) {
        for (const QStringList &l : std::as_const(m_lignes))
            noms.append(l.value(0));
    }
    m_lignes = lignes;
    if (garderNoms) {
        for (int r = 1; r < m_lignes.size(); ++r)
            if (!m_lignes[r].isEmpty())
                m_lignes[r][0] = noms.value(r);
    }
    endResetModel();
}

void ModeleGrille::definirNoms(const QStringList &noms)
{
    for (int r = 1; r < m_lignes.size(); ++r)
        if (!m_lignes[r].isEmpty())
            m_lignes[r][0] = noms.value(r - 1);
    if (m_lignes.size() > 1)
        emit headerDataChanged(Qt::Vertical, 0, int(m_lignes.size()) - 2);
}

// --- TStringGrid ----------------------------------------------------------

TStringGrid::TStringGrid(QWidget *parent)
    : QTableView(parent)
    , m_modele(new ModeleGrille(this))
{
    setModel(m_modele);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed
                    | QAbstractItemView::SelectedClicked);
    setTabKeyNavigation(true);
    setCornerButtonEnabled(false);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDropIndicatorShown(false);
    setWordWrap(false);

    // 16-pixel rows and 48-pixel columns, plus their one-pixel grid line.
    QHeaderView *v = verticalHeader();
    v->setSectionResizeMode(QHeaderView::Fixed);
    v->setMinimumSectionSize(5);
    v->setDefaultSectionSize(17);
    v->setFixedWidth(107);
    v->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QHeaderView *h = horizontalHeader();
    h->setMinimumSectionSize(5);
    h->setDefaultSectionSize(49);
    h->setFixedHeight(17);
    // Widths are the window's to set: the coefficient strip stands over them.
    h->setSectionResizeMode(QHeaderView::Fixed);
    h->setHighlightSections(false);
    v->setHighlightSections(false);
    h->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, &TStringGrid::hautGaucheChange);
}

int TStringGrid::logique(int col) const
{
    if (col <= 0)
        return col;
    const int l = horizontalHeader()->logicalIndex(col - 1);
    return l < 0 ? -1 : l + 1;
}

int TStringGrid::position(int logiqueCol) const
{
    if (logiqueCol <= 0)
        return logiqueCol;
    return horizontalHeader()->visualIndex(logiqueCol - 1) + 1;
}

QString TStringGrid::Cells(int col, int row) const
{
    return m_modele->texte(row, col == 0 ? 0 : logique(col));
}

void TStringGrid::setCells(int col, int row, const QString &t)
{
    m_modele->setTexte(row, col == 0 ? 0 : logique(col), t);
}

int TStringGrid::Col() const
{
    const QModelIndex i = currentIndex();
    return i.isValid() ? position(i.column() + 1) : 1;
}

int TStringGrid::Row() const
{
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() + 1 : 1;
}

void TStringGrid::setCourante(int col, int row)
{
    const int l = logique(col);
    if (l < 1 || row < 1 || row >= RowCount())
        return;
    const QModelIndex i = m_modele->index(row - 1, l - 1);
    setCurrentIndex(i);
    scrollTo(i);
}

int TStringGrid::LeftCol() const
{
    const int v = horizontalHeader()->visualIndexAt(0);
    return v < 0 ? 1 : v + 1;
}

int TStringGrid::largeurColonne(int col) const
{
    if (col == 0)
        return verticalHeader()->width();
    const int l = logique(col);
    return l < 1 ? horizontalHeader()->defaultSectionSize() : columnWidth(l - 1);
}

QPoint TStringGrid::celluleEn(const QPoint &p) const
{
    const QModelIndex i = indexAt(p);
    if (!i.isValid())
        return {-1, -1};
    return {position(i.column() + 1), i.row() + 1};
}

QList<QStringList> TStringGrid::tableVisuelle() const
{
    const QList<QStringList> &source = m_modele->lignes();
    const QHeaderView *h = horizontalHeader();
    if (!h->sectionsMoved())
        return source;
    const int n = m_modele->columnCount();
    QList<QStringList> t;
    t.reserve(source.size());
    for (const QStringList &l : source) {
        QStringList ligne;
        ligne.reserve(l.size());
        ligne.append(l.value(0));
        for (int v = 0; v < n; ++v)
            ligne.append(l.value(h->logicalIndex(v) + 1));
        t.append(ligne);
    }
    return t;
}

void TStringGrid::taper(QChar c)
{
    QKeyEvent e(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QTableView::keyPressEvent(&e);
}

void TStringGrid::remettreColonnesEnOrdre()
{
    QHeaderView *h = horizontalHeader();
    if (!h->sectionsMoved())
        return;
    const QSignalBlocker bloque(h);
    for (int v = 0; v < h->count(); ++v)
        if (h->logicalIndex(v) != v)
            h->moveSection(h->visualIndex(v), v);
    h->viewport()->update();
}

void TStringGrid::terminerEdition()
{
    if (state() != QAbstractItemView::EditingState)
        return;
    if (QWidget *editeur = indexWidget(currentIndex())) {
        commitData(editeur);
        closeEditor(editeur, QAbstractItemDelegate::NoHint);
    }
}

void TStringGrid::keyPressEvent(QKeyEvent *e)
{
    if (filtreTouches && filtreTouches(e))
        return;
    QTableView::keyPressEvent(e);
}

void TStringGrid::mousePressEvent(QMouseEvent *e)
{
    // The right button opens the context menu without moving the current cell.
    if (e->button() == Qt::RightButton) {
        e->accept();
        return;
    }
    QTableView::mousePressEvent(e);
}

void TStringGrid::mouseReleaseEvent(QMouseEvent *e)
{
    QTableView::mouseReleaseEvent(e);
    if (e->button() == Qt::LeftButton)
        emit clicGauche();
}

void TStringGrid::dragEnterEvent(QDragEnterEvent *e)
{
    if (glisser && glisser(e, false))
        e->acceptProposedAction();
    else
        e->ignore();
}

void TStringGrid::dragMoveEvent(QDragMoveEvent *e)
{
    if (glisser && glisser(e, false))
        e->acceptProposedAction();
    else
        e->ignore();
}

void TStringGrid::dropEvent(QDropEvent *e)
{
    if (glisser && glisser(e, true))
        e->acceptProposedAction();
    else
        e->ignore();
}

void TStringGrid::scrollContentsBy(int dx, int dy)
{
    QTableView::scrollContentsBy(dx, dy);
    if (dx != 0)
        emit hautGaucheChange();
}

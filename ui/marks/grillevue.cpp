#include "ui/marks/grillevue.h"

#include "ui/components/etatui.h"

#include <QDropEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QToolTip>

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
    if (ligne < 0 || ligne >= m_lignes.size() || colonne < 0 || colonne >= m_lignes.at(ligne).size()
        || m_lignes.at(ligne).at(colonne) == t)
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

namespace {

// The frozen columns are painted as the grid paints them, but never edited:
// the grid's own delegate must not see a second view connected to its editors.
class DelegueGele : public QStyledItemDelegate {
public:
    DelegueGele(QAbstractItemView *grille, QObject *parent)
        : QStyledItemDelegate(parent)
        , m_grille(grille)
    { }
    void paint(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        m_grille->itemDelegate()->paint(p, option, index);
    }

private:
    QAbstractItemView *m_grille;
};

// A header of fixed thickness: Qt would otherwise measure every section's
// text to size it, at every filling of the grid (127 names), for nothing.
class EnTeteFixe : public QHeaderView {
public:
    EnTeteFixe(Qt::Orientation o, QWidget *parent)
        : QHeaderView(o, parent)
    {
        setSectionsClickable(true);
    }
    QSize sizeHint() const override
    {
        if (orientation() == Qt::Vertical && minimumWidth() == maximumWidth())
            return {minimumWidth(), defaultSectionSize()};
        if (orientation() == Qt::Horizontal && minimumHeight() == maximumHeight())
            return {defaultSectionSize(), minimumHeight()};
        return QHeaderView::sizeHint();
    }
};

} // namespace

TStringGrid::TStringGrid(QWidget *parent)
    : QTableView(parent)
    , m_modele(new ModeleGrille(this))
{
    setHorizontalHeader(new EnTeteFixe(Qt::Horizontal, this));
    setVerticalHeader(new EnTeteFixe(Qt::Vertical, this));
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
    // A name cut by its column is shown whole in a tool tip.
    v->viewport()->installEventFilter(this);
    BullesDeContenu(v->viewport());

    // The frozen columns: a second view of the same cells over the left of
    // the viewport, scrolled with the grid only vertically.
    m_gelee = new QTableView(this);
    m_gelee->setObjectName(QStringLiteral("StringGrid1Fixe"));
    m_gelee->setHorizontalHeader(new EnTeteFixe(Qt::Horizontal, m_gelee));
    m_gelee->setModel(m_modele);
    m_gelee->setSelectionModel(selectionModel());
    m_gelee->setSelectionMode(QAbstractItemView::SingleSelection);
    m_gelee->setFocusPolicy(Qt::NoFocus);
    m_gelee->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_gelee->setFrameShape(QFrame::NoFrame);
    m_gelee->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_gelee->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_gelee->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    m_gelee->setWordWrap(false);
    m_gelee->setCornerButtonEnabled(false);
    m_gelee->verticalHeader()->hide();
    m_gelee->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_gelee->verticalHeader()->setMinimumSectionSize(5);
    m_gelee->verticalHeader()->setDefaultSectionSize(17);
    QHeaderView *hg = m_gelee->horizontalHeader();
    hg->setMinimumSectionSize(5);
    hg->setFixedHeight(17);
    hg->setSectionResizeMode(QHeaderView::Fixed);
    hg->setHighlightSections(false);
    hg->setSectionsMovable(false);
    hg->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_gelee->setItemDelegate(new DelegueGele(this, m_gelee));
    m_gelee->hide();
    connect(verticalScrollBar(), &QScrollBar::valueChanged, m_gelee->verticalScrollBar(),
            &QScrollBar::setValue);
    connect(m_gelee->verticalScrollBar(), &QScrollBar::valueChanged, verticalScrollBar(),
            &QScrollBar::setValue);
    connect(m_gelee, &QAbstractItemView::doubleClicked, this, &QAbstractItemView::doubleClicked);
    connect(m_modele, &QAbstractItemModel::modelReset, this, &TStringGrid::majGelees);
    connect(h, &QHeaderView::sectionResized, this, &TStringGrid::majGelees);
}

bool TStringGrid::eventFilter(QObject *objet, QEvent *e)
{
    QHeaderView *v = verticalHeader();
    if (objet == v->viewport() && e->type() == QEvent::ToolTip) {
        auto *aide = static_cast<QHelpEvent *>(e);
        const int section = v->logicalIndexAt(aide->pos());
        const QString nom = m_modele->texte(section + 1, 0);
        // The title cells have 2 pixels of padding on each side and a line on the right.
        const int place = v->width() - 5;
        if (section >= 0 && v->fontMetrics().horizontalAdvance(nom) > place)
            QToolTip::showText(
                aide->globalPos(), nom, v->viewport(),
                QRect(0, v->sectionViewportPosition(section), v->width(), v->sectionSize(section)));
        else
            QToolTip::hideText();
        return true;
    }
    return QTableView::eventFilter(objet, e);
}

void TStringGrid::setColonnesGelees(int n)
{
    if (n == m_gelees)
        return;
    m_gelees = n;
    // Scrolling by pixels lets a column wider than the viewport be read to its end.
    setHorizontalScrollMode(n > 0 ? QAbstractItemView::ScrollPerPixel : QAbstractItemView::ScrollPerItem);
    horizontalScrollBar()->setValue(0);
    majGelees();
}

QRect TStringGrid::zoneLibre() const
{
    QRect r = viewport()->rect();
    if (m_gelees > 0 && m_gelee->isVisible())
        r.setLeft(m_gelee->width());
    return r;
}

void TStringGrid::majGelees()
{
    const int n = qMin(m_gelees, m_modele->columnCount());
    if (n <= 0) {
        m_gelee->hide();
        return;
    }
    m_gelee->horizontalHeader()->setStyleSheet(horizontalHeader()->styleSheet());
    int largeur = 0;
    for (int c = 0; c < m_modele->columnCount(); ++c) {
        m_gelee->setColumnHidden(c, c >= n);
        if (c < n) {
            m_gelee->setColumnWidth(c, columnWidth(c));
            largeur += columnWidth(c);
        }
    }
    const QRect vp = viewport()->geometry();
    m_gelee->setGeometry(vp.left(), vp.top() - horizontalHeader()->height(), largeur,
                         vp.height() + horizontalHeader()->height());
    m_gelee->verticalScrollBar()->setValue(verticalScrollBar()->value());
    m_gelee->show();
    m_gelee->raise();
}

void TStringGrid::resizeEvent(QResizeEvent *e)
{
    QTableView::resizeEvent(e);
    majGelees();
}

void TStringGrid::updateGeometries()
{
    QTableView::updateGeometries();
    if (m_gelee)
        majGelees();
}

void TStringGrid::scrollTo(const QModelIndex &index, ScrollHint hint)
{
    QTableView::scrollTo(index, hint);
    if (m_gelees <= 0 || !index.isValid() || index.column() < m_gelees)
        return;
    // The cell shows its beginning just right of the frozen columns, even
    // when it is wider than what remains of the viewport.
    const QRect libre = zoneLibre();
    const QRect cellule = visualRect(index);
    if (cellule.left() < libre.left() || cellule.width() > libre.width()) {
        QScrollBar *b = horizontalScrollBar();
        b->setValue(b->value() + cellule.left() - libre.left());
    }
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
    const QHeaderView *h = horizontalHeader();
    int v = h->visualIndexAt(0);
    if (v < 0)
        return 1;
    // Fully right, the grid leaves a sliver of the column before: the first
    // column is the one of which the larger part is in sight.
    const int l = h->logicalIndex(v);
    if (h->sectionViewportPosition(l) + h->sectionSize(l) / 2 < 0 && v + 1 < h->count())
        ++v;
    return v + 1;
}

int TStringGrid::xColonne(int col) const
{
    const int l = logique(col);
    return l < 1 ? -1 : horizontalHeader()->sectionViewportPosition(l - 1);
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
    // Just after a click on the current cell the view waits to see whether a
    // double click follows and drops the keys typed meanwhile: a key ends
    // that wait, so that it opens the editor like any other.
    if (state() != QAbstractItemView::EditingState && !e->text().isEmpty())
        edit(currentIndex(), QAbstractItemView::CurrentChanged, e);
    QTableView::keyPressEvent(e);
}

void TStringGrid::mousePressEvent(QMouseEvent *e)
{
    // The right button makes the cell under it current, so that the context
    // menu that follows acts on the column the teacher pointed at.
    if (e->button() == Qt::RightButton) {
        const QModelIndex i = indexAt(e->position().toPoint());
        if (i.isValid())
            setCurrentIndex(i);
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

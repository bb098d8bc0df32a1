#pragma once
// The string grid of the mark-entry window: a table of texts whose row 0
// (titles) is the horizontal header and column 0 (student names) the vertical
// header. Columns are addressed by their position on screen, as the teacher
// sees them after moving some: column 0 is the names, 1.. the data columns.
#include <QAbstractTableModel>
#include <QStringList>
#include <QTableView>
#include <functional>

class ModeleGrille : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &valeur, int role) override;

    // Replaces every row; column 0 of lignes is ignored when the names are kept.
    void remplir(const QList<QStringList> &lignes, bool garderNoms);
    void definirNoms(const QStringList &noms); // rows 1.. of column 0
    const QList<QStringList> &lignes() const { return m_lignes; }

    // Text of a logical cell (row 0 titles, column 0 names); setTexte emits no
    // change signal to the window, only to the views.
    QString texte(int ligne, int colonne) const;
    void setTexte(int ligne, int colonne, const QString &t);

    void setEditable(bool oui) { m_editable = oui; }
    bool editable() const { return m_editable && !m_lectureSeule; }
    // A class held by another copy: nothing is editable, whatever the view says.
    void setLectureSeule(bool oui) { m_lectureSeule = oui; }
    // Logical data columns (1-based) that are never edited (the averages).
    void setColonnesFixes(int n) { m_fixes = n; }

signals:
    // The teacher changed the text of a cell (logical coordinates, 1-based).
    void texteSaisi(int ligne, int colonne);

private:
    QList<QStringList> m_lignes;
    bool m_editable = true;
    bool m_lectureSeule = false;
    int m_fixes = 0;
};

class TStringGrid : public QTableView {
    Q_OBJECT
public:
    explicit TStringGrid(QWidget *parent = nullptr);

    ModeleGrille *modele() const { return m_modele; }

    int ColCount() const { return m_modele->columnCount() + 1; }
    int RowCount() const { return m_modele->rowCount() + 1; }
    // Cells by screen position: col 0 names, row 0 titles.
    QString Cells(int col, int row) const;
    void setCells(int col, int row, const QString &t);
    int logique(int col) const; // data column position -> logical column (1-based)
    int position(int logiqueCol) const;

    // Current cell (position, row), at least (1, 1) when the grid has data.
    int Col() const;
    int Row() const;
    void setCourante(int col, int row);
    int LeftCol() const; // first data column visible at the left edge
    // Left edge of a data column in the viewport; -1 for no such column.
    int xColonne(int col) const;
    // Width of a column as the grid lays it out, grid line included.
    int largeurColonne(int col) const;
    // Cell under a point of the viewport: (col, row) or (-1, -1).
    QPoint celluleEn(const QPoint &p) const;

    // The whole table in screen column order, as the transfer and the export read it.
    QList<QStringList> tableVisuelle() const;

    // The first n data columns stay in place whatever the horizontal scroll,
    // as a spreadsheet's frozen columns do; 0 for none.
    void setColonnesGelees(int n);
    int colonnesGelees() const { return m_gelees; }
    // The part of the viewport no frozen column covers.
    QRect zoneLibre() const;

    // Types a character into the current cell as the keyboard would.
    void taper(QChar c);
    // Columns back in the layout's order, without announcing it as a move.
    void remettreColonnesEnOrdre();
    // Closes the cell editor, keeping what it holds.
    void terminerEdition();

    // Hooks set by the window.
    std::function<bool(QKeyEvent *)> filtreTouches;
    std::function<bool(QDropEvent *, bool depot)> glisser;

signals:
    void hautGaucheChange(); // scrolled
    void clicGauche();

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void dragEnterEvent(QDragEnterEvent *e) override;
    void dragMoveEvent(QDragMoveEvent *e) override;
    void dropEvent(QDropEvent *e) override;
    void scrollContentsBy(int dx, int dy) override;
    void resizeEvent(QResizeEvent *e) override;
    void updateGeometries() override;
    bool eventFilter(QObject *objet, QEvent *e) override;

public:
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;

private:
    void majGelees();

    ModeleGrille *m_modele;
    QTableView *m_gelee = nullptr; // drawn over the frozen columns
    int m_gelees = 0;
};

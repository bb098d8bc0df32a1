#pragma once
// Painting and in-place editing of the grid's data cells: marks line up on
// their decimal points, the current cell stands out in yellow, even rows take
// the window's second colour.
#include "reports/grille.h"
#include "reports/reglesnotes.h"

#include <QColor>
#include <QFont>
#include <QHash>
#include <QStaticText>
#include <QStyledItemDelegate>
#include <functional>

class QLineEdit;

class DelegueGrille : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    Vue vue = Vue::Notes;
    QColor couleurLignesPaires{191, 255, 223};
    int longueurMax = 0; // 0: no limit

    // Called for every key typed into an open editor; true when consumed.
    std::function<bool(QKeyEvent *, QLineEdit *)> filtreTouches;
    std::function<void()> editionOuverte;
    std::function<void()> editionFermee;

    void paint(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void destroyEditor(QWidget *editor, const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;

protected:
    bool eventFilter(QObject *objet, QEvent *e) override;

private:
    // The parts of the marks repeat ("12", ".50"): each is laid out once.
    const QStaticText &texteDispose(const QString &texte, const QFont &police) const;
    mutable QHash<QString, QStaticText> m_disposes;
    mutable QFont m_policeDisposes;
};

#include "ui/marks/peinture.h"

#include "reports/reglesnotes.h"
#include "ui/components/messages.h"
#include "ui/marks/grillevue.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>

void DelegueGrille::paint(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (vue == Vue::Liste) {
        QStyledItemDelegate::paint(p, option, index);
        return;
    }
    const auto *grille = qobject_cast<const QAbstractItemView *>(option.widget);
    const bool courante = grille && grille->currentIndex() == index;
    QColor fond = Qt::white;
    QColor encre = Qt::black;
    if (courante) {
        fond = Qt::yellow;
        encre = Qt::red;
    } else if ((index.row() + 1) % 2 == 0) {
        fond = couleurLignesPaires;
    }

    p->save();
    p->fillRect(option.rect, Qt::white);
    const QRect r = option.rect.adjusted(0, 0, -1, -2);
    p->fillRect(r, fond);
    p->setPen(encre);
    p->setFont(option.font);
    p->setClipRect(r);
    const QString texte = index.data(Qt::DisplayRole).toString();
    const int hauteur = r.height() - 2;
    if (vue == Vue::Appreciations) {
        p->drawText(QRect(r.left() + 3, r.top() + 3, r.width() - 3, hauteur),
                    Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, texte);
    } else {
        const PartiesNote n = DecouperNote(texte);
        if (!n.entier.isEmpty() || !n.fraction.isEmpty()) {
            const int droite = r.left() + r.width();
            const int x = droite - option.fontMetrics.horizontalAdvance(QStringLiteral(".00")) - 10;
            // Right-aligned before the point, left-aligned after it, tops on the cell's.
            const QStaticText &entier = texteDispose(n.entier, option.font);
            p->drawStaticText(QPointF(x - entier.size().width(), r.top() + 2), entier);
            p->drawStaticText(QPointF(x, r.top() + 2), texteDispose(n.fraction, option.font));
        }
    }
    p->restore();
}

const QStaticText &DelegueGrille::texteDispose(const QString &texte, const QFont &police) const
{
    if (police != m_policeDisposes) {
        m_disposes.clear();
        m_policeDisposes = police;
    }
    auto it = m_disposes.find(texte);
    if (it == m_disposes.end()) {
        QStaticText t(texte);
        t.setTextFormat(Qt::PlainText);
        t.prepare(QTransform(), police);
        it = m_disposes.insert(texte, t);
    }
    return *it;
}

QWidget *DelegueGrille::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                     const QModelIndex &index) const
{
    auto *e = new QLineEdit(parent);
    e->setFrame(false);
    if (longueurMax > 0)
        e->setMaxLength(longueurMax);
    // Every change reaches the cell at once, as each key is typed.
    connect(e, &QLineEdit::textChanged, this,
            [this, e] { emit const_cast<DelegueGrille *>(this)->commitData(e); });
    Q_UNUSED(index);
    if (vue == Vue::Appreciations) {
        // The class file holds Windows-1252 only: what it cannot hold is
        // refused, pasted text included, as the other fields of the program do.
        connect(e, &QLineEdit::textEdited, e, [e](const QString &texte) {
            const QString garde = TexteEnregistrable(texte);
            if (garde == texte)
                return;
            const int pos = e->cursorPosition() - int(texte.size() - garde.size());
            e->setText(garde);
            e->setCursorPosition(qBound(0, pos, int(garde.size())));
            Messages::bip();
        });
    }
    if (editionOuverte)
        editionOuverte();
    return e;
}

void DelegueGrille::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *e = qobject_cast<QLineEdit *>(editor);
    if (!e) {
        QStyledItemDelegate::setEditorData(editor, index);
        return;
    }
    const QString t = index.data(Qt::EditRole).toString();
    if (e->text() != t) {
        const QSignalBlocker bloque(e);
        e->setText(t);
    }
}

void DelegueGrille::destroyEditor(QWidget *editor, const QModelIndex &index) const
{
    QStyledItemDelegate::destroyEditor(editor, index);
    if (editionFermee)
        editionFermee();
}

void DelegueGrille::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                         const QModelIndex &index) const
{
    QStyledItemDelegate::updateEditorGeometry(editor, option, index);
    // A cell wider than the grid gets an editor as wide as what is in sight,
    // which scrolls its text so that the caret stays in view.
    if (const auto *grille = qobject_cast<const TStringGrid *>(option.widget)) {
        const QRect r = editor->geometry().intersected(grille->zoneLibre());
        if (!r.isEmpty())
            editor->setGeometry(r);
    }
}

bool DelegueGrille::eventFilter(QObject *objet, QEvent *e)
{
    if (e->type() == QEvent::KeyPress && filtreTouches) {
        if (filtreTouches(static_cast<QKeyEvent *>(e), qobject_cast<QLineEdit *>(objet)))
            return true;
    }
    return QStyledItemDelegate::eventFilter(objet, e);
}

#include "ui/balance/pourcentform.h"

#include "ui/balance/impressionbilan.h"
#include "ui/balance/jauge.h"
#include "ui/components/etatui.h"
#include "ui/components/imprimantes.h"
#include "ui/components/messages.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QStyledItemDelegate>

TPourcentForm *PourcentForm = nullptr;

namespace {

// A list line is the name padded to 45 columns and the average; the columns
// are narrow, so the name is drawn at the left, shortened if need be, and
// the average at the right, both always visible.
class DelegueLigne : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem o = option;
        initStyleOption(&o, index);
        const QString ligne = o.text;
        o.text.clear();
        o.widget->style()->drawControl(QStyle::CE_ItemViewItem, &o, p, o.widget);
        const QString moyenne = ligne.right(5).trimmed();
        const QString nom = ligne.left(ligne.size() - 5).trimmed();
        const QRect r = o.rect.adjusted(3, 0, -3, 0);
        const QFontMetrics fm(o.font);
        const int largeurMoyenne = fm.horizontalAdvance(QStringLiteral("00.00"));
        p->save();
        p->setFont(o.font);
        p->setPen(o.state & QStyle::State_Selected ? o.palette.color(QPalette::HighlightedText)
                                                   : index.data(Qt::ForegroundRole).value<QColor>());
        p->drawText(r.adjusted(0, 0, -largeurMoyenne - 4, 0), Qt::AlignLeft | Qt::AlignVCenter,
                    fm.elidedText(nom, Qt::ElideRight, r.width() - largeurMoyenne - 4));
        p->drawText(r, Qt::AlignRight | Qt::AlignVCenter, moyenne);
        p->restore();
    }
};

QLabel *Etiquette(const QString &nom, const QString &texte, QWidget *parent, const QRect &g,
                  Qt::Alignment a = Qt::AlignHCenter | Qt::AlignVCenter)
{
    auto *l = new QLabel(texte, parent);
    l->setObjectName(nom);
    l->setAlignment(a);
    l->setGeometry(g);
    return l;
}

} // namespace

TPourcentForm::TPourcentForm(QWidget *parent)
    : QDialog(parent)
{
    construire();
    FormCreate();
}

TPourcentForm::~TPourcentForm()
{
    delete m_imprimante;
}

void TPourcentForm::construire()
{
    setObjectName(QStringLiteral("PourcentForm"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(398, 314);
    setWindowTitle(QStringLiteral("Bilan"));

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);
    Panel1->setGeometry(0, 0, 398, 314);
    Panel1->setAutoFillBackground(true);
    Panel1->setToolTip(QStringLiteral("bilan des notes du début de l'année jusqu'à ce jour"));

    Label10 = Etiquette(QStringLiteral("Label10"), QString(), Panel1, QRect(4, 4, 390, 18));
    QFont entete = Label10->font();
    entete.setBold(true);
    entete.setUnderline(true);
    Label10->setFont(entete);

    const QString captions[3] = {QStringLiteral("moins de 8"), QStringLiteral("entre 8 et 12"),
                                 QStringLiteral("12 ou plus")};
    QLabel **titres[3] = {&Label1, &Label2, &Label3};
    QLabel **effectifs[3] = {&Label4, &Label5, &Label6};
    QLabel **pourcents[3] = {&Label7, &Label8, &Label9};
    JaugeCirculaire **jauges[3] = {&Gauge1, &Gauge2, &Gauge3};
    QListWidget **listes[3] = {&LB1, &LB2, &LB3};
    const QColor encres[3] = {QColor(255, 0, 0), QColor(0, 0, 128), QColor(0, 128, 0)};

    QFont fixe(QStringLiteral("Courier New"));
    fixe.setStyleHint(QFont::TypeWriter);
    fixe.setPointSize(8);

    for (int b = 0; b < 3; ++b) {
        const int x = 6 + b * 130;
        QLabel *t =
            Etiquette(QStringLiteral("Label%1").arg(b + 1), captions[b], Panel1, QRect(x, 26, 126, 16));
        QFont souligne = t->font();
        souligne.setUnderline(true);
        t->setFont(souligne);
        *titres[b] = t;
        *effectifs[b] = Etiquette(QStringLiteral("Label%1").arg(b + 4), QStringLiteral("(0)"), Panel1,
                                  QRect(x, 42, 126, 16));
        auto *g = new JaugeCirculaire(Panel1);
        g->setObjectName(QStringLiteral("Gauge%1").arg(b + 1));
        g->definirCouleurs(Qt::yellow, CouleurJauge(b));
        g->move(x + (126 - 65) / 2, 60);
        *jauges[b] = g;
        *pourcents[b] = Etiquette(QStringLiteral("Label%1").arg(b + 7), QStringLiteral("(0.00 %)"), Panel1,
                                  QRect(x, 127, 126, 16));
        auto *lb = new QListWidget(Panel1);
        lb->setObjectName(QStringLiteral("LB%1").arg(b + 1));
        lb->setGeometry(x, 145, 126, 110);
        lb->setFont(fixe);
        lb->setItemDelegate(new DelegueLigne(lb));
        BullesDeContenu(lb->viewport()); // names cut by the column, shown whole
        lb->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        lb->setUniformItemSizes(true);
        QPalette pl = lb->palette();
        pl.setColor(QPalette::Text, encres[b]);
        lb->setPalette(pl);
        lb->setProperty("encre", encres[b]);
        *listes[b] = lb;
    }

    LabelMin = Etiquette(QStringLiteral("LabelMin"), QString(), Panel1, QRect(6, 259, 126, 16));
    LabelMoy = Etiquette(QStringLiteral("LabelMoy"), QString(), Panel1, QRect(136, 259, 126, 16));
    LabelMax = Etiquette(QStringLiteral("LabelMax"), QString(), Panel1, QRect(266, 259, 126, 16));

    BitBtn2 = new QPushButton(QStringLiteral("&Imprimer"), Panel1);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setToolTip(QStringLiteral("les graphiques et les 3 listes"));
    BitBtn2->setGeometry(110, 281, 86, 26);
    BitBtn2->setAutoDefault(false);
    connect(BitBtn2, &QPushButton::clicked, this, &TPourcentForm::BitBtn2Click);

    BitBtn1 = new QPushButton(QStringLiteral("&Fermer"), Panel1);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setToolTip(QStringLiteral("quitter ce module"));
    BitBtn1->setGeometry(202, 281, 86, 26);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}

void TPourcentForm::FormCreate()
{
    if (!CouleursCompletes())
        return;
    QPalette p = Panel1->palette();
    p.setColor(QPalette::Window, QColor(220, 220, 220));
    Panel1->setPalette(p);
    for (QListWidget *lb : {LB1, LB2, LB3}) {
        QPalette pl = lb->palette();
        pl.setColor(QPalette::Base, QColor(251, 247, 238));
        lb->setPalette(pl);
    }
}

void TPourcentForm::preparer(Selecteur sel)
{
    m_sel = sel;
}

void TPourcentForm::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (e->spontaneous())
        return;
    // A dialog centres itself on its parent, the menu window, which may lie
    // anywhere or be hidden: this one stands in the middle of the screen.
    if (const QScreen *ecran = screen() ? screen() : QGuiApplication::primaryScreen()) {
        QRect r = frameGeometry();
        r.moveCenter(ecran->availableGeometry().center());
        move(r.topLeft());
    }
    FormActivate();
}

void TPourcentForm::FormActivate()
{
    m_donnees = CalculerBilan(m_sel);
    setWindowTitle(QStringLiteral("Bilan au ") + m_donnees.date);
    Label10->setText(m_donnees.entete);

    QLabel *effectifs[3] = {Label4, Label5, Label6};
    QLabel *pourcents[3] = {Label7, Label8, Label9};
    JaugeCirculaire *jauges[3] = {Gauge1, Gauge2, Gauge3};
    QListWidget *listes[3] = {LB1, LB2, LB3};
    for (int b = 0; b < 3; ++b) {
        listes[b]->clear();
        const QColor encre = listes[b]->property("encre").value<QColor>();
        for (const QString &ligne : m_donnees.listes[b]) {
            auto *item = new QListWidgetItem(ligne, listes[b]);
            item->setForeground(encre);
            item->setToolTip(ligne.simplified());
        }
        effectifs[b]->setText(m_donnees.texteEffectif(b));
        jauges[b]->definirValeur(m_donnees.jauge(b));
        pourcents[b]->setText(m_donnees.textePourcentage(b));
    }
    LabelMin->setText(QStringLiteral("Min : ") + m_donnees.min);
    LabelMoy->setText(QStringLiteral("Moy : ") + m_donnees.moy);
    LabelMax->setText(QStringLiteral("Max : ") + m_donnees.max);
}

QPrinter &TPourcentForm::imprimante()
{
    if (!m_imprimante)
        m_imprimante = new QPrinter(QPrinter::HighResolution);
    return *m_imprimante;
}

void TPourcentForm::BitBtn2Click()
{
    QPrinter &imp = imprimante();
    imp.setCopyCount(1);
    const bool accepte = Imprimantes::dialogue(imp, QStringLiteral("Imprimer le bilan"), this);
    const int copies = imp.copyCount();
    if (accepte && copies > 0) {
        QString erreur;
        if (!ImprimerBilan(imp, m_donnees, copies, erreur))
            Messages::erreur(erreur);
    }
    imp.setPageOrientation(QPageLayout::Portrait);
}

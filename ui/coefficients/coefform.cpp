#include "ui/coefficients/coefform.h"

#include "classdata/options.h"
#include "platform/horloge.h"
#include "ui/coefficients/labeldate.h"
#include "ui/coefficients/panneaucalendrier.h"
#include "ui/coefficients/spinfleches.h"
#include "ui/components/etatui.h"
#include "ui/components/messages.h"

#include <QCalendarWidget>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QVBoxLayout>

TCoefForm *CoefForm = nullptr;

namespace {

// One half of a period row (8 assignments) with its frame drawn around it;
// the frame can be hidden without hiding the half.
class Moitie : public QWidget {
public:
    explicit Moitie(QWidget *parent)
        : QWidget(parent)
        , bevel(new QFrame(this))
    {
        bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
        bevel->lower();
    }
    QFrame *bevel;

protected:
    void resizeEvent(QResizeEvent *) override { bevel->setGeometry(rect()); }
};

QIcon iconeCalendrier()
{
    QPixmap p(16, 16);
    p.fill(Qt::transparent);
    QPainter g(&p);
    g.setPen(Qt::black);
    g.setBrush(Qt::white);
    g.drawRect(1, 2, 13, 12);
    g.fillRect(2, 3, 12, 3, QColor(0, 128, 0));
    g.setPen(Qt::darkGray);
    for (int y = 8; y <= 12; y += 2) {
        for (int x = 3; x <= 12; x += 3)
            g.drawPoint(x, y);
    }
    return QIcon(p);
}

} // namespace

TCoefForm::TCoefForm(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("CoefForm"));
    construire();
}

void TCoefForm::construire()
{
    setWindowTitle(QStringLiteral("Coefficients et dates des devoirs"));
    auto *principal = new QVBoxLayout(this);
    principal->setSizeConstraint(QLayout::SetFixedSize);
    principal->setSpacing(6);
    for (int p = 1; p <= 3; ++p)
        principal->addWidget(construireRangee(p));

    auto *boutons = new QHBoxLayout;
    BitBtn1 = new QPushButton(iconeCalendrier(), QStringLiteral("&Calendrier"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setToolTip(QStringLiteral("Calendrier"));
    Button1 = new QPushButton(QStringLiteral("A"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setToolTip(QStringLiteral("Effacer une date"));
    Button1->setFixedWidth(Button1->fontMetrics().horizontalAdvance(QStringLiteral("A")) + 24);
    BitBtn3 =
        new QPushButton(style()->standardIcon(QStyle::SP_DialogHelpButton), QStringLiteral("Aide"), this);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    BitBtn3->setToolTip(QStringLiteral("Aide"));
    BitBtn4 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("Annuler"),
                              this);
    BitBtn4->setObjectName(QStringLiteral("BitBtn4"));
    BitBtn4->setToolTip(QStringLiteral("Quitter sans enregistrer les modifications"));
    BitBtn2 = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setToolTip(QStringLiteral("Quitter en enregistrant les modifications"));
    BitBtn2->setDefault(true);
    boutons->addWidget(BitBtn1);
    boutons->addWidget(Button1);
    boutons->addStretch();
    boutons->addWidget(BitBtn3);
    boutons->addWidget(BitBtn4);
    boutons->addWidget(BitBtn2);
    principal->addLayout(boutons);

    StatusLine = new LigneEtat(this);
    principal->addWidget(StatusLine);

    Panel4 = new PanneauCalendrier(this);
    Panel4->hide();
    MonthCalendar1 = Panel4->premierMois();

    connect(BitBtn1, &QPushButton::clicked, this, &TCoefForm::BitBtn1Click);
    connect(Button1, &QPushButton::clicked, this, &TCoefForm::Button1Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TCoefForm::BitBtn3Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TCoefForm::BitBtn2Click);
    connect(BitBtn4, &QPushButton::clicked, this, &TCoefForm::BitBtn4Click);
    connect(Panel4, &PanneauCalendrier::dateCliquee, this, &TCoefForm::MonthCalendar1Click);

    // FormCreate
    Panel4->setDate(Aujourdhui());
    QPalette fond = palette();
    fond.setColor(QPalette::Window, CouleursCompletes() ? QColor(255, 200, 111) : QColor(128, 128, 128));
    setPalette(fond);
    setAutoFillBackground(true);
}

QFrame *TCoefForm::construireRangee(int p)
{
    auto *panel = new QFrame(this);
    Panel[p] = panel;
    panel->setObjectName(QStringLiteral("Panel%1").arg(p));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setAutoFillBackground(true);
    QPalette face = panel->palette();
    face.setColor(QPalette::Window, face.color(QPalette::Button));
    panel->setPalette(face);

    auto *h = new QHBoxLayout(panel);
    h->setContentsMargins(6, 4, 6, 4);
    h->setSpacing(6);
    Label[p] = new QLabel(panel);
    Label[p]->setObjectName(QStringLiteral("Label%1").arg(p));
    Label[p]->setFixedWidth(Label[p]->fontMetrics().horizontalAdvance(QStringLiteral("Trimestre 3")) + 8);
    LabelDate::couleursNormales(Label[p]);
    h->addWidget(Label[p]);

    for (int m = 1; m <= 2; ++m) {
        auto *moitie = new Moitie(panel);
        Bevel[p][m] = moitie->bevel;
        Bevel[p][m]->setObjectName(QStringLiteral("Bevel%1").arg(2 * (p - 1) + m));
        auto *g = new QGridLayout(moitie);
        g->setContentsMargins(5, 3, 5, 4);
        g->setHorizontalSpacing(3);
        g->setVerticalSpacing(1);
        auto *mat = new QLabel(moitie);
        LabelMat[p][m] = mat;
        mat->setObjectName(QStringLiteral("Label%1%2").arg(p).arg(m));
        mat->setAlignment(Qt::AlignCenter);
        LabelDate::couleursNormales(mat);
        mat->setAutoFillBackground(false);
        mat->setMinimumHeight(mat->fontMetrics().height());
        g->addWidget(mat, 0, 0, 1, 8);
        for (int i = 1; i <= 8; ++i) {
            const int k = 8 * (m - 1) + i;
            const int numero = 16 * (p - 1) + k;
            auto *spin = new SpinFleches(moitie);
            SpinEdit[p][k] = spin;
            spin->setObjectName(QStringLiteral("SpinEdit%1").arg(numero));
            spin->setRange(0, 9);
            spin->setSingleStep(1);
            spin->setValue(1);
            spin->setFixedWidth(spin->fontMetrics().horizontalAdvance(QStringLiteral("9")) + 30);
            g->addWidget(spin, 1, i - 1);
            auto *ld = new LabelDate(moitie);
            Ld[p][k] = ld;
            ld->setObjectName(QStringLiteral("Ld%1").arg(numero));
            g->addWidget(ld, 2, i - 1);
            connect(ld, &LabelDate::clique, this, &TCoefForm::Ld1Click);
        }
        h->addWidget(moitie);
    }
    return panel;
}

void TCoefForm::showEvent(QShowEvent *e)
{
    if (!e->spontaneous())
        FormShow();
    QDialog::showEvent(e);
    if (!e->spontaneous())
        BitBtn1->setFocus();
}

void TCoefForm::FormShow()
{
    for (int p = 1; p <= 3; ++p) {
        for (int k = 1; k <= 16; ++k) {
            const int numero = UneMatiere ? k : (k - 1) % 8 + 1;
            SpinEdit[p][k]->setToolTip(QStringLiteral("Devoir n° ") + QString::number(numero));
        }
        for (int m = 1; m <= 2; ++m) {
            Bevel[p][m]->setVisible(!UneMatiere);
            LabelMat[p][m]->setText(UneMatiere ? QString() : m == 1 ? LibelleMat1 : LibelleMat2);
        }
    }
    if (DeuxPeriodes) {
        Label[1]->setText(QStringLiteral("Semestre 1"));
        Label[2]->setText(QStringLiteral("Semestre 2"));
        Panel[3]->hide();
    } else {
        Label[1]->setText(QStringLiteral("Trimestre 1"));
        Label[2]->setText(QStringLiteral("Trimestre 2"));
        Label[3]->setText(QStringLiteral("Trimestre 3"));
        Panel[3]->show();
    }
    for (int p = 1; p <= 3; ++p) {
        for (int k = 1; k <= 16; ++k) {
            const QString &coefs = CoefPeriode[p];
            SpinEdit[p][k]->setValue(k <= coefs.size() ? ChiffreCoefCaractere(coefs[k - 1]) : 1);
            Ld[p][k]->setText(DatePeriode[p].mid(5 * (k - 1), 5));
        }
    }
    // The calendar comes back into the dialog, centred, as it may have been left floating.
    layout()->activate();
    adjustSize();
    Panel4->rattacher();
    Panel4->move((width() - Panel4->width()) / 2, (height() - Panel4->height()) / 2);
}

QDate TCoefForm::DateCalendrier() const
{
    return Panel4->date();
}

void TCoefForm::Ld1Click(LabelDate *l)
{
    for (int p = 1; p <= 3; ++p) {
        for (int k = 1; k <= 16; ++k) {
            if (Ld[p][k] != l)
                Ld[p][k]->deselectionner();
        }
    }
    if (!l->estRouge() && !l->estFondBlanc())
        l->selectionner();
    else
        l->deselectionner();
}

void TCoefForm::BitBtn1Click()
{
    if (Panel4->isVisible()) {
        Panel4->hide();
    } else {
        Panel4->show();
        Panel4->raise();
    }
}

void TCoefForm::ecrireDateChoisie(const QString &texte)
{
    for (int p = 1; p <= 3; ++p) {
        for (int k = 1; k <= 16; ++k) {
            if (Ld[p][k]->estRouge())
                Ld[p][k]->setText(texte);
        }
    }
}

void TCoefForm::MonthCalendar1Click(const QDate &d)
{
    ecrireDateChoisie(DateCourte(d).left(5));
}

void TCoefForm::Button1Click()
{
    ecrireDateChoisie(QStringLiteral("--/--"));
}

void TCoefForm::BitBtn3Click()
{
    Messages::simple(
        QStringLiteral("Pour configurer la date d'un devoir :\r\n\r\n1) cliquer sur la date choisie pour "
                       "l'afficher en rouge (ou noir)\r\n\r\n"
                       "2) faire apparaître le calendrier et cliquer sur une date de celui-ci\r\n\r\n"
                       "3) pour réinitialiser une date (en rouge) appuyer sur le bouton A"));
}

void TCoefForm::initialiser_coef()
{
    // Hidden rows too: all three periods are always written.
    for (int p = 1; p <= 3; ++p) {
        QString coefs, dates;
        for (int k = 1; k <= 16; ++k) {
            const int v = SpinEdit[p][k]->value();
            coefs += v >= 0 && v <= 9 ? QChar(u'0' + v) : QChar(u'1');
            dates += Ld[p][k]->text();
        }
        CoefPeriode[p] = coefs.left(16);
        DatePeriode[p] = dates.left(80);
    }
}

void TCoefForm::BitBtn2Click()
{
    initialiser_coef();
    if (!EcritureDifferee) {
        const QString erreur = EcrireCoefDates();
        if (!erreur.isEmpty())
            Messages::rapportErreur(erreur);
    }
    accept();
}

void TCoefForm::BitBtn4Click()
{
    reject();
}

void TCoefForm::FormClose()
{
    Panel4->hide();
    Panel4->rattacher();
    for (int p = 1; p <= 3; ++p) {
        LabelDate::couleursNormales(Label[p]);
        for (int k = 1; k <= 16; ++k)
            Ld[p][k]->deselectionner();
    }
}

void TCoefForm::done(int r)
{
    FormClose();
    QDialog::done(r);
}

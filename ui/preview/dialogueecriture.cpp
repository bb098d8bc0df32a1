#include "ui/preview/dialogueecriture.h"

#include "classdata/texte.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

namespace {

constexpr int TAILLE_MIN = 1;
constexpr int TAILLE_MAX = 72;

QStringList FamillesFixes()
{
    QStringList r;
    for (const QString &f : QFontDatabase::families())
        if (QFontDatabase::isFixedPitch(f) && QFontDatabase::isSmoothlyScalable(f)
            && !QFontDatabase::isPrivateFamily(f))
            r << f;
    return r;
}

QLabel *Titre(const QString &texte, QWidget *copain, QWidget *parent)
{
    auto *l = new QLabel(texte, parent);
    l->setBuddy(copain);
    return l;
}

} // namespace

DialogueEcriture::DialogueEcriture(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FontDialog1"));
    setWindowTitle(QStringLiteral("Ecriture"));

    ListeFamilles = new QListWidget(this);
    ListeFamilles->setObjectName(QStringLiteral("ListeFamilles"));
    ListeFamilles->addItems(FamillesFixes());
    ListeStyles = new QListWidget(this);
    ListeStyles->setObjectName(QStringLiteral("ListeStyles"));
    for (int k = 0; k < 4; ++k)
        ListeStyles->addItem(NomDeStyle(k));
    Taille = new QSpinBox(this);
    Taille->setObjectName(QStringLiteral("Taille"));
    Taille->setRange(TAILLE_MIN, TAILLE_MAX);
    Souligne = new QCheckBox(QStringLiteral("&Souligné"), this);
    Barre = new QCheckBox(QStringLiteral("&Barré"), this);
    Exemple = new QLabel(QStringLiteral("AaBbYyZz 12.50"), this);
    Exemple->setObjectName(QStringLiteral("Exemple"));
    Exemple->setMinimumHeight(60);
    Exemple->setAlignment(Qt::AlignCenter);
    Exemple->setFrameShape(QFrame::StyledPanel);

    auto *boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    boutons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    boutons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuler"));
    connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *g = new QGridLayout(this);
    g->addWidget(Titre(QStringLiteral("&Police :"), ListeFamilles, this), 0, 0);
    g->addWidget(Titre(QStringLiteral("S&tyle :"), ListeStyles, this), 0, 1);
    g->addWidget(Titre(QStringLiteral("T&aille :"), Taille, this), 0, 2);
    g->addWidget(ListeFamilles, 1, 0, 3, 1);
    g->addWidget(ListeStyles, 1, 1, 3, 1);
    g->addWidget(Taille, 1, 2);
    g->addWidget(Souligne, 2, 2);
    g->addWidget(Barre, 3, 2, Qt::AlignTop);
    g->addWidget(Exemple, 4, 0, 1, 3);
    g->addWidget(boutons, 5, 0, 1, 3);
    g->setColumnStretch(0, 3);
    g->setColumnStretch(1, 2);
    ListeStyles->setMaximumHeight(ListeStyles->sizeHintForRow(0) * 5);
    resize(460, 320);

    connect(ListeFamilles, &QListWidget::currentRowChanged, this, &DialogueEcriture::majExemple);
    connect(ListeStyles, &QListWidget::currentRowChanged, this, &DialogueEcriture::majExemple);
    connect(Taille, &QSpinBox::valueChanged, this, &DialogueEcriture::majExemple);
    connect(Souligne, &QCheckBox::toggled, this, &DialogueEcriture::majExemple);
    connect(Barre, &QCheckBox::toggled, this, &DialogueEcriture::majExemple);
}

QString DialogueEcriture::FamilleInstallee(const QFont &f, bool *remplacee)
{
    const QStringList familles = FamillesFixes();
    // The list's own spelling of a family.
    auto dansLaListe = [&familles](const QString &nom) {
        for (const QString &f : familles)
            if (f.compare(nom, Qt::CaseInsensitive) == 0)
                return f;
        return QString();
    };
    QString famille = dansLaListe(f.family());
    const bool absente = famille.isEmpty();
    if (absente) {
        QFont cherchee(f);
        cherchee.setStyleHint(QFont::TypeWriter);
        famille = dansLaListe(QFontInfo(cherchee).family());
        if (famille.isEmpty() && !familles.isEmpty())
            famille = familles.first();
    }
    if (remplacee)
        *remplacee = absente;
    return famille;
}

void DialogueEcriture::definirPolice(const QFont &police)
{
    bool remplacee = false;
    const QString famille = FamilleInstallee(police, &remplacee);
    const QList<QListWidgetItem *> trouvees = ListeFamilles->findItems(famille, Qt::MatchFixedString);
    ListeFamilles->setCurrentItem(trouvees.isEmpty() ? nullptr : trouvees.first());
    if (ListeFamilles->currentItem())
        ListeFamilles->scrollToItem(ListeFamilles->currentItem(), QAbstractItemView::PositionAtCenter);
    const int style = remplacee ? 0 : (police.bold() ? 1 : 0) | (police.italic() ? 2 : 0);
    ListeStyles->setCurrentRow(style);
    Taille->setValue(qBound(TAILLE_MIN, police.pointSize() > 0 ? police.pointSize() : 8, TAILLE_MAX));
    Souligne->setChecked(!remplacee && police.underline());
    Barre->setChecked(!remplacee && police.strikeOut());
    ListeFamilles->setFocus();
    majExemple();
}

QFont DialogueEcriture::police() const
{
    QFont f(ListeFamilles->currentItem() ? ListeFamilles->currentItem()->text() : QString());
    f.setStyleHint(QFont::TypeWriter);
    f.setPointSize(Taille->value());
    const int style = qMax(0, ListeStyles->currentRow());
    f.setBold(style & 1);
    f.setItalic(style & 2);
    f.setUnderline(Souligne->isChecked());
    f.setStrikeOut(Barre->isChecked());
    return f;
}

void DialogueEcriture::majExemple()
{
    Exemple->setFont(police());
}

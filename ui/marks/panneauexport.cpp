// The export of the grid as a text file for a word processor or a database.
#include "ui/marks/panneauexport.h"

#include "classdata/classe.h"
#include "platform/dossier.h"
#include "platform/horloge.h"
#include "reports/export.h"
#include "ui/components/messages.h"
#include "ui/components/sablier.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace {

bool CaractereDeNom(QChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9')
        || QStringLiteral("!$-_~").contains(c);
}

// Only those characters, so that no folder can be named.
QString NomNettoye(const QString &nom)
{
    QString r;
    for (QChar c : nom)
        if (CaractereDeNom(c))
            r += c;
    return r.left(8);
}

class FiltreNom : public QObject {
public:
    FiltreNom(TPanneauExport *f)
        : QObject(f)
        , m_f(f)
    { }

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() != QEvent::KeyPress)
            return false;
        auto *k = static_cast<QKeyEvent *>(e);
        const bool commande = k->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
        if (commande || k->text().isEmpty() || !k->text().at(0).isPrint())
            return false;
        m_f->Nom_TextKeyPress(k);
        return !k->isAccepted();
    }

private:
    TPanneauExport *m_f;
};

QLabel *texte(QWidget *parent, const QString &t, int x, int y)
{
    auto *l = new QLabel(t, parent);
    l->move(x, y);
    l->adjustSize();
    return l;
}

} // namespace

TPanneauExport::TPanneauExport(std::function<QList<QStringList>()> grille, QWidget *parent)
    : TWinPanel(parent)
    , m_grille(std::move(grille))
{
    TWinPanel *WinPanel1 = this;
    WinPanel1->setObjectName(QStringLiteral("WinPanel1"));
    WinPanel1->setGeometry(152, 164, 345, 161);
    WinPanel1->setBordure(2);
    WinPanel1->setBordureSimple(true);
    WinPanel1->setTitre(QStringLiteral("Pour récupération par T.T. ou S.G.B.D."));
    WinPanel1->setToolTip(
        QStringLiteral("T.T. : Traitement de Textes  S.G.B.D. : Système de Gestion de Bases de Données"));
    WinPanel1->hide();
}

void TPanneauExport::setVisible(bool visible)
{
    if (visible)
        garnir();
    TWinPanel::setVisible(visible);
}

void TPanneauExport::garnir()
{
    if (Nom_Text)
        return;
    TWinPanel *WinPanel1 = this;
    texte(WinPanel1, QStringLiteral("Nom du fichier texte"), 14, 26);
    Nom_Text = new QLineEdit(WinPanel1);
    Nom_Text->setObjectName(QStringLiteral("Nom_Text"));
    Nom_Text->setGeometry(14, 42, 92, 22);
    Nom_Text->setMaxLength(8);
    QFont gras = Nom_Text->font();
    gras.setBold(true);
    Nom_Text->setFont(gras);
    Nom_Text->setToolTip(QStringLiteral("A modifier (8 caractères au maximum)"));
    Nom_Text->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[A-Za-z0-9!$_~-]{0,8}")), Nom_Text));
    Nom_Text->installEventFilter(new FiltreNom(this));
    texte(WinPanel1, QStringLiteral(".TXT"), 110, 46);

    texte(WinPanel1, QStringLiteral("Séparateur de champs"), 182, 26);
    ComboBox1 = new QComboBox(WinPanel1);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setGeometry(182, 42, 84, 22);
    ComboBox1->addItems({QStringLiteral("Aucun"), QStringLiteral("Tab"), QStringLiteral(";"),
                         QStringLiteral("#"), QStringLiteral("!"), QStringLiteral("/"), QStringLiteral("&"),
                         QStringLiteral("%"), QStringLiteral("~"), QStringLiteral("@")});
    ComboBox1->setToolTip(QStringLiteral("Aucun en T.T., nécessaire en S.G.B.D."));

    texte(WinPanel1, QStringLiteral("Séparateur décimal"), 182, 70);
    ComboBox2 = new QComboBox(WinPanel1);
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    ComboBox2->setGeometry(182, 86, 84, 22);
    ComboBox2->addItems({QStringLiteral(","), QStringLiteral(".")});
    ComboBox2->setToolTip(QStringLiteral("La virgule, en principe"));

    Label63 = texte(WinPanel1, QString(), 14, 114);
    Label63->setObjectName(QStringLiteral("Label63"));
    Label63->resize(320, 16);

    BBOk = new QPushButton(QStringLiteral("OK"), WinPanel1);
    BBOk->setObjectName(QStringLiteral("BBOk"));
    BBOk->setGeometry(64, 132, 90, 24);
    BBOk->setDefault(true);
    BBOk->setToolTip(QStringLiteral("Démarrer l'exportation"));
    BBAbandon = new QPushButton(QStringLiteral("Abandon"), WinPanel1);
    BBAbandon->setObjectName(QStringLiteral("BBAbandon"));
    BBAbandon->setGeometry(190, 132, 90, 24);
    BBAbandon->setAutoDefault(false);
    BBAbandon->setToolTip(QStringLiteral("Annuler l'exportation"));
    connect(BBOk, &QPushButton::clicked, this, &TPanneauExport::BBOkClick);
    connect(BBAbandon, &QPushButton::clicked, this, &TPanneauExport::BBAbandonClick);
}

void TPanneauExport::ouvrir(Vue vue)
{
    show();
    raise();
    Nom_Text->setText(NomNettoye(NomExportPropose(vue, NomClasse, Aujourdhui())));
    ComboBox1->setCurrentIndex(0);
    ComboBox2->setCurrentIndex(0);
    Label63->setText(QStringLiteral("Le séparateur d'enregistrements est ENTREE ( ¶ )"));
    Nom_Text->setFocus();
    Nom_Text->selectAll();
}

void TPanneauExport::Nom_TextKeyPress(QKeyEvent *e)
{
    const QString t = e->text();
    if (e->key() == Qt::Key_Backspace || (t.size() == 1 && CaractereDeNom(t.at(0)))) {
        e->accept();
        return;
    }
    Messages::bip();
    e->ignore();
}

void TPanneauExport::BBOkClick()
{
    garnir();
    const QString nom = NomNettoye(Nom_Text->text());
    if (nom.isEmpty()) {
        // A file needs a name: the panel stays open.
        Messages::erreur(QStringLiteral("Il est indispensable d'entrer un nom de fichier !"), BoutonOui);
        Nom_Text->setFocus();
        return;
    }
    QString echec;
    {
        Sablier sablier;
        TableGrille table;
        table.lignes = m_grille();
        const QByteArray octets =
            TexteExport(table, NomClasse, Maintenant(), SeparateurChamps(ComboBox1->currentText()),
                        ComboBox2->currentText() == QStringLiteral(","));
        EcrireFichierExport(CheminProgramme(nom + QStringLiteral(".txt")), octets, &echec);
    }
    hide();
    if (!echec.isEmpty())
        Messages::rapportErreur(echec);
}

void TPanneauExport::BBAbandonClick()
{
    hide();
}

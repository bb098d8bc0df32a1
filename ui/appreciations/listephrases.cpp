#include "ui/appreciations/listephrases.h"

#include "appreciations/baseappreciations.h"

#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListView>
#include <QVBoxLayout>

namespace {
// A line of a base may be megabytes long; only its start is ever visible, and
// laying out the whole text would freeze the window.
constexpr int LONGUEUR_AFFICHEE = 500;

QString Affichage(const QString &phrase)
{
    return phrase.size() > LONGUEUR_AFFICHEE ? phrase.left(LONGUEUR_AFFICHEE) : phrase;
}
} // namespace

int ModelePhrases::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_phrases.size());
}

QVariant ModelePhrases::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_phrases.size())
        return {};
    if (role == Qt::DisplayRole)
        return Affichage(m_phrases.at(index.row()));
    return {};
}

void ModelePhrases::remplacer(const QStringList &triees)
{
    beginResetModel();
    m_phrases = triees;
    endResetModel();
}

int ModelePhrases::inserer(const QString &phrase)
{
    const int ligne = PlaceDePhrase(m_phrases, phrase);
    beginInsertRows({}, ligne, ligne);
    m_phrases.insert(ligne, phrase);
    endInsertRows();
    return ligne;
}

void ModelePhrases::retirer(int ligne)
{
    if (ligne < 0 || ligne >= m_phrases.size())
        return;
    beginRemoveRows({}, ligne, ligne);
    m_phrases.removeAt(ligne);
    endRemoveRows();
}

ListePhrases::ListePhrases(QWidget *parent)
    : QWidget(parent)
    , m_modele(new ModelePhrases(this))
    , m_edition(new QLineEdit(this))
    , m_vue(new QListView(this))
{
    auto *l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(0);
    l->addWidget(m_edition);
    l->addWidget(m_vue, 1);
    m_edition->setObjectName(QStringLiteral("CB1Edition"));
    m_vue->setObjectName(QStringLiteral("CB1Liste"));
    m_vue->setModel(m_modele);
    m_vue->setUniformItemSizes(true);
    m_vue->setSelectionMode(QAbstractItemView::SingleSelection);
    m_vue->setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFocusProxy(m_vue);

    connect(m_vue->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { selectionChangee(); });
    connect(m_vue, &QListView::doubleClicked, this, [this] { emit doubleClic(); });
    connect(m_edition, &QLineEdit::textEdited, this, &ListePhrases::texteTape);
}

void ListePhrases::remplir(QStringList phrases)
{
    TrierPhrases(phrases);
    m_modele->remplacer(phrases);
    m_edition->clear();
}

void ListePhrases::remplirTriees(const QStringList &triees)
{
    m_modele->remplacer(triees);
    m_edition->clear();
}

void ListePhrases::vider()
{
    m_modele->remplacer({});
    m_edition->clear();
}

int ListePhrases::ajouter(const QString &phrase)
{
    // The view keeps its current index on the same phrase across the insertion.
    return m_modele->inserer(phrase);
}

void ListePhrases::supprimer(int ligne)
{
    const bool courante = ligne == ligneCourante();
    m_modele->retirer(ligne);
    if (courante)
        choisirLigne(-1);
}

int ListePhrases::ligneCourante() const
{
    const QModelIndex i = m_vue->currentIndex();
    return i.isValid() && m_vue->selectionModel()->isSelected(i) ? i.row() : -1;
}

void ListePhrases::choisirLigne(int ligne)
{
    if (ligne < 0 || ligne >= count()) {
        m_vue->selectionModel()->clearSelection();
        m_vue->selectionModel()->setCurrentIndex({}, QItemSelectionModel::NoUpdate);
        if (!m_synchro)
            m_edition->clear();
        return;
    }
    const QModelIndex i = m_modele->index(ligne);
    m_vue->selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
    m_vue->scrollTo(i);
}

void ListePhrases::selectionChangee()
{
    if (m_synchro)
        return;
    const int l = ligneCourante();
    m_edition->setText(l >= 0 ? Affichage(phrase(l)) : QString());
}

void ListePhrases::texteTape(const QString &texte)
{
    // As in a combo box: the list follows what is typed, selecting the first
    // phrase that starts with it.
    int trouve = -1;
    if (!texte.isEmpty()) {
        const QStringList &l = phrases();
        for (int i = 0; i < l.size(); ++i) {
            if (l.at(i).startsWith(texte, Qt::CaseInsensitive)) {
                trouve = i;
                break;
            }
        }
    }
    m_synchro = true;
    choisirLigne(trouve);
    m_synchro = false;
}

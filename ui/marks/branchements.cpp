// What each control's events call.
#include "ui/marks/noteform.h"

#include "ui/components/radiogroupe.h"
#include "ui/marks/barrenotes.h"
#include "ui/marks/grillevue.h"
#include "ui/marks/historique.h"
#include "ui/marks/peinture.h"

#include <QAction>
#include <QCheckBox>
#include <QDropEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

void TNoteForm::brancher()
{
    connect(RadioGroup1, &RadioGroupe::clique, this, &TNoteForm::RadioGroup1Click);
    connect(RadioGroup2, &RadioGroupe::clique, this, &TNoteForm::RadioGroup2Click);
    connect(RadioGroup3, &RadioGroupe::clique, this, &TNoteForm::RadioGroup3Click);

    const std::pair<QPushButton *, void (TNoteForm::*)()> boutons[] = {
        {Button1, &TNoteForm::Button1Click},       {Button2, &TNoteForm::Button2Click},
        {Button4, &TNoteForm::Button4Click},       {Button6, &TNoteForm::Button6Click},
        {Button7, &TNoteForm::Button7Click},       {Button8, &TNoteForm::Button8Click},
        {Button9, &TNoteForm::Button9Click},       {Button10, &TNoteForm::Button10Click},
        {BBText, &TNoteForm::BBTextClick},         {BBImp, &TNoteForm::BBImpClick},
        {BBApercu, &TNoteForm::BBApercuClick},     {BBConf_Imp, &TNoteForm::BBConf_ImpClick},
        {BBPourcent, &TNoteForm::BBPourcentClick}, {BBCoefDate, &TNoteForm::BBCoefDateClick},
        {BB_toolN, &TNoteForm::BB_toolNClick},
    };
    for (const auto &[b, f] : boutons)
        connect(b, &QPushButton::clicked, this, f);
    connect(Button5, &QPushButton::clicked, this, [this] { Button5Click(); });
    connect(CheckBox2, &QCheckBox::clicked, this, &TNoteForm::CheckBox2Click);
    connect(BBTailleNormale, &QToolButton::clicked, this, &TNoteForm::TailleNormaleClick);
    connect(Timer1, &QTimer::timeout, this, &TNoteForm::Timer1Timer);

    // The grid.
    StringGrid1->filtreTouches = [this](QKeyEvent *e) { return StringGrid1KeyPress(e, nullptr); };
    m_delegue->filtreTouches = [this](QKeyEvent *e, QLineEdit *ed) { return StringGrid1KeyPress(e, ed); };
    m_delegue->editionOuverte = [this] {
        m_texteAvantEdition = StringGrid1->Cells(StringGrid1->Col(), StringGrid1->Row());
        m_celluleEditee = QPoint(StringGrid1->Col(), StringGrid1->Row());
        debutModification();
    };
    m_delegue->editionFermee = [this] {
        const int col = m_celluleEditee.x(), row = m_celluleEditee.y();
        finModification(vue == Vue::Appreciations ? QStringLiteral("appréciation saisie") + nomEtape(0, row)
                                                  : QStringLiteral("note saisie") + nomEtape(col, row));
    };
    connect(StringGrid1->modele(), &ModeleGrille::texteSaisi, this, [this](int ligne, int colonne) {
        StringGrid1SetEditText(StringGrid1->position(colonne), ligne);
    });
    connect(StringGrid1, &TStringGrid::clicGauche, this, &TNoteForm::StringGrid1Click);
    connect(StringGrid1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { StringGrid1Click(); });
    connect(StringGrid1, &QAbstractItemView::doubleClicked, this, &TNoteForm::StringGrid1DblClick);
    connect(StringGrid1->verticalHeader(), &QHeaderView::sectionDoubleClicked, this, [this](int ligne) {
        StringGrid1->setCourante(StringGrid1->Col(), ligne + 1);
        StringGrid1DblClick();
    });
    connect(StringGrid1, &TStringGrid::hautGaucheChange, this, &TNoteForm::Affiche_Coef);
    connect(StringGrid1->horizontalHeader(), &QHeaderView::sectionMoved, this,
            [this](int, int depuis, int vers) { StringGrid1ColumnMoved(depuis + 1, vers + 1); });
    connect(StringGrid1, &QWidget::customContextMenuRequested, this, [this](const QPoint &p) {
        if (!m_menuAttache)
            return;
        PopupMenu1Popup();
        PopupMenu1->exec(StringGrid1->viewport()->mapToGlobal(p));
    });
    StringGrid1->glisser = [this](QDropEvent *e, bool depot) {
        if (!e->mimeData()->hasFormat(QString::fromLatin1(TypeNoteGlissee)))
            return false;
        const QPoint p = e->position().toPoint();
        if (!StringGrid1DragOver(e->source(), p))
            return false;
        if (depot)
            StringGrid1DragDrop(e->source(), p);
        return true;
    };
    connect(Rsultatsdudevoir1, &QAction::triggered, this, &TNoteForm::Rsultatsdudevoir1Click);
    connect(Augmenterde11, &QAction::triggered, this, &TNoteForm::Augmenterde11Click);
    connect(Diminuerde11, &QAction::triggered, this, &TNoteForm::Diminuerde11Click);
    connect(Supprimertouteslesnotes1, &QAction::triggered, this, &TNoteForm::Supprimertouteslesnotes1Click);

    // Undo and redo, by the two small buttons and the usual keys.
    connect(m_historique, &THistoriqueNotes::annulerDemande, this, &TNoteForm::Annuler);
    connect(m_historique, &THistoriqueNotes::retablirDemande, this, &TNoteForm::Retablir);
    auto *annuler = new QAction(this);
    annuler->setShortcut(QKeySequence::Undo);
    connect(annuler, &QAction::triggered, this, &TNoteForm::Annuler);
    auto *retablir = new QAction(this);
    retablir->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(retablir, &QAction::triggered, this, &TNoteForm::Retablir);
    addAction(annuler);
    addAction(retablir);
    connect(m_historique, &THistoriqueNotes::deplace, this, &TNoteForm::historiqueDeplace);
}

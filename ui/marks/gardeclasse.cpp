#include "ui/marks/gardeclasse.h"

#include "classdata/classe.h"
#include "classdata/empreinte.h"
#include "classdata/journal.h"
#include "classdata/options.h"
#include "classdata/verrouclasse.h"
#include "platform/dossier.h"
#include "platform/horloge.h"
#include "reports/reglesnotes.h"
#include "ui/components/messages.h"
#include "ui/components/reservation.h"
#include "ui/marks/grillevue.h"
#include "ui/marks/noteform.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

int GardeClasse::DelaiJournal = 3000;

namespace {

QByteArray Octets(const QList<StudentRecord> &eleves)
{
    QByteArray o;
    for (const StudentRecord &e : eleves)
        o += CoderEleve(e);
    return o;
}

const QString SuffixeTitre = QStringLiteral(" — lecture seule");

// The caption says it whatever view the window shows.
class TitreLectureSeule : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::WindowTitleChange) {
            auto *w = static_cast<QWidget *>(o);
            if (!w->windowTitle().endsWith(SuffixeTitre))
                w->setWindowTitle(w->windowTitle() + SuffixeTitre);
        }
        return false;
    }
};

QPixmap Cadenas()
{
    QPixmap p(28, 28);
    p.fill(Qt::transparent);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(QPen(QColor(90, 90, 90), 3));
    g.setBrush(Qt::NoBrush);
    g.drawArc(QRectF(8, 3, 12, 14), 0, 180 * 16);
    g.drawLine(QPointF(8, 10), QPointF(8, 13));
    g.drawLine(QPointF(20, 10), QPointF(20, 13));
    g.setPen(QPen(QColor(120, 0, 0), 1));
    g.setBrush(QColor(200, 0, 0));
    g.drawRoundedRect(QRectF(4.5, 12.5, 19, 13), 2, 2);
    g.setPen(Qt::NoPen);
    g.setBrush(Qt::white);
    g.drawEllipse(QPointF(14, 18), 2, 2);
    g.drawRect(QRectF(13, 18, 2, 5));
    return p;
}

} // namespace

GardeClasse::GardeClasse(TNoteForm *fenetre)
    : QObject(fenetre)
    , m_f(fenetre)
    , m_minuterie(new QTimer(this))
{
    setObjectName(QStringLiteral("GardeClasse"));
    m_minuterie->setSingleShot(true);
    connect(m_minuterie, &QTimer::timeout, this, &GardeClasse::echeance);
    m_cadenas = new QLabel(fenetre);
    m_cadenas->setObjectName(QStringLiteral("LabelLectureSeule"));
    m_cadenas->setGeometry(fenetre->Image1->geometry());
    m_cadenas->setAlignment(Qt::AlignCenter);
    m_cadenas->setPixmap(Cadenas());
    m_cadenas->hide();
}

GardeClasse::~GardeClasse() = default;

QString GardeClasse::chemin() const
{
    return CheminProgramme(NomFichier);
}

void GardeClasse::ouvrir()
{
    m_verrou.reset();
    m_cadenas->setToolTip(QString());
    m_actif = false;
    m_lectureSeule = false;
    m_ecrit.clear();
    m_minuterie->stop();
    if (NomFichier.isEmpty()) { // no class file behind the window: nothing to lock or recover
        appliquer();
        return;
    }
    // Usually taken while the window was built.
    VerrouClasse::Etat etat = VerrouClasse::Etat::Impossible;
    m_verrou = ReservationAnticipee(chemin(), etat);
    if (!m_verrou) {
        m_verrou = std::make_unique<VerrouClasse>(chemin());
        etat = m_verrou->prendre();
    }
    if (ConclureReservation(*m_verrou, etat, NomClasse) == Acces::LectureSeule) {
        const DetenteurVerrou d = m_verrou->detenteur();
        m_cadenas->setToolTip(QStringLiteral("Classe ouverte en lecture seule")
                              + (d.machine.isEmpty()
                                     ? QString()
                                     : QStringLiteral(" : ") + TexteDetenteur(NomClasse, d, Aujourdhui())));
        m_verrou.reset();
        m_lectureSeule = true;
        appliquer();
        return;
    }
    appliquer();
    proposerRecuperation();
    m_actif = true;
    changement();
}

void GardeClasse::fermer()
{
    m_minuterie->stop();
    if (m_actif) {
        // Quitting, saved or not: what the journal held is either on disk or thrown away.
        SupprimerJournal(chemin());
    }
    m_actif = false;
    m_verrou.reset();
    if (m_lectureSeule) {
        m_lectureSeule = false;
        appliquer();
    }
}

void GardeClasse::appliquer()
{
    m_f->StringGrid1->modele()->setLectureSeule(m_lectureSeule);
    m_f->deplacementColonnes();
    if (m_lectureSeule) {
        for (QWidget *w : std::initializer_list<QWidget *>{m_f->Button5, m_f->Button9, m_f->BBCoefDate})
            w->setEnabled(false);
        for (QAction *a : {m_f->Augmenterde11, m_f->Diminuerde11, m_f->Supprimertouteslesnotes1})
            a->setEnabled(false);
        m_f->Button5->setToolTip(
            QStringLiteral("Classe ouverte en lecture seule : enregistrement impossible"));
        m_f->Label1->setStyleSheet(QStringLiteral("background-color: #c00000; color: white;"));
        m_f->Label1->setToolTip(QStringLiteral("Classe ouverte en lecture seule"));
        m_cadenas->show();
        if (!m_filtreTitre) {
            m_filtreTitre = new TitreLectureSeule(this);
            m_f->installEventFilter(m_filtreTitre);
            m_f->setWindowTitle(m_f->windowTitle() + SuffixeTitre);
        }
    } else {
        m_f->Button5->setToolTip(QStringLiteral("les notes ou appréciations"));
        m_f->Label1->setStyleSheet(QString());
        m_f->Label1->setToolTip(QString());
        m_cadenas->hide();
        if (m_filtreTitre) {
            m_f->removeEventFilter(m_filtreTitre);
            delete m_filtreTitre;
            m_filtreTitre = nullptr;
            QString t = m_f->windowTitle();
            if (t.endsWith(SuffixeTitre))
                m_f->setWindowTitle(t.left(t.size() - SuffixeTitre.size()));
        }
    }
}

void GardeClasse::changement()
{
    if (m_actif)
        m_minuterie->start(DelaiJournal);
}

void GardeClasse::echeance()
{
    m_minuterie->stop();
    if (!m_actif)
        return;
    if (!m_f->EnregistrementNecessaire) {
        SupprimerJournal(chemin());
        m_ecrit.clear();
        return;
    }
    Journal j;
    j.instant = Maintenant();
    j.nomFichier = NomFichier;
    j.eleves = ListeEleves;
    if (m_f->CoefsDeplaces)
        for (int p = 1; p <= 3; ++p) {
            j.coefs[p] = m_f->CoefsGrille[p];
            j.dates[p] = m_f->DatesGrille[p];
        }
    // A journal that cannot be written is tried again at the next change; the
    // teacher is told by the save, which writes to the same folder.
    if (EcrireJournal(j).isEmpty())
        m_ecrit = Octets(ListeEleves);
}

void GardeClasse::veille()
{
    if (m_actif && m_f->EnregistrementNecessaire && !m_minuterie->isActive()
        && Octets(ListeEleves) != m_ecrit)
        m_minuterie->start(DelaiJournal);
}

void GardeClasse::proposerRecuperation()
{
    const QString c = chemin();
    if (!JournalPlusRecent(c))
        return;
    Journal j;
    if (!LireJournal(c, j)) {
        // Not whole: nothing in it can be trusted.
        SupprimerJournal(c);
        return;
    }
    const DifferencesJournal d = CompterDifferences(ListeEleves, j, CoefPeriode);
    if (d.vide()) {
        SupprimerJournal(c);
        return;
    }
    const int r =
        Messages::boite(TypeBoite::Confirmation, TexteRecuperation(j, d), BoutonOui | BoutonNon, BoutonOui);
    if (r != BoutonOui) {
        SupprimerJournal(c);
        return;
    }
    if (d.coefs) {
        // Columns had been moved: the window is back as it was then, the
        // coefficients following the marks, locked as after any move.
        for (int p = 1; p <= 3; ++p) {
            m_f->CoefsGrille[p] = j.coefs[p];
            m_f->DatesGrille[p] = j.dates[p];
        }
        DecoderCoefs(m_f->CoefsGrille, UneMatiere, CoefMat1, CoefMat2);
        DecoderDates(m_f->DatesGrille, UneMatiere, DateMat1, DateMat2);
        m_f->memoriserCoefs();
        ListeEleves = AppliquerJournal(ListeEleves, j);
        m_f->Set_Donnees();
        m_f->Put_Result();
        m_f->Affiche_Coef();
        m_f->CoefsDeplaces = true;
        m_f->m_modifHorsHistorique = true;
        m_f->viderHistorique();
        m_f->verrouillerApresDeplacement();
        m_f->EnregistrementNecessaire = true;
        m_f->majDrapeau();
        return;
    }
    // One step of the window's history: undoing it gives back the saved class.
    m_f->debutModification();
    ListeEleves = AppliquerJournal(ListeEleves, j);
    m_f->Set_Donnees();
    m_f->Put_Result();
    m_f->finModification(QStringLiteral("Récupération"));
}

bool GardeClasse::avantEnregistrement()
{
    if (m_lectureSeule) {
        Messages::information(
            QStringLiteral("La classe est ouverte en lecture seule : elle ne peut pas être enregistrée."));
        return false;
    }
    if (ListeEleves.isEmpty())
        return true; // nothing will be written: the save says so itself
    AvantEcriture avant = VerifierAvantEcriture(NomFichier, NomClasse);
    if (avant.suite != AvantEcriture::AutreNom)
        return avant.suite == AvantEcriture::Ecrire;
    const QString nom = avant.nouveauNom;
    // The window goes on with a new class of its own: its lock, its settings
    // file, its name; the class left behind keeps what the other copy wrote.
    OptionsAEcrire o;
    o.nomClasse = nom;
    o.trimestre = !DeuxPeriodes;
    o.uneMatiere = UneMatiere;
    o.mat1 = LibelleMat1;
    o.mat2 = LibelleMat2;
    o.gras = Gras;
    o.taille = TailleEcriture;
    const QString erreur = EcrireOptions(o);
    if (!erreur.isEmpty()) {
        Messages::rapportErreur(erreur);
        return false;
    }
    m_minuterie->stop();
    const QString ancien = chemin();
    std::unique_ptr<VerrouClasse> ancienVerrou = std::move(m_verrou);
    m_verrou = std::move(avant.nouveauVerrou);
    NomFichier = nom + QStringLiteral(".VTC");
    NomClasse = nom;
    m_f->Label1->setText(nom);
    // The journal moves with the work, while the old class is still ours:
    // once its lock is released, a journal there belongs to whoever opens it.
    m_ecrit.clear();
    echeance();
    SupprimerJournal(ancien);
    ancienVerrou.reset();
    return true;
}

void GardeClasse::apresEnregistrement()
{
    MemoriserEmpreinte(chemin());
    m_minuterie->stop();
    m_ecrit.clear();
    if (!m_actif)
        return;
    SupprimerJournal(chemin());
}

// The coefficients and dates dialog: what it shows for each kind of class,
// how dates are picked, and what OK and Cancel leave in the settings file.
#include "classdata/classe.h"
#include "classdata/options.h"
#include "platform/dossier.h"
#include "platform/horloge.h"
#include "platform/inifile.h"
#include "tests/common/classeessai.h"
#include "tests/common/repondeurscripte.h"
#include "ui/coefficients/coefform.h"
#include "ui/coefficients/labeldate.h"
#include "ui/coefficients/panneaucalendrier.h"
#include "ui/coefficients/spinfleches.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {
QString cle(const QString &nom)
{
    return Ini::lireTexte(CheminProgramme(QStringLiteral("3A.INI")), QStringLiteral("Options"), nom,
                          QStringLiteral("<absent>"));
}
} // namespace

class TstCoefForm : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void bulles_data();
    void bulles();
    void semestres();
    void selectionDesDates();
    void touchesDesCoefficients();
    void okEcritLesSixCles();
    void annulerNEcritRien();
    void calendrier();
    void okSansEcrireQuandDiffere();
    void entreeEtGuide();

private:
    void ouvrir();
    std::unique_ptr<ClasseEssai> m_dossier;
    std::unique_ptr<TCoefForm> f;
    std::unique_ptr<RepondeurScripte> rep;
};

void TstCoefForm::init()
{
    m_dossier = std::make_unique<ClasseEssai>();
    FixerHorloge(QDateTime(QDate(2024, 3, 5), QTime(10, 0)));
    rep = std::make_unique<RepondeurScripte>();
    NomClasse = QStringLiteral("3A");
    f = std::make_unique<TCoefForm>();
}

void TstCoefForm::cleanup()
{
    QVERIFY(rep->imprevues().isEmpty());
    f.reset();
    rep.reset();
    FixerHorloge(QDateTime());
    m_dossier.reset();
}

void TstCoefForm::ouvrir()
{
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.get()));
}

void TstCoefForm::bulles_data()
{
    QTest::addColumn<bool>("uneMatiere");
    QTest::addColumn<QStringList>("attendues"); // assignments 1, 8, 9, 16
    QTest::newRow("une matière") << true << QStringList{"1", "8", "9", "16"};
    QTest::newRow("deux matières") << false << QStringList{"1", "8", "1", "8"};
}

void TstCoefForm::bulles()
{
    QFETCH(bool, uneMatiere);
    QFETCH(QStringList, attendues);
    UneMatiere = uneMatiere;
    LibelleMat1 = QStringLiteral("Fran");
    LibelleMat2 = QStringLiteral("Lati");
    ouvrir();
    const int k[] = {1, 8, 9, 16};
    for (int p = 1; p <= 3; ++p) {
        for (int i = 0; i < 4; ++i)
            QCOMPARE(f->SpinEdit[p][k[i]]->toolTip(), QStringLiteral("Devoir n° ") + attendues[i]);
        QCOMPARE(f->Bevel[p][1]->isVisible(), !uneMatiere);
        QCOMPARE(f->Bevel[p][2]->isVisible(), !uneMatiere);
        QCOMPARE(f->LabelMat[p][1]->text(), uneMatiere ? QString() : QStringLiteral("Fran"));
        QCOMPARE(f->LabelMat[p][2]->text(), uneMatiere ? QString() : QStringLiteral("Lati"));
        QVERIFY(f->SpinEdit[p][12]->isVisible()); // hiding a frame hides nothing inside
    }
    QVERIFY(f->Panel[3]->isVisible());
    QCOMPARE(f->Label[3]->text(), QStringLiteral("Trimestre 3"));
}

void TstCoefForm::semestres()
{
    DeuxPeriodes = true;
    CoefPeriode[1] = QStringLiteral("23x1"); // short and with a stray character
    CoefPeriode[3] = QStringLiteral("9876543210123456");
    DatePeriode[3] = QStringLiteral("01/09") + QStringLiteral("--/--").repeated(15);
    DatePeriode[2] = QStringLiteral("05/11");
    ouvrir();
    QCOMPARE(f->Label[1]->text(), QStringLiteral("Semestre 1"));
    QCOMPARE(f->Label[2]->text(), QStringLiteral("Semestre 2"));
    QVERIFY(!f->Panel[3]->isVisible());
    QCOMPARE(f->SpinEdit[1][1]->value(), 2);
    QCOMPARE(f->SpinEdit[1][3]->value(), 1);
    QCOMPARE(f->SpinEdit[1][5]->value(), 1);
    QCOMPARE(f->Ld[2][1]->text(), QStringLiteral("05/11"));
    QCOMPARE(f->Ld[2][2]->text(), QString());

    QTest::mouseClick(f->BitBtn2, Qt::LeftButton);
    QCOMPARE(f->result(), int(QDialog::Accepted));
    QCOMPARE(cle(QStringLiteral("Coefficients période 1")), QStringLiteral("2311111111111111"));
    QCOMPARE(cle(QStringLiteral("Coefficients période 2")), COEFS_PAR_DEFAUT);
    QCOMPARE(cle(QStringLiteral("Coefficients période 3")), QStringLiteral("9876543210123456"));
    QCOMPARE(cle(QStringLiteral("Dates période 3")), DatePeriode[3]);
    QCOMPARE(cle(QStringLiteral("Dates période 2")), QStringLiteral("05/11"));
    QCOMPARE(cle(QStringLiteral("Dates période 1")), DatesParDefaut());
}

void TstCoefForm::selectionDesDates()
{
    ouvrir();
    LabelDate *a = f->Ld[1][3], *b = f->Ld[2][5];
    // Nothing selected: a calendar click changes nothing.
    f->MonthCalendar1Click(QDate(2024, 3, 5));
    QCOMPARE(f->Ld[1][3]->text(), QStringLiteral("--/--"));

    QTest::mouseClick(a, Qt::LeftButton);
    QVERIFY(a->estRouge() && a->estFondBlanc());
    QTest::mouseClick(b, Qt::LeftButton);
    QVERIFY(!a->estRouge() && !a->estFondBlanc());
    QVERIFY(b->estRouge());
    QTest::mouseClick(b, Qt::LeftButton);
    QVERIFY(!b->estRouge());

    QTest::mouseClick(a, Qt::LeftButton);
    emit f->MonthCalendar1->clicked(QDate(2024, 3, 5));
    QCOMPARE(a->text(), QStringLiteral("05/03"));
    QVERIFY(a->estRouge()); // stays selected: a second click replaces the date
    f->MonthCalendar1Click(QDate(2023, 12, 24));
    QCOMPARE(a->text(), QStringLiteral("24/12"));
    QCOMPARE(f->DateCalendrier(), QDate(2024, 3, 5));
    QTest::mouseClick(f->Button1, Qt::LeftButton);
    QCOMPARE(a->text(), QStringLiteral("--/--"));
    f->MonthCalendar1Click(QDate(2024, 3, 5));

    // Closing leaves no label selected for the next showing.
    QTest::mouseClick(f->BitBtn2, Qt::LeftButton);
    QVERIFY(!a->estRouge());
    QCOMPARE(DatePeriode[1].mid(10, 5), QStringLiteral("05/03"));
    QCOMPARE(cle(QStringLiteral("Dates période 1")).mid(10, 5), QStringLiteral("05/03"));
}

void TstCoefForm::touchesDesCoefficients()
{
    ouvrir();
    SpinFleches *s = f->SpinEdit[1][1];
    s->setFocus();
    QTest::keyClick(s, Qt::Key_Delete);
    QTest::keyClick(s, Qt::Key_Backspace);
    QTest::keyClicks(s, QStringLiteral("7"));
    QCOMPARE(s->value(), 1);
    QCOMPARE(s->text(), QStringLiteral("1"));
    QTest::keyClick(s, Qt::Key_Down);
    QCOMPARE(s->value(), 0);
    QTest::keyClick(s, Qt::Key_Down);
    QCOMPARE(s->value(), 0);
    for (int i = 0; i < 12; ++i)
        QTest::keyClick(s, Qt::Key_Up);
    QCOMPARE(s->value(), 9);
}

void TstCoefForm::okEcritLesSixCles()
{
    // OK with no change still writes the six keys, and only them.
    ouvrir();
    QTest::mouseClick(f->BitBtn2, Qt::LeftButton);
    QCOMPARE(f->result(), int(QDialog::Accepted));
    for (int p = 1; p <= 3; ++p) {
        QCOMPARE(cle(QStringLiteral("Coefficients période %1").arg(p)), COEFS_PAR_DEFAUT);
        QCOMPARE(cle(QStringLiteral("Dates période %1").arg(p)), DatesParDefaut());
    }
    QCOMPARE(cle(QStringLiteral("Mat1")), QStringLiteral("<absent>"));
    QCOMPARE(cle(QStringLiteral("Nombre de périodes")), QStringLiteral("<absent>"));
}

void TstCoefForm::annulerNEcritRien()
{
    ouvrir();
    f->SpinEdit[2][4]->setValue(5);
    QTest::mouseClick(f->Ld[1][1], Qt::LeftButton);
    f->MonthCalendar1Click(QDate(2024, 3, 5));
    QTest::mouseClick(f->BitBtn4, Qt::LeftButton);
    QCOMPARE(f->result(), int(QDialog::Rejected));
    QVERIFY(!QFile::exists(CheminProgramme(QStringLiteral("3A.INI"))));
    QCOMPARE(CoefPeriode[2], COEFS_PAR_DEFAUT);
    QCOMPARE(DatePeriode[1], DatesParDefaut());
    ouvrir();
    QCOMPARE(f->SpinEdit[2][4]->value(), 1);
    QCOMPARE(f->Ld[1][1]->text(), QStringLiteral("--/--"));
    QTest::keyClick(f.get(), Qt::Key_Escape);
    QVERIFY(!f->isVisible());
    QVERIFY(!QFile::exists(CheminProgramme(QStringLiteral("3A.INI"))));
}

void TstCoefForm::calendrier()
{
    QCOMPARE(f->DateCalendrier(), QDate(2024, 3, 5)); // today at creation
    QCOMPARE(f->MonthCalendar1->monthShown(), 3);
    QVERIFY(f->MonthCalendar1->verticalHeaderFormat() == QCalendarWidget::ISOWeekNumbers);
    ouvrir();
    QVERIFY(!f->Panel4->isVisible());
    QTest::mouseClick(f->BitBtn1, Qt::LeftButton);
    QVERIFY(f->Panel4->isVisible());
    QCOMPARE(f->Panel4->height(), PanneauCalendrier::Hauteur);
    QCOMPARE(f->Panel4->x(), (f->width() - f->Panel4->width()) / 2);

    // Widened, it shows the following months beside the first.
    f->Panel4->detacher(QPoint(50, 50));
    QVERIFY(f->Panel4->flottant() && f->Panel4->isVisible());
    f->Panel4->resize(f->Panel4->minimumWidth() * 3, 400);
    QCOMPARE(f->Panel4->height(), PanneauCalendrier::Hauteur);
    QTRY_COMPARE(f->Panel4->nombreDeMois(), 3);
    QCOMPARE(f->Panel4->mois(2)->monthShown(), 5);
    f->Panel4->mois(1)->clicked(QDate(2024, 4, 10));
    QCOMPARE(f->DateCalendrier(), QDate(2024, 4, 10));
    QCOMPARE(f->MonthCalendar1->monthShown(), 3); // no month moved

    // Left floating, it comes back hidden and inside the dialog next time.
    QTest::mouseClick(f->BitBtn4, Qt::LeftButton);
    ouvrir();
    QVERIFY(!f->Panel4->flottant());
    QVERIFY(!f->Panel4->isVisible());
    QCOMPARE(f->Panel4->parentWidget(), f.get());
    QCOMPARE(f->DateCalendrier(), QDate(2024, 4, 10)); // the calendar keeps its date
}

// For a class being created or duplicated, OK keeps the strings for the
// class's own save and writes nothing.
void TstCoefForm::okSansEcrireQuandDiffere()
{
    f->EcritureDifferee = true;
    ouvrir();
    f->SpinEdit[3][16]->setValue(0);
    QTest::mouseClick(f->BitBtn2, Qt::LeftButton);
    QCOMPARE(f->result(), int(QDialog::Accepted));
    QCOMPARE(CoefPeriode[3], QStringLiteral("1111111111111110"));
    QVERIFY(!QFile::exists(CheminProgramme(QStringLiteral("3A.INI"))));
}

// Enter presses the button with the focus, Calendrier at first: it does not
// validate, and the user guide says so.
void TstCoefForm::entreeEtGuide()
{
    ouvrir();
    f->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.get()));
    QCOMPARE(QApplication::focusWidget(), f->BitBtn1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(f->isVisible());
    QVERIFY(f->Panel4->isVisible());
    QVERIFY(!QFile::exists(CheminProgramme(QStringLiteral("3A.INI"))));

    QFile guide(QStringLiteral(VESTREL_GUIDE));
    QVERIFY(guide.open(QIODevice::ReadOnly));
    const QString texte = QString::fromUtf8(guide.readAll());
    const qsizetype debut = texte.indexOf(QStringLiteral("id=\"coefficients\""));
    const qsizetype fin = texte.indexOf(QStringLiteral("<h2"), debut + 1);
    QVERIFY(debut > 0 && fin > debut);
    const QString section = texte.mid(debut, fin - debut);
    QVERIFY(!section.contains(QStringLiteral("<strong>OK</strong> (<kbd>Entrée</kbd>)")));
    QVERIFY(section.contains(QStringLiteral("elle ne valide pas")));
    QVERIFY(!texte.contains(QStringLiteral("<td><kbd>Entrée</kbd></td><td>OK (enregistrer)</td>")));
}

QTEST_MAIN(TstCoefForm)
#include "tst_coefform.moc"

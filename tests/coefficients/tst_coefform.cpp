// The coefficients and dates dialog: what it reads and shows, and what OK
// and Cancel leave in the settings file.
#include "platform/inifile.h"
#include "tests/common/classeessai.h"
#include "tests/common/repondeurscripte.h"
#include "ui/coefficients/coefform.h"
#include "ui/coefficients/labeldate.h"
#include "ui/coefficients/panneaucalendrier.h"
#include "ui/coefficients/spinfleches.h"

#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {
QString cle(const QString &nom)
{
    return Ini::lireTexte(CheminProgramme(u"3A.INI"_s), u"Options"_s, nom, u"<absent>"_s);
}
} // namespace

class TstCoefForm : public QObject {
    Q_OBJECT

    std::unique_ptr<ClasseEssai> m_dossier;
    std::unique_ptr<TCoefForm> f;
    std::unique_ptr<RepondeurScripte> rep;

    void ouvrir()
    {
        f->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.get()));
    }

private slots:
    void init()
    {
        m_dossier = std::make_unique<ClasseEssai>();
        FixerHorloge(QDateTime(QDate(2024, 3, 5), QTime(10, 0)));
        rep = std::make_unique<RepondeurScripte>();
        NomClasse = u"3A"_s;
        f = std::make_unique<TCoefForm>();
    }

    void cleanup()
    {
        f.reset();
        rep.reset();
        m_dossier.reset();
    }

    // Read from odd strings, shown, and written back whole by OK, which
    // writes the six keys even unchanged, and only them. Enter presses the
    // button with the focus, Calendrier at first: it does not validate.
    void semestres()
    {
        DeuxPeriodes = true;
        CoefPeriode[1] = u"23x1"_s; // short and with a stray character
        CoefPeriode[3] = u"9876543210123456"_s;
        DatePeriode[3] = u"01/09"_s + u"--/--"_s.repeated(15);
        DatePeriode[2] = u"05/11"_s;
        ouvrir();
        QCOMPARE(f->Label[2]->text(), u"Semestre 2"_s);
        QVERIFY(!f->Panel[3]->isVisible());
        QCOMPARE(
            (QList<int>{f->SpinEdit[1][1]->value(), f->SpinEdit[1][3]->value(), f->SpinEdit[1][5]->value()}),
            (QList<int>{2, 1, 1}));
        QCOMPARE(f->Ld[2][1]->text() + u'|' + f->Ld[2][2]->text(), u"05/11|"_s);
        f->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.get()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(f->Panel4->isVisible() && f->isVisible() && !QFile::exists(CheminProgramme(u"3A.INI"_s)));

        QTest::mouseClick(f->BitBtn2, Qt::LeftButton);
        QCOMPARE(f->result(), int(QDialog::Accepted));
        const QList<QPair<QString, QString>> cles = {{u"Coefficients période 1"_s, u"2311111111111111"_s},
                                                     {u"Coefficients période 2"_s, COEFS_PAR_DEFAUT},
                                                     {u"Coefficients période 3"_s, u"9876543210123456"_s},
                                                     {u"Dates période 1"_s, DatesParDefaut()},
                                                     {u"Dates période 2"_s, u"05/11"_s},
                                                     {u"Dates période 3"_s, DatePeriode[3]},
                                                     {u"Mat1"_s, u"<absent>"_s},
                                                     {u"Nombre de périodes"_s, u"<absent>"_s}};
        for (const auto &[nom, valeur] : cles)
            QCOMPARE(cle(nom), valeur);
    }

    // Digits typed are refused; the arrows stay within 0 to 9.
    void touchesDesCoefficients()
    {
        ouvrir();
        SpinFleches *s = f->SpinEdit[1][1];
        s->setFocus();
        for (auto touche : {Qt::Key_Delete, Qt::Key_Backspace, Qt::Key_7})
            QTest::keyClick(s, touche);
        QCOMPARE(s->text(), u"1"_s);
        QTest::keyClick(s, Qt::Key_Down);
        QTest::keyClick(s, Qt::Key_Down);
        QCOMPARE(s->value(), 0);
        for (int i = 0; i < 12; ++i)
            QTest::keyClick(s, Qt::Key_Up);
        QCOMPARE(s->value(), 9);
    }

    // Annuler and Escape leave the settings and the file as they were; for a
    // class being created or duplicated, OK keeps the strings for the class's
    // own save and writes nothing.
    void rienEcrit_data()
    {
        QTest::addColumn<int>("fin");
        QTest::newRow("Annuler") << 0;
        QTest::newRow("Échap") << 1;
        QTest::newRow("OK, écriture différée") << 2;
    }

    void rienEcrit()
    {
        QFETCH(int, fin);
        f->EcritureDifferee = fin == 2;
        ouvrir();
        f->SpinEdit[3][16]->setValue(0);
        QTest::mouseClick(f->Ld[1][1], Qt::LeftButton);
        f->MonthCalendar1Click(QDate(2024, 3, 5));
        if (fin == 1)
            QTest::keyClick(f.get(), Qt::Key_Escape);
        else
            QTest::mouseClick(fin == 0 ? f->BitBtn4 : f->BitBtn2, Qt::LeftButton);
        QVERIFY(!f->isVisible() && !QFile::exists(CheminProgramme(u"3A.INI"_s)));
        QCOMPARE(f->result(), fin == 2 ? int(QDialog::Accepted) : int(QDialog::Rejected));
        QCOMPARE(CoefPeriode[3], fin == 2 ? u"1111111111111110"_s : COEFS_PAR_DEFAUT);
        QCOMPARE(DatePeriode[1].left(5), fin == 2 ? u"05/03"_s : u"--/--"_s);
        ouvrir();
        QCOMPARE(f->SpinEdit[3][16]->value(), fin == 2 ? 0 : 1);
        QCOMPARE(f->Ld[1][1]->text(), fin == 2 ? u"05/03"_s : u"--/--"_s);
    }
};

QTEST_MAIN(TstCoefForm)
#include "tst_coefform.moc"

#include "ui/components/imprimantes.h"

#include "ui/components/messages.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

// The printer a test names: a PDF file.
void VersPdf(QPrinter &imprimante, const Reponse &r)
{
    imprimante.setOutputFormat(QPrinter::PdfFormat);
    imprimante.setOutputFileName(r.texte);
    imprimante.setCopyCount(qMax(1, r.copies));
}

} // namespace

namespace Imprimantes {

std::unique_ptr<QPrinter> parDefaut()
{
    if (Repondeur *rep = Messages::repondeur()) {
        const Reponse r =
            rep->repondre({TypeBoite::Imprimante, QString(), QString(), BoutonOk | BoutonAnnuler, {}});
        if (r.bouton != BoutonOk)
            return nullptr;
        auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
        VersPdf(*p, r);
        return p;
    }
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return nullptr;
    auto p = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    if (!p->isValid())
        return nullptr;
    return p;
}

bool dialogue(QPrinter &imprimante, const QString &titre, QWidget *parent)
{
    if (Repondeur *rep = Messages::repondeur()) {
        const Reponse r =
            rep->repondre({TypeBoite::Impression, titre, QString(), BoutonOk | BoutonAnnuler, {}});
        if (r.bouton != BoutonOk)
            return false;
        VersPdf(imprimante, r);
        return true;
    }
    QPrintDialog d(&imprimante, parent);
    d.setObjectName(QStringLiteral("PrintDialog1"));
    if (!titre.isEmpty())
        d.setWindowTitle(titre);
    return d.exec() == QDialog::Accepted;
}

qreal largeurPage()
{
    if (!Messages::repondeur()) {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (!info.isNull()) {
            const QPrinter imprimante(info);
            const qreal l = imprimante.pageLayout().paintRect(QPageLayout::Inch).width();
            if (l > 1)
                return l;
        }
    }
    const QPageLayout a4(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(5, 5, 5, 5),
                         QPageLayout::Millimeter);
    return a4.paintRect(QPageLayout::Inch).width();
}

QString fichierDeCopie(const QString &fichier, int n)
{
    if (n <= 1 || fichier.isEmpty())
        return fichier;
    const QFileInfo fi(fichier);
    const QString suffixe = fi.suffix().isEmpty() ? QString() : QStringLiteral(".") + fi.suffix();
    const QString base = fichier.left(fichier.size() - suffixe.size());
    return base + QStringLiteral("-") + QString::number(n) + suffixe;
}

} // namespace Imprimantes

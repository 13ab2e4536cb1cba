#include "app/printing/timpresionfichasenblancoform.h"

#include "app/printing/copiesdialog.h"
#include "core/fichavalues.h"
#include "core/global.h"
#include "core/installationprofile.h"
#include "data/dberror.h"
#include "data/localstore.h"
#include "documents/sheet.h"

#include <QPushButton>
#include <QSpinBox>

TImpresionFichasEnBlancoForm::TImpresionFichasEnBlancoForm(QWidget *parent, Prompter &prompter)
    : QDialog(parent), m_prompter(prompter)
{
    setObjectName(QStringLiteral("ImpresionFichasEnBlancoForm"));
    setWindowTitle(QString::fromUtf8("Impresión Fichas en Blanco"));
    Printing::BuildCopiesDialog(*this, SpinEdit1, BitBtn1);
    connect(BitBtn1, &QPushButton::clicked, this, &TImpresionFichasEnBlancoForm::BitBtn1Click);
    try {
        LocalTable &work = localStore().table(LocalTableId::Cylinders);
        if (!work.isOpen())
            work.open();
        work.empty();
    } catch (const DbError &e) {
        m_prompter.error(e.text());
    }
}

void TImpresionFichasEnBlancoForm::BitBtn1Click()
{
    const InstallationProfile &profile = currentProfile();
    try {
        Report::ReportForm sheet =
            Documents::MakeSheet(profile.emptyFichaLayout, Ficha::EmptySheetData(Global, profile));
        sheet.layout().copies = SpinEdit1->value();
        sheet.preview(this);
    } catch (const std::exception &e) {
        m_prompter.error(QString::fromUtf8(e.what()));
    }
}

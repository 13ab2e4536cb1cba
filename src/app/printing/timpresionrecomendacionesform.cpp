#include "app/printing/timpresionrecomendacionesform.h"

#include "app/printing/copiesdialog.h"
#include "documents/registry.h"

#include <QPushButton>
#include <QSpinBox>

TImpresionRecomendacionesForm::TImpresionRecomendacionesForm(QWidget *parent, Prompter &prompter)
    : QDialog(parent), m_prompter(prompter)
{
    setObjectName(QStringLiteral("ImpresionRecomendacionesForm"));
    setWindowTitle(QStringLiteral("Imprimir Recomendaciones de Seguridad"));
    Printing::BuildCopiesDialog(*this, SpinEdit1, BitBtn1);
    connect(BitBtn1, &QPushButton::clicked, this, &TImpresionRecomendacionesForm::BitBtn1Click);
}

void TImpresionRecomendacionesForm::BitBtn1Click()
{
    try {
        Report::ReportForm leaflet = Documents::MakeFixedDocument(QStringLiteral("TQRecomendacionesForm"));
        leaflet.layout().copies = SpinEdit1->value();
        leaflet.preview(this);
    } catch (const std::exception &e) {
        m_prompter.error(QString::fromUtf8(e.what()));
    }
}

#include "app/tversionesform.h"

#include "widgets/dialogplacement.h"
#include "widgets/formwindow.h"

#include <QShowEvent>
#include <QStatusBar>
#include <QTextEdit>
#include <QVBoxLayout>

TVersionesForm::TVersionesForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("VersionesForm"));
    setWindowTitle(QStringLiteral("Resumen de Versiones"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    resize(620, 460);

    auto *memo = new QTextEdit(this);
    memo->setObjectName(QStringLiteral("Memo1"));
    memo->setReadOnly(true);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setPlainText(notes());

    auto *status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("StatusBar1"));

    auto *layout = new QVBoxLayout(this);
    Widgets::setUpWindow(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(memo, 1);
    layout->addWidget(status);
}

QString TVersionesForm::notes()
{
    return QString::fromUtf8(
        "Version 098\n"
        "Carga de operaciones pendientes con el estado de verificación del PEC.\n\n"
        "Version 099\n"
        "Consulta de obleas asignadas por período y exportación a planilla.\n\n"
        "Version 100\n"
        "Listados de vencimiento de obleas y de prueba hidráulica de los clientes.\n\n"
        "Version 101\n"
        "Envío de recordatorios por Whatsapp con el mensaje configurable del taller.\n\n"
        "Version 102\n"
        "Carta compromiso para cilindros con la prueba hidráulica vencida.\n\n"
        "Version 103\n"
        "Órdenes de conversión y órdenes de taller con fallas, trabajos y garantía.\n\n"
        "Version 104\n"
        "Agenda de turnos y mensajes enviados desde el PEC a sus talleres.\n\n"
        "Version 105\n"
        "Adjuntos de documentación del titular en la operación y sello del representante técnico.\n");
}

void TVersionesForm::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        centreOnScreen(this);
    QDialog::showEvent(event);
}

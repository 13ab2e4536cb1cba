#include "operations/form/actionrow.h"

#include "core/operationrecord.h"
#include "operations/linklabel.h"
#include "widgets/fieldrules.h"
#include "widgets/formkit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace OperationForm
{

ActionRow::ActionRow(const Context &context)
    : BitBtnAccesorios(Widgets::button("BitBtnAccesorios", QStringLiteral("Accesorios"))),
      BitBtnAdjuntar(Widgets::button("BitBtnAdjuntar", QStringLiteral("Adjuntar Documentacion"))),
      LabelEstado(Widgets::named(new QLabel(QStringLiteral("Estado")), "LabelEstado")),
      ComboBoxEstado(Widgets::pickList(
          "ComboBoxEstado",
          {QStringLiteral("A VERIFICAR"), QStringLiteral("VERIFICADA CON OBS"), QStringLiteral("VERIFICADA")},
          QStringLiteral("A VERIFICAR"))),
      BitBtnCambiarEstado(Widgets::button("BitBtnCambiarEstado", QStringLiteral("Cambiar Estado"))),
      Label40(Widgets::named(new LinkLabel(QStringLiteral("Seleccionar Impresora")), "Label40")),
      CheckBoxDirectPrint(
          Widgets::named(new QCheckBox(QStringLiteral("Imprimir directamente")), "CheckBoxDirectPrint")),
      BitBtn5(Widgets::button("BitBtn5", QStringLiteral("Ficha"))),
      BitBtn3(Widgets::button("BitBtn3", QStringLiteral("Cédula"))),
      BitBtn2(Widgets::button("BitBtn2", QStringLiteral("Aceptar"))),
      BitBtn1(Widgets::button("BitBtn1", QStringLiteral("Cancelar")))
{
    auto *h = new QHBoxLayout(this);
    h->setContentsMargins(0, 4, 0, 0);
    BitBtnAccesorios->setVisible(false);
    CheckBoxDirectPrint->setChecked(false);
    CheckBoxDirectPrint->setVisible(false);
    BitBtn2->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    BitBtn5->setIcon(style()->standardIcon(QStyle::SP_FileIcon));

    h->addWidget(BitBtnAccesorios);
    h->addWidget(BitBtnAdjuntar);
    h->addWidget(LabelEstado);
    h->addWidget(ComboBoxEstado);
    h->addWidget(BitBtnCambiarEstado);
    h->addStretch(1);
    h->addWidget(CheckBoxDirectPrint);
    h->addWidget(Label40);
    h->addSpacing(10);
    for (QPushButton *b : {BitBtn5, BitBtn3, BitBtn2, BitBtn1})
        h->addWidget(b);

    context.rules.exitsFreelyThrough(BitBtn1);
    connect(BitBtnAccesorios, &QPushButton::clicked, this, &ActionRow::accessoriesWanted);
    connect(BitBtnAdjuntar, &QPushButton::clicked, this, &ActionRow::attachmentsWanted);
    connect(Label40, &LinkLabel::clicked, this, &ActionRow::printerWanted);
    connect(BitBtn5, &QPushButton::clicked, this, &ActionRow::sheetWanted);
    connect(BitBtn2, &QPushButton::clicked, this, &ActionRow::acceptClicked);
    connect(BitBtn1, &QPushButton::clicked, this, &ActionRow::cancelClicked);
}

void ActionRow::read(OperationRecord &r) const
{
    r.estado = ComboBoxEstado->currentIndex();
}

void ActionRow::fill(const OperationRecord &r)
{
    if (r.estado >= 0 && r.estado < ComboBoxEstado->count())
        ComboBoxEstado->setCurrentIndex(r.estado);
}

void ActionRow::setUpForWorkshop(bool recordsAccessories)
{
    BitBtn3->setEnabled(false);
    LabelEstado->setVisible(false);
    ComboBoxEstado->setVisible(false);
    BitBtnCambiarEstado->setVisible(false);
    BitBtnAdjuntar->setText(QStringLiteral("Adjuntar Documentacion"));
    BitBtnAccesorios->setVisible(recordsAccessories);
}

void ActionRow::lockCancel()
{
    BitBtn1->setEnabled(false);
}

void ActionRow::focusAccept()
{
    BitBtn2->setFocus();
}

ProgressPanel::ProgressPanel(QWidget *form)
    : QFrame(form), ProgressBarTareas(Widgets::named(new QProgressBar, "ProgressBarTareas")),
      MemoTareas(Widgets::named(new QPlainTextEdit, "MemoTareas"))
{
    setObjectName(QStringLiteral("PanelTareas"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    auto *v = new QVBoxLayout(this);
    auto *title = new QLabel(QStringLiteral("Por favor, Espere..."));
    QFont f = title->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.3);
    title->setFont(f);
    title->setAlignment(Qt::AlignCenter);
    MemoTareas->setReadOnly(true);
    v->addWidget(title);
    v->addWidget(ProgressBarTareas);
    v->addWidget(MemoTareas, 1);
    resize(420, 240);
    setVisible(false);
}

void ProgressPanel::start(int steps)
{
    ProgressBarTareas->setRange(0, qMax(1, steps));
    ProgressBarTareas->setValue(0);
    MemoTareas->clear();
    QWidget *form = parentWidget();
    move((form->width() - width()) / 2, (form->height() - height()) / 2);
    raise();
    setVisible(true);
}

void ProgressPanel::step(const QString &line)
{
    MemoTareas->appendPlainText(line);
    ProgressBarTareas->setValue(qMin(ProgressBarTareas->maximum(), ProgressBarTareas->value() + 1));
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace OperationForm

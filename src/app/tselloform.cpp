#include "app/tselloform.h"

#include "core/global.h"
#include "data/dberror.h"
#include "data/workshopaccount.h"
#include "widgets/dialogplacement.h"
#include "widgets/formwindow.h"
#include "widgets/waitcursor.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

TSelloForm::TSelloForm(QWidget *parent, Prompter &prompter) : QDialog(parent), m_prompter(prompter)
{
    setObjectName(QStringLiteral("SelloForm"));
    setWindowTitle(QString::fromUtf8("Sello del Representante Técnico del Taller"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setMinimumWidth(420);

    auto *layout = new QVBoxLayout(this);
    Widgets::setUpWindow(this);
    for (int i = 1; i <= 4; ++i) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("EditSello%1").arg(i));
        edit->setAlignment(Qt::AlignCenter);
        edit->setMaxLength(60); // width of tal.selloN
        layout->addWidget(edit);
        m_lines << edit;
    }

    auto *cambiar = new QPushButton(QStringLiteral("Cambiar"), this);
    cambiar->setObjectName(QStringLiteral("BitBtnCambiar"));
    cambiar->setDefault(true);
    auto *cancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    cancelar->setObjectName(QStringLiteral("BitBtnCancelar"));
    connect(cambiar, &QPushButton::clicked, this, &TSelloForm::BitBtnCambiarClick);
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cambiar);
    buttons->addWidget(cancelar);
    layout->addSpacing(8);
    layout->addLayout(buttons);
}

void TSelloForm::showEvent(QShowEvent *event)
{
    // Only when the dialog appears: an error box closing over it must not
    // wipe what the user typed.
    if (!event->spontaneous()) {
        centreOnScreen(this);
        const QString stamps[4] = {Global.Stamp1, Global.Stamp2, Global.Stamp3, Global.Stamp4};
        for (int i = 0; i < 4; ++i)
            m_lines[i]->setText(stamps[i]);
    }
    QDialog::showEvent(event);
}

void TSelloForm::BitBtnCambiarClick()
{
    std::array<QString, 4> texts;
    for (int i = 0; i < 4; ++i)
        texts[i] = m_lines[i]->text();
    try {
        m_save.run(this, QStringLiteral("Guardando el sello..."), Conn::Operations,
                   [workshop = Global.WorkshopCode, texts](WriteOnce::Ticket *t) {
                       WorkshopAccount::WriteStamp(workshop, texts, t);
                   });
    } catch (const DbError &e) {
        m_prompter.error(
            Widgets::WindowWrites::failure(QStringLiteral("No se guardó el sello: puede intentarlo de nuevo."), e));
        return;
    }
    // Only a stored stamp reaches the documents.
    Global.Stamp1 = texts[0];
    Global.Stamp2 = texts[1];
    Global.Stamp3 = texts[2];
    Global.Stamp4 = texts[3];
    accept();
}

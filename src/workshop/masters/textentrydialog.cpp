#include "workshop/masters/textentrydialog.h"

#include "core/prompter.h"
#include "widgets/formwindow.h"
#include "widgets/modalrun.h"
#include "widgets/uppercasevalidator.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TextEntryDialog::TextEntryDialog(const Setup &setup, QWidget *parent, Prompter &prompter)
    : QDialog(parent), m_setup(setup), m_prompter(prompter)
{
    setObjectName(setup.objectName);
    setWindowTitle(setup.caption);
    setModal(true);

    Label1 = new QLabel(setup.label, this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    if (setup.maxLength > 0)
        Edit1->setMaxLength(setup.maxLength);
    if (setup.upperCase)
        Edit1->setValidator(new Widgets::UpperCaseValidator(Edit1));
    Edit1->setMinimumWidth(360);
    Label1->setBuddy(Edit1);

    BitBtnAceptar = new QPushButton(QStringLiteral("Aceptar"), this);
    BitBtnAceptar->setObjectName(QStringLiteral("BitBtnAceptar"));
    BitBtnAceptar->setDefault(true);
    BitBtnCancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    BitBtnCancelar->setObjectName(QStringLiteral("BitBtnCancelar"));

    auto *layout = new QVBoxLayout(this);
    Widgets::setUpWindow(this);
    layout->addWidget(Label1);
    layout->addWidget(Edit1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtnAceptar);
    buttons->addWidget(BitBtnCancelar);
    layout->addLayout(buttons);

    connect(BitBtnAceptar, &QPushButton::clicked, this, &TextEntryDialog::BitBtnAceptarClick);
    connect(BitBtnCancelar, &QPushButton::clicked, new Widgets::DiscardGuard(this, m_prompter),
            &Widgets::DiscardGuard::cancel);
}

void TextEntryDialog::BitBtnAceptarClick()
{
    if (!m_setup.emptyRefusal.isEmpty() && Edit1->text().trimmed().isEmpty()) {
        m_prompter.error(m_setup.emptyRefusal);
        Edit1->setFocus();
        return;
    }
    accept();
}

std::optional<QString> TextEntryDialog::ask(const Setup &setup, const QString &initial, QWidget *parent,
                                            Prompter &prompter)
{
    TextEntryDialog dlg(setup, parent, prompter);
    dlg.Edit1->setText(initial);
    if (Widgets::runModal(dlg) != QDialog::Accepted)
        return std::nullopt;
    return dlg.Edit1->text().trimmed();
}

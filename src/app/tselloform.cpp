#include "app/tselloform.h"

#include "app/dialogplacement.h"

#include "app/messages.h"
#include "core/global.h"
#include "data/dm1.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {
const QString kUpdateStamp = QStringLiteral("update tal set sello1 = :se1, sello2 = :se2, sello3 = :se3, "
                                            "sello4 = :se4 where tcodigoint = :tal");
}

TSelloForm::TSelloForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SelloForm"));
    setWindowTitle(QString::fromUtf8("Sello del Representante Técnico del Taller"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setMinimumWidth(420);

    auto *layout = new QVBoxLayout(this);
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
    QStringList texts;
    for (const QLineEdit *edit : m_lines) {
        // Empty lines are stored as empty texts, not NULL.
        const QString t = edit->text();
        texts << (t.isNull() ? QStringLiteral("") : t);
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        NamedQuery update(QStringLiteral("SQLUpdateSello"), Conn::Operations, kUpdateStamp);
        for (int i = 0; i < 4; ++i)
            update.setParam(QStringLiteral("se%1").arg(i + 1), texts.at(i));
        update.setParam(QStringLiteral("tal"), Global.WorkshopCode);
        update.execute();
    } catch (const DbError &e) {
        QApplication::restoreOverrideCursor();
        Msg::error(this, e.text());
        return;
    }
    QApplication::restoreOverrideCursor();
    Global.Stamp1 = texts.at(0);
    Global.Stamp2 = texts.at(1);
    Global.Stamp3 = texts.at(2);
    Global.Stamp4 = texts.at(3);
    accept();
}

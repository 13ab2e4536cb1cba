#include "workshop/workorders/terroresingresoform.h"

#include "widgets/formwindow.h"
#include "widgets/modalrun.h"

#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

TErroresIngresoForm::TErroresIngresoForm(QWidget *parent, const QStringList &lines) : QDialog(parent)
{
    setObjectName(QStringLiteral("TErroresIngresoForm"));
    setWindowTitle(QStringLiteral("Errores de Ingreso"));
    setModal(true);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setPlainText(lines.join(QLatin1Char('\n')));
    BitBtn1 = new QPushButton(QStringLiteral("Aceptar"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    auto *v = new QVBoxLayout(this);
    Widgets::setUpWindow(this);
    v->addWidget(Memo1);
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(BitBtn1);
    row->addStretch(1);
    v->addLayout(row);
    setFixedSize(520, 300);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TErroresIngresoForm::show(QWidget *parent, const QStringList &lines)
{
    TErroresIngresoForm form(parent, lines);
    Widgets::runModal(form);
}

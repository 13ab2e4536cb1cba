#include "app/tnuevaversionform.h"
#include "widgets/formwindow.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

TNuevaVersionForm::TNuevaVersionForm(const QString &downloadUrl, QWidget *parent)
    : QDialog(parent), m_downloadUrl(downloadUrl)
{
    setObjectName(QStringLiteral("NuevaVersionForm"));
    setWindowTitle(QStringLiteral("Tarvil"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint);

    auto *text = new QLabel(QStringLiteral("Hay disponible una nueva versión de Tarvil"), this);
    text->setObjectName(QStringLiteral("Label1"));
    text->setAlignment(Qt::AlignCenter);

    auto *descargar = new QPushButton(QStringLiteral("Descargar"), this);
    descargar->setObjectName(QStringLiteral("BitBtnDescargar"));
    descargar->setDefault(true);
    auto *salir = new QPushButton(QStringLiteral("Salir"), this);
    salir->setObjectName(QStringLiteral("BitBtnSalir"));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(descargar);
    buttons->addWidget(salir);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    Widgets::setUpWindow(this);
    layout->addWidget(text);
    layout->addLayout(buttons);

    connect(descargar, &QPushButton::clicked, this, &TNuevaVersionForm::DescargarClick);
    connect(salir, &QPushButton::clicked, this, &QDialog::reject);
}

void TNuevaVersionForm::DescargarClick()
{
    if (!m_downloadUrl.isEmpty())
        QDesktopServices::openUrl(QUrl(m_downloadUrl));
    // Every profile ends here, with or without a place to download from.
    m_endsProgram = true;
    accept();
}

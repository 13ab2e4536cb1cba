#include "app/printing/tconfigcopiasform.h"

#include "core/clock.h"
#include "core/fichavalues.h"
#include "core/global.h"
#include "core/installationprofile.h"
#include "data/dberror.h"
#include "data/printconfigrepository.h"
#include "documents/sheet.h"
#include "widgets/dialogplacement.h"
#include "widgets/formwindow.h"
#include "widgets/uppercasevalidator.h"
#include "widgets/waitcursor.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace PrintConfigRules;

TConfigCopiasForm::TConfigCopiasForm(QWidget *parent, Prompter &prompter) : QDialog(parent), m_prompter(prompter)
{
    setObjectName(QStringLiteral("ConfigCopiasForm"));
    setWindowTitle(QStringLiteral("Configurar"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setMinimumWidth(460);

    auto *copiesBox = new QGroupBox(QString::fromUtf8("Configurar cantidad de copias a imprimir en la Ficha Técnica"));
    SpinEditCopias = new QSpinBox(copiesBox);
    SpinEditCopias->setObjectName(QStringLiteral("SpinEditCopias"));
    SpinEditCopias->setRange(kMinCopies, kMaxCopies);
    SpinEditCopias->setValue(kMinCopies);
    auto *copiesRow = new QHBoxLayout(copiesBox);
    copiesRow->addWidget(SpinEditCopias);
    copiesRow->addStretch(1);

    auto *placeBox = new QGroupBox(QStringLiteral("Localidad y Provincia por defecto"));
    LocalidadEdit = new QLineEdit(placeBox);
    LocalidadEdit->setObjectName(QStringLiteral("LocalidadEdit"));
    LocalidadEdit->setValidator(new Widgets::UpperCaseValidator(LocalidadEdit));
    LocalidadEdit->setMaxLength(40); // tal.localidad
    ProvinciaComboBox = new QComboBox(placeBox);
    ProvinciaComboBox->setObjectName(QStringLiteral("ProvinciaComboBox"));
    ProvinciaComboBox->addItems(Provinces());
    auto *place = new QFormLayout(placeBox);
    place->addRow(QStringLiteral("Localidad"), LocalidadEdit);
    place->addRow(QStringLiteral("Provincia"), ProvinciaComboBox);

    auto *formatBox = new QGroupBox(QStringLiteral("Tipo de formulario para la Ficha"));
    ComboBoxFicha = new QComboBox(formatBox);
    ComboBoxFicha->setObjectName(QStringLiteral("ComboBoxFicha"));
    ComboBoxFicha->addItems(SheetFormats());
    auto *formatRow = new QHBoxLayout(formatBox);
    formatRow->addWidget(ComboBoxFicha);
    formatRow->addStretch(1);

    BitBtnPrueba = new QPushButton(QString::fromUtf8("Imprimir Prueba de Alineación"), this);
    BitBtnPrueba->setObjectName(QStringLiteral("BitBtnPrueba"));
    BitBtnPrueba->setAutoDefault(false);
    BitBtnPrueba->setToolTip(QString::fromUtf8(
        "Imprime la ficha técnica con datos de ejemplo para controlar que la impresora ubique cada dato en "
        "su casillero del formulario."));
    // A profile that prints no sheet has nothing to align.
    const InstallationProfile &profile = currentProfile();
    BitBtnPrueba->setVisible(!Ficha::AlignmentLayout(profile, 0).isEmpty() ||
                             !Ficha::AlignmentLayout(profile, 1).isEmpty());
    BitBtn1 = new QPushButton(QStringLiteral("Configurar"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    connect(BitBtnPrueba, &QPushButton::clicked, this, &TConfigCopiasForm::BitBtnPruebaClick);
    connect(BitBtn1, &QPushButton::clicked, this, &TConfigCopiasForm::BitBtn1Click);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(BitBtnPrueba);
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    auto *layout = new QVBoxLayout(this);
    Widgets::setUpWindow(this);
    layout->addWidget(copiesBox);
    layout->addWidget(placeBox);
    layout->addWidget(formatBox);
    layout->addSpacing(8);
    layout->addLayout(buttons);
}

void TConfigCopiasForm::showEvent(QShowEvent *event)
{
    // Only when the window appears: an error box closing over it must not
    // undo what the user chose.
    if (!event->spontaneous()) {
        centreOnScreen(this);
        showConfiguration(Show(Global));
    }
    QDialog::showEvent(event);
}

void TConfigCopiasForm::showConfiguration(const Shown &s)
{
    SpinEditCopias->setValue(s.copies);
    LocalidadEdit->setText(s.locality);
    ProvinciaComboBox->setCurrentIndex(s.province);
    ComboBoxFicha->setCurrentIndex(s.sheetFormat);
}

Shown TConfigCopiasForm::onScreen() const
{
    return {SpinEditCopias->value(), LocalidadEdit->text(), ProvinciaComboBox->currentIndex(),
            ComboBoxFicha->currentIndex()};
}

void TConfigCopiasForm::BitBtn1Click()
{
    const PrintConfig config = FromShown(onScreen());
    try {
        m_save.run(this, QStringLiteral("Guardando la configuración..."), Conn::Operations,
                   [workshop = Global.WorkshopCode, config](WriteOnce::Ticket *t) {
                       PrintConfigRepository::Write(workshop, config, t);
                   });
    } catch (const DbError &e) {
        m_prompter.error(Widgets::WindowWrites::failure(
            QStringLiteral("No se guardó la configuración: puede intentarlo de nuevo."), e));
        return;
    }
    // Only a stored configuration reaches the documents.
    Apply(config, Global);
    m_prompter.info(QString::fromUtf8("Configuración realizada."));
    accept();
}

void TConfigCopiasForm::BitBtnPruebaClick()
{
    const InstallationProfile &profile = currentProfile();
    const QString layout = Ficha::AlignmentLayout(profile, ComboBoxFicha->currentIndex());
    if (layout.isEmpty()) {
        m_prompter.warn(QStringLiteral("Elija el tipo de formulario para la Ficha."));
        return;
    }
    try {
        Report::ReportForm sheet =
            Documents::MakeSheet(layout, Ficha::AlignmentSampleData(Global, profile, Clock::today()));
        sheet.layout().copies = 1;
        sheet.preview(this);
    } catch (const std::exception &e) {
        m_prompter.error(QString::fromUtf8(e.what()));
    }
}

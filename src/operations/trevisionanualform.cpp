#include "operations/trevisionanualform.h"

#include "data/localstore.h"
#include "operations/cylinders/formwiring.h"
#include "operations/print/fichaprint.h"
#include "operations/save/formsave.h"

#include "core/clock.h"
#include "core/global.h"
#include "core/helpers.h"
#include "core/installationprofile.h"
#include "core/operationkind.h"
#include "data/catalogue.h"
#include "data/dm1.h"
#include "operations/linklabel.h"
#include "widgets/fieldrules.h"
#include "widgets/formwindow.h"
#include "widgets/messages.h"
#include "widgets/serverwait.h"
#include "widgets/uppercasevalidator.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValidator>

TRevisionAnualForm::TRevisionAnualForm(QWidget *parent, Prompter &prompter) : QDialog(parent), m_prompter(prompter)
{
    setObjectName(QStringLiteral("RevisionAnualForm"));
    setWindowTitle(DefaultFormCaption);
    buildUi();
    (new Widgets::DiscardGuard(this, m_prompter))->setObjectName(QStringLiteral("DiscardGuard"));
    runCreationSteps();
}

TRevisionAnualForm::~TRevisionAnualForm() = default;

void TRevisionAnualForm::showProgress(int steps)
{
    ProgressBarTareas->setRange(0, qMax(1, steps));
    ProgressBarTareas->setValue(0);
    MemoTareas->clear();
    PanelTareas->move((width() - PanelTareas->width()) / 2, (height() - PanelTareas->height()) / 2);
    PanelTareas->raise();
    PanelTareas->setVisible(true);
}

void TRevisionAnualForm::addProgressStep(const QString &line)
{
    MemoTareas->appendPlainText(line);
    ProgressBarTareas->setValue(qMin(ProgressBarTareas->maximum(), ProgressBarTareas->value() + 1));
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TRevisionAnualForm::hideProgress()
{
    PanelTareas->setVisible(false);
}

// Creation steps in their order; the cylinder and letter work tables are
// emptied by the code that owns them.
void TRevisionAnualForm::runCreationSteps()
{
    const QString logo = QDir::current().filePath(QStringLiteral("LogoTarvil.jpg"));
    if (QFile::exists(logo)) {
        QPixmap pm(logo);
        if (!pm.isNull()) {
            Image1->setPixmap(pm.scaledToHeight(56, Qt::SmoothTransformation));
            Image1->setVisible(true);
        }
    }
    m_creating.emplace();

    const InstallationProfile *profile = profileById(Global.InstallationId);
    m_offersCommitmentLetter = profile && profile->offersCommitmentLetter;
    SpeedButtonCC1->setVisible(m_offersCommitmentLetter);
    SpeedButtonCC2->setVisible(m_offersCommitmentLetter);

    m_maxModelYear = MaxModelYear(Clock::today());
    loadWorkshopList();
    m_attachmentPaths = {};

    // Always a workshop login here.
    BitBtn3->setEnabled(false);
    LabelEstado->setVisible(false);
    ComboBoxEstado->setVisible(false);
    BitBtnCambiarEstado->setVisible(false);
    BitBtnAdjuntar->setText(QStringLiteral("Adjuntar Documentacion"));

    ProvinciaComboBox->setCurrentText(Global.WorkshopProvince);
    TraerDesdeOCLabel->setVisible(Global.ManagesWorkshop == 1);
    BitBtnAccesorios->setVisible(profile && profile->recordsAccessories);

    setDomainMask(OperationMasks::DomainOnOpening);
    setDocumentMask(OperationMasks::DocumentOnOpening);
    setUpperCase(MarcaEdit);
    setUpperCase(ModeloEdit);
    setUpperCase(NombreEdit);
    setUpperCase(CalleEdit);
    setUpperCase(BarrioEdit);
    setUpperCase(LocalidadEdit);
    setUpperCase(CodigoRegularEdit);
    setUpperCase(NroSerieReguladorEdit);
    setUpperCase(CodigoReguladorNuevoEdit);
    setUpperCase(NroSerieReguladorNuevoEdit);
    setUpperCase(EditObs);
    setUpperCase(DominioEdit); // also without a mask

    for (QLineEdit *e : {MarcaEdit, ModeloEdit, NombreEdit, BarrioEdit})
        watch(e, Keys::Name);
    watch(CalleEdit, Keys::Street);
    watch(DominioEdit, Keys::Domain);
    watch(ObleaAntEdit, Keys::Digits);
    watch(ObleaNewEdit, Keys::None); // zero fill on leaving only
    watch(CaracteristicaEdit, Keys::AreaCode);
    for (QWidget *w : std::initializer_list<QWidget *>{InyeccionComboEdit,
                                                       TipoComboEdit,
                                                       DNIComboBox,
                                                       NroDocEdit,
                                                       CodigoEdit,
                                                       LocalidadEdit,
                                                       ProvinciaComboBox,
                                                       ComboBoxTipoTE,
                                                       TelefonoEdit,
                                                       emailEdit,
                                                       VINEdit,
                                                       CodigoRegularEdit,
                                                       NroSerieReguladorEdit,
                                                       MarcaReguladorEdit,
                                                       RGestionComboBox,
                                                       RNuevoComboBox,
                                                       CodigoReguladorNuevoEdit,
                                                       NroSerieReguladorNuevoEdit,
                                                       RGestionNuevoComboBox,
                                                       RNuevoNuevoComboBox})
        watch(w, Keys::EnterOnly);
    watch(AnioSpinEdit, Keys::EnterKeepsKey);
    watch(DateTimePickerVencimiento, Keys::None);
    Widgets::FieldRules *rules = Widgets::FieldRules::of(this);
    // The clear button of the plate is usable while the plate is being typed.
    rules->onEnter(DominioEdit, [this] { DominioEditEnter(); });
    rules->onExit(DominioEdit, [this] { DominioEditExit(); });
    rules->onEnter(NroDocEdit, [this] { NroDocEditEnter(); });
    rules->onEnter(LocalidadEdit, [this] { LocalidadEditEnter(); });
    rules->onExit(ObleaAntEdit, [this] { ObleaAntEditExit(); });
    rules->onExit(ObleaNewEdit, [this] { ObleaNewEditExit(); });
    rules->onExit(ProvinciaComboBox, [this] { ProvinciaComboBoxExit(); });
    rules->onExit(TelefonoEdit, [this] { TelefonoEditExit(); });
    rules->onExit(CaracteristicaEdit, [this] { CaracteristicaEditExit(); });
    rules->onExit(AnioSpinEdit, [this] { AnioSpinEditExit(); });
    rules->onExit(DateTimePickerVencimiento, [this] { DateTimePickerVencimientoExit(); });
    connect(CheckBoxFormatoTE, &QCheckBox::clicked, this, &TRevisionAnualForm::CheckBoxFormatoTEClick);
    connect(SpeedButtonClear, &QToolButton::clicked, this, &TRevisionAnualForm::SpeedButtonClearClick);
    wireRecall();
    wireHandOvers();
}

void TRevisionAnualForm::loadWorkshopList()
{
    try {
        tallerEdit->addItems(Widgets::ServerWait::run<QStringList>( // read once per session
            this, QStringLiteral("Leyendo los talleres..."), Conn::Operations,
            [] { return Catalogue::WorkshopCodes(); }));
    } catch (const DbError &e) {
        prompter().error(e.text());
    }
}

void TRevisionAnualForm::setUpperCase(QLineEdit *edit)
{
    edit->setValidator(new Widgets::UpperCaseValidator(edit));
}

void TRevisionAnualForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_activated)
        return;
    m_activated = true;
    const InstallationProfile *profile = profileById(Global.InstallationId);
    SpeedButtonPropietarios->setVisible(profile && profile->showsOwnerListButton);
    if (isConsultation())
        BitBtn2->setFocus();
    m_creating.reset();
}

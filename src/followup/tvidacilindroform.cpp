#include "followup/tvidacilindroform.h"

#include "core/clock.h"
#include "data/cylinderliferepository.h"
#include "documents/cylinderlifedocument.h"
#include "documents/lists.h"
#include "documents/registry.h"
#include "followup/formparts.h"
#include "report/xlsxexport.h"
#include "widgets/formkit.h"
#include "widgets/formwindow.h"
#include "widgets/progressline.h"
#include "widgets/resultgrid.h"
#include "widgets/uppercasevalidator.h"

#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace
{

const QString kLayout = QStringLiteral("TQVidaCilindroForm");

QVector<Widgets::GridColumn> gridColumns()
{
    using K = Widgets::GridColumn::Kind;
    return {
        {QStringLiteral("Fecha"), QStringLiteral("fecha"), 10, true, K::Date},
        {QString::fromUtf8("Operación"), QStringLiteral("operacion"), 12},
        {QStringLiteral("Taller"), QStringLiteral("taller"), 7, true},
        {QStringLiteral("Dominio"), QStringLiteral("dominio"), 9, true},
        {QString::fromUtf8("Gestión"), QStringLiteral("gestion"), 11},
        {QString::fromUtf8("Última PH"), QStringLiteral("ultimaph"), 7, true},
        {QStringLiteral("CRPC"), QStringLiteral("crpc"), 4},
        {QStringLiteral("Certificado"), QStringLiteral("certificado"), 10},
        {QString::fromUtf8("Válvula"), QStringLiteral("valvula"), 30},
        {QStringLiteral("Oblea"), QStringLiteral("oblea"), 10, true},
        {QStringLiteral("Estado"), QStringLiteral("estado"), 18},
    };
}

QLineEdit *upperEdit(const char *name, int maxLength, QWidget *parent)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setValidator(new Widgets::UpperCaseValidator(e));
    e->setMaxLength(maxLength);
    return e;
}

QLabel *infoLabel(const char *name, QWidget *parent)
{
    auto *l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setWordWrap(true);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

} // namespace

TVidaCilindroForm::TVidaCilindroForm(QWidget *parent, Prompter &prompter) : QDialog(parent), m_prompter(prompter)
{
    setObjectName(QStringLiteral("VidaCilindroForm"));
    setWindowTitle(QStringLiteral("Vida del Cilindro"));
    resize(1100, 560);

    EditSerie = upperEdit("EditSerie", 25, this);
    EditSerie->setMinimumWidth(220);
    EditCodigo = upperEdit("EditCodigo", 4, this);
    EditCodigo->setMaximumWidth(70);
    BitBtnConsultar = new QPushButton(QStringLiteral("Consultar"), this);
    BitBtnConsultar->setObjectName(QStringLiteral("BitBtnConsultar"));
    BitBtnConsultar->setDefault(true);
    auto *top = new QHBoxLayout;
    auto *serieLabel = new QLabel(QString::fromUtf8("Número de Cilindro:"), this);
    serieLabel->setBuddy(EditSerie);
    auto *codigoLabel = new QLabel(QString::fromUtf8("Código:"), this);
    codigoLabel->setBuddy(EditCodigo);
    top->addWidget(serieLabel);
    top->addWidget(EditSerie);
    top->addSpacing(12);
    top->addWidget(codigoLabel);
    top->addWidget(EditCodigo);
    top->addWidget(BitBtnConsultar);
    top->addStretch(1);

    LabelEstado = infoLabel("LabelEstado", this);
    LabelVehiculos = infoLabel("LabelVehiculos", this);
    LabelAdvertencias = infoLabel("LabelAdvertencias", this);
    QPalette warn = LabelAdvertencias->palette();
    warn.setColor(QPalette::WindowText, QColor(190, 0, 0));
    LabelAdvertencias->setPalette(warn);
    QFont bold = LabelAdvertencias->font();
    bold.setBold(true);
    LabelAdvertencias->setFont(bold);
    LabelAdvertencias->hide();
    auto *facts = new QFormLayout;
    facts->addRow(QString::fromUtf8("Prueba hidráulica:"), LabelEstado);
    facts->addRow(QString::fromUtf8("Vehículos:"), LabelVehiculos);
    facts->addRow(LabelAdvertencias);

    m_model = new Widgets::ResultGridModel(gridColumns(), Widgets::GridPalette::Blue, this);
    DBGrid1 = new QTableView(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    Widgets::setUpResultGrid(DBGrid1, m_model);

    BitBtnImprimir = Widgets::button(QStringLiteral("BitBtnImprimir"), QStringLiteral("Imprimir"), this);
    BitBtnExcel = Widgets::button(QStringLiteral("BitBtnExcel"), QStringLiteral("Exportar a Excel"), this);
    auto *cerrar = Widgets::button(QStringLiteral("BitBtnCerrar"), QStringLiteral("Cerrar"), this);
    for (QPushButton *b : {BitBtnImprimir, BitBtnExcel})
        b->setEnabled(false);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(BitBtnImprimir);
    buttons->addWidget(BitBtnExcel);
    buttons->addStretch(1);
    buttons->addWidget(cerrar);

    m_progress = new Widgets::ProgressLine(this);
    m_progress->holdWhileRunning({BitBtnConsultar, BitBtnImprimir, BitBtnExcel});

    auto *layout = new QVBoxLayout(this);
    Widgets::setUpWindow(this);
    layout->addLayout(top);
    layout->addLayout(facts);
    layout->addWidget(DBGrid1, 1);
    layout->addWidget(m_progress);
    layout->addLayout(buttons);

    connect(BitBtnConsultar, &QPushButton::clicked, this, &TVidaCilindroForm::BitBtnConsultarClick);
    connect(BitBtnImprimir, &QPushButton::clicked, this, &TVidaCilindroForm::BitBtnImprimirClick);
    connect(BitBtnExcel, &QPushButton::clicked, this, &TVidaCilindroForm::BitBtnExcelClick);
    connect(cerrar, &QPushButton::clicked, this, &QDialog::reject);
}

void TVidaCilindroForm::openFor(const Nav::ShowCylinderLife &request, QWidget *parent)
{
    TVidaCilindroForm form(parent);
    form.setCylinder(request.serial, request.code);
    form.exec();
}

void TVidaCilindroForm::setCylinder(const QString &serial, const QString &code)
{
    EditSerie->setText(serial.trimmed().toUpper());
    EditCodigo->setText(code.trimmed().toUpper());
    if (!EditSerie->text().isEmpty())
        BitBtnConsultarClick();
}

void TVidaCilindroForm::BitBtnConsultarClick()
{
    const QString serial = EditSerie->text().trimmed();
    const QString code = EditCodigo->text().trimmed();
    if (serial.isEmpty()) {
        EditSerie->setFocus();
        return;
    }
    m_progress->run<QVector<CylinderLife::Event>>(
        QStringLiteral("Leyendo las operaciones del cilindro..."), Conn::Operations,
        [serial, code] { return CylinderLifeRepository::Read(serial, code); },
        [this, serial, code](const QVector<CylinderLife::Event> &events) {
            m_serial = serial;
            m_code = code;
            showLife(CylinderLife::Build(events, Clock::today()));
            if (events.isEmpty()) {
                m_prompter.info(QStringLiteral("No se encontraron operaciones para el cilindro indicado."));
                EditSerie->setFocus();
            } else {
                DBGrid1->setFocus();
            }
        },
        m_prompter);
}

void TVidaCilindroForm::showLife(const CylinderLife::Life &life)
{
    m_life = life;
    const bool found = !life.events.isEmpty();
    m_model->setRows(Documents::CylinderLifeRecords(life));
    if (found)
        Widgets::selectGridRow(DBGrid1, m_model->rowCount() - 1); // the newest
    LabelEstado->setText(found ? CylinderLife::StatusLine(life) : QString());
    LabelVehiculos->setText(CylinderLife::VehiclesText(life));
    QStringList warnings;
    for (const CylinderLife::Warning &w : life.warnings)
        warnings << w.text;
    LabelAdvertencias->setText(warnings.join(QLatin1Char('\n')));
    LabelAdvertencias->setVisible(!warnings.isEmpty());
    for (QPushButton *b : {BitBtnImprimir, BitBtnExcel})
        b->setEnabled(found);
}

void TVidaCilindroForm::BitBtnImprimirClick()
{
    if (m_life.events.isEmpty())
        return;
    Documents::PrintList(kLayout, std::make_shared<Documents::RecordRowSource>(Documents::CylinderLifeRecords(m_life)),
                         Documents::CylinderLifeValues(m_serial, m_code, m_life), this);
}

bool TVidaCilindroForm::exportTo(const QString &path, QString *error)
{
    const Documents::RecordRowSource rows(Documents::CylinderLifeRecords(m_life));
    return Report::writeXlsx(path, Documents::LoadLayout(kLayout), rows, error);
}

void TVidaCilindroForm::BitBtnExcelClick()
{
    if (m_life.events.isEmpty())
        return;
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Exportar a Excel"),
                                                      QStringLiteral("Vida del Cilindro %1.xlsx").arg(m_serial),
                                                      QStringLiteral("Libros de Excel (*.xlsx)"));
    if (path.isEmpty())
        return;
    QString error;
    if (!exportTo(path, &error))
        m_prompter.error(error);
}

#include "followup/tvencimientoobleasform.h"

#include "core/clock.h"
#include "core/global.h"
#include "data/dberror.h"
#include "data/reminderrepository.h"
#include "documents/lists.h"
#include "followup/formparts.h"
#include "widgets/formkit.h"
#include "widgets/formwindow.h"
#include "widgets/progressline.h"

#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TVencimientoObleasForm::TVencimientoObleasForm(QWidget *parent, Prompter &prompter)
    : QDialog(parent), m_prompter(prompter)
{
    setObjectName(QStringLiteral("VencimientoObleasForm"));
    setWindowTitle(QStringLiteral("Listado de Vencimiento de Obleas"));
    setMinimumWidth(460);

    m_desde = Widgets::datePicker(QStringLiteral("DateTimePicker1"), this, Clock::today());
    m_hasta = Widgets::datePicker(QStringLiteral("DateTimePicker2"), this, Clock::today());
    m_formato = new QComboBox(this);
    m_formato->setObjectName(QStringLiteral("ComboBox1"));
    m_formato->addItems({QStringLiteral("Formato para Impresora"), QStringLiteral("Formato para Exportar a Excel")});
    m_formato->setCurrentIndex(0);
    auto *ver = Widgets::button(QStringLiteral("BitBtn1"), QStringLiteral("Ver"), this);
    ver->setDefault(true);
    m_procesando = new QLabel(QStringLiteral(" Procesando. Aguarde por favor... "), this);
    m_procesando->setObjectName(QStringLiteral("Label3"));
    m_procesando->setStyleSheet(QStringLiteral("QLabel { background: #ffffe1; border: 1px solid #808080; }"));
    QSizePolicy keep = m_procesando->sizePolicy();
    keep.setRetainSizeWhenHidden(true); // the window keeps its size while the line comes and goes
    m_procesando->setSizePolicy(keep);
    m_procesando->setVisible(false);

    connect(m_desde, &QDateEdit::dateChanged, this, &TVencimientoObleasForm::DateTimePicker1Change);
    connect(ver, &QPushButton::clicked, this, &TVencimientoObleasForm::BitBtn1Click);

    auto *formatRow = new QHBoxLayout;
    formatRow->addWidget(m_formato, 1);
    formatRow->addWidget(ver);
    auto *layout = new QVBoxLayout(this);
    Widgets::setUpWindow(this);
    layout->addLayout(Followup::periodRow(m_desde, m_hasta, this));
    layout->addLayout(formatRow);
    layout->addWidget(m_procesando, 0, Qt::AlignHCenter);
    m_progress = new Widgets::ProgressLine(this);
    m_progress->holdWhileRunning({ver});
    connect(m_progress, &Widgets::ProgressLine::started, m_procesando, &QLabel::show);
    connect(m_progress, &Widgets::ProgressLine::stopped, m_procesando, &QLabel::hide);
    layout->addWidget(m_progress);
    layout->addStretch();
}

void TVencimientoObleasForm::DateTimePicker1Change()
{
    m_hasta->setDate(m_desde->date());
}

void TVencimientoObleasForm::BitBtn1Click()
{
    const QString layout = m_formato->currentIndex() == 0 ? QStringLiteral("TQVencimientoObleasPapelForm")
                                                          : QStringLiteral("TQVencimientoObleasExcelForm");
    const QString workshop = Global.WorkshopCode;
    const QDate from = m_desde->date(), to = m_hasta->date();
    m_progress->run<QVector<QSqlRecord>>(
        QStringLiteral("Leyendo los vencimientos..."), Conn::Operations,
        [workshop, from, to] { return ReminderRepository::ExpiryList(workshop, from, to); },
        [this, layout](const QVector<QSqlRecord> &rows) {
            Documents::PrintList(layout, std::make_shared<Documents::RecordRowSource>(rows), {}, this);
        },
        m_prompter);
}

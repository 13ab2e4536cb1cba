#include "followup/letter/tconsultacartacompromisoform.h"

#include "core/clock.h"
#include "core/global.h"
#include "data/letterrepository.h"
#include "data/lettertable.h"
#include "data/localstore.h"
#include "followup/letter/tcartacompromisoform.h"
#include "widgets/modalrun.h"
#include "widgets/progressline.h"
#include "widgets/serverwait.h"
#include "widgets/waitcursor.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace
{

Widgets::SearchDialog::Setup setup()
{
    using K = Widgets::GridColumn::Kind;
    Widgets::SearchDialog::Setup s;
    s.objectName = QStringLiteral("TConsultaCartaCompromisoForm");
    s.caption = QStringLiteral("Consulta de Carta Compromiso");
    s.columns = {{QStringLiteral("Id"), QStringLiteral("id"), 6, true},
                 {QStringLiteral("Fecha"), QStringLiteral("fecha"), 10, false, K::Date},
                 {QStringLiteral("Propietario"), QStringLiteral("propietario"), 30},
                 {QStringLiteral("Tipo Doc"), QStringLiteral("tipo_doc"), 6},
                 {QStringLiteral("Nro Doc"), QStringLiteral("nro_doc"), 12},
                 {QStringLiteral("Dominio"), QStringLiteral("dominio"), 9}};
    s.size = {720, 380};
    return s;
}

} // namespace

TConsultaCartaCompromisoForm::TConsultaCartaCompromisoForm(QWidget *parent, Prompter &prompter)
    : Widgets::SearchDialog(setup(), parent, prompter)
{
    LabelFecha = new QLabel(QStringLiteral("Fecha:"), this);
    LabelFecha->setObjectName(QStringLiteral("LabelFecha"));
    DateTimePicker1 = new QDateEdit(Clock::today(), this);
    DateTimePicker1->setObjectName(QStringLiteral("DateTimePicker1"));
    DateTimePicker1->setCalendarPopup(true);
    DateTimePicker1->setDisplayFormat(Widgets::DateFormat);
    LabelFecha->setBuddy(DateTimePicker1);
    BitBtn3 = new QPushButton(QStringLiteral("Buscar"), this);
    progressLine()->holdWhileRunning({BitBtn3});
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    auto *top = new QHBoxLayout;
    top->addWidget(LabelFecha);
    top->addWidget(DateTimePicker1);
    top->addWidget(BitBtn3);
    top->addStretch(1);
    static_cast<QVBoxLayout *>(layout())->insertLayout(0, top);

    BitBtn2 = addButton(QStringLiteral("Ver"), QStringLiteral("BitBtn2"));
    BitBtn1 = addButton(QStringLiteral("Cerrar"), QStringLiteral("BitBtn1"));
    setDefaultButton(BitBtn3);
    acceptOnDoubleClick(BitBtn2);
    connect(BitBtn3, &QPushButton::clicked, this, &TConsultaCartaCompromisoForm::BitBtn3Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TConsultaCartaCompromisoForm::BitBtn2Click);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
}

void TConsultaCartaCompromisoForm::BitBtn3Click()
{
    const QDate day = DateTimePicker1->date();
    const QString workshop = Global.WorkshopCode;
    runSearchInBackground(Conn::Operations, [day, workshop] { return LetterRepository::FindByDate(day, workshop); });
}

void TConsultaCartaCompromisoForm::BitBtn2Click()
{
    // With no letter chosen the form still opens, empty, as a new letter.
    const QSqlRecord *chosen = selectedRecord();
    const LetterRepository::Header header = chosen ? LetterRepository::HeaderOf(*chosen) : LetterRepository::Header{};
    QVector<Letter::Item> stored;
    if (chosen) {
        try {
            stored = Widgets::ServerWait::run<QVector<Letter::Item>>(
                this, QStringLiteral("Leyendo la carta compromiso..."), Conn::Operations,
                [id = header.id] { return LetterRepository::Items(id); });
        } catch (const DbError &e) {
            prompter().error(e.text());
            return;
        }
    }
    LetterTable::Replace(localStore().table(LocalTableId::LetterCylinders), stored);
    TCartaCompromisoForm letter(this, prompter());
    if (chosen)
        letter.setOwner(header.owner); // the purpose starts at "Revisión Periodica" whatever was stored
    Widgets::runModal(letter);
}

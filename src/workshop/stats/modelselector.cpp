#include "workshop/stats/modelselector.h"

#include "core/clock.h"
#include "core/prompter.h"
#include "data/conversionorderstore.h"
#include "data/dberror.h"
#include "data/masterfiles.h"
#include "widgets/resultgrid.h"
#include "widgets/serverwait.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>

QDateEdit *periodPicker(QWidget *parent, const char *name)
{
    auto *d = new QDateEdit(Clock::today(), parent);
    d->setObjectName(QLatin1String(name));
    d->setCalendarPopup(true);
    d->setDisplayFormat(Widgets::DateFormat);
    return d;
}

ModelSelector::ModelSelector(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ModelSelector"));
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    const auto combo = [this](const char *name) {
        auto *c = new QComboBox(this);
        c->setObjectName(QLatin1String(name));
        c->setMinimumWidth(180);
        return c;
    };
    ComboBoxMarca = combo("ComboBoxMarca");
    ComboBoxModelo = combo("ComboBoxModelo");
    grid->addWidget(new QLabel(QStringLiteral("Seleccione una Marca"), this), 0, 0);
    grid->addWidget(ComboBoxMarca, 1, 0);
    grid->addWidget(new QLabel(QStringLiteral("Seleccione el Modelo"), this), 0, 1);
    grid->addWidget(ComboBoxModelo, 1, 1);

    DateTimePicker1 = periodPicker(this, "DateTimePicker1");
    DateTimePicker2 = periodPicker(this, "DateTimePicker2");
    grid->addWidget(new QLabel(QStringLiteral("Desde"), this), 0, 2);
    grid->addWidget(DateTimePicker1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Hasta"), this), 0, 3);
    grid->addWidget(DateTimePicker2, 1, 3);

    CheckBoxTodos = new QCheckBox(QStringLiteral("Todos los Talleres"), this);
    CheckBoxTodos->setObjectName(QStringLiteral("CheckBoxTodos"));
    CheckBoxTodos->setChecked(true);
    ComboBoxTalleres = combo("ComboBoxTalleres");
    ComboBoxTalleres->setMinimumWidth(110);
    ComboBoxTalleres->setEnabled(false);
    grid->addWidget(CheckBoxTodos, 2, 0);
    auto *label = new QLabel(QStringLiteral("Taller"), this);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(label, 2, 1);
    grid->addWidget(ComboBoxTalleres, 2, 2);
    grid->setColumnStretch(4, 1);

    connect(ComboBoxMarca, &QComboBox::currentIndexChanged, this, &ModelSelector::ComboBoxMarcaChange);
    connect(CheckBoxTodos, &QCheckBox::clicked, this, &ModelSelector::CheckBoxTodosClick);
}

void ModelSelector::load(Prompter &prompter)
{
    m_prompter = &prompter;
    try {
        const QSignalBlocker block(ComboBoxMarca);
        ComboBoxMarca->clear();
        using Lists = std::pair<QStringList, QStringList>;
        const Lists lists =
            Widgets::ServerWait::run<Lists>(this, QStringLiteral("Leyendo las marcas..."), Conn::PostVenta, [] {
                return Lists{MasterFiles::Brands(), ConversionOrderStore::WorkshopsWithWorkOrders()};
            });
        ComboBoxMarca->addItems(lists.first);
        ComboBoxMarca->setCurrentIndex(-1);
        ComboBoxTalleres->clear();
        ComboBoxTalleres->addItems(lists.second);
    } catch (const DbError &e) {
        prompter.error(e.text());
    }
}

void ModelSelector::ComboBoxMarcaChange()
{
    ComboBoxModelo->clear();
    if (ComboBoxMarca->currentText().isEmpty())
        return;
    try {
        ComboBoxModelo->addItems(Widgets::ServerWait::run<QStringList>(
            this, QStringLiteral("Leyendo los modelos..."), Conn::PostVenta,
            [brand = ComboBoxMarca->currentText()] { return MasterFiles::PickModels(brand); }));
    } catch (const DbError &e) {
        if (m_prompter)
            m_prompter->error(e.text());
    }
}

void ModelSelector::CheckBoxTodosClick()
{
    const bool all = CheckBoxTodos->isChecked();
    ComboBoxTalleres->setEnabled(!all);
    if (!all && ComboBoxTalleres->count() > 0)
        ComboBoxTalleres->setCurrentIndex(0);
}

std::optional<Ranking::Bounds> ModelSelector::bounds(Prompter &prompter) const
{
    if (ComboBoxMarca->currentText().trimmed().isEmpty() || ComboBoxModelo->currentText().trimmed().isEmpty()) {
        prompter.warn(QStringLiteral("Seleccione la marca y el modelo del vehículo."));
        (ComboBoxMarca->currentText().isEmpty() ? ComboBoxMarca : ComboBoxModelo)->setFocus();
        return std::nullopt;
    }
    return Ranking::ForModel(ComboBoxMarca->currentText(), ComboBoxModelo->currentText(), DateTimePicker1->date(),
                             DateTimePicker2->date(), CheckBoxTodos->isChecked(), ComboBoxTalleres->currentText());
}

QString ModelSelector::workshopLine() const
{
    return Ranking::WorkshopLine(CheckBoxTodos->isChecked(), ComboBoxTalleres->currentText());
}

QString ModelSelector::periodLine() const
{
    return Ranking::PeriodLine(DateTimePicker1->date(), DateTimePicker2->date());
}

QString ModelSelector::vehicleLine() const
{
    return Ranking::VehicleLine(ComboBoxMarca->currentText(), ComboBoxModelo->currentText());
}

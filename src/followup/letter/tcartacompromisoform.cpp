#include "followup/letter/tcartacompromisoform.h"

#include "core/clock.h"
#include "core/global.h"
#include "core/installationprofile.h"
#include "data/letterrepository.h"
#include "data/lettertable.h"
#include "data/localstore.h"
#include "documents/letter.h"
#include "followup/letter/teditregistroccform.h"
#include "widgets/formkit.h"
#include "widgets/formwindow.h"
#include "widgets/modalrun.h"
#include "widgets/resultgrid.h"
#include "widgets/uppercasevalidator.h"
#include "widgets/waitcursor.h"

#include <QAbstractTableModel>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

namespace
{

std::function<void(Report::ReportForm &)> &printHook()
{
    static std::function<void(Report::ReportForm &)> hook;
    return hook;
}

// One grid's columns over the letter's items, read again whenever the
// local table changes.
class ItemsModel : public QAbstractTableModel
{
public:
    using Text = std::function<QString(const Letter::Item &)>;
    struct Column {
        Widgets::GridColumn grid;
        Text text;
    };

    ItemsModel(LocalTable &table, QVector<Column> columns, QObject *parent)
        : QAbstractTableModel(parent), m_table(table), m_columns(std::move(columns))
    {
        reload();
        connect(&table, &LocalTable::changed, this, &ItemsModel::reload);
    }

    QVector<Widgets::GridColumn> gridColumns() const
    {
        QVector<Widgets::GridColumn> out;
        for (const Column &c : m_columns)
            out << c.grid;
        return out;
    }

    int rowCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : int(m_items.size()); }
    int columnCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_columns.size());
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid() || index.row() >= m_items.size())
            return {};
        if (role == Qt::DisplayRole)
            return m_columns[index.column()].text(m_items[index.row()]);
        if (role == Qt::BackgroundRole)
            return Widgets::ResultGridModel::stripeColour(Widgets::GridPalette::Blue, index.row() + 1);
        return {};
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < m_columns.size())
            return m_columns[section].grid.title;
        return QAbstractTableModel::headerData(section, orientation, role);
    }

private:
    void reload()
    {
        beginResetModel();
        m_items = m_table.isOpen() ? LetterTable::Read(m_table) : QVector<Letter::Item>{};
        endResetModel();
    }

    LocalTable &m_table;
    QVector<Column> m_columns;
    QVector<Letter::Item> m_items;
};

QString measure(const std::optional<double> &v)
{
    return Letter::MeasureText(v);
}

} // namespace

TCartaCompromisoForm::TCartaCompromisoForm(QWidget *parent, Prompter &prompter)
    : QDialog(parent), m_prompter(prompter), m_items(localStore().table(LocalTableId::LetterCylinders))
{
    setObjectName(QStringLiteral("TCartaCompromisoForm"));
    setWindowTitle(QStringLiteral("Carta Compromiso"));
    setModal(true);
    if (!m_items.isOpen())
        m_items.open();
    buildUi();

    const InstallationProfile &profile = currentProfile();
    const bool choosesCentre = profile.choosesLetterRevisionCentre;
    LabelCRPC->setVisible(choosesCentre);
    ComboBoxCRPC->setVisible(choosesCentre);
    if (choosesCentre) {
        ComboBoxCRPC->addItems(Widgets::ServerWait::run<QStringList>(
            this, QStringLiteral("Leyendo los centros de revisión..."), Conn::Operations,
            [] { return LetterRepository::RevisionCentres(); }));
        ComboBoxCRPC->setCurrentIndex(ComboBoxCRPC->count() > 0 ? 0 : -1);
    }
    setFixedSize(sizeHint());
    if (m_items.count() > 0)
        Widgets::selectGridRow(DBGrid1, 0);
}

void TCartaCompromisoForm::buildUi()
{
    const QVector<ItemsModel::Column> cylinders{{{QStringLiteral("Cilindro"), QStringLiteral("codigo_cil"), 14},
                                                 [](const Letter::Item &i) { return i.cylinderCode; }},
                                                {{QStringLiteral("NroSerie"), QStringLiteral("numero_cil"), 16},
                                                 [](const Letter::Item &i) { return i.cylinderSerial; }},
                                                {{QStringLiteral("Capacidad"), QStringLiteral("capacidad_cil"), 8},
                                                 [](const Letter::Item &i) { return measure(i.capacity); }},
                                                {{QStringLiteral("Masa"), QStringLiteral("masa_cil"), 7},
                                                 [](const Letter::Item &i) { return measure(i.mass); }},
                                                {{QStringLiteral("FechaFab"), QStringLiteral("fab_cil"), 8},
                                                 [](const Letter::Item &i) { return i.manufactured; }},
                                                {{QStringLiteral("Diámetro"), QStringLiteral("diametro_cil"), 8},
                                                 [](const Letter::Item &i) { return measure(i.diameter); }}};
    const QVector<ItemsModel::Column> valves{
        {{QStringLiteral("Válvula"), QStringLiteral("codigo_val"), 10},
         [](const Letter::Item &i) { return i.valveCode; }},
        {{QStringLiteral("Modelo"), QStringLiteral("modelo_val"), 12},
         [](const Letter::Item &i) { return i.valveModel; }},
        {{QStringLiteral("NroSerie"), QStringLiteral("numero_val"), 16},
         [](const Letter::Item &i) { return i.valveSerial; }},
        {{QStringLiteral("Observaciones"), QStringLiteral("observaciones_val"), 24},
         [](const Letter::Item &i) { return i.observations; }}};

    const auto grid = [this](const char *name, const QVector<ItemsModel::Column> &columns) {
        auto *model = new ItemsModel(m_items, columns, this);
        auto *view = new QTableView(this);
        view->setObjectName(QLatin1String(name));
        view->setModel(model);
        Widgets::setUpGrid(view, Widgets::GridPalette::Blue, model->gridColumns());
        view->setMinimumHeight(120);
        connect(model, &QAbstractItemModel::modelReset, view,
                [view, columns = model->gridColumns()] { Widgets::fitColumns(view, columns); });
        return view;
    };
    DBGrid1 = grid("DBGrid1", cylinders);
    DBGrid2 = grid("DBGrid2", valves);
    // Both grids show the same rows: the current row is one.
    connect(DBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &i) { Widgets::selectGridRow(DBGrid2, i.row()); });
    connect(DBGrid2->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex &i) {
        if (Widgets::selectedGridRow(DBGrid1) != i.row())
            Widgets::selectGridRow(DBGrid1, i.row());
    });

    auto *owner = new QGroupBox(QStringLiteral("Propietario"), this);
    owner->setObjectName(QStringLiteral("GroupBoxPropietario"));
    auto *form = new QGridLayout(owner);
    int row = 0, col = 0;
    const auto place = [&](const QString &caption, QWidget *w, int span = 1) {
        auto *label = new QLabel(caption, owner);
        label->setBuddy(w);
        form->addWidget(label, row, col);
        form->addWidget(w, row, col + 1, 1, span);
        col += 1 + span;
        if (col >= 6) {
            col = 0;
            ++row;
        }
    };
    const auto edit = [&](const char *name, int maxLength, bool upper) {
        auto *e = new QLineEdit(owner);
        e->setObjectName(QLatin1String(name));
        e->setMaxLength(maxLength);
        if (upper)
            e->setValidator(new Widgets::UpperCaseValidator(e));
        return e;
    };
    cEditNombre = edit("cEditNombre", 50, false);
    cDNIComboBox = new QComboBox(owner);
    cDNIComboBox->setObjectName(QStringLiteral("cDNIComboBox"));
    cDNIComboBox->addItems({QStringLiteral("DNI"), QStringLiteral("CUIT"), QStringLiteral("CI"), QStringLiteral("LC"),
                            QStringLiteral("LE")});
    cNroDocEdit = edit("cNroDocEdit", 20, false);
    cCalleEdit = edit("cCalleEdit", 50, true);
    cNroEdit = edit("cNroEdit", 10, false);
    cPisoEdit = edit("cPisoEdit", 5, false);
    cDptoEdit = edit("cDptoEdit", 5, false);
    cCodigoEdit = edit("cCodigoEdit", 8, false);
    cLocalidadEdit = edit("cLocalidadEdit", 18, true);
    cTelefonoEdit = edit("cTelefonoEdit", 20, false);
    cObleaAntEdit = edit("cObleaAntEdit", 10, false);
    cDominioEdit = edit("cDominioEdit", 9, true);
    place(QStringLiteral("Apellido y Nombre"), cEditNombre, 5);
    place(QStringLiteral("Tipo Documento"), cDNIComboBox);
    place(QStringLiteral("Nro Documento"), cNroDocEdit, 3);
    place(QStringLiteral("Dirección Calle"), cCalleEdit, 3);
    place(QStringLiteral("Número"), cNroEdit);
    place(QStringLiteral("Piso"), cPisoEdit);
    place(QStringLiteral("Dpto"), cDptoEdit);
    place(QStringLiteral("Codigo Postal"), cCodigoEdit);
    place(QStringLiteral("Localidad"), cLocalidadEdit);
    place(QStringLiteral("Telefono"), cTelefonoEdit, 3);
    place(QStringLiteral("Oblea"), cObleaAntEdit);
    place(QStringLiteral("Dominio"), cDominioEdit);

    RadioGroup1 = new QGroupBox(QStringLiteral("Cilindro para"), this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    auto *purposes = new QVBoxLayout(RadioGroup1);
    const QStringList texts = Letter::PurposeTexts();
    for (int i = 0; i < texts.size(); ++i) {
        auto *b = new QRadioButton(texts[i], RadioGroup1);
        b->setObjectName(QStringLiteral("RadioButtonPara%1").arg(i));
        purposes->addWidget(b);
        m_purposes << b;
    }
    m_purposes.first()->setChecked(true);

    LabelCRPC = new QLabel(QStringLiteral("CRPC"), this);
    LabelCRPC->setObjectName(QStringLiteral("LabelCRPC"));
    ComboBoxCRPC = new QComboBox(this);
    ComboBoxCRPC->setObjectName(QStringLiteral("ComboBoxCRPC"));
    LabelCRPC->setBuddy(ComboBoxCRPC);
    auto *side = new QVBoxLayout;
    side->addWidget(RadioGroup1);
    side->addWidget(LabelCRPC);
    side->addWidget(ComboBoxCRPC);
    side->addStretch(1);

    const auto button = [this](const char *name, const QString &text) { return Widgets::button(name, text, this); };
    BitBtn2 = button("BitBtn2", QStringLiteral("Corregir algún Dato"));
    BitBtn3 = button("BitBtn3", QStringLiteral("Guardar"));
    BitBtn1 = button("BitBtn1", QStringLiteral("Imprimir"));
    BitBtn4 = button("BitBtn4", QStringLiteral("Cerrar"));
    CheckBoxPreview = new QCheckBox(QStringLiteral("Vista Previa"), this);
    CheckBoxPreview->setObjectName(QStringLiteral("CheckBoxPreview"));
    connect(BitBtn1, &QPushButton::clicked, this, &TCartaCompromisoForm::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TCartaCompromisoForm::BitBtn2Click);
    for (QTableView *grid : {DBGrid1, DBGrid2})
        Widgets::opensRowsWith(grid, BitBtn2); // Enter or a double click corrects the row
    connect(BitBtn3, &QPushButton::clicked, this, &TCartaCompromisoForm::BitBtn3Click);
    connect(BitBtn4, &QPushButton::clicked, this, &QDialog::reject);

    auto *grids = new QHBoxLayout;
    grids->addWidget(DBGrid1, 6);
    grids->addWidget(DBGrid2, 5);
    auto *middle = new QHBoxLayout;
    middle->addWidget(owner, 1);
    middle->addLayout(side);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(BitBtn2);
    buttons->addStretch(1);
    buttons->addWidget(CheckBoxPreview);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn3);
    buttons->addWidget(BitBtn4);
    auto *layout = new QVBoxLayout(this);
    Widgets::setUpWindow(this);
    layout->addLayout(grids);
    layout->addLayout(middle);
    layout->addLayout(buttons);
    setMinimumWidth(900);
}

void TCartaCompromisoForm::setOwner(const Letter::Owner &o)
{
    cEditNombre->setText(o.name);
    const int doc = cDNIComboBox->findText(o.docType.trimmed());
    cDNIComboBox->setCurrentIndex(doc >= 0 ? doc : 0);
    cNroDocEdit->setText(o.docNumber);
    cCalleEdit->setText(o.street.toUpper());
    cNroEdit->setText(o.number);
    cPisoEdit->setText(o.floor);
    cDptoEdit->setText(o.apartment);
    cCodigoEdit->setText(o.postalCode);
    cLocalidadEdit->setText(o.locality.toUpper());
    cTelefonoEdit->setText(o.phone);
    cObleaAntEdit->setText(o.previousSticker);
    cDominioEdit->setText(o.domain.toUpper());
}

Letter::Owner TCartaCompromisoForm::owner() const
{
    Letter::Owner o;
    o.name = cEditNombre->text().trimmed();
    o.docType = cDNIComboBox->currentText();
    o.docNumber = cNroDocEdit->text().trimmed();
    o.street = cCalleEdit->text().trimmed();
    o.number = cNroEdit->text().trimmed();
    o.floor = cPisoEdit->text().trimmed();
    o.apartment = cDptoEdit->text().trimmed();
    o.postalCode = cCodigoEdit->text().trimmed();
    o.locality = cLocalidadEdit->text().trimmed();
    o.phone = cTelefonoEdit->text().trimmed();
    o.previousSticker = cObleaAntEdit->text().trimmed();
    o.domain = cDominioEdit->text().trimmed();
    return o;
}

Letter::Purpose TCartaCompromisoForm::purpose() const
{
    for (int i = 0; i < m_purposes.size(); ++i)
        if (m_purposes[i]->isChecked())
            return Letter::PurposeFromIndex(i);
    return Letter::Purpose::PeriodicReview;
}

int TCartaCompromisoForm::currentItemRow() const
{
    const int row = Widgets::selectedGridRow(DBGrid1);
    return row >= 0 ? row : Widgets::selectedGridRow(DBGrid2);
}

void TCartaCompromisoForm::BitBtn2Click()
{
    const int row = currentItemRow();
    if (row < 0 || row >= m_items.count())
        return;
    TEditRegistroCCForm editor(LetterTable::At(m_items, row), this, m_prompter);
    if (Widgets::runModal(editor) == QDialog::Accepted) {
        LetterTable::Update(m_items, row, editor.item());
        Widgets::selectGridRow(DBGrid1, row);
    }
}

void TCartaCompromisoForm::BitBtn3Click()
{
    Letter::Stored letter;
    letter.owner = owner();
    letter.purpose = purpose();
    letter.date = Clock::today();
    letter.workshopCode = Global.WorkshopCode;
    letter.items = LetterTable::Read(m_items);
    try {
        // An unknown outcome keeps the ticket: the next "Guardar" finds out
        // first and never stores the letter twice.
        m_savedId = m_save.run<int>(this, QStringLiteral("Guardando la carta compromiso..."), Conn::Operations,
                                    [letter](WriteOnce::Ticket *t) { return LetterRepository::Save(letter, t); });
    } catch (const DbError &e) {
        m_prompter.error(Widgets::WindowWrites::failure(
            QStringLiteral("No se pudo guardar la carta compromiso; no quedó guardado ningún dato."), e));
    }
}

void TCartaCompromisoForm::BitBtn1Click()
{
    const InstallationProfile &profile = currentProfile();
    const QString layout = Letter::LayoutFor(profile, ComboBoxCRPC->currentText());
    if (layout.isEmpty())
        return; // a centre without a letter of its own prints nothing
    Letter::PrintData data =
        Letter::MakePrintData(owner(), purpose(), LetterTable::Read(m_items), Global, profile, Clock::today());
    try {
        data = Widgets::ServerWait::run<Letter::PrintData>(this, QStringLiteral("Leyendo los datos del taller..."),
                                                           Conn::Operations, [data, global = Global] {
                                                               Letter::PrintData read = data;
                                                               Documents::LoadLetterWorkshop(read, global);
                                                               return read;
                                                           });
    } catch (const DbError &e) {
        m_prompter.error(e.text());
        return;
    }
    Report::ReportForm report = Documents::MakeLetter(layout, data);
    if (CheckBoxPreview->isChecked()) {
        report.preview(this);
        return;
    }
    if (printHook()) {
        printHook()(report);
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    report.setUpPrinter(printer);
    QProgressDialog progress(QStringLiteral("Imprimiendo..."), QStringLiteral("Cancelar"), 0, 1, this);
    progress.setWindowTitle(QStringLiteral("Carta Compromiso"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    const bool printed = report.print(printer, [&progress](int done, int total) {
        progress.setMaximum(total);
        progress.setValue(done);
        return !progress.wasCanceled();
    });
    if (!printed && !progress.wasCanceled())
        m_prompter.error(QStringLiteral("No se pudo imprimir la carta compromiso."));
}

Letter::Owner TCartaCompromisoForm::OwnerOf(const Nav::OpenCommitmentLetter &r)
{
    Letter::Owner o;
    o.name = r.ownerName;
    o.docType = r.docType;
    o.docNumber = r.docNumber;
    o.street = r.street;
    o.number = r.number;
    o.postalCode = r.postalCode;
    o.locality = r.locality;
    o.phone = r.phone;
    o.previousSticker = r.previousSticker;
    o.domain = r.domain;
    return o;
}

void TCartaCompromisoForm::open(const Nav::OpenCommitmentLetter &request, QWidget *parent)
{
    TCartaCompromisoForm form(parent);
    form.setOwner(OwnerOf(request));
    Widgets::runModal(form);
}

void TCartaCompromisoForm::setPrintHook(std::function<void(Report::ReportForm &)> hook)
{
    printHook() = std::move(hook);
}

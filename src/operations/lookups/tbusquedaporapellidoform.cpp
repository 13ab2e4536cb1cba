#include "operations/lookups/tbusquedaporapellidoform.h"

#include "core/lookuprules.h"
#include "data/recallrepository.h"
#include "data/searches.h"
#include "widgets/progressline.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <memory>
#include <optional>

namespace
{

Widgets::SearchDialog::Setup setup()
{
    using C = Widgets::GridColumn;
    Widgets::SearchDialog::Setup s;
    s.objectName = QStringLiteral("TBusquedaPorApellidoForm");
    s.caption = QStringLiteral("Consulta por Propietario");
    s.prompt = QStringLiteral("Apellido y Nombre");
    s.searchButton = QStringLiteral("Consultar");
    s.searchButtonName = QStringLiteral("BitBtnConsultar");
    s.notFound = QStringLiteral("No se encontraron operaciones para el propietario especificado.");
    s.palette = Widgets::GridPalette::Green;
    s.columns = {{QStringLiteral("Propietario"), QStringLiteral("uapeynom"), 34, true},
                 {QStringLiteral("Dominio"), QStringLiteral("udominio"), 9, true},
                 {QStringLiteral("Marca"), QStringLiteral("umarca"), 10},
                 {QStringLiteral("Modelo"), QStringLiteral("umodelo"), 20},
                 {QStringLiteral("Año"), QStringLiteral("uano"), 4},
                 {QStringLiteral("Oblea"), QStringLiteral("uobleanew"), 10, true},
                 {QStringLiteral("Operación"), QStringLiteral("udescgest"), 12, true},
                 {QStringLiteral("Fecha"), QStringLiteral("ufecrev"), 10, false, C::Kind::Date},
                 {QStringLiteral("Taller"), QStringLiteral("codtal"), 7, true}};
    return s;
}

} // namespace

TBusquedaPorApellidoForm::TBusquedaPorApellidoForm(QWidget *parent, Prompter &prompter)
    : Widgets::SearchDialog(setup(), parent, prompter)
{
    BitBtnConsultar = searchButton();
    BitBtnConsultar->setEnabled(false);
    LabelBuscando = new QLabel(QStringLiteral("<< Buscando. Espere por favor >>"), this);
    LabelBuscando->setObjectName(QStringLiteral("LabelBuscando"));
    LabelBuscando->hide();
    addToButtonRow(LabelBuscando);
    BitBtnVer = addButton(QStringLiteral("Ver"), QStringLiteral("BitBtnVer"));
    BitBtnVer->hide(); // never offered by this dialog's callers
    BitBtnAceptar = addButton(QStringLiteral("Aceptar"), QStringLiteral("BitBtnAceptar"));
    BitBtnAceptar->setEnabled(false); // until a search finds something
    BitBtnMas = addButton(QStringLiteral("Mostrar &más"), QStringLiteral("BitBtnMas"));
    BitBtnMas->setEnabled(false);
    BitBtnCerrar = addButton(QStringLiteral("Cerrar"), QStringLiteral("BitBtnCerrar"));
    setDefaultButton(BitBtnConsultar);
    acceptOnDoubleClick(BitBtnAceptar);

    connect(Edit1, &QLineEdit::textChanged, this,
            [this](const QString &t) { BitBtnConsultar->setEnabled(!t.isEmpty()); });
    connect(BitBtnConsultar, &QPushButton::clicked, this, &TBusquedaPorApellidoForm::ConsultarClick);
    connect(BitBtnAceptar, &QPushButton::clicked, this, &TBusquedaPorApellidoForm::AceptarClick);
    connect(BitBtnMas, &QPushButton::clicked, this, &TBusquedaPorApellidoForm::MostrarMasClick);
    connect(BitBtnCerrar, &QPushButton::clicked, this, &QDialog::reject);
}

void TBusquedaPorApellidoForm::ConsultarClick()
{
    if (Edit1->text().isEmpty() || isSearching())
        return;
    Searches::Forget(Search::OwnersByName);
    m_rows.clear();
    // The shared statement uses the server's default `like` escape.
    m_pattern = Lookups::ContainsPattern(Edit1->text());
    readPage();
}

void TBusquedaPorApellidoForm::MostrarMasClick()
{
    if (!isSearching() && BitBtnMas->isEnabled())
        readPage();
}

// A name anywhere in the owner looks through every owner's name: off the
// window's thread, with "Cancelar", the grid filled when the rows arrive,
// the pages read before kept above the new one.
void TBusquedaPorApellidoForm::readPage()
{
    BitBtnAceptar->setEnabled(false);
    BitBtnMas->setEnabled(false);
    LabelBuscando->show();
    const auto more = std::make_shared<bool>(false);
    const auto read = std::make_shared<Rows>();
    const int before = int(m_rows.size());
    runSearchInBackground(
        Conn::Operations,
        [pattern = m_pattern, shown = m_rows, more, read] {
            std::optional<QSqlRecord> last;
            if (!shown.isEmpty())
                last = shown.last();
            Rows page = RecallRepository::ByOwner(pattern, last);
            *more = page.size() > Lookups::kOwnerPage;
            if (*more)
                page.removeLast();
            *read = shown + page;
            return *read;
        },
        [this, more, read, before](int found) {
            if (found < 0) { // an error: the grid is empty, the search starts over
                m_rows.clear();
                return;
            }
            m_rows = *read;
            Searches::Keep(Search::OwnersByName, m_rows);
            BitBtnAceptar->setEnabled(found > 0);
            BitBtnMas->setEnabled(*more);
            if (before > 0 && before < found)
                selectRow(before);
        });
    if (isSearching())
        connect(progressLine(), &Widgets::ProgressLine::stopped, LabelBuscando, &QLabel::hide,
                Qt::SingleShotConnection);
    else
        LabelBuscando->hide();
}

void TBusquedaPorApellidoForm::AceptarClick()
{
    if (!hasSelection())
        return;
    // Leave the statement on the chosen row for callers that read it.
    Searches::Choose(Search::OwnersByName, selectedRow());
    accept();
}

void TBusquedaPorApellidoForm::showEvent(QShowEvent *event)
{
    Widgets::SearchDialog::showEvent(event);
    Searches::Forget(Search::OwnersByName);
    clearRows();
    m_rows.clear();
    BitBtnAceptar->setEnabled(false);
    BitBtnMas->setEnabled(false);
    Edit1->setFocus();
}

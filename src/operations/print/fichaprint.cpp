#include "operations/print/fichaprint.h"

#include "app/navigator.h"
#include "core/fichavalues.h"
#include "core/global.h"
#include "core/installationprofile.h"
#include "core/operationrecord.h"
#include "core/prompter.h"
#include "data/dberror.h"
#include "data/localstore.h"
#include "data/sheetrepository.h"
#include "documents/registry.h"
#include "documents/sheet.h"
#include "operations/print/tseleccionarimpresoraalderform.h"
#include "operations/trevisionanualform.h"
#include "widgets/serverwait.h"

#include <QApplication>
#include <QPrintDialog>
#include <QPrinter>
#include <optional>

namespace FichaPrint
{

namespace
{

PrinterChooser &printerChooser()
{
    static PrinterChooser chooser;
    return chooser;
}

// What the sheet `layout` prints of the form; nothing when there is no
// sheet to print (the reason already told).
std::optional<FichaData> sheetData(const QString &layout, TRevisionAnualForm &form, Server server)
{
    if (layout.isEmpty())
        return std::nullopt;
    // Printing another profile's sheet would put the data in the wrong boxes.
    if (!IsAvailable(layout)) {
        form.prompter().info(NotAvailableText());
        return std::nullopt;
    }
    // The shown kind, not the form's mode: a recalled operation viewed
    // read-only prints its own kind and the form never leaves its mode.
    FichaData d = DataFromRecord(form.record(), Global, currentProfile());
    d.operationKind = form.shownKind();
    // The workshop of an operation shown read-only, for the sheets that print
    // it under a workshop that is not enabled; none for a new operation.
    if (form.isConsultation())
        d.viewedWorkshopCode = form.consultedWorkshop().trimmed();
    try {
        // The server's part on a worker: offline, each reading waits for its
        // connect timeout before the kept copy is used.
        const bool prepared = Documents::ListsPreparedCylinders(layout);
        d = Widgets::ServerWait::run<FichaData>(
            &form, QStringLiteral("Leyendo los datos de la ficha..."), Conn::Operations,
            [d, prepared, workshop = Global.WorkshopCode, cylinders = form.cylinders(), server] {
                std::optional<SheetRepository::KeptOnly> kept;
                if (server == Server::Unreachable)
                    kept.emplace();
                FichaData read = d;
                Documents::ReadSheetSources(read, prepared, workshop, cylinders);
                return read;
            });
        if (prepared)
            Documents::StorePrintCylinders(localStore().table(LocalTableId::PrintCylinders), d.cylinders);
    } catch (const DbError &e) {
        form.prompter().error(e.text());
        return std::nullopt;
    }
    return d;
}

enum class Output { Preview, ChosenPrinter };

void carryOut(const FichaChoice &choice, TRevisionAnualForm &form, Output output = Output::Preview,
              Server server = Server::Reachable)
{
    const QString layout =
        ResolveLayout(choice, Global.SheetFormat, [&form] { return TSeleccionarImpresoraAlderForm::choose(&form); });
    const std::optional<FichaData> d = sheetData(layout, form, server);
    if (!d)
        return;
    if (output == Output::Preview) {
        Documents::PrintSheet(layout, *d, &form);
        return;
    }
    const Report::ReportForm report = Documents::MakeSheet(layout, *d);
    QPrinter printer(QPrinter::HighResolution);
    report.setUpPrinter(printer);
    if (!ChoosePrinter(printer, &form))
        return; // cancelled: nothing printed, nothing said
    if (!report.print(printer))
        form.prompter().error(QStringLiteral("No se pudo imprimir la ficha."));
}

} // namespace

FichaData DataFromRecord(const OperationRecord &r, const GlobalState &g, const InstallationProfile &p)
{
    FichaData d;
    Ficha::ApplyGlobal(d, g);
    Ficha::ApplyProfile(d, p);
    d.previousSticker = r.obleaAnt;
    d.newSticker = r.obleaNew;
    d.installationDate = r.fechaMontaje;
    d.enablingDate = r.fechaHabilitacion;
    d.expiryDate = r.fechaVencimiento;
    d.brand = r.marca;
    d.model = r.modelo;
    d.modelYear = r.anio;
    d.domain = r.dominio;
    d.injection = r.inyeccion;
    d.useType = r.tipoUso;
    d.ownerName = r.nombre;
    d.docType = r.tipoDoc;
    d.docNumber = r.nroDoc;
    d.street = r.calle;
    d.neighbourhood = r.barrio;
    d.postalCode = r.codigoPostal;
    d.locality = r.localidad;
    d.province = r.provincia;
    d.phone = r.telefono;
    d.observations = r.observaciones;
    d.regulatorNew = r.regulador.nuevo;
    d.regulatorManagement = r.regulador.gestion;
    d.regulatorCode = r.regulador.codigo;
    d.regulatorSerial = r.regulador.nroSerie;
    d.newRegulatorCode = r.reguladorNuevo.codigo;
    d.newRegulatorSerial = r.reguladorNuevo.nroSerie;
    for (int i = 0; i < kAccessoryCount; ++i)
        d.accessories[i] = {r.accesorios[2 * i], r.accesorios[2 * i + 1]};
    return d;
}

QString ResolveLayout(const FichaChoice &choice, int sheetFormat, const std::function<int()> &chooseFormat)
{
    switch (choice.kind) {
    case FichaChoice::Nothing:
        return {};
    case FichaChoice::Fixed:
        return choice.layout;
    case FichaChoice::BySheetFormat:
        return Ficha::SheetFormatLayout(sheetFormat);
    case FichaChoice::FormatDialog: {
        const int result = chooseFormat ? chooseFormat() : int(QDialog::Rejected);
        if (result == QDialog::Accepted)
            return choice.blankLayout;
        if (result == TSeleccionarImpresoraAlderForm::PreprintedResult)
            return choice.preprintedLayout;
        return {};
    }
    }
    return {};
}

bool IsAvailable(const QString &layout)
{
    return Documents::IsAvailable(layout);
}

QString NotAvailableText()
{
    return QStringLiteral("Este formato de ficha todavía no está disponible.");
}

void AfterSave(TRevisionAnualForm &form, Server server)
{
    Prompter &out = form.prompter();
    if (!out.confirm(QStringLiteral("Desea imprimir la ficha de la operación?")))
        return;
    const InstallationProfile &p = currentProfile();
    if (p.offersLetterAfterSave && form.phRequired() && out.confirm(QStringLiteral("Imprimir Carta Compromiso"))) {
        navigator().request(LetterRequest(form.record()), &form);
    }
    carryOut(p.fichaAfterSave, form, Output::Preview, server);
}

void OnButton(TRevisionAnualForm &form)
{
    carryOut(currentProfile().fichaOnButton, form);
}

void OnSelectPrinter(TRevisionAnualForm &form)
{
    carryOut(currentProfile().fichaOnButton, form, Output::ChosenPrinter);
}

bool ChoosePrinter(QPrinter &printer, QWidget *parent)
{
    if (printerChooser())
        return printerChooser()(printer, parent);
    QPrintDialog dlg(&printer, parent);
    dlg.setWindowTitle(QStringLiteral("Seleccionar Impresora"));
    return dlg.exec() == QDialog::Accepted;
}

void setPrinterChooser(PrinterChooser chooser)
{
    printerChooser() = std::move(chooser);
}

void WireFichaButton(TRevisionAnualForm &form)
{
    QObject::connect(&form, &TRevisionAnualForm::printerRequested, &form, [&form] { OnSelectPrinter(form); });
    QObject::connect(&form, &TRevisionAnualForm::sheetRequested, &form, [&form] { OnButton(form); });
}

StreetAndNumber SplitStreet(const QString &entry)
{
    const int blank = entry.lastIndexOf(QLatin1Char(' '));
    if (blank < 0)
        return {QString(), entry.left(5)};
    return {entry.left(blank), entry.mid(blank + 1).left(5)};
}

Nav::OpenCommitmentLetter LetterRequest(const OperationRecord &r)
{
    Nav::OpenCommitmentLetter letter;
    letter.ownerName = r.nombre;
    letter.docType = r.tipoDoc;
    letter.docNumber = r.nroDoc;
    const StreetAndNumber street = SplitStreet(r.calle);
    letter.street = street.street;
    letter.number = street.number;
    letter.postalCode = r.codigoPostal;
    letter.locality = r.localidad;
    letter.previousSticker = r.obleaAnt;
    letter.domain = r.dominio;
    letter.phone = r.telefono;
    return letter;
}

} // namespace FichaPrint

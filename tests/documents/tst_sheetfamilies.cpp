// The other profiles' sheets: what sets each family apart, read from the
// display list (places in mm from the paper's corner): cylinder sources and
// columns, workshop blocks, regulator boxes, markers, dates in boxes, copies,
// the empty sheet and the test print.
#include "core/global.h"
#include "core/installationprofile.h"
#include "displaylist.h"
#include "documents/sheet.h"
#include "samplesheet.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using Report::DisplayItem;
using Report::DisplayList;
using Sample::cylinder;
using Sample::renewal;
using Sample::withReplacedValve;
using Shown::detailRows;
using Shown::rowCells;

namespace
{

Report::ReportForm sheet(const char *layout, const FichaData &d)
{
    return Documents::MakeSheet(QLatin1String(layout), d);
}

DisplayList shown(const char *layout, const FichaData &d)
{
    return sheet(layout, d).displayList();
}

QString textOf(const DisplayList &l, const char *name)
{
    return Shown::textOf(l, QLatin1String(name));
}

QPointF at(const DisplayList &l, const char *name)
{
    const DisplayItem *d = l.find(QLatin1String(name));
    return d ? d->rect.topLeft() : QPointF(-1, -1);
}

FichaData withKind(const char *kind)
{
    FichaData d = renewal();
    d.operationKind = QLatin1String(kind);
    return d;
}

FichaData notEnabled()
{
    FichaData d = renewal();
    d.workshopEnabled = false;
    d.ownRow->enabled = 0;
    return d;
}

} // namespace

class TstSheetFamilies : public QObject
{
    Q_OBJECT

private slots:
    void replacedValveIsTwoRowsOnPreparedListsAndOneOnTheWorkTable()
    {
        FichaData d = withKind("H");
        Sample::setCylinders(d, {withReplacedValve("S-1")});
        const DisplayList prepared = shown("TQFichaDogwoodForm", d);
        QCOMPARE(detailRows(prepared), 2);
        QCOMPARE(rowCells(prepared, 1).value("QRDBText5"), QStringLiteral("V20"));
        QCOMPARE(rowCells(prepared, 1).value("QRDBText2"), QString());
        const DisplayList work = shown("TQFichaHazelForm", d);
        QCOMPARE(detailRows(work), 1);
        QCOMPARE(rowCells(work, 0).value("QRDBText5"), QStringLiteral("V10"));
    }

    void everyCylinderRowShowsItsOwnCertificate()
    {
        FichaData d = renewal();
        CylinderRow second = cylinder("S-2", "SI");
        second.nroCertif = QStringLiteral("CR02000999");
        Sample::setCylinders(d, {cylinder("S-1"), second});
        for (const char *layout : {"TQFichaCypressForm", "TQFichaChestnutForm", "TQFichaWalnutForm"}) {
            const DisplayList l = shown(layout, d);
            QCOMPARE(rowCells(l, 0).value("QRCertificado"), QStringLiteral("CR01000123"));
            QCOMPARE(rowCells(l, 1).value("QRCertificado"), QStringLiteral("CR02000999"));
            QCOMPARE(l.named("QRCertificado").at(1).rect.left(), 10 + 118.5);
            QCOMPARE(l.named("QRDBText2").at(1).rect.left(), 10 + 14.8);
        }
        // Larch's empty sheet keeps the certificate a little further left.
        QCOMPARE(at(shown("TQFichaLarchForm", Ficha::EmptySheetData({}, {})), "QRLabelCapCertificado").x(), 10 + 114.0);
    }

    void notEnabledWorkshopsPrintTheirLayoutsBlock()
    {
        const FichaData off = notEnabled();
        DisplayList l = shown("TQFichaCypressForm", off);
        QCOMPARE(textOf(l, "QRTaller"), QStringLiteral("??????"));
        for (const char *blank : {"QRLabel1", "QRLabel3", "QRLabel4", "QRLabel5", "QRLabel6"})
            QVERIFY2(textOf(l, blank).trimmed().isEmpty(), blank);
        QCOMPARE(textOf(l, "QRLabelLogoCypress2"), QStringLiteral("PRODUCTOR DE EQUIPOS COMPLETOS"));
        QVERIFY(!l.find("QRLabelQuince1"));
        // The whole Cypress family prints the PEC's logo beside its name.
        FichaData withLogo = off;
        withLogo.logo = QStringLiteral("cypress.png");
        for (const char *family :
             {"TQFichaCypressForm", "TQFichaBirchForm", "TQFichaDogwoodForm", "TQFichaChestnutForm"}) {
            QCOMPARE(textOf(shown(family, withLogo), "QRImage1"), QStringLiteral(":/documents/logos/cypress.png"));
            if (const QString look = qEnvironmentVariable("TARVIL_LOOK_DIR"); !look.isEmpty())
                Documents::MakeSheet(QLatin1String(family), withLogo)
                    .exportPdf(look + QLatin1Char('/') + QLatin1String(family) + QStringLiteral(".pdf"));
        }

        // Dogwood's block is only code, name and CUIT, also when enabled.
        l = shown("TQFichaDogwoodForm", renewal());
        QCOMPARE(textOf(l, "QRLabel5"), QStringLiteral("TALLER NORTE SRL"));
        QVERIFY(!l.find("QRLabel1") && !l.find("QRLabel3") && !l.find("QRLabelDireccion1"));
        // Cedar's pre-printed form (Olive's after a save) has the address and telephone lines.
        l = shown("TQFichaCedarForm", renewal());
        QVERIFY(l.find("QRLabel1") && textOf(l, "QRLabelDireccion1").startsWith(QLatin1String("Tel.: ")));

        // Walnut: the profile's fixed identity, no logo.
        l = shown("TQFichaWalnutForm", off);
        QCOMPARE(textOf(l, "QRTaller"), QStringLiteral("FIX0001"));
        QCOMPARE(textOf(l, "QRLabel1"), QStringLiteral("CALLE FIJA 1"));
        QCOMPARE(textOf(l, "QRLabelDireccion1"), QStringLiteral("Tel.: 1"));
        QVERIFY(!l.find("QRImage1"));

        // Sequoia: the fixed code over the own name, the representative with
        // the registration, the workshop of the operation viewed.
        l = shown("TQFichaSequoiaImpresoForm", off);
        QCOMPARE(textOf(l, "QRTaller"), QStringLiteral("FIX0001"));
        QCOMPARE(textOf(l, "QRLabel5"), QStringLiteral("TALLER NORTE SRL"));
        QCOMPARE(textOf(l, "QRLabel3"), QStringLiteral("PEREZ JUAN - Mat.: M-4411"));
        QCOMPARE(textOf(l, "QRLabel4"), QStringLiteral("TAL0009"));
        QCOMPARE(textOf(l, "QRLabelDireccion1"), QString());
        QCOMPARE(textOf(shown("TQFichaSequoiaImpresoForm", renewal()), "QRSello1"), QStringLiteral("SELLO 1"));

        // Poplar: its own row whatever the state; Larch's form: nothing.
        l = shown("TQFichaPoplarForm", off);
        QCOMPARE(textOf(l, "QRTaller"), QStringLiteral("TAL0001"));
        QVERIFY(!l.find("QRSello1"));
        QVERIFY(!shown("TQFichaLarchPreImpresoForm", off).find("QRTaller"));

        // Rowan: the representative in the name's place; nothing when not enabled.
        QCOMPARE(textOf(shown("TQFichaRowanForm", renewal()), "QRLabel5"), QStringLiteral("PEREZ JUAN"));
        QCOMPARE(textOf(shown("TQFichaRowanForm", off), "QRTaller"), QString());
    }

    void stateBlockFollowsTheOwnRow()
    {
        FichaData d = renewal();
        Report::ReportForm legal = sheet("TQFichaForm", d);
        QCOMPARE(legal.layout().paperSizeMm(), QSizeF(215.9, 355.6));
        DisplayList l = legal.displayList();
        QCOMPARE(textOf(l, "QRTaller"), QStringLiteral("TAL0001"));
        QCOMPARE(textOf(l, "QRLabelTaller1"), QStringLiteral("TALLER NORTE SRL"));
        QCOMPARE(textOf(l, "QRLabelTaller3"), QStringLiteral("CUIT: 30-11111111-5"));
        QCOMPARE(textOf(l, "QRLabelTaller4"), QStringLiteral("RT: PEREZ JUAN - Mat.: M-4411"));
        QCOMPARE(at(l, "QRLabelTaller1"), QPointF(6 + 4.0, 10 + 2.0));
        QVERIFY(!l.find("QRObs") && !l.find("QRSello1") && !l.find("QRRepTecPec"));

        l = shown("TQFichaHazelForm", d);
        QCOMPARE(textOf(l, "QRLabel5"), QStringLiteral("TALLER NORTE SRL - RUTA 9 KM 3"));
        QCOMPARE(textOf(l, "QRRepTecPec"), QStringLiteral("PEC GAS SA")); // the profile's letterhead

        d = notEnabled();
        l = shown("TQFichaTamarackA4Form", d);
        QCOMPARE(textOf(l, "QRTaller"), QStringLiteral("TAL0003")); // codtalaso
        QCOMPARE(textOf(l, "QRLabelTaller1"), QString());
        QCOMPARE(textOf(shown("TQFichaHazelForm", d), "QRLabel6"), QStringLiteral("30-11111111-5"));
    }

    void alderDismantlingShowsTheInstallationDate()
    {
        FichaData d = withKind("B");
        d.regulatorManagement = QStringLiteral("BAJA");
        Report::ReportForm alder = sheet("TQFichaAlderForm", d);
        QCOMPARE(alder.layout().copies, 3);
        DisplayList l = alder.displayList();
        QCOMPARE(textOf(l, "QRHabilitacion"), QStringLiteral("04/03/2021"));
        QCOMPARE(textOf(l, "QRVencimiento"), QString());
        QCOMPARE(textOf(l, "QRRegBajaCode"), QStringLiteral("R22"));
        QVERIFY(!l.find("QRCertificado"));
        QCOMPARE(l.find("QRDBText2")->rect.left(), 10 + 19.1);

        l = shown("TQFichaAlderForm", renewal());
        QCOMPARE(textOf(l, "QRHabilitacion"), QStringLiteral("05/03/2021"));
        QCOMPARE(textOf(l, "QRVencimiento"), QStringLiteral("05/03/2022"));
        QCOMPARE(textOf(shown("TQFichaAlderForm", withKind("X")), "QRRegActualCode"), QString());
    }

    void hickoryDatesFallIntoTheirBoxes()
    {
        const DisplayList l = shown("TQFichaHickoryForm", withKind("B"));
        QCOMPARE(textOf(l, "QRHabilitacion"), QStringLiteral("05      03      2021"));
        QCOMPARE(textOf(l, "QRVencimiento"), QStringLiteral("05      03      2022"));
        QCOMPARE(at(l, "QRTipoOperacion"), QPointF(10 + 143.9, 10 + 63.0));
        QCOMPARE(rowCells(l, 0).value("QRCapacidad"), QStringLiteral("60"));
        QVERIFY(!l.find("QRRepTecPec"));
        QCOMPARE(textOf(shown("TQFichaHickoryForm", withKind("X")), "QRRegActualCode"), QStringLiteral("R22"));
        QCOMPARE(at(shown("TQFichaHickoryForm", withKind("X")), "QRTipoOperacion"), QPointF(10 + 127.0, 10 + 63.0));
    }

    void spruceValveReplacementAndDismantling()
    {
        FichaData d = withKind("H");
        Report::ReportForm spruce = sheet("TQFichaSpruceForm", d);
        QCOMPARE(spruce.layout().copies, 1);
        DisplayList l = spruce.displayList();
        QCOMPARE(textOf(l, "QRLabelOperacion"), QStringLiteral("REEMPLAZO VALVULA"));
        QCOMPARE(textOf(l, "QRRegActualCode"), QStringLiteral("R22"));
        QCOMPARE(at(l, "QRTipoOperacion"), QPointF(8 + 134.9, 15 + 47.1));
        QVERIFY(!l.find("QRExpr6") && !l.find("QRCilVenc") && !l.find("QRObleaNueva"));
        QCOMPARE(rowCells(l, 0).value("QRCertificado"), QStringLiteral("CR01000123"));
        QCOMPARE(rowCells(l, 0).value("QRCapacidad"), QStringLiteral("60"));

        d = withKind("D");
        d.regulatorManagement = QStringLiteral("DESMONTAJE");
        l = shown("TQFichaSpruceForm", d);
        QCOMPARE(textOf(l, "QRLabelOperacion"), QStringLiteral("DESMONTAJE"));
        QCOMPARE(textOf(l, "QRRegDesmontajeCode"), QStringLiteral("R22"));
        QCOMPARE(at(l, "QRTipoOperacion"), QPointF(8 + 182.6, 15 + 37.6));
        d.operationKind = QStringLiteral("B");
        QCOMPARE(textOf(shown("TQFichaSpruceForm", d), "QRLabelOperacion"), QStringLiteral("BAJA"));
        // The Tamarack A4 sheet keeps the expiry and the management letter.
        l = shown("TQFichaTamarackA4Form", renewal());
        QCOMPARE(rowCells(l, 0).value("QRCilVenc"), QStringLiteral("03/2026"));
        QCOMPARE(rowCells(l, 0).value("QRExpr6"), QStringLiteral("S"));
    }

    void markersOnlyMarkTheBoxesTheFormHas()
    {
        // Cedar's form has no box for CRPC or a valve replacement.
        for (const char *kind : {"X", "H"})
            QVERIFY2(!shown("TQFichaCedarForm", withKind(kind)).find("QRTipoOperacion"), kind);
        QCOMPARE(at(shown("TQFichaCedarForm", withKind("B")), "QRTipoOperacion"), QPointF(10 + 120.0, 10 + 68.8));
        QCOMPARE(at(shown("TQFichaMapleForm", withKind("B")), "QRTipoOperacion"), QPointF(10 + 120.0, 10 + 62.4));
        // CRPC: Maple fills the actual box, Cedar does not.
        QCOMPARE(textOf(shown("TQFichaMapleForm", withKind("X")), "QRRegActualCode"), QStringLiteral("R22"));
        QCOMPARE(textOf(shown("TQFichaCedarForm", withKind("X")), "QRRegActualCode"), QString());
        FichaData d = renewal();
        d.useType = QStringLiteral("OFICIAL");
        d.injection = QStringLiteral("SI");
        d.regulatorNew = QStringLiteral("SI");
        const DisplayList l = shown("TQFichaMagnoliaPreImpresoForm", d);
        QCOMPARE(at(l, "QRTipo").x(), 10 + 97.4);
        QCOMPARE(at(l, "QRInyeccion").x(), 10 + 45.5);
        QCOMPARE(at(l, "QRRegNuevo").x(), 10 + 87.8);
        QCOMPARE(at(l, "QRTipoOperacion"), QPointF(10 + 154.5, 8 + 60.9));
        QCOMPARE(textOf(l, "QRLabelTipoOperacion"), QStringLiteral("REVISION ANUAL"));
    }

    void copiesAndPrinterOfEachLayout()
    {
        FichaData d = renewal();
        d.buckeyeCopies = 2;
        d.workshopCopies = 4;
        QCOMPARE(sheet("TQFichaCypressForm", d).layout().copies, 1);
        QCOMPARE(sheet("TQFichaBirchForm", d).layout().copies, 3);
        QCOMPARE(sheet("TQFichaHornbeamForm", d).layout().copies, 4);
        QCOMPARE(sheet("TQFichaTamarackA4Form", d).layout().copies, 4);
        QCOMPARE(sheet("TQFichaForm", d).layout().copies, 1);
        QCOMPARE(sheet("TQFichaRowanForm", d).layout().printerIndex, 0);
        QCOMPARE(sheet("TQFichaWalnutForm", d).layout().printerIndex, -1);
    }

    // No operation on an empty sheet: identities only, no "X" anywhere, no
    // cylinder rows, whatever the profile's layout.
    void emptySheetPrintsOnlyTheIdentities()
    {
        GlobalState g;
        g.WorkshopCode = QStringLiteral("TDM0001");
        g.WorkshopName = QStringLiteral("TALLER DEMO");
        g.WorkshopCuit = QStringLiteral("30-71111111-2");
        g.WorkshopAddress2 = QStringLiteral("AV. SIEMPRE VIVA 742");
        g.PecRepName = QStringLiteral("ING. LUIS PAZ");
        g.PecRepMatricula = QStringLiteral("9911");
        g.PecRepDocNumber = QStringLiteral("20111222");
        g.Stamp2 = QStringLiteral("SELLO DOS");
        g.RepName = QStringLiteral("ING. ANA RÍOS");
        g.RepMatricula = QStringLiteral("T-4410");
        g.PecName = QStringLiteral("GAS DEL OESTE S.A.");
        g.PecAddress = QStringLiteral("RUTA 5 KM 3 - MENDOZA");
        InstallationProfile quince;
        quince.printsLetterheadLines = true;
        quince.letterhead = {LetterheadLine::PecName, LetterheadLine::PecCaption, LetterheadLine::PecAddress};
        for (const char *layout : {"TQFichaEnBlancoQuinceForm", "TQFichaDogwoodForm", "TQFichaWalnutForm",
                                   "TQFichaLarchForm", "TQFichaTamarackEnBlancoForm"}) {
            const DisplayList l = shown(layout, Ficha::EmptySheetData(g, quince));
            QCOMPARE(textOf(l, "QRTaller"), g.WorkshopCode);
            QCOMPARE(textOf(l, "QRLabel5"), g.WorkshopName);
            QCOMPARE(textOf(l, "QRLabel6"), g.WorkshopCuit);
            QCOMPARE(textOf(l, "QRSello2"), g.Stamp2);
            QCOMPARE(textOf(l, "QRRepTecPECMat"), QStringLiteral("Mat. 9911/20111222"));
            QCOMPARE(detailRows(l), 0);
            for (const DisplayItem &i : l.items)
                QVERIFY2(i.text != QLatin1String("X") && i.text != QLatin1String("0") && i.text != QLatin1String("NO"),
                         qPrintable(QStringLiteral("%1: %2").arg(QLatin1String(layout), i.name)));
        }
        DisplayList l = shown("TQFichaEnBlancoQuinceForm", Ficha::EmptySheetData(g, quince));
        QCOMPARE(textOf(l, "QRLabelQuince1"), g.PecName); // the installation's own PEC row
        QCOMPARE(textOf(l, "QRLabelQuince3"), g.PecAddress);
        QCOMPARE(textOf(l, "QRLabel3"), g.PecRepName);
        QCOMPARE(textOf(l, "QRLabelTipoOperacion"), QString());
        quince.printsLetterheadLines = false;
        QVERIFY(!shown("TQFichaEnBlancoQuinceForm", Ficha::EmptySheetData(g, quince)).find("QRLabelQuince1"));
        l = shown("TQFichaWalnutForm", Ficha::EmptySheetData(g, quince));
        QCOMPARE(textOf(l, "QRLabel1"), g.WorkshopAddress2);
        QCOMPARE(textOf(l, "QRLabel3"), g.RepName);
        QCOMPARE(textOf(l, "QRLabel4"), g.RepMatricula);
        const auto printsNothing = [](const DisplayList &list, const char *name) {
            return !list.find(name) || list.find(name)->text.trimmed().isEmpty();
        };
        QVERIFY(printsNothing(l, "QRLabelDireccion1")); // no telephone known: no bare "Tel.: "
        // Larch's sheet carries the PEC's name and address, and nothing the PEC's row lacks.
        quince.letterhead = {LetterheadLine::PecName, LetterheadLine::PecAddress, LetterheadLine::PecRepMatricula};
        l = shown("TQFichaLarchForm", Ficha::EmptySheetData(g, quince));
        QCOMPARE(textOf(l, "QRLabelDireccion1"), g.PecAddress);
        QCOMPARE(textOf(l, "QRLabelDireccion2"), QStringLiteral("Mat. 9911"));
        g.PecAddress.clear();
        g.PecRepMatricula.clear();
        l = shown("TQFichaLarchForm", Ficha::EmptySheetData(g, quince));
        QVERIFY(printsNothing(l, "QRLabelDireccion1") && printsNothing(l, "QRLabelDireccion2"));
    }

    void alignmentSampleMarksEveryBox()
    {
        GlobalState g;
        g.WorkshopCode = QStringLiteral("TDM0001");
        g.WorkshopName = QStringLiteral("TALLER DEMO");
        const FichaData d = Ficha::AlignmentSampleData(g, {}, QDate(2026, 12, 9));
        DisplayList l = shown("TQFichaCedarForm", d);
        QCOMPARE(textOf(l, "QRObs"), Ficha::kAlignmentObservations);
        QCOMPARE(textOf(l, "QRTaller"), g.WorkshopCode);
        for (const char *marker : {"QRInyeccion", "QRTipo", "QRTipoOperacion", "QRRegNuevo"})
            QCOMPARE(textOf(l, marker), QStringLiteral("X"));
        QCOMPARE(detailRows(l), 3); // two cylinders, one replaced valve
        l = shown("TQFichaForm", d);
        QCOMPARE(textOf(l, "QRLabelTaller1"), g.WorkshopName);
    }

    void logoOfTheWorkshopBeforeThePecs()
    {
        QTemporaryDir dir;
        const QString before = QDir::currentPath();
        QDir::setCurrent(dir.path());
        FichaData d = renewal();
        d.logo = QStringLiteral("cedar.png");
        QCOMPARE(Documents::SheetLogo(d), QStringLiteral(":/documents/logos/cedar.png"));
        d.logo = QStringLiteral("ninguno.png");
        QCOMPARE(Documents::SheetLogo(d), QString()); // never the product's own logo
        QVERIFY(textOf(shown("TQFichaBuckeyeForm", d), "QRImage1").isEmpty());
        QFile own(dir.filePath(QStringLiteral("LogoTarvil.jpg")));
        QVERIFY(own.open(QIODevice::WriteOnly));
        own.close();
        QCOMPARE(Documents::SheetLogo(d), QFileInfo(own).absoluteFilePath());
        QCOMPARE(textOf(shown("TQFichaBuckeyeForm", d), "QRImage1"), QFileInfo(own).absoluteFilePath());
        // The empty sheet looks in the profile's working folder.
        QTemporaryDir folder;
        d.workingFolder = folder.path();
        QCOMPARE(Documents::WorkingFolderLogo(d), QString());
        QFile theirs(folder.filePath(QStringLiteral("logotarvil.jpg")));
        QVERIFY(theirs.open(QIODevice::WriteOnly));
        theirs.close();
        QCOMPARE(Documents::WorkingFolderLogo(d), QFileInfo(theirs).absoluteFilePath());
        QDir::setCurrent(before);
    }
};

QTEST_MAIN(TstSheetFamilies)
#include "tst_sheetfamilies.moc"

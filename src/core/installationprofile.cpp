#include "core/installationprofile.h"

#include "core/global.h"

#include <initializer_list>
#include <utility>

namespace
{

const QString kUser = QStringLiteral("tarvil");
const QString kPassword = QStringLiteral("tarvil");

// Remote hosts stay placeholders until each PEC hands over its servers.
ConnectionSettings primary(const QString &key)
{
    return {QStringLiteral("db.%1.example.invalid").arg(key), QStringLiteral("tarvil_%1").arg(key), kUser, kPassword,
            QStringLiteral("Servidor Principal")};
}

ConnectionSettings secondary(const QString &key)
{
    return {QStringLiteral("db2.%1.example.invalid").arg(key), QStringLiteral("tarvil_%1").arg(key), kUser, kPassword,
            QStringLiteral("Servidor Alternativo")};
}

using Letters = std::initializer_list<std::pair<QString, ConnectionSettings>>;

ConnectionPlan plan(Letters letters, OtherLetters other = OtherLetters::LeaveDefault,
                    const ConnectionSettings &otherSettings = {})
{
    ConnectionPlan p;
    for (const auto &[letter, settings] : letters)
        p.byLetter.insert(letter, settings);
    p.otherLetters = other;
    p.otherSettings = otherSettings;
    return p;
}

ConnectionPlan everyLetter(const ConnectionSettings &settings)
{
    return plan({}, OtherLetters::UseFixed, settings);
}

FichaChoice fixed(const char *layout)
{
    FichaChoice c;
    c.kind = FichaChoice::Fixed;
    c.layout = QString::fromLatin1(layout);
    return c;
}

FichaChoice bySheetFormat()
{
    FichaChoice c;
    c.kind = FichaChoice::BySheetFormat;
    return c;
}

FichaChoice formatDialog(const char *blank, const char *preprinted)
{
    FichaChoice c;
    c.kind = FichaChoice::FormatDialog;
    c.blankLayout = QString::fromLatin1(blank);
    c.preprintedLayout = QString::fromLatin1(preprinted);
    return c;
}

InstallationProfile row(const char *name, const char *id, int dialog, int accent)
{
    InstallationProfile p;
    p.name = QString::fromLatin1(name);
    p.installationId = QString::fromLatin1(id);
    p.dialogColour = dialog;
    p.accentColour = accent;
    p.logo = p.name.toLower() + QStringLiteral(".png");
    return p;
}

QString downloadFor(const QString &key)
{
    return QStringLiteral("https://descargas.%1.example.invalid/tarvil/").arg(key);
}

// Windows colour values as the table keeps them.
constexpr int BlueGrey = 14011816, Sky = 15780518, Silver = 12632256, PaleGreen = 12639424, Ochre = 6211299;
constexpr int Blue = 16711680, Red = 255, Green = 32768, Grey = 8421504, Yellow = 65535;

QVector<InstallationProfile> buildTable()
{
    const ConnectionSettings local = localSettings();
    const ConnectionSettings localPec = localSettings(QStringLiteral("tarvil_pec"));
    // The local post-sales database is a database of its own beside `tarvil`.
    const ConnectionSettings localPostSales = localSettings(QStringLiteral("tarvil_postventa"));
    // "A" of the Aspen group, Larch, Dogwood and Walnut is Cedar's primary server.
    const ConnectionSettings cedarW = primary(QStringLiteral("cedar"));
    const ConnectionSettings tamarackW = primary(QStringLiteral("tamarack"));
    const ConnectionSettings tamarackA = secondary(QStringLiteral("tamarack"));
    const ConnectionSettings mulberryW = primary(QStringLiteral("mulberry"));
    const ConnectionSettings postSalesSecondary{QStringLiteral("postventa2.example.invalid"),
                                                QStringLiteral("postventa"), kUser, kPassword,
                                                QStringLiteral("Post Venta Alternativo")};

    auto aspenGroup = [&](const char *name, const char *id, int dialog, int accent) {
        InstallationProfile p = row(name, id, dialog, accent);
        const QString key = p.name.toLower();
        p.operations = plan({{"W", primary(key)}, {"A", cedarW}, {"L", localPec}});
        return p;
    };
    auto wal = [&](const char *name, const char *id, int dialog, int accent, const ConnectionSettings &a) {
        InstallationProfile p = row(name, id, dialog, accent);
        const QString key = p.name.toLower();
        p.operations = plan({{"W", primary(key)}, {"A", a}, {"L", local}});
        return p;
    };
    auto wElseLocal = [&](const char *name, const char *id, int dialog, int accent) {
        InstallationProfile p = row(name, id, dialog, accent);
        p.operations = plan({{"W", primary(p.name.toLower())}}, OtherLetters::UseFixed, local);
        return p;
    };

    QVector<InstallationProfile> t;

    auto aspen = aspenGroup("Aspen", "ASPE01", BlueGrey, Blue);
    aspen.fichaAfterSave = aspen.fichaOnButton = fixed("TQFichaBuckeyeForm");
    aspen.buckeyeFichaCopies = 2;
    t << aspen;

    auto magnolia = wal("Magnolia", "MAGN01", Sky, Blue, secondary(QStringLiteral("magnolia")));
    magnolia.workingFolder = QStringLiteral("C:\\VELMORA\\MAGNOLIA\\");
    magnolia.fichaOnButton = formatDialog("TQFichaBuckeyeForm", "TQFichaMagnoliaPreImpresoForm");
    t << magnolia;

    auto hickory = row("Hickory", "HICK01", Sky, Blue);
    hickory.operations = plan({{"W", primary(QStringLiteral("hickory"))}, {"L", localPec}});
    hickory.workingFolder = QStringLiteral("C:\\VELMORA\\HICKORY\\");
    hickory.fichaAfterSave = hickory.fichaOnButton = fixed("TQFichaHickoryForm");
    t << hickory;

    auto sumac = aspenGroup("Sumac", "SUMA01", Silver, Red);
    sumac.fichaOnButton = fixed("TQFichaBuckeyeForm");
    t << sumac;

    auto catalpa = aspenGroup("Catalpa", "CATA01", BlueGrey, Blue);
    catalpa.fichaOnButton = fixed("TQFichaBuckeyeForm");
    t << catalpa;

    auto quince = aspenGroup("Quince", "QUIN01", BlueGrey, Blue);
    quince.offersCommitmentLetter = true;
    quince.commitmentLetterLayout = QStringLiteral("TQCartaBuckeyeForm");
    quince.fichaAfterSave = fixed("TQFichaBuckeyeForm");
    quince.fichaOnButton = formatDialog("TQFichaBuckeyeForm", "TQFichaQuincePreImpresoForm");
    quince.printsLetterheadLines = true;
    quince.letterhead = {LetterheadLine::PecName, LetterheadLine::PecCaption, LetterheadLine::PecAddress};
    t << quince;

    auto hazel = aspenGroup("Hazel", "HAZE01", BlueGrey, Blue);
    hazel.fichaAfterSave = hazel.fichaOnButton = fixed("TQFichaHazelForm");
    hazel.letterhead = {LetterheadLine::PecRepName, LetterheadLine::PecRepMatricula};
    t << hazel;

    auto willow = aspenGroup("Willow", "WILL01", PaleGreen, Green);
    willow.fichaAfterSave = willow.fichaOnButton = fixed("TQFichaWillowForm");
    t << willow;

    auto rowan = aspenGroup("Rowan", "ROWA01", PaleGreen, Green);
    rowan.fichaAfterSave = rowan.fichaOnButton = fixed("TQFichaRowanForm");
    t << rowan;

    auto poplar = aspenGroup("Poplar", "POPL01", PaleGreen, Green);
    poplar.fichaAfterSave = poplar.fichaOnButton = fixed("TQFichaPoplarForm");
    t << poplar;

    auto linden = row("Linden", "LIND01", Silver, Grey);
    linden.operations = plan({{"W", primary(QStringLiteral("linden"))}, {"L", local}});
    linden.postSales = plan({{"W", primary(QStringLiteral("linden"))}, {"L", localPostSales}});
    linden.opensPostSalesAtStartup = true;
    linden.workshopOnlyCodePrefix = QStringLiteral("TAL");
    linden.offersCommitmentLetter = true;
    linden.commitmentLetterLayout = QStringLiteral("TQCartaBuckeyeForm");
    linden.showsOwnerListButton = true;
    linden.fichaAfterSave = linden.fichaOnButton = fixed("TQFichaHornbeamForm");
    linden.workOrderLayout = QStringLiteral("TQOPVForm");
    linden.workOrderConsentCompany = QStringLiteral("LINDEN GNC");
    linden.workOrderPrintsConversionDate = true;
    linden.workOrderReprintLayout = QStringLiteral("TQOPVReimpresionVersion2Form");
    linden.workOrderReprintUsesConsentCompany = true;
    t << linden;

    auto larch = wal("Larch", "LARC01", Sky, Blue, cedarW);
    larch.downloadUrl = downloadFor(QStringLiteral("larch"));
    larch.fichaAfterSave = larch.fichaOnButton = fixed("TQFichaLarchPreImpresoForm");
    larch.emptyFichaLayout = QStringLiteral("TQFichaLarchForm");
    larch.letterhead = {LetterheadLine::PecName, LetterheadLine::PecAddress};
    t << larch;

    auto dogwood = wal("Dogwood", "DOGW01", PaleGreen, Green, cedarW);
    dogwood.fichaAfterSave = dogwood.fichaOnButton = fixed("TQFichaDogwoodForm");
    dogwood.emptyFichaLayout = QStringLiteral("TQFichaDogwoodForm");
    dogwood.letterhead = {LetterheadLine::PecName};
    t << dogwood;

    auto walnut = wal("Walnut", "WALN01", Ochre, Yellow, cedarW);
    walnut.fichaAfterSave = walnut.fichaOnButton = fixed("TQFichaWalnutForm");
    walnut.emptyFichaLayout = QStringLiteral("TQFichaWalnutForm");
    walnut.fixedWorkshop = {QStringLiteral("WAL0001"),
                            QStringLiteral("TALLER CENTRAL WALNUT GNC"),
                            QStringLiteral("Av. San Martín 1820 - Mendoza"),
                            QStringLiteral("30-71234567-9"),
                            QStringLiteral("ING. ROBERTO ÁLVAREZ"),
                            QStringLiteral("M-2231"),
                            QStringLiteral("Tel.: (0261) 429-5500")};
    t << walnut;

    auto spruce = wElseLocal("Spruce", "SPRU01", PaleGreen, Green);
    spruce.fichaOnButton = fixed("TQFichaSpruceForm");
    spruce.numbersFromOperationNumberTable = true;
    t << spruce;

    auto birch = row("Birch", "BIRC01", Sky, Blue);
    birch.operations = plan({{"W", primary(QStringLiteral("birch"))}, {"A", secondary(QStringLiteral("birch"))}});
    birch.postSales = plan({{"W", primary(QStringLiteral("birch"))}, {"L", localPostSales}, {"A", tamarackA}});
    birch.opensPostSalesAtStartup = true;
    birch.offersCommitmentLetter = true;
    birch.commitmentLetterLayout = QStringLiteral("TQCartaBirchForm");
    birch.numbersFromOperationNumberTable = true;
    birch.fichaAfterSave = birch.fichaOnButton = fixed("TQFichaBirchForm");
    birch.letterhead = {LetterheadLine::PecName};
    birch.workOrderLayout = QStringLiteral("TQOPVForm");
    birch.workOrderConsentCompany = QStringLiteral("BIRCH GNC");
    birch.workOrderPrintsConversionDate = true;
    birch.workOrderReprintLayout = QStringLiteral("TQOPVReimpresionVersion2Form");
    birch.showsWorkOrderOperationType = true;
    t << birch;

    auto cypress = row("Cypress", "CYPR01", Sky, Blue);
    cypress.operations = plan({{"W", primary(QStringLiteral("cypress"))}, {"A", secondary(QStringLiteral("cypress"))}},
                              OtherLetters::DoNotOpen);
    cypress.offersCommitmentLetter = true;
    cypress.commitmentLetterLayout = QStringLiteral("TQCartaCypressForm");
    cypress.fichaAfterSave = cypress.fichaOnButton = fixed("TQFichaCypressForm");
    cypress.letterhead = {LetterheadLine::PecName};
    t << cypress;

    auto yew = row("Yew", "YEW001", Sky, Blue);
    yew.operations = plan({{"W", primary(QStringLiteral("yew"))}});
    yew.fichaAfterSave = yew.fichaOnButton = fixed("TQFichaCypressForm");
    yew.letterhead = {LetterheadLine::PecName};
    t << yew;

    auto chestnut = row("Chestnut", "CHES01", PaleGreen, Green);
    chestnut.operations = plan({{"W", primary(QStringLiteral("chestnut"))}}, OtherLetters::UseFixed,
                               secondary(QStringLiteral("chestnut")));
    chestnut.downloadUrl = downloadFor(QStringLiteral("chestnut"));
    chestnut.offersCommitmentLetter = true;
    chestnut.commitmentLetterLayout = QStringLiteral("TQCartaCypressForm");
    chestnut.fichaAfterSave = chestnut.fichaOnButton = fixed("TQFichaChestnutForm");
    chestnut.letterhead = {LetterheadLine::PecName};
    t << chestnut;

    auto juniper = row("Juniper", "JUNI01", Sky, Blue);
    juniper.operations = everyLetter(local);
    juniper.recordsAccessories = true;
    juniper.fichaAfterSave = juniper.fichaOnButton = fixed("TQFichaGenericaJuniperForm");
    juniper.letterhead = {LetterheadLine::PecName, LetterheadLine::PecAddress};
    juniper.fixedWorkshop = {QStringLiteral("JUN0001"), {}, {}, {}, {}, {}, {}};
    t << juniper;

    auto buckeye = wElseLocal("Buckeye", "BUCK01", Sky, Blue);
    buckeye.downloadUrl = downloadFor(QStringLiteral("buckeye"));
    buckeye.offersCommitmentLetter = true;
    buckeye.commitmentLetterLayout = QStringLiteral("TQCartaBuckeyeForm");
    buckeye.keepsObservationsOnRecall = false;
    buckeye.fichaAfterSave = buckeye.fichaOnButton = fixed("TQFichaBuckeyeForm");
    buckeye.fichaKeepsLayoutRepresentative = true;
    buckeye.letterhead = {LetterheadLine::PecRepName, LetterheadLine::PecRepMatricula};
    t << buckeye;

    auto maple = wElseLocal("Maple", "MAPL01", Sky, Blue);
    maple.fichaAfterSave = fixed("TQFichaMapleForm");
    maple.fichaOnButton = formatDialog("TQFichaBuckeyeForm", "TQFichaMapleForm");
    maple.fixedWorkshop = {QStringLiteral("MAP0001"), QStringLiteral(" "), QStringLiteral(" "), QStringLiteral(" "),
                           QStringLiteral(" "),       QStringLiteral(" "), QStringLiteral(" ")};
    t << maple;

    auto sequoia = wal("Sequoia", "SEQU01", Sky, Blue, secondary(QStringLiteral("sequoia")));
    sequoia.downloadUrl = downloadFor(QStringLiteral("sequoia"));
    sequoia.offersCommitmentLetter = true;
    sequoia.choosesLetterRevisionCentre = true;
    sequoia.fichaAfterSave = sequoia.fichaOnButton = fixed("TQFichaSequoiaImpresoForm");
    sequoia.fixedWorkshop = {QStringLiteral("SEQ0001"), {}, {}, {}, {}, {}, {}};
    // The names of the centres as `carta_crpc` keeps them.
    sequoia.letterLayoutByCentre = {{QStringLiteral("CYPRESS"), QStringLiteral("TQCartaCypressForm")},
                                    {QStringLiteral("BUCKEYE"), QStringLiteral("TQCartaBuckeyeForm")},
                                    {QStringLiteral("BIRCH"), QStringLiteral("TQCartaBirchForm")},
                                    {QStringLiteral("HORNBEAM"), QStringLiteral("TQCartaForm")}};
    t << sequoia;

    auto elm = row("Elm", "ELM001", Sky, Blue);
    elm.operations = everyLetter(local);
    t << elm;

    auto olive = row("Olive", "OLIV01", Sky, Blue);
    olive.operations = everyLetter(local);
    olive.postSales = plan({{"W", localPostSales}});
    olive.opensPostSalesAtStartup = true;
    olive.fichaAfterSave = fixed("TQFichaCedarForm");
    olive.fichaOnButton = bySheetFormat();
    olive.workOrderLayout = QStringLiteral("TQOPVForm");
    olive.workOrderPrintsConversionDate = true;
    t << olive;

    auto tamarack = row("Tamarack", "TAMA01", Sky, Blue);
    tamarack.operations = plan({{"W", tamarackW}, {"L", local}, {"A", tamarackA}});
    tamarack.postSales = plan({{"W", tamarackW}, {"L", localPostSales}, {"A", tamarackA}});
    tamarack.sister = plan({{"W", mulberryW}, {"L", local}});
    tamarack.opensPostSalesAtStartup = true;
    tamarack.downloadUrl = downloadFor(QStringLiteral("tamarack"));
    tamarack.pendingListShowsVin = true;
    tamarack.checksReusedSticker = false;
    tamarack.forbidsRegulatorMountInModification = false;
    tamarack.searchesAllPecs = true;
    tamarack.fichaAfterSave = tamarack.fichaOnButton = bySheetFormat();
    tamarack.emptyFichaLayout = QStringLiteral("TQFichaTamarackEnBlancoForm");
    tamarack.letterhead = {LetterheadLine::PecName, LetterheadLine::PecAddress};
    tamarack.workOrderLayout = QStringLiteral("TQOPVForm");
    tamarack.workOrderPrintsConversionDate = true;
    tamarack.workOrderReprintLayout = QStringLiteral("TQOPVReimpresionVersion2Form");
    t << tamarack;

    auto elder = wal("Elder", "ELDE01", Ochre, Yellow, secondary(QStringLiteral("elder")));
    elder.postSales = plan({{"W", tamarackW}, {"L", localPostSales}, {"A", postSalesSecondary}});
    elder.downloadUrl = downloadFor(QStringLiteral("elder"));
    elder.pendingListShowsVin = true;
    elder.fichaAfterSave = elder.fichaOnButton = bySheetFormat();
    elder.workOrderLayout = QStringLiteral("TQOPVForm");
    elder.workOrderPrintsConversionDate = true;
    elder.workOrderReprintLayout = QStringLiteral("TQOPVReimpresionVersion2Form");
    t << elder;

    auto mulberry = wal("Mulberry", "MULB01", PaleGreen, Green, secondary(QStringLiteral("mulberry")));
    mulberry.postSales = plan({{"W", tamarackW}, {"L", localPostSales}, {"A", postSalesSecondary}});
    mulberry.sister = plan({{"W", tamarackW}, {"L", local}});
    mulberry.searchesAllPecs = true;
    mulberry.fichaAfterSave = mulberry.fichaOnButton = bySheetFormat();
    mulberry.workOrderLayout = QStringLiteral("TQOPVForm");
    mulberry.workOrderReprintLayout = QStringLiteral("TQOPVReimpresionVersion2Form");
    t << mulberry;

    auto hornbeam = wal("Hornbeam", "HORN01", PaleGreen, Green, secondary(QStringLiteral("hornbeam")));
    hornbeam.postSales = hornbeam.operations;
    hornbeam.opensPostSalesAtStartup = true;
    hornbeam.downloadUrl = downloadFor(QStringLiteral("hornbeam"));
    hornbeam.offersCommitmentLetter = true;
    hornbeam.commitmentLetterLayout = QStringLiteral("TQCartaForm");
    hornbeam.fichaAfterSave = hornbeam.fichaOnButton = fixed("TQFichaHornbeamForm");
    hornbeam.workOrderLayout = QStringLiteral("TQOPVHornbeamForm");
    hornbeam.workOrderReprintLayout = QStringLiteral("TQOPVReimpresionHornbeamForm");
    hornbeam.workOrderReprintNamesFromForm = true;
    t << hornbeam;

    t << wElseLocal("Acacia", "ACAC01", PaleGreen, Green);

    auto cedar = wal("Cedar", "CEDA01", Ochre, Yellow, secondary(QStringLiteral("cedar")));
    cedar.downloadUrl = downloadFor(QStringLiteral("cedar"));
    cedar.offersCommitmentLetter = true;
    cedar.offersLetterAfterSave = true;
    cedar.commitmentLetterLayout = QStringLiteral("TQCartaAlderForm");
    cedar.fichaAfterSave = cedar.fichaOnButton = formatDialog("TQFichaAlderForm", "TQFichaCedarForm");
    cedar.letterhead = {LetterheadLine::PecName};
    t << cedar;

    return t;
}

const ConnectionPlan &planFor(const InstallationProfile &profile, Conn conn)
{
    switch (conn) {
    case Conn::Operations:
        return profile.operations;
    case Conn::PostVenta:
        return profile.postSales;
    case Conn::Sister:
        break;
    }
    return profile.sister;
}

} // namespace

const QVector<InstallationProfile> &installationProfiles()
{
    static const QVector<InstallationProfile> table = buildTable();
    return table;
}

const InstallationProfile *profileById(const QString &id)
{
    for (const InstallationProfile &p : installationProfiles())
        if (p.installationId == id) // case-sensitive on purpose: "cyPR01" is no profile
            return &p;
    return nullptr;
}

const InstallationProfile &currentProfile()
{
    static const InstallationProfile none;
    const InstallationProfile *p = profileById(Global.InstallationId);
    return p ? *p : none;
}

SettingsChoice resolveSettings(const InstallationProfile &profile, Conn conn, const QString &letter)
{
    const ConnectionPlan &p = planFor(profile, conn);
    const auto it = p.byLetter.constFind(letter);
    if (it != p.byLetter.cend())
        return {SettingsChoice::Write, it.value()};
    switch (p.otherLetters) {
    case OtherLetters::UseFixed:
        return {SettingsChoice::Write, p.otherSettings};
    case OtherLetters::DoNotOpen:
        return {SettingsChoice::DoNotOpen, {}};
    case OtherLetters::LeaveDefault:
        break;
    }
    return {SettingsChoice::LeaveDefault, {}};
}

ConnectionSettings localSettings(const QString &database)
{
    return {QStringLiteral("localhost"), database, kUser, kPassword, QStringLiteral("Local DB")};
}

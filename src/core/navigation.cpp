#include "core/navigation.h"

namespace
{

NavigationNode leaf(const char *text)
{
    return {QString::fromUtf8(text), {}};
}
NavigationNode group(const char *text, QVector<NavigationNode> children)
{
    return {QString::fromUtf8(text), std::move(children)};
}

QVector<NavigationNode> buildObleas()
{
    return {
        group("Operaciones", {leaf("Conversión"), leaf("Modificación"), leaf("Renovación Anual"), leaf("Desmontaje"),
                              leaf("Reemplazo de Válvula"), leaf("Revisión CRPC")}),
        group("Estado de los Trámites",
              {leaf("Obleas Asignadas"), leaf("Consulta de Trámites Pendientes de Asignación de Obleas"),
               leaf("Consulta de Cartas Compromisos")}),
        group("Consultas", {leaf("Por Propietario"), leaf("Por Dominio"), leaf("Por Nro de Regulador"),
                            leaf("Por Nro de Cilindro"), leaf("Por Nro de Oblea")}),
        group("Relación con los Clientes",
              {leaf("Vencimiento de Obleas de Clientes"), leaf("Envío de Whatsapp para Renovación de Obleas"),
               leaf("Envio de Whatsapp para Renovación de PH")}),
        leaf("Impresión Recomendaciones de Seguridad"),
        leaf("Impresión de Ficha en Blanco"),
    };
}

QVector<NavigationNode> buildOtros()
{
    return {leaf("Cambiar clave de acceso"), leaf("Configurar sello Responsable Técnico del Taller"),
            leaf("Configuración")};
}

QVector<NavigationNode> buildTaller()
{
    return {
        group("Archivos", {leaf("Técnicos"), leaf("Fallas"), leaf("Concesionarias"),
                           leaf("Altas y Consultas de Trabajos a Realizar"),
                           group("Marcas y Modelos", {leaf("Mantenimiento"), leaf("Normalización de Modelos")}),
                           leaf("Propietarios")}),
        group("Ordenes de Conversión",
              {leaf("Ingreso de Orden de Conversión"), leaf("Consulta de Ordenes de Conversión")}),
        group("Ordenes de Taller",
              {leaf("Ingresar una nueva Orden de Trabajo"), leaf("Corregir o consultar una Orden de Trabajo"),
               leaf("Listado de Ordenes de Taller")}),
        leaf("Historia Clínica del Vehículo"),
        group("Estadísticas", {leaf("Ranking de Fallas por Taller"), leaf("Ranking de Fallas por Concesionario"),
                               leaf("Ranking de Fallas por Vehículo"), leaf("Ordenes de Trabajo por Vehículo")}),
    };
}

NavigationEntry entry(const char *key, WindowId window, const char *kind = "")
{
    return {QString::fromUtf8(key), window, QString::fromLatin1(kind)};
}

QVector<NavigationEntry> buildTable()
{
    using W = WindowId;
    return {
        entry("Conversión", W::OperationForm, "C"),
        entry("Modificación", W::OperationForm, "M"),
        entry("Renovación Anual", W::OperationForm, "R"),
        entry("Desmontaje", W::OperationForm, "B"),
        entry("Reemplazo de Válvula", W::OperationForm, "H"),
        entry("Revisión CRPC", W::OperationForm, "X"),
        entry("Obleas Asignadas", W::AssignedStickers),
        // The window registered here picks the profile's variant itself.
        entry("Consulta de Trámites Pendientes de Asignación de Obleas", W::PendingOperations),
        entry("Consulta de Cartas Compromisos", W::CommitmentLetterQuery),
        entry("Por Propietario", W::OwnerSearch),
        entry("Por Dominio", W::QueryByDomain),
        entry("Por Nro de Regulador", W::QueryByRegulator),
        entry("Por Nro de Cilindro", W::QueryByCylinder),
        entry("Por Nro de Oblea", W::QueryBySticker),
        entry("Vencimiento de Obleas de Clientes", W::StickerExpiry),
        entry("Envío de Whatsapp para Renovación de Obleas", W::StickerReminder),
        entry("Envio de Whatsapp para Renovación de PH", W::TestReminder),
        entry("Impresión Recomendaciones de Seguridad", W::SafetyRecommendations),
        entry("Impresión de Ficha en Blanco", W::BlankSheets),
        entry("Cambiar clave de acceso", W::ChangePassword),
        entry("Configurar sello Responsable Técnico del Taller", W::TechnicalStamp),
        entry("Configuración", W::CopiesConfiguration),
        entry("Técnicos", W::Technicians),
        entry("Fallas", W::Faults),
        entry("Concesionarias", W::Dealers),
        entry("Altas y Consultas de Trabajos a Realizar", W::Jobs),
        entry("Mantenimiento", W::Brands),
        entry("Normalización de Modelos", W::ModelNormalisation),
        entry("Propietarios", W::Owners),
        entry("Ingreso de Orden de Conversión", W::ConversionOrderEntry),
        entry("Consulta de Ordenes de Conversión", W::ConversionOrders),
        entry("Ingresar una nueva Orden de Trabajo", W::WorkOrderEntry),
        entry("Corregir o consultar una Orden de Trabajo", W::WorkOrders),
        entry("Listado de Ordenes de Taller", W::WorkOrderList),
        entry("Historia Clínica del Vehículo", W::VehicleHistory),
        entry("Ranking de Fallas por Taller", W::FaultRankingByWorkshop),
        entry("Ranking de Fallas por Concesionario", W::FaultRankingByDealer),
        entry("Ranking de Fallas por Vehículo", W::FaultRankingByVehicle),
        entry("Ordenes de Trabajo por Vehículo", W::WorkOrdersByVehicle),
        // menu items
        entry("Cambiar Password", W::ChangePassword),
        entry("Sello Representante Técnico", W::TechnicalStamp),
        entry("Resumen de Versiones", W::VersionSummary),
        entry("Agenda de Turnos", W::Appointments),
    };
}

struct WindowNames {
    const char *id;
    const char *title;
};

constexpr WindowNames kWindowNames[] = {
#define TARVIL_WINDOW_NAMES(id, title) {#id, title},
    TARVIL_WINDOWS(TARVIL_WINDOW_NAMES)
#undef TARVIL_WINDOW_NAMES
};

} // namespace

bool isWindowId(WindowId id)
{
    const int i = static_cast<int>(id);
    return i >= 0 && i < kWindowCount;
}

QVector<WindowId> allWindowIds()
{
    QVector<WindowId> ids;
    for (int i = 0; i < kWindowCount; ++i)
        ids << static_cast<WindowId>(i);
    return ids;
}

QString windowIdName(WindowId id)
{
    if (!isWindowId(id))
        return QStringLiteral("WindowId(%1)").arg(static_cast<int>(id));
    return QString::fromLatin1(kWindowNames[static_cast<int>(id)].id);
}

QString windowTitle(WindowId id)
{
    return isWindowId(id) ? QString::fromUtf8(kWindowNames[static_cast<int>(id)].title) : QString();
}

QString notAvailableNotice(WindowId id)
{
    return QString::fromUtf8("La función \"%1\" todavía no está disponible.").arg(windowTitle(id));
}

QString mainTabTitle(MainTab tab)
{
    switch (tab) {
    case MainTab::Obleas:
        return QStringLiteral("Obleas");
    case MainTab::Otros:
        return QStringLiteral("Otros");
    case MainTab::Taller:
        break;
    }
    return QStringLiteral("Taller");
}

const QVector<NavigationNode> &navigationTree(MainTab tab)
{
    static const QVector<NavigationNode> obleas = buildObleas();
    static const QVector<NavigationNode> otros = buildOtros();
    static const QVector<NavigationNode> taller = buildTaller();
    switch (tab) {
    case MainTab::Obleas:
        return obleas;
    case MainTab::Otros:
        return otros;
    case MainTab::Taller:
        break;
    }
    return taller;
}

const QVector<NavigationEntry> &navigationTable()
{
    static const QVector<NavigationEntry> table = buildTable();
    return table;
}

const NavigationEntry *findNavigationEntry(const QString &key)
{
    for (const NavigationEntry &e : navigationTable()) {
        if (e.key == key)
            return &e;
    }
    return nullptr;
}

QVector<QString> fileMenuItems()
{
    return {QStringLiteral("Cambiar Password"), QString::fromUtf8("Sello Representante Técnico"),
            QStringLiteral("Resumen de Versiones"), QString(), kMenuSalir};
}

QVector<QString> turnosMenuItems()
{
    return {QStringLiteral("Agenda de Turnos")};
}

MainTabs visibleMainTabs(int managesWorkshop, const QString &workshopCode, const QString &workshopOnlyCodePrefix)
{
    if (!workshopOnlyCodePrefix.isEmpty() && workshopCode.startsWith(workshopOnlyCodePrefix))
        return {false, false, true};
    return {true, true, managesWorkshop == 1};
}

QString unreadMessagesAnnouncement(int count)
{
    if (count <= 0)
        return {};
    if (count == 1)
        return QStringLiteral("Tiene un mensaje sin leer");
    return QStringLiteral("Tiene %1 mensajes sin leer").arg(count);
}

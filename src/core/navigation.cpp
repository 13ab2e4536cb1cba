#include "core/navigation.h"

namespace {

NavigationNode leaf(const char *text) { return {QString::fromUtf8(text), {}}; }
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
        group("Ordenes de Conversión", {leaf("Ingreso de Orden de Conversión"), leaf("Consulta de Ordenes de Conversión")}),
        group("Ordenes de Taller", {leaf("Ingresar una nueva Orden de Trabajo"),
                                    leaf("Corregir o consultar una Orden de Trabajo"),
                                    leaf("Listado de Ordenes de Taller")}),
        leaf("Historia Clínica del Vehículo"),
        group("Estadísticas", {leaf("Ranking de Fallas por Taller"), leaf("Ranking de Fallas por Concesionario"),
                               leaf("Ranking de Fallas por Vehículo"), leaf("Ordenes de Trabajo por Vehículo")}),
    };
}

NavigationEntry entry(const char *key, const char *window, const char *kind = "")
{
    return {QString::fromUtf8(key), QString::fromLatin1(window), QString::fromLatin1(kind)};
}

QVector<NavigationEntry> buildTable()
{
    return {
        entry("Conversión", "TRevisionAnualForm", "C"),
        entry("Modificación", "TRevisionAnualForm", "M"),
        entry("Renovación Anual", "TRevisionAnualForm", "R"),
        entry("Desmontaje", "TRevisionAnualForm", "B"),
        entry("Reemplazo de Válvula", "TRevisionAnualForm", "H"),
        entry("Revisión CRPC", "TRevisionAnualForm", "X"),
        entry("Obleas Asignadas", "TObleasAsignadasForm"),
        // The window registered here picks the Tamarack/Elder variant itself.
        entry("Consulta de Trámites Pendientes de Asignación de Obleas", "TConsultaDePendientesForm"),
        entry("Consulta de Cartas Compromisos", "TConsultaCartaCompromisoForm"),
        entry("Por Propietario", "TBusquedaPorApellidoForm"),
        entry("Por Dominio", "TConsultaPorDominioForm"),
        entry("Por Nro de Regulador", "TConsultaPorReguladorForm"),
        entry("Por Nro de Cilindro", "TConsultaPorCilindroForm"),
        entry("Por Nro de Oblea", "TConsultaXObleaForm"),
        entry("Vencimiento de Obleas de Clientes", "TVencimientoObleasForm"),
        entry("Envío de Whatsapp para Renovación de Obleas", "TEnvioWhatsappForm"),
        entry("Envio de Whatsapp para Renovación de PH", "TEnvioWhatsappPHForm"),
        entry("Impresión Recomendaciones de Seguridad", "TImpresionRecomendacionesForm"),
        entry("Impresión de Ficha en Blanco", "TImpresionFichasEnBlancoForm"),
        entry("Cambiar clave de acceso", "TCambiarPasswordForm"),
        entry("Configurar sello Responsable Técnico del Taller", "TSelloForm"),
        entry("Configuración", "TConfigCopiasForm"),
        entry("Técnicos", "TOperariosForm"),
        entry("Fallas", "TFallasForm"),
        entry("Concesionarias", "TClientesForm"),
        entry("Altas y Consultas de Trabajos a Realizar", "TTrabajosForm"),
        entry("Mantenimiento", "TMarcasForm"),
        entry("Normalización de Modelos", "TMarcasMantenimientoForm"),
        entry("Propietarios", "TPropietariosForm"),
        entry("Ingreso de Orden de Conversión", "TAsignarTallerForm"),
        entry("Consulta de Ordenes de Conversión", "TConsultaOTTForm"),
        entry("Ingresar una nueva Orden de Trabajo", "TOPVAltaForm"),
        entry("Corregir o consultar una Orden de Trabajo", "TConsultaOPVForm"),
        entry("Listado de Ordenes de Taller", "TListadoOpvForm"),
        entry("Historia Clínica del Vehículo", "THistoriaForm"),
        entry("Ranking de Fallas por Taller", "TRankingFallasForm"),
        entry("Ranking de Fallas por Concesionario", "TRankingXConcesionarioVersion2Form"),
        entry("Ranking de Fallas por Vehículo", "TRankingFallasXModeloForm"),
        entry("Ordenes de Trabajo por Vehículo", "TOPVxModeloForm"),
        // menu items
        entry("Cambiar Password", "TCambiarPasswordForm"),
        entry("Sello Representante Técnico", "TSelloForm"),
        entry("Resumen de Versiones", "TVersionesForm"),
        entry("Agenda de Turnos", "TAgendaTurnosForm"),
    };
}

} // namespace

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

QVector<QString> turnosMenuItems() { return {QStringLiteral("Agenda de Turnos")}; }

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

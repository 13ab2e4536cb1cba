#pragma once

#include <QString>
#include <QVector>

// What the main window offers: the tree of each tab, and which window every
// node or menu item opens. The texts are the keys, compared exactly (accents
// included: "Envío" and "Envio" are two different nodes).

// Every function window of the product: the ones the main window opens and
// the ones one feature hands over to another (a letter, a picker, the
// operation form in its modes). A feature's own small dialogs (the cylinder
// dialog, a master file's edit dialog) are opened by their owner directly.
// X(id, title): the title names the function in the "not available" notice.
#define TARVIL_WINDOWS(X)                                                                                              \
    /* start-up and small dialogs */                                                                                   \
    X(ChangePassword, "Cambiar clave de acceso")                                                                       \
    X(TechnicalStamp, "Sello Representante Técnico")                                                                   \
    X(VersionSummary, "Resumen de Versiones")                                                                          \
    X(CopiesConfiguration, "Configuración")                                                                            \
    /* operation entry */                                                                                              \
    X(OperationForm, "Carga de Operaciones")                                                                           \
    X(Outbox, "Operaciones en espera de envío")                                                                        \
    X(OwnerSearch, "Consulta por Propietario")                                                                         \
    X(RegulatorSearch, "Busqueda de Reguladores")                                                                      \
    X(CylinderData, "Datos del Cilindro")                                                                              \
    /* documents */                                                                                                    \
    X(CommitmentLetter, "Carta Compromiso")                                                                            \
    X(CommitmentLetterQuery, "Consulta de Cartas Compromisos")                                                         \
    X(SafetyRecommendations, "Impresión Recomendaciones de Seguridad")                                                 \
    X(BlankSheets, "Impresión de Ficha en Blanco")                                                                     \
    /* stickers and customer follow-up */                                                                              \
    X(AssignedStickers, "Obleas Asignadas")                                                                            \
    X(PendingOperations, "Consulta de Trámites Pendientes de Asignación de Obleas")                                    \
    X(QueryByDomain, "Consulta de Operaciones por Dominio")                                                            \
    X(QueryByRegulator, "Consulta de Operaciones por Nro de Regulador")                                                \
    X(QueryByCylinder, "Consulta por Número de Cilindro")                                                              \
    X(QueryBySticker, "Consulta de Operaciones por Nro de Oblea")                                                      \
    X(CylinderLife, "Vida del Cilindro")                                                                               \
    X(StickerExpiry, "Vencimiento de Obleas de Clientes")                                                              \
    X(StickerReminder, "Envío de Whatsapp para Renovación de Obleas")                                                  \
    X(TestReminder, "Envío de Whatsapp para Renovación de PH")                                                         \
    X(Appointments, "Agenda de Turnos")                                                                                \
    /* workshop management */                                                                                          \
    X(Technicians, "Técnicos")                                                                                         \
    X(Faults, "Fallas")                                                                                                \
    X(Dealers, "Concesionarias")                                                                                       \
    X(Jobs, "Altas y Consultas de Trabajos a Realizar")                                                                \
    X(Brands, "Marcas y Modelos")                                                                                      \
    X(ModelNormalisation, "Normalización de Modelos")                                                                  \
    X(Owners, "Propietarios")                                                                                          \
    X(ConversionOrderEntry, "Ingreso de Orden de Conversión")                                                          \
    X(ConversionOrders, "Consulta de Ordenes de Conversión")                                                           \
    X(ConversionOrderView, "Orden de Conversión")                                                                      \
    X(WorkOrderEntry, "Ingresar una nueva Orden de Trabajo")                                                           \
    X(WorkOrders, "Corregir o consultar una Orden de Trabajo")                                                         \
    X(WorkOrderEdit, "Corrección de Orden de Trabajo")                                                                 \
    X(WorkOrderView, "Orden de Trabajo")                                                                               \
    X(WorkOrderList, "Listado de Ordenes de Taller")                                                                   \
    X(VehicleHistory, "Historia Clínica del Vehículo")                                                                 \
    X(FaultRankingByWorkshop, "Ranking de Fallas por Taller")                                                          \
    X(FaultRankingByDealer, "Ranking de Fallas por Concesionario")                                                     \
    X(FaultRankingByVehicle, "Ranking de Fallas por Vehículo")                                                         \
    X(WorkOrdersByVehicle, "Ordenes de Trabajo por Vehículo")

enum class WindowId {
#define TARVIL_WINDOW_ID(id, title) id,
    TARVIL_WINDOWS(TARVIL_WINDOW_ID)
#undef TARVIL_WINDOW_ID
};

inline constexpr int kWindowCount = 0
#define TARVIL_WINDOW_COUNT(id, title) +1 // NOLINT(bugprone-macro-parentheses): a term of the sum
    TARVIL_WINDOWS(TARVIL_WINDOW_COUNT)
#undef TARVIL_WINDOW_COUNT
    ;

bool isWindowId(WindowId id);
QVector<WindowId> allWindowIds();
// The id as written in code ("OperationForm"), for a programmer's message.
QString windowIdName(WindowId id);
// The function's Spanish name.
QString windowTitle(WindowId id);
// What the operator reads where a function is not built yet.
QString notAvailableNotice(WindowId id);

struct NavigationNode {
    QString text;
    QVector<NavigationNode> children; // a node with children is only a group

    bool isGroup() const { return !children.isEmpty(); }
};

enum class MainTab { Obleas, Otros, Taller };

QString mainTabTitle(MainTab tab);
const QVector<NavigationNode> &navigationTree(MainTab tab);

struct NavigationEntry {
    QString key;           // node or menu item text
    WindowId window;       // what it opens
    QString operationKind; // the six operation nodes: the kind the form is opened for
};

// Every node that opens something and every menu item but "Salir": the one
// table from captions to windows.
const QVector<NavigationEntry> &navigationTable();
const NavigationEntry *findNavigationEntry(const QString &key);

// The menu items ("Archivos" then "Turnos"); an empty text is a separator.
inline const QString kMenuSalir = QStringLiteral("Salir");
QVector<QString> fileMenuItems();
QVector<QString> turnosMenuItems();

struct MainTabs {
    bool obleas = true;
    bool otros = true;
    bool taller = false;
    bool operator==(const MainTabs &) const = default;
};

// "Taller" follows `pertenece`; where the profile has a workshop-only code
// prefix ("TAL"), codes starting with it see nothing but "Taller".
MainTabs visibleMainTabs(int managesWorkshop, const QString &workshopCode, const QString &workshopOnlyCodePrefix);

// The announcement of unread PEC messages; empty when there are none.
QString unreadMessagesAnnouncement(int count);

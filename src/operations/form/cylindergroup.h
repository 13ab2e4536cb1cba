#pragma once

#include "core/operationrecord.h"
#include "operations/form/group.h"

#include <QGroupBox>
#include <functional>
#include <optional>

class CylinderList;
class QLineEdit;
class QTableView;
class QToolButton;

namespace OperationForm
{

// "Cilindros": the operation's cylinders over the cylinder work table, their
// buttons (Insert, F2 and Delete from the grid), the valve details of the
// cylinder chosen, and, where the profile offers it, the commitment letter.
class CylinderGroup : public QGroupBox
{
    Q_OBJECT
public:
    // `domain`: the plate as typed, which the valve check of a modification
    // looks at.
    CylinderGroup(const Context &context, std::function<QString()> domain);

    CylinderList *list() const { return m_cylinders; }
    void setCylinders(const QVector<CylinderRow> &rows);
    QVector<CylinderRow> cylinders() const;
    std::optional<CylinderRow> selected() const;

    void setKind(const QString &kind) { m_kind = kind; }
    void showValveReplacement(bool shown);
    void showLetterButtons(bool shown);
    // A recall with an overdue cylinder, or one collected: the letter opens.
    void enableLetter();
    // Viewing an earlier operation: the cylinders only show.
    void lockChanges();

signals:
    void letterWanted();  // "Carta Compromiso"
    void collectWanted(); // the chosen cylinder, for the letter

private:
    void wireActions();
    void showDetails();

    Context m_context;
    std::function<QString()> m_domain;
    QString m_kind;
    CylinderList *m_cylinders;
    QTableView *DBGrid1;
    QToolButton *SpeedButton4, *SpeedButton5, *SpeedButton6, *SpeedButton8, *SpeedButtonCC1, *SpeedButtonCC2;
    QToolButton *SpeedButtonVida; // the chosen cylinder's whole life, in every mode
    QLineEdit *DBEditValCod, *DBEditValNro, *DBEditValGest, *DBEditNroCertif, *DBEditRValCod, *DBEditRValNro,
        *DBEditRValGest;
};

} // namespace OperationForm

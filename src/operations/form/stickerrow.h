#pragma once

#include "operations/form/group.h"

#include <QWidget>

class LinkLabel;
class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;
struct OperationKindLayout;
struct OperationRecord;

namespace OperationForm
{

// The form's first rows: the workshop's logo, the previous and the assigned
// sticker (zero-filled as they are left), the workshop of a viewed
// operation, and the searches that bring an earlier operation in.
class StickerRow : public QWidget
{
    Q_OBJECT
public:
    explicit StickerRow(const Context &context);

    void read(OperationRecord &r) const;
    // `workshopCode`, when not empty, is shown in the workshop list.
    void fill(const OperationRecord &r, const QString &workshopCode);

    void setWorkshops(const QStringList &codes);
    QString workshop() const;
    QString previousSticker() const;
    bool showsPreviousSticker() const;
    void setPreviousSticker(const QString &sticker);

    void applyKind(const OperationKindLayout &k);
    void hideAssignedSticker();
    void hidePreviousSticker();
    void showOrderLink(bool shown);
    // Viewing an earlier operation: nothing else can be brought in.
    void showConsultation();
    // The viewed operation was found: its sticker, the one before it and
    // its workshop show.
    void showRecalled();

signals:
    void recallWanted(); // the previous sticker's button
    void searchByDomain();
    void searchByOwner();
    void searchByCylinder();
    void searchByRegulator();
    void orderWanted(); // "Traer desde OC"

private:
    void fillSticker(QLineEdit *edit);

    Context m_context;
    QLabel *Image1, *LabelObleaAnt, *LabelObleaNew, *LabelTaller;
    QLineEdit *ObleaAntEdit, *AnioObleaAnteriorEdit, *ObleaNewEdit;
    QComboBox *tallerEdit;
    QToolButton *SpeedButton1, *SpeedButton2;
    LinkLabel *Label35, *Label36, *Label37, *TraerDesdeOCLabel;
};

} // namespace OperationForm

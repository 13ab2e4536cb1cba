#pragma once

#include "app/requests.h"
#include "core/ordersearch.h"
#include "widgets/searchdialog.h"

#include <optional>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QPushButton;

// "Consulta de Ordenes de Conversión": the orders of one criterion, of every
// workshop or one; "Ver" opens one. In selection mode (the operation form's
// "Traer desde OC") "Aceptar" returns the order under the cursor. The
// work-order list searches the same way over its own rows.
class TConsultaOTTForm : public Widgets::SearchDialog
{
    Q_OBJECT
public:
    TConsultaOTTForm(QWidget *parent, Prompter &prompter);

    // "Aceptar" and "Cancelar" instead of "Ver" and "Cerrar".
    void setSelectionMode();

    struct OrderKey {
        QString taller;
        int numero = 0;
    };
    std::optional<OrderKey> selectedOrder() const;

    // The list in selection mode; the chosen order's stored rows on "Aceptar".
    static std::optional<Orders::ConversionOrder> pick(QWidget *parent, Prompter &prompter);

public slots:
    void ComboBox1Change();
    void CheckBoxTodosClick();
    void BitBtn1Click();
    void BitBtnVerClick();

protected:
    // `setup` overrides the caption, name, palette and grid of the list.
    TConsultaOTTForm(const Widgets::SearchDialog::Setup &setup, QWidget *parent, Prompter &prompter);
    void showEvent(QShowEvent *event) override;
    // The rows of a search; fields "numero", "taller" and the grid's own.
    // The reading of the list, run off the window's thread: it is given only
    // the filter.
    using Fetch = QVector<QSqlRecord> (*)(const OrderSearch::Filter &filter);
    virtual Fetch fetcher() const;
    // "Ver" on the order under the cursor.
    virtual void open(const OrderKey &order);

protected:
    QComboBox *ComboBox1 = nullptr;
    QLabel *LabelValor = nullptr;
    QDateEdit *DateTimePicker1 = nullptr, *DateTimePicker2 = nullptr;
    QCheckBox *CheckBoxTodos = nullptr;
    QComboBox *ComboBoxTalleres = nullptr;
    QPushButton *BitBtn1 = nullptr;
    QPushButton *BitBtnVer = nullptr, *BitBtnCerrar = nullptr, *BitBtnAceptar = nullptr, *BitBtnCancel = nullptr;

private:
    OrderSearch::Kind kind() const;
    // Lists `filter`; `reselect` is put under the cursor when listed.
    void search(const OrderSearch::Filter &filter, const std::optional<OrderKey> &reselect);
    bool m_loaded = false;
    std::optional<OrderSearch::Filter> m_lastFilter;
};

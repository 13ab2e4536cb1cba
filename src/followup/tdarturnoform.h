#pragma once

#include "core/appointments.h"
#include "widgets/messages.h"
#include "widgets/serverwait.h"

#include <QDate>
#include <QDialog>

class QLineEdit;

// Books one slot of the appointment book: the fields start empty, also for
// a slot already taken, and "Aceptar" writes them over whatever it held.
class TDarTurnoForm : public QDialog
{
    Q_OBJECT
public:
    TDarTurnoForm(const QString &workshop, const QDate &day, const QString &hora, QWidget *parent = nullptr,
                  Prompter &prompter = guiPrompter());

    Appointments::Booking typed() const;

public slots:
    void BitBtn1Click(); // "Aceptar"

private:
    QLineEdit *field(const char *name, int length, bool upper);

    Prompter &m_prompter;
    Widgets::WindowWrites m_save{Widgets::WindowWrites::SameWrite};
    QString m_workshop;
    QDate m_day;
    QString m_hora;
    QLineEdit *m_cliente = nullptr, *m_vehiculo = nullptr, *m_dominio = nullptr, *m_telefono = nullptr,
              *m_falla = nullptr;
};

#pragma once

#include <QDialog>
#include <QString>

class QPushButton;

// Offers the newer version the PEC has released. "Descargar" opens the
// profile's download location (when it has one) and ends the program;
// "Salir" lets the login go on with this version.
class TNuevaVersionForm : public QDialog
{
    Q_OBJECT
public:
    explicit TNuevaVersionForm(const QString &downloadUrl, QWidget *parent = nullptr);

    bool endsProgram() const { return m_endsProgram; }

private:
    void DescargarClick();

    QString m_downloadUrl;
    bool m_endsProgram = false;
};

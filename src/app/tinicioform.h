#pragma once

#include <QDialog>
#include <QString>
#include <memory>

class NamedQuery;
class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;
struct InstallationProfile;

// The login dialog. Creating it selects the installation profile from
// tarvil.ini, configures the connections and reads the PEC; "&Aceptar" checks
// the workshop against `tal` and fills Global. The main window shows it with
// exec() and carries on only when loginAccepted() is true: every other way
// out (ID "NADA", a refused login, "&Cancelar") ends the program.
class TInicioForm : public QDialog
{
    Q_OBJECT
public:
    explicit TInicioForm(QWidget *parent = nullptr);
    ~TInicioForm() override;

    int exec() override;
    bool loginAccepted() const { return m_accepted; }
    const InstallationProfile *profile() const { return m_profile; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildControls();
    void FormCreate(); // profile set-up
    void BitBtn1Click(); // "&Aceptar"
    void BitBtn2Click(); // "&Cancelar"
    void finishAfterClose();
    void endProgram();

    QLabel *Label1 = nullptr; // product name, first part
    QLabel *Label2 = nullptr; // product name, second part
    QLabel *LabelVersion = nullptr;
    QLabel *LabelServer = nullptr;
    QLabel *Image1 = nullptr;
    QLabel *LabelHint = nullptr;
    QLineEdit *EditPEC = nullptr;
    QLineEdit *EditId = nullptr;
    QLineEdit *EditPassword = nullptr;
    QPushButton *BitBtn1 = nullptr;
    QPushButton *BitBtn2 = nullptr;
    QStatusBar *StatusBar1 = nullptr;

    std::unique_ptr<NamedQuery> SQLQuery1;
    std::unique_ptr<NamedQuery> SQLQueryPEC;
    std::unique_ptr<NamedQuery> SQLGetVersion;

    const InstallationProfile *m_profile = nullptr;
    QString m_adminPassword; // `pec.Clave`; empty when no PEC row was read
    bool m_pecRead = false;   // the PEC table holds a row since the set-up
    bool m_endAtOnce = false;
    bool m_accepted = false;
};

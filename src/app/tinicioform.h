#pragma once

#include "data/loginrepository.h"

#include <QDialog>
#include <QString>
#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;
struct InstallationProfile;

// The login dialog. Creating it selects the installation profile from
// tarvil.ini and configures the connections; once it is on screen it reads
// the PEC (nothing goes to the network before the dialog shows). "&Aceptar"
// checks the workshop against `tal` and fills Global, in one exchange with
// the server. The main window shows it with exec() and carries on only when
// loginAccepted() is true: every other way out (ID "NADA", an unreadable
// tarvil.ini, a refused login, "&Cancelar") ends the program.
class TInicioForm : public QDialog
{
    Q_OBJECT
public:
    explicit TInicioForm(QWidget *parent = nullptr);
    ~TInicioForm() override;

    int exec() override;
    bool loginAccepted() const { return m_accepted; }
    // The workshop's unread messages, read with the login; none when the
    // login did not get that far.
    const std::optional<QVector<QSqlRecord>> &unreadMessages() const { return m_messages; }
    const InstallationProfile *profile() const { return m_profile; }

    // The PEC read of the set-up has run (or had nothing to read).
    bool serverSetUpDone() const { return m_serverSetUpDone; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildControls();
    void FormCreate();  // profile set-up, without the network
    void serverSetUp(); // the set-up's PEC read, once the dialog is on screen
    void keepDesignLook();
    void BitBtn1Click(); // "&Aceptar"
    void BitBtn2Click(); // "&Cancelar"
    void finishAfterClose(const LoginRepository::Reply &reply);
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

    const InstallationProfile *m_profile = nullptr;
    bool m_readsPec = false; // the profile's letter opens the operations connection at the set-up
    bool m_pecRead = false;  // the set-up read a PEC row: its administrator password may open accounts
    QString m_pecCode;       // `pec.PECCOD` of that row
    bool m_painted = false;
    bool m_serverSetUpDone = false;
    bool m_endAtOnce = false;
    bool m_accepted = false;
    std::optional<QVector<QSqlRecord>> m_messages;
};

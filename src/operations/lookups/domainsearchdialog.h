#pragma once

#include "widgets/searchdialog.h"

namespace Lookups
{

// Earlier operations of one domain, by sticker: of the own PEC (`usr`) or of
// every PEC (`usr_full`). The caller hands the domain over (setDomain also
// captions the window); activation runs the search. After OK the caller
// reads peccod, talcuit and tnrointopr of the chosen row.
class DomainSearchDialog : public Widgets::SearchDialog
{
    Q_OBJECT
public:
    enum class Scope { OwnPec, AllPecs };

    DomainSearchDialog(Scope scope, QWidget *parent, Prompter &prompter);

    void setDomain(const QString &domain);
    QString domain() const { return m_domain; }

public slots:
    void FormActivate();
    void AceptarClick();

protected:
    void showEvent(QShowEvent *event) override;

protected:
    QPushButton *BitBtnAceptar = nullptr;
    QPushButton *BitBtnCancelar = nullptr;

private:
    Search m_search;
    QString m_domain;
};

} // namespace Lookups

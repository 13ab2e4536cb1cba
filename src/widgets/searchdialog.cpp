#include "widgets/searchdialog.h"

#include "core/prompter.h"
#include "data/backgroundquery.h"
#include "data/dm1.h"
#include "widgets/formwindow.h"
#include "widgets/progressline.h"
#include "widgets/serverwait.h"
#include "widgets/uppercasevalidator.h"
#include "widgets/waitcursor.h"

#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace Widgets
{

SearchDialog::SearchDialog(const Setup &setup, QWidget *parent, Prompter &prompter)
    : QDialog(parent), m_setup(setup), m_prompter(prompter)
{
    setObjectName(setup.objectName);
    setWindowTitle(setup.caption);
    setModal(true);
    resize(setup.size);

    auto *layout = new QVBoxLayout(this);
    Widgets::setUpWindow(this);
    if (!setup.prompt.isEmpty()) {
        Label1 = new QLabel(setup.prompt, this);
        Label1->setObjectName(QStringLiteral("Label1"));
        Edit1 = new QLineEdit(this);
        Edit1->setObjectName(QStringLiteral("Edit1"));
        Edit1->setValidator(new UpperCaseValidator(Edit1));
        Label1->setBuddy(Edit1);
        m_search = new QPushButton(setup.searchButton, this);
        m_search->setObjectName(setup.searchButtonName);
        m_allButtons << m_search;
        auto *top = new QHBoxLayout;
        top->addWidget(Label1);
        top->addWidget(Edit1, 1);
        top->addWidget(m_search);
        layout->addLayout(top);
    }

    m_model = new ResultGridModel(setup.columns, setup.palette, this);
    DBGrid1 = new QTableView(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    setUpResultGrid(DBGrid1, m_model);
    layout->addWidget(DBGrid1, 1);

    m_progress = new ProgressLine(this);
    if (m_search)
        m_progress->holdWhileRunning({m_search});
    layout->addWidget(m_progress);
    m_buttons = new QHBoxLayout;
    m_buttons->addStretch(1);
    layout->addLayout(m_buttons);
    setDefaultButton(m_search);
}

SearchDialog::~SearchDialog() = default;

QPushButton *SearchDialog::addButton(const QString &text, const QString &objectName)
{
    auto *b = new QPushButton(text, this);
    b->setObjectName(objectName);
    b->setAutoDefault(false);
    m_buttons->addWidget(b);
    m_allButtons << b;
    return b;
}

void SearchDialog::addToButtonRow(QWidget *widget)
{
    m_buttons->insertWidget(m_leftWidgets++, widget);
}

void SearchDialog::setDefaultButton(QPushButton *button)
{
    for (QPushButton *b : std::as_const(m_allButtons)) {
        b->setAutoDefault(false);
        b->setDefault(b == button);
    }
}

void SearchDialog::acceptOnDoubleClick(QPushButton *button)
{
    opensRowsWith(DBGrid1, button);
}

void SearchDialog::choosesRow(QPushButton *button)
{
    const auto follow = [this, button] { button->setEnabled(hasSelection()); };
    connect(m_model, &QAbstractItemModel::modelReset, button, follow);
    connect(DBGrid1->selectionModel(), &QItemSelectionModel::selectionChanged, button, follow);
    follow();
}

int SearchDialog::runSearch(Conn conn, std::function<QVector<QSqlRecord>()> fetch)
{
    const std::optional<Rows> rows = fetchRows(conn, std::move(fetch));
    return rows ? present(*rows) : -1;
}

int SearchDialog::runSearch(Search search, const QVariant &key)
{
    const std::optional<Rows> rows =
        fetchRows(Searches::ConnectionOf(search), [search, key] { return Searches::Read(search, key); });
    if (!rows)
        return -1;
    Searches::Keep(search, *rows);
    return present(*rows);
}

std::optional<SearchDialog::Rows> SearchDialog::fetchRows(Conn conn, std::function<Rows()> fetch)
{
    m_model->clear();
    try {
        WaitCursor wait;
        return ServerWait::run<Rows>(this, QStringLiteral("Buscando..."), conn, std::move(fetch));
    } catch (const ServerWait::Cancelled &) {
        return std::nullopt; // the operator stopped it
    } catch (const DbError &e) {
        m_prompter.error(e.text());
        return std::nullopt;
    }
}

int SearchDialog::present(const QVector<QSqlRecord> &rows)
{
    showRows(rows);
    if (rows.isEmpty()) {
        // The notice waits in a loop of its own, in which the window may go.
        const QPointer<SearchDialog> alive(this);
        if (!m_setup.notFound.isEmpty())
            m_prompter.info(m_setup.notFound);
        if (alive && Edit1)
            Edit1->setFocus();
        return 0;
    }
    DBGrid1->setFocus();
    return int(rows.size());
}

void SearchDialog::runSearchInBackground(Search search, const QVariant &key, const std::function<void(int)> &after)
{
    searchInBackground(
        [&](const std::function<void(Rows)> &done, const std::function<void(const QString &)> &failed) {
            m_progress->run<Rows>(
                QStringLiteral("Buscando..."), Searches::ConnectionOf(search),
                [search, key] { return Searches::Read(search, key); },
                [search, done](const Rows &rows) {
                    Searches::Keep(search, rows);
                    done(rows);
                },
                failed);
        },
        after);
}

void SearchDialog::runSearchInBackground(Conn conn, std::function<Rows()> fetch, const std::function<void(int)> &after)
{
    searchInBackground(
        [&](const std::function<void(Rows)> &done, const std::function<void(const QString &)> &failed) {
            m_progress->run<Rows>(QStringLiteral("Buscando..."), conn, std::move(fetch), done, failed);
        },
        after);
}

void SearchDialog::searchInBackground(const Starter &start, const std::function<void(int)> &after)
{
    m_model->clear();
    // What follows the rows (a notice, the window's own step) runs only while
    // the window is still there: a message box's loop may have closed it.
    const QPointer<SearchDialog> self(this);
    start(
        [self, after](const Rows &rows) {
            const int found = self->present(rows);
            if (self && after)
                after(found);
        },
        [self, after](const QString &text) {
            self->m_prompter.error(text);
            if (self && after)
                after(-1);
        });
}

bool SearchDialog::isSearching() const
{
    return m_progress->isRunning();
}

void SearchDialog::showRows(const QVector<QSqlRecord> &rows)
{
    m_model->setRows(rows);
    selectGridRow(DBGrid1, 0);
}

void SearchDialog::clearRows()
{
    m_model->clear();
}

int SearchDialog::selectedRow() const
{
    const int row = selectedGridRow(DBGrid1);
    return row < m_model->rowCount() ? row : -1;
}

bool SearchDialog::hasSelection() const
{
    return selectedRow() >= 0;
}

const QSqlRecord *SearchDialog::selectedRecord() const
{
    const int row = selectedRow();
    return row < 0 ? nullptr : &m_model->record(row);
}

QString SearchDialog::selectedText(const QString &field) const
{
    return hasSelection() ? m_model->text(selectedRow(), field) : QString();
}

QVariant SearchDialog::selectedValue(const QString &field) const
{
    return hasSelection() ? m_model->value(selectedRow(), field) : QVariant();
}

void SearchDialog::selectRow(int row)
{
    selectGridRow(DBGrid1, row);
}

} // namespace Widgets

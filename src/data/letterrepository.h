#pragma once

#include "core/commitmentletter.h"
#include "data/writeonce.h"

#include <QDate>
#include <QSqlRecord>
#include <QStringList>
#include <QVector>

// Commitment letters in the operations database (`carta_compromiso_cab`,
// `carta_compromiso_det`) and the revision centres (`carta_crpc`). Failures
// throw DbError.
namespace LetterRepository
{

// The centres' names in table order.
QStringList RevisionCentres();

// Stores the header and its items in one transaction and returns the new
// letter's id, taken from the header's insert: a failure at any row leaves
// nothing stored. Every attempt under the same `ticket` stores the letter at
// most once, and a lost answer is cleared up before saying (WriteOnce::Run).
int Save(const Letter::Stored &letter, WriteOnce::Ticket *ticket = nullptr);

// A stored letter's header, as the query lists it.
struct Header {
    int id = 0;
    QDate date;
    Letter::Owner owner; // floor and apartment are not stored
    Letter::Purpose purpose = Letter::Purpose::PeriodicReview;
};

// The workshop's letters saved on `date`, in id order, as the grid shows
// them (`carta_compromiso_cab` rows).
QVector<QSqlRecord> FindByDate(const QDate &date, const QString &workshopCode);
Header HeaderOf(const QSqlRecord &row);

// A letter's items, in the order they were stored.
QVector<Letter::Item> Items(int letterId);

} // namespace LetterRepository

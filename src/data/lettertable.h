#pragma once

#include "core/commitmentletter.h"

#include <QVector>

class LocalTable;

// The letter's items in the local table "AuxCarta.adt": the one place that
// knows how a Letter::Item maps onto its fields.
namespace LetterTable
{

// Every record, in table order; opens the table if needed.
QVector<Letter::Item> Read(LocalTable &table);

// The record at `row` (0-based); an empty item out of range.
Letter::Item At(const LocalTable &table, int row);

// Appends one record and posts it.
void Append(LocalTable &table, const Letter::Item &item);

// Empties the table and appends `items`.
void Replace(LocalTable &table, const QVector<Letter::Item> &items);

// Writes the editable fields of `item` (capacity, mass, diameter, valve
// model, observations) into the record at `row`.
void Update(LocalTable &table, int row, const Letter::Item &item);

} // namespace LetterTable

#pragma once

// One column of a list, as the operator reads it.
#include <QAbstractItemModel>
#include <QStringList>
#include <QTableView>

inline QStringList column(const QAbstractItemModel *model, int col)
{
    QStringList out;
    for (int r = 0; r < model->rowCount(); ++r)
        out << model->index(r, col).data().toString();
    return out;
}

inline QStringList column(const QTableView *grid, int col)
{
    return column(grid->model(), col);
}

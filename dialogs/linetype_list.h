#pragma once

#include <QString>
#include <vector>

class CLinetypeTableCopy;
class QTableWidget;
class QWidget;

// A list of linetypes: whole rows selectable, columns for the name and the
// description, made with the column widths given.
QTableWidget* NewLinetypeList(const QString& nameTitle, const QString& descriptionTitle, int nameWidth,
                              int descriptionWidth, QWidget* parent);

// Fills the list with the table's records of the indexes, one row each;
// a row's name cell keeps the record's index (Qt::UserRole).
void FillLinetypeRows(QTableWidget& list, const CLinetypeTableCopy& table, const std::vector<int>& indexes);

// The record index of the row.
int LinetypeIndexOfRow(const QTableWidget& list, int row);

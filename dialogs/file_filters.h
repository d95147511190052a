#pragma once

#include <QStringList>
#include <string>

// A filter text of the form "Name(*.a,*.b)|*.a;*.b|...||" as the file
// dialog's name filters, "Name (*.a *.b)" each.
QStringList NameFilters(const std::string& filter);

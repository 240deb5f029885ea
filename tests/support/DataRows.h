#pragma once

#include <QTest>

// One data row, its values in the order of the columns; keeps each row on one line.
template <typename... Values> void dataRow(const char* name, const Values&... values)
{
    (QTest::newRow(name) << ... << values);
}

// Declares a single column "row" holding a whole case (a tuple or struct) and returns the
// function that adds one, so that a row reads row("name", {values...}).
template <typename Row> auto rowColumn()
{
    QTest::addColumn<Row>("row");
    return [](const char* name, const Row& row) { QTest::newRow(name) << row; };
}

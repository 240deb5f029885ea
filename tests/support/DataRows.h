#pragma once

#include <QTest>
#include <array>
#include <tuple>

// Declares the columns of a data table, of the types given, by their names in order; keeps
// the table's head on one line.
template <typename... Types> void columns(const std::array<const char*, sizeof...(Types)>& names)
{
    std::size_t i = 0;
    (QTest::addColumn<Types>(names[i++]), ...);
}

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

// The current row's value in the named column.
template <typename T> T column(const char* name)
{
    return *static_cast<T*>(QTest::qData(name, qMetaTypeId<T>()));
}

// The current row's values of the named columns, for one structured binding in place of a
// QFETCH per column: const auto [a, b] = fetch<int, QString>({"a", "b"}).
template <typename... Types>
std::tuple<Types...> fetch(const std::array<const char*, sizeof...(Types)>& names)
{
    std::size_t i = 0;
    return {column<Types>(names[i++])...};
}

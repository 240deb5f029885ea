#pragma once

#include <QtTest>
#include <array>
#include <tuple>

// Declares a data table's columns of the types given, by their names in order, on one line.
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

// Declares one column "row" holding a whole case; the function returned adds row("name", {...}).
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

// The current row's values of the named columns: const auto [a, b] = fetch<A, B>({"a", "b"}).
template <typename... Types>
std::tuple<Types...> fetch(const std::array<const char*, sizeof...(Types)>& names)
{
    std::size_t i = 0;
    return {column<Types>(names[i++])...};
}

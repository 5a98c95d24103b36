#pragma once
// Data tables written as arrays of plain structs, one row a line: each row's
// first member is its tag, and a test reads its row with FETCH_ROW.
#include <QtTest>

#include <cstddef>

template <typename Row, std::size_t N> void addRows(const Row (&rows)[N])
{
    QTest::addColumn<int>("rowNumber");
    for (std::size_t i = 0; i < N; ++i)
        QTest::newRow(rows[i].tag) << int(i);
}

// The current row of `rows`, as `r`.
#define FETCH_ROW(rows)                                                                                      \
    QFETCH(int, rowNumber);                                                                                  \
    const auto &r = rows[rowNumber]

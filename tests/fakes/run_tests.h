#pragma once

#include <QApplication>
#include <QTest>

namespace plenvor::test {

template <class Test>
int runOne(int argc, char *argv[])
{
    Test tests;
    return QTest::qExec(&tests, argc, argv);
}

// Runs several QtTest classes in one program, under one application, in the order given, and
// returns the number of failures, as QTEST_MAIN does for one.
template <class... Tests>
int runTests(int argc, char *argv[])
{
    QApplication app(argc, argv);
    int failures = 0;
    ((failures += runOne<Tests>(argc, argv)), ...);
    return failures;
}

} // namespace plenvor::test

#pragma once

#include "app/tarvilapplication.h"

#include <QtTest>

// QTEST_MAIN with the program's application object, so that a failing slot
// ends in the error dialog as it does for the operator.
#define TARVIL_GUARDED_TEST_MAIN(TestObject)                                                                           \
    int main(int argc, char *argv[])                                                                                   \
    {                                                                                                                  \
        TarvilApplication app(argc, argv);                                                                             \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                                       \
        TestObject tc;                                                                                                 \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                     \
        return QTest::qExec(&tc, argc, argv);                                                                          \
    }

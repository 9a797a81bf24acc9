// The main function of every window test: the offscreen platform at the
// design density of 120 ppi unless the test run sets another density with
// QT_FONT_DPI, and the program's own application object (never QTest's
// default main, which would force 96 DPI).
#pragma once

#include <QTest>

#include "toolkit/qt/t_application.h"

namespace vantrel::testing {

// Sets the platform and density a test runs at, if the environment names none.
void SetTestEnvironment();

}  // namespace vantrel::testing

#define VANTREL_QT_TEST_MAIN(TestClass)                \
    int main(int argc, char** argv) {                  \
        vantrel::testing::SetTestEnvironment();        \
        vantrel::TApplication application(argc, argv); \
        application.Initialize();                      \
        TestClass tests;                               \
        return QTest::qExec(&tests, argc, argv);       \
    }

#pragma once

// One test executable per folder of tests/ (tests_app, tests_panel, ...), many
// Qt Test classes in each. A test file keeps its class, includes this header
// and ends, where a lone test used to say QTEST_MAIN, with the macro of the
// same name from here:
//
//     QTEST_MAIN(TestX)          ->  ZK_TEST_MAIN(TestX)          (QApplication)
//     QTEST_GUILESS_MAIN(TestX)  ->  ZK_TEST_GUILESS_MAIN(TestX)  (QCoreApplication)
//     QTEST_APPLESS_MAIN(TestX)  ->  ZK_TEST_APPLESS_MAIN(TestX)  (none)
//     #include "tst_x.moc"           stays as it is
//
// The macro adds the class to the executable's list; tests/support/testmain.cpp
// is the one main() that builds the application the chosen class asks for and
// runs it. CMake needs nothing new: zk_add_test(tst_x SOURCES tst_x.cpp LIBS ...)
// puts the file into its folder's executable and registers one ctest entry,
// `tests_<folder> -test tst_x`, with the time-out, labels and scratch home it
// always had; `add_dependencies(tst_x <program>)` still names the programs the
// entry starts (tst_x is a build target that builds the folder's executable
// and them). By hand:
//
//     build/bin/tests_panel -test tst_designer [Qt Test options and functions]
//     build/bin/tests_panel -class TstDesigner -v2
//     build/bin/tests_panel -classes            # what it holds, file by file
//
// Rules for a test file, since a folder's files are compiled together, a few
// to a translation unit (a unity build), and linked into one program:
// - Helpers, constants and types at file level go in an anonymous namespace,
//   under names no other file of the folder uses at file level (two files'
//   `hex()` or `Ch1` collide, or one file's overload is called by another).
//   What several files share goes into a header of the folder as `inline`.
// - Anything set on a test's own target before (compile definitions, include
//   folders) goes on ${ZK_TEST_EXECUTABLE}, the folder's executable.
// - A test never reads its own executable's name (applicationName is the
//   folder's); the scratch home (XDG_*_HOME) is still its own.
// Converting a lone test: the two lines above, then build the folder's
// executable: a clash shows as a redefinition or an ambiguous call.
//
// A class that only takes the pictures in docs/screenshots is no test: it is
// registered with ZK_PICTURES(Class), left out of ctest and run by
// scripts/screenshots.sh with `-pictures`, as are the tests listed with
// PICTURES in CMake, whose cases take pictures on the way.

#include <QObject>
#include <QTest>

namespace zktest {

enum class AppKind { None, Core, Widgets };

struct TestClass
{
    const char *name;
    const char *file;    // __FILE__ of the registration
    AppKind app;
    bool pictures;       // takes pictures only: run with -pictures, never by ctest
    void (*initMain)();  // the class's static initMain(), when it has one
    QObject *(*make)();
};

int registerClass(const TestClass &test);

} // namespace zktest

#define ZK_TEST_REGISTER_(Class, kind, pictures)                                                                 \
    static const int zkTestRegistered_##Class = zktest::registerClass(                                           \
        {#Class, __FILE__, zktest::AppKind::kind, pictures,                                                       \
         &QT_PREPEND_NAMESPACE(QTest::Internal::callInitMain)<Class>, []() -> QObject * { return new Class; }});

#define ZK_TEST_MAIN(Class) ZK_TEST_REGISTER_(Class, Widgets, false)
#define ZK_TEST_GUILESS_MAIN(Class) ZK_TEST_REGISTER_(Class, Core, false)
#define ZK_TEST_APPLESS_MAIN(Class) ZK_TEST_REGISTER_(Class, None, false)
#define ZK_PICTURES(Class) ZK_TEST_REGISTER_(Class, Widgets, true)

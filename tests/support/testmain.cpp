// The main() of every test executable: picks the registered classes the
// command line names (tests/support/testmain.h), builds the one application
// they need, as QTEST_MAIN and its variants would, and runs them in turn.

#include "tests/support/testmain.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace zktest {
namespace {

std::vector<TestClass> &registry()
{
    static std::vector<TestClass> classes;
    return classes;
}

struct Choice
{
    const char *test = nullptr;   // -test: the file's name without .cpp
    const char *className = nullptr;
    bool pictures = false;
    bool list = false;
    std::vector<char *> qtestArgs; // what Qt Test and the application read
};

Choice readArguments(int argc, char **argv)
{
    Choice c;
    c.qtestArgs.push_back(argv[0]);
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "-test") == 0 && hasValue)
            c.test = argv[++i];
        else if (std::strcmp(argv[i], "-class") == 0 && hasValue)
            c.className = argv[++i];
        else if (std::strcmp(argv[i], "-pictures") == 0)
            c.pictures = true;
        else if (std::strcmp(argv[i], "-classes") == 0)
            c.list = true;
        else
            c.qtestArgs.push_back(argv[i]);
    }
    c.qtestArgs.push_back(nullptr);
    return c;
}

QString fileOf(const TestClass &t)
{
    return QFileInfo(QString::fromLocal8Bit(t.file)).completeBaseName();
}

bool chosen(const TestClass &t, const Choice &c)
{
    if (t.pictures && !c.pictures)
        return false;
    if (c.test && fileOf(t) != QString::fromLocal8Bit(c.test))
        return false;
    return !c.className || std::strcmp(t.name, c.className) == 0;
}

std::unique_ptr<QCoreApplication> makeApplication(AppKind kind, int &argc, char **argv)
{
    std::unique_ptr<QCoreApplication> app;
    if (kind == AppKind::Widgets)
        app = std::make_unique<QApplication>(argc, argv);
    else if (kind == AppKind::Core)
        app = std::make_unique<QCoreApplication>(argc, argv);
    if (app)
        app->setAttribute(Qt::AA_Use96Dpi, true);
    return app;
}

int run(Choice &choice)
{
    std::vector<const TestClass *> tests;
    for (const TestClass &t : registry()) {
        if (chosen(t, choice))
            tests.push_back(&t);
    }
    if (tests.empty()) {
        std::fprintf(stderr, "no test class here matches (-classes lists them)\n");
        return 2;
    }
    AppKind kind = AppKind::None;
    for (const TestClass *t : tests) {
        t->initMain();
        kind = std::max(kind, t->app);
    }
    int argc = int(choice.qtestArgs.size()) - 1;
    char **argv = choice.qtestArgs.data();
    const std::unique_ptr<QCoreApplication> app = makeApplication(kind, argc, argv);
    int failures = 0;
    for (const TestClass *t : tests) {
        QTest::setMainSourcePath(t->file);
        const std::unique_ptr<QObject> object(t->make());
        failures += QTest::qExec(object.get(), argc, argv);
    }
    return std::min(failures, 127);
}

} // namespace

int registerClass(const TestClass &test)
{
    registry().push_back(test);
    return int(registry().size());
}

} // namespace zktest

int main(int argc, char **argv)
{
    zktest::Choice choice = zktest::readArguments(argc, argv);
    if (choice.list) {
        for (const zktest::TestClass &t : zktest::registry())
            std::printf("%s %s%s\n", qPrintable(zktest::fileOf(t)), t.name, t.pictures ? " (pictures)" : "");
        return 0;
    }
    return zktest::run(choice);
}

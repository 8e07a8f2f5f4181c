// zkvr340a-ctl-manpage FILE: writes the tool's man page (English), made from
// the manual --help prints. Run by the build; the package installs FILE.

#include "base/strings.h"
#include "cli/clicontext.h"

#include <QCoreApplication>
#include <QSaveFile>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (app.arguments().size() != 2) {
        std::fprintf(stderr, "usage: zkvr340a-ctl-manpage FILE\n");
        return 2;
    }
    if (!setLanguage(Language::English))
        return 1;
    QSaveFile file(app.arguments().at(1));
    if (!file.open(QIODevice::WriteOnly) || file.write(cliManPage().toUtf8()) < 0 || !file.commit()) {
        std::fprintf(stderr, "zkvr340a-ctl-manpage: %s\n", qPrintable(file.errorString()));
        return 1;
    }
    return 0;
}

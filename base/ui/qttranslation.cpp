#include "base/ui/qttranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLoggingCategory>
#include <QTranslator>

Q_LOGGING_CATEGORY(lcQtTranslation, "zkvr.app.translation")

bool installQtJapanese(QCoreApplication &app)
{
    auto *translator = new QTranslator(&app);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(QStringLiteral("qtbase_ja"), folder) || !app.installTranslator(translator)) {
        qCWarning(lcQtTranslation) << "no qtbase_ja.qm in" << folder;
        delete translator;
        return false;
    }
    return true;
}

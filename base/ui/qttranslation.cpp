#include "base/ui/qttranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLoggingCategory>
#include <QTranslator>

Q_LOGGING_CATEGORY(lcQtTranslation, "zkvr.app.translation")

bool installQtTranslation(QCoreApplication &app, Language language)
{
    const bool japanese = language == Language::Japanese;
    const QString name = japanese ? QStringLiteral("qtbase_ja") : QStringLiteral("qtbase_en");
    auto *translator = new QTranslator(&app);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(name, folder) || !app.installTranslator(translator)) {
        delete translator;
        if (!japanese)
            return true; // Qt's source texts are English
        qCWarning(lcQtTranslation) << "no" << name << "in" << folder;
        return false;
    }
    return true;
}

bool installQtJapanese(QCoreApplication &app)
{
    return installQtTranslation(app, Language::Japanese);
}

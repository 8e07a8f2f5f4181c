#include "dialogs.h"

#include "strings.h"

#include <QStringList>

void Dialogs::tell(const QString &text, MsgIcon icon)
{
    message(text, MsgButtons::Ok, icon, str(StrId::AppTitle));
}

QString fileDialogFilter(const QString &pipeFilter)
{
    const QStringList parts = pipeFilter.split(u'|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts.at(i).trimmed();
        const int paren = description.indexOf(u'(');
        if (paren > 0 && description.endsWith(u')'))
            description = description.left(paren).trimmed();
        QStringList patterns = parts.at(i + 1).split(u';', Qt::SkipEmptyParts);
        for (QString &p : patterns) {
            p = p.trimmed();
            // "*.*" means every file where the filter comes from; Qt's
            // dialogs take it literally and hide names without a dot
            // (most files on Linux). "*" is every file everywhere.
            if (p == QLatin1String("*.*"))
                p = QStringLiteral("*");
        }
        patterns.removeDuplicates();
        filters << description + QStringLiteral(" (") + patterns.join(u' ') + u')';
    }
    return filters.join(QStringLiteral(";;"));
}

PrintAnswer Dialogs::print(QPrinter &)
{
    return PrintAnswer::NoPrinter;
}

std::optional<QString> Dialogs::passphrase(const QString &, const QString &)
{
    return std::nullopt;
}

MsgAnswer ScriptedDialogs::message(const QString &text, MsgButtons buttons, MsgIcon icon,
                                   const QString &title)
{
    shown.push_back({text, buttons, icon, title});
    if (!answers.empty()) {
        const MsgAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    switch (buttons) {
    case MsgButtons::Ok:
    case MsgButtons::OkCancel:
        return MsgAnswer::Ok;
    case MsgButtons::YesNo:
    case MsgButtons::YesNoCancel:
        return MsgAnswer::Yes;
    }
    return MsgAnswer::Ok;
}

QString ScriptedDialogs::openFileName(const QString &title, const QString &, const QString &filter)
{
    fileRequests << title;
    fileFilters << filter;
    if (fileNames.empty())
        return {};
    QString f = fileNames.front();
    fileNames.pop_front();
    return f;
}

QString ScriptedDialogs::saveFileName(const QString &title, const QString &startPath,
                                      const QString &filter)
{
    return openFileName(title, startPath, filter);
}

std::optional<QColor> ScriptedDialogs::color(const QColor &)
{
    if (colors.empty())
        return std::nullopt;
    auto c = colors.front();
    colors.pop_front();
    return c;
}

std::optional<QFont> ScriptedDialogs::font(const QFont &)
{
    if (fonts.empty())
        return std::nullopt;
    auto f = fonts.front();
    fonts.pop_front();
    return f;
}

PrintAnswer ScriptedDialogs::print(QPrinter &printer)
{
    ++printRequests;
    if (printAnswers.empty())
        return PrintAnswer::Cancel;
    const auto answer = std::move(printAnswers.front());
    printAnswers.pop_front();
    return answer(printer);
}

std::optional<QString> ScriptedDialogs::passphrase(const QString &prompt, const QString &)
{
    passphrasePrompts << prompt;
    if (passphrases.empty())
        return std::nullopt;
    const std::optional<QString> answer = passphrases.front();
    passphrases.pop_front();
    return answer;
}

QStringList ScriptedDialogs::texts() const
{
    QStringList out;
    for (const auto &s : shown)
        out << s.text;
    return out;
}

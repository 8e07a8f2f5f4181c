#include "remote/remotepage.h"

#include "base/shownwords.h"
#include "base/strings.h"
#include "panel/meetingrules.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include <utility>

namespace {

QString languageCode()
{
    return language() == Language::English ? QStringLiteral("en") : QStringLiteral("ja");
}

QByteArray json(const QJsonObject &o)
{
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

// The meeting's part of the page: the desktop panel's own words, and why
// the console refused an action, by the interface's word for it.
void meetingTexts(QJsonObject &t)
{
    // The menu's commands as the page's buttons: "全員オフ(&A)" reads 全員オフ.
    for (const auto &[key, id] : {std::pair{"next", 14411}, {"allOff", 14410}, {"withdraw", 14413}})
        t.insert(QLatin1String(key), accessibleWords(str(id)));
    const std::pair<const char *, int> ids[] = {
        {"requests", 14440}, {"requestItem", 14441}, {"noRequests", 14428}, {"timeLeft", 14442},
        {"timeUp", 14443},   {"speakingFor", 14444}, {"chair", 14408},      {"limited", 14454},
        {"requestHint", 14800},
    };
    for (const auto &[key, id] : ids)
        t.insert(QLatin1String(key), str(id));
    QJsonObject refusals;
    for (int r = int(MeetingRefusal::NotExecuting); r <= int(MeetingRefusal::NoRequests); ++r)
        refusals.insert(QLatin1String(refusalName(MeetingRefusal(r))), refusalText(MeetingRefusal(r)));
    t.insert(QStringLiteral("refusals"), refusals);
}

// The page's texts, from the program's string table in its language.
QByteArray pageTexts()
{
    QJsonObject t;
    const std::pair<const char *, int> ids[] = {
        {"title", 12420},    {"readOnly", 12421}, {"linkUp", 12422},  {"linkDown", 12423},
        {"waiting", 12424},  {"verified", 12425}, {"failed", 12426},  {"reconnecting", 12427},
        {"on", 12428},       {"off", 12429},      {"noPanel", 12430}, {"refused", 12431},
        {"mixers", 12432},   {"virtual", 12610},  {"watchOnly", 13400}, {"blocked", 13401},
        {"gone", 13402},     {"fullScreen", 13403}, {"noWriteAccess", 13404}, {"notTaken", 13405},
    };
    for (const auto &[key, id] : ids)
        t.insert(QLatin1String(key), str(id));
    t.insert(QStringLiteral("lang"), languageCode());
    meetingTexts(t);
    return json(t);
}

} // namespace

QByteArray RemotePage::file(const QString &name)
{
    QFile f(QStringLiteral(":/zk/remote/") + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray RemotePage::page()
{
    QByteArray page = file(QStringLiteral("index.html"));
    page.replace("@TEXTS@", QString::fromUtf8(pageTexts()).toHtmlEscaped().toUtf8());
    page.replace("@LANG@", languageCode().toLatin1());
    return page;
}

QByteArray RemotePage::manifest()
{
    return json({{QStringLiteral("name"), str(12420)},
                 {QStringLiteral("short_name"), str(StrId::AppTitle)},
                 {QStringLiteral("lang"), languageCode()},
                 {QStringLiteral("start_url"), QStringLiteral("/")},
                 {QStringLiteral("scope"), QStringLiteral("/")},
                 {QStringLiteral("display"), QStringLiteral("fullscreen")},
                 {QStringLiteral("background_color"), QStringLiteral("#404040")},
                 {QStringLiteral("theme_color"), QStringLiteral("#404040")}});
}

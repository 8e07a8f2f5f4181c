// The file dialogs' filters: the string table's "description|patterns" form
// as Qt's dialogs take it, and which files each filter lets through.

#include "base/dialogs.h"
#include "tests/support/testmain.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {
// The files of `dir` a file dialog shows for one of its filters: the
// patterns in the filter's last parentheses, split at blanks, matched as
// wildcards against the whole name, as Qt's dialogs take them.
QStringList shownFiles(const QDir &dir, const QString &filter)
{
    const QRegularExpression patterns(QStringLiteral("^(.*)\\(([^()]*)\\)$"));
    const QRegularExpressionMatch m = patterns.match(filter);
    const QStringList wildcards = m.hasMatch() ? m.captured(2).split(u' ', Qt::SkipEmptyParts) : QStringList{filter};
    QStringList names = dir.entryList(wildcards, QDir::Files);
    names.sort();
    return names;
}
} // namespace

class TestDialogs : public QObject
{
    Q_OBJECT

private slots:
    void filtersAsTheDialogsTakeThem()
    {
        QCOMPARE(fileDialogFilter(QStringLiteral("ﾌｧｰﾑｳｪｱ(*.bin)|*.bin|全てのファイル(*.*)|*.*")),
                 QStringLiteral("ﾌｧｰﾑｳｪｱ (*.bin);;全てのファイル (*)"));
        // "*.*" beside other patterns still means every file, once.
        QCOMPARE(fileDialogFilter(QStringLiteral("全て|*.*;*")), QStringLiteral("全て (*)"));
    }

    void allFilesFilterShowsFilesWithoutAnExtension()
    {
        QTemporaryDir dir;
        for (const char *name : {"README", "image.bin", "data.rbf", "noextension"}) {
            QFile f(dir.filePath(QLatin1String(name)));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        const QStringList filters
            = fileDialogFilter(QStringLiteral("ﾌｧｰﾑｳｪｱ(*.bin)|*.bin|全てのファイル(*.*)|*.*")).split(QStringLiteral(";;"));
        QCOMPARE(filters.size(), 2);
        QCOMPARE(shownFiles(QDir(dir.path()), filters[0]), QStringList{"image.bin"});
        QCOMPARE(shownFiles(QDir(dir.path()), filters[1]),
                 (QStringList{"README", "data.rbf", "image.bin", "noextension"}));
    }
};

ZK_TEST_GUILESS_MAIN(TestDialogs)
#include "tst_dialogs.moc"

#pragma once

// Saves a picture of a window when ZKVR340A_SCREENSHOTS names a folder; the
// pictures under docs/screenshots are made this way.

#include <QDir>
#include <QWidget>

inline void saveScreenshot(QWidget &w, const QString &name)
{
    const QString dir = qEnvironmentVariable("ZKVR340A_SCREENSHOTS");
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    w.grab().save(QDir(dir).filePath(name + QStringLiteral(".png")));
}

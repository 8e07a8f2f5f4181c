#pragma once

// Saves a picture of a window when ZKVR340A_SCREENSHOTS names a folder; the
// pictures under docs/screenshots are made this way (scripts/screenshots.sh).
// The offscreen platform draws no window frame, so the picture gets a plain
// title bar with the window's caption: a reader sees which window it is.

#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QWidget>

inline void saveScreenshot(QWidget &w, const QString &name)
{
    const QString dir = qEnvironmentVariable("ZKVR340A_SCREENSHOTS");
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    QApplication::processEvents();
    const QPixmap client = w.grab();
    const QFontMetrics metrics(w.font());
    const int bar = metrics.height() + 10;
    QImage picture(client.width() + 2, client.height() + bar + 1, QImage::Format_RGB32);
    picture.fill(QColor(0x5a, 0x6b, 0x80));
    QPainter p(&picture);
    p.setFont(w.font());
    p.setPen(Qt::white);
    p.drawText(QRect(8, 0, client.width() - 8, bar), Qt::AlignVCenter | Qt::AlignLeft,
               metrics.elidedText(w.windowTitle(), Qt::ElideRight, client.width() - 16));
    p.drawPixmap(1, bar, client);
    p.end();
    picture.save(QDir(dir).filePath(name + QStringLiteral(".png")));
}

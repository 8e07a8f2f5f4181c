// What the panel paints beneath its buttons, without widgets: the image's
// drawn size, the surface's reach, the composed picture, images read from
// files, and the rules of the grid and image dialogs.

#include "base/dialogs.h"
#include "panel/backdropsettings.h"
#include "panel/panelbackdrop.h"
#include "tests/support/testmain.h"

#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

namespace {

const TwipScale Scale{20.0};   // 72 dots per inch: 20 twips a pixel

ImageSettings image(ImageStretchMode mode, qint32 a = 0, qint32 b = 0)
{
    ImageSettings s;
    s.ImageVisible = true;
    s.ImageStretch = qint16(mode);
    if (mode == ImageStretchMode::GivenSize) {
        s.ImageWidth = a;
        s.ImageHeight = b;
    } else if (mode == ImageStretchMode::GivenScale) {
        s.ImageXScale = a;
        s.ImageYScale = b;
    }
    return s;
}

// The toolkit reads GIF but does not write it: a GIF of one colour, its
// pixels written as plain LZW literals (a clear code before the code width
// would grow).
QByteArray gifOfOneColour(int width, int height, QRgb colour)
{
    QByteArray gif("GIF89a");
    auto word = [&gif](int v) { gif.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); };
    word(width);
    word(height);
    gif.append(char(0xF7)).append('\0').append('\0');   // 256-entry colour table
    for (int i = 0; i < 256; ++i)
        gif.append(char(qRed(colour))).append(char(qGreen(colour))).append(char(qBlue(colour)));
    gif.append(',');
    word(0);
    word(0);
    word(width);
    word(height);
    gif.append('\0').append(char(8));                    // no local table; 8-bit codes

    QByteArray data;
    quint32 bits = 0;
    int count = 0;
    auto code = [&](int c) {
        bits |= quint32(c) << count;
        for (count += 9; count >= 8; count -= 8, bits >>= 8)
            data.append(char(bits & 0xFF));
    };
    constexpr int Clear = 256, End = 257;
    for (int i = 0; i < width * height; ++i) {
        if (i % 250 == 0)
            code(Clear);
        code(0);
    }
    code(End);
    if (count > 0)
        data.append(char(bits & 0xFF));
    for (int i = 0; i < data.size(); i += 255) {
        const QByteArray block = data.mid(i, 255);
        gif.append(char(block.size())).append(block);
    }
    gif.append('\0').append(';');
    return gif;
}

} // namespace

class TstPanelBackdrop : public QObject
{
    Q_OBJECT

private slots:
    void drawnImageSize_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<QSize>("natural");
        QTest::addColumn<QSize>("drawn");
        const QSize n(400, 300);
        QTest::newRow("natural") << 0 << 0 << 0 << n << n;
        QTest::newRow("fit to the window") << 1 << 0 << 0 << n << QSize(700, 500);
        QTest::newRow("given size") << 2 << 640 << 480 << n << QSize(640, 480);
        QTest::newRow("given width 0") << 2 << 0 << 480 << n << QSize();
        QTest::newRow("scale 50 % x 200 %") << 3 << 50 << 200 << n << QSize(200, 600);
        QTest::newRow("scale rounds") << 3 << 33 << 1 << QSize(401, 250) << QSize(132, 3);
        QTest::newRow("no image") << 1 << 0 << 0 << QSize() << QSize();
    }
    void drawnImageSize()
    {
        QFETCH(int, mode);
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(QSize, natural);
        QFETCH(QSize, drawn);
        QCOMPARE(::drawnImageSize(image(ImageStretchMode(mode), a, b), natural, QSize(700, 500)), drawn);
    }

    void surfaceReachesImageFiguresAndClient()
    {
        PanelState p;
        const QSize client(700, 500);
        // Nothing on it: exactly the client area.
        PanelLayout l = layoutPanel(p, QSize(), client, QSize(), Scale, false);
        QCOMPARE(QSize(l.surfaceWidth, l.surfaceHeight), QSize(14000, 10000));
        QCOMPARE(l.surfacePixels, client);

        // A rectangle ending at x = 30000 makes the surface 30000 twips wide.
        p.count(FigureKind::Rect) = 1;
        p.list(FigureKind::Rect)[0] = Figure{1000, 1000, 30000, 2000};
        l = layoutPanel(p, QSize(), client, QSize(), Scale, false);
        QCOMPARE(l.surfaceWidth, 30000);
        QCOMPARE(l.surfaceHeight, 10000);
        QCOMPARE(l.surfacePixels.width(), 1500);

        // A tall drawn image reaches further down; a hidden one does not.
        p.image = image(ImageStretchMode::GivenScale, 50, 200);
        l = layoutPanel(p, QSize(400, 300), client, QSize(), Scale, false);
        QCOMPARE(l.drawnImage, QSize(200, 600));
        QCOMPARE(l.surfaceHeight, 12000);
        p.image.ImageVisible = false;
        QCOMPARE(layoutPanel(p, QSize(400, 300), client, QSize(), Scale, false).surfaceHeight, 10000);

        // Whatever a file says, the surface stays within reason.
        p.list(FigureKind::Rect)[0].EndX = std::numeric_limits<qint32>::max();
        QCOMPARE(layoutPanel(p, QSize(), client, QSize(), Scale, false).surfacePixels.width(), MaxSurfacePixels);
    }

    void pictureIsComposedInOrder()
    {
        PanelState p;
        p.GUIWindowColor = 0x00FFFF;   // yellow (0x00BBGGRR)
        p.GridOnOff = true;
        p.GridInterval = 1000;         // every 50 pixels
        p.GridColor = 0x0000FF;        // red
        p.image = image(ImageStretchMode::GivenScale, 50, 200);
        p.count(FigureKind::Rect) = 1;
        p.FigureNum = 1;
        p.list(FigureKind::Rect)[0] = Figure{6000, 1000, 8000, 3000, 0xFF0000, 1, 0, 0, 1};
        QImage photo(400, 300, QImage::Format_RGB32);
        photo.fill(Qt::green);

        const QSize client(500, 700);
        const PanelLayout l = layoutPanel(p, photo.size(), client, QSize(), Scale, true);
        QImage out(l.surfacePixels, QImage::Format_RGB32);
        {
            QPainter painter(&out);
            paintPanel(painter, out.rect(), p, l, photo, Scale);
        }
        QCOMPARE(out.pixelColor(120, 580), QColor(Qt::green));      // image, 200 x 600
        QCOMPARE(out.pixelColor(220, 30), QColor(Qt::yellow));      // beyond it, window colour
        QCOMPARE(out.pixelColor(250, 30), QColor(Qt::red));         // grid line over it
        QCOMPARE(out.pixelColor(50, 120), QColor(Qt::red));         // grid over the image too
        QCOMPARE(out.pixelColor(300, 100), QColor(Qt::blue));       // the rectangle's outline
        QCOMPARE(out.pixelColor(350, 50), QColor(Qt::blue));        // on top of the grid

        // Selected, it shows its handles in black.
        p.runtime.selectedKind = FigureKind::Rect;
        p.runtime.selectedIndex = 0;
        {
            QPainter painter(&out);
            paintPanel(painter, out.rect(), p, l, photo, Scale);
        }
        QCOMPARE(out.pixelColor(301, 51), QColor(Qt::black));
        QCOMPARE(out.pixelColor(401, 101), QColor(Qt::black));      // middle of the right edge

        // An image drawn 0 wide paints nothing; the rest is composed as usual.
        p.image = image(ImageStretchMode::GivenSize, 0, 300);
        const PanelLayout none = layoutPanel(p, photo.size(), client, QSize(), Scale, true);
        {
            QPainter painter(&out);
            paintPanel(painter, out.rect(), p, none, photo, Scale);
        }
        QCOMPARE(out.pixelColor(120, 580), QColor(Qt::yellow));
        QCOMPARE(out.pixelColor(320, 150), QColor(Qt::blue));
    }

    void imagesAreReadFromFiles()
    {
        QTemporaryDir dir;
        QImage made(64, 48, QImage::Format_RGB32);
        made.fill(QColor(10, 120, 200));
        QFile gif(dir.filePath("back.gif"));
        QVERIFY(gif.open(QIODevice::WriteOnly));
        gif.write(gifOfOneColour(64, 48, made.pixel(0, 0)));
        gif.close();
        for (const char *format : {"bmp", "jpg", "gif"}) {
            const QString path = dir.filePath(QStringLiteral("back.") + QLatin1String(format));
            QVERIFY(QLatin1String(format) == QLatin1String("gif") || made.save(path, format));
            const QImage read = loadPanelImage(path);
            QCOMPARE(read.size(), QSize(64, 48));
            QVERIFY(qAbs(QColor(read.pixel(40, 30)).blue() - 200) < 8);
        }
        // The content decides, not the name; a file that is no image, or is
        // missing, gives nothing.
        QVERIFY(QFile::rename(dir.filePath("back.gif"), dir.filePath("renamed.jpg")));
        QCOMPARE(loadPanelImage(dir.filePath("renamed.jpg")).size(), QSize(64, 48));
        QFile junk(dir.filePath("junk.bmp"));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("not a picture");
        junk.close();
        QVERIFY(loadPanelImage(junk.fileName()).isNull());
        QVERIFY(loadPanelImage(dir.filePath("missing.jpg")).isNull());
    }

    // The move timer's countdown: each tick one redraw, the scroll back to
    // the origin only after the last redraw and only when it was asked for.
    void redrawCountdown()
    {
        PanelRuntime::Redraws owed{2, true};
        RedrawTick t = redrawTick(owed);
        QVERIFY(t.redraw && !t.scrollToOrigin);
        t = redrawTick(owed);
        QVERIFY(t.redraw && t.scrollToOrigin);
        t = redrawTick(owed);
        QVERIFY(!t.redraw && !t.scrollToOrigin);
        owed = {1, false};
        t = redrawTick(owed);
        QVERIFY(t.redraw && !t.scrollToOrigin);
        QCOMPARE(owed.left, 0);
    }

    void gridInterval_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("interval");   // 0: refused
        QTest::newRow("1") << "1" << 1;
        QTest::newRow("99999") << "99999" << 99999;
        QTest::newRow("0") << "0" << 0;
        QTest::newRow("100000") << "100000" << 0;
        QTest::newRow("rounded") << " 12.6 " << 13;
        QTest::newRow("rounded below 1") << "0.4" << 0;
        QTest::newRow("letters") << "1a" << 0;
        QTest::newRow("empty") << "" << 0;
    }
    void gridInterval()
    {
        QFETCH(QString, typed);
        QFETCH(int, interval);
        QCOMPARE(int(gridIntervalFromText(typed).value_or(0)), interval);
    }

    void imageDialogNumbersAndFilter()
    {
        QCOMPARE(digitsOnly(QStringLiteral("1a2 b３-4")), QStringLiteral("124"));
        QCOMPARE(numberBoxValue(QString()), 0);
        QCOMPARE(numberBoxValue(QStringLiteral("00250")), 250);
        QCOMPARE(numberBoxValue(QStringLiteral("99999999999")), std::numeric_limits<qint32>::max());

        QCOMPARE(fileDialogFilter(QStringLiteral("画像ファイル(*.bmp;*.gif)|*.bmp;*.gif|全て(*.*)|*.*")),
                 QStringLiteral("画像ファイル (*.bmp *.gif);;全て (*)"));
    }
};

ZK_TEST_MAIN(TstPanelBackdrop)
#include "tst_panelbackdrop.moc"

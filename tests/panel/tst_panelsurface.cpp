// The panel window's surface offscreen: figures drawn and edited with the
// pointer, their menu and property dialog, the grid and its dialog, the
// background image and its dialog, the window colour, and scrolling.

#include "panelrig.h"

#include "base/strings.h"
#include "panel/ui/frmfigureproperty.h"
#include "panel/ui/frmgridproperty.h"
#include "panel/ui/frmimagesetting.h"
#include "panel/ui/panelsurface.h"
#include "tests/support/screenshot.h"
#include "tests/support/testmain.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

namespace {

// At 72 dots per inch a pixel is 20 twips.
constexpr int Tpp = 20;

void drag(QWidget *w, QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton)
{
    mouse(w, QEvent::MouseButtonPress, from, button);
    mouse(w, QEvent::MouseMove, (from + to) / 2, Qt::NoButton);
    mouse(w, QEvent::MouseMove, to, Qt::NoButton);
    mouse(w, QEvent::MouseButtonRelease, to, button);
}

QColor pixel(FrmMdi *w, QPoint at)
{
    return w->surface()->grab(QRect(at, QSize(1, 1))).toImage().pixelColor(0, 0);
}

QAction *menuItem(FrmMdi *w, const char *name)
{
    return w->figureMenu() ? w->figureMenu()->findChild<QAction *>(QLatin1String(name)) : nullptr;
}

QString saveImage(const QTemporaryDir &dir, const char *name, QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = dir.filePath(QLatin1String(name));
    image.save(path);
    return path;
}

} // namespace

class TstPanelSurface : public QObject
{
    Q_OBJECT

private slots:
    void figuresAreDrawnAndEditedWithThePointer()
    {
        PanelRig rig(0, LinkKind::Offline);
        FrmMdi *w = rig.open();
        QAction *rect = w->action(PanelCommand::Rect);
        rect->trigger();
        QVERIFY(rect->isChecked());

        // Bottom-right to top-left: stored from the top-left corner; the
        // release disarms the command.
        drag(w->surface(), {200, 150}, {50, 50});
        const Figure &f = rig.panel.list(FigureKind::Rect)[0];
        QCOMPARE(QRect(QPoint(f.StartX, f.StartY), QPoint(f.EndX, f.EndY)),
                 QRect(QPoint(50 * Tpp, 50 * Tpp), QPoint(200 * Tpp, 150 * Tpp)));
        QVERIFY(!rect->isChecked());
        QCOMPARE(pixel(w, {50, 100}), QColor(Qt::black));

        // Selected by a press, it shows its handles; the bottom-right one
        // resizes with the diagonal pointer.
        click(w->surface(), {120, 100});
        QCOMPARE(w->figures().selected()->kind, FigureKind::Rect);
        mouse(w->surface(), QEvent::MouseMove, {200, 150}, Qt::NoButton);
        mouse(w->surface(), QEvent::MouseButtonPress, {200, 150}, Qt::LeftButton);
        mouse(w->surface(), QEvent::MouseMove, {220, 160}, Qt::NoButton);
        QCOMPARE(w->surface()->cursor().shape(), Qt::SizeFDiagCursor);
        mouse(w->surface(), QEvent::MouseButtonRelease, {230, 170}, Qt::LeftButton);
        QCOMPARE(QPoint(f.EndX, f.EndY), QPoint(230 * Tpp, 170 * Tpp));
        QCOMPARE(w->surface()->cursor().shape(), Qt::SizeFDiagCursor);   // still over the handle

        // The figure menu: properties refuse a width of 1000 and take 5 as a
        // solid pen.
        click(w->surface(), {120, 100}, Qt::RightButton);
        QVERIFY(w->figureMenu());
        menuItem(w, "mnuFigureProperty")->trigger();
        FrmFigureProperty *dlg = w->figureDialog();
        QVERIFY(dlg);
        dlg->icbFigureStyle()->setCurrentIndex(int(PenStyle::Dash));
        emit dlg->icbFigureStyle()->activated(int(PenStyle::Dash));
        dlg->txtFigureWidth()->setText("1000");
        emit dlg->txtFigureWidth()->editingFinished();
        QCOMPARE(rig.dialogs().texts(), QStringList{str(StrId::InvalidData)});
        QCOMPARE(dlg->txtFigureWidth()->text(), QStringLiteral("1"));
        dlg->txtFigureWidth()->setText("5");
        emit dlg->txtFigureWidth()->editingFinished();
        QCOMPARE(dlg->icbFigureStyle()->currentIndex(), int(PenStyle::Solid));
        rig.dialogs().colors = {QColor(Qt::red)};
        dlg->cmdFigureColor()->click();
        dlg->cmdOK()->click();
        QCOMPARE(f.Width, qint16(5));
        QCOMPARE(f.Style, qint16(PenStyle::Solid));
        QCOMPARE(f.Color, 0x0000FF);

        // Ten rectangles disable the command; deleting one from its menu
        // gives it back.
        for (int i = 1; i < 10; ++i) {
            rect->trigger();
            drag(w->surface(), {300 + 10 * i, 20}, {320 + 10 * i, 40});
        }
        QCOMPARE(rig.panel.count(FigureKind::Rect), qint16(10));
        QVERIFY(!rect->isEnabled());
        click(w->surface(), {391, 30}, Qt::RightButton);
        menuItem(w, "mnuFigureDelete")->trigger();
        QCOMPARE(rig.panel.count(FigureKind::Rect), qint16(9));
        QVERIFY(rect->isEnabled());

        // A rectangle ending at x = 30000 twips widens the surface so the view
        // can scroll to it.
        rect->trigger();
        drag(w->surface(), {600, 300}, {1500, 320});
        QCOMPARE(w->surface()->width(), 30000 / Tpp);
        auto *scroll = w->findChild<QScrollArea *>(QStringLiteral("MDIClient"));
        QVERIFY(scroll->horizontalScrollBar()->maximum() > 0);
        w->setScrollOffset(Qt::Horizontal, 1000000);
        QCOMPARE(w->scrollOffset(Qt::Horizontal), scroll->horizontalScrollBar()->maximum());

        // An armed mode that a redraw for another reason ends leaves no
        // empty figure behind.
        w->action(PanelCommand::Circle)->trigger();
        w->action(PanelCommand::Grid)->trigger();
        QCOMPARE(rig.panel.count(FigureKind::Circle), qint16(0));
        QVERIFY(!w->action(PanelCommand::Circle)->isChecked());

        // 図形全消去 asks; Cancel keeps, OK clears every list.
        rig.dialogs().answers = {MsgAnswer::Cancel, MsgAnswer::Ok};
        w->action(PanelCommand::Clear)->trigger();
        QCOMPARE(rig.panel.FigureNum, qint16(10));
        w->action(PanelCommand::Clear)->trigger();
        QCOMPARE(rig.dialogs().texts().last(), QStringLiteral("図形を全消去します\r\nよろしいですか？"));
        QCOMPARE(rig.dialogs().shown.back().icon, MsgIcon::Warning);
        QCOMPARE(rig.panel.FigureNum, qint16(0));
        QCOMPARE(rig.panel.count(FigureKind::Rect), qint16(0));
        QCOMPARE(w->surface()->width(), scroll->viewport()->width());
    }

    void gridCommandsAndDialog()
    {
        PanelRig rig(0, LinkKind::Offline);
        FrmMdi *w = rig.open();
        QAction *grid = w->action(PanelCommand::Grid);
        grid->trigger();
        QVERIFY(rig.panel.GridOnOff && grid->isChecked());
        QCOMPARE(pixel(w, {50, 20}), colorFromValue(0xBFBFBF));   // every 1000 twips

        w->action(PanelCommand::GridPro)->trigger();
        FrmGridProperty *dlg = w->gridDialog();
        QVERIFY(dlg);
        QVERIFY(!w->action(PanelCommand::GridPro)->isEnabled());
        // 0 and 100000 are refused with the interval put back; 1 is taken.
        for (const char *bad : {"0", "100000"}) {
            dlg->txtGridInterval()->setText(QLatin1String(bad));
            dlg->cmdOK()->click();
            QCOMPARE(dlg->txtGridInterval()->text(), QStringLiteral("1000"));
        }
        QCOMPARE(rig.dialogs().texts(), QStringList(2, str(StrId::InvalidData)));
        QCOMPARE(rig.dialogs().shown.back().icon, MsgIcon::Error);
        // Enter checks the spacing as well, and closes only on a valid one.
        dlg->txtGridInterval()->setText("0");
        QTest::keyClick(dlg->txtGridInterval(), Qt::Key_Return);
        QCOMPARE(rig.dialogs().texts(), QStringList(3, str(StrId::InvalidData)));
        QVERIFY(w->gridDialog());
        QCOMPARE(dlg->txtGridInterval()->text(), QStringLiteral("1000"));
        dlg->txtGridInterval()->setText(" 1 ");
        emit dlg->txtGridInterval()->editingFinished();
        QCOMPARE(dlg->txtGridInterval()->text(), QStringLiteral("1"));
        rig.dialogs().colors = {QColor(Qt::blue)};
        dlg->cmdGridColor()->click();
        QTest::keyClick(dlg->txtGridInterval(), Qt::Key_Return);
        QCOMPARE(rig.panel.GridInterval, 1);
        QCOMPARE(rig.panel.GridColor, 0xFF0000);
        QTRY_VERIFY(!w->gridDialog());
        QVERIFY(w->action(PanelCommand::GridPro)->isEnabled());
        QCOMPARE(pixel(w, {33, 7}), QColor(Qt::blue));   // a line in every pixel

        // Off and on again: spacing and colour stay.
        grid->trigger();
        QVERIFY(!rig.panel.GridOnOff && !grid->isChecked());
        QCOMPARE(pixel(w, {33, 7}), colorFromValue(0xB5FFFF));
        grid->trigger();
        QCOMPARE(rig.panel.GridInterval, 1);
        QCOMPARE(rig.panel.GridColor, 0xFF0000);

        // Not drawn in the execution state, where its commands are off.
        w->action(PanelCommand::Execution)->trigger();
        QCOMPARE(pixel(w, {33, 7}), colorFromValue(0xB5FFFF));
        QVERIFY(rig.panel.GridOnOff);

        // The window colour.
        rig.dialogs().colors = {QColor(0x10, 0x20, 0x30)};
        w->action(PanelCommand::Color)->trigger();
        QCOMPARE(rig.panel.GUIWindowColor, 0x302010);
        QCOMPARE(pixel(w, {33, 7}), QColor(0x10, 0x20, 0x30));
    }

    void backgroundImageDialogAndSizes()
    {
        QTemporaryDir dir;
        const QString bmp = saveImage(dir, "hall.bmp", {400, 300}, Qt::green);
        const QString jpg = saveImage(dir, "hall.jpg", {64, 48}, Qt::blue);
        PanelRig rig(0, LinkKind::Offline);
        FrmMdi *w = rig.open();
        w->action(PanelCommand::Image)->trigger();
        FrmImageSetting *dlg = w->imageDialog();
        QVERIFY(dlg);
        // Nothing but the check box is offered while it is off.
        QVERIFY(!dlg->ImageFile()->isEnabled() && !dlg->ImageOption(0)->isEnabled());
        dlg->ImageShow()->click();
        QVERIFY(dlg->ImageFile()->isEnabled() && dlg->BrowseButton()->isEnabled());
        QVERIFY(!dlg->ImageSize(0)->isEnabled() && !dlg->ImageSize(2)->isEnabled());
        dlg->ImageOption(3)->click();
        QVERIFY(!dlg->ImageSize(0)->isEnabled() && dlg->ImageSize(2)->isEnabled());

        // Letters typed or pasted into a number box leave its digits.
        QTest::keyClicks(dlg->ImageSize(2), "5x0");
        QCOMPARE(dlg->ImageSize(2)->text(), QStringLiteral("10050"));
        dlg->ImageSize(2)->setText("5a0%");
        QCOMPARE(dlg->ImageSize(2)->text(), QStringLiteral("50"));
        dlg->ImageSize(3)->setText("200");

        // The browse dialog: cancelled, the name stays; chosen, it is taken.
        dlg->ImageFile()->setText("before.bmp");
        dlg->BrowseButton()->click();
        QCOMPARE(dlg->ImageFile()->text(), QStringLiteral("before.bmp"));
        QCOMPARE(rig.dialogs().fileRequests.last(), QStringLiteral("背景画像を選択してください"));
        rig.dialogs().fileNames = {bmp};
        dlg->BrowseButton()->click();
        QCOMPARE(dlg->ImageFile()->text(), bmp);

        // A path the settings file cannot store is refused.
        dlg->ImageFile()->setText(dir.filePath("café.bmp"));
        dlg->OkButton()->click();
        QVERIFY(rig.dialogs().texts().last().contains(u'é'));
        QVERIFY(w->imageDialog());
        dlg->ImageFile()->setText(bmp);

        // OK: scales 50 and 200 % on 400 x 300 draw 200 x 600 at the top
        // left; after the two redraws the view is back at its origin.
        dlg->OkButton()->click();
        QTRY_VERIFY(!w->imageDialog());
        QCOMPARE(rig.panel.image.ImageXScale, 50);
        QCOMPARE(rig.panel.image.ImageStretch, qint16(ImageStretchMode::GivenScale));
        w->moveTick();
        w->setScrollOffset(Qt::Vertical, 50);
        QCOMPARE(w->scrollOffset(Qt::Vertical), 50);
        w->moveTick();
        QCOMPARE(w->surface()->picture().drawnImage, QSize(200, 600));
        QCOMPARE(w->scrollOffset(Qt::Vertical), 0);
        QCOMPARE(pixel(w, {199, 599}), QColor(Qt::green));
        QCOMPARE(pixel(w, {201, 10}), colorFromValue(0xB5FFFF));

        // Fitted to the window, the image follows a resize.
        rig.panel.image.ImageStretch = qint16(ImageStretchMode::FitWindow);
        rig.panel.image.ImageFileName = jpg;
        w->action(PanelCommand::Image)->trigger();
        w->imageDialog()->OkButton()->click();
        w->moveTick();
        w->moveTick();
        auto *scroll = w->findChild<QScrollArea *>(QStringLiteral("MDIClient"));
        QCOMPARE(w->surface()->picture().drawnImage, scroll->viewport()->size());
        w->resize(640, 400);
        w->moveTick();
        w->moveTick();
        QCOMPARE(w->surface()->picture().drawnImage, scroll->viewport()->size());
        QVERIFY(pixel(w, {scroll->viewport()->width() - 3, 3}).blue() > 240);

        // A file that cannot be read shows nothing, says so once, and keeps
        // the settings.
        rig.dialogs().shown.clear();
        w->action(PanelCommand::Image)->trigger();
        w->imageDialog()->ImageFile()->setText(dir.filePath("gone.jpg"));
        w->imageDialog()->OkButton()->click();
        w->moveTick();
        w->moveTick();
        QCOMPARE(rig.dialogs().texts(), QStringList{QStringLiteral("背景画像を読み込めません：") + dir.filePath("gone.jpg")});
        QVERIFY(w->surface()->picture().drawnImage.isEmpty());
        QCOMPARE(pixel(w, {10, 10}), colorFromValue(0xB5FFFF));
        QCOMPARE(rig.panel.image.ImageFileName, dir.filePath("gone.jpg"));
        QVERIFY(rig.panel.image.ImageVisible);

        // Cancel changes nothing.
        w->action(PanelCommand::Image)->trigger();
        w->imageDialog()->ImageShow()->click();
        w->imageDialog()->CancelButton()->click();
        QVERIFY(rig.panel.image.ImageVisible);

        // Clearing the settings takes the image away; loading a file shows
        // the file's image.
        rig.panel.image.ImageFileName = bmp;
        rig.panel.image.ImageStretch = qint16(ImageStretchMode::Natural);
        const QString ini = dir.filePath("room.ini");
        rig.dialogs().fileNames = {ini};
        w->action(PanelCommand::NewSave)->trigger();
        w->action(PanelCommand::Init)->trigger();
        QVERIFY(w->surface()->picture().drawnImage.isEmpty());
        rig.dialogs().fileNames = {ini};
        w->action(PanelCommand::Load)->trigger();
        QCOMPARE(w->surface()->picture().drawnImage, QSize(400, 300));
        QCOMPARE(pixel(w, {10, 10}), QColor(Qt::green));
    }
};

// The pictures of these windows in docs/screenshots, taken by
// scripts/screenshots.sh; no test.
class TstPanelSurfacePictures : public QObject
{
    Q_OBJECT

private slots:
    void screenshots()
    {
        QTemporaryDir dir;
        // A soft two-tone floor plan as the background image.
        QImage plan(520, 300, QImage::Format_RGB32);
        plan.fill(QColor(0xf4, 0xef, 0xe4));
        {
            QPainter p(&plan);
            p.setRenderHint(QPainter::Antialiasing);
            p.setBrush(QColor(0xd9, 0xc9, 0xa8));
            p.setPen(Qt::NoPen);
            p.drawRoundedRect(QRectF(140, 70, 240, 150), 60, 60);
            p.setBrush(QColor(0xc2, 0xd6, 0xe8));
            p.drawRect(QRectF(0, 260, 520, 40));
        }
        const QString path = dir.filePath("plan.jpg");
        plan.save(path);

        PanelRig rig(2);
        rig.preset({{{0, 0}, 3600, 1500, "議長", 1500, 900},
                    {{0, 1}, 1500, 2700, "委員 1", 1500, 900},
                    {{0, 2}, 5700, 2700, "委員 2", 1500, 900},
                    {{0, 8}, 9000, 300, "マスター", 1500, 1500}},
                   2);
        FrmMdi *w = rig.open(96);
        w->resize(820, 460);
        rig.panel.image = {true, path, qint16(ImageStretchMode::Natural), 0, 0, 100, 100};
        w->action(PanelCommand::Image)->trigger();
        w->imageDialog()->OkButton()->click();
        w->moveTick();
        w->moveTick();
        w->action(PanelCommand::Grid)->trigger();
        auto draw = [w](PanelCommand c, QPoint from, QPoint to) {
            w->action(c)->trigger();
            drag(w->surface(), from, to);
        };
        draw(PanelCommand::Rect, {40, 40}, {500, 300});
        draw(PanelCommand::Circle, {560, 40}, {740, 170});
        draw(PanelCommand::Line, {560, 200}, {740, 200});
        draw(PanelCommand::Arc, {560, 230}, {740, 380});
        rig.panel.list(FigureKind::Rect)[0].Color = 0x804020;
        rig.panel.list(FigureKind::Rect)[0].Width = 3;
        rig.panel.list(FigureKind::Circle)[0].Color = 0x2060C0;
        rig.panel.list(FigureKind::Line)[0].Style = qint16(PenStyle::Dash);
        rig.panel.list(FigureKind::Line)[0].Width = 1;
        rig.panel.list(FigureKind::Arc)[0].Color = 0x208040;
        click(w->surface(), {650, 100});
        w->RedrawPanel();
        saveScreenshot(*w, "frmMDI_figures");

        click(w->surface(), {650, 100}, Qt::RightButton);
        QMenu *menu = w->figureMenu();
        menu->findChild<QAction *>(QStringLiteral("mnuFigureProperty"))->trigger();
        saveScreenshot(*w->figureDialog(), "frmFigureProperty");
        w->figureDialog()->close();

        w->action(PanelCommand::GridPro)->trigger();
        saveScreenshot(*w->gridDialog(), "frmGridProperty");
        w->gridDialog()->close();
        w->action(PanelCommand::Image)->trigger();
        saveScreenshot(*w->imageDialog(), "FrmImageSetting");
        w->imageDialog()->close();
    }
};

ZK_TEST_MAIN(TstPanelSurface)
ZK_PICTURES(TstPanelSurfacePictures)
#include "tst_panelsurface.moc"

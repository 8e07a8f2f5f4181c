// Printing a window through the dialog seam onto a PDF page, read back the
// way a person would look at it: pdftoppm renders the page to a PNG.

#include "base/strings.h"
#include "base/ui/qttranslation.h"
#include "base/ui/widgetdialogs.h"
#include "print/ui/mdlprint.h"
#include "tests/editor/editorrig.h"
#include "tests/support/screenshot.h"
#include "tests/support/testmain.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

namespace {

// A4 portrait with 10 mm margins: 538.6 x 785.2 points printable.
constexpr double MarginMm = 10.0;

std::function<PrintAnswer(QPrinter &)> toPdf(const QString &path)
{
    return [path](QPrinter &printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageOrientation(QPageLayout::Portrait);
        printer.setPageMargins(QMarginsF(MarginMm, MarginMm, MarginMm, MarginMm),
                               QPageLayout::Millimeter);
        return PrintAnswer::Print;
    };
}

QString run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

// The page at 72 dpi (one pixel a point).
QImage renderPage(const QString &pdf)
{
    const QString prefix = pdf + QStringLiteral("-page");
    run(QStringLiteral("pdftoppm"), {"-r", "72", "-png", "-singlefile", pdf, prefix});
    return QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

// The smallest rectangle holding every pixel that is not paper white.
QRect inked(const QImage &page)
{
    QRect box;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < 250)
                box |= QRect(x, y, 1, 1);
    return box;
}

// Mean difference (0..255) between two pictures of the same size, grey levels.
double meanDifference(const QImage &a, const QImage &b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            sum += std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y)));
    return sum / (double(a.width()) * a.height());
}

// The picture of a `window`-sized window on the rendered A4 page: as large as
// the printable area allows with its shape kept, centred on it (to a point
// or two of rounding).
bool fittedAndCentred(const QRect &box, const QSizeF &window)
{
    const double margin = MarginMm / 25.4 * 72;
    const QSizeF printable(595 - 2 * margin, 842 - 2 * margin);
    const QSizeF expected = window.scaled(printable, Qt::KeepAspectRatio);
    const QPointF centre(595 / 2.0, 842 / 2.0);
    const bool ok = std::abs(box.width() - expected.width()) <= 2
                    && std::abs(box.height() - expected.height()) <= 2
                    && std::abs(box.left() + box.width() / 2.0 - centre.x()) <= 1.5
                    && std::abs(box.top() + box.height() / 2.0 - centre.y()) <= 1.5;
    if (!ok)
        qWarning() << "picture" << box << "expected" << expected << "centred on" << centre;
    return ok;
}

} // namespace

class TestPrintForm : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(!QStandardPaths::findExecutable("pdftoppm").isEmpty(),
                 "pdftoppm (poppler-utils, installed by scripts/setup.sh) reads the pages back");
        installQtJapanese(*qApp); // the print dialog as the program shows it
    }

    // The master's editor window, partly off the screen, lands on the page
    // scaled by the width and centred top to bottom, and the page shows it.
    void editorWindowPrintsToAPdfPage()
    {
        EditorRig rig;
        FrmMixer w(rig.context(), 1, false);
        w.resize(w.sizeHint()); // all of it shown, as on a screen with the room
        w.show();
        rig.settle(w, 2);
        QVERIFY(w.width() > w.height());
        const QRect screen = w.screen()->availableGeometry();
        w.move(screen.left() - w.width() / 3, screen.top() - 40);
        QTemporaryDir dir;
        const QString pdf = dir.filePath("master.pdf");
        rig.dialogs.printAnswers.push_back(toPdf(pdf));

        QCOMPARE(printWindow(&w, rig.dialogs, nullptr), PrintStatus::Printed);
        QVERIFY2(rig.dialogs.shown.empty(), qPrintable(rig.dialogs.texts().join(" / ")));
        // Moved on screen; a window wider than the screen starts at its left edge.
        const QRect after = w.frameGeometry();
        QVERIFY(screen.contains(after.topLeft()));
        QVERIFY(after.width() > screen.width() || screen.contains(after));

        const QString info = run("pdfinfo", {pdf});
        QVERIFY2(info.contains(QRegularExpression("Pages:\\s+1\\n")), qPrintable(info));
        QVERIFY2(info.contains(QRegularExpression("Title:\\s+マスター\\n")), qPrintable(info));
        const QImage page = renderPage(pdf);
        QCOMPARE(page.size(), QSize(595, 842));
        const QRect box = inked(page);
        QVERIFY(fittedAndCentred(box, w.size()));

        const QImage window = w.grab().toImage().scaled(box.size(), Qt::IgnoreAspectRatio,
                                                        Qt::SmoothTransformation);
        const double difference = meanDifference(page.copy(box), window.convertToFormat(QImage::Format_RGB32));
        QVERIFY2(difference < 12, qPrintable(QString::number(difference)));
        if (!qEnvironmentVariableIsEmpty("ZKVR340A_SCREENSHOTS"))
            page.save(QDir(qEnvironmentVariable("ZKVR340A_SCREENSHOTS")).filePath("print_page.png"));
    }

    // A window taller than the page's shape is scaled by the height and
    // centred left to right. A window never shown takes its size from its
    // layout as it is captured; it is printed in that size and stays hidden.
    void tallHiddenWindowScalesByHeight()
    {
        QWidget w;
        w.setWindowTitle("tall");
        auto *layout = new QVBoxLayout(&w);
        layout->setContentsMargins(0, 0, 0, 0);
        auto *content = new QWidget;
        content->setFixedSize(200, 700);
        layout->addWidget(content);
        w.setAutoFillBackground(true);
        QPalette p = w.palette();
        p.setColor(QPalette::Window, QColor(0, 0, 160));
        w.setPalette(p);
        ScriptedDialogs dialogs;
        QTemporaryDir dir;
        const QString pdf = dir.filePath("tall.pdf");
        dialogs.printAnswers.push_back(toPdf(pdf));

        QCOMPARE(printWindow(&w, dialogs, nullptr), PrintStatus::Printed);
        QVERIFY(!w.isVisible());
        QVERIFY(fittedAndCentred(inked(renderPage(pdf)), QSizeF(200, 700)));
    }

    // What the user is told for each way a print run can end; nothing is
    // written unless the page was printed.
    void statusesAndTheirMessages_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        QTest::newRow("dialog cancelled: nothing shown") << "cancel" << int(PrintStatus::Cancelled) << "";
        QTest::newRow("no printer") << "no printer" << int(PrintStatus::NoPrinter)
                                    << "利用できるプリンタがありません";
        QTest::newRow("file cannot be written") << "unwritable" << int(PrintStatus::Failed)
                                                << "印刷に失敗しました";
        QTest::newRow("window closed under the dialog") << "closed" << int(PrintStatus::Failed)
                                                        << "印刷に失敗しました";
    }
    void statusesAndTheirMessages()
    {
        QFETCH(QString, how);
        QFETCH(int, status);
        QFETCH(QString, message);
        auto *w = new QWidget;
        w->resize(300, 200);
        w->show();
        QPointer<QWidget> alive(w);
        ScriptedDialogs dialogs;
        QTemporaryDir dir;
        const QString pdf = dir.filePath(how == "unwritable" ? "missing/folder/page.pdf" : "page.pdf");
        dialogs.printAnswers.push_back([&](QPrinter &printer) {
            toPdf(pdf)(printer);
            if (how == "cancel")
                return PrintAnswer::Cancel;
            if (how == "no printer")
                return PrintAnswer::NoPrinter;
            if (how == "closed")
                delete w; // as the dialog's own event loop does after a close
            return PrintAnswer::Print;
        });
        QCOMPARE(int(printWindow(w, dialogs, nullptr)), status);
        QCOMPARE(dialogs.printRequests, 1);
        QCOMPARE(dialogs.texts(), message.isEmpty() ? QStringList() : QStringList{message});
        if (!message.isEmpty())
            QCOMPARE(dialogs.shown.front().title, str(4300));
        QVERIFY(!QFile::exists(pdf));
        delete alive.data();
    }

    // With no printer installed the real dialog opens on a PDF file named
    // after the window; accepting it prints the page there.
    void realDialogWithoutPrinterOffersAPdfFile()
    {
        if (!QPrinterInfo::availablePrinters().isEmpty())
            QSKIP("this machine has a printer installed");
        QTemporaryDir home;
        const QByteArray oldHome = qgetenv("HOME");
        qputenv("HOME", home.path().toLocal8Bit());
        QWidget w;
        w.setWindowTitle("スレーブ3");
        w.resize(400, 300);
        w.show();
        WidgetDialogs dialogs;
        QString offered;
        QTimer::singleShot(0, [&] {
            auto *dlg = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
            if (!dlg)
                return;
            offered = dlg->printer()->outputFileName();
            saveScreenshot(*dlg, "print_dialog");
            dlg->accept();
        });
        const PrintStatus status = printWindow(&w, dialogs, nullptr);
        qputenv("HOME", oldHome);
        QCOMPARE(status, PrintStatus::Printed);
        QCOMPARE(offered, QDir(home.path()).filePath("スレーブ3.pdf"));
        QVERIFY(QFileInfo(offered).size() > 0);
    }
};

ZK_TEST_MAIN(TestPrintForm)
#include "tst_printform.moc"

#include "widgetdialogs.h"

#include "base/strings.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPointer>
#include <QPushButton>
#include <QStandardPaths>

namespace {
QWidget *owner()
{
    // A box belongs to the dialog that holds the user's input (the one it
    // asks for), else to the active window.
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

// Runs a box made on the heap as a child of its window. The window may go
// while the box is up (closed for the program's end, say); the box goes with
// it, never twice, and the answer is then a cancel (nothing).
template <typename Box, typename Answer>
auto runBox(Box *made, Answer answer) -> decltype(answer(*made, 0))
{
    const QPointer<Box> box(made);
    const int code = box->exec();
    if (!box)
        return {};
    auto result = answer(*box, code);
    delete box.data();
    return result;
}

// Qt's own print dialog always lists "Print to File (PDF)" beside the
// installed printers; the Windows system dialog has nothing to offer without a
// printer.
#ifdef Q_OS_WIN
constexpr bool DialogPrintsToFile = false;
#else
constexpr bool DialogPrintsToFile = true;
#endif

// Where the PDF goes unless the user picks another file: the documents
// folder, named after the document (the window's caption).
QString suggestedPdf(const QPrinter &printer)
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (dir.isEmpty() || !QDir(dir).exists())
        dir = QDir::homePath();
    QString name = printer.docName();
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    if (name.isEmpty())
        name = str(StrId::AppTitle);
    return QDir(dir).filePath(name + QStringLiteral(".pdf"));
}
} // namespace

MsgAnswer WidgetDialogs::message(const QString &text, MsgButtons buttons, MsgIcon icon,
                                 const QString &title)
{
    auto *box = new QMessageBox(owner());
    box->setText(text);
    box->setWindowTitle(title.isEmpty() ? QStringLiteral(" ") : title);
    switch (icon) {
    case MsgIcon::None: box->setIcon(QMessageBox::NoIcon); break;
    case MsgIcon::Information: box->setIcon(QMessageBox::Information); break;
    case MsgIcon::Warning: box->setIcon(QMessageBox::Warning); break;
    case MsgIcon::Error: box->setIcon(QMessageBox::Critical); break;
    case MsgIcon::Question: box->setIcon(QMessageBox::Question); break;
    }
    switch (buttons) {
    case MsgButtons::Ok: box->setStandardButtons(QMessageBox::Ok); break;
    case MsgButtons::OkCancel: box->setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case MsgButtons::YesNo: box->setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case MsgButtons::YesNoCancel:
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    box->setWindowFlag(Qt::WindowStaysOnTopHint);
    const std::optional<MsgAnswer> answer = runBox(box, [](QMessageBox &, int code) -> std::optional<MsgAnswer> {
        switch (code) {
        case QMessageBox::Ok: return MsgAnswer::Ok;
        case QMessageBox::Yes: return MsgAnswer::Yes;
        case QMessageBox::No: return MsgAnswer::No;
        default: return MsgAnswer::Cancel;
        }
    });
    return answer.value_or(MsgAnswer::Cancel);
}

QString WidgetDialogs::openFileName(const QString &title, const QString &startPath,
                                    const QString &filter)
{
    return QFileDialog::getOpenFileName(owner(), title, startPath, filter);
}

QString WidgetDialogs::saveFileName(const QString &title, const QString &startPath,
                                    const QString &filter)
{
    return QFileDialog::getSaveFileName(owner(), title, startPath, filter);
}

std::optional<QColor> WidgetDialogs::color(const QColor &initial)
{
    return runBox(new QColorDialog(initial, owner()), [](QColorDialog &d, int code) -> std::optional<QColor> {
        const QColor c = d.selectedColor();
        return code == QDialog::Accepted && c.isValid() ? std::optional<QColor>(c) : std::nullopt;
    });
}

std::optional<QFont> WidgetDialogs::font(const QFont &initial)
{
    return runBox(new QFontDialog(initial, owner()), [](QFontDialog &d, int code) -> std::optional<QFont> {
        return code == QDialog::Accepted ? std::optional<QFont>(d.selectedFont()) : std::nullopt;
    });
}

std::optional<QString> WidgetDialogs::passphrase(const QString &prompt, const QString &title)
{
    auto *dialog = new QInputDialog(owner());
    dialog->setObjectName(QStringLiteral("PassphraseDialog"));
    dialog->setWindowTitle(title.isEmpty() ? str(StrId::AppTitle) : title);
    dialog->setLabelText(prompt);
    dialog->setInputMode(QInputDialog::TextInput);
    dialog->setTextEchoMode(QLineEdit::Password);
    dialog->setWindowFlag(Qt::WindowStaysOnTopHint);
    // The entry is named by its prompt for assistive technology.
    if (auto *entry = dialog->findChild<QLineEdit *>())
        entry->setAccessibleName(prompt);
    return runBox(dialog, [](QInputDialog &d, int code) -> std::optional<QString> {
        return code == QDialog::Accepted ? std::optional<QString>(d.textValue()) : std::nullopt;
    });
}

PrintAnswer WidgetDialogs::print(QPrinter &printer)
{
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        if (!DialogPrintsToFile)
            return PrintAnswer::NoPrinter;
        // No printer: the dialog opens on its PDF file destination.
        printer.setOutputFormat(QPrinter::PdfFormat);
        if (printer.outputFileName().isEmpty())
            printer.setOutputFileName(suggestedPdf(printer));
    }
    QPrintDialog dialog(&printer, owner());
    // One page, always the whole window: no page range, selection or current page.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    dialog.setWindowFlag(Qt::WindowStaysOnTopHint);
    return dialog.exec() == QDialog::Accepted ? PrintAnswer::Print : PrintAnswer::Cancel;
}

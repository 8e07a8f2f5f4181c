#pragma once

#include "base/dialogs.h"

class QWidget;

// The real answers of the dialog seam: Qt message boxes and common dialogs.
class WidgetDialogs final : public Dialogs
{
public:
    // Boxes are parented to the modal dialog that holds the input, else to
    // whatever window is active when they open; a box whose window goes
    // while it is up goes with it and answers as cancelled.
    MsgAnswer message(const QString &text, MsgButtons buttons, MsgIcon icon,
                      const QString &title) override;
    QString openFileName(const QString &title, const QString &startPath,
                         const QString &filter) override;
    QString saveFileName(const QString &title, const QString &startPath,
                         const QString &filter) override;
    std::optional<QColor> color(const QColor &initial) override;
    std::optional<QFont> font(const QFont &initial) override;
    // Qt's print dialog. Without an installed printer it still offers a PDF
    // file, so the page can always be had.
    PrintAnswer print(QPrinter &printer) override;
    // A small dialog with a masked entry; it stays above a full-screen panel.
    std::optional<QString> passphrase(const QString &prompt, const QString &title) override;
};

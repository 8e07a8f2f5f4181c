#include "widgetdialogs.h"

#include "base/strings.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {
QWidget *owner()
{
    return QApplication::activeWindow();
}
} // namespace

MsgAnswer WidgetDialogs::message(const QString &text, MsgButtons buttons, MsgIcon icon,
                                 const QString &title)
{
    QMessageBox box(owner());
    box.setText(text);
    box.setWindowTitle(title.isEmpty() ? QStringLiteral(" ") : title);
    switch (icon) {
    case MsgIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MsgIcon::Warning: box.setIcon(QMessageBox::Warning); break;
    case MsgIcon::Error: box.setIcon(QMessageBox::Critical); break;
    case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
    }
    switch (buttons) {
    case MsgButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case MsgButtons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case MsgButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case MsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    switch (box.exec()) {
    case QMessageBox::Ok: return MsgAnswer::Ok;
    case QMessageBox::Yes: return MsgAnswer::Yes;
    case QMessageBox::No: return MsgAnswer::No;
    default: return MsgAnswer::Cancel;
    }
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
    const QColor c = QColorDialog::getColor(initial, owner());
    return c.isValid() ? std::optional<QColor>(c) : std::nullopt;
}

std::optional<QFont> WidgetDialogs::font(const QFont &initial)
{
    bool ok = false;
    const QFont f = QFontDialog::getFont(&ok, initial, owner());
    return ok ? std::optional<QFont>(f) : std::nullopt;
}

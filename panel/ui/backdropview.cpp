#include "panel/ui/backdropview.h"

#include "base/dialogs.h"
#include "base/strings.h"
#include "panel/panelbackdrop.h"
#include "panel/ui/buttonface.h"
#include "panel/ui/frmgridproperty.h"
#include "panel/ui/frmimagesetting.h"
#include "panel/ui/panelsurface.h"

#include <QScrollArea>
#include <QScrollBar>

#include <algorithm>

namespace {

namespace Res {
constexpr int ImageUnreadable = 10533; // "背景画像を読み込めません：%1"
} // namespace Res

} // namespace

BackdropView::BackdropView(PanelState &panel, const TwipScale &scale, Dialogs &dialogs, QWidget *window)
    : QObject(window), m_panel(panel), m_scale(scale), m_dialogs(dialogs), m_window(window)
{
    m_scroll = new QScrollArea(window);
    m_scroll->setObjectName(QStringLiteral("MDIClient"));
    m_scroll->setWidgetResizable(false);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_surface = new PanelSurface(m_panel, m_scale, m_scroll);
    m_scroll->setWidget(m_surface);
    // Arrow keys on the surface move the selection as they do on a button.
    m_surface->setFocusPolicy(Qt::ClickFocus);
}

QSize BackdropView::clientPixels() const
{
    return m_scroll->viewport()->size();
}

void BackdropView::fit(QSize reach)
{
    const bool grid = m_panel.GridOnOff && !m_panel.runtime.executing;
    m_surface->compose(layoutPanel(m_panel, m_surface->image().size(), clientPixels(), reach, m_scale, grid));
}

void BackdropView::paint(QSize reach)
{
    if (m_imageReload)
        reloadImage();
    QPalette pal = m_scroll->viewport()->palette();
    pal.setColor(QPalette::Window, colorFromValue(quint32(m_panel.GUIWindowColor) & 0xFFFFFF));
    m_scroll->viewport()->setPalette(pal);
    fit(reach);
    m_surface->update();
}

void BackdropView::reloadImage()
{
    m_imageReload = false;
    const ImageSettings &image = m_panel.image;
    const QImage loaded = loadPanelImage(image.ImageFileName);
    m_surface->setImage(loaded);
    // The settings stay as they are; the user learns why nothing shows.
    if (loaded.isNull() && image.ImageVisible && !image.ImageFileName.isEmpty())
        m_dialogs.tell(str(Res::ImageUnreadable).arg(image.ImageFileName), MsgIcon::Warning);
}

// ---- scrolling ---------------------------------------------------------------------

int BackdropView::scrollOffset(Qt::Orientation axis) const
{
    const QScrollBar *bar = axis == Qt::Horizontal ? m_scroll->horizontalScrollBar() : m_scroll->verticalScrollBar();
    return bar->value() - bar->minimum();
}

void BackdropView::setScrollOffset(Qt::Orientation axis, int offset)
{
    QScrollBar *bar = axis == Qt::Horizontal ? m_scroll->horizontalScrollBar() : m_scroll->verticalScrollBar();
    bar->setValue(bar->minimum() + std::clamp(offset, 0, bar->maximum() - bar->minimum()));
}

void BackdropView::scrollToOrigin()
{
    setScrollOffset(Qt::Vertical, 0);
    setScrollOffset(Qt::Horizontal, 0);
}

// ---- grid and image ---------------------------------------------------------------

void BackdropView::toggleGrid()
{
    m_panel.GridOnOff = !m_panel.GridOnOff;
    emit redrawWanted();
    emit changed(DesignStep::Grid);
}

void BackdropView::openGridProperty()
{
    if (m_gridDialog)
        return;
    auto *dlg = new FrmGridProperty(m_panel, m_dialogs, m_window);
    connect(dlg, &QDialog::accepted, this, [this] {
        if (m_panel.GridOnOff)
            emit redrawWanted();
        emit changed(DesignStep::GridProperty);
    });
    connect(dlg, &QDialog::finished, this, [this] {
        m_gridDialog = nullptr;
        emit commandsChanged();
    });
    m_gridDialog = dlg;
    emit commandsChanged();
    dlg->open();
}

void BackdropView::openImageSetting()
{
    if (m_imageDialog)
        return;
    auto *dlg = new FrmImageSetting(m_panel.image, m_dialogs, m_window);
    connect(dlg, &QDialog::accepted, this, [this, dlg] {
        m_panel.image = dlg->chosen();
        m_imageReload = true;
        emit imageChosen();
        emit changed(DesignStep::Image);
    });
    m_imageDialog = dlg;
    dlg->open();
}

FrmGridProperty *BackdropView::gridDialog() const
{
    return m_gridDialog;
}

FrmImageSetting *BackdropView::imageDialog() const
{
    return m_imageDialog;
}

void BackdropView::closeDialogs()
{
    if (m_gridDialog)
        m_gridDialog->close();
    if (m_imageDialog)
        m_imageDialog->close();
}

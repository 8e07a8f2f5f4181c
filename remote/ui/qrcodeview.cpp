#include "remote/ui/qrcodeview.h"

#include <QPainter>

#include <qrencode.h>

QrCodeView::QrCodeView(QWidget *parent) : QWidget(parent)
{
    setMinimumSize(160, 160);
}

void QrCodeView::setText(const QString &text)
{
    m_text = text;
    m_size = 0;
    m_dark.clear();
    const QByteArray utf8 = text.toUtf8();
    if (!utf8.isEmpty()) {
        if (QRcode *code = QRcode_encodeString(utf8.constData(), 0, QR_ECLEVEL_M, QR_MODE_8, 1)) {
            m_size = code->width;
            m_dark.resize(size_t(m_size) * size_t(m_size));
            for (int i = 0; i < m_size * m_size; ++i)
                m_dark[size_t(i)] = (code->data[i] & 1) != 0;
            QRcode_free(code);
        }
    }
    update();
}

bool QrCodeView::dark(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_size || y >= m_size)
        return false;
    return m_dark[size_t(y) * size_t(m_size) + size_t(x)];
}

void QrCodeView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    if (m_size == 0)
        return;
    constexpr int quiet = 4; // modules of white around the code
    const int side = std::min(width(), height());
    const int module = std::max(1, side / (m_size + 2 * quiet));
    const int origin = (side - module * m_size) / 2;
    const QPoint at((width() - side) / 2 + origin, (height() - side) / 2 + origin);
    for (int y = 0; y < m_size; ++y)
        for (int x = 0; x < m_size; ++x)
            if (dark(x, y))
                p.fillRect(at.x() + x * module, at.y() + y * module, module, module, Qt::black);
}

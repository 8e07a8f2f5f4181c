#pragma once

// A QR code of one text, painted module by module with a quiet zone, so a
// tablet's camera can open the address shown beside it.

#include <QWidget>

#include <vector>

class QrCodeView : public QWidget
{
    Q_OBJECT

public:
    explicit QrCodeView(QWidget *parent = nullptr);

    void setText(const QString &text);
    QString text() const { return m_text; }
    // Modules per side (0 when the text could not be encoded).
    int modules() const { return m_size; }
    bool dark(int x, int y) const;
    QSize sizeHint() const override { return {220, 220}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_text;
    int m_size = 0;
    std::vector<bool> m_dark;
};

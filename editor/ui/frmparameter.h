#pragma once

// FrmParameter: one setting of every linked mixer or every channel, side by
// side for comparison, in a small window that stays on top. A snapshot of
// MixerData taken when it opens: nothing is edited and nothing refreshed;
// the editor's next double-click shows the grid anew. Escape closes it.

#include "editor/parametergrid.h"

#include <QWidget>

class QKeyEvent;
class QTableWidget;

class FrmParameter : public QWidget
{
    Q_OBJECT

public:
    explicit FrmParameter(QWidget *parent = nullptr);

    // Shows `grid` (its title becomes the caption).
    void setGrid(const ParameterGrid &grid);

    QTableWidget *GridParam() const { return m_grid; }

protected:
    // Escape closes the window.
    void keyPressEvent(QKeyEvent *event) override;

private:
    QTableWidget *m_grid = nullptr;
    QString m_shownTitle;   // the grid the window was sized for
    int m_shownRows = -1;
};

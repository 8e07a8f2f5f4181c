#pragma once

// The seating list in the designer: a chamber's seats imported from a CSV
// file, exported to one, or pasted from a spreadsheet, from the 座席表
// submenu of the 編集 menu. An import is checked whole before anything
// changes (a refused row is named with its reason and the panel stays as it
// was) and becomes one step of the design's history.

#include <QObject>

#include <array>

class Dialogs;
class PanelDesigner;
class PanelSession;
class QAction;
class QMainWindow;
struct PanelState;

enum class SeatCommand : int { Import, Export, Paste };

class SeatListCommands : public QObject
{
    Q_OBJECT

public:
    struct Parts
    {
        QMainWindow &window;
        PanelState &panel;
        PanelSession &session;
        Dialogs &dialogs;
        PanelDesigner &designer;
    };
    explicit SeatListCommands(Parts parts);

    QAction *action(SeatCommand command) const { return m_actions[std::size_t(command)]; }
    void update(bool design);

    void importFile();
    void exportFile();
    void pasteTable();
    // The table read, checked and applied as one step; false (with the row
    // and the reason told) when it was refused and nothing changed.
    bool importText(const QString &text);

private:
    void buildMenu();

    Parts m_parts;
    std::array<QAction *, 3> m_actions{};
};

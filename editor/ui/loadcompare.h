#pragma once

// The window a load shows before it sends a settings file's values to the
// linked mixers: every value that would change, per mixer, named and shown as
// the editor names and shows it (the mixer's value next to the file's), with
// counts per mixer and per kind, and a note at the top when the file holds
// another number of mixers than are linked. 送信 (Enter) sends the values
// listed, or with すべて送信 checked every value of the file; キャンセル
// (Escape, or closing) keeps the file opened but sends nothing.

#include "editor/settingscompare.h"
#include "settings/loadsave.h"

#include <QDialog>

class Dialogs;
class QCheckBox;
class QTreeWidget;
class SettingsTable;
struct MixerState;

class LoadCompareWindow : public QDialog
{
    Q_OBJECT

public:
    explicit LoadCompareWindow(const SettingsComparison &comparison, QWidget *parent = nullptr);

    // One top-level row per compared mixer, one child row per changed value:
    // columns label, mixer's value, file's value, kind.
    QTreeWidget *list() const { return m_list; }
    // すべて送信: the values the mixers hold already go out as well.
    QCheckBox *sendAll() const { return m_sendAll; }
    // What 送信 sends as the window stands.
    LoadSend choice() const;

private:
    QTreeWidget *m_list = nullptr;
    QCheckBox *m_sendAll = nullptr;
};

// Asked by a load before it sends: compares the linked mixers with the loaded
// file (SetDataTable). When nothing would change it says so through `dialogs`
// and answers Nothing; otherwise the window decides.
LoadSend confirmLoadSend(const MixerState &mixers, const SettingsTable &loaded, Dialogs &dialogs,
                         QWidget *parent);

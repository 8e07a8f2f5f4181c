#pragma once

// ChannelTab: the editor window's first tab, the eight channel strips side by
// side under the ch1-Link and Mixer-Link options, with a column of row labels
// and a row of initialise buttons. It builds its controls, routes their edits
// to MixerEdits (under ch1-Link the other strips show what they now hold) and
// shows a record in them. The level pictures it only hosts: the window draws
// them. Initialising is asked of the window.

#include "editor/editorrules.h"
#include "editor/ui/editortabparts.h"
#include "editor/ui/optiongroup.h"

#include <QFrame>

#include <array>
#include <memory>
#include <optional>

class QGridLayout;
class QLabel;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

class ChannelTab : public QFrame
{
    Q_OBJECT

public:
    explicit ChannelTab(EditorTabContext context);
    ~ChannelTab() override;

    QRadioButton *OpnLink(int i) const { return m_link->button(i); }
    QRadioButton *OpnMixerLink(int i) const { return m_mixerLink->button(i); }
    QRadioButton *OpnParamCh(int index) const;
    ValueEntry *UpDwInpgain(int ch) const { return m_gains[size_t(ch)]; }
    QLabel *LblCh(int ch) const { return m_chLabels[size_t(ch)]; }
    QLabel *Lbl1L(int row) const { return m_rowLabels[size_t(row)]; }
    QLabel *ImgChannel(int ch) const { return m_pictures[size_t(ch)]; }
    QPushButton *CmdInitch(int i) const { return m_initCh[size_t(i)]; }
    const OptionGroup *row(int ch, int row) const { return m_strips[size_t(ch)]->rows[size_t(row)]; }

    // The strips show `d`; what an older model cannot show is judged by what
    // it reports (`reported`).
    void refresh(const MixerDataRecord &d, const MixerDataRecord &reported, qint16 model,
                 OptionGroup::Notify notify, bool rewrite);
    // The buttons an older model or the model's choices rule out.
    void applyLocks(bool newerChoices);
    void applyRules(const EnableRules &rules);

    // Top to bottom, the rows of a strip as the row labels Lbl1L(0..7) name
    // them, which are also the grid items 0..7; -1 is the gain.
    static constexpr std::array<int, 8> StripRows{RowInputLevel, RowPhantom,   RowHeadAmp,   RowLowCutFil,
                                                  -1,            RowRemoteOn,  RowRemoteOff, RowThresholdObj};

signals:
    // CmdInitch(i): channel i, or all of them (InitAllChannels).
    void initialiseAsked(int code);

private:
    // One channel strip: its frame and its rows of option buttons.
    struct Strip
    {
        QFrame *frame = nullptr;
        std::array<OptionGroup *, 8> rows{}; // by ChannelRow; row 5 has none
    };
    // The heights every row shares in the label column and in each strip.
    struct RowHeights
    {
        int header = 0;
        int line = 0;
        int gainBlock = 0;
        int of(int row) const;
    };

    QFrame *linkBox(QLabel *&label, OptionGroup *&group, int textId, const QString &labelName,
                    const QString &name);
    RowHeights rowHeights() const;
    QFrame *buildRowLabels(const RowHeights &heights);
    QFrame *buildStrip(int ch, const RowHeights &heights);
    OptionGroup *buildOptionRow(int ch, int row, const QString &rowName, QWidget *block, QVBoxLayout *cell);
    void buildGainRow(int ch, const QString &rowName, QWidget *block, QVBoxLayout *cell);
    void buildInitButtons(QGridLayout *grid);
    void connectHandlers();

    void channelClicked(int ch, int row, int choice);
    void gainChanged(int ch, int code);
    void linkClicked(int i);
    void mixerLinkClicked(int i);
    void showStripLink(bool linked);

    EditorTabContext m_ctx;
    OptionGroup *m_link = nullptr;
    OptionGroup *m_mixerLink = nullptr;
    QLabel *m_linkLabel = nullptr;
    QLabel *m_mixerLinkLabel = nullptr;
    std::array<std::unique_ptr<Strip>, ChannelCount> m_strips;
    std::array<QLabel *, ChannelCount> m_chLabels{};
    std::array<QLabel *, 8> m_rowLabels{};
    std::array<ValueEntry *, ChannelCount> m_gains{};
    std::array<QLabel *, ChannelCount> m_pictures{};
    std::array<QPushButton *, ChannelCount + 1> m_initCh{};

    std::array<OlderModelLocks, ChannelCount> m_locks{};
    // What the option buttons' enabled states were last set from.
    struct Enables
    {
        std::array<OlderModelLocks, ChannelCount> locks{};
        bool newerChoices = false;
        bool operator==(const Enables &o) const { return locks == o.locks && newerChoices == o.newerChoices; }
    };
    std::optional<Enables> m_enables;
};

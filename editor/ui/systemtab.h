#pragma once

// SystemTab: the editor window's second tab, the mixer's system settings in
// three group frames (output, threshold, gate), each with its initialise
// button, and the two buttons that open the hidden tabs. It builds its
// controls, routes their edits to MixerEdits and shows a record in them.
// Initialising and opening a hidden tab are asked of the window; the level
// pictures it hosts the window draws.

#include "editor/editorrules.h"
#include "editor/ui/editortabparts.h"
#include "editor/ui/optiongroup.h"
#include "editor/mixeredits.h"

#include <QFrame>

#include <array>
#include <functional>
#include <optional>

class QGridLayout;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QRadioButton;

class SystemTab : public QFrame, public EditorFields
{
    Q_OBJECT

public:
    explicit SystemTab(EditorTabContext context);

    QRadioButton *OpnParam(int index) const;
    QRadioButton *OpnMuteM(int i) const { return m_muteAtt->button(i); }
    // Fields 5..7; none for the extended tab's.
    ValueEntry *UpDwParam(int i) const { return m_params[size_t(i)]; }
    QLabel *Label1(int i) const { return m_fieldLabels[size_t(i)]; }
    QLabel *LblMuteA(int i) const { return m_muteLabels[size_t(i)]; }
    // GainPicture and ThresholdPicture.
    QLabel *ImgChannel(int i) const { return m_pictures[size_t(i - GainPicture)]; }
    // CmdInit(3..5); none for the others.
    QPushButton *CmdInit(int i) const { return m_init[size_t(i)]; }
    QPushButton *CmdOpen(int i) const { return m_open[size_t(i)]; }
    const OptionGroup *group(int g) const { return m_groups[size_t(g)]; }
    const OptionGroup *muteAtt() const { return m_muteAtt; }

    // The fields and groups show `d`; the first refresh also sets the gate
    // attenuation's mode from it.
    void refresh(const MixerDataRecord &d, const MixerDataRecord &reported, qint16 model,
                 OptionGroup::Notify notify, bool rewrite, bool first);
    // The threshold box follows the threshold reply.
    void followThreshold(int threshold, bool dataReceived);
    // The status poll's ambient level, shown while the gate attenuation is auto.
    void showAmbientLevel(double level);
    // The output level's choices the model or an older model's report rule out.
    void applyOutputLock(bool newerChoices);
    void applyRules(const EnableRules &rules);
    // The three group frames: editable or not (the open buttons stay usable).
    void setGroupsEnabled(bool editable);

signals:
    void initialiseAsked(int code);
    // CmdOpen(i): tab i + 2, behind its warning.
    void openAsked(int i);

private:
    static constexpr int HoldTimeUnit = 10; // LblMonly(10): "秒" beside HoldTime

    void buildGroupFrames(QHBoxLayout *row);
    void makeLabels();
    void makeEntries();
    void buildOutputGroup(QGridLayout *grid);
    void buildThresholdGroup(QGridLayout *grid);
    void buildGateGroup(QGridLayout *grid);
    QWidget *buildAttenuation(QGridLayout *grid);
    void buildInitButtons();
    QHBoxLayout *buildOpenRow();
    void connectHandlers();

    QLabel *label(int textId, const QString &name);
    QWidget *group(int g, bool vertical);
    void placeMarked(QGridLayout *grid, int r, QLabel *l, QWidget *content, int id,
                     std::function<QString(qint32)> shown);
    void markedGroup(QGridLayout *grid, int r, QLabel *l, int g, bool vertical);
    // An entry with its unit, and a picture below when it has one.
    QWidget *entryBox(ValueEntry *entry, QLabel *unitLabel, int picture);

    void systemClicked(int group, int choice);
    void setMuteMode(MixerEdits::MuteMode mode);
    void paramChanged(int i, int code);

    EditorTabContext m_ctx;
    std::array<QFrame *, 3> m_systemGroups{};
    std::array<QGridLayout *, 3> m_grids{};
    std::array<QHBoxLayout *, 3> m_buttonRows{};
    std::array<QLabel *, 3> m_headings{};
    std::array<OptionGroup *, 9> m_groups{};
    OptionGroup *m_muteAtt = nullptr;
    std::array<QLabel *, 4> m_fieldLabels{};
    std::array<QLabel *, 11> m_onlyLabels{}; // LblMonly(0..7, 10)
    std::array<QLabel *, 3> m_muteLabels{};
    std::array<QLabel *, 2> m_pictures{};
    std::array<ValueEntry *, FieldCount> m_params{};
    std::array<QPushButton *, CmdInitCount> m_init{};
    std::array<QPushButton *, 2> m_open{};
    bool m_ambientShown = true;
    bool m_outputLocked = false;
    // What the output level's enabled states were last set from.
    std::optional<std::pair<bool, bool>> m_outputEnables;
};

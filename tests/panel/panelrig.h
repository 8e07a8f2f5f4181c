#pragma once

// The panel window over the virtual mixer: the mixer records, link and loop
// of a loopback rig (the program's own Ethernet transport on a real loopback
// socket), the settings commands, and a panel laid out in advance through the
// settings text, as a loaded file would leave it.

#include "tests/mixer/loopbackrig.h"

#include "settings/panelsections.h"
#include "panel/ui/frmmdi.h"
#include "settings/loadsave.h"
#include "settings/mixersections.h"

#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QPointer>
#include <QStringDecoder>

#include <memory>

// One button to lay out: mixer, slot, place and size in twips, caption.
struct PresetButton
{
    ButtonRef button;
    qint32 left = 0;
    qint32 top = 0;
    QString caption;
    double width = 1500;
    double height = 1000;
};

struct PanelRig
{
    explicit PanelRig(int linkedMixers, LinkKind kind = LinkKind::Ethernet)
        : net(simOptions(linkedMixers))
    {
        net.link.linkKind = kind;
        net.mixers.MixerCount = qint16(kind == LinkKind::Offline ? 0 : linkedMixers);
        panel.defaults = PanelDefaults::fromStrings();
        settings = std::make_unique<SettingsCommands>(files, mixerSettings, panel, net.loop, net.link,
                                                      dialogs());
    }
    ~PanelRig() { delete window.data(); }

    static SimOptions simOptions(int mixers)
    {
        SimOptions o;
        o.mixers = std::max(1, mixers);
        return o;
    }

    ScriptedDialogs &dialogs() { return net.dialogs; }

    // The settings text holds these buttons for `fileMixers` mixers.
    void preset(const std::vector<PresetButton> &buttons, int fileMixers)
    {
        PanelState p;
        p.defaults = panel.defaults;
        qint16 unused = 0;
        PanelContext offline;
        ResetPanel(p, unused, offline);
        for (const PresetButton &b : buttons) {
            ButtonSlot &s = p.slot(b.button.mixer, b.button.slot);
            s.IconEnable = true;
            s.IconLeft = b.left;
            s.IconTop = b.top;
            s.IconWidth = b.width;
            s.IconHeight = b.height;
            s.IconText = b.caption;
        }
        p.IconNum = qint16(buttons.size());
        StorePanel(p, files.SetDataTable, fileMixers);
        files.SetDataTable.set(SystemKey::MixerCount, SystemKey::Section, QString::number(fileMixers));
    }

    // Opens the panel window; 72 dots per inch make 20 twips a pixel.
    FrmMdi *open(double dotsPerInch = 72, Dialogs *panelDialogs = nullptr)
    {
        ChannelDialogSeam seam;
        seam.open = [this](const ChannelDialogRequest &r, std::function<void()> closed) {
            channelDialogs.push_back(r);
            closeChannelDialog = std::move(closed);
        };
        seam.close = [this] {
            if (closeChannelDialog)
                std::exchange(closeChannelDialog, {})();
        };
        PanelWindowContext ctx{panel, net.mixers, net.link, files, *settings,
                               panelDialogs ? *panelDialogs : dialogs(),
                               seam, dotsPerInch,
                               nullptr, linkLine, net.sync.get(), lock, &timeOfDay};
        window = new FrmMdi(ctx);
        window->resize(760, 480);
        window->show();
        QApplication::processEvents();
        return window;
    }

    ButtonSlot &slot(ButtonRef b) { return panel.slot(b.mixer, b.slot); }

    LoopbackRig net;
    // The marks' times of day start at 09:00 on the rig's clock.
    TimeOfDay timeOfDay{net.clock, QDateTime(QDate(2026, 12, 9), QTime(9, 0))};
    MixerStateSettings mixerSettings{net.mixers};
    SettingsFiles files;
    PanelState panel;
    std::unique_ptr<SettingsCommands> settings;
    QPointer<FrmMdi> window;
    std::vector<ChannelDialogRequest> channelDialogs;
    std::function<void()> closeChannelDialog;
    // The link's state line the window shows, when set before open().
    const LinkLine *linkLine = nullptr;
    // The operator lock the window offers, when set before open().
    OperatorLock *lock = nullptr;
};

// The buttons the window tests place: channels 1 to 4 and the master output
// of the first mixer.
inline const ButtonRef Ch1{0, 0}, Ch2{0, 1}, Ch3{0, 2}, Ch4{0, 3}, MasterOut{0, 8};

// A mouse event delivered straight to a widget, at a point of its own.
inline void mouse(QWidget *w, QEvent::Type type, const QPoint &at, Qt::MouseButton button,
                  Qt::KeyboardModifiers modifiers = {})
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton
                                  : type == QEvent::MouseMove         ? Qt::MouseButtons(Qt::LeftButton)
                                                                      : Qt::MouseButtons(button);
    QMouseEvent e(type, QPointF(at), QPointF(w->mapToGlobal(at)), button, held, modifiers);
    QApplication::sendEvent(w, &e);
}

inline void click(QWidget *w, const QPoint &at, Qt::MouseButton button = Qt::LeftButton,
                  Qt::KeyboardModifiers modifiers = {})
{
    mouse(w, QEvent::MouseButtonPress, at, button, modifiers);
    mouse(w, QEvent::MouseButtonRelease, at, button, modifiers);
}

// The value of `key` in `section` of a settings file as written.
inline QString fileValue(const QString &path, const QString &section, const QString &key)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringDecoder cp932("CP932");
    const QString text = cp932(f.readAll());
    bool inSection = false;
    for (const QString &line : text.split(QStringLiteral("\r\n"))) {
        if (line.startsWith(u'['))
            inSection = line == u'[' + section + u']';
        else if (inSection && line.startsWith(key + u'='))
            return line.mid(key.size() + 1);
    }
    return {};
}

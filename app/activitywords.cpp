#include "app/activitywords.h"

#include "editor/settingscompare.h"
#include "mixer/parametertable.h"
#include "settings/panelmodel.h"

namespace {
// The channel 1..8 of a key of `family`, 0 when the key is none of it.
int channelOf(int key, ChannelFamily family)
{
    const int channel = key - channelKeyId(family, 0);
    return channel >= 1 && channel <= Panel::ChannelSlots ? channel : 0;
}
} // namespace

QString writtenValueWords(const PanelState &panel, int mixer, int key, qint32 value)
{
    const QString shown = editorValueText(key, value);
    // A panel switch writes RemoteOn, which stands for it, and RemoteOff
    // beside it (named by its label, or its OFF would read as the switch's).
    const int on = channelOf(key, ChannelFamily::RemoteOn);
    const int off = channelOf(key, ChannelFamily::RemoteOff);
    const int channel = on ? on : off;
    if (!channel || mixer < 1 || mixer > Panel::MaxMixers)
        return shown;
    const ButtonSlot &seat = panel.slot(mixer - 1, channel - 1);
    const QString caption = captionLines(seat.IconText).join(u' ').simplified();
    if (!seat.IconEnable || caption.isEmpty())
        return shown;
    return on ? caption + u' ' + shown : caption + u' ' + editorKeyLabel(key) + u' ' + shown;
}

#include "editor/valuemarks.h"

#include "base/clock.h"
#include "base/strings.h"

#include <QTime>

namespace {
namespace Text {
constexpr int Waiting = 12240;  // "送信待ち: %1 = %2（%3 から）"
constexpr int Verified = 12241; // "確認済み: %1 = %2（%3、%4 パス）"
constexpr int Failed = 12242;   // "失敗: %1 = %2 …（%3、%4 パス）…"
} // namespace Text
} // namespace

ValueMark valueMark(const ValueStatus &status, const QString &what, const QString &shown, const QString &when)
{
    ValueMark m;
    m.state = status.state;
    switch (status.state) {
    case ValueState::Settled:
        break;
    case ValueState::Waiting:
        m.glyph = QStringLiteral("…");
        m.color = QColor(0xE0, 0xA0, 0x00);
        m.words = str(Text::Waiting).arg(what, shown, when);
        break;
    case ValueState::Verified:
        m.glyph = QStringLiteral("○");
        m.color = QColor(0x2E, 0x8B, 0x57);
        m.words = str(Text::Verified).arg(what, shown, when).arg(status.passes);
        break;
    case ValueState::Failed:
        m.glyph = QStringLiteral("×");
        m.color = QColor(0xC8, 0x1E, 0x1E);
        m.words = str(Text::Failed).arg(what, shown, when).arg(status.passes);
        break;
    }
    return m;
}

QString markTime(const ValueStatus &status, const TimeOfDay *time)
{
    const QString format = QStringLiteral("HH:mm:ss");
    if (!time)
        return QTime::currentTime().toString(format);
    if (status.state == ValueState::Waiting || status.at <= 0)
        return time->now().toString(format);
    return time->at(status.at).toString(format);
}

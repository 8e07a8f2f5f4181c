#include "sim/simargs.h"

#include "base/strings.h"
#include "sim/simkeys.h"

namespace {

bool parseProbability(const QString &text, double &out)
{
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok || v < 0.0 || v > 1.0)
        return false;
    out = v;
    return true;
}

bool parsePort(const QString &text, int &out)
{
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || v < 0 || v > 65535)
        return false;
    out = v;
    return true;
}

} // namespace

bool parseStuck(const QString &text, SimStuck &out, QString *error)
{
    auto fail = [&](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    const int colon = text.indexOf(QLatin1Char(':'));
    const int equals = text.indexOf(QLatin1Char('='));
    if (colon < 1 || equals < colon + 2)
        return fail(str(9700).arg(text));
    bool ok = false;
    const int mixer = text.left(colon).toInt(&ok);
    if (!ok || mixer < 1 || mixer > SimWire::MaxMixers)
        return fail(str(9701));
    const QString key = text.mid(colon + 1, equals - colon - 1);
    const int id = simKeyId(key);
    if (id == 0)
        return fail(str(9702).arg(key));
    const qint64 value = text.mid(equals + 1).toLongLong(&ok);
    const qint64 limit = id <= SimWire::BlockSize ? 255 : id == SimWire::ThresholdKeyId ? 65535 : 0xFFFFFFFFLL;
    if (!ok || value < 0 || value > limit)
        return fail(str(9703).arg(key));
    out = SimStuck{mixer, id, value};
    return true;
}

SimParseResult parseSimArguments(const QStringList &args)
{
    SimParseResult r;
    SimProgramOptions &o = r.options;
    auto fail = [&](const QString &why) {
        r.ok = false;
        r.error = why;
        return r;
    };
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        // Options with a value take it from the next argument or after "=".
        // A named word, not a structured binding: the lambdas below take it.
        OptionWord word = splitOptionWord(a);
        const QString &name = word.name;
        auto takeValue = [&](QString &out) {
            if (!takeOptionValue(args, i, word))
                return false;
            out = word.value;
            return true;
        };
        auto needs = [&](QString &out) {
            if (!takeValue(out)) {
                r.error = str(9704).arg(name);
                return false;
            }
            return true;
        };
        QString v;
        if (name == QLatin1String("--help") || name == QLatin1String("-h")) {
            o.help = true;
        } else if (name == QLatin1String("--serial")) {
            o.serial = true;
        } else if (name == QLatin1String("--log-writes")) {
            o.logWrites = true;
        } else if (name == QLatin1String("--deny-write")) {
            o.chain.denyWrite = true;
        } else if (name == QLatin1String("--tcp")) {
            if (!needs(v))
                return fail(r.error);
            const int colon = v.lastIndexOf(QLatin1Char(':'));
            if (colon >= 0) {
                o.tcpHost = v.left(colon);
                v = v.mid(colon + 1);
            }
            int port = 0;
            if (!parsePort(v, port) || o.tcpHost.isEmpty())
                return fail(str(9705));
            o.tcp = true;
            o.tcpPort = quint16(port);
        } else if (name == QLatin1String("--usb")) {
            if (!needs(v) || v.isEmpty())
                return fail(str(9706));
            o.usbDir = v;
        } else if (name == QLatin1String("--usb-name")) {
            if (!needs(v) || v.isEmpty() || v.contains(QLatin1Char('/')))
                return fail(str(9707));
            o.usbName = v;
        } else if (name == QLatin1String("--mixers")) {
            if (!needs(v))
                return fail(r.error);
            bool ok = false;
            o.chain.mixers = v.toInt(&ok);
            if (!ok || o.chain.mixers < 1 || o.chain.mixers > SimWire::MaxMixers)
                return fail(str(9708));
        } else if (name == QLatin1String("--model")) {
            if (!needs(v))
                return fail(r.error);
            bool ok = false;
            o.chain.model = v.toInt(&ok);
            if (!ok || o.chain.model < 0 || o.chain.model > 255)
                return fail(str(9709));
        } else if (name == QLatin1String("--address")) {
            std::array<quint8, 4> ip{};
            if (!needs(v) || !parseIpv4(v, ip))
                return fail(str(9710));
            o.chain.address = v;
        } else if (name == QLatin1String("--user-id")) {
            if (!needs(v))
                return fail(r.error);
            // The user ID travels as ANSI text with a 16-bit length.
            if (v.toLatin1() != v.toUtf8() || v.size() > 255)
                return fail(str(9711));
            o.chain.userId = v;
        } else if (name == QLatin1String("--drop")) {
            if (!needs(v) || !parseProbability(v, o.chain.dropProbability))
                return fail(str(9712));
        } else if (name == QLatin1String("--corrupt")) {
            if (!needs(v) || !parseProbability(v, o.chain.corruptProbability))
                return fail(str(9713));
        } else if (name == QLatin1String("--noise")) {
            if (!needs(v) || !parseProbability(v, o.chain.noiseProbability))
                return fail(str(10750));
        } else if (name == QLatin1String("--cut-after")) {
            bool ok = false;
            if (!needs(v) || (o.cutAfter = v.toInt(&ok), !ok) || o.cutAfter < 1)
                return fail(str(10751));
        } else if (name == QLatin1String("--delay")) {
            bool ok = false;
            if (!needs(v) || (o.chain.delayMs = v.toInt(&ok), !ok) || o.chain.delayMs < 0)
                return fail(str(9714));
        } else if (name == QLatin1String("--restart-ms")) {
            bool ok = false;
            if (!needs(v) || (o.chain.restartMs = v.toInt(&ok), !ok) || o.chain.restartMs < 0)
                return fail(str(11234));
        } else if (name == QLatin1String("--line-rate")) {
            bool ok = false;
            if (!needs(v) || (o.lineRate = v.toInt(&ok), !ok) || o.lineRate < 300 || o.lineRate > 921600)
                return fail(str(10660));
        } else if (name == QLatin1String("--seed")) {
            bool ok = false;
            if (!needs(v) || (o.chain.seed = v.toUInt(&ok), !ok))
                return fail(str(9715));
        } else if (name == QLatin1String("--stuck") || name == QLatin1String("--set")) {
            // Both MIXER:KEY=VALUE: a value that never changes, or one the
            // mixer starts with.
            SimStuck s;
            QString why;
            if (!needs(v))
                return fail(r.error);
            if (!parseStuck(v, s, &why))
                return fail(why.replace(QLatin1String("--stuck"), name));
            (name == QLatin1String("--set") ? o.chain.start : o.chain.stuck).append(s);
        } else if (name == QLatin1String("--search-port")) {
            // [HOST:]PORT: several virtual mixers share one search address
            // (such as 127.255.255.255) and each answers.
            if (!needs(v))
                return fail(str(9716));
            const qsizetype colon = v.lastIndexOf(u':');
            if (colon >= 0)
                o.searchHost = v.left(colon);
            if (!parsePort(colon >= 0 ? v.mid(colon + 1) : v, o.searchPort))
                return fail(str(9716));
        } else if (name == QLatin1String("--reply-port")) {
            if (!needs(v) || !parsePort(v, o.replyPort))
                return fail(str(9717));
        } else {
            return fail(str(9718).arg(a));
        }
    }
    if (!o.help && !o.tcp && !o.serial && o.usbDir.isEmpty() && o.searchPort < 0)
        return fail(str(9719));
    for (const SimStuck &s : o.chain.stuck + o.chain.start)
        if (s.mixer > o.chain.mixers)
            return fail(str(9720).arg(s.mixer).arg(o.chain.mixers));
    r.ok = true;
    return r;
}

QString simUsage()
{
    return str(9730);
}

OptionWord splitOptionWord(const QString &word)
{
    const qsizetype eq = word.indexOf(QLatin1Char('='));
    if (!word.startsWith(QLatin1String("--")) || eq < 0)
        return {word, {}, false};
    return {word.left(eq), word.mid(eq + 1), true};
}

bool takeOptionValue(const QStringList &args, int &i, OptionWord &word)
{
    if (word.inlineValue)
        return true;
    if (i + 1 >= args.size())
        return false;
    word.value = args[++i];
    word.inlineValue = true;
    return true;
}

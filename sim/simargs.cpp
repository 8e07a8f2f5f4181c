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

namespace {

// What an option does with its value: empty when it took it, else why not.
using ApplyOption = QString (*)(SimProgramOptions &o, QString &v, const QString &name);

constexpr int TakesNoValue = -1; // a switch
constexpr int NeedsValue = 0;    // a missing value is told as "NAME needs a value"

struct SimOption
{
    const char *name;
    // TakesNoValue, NeedsValue, or the text that tells a missing value as
    // the option's own error.
    int missing;
    ApplyOption apply;
};

// An int option: false when the text is no number or `valid` refuses it.
template<typename Valid>
bool takeInt(const QString &v, int &out, Valid valid)
{
    bool ok = false;
    out = v.toInt(&ok);
    return ok && valid(out);
}

QString tcpOption(SimProgramOptions &o, QString &v, const QString &)
{
    const int colon = v.lastIndexOf(QLatin1Char(':'));
    if (colon >= 0) {
        o.tcpHost = v.left(colon);
        v = v.mid(colon + 1);
    }
    int port = 0;
    if (!parsePort(v, port) || o.tcpHost.isEmpty())
        return str(9705);
    o.tcp = true;
    o.tcpPort = quint16(port);
    return {};
}

QString userIdOption(SimProgramOptions &o, QString &v, const QString &)
{
    // The user ID travels as ANSI text with a 16-bit length.
    if (v.toLatin1() != v.toUtf8() || v.size() > 255)
        return str(9711);
    o.chain.userId = v;
    return {};
}

QString stuckOption(SimProgramOptions &o, QString &v, const QString &name)
{
    // Both MIXER:KEY=VALUE: a value that never changes, or one the mixer
    // starts with.
    SimStuck s;
    QString why;
    if (!parseStuck(v, s, &why))
        return why.replace(QLatin1String("--stuck"), name);
    (name == QLatin1String("--set") ? o.chain.start : o.chain.stuck).append(s);
    return {};
}

QString searchPortOption(SimProgramOptions &o, QString &v, const QString &)
{
    // [HOST:]PORT: several virtual mixers share one search address (such as
    // 127.255.255.255) and each answers.
    const qsizetype colon = v.lastIndexOf(u':');
    if (colon >= 0)
        o.searchHost = v.left(colon);
    return parsePort(colon >= 0 ? v.mid(colon + 1) : v, o.searchPort) ? QString() : str(9716);
}

// The options in the order they are looked for; each id the text of its error.
const SimOption SimOptionTable[] = {
    {"--help", TakesNoValue, [](SimProgramOptions &o, QString &, const QString &) { o.help = true; return QString(); }},
    {"-h", TakesNoValue, [](SimProgramOptions &o, QString &, const QString &) { o.help = true; return QString(); }},
    {"--serial", TakesNoValue, [](SimProgramOptions &o, QString &, const QString &) { o.serial = true; return QString(); }},
    {"--log-writes", TakesNoValue,
     [](SimProgramOptions &o, QString &, const QString &) { o.logWrites = true; return QString(); }},
    {"--deny-write", TakesNoValue,
     [](SimProgramOptions &o, QString &, const QString &) { o.chain.denyWrite = true; return QString(); }},
    {"--tcp", NeedsValue, tcpOption},
    {"--usb", 9706,
     [](SimProgramOptions &o, QString &v, const QString &) {
         if (v.isEmpty())
             return str(9706);
         o.usbDir = v;
         return QString();
     }},
    {"--usb-name", 9707,
     [](SimProgramOptions &o, QString &v, const QString &) {
         if (v.isEmpty() || v.contains(QLatin1Char('/')))
             return str(9707);
         o.usbName = v;
         return QString();
     }},
    {"--mixers", NeedsValue,
     [](SimProgramOptions &o, QString &v, const QString &) {
         return takeInt(v, o.chain.mixers, [](int n) { return n >= 1 && n <= SimWire::MaxMixers; }) ? QString()
                                                                                                     : str(9708);
     }},
    {"--model", NeedsValue,
     [](SimProgramOptions &o, QString &v, const QString &) {
         return takeInt(v, o.chain.model, [](int n) { return n >= 0 && n <= 255; }) ? QString() : str(9709);
     }},
    {"--address", 9710,
     [](SimProgramOptions &o, QString &v, const QString &) {
         std::array<quint8, 4> ip{};
         if (!parseIpv4(v, ip))
             return str(9710);
         o.chain.address = v;
         return QString();
     }},
    {"--user-id", NeedsValue, userIdOption},
    {"--drop", 9712,
     [](SimProgramOptions &o, QString &v, const QString &) {
         return parseProbability(v, o.chain.dropProbability) ? QString() : str(9712);
     }},
    {"--corrupt", 9713,
     [](SimProgramOptions &o, QString &v, const QString &) {
         return parseProbability(v, o.chain.corruptProbability) ? QString() : str(9713);
     }},
    {"--noise", 10750,
     [](SimProgramOptions &o, QString &v, const QString &) {
         return parseProbability(v, o.chain.noiseProbability) ? QString() : str(10750);
     }},
    {"--cut-after", 10751,
     [](SimProgramOptions &o, QString &v, const QString &) {
         return takeInt(v, o.cutAfter, [](int n) { return n >= 1; }) ? QString() : str(10751);
     }},
    {"--delay", 9714,
     [](SimProgramOptions &o, QString &v, const QString &) {
         return takeInt(v, o.chain.delayMs, [](int n) { return n >= 0; }) ? QString() : str(9714);
     }},
    {"--restart-ms", 11234,
     [](SimProgramOptions &o, QString &v, const QString &) {
         return takeInt(v, o.chain.restartMs, [](int n) { return n >= 0; }) ? QString() : str(11234);
     }},
    {"--line-rate", 10660,
     [](SimProgramOptions &o, QString &v, const QString &) {
         return takeInt(v, o.lineRate, [](int n) { return n >= 300 && n <= 921600; }) ? QString() : str(10660);
     }},
    {"--seed", 9715,
     [](SimProgramOptions &o, QString &v, const QString &) {
         bool ok = false;
         o.chain.seed = v.toUInt(&ok);
         return ok ? QString() : str(9715);
     }},
    {"--stuck", NeedsValue, stuckOption},
    {"--set", NeedsValue, stuckOption},
    {"--search-port", 9716, searchPortOption},
    {"--reply-port", 9717,
     [](SimProgramOptions &o, QString &v, const QString &) {
         return parsePort(v, o.replyPort) ? QString() : str(9717);
     }},
};

const SimOption *findSimOption(const QString &name)
{
    for (const SimOption &option : SimOptionTable)
        if (name == QLatin1String(option.name))
            return &option;
    return nullptr;
}

// What the options ask for together: a way to be reached, and stuck or
// start values only for mixers the chain has.
QString checkSimOptions(const SimProgramOptions &o)
{
    if (!o.help && !o.tcp && !o.serial && o.usbDir.isEmpty() && o.searchPort < 0)
        return str(9719);
    for (const SimStuck &s : o.chain.stuck + o.chain.start)
        if (s.mixer > o.chain.mixers)
            return str(9720).arg(s.mixer).arg(o.chain.mixers);
    return {};
}

} // namespace

SimParseResult parseSimArguments(const QStringList &args)
{
    SimParseResult r;
    auto fail = [&](const QString &why) {
        r.ok = false;
        r.error = why;
        return r;
    };
    for (int i = 0; i < args.size(); ++i) {
        // Options with a value take it from the next argument or after "=".
        OptionWord word = splitOptionWord(args[i]);
        const SimOption *option = findSimOption(word.name);
        if (!option)
            return fail(str(9718).arg(args[i]));
        if (option->missing != TakesNoValue && !takeOptionValue(args, i, word))
            return fail(option->missing == NeedsValue ? str(9704).arg(word.name) : str(option->missing));
        const QString why = option->apply(r.options, word.value, word.name);
        if (!why.isEmpty())
            return fail(why);
    }
    const QString why = checkSimOptions(r.options);
    if (!why.isEmpty())
        return fail(why);
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

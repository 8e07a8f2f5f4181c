// zkvr340a-ts-sync FILE.ts: brings a Qt Linguist translation of the string
// table in line with the table compiled into the program.
//
// lupdate cannot read base/strings.tsv, so this takes its place: every id of
// the table becomes one message of the context "StringTable" with the Japanese
// text as its source and the id as its disambiguation (translators see both).
// Translations already in the file are kept; a message whose Japanese text has
// changed keeps its old translation as a suggestion, marked unfinished, with
// the previous text as <oldsource>; a new id comes in unfinished; an id gone
// from the table leaves the file.

#include "base/strings.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QSaveFile>
#include <QTextStream>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace {

constexpr char Context[] = "StringTable";

struct Message
{
    QString source;
    QString oldSource;
    QString extraComment;
    QString translatorComment;
    QString translation;
    bool unfinished = true;
};

// The messages of the context by id; false (with `error` set) when the file
// exists but is no readable translation.
bool readMessages(const QString &path, QHash<int, Message> &messages, QString &error)
{
    QFile f(path);
    if (!f.exists())
        return true;
    if (!f.open(QIODevice::ReadOnly)) {
        error = f.errorString();
        return false;
    }
    QXmlStreamReader xml(&f);
    QString context;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"name") {
            context = xml.readElementText();
            continue;
        }
        if (xml.name() != u"message")
            continue;
        Message m;
        QString id;
        while (xml.readNextStartElement()) {
            const auto n = xml.name();
            if (n == u"translation") {
                m.unfinished = xml.attributes().hasAttribute(QStringLiteral("type"));
                m.translation = xml.readElementText();
            } else if (n == u"source") {
                m.source = xml.readElementText();
            } else if (n == u"oldsource") {
                m.oldSource = xml.readElementText();
            } else if (n == u"comment") {
                id = xml.readElementText();
            } else if (n == u"extracomment") {
                m.extraComment = xml.readElementText();
            } else if (n == u"translatorcomment") {
                m.translatorComment = xml.readElementText();
            } else {
                xml.skipCurrentElement();
            }
        }
        bool ok = false;
        const int key = id.toInt(&ok);
        if (context == QLatin1String(Context) && ok)
            messages.insert(key, m);
    }
    if (xml.hasError()) {
        error = QStringLiteral("line %1: %2").arg(xml.lineNumber()).arg(xml.errorString());
        return false;
    }
    return true;
}

void writeMessage(QXmlStreamWriter &xml, int id, const Message &m)
{
    xml.writeStartElement(QStringLiteral("message"));
    xml.writeTextElement(QStringLiteral("source"), m.source);
    if (!m.oldSource.isEmpty())
        xml.writeTextElement(QStringLiteral("oldsource"), m.oldSource);
    xml.writeTextElement(QStringLiteral("comment"), QString::number(id));
    if (!m.extraComment.isEmpty())
        xml.writeTextElement(QStringLiteral("extracomment"), m.extraComment);
    if (!m.translatorComment.isEmpty())
        xml.writeTextElement(QStringLiteral("translatorcomment"), m.translatorComment);
    xml.writeStartElement(QStringLiteral("translation"));
    if (m.unfinished)
        xml.writeAttribute(QStringLiteral("type"), QStringLiteral("unfinished"));
    xml.writeCharacters(m.translation);
    xml.writeEndElement();
    xml.writeEndElement();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        err << "usage: zkvr340a-ts-sync FILE.ts\n";
        return 2;
    }
    const QString path = args.at(1);
    QHash<int, Message> old;
    QString error;
    if (!readMessages(path, old, error)) {
        err << path << ": " << error << '\n';
        return 1;
    }

    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly)) {
        err << path << ": " << out.errorString() << '\n';
        return 1;
    }
    QXmlStreamWriter xml(&out);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(4);
    xml.writeStartDocument();
    xml.writeDTD(QStringLiteral("<!DOCTYPE TS>"));
    xml.writeStartElement(QStringLiteral("TS"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("2.1"));
    xml.writeAttribute(QStringLiteral("language"), QStringLiteral("en"));
    xml.writeAttribute(QStringLiteral("sourcelanguage"), QStringLiteral("ja"));
    xml.writeStartElement(QStringLiteral("context"));
    xml.writeTextElement(QStringLiteral("name"), QLatin1String(Context));
    int open = 0;
    for (const int id : strIds()) {
        Message m = old.value(id);
        const QString source = str(id);
        if (m.source != source) {
            if (!m.source.isEmpty()) {
                m.oldSource = m.source;
                m.unfinished = true;
            }
            m.source = source;
        }
        if (m.unfinished)
            ++open;
        else
            m.oldSource.clear();
        writeMessage(xml, id, m);
    }
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    if (!out.commit()) {
        err << path << ": " << out.errorString() << '\n';
        return 1;
    }
    QTextStream(stdout) << path << ": " << strIds().size() << " texts, " << open << " to translate\n";
    return 0;
}

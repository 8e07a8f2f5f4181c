#pragma once

// The files of the remote page, in the program's language: the panel page
// with the program's texts, its script, the page that refuses a link, and
// the manifest that lets a tablet keep the page as an app, full screen.

#include <QByteArray>
#include <QString>

namespace RemotePage {
// A file of the page as built into the program ("panel.js", "refused.html").
QByteArray file(const QString &name);
// index.html with the texts and the language filled in.
QByteArray page();
QByteArray manifest();
} // namespace RemotePage

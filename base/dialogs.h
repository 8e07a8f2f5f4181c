#pragma once

// The one seam for every message box and common dialog. Windows and logic ask
// through it; the program answers with real dialogs, tests with ScriptedDialogs.

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

class QPrinter;

enum class MsgIcon { None, Information, Warning, Error, Question };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No };
// How the print dialog ended: the printer is set up (a real printer or a PDF
// file), the user cancelled, or there is nothing to print on at all.
enum class PrintAnswer { Print, Cancel, NoPrinter };

class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // A message box. An empty title means the box has no title of its own.
    virtual MsgAnswer message(const QString &text, MsgButtons buttons, MsgIcon icon,
                              const QString &title) = 0;
    // File dialogs return an empty text when cancelled. `filter` is a Qt filter
    // ("設定値ファイル (*.ini)").
    virtual QString openFileName(const QString &title, const QString &startPath,
                                 const QString &filter) = 0;
    virtual QString saveFileName(const QString &title, const QString &startPath,
                                 const QString &filter) = 0;
    virtual std::optional<QColor> color(const QColor &initial) = 0;
    virtual std::optional<QFont> font(const QFont &initial) = 0;
    // The print dialog: sets up `printer` (its document name is already set)
    // for one page. An answerer without a print dialog offers no printer.
    virtual PrintAnswer print(QPrinter &printer);
    // A one-line entry whose characters are not shown, with OK and Cancel:
    // the entered text, or nothing when cancelled. An answerer without such
    // an entry cancels.
    virtual std::optional<QString> passphrase(const QString &prompt, const QString &title);

    // The usual box: title "ZK-VR340a", one OK button.
    void tell(const QString &text, MsgIcon icon);
};

// A filter in the string table's form "description|patterns|description|
// patterns" (patterns separated by ";") as the file dialogs take it:
// "description (pattern pattern);;...". A description's own "(...)" goes,
// the patterns follow it; "*.*" becomes "*", every file, also one without
// an extension.
QString fileDialogFilter(const QString &pipeFilter);

// Test double: records every request and answers from queues. A message with
// no queued answer gets the first button of its set (Ok or Yes).
class ScriptedDialogs final : public Dialogs
{
public:
    struct Shown
    {
        QString text;
        MsgButtons buttons;
        MsgIcon icon;
        QString title;
    };

    MsgAnswer message(const QString &text, MsgButtons buttons, MsgIcon icon,
                      const QString &title) override;
    QString openFileName(const QString &title, const QString &startPath,
                         const QString &filter) override;
    QString saveFileName(const QString &title, const QString &startPath,
                         const QString &filter) override;
    std::optional<QColor> color(const QColor &initial) override;
    std::optional<QFont> font(const QFont &initial) override;
    PrintAnswer print(QPrinter &printer) override;
    std::optional<QString> passphrase(const QString &prompt, const QString &title) override;

    std::deque<MsgAnswer> answers;
    std::deque<QString> fileNames;
    std::deque<std::optional<QColor>> colors;
    std::deque<std::optional<QFont>> fonts;
    // Each answer of the print dialog sets up the printer as the user would
    // (a PDF file, say) and says how the dialog ended; none left: Cancel.
    std::deque<std::function<PrintAnswer(QPrinter &)>> printAnswers;
    int printRequests = 0;
    // Answers of the passphrase entry; none left: cancelled.
    std::deque<std::optional<QString>> passphrases;
    QStringList passphrasePrompts;

    std::vector<Shown> shown;
    QStringList fileRequests;
    QStringList fileFilters;

    QStringList texts() const;
};

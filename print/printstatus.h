#pragma once

// How a print run ended, and what the user is told about it.

class Dialogs;

// The status of PrintForm. The values are those the print routine has always
// returned.
enum class PrintStatus : int {
    Printed = 0,
    Failed = -1,     // the window could not be captured or the printer refused the page
    NoPrinter = -2,  // nothing to print on
    Cancelled = -3,  // the user cancelled the print dialog
};

namespace PrintText {
constexpr int Title = 4300;     // "印刷"
constexpr int NoPrinter = 4301; // "利用できるプリンタがありません"
constexpr int Failed = 4302;    // "印刷に失敗しました"
} // namespace PrintText

// The print command's answer to a status: a box titled "印刷" when there is
// no printer or printing failed; nothing when the page was printed or the
// user cancelled.
void reportPrintStatus(PrintStatus status, Dialogs &dialogs);

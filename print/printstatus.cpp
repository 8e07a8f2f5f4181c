#include "printstatus.h"

#include "base/dialogs.h"
#include "base/strings.h"

void reportPrintStatus(PrintStatus status, Dialogs &dialogs)
{
    switch (status) {
    case PrintStatus::NoPrinter:
        dialogs.message(str(PrintText::NoPrinter), MsgButtons::Ok, MsgIcon::Warning,
                        str(PrintText::Title));
        return;
    case PrintStatus::Failed:
        dialogs.message(str(PrintText::Failed), MsgButtons::Ok, MsgIcon::Error, str(PrintText::Title));
        return;
    case PrintStatus::Printed:
    case PrintStatus::Cancelled:
        return;
    }
}

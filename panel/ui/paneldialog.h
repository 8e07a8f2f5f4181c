#pragma once

// A dialog of the panel that asks the user something on its own (a message,
// a colour, a font, a file) through the Dialogs seam. While such a box is up
// the dialog stays: a close asked meanwhile (a screen reader's Cancel, the
// panel closing its dialogs as the link count falls) first closes the box,
// and the dialog closes as soon as the box has returned. So no box is ever
// destroyed by the dialog beneath it, and none stays up without it.

#include <QDialog>

#include <functional>
#include <optional>

class PanelDialog : public QDialog
{
    Q_OBJECT

public:
    using QDialog::QDialog;

    // Closes at once, or, while a box is up, once the box has returned.
    void done(int result) override;

protected:
    // Runs `question`, which shows a box through the seam. False when the
    // dialog closed or went meanwhile: the caller then leaves the answer
    // alone and touches nothing more of the dialog.
    bool ask(const std::function<void()> &question);

private:
    int m_asking = 0;
    std::optional<int> m_closing;
};

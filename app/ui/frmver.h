#pragma once

// The version dialog FrmVer: the program's title and version. It does not
// talk to the mixers.

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

struct ProgramVersion
{
    int major = 2;
    int minor = 9;
    int revision = 114;
};

// "バージョン：2.9-114": the label text of a version.
QString versionText(const ProgramVersion &v);

class FrmVer : public QDialog
{
    Q_OBJECT
public:
    // `note`, when given, is one more line under the description (where the
    // virtual mixers answer).
    explicit FrmVer(ProgramVersion version = {}, QWidget *parent = nullptr, const QString &note = {});

    QLabel *LblTitle() const { return m_title; }
    QLabel *LblVersion() const { return m_version; }
    QLabel *LblDescription() const { return m_description; }
    QPushButton *cmdOK() const { return m_ok; }

private:
    QLabel *m_icon;
    QLabel *m_title;
    QLabel *m_version;
    QLabel *m_description;
    QPushButton *m_ok;
};

// Opens the dialog modeless below `main` (kept on screen) and returns it; it
// deletes itself when closed.
FrmVer *showVersionDialog(QWidget *main, ProgramVersion version = {}, const QString &note = {});

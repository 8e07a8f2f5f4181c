#include "editor/scales.h"
#include "tests/support/testmain.h"

#include <QTest>

Q_DECLARE_METATYPE(Scale)

class TestScales : public QObject
{
    Q_OBJECT

private slots:
    void display_data()
    {
        QTest::addColumn<Scale>("scale");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        QTest::newRow("level 0 is MUTE") << Scale::Level << 0 << "MUTE";
        QTest::newRow("level 1") << Scale::Level << 1 << "-91.5";
        QTest::newRow("level 32") << Scale::Level << 32 << "-10.0";
        QTest::newRow("level 63") << Scale::Level << 63 << "-0.2";
        QTest::newRow("level 64 without a minus") << Scale::Level << 64 << "0.0";
        QTest::newRow("level beyond the table") << Scale::Level << 65 << "";
        QTest::newRow("tenths, lowest meter level") << Scale::Tenths << -200 << "-20.0";
        QTest::newRow("tenths below one") << Scale::Tenths << -5 << "-0.5";
        QTest::newRow("tenths zero") << Scale::Tenths << 0 << "0.0";
        QTest::newRow("tenths large") << Scale::Tenths << 32767 << "3276.7";
        QTest::newRow("hundredths, digit before the point") << Scale::Hundredths << 1 << "0.01";
        QTest::newRow("hundredths 1000") << Scale::Hundredths << 1000 << "10.00";
        QTest::newRow("half seconds 0") << Scale::HalfSeconds << 0 << "0.5";
        QTest::newRow("half seconds 5") << Scale::HalfSeconds << 5 << "3.0";
        QTest::newRow("twentieths 0") << Scale::Twentieths << 0 << "0.05";
        QTest::newRow("twentieths 119") << Scale::Twentieths << 119 << "6.00";
        QTest::newRow("count") << Scale::Count << 16383 << "16383";
        QTest::newRow("negative count") << Scale::Count << -3 << "-3";
    }
    void display()
    {
        QFETCH(Scale, scale);
        QFETCH(int, code);
        QFETCH(QString, text);
        QCOMPARE(displayCode(scale, code), text);
    }

    // "These characters typed into a box with these bounds give this code."
    void commit_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Scale>("scale");
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("max");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("writeBack");
        const Scale L = Scale::Level;
        QTest::newRow("-20.7 is nearer than -19.3") << "-20.5" << L << 0 << 64 << true << 20 << "";
        QTest::newRow("-2.05 gives -2.1") << "-2.05" << L << 0 << 64 << true << 53 << "";
        QTest::newRow("0 dB") << "0" << L << 0 << 64 << true << 64 << "";
        QTest::newRow("-96 is MUTE") << "-96" << L << 0 << 64 << true << 0 << "";
        QTest::newRow("below -96") << "-96.1" << L << 0 << 64 << false << -1 << "";
        QTest::newRow("above 0 dB") << "3" << L << 0 << 64 << false << 65 << "";
        QTest::newRow("exactly a level") << "-10" << L << 0 << 64 << true << 32 << "";
        QTest::newRow("half-way takes the higher level") << "-93.75" << L << 0 << 64 << true << 1 << "";
        QTest::newRow("half-way between -20.7 and -19.3") << "-20" << L << 0 << 64 << true << 21 << "";
        QTest::newRow("top step judged by distance") << "-0.15" << L << 0 << 64 << true << 63 << "";
        QTest::newRow("top step half-way") << "-0.1" << L << 0 << 64 << true << 64 << "";
        QTest::newRow("lower-case mute") << "mute" << L << 0 << 64 << true << 0 << "";
        QTest::newRow("empty level box") << "" << L << 0 << 64 << true << 0 << "MUTE";
        QTest::newRow("MUTE below Min") << "MUTE" << L << 1 << 64 << false << 0 << "";
        QTest::newRow("MUTE with a blank") << "MUTE " << L << 0 << 64 << false << 0 << "";
        QTest::newRow("MUTE is no count") << "MUTE" << Scale::Count << 0 << 10 << false << 0 << "";
        QTest::newRow("plus sign fails") << "+5" << Scale::Count << 0 << 10 << false << 5 << "";
        QTest::newRow("5- reads 5") << "5-" << Scale::Count << 0 << 10 << true << 5 << "";
        QTest::newRow("5- judged by its bounds") << "5-" << Scale::Count << 0 << 4 << false << 5 << "";
        QTest::newRow("1.2.3 reads 1.2") << "1.2.3" << Scale::Tenths << 0 << 100 << true << 12 << "";
        QTest::newRow("lone minus reads 0") << "-" << Scale::Count << 0 << 10 << true << 0 << "";
        QTest::newRow("point first") << ".5" << Scale::Tenths << 0 << 10 << true << 5 << "";
        QTest::newRow("minus point") << "-.5" << Scale::Tenths << -10 << 10 << true << -5 << "";
        QTest::newRow("double minus reads 0") << "--5" << Scale::Count << 0 << 10 << true << 0 << "";
        QTest::newRow("empty count, Min 0") << "" << Scale::Count << 0 << 10 << true << 0 << "";
        QTest::newRow("empty count, Min 1") << "" << Scale::Count << 1 << 10 << false << 0 << "";
        QTest::newRow("letter fails") << "1a" << Scale::Count << 0 << 10 << false << 1 << "";
        QTest::newRow("full-width digits fail") << QStringLiteral("１２") << Scale::Count << 0 << 100
                                               << false << 0 << "";
        QTest::newRow("count rounds down") << "2.9" << Scale::Count << 0 << 10 << true << 2 << "";
        QTest::newRow("negative rounds toward minus infinity") << "-1.5" << Scale::Count << -5 << 5
                                                               << true << -2 << "";
        QTest::newRow("meter level -20.0") << "-20" << Scale::Tenths << -200 << 60 << true << -200 << "";
        QTest::newRow("meter level -20.1") << "-20.1" << Scale::Tenths << -200 << 60 << false << -201 << "";
        QTest::newRow("negative tenths") << "-2.3" << Scale::Tenths << -200 << 60 << true << -23 << "";
        QTest::newRow("0.29 is 29, not 28") << "0.29" << Scale::Hundredths << 1 << 1000 << true << 29 << "";
        QTest::newRow("1.2 s is 1") << "1.2" << Scale::HalfSeconds << 0 << 5 << true << 1 << "";
        QTest::newRow("0.5 s is 0") << "0.5" << Scale::HalfSeconds << 0 << 5 << true << 0 << "";
        QTest::newRow("0 s is below the half-second scale") << "0" << Scale::HalfSeconds << 0 << 5
                                                            << false << -1 << "";
        QTest::newRow("6.00 s") << "6" << Scale::Twentieths << 0 << 119 << true << 119 << "";
        QTest::newRow("6.05 s too long") << "6.05" << Scale::Twentieths << 0 << 119 << false << 120 << "";
        // A number beyond int must be refused, not wrapped into range.
        QTest::newRow("huge count") << "99999999999999999999" << Scale::Count << 0 << 65535 << false
                                    << std::numeric_limits<int>::max() << "";
        QTest::newRow("huge negative count") << "-4294967296" << Scale::Count << -10 << 65535 << false
                                             << std::numeric_limits<int>::min() << "";
        QTest::newRow("beyond double") << QString(400, u'9') << Scale::Tenths << 0 << 32767 << false
                                       << std::numeric_limits<int>::max() << "";
    }
    void commit()
    {
        QFETCH(QString, text);
        QFETCH(Scale, scale);
        QFETCH(int, min);
        QFETCH(int, max);
        QFETCH(bool, valid);
        QFETCH(int, code);
        QFETCH(QString, writeBack);
        const CommitResult r = commitEntry(text, scale, min, max);
        QCOMPARE(r.valid, valid);
        if (valid)
            QCOMPARE(r.code, code);
        QCOMPARE(r.textToWriteBack, writeBack);
    }

    // Typing back what a box shows must give the same code, for every code of
    // every field's range; a binary rounding slip would move values by one step.
    void shownTextCommitsToItsOwnCode_data()
    {
        QTest::addColumn<Scale>("scale");
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("max");
        QTest::newRow("level") << Scale::Level << 0 << 64;
        QTest::newRow("tenths") << Scale::Tenths << -200 << 32767;
        QTest::newRow("hundredths") << Scale::Hundredths << 0 << 1000;
        QTest::newRow("half seconds") << Scale::HalfSeconds << 0 << 5;
        QTest::newRow("twentieths") << Scale::Twentieths << 0 << 119;
        QTest::newRow("count") << Scale::Count << 0 << 65535;
    }
    void shownTextCommitsToItsOwnCode()
    {
        QFETCH(Scale, scale);
        QFETCH(int, min);
        QFETCH(int, max);
        for (int c = min; c <= max; ++c) {
            const QString shown = displayCode(scale, c);
            const CommitResult r = commitEntry(shown, scale, min, max);
            if (!r.valid || r.code != c)
                QFAIL(qPrintable(QStringLiteral("code %1 shown as %2 commits to %3").arg(c).arg(shown).arg(r.code)));
        }
    }

    // Far out-of-range numbers saturate instead of wrapping into a field's range.
    void hugeValuesSaturate()
    {
        const int top = std::numeric_limits<int>::max();
        const int bottom = std::numeric_limits<int>::min();
        QCOMPARE(codeFromValue(Scale::Count, 1e20), top);
        QCOMPARE(codeFromValue(Scale::Tenths, 4294967296.0 / 10 + 1), top);
        QCOMPARE(codeFromValue(Scale::Count, -std::numeric_limits<double>::infinity()), bottom);
        QCOMPARE(codeFromValue(Scale::Twentieths, std::numeric_limits<double>::infinity()), top);
        QCOMPARE(codeFromValue(Scale::Level, 1e300), 65);
        QCOMPARE(codeFromValue(Scale::Level, -1e300), -1);
        QCOMPARE(leadingDecimal(QString(400, u'9')), std::numeric_limits<double>::infinity());
    }

    void gridAndPictureForms()
    {
        QCOMPARE(levelNumberText(0), QStringLiteral("-96.0")); // the grid shows no MUTE
        QCOMPARE(levelNumberText(64), QStringLiteral("0.0"));
        QCOMPARE(levelNumberText(65), QString());
        QCOMPARE(levelPicture(0), 0);
        QCOMPARE(levelPicture(3), 1);
        QCOMPARE(levelPicture(62), 31);
        QCOMPARE(levelPicture(64), 31); // 65 codes, 32 pictures
        // Factory range 100..16383: steps of 511.
        QCOMPARE(thresholdPicture(100, 100, 16383), 0);
        QCOMPARE(thresholdPicture(100 + 511, 100, 16383), 1);
        QCOMPARE(thresholdPicture(16383, 100, 16383), 31);
        QCOMPARE(thresholdPicture(50, 100, 16383), 0);    // below Min
        QCOMPARE(thresholdPicture(40000, 100, 16383), 31); // above Max
        QCOMPARE(thresholdPicture(5, 0, 30), 0);           // fewer than 32 steps
        QCOMPARE(thresholdPicture(0, 0, 32767), 0);
    }

    // The level table is the only definition of the level scale: every entry
    // must be the mixer's own, not just its ends and its order. This copy is
    // typed apart from the one the program is built from (tenths of a dB of
    // attenuation, code 0 first), so a slip in either shows up here.
    void levelTableWhole()
    {
        const char *documented = "960, 915, 817, 740, 680, 625, 575, 532, 490, 452, 417, 386, 357, 332, 310, "
                                 "287, 268, 250, 235, 220, 207, 193, 182, 170, 160, 152, 142, 133, 126, 119, "
                                 "112, 106, 100, 94, 88, 83, 78, 74, 69, 64, 61, 56, 53, 50, 46, 43, 38, 36, "
                                 "33, 31, 28, 26, 23, 21, 19, 17, 15, 13, 12, 10, 7, 6, 4, 2, 0";
        const QStringList entries = QString::fromLatin1(documented).split(QStringLiteral(", "));
        QCOMPARE(qsizetype(LevelTable.size()), entries.size());
        for (int code = 0; code < int(entries.size()); ++code) {
            const int tenths = entries[code].toInt();
            QVERIFY2(LevelTable[std::size_t(code)] == tenths,
                     qPrintable(QStringLiteral("code %1 is %2, not %3")
                                    .arg(code).arg(LevelTable[std::size_t(code)]).arg(tenths)));
            // And what a box shows for it.
            const QString shown = code == 0 ? QStringLiteral("MUTE") : QString::number(-tenths / 10.0, 'f', 1);
            QCOMPARE(displayCode(Scale::Level, code), shown);
        }
        // The nearest-level search relies on the fall.
        for (std::size_t i = 1; i < LevelTable.size(); ++i)
            QVERIFY2(LevelTable[i] < LevelTable[i - 1], qPrintable(QString::number(i)));
    }
};

ZK_TEST_GUILESS_MAIN(TestScales)
#include "tst_scales.moc"

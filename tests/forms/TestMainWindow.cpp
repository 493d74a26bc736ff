#include <QMenu>
#include <QTest>

#include "FormsRig.h"
#include "settings/SettingsConversions.h"

using namespace kelvo;
using tests::FormsRig;
using Values = std::vector<bool>;

namespace {

void Click(QWidget* control) {
    QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(control->width() / 2, control->height() / 2));
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void noSettingsFile() {
        FormsRig rig(QByteArray(), "1");
        rig.Start();
        QCOMPARE(rig.Ini(), QByteArray("[General]\r\nCheckRamProcent=0\r\nLevel=0\r\n"));
        QCOMPARE(rig.schedulerValues.IntervalSeconds, 0);
        QCOMPARE(FormsRig::Values(rig.main.optTimed), (Values{false, false, false}));
        QCOMPARE(FormsRig::Values(rig.main.OptionLevel), (Values{true, false, false})); // the INI wins
        QCOMPARE(rig.optimizer.LevelPercent, std::int16_t{10});
        QVERIFY(!rig.main.CheckOptionRAM[0]->Value() && !rig.main.CheckOptionRAM[1]->Value());
        QCOMPARE(rig.main.windowTitle(), QString("Kelvo 2.0 Build 26"));
        QVERIFY2(rig.main.LoadErrors().isEmpty(), qPrintable(tests::FirstError(rig.main.LoadErrors())));
    }

    void timedWithAnOddInterval() {
        FormsRig rig("[General]\r\nTimed=True\r\nTime=600\r\n");
        rig.Start();
        QCOMPARE(FormsRig::Values(rig.main.optTimed), (Values{true, false, false}));
        QCOMPARE(rig.schedulerValues.IntervalSeconds, 300);
        QVERIFY(rig.Ini().contains("Time=600\r\n")); // unchanged until the user picks an interval
        QVERIFY(rig.main.CheckOptionRAM[0]->Value());
    }

    void timedYesStaysOff() {
        FormsRig rig("[General]\r\nTimed=yes\r\nTime=900\r\n");
        rig.Start();
        QCOMPARE(rig.schedulerValues.IntervalSeconds, 0);
        QVERIFY(!rig.main.CheckOptionRAM[0]->Value());
    }

    void levelOutOfRangeKeepsThePerUserChoice_data() {
        QTest::addColumn<QString>("level");
        QTest::addColumn<QString>("userLevel");
        QTest::addColumn<Values>("options");
        QTest::addColumn<int>("percent");
        QTest::newRow("7, per-user 1") << "7"
                                       << "1" << Values{false, true, false} << 40;
        QTest::newRow("-1, per-user 0") << "-1"
                                        << "0" << Values{true, false, false} << 40;
        QTest::newRow("99999 reads as 0") << "99999"
                                          << "junk" << Values{true, false, false} << 10;
        QTest::newRow("abc, per-user 5") << "abc"
                                         << "5" << Values{true, false, false} << 10; // abc reads as 0
        QTest::newRow("2.5 rounds to 2") << "2.5"
                                         << "0" << Values{false, false, true} << 20;
    }
    void levelOutOfRangeKeepsThePerUserChoice() {
        QFETCH(QString, level);
        QFETCH(QString, userLevel);
        QFETCH(Values, options);
        QFETCH(int, percent);
        FormsRig rig("[General]\r\nLevel=" + level.toLatin1() + "\r\n", userLevel);
        rig.Start();
        QCOMPARE(FormsRig::Values(rig.main.OptionLevel), options);
        QCOMPARE(int(rig.optimizer.LevelPercent), percent);
        const QByteArray written = QByteArray::number(settings::ToInteger(level));
        QVERIFY2(rig.Ini().contains("Level=" + written + "\r\n"), rig.Ini().constData());
    }

    void freeRamWithAnUnknownPercentage() {
        FormsRig rig("[General]\r\nCheckRam=True\r\nCheckRamProcent=5\r\n");
        rig.Start();
        QVERIFY(rig.main.CheckOptionRAM[1]->Value());
        QCOMPARE(rig.schedulerValues.FreeThreshold, 0.3f);
        QCOMPARE(FormsRig::Values(rig.main.OptionRAMPercent), (Values{false, false, false}));
        QVERIFY(rig.Ini().contains("CheckRamProcent=5\r\n"));
        QVERIFY(rig.Ini().contains("CheckRam=True\r\n"));
    }

    void minimizedStart() {
        FormsRig rig("[General]\r\nMinimized=True\r\n");
        rig.Start();
        QVERIFY(rig.shell.StartMinimized);
        QVERIFY(rig.main.chkStart->Value());
    }

    void intervalClicks() {
        FormsRig rig;
        rig.Start();
        Click(rig.main.optTimed[1]); // "15 min" while timed mode is off
        QCOMPARE(FormsRig::Values(rig.main.optTimed), (Values{false, true, false}));
        QVERIFY(rig.Ini().contains("Time=900\r\n"));
        QCOMPARE(rig.schedulerValues.IntervalSeconds, 0);
        rig.clock.Advance(100);
        Click(rig.main.CheckOptionRAM[0]);
        QCOMPARE(rig.schedulerValues.IntervalSeconds, 900);
        QVERIFY(rig.Ini().contains("Timed=True\r\n"));
        QCOMPARE(rig.shell.Start.StartTime, 36100); // the countdown restarts
        Click(rig.main.optTimed[2]);
        QCOMPARE(rig.schedulerValues.IntervalSeconds, 1800);
        QCOMPARE(rig.shell.Start.StartTime, 36100); // another interval does not restart it
        Click(rig.main.CheckOptionRAM[0]);
        QCOMPARE(rig.schedulerValues.IntervalSeconds, 0);
        QVERIFY(rig.Ini().contains("Timed=False\r\n"));
    }

    void timedModeWithNoIntervalChosen() {
        FormsRig rig;
        rig.Start();
        Click(rig.main.CheckOptionRAM[0]);
        QCOMPARE(FormsRig::Values(rig.main.optTimed), (Values{true, false, false}));
        QVERIFY(rig.Ini().contains("Time=300\r\n"));
        QCOMPARE(rig.schedulerValues.IntervalSeconds, 300);
        rig.scheduler.CheckSchedule();
        QCOMPARE(rig.main.NextOptimizeCaption(), QString("Next RAM Optimization: \r\n5 minutes"));
        Click(rig.main.CheckOptionRAM[0]);
        rig.scheduler.CheckSchedule();
        QCOMPARE(rig.main.NextOptimizeCaption(), QString("Next RAM Optimization: \r\n5 minutes")); // kept
    }

    void levelAndPercentClicks() {
        FormsRig rig;
        rig.Start();
        Click(rig.main.OptionLevel[2]);
        QCOMPARE(FormsRig::Values(rig.main.OptionLevel), (Values{false, false, true}));
        QCOMPARE(rig.optimizer.LevelPercent, std::int16_t{20});
        QVERIFY(rig.Ini().contains("Level=2\r\n"));
        QVERIFY(!rig.userSettings.values.contains("Kelvo/General/Level")); // only at the next close
        Click(rig.main.OptionRAMPercent[1]);
        QCOMPARE(rig.schedulerValues.FreeThreshold, 0.2f);
        QVERIFY(rig.Ini().contains("CheckRamProcent=1\r\n"));
        Click(rig.main.CheckOptionRAM[1]);
        QVERIFY(rig.Ini().contains("CheckRam=True\r\n"));
        QCOMPARE(rig.schedulerValues.FreeThreshold, 0.2f);
        Click(rig.main.chkStart);
        QVERIFY(rig.Ini().contains("Minimized=True\r\n"));
        QVERIFY(rig.shell.StartMinimized);
    }

    void statistics() {
        FormsRig rig;
        rig.memory.status = system::MemoryStatus{536870912, 125829120, 0, 0};
        rig.Start();
        QCOMPARE(rig.main.lblM[0]->Caption(), QString("536,870,912"));
        QCOMPARE(rig.main.lblM[1]->Caption(), QString("411,041,792"));
        QCOMPARE(rig.main.lblM[2]->Caption(), QString("125,829,120"));
        rig.memory.status.reset(); // unreadable figures leave the last ones shown
        rig.main.SetMem();
        QCOMPARE(rig.main.lblM[0]->Caption(), QString("536,870,912"));
    }

    void freeRamNowDuringAndAfterAPass() {
        FormsRig rig;
        rig.Start();
        rig.memory.SetMB(1000, 100);
        rig.scheduler.CheckSchedule();
        QStringList seen;
        bool enabledDuring = true;
        rig.pump.onTurn = [&](int turn) {
            rig.main.SetMem();
            seen = {rig.main.lblM[0]->Caption(), rig.main.lblM[1]->Caption(), rig.main.lblM[2]->Caption()};
            enabledDuring = rig.main.cmdOptimize->isEnabled() || rig.main.cmdOptimize->Enabled();
            if (turn == 3) {
                rig.main.cmdOptimize_Click(); // a click during the pass starts nothing
                rig.scheduler.CheckSchedule();
            }
        };
        rig.main.cmdOptimize_Click();
        QCOMPARE(seen, QStringList(3, "Optimizing..."));
        QVERIFY(!enabledDuring);
        QVERIFY(rig.main.cmdOptimize->isEnabled());
        QCOMPARE(rig.allocator.allocations, optimizer::BlockCount(900, 100, 10));
        QCOMPARE(rig.main.pb->Max(), 100);
        QCOMPARE(rig.main.pb->Value(), 100);
        // After a failed pass the button is enabled again.
        rig.allocator.refuseAt = rig.allocator.allocations + 2;
        rig.pump.onTurn = nullptr;
        rig.main.cmdOptimize_Click();
        QVERIFY(rig.main.cmdOptimize->isEnabled());
        QVERIFY(!rig.optimizer.Optimizing());
    }

    void freeRamNowIsTheStoredSkinnedButton() {
        FormsRig rig;
        rig.Start();
        QVERIFY2(rig.main.LoadErrors().isEmpty(), qPrintable(tests::FirstError(rig.main.LoadErrors())));
        const auto& button = *rig.main.cmdOptimize;
        QCOMPARE(button.ButtonType(), 14);
        QCOMPARE(button.ColorScheme(), 1);
        QCOMPARE(button.Caption(), QString("Free RAM Now"));
        QVERIFY(button.FontBold());
        QCOMPARE(button.Font().Size(), 8.25f);
        QCOMPARE(button.BackColor().Raw(), 0xC8D0D4u);
        QCOMPARE(button.BackOver().Raw(), 0xC8D0D4u);
        QCOMPARE(button.ForeOver().Raw(), 0u);
        QCOMPARE(button.MousePointer(), std::int16_t{1});
        QVERIFY(!button.HandPointer());
    }

    void closeByReason() {
        FormsRig rig;
        rig.Start();
        rig.main.show();
        Click(rig.main.OptionLevel[1]);
        QVERIFY(!rig.main.QueryUnload(forms::CloseReason::User));
        QVERIFY(rig.main.isHidden());
        QCOMPARE(rig.userSettings.values.value("Kelvo/General/Level"), QString("1"));
        QCOMPARE(rig.unloads, 0);
        QVERIFY(rig.main.QueryUnload(forms::CloseReason::Unload));
        QCOMPARE(rig.unloads, 0);
        rig.main.QueryUnload(forms::CloseReason::Other);
        QCOMPARE(rig.unloads, 1);
        // During a pass the window refuses to close but still stores the level.
        rig.pump.onTurn = [&](int) {
            QVERIFY(!rig.main.QueryUnload(forms::CloseReason::Unload));
            rig.optimizer.ReleaseBlocks();
        };
        rig.optimizer.OptimizeRAM(5);
        QCOMPARE(rig.allocator.live, 0);
    }

    // Without a tray showing the icon a window sent away could never come back: it stays in the task list.
    void closeBoxAndStartWithoutATray_data() {
        QTest::addColumn<bool>("shown");
        QTest::addColumn<bool>("pending");
        QTest::addColumn<bool>("closedVisible"); // after the close box: minimized in the task list
        QTest::addColumn<bool>("startVisible");  // a minimized start shows the window at once
        QTest::newRow("tray shows the icon") << true << false << false << false;
        QTest::newRow("no tray") << false << false << true << true;
        QTest::newRow("tray still answering") << false << true << true << false;
    }
    void closeBoxAndStartWithoutATray() {
        QFETCH(bool, shown);
        QFETCH(bool, pending);
        QFETCH(bool, closedVisible);
        QFETCH(bool, startVisible);
        FormsRig rig;
        rig.Start();
        rig.tray->shown = shown;
        rig.tray->pending = pending;
        rig.hidden.ShowMainWindowWithoutTray(50);
        QCOMPARE(rig.main.isVisible(), startVisible);
        // A tray that was asked but never answered leaves the window shown after the grace time.
        QTRY_COMPARE(rig.main.isVisible(), !shown);
        rig.main.show();
        QVERIFY(!rig.main.close());
        QCOMPARE(rig.main.isVisible(), closedVisible);
        QCOMPARE(rig.main.isMinimized(), closedVisible);
        rig.hidden.RestoreMainWindow();
        QVERIFY(rig.main.isVisible() && !rig.main.isMinimized());
    }

    // A tray that goes away while the window is in it: a restarting panel is waited for, one that stays
    // away leaves the window minimized in the task list.
    void aTrayThatGoesAway() {
        FormsRig rig;
        rig.Start();
        rig.main.show();
        QVERIFY(!rig.main.close());
        rig.tray->Set(false);
        QTest::qWait(forms::frmHidden::TrayReturnMs / 2);
        rig.tray->Set(true);
        QTest::qWait(forms::frmHidden::TrayReturnMs);
        QVERIFY(rig.main.isHidden());
        rig.tray->Set(false);
        QTRY_VERIFY_WITH_TIMEOUT(rig.main.isVisible(), forms::frmHidden::TrayReturnMs * 2);
        QVERIFY(rig.main.isMinimized());
    }

    // Word of a scheduled pass goes to the desktop only when the window was not in view.
    void passesTheUserDidNotWatch() {
        FormsRig rig("[General]\r\nCheckRam=True\r\nCheckRamProcent=2\r\n");
        rig.Start();
        rig.memory.SetMB(8000, 1000);
        rig.pump.onTurn = [&](int) { rig.memory.SetMB(8000, 3000); };
        QStringList expected;
        for (const char* state : {"shown", "closed", "minimized", "shown"}) {
            rig.main.showNormal();
            if (state == QByteArray("closed")) {
                rig.main.close();
            } else if (state == QByteArray("minimized")) {
                rig.main.showMinimized();
            }
            rig.memory.SetMB(8000, 1000);
            rig.scheduler.RearmFreeRam();
            rig.scheduler.CheckSchedule();
            if (state != QByteArray("shown")) {
                expected << "Free RAM before: 1,048,576,000\nFree RAM after: 3,145,728,000\n"
                            "Available memory rose by 2,097,152,000 bytes";
            }
            QCOMPARE(rig.notifier.bodies, expected);
        }
        QCOMPARE(forms::frmHidden::PassReport({8, 5}, {8, 5}, QLocale(QLocale::English)),
                 "Free RAM before: 5\nFree RAM after: 5\nAvailable memory rose by 0 bytes");
        QCOMPARE(forms::frmHidden::PassReport({8000, 4000}, {8000, 1000}, QLocale(QLocale::English)),
                 "Free RAM before: 4,000\nFree RAM after: 1,000\nAvailable memory fell by 3,000 bytes");
        QCOMPARE(forms::frmHidden::PassReport({8000, 1000, 9000, 9000}, {8000, 3000, 9000, 5000},
                                              QLocale(QLocale::English)),
                 "Free RAM before: 1,000\nFree RAM after: 3,000\nAvailable memory rose by 2,000 bytes\n"
                 "4,000 bytes of idle programs moved to swap");
    }

    // Each way back from the tray, from each way the window can have left the screen.
    void trayRestores_data() {
        QTest::addColumn<QString>("gesture");
        QTest::addColumn<QString>("away");
        for (const char* gesture : {"left click", "double click", "Show"}) {
            for (const char* away : {"close box", "minimized, then close box", "minimized"}) {
                QTest::addRow("%s after %s", gesture, away) << gesture << away;
            }
        }
    }
    void trayRestores() {
        QFETCH(QString, gesture);
        QFETCH(QString, away);
        FormsRig rig;
        rig.Start();
        QWidget other; // holds the focus while the main window is away
        for (int cycle = 0; cycle < 3; ++cycle) {
            rig.main.show();
            if (away.startsWith("minimized")) {
                rig.main.setWindowState(rig.main.windowState() | Qt::WindowMinimized);
            }
            if (away.endsWith("close box")) {
                QVERIFY(!rig.main.close());
                QVERIFY(rig.main.isHidden());
                // A window closed to the tray is withdrawn, never left iconic: the window manager would map
                // it iconic again at the restore.
                QVERIFY(away != "close box" || !(rig.main.windowState() & Qt::WindowMinimized));
            }
            other.show();
            other.activateWindow();
            QTRY_VERIFY(other.isActiveWindow());
            if (gesture == "left click") {
                rig.hidden.TrayNotification(514);
            } else if (gesture == "double click") {
                rig.hidden.TrayNotification(514);
                rig.hidden.TrayNotification(515);
            } else {
                rig.hidden.mnuTrayPopup->actions().first()->trigger();
            }
            QVERIFY(rig.main.isVisible());
            QVERIFY(!(rig.main.windowState() & Qt::WindowMinimized));
            QTRY_VERIFY(rig.main.isActiveWindow());
        }
    }

    // A failed write changes nothing stored and is told once a run, naming the file and the reason; the
    // next change tries again.
    void aFailedWriteChangesNothingElse() {
        FormsRig rig("[General]\r\nLevel=1\r\n");
        auto messages = std::make_unique<tests::RecordingMessages>();
        const tests::RecordingMessages& told = *messages;
        rig.hostContext.SetMessageBox(std::move(messages));
        rig.Start();
        const QByteArray before = rig.Ini();
        rig.storage.failWrites = true; // a full disk or a read-only folder
        Click(rig.main.OptionLevel[2]);
        QCOMPARE(rig.optimizer.LevelPercent, std::int16_t{20}); // takes effect for this run all the same
        QCOMPARE(FormsRig::Values(rig.main.OptionLevel), (Values{false, false, true}));
        QCOMPARE(rig.Ini(), before);
        Click(rig.main.OptionLevel[0]);
        QTRY_COMPARE(told.texts.size(), 1);
        QVERIFY2(told.texts[0].contains(FormsRig::IniPath) &&
                     told.texts[0].contains("No space left on device"),
                 qPrintable(told.texts[0]));
        rig.storage.failWrites = false;
        Click(rig.main.OptionLevel[2]);
        QCOMPARE(rig.Ini(), QByteArray("[General]\r\nLevel=2\r\nCheckRamProcent=0\r\n"));
        QTest::qWait(10);
        QCOMPARE(told.texts.size(), 1);
    }

    void endOfSessionDuringAPass() {
        FormsRig rig;
        rig.Start();
        // The rig's UnloadAll stands for the real one: both windows unload, the pass's blocks are released.
        rig.context.unloadAll = [&] {
            rig.main.Unload();
            rig.hidden.Unload();
            ++rig.unloads;
        };
        rig.pump.onTurn = [&](int turn) {
            if (turn == 6) {
                rig.main.QueryUnload(forms::CloseReason::Other);
            }
        };
        QVERIFY(!rig.optimizer.OptimizeRAM(50));
        QCOMPARE(rig.unloads, 1);
        QCOMPARE(rig.allocator.live, 0);
        QCOMPARE(rig.allocator.allocations, 3);
        QVERIFY(!rig.hidden.GlobalTimer.isActive());
    }

    void linksOpenAndChangeColour() {
        FormsRig rig;
        rig.Start();
        rig.main.show();
        QTest::mouseClick(rig.main.lblReadme, Qt::LeftButton);
        QTest::mouseClick(rig.main.lblWebsite, Qt::LeftButton);
        QCOMPARE(rig.desktop.opened, (QStringList{"/program/readme.txt", forms::WebsiteAddress}));
        QEvent enter(QEvent::Enter);
        QCoreApplication::sendEvent(rig.main.lblReadme, &enter);
        QCOMPARE(rig.main.lblReadme->ForeColor().Raw(), 0x000000FFu);
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(rig.main.lblReadme, &leave);
        QCOMPARE(rig.main.lblReadme->ForeColor().Raw(), 0x00FF0000u);
    }
};

QTEST_MAIN(TestMainWindow)
#include "TestMainWindow.moc"

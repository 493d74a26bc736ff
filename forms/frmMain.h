#pragma once

#include <array>
#include <cstdint>

#include <QTimer>

#include "platform/host/Form.h"
#include "platform/host/Label.h"

#include "LoadSettings.h"
#include "ProgramContext.h"
#include "controls/button/sknButton.h"
#include "controls/option/OptionGroup.h"
#include "controls/option/sknCheck.h"
#include "controls/option/sknOption.h"
#include "controls/progressbar/sknProgressBar.h"
#include "optimizer/PassInterfaces.h"
#include "optimizer/Scheduler.h"
#include "settings/SettingsKeys.h"

namespace kelvo::forms {

class frmHidden;

// Why the main window is asked to close.
enum class CloseReason {
    User,   // close box, system menu, Alt+F4: the window goes to the tray
    Unload, // the program's own unload: the tray icon goes, the window closes
    Other,  // end of session, termination signal: the program ends
};

// The one window the user works with: memory statistics, "Free RAM Now" and every setting.
class frmMain : public host::Form,
                public SettingsTarget,
                public optimizer::ScheduleView,
                public optimizer::ProgressSink {
    Q_OBJECT
public:
    using OptionControl = controls::sknOption;
    using CheckControl = controls::sknCheck;
    using ButtonControl = controls::sknButton;
    using ProgressBarControl = controls::sknProgressBar;

    frmMain(ProgramContext& context, frmHidden& hidden);

    // Problems met while loading the form file (none in a sound build).
    const host::FormErrors& LoadErrors() const { return loadErrors_; }

    // Title, first statistics and the level option of the per-user settings area.
    void Load();
    void SetMem();

    // Handles a close request; returns whether the window may close.
    bool QueryUnload(CloseReason reason);
    // Closes the window for the program's end (refused while a pass runs).
    bool Unload();

    // Click handlers, also used to apply the stored settings.
    void CheckOptionRAM_Click(std::int16_t index) override;
    void OptionRAMPercent_Click(std::int16_t index) override;
    void OptionLevel_Click(std::int16_t index) override;
    void optTimed_Click(std::int16_t index);
    void chkStart_Click();
    void cmdOptimize_Click();
    void ResetLinkColors();

    // SettingsTarget
    void SetCheckOptionRAMValue(std::int16_t index, bool value) override;
    void SetOptTimedValue(std::int16_t index, bool value) override;
    void SetOptionRAMPercentValue(std::int16_t index, bool value) override;
    void SetOptionLevelValue(std::int16_t index, bool value) override;
    void SetChkStartValue(bool value) override;
    void SetIntervalSeconds(std::int32_t seconds) override;
    void SetStartMinimized(bool value) override;

    // ScheduleView
    bool FreeRamModeChecked() const override;
    void SetNextOptimizeCaption(const QString& caption) override;
    QString NextOptimizeCaption() const { return nextOptimizeCaption_; }

    // ProgressSink: the pass drives the progress bar.
    void SetMax(std::int32_t max) override;
    void SetValue(std::int32_t value) override;

    std::array<OptionControl*, 3> OptionLevel{};
    std::array<OptionControl*, 3> optTimed{};
    std::array<OptionControl*, 3> OptionRAMPercent{};
    std::array<CheckControl*, 2> CheckOptionRAM{};
    CheckControl* chkStart = nullptr;
    ButtonControl* cmdOptimize = nullptr;
    ProgressBarControl* pb = nullptr;
    std::array<host::Label*, 3> lblM{};
    host::Label* NextOptimizeLabel = nullptr;
    host::Label* lblReadme = nullptr;
    host::Label* lblWebsite = nullptr;
    QTimer Timer1;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FindControls();
    // Ties each caption to the control or figure it names, for assistive technology and the focus mark.
    void TieCaptions();
    // The keyboard's way through the window: the option groups, the Tab stops in reading order.
    void ArrangeKeyboard();
    void BlendIntoBackground(host::UserControl* control);
    void SetLinkColour(host::Label* link, gdi::Colour colour);
    void WriteIni(const settings::SettingKey& setting, const QString& value);
    void TellSaveProblem();
    // Selects option index of a group and clears the others; other indices change nothing.
    static void SelectOnly(const std::array<OptionControl*, 3>& group, std::int16_t index);

    ProgramContext& context_;
    frmHidden& hidden_;
    QString nextOptimizeCaption_;
    host::FormErrors loadErrors_;
    bool unloading_ = false;
    bool focusPlaced_ = false;
    bool saveFailureTold_ = false;
    QString saveProblem_;
    QTimer saveProblemTimer_; // tells saveProblem_ from the event loop
    std::array<controls::OptionGroup*, 3> groups_{};
};

} // namespace kelvo::forms

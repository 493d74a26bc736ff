#include "frmMain.h"

#include <QCloseEvent>
#include <QEvent>
#include <QPointer>
#include <QShowEvent>

#include "FormResources.h"
#include "controls/frame/sknFrame3D.h"
#include "controls/line/sknLine3D.h"
#include "frmHidden.h"
#include "platform/host/ControlFactory.h"
#include "platform/host/FormReader.h"
#include "platform/numeric/Numeric.h"
#include "settings/OpenDocument.h"
#include "settings/ProgramFolder.h"
#include "settings/SettingsConversions.h"

namespace kelvo::forms {

namespace {

QString BooleanText(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

template <typename Control, std::size_t N> Control* Element(const std::array<Control*, N>& group, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < N ? group[static_cast<std::size_t>(index)]
                                                             : nullptr;
}

// Every kind the main window's form file names; the frames log to the program's error log.
host::ControlFactory MainWindowKinds(controls::ErrorLog* errorLog) {
    host::ControlFactory factory;
    factory.Register<frmMain::OptionControl>(QStringLiteral("sknOption"));
    factory.Register<frmMain::CheckControl>(QStringLiteral("sknCheck"));
    factory.Register<frmMain::ButtonControl>(QStringLiteral("sknButton"));
    factory.Register<frmMain::ProgressBarControl>(QStringLiteral("sknProgressBar"));
    factory.Register(QStringLiteral("sknFrame3D"), [errorLog](host::HostContext& host, QWidget* parent) {
        return new controls::sknFrame3D(host, errorLog, parent);
    });
    factory.Register<controls::sknLine3D>(QStringLiteral("sknLine3D"));
    return factory;
}

const gdi::Colour LinkBlue = gdi::Colour::FromRgb(0, 0, 255);
const gdi::Colour LinkRed = gdi::Colour::FromRgb(255, 0, 0);

} // namespace

frmMain::frmMain(ProgramContext& context, frmHidden& hidden)
    : host::Form(context.host)
    , context_(context)
    , hidden_(hidden) {
    InitFormResources();
    const QString file = QStringLiteral(":/forms/frmMain.json");
    host::FormReader::Result read = host::FormReader::ReadFile(file);
    loadErrors_ = read.errors;
    if (read.form) {
        loadErrors_ += host::Form::Load(*read.form, MainWindowKinds(context.errorLog), file);
    }
    FindControls();
    setWindowIcon(ProgramIcon());

    Timer1.setParent(this);
    Timer1.setInterval(500);
    connect(&Timer1, &QTimer::timeout, this, &frmMain::SetMem);
    saveProblemTimer_.setSingleShot(true);
    saveProblemTimer_.setInterval(0);
    connect(&saveProblemTimer_, &QTimer::timeout, this, &frmMain::TellSaveProblem);
    Timer1.start();
}

void frmMain::FindControls() {
    // A control missing from the form file (a broken build) is replaced by an invisible stand-in, so
    // every handler finds its controls.
    const auto find = [this]<typename T>(T*& control, const QString& name, std::int32_t index) {
        control = Find<T>(name, index);
        if (control == nullptr) {
            control = new T(Host(), this);
            control->hide();
        }
    };
    for (std::int32_t i = 0; i < 3; ++i) {
        const std::size_t k = static_cast<std::size_t>(i);
        find(OptionLevel[k], QStringLiteral("OptionLevel"), i);
        find(optTimed[k], QStringLiteral("optTimed"), i);
        find(OptionRAMPercent[k], QStringLiteral("OptionRAMPercent"), i);
        find(lblM[k], QStringLiteral("lblM"), i);
        connect(OptionLevel[k], &OptionControl::Click, this,
                [this, i] { OptionLevel_Click(static_cast<std::int16_t>(i)); });
        connect(optTimed[k], &OptionControl::Click, this,
                [this, i] { optTimed_Click(static_cast<std::int16_t>(i)); });
        connect(OptionRAMPercent[k], &OptionControl::Click, this,
                [this, i] { OptionRAMPercent_Click(static_cast<std::int16_t>(i)); });
    }
    for (std::int32_t i = 0; i < 2; ++i) {
        find(CheckOptionRAM[static_cast<std::size_t>(i)], QStringLiteral("CheckOptionRAM"), i);
        connect(CheckOptionRAM[static_cast<std::size_t>(i)], &CheckControl::Click, this,
                [this, i] { CheckOptionRAM_Click(static_cast<std::int16_t>(i)); });
    }
    find(chkStart, QStringLiteral("chkStart"), -1);
    for (std::size_t k = 0; k < 3; ++k) {
        BlendIntoBackground(OptionLevel[k]);
        BlendIntoBackground(optTimed[k]);
        BlendIntoBackground(OptionRAMPercent[k]);
    }
    BlendIntoBackground(CheckOptionRAM[0]);
    BlendIntoBackground(CheckOptionRAM[1]);
    BlendIntoBackground(chkStart);
    connect(chkStart, &CheckControl::Click, this, &frmMain::chkStart_Click);
    find(pb, QStringLiteral("pb"), -1);
    find(cmdOptimize, QStringLiteral("cmdOptimize"), -1);
    connect(cmdOptimize, &ButtonControl::Click, this, &frmMain::cmdOptimize_Click);
    find(NextOptimizeLabel, QStringLiteral("NextOptimizeLabel"), -1);
    find(lblReadme, QStringLiteral("lblReadme"), -1);
    find(lblWebsite, QStringLiteral("lblWebsite"), -1);
    for (host::Label* link : {lblReadme, lblWebsite}) {
        link->SetActsAsLink(true);
        link->setMouseTracking(true);
        link->installEventFilter(this);
    }
    connect(lblReadme, &host::Label::Click, this, [this] {
        settings::OpenDocument(context_.desktop, settings::ReadmePath(context_.shell.AppFolder));
    });
    connect(lblWebsite, &host::Label::Click, this,
            [this] { settings::OpenDocument(context_.desktop, WebsiteAddress); });
    ResetLinkColors();
    TieCaptions();
    ArrangeKeyboard();
}

void frmMain::BlendIntoBackground(host::UserControl* control) {
    // The small option and check controls have opaque surfaces; giving them the colour of the window's
    // picture under them keeps a light frame from showing round their images.
    const QImage& picture = Picture().Image();
    const QPoint at = control->geometry().center();
    if (!picture.rect().contains(at)) {
        return;
    }
    const gdi::Colour colour = gdi::Colour::FromQRgb(picture.pixel(at));
    control->Surface().SetBackColor(colour);
    if (auto* option = dynamic_cast<controls::sknOption*>(control)) {
        option->picRadio->SetBackColor(colour);
    }
}

void frmMain::TieCaptions() {
    const auto tie = [this](QWidget* control, const QString& label, std::int32_t index) {
        if (auto* caption = Find<host::Label>(label, index)) {
            caption->SetLabelFor(control);
        }
    };
    for (std::int32_t i = 0; i < 3; ++i) {
        const std::size_t k = static_cast<std::size_t>(i);
        tie(lblM[k], QStringLiteral("lblCaption"), i);
        tie(OptionLevel[k], QStringLiteral("lblLevel"), i);
        tie(optTimed[k], QStringLiteral("lblInterval"), i);
        tie(OptionRAMPercent[k], QStringLiteral("lblPercent"), i);
    }
    tie(CheckOptionRAM[0], QStringLiteral("lblTimed"), -1);
    tie(CheckOptionRAM[1], QStringLiteral("lblFreeRam"), -1);
    tie(chkStart, QStringLiteral("lblStartMinimize"), -1);
    pb->setAccessibleName(QStringLiteral("Optimization progress"));
}

void frmMain::ArrangeKeyboard() {
    const auto group = [this](const std::array<OptionControl*, 3>& options) {
        return new controls::OptionGroup({options.begin(), options.end()}, this);
    };
    groups_ = {group(OptionLevel), group(optTimed), group(OptionRAMPercent)};
    // Reading order: the levels, the timed mode and its choices, the free-RAM mode and its choices, the
    // minimized start beside them, then the bottom row from left to right. Each group is one stop.
    const std::vector<QWidget*> order{
        OptionLevel[0],      OptionLevel[1], OptionLevel[2],    CheckOptionRAM[0],   optTimed[0],
        optTimed[1],         optTimed[2],    CheckOptionRAM[1], OptionRAMPercent[0], OptionRAMPercent[1],
        OptionRAMPercent[2], chkStart,       lblReadme,         cmdOptimize,         lblWebsite};
    for (std::size_t k = 1; k < order.size(); ++k) {
        setTabOrder(order[k - 1], order[k]);
    }
}

void frmMain::showEvent(QShowEvent* event) {
    // The first stop is the chosen level. The focus is placed here, not left to the window's activation,
    // which would place it as Tab does and so draw the keyboard's focus mark for a mouse user.
    if (!focusPlaced_ && !event->spontaneous()) {
        focusPlaced_ = true;
        if (controls::sknOption* level = groups_[0]->TabStop()) {
            level->setFocus(Qt::OtherFocusReason);
        }
    }
    host::Form::showEvent(event);
}

void frmMain::Load() {
    SetCaption(QStringLiteral("%1 %2.%3 Build %4")
                   .arg(context_.appInfo.title)
                   .arg(context_.appInfo.major)
                   .arg(context_.appInfo.minor)
                   .arg(context_.appInfo.revision));
    SetMem();
    const std::int16_t level = settings::ToInteger(context_.userSettings.GetSetting(
        settings::UserSettingsApp, settings::Section, settings::Level.Key(), QStringLiteral("0")));
    OptionLevel[level == 0 ? 0 : level == 1 ? 1 : 2]->SetValue(true);
}

void frmMain::SetMem() {
    if (context_.optimizer.Optimizing()) {
        for (int i : {0, 2, 1}) {
            lblM[static_cast<std::size_t>(i)]->SetCaption(QStringLiteral("Optimizing..."));
        }
        return;
    }
    const auto status = context_.memory.Read();
    if (!status) {
        return; // figures that cannot be read leave the last ones shown
    }
    const QString pattern = QStringLiteral("#,###,###");
    lblM[0]->SetCaption(numeric::Format(static_cast<double>(status->totalBytes), pattern, context_.locale));
    lblM[2]->SetCaption(
        numeric::Format(static_cast<double>(status->availableBytes), pattern, context_.locale));
    const std::uint64_t used =
        status->totalBytes >= status->availableBytes ? status->totalBytes - status->availableBytes : 0;
    lblM[1]->SetCaption(numeric::Format(static_cast<double>(used), pattern, context_.locale));
}

void frmMain::WriteIni(const settings::SettingKey& setting, const QString& value) {
    // A failed write leaves the old file intact; the setting still takes effect for this run, and the next
    // change tries again. The user hears of it once a run, from the event loop: after the window is up
    // when it happens at start-up, after the click that caused it otherwise.
    if (context_.settings.WriteIni(settings::Section, setting.Key(), value) || saveFailureTold_) {
        return;
    }
    saveFailureTold_ = true;
    QString why = context_.settings.Storage().Problem();
    if (why.isEmpty()) {
        why = QStringLiteral("it cannot be written");
    }
    saveProblem_ = QStringLiteral("Your settings could not be saved in %1 (%2). They apply until %3 ends; "
                                  "each change tries to save them again.")
                       .arg(context_.settings.Path(), why, context_.appInfo.title);
    saveProblemTimer_.start();
}

void frmMain::TellSaveProblem() {
    context_.host.MessageBox().ShowCritical(saveProblem_, context_.appInfo.title);
}

void frmMain::SelectOnly(const std::array<OptionControl*, 3>& group, std::int16_t index) {
    for (std::size_t k = 0; k < group.size(); ++k) {
        if (static_cast<std::int16_t>(k) != index) {
            group[k]->SetValue(false);
        }
    }
}

void frmMain::optTimed_Click(std::int16_t index) {
    const auto& seconds = settings::Time.values;
    if (index < 0 || index > 2) {
        return;
    }
    if (CheckOptionRAM[0]->Value()) {
        context_.schedulerValues.IntervalSeconds = seconds[static_cast<std::size_t>(index)];
    }
    SelectOnly(optTimed, index);
    WriteIni(settings::Time, QString::number(seconds[static_cast<std::size_t>(index)]));
}

void frmMain::CheckOptionRAM_Click(std::int16_t index) {
    const auto& seconds = settings::Time.values;
    if (index == 0) {
        const bool on = CheckOptionRAM[0]->Value();
        WriteIni(settings::Timed, BooleanText(on));
        if (!on) {
            context_.schedulerValues.IntervalSeconds = 0;
            return;
        }
        for (std::size_t k = 0; k < 3; ++k) {
            if (optTimed[k]->Value()) {
                context_.schedulerValues.IntervalSeconds = seconds[k];
                WriteIni(settings::Time, QString::number(seconds[k]));
            }
        }
        if (context_.schedulerValues.IntervalSeconds == 0) {
            context_.schedulerValues.IntervalSeconds = seconds[0];
            WriteIni(settings::Time, QString::number(seconds[0]));
            optTimed[0]->SetValue(true);
        }
        context_.shell.Start = system::MarkNow(context_.clock);
    } else if (index == 1) {
        const bool on = CheckOptionRAM[1]->Value();
        WriteIni(settings::CheckRam, BooleanText(on));
        if (on) {
            OptionRAMPercent_Click(OptionRAMPercent[0]->Value() ? 0 : OptionRAMPercent[1]->Value() ? 1 : 2);
        }
    }
}

void frmMain::OptionRAMPercent_Click(std::int16_t index) {
    static constexpr std::array<float, 3> shares{0.1f, 0.2f, 0.3f};
    if (index >= 0 && index <= 2) {
        context_.schedulerValues.FreeThreshold = shares[static_cast<std::size_t>(index)];
        SelectOnly(OptionRAMPercent, index);
        context_.scheduler.RearmFreeRam();
    }
    WriteIni(settings::CheckRamProcent, QString::number(index));
}

void frmMain::OptionLevel_Click(std::int16_t index) {
    static constexpr std::array<std::int16_t, 3> percents{10, 15, 20};
    if (index >= 0 && index <= 2) {
        context_.optimizer.LevelPercent = percents[static_cast<std::size_t>(index)];
        SelectOnly(OptionLevel, index);
    }
    WriteIni(settings::Level, QString::number(index));
}

void frmMain::chkStart_Click() {
    const bool on = chkStart->Value();
    WriteIni(settings::Minimized, BooleanText(on));
    context_.shell.StartMinimized = on;
}

void frmMain::cmdOptimize_Click() {
    // A click handled during a pass's event-loop turns starts no second pass, and leaves the button as the
    // running pass set it.
    if (context_.optimizer.Optimizing()) {
        return;
    }
    // A disabled button loses the focus to the next stop; unless the user moves it meanwhile, it comes
    // back after the pass, as after any button press.
    cmdOptimize->SetEnabled(false);
    const QPointer<QWidget> focusDuringPass = focusWidget();
    context_.optimizer.OptimizeNow();
    // Enabled again whatever the pass's outcome, also after a failed one.
    cmdOptimize->SetEnabled(true);
    if (focusWidget() == focusDuringPass) {
        cmdOptimize->setFocus(Qt::OtherFocusReason);
    }
}

void frmMain::SetLinkColour(host::Label* link, gdi::Colour colour) {
    if (link->ForeColor().Raw() != colour.Raw()) {
        link->SetForeColor(colour);
    }
}

void frmMain::ResetLinkColors() {
    SetLinkColour(lblReadme, LinkBlue);
    SetLinkColour(lblWebsite, LinkBlue);
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    // The links turn red under the mouse and back to blue when it leaves them.
    auto* link = watched == lblReadme ? lblReadme : watched == lblWebsite ? lblWebsite : nullptr;
    if (link != nullptr) {
        if (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove) {
            SetLinkColour(link, LinkRed);
        } else if (event->type() == QEvent::Leave) {
            ResetLinkColors();
        }
    }
    return host::Form::eventFilter(watched, event);
}

void frmMain::SetCheckOptionRAMValue(std::int16_t index, bool value) {
    if (auto* control = Element(CheckOptionRAM, index)) {
        control->SetValue(value);
    }
}

void frmMain::SetOptTimedValue(std::int16_t index, bool value) {
    if (auto* control = Element(optTimed, index)) {
        control->SetValue(value);
    }
}

void frmMain::SetOptionRAMPercentValue(std::int16_t index, bool value) {
    if (auto* control = Element(OptionRAMPercent, index)) {
        control->SetValue(value);
    }
}

void frmMain::SetOptionLevelValue(std::int16_t index, bool value) {
    if (auto* control = Element(OptionLevel, index)) {
        control->SetValue(value);
    }
}

void frmMain::SetChkStartValue(bool value) {
    chkStart->SetValue(value);
}

void frmMain::SetIntervalSeconds(std::int32_t seconds) {
    context_.schedulerValues.IntervalSeconds = seconds;
}

void frmMain::SetStartMinimized(bool value) {
    context_.shell.StartMinimized = value;
}

bool frmMain::FreeRamModeChecked() const {
    return CheckOptionRAM[1]->Value();
}

void frmMain::SetNextOptimizeCaption(const QString& caption) {
    nextOptimizeCaption_ = caption;
    NextOptimizeLabel->SetCaption(caption);
}

void frmMain::SetMax(std::int32_t max) {
    pb->SetMax(max);
}

void frmMain::SetValue(std::int32_t value) {
    pb->SetValue(value);
}

bool frmMain::QueryUnload(CloseReason reason) {
    bool allowed = !context_.optimizer.Optimizing();
    const int level = OptionLevel[0]->Value() ? 0 : OptionLevel[1]->Value() ? 1 : 2;
    context_.userSettings.SaveSetting(settings::UserSettingsApp, settings::Section, settings::Level.Key(),
                                      QString::number(level));
    switch (reason) {
    case CloseReason::User:
        // With a tray showing the icon the window goes there: it is withdrawn, not iconified first. Under
        // X11 a minimize request leaves the iconic state in the window's hints, and the window manager
        // applies those hints when the window is mapped again; the restore's own state change maps the
        // window before it rewrites them, so the window manager took the window back iconic in about one
        // restore in five. Without a tray a hidden window could never be brought back: it is minimized and
        // stays in the desktop's task list.
        if (hidden_.TrayIconShown()) {
            hide();
        } else {
            showMinimized();
        }
        return false;
    case CloseReason::Unload:
        hidden_.TrayOff();
        return allowed;
    case CloseReason::Other:
        hidden_.TrayOff();
        if (context_.unloadAll) {
            context_.unloadAll();
        }
        return allowed;
    }
    return allowed;
}

bool frmMain::Unload() {
    unloading_ = true;
    const bool closed = close();
    unloading_ = false;
    return closed;
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (QueryUnload(unloading_ ? CloseReason::Unload : CloseReason::User)) {
        Timer1.stop();
        event->accept();
    } else {
        event->ignore();
    }
}

} // namespace kelvo::forms

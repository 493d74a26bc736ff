#include "frmMain.h"

#include <QCloseEvent>
#include <QEvent>
#include <QLabel>

#include "app/OpenDocument.h"
#include "app/SettingsConversions.h"
#include "frmHidden.h"
#include "platform/numeric/Numeric.h"

namespace kelvo::forms {

namespace {

const QString Section = app::SettingsSection;

QString BooleanText(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

template <typename Control, std::size_t N> Control* Element(const std::array<Control*, N>& group, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < N ? group[static_cast<std::size_t>(index)]
                                                             : nullptr;
}

QLabel* MakeLabel(QWidget* parent, const QString& text, const QRect& geometry,
                  Qt::Alignment alignment = Qt::AlignLeft) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(geometry);
    label->setAlignment(alignment | Qt::AlignTop);
    return label;
}

} // namespace

frmMain::frmMain(ProgramContext& context, frmHidden& hidden)
    : context_(context)
    , hidden_(hidden) {
    setFixedSize(371, 348);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(224, 224, 224));
    setPalette(palette);
    setAutoFillBackground(true);
    BuildControls();

    Timer1.setParent(this);
    Timer1.setInterval(500);
    connect(&Timer1, &QTimer::timeout, this, &frmMain::SetMem);
    Timer1.start();
}

void frmMain::BuildControls() {
    const std::array<int, 3> rows{60, 78, 96};
    const std::array<QString, 3> captions{QStringLiteral("Total Physical RAM:"),
                                          QStringLiteral("Physical RAM used:"), QStringLiteral("Free RAM:")};
    for (std::size_t i = 0; i < 3; ++i) {
        MakeLabel(this, captions[i], QRect(12, rows[i], 119, 15), Qt::AlignRight);
        lblM[i] = MakeLabel(this, QString(), QRect(134, rows[i] - 2, 97, 17), Qt::AlignHCenter);
        lblM[i]->setAutoFillBackground(true);
    }
    MakeLabel(this, QStringLiteral("Optimization Level"), QRect(10, 120, 86, 13));
    const std::array<QString, 3> levels{QStringLiteral("Light"), QStringLiteral("Moderate"),
                                        QStringLiteral("Heavy")};
    for (std::size_t i = 0; i < 3; ++i) {
        const int top = 134 + 16 * static_cast<int>(i);
        OptionLevel[i] = new OptionControl(this);
        OptionLevel[i]->setGeometry(14, top, 15, 19);
        MakeLabel(this, levels[i], QRect(34, top + 2, 87, 13));
        connect(OptionLevel[i], &OptionControl::Click, this,
                [this, i] { OptionLevel_Click(static_cast<std::int16_t>(i)); });
    }
    MakeLabel(this, QStringLiteral("Optimize RAM"), QRect(10, 194, 67, 13));
    const std::array<QString, 2> checks{QStringLiteral("at timed intervals, every"),
                                        QStringLiteral("when free RAM drops below certain level")};
    const std::array<int, 2> checkTops{210, 248};
    const std::array<int, 2> checkWidths{111, 194};
    for (std::size_t i = 0; i < 2; ++i) {
        CheckOptionRAM[i] = new CheckControl(this);
        CheckOptionRAM[i]->setGeometry(10, checkTops[i], 17, 15);
        MakeLabel(this, checks[i], QRect(28, checkTops[i], checkWidths[i], 13));
        connect(CheckOptionRAM[i], &CheckControl::Click, this,
                [this, i] { CheckOptionRAM_Click(static_cast<std::int16_t>(i)); });
    }
    const std::array<int, 3> columns{32, 78, 130};
    const std::array<QString, 3> intervals{QStringLiteral("5 min"), QStringLiteral("15 min"),
                                           QStringLiteral("30 min")};
    const std::array<QString, 3> percents{QStringLiteral("10%"), QStringLiteral("20%"),
                                          QStringLiteral("30%")};
    for (std::size_t i = 0; i < 3; ++i) {
        optTimed[i] = new OptionControl(this);
        optTimed[i]->setGeometry(columns[i], 228, 15, 15);
        MakeLabel(this, intervals[i], QRect(columns[i] + 16, 228, 44, 13));
        connect(optTimed[i], &OptionControl::Click, this,
                [this, i] { optTimed_Click(static_cast<std::int16_t>(i)); });
        OptionRAMPercent[i] = new OptionControl(this);
        OptionRAMPercent[i]->setGeometry(columns[i], 266, 15, 15);
        MakeLabel(this, percents[i], QRect(columns[i] + 16, 266, 44, 13));
        connect(OptionRAMPercent[i], &OptionControl::Click, this,
                [this, i] { OptionRAMPercent_Click(static_cast<std::int16_t>(i)); });
    }
    NextOptimizeLabel = MakeLabel(this, QString(), QRect(244, 204, 95, 37));
    NextOptimizeLabel->setWordWrap(true);
    chkStart = new CheckControl(this);
    chkStart->setGeometry(240, 264, 19, 19);
    MakeLabel(this, QStringLiteral("Start Minimize"), QRect(258, 266, 83, 13));
    connect(chkStart, &CheckControl::Click, this, &frmMain::chkStart_Click);

    pb = new ProgressBarControl(this);
    pb->setGeometry(6, 292, 357, 24);
    cmdOptimize = new ButtonControl(this);
    cmdOptimize->setGeometry(120, 318, 123, 25);
    cmdOptimize->SetCaption(QStringLiteral("Free RAM Now"));
    connect(cmdOptimize, &ButtonControl::Click, this, &frmMain::cmdOptimize_Click);

    lblReadme = MakeLabel(this, QStringLiteral("Readme"), QRect(6, 320, 83, 19));
    lblWebsite = MakeLabel(this, QStringLiteral("Website..."), QRect(290, 320, 73, 19));
    for (QLabel* link : {lblReadme, lblWebsite}) {
        link->setCursor(Qt::PointingHandCursor);
        link->setMouseTracking(true);
        link->installEventFilter(this);
    }
    ResetLinkColors();
}

void frmMain::Load() {
    setWindowTitle(QStringLiteral("%1 %2.%3 Build %4")
                       .arg(context_.appInfo.title)
                       .arg(context_.appInfo.major)
                       .arg(context_.appInfo.minor)
                       .arg(context_.appInfo.revision));
    SetMem();
    const std::int16_t level = app::ToInteger(context_.userSettings.GetSetting(
        QStringLiteral("Kelvo"), Section, QStringLiteral("Level"), QStringLiteral("0")));
    OptionLevel[level == 0 ? 0 : level == 1 ? 1 : 2]->SetValue(true);
}

void frmMain::SetMem() {
    if (context_.optimizer.Optimizing()) {
        for (int i : {0, 2, 1}) {
            lblM[static_cast<std::size_t>(i)]->setText(QStringLiteral("Optimizing..."));
        }
        return;
    }
    const auto status = context_.memory.Read();
    if (!status) {
        return; // figures that cannot be read leave the last ones shown
    }
    const QString pattern = QStringLiteral("#,###,###");
    lblM[0]->setText(numeric::Format(static_cast<double>(status->totalBytes), pattern, context_.locale));
    lblM[2]->setText(numeric::Format(static_cast<double>(status->availableBytes), pattern, context_.locale));
    const std::uint64_t used =
        status->totalBytes >= status->availableBytes ? status->totalBytes - status->availableBytes : 0;
    lblM[1]->setText(numeric::Format(static_cast<double>(used), pattern, context_.locale));
}

void frmMain::WriteIni(const QString& key, const QString& value) {
    // A failed write leaves the old file intact; the setting still takes effect for this run.
    context_.settings.WriteIni(Section, key, value);
}

void frmMain::SelectOnly(const std::array<OptionControl*, 3>& group, std::int16_t index) {
    for (std::size_t k = 0; k < group.size(); ++k) {
        if (static_cast<std::int16_t>(k) != index) {
            group[k]->SetValue(false);
        }
    }
}

void frmMain::optTimed_Click(std::int16_t index) {
    static constexpr std::array<std::int32_t, 3> seconds{300, 900, 1800};
    if (index < 0 || index > 2) {
        return;
    }
    if (CheckOptionRAM[0]->Value()) {
        context_.schedulerValues.IntervalSeconds = seconds[static_cast<std::size_t>(index)];
    }
    SelectOnly(optTimed, index);
    WriteIni(QStringLiteral("Time"), QString::number(seconds[static_cast<std::size_t>(index)]));
}

void frmMain::CheckOptionRAM_Click(std::int16_t index) {
    static constexpr std::array<std::int32_t, 3> seconds{300, 900, 1800};
    if (index == 0) {
        const bool on = CheckOptionRAM[0]->Value();
        WriteIni(QStringLiteral("Timed"), BooleanText(on));
        if (!on) {
            context_.schedulerValues.IntervalSeconds = 0;
            return;
        }
        for (std::size_t k = 0; k < 3; ++k) {
            if (optTimed[k]->Value()) {
                context_.schedulerValues.IntervalSeconds = seconds[k];
                WriteIni(QStringLiteral("Time"), QString::number(seconds[k]));
            }
        }
        if (context_.schedulerValues.IntervalSeconds == 0) {
            context_.schedulerValues.IntervalSeconds = 300;
            WriteIni(QStringLiteral("Time"), QStringLiteral("300"));
            optTimed[0]->SetValue(true);
        }
        context_.shell.Start = system::MarkNow(context_.clock);
    } else if (index == 1) {
        const bool on = CheckOptionRAM[1]->Value();
        WriteIni(QStringLiteral("CheckRam"), BooleanText(on));
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
    }
    WriteIni(QStringLiteral("CheckRamProcent"), QString::number(index));
}

void frmMain::OptionLevel_Click(std::int16_t index) {
    static constexpr std::array<std::int16_t, 3> percents{10, 15, 20};
    if (index >= 0 && index <= 2) {
        context_.optimizer.LevelPercent = percents[static_cast<std::size_t>(index)];
        SelectOnly(OptionLevel, index);
    }
    WriteIni(QStringLiteral("Level"), QString::number(index));
}

void frmMain::chkStart_Click() {
    const bool on = chkStart->Value();
    WriteIni(QStringLiteral("Minimized"), BooleanText(on));
    context_.shell.StartMinimized = on;
}

void frmMain::cmdOptimize_Click() {
    // A click handled during a pass's event-loop turns starts no second pass, and leaves the button as the
    // running pass set it.
    if (context_.optimizer.Optimizing()) {
        return;
    }
    cmdOptimize->setEnabled(false);
    const optimizer::MemoryFigures& figures = context_.optimizer.Figures;
    const auto count =
        numeric::CInt(optimizer::BlockCount(figures.UsedMB, figures.FreeMB, context_.optimizer.LevelPercent));
    if (count) {
        hidden_.OptimizeRAM(*count);
    }
    // Enabled again whatever the pass's outcome, also after a failed one.
    cmdOptimize->setEnabled(true);
}

void frmMain::ResetLinkColors() {
    for (QLabel* link : {lblReadme, lblWebsite}) {
        link->setStyleSheet(QStringLiteral("color: rgb(0, 0, 255); text-decoration: underline;"));
    }
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    auto* link = qobject_cast<QLabel*>(watched);
    if (link == lblReadme || link == lblWebsite) {
        switch (event->type()) {
        case QEvent::Enter:
        case QEvent::MouseMove:
            link->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0); text-decoration: underline;"));
            break;
        case QEvent::Leave:
            ResetLinkColors();
            break;
        case QEvent::MouseButtonRelease:
            app::OpenDocument(context_.desktop, link == lblReadme
                                                    ? context_.shell.AppFolder + QStringLiteral("readme.txt")
                                                    : WebsiteAddress);
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
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
    NextOptimizeLabel->setText(QString(caption).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
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
    context_.userSettings.SaveSetting(QStringLiteral("Kelvo"), Section, QStringLiteral("Level"),
                                      QString::number(level));
    switch (reason) {
    case CloseReason::User:
        setWindowState(windowState() | Qt::WindowMinimized);
        hide();
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

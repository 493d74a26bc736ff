#pragma once

#include <cstdint>

#include <QObject>
#include <QTimer>

#include "HostedObject.h"

namespace kelvo::host {

// A timer as forms place it: it raises Timer every Interval milliseconds while Enabled. An Interval of 0
// keeps it silent whatever Enabled says. Stored properties: "Enabled" (default true), "Interval" (0).
class TimerControl : public QObject, public HostedObject {
    Q_OBJECT

public:
    explicit TimerControl(QObject* parent = nullptr);

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    std::int32_t Interval() const { return interval_; }
    // Accepts 0 to MaxInterval; other values are refused and change nothing.
    bool SetInterval(std::int32_t milliseconds);
    static constexpr std::int32_t MaxInterval = 65535;

    // Whether events are due: enabled with an interval above 0.
    bool IsRunning() const { return timer_.isActive(); }

    void LoadNew() override;
    void LoadStored(PropertyBag& bag) override;
    void Save(PropertyBag& bag) override;
    void Unload() override;
    QObject* Object() override { return this; }
    QWidget* Widget() override { return nullptr; }

signals:
    void Timer();

private:
    void Apply();

    QTimer timer_;
    bool enabled_ = true;
    std::int32_t interval_ = 0;
};

} // namespace kelvo::host

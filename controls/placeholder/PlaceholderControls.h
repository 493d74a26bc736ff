#pragma once

#include <cstdint>

#include <QWidget>

#include "platform/host/HostedObject.h"
#include "platform/host/PropertyBag.h"

namespace kelvo::host {
class HostContext;
}

// Simple stand-ins with the members the main window uses of the skinned controls. Each is replaced by its
// skinned control, which keeps these members.
namespace kelvo::controls {

// What every stand-in needs to live on a form: it keeps its stored properties as they were, so saving
// the form loses nothing, and takes no part in the notifications.
class PlaceholderHosted : public host::HostedObject {
public:
    void LoadNew() override {}
    void LoadStored(host::PropertyBag& bag) override { stored_ = bag; }
    void Save(host::PropertyBag& bag) override { bag = stored_; }
    void Unload() override {}

protected:
    host::PropertyBag stored_;
};

// An option button: a click selects it and then raises Click; writing Value from code raises nothing.
class PlaceholderOption : public QWidget, public PlaceholderHosted {
    Q_OBJECT
public:
    explicit PlaceholderOption(QWidget* parent = nullptr);
    PlaceholderOption(host::HostContext&, QWidget* parent)
        : PlaceholderOption(parent) {}
    QObject* Object() override { return this; }
    QWidget* Widget() override { return this; }
    bool Value() const { return value_; }
    void SetValue(bool value);

signals:
    void Click();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    virtual void Clicked();

    bool value_ = false;
};

// A check box: a click toggles it and then raises Click.
class PlaceholderCheck : public PlaceholderOption {
    Q_OBJECT
public:
    using PlaceholderOption::PlaceholderOption;

protected:
    void Clicked() override;
};

class PlaceholderButton : public QWidget, public PlaceholderHosted {
    Q_OBJECT
public:
    explicit PlaceholderButton(QWidget* parent = nullptr);
    PlaceholderButton(host::HostContext&, QWidget* parent)
        : PlaceholderButton(parent) {}
    QObject* Object() override { return this; }
    QWidget* Widget() override { return this; }
    void SetCaption(const QString& caption);
    void LoadStored(host::PropertyBag& bag) override;

signals:
    void Click();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
};

class PlaceholderProgressBar : public QWidget, public PlaceholderHosted {
    Q_OBJECT
public:
    explicit PlaceholderProgressBar(QWidget* parent = nullptr);
    PlaceholderProgressBar(host::HostContext&, QWidget* parent)
        : PlaceholderProgressBar(parent) {}
    QObject* Object() override { return this; }
    QWidget* Widget() override { return this; }
    std::int32_t Max() const { return max_; }
    std::int32_t Value() const { return value_; }
    void SetMax(std::int32_t max);
    void SetValue(std::int32_t value);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::int32_t max_ = 100;
    std::int32_t value_ = 0;
};

// The frame and line decorations.
class PlaceholderDecoration : public QWidget, public PlaceholderHosted {
    Q_OBJECT
public:
    PlaceholderDecoration(host::HostContext&, QWidget* parent)
        : QWidget(parent) {}
    QObject* Object() override { return this; }
    QWidget* Widget() override { return this; }

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace kelvo::controls

#pragma once

#include <cstdint>

#include <QWidget>

// Simple stand-ins with the members the main window uses of the skinned controls. Each is replaced by its
// skinned control, which keeps these members.
namespace kelvo::controls {

// An option button: a click selects it and then raises Click; writing Value from code raises nothing.
class PlaceholderOption : public QWidget {
    Q_OBJECT
public:
    explicit PlaceholderOption(QWidget* parent = nullptr);
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

class PlaceholderButton : public QWidget {
    Q_OBJECT
public:
    explicit PlaceholderButton(QWidget* parent = nullptr);
    void SetCaption(const QString& caption);

signals:
    void Click();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
};

class PlaceholderProgressBar : public QWidget {
    Q_OBJECT
public:
    explicit PlaceholderProgressBar(QWidget* parent = nullptr);
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
class PlaceholderDecoration : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace kelvo::controls

#include "PlaceholderControls.h"

#include <QMouseEvent>
#include <QPainter>

namespace kelvo::controls {

PlaceholderOption::PlaceholderOption(QWidget* parent)
    : QWidget(parent) {}

void PlaceholderOption::SetValue(bool value) {
    value_ = value;
    update();
}

void PlaceholderOption::Clicked() {
    SetValue(true);
}

void PlaceholderOption::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        Clicked();
        emit Click();
    }
}

void PlaceholderOption::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.setBrush(value_ ? Qt::black : Qt::white);
    painter.drawRect(rect().adjusted(1, 1, -2, -2));
}

void PlaceholderCheck::Clicked() {
    SetValue(!value_);
}

PlaceholderButton::PlaceholderButton(QWidget* parent)
    : QWidget(parent) {}

void PlaceholderButton::SetCaption(const QString& caption) {
    caption_ = caption;
    update();
}

void PlaceholderButton::LoadStored(host::PropertyBag& bag) {
    PlaceholderHosted::LoadStored(bag);
    SetCaption(bag.Read(QStringLiteral("Caption"), QString()));
}

void PlaceholderButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && isEnabled() && rect().contains(event->position().toPoint())) {
        emit Click();
    }
}

void PlaceholderButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0xD4, 0xD0, 0xC8));
    painter.setPen(isEnabled() ? Qt::black : Qt::gray);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.drawText(rect(), Qt::AlignCenter, caption_);
}

PlaceholderProgressBar::PlaceholderProgressBar(QWidget* parent)
    : QWidget(parent) {}

void PlaceholderProgressBar::SetMax(std::int32_t max) {
    max_ = max;
    update();
}

void PlaceholderProgressBar::SetValue(std::int32_t value) {
    value_ = value;
    update();
}

void PlaceholderProgressBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (max_ > 0 && value_ > 0) {
        const double share = std::min(1.0, static_cast<double>(value_) / max_);
        painter.fillRect(QRectF(0, 0, width() * share, height()), QColor(0x0A, 0x24, 0x6A));
    }
}

void PlaceholderDecoration::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace kelvo::controls

#pragma once

#include <QString>

namespace kelvo::host {

// Sends keystrokes to the control that has the focus, as if the user had typed them. Controls use it to
// move the focus with the arrow keys: "{Tab}" moves it to the next control, "+{Tab}" to the previous one.
class KeySender {
public:
    virtual ~KeySender() = default;
    // False when the text holds a key this sender does not know; nothing is sent then.
    virtual bool SendKeys(const QString& keys) = 0;
};

// Posts the keys to the widget with the keyboard focus; they arrive when pending events next run, as
// typed keys do.
class QtKeySender : public KeySender {
public:
    bool SendKeys(const QString& keys) override;
};

} // namespace kelvo::host

#pragma once

#include <cstdint>

#include "platform/host/PropertyTable.h"
#include "platform/host/UserControl.h"

// A small control used by the tests to drive the host end to end: it is loaded from a form file, paints
// a filled box with a frame and its caption and click count through the device context, counts left
// clicks (raising a property change and repainting before the base raises Click), and saves its
// properties back.
// Stored properties: "Caption" (""), "Clicks" (0), "Fill" (red), "Font" (the ambient font).
class DemoControl : public kelvo::host::UserControl {
    Q_OBJECT

public:
    DemoControl(kelvo::host::HostContext& host, QWidget* parent = nullptr);

    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    std::int32_t Clicks() const { return clicks_; }
    kelvo::gdi::Colour Fill() const { return fill_; }
    // The caption as drawn: caption and count.
    QString Text() const;
    int paints = 0;
    static const kelvo::host::PropertyTable<DemoControl>& Properties();

protected:
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(kelvo::host::PropertyBag& bag) override;
    void UserControl_WriteProperties(kelvo::host::PropertyBag& bag) override;
    void UserControl_Resize() override;
    void UserControl_Paint() override;
    bool ClickAction() override;
    void AfterMouseDown(std::int16_t button, std::int16_t shift, float x, float y) override;

private:
    void Draw();

    QString caption_;
    std::int32_t clicks_ = 0;
    kelvo::gdi::Colour fill_{0x0000FF};
    std::int16_t lastButton_ = 0;
};

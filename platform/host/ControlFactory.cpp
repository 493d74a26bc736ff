#include "ControlFactory.h"

#include "Label.h"
#include "PictureBox.h"
#include "TimerControl.h"

namespace kelvo::host {

ControlFactory::ControlFactory() {
    Register<Label>(QStringLiteral("Label"));
    Register<PictureBox>(QStringLiteral("PictureBox"));
    Register(QStringLiteral("Timer"),
             [](HostContext&, QWidget* parent) -> HostedObject* { return new TimerControl(parent); });
}

void ControlFactory::Register(const QString& kind, Creator creator) {
    for (Entry& entry : entries_) {
        if (entry.kind.compare(kind, Qt::CaseInsensitive) == 0) {
            entry.creator = std::move(creator);
            return;
        }
    }
    entries_.push_back({kind, std::move(creator)});
}

const ControlFactory::Entry* ControlFactory::Find(const QString& kind) const {
    for (const Entry& entry : entries_) {
        if (entry.kind.compare(kind, Qt::CaseInsensitive) == 0) {
            return &entry;
        }
    }
    return nullptr;
}

HostedObject* ControlFactory::Create(const QString& kind, HostContext& host, QWidget* parent) const {
    const Entry* entry = Find(kind);
    return entry == nullptr || !entry->creator ? nullptr : entry->creator(host, parent);
}

} // namespace kelvo::host

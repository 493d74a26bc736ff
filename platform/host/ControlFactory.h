#pragma once

#include <functional>
#include <vector>

#include <QString>
#include <QStringList>

class QWidget;

namespace kelvo::host {

class HostContext;
class HostedObject;

// Makes instances by kind for whoever builds forms. Kinds compare without regard to case. The built-in
// kinds are "Label", "PictureBox" and "Timer"; the skinned controls register their own. It is a plain
// object: each builder of forms holds the factory with the kinds it needs.
class ControlFactory {
public:
    // Makes one instance as a child of parent (which owns it from then on); null on failure.
    using Creator = std::function<HostedObject*(HostContext& host, QWidget* parent)>;

    // A factory that knows the built-in kinds.
    ControlFactory();

    // Adds or replaces a kind.
    void Register(const QString& kind, Creator creator);
    template <typename T> void Register(const QString& kind) {
        Register(kind,
                 [](HostContext& host, QWidget* parent) -> HostedObject* { return new T(host, parent); });
    }

    HostedObject* Create(const QString& kind, HostContext& host, QWidget* parent) const;

private:
    struct Entry {
        QString kind;
        Creator creator;
    };
    const Entry* Find(const QString& kind) const;

    std::vector<Entry> entries_;
};

} // namespace kelvo::host

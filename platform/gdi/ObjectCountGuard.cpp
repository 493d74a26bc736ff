#include "platform/gdi/ObjectCountGuard.h"

#include <QStringList>

namespace kelvo::gdi {

namespace {

constexpr std::array<const char*, ObjectCount::Kinds> KindNames{"pens",    "brushes", "fonts",
                                                                "bitmaps", "regions", "device contexts"};

} // namespace

ObjectCountGuard::ObjectCountGuard() {
    for (int i = 0; i < ObjectCount::Kinds; ++i) {
        start_[static_cast<std::size_t>(i)] = ObjectCount::Live(static_cast<ObjectKind>(i));
    }
}

bool ObjectCountGuard::Unchanged() const {
    return Report().isEmpty();
}

QString ObjectCountGuard::Report() const {
    QStringList parts;
    for (int i = 0; i < ObjectCount::Kinds; ++i) {
        const std::int64_t delta =
            ObjectCount::Live(static_cast<ObjectKind>(i)) - start_[static_cast<std::size_t>(i)];
        if (delta != 0) {
            parts << QStringLiteral("%1 %2%3")
                         .arg(QString::fromLatin1(KindNames[static_cast<std::size_t>(i)]))
                         .arg(delta > 0 ? QStringLiteral("+") : QString())
                         .arg(delta);
        }
    }
    return parts.join(QStringLiteral(", "));
}

} // namespace kelvo::gdi

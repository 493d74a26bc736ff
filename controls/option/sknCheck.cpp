#include "sknCheck.h"

namespace kelvo::controls {

sknCheck::sknCheck(host::HostContext& host, QWidget* parent)
    : sknOption(host, parent, QStringLiteral(":/images/check_ticked.png"),
                QStringLiteral(":/images/check_cleared.png"), QSize(15, 16)) {}

} // namespace kelvo::controls

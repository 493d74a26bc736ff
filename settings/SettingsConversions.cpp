#include "SettingsConversions.h"

#include <optional>

#include <QRegularExpression>

#include "platform/numeric/Numeric.h"

namespace kelvo::settings {

namespace {

// Plain decimal notation only: no exponents, no "inf" or "nan", no thousands separators.
std::optional<double> DecimalNumber(const QString& text) {
    static const QRegularExpression decimal(QStringLiteral(R"(^\s*[+-]?(\d+\.?\d*|\.\d+)\s*$)"));
    if (!decimal.match(text).hasMatch()) {
        return std::nullopt;
    }
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

} // namespace

QString TrimAtNul(const QString& text) {
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    return nul < 0 ? text : text.left(nul);
}

bool ToBoolean(const QString& text) {
    if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) {
        return true;
    }
    if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) {
        return false;
    }
    const auto number = DecimalNumber(text);
    return number && *number != 0.0;
}

std::int16_t ToInteger(const QString& text) {
    const auto number = DecimalNumber(text);
    if (!number) {
        return 0;
    }
    return numeric::CInt(*number).value_or(0);
}

} // namespace kelvo::settings

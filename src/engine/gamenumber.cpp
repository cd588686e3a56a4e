#include "gamenumber.h"

namespace tw {

std::optional<qint64> parseWholeNumber(const QString &text)
{
    const QString t = text.trimmed();
    int i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) {
        negative = t[i] == u'-';
        ++i;
    }
    if (i >= t.size() || t.size() - i > 18)
        return std::nullopt;
    qint64 value = 0;
    for (; i < t.size(); ++i) {
        const char16_t c = t[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c - u'0');
    }
    return negative ? -value : value;
}

QString GameNo::toText() const
{
    if (isNumber())
        return QString::number(std::get<qint64>(v_));
    if (isText())
        return std::get<QString>(v_);
    return QString();
}

std::optional<qint64> GameNo::wholeValue() const
{
    if (isNumber())
        return std::get<qint64>(v_);
    if (isText())
        return parseWholeNumber(std::get<QString>(v_));
    return std::nullopt;
}

uint64_t GameNo::seed() const
{
    if (auto n = wholeValue())
        return static_cast<uint64_t>(*n);
    // FNV-1a over the UTF-16 code units; stable on every machine. The top bit
    // is set so that a hashed text never collides with a small number.
    uint64_t h = 1469598103934665603ull;
    const QString t = isText() ? std::get<QString>(v_) : QString();
    for (QChar ch : t) {
        h ^= ch.unicode();
        h *= 1099511628211ull;
    }
    return h | (1ull << 63);
}

} // namespace tw

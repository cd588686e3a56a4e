#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <variant>

namespace tw {

// A game number as its caller gave it: a whole number drawn at random, or the
// text a person typed (or read back from a file). The kind matters: numbers are
// written bare in the score files, texts in quotes, and a typed text shows in
// the caption exactly as typed.
class GameNo {
public:
    GameNo() = default;
    static GameNo number(qint64 n)
    {
        GameNo g;
        g.v_ = n;
        return g;
    }
    static GameNo text(const QString &t)
    {
        GameNo g;
        g.v_ = t;
        return g;
    }

    bool isEmpty() const { return std::holds_alternative<std::monostate>(v_); }
    bool isNumber() const { return std::holds_alternative<qint64>(v_); }
    bool isText() const { return std::holds_alternative<QString>(v_); }
    qint64 asNumber() const { return isNumber() ? std::get<qint64>(v_) : 0; }

    // The number as shown: plain decimal digits, or the text unchanged.
    QString toText() const;

    // The whole number a text reads as ("42", " 42 ", "+42"), if any.
    std::optional<qint64> wholeValue() const;

    // The value that seeds the shuffle. A text that reads as a whole number
    // seeds exactly like that number; any other text is hashed.
    uint64_t seed() const;

    bool operator==(const GameNo &o) const { return v_ == o.v_; }

private:
    std::variant<std::monostate, qint64, QString> v_;
};

// Whole number parse used for typed game numbers: optional blanks around an
// optional sign and at most 18 ASCII digits, nothing else.
std::optional<qint64> parseWholeNumber(const QString &text);

} // namespace tw

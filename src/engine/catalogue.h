#pragma once

#include <QString>
#include <cstdint>

namespace tw {

class cData;
class Engine;

// The catalogue of the variants: their names, and for each the values that
// configure the one engine. The catalogue index (1 to GameCount, in the
// alphabetical order of the names) is a variant's identity: its slot in the
// name table, its help context and its preview picture.
class frmGame {
public:
    // The number of rows of the catalogue (a static_assert beside the rows
    // holds the two together): the one count a variant added changes.
    static constexpr int16_t GameCount = 35;

    // Registers the product name, the number of variants, the help file and
    // the names with the settings object.
    static void Init(cData &data);

    // Loads one variant's values into the engine's parameters. A name that is
    // not in the catalogue (exact, case-sensitive compare) only resets the
    // reserve and waste records and the foundation base.
    static void SelectGame(Engine &engine, const QString &Name);

    static QString NameAt(int16_t index); // 1..GameCount, "" outside
};

} // namespace tw

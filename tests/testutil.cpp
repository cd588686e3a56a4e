#include "testutil.h"

#include "engine/catalogue.h"

namespace tw::test {

int16_t gameIndex(QStringView name)
{
    for (int16_t i = 1; i <= frmGame::GameCount; ++i)
        if (frmGame::NameAt(i) == name)
            return i;
    return 0;
}

TestData::TestData() { frmGame::Init(data); }

void RecordingView::PumpEvents()
{
    if (onPump)
        onPump();
}

void RecordingView::GameWon()
{
    ++wins;
    if (onWin)
        onWin();
    else if (engine)
        engine->EndGame(1);
}

TestTable::TestTable()
{
    view.engine = &engine;
    d.data.SetSoundPlayer(&sound);
    d.data.SetPlayer(1, QStringLiteral("Player1"), true);
}

} // namespace tw::test

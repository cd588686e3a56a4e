#include "testutil.h"

#include "engine/catalogue.h"

namespace tw::test {

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

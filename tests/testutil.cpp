#include "testutil.h"

#include "engine/catalogue.h"

namespace tw::test {

TestData::TestData()
{
    frmGame::Init(data);
}

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

FileSizeLimit::FileSizeLimit(rlim_t bytes)
{
    // Past the limit the kernel would end the process with SIGXFSZ; ignored,
    // the write fails with EFBIG instead, as a write fails on a full disk.
    oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    if (getrlimit(RLIMIT_FSIZE, &old_) != 0)
        return;
    rlimit lim = old_;
    lim.rlim_cur = bytes;
    active_ = setrlimit(RLIMIT_FSIZE, &lim) == 0;
}

FileSizeLimit::~FileSizeLimit()
{
    if (active_)
        setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, oldHandler_);
}

} // namespace tw::test

#include "finish.h"

#include "chart.h"
#include "columnfit.h"
#include "engine/clock.h"
#include "engine/engine.h"
#include "highscore.h"
#include "media/artwork.h"
#include "media/resources.h"
#include "settings/data.h"
#include "settings/prompt.h"

#include <QAction>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

namespace tw {

namespace {

struct ToolButton {
    const char *text;
    const char *key;
    int image;
};

// The toolbar in its order. Both record windows show the bar chart (the
// pictures hold no cup); closing shows the stop sign.
constexpr ToolButton kButtons[] = {
    {"New Game", "New", art::TbNew},
    {"Select Game", "Select", art::TbSelect},
    {"Restart Game", "Restart", art::TbRestart},
    {"Statistics", "Statistics", art::TbStatistics},
    {"High Score", "Highscore", art::TbStatistics},
    {"Close", "Close", art::TbReplayStop},
};

} // namespace

frmFinish::frmFinish(const AppContext &context, QWidget *parent) : QDialog(parent), ctx_(context)
{
    setWindowTitle(QStringLiteral("Congrats"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    if (ctx_.data)
        setWindowIcon(Pictures(*ctx_.data).Icon());

    Toolbar1 = new QToolBar(this);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setMovable(false);
    Toolbar1->setFloatable(false);
    Toolbar1->setIconSize(QSize(art::ToolbarImageSize, art::ToolbarImageSize));
    Toolbar1->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    for (const ToolButton &b : kButtons) {
        QAction *a = Toolbar1->addAction(art::ToolbarIcon(b.image), QString::fromLatin1(b.text));
        a->setData(QString::fromLatin1(b.key));
        a->setObjectName(QString::fromLatin1(b.key));
    }
    connect(Toolbar1, &QToolBar::actionTriggered, this,
            [this](QAction *a) { Toolbar1_ButtonClick(a->data().toString()); });

    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    ListView1 = new QListWidget(Frame1);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setSelectionMode(QAbstractItemView::NoSelection);
    ListView1->setFocusPolicy(Qt::NoFocus);
    ListView1->setSpacing(3);
    chFin = new ChartControl(Frame1);
    chFin->setObjectName(QStringLiteral("chFin"));
    // Seconds would dwarf score and moves: the time stands in minutes on an
    // axis of its own.
    chFin->SetTimeColumn(3);
    chFin->SetMinimumChartSize(QSize(320, 220));

    auto *inner = new QHBoxLayout(Frame1);
    inner->addWidget(ListView1, 2);
    inner->addWidget(chFin, 3);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 0, 6, 6);
    layout->setMenuBar(Toolbar1);
    layout->addWidget(Frame1);
    Form_Load();

    // Wide enough for every button with its text (an overflow menu would hide
    // the closing actions), and for the list and the chart as loaded.
    setMinimumWidth(std::max(Toolbar1->sizeHint().width() + 12, layout->totalMinimumSize().width()));
    resize(minimumWidth(), 320);
}

void frmFinish::Form_Load()
{
    cData &d = *ctx_.data;
    // Everything shown is read once, here: the list shows exactly what the
    // end of the game records a moment later.
    const QString name = d.CurGName();
    const GameNo number = d.CurGNo();
    const QString player = d.CurPlayer();
    const int32_t time = d.CurTime();
    const int16_t moves = d.CurMoves();
    const int16_t score = d.CurScore();

    Frame1->setTitle(name);
    ListView1->addItem(QStringLiteral(" Game : ") + number.toText());
    ListView1->addItem(QStringLiteral(" Player : ") + player);
    ListView1->addItem(QStringLiteral(" Time : ") + FormatTime(time));
    ListView1->addItem(QStringLiteral(" Moves : ") + QString::number(moves));
    ListView1->addItem(QStringLiteral(" Score : ") + QString::number(score));
    // Every line whole: a name of 25 characters or a 15-digit number is
    // wider than the list's usual width.
    FitListWidth(ListView1, 200);

    // A chart bar cannot go below the axis: a negative score charts as 0.
    chFin->SetData({ChartControl::Row{double(std::max<int16_t>(score, 0)), double(moves), double(time)}});
    // The one group is this game, named as the list names it.
    chFin->SetRowLabels({QStringLiteral("Game ") + number.toText()});
    chFin->SetColumn(1);
    chFin->SetColumnLabel(QStringLiteral("Score"));
    chFin->SetColumn(2);
    chFin->SetColumnLabel(QStringLiteral("Moves"));
    chFin->SetColumn(3);
    chFin->SetColumnLabel(QStringLiteral("Time"));

    d.PlaySound(QStringLiteral("Win"));
    // Recorded here and nowhere else: the load runs once per window, while a
    // show event would run again after every minimise and restore.
    if (ctx_.engine)
        ctx_.engine->EndGame(1);
}

QAction *frmFinish::Button(const QString &key) const
{
    for (QAction *a : Toolbar1->actions())
        if (a->data().toString() == key)
            return a;
    return nullptr;
}

void frmFinish::Toolbar1_ButtonClick(const QString &key)
{
    if (key == QLatin1String("New")) {
        done(NewGame);
    } else if (key == QLatin1String("Select")) {
        done(SelectGame);
    } else if (key == QLatin1String("Restart")) {
        done(RestartGame);
    } else if (key == QLatin1String("Statistics")) {
        if (ctx_.openGameStats)
            ctx_.openGameStats();
    } else if (key == QLatin1String("Highscore")) {
        // Over this window, which stays open beneath it.
        frmHighScore::showModal(ctx_, this);
    } else if (key == QLatin1String("Close")) {
        done(Closed);
    }
}

void frmFinish::RunNext(const AppContext &context, int next)
{
    cData &d = *context.data;
    switch (next) {
    case NewGame:
        if (context.startGame && context.randomGameNo)
            context.startGame(d.LastGName(), context.randomGameNo());
        break;
    case SelectGame:
        if (context.showSelector)
            context.showSelector();
        break;
    case RestartGame:
        // The number goes back as it came, so a typed text deals as that text.
        if (context.startGame)
            context.startGame(d.CurGName(), d.CurGNo());
        break;
    default: break;
    }
}

int frmFinish::showModal(const AppContext &context, QWidget *owner)
{
    int next = Closed;
    {
        frmFinish w(context, owner);
        next = context.prompt->Run(w);
    }
    // The window is gone before the next game starts: the start runs inside
    // the winning move's call chain and may itself end in a win.
    RunNext(context, next);
    return next;
}

} // namespace tw

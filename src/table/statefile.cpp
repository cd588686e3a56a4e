#include "statefile.h"

#include "engine/numeric.h"
#include "mainwindow.h"
#include "settings/data.h"

#include <QAction>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QWindow>

namespace tw {

void WriteTableState(const QString &file, frmMain &table)
{
    Engine &engine = table.engine();
    QJsonObject o;
    // The title as shown, without the doubling that keeps a "[*]" in it.
    o[QStringLiteral("title")] = table.windowHandle() ? table.windowHandle()->title() : table.windowTitle();
    o[QStringLiteral("running")] = engine.Data.GameRunning();
    o[QStringLiteral("score")] = table.mScore()->text();
    o[QStringLiteral("time")] = table.mTime()->text();
    o[QStringLiteral("moves")] = table.mMoves()->text();
    QJsonArray cards;
    for (int i = 0; i < MaxCards; ++i) {
        const CardState &c = engine.Cards[static_cast<size_t>(i)];
        if (!c.Visible)
            continue;
        const QPoint g = table.PicCards(i)->mapToGlobal(QPoint(0, 0));
        cards << QJsonObject{
            {QStringLiteral("i"), i},         {QStringLiteral("cell"), c.Cell},
            {QStringLiteral("pile"), c.Pile}, {QStringLiteral("pos"), c.Pos},
            {QStringLiteral("num"), c.Num},   {QStringLiteral("x"), g.x()},
            {QStringLiteral("y"), g.y()},     {QStringLiteral("top"), engine.Array.GetTop(c.Cell, c.Pile)}};
    }
    o[QStringLiteral("cards")] = cards;
    QJsonArray cells;
    for (int16_t p = 0; p < engine.Games.Piles(PileType::Res); ++p) {
        const QPoint at(twipsToPx(engine.Games.GetCordX(PileType::Res, p, 0)),
                        twipsToPx(engine.Games.GetCordY(PileType::Res, p, 0)));
        const QPoint g = table.PicMain()->mapToGlobal(at);
        cells << QJsonObject{{QStringLiteral("x"), g.x()},
                             {QStringLiteral("y"), g.y()},
                             {QStringLiteral("empty"), engine.Array.GetTop(PileType::Res, p) < 0}};
    }
    o[QStringLiteral("cells")] = cells;
    QSaveFile f(file);
    if (f.open(QIODevice::WriteOnly)) {
        f.write(QJsonDocument(o).toJson(QJsonDocument::Compact));
        f.commit();
    }
}

} // namespace tw

// The floor of a deal: one full paint of the table as it stands dealt, the
// least that showing a new deal can cost. The program's own main window deals
// the game its settings name as the last one, as the program does; F2 then
// paints the whole table once instead of dealing.
//
//   bench_tablefloor
#include "engine/catalogue.h"
#include "settings/data.h"
#include "settings/resources_init.h"
#include "settings/store.h"
#include "table/mainwindow.h"
#include "table/qtprompt.h"

#include <QAction>
#include <QApplication>
#include <QShortcut>

using namespace tw;

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    initResources();
    QtSettingsStore store;
    cData data(store);
    frmGame::Init(data);
    QtPrompt prompt;
    frmMain w(data, prompt);
    w.item(FileItem::NewGame)->setShortcut(QKeySequence());
    QShortcut paint(QKeySequence(Qt::Key_F2), &w);
    QObject::connect(&paint, &QShortcut::activated, &w, [&w] { w.PicMain()->repaint(); });
    w.show();
    w.startDeal(data.LastGName(), GameNo::number(1));
    return QApplication::exec();
}

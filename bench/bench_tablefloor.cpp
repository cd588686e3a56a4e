// The floor of a deal: one full paint of the table as it stands dealt, the
// least that showing a new deal can cost. The program's own main window deals
// the game its settings name as the last one, as the program does; F2 then
// paints the whole table once instead of dealing.
//
//   bench_tablefloor
#include "benchtable.h"
#include "table/mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QShortcut>

using namespace tw;

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    bench::ProgramObjects program;
    frmMain w(program.data, program.prompt);
    w.item(FileItem::NewGame)->setShortcut(QKeySequence());
    QShortcut paint(QKeySequence(Qt::Key_F2), &w);
    QObject::connect(&paint, &QShortcut::activated, &w, [&w] { w.PicMain()->repaint(); });
    w.show();
    w.startDeal(program.data.LastGName(), GameNo::number(1));
    return QApplication::exec();
}

#include "logstat.h"

#include "engine/clock.h"
#include "records/recordfile.h"
#include "records/score.h"
#include "settings/data.h"
#include "table/select.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tw {

namespace {

enum LogColumn { ColNo, ColPlayer, ColGame, ColScore, ColTime, ColMoves, ColStatus, ColDate, ColGNo, ColCount };

struct DateWindow {
    const char *text;
    const char *key; // empty: every record
};

constexpr DateWindow kDateWindows[] = {
    {"Show Today", "t"},       {"Last 3 Days", "3d"},   {"Last 7 Days", "7d"}, {"Last 30 Days", "30d"},
    {"Last 3 Months", "3m"},   {"Last 5 Months", "5m"}, {"Show All", ""},
};

} // namespace

bool logListed(const ScoreRec &rec, const QDateTime &now, const QString &key)
{
    if (key.isEmpty())
        return true;
    // A date that could not be read lies in no day or month.
    if (!rec.HasDate() || !now.isValid())
        return false;
    const QDate today = now.date();
    const qint64 days = rec.Day.daysTo(today);
    if (days < 0)
        return false;
    if (key == u"t")
        return days == 0;
    if (key == u"3d")
        return days <= 3;
    if (key == u"7d")
        return days <= 7;
    if (key == u"30d")
        return days <= 30;
    const int months = (today.year() * 12 + today.month()) - (rec.Day.year() * 12 + rec.Day.month());
    if (key == u"3m")
        return months <= 3;
    if (key == u"5m")
        return months <= 5;
    return true;
}

QIcon frmLogStat::RowIcon()
{
    // A small ruled sheet.
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(70, 70, 70), 1));
    p.setBrush(QColor(252, 250, 235));
    p.drawRect(QRectF(2.5, 1.5, 11, 13));
    p.setPen(QPen(QColor(40, 90, 170), 1));
    for (int y = 5; y <= 11; y += 3)
        p.drawLine(QPointF(4.5, y + 0.5), QPointF(11.5, y + 0.5));
    return QIcon(pm);
}

frmLogStat::frmLogStat(const AppContext &context, QWidget *parent)
    : QDialog(parent), ctx_(context)
{
    setObjectName(QStringLiteral("frmLogStat"));
    setWindowTitle(QStringLiteral("Log Statistics"));
    setWindowIcon(ctx_.data->Icon());

    imcPlayer = new QComboBox(this);
    imcPlayer->setObjectName(QStringLiteral("imcPlayer"));
    imcPlayer->setMinimumWidth(150);
    imcGames = new QComboBox(this);
    imcGames->setObjectName(QStringLiteral("imcGames"));
    imcGames->setMinimumWidth(190);
    imcGames->setMaxVisibleItems(20);
    imcDate = new QComboBox(this);
    imcDate->setObjectName(QStringLiteral("imcDate"));
    imcDate->setMinimumWidth(140);

    lvLog = new QTreeWidget(this);
    lvLog->setObjectName(QStringLiteral("lvLog"));
    lvLog->setRootIsDecorated(false);
    lvLog->setUniformRowHeights(true);
    lvLog->setSelectionMode(QAbstractItemView::SingleSelection);
    lvLog->setIconSize(QSize(16, 16));
    lvLog->setColumnCount(ColCount);
    lvLog->setHeaderLabels({QStringLiteral("S No."), QStringLiteral("Player"), QStringLiteral("Game"),
                            QStringLiteral("Score"), QStringLiteral("Time"), QStringLiteral("Moves"),
                            QStringLiteral("Status"), QStringLiteral("Date"), QStringLiteral("Game Number")});
    const int widths[ColCount] = {64, 100, 150, 56, 64, 56, 56, 90, 110};
    for (int c = 0; c < ColCount; ++c)
        lvLog->setColumnWidth(c, widths[c]);
    for (int c : {ColScore, ColTime, ColMoves})
        lvLog->headerItem()->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);

    cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setDefault(true);

    auto *choosers = new QHBoxLayout;
    choosers->addWidget(imcPlayer);
    choosers->addWidget(imcGames);
    choosers->addWidget(imcDate);
    choosers->addStretch(1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);

    auto *main = new QVBoxLayout(this);
    main->addLayout(choosers);
    main->addWidget(lvLog, 1);
    main->addLayout(buttons);
    resize(860, 460);

    ctx_.score->OpenAllScore();
    loaded_ = true;
    FillGames();
    FillPlayers();
    FillDates();
    ShowLog();

    for (QComboBox *box : {imcPlayer, imcGames, imcDate})
        connect(box, &QComboBox::currentIndexChanged, this, [this] { ShowLog(); });
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
}

frmLogStat::~frmLogStat()
{
    release();
}

void frmLogStat::release()
{
    if (loaded_) {
        loaded_ = false;
        ctx_.score->CloseScore();
    }
}

void frmLogStat::done(int r)
{
    release();
    QDialog::done(r);
}

QDateTime frmLogStat::now() const
{
    return ctx_.score->Now ? ctx_.score->Now() : QDateTime::currentDateTime();
}

void frmLogStat::FillGames()
{
    const QSignalBlocker block(imcGames);
    imcGames->clear();
    const QIcon icon = frmSelect::GameIcon();
    imcGames->addItem(icon, QStringLiteral("All Games"));
    const int16_t n = ctx_.data->TotalGames();
    for (int16_t i = 1; i <= n; ++i)
        imcGames->addItem(icon, ctx_.data->GetGName(i));
    imcGames->setCurrentIndex(0);
}

void frmLogStat::FillPlayers()
{
    const QSignalBlocker block(imcPlayer);
    imcPlayer->clear();
    const QIcon icon = frmSelect::PlayerIcon();
    imcPlayer->addItem(icon, QStringLiteral("All Players"));
    const int16_t n = ctx_.data->TotalPlayers();
    for (int16_t i = 1; i <= n; ++i)
        imcPlayer->addItem(icon, ctx_.data->GetPlayer(i));
    imcPlayer->setCurrentIndex(0);
}

void frmLogStat::FillDates()
{
    const QSignalBlocker block(imcDate);
    imcDate->clear();
    const QIcon icon = frmSelect::GameIcon();
    for (const DateWindow &w : kDateWindows)
        imcDate->addItem(icon, QLatin1String(w.text), QString::fromLatin1(w.key));
    imcDate->setCurrentIndex(imcDate->count() - 1);
}

void frmLogStat::ShowLog()
{
    lvLog->setUpdatesEnabled(false);
    lvLog->clear();

    // The first item of each chooser means "everybody" / "every game", even
    // when a player happens to carry that item's text as a name.
    const bool anyPlayer = imcPlayer->currentIndex() <= 0;
    const bool anyGame = imcGames->currentIndex() <= 0;
    const QString player = imcPlayer->currentText();
    const QString game = imcGames->currentText();
    const QString key = imcDate->currentData(KeyRole).toString();
    const QDateTime moment = now();

    const QIcon icon = RowIcon();
    const QLocale locale;
    const QString dateFormat = recordfile::shortDateFormat();
    QDate lastDay;
    QString lastDayText;

    QList<QTreeWidgetItem *> rows;
    const int32_t top = ctx_.score->ScoreTop();
    ScoreRec r;
    int32_t n = 0;
    for (int32_t i = 1; i <= top; ++i) {
        ctx_.score->GetScoreRec(i, r);
        if (!anyPlayer && r.Player != player)
            continue;
        if (!anyGame && r.GName != game)
            continue;
        if (!logListed(r, moment, key))
            continue;
        ++n;
        if (r.HasDate() && r.Day != lastDay) {
            lastDay = r.Day;
            lastDayText = locale.toString(r.Day, dateFormat);
        }
        auto *item = new QTreeWidgetItem(QStringList{
            QString::number(n), r.Player, r.GName, QString::number(r.Score), FormatTime(r.Time),
            QString::number(r.Moves), WonLost(r.Status), r.HasDate() ? lastDayText : r.Date, r.GNo.toText()});
        item->setIcon(ColNo, icon);
        for (int c : {ColScore, ColTime, ColMoves})
            item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
        rows << item;
    }
    lvLog->addTopLevelItems(rows);
    lvLog->setUpdatesEnabled(true);
}

int frmLogStat::showModal(const AppContext &context, QWidget *owner)
{
    QPointer<frmLogStat> w = new frmLogStat(context, owner);
    const int r = w->exec();
    delete w.data();
    return r;
}

} // namespace tw

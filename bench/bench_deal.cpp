// How fast a game starts: the catalogue, the card arrays, the shuffle and the
// whole deal of the model, with no animation to wait for and the settings held
// in memory. Prints deals per second for each rule family and the time of
// 10,000 deals cycling through the 35 variants.
//
//   bench_deal [deals per variant, default 2000]
#include "engine/catalogue.h"
#include "engine/engine.h"
#include "settings/data.h"
#include "settings/store.h"

#include <QCoreApplication>
#include <QMap>
#include <QTextStream>

#include <chrono>
#include <cstdio>
#include <cstdlib>

using namespace tw;

namespace {

using Clock = std::chrono::steady_clock;

double micros(Clock::duration d) { return std::chrono::duration<double, std::micro>(d).count(); }

struct Bench {
    MemoryStore store;
    cData data{store};
    EngineView view; // draws nothing
    Engine engine{data, view};

    Bench()
    {
        frmGame::Init(data);
        data.SetPlayer(1, QStringLiteral("Player1"), true);
        data.Autoplay(1);
    }

    // Starts `deals` games of one variant and returns the mean time of one.
    double perDeal(const QString &name, int deals, qint64 &number)
    {
        const auto t0 = Clock::now();
        for (int i = 0; i < deals; ++i)
            engine.StartGame(name, GameNo::number(++number));
        return micros(Clock::now() - t0) / deals;
    }
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int deals = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;

    Bench b;
    qint64 number = 0;
    // Warm up every variant once.
    for (int16_t i = 1; i <= frmGame::GameCount; ++i)
        b.perDeal(frmGame::NameAt(i), 20, number);

    std::printf("%-26s %6s %5s %12s %12s\n", "variant", "family", "cards", "us/deal", "deals/s");
    struct Family {
        double micros = 0;
        int variants = 0;
    };
    QMap<QString, Family> families;
    double worst104 = 0;
    for (int16_t i = 1; i <= frmGame::GameCount; ++i) {
        const QString name = frmGame::NameAt(i);
        const double us = b.perDeal(name, deals, number);
        const QString tag = b.engine.Games.Tag();
        const int cards = b.engine.Games.TotalCards();
        if (cards == 104 && us > worst104)
            worst104 = us;
        families[tag].micros += us;
        ++families[tag].variants;
        std::printf("%-26s %6s %5d %12.2f %12.0f\n", name.toUtf8().constData(), tag.toUtf8().constData(), cards, us,
                    1e6 / us);
    }

    std::printf("\nper rule family (mean over its variants)\n");
    std::printf("%-12s %8s %12s %12s\n", "family", "variants", "us/deal", "deals/s");
    for (auto it = families.cbegin(); it != families.cend(); ++it) {
        const double us = it->micros / it->variants;
        std::printf("%-12s %8d %12.2f %12.0f\n", it.key().toUtf8().constData(), it->variants, us, 1e6 / us);
    }

    // 10,000 deals in all, cycling through the catalogue.
    const auto t0 = Clock::now();
    for (int k = 0; k < 10000; ++k)
        b.engine.StartGame(frmGame::NameAt(static_cast<int16_t>(1 + k % frmGame::GameCount)), GameNo::number(++number));
    const double total = micros(Clock::now() - t0);
    std::printf("\n10,000 deals cycling through the 35 variants: %.1f ms (%.2f us per deal)\n", total / 1000,
                total / 10000);
    std::printf("slowest 104-card variant: %.2f us per deal (goal: under 20 us) %s\n", worst104,
                worst104 < 20 ? "ok" : "SLOW");
    return b.engine.CheckModel().isEmpty() ? 0 : 1;
}

#pragma once

// Helpers shared by the engine tests: a table whose view, record sink and
// sound player record what the engine asks of them, plus small tools to lay
// out, inspect and drag cards.
#include "engine/catalogue.h"
#include "engine/engine.h"
#include "testutil.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <functional>
#include <vector>

namespace tw::test {

// Remembers which card each repaint showed moving, so the number of animation
// steps of every placement can be read back.
class SpyView : public RecordingView {
public:
    void CardMoved(int card) override
    {
        lastMoved = card;
        if (onMoved)
            onMoved(card);
    }
    void RefreshTable() override
    {
        RecordingView::RefreshTable();
        repaintedCards.push_back(lastMoved);
    }
    void MarkerChanged(MarkerKind kind, int index) override { markers.push_back({kind, index}); }
    void AnimationPause() override { ++pauses; }

    int lastMoved = -1;
    int pauses = 0; // one per intermediate step of a move
    std::vector<int> repaintedCards;
    std::vector<std::pair<MarkerKind, int>> markers;
    std::function<void(int)> onMoved;
};

// Keeps the score that was current when each game was recorded.
class SpySink : public RecordSink {
public:
    explicit SpySink(cData &d) : data(d) {}
    void AddScore(int16_t Status) override
    {
        scores.push_back(Status);
        recordedScore.push_back(data.CurScore());
        recordedMoves.push_back(data.CurMoves());
        recordedTime.push_back(data.CurTime());
    }
    void AddSesGame(int16_t Status) override { session.push_back(Status); }
    cData &data;
    std::vector<int16_t> scores, session, recordedScore, recordedMoves;
    std::vector<int32_t> recordedTime;
};

class SpySound : public SoundPlayer {
public:
    void Play(const QString &resource) override
    {
        played << resource;
        if (onPlay)
            onPlay(resource);
    }
    QStringList played;
    std::function<void(const QString &)> onPlay;
};

struct Table {
    Table()
    {
        view.engine = &engine;
        d.data.SetSoundPlayer(&sound);
        d.data.SetPlayer(1, QStringLiteral("Player1"), true);
        engine.Now = [this] { return now; };
    }
    TestData d;
    SpyView view;
    SpySink sink{d.data};
    SpySound sound;
    Engine engine{d.data, view, &sink};
    QDateTime now = QDateTime(QDate(2024, 5, 1), QTime(12, 0, 0));

    cData &data() { return d.data; }
    void start(const QString &name, qint64 number) { engine.StartGame(name, GameNo::number(number)); }
    int16_t T() const { return engine.Array.Total(); }
    int16_t top(int16_t cell, int16_t pile) const { return engine.Array.GetTop(cell, pile); }
    int16_t at(int16_t cell, int16_t pile, int16_t pos) const { return engine.Array.GetPicID(cell, pile, pos); }
    int16_t topCard(int16_t cell, int16_t pile) const { return engine.Array.GetTopPicID(cell, pile); }
    int count(int16_t cell, int16_t pile) const { return top(cell, pile) + 1; }
    int32_t position() const { return engine.Trans->Position(); }

    // Moves a card (with everything on it) to the next free place of a pile,
    // with no animation and no autoplay.
    void place(int card, int16_t cell, int16_t pile)
    {
        const CardState &c = engine.Cards[static_cast<size_t>(card)];
        const int16_t count =
            c.Cell == cell && c.Pile == pile ? 0 : static_cast<int16_t>(engine.Array.GetTop(c.Cell, c.Pile) - c.Pos);
        int32_t mode = 2;
        engine.Array.MoveCard(static_cast<int16_t>(card), cell, pile,
                              static_cast<int16_t>(engine.Array.GetTop(cell, pile) + 1), mode, 0, count, false);
    }

    // Gives a card a new face; suit 0 hearts, 1 spades, 2 diamonds, 3 clubs.
    void relabel(int card, int16_t suit, int16_t num, int16_t suitpile = -1)
    {
        engine.SetValue(card, suit, num, suitpile < 0 ? suit : suitpile);
    }

    // Swaps the faces of two cards, so the deck stays a permutation.
    void swapFaces(int a, int b)
    {
        const CardState ca = engine.Cards[static_cast<size_t>(a)];
        const CardState cb = engine.Cards[static_cast<size_t>(b)];
        engine.SetValue(a, cb.Suit, cb.Num, cb.Suitpile);
        engine.SetValue(b, ca.Suit, ca.Num, ca.Suitpile);
    }

    // The dealt card with this face (first one for a double deck).
    int find(int16_t suit, int16_t num, int16_t suitpile = -1) const
    {
        for (int i = 0; i < T(); ++i) {
            const CardState &c = engine.Cards[static_cast<size_t>(i)];
            if (c.Suit == suit && c.Num == num && (suitpile < 0 || c.Suitpile == suitpile))
                return i;
        }
        return -1;
    }

    // Puts the face (suit, num) on the card that lies at a place.
    void faceAt(int16_t cell, int16_t pile, int16_t pos, int16_t suit, int16_t num, int16_t suitpile = -1)
    {
        const int target = at(cell, pile, pos);
        const int source = find(suit, num, suitpile);
        if (target != source)
            swapFaces(target, source);
    }

    // A drag with the mouse: press inside the card, move it so that its
    // top-left corner lands on (left, top), release.
    void drag(int card, float left, float top)
    {
        const float dx = left - static_cast<float>(engine.GetCardLeft(card));
        const float dy = top - static_cast<float>(engine.GetCardTop(card));
        engine.CardMouseDown(card, 500, 700);
        engine.CardMouseMove(card, 500 + dx, 700 + dy);
        engine.CardMouseUp(card, 500 + dx, 700 + dy);
    }
    // A drag onto a place, the card lying exactly over it.
    void dragTo(int card, int16_t cell, int16_t pile, int16_t pos)
    {
        drag(card, engine.Games.GetCordX(cell, pile, pos), engine.Games.GetCordY(cell, pile, pos));
    }
    void press(int card)
    {
        engine.CardMouseDown(card, 500, 700);
        engine.CardMouseUp(card, 500, 700);
    }
};

// Everything that Undo All followed by Redo All must restore.
struct CardSnap {
    int16_t Cell, Pile, Pos;
    int32_t FaceMode;
    float Left, Top;
    bool operator==(const CardSnap &o) const
    {
        return Cell == o.Cell && Pile == o.Pile && Pos == o.Pos && FaceMode == o.FaceMode && Left == o.Left
               && Top == o.Top;
    }
};

inline std::vector<CardSnap> snapshot(const Engine &e)
{
    std::vector<CardSnap> s;
    for (int i = 0; i < e.Array.Total(); ++i) {
        const CardState &c = e.Cards[static_cast<size_t>(i)];
        s.push_back({c.Cell, c.Pile, c.Pos, c.FaceMode, c.Left, c.Top});
    }
    return s;
}

// The values of the dealt cards, in card order.
inline std::vector<int> faces(const Engine &e)
{
    std::vector<int> v;
    for (int i = 0; i < e.Array.Total(); ++i)
        v.push_back(e.Cards[static_cast<size_t>(i)].Suitpile * 13 + e.Cards[static_cast<size_t>(i)].Num);
    return v;
}

inline std::string str(const QString &s) { return s.toStdString(); }

} // namespace tw::test

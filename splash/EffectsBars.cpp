// Bars (strips of rows or columns that sweep in one after another), uneven shreds (every row or
// column with its own random head start), criss-cross (row and column strips sweeping at once)
// and blinds. All reveal the new picture in place.

#include "EffectFamilies.h"
#include "EffectTools.h"

#include <vector>

namespace orvane::fx {

namespace {

constexpr int kBars = 16;
constexpr int kCrossBars = 8;

// Arrival of a sweep from each side.
double FromLeft(int x, int W) {
    return Along(x, W);
}
double FromRight(int x, int W) {
    return 1.0 - Along(x, W);
}
double FromTop(int y, int H) {
    return Along(y, H);
}
double FromBottom(int y, int H) {
    return 1.0 - Along(y, H);
}

int StripOf(int i, int n, int count) {
    return i * count / std::max(n, 1);
}

// A row's (or column's) head start in an uneven shred; fixed per size so that a frame, once
// shown, stays shown as the progress grows.
double Head(int i, int seed) {
    return Noise(std::uint32_t(seed), std::uint32_t(i));
}

enum Side { L, R, T, B };
double SweepX(Side s, int x, int W) {
    return s == L ? FromLeft(x, W) : FromRight(x, W);
}
double SweepY(Side s, int y, int H) {
    return s == T ? FromTop(y, H) : FromBottom(y, H);
}
Side Opposite(Side s) {
    return s == L ? R : s == R ? L : s == T ? B : T;
}

// Criss-cross: even row strips sweep from h1, odd ones from h2 a little later; columns likewise
// from v1 and v2. A pixel shows once either sweep has passed it.
void CrissCross(QImage& f, const QImage& n, int W, int H, int p, Side h1, Side h2, Side v1,
                Side v2) {
    RevealByArrival(f, n, p, [=](int x, int y) {
        const bool oddRow = StripOf(y, H, kCrossBars) % 2 != 0;
        const bool oddCol = StripOf(x, W, kCrossBars) % 2 != 0;
        const double aH = (oddRow ? 0.25 : 0.0) + 0.75 * SweepX(oddRow ? h2 : h1, x, W);
        const double aV = (oddCol ? 0.25 : 0.0) + 0.75 * SweepY(oddCol ? v2 : v1, y, H);
        return std::min(aH, aV);
    });
}

// Bounce: the even strips cross the frame in the first half; the odd ones come back from the
// far side in the second.
void Bounce(QImage& f, const QImage& n, int W, int H, int p, Side h, Side v) {
    RevealByArrival(f, n, p, [=](int x, int y) {
        const bool oddRow = StripOf(y, H, kCrossBars) % 2 != 0;
        const bool oddCol = StripOf(x, W, kCrossBars) % 2 != 0;
        const double aH = oddRow ? 0.5 + 0.5 * SweepX(Opposite(h), x, W) : 0.5 * SweepX(h, x, W);
        const double aV = oddCol ? 0.5 + 0.5 * SweepY(Opposite(v), y, H) : 0.5 * SweepY(v, y, H);
        return std::min(aH, aV);
    });
}

// Two uneven shreds at once, one along the rows and one along the columns.
template <class Across, class Down>
void Shred2(QImage& f, const QImage& n, int p, Across across, Down down) {
    RevealByArrival(f, n, p, [&](int x, int y) {
        return std::min(0.5 * Head(y, 100) + 0.5 * across(x), 0.5 * Head(x, 101) + 0.5 * down(y));
    });
}

// Slats of an uneven blind: widths between half and one and a half of a twelfth of the side,
// chosen at random but fixed per size. For each position: slat number, its start and width.
struct Slat {
    int index, start, width;
};
std::vector<Slat> Slats(int n) {
    std::vector<Slat> at(size_t(std::max(n, 0)));
    const int base = std::max(2, n / 12);
    int start = 0, index = 0;
    while (start < n) {
        int w = base / 2 + int(Noise(138, std::uint32_t(index)) * base) + 1;
        w = std::min(w, n - start);
        for (int i = start; i < start + w; ++i)
            at[size_t(i)] = {index, start, w};
        start += w;
        ++index;
    }
    return at;
}

template <class Map>
void UnevenBlind(QImage& f, const QImage& n, int p, int side, bool across, Map mirror) {
    const std::vector<Slat> slats = Slats(side);
    const int count = slats.empty() ? 1 : slats.back().index + 1;
    RevealByArrival(f, n, p, [&](int x, int y) {
        const int i = mirror(across ? x : y);
        if (i < 0 || i >= side) return 1.0; // a frame larger than the picture: leave it
        const Slat& s = slats[size_t(i)];
        return 0.5 * s.index / count + 0.5 * Along(i - s.start, s.width);
    });
}

} // namespace

void AddBarEffects(TEffectTable& t) {
    // Bars of rows, sweeping sideways.
    t[60] = [](ORVANE_FX_ARGS) {
        RevealByArrival(f, n, p, [=](int x, int y) {
            return 0.4 * StripOf(y, H, kBars) / kBars + 0.6 * FromRight(x, W);
        });
    };
    t[61] = [](ORVANE_FX_ARGS) {
        RevealByArrival(f, n, p, [=](int x, int y) {
            return 0.4 * StripOf(y, H, kBars) / kBars + 0.6 * FromLeft(x, W);
        });
    };
    t[62] = [](ORVANE_FX_ARGS) {
        RevealByArrival(f, n, p, [=](int x, int y) {
            return StripOf(y, H, kBars) % 2 == 0 ? 0.5 * FromLeft(x, W)
                                                 : 0.5 + 0.5 * FromRight(x, W);
        });
    };
    t[63] = [](ORVANE_FX_ARGS) {
        RevealByArrival(f, n, p, [=](int x, int y) {
            return StripOf(y, H, kBars) % 2 == 0 ? 0.5 * FromRight(x, W)
                                                 : 0.5 + 0.5 * FromLeft(x, W);
        });
    };
    t[64] = [](ORVANE_FX_ARGS) {
        RevealByArrival(f, n, p, [=](int x, int y) {
            return StripOf(y, H, kBars) % 2 == 0 ? FromLeft(x, W) : FromRight(x, W);
        });
    };
    t[65] = [](ORVANE_FX_ARGS) {
        RevealByArrival(f, n, p,
                        [=](int x, int y) { return 0.5 * Head(y, 65) + 0.5 * FromRight(x, W); });
    };
    t[66] = [](ORVANE_FX_ARGS) {
        RevealByArrival(f, n, p,
                        [=](int x, int y) { return 0.5 * Head(y, 66) + 0.5 * FromLeft(x, W); });
    };
    t[67] = [](ORVANE_FX_ARGS) {
        RevealByArrival(f, n, p,
                        [=](int x, int y) { return 0.5 * Head(y, 67) + 0.5 * FromMiddle(x, W); });
    };
    t[68] = [](ORVANE_FX_ARGS) {
        RevealByArrival(f, n, p, [=](int x, int y) {
            return 0.5 * Head(y, 68) + 0.5 * (1.0 - FromMiddle(x, W));
        });
    };

    // Bars of columns, sweeping up or down.
    t[71] = [](ORVANE_FX_ARGS) {
        RevealByArrival(f, n, p, [=](int x, int y) {
            return 0.4 * StripOf(x, W, kBars) / kBars + 0.6 * FromBottom(y, H);
        });
    };
    t[72] = [](ORVANE_FX_ARGS) {
        RevealByArrival(f, n, p, [=](int x, int y) {
            return 0.4 * StripOf(x, W, kBars) / kBars + 0.6 * FromTop(y, H);
        });
    };
    t[73] = [](ORVANE_FX_ARGS) {
        RevealByArrival(f, n, p, [=](int x, int y) {
            return StripOf(x, W, kBars) % 2 == 0 ? 0.5 * FromTop(y, H)
                                                 : 0.5 + 0.5 * FromBottom(y, H);
        });
    };
    t[74] = [](ORVANE_FX_ARGS) {
        RevealByArrival(f, n, p, [=](int x, int y) {
            return StripOf(x, W, kBars) % 2 == 0 ? 0.5 * FromBottom(y, H)
                                                 : 0.5 + 0.5 * FromTop(y, H);
        });
    };
    t[75] = [](ORVANE_FX_ARGS) {
        RevealByArrival(f, n, p, [=](int x, int y) {
            return StripOf(x, W, kBars) % 2 == 0 ? FromTop(y, H) : FromBottom(y, H);
        });
    };
    t[76] = [](ORVANE_FX_ARGS) {
        RevealByArrival(f, n, p,
                        [=](int x, int y) { return 0.5 * Head(x, 76) + 0.5 * FromBottom(y, H); });
    };
    t[77] = [](ORVANE_FX_ARGS) {
        RevealByArrival(f, n, p,
                        [=](int x, int y) { return 0.5 * Head(x, 77) + 0.5 * FromTop(y, H); });
    };
    t[78] = [](ORVANE_FX_ARGS) {
        RevealByArrival(f, n, p,
                        [=](int x, int y) { return 0.5 * Head(x, 78) + 0.5 * FromMiddle(y, H); });
    };
    t[79] = [](ORVANE_FX_ARGS) {
        RevealByArrival(f, n, p, [=](int x, int y) {
            return 0.5 * Head(x, 79) + 0.5 * (1.0 - FromMiddle(y, H));
        });
    };

    // Criss-cross.
    t[86] = [](ORVANE_FX_ARGS) { CrissCross(f, n, W, H, p, R, R, B, B); };
    t[87] = [](ORVANE_FX_ARGS) { CrissCross(f, n, W, H, p, R, R, T, T); };
    t[88] = [](ORVANE_FX_ARGS) { CrissCross(f, n, W, H, p, L, L, B, B); };
    t[89] = [](ORVANE_FX_ARGS) { CrissCross(f, n, W, H, p, L, L, T, T); };
    t[90] = [](ORVANE_FX_ARGS) { Bounce(f, n, W, H, p, L, T); };
    t[91] = [](ORVANE_FX_ARGS) { Bounce(f, n, W, H, p, L, B); };
    t[92] = [](ORVANE_FX_ARGS) { Bounce(f, n, W, H, p, R, T); };
    t[93] = [](ORVANE_FX_ARGS) { Bounce(f, n, W, H, p, R, B); };
    t[94] = [](ORVANE_FX_ARGS) { CrissCross(f, n, W, H, p, R, R, T, B); };
    t[95] = [](ORVANE_FX_ARGS) { CrissCross(f, n, W, H, p, L, L, T, B); };
    t[96] = [](ORVANE_FX_ARGS) { CrissCross(f, n, W, H, p, L, R, B, B); };
    t[97] = [](ORVANE_FX_ARGS) { CrissCross(f, n, W, H, p, L, R, T, T); };
    t[98] = [](ORVANE_FX_ARGS) { CrissCross(f, n, W, H, p, L, R, T, B); };
    t[99] = [](ORVANE_FX_ARGS) { CrissCross(f, n, W, H, p, L, R, B, T); };

    // Uneven shreds along both axes.
    t[100] = [](ORVANE_FX_ARGS) {
        Shred2(
            f, n, p, [=](int x) { return FromRight(x, W); },
            [=](int y) { return FromBottom(y, H); });
    };
    t[101] = [](ORVANE_FX_ARGS) {
        Shred2(
            f, n, p, [=](int x) { return FromRight(x, W); }, [=](int y) { return FromTop(y, H); });
    };
    t[102] = [](ORVANE_FX_ARGS) {
        Shred2(
            f, n, p, [=](int x) { return FromLeft(x, W); },
            [=](int y) { return FromBottom(y, H); });
    };
    t[103] = [](ORVANE_FX_ARGS) {
        Shred2(
            f, n, p, [=](int x) { return FromLeft(x, W); }, [=](int y) { return FromTop(y, H); });
    };
    t[104] = [](ORVANE_FX_ARGS) {
        Shred2(
            f, n, p, [=](int x) { return FromRight(x, W); },
            [=](int y) { return FromMiddle(y, H); });
    };
    t[105] = [](ORVANE_FX_ARGS) {
        Shred2(
            f, n, p, [=](int x) { return FromLeft(x, W); },
            [=](int y) { return FromMiddle(y, H); });
    };
    t[106] = [](ORVANE_FX_ARGS) {
        Shred2(
            f, n, p, [=](int x) { return FromMiddle(x, W); },
            [=](int y) { return FromBottom(y, H); });
    };
    t[107] = [](ORVANE_FX_ARGS) {
        Shred2(
            f, n, p, [=](int x) { return FromMiddle(x, W); }, [=](int y) { return FromTop(y, H); });
    };
    t[108] = [](ORVANE_FX_ARGS) {
        Shred2(
            f, n, p, [=](int x) { return FromMiddle(x, W); },
            [=](int y) { return FromMiddle(y, H); });
    };
    t[109] = [](ORVANE_FX_ARGS) {
        Shred2(
            f, n, p, [=](int x) { return 1.0 - FromMiddle(x, W); },
            [=](int y) { return 1.0 - FromMiddle(y, H); });
    };

    // Blinds.
    t[136] = [](ORVANE_FX_ARGS) {
        const int s = std::max(2, W / 12);
        RevealByArrival(f, n, p, [=](int x, int) { return Along(x % s, s); });
    };
    t[137] = [](ORVANE_FX_ARGS) {
        const int s = std::max(2, H / 12);
        RevealByArrival(f, n, p, [=](int, int y) { return Along(y % s, s); });
    };
    t[138] = [](ORVANE_FX_ARGS) { UnevenBlind(f, n, p, W, true, [](int i) { return i; }); };
    t[139] = [](ORVANE_FX_ARGS) {
        UnevenBlind(f, n, p, W, true, [W](int i) { return W - 1 - i; });
    };
    t[140] = [](ORVANE_FX_ARGS) { UnevenBlind(f, n, p, H, false, [](int i) { return i; }); };
    t[141] = [](ORVANE_FX_ARGS) {
        UnevenBlind(f, n, p, H, false, [H](int i) { return H - 1 - i; });
    };
}

} // namespace orvane::fx

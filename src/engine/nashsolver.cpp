#include "engine/nashsolver.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <numeric>

#include "engine/cards.h"
#include "engine/computedriver.h"
#include "engine/equitytable.h"
#include "engine/icmmodel.h"
#include "engine/rangeequity.h"

namespace torvel {

namespace {

constexpr int kClasses = kHandClassCount;
constexpr std::size_t kCells = static_cast<std::size_t>(kClasses) * kClasses;
// Combinations left to a second player once one holds two cards: C(50, 2).
constexpr double kCombosBesideOne = 1225.0;
// Probabilities this close to 0 or 1 are tried as pure decisions.
constexpr double kCleanedBelow = 0.01;

std::size_t at(int a, int b) {
    return static_cast<std::size_t>(a) * kClasses + static_cast<std::size_t>(b);
}


// Card-disjoint combination pairs of every two classes.
const std::vector<int>& togetherCounts() {
    static const std::vector<int> counts = [] {
        std::array<std::vector<std::uint64_t>, kClasses> combos;
        for (int a = 0; a < kCardCount; ++a)
            for (int b = a + 1; b < kCardCount; ++b)
                combos[static_cast<std::size_t>(classIndex(classOfCards(a, b)))].push_back((1ull << a) | (1ull << b));
        std::vector<int> table(kCells);
        for (int x = 0; x < kClasses; ++x)
            for (int y = x; y < kClasses; ++y) {
                int n = 0;
                for (const auto cx : combos[static_cast<std::size_t>(x)])
                    for (const auto cy : combos[static_cast<std::size_t>(y)])
                        n += (cx & cy) == 0;
                table[at(x, y)] = table[at(y, x)] = n;
            }
        return table;
    }();
    return counts;
}

// out += factor * row, over all classes.
void addScaled(double* out, const double* row, double factor) {
    for (std::size_t k = 0; k < static_cast<std::size_t>(kClasses); ++k)
        out[k] += factor * row[k];
}

}  // namespace

int classIndex(const HandClass& c) {
    static const std::array<int, kRankCount* kClassHighCount> index = [] {
        std::array<int, kRankCount * kClassHighCount> table{};
        table.fill(-1);
        const auto& classes = allHandClasses();
        for (int k = 0; k < kClasses; ++k)
            table[static_cast<std::size_t>(classes[static_cast<std::size_t>(k)].low * kClassHighCount +
                                           classes[static_cast<std::size_t>(k)].high)] = k;
        return table;
    }();
    if (c.low < 0 || c.low >= kRankCount || c.high < 0 || c.high >= kClassHighCount)
        return -1;
    return index[static_cast<std::size_t>(c.low * kClassHighCount + c.high)];
}

int callIndex(int players, int pusher, int caller) {
    // Pairs of earlier pushers come first, each with its later players.
    return pusher * (players - 1) - pusher * (pusher - 1) / 2 + (caller - pusher - 1);
}

double NashReport::worst() const {
    return exploitability.empty() ? 0.0 : *std::max_element(exploitability.begin(), exploitability.end());
}

std::string NashGame::refusalFor(const NashTable& table) {
    const std::size_t n = table.stacks.size();
    if (n < 2 || n > static_cast<std::size_t>(kSeatCount))
        return "a table has 2 to 10 players";
    std::int64_t total = 0;
    for (const auto s : table.stacks) {
        if (s < 1)
            return "every stack must hold at least one chip";
        if (s > INT_MAX)
            return "a stack is too large";
        total += s;
    }
    if (total > INT_MAX)
        return "the stacks hold more than 2147483647 chips together";
    if (table.bigBlind < 1 || table.smallBlind < 0 || table.ante < 0)
        return "the big blind must be at least 1, the small blind and ante at least 0";
    if (table.bigBlind > INT_MAX || table.smallBlind > INT_MAX || table.ante > INT_MAX)
        return "a blind or the ante is too large";
    for (const double p : table.payouts)
        if (!std::isfinite(p) || p < 0 || p > 1)
            return "every payout must lie between 0 and 100 percent";
    if (!(table.payouts[0] > 0))
        return "the first place must be paid";
    return {};
}

NashGame::NashGame(const NashTable& table, const EquityTable& equities) {
    error_ = refusalFor(table);
    if (!error_.empty())
        return;
    players_ = static_cast<int>(table.stacks.size());
    totals_ = table.stacks;
    payouts_ = table.payouts;
    const auto n = static_cast<std::size_t>(players_);
    posted_.assign(n, 0);
    for (std::size_t i = 0; i < n; ++i)
        posted_[i] = std::min(table.ante, totals_[i]);
    auto postBlind = [&](std::size_t i, std::int64_t blind) { posted_[i] += std::min(blind, totals_[i] - posted_[i]); };
    postBlind(n - 2, table.smallBlind);
    postBlind(n - 1, table.bigBlind);

    const auto& classes = allHandClasses();
    weight_.resize(kClasses);
    for (int k = 0; k < kClasses; ++k)
        weight_[static_cast<std::size_t>(k)] =
            combosOfClass(classes[static_cast<std::size_t>(k)]) / static_cast<double>(kComboCount);
    const auto& together = togetherCounts();
    joint_.resize(kCells);
    equity_.resize(kCells);
    winJoint_.resize(kCells);
    winJointT_.resize(kCells);
    for (int a = 0; a < kClasses; ++a)
        for (int b = 0; b < kClasses; ++b) {
            const MatchupShare m =
                lookupMatchup(equities, classes[static_cast<std::size_t>(a)], classes[static_cast<std::size_t>(b)]);
            if (!m.found || m.weight <= 0) {
                error_ = "table.res holds no showdown of " + handClassName(classes[static_cast<std::size_t>(a)]) +
                         " against " + handClassName(classes[static_cast<std::size_t>(b)]);
                return;
            }
            equity_[at(a, b)] = m.share / m.weight;
            joint_[at(a, b)] = together[at(a, b)] / (kComboCount * kCombosBesideOne);
            winJoint_[at(a, b)] = joint_[at(a, b)] * equity_[at(a, b)];
            winJointT_[at(b, a)] = winJoint_[at(a, b)];
        }

    for (int w = 0; w < players_; ++w)
        uncalled_.push_back(outcomeEquity(stacksAfterUncalled(w)));
    for (int i = 0; i < players_; ++i)
        for (int j = i + 1; j < players_; ++j) {
            pusherWins_.push_back(outcomeEquity(stacksAfterShowdown(i, j, true)));
            callerWins_.push_back(outcomeEquity(stacksAfterShowdown(i, j, false)));
        }
}

std::vector<std::int64_t> NashGame::stacksAfterUncalled(int winner) const {
    std::vector<std::int64_t> after(totals_.size());
    for (std::size_t k = 0; k < after.size(); ++k)
        after[k] = totals_[k] - posted_[k];
    after[static_cast<std::size_t>(winner)] =
        std::accumulate(posted_.begin(), posted_.end(), totals_[static_cast<std::size_t>(winner)]) -
        posted_[static_cast<std::size_t>(winner)];
    return after;
}

std::vector<std::int64_t> NashGame::stacksAfterShowdown(int pusher, int caller, bool pusherWins) const {
    const auto p = static_cast<std::size_t>(pusher);
    const auto c = static_cast<std::size_t>(caller);
    std::vector<std::int64_t> after(totals_.size());
    std::int64_t dead = 0;
    for (std::size_t k = 0; k < after.size(); ++k) {
        after[k] = totals_[k] - posted_[k];
        if (k != p && k != c)
            dead += posted_[k];
    }
    // Each puts in the smaller stack; the covering player keeps the rest.
    const std::int64_t matched = std::min(totals_[p], totals_[c]);
    const std::size_t winner = pusherWins ? p : c;
    const std::size_t loser = pusherWins ? c : p;
    after[winner] = totals_[winner] + matched + dead;
    after[loser] = totals_[loser] - matched;
    return after;
}

// The model gives a busted player nothing; he takes the place he finishes
// in. Several bust together (a short blind who folds, and the loser of the
// showdown) finish in the order of their stacks before the hand, sharing
// the places of equal stacks.
std::vector<double> NashGame::outcomeEquity(const std::vector<std::int64_t>& after) const {
    IcmModel model;
    for (int q = 0; q < kPlaceCount; ++q)
        model.setPayout(q, payouts_[static_cast<std::size_t>(q)]);
    std::vector<int> busted;
    for (int i = 0; i < players_; ++i) {
        model.setStack(i, static_cast<int>(after[static_cast<std::size_t>(i)]));
        if (after[static_cast<std::size_t>(i)] == 0)
            busted.push_back(i);
    }
    model.compute();
    std::vector<double> equity(model.equity, model.equity + players_);
    for (const int i : busted) {
        int below = 0, same = 0;
        for (const int j : busted) {
            below += totals_[static_cast<std::size_t>(j)] < totals_[static_cast<std::size_t>(i)];
            same += totals_[static_cast<std::size_t>(j)] == totals_[static_cast<std::size_t>(i)];
        }
        // Places are 0-based; the lowest busted stack takes place players - 1.
        double share = 0.0;
        for (int k = 0; k < same; ++k)
            share += payouts_[static_cast<std::size_t>(players_ - 1 - below - k)];
        equity[static_cast<std::size_t>(i)] = share / same;
    }
    return equity;
}

const std::vector<double>& NashGame::showdown(int pusher, int caller, bool pusherWins) const {
    const auto k = static_cast<std::size_t>(callIndex(players_, pusher, caller));
    return pusherWins ? pusherWins_[k] : callerWins_[k];
}

double NashGame::pusherEquity(int pusherClass, int callerClass) const {
    return equity_[at(pusherClass, callerClass)];
}

int NashGame::combosTogether(int classA, int classB) const {
    return togetherCounts()[at(classA, classB)];
}

NashProfile NashGame::uniformProfile(double probability) const {
    NashProfile profile;
    ClassStrategy all;
    all.fill(probability);
    profile.push.assign(static_cast<std::size_t>(players_ - 1), all);
    profile.call.assign(static_cast<std::size_t>(players_ * (players_ - 1) / 2), all);
    return profile;
}

void NashGame::actionValues(const NashProfile& profile, std::vector<double>& onValue, std::vector<double>& foldValue,
                            std::vector<double>& equity) const {
    using Size = std::size_t;
    constexpr Size C = kClasses;
    const auto n = static_cast<Size>(players_);
    auto pair = [&](Size i, Size j) {
        return static_cast<Size>(callIndex(players_, static_cast<int>(i), static_cast<int>(j)));
    };
    onValue.assign((n - 1 + n * (n - 1) / 2) * C, 0.0);
    foldValue.assign(onValue.size(), 0.0);

    // reach[i]: everyone before player i folded.
    std::vector<double> reach(n, 1.0), pushShare(n, 0.0);
    for (Size i = 0; i + 1 < n; ++i) {
        for (Size h = 0; h < C; ++h)
            pushShare[i] += weight_[h] * profile.push[i][h];
        reach[i + 1] = reach[i] * (1.0 - pushShare[i]);
    }

    // The value once the action is folded to player i, filled from the back.
    std::vector<double> foldedTo = uncalled_[n - 1];
    // Against a pusher's class h: chance that player j calls, and that he
    // calls and loses, at [j * C + h].
    std::vector<double> callMass(n * C), loseMass(n * C);
    // tail[(j * C + h) * n + p]: player p's value once the push of a holder
    // of class h reaches player j (j = n: nobody called).
    std::vector<double> tail((n + 1) * C * n);
    auto tailAt = [&](Size j, Size h) { return &tail[(j * C + h) * n]; };
    std::vector<double> reachJ(C), viaJoint(C), viaWin(C), viaFold(C);

    for (Size i = n - 1; i-- > 0;) {
        const ClassStrategy& pushes = profile.push[i];
        for (Size j = i + 1; j < n; ++j) {
            // Columns of the joint weights by the caller's class, summed.
            const ClassStrategy& calls = profile.call[pair(i, j)];
            double* mass = &callMass[j * C];
            double* lose = &loseMass[j * C];
            std::fill(mass, mass + C, 0.0);
            std::fill(lose, lose + C, 0.0);
            for (Size c = 0; c < C; ++c)
                if (calls[c] > 0) {
                    addScaled(mass, &joint_[c * C], calls[c]);
                    addScaled(lose, &winJointT_[c * C], calls[c]);
                }
            for (Size h = 0; h < C; ++h) {
                mass[h] /= weight_[h];
                lose[h] /= weight_[h];
            }
        }
        for (Size h = 0; h < C; ++h) {
            std::copy(uncalled_[i].begin(), uncalled_[i].end(), tailAt(n, h));
            for (Size j = n - 1; j > i; --j) {
                const double q = callMass[j * C + h];
                const double a = loseMass[j * C + h];
                const std::vector<double>& ifPusherWins = pusherWins_[pair(i, j)];
                const std::vector<double>& ifCallerWins = callerWins_[pair(i, j)];
                const double* next = tailAt(j + 1, h);
                double* here = tailAt(j, h);
                for (Size p = 0; p < n; ++p)
                    here[p] = a * ifPusherWins[p] + (q - a) * ifCallerWins[p] + (1.0 - q) * next[p];
            }
        }
        for (Size h = 0; h < C; ++h) {
            const double w = reach[i] * weight_[h];
            onValue[i * C + h] = w * tailAt(i + 1, h)[i];
            foldValue[i * C + h] = w * foldedTo[i];
        }

        // The callers: rows of the joint weights by the pusher's classes
        // that reach player j.
        for (Size h = 0; h < C; ++h)
            reachJ[h] = reach[i] * pushes[h];
        for (Size j = i + 1; j < n; ++j) {
            std::fill(viaJoint.begin(), viaJoint.end(), 0.0);
            std::fill(viaWin.begin(), viaWin.end(), 0.0);
            std::fill(viaFold.begin(), viaFold.end(), 0.0);
            for (Size h = 0; h < C; ++h)
                if (reachJ[h] > 0) {
                    addScaled(viaJoint.data(), &joint_[h * C], reachJ[h]);
                    addScaled(viaWin.data(), &winJoint_[h * C], reachJ[h]);
                    addScaled(viaFold.data(), &joint_[h * C], reachJ[h] * tailAt(j + 1, h)[j]);
                }
            const Size k = pair(i, j);
            const double ifCallerLoses = pusherWins_[k][j];
            const double ifCallerWins = callerWins_[k][j];
            const Size base = (n - 1 + k) * C;
            for (Size c = 0; c < C; ++c) {
                onValue[base + c] = ifCallerWins * viaJoint[c] + (ifCallerLoses - ifCallerWins) * viaWin[c];
                foldValue[base + c] = viaFold[c];
            }
            for (Size h = 0; h < C; ++h)
                reachJ[h] *= 1.0 - callMass[j * C + h];
        }

        std::vector<double> before(n, 0.0);
        for (Size h = 0; h < C; ++h) {
            const double x = weight_[h] * pushes[h];
            const double* value = tailAt(i + 1, h);
            for (Size p = 0; p < n; ++p)
                before[p] += x * value[p];
        }
        for (Size p = 0; p < n; ++p)
            before[p] += (1.0 - pushShare[i]) * foldedTo[p];
        foldedTo = std::move(before);
    }
    equity = foldedTo;
}

NashReport NashGame::evaluate(const NashProfile& profile) const {
    using Size = std::size_t;
    constexpr Size C = kClasses;
    const auto n = static_cast<Size>(players_);
    std::vector<double> on, fold;
    NashReport report;
    actionValues(profile, on, fold, report.equity);
    report.exploitability.assign(n, 0.0);
    // What the best action gains over the profile's mix at one decision.
    auto gain = [&](Size d, double p) { return std::max(on[d], fold[d]) - (p * on[d] + (1.0 - p) * fold[d]); };
    for (Size i = 0; i + 1 < n; ++i)
        for (Size h = 0; h < C; ++h)
            report.exploitability[i] += gain(i * C + h, profile.push[i][h]);
    for (Size i = 0; i < n; ++i)
        for (Size j = i + 1; j < n; ++j) {
            const auto k = static_cast<Size>(callIndex(players_, static_cast<int>(i), static_cast<int>(j)));
            for (Size c = 0; c < C; ++c)
                report.exploitability[j] += gain((n - 1 + k) * C + c, profile.call[k][c]);
        }
    return report;
}

NashResult solveNash(const NashTable& table, const EquityTable& equities, const NashOptions& options,
                     ComputeProgress& progress) {
    NashResult result;
    const NashGame game(table, equities);
    if (!game.ok()) {
        result.error = game.error();
        return result;
    }
    const int n = game.players();
    NashProfile current = game.uniformProfile(0.5);
    NashProfile sum = game.uniformProfile(0.0);
    const std::size_t pushDecisions = static_cast<std::size_t>(n - 1) * kClasses;
    const std::size_t decisions = pushDecisions + current.call.size() * kClasses;
    std::vector<double> regretOn(decisions, 0.0), regretFold(decisions, 0.0);
    std::vector<double> on, fold, equity;
    double weightSum = 0.0;

    auto probability = [&](NashProfile& p, std::size_t d) -> double& {
        return d < pushDecisions ? p.push[d / kClasses][d % kClasses]
                                 : p.call[(d - pushDecisions) / kClasses][(d - pushDecisions) % kClasses];
    };
    auto averaged = [&] {
        NashProfile avg = sum;
        for (std::size_t d = 0; d < decisions; ++d)
            probability(avg, d) /= weightSum;
        return avg;
    };

    double firstGap = -1.0;
    result.profile = current;
    result.report = game.evaluate(current);
    const int checkEvery = 10;
    progress.setValue(0);
    for (int t = 1; t <= options.maxIterations; ++t) {
        game.actionValues(current, on, fold, equity);
        // Discounted regrets: recent iterations count more, and negative
        // regret fades faster than positive.
        const double tAlpha = std::pow(static_cast<double>(t), 1.5);
        const double keepPositive = tAlpha / (tAlpha + 1.0);
        for (std::size_t d = 0; d < decisions; ++d) {
            const double p = probability(current, d);
            const double value = p * on[d] + (1.0 - p) * fold[d];
            for (double* r : {&regretOn[d], &regretFold[d]})
                *r *= *r > 0 ? keepPositive : 0.5;
            regretOn[d] += on[d] - value;
            regretFold[d] += fold[d] - value;
        }
        const double keepAverage = std::pow(static_cast<double>(t - 1) / t, 2.0);
        weightSum = weightSum * keepAverage + 1.0;
        for (std::size_t d = 0; d < decisions; ++d) {
            double& s = probability(sum, d);
            s = s * keepAverage + probability(current, d);
            const double plusOn = std::max(regretOn[d], 0.0);
            const double plusFold = std::max(regretFold[d], 0.0);
            probability(current, d) = plusOn + plusFold > 0 ? plusOn / (plusOn + plusFold) : 0.5;
        }
        result.iterations = t;
        if (t % checkEvery != 0 && t != options.maxIterations)
            continue;
        // The average smears early iterations over clear decisions; near the
        // end its cleaned form or the last iterate is often as good and
        // purer, so those are tried as well.
        NashProfile avg = averaged();
        NashReport report = game.evaluate(avg);
        const double gap = report.worst();
        if (gap < result.report.worst()) {
            result.profile = std::move(avg);
            result.report = std::move(report);
        }
        if (gap <= 10 * options.accuracy) {
            NashProfile cleaned = result.profile;
            for (std::size_t d = 0; d < decisions; ++d) {
                double& p = probability(cleaned, d);
                p = p < kCleanedBelow ? 0.0 : p > 1.0 - kCleanedBelow ? 1.0 : p;
            }
            for (NashProfile* candidate : {&cleaned, &current}) {
                NashReport other = game.evaluate(*candidate);
                if (other.worst() <= std::max(options.accuracy, result.report.worst())) {
                    result.profile = *candidate;
                    result.report = std::move(other);
                }
            }
        }
        const double best = result.report.worst();
        if (options.reached)
            options.reached(best);
        if (best <= options.accuracy) {
            result.converged = true;
            break;
        }
        if (firstGap < 0)
            firstGap = best;
        if (firstGap > options.accuracy && best < firstGap)
            progress.setValue(std::clamp(
                static_cast<int>(100.0 * std::log(firstGap / best) / std::log(firstGap / options.accuracy)), 0, 99));
        if (progress.wasCanceled()) {
            result.canceled = true;
            return result;
        }
    }
    progress.setValue(100);
    return result;
}

std::string nashRangeText(const ClassStrategy& range) {
    auto in = [&](const HandClass& c) { return range[static_cast<std::size_t>(classIndex(c))] >= 0.5; };
    std::string text;
    // Runs of one group, strongest first: members(k) for k = 0.. is the kth
    // strongest class of the group.
    auto runs = [&](int count, auto member) {
        for (int k = 0; k < count;) {
            if (!in(member(k))) {
                ++k;
                continue;
            }
            int last = k;
            while (last + 1 < count && in(member(last + 1)))
                ++last;
            const std::string top = handClassName(member(k));
            const std::string bottom = handClassName(member(last));
            if (k == 0)
                text += bottom + "+, ";
            else if (last == k)
                text += top + ", ";
            else
                text += top + "-" + bottom + ", ";
            k = last + 1;
        }
    };
    runs(kRankCount, [](int k) { return HandClass{kRankCount - 1 - k, 2 * kRankCount - 1 - k}; });
    for (const int offsuit : {0, kRankCount})
        for (int high = kRankCount - 1; high >= 1; --high)
            runs(high, [&](int k) { return HandClass{high - 1 - k, high + offsuit}; });
    if (text.size() >= 2)
        text.resize(text.size() - 2);
    return text;
}

double comboShare(const ClassStrategy& range) {
    const auto& classes = allHandClasses();
    double combos = 0.0;
    for (int k = 0; k < kClasses; ++k)
        combos += range[static_cast<std::size_t>(k)] * combosOfClass(classes[static_cast<std::size_t>(k)]);
    return combos / kComboCount;
}

std::string shortPositionName(int fromBigBlind) {
    static const char* const names[] = {"BB", "SB", "BU", "CO", "MP+2", "MP+1", "MP", "UTG+2", "UTG+1", "UTG"};
    if (fromBigBlind < 1 || fromBigBlind > kSeatCount)
        return {};
    return names[fromBigBlind - 1];
}

}  // namespace torvel

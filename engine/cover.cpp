#include "engine/cover.hpp"

#include <algorithm>
#include <array>

namespace vorlak::engine {

namespace {

class coversearch {
public:
    explicit coversearch(const std::vector<killset>& sets) : sets_(sets) {
        keepmaximal();
        for (const std::size_t c : candidates_)
            universe_ |= sets_[c];
        for (int n = 1; n <= mutants::mutantcount; n++)
            for (const std::size_t c : candidates_)
                if (sets_[c].has(n)) {
                    coverers_[index(n)].push_back(c);
                    killedwith_[index(n)] |= sets_[c];
                }
    }

    std::vector<std::size_t> run() {
        best_ = greedy();
        std::vector<std::size_t> chosen;
        search(universe_, chosen);
        std::sort(best_.begin(), best_.end());
        return best_;
    }

private:
    static std::size_t index(int mutant) { return static_cast<std::size_t>(mutant - 1); }

    // A set within another kills nothing the other does not: it is never needed.
    void keepmaximal() {
        std::vector<std::size_t> order;
        for (std::size_t i = 0; i < sets_.size(); i++)
            if (!sets_[i].empty())
                order.push_back(i);
        // Larger sets first; a set can only lie within a larger one.
        std::stable_sort(order.begin(), order.end(),
                         [&](std::size_t a, std::size_t b) { return sets_[a].count() > sets_[b].count(); });
        for (const std::size_t i : order) {
            const bool within = std::any_of(candidates_.begin(), candidates_.end(),
                                            [&](std::size_t k) { return sets_[i].within(sets_[k]); });
            if (!within)
                candidates_.push_back(i);
        }
    }

    // The upper bound to start from: always the largest new share.
    std::vector<std::size_t> greedy() const {
        std::vector<std::size_t> chosen;
        killset left = universe_;
        while (!left.empty()) {
            std::size_t pick = candidates_.front();
            int most = -1;
            for (const std::size_t c : candidates_)
                if (const int gain = (sets_[c] & left).count(); gain > most) {
                    most = gain;
                    pick = c;
                }
            chosen.push_back(pick);
            left = left.without(sets_[pick]);
        }
        return chosen;
    }

    // Sets still needed, at the least.  Mutants no one set kills together
    // need a set each; and no set covers more than the largest share.
    int lowerbound(killset left) const {
        int apart = 0;
        killset blocked;
        foreachmutant(left, [&](int n) {
            if (!blocked.has(n)) {
                apart++;
                blocked |= killedwith_[index(n)];
            }
        });
        int widest = 1;
        for (const std::size_t c : candidates_)
            widest = std::max(widest, (sets_[c] & left).count());
        const int share = (left.count() + widest - 1) / widest;
        return std::max(apart, share);
    }

    void search(killset left, std::vector<std::size_t>& chosen) {
        if (left.empty()) {
            if (chosen.size() < best_.size())
                best_ = chosen;
            return;
        }
        if (chosen.size() + static_cast<std::size_t>(lowerbound(left)) >= best_.size())
            return;
        // Branch on the mutant that the fewest sets kill: one of them must be in.
        int pick = left.first();
        for (int n = pick; n <= mutants::mutantcount; n++)
            if (left.has(n) && coverers_[index(n)].size() < coverers_[index(pick)].size())
                pick = n;
        std::vector<std::size_t> options = coverers_[index(pick)];
        std::stable_sort(options.begin(), options.end(), [&](std::size_t a, std::size_t b) {
            return (sets_[a] & left).count() > (sets_[b] & left).count();
        });
        for (const std::size_t c : options) {
            chosen.push_back(c);
            search(left.without(sets_[c]), chosen);
            chosen.pop_back();
        }
    }

    const std::vector<killset>& sets_;
    std::vector<std::size_t> candidates_;
    killset universe_;
    std::array<std::vector<std::size_t>, mutants::mutantcount> coverers_;  // the sets killing each mutant
    std::array<killset, mutants::mutantcount> killedwith_;                 // all that those sets kill
    std::vector<std::size_t> best_;
};

}  // namespace

std::vector<std::size_t> minimumcover(const std::vector<killset>& sets) {
    coversearch search(sets);
    bool any = std::any_of(sets.begin(), sets.end(), [](killset s) { return !s.empty(); });
    if (!any)
        return {};
    return search.run();
}

killset killedonce(const std::vector<killset>& sets, const std::vector<std::uint32_t>& lineset) {
    killset once;
    killset twice;
    for (const std::uint32_t i : lineset) {
        const killset s = sets[i];
        twice |= once & s;
        once |= s;
    }
    return once.without(twice);
}

linesview ownlineview(const scanresult& scan) {
    linesview view;
    if (scan.lineset.empty() || scan.lineset.size() != static_cast<std::size_t>(scan.lines))
        return view;
    const killset once = killedonce(scan.sets, scan.lineset);
    const bool all = scan.lines <= maxlines;
    for (std::size_t i = 0; i < scan.lineset.size(); i++) {
        const killset kills = scan.sets[scan.lineset[i]];
        const killset alone = kills & once;
        if (!all && alone.empty())
            view.others++;
        else
            view.rows.push_back({static_cast<long>(i) + 1, kills, alone});
    }
    return view;
}

}  // namespace vorlak::engine

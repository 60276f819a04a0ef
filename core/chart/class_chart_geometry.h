#pragma once

// Where the class chart puts each mark: accuracy at each level played and over the lesson in
// blocks of answers, each with its 95 % interval, in a unit box per panel.

#include "core/chart/chart_scale.h"
#include "core/scoring/scoreboard.h"

#include <array>
#include <vector>

namespace quiz {

// One bar (a level) or one point (a block of answers). Positions are fractions of the panel:
// x from 0 at the left to 1 at the right, heights from 0 at the bottom to 1 at the top.
struct ChartMark {
    int label = 0;        // the level; for a block, its first answer number, from 1
    int lastAnswer = 0;   // a block's last answer number; the level again for a bar
    int answered = 0;
    int right = 0;
    double x = 0.0;       // the centre
    double width = 0.0;   // a bar's width; 0 for a point
    double height = 0.0;  // the accuracy
    double low = 0.0;     // the interval's ends
    double high = 0.0;
    bool labelled = true; // whether its label is written: blocks thin out so labels never crowd
};

struct ClassChartGeometry {
    ChartScale accuracy;           // 0 to 100 %, ticks every 25 %
    double guessing = 0.5;         // the height of pure guessing's line
    std::vector<ChartMark> levels; // played only, in level order
    std::vector<ChartMark> blocks; // in lesson order
};

// `blocks[i]` counts each pupil's answers i * answersPerBlock + 1 to (i + 1) * answersPerBlock,
// the class together. Levels and blocks without answers are left out.
ClassChartGeometry classChartGeometry(const std::array<Tally, kLevelCount>& levels,
                                      const std::vector<Tally>& blocks, int answersPerBlock);

} // namespace quiz

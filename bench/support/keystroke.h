#pragma once

#include <QLineEdit>
#include <benchmark/benchmark.h>
#include <functional>

namespace wbbench {

// The timed loop of one search keystroke: each iteration makes `box` hold `text` (the window searches
// on the change); untimed, the box is emptied again without a search. The counter "rows" is what
// `rows` gives after the last keystroke.
void timeKeystrokes(benchmark::State& state, QLineEdit* box, const QString& text,
                    const std::function<int()>& rows);

} // namespace wbbench

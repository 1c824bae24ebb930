#include "keystroke.h"

namespace wbbench {

void timeKeystrokes(benchmark::State& state, QLineEdit* box, const QString& text,
                    const std::function<int()>& rows) {
    int shown = 0;
    for (auto _ : state) {
        box->setText(text);
        shown = rows();
        state.PauseTiming();
        box->blockSignals(true);
        box->clear();
        box->blockSignals(false);
        state.ResumeTiming();
    }
    state.counters["rows"] = shown;
}

} // namespace wbbench

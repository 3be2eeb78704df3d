// Start-up of the desktop program: the main window built (pictures, tables,
// nicknames, menus, frame, the editor's situation) and shown, without the
// update check. Run from a ready working directory (build/runtime) with
// QT_QPA_PLATFORM=offscreen.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "gui/app/mainwindow.h"

namespace {

void BM_MainWindowStartup(benchmark::State& state) {
    for (auto _ : state) {
        MainWindow window;
        if (!window.tablesLoaded()) {
            state.SkipWithError(qPrintable(window.tableLoadError()));
            return;
        }
        window.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(window.desk().situation());
    }
}

}  // namespace

BENCHMARK(BM_MainWindowStartup)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// main() of the benchmarks that need a Qt event loop; with
// TQ5800_BENCH_WIDGETS a QApplication, offscreen unless a platform is named.
#include <benchmark/benchmark.h>

#ifdef TQ5800_BENCH_WIDGETS
#include <QApplication>
using BenchApplication = QApplication;
#else
#include <QCoreApplication>
using BenchApplication = QCoreApplication;
#endif

int main(int argc, char* argv[])
{
#ifdef TQ5800_BENCH_WIDGETS
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    BenchApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

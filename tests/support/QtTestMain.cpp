// main() for test programs that need a Qt event loop (queued signals from
// the link thread, timers): a QCoreApplication around the GoogleTest run.
#include <QCoreApplication>

#include <gtest/gtest.h>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

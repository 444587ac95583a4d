// main() for test programs that show windows: a QApplication around the
// GoogleTest run. Offscreen unless told otherwise, also when CTest lists the
// cases (that run gets no test environment) and on a machine without a display.
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char* argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// main() for the command-line program's tests: one QGuiApplication (offscreen) for the
// whole test program, as lcdkonfig-cli makes one for its report. The program itself
// then uses it instead of making its own.
#include <QGuiApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

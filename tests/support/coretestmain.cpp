#include <QCoreApplication>
#include <gtest/gtest.h>

// Core tests need the application object for paths and events, never a display.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// Every library test runs in the locale of its environment, as the desktop
// program does once Qt has set it: a number written or read through the C
// library's locale then shows a decimal comma under fr_BE or nl_BE.
#include <gtest/gtest.h>

#include <clocale>

int main(int argc, char** argv)
{
    std::setlocale(LC_ALL, "");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

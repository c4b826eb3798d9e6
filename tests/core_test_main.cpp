// Entry point of the test executables without Qt. The C library's locale is
// taken from the environment, as the program's start takes it, so that the
// suite run under LC_ALL=de_DE.UTF-8 meets what a user there meets.
#include <gtest/gtest.h>

#include <clocale>

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// The temporary name beside a file that is written whole or not at all.
// (The writes themselves are tested through the save command, in
// tests/workbench/observation_file_test.cpp.)
#include "platform/atomic_file.h"

#include <gtest/gtest.h>

namespace orvex {
namespace {

// Guards a file with a name of 249 to 255 bytes that could not be replaced:
// its temporary name was longer than the system's limit. The name is cut,
// never inside a UTF-8 character, and a short name is kept whole.
TEST(AtomicFile, TemporaryNameStaysWithinTheLimit) {
    EXPECT_EQ(TemporaryNameBeside("fix.obs", "a1B2c3", 255), QByteArray("fix.obs.a1B2c3"));
    const QByteArray full = QByteArray(251, 'x') + ".obs";
    const QByteArray t = TemporaryNameBeside(full, "a1B2c3", 255);
    EXPECT_EQ(t.size(), 255);
    EXPECT_TRUE(t.startsWith(QByteArray(248, 'x')));
    // "°" is two bytes: the cut falls before it, not between its bytes.
    const QByteArray degrees = QByteArray(247, 'x') + "\xC2\xB0" + "12.obs";
    const QByteArray d = TemporaryNameBeside(degrees, "a1B2c3", 255);
    EXPECT_EQ(d, QByteArray(247, 'x') + ".a1B2c3");
}

}  // namespace
}  // namespace orvex

#include "console/process_console.hpp"

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

// A pipe with nothing in it would keep a reader waiting; bytes in it, or its
// writing end closed, would not.
TEST(FdSource, ReadyOnlyWhenAReadWouldNotWait) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    console::FdSource source(fds[0]);
    EXPECT_FALSE(source.ready());
    ASSERT_EQ(write(fds[1], "12\n", 3), 3);
    EXPECT_TRUE(source.ready());
    char buf[8];
    EXPECT_EQ(source.read(buf, sizeof buf), 3u);
    EXPECT_FALSE(source.ready());
    close(fds[1]);
    EXPECT_TRUE(source.ready());
    EXPECT_EQ(source.read(buf, sizeof buf), 0u);
    close(fds[0]);
}

}  // namespace

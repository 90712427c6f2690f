#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>

#include "TempRoot.h"
#include "platform/foundation/FileSystem.h"

namespace fs = std::filesystem;
using ns::FileSystem;

namespace {
std::vector<std::uint8_t> bytesOf(const std::string& s) {
    return {s.begin(), s.end()};
}
}  // namespace

TEST(FileSystem, UserIsTheSameFolderAsVarMobile) {
    TempRoot root;
    auto& f = FileSystem::shared();
    EXPECT_TRUE(fs::is_symlink(root.path() / "User"));
    ASSERT_TRUE(f.writeFileAtomically("/User/Library/Preferences/a.plist", bytesOf("one")));
    auto read = f.readFile("/var/mobile/Library/Preferences/a.plist");
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(*read, bytesOf("one"));
    EXPECT_EQ(f.resolve("/User/x"), root.path() / "var/mobile/x");
}

TEST(FileSystem, DotDotNeverLeavesTheRoot) {
    TempRoot root;
    auto& f = FileSystem::shared();
    EXPECT_EQ(f.resolve("/../../etc/passwd"), root.path() / "etc/passwd");
    EXPECT_EQ(f.resolve("../../x"), root.path() / "x");
    EXPECT_EQ(f.resolve("/var/../../../tmp/./y"), root.path() / "tmp/y");
    EXPECT_EQ(f.resolve(""), root.path());
    EXPECT_EQ(FileSystem::normalise("/a/./b/../../../c"), "/c");
    // A write through an escaping path lands inside the root, and nothing appears beside it.
    ASSERT_TRUE(f.writeFileAtomically("/../escaped.txt", bytesOf("x")));
    EXPECT_TRUE(fs::exists(root.path() / "escaped.txt"));
    EXPECT_FALSE(fs::exists(root.outer() / "escaped.txt"));
}

TEST(FileSystem, LinksPointingOutsideAreReadInsideTheRoot) {
    TempRoot root;
    auto& f = FileSystem::shared();
    // A file outside the root, and links that try to reach it.
    { std::ofstream(root.outer() / "secret.txt") << "secret"; }
    fs::create_symlink("../secret.txt", root.path() / "relative");
    fs::create_symlink(root.outer() / "secret.txt", root.path() / "absolute");
    fs::create_directory_symlink("../../..", root.path() / "var/up");
    EXPECT_FALSE(f.readFile("/relative").has_value());
    EXPECT_FALSE(f.readFile("/absolute").has_value());
    EXPECT_FALSE(f.readFile("/var/up/secret.txt").has_value());
    EXPECT_EQ(f.resolve("/relative"), root.path() / "secret.txt");
    // An absolute target is taken from the phone's "/".
    EXPECT_EQ(f.resolve("/absolute").string().rfind(root.path().string(), 0), 0u);
    // Writing through a link stays inside too.
    ASSERT_TRUE(f.writeFileAtomically("/relative", bytesOf("mine")));
    std::ifstream outside(root.outer() / "secret.txt");
    std::string text;
    outside >> text;
    EXPECT_EQ(text, "secret");
}

TEST(FileSystem, LinkLoopsFailInsteadOfHanging) {
    TempRoot root;
    auto& f = FileSystem::shared();
    fs::create_symlink("b", root.path() / "a");
    fs::create_symlink("a", root.path() / "b");
    EXPECT_FALSE(f.readFile("/a").has_value());
    EXPECT_FALSE(f.writeFileAtomically("/a", bytesOf("x")));
    EXPECT_FALSE(f.fileExists("/a/x"));
    EXPECT_EQ(f.resolve("/a").parent_path(), root.path());
}

TEST(FileSystem, AtomicWriteReplacesAndLeavesNoTemporaryFiles) {
    TempRoot root;
    auto& f = FileSystem::shared();
    ASSERT_TRUE(f.writeFileAtomically("/tmp/f", bytesOf("old")));
    ASSERT_TRUE(f.writeFileAtomically("/tmp/f", bytesOf("new contents")));
    EXPECT_EQ(*f.readFile("/tmp/f"), bytesOf("new contents"));
    EXPECT_EQ(*f.contentsOfDirectory("/tmp"), std::vector<std::string>{"f"});
    // No folder, or a folder in the way: refused, nothing created.
    EXPECT_FALSE(f.writeFileAtomically("/nowhere/f", bytesOf("x")));
    EXPECT_FALSE(f.fileExists("/nowhere"));
    EXPECT_FALSE(f.writeFileAtomically("/tmp", bytesOf("x")));
    EXPECT_FALSE(f.writeFileAtomically("/", bytesOf("x")));
}

// A writer killed mid-write leaves its temporary file behind; the next write removes it, but
// never one that a live writer (another process, or this one) may still be filling, unless it is
// far older than any write takes.
TEST(FileSystem, AtomicWriteRemovesTemporaryFilesOfDeadWritersOnly) {
    TempRoot root;
    auto& f = FileSystem::shared();
    const fs::path folder = root.path() / "var/mobile/Library/Preferences";
    const pid_t dead = ::fork();
    if (dead == 0) ::_exit(0);
    ASSERT_GT(dead, 0);
    ::waitpid(dead, nullptr, 0);
    const auto temp = [&](long pid, const char* rest) {
        const fs::path p = folder / (".a.plist.tmp-" + std::to_string(pid) + rest);
        std::ofstream(p) << "half a plist";
        return p;
    };
    const fs::path ofDead = temp(dead, "-0-1");
    const fs::path ofLive = temp(::getppid(), "-0-2");
    const fs::path ofOurs = temp(::getpid(), "-99-3");
    const fs::path oldOfLive = temp(::getppid(), "-0-4");
    fs::last_write_time(oldOfLive, fs::file_time_type::clock::now() - std::chrono::hours(1));
    const fs::path otherFile = folder / (".b.plist.tmp-" + std::to_string(dead) + "-0-5");
    std::ofstream(otherFile) << "another file's";

    ASSERT_TRUE(f.writeFileAtomically("/User/Library/Preferences/a.plist", bytesOf("whole")));
    EXPECT_FALSE(fs::exists(ofDead));
    EXPECT_FALSE(fs::exists(oldOfLive));
    EXPECT_TRUE(fs::exists(ofLive));
    EXPECT_TRUE(fs::exists(ofOurs));
    EXPECT_TRUE(fs::exists(otherFile));
}

TEST(FileSystem, FailedWriteKeepsTheOldFile) {
    TempRoot root;
    auto& f = FileSystem::shared();
    ASSERT_TRUE(f.writeFileAtomically("/tmp/keep", bytesOf("old")));
    // A name that fits, but whose temporary sibling name is too long: the write must fail
    // before touching the old file.
    std::string longName = "/tmp/" + std::string(250, 'n');
    { std::ofstream(root.path() / ("tmp/" + std::string(250, 'n'))) << "old"; }
    EXPECT_FALSE(f.writeFileAtomically(longName, bytesOf("new")));
    EXPECT_EQ(*f.readFile(longName), bytesOf("old"));
    EXPECT_EQ(f.contentsOfDirectory("/tmp")->size(), 2u);
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not stop root";
    fs::permissions(root.path() / "tmp", fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(f.writeFileAtomically("/tmp/keep", bytesOf("new")));
    fs::permissions(root.path() / "tmp", fs::perms::owner_all);
    EXPECT_EQ(*f.readFile("/tmp/keep"), bytesOf("old"));
    EXPECT_EQ(f.contentsOfDirectory("/tmp")->size(), 2u);
}

TEST(FileSystem, DirectoriesExistenceAndRemoval) {
    TempRoot root;
    auto& f = FileSystem::shared();
    EXPECT_FALSE(f.createDirectory("/a/b/c", false));
    EXPECT_TRUE(f.createDirectory("/a/b/c", true));
    EXPECT_TRUE(f.createDirectory("/a/b/c", true));  // already there
    bool isDir = false;
    EXPECT_TRUE(f.fileExists("/a/b", &isDir));
    EXPECT_TRUE(isDir);
    ASSERT_TRUE(f.writeFileAtomically("/a/b/file", bytesOf("x")));
    EXPECT_TRUE(f.fileExists("/a/b/file", &isDir));
    EXPECT_FALSE(isDir);
    EXPECT_EQ(*f.contentsOfDirectory("/a/b"), (std::vector<std::string>{"c", "file"}));
    EXPECT_FALSE(f.contentsOfDirectory("/a/b/file").has_value());
    EXPECT_FALSE(f.readFile("/a/b").has_value());
    EXPECT_TRUE(f.removeItem("/a"));
    EXPECT_FALSE(f.fileExists("/a"));
    EXPECT_FALSE(f.removeItem("/a"));
    EXPECT_FALSE(f.removeItem("/"));
    EXPECT_FALSE(f.removeItem("/.."));
    EXPECT_TRUE(fs::exists(root.path()));
    // Removing the User link removes the link, not var/mobile.
    EXPECT_TRUE(f.removeItem("/User"));
    EXPECT_TRUE(fs::is_directory(root.path() / "var/mobile/Library"));
}

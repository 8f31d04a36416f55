// tandrel-cli cards on a real loop-mounted card image.
#include "tests/cli/cli_runner.h"
#include "tests/support/card_writer.h"
#include "tests/support/temp_dir.h"

#include <boost/filesystem/operations.hpp>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include <unistd.h>

namespace tandrel {

namespace fs = boost::filesystem;

namespace {

bool run(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

// An ext2 image of `tree`, mounted read-only at `mountPoint` through a loop
// device for as long as the object lives.
class LoopMount {
public:
    LoopMount(const fs::path& image, const fs::path& tree, const fs::path& mountPoint)
        : mountPoint_(mountPoint) {
        fs::create_directories(mountPoint);
        if (!run("truncate -s 16M " + shellQuoted(image.string())) ||
            !run("mkfs.ext2 -q -L 'CAM ONE' -d " + shellQuoted(tree.string()) + " " +
                 shellQuoted(image.string()))) {
            return;
        }
        mounted_ = run("mount -o loop,ro " + shellQuoted(image.string()) + " " +
                       shellQuoted(mountPoint.string()));
    }
    ~LoopMount() {
        if (mounted_) {
            run("umount " + shellQuoted(mountPoint_.string()));
        }
    }
    LoopMount(const LoopMount&) = delete;
    LoopMount& operator=(const LoopMount&) = delete;

    bool mounted() const { return mounted_; }

private:
    fs::path mountPoint_;
    bool mounted_ = false;
};

} // namespace

TEST(CliCards, FindsALoopMountedCard) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "mounting an image needs root";
    }
    TempDir dir;
    CardSpec card = simpleCard(1, 2);
    card.folders.bdmvPath = "PRIVATE/AVCHD/BDMV";
    card.playlistExtension = ".MPL";
    card.streamExtension = ".MTS";
    writeCard(dir / "tree", card);
    // A space for the mount table's escapes; an invalid byte and an escape
    // character for what a terminal and a script are shown.
    const std::string mountPoint = dir.str() + "/card \xff\x1b";
    {
        const LoopMount mount(dir / "card.img", dir / "tree", mountPoint);
        if (!mount.mounted()) {
            GTEST_SKIP() << "no loop device or mkfs.ext2";
        }
        const CliRun json = runCli({"cards", "--json"}, dir.path());
        EXPECT_EQ(json.exitCode, 0);
        const std::size_t entry =
            json.out.find(R"({"mountPoint":")" + dir.str() + R"(/card \udcff\u001b","label":")");
        ASSERT_NE(entry, std::string::npos) << json.out;
        EXPECT_NE(
            json.out.find(
                R"(","fileSystem":"ext2","layout":"PRIVATE/AVCHD/BDMV","clips":2,"bytes":8192})",
                entry),
            std::string::npos)
            << json.out;

        const CliRun text = runCli({"cards"}, dir.path());
        EXPECT_EQ(text.exitCode, 0);
        const std::size_t line = text.out.find(dir.str() + "/card \\xff\\x1b: ");
        ASSERT_NE(line, std::string::npos) << text.out;
        EXPECT_NE(text.out.find("(ext2), PRIVATE/AVCHD/BDMV, 2 clips, 8.2 kB\n", line),
                  std::string::npos)
            << text.out;
    }
    const CliRun after = runCli({"cards", "--json"}, dir.path());
    EXPECT_EQ(after.exitCode, 0);
    EXPECT_EQ(after.out.find(dir.str()), std::string::npos) << after.out;
}

} // namespace tandrel

#include "metadata/mounted_cards.h"
#include "tests/support/card_writer.h"
#include "tests/support/temp_dir.h"
#include "tests/support/unprivileged.h"

#include <boost/filesystem/operations.hpp>

#include <gtest/gtest.h>

#include <optional>

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace tandrel {

namespace fs = boost::filesystem;

namespace {

// A camera's card: PRIVATE/AVCHD/BDMV with 8.3 names, two clips of 4096 bytes.
void writeCameraCard(const fs::path& root) {
    CardSpec card = simpleCard(1, 2);
    card.folders.bdmvPath = "PRIVATE/AVCHD/BDMV";
    card.playlistExtension = ".MPL";
    card.streamExtension = ".MTS";
    writeCard(root, card);
}

// One mountinfo line for a volume of device `device` at `mountPoint`, which
// is given as the kernel writes it.
std::string mountLine(const std::string& device, const std::string& mountPoint,
                      const std::string& fileSystem) {
    return "36 25 " + device + " / " + mountPoint + " rw,relatime shared:1 - " + fileSystem +
           " /dev/sdz1 rw\n";
}

std::optional<fs::path> anyBlockDevice() {
    for (fs::directory_iterator entry("/dev"), end; entry != end; ++entry) {
        struct stat status {};
        if (::lstat(entry->path().c_str(), &status) == 0 && S_ISBLK(status.st_mode)) {
            return entry->path();
        }
    }
    return std::nullopt;
}

} // namespace

TEST(MountedCards, ReadsTheMountTable) {
    TempDir dir;
    writeCameraCard(dir / "CAM ONE\t\\x\n");
    writeCameraCard(dir / "pseudo");
    writeCameraCard(dir / "twice");
    fs::create_directories(dir / "disk");
    const std::string table = mountLine("8:1", dir.str() + "/CAM\\040ONE\\011\\134x\\012", "ext2") +
                              "not a mount line\n" +
                              mountLine("0:44", dir.str() + "/pseudo", "tmpfs") +
                              mountLine("8:2", dir.str() + "/disk", "ext4") +
                              mountLine("8:3", dir.str() + "/gone", "vfat") +
                              mountLine("8:4", dir.str() + "/twice", "ext4") +
                              mountLine("8:5", dir.str() + "/twice", "exfat");

    const std::vector<MountedCard> cards = findMountedCards(table, dir / "no-labels");
    ASSERT_EQ(cards.size(), 2u);
    EXPECT_EQ(cards[0].mountPoint, dir / "CAM ONE\t\\x\n");
    EXPECT_EQ(cards[0].label, "");
    EXPECT_EQ(cards[0].fileSystem, "ext2");
    EXPECT_EQ(cards[0].layout.name, "PRIVATE/AVCHD/BDMV");
    EXPECT_EQ(cards[0].clipCount, 2);
    EXPECT_EQ(cards[0].totalBytes, 8192u);
    // Of two mounts at one place the later is the one that can be seen.
    EXPECT_EQ(cards[1].mountPoint, dir / "twice");
    EXPECT_EQ(cards[1].fileSystem, "exfat");
}

TEST(MountedCards, NamesVolumesByTheirLabelLinks) {
    const std::optional<fs::path> device = anyBlockDevice();
    if (!device) {
        GTEST_SKIP() << "no block device to link a label to";
    }
    struct stat status {};
    ASSERT_EQ(::stat(device->c_str(), &status), 0);
    TempDir dir;
    writeCameraCard(dir / "card");
    fs::create_directories(dir / "by-label");
    fs::create_symlink(*device, dir / "by-label" / "CAM\\x20ONE");
    fs::create_symlink("/dev/null", dir / "by-label" / "OTHER");
    const std::string table = mountLine(std::to_string(major(status.st_rdev)) + ":" +
                                            std::to_string(minor(status.st_rdev)),
                                        dir.str() + "/card", "vfat");
    const std::vector<MountedCard> cards = findMountedCards(table, dir / "by-label");
    ASSERT_EQ(cards.size(), 1u);
    EXPECT_EQ(cards[0].label, "CAM ONE");
}

TEST(MountedCards, LeavesOutVolumesThatCannotBeRead) {
    TempDir dir;
    writeCameraCard(dir / "locked");
    writeCameraCard(dir / "no-streams");
    writeCameraCard(dir / "open");
    fs::permissions(dir / "locked", fs::no_perms);
    fs::permissions(dir / "no-streams" / "PRIVATE" / "AVCHD" / "BDMV" / "STREAM", fs::no_perms);
    const std::string table = mountLine("8:1", dir.str() + "/locked", "vfat") +
                              mountLine("8:2", dir.str() + "/no-streams", "vfat") +
                              mountLine("8:3", dir.str() + "/open", "vfat");
    EXPECT_EQ(runUnprivileged([&] {
                  return static_cast<int>(findMountedCards(table, dir / "no-labels").size());
              }),
              1);
}

} // namespace tandrel

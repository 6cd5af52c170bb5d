#include "save_to_disk/tests/fat_image.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

uint32_t Le(const std::vector<uint8_t>& b, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | b[at + i];
    return v;
}

std::vector<uint8_t> Content(unsigned seed, size_t size) {
    std::vector<uint8_t> bytes(size);
    uint32_t x = seed * 2654435761u + 12345;
    for (auto& b : bytes) {
        x = x * 1103515245u + 12345;
        b = uint8_t(x >> 16);
    }
    return bytes;
}

// The 8.3 directory form of a plain name.
std::string ShortForm(const std::string& name) {
    std::string out(11, ' ');
    const size_t dot = name.find('.');
    const std::string base = name.substr(0, dot);
    const std::string ext = dot == std::string::npos ? "" : name.substr(dot + 1);
    for (size_t i = 0; i < base.size() && i < 8; ++i) out[i] = char(toupper(base[i]));
    for (size_t i = 0; i < ext.size() && i < 3; ++i) out[8 + i] = char(toupper(ext[i]));
    return out;
}

}  // namespace

int RunCommand(const std::string& command, std::string* output) {
    // mkfs.fat and fsck.fat live in /usr/sbin, which an ordinary user's PATH may lack.
    FILE* pipe = popen(("PATH=/usr/sbin:/sbin:$PATH; " + command + " 2>&1").c_str(), "r");
    if (!pipe) return -1;
    std::string text;
    std::array<char, 4096> chunk;
    size_t n;
    while ((n = fread(chunk.data(), 1, chunk.size(), pipe)) > 0) text.append(chunk.data(), n);
    const int status = pclose(pipe);
    if (output) *output = text;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

uint64_t VolumeLayout::FirstDataByte() const {
    return (uint64_t(reserved) + uint64_t(fats) * sectorsPerFat) * bytesPerSector + uint64_t(rootEntries) * 32;
}

FatImage::FatImage(const VolumeRecipe& recipe) : recipe_(recipe) {
    char pattern[] = "/tmp/fatimage.XXXXXX";
    dir_ = mkdtemp(pattern);
    image_ = dir_ + "/disk.img";
    { std::ofstream create(image_, std::ios::binary); }
    const uint64_t bytes = volumeOffset() + uint64_t(recipe.sizeKiB) * 1024;
    std::filesystem::resize_file(image_, bytes);
    std::ostringstream mkfs;
    mkfs << "mkfs.fat -F " << recipe.fatBits << " -s " << recipe.sectorsPerCluster << " -S " << recipe.bytesPerSector
         << " -n TESTVOL ";
    if (recipe.mbr) {
        std::vector<uint8_t> mbr(512, 0);
        uint8_t* e = mbr.data() + 446;
        e[4] = recipe.fatBits == 32 ? 0x0C : recipe.fatBits == 16 ? 0x06 : 0x01;
        const uint32_t start = uint32_t(kPartitionStart / 512), count = recipe.sizeKiB * 2;
        for (int i = 0; i < 4; ++i) {
            e[8 + i] = uint8_t(start >> (8 * i));
            e[12 + i] = uint8_t(count >> (8 * i));
        }
        mbr[510] = 0x55;
        mbr[511] = 0xAA;
        std::fstream f(image_, std::ios::in | std::ios::out | std::ios::binary);
        f.write(reinterpret_cast<char*>(mbr.data()), 512);
        mkfs << "-h " << start << " --offset " << start << " " << image_ << " " << recipe.sizeKiB;
    } else {
        mkfs << image_;
    }
    std::string out;
    if (RunCommand(mkfs.str(), &out) != 0) ADD_FAILURE() << mkfs.str() << "\n" << out;
    ReadLayout();
}

FatImage::~FatImage() { std::filesystem::remove_all(dir_); }

std::string FatImage::Mtools(const std::string& tool) const {
    std::string command = "MTOOLS_SKIP_CHECK=1 m" + tool + " -i " + image_;
    if (recipe_.mbr) command += "@@" + std::to_string(kPartitionStart);
    return command;
}

void FatImage::ReadLayout() {
    const std::vector<uint8_t> b = ReadBytes(0, 512);
    VolumeLayout& l = layout_;
    l.bytesPerSector = Le(b, 11, 2);
    l.sectorsPerCluster = b[13];
    l.reserved = Le(b, 14, 2);
    l.fats = b[16];
    l.rootEntries = Le(b, 17, 2);
    l.totalSectors = Le(b, 19, 2) ? Le(b, 19, 2) : Le(b, 32, 4);
    l.sectorsPerFat = Le(b, 22, 2) ? Le(b, 22, 2) : Le(b, 36, 4);
    const uint32_t rootSectors = (l.rootEntries * 32 + l.bytesPerSector - 1) / l.bytesPerSector;
    l.dataClusters = (l.totalSectors - l.reserved - l.fats * l.sectorsPerFat - rootSectors) / l.sectorsPerCluster;
    l.fatBits = l.dataClusters < 4085 ? 12 : l.dataClusters < 65525 ? 16 : 32;
    l.rootCluster = l.fatBits == 32 ? Le(b, 44, 4) : 0;
}

std::vector<uint8_t> FatImage::ReadBytes(uint64_t offset, size_t size) const {
    std::vector<uint8_t> bytes(size);
    std::ifstream f(image_, std::ios::binary);
    f.seekg(std::streamoff(volumeOffset() + offset));
    f.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(size));
    return bytes;
}

void FatImage::WriteBytes(uint64_t offset, const std::vector<uint8_t>& bytes) {
    std::fstream f(image_, std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(std::streamoff(volumeOffset() + offset));
    f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

uint32_t FatImage::FatEntry(uint32_t n) const {
    const uint64_t fat = uint64_t(layout_.reserved) * layout_.bytesPerSector;
    if (layout_.fatBits == 12) {
        const std::vector<uint8_t> b = ReadBytes(fat + n * 3 / 2, 2);
        const uint32_t word = b[0] | b[1] << 8;
        return n % 2 ? word >> 4 : word & 0xFFF;
    }
    if (layout_.fatBits == 16) {
        const std::vector<uint8_t> b = ReadBytes(fat + n * 2, 2);
        return b[0] | b[1] << 8;
    }
    const std::vector<uint8_t> b = ReadBytes(fat + uint64_t(n) * 4, 4);
    return Le(b, 0, 4) & 0x0FFFFFFF;
}

void FatImage::SetFatEntry(uint32_t n, uint32_t value) {
    for (uint32_t copy = 0; copy < layout_.fats; ++copy) SetFatEntryInCopy(copy, n, value);
}

void FatImage::SetFatEntryInCopy(uint32_t copy, uint32_t n, uint32_t value) {
    {
        const uint64_t fat = (uint64_t(layout_.reserved) + copy * layout_.sectorsPerFat) * layout_.bytesPerSector;
        if (layout_.fatBits == 12) {
            std::vector<uint8_t> b = ReadBytes(fat + n * 3 / 2, 2);
            uint32_t word = b[0] | b[1] << 8;
            word = n % 2 ? (word & 0x000F) | (value & 0xFFF) << 4 : (word & 0xF000) | (value & 0xFFF);
            WriteBytes(fat + n * 3 / 2, {uint8_t(word), uint8_t(word >> 8)});
        } else if (layout_.fatBits == 16) {
            WriteBytes(fat + n * 2, {uint8_t(value), uint8_t(value >> 8)});
        } else {
            WriteBytes(fat + uint64_t(n) * 4,
                       {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), uint8_t(value >> 24)});
        }
    }
}

uint32_t FatImage::FreeClusters() const {
    uint32_t count = 0;
    for (uint32_t c = 2; c < layout_.dataClusters + 2; ++c) count += FatEntry(c) == 0;
    return count;
}

std::vector<uint8_t> FatImage::ReadCluster(uint32_t cluster) const {
    const uint32_t bpc = BytesPerCluster();
    return ReadBytes(layout_.FirstDataByte() + uint64_t(cluster - 2) * bpc, bpc);
}

std::vector<uint32_t> FatImage::ChainFrom(uint32_t c) const {
    const uint32_t eoc = layout_.fatBits == 12 ? 0xFF8 : layout_.fatBits == 16 ? 0xFFF8 : 0x0FFFFFF8;
    std::vector<uint32_t> clusters;
    std::vector<bool> seen(layout_.dataClusters + 2);
    while (c >= 2 && c < layout_.dataClusters + 2 && !seen[c]) {
        seen[c] = true;
        clusters.push_back(c);
        const uint32_t next = FatEntry(c);
        if (next >= eoc) break;
        c = next;
    }
    return clusters;
}

std::vector<uint32_t> FatImage::FileClusters(const std::string& path) const {
    // The root directory: a fixed region, or (FAT32) a cluster chain.
    std::vector<uint8_t> directory;
    if (layout_.fatBits == 32) {
        for (uint32_t c : ChainFrom(layout_.rootCluster)) {
            const std::vector<uint8_t> part = ReadCluster(c);
            directory.insert(directory.end(), part.begin(), part.end());
        }
    } else {
        directory = ReadBytes(layout_.FirstDataByte() - layout_.rootEntries * 32, layout_.rootEntries * 32);
    }
    // Each component of "DIR/SUB/NAME.EXT" is looked up in the directory before it.
    size_t from = path[0] == '/' ? 1 : 0;
    for (;;) {
        const size_t slash = path.find('/', from);
        const std::string wanted = ShortForm(path.substr(from, slash == std::string::npos ? slash : slash - from));
        std::vector<uint32_t> clusters;
        for (size_t off = 0; off + 32 <= directory.size(); off += 32) {
            if (directory[off] == 0) break;
            if (directory[off] == 0xE5 || (directory[off + 11] & 0x08) ||
                std::memcmp(&directory[off], wanted.data(), 11) != 0)
                continue;
            clusters = ChainFrom(Le(directory, off + 26, 2) | (layout_.fatBits == 32 ? Le(directory, off + 20, 2) << 16 : 0));
            break;
        }
        if (slash == std::string::npos || clusters.empty()) return clusters;
        directory.clear();
        for (uint32_t c : clusters) {
            const std::vector<uint8_t> part = ReadCluster(c);
            directory.insert(directory.end(), part.begin(), part.end());
        }
        from = slash + 1;
    }
}

std::vector<std::pair<uint32_t, uint32_t>> FatImage::Runs(const std::vector<uint32_t>& clusters) {
    std::vector<std::pair<uint32_t, uint32_t>> runs;
    for (uint32_t c : clusters) {
        if (!runs.empty() && runs.back().first + runs.back().second == c)
            ++runs.back().second;
        else
            runs.push_back({c, 1});
    }
    return runs;
}

void FatImage::AddFile(const std::string& name, uint32_t clusters) {
    const size_t size = size_t(clusters) * BytesPerCluster() - BytesPerCluster() / 2;
    const std::vector<uint8_t> bytes = Content(++fileCounter_, size);
    const std::string local = dir_ + "/upload.tmp";
    {
        std::ofstream f(local, std::ios::binary);
        f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    std::string out;
    const std::string command = Mtools("copy") + " " + local + " \"::" + name + "\"";
    ASSERT_EQ(RunCommand(command, &out), 0) << command << "\n" << out;
    std::filesystem::remove(local);
    files_[name] = bytes;
}

void FatImage::DeleteFile(const std::string& name) {
    std::string out;
    const std::string command = Mtools("del") + " \"::" + name + "\"";
    ASSERT_EQ(RunCommand(command, &out), 0) << out;
    files_.erase(name);
}

void FatImage::MakeDirectory(const std::string& name) {
    std::string out;
    const std::string command = Mtools("md") + " \"::" + name + "\"";
    ASSERT_EQ(RunCommand(command, &out), 0) << out;
}

std::vector<std::vector<uint32_t>> FatImage::Lay(const std::vector<int>& clusters, bool fillRest) {
    std::vector<std::vector<uint32_t>> placed;
    std::vector<std::string> holes;
    unsigned index = 0;
    for (int n : clusters) {
        const std::string name = "L" + std::to_string(index++) + ".DAT";
        AddFile(name, uint32_t(n < 0 ? -n : n));
        placed.push_back(FileClusters(name));
        if (n < 0) holes.push_back(name);
    }
    if (fillRest) {
        const uint32_t left = FreeClusters();
        if (left > 0) AddFile("FILLER.DAT", left);
        EXPECT_EQ(FreeClusters(), 0u);
    }
    for (const std::string& name : holes) DeleteFile(name);
    return placed;
}

bool FatImage::ReadFile(const std::string& name, std::vector<uint8_t>& bytes) const {
    const std::string local = dir_ + "/check.out";
    std::filesystem::remove(local);
    if (RunCommand(Mtools("copy") + " -n \"::" + name + "\" " + local) != 0) return false;
    std::ifstream f(local, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
    return true;
}

bool FatImage::OtherFilesIntact(std::string& report) const {
    // One mcopy of the whole tree, then each remembered file compared.
    const std::string local = dir_ + "/tree";
    std::filesystem::remove_all(local);
    std::filesystem::create_directory(local);
    if (RunCommand(Mtools("copy") + " -s -n -Q \"::/*\" " + local + "/") != 0) {
        report = "the tree cannot be read";
        return false;
    }
    for (const auto& [name, bytes] : files_) {
        std::ifstream f(local + "/" + name, std::ios::binary | std::ios::ate);
        std::vector<uint8_t> read(f ? size_t(f.tellg()) : 0);
        f.seekg(0);
        f.read(reinterpret_cast<char*>(read.data()), std::streamsize(read.size()));
        if (!f.is_open()) {
            report = name + " cannot be read";
            return false;
        }
        if (read != bytes) {
            report = name + " differs";
            return false;
        }
    }
    return true;
}

bool FatImage::FsckClean(bool allowLost, std::string& output) const {
    std::string volume = image_;
    if (recipe_.mbr) {
        volume = dir_ + "/volume.img";
        RunCommand("dd if=" + image_ + " of=" + volume + " bs=1M skip=1 status=none");
    }
    const int status = RunCommand("fsck.fat -n " + volume, &output);
    if (recipe_.mbr) std::filesystem::remove(volume);
    if (status == 0) return true;
    if (!allowLost) return false;
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.empty() || line.rfind("fsck.fat", 0) == 0 || line.find(" files, ") != std::string::npos ||
            line == "FATs differ but appear to be intact." || line == "  Using first FAT." ||
            line.rfind("Reclaimed ", 0) == 0 || line == "Leaving filesystem unchanged." ||
            line.find("Free cluster summary wrong") != std::string::npos || line.rfind("  Auto-correcting", 0) == 0 ||
            // A FAT32 volume of fewer clusters than usual (4 KiB clusters on a small test volume).
            line.rfind("Warning: Filesystem is FAT32 according to", 0) == 0 || line.rfind("  but has only ", 0) == 0 ||
            line == "  This may lead to problems on some systems.")
            continue;
        return false;
    }
    return true;
}

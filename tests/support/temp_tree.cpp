#include "support/temp_tree.h"

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace sifter::test {

TempTree::TempTree()
{
    std::string pattern = (fs::temp_directory_path() / "sifter-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    root_ = pattern;
}

TempTree::~TempTree()
{
    // Tests take permissions away; give them back so that everything can be removed.
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(root_, fs::directory_options::skip_permission_denied, ec);
         it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (!it->is_symlink(ec))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
    chmod(root_.c_str(), 0700);
    fs::remove_all(root_, ec);
}

std::string TempTree::Path(std::string_view relative) const
{
    return root_ + "/" + std::string(relative);
}

std::string TempTree::MakeFolder(std::string_view relative) const
{
    std::string path = Path(relative);
    fs::create_directories(path);
    return path;
}

std::string TempTree::WriteFile(std::string_view relative, std::string_view content) const
{
    std::string path = Path(relative);
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
    return path;
}

void TempTree::SetTimes(std::string_view relative, std::int64_t unixSeconds) const
{
    const timespec times[2] = {{static_cast<time_t>(unixSeconds), 0}, {static_cast<time_t>(unixSeconds), 0}};
    if (utimensat(AT_FDCWD, Path(relative).c_str(), times, AT_SYMLINK_NOFOLLOW) != 0)
        throw std::runtime_error("utimensat failed");
}

} // namespace sifter::test

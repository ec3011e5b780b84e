// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/file_removal.h"

#include "transfer/trash.h"

#include <filesystem>
#include <system_error>

namespace sifter {

bool MoveEntryToTrash(const std::string &path, std::string &error)
{
    return MoveToTrash(path, error);
}

bool RemoveEntryForGood(const std::string &path, std::string &error)
{
    std::error_code failure;
    std::filesystem::remove_all(std::filesystem::path(path), failure);
    if (!failure)
        return true;
    error = failure.message();
    return false;
}

} // namespace sifter

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The result file as the command line writes it, with a message naming the problem
// whenever something fails.
#include "search/file_search.h"

#include <string>

namespace sifter {

// Checks before a search that its result file can later be saved at path, by doing what
// the save does up to writing (ProbeAtomicWrite): a folder, a socket, a block device, a
// missing folder, a name too long for the temporary file and the like are refused. A FIFO
// or character device needs only to allow writing: a FIFO without a reader is not
// refused, the save waits for one. False with a message.
bool CheckSaveTarget(const std::string &path, std::string &error);

// Saves the result file of search at path (SaveResultFile): a file is replaced whole or
// not at all and a symbolic link has its target replaced; a FIFO or character device is
// written into, a FIFO once a reader has opened it (a signal ends the wait). False with a
// message; no temporary file is left behind.
bool SaveResultFileAtomically(const FileSearch &search, const std::string &path, std::string &error);

} // namespace sifter

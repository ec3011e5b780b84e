// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/own_output.h"

#include "cli/error_message.h"
#include "text/translation.h"

#include <algorithm>
#include <unistd.h>

namespace sifter {

std::vector<OwnOutputFile> OwnOutputFiles(const std::string &saveFile)
{
    std::vector<OwnOutputFile> files;
    if (const auto output = RegularFileIdentityOf(STDOUT_FILENO))
        files.push_back({*output, {}});
    if (!saveFile.empty()) {
        const auto target = RegularFileIdentityAt(saveFile);
        if (target && (files.empty() || !(files.front().identity == *target)))
            files.push_back({*target, saveFile});
    }
    return files;
}

std::vector<FileIdentity> OwnOutputIdentities(const std::vector<OwnOutputFile> &files)
{
    std::vector<FileIdentity> identities;
    for (const OwnOutputFile &file : files)
        identities.push_back(file.identity);
    return identities;
}

void ReportOwnOutputLeftOut(const std::vector<OwnOutputFile> &files, const std::vector<FileIdentity> &met)
{
    for (const OwnOutputFile &file : files) {
        if (std::find(met.begin(), met.end(), file.identity) == met.end())
            continue;
        // Named only here: a message loads the catalogue, which a search that meets neither
        // file need not do.
        const std::string name = file.saveFile.empty()
                                     ? CatalogueText("sifter-cli", "standard output").Text()
                                     : CatalogueText("sifter-cli", "the result file '%1'").Arg(file.saveFile).Text();
        PrintError(CatalogueText("sifter-cli", "%1 lies in the searched folders; it was left out of the search")
                       .Arg(name)
                       .Text());
    }
}

} // namespace sifter

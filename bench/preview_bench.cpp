// SPDX-License-Identifier: GPL-3.0-or-later
// Figures of the preview pane: how long a preview of a 10 GB sparse file with its one
// match near the end takes (and of a small file, beside it), the memory one costs, and the
// longest stall of the event loop while 1,000 selections in a row each ask for a preview,
// as a key held down in the list does. Prints figures; asserts nothing.
#include "bench_timing.h"
#include "results/preview_content.h"
#include "results/preview_pane.h"
#include "search/search_criteria.h"
#include "search/text_field.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

using namespace sifter;

namespace {

constexpr long long kHugeBytes = 10LL * 1024 * 1024 * 1024;
constexpr int kRounds = 20;
constexpr int kSelections = 1000;

long PeakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// A file of size bytes, holes but for 8 KB of text at its start (so it reads as text) and
// text with the word at its end; false when it cannot be made.
bool WriteSparse(const std::string &path, long long size, long long &matchOffset)
{
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0)
        return false;
    const std::string tail = "a line before\nthe needle is here\nand the last line\n";
    matchOffset = size - static_cast<long long>(tail.size()) + static_cast<long long>(tail.find("needle"));
    std::string head;
    while (head.size() < 8 * 1024)
        head += "a line of text at the start of the file\n";
    const bool written = ftruncate(fd, size) == 0 &&
                         pwrite(fd, head.data(), head.size(), 0) == static_cast<ssize_t>(head.size()) &&
                         pwrite(fd, tail.data(), tail.size(), size - static_cast<long long>(tail.size())) ==
                             static_cast<ssize_t>(tail.size());
    close(fd);
    return written;
}

PreviewRequest RequestFor(const std::string &path, long long matchOffset)
{
    PreviewRequest request;
    request.path = path;
    request.name = QString::fromStdString(path);
    request.matchOffset = matchOffset;
    ResetCriteria(request.criteria, SystemTime{});
    SetTextField(request.criteria.words, "needle");
    return request;
}

void PreviewFigure(const char *what, const PreviewRequest &request)
{
    std::vector<double> times;
    std::size_t lines = 0;
    const long before = PeakKilobytes();
    for (int round = 0; round < kRounds; ++round) {
        times.push_back(Seconds([&] {
            lines = MakePreviewContent(request, [] { return true; }).lines.size();
        }));
    }
    std::printf("%-34s %8.2f ms median of %d, %zu lines, peak memory +%ld KB (target: 50 ms)\n", what,
                Median(times) * 1000, kRounds, lines, PeakKilobytes() - before);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const char *folder = std::getenv("TMPDIR");
    const std::string huge = std::string(folder ? folder : "/tmp") + "/sifter-preview-bench-huge";
    const std::string small = std::string(folder ? folder : "/tmp") + "/sifter-preview-bench-small";
    long long hugeMatch = 0;
    long long smallMatch = 0;
    if (!WriteSparse(huge, kHugeBytes, hugeMatch) || !WriteSparse(small, 16 * 1024, smallMatch)) {
        std::fprintf(stderr, "cannot write the files beside %s\n", huge.c_str());
        return 1;
    }
    PreviewFigure("small file (16 KB)", RequestFor(small, smallMatch));
    PreviewFigure("10 GB sparse file, match at end", RequestFor(huge, hugeMatch));

    // A key held down: each selection asks for a preview; the window must never wait.
    CPreviewPane pane;
    pane.resize(800, 300);
    pane.show();
    QElapsedTimer total;
    total.start();
    double longest = 0;
    for (int i = 0; i < kSelections; ++i) {
        const double stall = Seconds([&] {
            pane.ShowRequest(RequestFor(i % 2 == 0 ? huge : small, i % 2 == 0 ? hugeMatch : smallMatch));
            QApplication::processEvents();
        });
        longest = std::max(longest, stall);
    }
    std::printf("%d selections in a row             %8.2f ms in all, longest event-loop turn %.2f ms (target: 50 ms)\n",
                kSelections, static_cast<double>(total.elapsed()), longest * 1000);
    unlink(huge.c_str());
    unlink(small.c_str());
    return 0;
}

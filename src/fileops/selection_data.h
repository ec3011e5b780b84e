// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The selected found files as one data object for other programs: the file-list block (a
// 20-byte header, then each full path with a zero byte after it, then two zero bytes),
// which is also the source list of the file operations, and the formats the desktop's file
// managers read from the clipboard or a drop.
#include <QByteArray>
#include <QMimeData>

#include <cstdint>
#include <string>
#include <vector>

namespace sifter {

// The header of the file-list block, all fields 32-bit little-endian.
inline constexpr std::size_t kFileListHeaderSize = 20;
inline constexpr std::size_t kFileListFilesOffset = 0;  // pFiles: where the list starts
inline constexpr std::size_t kFileListPointXOffset = 4;
inline constexpr std::size_t kFileListPointYOffset = 8;
inline constexpr std::size_t kFileListNonClientOffset = 12;
inline constexpr std::size_t kFileListWideOffset = 16;  // 0: 8-bit names, as written here
static_assert(kFileListWideOffset + 4 == kFileListHeaderSize);

// The block for the paths, in the order given; paths hold no zero byte. Empty when there
// is no path.
QByteArray BuildFileListBlock(const std::vector<std::string> &paths);
// The paths of a block, in order. False (paths emptied) when the header is not the one
// written here or the list is not ended by an empty name inside the block.
bool ReadFileListBlock(const QByteArray &block, std::vector<std::string> &paths);

// What the data object is handed over for.
enum class SelectionTransfer {
    kCopy,  // Copy: a paste copies the files
    kCut,   // Cut: a paste moves them
    kDrag,  // dragged out: the drop target decides
};

// The data object of Cut, Copy and a drag. It offers text/uri-list, the paths as plain text
// (one a line), and for Cut and Copy GNOME's copied-files list ("copy" or "cut", then one
// URI a line) and, for Cut only, KDE's cut marker. URIs are made from the paths' bytes.
class SelectionDataSource : public QMimeData {
    Q_OBJECT

public:
    // block: a block made by BuildFileListBlock.
    SelectionDataSource(QByteArray block, SelectionTransfer transfer);

    const QByteArray &FileList() const { return block_; }
    SelectionTransfer Transfer() const { return transfer_; }
    // The paths of the block, in order.
    std::vector<std::string> Paths() const;

private:
    QByteArray block_;
    SelectionTransfer transfer_;
};

// The formats other than text/uri-list and text/plain, as file managers name them.
inline constexpr char kGnomeCopiedFilesFormat[] = "x-special/gnome-copied-files";
inline constexpr char kKdeCutSelectionFormat[] = "application/x-kde-cutselection";

} // namespace sifter

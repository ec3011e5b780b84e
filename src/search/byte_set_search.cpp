// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/byte_set_search.h"

#include <hs.h>

#include <climits>
#include <new>

namespace sifter {
namespace {

struct ScanContext {
    BytePatternSink &sink;
};

// Hyperscan's match callback: a non-zero return ends the scan.
int OnMatch(unsigned int id, unsigned long long /*from*/, unsigned long long to, unsigned int /*flags*/,
            void *context)
{
    return static_cast<ScanContext *>(context)->sink.Occurs(id, static_cast<std::size_t>(to)) ? 0 : 1;
}

} // namespace

// Each owns what Hyperscan made and frees it.
struct BytePatternSet::Database {
    hs_database_t *database;
    ~Database() { hs_free_database(database); }
};

struct BytePatternScanner::Scratch {
    hs_scratch_t *scratch;
    ~Scratch() { hs_free_scratch(scratch); }
};

BytePatternSet::BytePatternSet(std::unique_ptr<Database> database, std::size_t size)
    : database_(std::move(database)), size_(size)
{
}

BytePatternSet::~BytePatternSet() = default;

std::shared_ptr<const BytePatternSet> BytePatternSet::Make(const std::vector<std::string> &patterns)
{
    if (patterns.empty() || patterns.size() > UINT_MAX || hs_valid_platform() != HS_SUCCESS)
        return nullptr;
    try {
        std::vector<const char *> expressions;
        std::vector<std::size_t> lengths;
        std::vector<unsigned int> ids;
        // One report per pattern and scan: what the caller needs, and what bounds the
        // reports of a buffer made of nothing but overlapping occurrences.
        const std::vector<unsigned int> flags(patterns.size(), HS_FLAG_SINGLEMATCH);
        for (const std::string &pattern : patterns) {
            if (pattern.empty())
                return nullptr;
            ids.push_back(static_cast<unsigned int>(ids.size()));
            expressions.push_back(pattern.data());
            lengths.push_back(pattern.size());
        }
        hs_database_t *compiled = nullptr;
        hs_compile_error_t *error = nullptr;
        if (hs_compile_lit_multi(expressions.data(), flags.data(), ids.data(), lengths.data(),
                                 static_cast<unsigned int>(patterns.size()), HS_MODE_BLOCK, nullptr, &compiled,
                                 &error) != HS_SUCCESS) {
            hs_free_compile_error(error);
            return nullptr;
        }
        std::unique_ptr<Database> database(new (std::nothrow) Database{compiled});
        if (!database) {
            hs_free_database(compiled);
            return nullptr;
        }
        return std::shared_ptr<const BytePatternSet>(new BytePatternSet(std::move(database), patterns.size()));
    } catch (const std::bad_alloc &) {
        return nullptr;
    }
}

BytePatternScanner::BytePatternScanner(std::shared_ptr<const BytePatternSet> set) : set_(std::move(set))
{
    if (!set_)
        return;
    hs_scratch_t *scratch = nullptr;
    if (hs_alloc_scratch(set_->database_->database, &scratch) != HS_SUCCESS)
        return;
    scratch_.reset(new (std::nothrow) Scratch{scratch});
    if (!scratch_)
        hs_free_scratch(scratch);
}

BytePatternScanner::~BytePatternScanner() = default;

bool BytePatternScanner::Scan(const char *buffer, std::size_t length, BytePatternSink &sink)
{
    if (!scratch_ || length > UINT_MAX)
        return false;
    ScanContext context{sink};
    const hs_error_t result = hs_scan(set_->database_->database, buffer, static_cast<unsigned int>(length), 0,
                                      scratch_->scratch, OnMatch, &context);
    return result == HS_SUCCESS || result == HS_SCAN_TERMINATED;
}

} // namespace sifter

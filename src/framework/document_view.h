// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A view of a document: told when the document's contents change.
namespace sifter {

class DocumentView {
public:
    virtual ~DocumentView() = default;
    // The document's contents changed; sender is the view that changed them, or null when
    // the document itself did (a new document, an opened file).
    virtual void OnUpdate(DocumentView *sender) = 0;
};

} // namespace sifter

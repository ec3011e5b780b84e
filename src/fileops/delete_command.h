// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Delete on the results list's selected files: to the Trash, or for good.
namespace sifter {

class Application;
class ResultRows;

// After a confirmation naming the file or the count (for good: every folder by name with its
// item count), each usable selected entry goes to the Trash (a folder whole), or with permanent
// is removed for good. An entry that is no longer what its row describes is acted on only
// after a question that names what is there now; one already gone (a selected folder above it
// went first) is no failure. A file the Trash refuses is offered permanent deletion. Those
// questions offer one answer for all such items. Failures are named in one error at the end;
// then the vanished selected rows go.
void DeleteSelectedFiles(ResultRows &list, Application &app, bool permanent);

} // namespace sifter

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Descriptions for screen readers of the buttons of a dialog's button box.
class QDialogButtonBox;

namespace sifter {

// Each button of box that has neither a description nor a tooltip gets a description from
// its role: what accepting, or rejecting, the dialog does. Buttons of other roles are left
// for the caller to describe.
void DescribeButtonsByRole(QDialogButtonBox &box);

} // namespace sifter

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The four criteria panels of the pane together, and the copies of their values into the
// search criteria and back.
#include "search/extra_criteria.h"
#include "search/search_criteria.h"

class QWidget;

namespace sifter {

class CAttributesPanel;
class CDateTimePanel;
class CExcludePanel;
class CFileSizePanel;
class CWordOptionsPanel;
class UserPrompts;

struct CriteriaPanels {  // created in this order, as hidden children of the pane
    CWordOptionsPanel *wordOptions = nullptr;
    CFileSizePanel *fileSize = nullptr;
    CDateTimePanel *dateTime = nullptr;
    CAttributesPanel *attributes = nullptr;
    CExcludePanel *exclude = nullptr;
};

// The four panels as hidden children of pane, which owns them; the File Size panel
// reports unreadable numbers through prompts, which must outlive it.
CriteriaPanels CreateCriteriaPanels(QWidget *pane, UserPrompts &prompts);
// Pulls each panel out of its controls (outcomes ignored, in the order Word Options,
// File Size, Date Time, Attributes) and copies every value into criteria.
void PullPanelsInto(const CriteriaPanels &panels, SearchCriteria &criteria);
// The refresh: criteria values into the panels and their controls, then the enabling
// rules of File Size and Date Time.
void PushCriteriaInto(const SearchCriteria &criteria, const CriteriaPanels &panels);
// The same for the criteria beyond the record.
void PullPanelsInto(const CriteriaPanels &panels, ExtraCriteria &extras);
void PushExtrasInto(const ExtraCriteria &extras, const CriteriaPanels &panels);

} // namespace sifter

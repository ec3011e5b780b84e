// SPDX-License-Identifier: GPL-3.0-or-later
#include "pane/criteria_panels.h"

#include "pane/attributes_panel.h"
#include "pane/date_time_panel.h"
#include "pane/exclude_panel.h"
#include "pane/file_size_panel.h"
#include "pane/word_options_panel.h"
#include "framework/local_text.h"

namespace sifter {
namespace {

std::uint8_t Flag(int value)
{
    return value != 0 ? 1 : 0;
}

} // namespace

CriteriaPanels CreateCriteriaPanels(QWidget *pane, UserPrompts &prompts)
{
    CriteriaPanels panels;
    panels.wordOptions = new CWordOptionsPanel(pane);
    panels.fileSize = new CFileSizePanel(pane, prompts);
    panels.dateTime = new CDateTimePanel(pane);
    panels.attributes = new CAttributesPanel(pane);
    panels.exclude = new CExcludePanel(pane);
    return panels;
}

void PullPanelsInto(const CriteriaPanels &panels, SearchCriteria &criteria)
{
    // A failed pull has shown its message; the values the panel holds still go.
    CWordOptionsPanel &words = *panels.wordOptions;
    words.ExchangeValues(true);
    CFileSizePanel &size = *panels.fileSize;
    size.ExchangeValues(true);
    CDateTimePanel &date = *panels.dateTime;
    date.ExchangeValues(true);
    CAttributesPanel &attributes = *panels.attributes;
    attributes.ExchangeValues(true);

    criteria.wordMode = words.wordMode;
    criteria.hexadecimal = Flag(words.hexadecimal);
    criteria.unicodeUtf8 = Flag(words.unicodeUtf8);

    criteria.sizeUnit = size.sizeUnit;
    criteria.sizeCompare1 = size.sizeCompare1;
    criteria.sizeCompare2 = size.sizeCompare2;
    criteria.sizeValue1 = size.sizeValue1;
    criteria.sizeValue2 = size.sizeValue2;

    criteria.dateKind = date.dateKind;
    criteria.datePart = date.datePart;
    criteria.dateCompare1 = date.dateCompare1;
    criteria.dateCompare2 = date.dateCompare2;
    criteria.date1 = date.date1;
    criteria.time1 = date.time1;
    criteria.date2 = date.date2;
    criteria.time2 = date.time2;

    criteria.searchHidden = Flag(attributes.searchHidden);
    criteria.searchReadOnly = Flag(attributes.searchReadOnly);
    criteria.searchSystem = Flag(attributes.searchSystem);
    criteria.searchSubfolders = Flag(attributes.searchSubfolders);
    criteria.caseSensitive = Flag(attributes.caseSensitive);
    criteria.searchShortNames = Flag(attributes.searchShortNames);
}

void PushCriteriaInto(const SearchCriteria &criteria, const CriteriaPanels &panels)
{
    CWordOptionsPanel &words = *panels.wordOptions;
    words.hexadecimal = criteria.hexadecimal;
    words.wordMode = criteria.wordMode;
    words.unicodeUtf8 = criteria.unicodeUtf8;
    words.ExchangeValues(false);

    CFileSizePanel &size = *panels.fileSize;
    size.sizeUnit = criteria.sizeUnit;
    size.sizeCompare1 = criteria.sizeCompare1;
    size.sizeCompare2 = criteria.sizeCompare2;
    size.sizeValue1 = criteria.sizeValue1;
    size.sizeValue2 = criteria.sizeValue2;
    size.ExchangeValues(false);
    size.UpdateSizeControls();

    CDateTimePanel &date = *panels.dateTime;
    date.dateKind = criteria.dateKind;
    date.datePart = criteria.datePart;
    date.dateCompare1 = criteria.dateCompare1;
    date.dateCompare2 = criteria.dateCompare2;
    date.date1 = criteria.date1;
    date.time1 = criteria.time1;
    date.date2 = criteria.date2;
    date.time2 = criteria.time2;
    date.ExchangeValues(false);
    date.UpdateDateControls();

    CAttributesPanel &attributes = *panels.attributes;
    attributes.caseSensitive = criteria.caseSensitive;
    attributes.searchHidden = criteria.searchHidden;
    attributes.searchReadOnly = criteria.searchReadOnly;
    attributes.searchSubfolders = criteria.searchSubfolders;
    attributes.searchSystem = criteria.searchSystem;
    attributes.searchShortNames = criteria.searchShortNames;
    attributes.ExchangeValues(false);
}

void PullPanelsInto(const CriteriaPanels &panels, ExtraCriteria &extras)
{
    CExcludePanel &exclude = *panels.exclude;
    exclude.ExchangeValues(true);
    extras.excludes = ToLocalText(exclude.excludes);
    extras.regexWords = panels.wordOptions->expression != 0;
    // The Date Time panel was pulled with the record's values.
    const CDateTimePanel &date = *panels.dateTime;
    extras.date1 = date.relative1 == kRelativeNone ? RelativeDate{} : RelativeDate{date.relative1, date.count1};
    extras.date2 = date.relative2 == kRelativeNone ? RelativeDate{} : RelativeDate{date.relative2, date.count2};
}

void PushExtrasInto(const ExtraCriteria &extras, const CriteriaPanels &panels)
{
    CExcludePanel &exclude = *panels.exclude;
    exclude.excludes = FromLocalText(extras.excludes);
    exclude.ExchangeValues(false);
    CWordOptionsPanel &words = *panels.wordOptions;
    words.expression = extras.regexWords ? 1 : 0;
    words.ExchangeValues(false);
    words.UpdateWordControls();
    CDateTimePanel &date = *panels.dateTime;
    date.relative1 = extras.date1.unit;
    date.count1 = extras.date1.count;
    date.relative2 = extras.date2.unit;
    date.count2 = extras.date2.count;
    date.ExchangeValues(false);
    date.UpdateDateControls();
}

} // namespace sifter
